// The designer of one form: it owns the selection, carries out the design
// commands (add, delete, rename, move and resize), runs the component
// editors' verbs and tells its views what changed. A design surface only
// paints the form and forwards the mouse here: hit tests and the places of
// the components that are no controls are part of this model.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/ControlTypes.h"
#include "host/design/DesignIntf.h"
#include "host/design/Listeners.h"

namespace host {

class TControl;
class TPopupMenu;

enum TDesignChange {
  dcSelection,   // the selection changed
  dcModified,    // the form changed, or its modified state did
  dcComponents,  // components were added, deleted or renamed
  dcDestroying,  // the designer is going: its views let go of it
};

// Shows an error of a design command through the dialogs service.
void ShowDesignError(const std::string& Message);

class TFormDesigner : public IDesigner {
public:
  // Root stays owned by the caller and must outlive the designer. The
  // components already on the form are taken into design state.
  explicit TFormDesigner(TComponent* Root);
  ~TFormDesigner() override;
  TFormDesigner(const TFormDesigner&) = delete;
  TFormDesigner& operator=(const TFormDesigner&) = delete;

  // The other open forms, which references may lead into.
  using TFormsProvider = std::function<std::vector<TComponent*>()>;
  void SetFormsProvider(TFormsProvider Value) { FOtherForms = std::move(Value); }

  // ---- IDesigner ----
  void Modified() override;
  TComponent* GetRoot() const override { return FRoot; }
  TDesignerSelections GetSelections() const override { return FSelection; }
  void SetSelections(const TDesignerSelections& List) override;
  void SelectComponent(TPersistent* Instance) override;
  std::string UniqueName(const std::string& BaseName) const override;
  std::string GetComponentName(const TComponent* Component) const override;
  TComponent* GetComponent(std::string_view Name) const override;
  void GetComponentNames(const TClass& Class, const TGetStrProc& Proc) const override;
  TComponent* CreateComponent(const TClass& ComponentClass, TWinControl* Parent, int Left, int Top, int Width = 0,
                              int Height = 0) override;

  // ---- state ----
  bool IsModified() const { return FModified; }
  // Saving clears it; views hear dcModified.
  void SetModified(bool Value);

  // ---- selection ----
  bool IsSelected(const TPersistent* Instance) const;
  // Adds to the selection, or takes out what is selected already (a
  // shift-click).
  void ToggleSelection(TPersistent* Instance);
  void ClearSelection();
  // The first selected component; the form when nothing is selected.
  TComponent* Current() const;

  // ---- commands ----
  // Adds a component of a palette class into the selected container (the
  // form, a panel, a group box; a selected control's parent otherwise) at
  // a free spot, and selects it.
  TComponent* AddComponent(const TClass& ComponentClass);
  // The same at a point of the form (client coordinates): into the
  // container under the point.
  TComponent* DropComponent(const TClass& ComponentClass, int X, int Y);
  // Deletes the selected components (never the form) and what they hold.
  void DeleteSelection();
  // Raises EComponentError for a name the component cannot take.
  void RenameComponent(TComponent* Component, const std::string& NewName);
  // Moves or resizes a control (coordinates of its parent).
  void SetControlBounds(TControl* Control, int Left, int Top, int Width, int Height);
  // Moves every selected control and component icon by a distance.
  void MoveSelection(int DeltaX, int DeltaY);

  // ---- component editors ----
  // The verbs of the component's editor, in order.
  std::vector<std::string> GetVerbs(TComponent* Component);
  // Run the verb or the double-click action. An error is shown through the
  // dialogs service and gives false.
  bool ExecuteVerb(TComponent* Component, int Index);
  bool EditComponent(TComponent* Component);
  // Fills a context menu: the editor's verbs first (each prepared by the
  // editor), then the designer's own items. Items belong to the menu.
  void PopulateContextMenu(TPopupMenu* Menu, TComponent* Component);

  // ---- the surface ----
  // Components that are no controls show as icons of this size, each in
  // a cell with room for its name under it.
  static constexpr int IconSize = 28;
  static constexpr int IconCellWidth = 72;
  static constexpr int IconCellHeight = 48;
  // The icon of such a component, in form client coordinates.
  TRect IconRect(const TComponent* Component) const;
  void SetIconPosition(TComponent* Component, int X, int Y);
  // A control's bounds in form client coordinates.
  TRect FormBounds(const TControl* Control) const;
  // What a click at a point of the form hits: an icon, else the innermost
  // visible control, else the form.
  TComponent* ComponentAt(int X, int Y) const;
  // The container a drop at a point goes into.
  TWinControl* ContainerAt(int X, int Y) const;
  // The components that are no controls, in creation order.
  std::vector<TComponent*> NonVisualComponents() const;
  // Whether a control shows on the form: it and its parents are visible,
  // and a page only while it is its page control's active one.
  bool IsShowing(const TControl* Control) const;
  // The structure tree: under the form its controls (in Controls order)
  // and then its other components; under a container its controls; under
  // a menu its items, under an item its sub-items, under an action list
  // its actions.
  std::vector<TComponent*> StructureChildren(const TComponent* Node) const;

  int Subscribe(std::function<void(TDesignChange)> Listener) { return FListeners.Add(std::move(Listener)); }
  void Unsubscribe(int Id) { FListeners.Remove(Id); }
  void Notify(TDesignChange Change) { FListeners.Notify(Change); }

private:
  class TWatcher;
  // Containers the designer drops controls into. Frames are placed whole:
  // their content belongs to the frame.
  static bool AcceptsControls(const TWinControl* Control);
  void Forget(TComponent* Component);
  TWinControl* TargetContainer() const;
  TComponent* Place(const TClass& ComponentClass, TWinControl* Container, int Left, int Top);
  bool Owns(const TComponent* Component) const;
  void PlaceIcons();
  // Places for Count more icons where they cover neither a control on the
  // form nor another icon, row by row from the top left; when the form is
  // full, the places of a plain row at its top left.
  std::vector<TPoint> FreeIconSpots(std::size_t Count) const;
  void Run(const std::function<void()>& Action, bool& Ok);

  TComponent* FRoot;
  TDesignerSelections FSelection;
  std::unique_ptr<TWatcher> FWatcher;
  bool FModified = false;
  TFormsProvider FOtherForms;
  TListeners<TDesignChange> FListeners;
};

}  // namespace host
