// TControl: the base of every control model. A control has a Parent (the
// windowed control that shows it) that is distinct from its Owner (the
// component that frees it), one text field published as Caption or Text,
// bounds and alignment, a font and a reading order that follow the parent's
// while ParentFont and ParentBiDiMode are set, an optional action link and
// an optional peer.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "host/controls/ControlTypes.h"
#include "host/controls/Peer.h"
#include "host/core/Component.h"
#include "host/core/Events.h"
#include "host/core/Graphics.h"

namespace host {

class TWinControl;
class TPopupMenu;

// An operation that the state of a control does not allow.
class EInvalidOperation : public Exception {
  using Exception::Exception;
};

// The largest size or distance a control may have (Qt's own limit for a
// widget): positions and sizes within it can be added up without
// overflow, and nothing larger could be shown anyway.
constexpr int MaxControlExtent = 16777215;
// Raises EInvalidOperation naming Property (ExtentError) when Value is
// larger than MaxControlExtent (or, for a position, lies below its
// negative). Inline: every control read or laid out passes here.
[[noreturn]] void ExtentError(const char* Property, int Value);
inline void CheckExtent(const char* Property, int Value, bool Position) {
  if (Value > MaxControlExtent || (Position && Value < -MaxControlExtent)) ExtentError(Property, Value);
}

class TBasicAction;
class TControlActionLink;
class TCustomForm;
class TControl;

// Minimum and maximum size of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
  HOST_CLASS(TSizeConstraints)
public:
  explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  void Assign(const TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  // Clamps a size to the limits.
  void Apply(int& Width, int& Height) const;
  // No limit set.
  bool None() const { return (FMaxHeight | FMaxWidth | FMinHeight | FMinWidth) == 0; }

private:
  void Changed();
  TControl* FControl;
  int FMaxHeight = 0;
  int FMaxWidth = 0;
  int FMinHeight = 0;
  int FMinWidth = 0;
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, TKey& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
// DragObject starts null; a handler may leave an object of its own (owned
// by the handler) that then stands for the drag's source.
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// The handlers of a control (and of a windowed one). Few controls of a form
// have any, so they live in one block made when the first is set: a control
// without handlers stays a few hundred bytes smaller.
struct TControlHandlers {
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  TContextPopupEvent OnContextPopup;
  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
};

class TControl : public TComponent {
  HOST_CLASS(TControl)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // ---- parent and bounds ----
  TWinControl* Parent() const { return FParent; }
  // Moves the control into AParent's Controls (or out of any parent). A
  // control cannot be its own parent or a parent of its parents.
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Applies the constraints, tells the peer and realigns the parent's
  // aligned controls (and this control's own, when it is a container).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // Sets the bounds without realigning the parent: for containers that lay
  // out their children.
  void SetBoundsFromParent(int ALeft, int ATop, int AWidth, int AHeight, bool TellPeer = true);
  TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  // The models have no non-client frame: the client area is the bounds.
  virtual int ClientWidth() const { return FWidth; }
  virtual void SetClientWidth(int Value) { SetWidth(Value); }
  virtual int ClientHeight() const { return FHeight; }
  virtual void SetClientHeight(int Value) { SetHeight(Value); }
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
  // Coordinates relative to the top-level form's origin at its Left/Top.
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value) { FAnchors = Value; }
  TSizeConstraints* Constraints() const { return &FConstraints; }
  void SetConstraints(const TSizeConstraints* Value) { FConstraints.Assign(Value); }
  // The top-level form showing the control (itself when it is one); null
  // when it is on none.
  TCustomForm* GetParentForm() const;

  // ---- text ----
  // One text field, published as Caption by some classes and as Text by
  // others; classes with a richer text (TMemo) override both.
  virtual std::string Text() const { return FText; }
  // Text() without a copy, valid until the text changes; null where Text()
  // builds the text. A class that overrides Text() overrides this too.
  virtual const std::string* TextRef() const { return &FText; }
  virtual void SetText(const std::string& Value);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);

