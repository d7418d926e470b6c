// Peers of buttons and check boxes.
#pragma once

#include "host/controls/Buttons.h"
#include "host/qt/QtControlPeer.h"

class QPushButton;
class QToolButton;
class QCheckBox;

namespace host::qt {

class TQtButtonPeer : public TQtControlPeer {
public:
  explicit TQtButtonPeer(TButton* Button);
  TButton* Button() const { return static_cast<TButton*>(Control()); }
  QPushButton* PushButton() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
};

class TQtSpeedButtonPeer : public TQtControlPeer {
public:
  explicit TQtSpeedButtonPeer(TSpeedButton* Button);
  TSpeedButton* Button() const { return static_cast<TSpeedButton*>(Control()); }
  QToolButton* ToolButton() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
};

class TQtCheckBoxPeer : public TQtControlPeer {
public:
  explicit TQtCheckBoxPeer(TCheckBox* CheckBox);
  TCheckBox* CheckBox() const { return static_cast<TCheckBox*>(Control()); }
  QCheckBox* CheckWidget() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
  void ApplyBiDiMode() override;
};

}  // namespace host::qt
