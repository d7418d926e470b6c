// Registration, the component editors' verbs and double-click, and the
// property editors of the suite, through the designer host's services.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "design/AmbitAbout.h"
#include "design/AmbitDsgn.h"
#include "design/AmbitReg.h"
#include "design/AmbitSourceEditor.h"
#include "host/controls/ListView.h"
#include "host/controls/StdRegister.h"
#include "host/design/FormDesigner.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"
#include "tests/design/DesignTestSupport.h"

using namespace ambit;
using namespace host;
using design_test::FormAs;

namespace {

using Names = std::vector<std::string>;

class DesignEditors : public testing::Test {
protected:
  DesignEditors() {
    RegisterStandardControls();
    {
      TPackageScope scope(FPackage);
      Register();
    }
    source->SetName("LanguageSource1");
    source->Languages()->SetCommaText("German=de.lng,Russian=ru.lng");
    source->SetActiveLanguage(1);
  }
  ~DesignEditors() override { UnregisterPackage(FPackage); }

  // The editors the object inspector gets for Object, by property name.
  std::map<std::string, std::unique_ptr<TPropertyEditor>> EditorsOf(TPersistent* Object) {
    std::map<std::string, std::unique_ptr<TPropertyEditor>> editors;
    GetComponentProperties({Object}, &designer, [&](std::unique_ptr<TPropertyEditor> E) {
      const std::string name = E->GetName();
      editors[name] = std::move(E);
    });
    return editors;
  }
  static Names ValuesOf(const TPropertyEditor& Editor) {
    Names values;
    Editor.GetValues([&](const std::string& S) { values.push_back(S); });
    return values;
  }

  int FPackage = NewPackageId();
  TScriptedDialogs dialogs;
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TAmLanguageSource* source = new TAmLanguageSource(form.get());
  TAmFormLocalizer* localizer = new TAmFormLocalizer(form.get());
  TFormDesigner designer{form.get()};
};

}  // namespace

TEST_F(DesignEditors, RegisterPutsTheFourComponentsOnTheirPageAndAboutRowsOpenTheAboutBox) {
  EXPECT_EQ(PaletteClasses("Ambit Localizer"),
            (std::vector<const TClass*>{&TAmFormLocalizer::StaticClass(), &TAmLanguageSource::StaticClass(),
                                        &TAmDBLanguageSource::StaticClass(), &TAmUserLanguageSource::StaticClass()}));
  auto editors = EditorsOf(localizer);
  EXPECT_EQ(editors.count("Originals"), 0u);
  ASSERT_EQ(editors.count("_Version"), 1u);
  EXPECT_EQ(editors.at("About")->GetValue(), "(About Ambit Localizer)");
  EXPECT_EQ(editors.at("_Version")->GetValue(), "1.51");
  EXPECT_EQ(EditorsOf(source).at("_Version")->GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
  dialogs.DriveModal([](TCustomForm* f) { FormAs<TfmAbout>(f); });
  editors.at("_Version")->Edit();
  EXPECT_EQ(dialogs.ModalForms().size(), 1u);
}

TEST_F(DesignEditors, ASourcesVerbsAndDoubleClickOpenItsEditorAndMarkTheFormModified) {
  EXPECT_EQ(designer.GetVerbs(source), (Names{"&About Ambit Localizer...", "&Edit Language Source..."}));
  EXPECT_TRUE(designer.IsModified());  // even asking for the verbs does
  designer.SetModified(false);
  dialogs.DriveModal([](TCustomForm* f) {
    EXPECT_EQ(FormAs<TfmLSEditor>(f)->lvLangs->Items()->Count(), 3);
    EXPECT_EQ(f->Caption(), "LanguageSource1: TAmLanguageSource");
  });
  dialogs.DriveModal([](TCustomForm* f) { FormAs<TfmLSEditor>(f); });
  dialogs.DriveModal([](TCustomForm* f) { FormAs<TfmAbout>(f); });
  EXPECT_TRUE(designer.EditComponent(source));
  EXPECT_TRUE(designer.IsModified());
  EXPECT_TRUE(designer.ExecuteVerb(source, 1));
  EXPECT_TRUE(designer.ExecuteVerb(source, 0));
  EXPECT_EQ(dialogs.ModalForms().size(), 3u);

  // A localizer's own editor: About only, and a double-click does nothing.
  designer.SetModified(false);
  TAmLocalizerEditor editor(localizer, &designer);
  EXPECT_EQ(editor.GetVerbCount(), 1);
  EXPECT_EQ(editor.GetVerb(1), "");
  editor.Edit();
  EXPECT_EQ(dialogs.ModalForms().size(), 3u);
  EXPECT_FALSE(designer.IsModified());
}

TEST_F(DesignEditors, ActiveLanguageShowsAndTakesLanguageNamesThroughTheSourcesOwnFileNameHandler) {
  Names opened;
  source->SetOnGetFileName([&](TObject*, std::string& FileName) { opened.push_back(FileName); });
  auto editors = EditorsOf(source);
  TPropertyEditor& active = *editors.at("ActiveLanguage");
  EXPECT_TRUE(active.GetAttributes().Contains(paValueList));
  EXPECT_TRUE(active.GetAttributes().Contains(paRevertable));
  EXPECT_EQ(active.GetValue(), "Russian");
  EXPECT_EQ(ValuesOf(active), (Names{"Original", "German", "Russian"}));
  active.SetValue("german");
  EXPECT_EQ(source->ActiveLanguage(), 0);
  EXPECT_EQ(opened, (Names{"de.lng"}));
  for (const char* notAName : {"1", "Original", "Deutsch"}) {
    active.SetValue("German");
    active.SetValue(notAName);
    EXPECT_EQ(source->ActiveLanguage(), -1) << notAName;
  }
  EXPECT_EQ(active.GetValue(), "Original");
  // The handler is the source's own again.
  std::string name = "x.lng";
  source->OnGetFileName()(source, name);
  EXPECT_EQ(opened.back(), "x.lng");
  // An index the list no longer has shows as a number.
  active.SetValue("Russian");
  source->Languages()->Delete(1);
  EXPECT_EQ(active.GetValue(), "1");
}

TEST_F(DesignEditors, FieldNamesComeFromTheDataSetWhichIsLeftClosed) {
  design_test::TTextsTable db;
  TAmDBLanguageSource table(form.get());
  auto fieldEditor = [&] {
    auto e = std::make_unique<TAmDBLanguageFieldEditor>(&designer, 1);
    e->SetPropEntry(0, table.DataFields(), GetPropInfo(table.DataFields(), "LanguageField"));
    return e;
  };
  EXPECT_TRUE(ValuesOf(*fieldEditor()).empty());  // no dataset
  table.SetDataSet(db.Table);
  EXPECT_TRUE(ValuesOf(*fieldEditor()).empty());  // no table: nothing raises
  db.Create();
  EXPECT_EQ(ValuesOf(*fieldEditor()), (Names{"id", "lang", "name"}));
  EXPECT_FALSE(db.Table->Active());
  EXPECT_TRUE(fieldEditor()->GetAttributes().Contains(paValueList));
  auto sub = EditorsOf(table.DataFields());
  EXPECT_EQ(ValuesOf(*sub.at("SectionField")), (Names{"id", "lang", "name"}));
}