  // ---- font and reading order ----
  TFont* Font() const { return &FFont; }
  void SetFont(const TFont* Value) { FFont.Assign(Value); }
  // While true the font is a copy of the parent's and follows it; changing
  // any font property by hand clears it.
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);

  // ---- state ----
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all parents.
  bool Showing() const;
  // Puts the control above its siblings (last in its parent's Controls)
  // and its widget above theirs; a form's window comes above the others.
  void BringToFront();
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value);

  // ---- actions ----
  TBasicAction* Action() const;
  // Links the control to an action: it takes the action's Caption, Hint,
  // Enabled and Visible (and the class's other linked properties) and
  // follows later changes; clicking executes the action. Null unlinks and
  // keeps the current values.
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return FActionLink.get(); }
  // Stored predicates: a linked property is not stored while it equals the
  // action's.
  bool IsCaptionStored() const;
  bool IsHintStored() const;
  bool IsEnabledStored() const;
  bool IsVisibleStored() const;

  // ---- events reported by the peer (or called by code) ----
  // Fires OnClick, or executes the linked action when OnClick is not set.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  // A context-menu request at MousePos (control coordinates): fires
  // OnContextPopup and, unless handled, shows PopupMenu. True when handled.
  bool ContextPopup(TPoint MousePos);
  // Drag and drop: the source starts and ends, the target is asked and
  // dropped on. DragOver accepts only when OnDragOver is set and leaves
  // Accept true.
  void BeginDrag();
  bool Dragging() const { return FDragging; }
  // The object standing for this control's drag (what OnStartDrag left, or
  // the control itself).
  TObject* DragObject() const { return FDragObject ? FDragObject : const_cast<TControl*>(this); }
  bool DragOver(TObject* Source, int X, int Y, TDragState State);
  void DragDrop(TObject* Source, int X, int Y);
  void EndDrag(TObject* Target, int X, int Y);
  // The user moved or resized the control (a splitter, a form's frame).
  void UserSetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // The user edited the text: the model takes it without echoing it to the
  // peer and fires the class's change event.
  virtual void UserSetText(const std::string& Value);

  const TNotifyEvent& OnClick() const { return Handler(&TControlHandlers::OnClick); }
  void SetOnClick(TNotifyEvent Value) { SetHandler(&TControlHandlers::OnClick, std::move(Value)); }
  const TNotifyEvent& OnDblClick() const { return Handler(&TControlHandlers::OnDblClick); }
  void SetOnDblClick(TNotifyEvent Value) { SetHandler(&TControlHandlers::OnDblClick, std::move(Value)); }
  const TMouseEvent& OnMouseDown() const { return Handler(&TControlHandlers::OnMouseDown); }
  void SetOnMouseDown(TMouseEvent Value) { SetHandler(&TControlHandlers::OnMouseDown, std::move(Value)); }
  const TMouseEvent& OnMouseUp() const { return Handler(&TControlHandlers::OnMouseUp); }
  void SetOnMouseUp(TMouseEvent Value) { SetHandler(&TControlHandlers::OnMouseUp, std::move(Value)); }
  const TMouseMoveEvent& OnMouseMove() const { return Handler(&TControlHandlers::OnMouseMove); }
  void SetOnMouseMove(TMouseMoveEvent Value) { SetHandler(&TControlHandlers::OnMouseMove, std::move(Value)); }
  const TDragOverEvent& OnDragOver() const { return Handler(&TControlHandlers::OnDragOver); }
  void SetOnDragOver(TDragOverEvent Value) { SetHandler(&TControlHandlers::OnDragOver, std::move(Value)); }
  const TDragDropEvent& OnDragDrop() const { return Handler(&TControlHandlers::OnDragDrop); }
  void SetOnDragDrop(TDragDropEvent Value) { SetHandler(&TControlHandlers::OnDragDrop, std::move(Value)); }
  const TStartDragEvent& OnStartDrag() const { return Handler(&TControlHandlers::OnStartDrag); }
  void SetOnStartDrag(TStartDragEvent Value) { SetHandler(&TControlHandlers::OnStartDrag, std::move(Value)); }
  const TEndDragEvent& OnEndDrag() const { return Handler(&TControlHandlers::OnEndDrag); }
  void SetOnEndDrag(TEndDragEvent Value) { SetHandler(&TControlHandlers::OnEndDrag, std::move(Value)); }
  const TContextPopupEvent& OnContextPopup() const { return Handler(&TControlHandlers::OnContextPopup); }
  void SetOnContextPopup(TContextPopupEvent Value) { SetHandler(&TControlHandlers::OnContextPopup, std::move(Value)); }
  const TNotifyEvent& OnResize() const { return Handler(&TControlHandlers::OnResize); }
  void SetOnResize(TNotifyEvent Value) { SetHandler(&TControlHandlers::OnResize, std::move(Value)); }

  // ---- the peer ----
  IControlPeer* Peer() const { return FPeer.get(); }
  bool HandleAllocated() const { return FPeer != nullptr; }
  // Creates the peer through the application's widgetset (when there is
  // one and the parent has a peer, or this is a form) and pushes the whole
  // state; windowed controls then do the same for their children.
  virtual void HandleNeeded();
  // Destroys the peer (children's first).
  virtual void DestroyPeer();
  // Tells the peer that an aspect changed (nothing without a peer, while
  // the peer itself is reporting a user change, or while destroying).
  void PeerChanged(TPeerChange Change) const;

  // ---- streaming hooks ----
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const std::string& NewName) override;

  // Internal: the action link calls these to change linked values without
  // breaking the link.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);

  // Internal, called by the parent when its font, reading order, colour or
  // hint setting changed.
  virtual void ParentFontChanged();
  virtual void ParentBiDiModeChanged();
  virtual void ParentColorChanged();
  void ParentShowHintChanged();

