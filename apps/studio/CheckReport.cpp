#include "apps/studio/CheckReport.h"

#include <functional>

#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/core/CaseFold.h"
#include "host/design/DesignEnvironment.h"
#include "host/design/ObjectInspector.h"
#include "host/stream/FormWriter.h"

namespace ambit::studio {

using namespace host;

namespace {

// A line of a message as an indented block: every line keeps the indent.
void WriteIndented(std::ostream& Out, const std::string& Indent, const std::string& Text) {
  std::size_t start = 0;
  while (start <= Text.size()) {
    std::size_t end = Text.find('\n', start);
    if (end == std::string::npos) end = Text.size();
    std::string line = Text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Out << Indent << line << "\n";
    start = end + 1;
  }
}

std::string AttributeMarks(const TObjectInspector& Inspector, int Row) {
  std::string marks;
  auto mark = [&](bool On, const char* Text) {
    if (!On) return;
    marks += marks.empty() ? " [" : ", ";
    marks += Text;
  };
  mark(Inspector.HasValueList(Row), "list");
  mark(Inspector.HasDialog(Row), "dialog");
  mark(Inspector.ReadOnly(Row), "read-only");
  mark(Inspector.Expandable(Row), "expandable");
  return marks.empty() ? marks : marks + "]";
}

void WriteComponent(TFormDesigner& Designer, TObjectInspector& Inspector, TComponent* Component,
                    std::ostream& Out) {
  Out << "    " << (Component->Name().empty() ? std::string("(unnamed)") : Component->Name()) << ": "
      << TFormWriter::DeclaredClassName(*Component) << "\n";
  const std::vector<std::string> verbs = Designer.GetVerbs(Component);
  Out << "      verbs:";
  if (verbs.empty()) Out << " none";
  for (const std::string& v : verbs) Out << " \"" << v << "\"";
  Out << "\n";
  Designer.SelectComponent(Component);
  for (int row = 0; row < Inspector.RowCount(); ++row)
    Out << "      " << Inspector.Name(row) << " = " << Inspector.Value(row) << AttributeMarks(Inspector, row) << "\n";
}

void ForEachOwned(TComponent* Owner, const std::function<void(TComponent*)>& Proc) {
  for (TComponent* c : Owner->ComponentList()) {
    Proc(c);
    ForEachOwned(c, Proc);
  }
}

}  // namespace

void WriteDesignReport(TDesignEnvironment& Environment, std::ostream& Out) {
  Out << "Packages:\n";
  if (Environment.Packages().Packages().empty()) Out << "  none\n";
  for (const auto& p : Environment.Packages().Packages()) Out << "  " << p.FileName << "\n";

  Out << "Palette:\n";
  for (const std::string& page : PalettePages()) {
    Out << "  " << page << ":";
    for (const TClass* c : PaletteClasses(page)) Out << " " << c->Name();
    Out << "\n";
  }

  Out << "Tools menu:\n";
  if (TMainMenu* menu = Environment.MainMenu())
    for (int i = 0; i < menu->Items()->Count(); ++i) {
      TMenuItem* top = menu->Items()->Items(i);
      if (!SameText(top->Name(), "ToolsMenu")) continue;
      for (int k = 0; k < top->Count(); ++k) Out << "  " << top->Items(k)->Caption() << "\n";
    }

  Out << "Forms:\n";
  for (TFormModule* module : Environment.FormModules()) {
    Out << "  " << module->Root()->Name() << " (" << module->FileName() << ")\n";
    TFormDesigner& designer = *module->Designer();
    const TDesignerSelections selection = designer.GetSelections();
    TObjectInspector inspector;
    inspector.SetDesigner(&designer);
    WriteComponent(designer, inspector, module->Root(), Out);
    ForEachOwned(module->Root(), [&](TComponent* c) { WriteComponent(designer, inspector, c, Out); });
    designer.SetSelections(selection);
  }
}

void RunWizards(std::ostream& Out) {
  Out << "Wizards:\n";
  if (WizardCount() == 0) Out << "  none\n";
  for (int i = 0; i < WizardCount(); ++i) {
    IOTAWizard* wizard = Wizards(i);
    Out << "  " << wizard->GetIDString() << " \"" << wizard->GetName() << "\"\n";
    if (!wizard->GetState().Contains(wsEnabled)) {
      Out << "    disabled\n";
      continue;
    }
    TScriptedDialogs dialogs;
    try {
      wizard->Execute();
    } catch (const std::exception& e) {
      Out << "    error: " << e.what() << "\n";
    }
    for (const auto& m : dialogs.Messages()) WriteIndented(Out, "    ", m.Msg);
    for (const auto& f : dialogs.ModalForms())
      Out << "    window " << f.FormName << " \"" << f.Caption << "\" (cancelled)\n";
  }
}

}  // namespace ambit::studio
