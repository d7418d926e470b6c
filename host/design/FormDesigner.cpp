#include "host/design/FormDesigner.h"

#include <algorithm>

#include "host/controls/Application.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/PageControl.h"
#include "host/controls/StdCtrls.h"
#include "host/core/ClassRegistry.h"
#include "host/design/DesignEditors.h"
#include "host/stream/FormWriter.h"

namespace host {

namespace {

void ForEachOwned(const TComponent* Owner, const std::function<void(TComponent*)>& Proc, int Depth = 0) {
  if (Depth > 64) return;
  for (TComponent* c : Owner->ComponentList()) {
    Proc(c);
    ForEachOwned(c, Proc, Depth + 1);
  }
}

}  // namespace

bool TFormDesigner::AcceptsControls(const TWinControl* Control) {
  return Is<TCustomForm>(Control) || Is<TPanel>(Control) || Is<TGroupBox>(Control) || Is<TTabSheet>(Control);
}

void ShowDesignError(const std::string& Message) {
  Application()->Dialogs().MessageDlg(Message, mtError, TMsgDlgButtons{mbOK});
}

// Hears of selected components that go, whoever frees them.
class TFormDesigner::TWatcher : public TComponent {
public:
  explicit TWatcher(TFormDesigner* Designer) : TComponent(nullptr), FDesigner(Designer) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) FDesigner->Forget(AComponent);
  }

private:
  TFormDesigner* FDesigner;
};

TFormDesigner::TFormDesigner(TComponent* Root) : FRoot(Root), FWatcher(std::make_unique<TWatcher>(this)) {
  if (!FRoot) throw EDesignError("A designer needs a form");
  FRoot->SetDesigning(true, true);
  PlaceIcons();
}

TFormDesigner::~TFormDesigner() {
  Notify(dcDestroying);
  FSelection.clear();
  FWatcher.reset();
}

// ---- state and selection ---------------------------------------------------------

void TFormDesigner::Modified() {
  FModified = true;
  Notify(dcModified);
}

void TFormDesigner::SetModified(bool Value) {
  if (FModified == Value) return;
  FModified = Value;
  Notify(dcModified);
}

void TFormDesigner::Forget(TComponent* Component) {
  const auto it = std::find(FSelection.begin(), FSelection.end(), Component);
  if (it == FSelection.end()) return;
  FSelection.erase(it);
  Notify(dcSelection);
}

bool TFormDesigner::Owns(const TComponent* Component) const {
  for (const TComponent* c = Component; c; c = c->Owner())
    if (c == FRoot) return true;
  return false;
}

void TFormDesigner::SetSelections(const TDesignerSelections& List) {
  TDesignerSelections next;
  for (TPersistent* p : List) {
    if (!p || std::find(next.begin(), next.end(), p) != next.end()) continue;
    if (auto* c = As<TComponent>(p)) {
      if (!Owns(c)) continue;
      c->FreeNotification(FWatcher.get());
    }
    next.push_back(p);
  }
  if (next == FSelection) return;
  FSelection = std::move(next);
  Notify(dcSelection);
}

void TFormDesigner::SelectComponent(TPersistent* Instance) {
  SetSelections(Instance ? TDesignerSelections{Instance} : TDesignerSelections{});
}

bool TFormDesigner::IsSelected(const TPersistent* Instance) const {
  return std::find(FSelection.begin(), FSelection.end(), Instance) != FSelection.end();
}

void TFormDesigner::ToggleSelection(TPersistent* Instance) {
  TDesignerSelections next = FSelection;
  const auto it = std::find(next.begin(), next.end(), Instance);
  if (it != next.end())
    next.erase(it);
  else
    next.push_back(Instance);
  SetSelections(next);
}

void TFormDesigner::ClearSelection() { SetSelections({}); }

TComponent* TFormDesigner::Current() const {
  for (TPersistent* p : FSelection)
    if (auto* c = As<TComponent>(p)) return c;
  return FRoot;
}

// ---- names ----------------------------------------------------------------------

std::string TFormDesigner::UniqueName(const std::string& BaseName) const {
  std::string stem = BaseName;
  if (stem.size() > 1 && (stem[0] == 'T' || stem[0] == 't')) stem.erase(0, 1);
  if (!IsValidIdent(stem)) stem = "Component";
  for (int i = 1;; ++i) {
    const std::string name = stem + std::to_string(i);
    if (!FRoot->FindComponent(name) && !SameText(FRoot->Name(), name)) return name;
  }
}

std::string TFormDesigner::GetComponentName(const TComponent* Component) const {
  return TFormWriter::ReferencePath(Component, {FRoot});
}

