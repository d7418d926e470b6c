// A demo plug-in that uses every design-time service: a component on its
// own palette page with two verbs (one shows a modal dialog made of host
// controls), a value-list property editor, a dialog property editor, a
// hidden property, and a package wizard that puts an item on the Tools
// menu and lists the forms of the current project.
#include <memory>
#include <string>

#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"
#include "host/core/CaseFold.h"
#include "host/design/DesignEditors.h"
#include "host/design/DesignPackage.h"
#include "host/design/ToolsAPI.h"

using namespace host;

namespace demo {

#ifdef DEMO_FAIL_REGISTER
constexpr const char* GreeterClassName = "TFailingGreeter";
#else
constexpr const char* GreeterClassName = "TDemoGreeter";
#endif

class TDemoGreeter : public TComponent {
  HOST_CLASS(TDemoGreeter)
public:
  using TComponent::TComponent;
  const std::string& Greeting() const { return FGreeting; }
  void SetGreeting(const std::string& v) { FGreeting = v; }
  const std::string& Audience() const { return FAudience; }
  void SetAudience(const std::string& v) { FAudience = v; }
  const std::string& Secret() const { return FSecret; }
  void SetSecret(const std::string& v) { FSecret = v; }
  std::string Message() const { return FGreeting + ", " + FAudience + "!"; }

private:
  std::string FGreeting = "Hello";
  std::string FAudience = "world";
  std::string FSecret;
};

const TClass& TDemoGreeter::StaticClass() {
  static const TClass cls = TClassBuilder<TDemoGreeter>(GreeterClassName, &TComponent::StaticClass())
                                .Prop("Greeting", &TDemoGreeter::Greeting, &TDemoGreeter::SetGreeting)
                                .Prop("Audience", &TDemoGreeter::Audience, &TDemoGreeter::SetAudience)
                                .Prop("Secret", &TDemoGreeter::Secret, &TDemoGreeter::SetSecret)
                                .Build();
  return cls;
}
const TClass& TDemoGreeter::ClassType() const { return StaticClass(); }

// A small modal window: a label or an edit above OK (and Cancel).
std::unique_ptr<TForm> MakeDialog(const std::string& Name, const std::string& Caption, bool WithCancel) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName(Name);
  form->SetCaption(Caption);
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetClientWidth(300);
  form->SetClientHeight(90);
  auto* ok = new TButton(form.get());
  ok->SetName("OKButton");
  ok->SetParent(form.get());
  ok->SetCaption("OK");
  ok->SetBounds(WithCancel ? 132 : 213, 56, 75, 25);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  if (WithCancel) {
    auto* cancel = new TButton(form.get());
    cancel->SetName("CancelButton");
    cancel->SetParent(form.get());
    cancel->SetCaption("Cancel");
    cancel->SetBounds(213, 56, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
  }
  return form;
}

class TGreeterEditor : public TComponentEditor {
public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  std::string GetVerb(int Index) override { return Index == 0 ? "&Greet..." : "&Reset Greeting"; }
  void ExecuteVerb(int Index) override {
    auto* greeter = static_cast<TDemoGreeter*>(Component());
    if (Index == 0) {
      auto dialog = MakeDialog("GreetingDialog", "Greeting", false);
      auto* message = new TLabel(dialog.get());
      message->SetName("MessageLabel");
      message->SetParent(dialog.get());
      message->SetBounds(12, 16, 276, 16);
      message->SetCaption(greeter->Message());
      dialog->ShowModal();
    } else if (Index == 1) {
      greeter->SetGreeting("Hello");
      greeter->SetAudience("world");
      Designer()->Modified();
    }
  }
};

class TGreetingProperty : public TStringProperty {
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() const override {
    return TStringProperty::GetAttributes() + TPropertyAttributes{paValueList};
  }
  void GetValues(const TGetStrProc& Proc) const override {
    for (const char* s : {"Hello", "Good morning", "Good evening"}) Proc(s);
  }
};

class TAudienceProperty : public TStringProperty {
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() const override {
    return TStringProperty::GetAttributes() + TPropertyAttributes{paDialog};
  }
  void Edit() override {
    auto dialog = MakeDialog("AudienceDialog", "Audience", true);
    auto* edit = new TEdit(dialog.get());
    edit->SetName("AudienceEdit");
    edit->SetParent(dialog.get());
    edit->SetBounds(12, 16, 276, 21);
    edit->SetText(GetStrValue());
    if (dialog->ShowModal() == mrOk) SetStrValue(edit->Text());
  }
};

// Lists the forms of the current project from the Tools menu.
class TFormListerWizard : public TNotifierObject, public IOTAWizard {
public:
  TFormListerWizard() {
    IIDEServices* services = IDEServices();
    TMainMenu* menu = services && services->NTAServices() ? services->NTAServices()->MainMenu() : nullptr;
    TMenuItem* tools = nullptr;
    if (menu)
      for (int i = 0; i < menu->Items()->Count(); ++i)
        if (SameText(menu->Items()->Items(i)->Name(), "ToolsMenu")) tools = menu->Items()->Items(i);
    if (!tools) return;
    FItem = std::make_unique<TMenuItem>(nullptr);
    FItem->SetName("ToolsListFormsItem");
    FItem->SetCaption("&List Project Forms...");
    FItem->SetOnClick([this](TObject*) { ListForms(); });
    FSeparator = std::make_unique<TMenuItem>(nullptr);
    FSeparator->SetCaption("-");
    int at = tools->Count() - 1;
    for (int i = 0; i < tools->Count(); ++i)
      if (tools->Items(i)->Caption() == "-") {
        at = i;
        break;
      }
    at = std::max(at, 0);
    tools->Insert(at, FItem.get());
    tools->Insert(at, FSeparator.get());
  }
  // Freeing an item takes it out of its menu.
  ~TFormListerWizard() override = default;

