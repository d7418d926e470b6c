// TWinControl: a control that shows child controls (its Controls list,
// distinct from the components its owner owns), lays out the aligned ones,
// takes the keyboard focus and frees its children with it.
#pragma once

#include <vector>

#include "host/controls/Control.h"

namespace host {

class TWinControl : public TControl {
  HOST_CLASS(TWinControl)
public:
  explicit TWinControl(TComponent* AOwner);
  // Destroys the peers, then frees the child controls (whoever owns them).
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Raises EListError for an index out of range.
  TControl* Controls(int Index) const;
  const std::vector<TControl*>& ControlList() const { return FControls; }
  // True for a child, a grandchild, ...
  bool ContainsControl(const TControl* Control) const;
  // The direct child of that name, ignoring case.
  TControl* FindChildControl(std::string_view ControlName) const;
  // Moves a child to another position of the Controls list.
  void SetChildOrder(TControl* Child, int Order);

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }

  // Places the aligned children: alTop, alBottom, alLeft, alRight, then
  // alClient, each group in Controls order, into the space the earlier
  // ones left; anchored children follow a change of the client size.
  virtual void AlignControls();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  // Focus. Without a peer the model keeps the focus itself.
  bool CanFocus() const;
  void SetFocus();
  bool Focused() const;

  // Keys reported by the peer; a form with KeyPreview sees them first.
  // Returns false when a handler consumed the key (set it to 0).
  virtual bool KeyDown(TKey& Key, TShiftState Shift);
  virtual bool KeyUp(TKey& Key, TShiftState Shift);
  virtual bool KeyPress(char& Key);
  // The focus arrived or left (reported by the peer, or by SetFocus).
  virtual void DoEnter();
  virtual void DoExit();

  const TNotifyEvent& OnEnter() const { return Handler(&TControlHandlers::OnEnter); }
  void SetOnEnter(TNotifyEvent Value) { SetHandler(&TControlHandlers::OnEnter, std::move(Value)); }
  const TNotifyEvent& OnExit() const { return Handler(&TControlHandlers::OnExit); }
  void SetOnExit(TNotifyEvent Value) { SetHandler(&TControlHandlers::OnExit, std::move(Value)); }
  const TKeyEvent& OnKeyDown() const { return Handler(&TControlHandlers::OnKeyDown); }
  void SetOnKeyDown(TKeyEvent Value) { SetHandler(&TControlHandlers::OnKeyDown, std::move(Value)); }
  const TKeyEvent& OnKeyUp() const { return Handler(&TControlHandlers::OnKeyUp); }
  void SetOnKeyUp(TKeyEvent Value) { SetHandler(&TControlHandlers::OnKeyUp, std::move(Value)); }
  const TKeyPressEvent& OnKeyPress() const { return Handler(&TControlHandlers::OnKeyPress); }
  void SetOnKeyPress(TKeyPressEvent Value) { SetHandler(&TControlHandlers::OnKeyPress, std::move(Value)); }

  void HandleNeeded() override;
  void DestroyPeer() override;

  // Hands out the child controls owned by Root.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  // Children read inside a container belong to the container's owner.
  TComponent* GetChildOwner() override { return Owner(); }

  void ParentFontChanged() override;
  void ParentBiDiModeChanged() override;
  void ParentColorChanged() override;
  void Loaded() override;

protected:
  virtual void InsertControl(TControl* AControl);
  virtual void RemoveControl(TControl* AControl);
  void BoundsChanged(int OldWidth, int OldHeight) override;
  void PushPeerState() override;
  void NotifyChildrenFont();
  void NotifyChildrenBiDiMode();
  void NotifyChildrenColor();
  // Frees the child controls; called by the destructor.
  void DestroyChildControls();

private:
  friend class TControl;
  void AnchorControls(int DeltaWidth, int DeltaHeight);

  // Whether AlignControls places a child of this alignment.
  static bool Placed(TAlign Align) { return Align != alNone && Align != alCustom; }

  std::vector<TControl*> FControls;
  // How many children Placed() takes, kept exact on insert, remove and
  // SetAlign: a container that aligns nothing lays out without looking at
  // its children again (after loading they are long out of the cache).
  int FPlacedCount = 0;
  int FTabOrder = -1;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FRealignPending = false;
};

// A windowed control that paints itself (panels, grids, list views).
class TCustomControl : public TWinControl {
  HOST_CLASS(TCustomControl)
public:
  using TWinControl::TWinControl;
};

}  // namespace host
