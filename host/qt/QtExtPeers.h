// Peers of panels, bevels and splitters: widgets that paint themselves the
// way the models describe (bevel cuts, shapes) rather than a Qt style.
#pragma once

#include "host/controls/ExtCtrls.h"
#include "host/qt/QtControlPeer.h"

namespace host::qt {

class TQtPanelPeer : public TQtControlPeer {
public:
  explicit TQtPanelPeer(TPanel* Panel);
  TPanel* Panel() const { return static_cast<TPanel*>(Control()); }
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
  void ApplyColor() override;
  bool ClicksOnRelease() const override { return true; }
};

class TQtBevelPeer : public TQtControlPeer {
public:
  explicit TQtBevelPeer(TBevel* Bevel);
  TBevel* Bevel() const { return static_cast<TBevel*>(Control()); }
  void Changed(TPeerChange Change) override;

protected:
  void ApplyColor() override {}
  bool ClicksOnRelease() const override { return true; }
};

class TQtSplitterPeer : public TQtControlPeer {
public:
  explicit TQtSplitterPeer(TSplitter* Splitter);
  TSplitter* Splitter() const { return static_cast<TSplitter*>(Control()); }
  void Changed(TPeerChange Change) override;

  // Internal, from the widget: the mouse moved the bar by Delta pixels.
  void Dragged(int Delta);
};

}  // namespace host::qt