TComponent* TFormDesigner::GetComponent(std::string_view Name) const {
  const std::size_t dot = Name.find('.');
  const std::string_view first = Name.substr(0, dot);
  TComponent* c = SameText(FRoot->Name(), first) ? FRoot : FRoot->FindComponent(first);
  if (!c && FOtherForms)
    for (TComponent* form : FOtherForms())
      if (form && SameText(form->Name(), first)) c = form;
  if (!c) c = FindGlobalComponent(first);
  std::string_view rest = dot == std::string_view::npos ? std::string_view{} : Name.substr(dot + 1);
  while (c && !rest.empty()) {
    const std::size_t next = rest.find('.');
    c = c->FindComponent(rest.substr(0, next));
    rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next + 1);
  }
  return c;
}

void TFormDesigner::GetComponentNames(const TClass& Class, const TGetStrProc& Proc) const {
  auto offer = [&](TComponent* c) {
    if (!c->InheritsFrom(Class) || c->Name().empty()) return;
    const std::string name = GetComponentName(c);
    if (!name.empty()) Proc(name);
  };
  std::vector<TComponent*> forms{FRoot};
  if (FOtherForms)
    for (TComponent* form : FOtherForms())
      if (form && form != FRoot) forms.push_back(form);
  for (TComponent* form : forms) {
    offer(form);
    ForEachOwned(form, offer);
  }
}

// ---- creating and changing components -----------------------------------------------

TComponent* TFormDesigner::CreateComponent(const TClass& ComponentClass, TWinControl* Parent, int Left, int Top,
                                           int Width, int Height) {
  const TRegisteredClass* rc = FindRegisteredClass(ComponentClass.Name());
  if (!rc || !rc->Create) throw EDesignError("Class " + ComponentClass.Name() + " is not registered");
  const bool control = ComponentClass.InheritsFrom(TControl::StaticClass());
  TWinControl* parent = Parent ? Parent : As<TWinControl>(FRoot);
  if (control && !parent) throw EDesignError(FRoot->Name() + " cannot hold controls");
  if (Parent && !Owns(Parent)) throw EDesignError("The parent is not on " + FRoot->Name());
  std::unique_ptr<TComponent> made(rc->Create(FRoot));
  if (!made) throw EDesignError("Cannot create a " + ComponentClass.Name());
  made->SetDesigning(true, true);
  made->SetName(UniqueName(ComponentClass.Name()));
  if (auto* c = As<TControl>(made.get())) {
    auto* sheet = As<TTabSheet>(c);
    if (auto* pages = As<TPageControl>(parent); sheet && pages)
      sheet->SetPageControl(pages);
    else
      c->SetParent(parent);
    c->SetBounds(Left, Top, Width > 0 ? Width : c->Width(), Height > 0 ? Height : c->Height());
  } else {
    made->SetDesignPosition(std::max(0, Left), std::max(0, Top));
  }
  TComponent* result = made.release();
  Modified();
  Notify(dcComponents);
  SelectComponent(result);
  return result;
}

TWinControl* TFormDesigner::TargetContainer() const {
  for (TComponent* c = Current(); c; c = As<TControl>(c) ? As<TControl>(c)->Parent() : nullptr) {
    auto* w = As<TWinControl>(c);
    if (w && AcceptsControls(w) && (w == FRoot || w->Owner() == FRoot)) return w;
    if (!As<TControl>(c)) break;
  }
  return As<TWinControl>(FRoot);
}

TComponent* TFormDesigner::Place(const TClass& ComponentClass, TWinControl* Container, int Left, int Top) {
  // A page goes into a page control, wherever it was dropped.
  if (ComponentClass.InheritsFrom(TTabSheet::StaticClass()))
    if (auto* pages = As<TPageControl>(Current())) Container = pages;
  return CreateComponent(ComponentClass, Container, Left, Top);
}

TComponent* TFormDesigner::AddComponent(const TClass& ComponentClass) {
  TWinControl* container = TargetContainer();
  if (!ComponentClass.InheritsFrom(TControl::StaticClass())) {
    const TPoint spot = FreeIconSpots(1).front();
    return Place(ComponentClass, container, spot.X, spot.Y);
  }
  // Cascade from the top left until a spot no sibling starts at.
  int pos = 8;
  if (container)
    while (std::any_of(container->ControlList().begin(), container->ControlList().end(),
                       [&](const TControl* c) { return c->Left() == pos && c->Top() == pos; }))
      pos += 8;
  return Place(ComponentClass, container, pos, pos);
}