protected:
  // Pushes every aspect the class has into a new peer; classes add theirs
  // after calling the inherited one.
  virtual void PushPeerState();
  // Called after the text changed.
  virtual void TextChanged() {}
  virtual void Resize();
  // The link SetAction makes; classes that link more override it.
  virtual std::unique_ptr<TControlActionLink> CreateActionLink();
  virtual void BoundsChanged(int OldWidth, int OldHeight) {}
  // Blocks PeerChanged while the peer reports a user change. Events are
  // fired outside the lock, so that what their handlers change reaches
  // the peer.
  struct TPeerLock {
    explicit TPeerLock(const TControl* C) : FControl(C) { ++FControl->FPeerLock; }
    ~TPeerLock() { --FControl->FPeerLock; }
    TPeerLock(const TPeerLock&) = delete;
    TPeerLock& operator=(const TPeerLock&) = delete;
    const TControl* FControl;
  };

  // A handler, or an empty one while none was ever set.
  template <class E>
  const E& Handler(E TControlHandlers::*Field) const {
    static const E none;
    return FHandlers ? (*FHandlers).*Field : none;
  }
  template <class E>
  void SetHandler(E TControlHandlers::*Field, E Value) {
    if (!FHandlers) {
      if (!Value) return;
      FHandlers = std::make_unique<TControlHandlers>();
    }
    (*FHandlers).*Field = std::move(Value);
  }

  // Without telling the peer: the initial colour of a class.
  void InitColor(TColor Value, bool AParentColor = false) {
    FColor = Value;
    FParentColor = AParentColor;
  }
  // The initial size of a class, set from its constructor. A control being
  // made has no parent, peer, handler or constraint yet and lies at 0, 0,
  // so SetBounds' checks and notices would find nothing to act on: the size
  // is stored as it is. Should a base constructor have given it any of
  // those, SetBounds does the work as always.
  void InitSize(int AWidth, int AHeight) {
    if (FParent || FPeer || FHandlers || FLeft != 0 || FTop != 0 || !FConstraints.None())
      SetBounds(0, 0, AWidth, AHeight);
    else {
      CheckExtent("Width", AWidth, false);
      CheckExtent("Height", AHeight, false);
      FWidth = std::max(0, AWidth);
      FHeight = std::max(0, AHeight);
    }
  }
  // Changes the reading order without touching ParentBiDiMode.
  void SetBiDiModeValue(TBiDiMode Value);
  void SetShowHintValue(bool Value);
  void InitVisible(bool Value) { FVisible = Value; }
  // Creates the peer whatever the parent (top-level forms).
  void CreateOwnPeer() { CreatePeerNow(); }
  // Called after the effective font or reading order changed.
  virtual void FontChanged();
  virtual void BiDiModeChanged();

  std::string FText;
  bool FParentFont = true;
  bool FParentBiDiMode = true;
  // Whether a design-time rename carries over to a caption equal to the name.
  bool FSetCaptionOnRename = true;

private:
  friend class TWinControl;
  friend class TSizeConstraints;
  void FontPropertyChanged();
  void ConstraintsChanged();
  void CreatePeerNow();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  // Held in place rather than allocated: every control has both. Mutable,
  // as the const accessors hand them out to be changed.
  mutable TFont FFont;
  bool FFollowingParentFont = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  mutable TSizeConstraints FConstraints;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  bool FDragging = false;
  TObject* FDragObject = nullptr;
  std::unique_ptr<TControlActionLink> FActionLink;
  std::unique_ptr<IControlPeer> FPeer;
  mutable int FPeerLock = 0;

  std::unique_ptr<TControlHandlers> FHandlers;
};

// A control without a window of its own (labels, bevels, speed buttons).
class TGraphicControl : public TControl {
  HOST_CLASS(TGraphicControl)
public:
  using TControl::TControl;
};

// The top-level form (TopForm) or the nearest form that shows Control
// (Control itself when it is a form); null when it is on none.
TCustomForm* GetParentForm(const TControl* Control, bool TopForm = true);

}  // namespace host
