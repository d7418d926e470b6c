// Panels, splitters and bevels.
#pragma once

#include <functional>

#include "host/controls/WinControl.h"

namespace host {

class TPanel : public TCustomControl {
  HOST_CLASS(TPanel)
public:
  explicit TPanel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void PushPeerState() override;

private:
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
};

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar between an aligned control and the rest; dragging it resizes the
// control aligned just before it on the same side.
class TSplitter : public TGraphicControl {
  HOST_CLASS(TSplitter)
public:
  explicit TSplitter(TComponent* AOwner);

  // The smallest size the resized control and the remaining space keep.
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool Value);
  // The control the splitter resizes, null when none touches it.
  TControl* ResizeControl() const;

  // The user dragged the splitter by Delta pixels (right or down
  // positive): OnCanResize may adjust or refuse the new size, then the
  // control is resized, the parent realigned and OnMoved fired. Returns
  // whether anything moved.
  bool UserDrag(int Delta);

  const TCanResizeEvent& OnCanResize() const { return FOnCanResize; }
  void SetOnCanResize(TCanResizeEvent Value) { FOnCanResize = std::move(Value); }
  const TNotifyEvent& OnMoved() const { return FOnMoved; }
  void SetOnMoved(TNotifyEvent Value) { FOnMoved = std::move(Value); }

private:
  int FMinSize = 30;
  bool FBeveled = false;
  TCanResizeEvent FOnCanResize;
  TNotifyEvent FOnMoved;
};

class TBevel : public TGraphicControl {
  HOST_CLASS(TBevel)
public:
  explicit TBevel(TComponent* AOwner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

protected:
  void PushPeerState() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

}  // namespace host