TComponent* TFormDesigner::DropComponent(const TClass& ComponentClass, int X, int Y) {
  if (!ComponentClass.InheritsFrom(TControl::StaticClass()))
    return Place(ComponentClass, As<TWinControl>(FRoot), X, Y);
  TWinControl* container = ContainerAt(X, Y);
  const TRect r = FormBounds(container);
  return Place(ComponentClass, container, X - r.Left, Y - r.Top);
}

void TFormDesigner::DeleteSelection() {
  bool deleted = false;
  for (;;) {
    TComponent* doomed = nullptr;
    for (TPersistent* p : FSelection)
      if (auto* c = As<TComponent>(p); c && c != FRoot && c->Owner() == FRoot) {
        doomed = c;
        break;
      }
    if (!doomed) break;
    // The watcher takes it, and whatever goes with it, out of the selection.
    delete doomed;
    deleted = true;
  }
  if (!deleted) return;
  Modified();
  Notify(dcComponents);
  SelectComponent(FRoot);
}

void TFormDesigner::RenameComponent(TComponent* Component, const std::string& NewName) {
  if (!Component || !Owns(Component)) throw EDesignError("The component is not on " + FRoot->Name());
  if (Component->Name() == NewName) return;
  Component->SetName(NewName);
  Modified();
  Notify(dcComponents);
}

void TFormDesigner::SetControlBounds(TControl* Control, int Left, int Top, int Width, int Height) {
  if (!Control || !Owns(Control)) return;
  Control->SetBounds(Left, Top, Width, Height);
  Modified();
}

void TFormDesigner::MoveSelection(int DeltaX, int DeltaY) {
  bool moved = false;
  for (TPersistent* p : FSelection) {
    auto* c = As<TComponent>(p);
    if (!c || c == FRoot || c->Owner() != FRoot) continue;
    if (auto* control = As<TControl>(c)) {
      control->SetBounds(control->Left() + DeltaX, control->Top() + DeltaY, control->Width(), control->Height());
    } else {
      c->SetDesignPosition(std::max(0, c->DesignLeft() + DeltaX), std::max(0, c->DesignTop() + DeltaY));
    }
    moved = true;
  }
  if (moved) Modified();
}

// ---- component editors -------------------------------------------------------------

void TFormDesigner::Run(const std::function<void()>& Action, bool& Ok) {
  try {
    Action();
    Ok = true;
  } catch (const std::exception& e) {
    ShowDesignError(e.what());
    Ok = false;
  }
}

std::vector<std::string> TFormDesigner::GetVerbs(TComponent* Component) {
  std::vector<std::string> verbs;
  bool ok = false;
  Run([&] {
    auto editor = GetComponentEditor(Component, this);
    const int count = editor ? editor->GetVerbCount() : 0;
    for (int i = 0; i < count; ++i) verbs.push_back(editor->GetVerb(i));
  }, ok);
  return verbs;
}

bool TFormDesigner::ExecuteVerb(TComponent* Component, int Index) {
  bool ok = false;
  Run([&] {
    if (auto editor = GetComponentEditor(Component, this)) editor->ExecuteVerb(Index);
  }, ok);
  return ok;
}

bool TFormDesigner::EditComponent(TComponent* Component) {
  bool ok = false;
  Run([&] {
    if (auto editor = GetComponentEditor(Component, this)) editor->Edit();
  }, ok);
  return ok;
}

void TFormDesigner::PopulateContextMenu(TPopupMenu* Menu, TComponent* Component) {
  if (!Menu) return;
  Menu->Items()->Clear();
  if (!Component || !Owns(Component)) return;
  // A verb acts on a component that is still on the form when it is chosen.
  auto alive = [this](TComponent* C) {
    if (C == FRoot) return true;
    bool found = false;
    ForEachOwned(FRoot, [&](TComponent* c) { found = found || c == C; });
    return found;
  };
  auto add = [&](const std::string& Caption, std::function<void()> Action) {
    auto* item = new TMenuItem(Menu);
    item->SetCaption(Caption);
    if (Action) item->SetOnClick([Action](TObject*) { Action(); });
    Menu->Items()->Add(item);
    return item;
  };
  bool ok = false;
  int verbs = 0;
  Run([&] {
    auto editor = GetComponentEditor(Component, this);
    verbs = editor ? editor->GetVerbCount() : 0;
    for (int i = 0; i < verbs; ++i) {
      TMenuItem* item = add(editor->GetVerb(i), [this, Component, i, alive] {
        if (alive(Component)) ExecuteVerb(Component, i);
      });
      editor->PrepareItem(i, item);
    }
  }, ok);
  if (Component == FRoot) return;
  if (verbs > 0) add("-", nullptr);
  add("&Delete", [this, Component, alive] {
    if (!alive(Component)) return;
    SelectComponent(Component);
    DeleteSelection();
  });
}

}  // namespace host
