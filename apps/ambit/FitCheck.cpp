// The fit check of ambit check: every caption the form shows, measured on
// its control's widget (font, character set, style) through the Qt
// widgetset.
#include "apps/ambit/TranslationChecks.h"
#ifdef AMBIT_WITH_QT
#include "host/controls/Control.h"
#include "host/controls/Forms.h"
#include "host/qt/QtTextFit.h"
#endif

namespace ambit::cli {

#ifdef AMBIT_WITH_QT

namespace {

void CheckOwned(const TFormTexts& Form, const host::TComponent* Owner, const TFindingSink& Add, int Depth) {
  if (Depth > 64) return;
  for (const host::TComponent* c : Owner->ComponentList()) {
    if (host::Is<host::TFrame>(c)) CheckOwned(Form, c, Add, Depth + 1);
    const auto* control = host::As<host::TControl>(c);
    host::qt::TTextFit fit;
    if (!control || !host::qt::MeasureCaption(control, fit) || fit.Fits()) continue;
    const std::string record = CaptionRecord(Form, control);
    const bool fromSuite = Form.Find(record) != nullptr;
    Add(record, TSeverity::Error, "fit",
        "the text does not fit: " + c->Name() + " (" + c->ClassName() + ") gives it " +
            std::to_string(fit.Available) + " pixels " + (fit.Wide ? "of width" : "of height") + ", it needs " +
            std::to_string(fit.Needed) +
            (fromSuite ? "" : "; the text is not one of the form's records"));
  }
}

}  // namespace

void CheckFit(const TFormTexts& Form, const TFindingSink& Add) { CheckOwned(Form, Form.Form, Add, 0); }

#else

void CheckFit(const TFormTexts&, const TFindingSink&) {}

#endif

}  // namespace ambit::cli