  std::string GetIDString() const override { return "Ambit.Demo.FormLister"; }
  std::string GetName() const override { return "Demo Form Lister"; }
  TWizardState GetState() const override { return {wsEnabled}; }
  void Execute() override { ListForms(); }

private:
  void ListForms() {
    IOTAProject* project = GetActiveProject();
    if (!project) {
      MessageDlg("No project opened", mtError, TMsgDlgButtons{mbOK});
      return;
    }
    IIDEServices* services = IDEServices();
    std::vector<std::string> opened;
    std::string text = "Forms of " + project->FileName() + ":";
    for (int i = 0; i < project->GetModuleCount(); ++i) {
      IOTAModuleInfo* info = project->GetModule(i);
      if (!info || info->FormName().empty()) continue;
      if (!services->ModuleServices()->FindModule(info->FileName())) {
        if (!services->ActionServices()->OpenFile(info->FileName())) continue;
        opened.push_back(info->FileName());
      }
      IOTAModule* module = info->OpenModule();
      auto* editor = module ? dynamic_cast<IOTAFormEditor*>(module->GetModuleFileEditor(1)) : nullptr;
      if (!editor) continue;
      editor->Show();
      TComponent* form = editor->GetRootComponent() ? editor->GetRootComponent()->GetComponent() : nullptr;
      if (!form) continue;
      text += "\n" + form->Name() + " (" + std::to_string(form->ComponentCount()) + " components)";
    }
    MessageDlg(text, mtInformation, TMsgDlgButtons{mbOK});
    for (const std::string& file : opened) services->ActionServices()->CloseFile(file);
  }

  std::unique_ptr<TMenuItem> FItem;
  std::unique_ptr<TMenuItem> FSeparator;
};

void Register() {
  RegisterComponents<TDemoGreeter>("Demo");
  RegisterComponentEditor<TGreeterEditor>(TDemoGreeter::StaticClass());
  RegisterPropertyEditor<TGreetingProperty>(TypeInfo<std::string>(), &TDemoGreeter::StaticClass(), "Greeting");
  RegisterPropertyEditor<TAudienceProperty>(TypeInfo<std::string>(), &TDemoGreeter::StaticClass(), "Audience");
  RegisterPropertyEditor(TypeInfo<std::string>(), &TDemoGreeter::StaticClass(), "Secret", nullptr);
  RegisterPackageWizard(std::make_unique<TFormListerWizard>());
#ifdef DEMO_FAIL_REGISTER
  throw EDesignError("The failing demo gives up");
#endif
}

}  // namespace demo

HOST_PACKAGE(demo::Register)
