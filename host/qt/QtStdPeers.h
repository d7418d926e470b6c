// Peers of the text controls: labels, group boxes, single-line edits and
// memos.
#pragma once

#include "host/controls/StdCtrls.h"
#include "host/qt/QtControlPeer.h"

class QLabel;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

namespace host::qt {

class TQtLabelPeer : public TQtControlPeer {
public:
  explicit TQtLabelPeer(TLabel* Label);
  TLabel* Label() const { return static_cast<TLabel*>(Control()); }
  QLabel* LabelWidget() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
  void ApplyColor() override;
  bool ClicksOnRelease() const override { return true; }

private:
  void ApplyAlignment();
  // Sizes an auto-sized label to its text and tells the model, keeping the
  // right edge where the text is right-aligned.
  void AdjustBounds();
  // Set while the text is applied again once the focus control may have
  // its widget: a control later in the form gets it after the label.
  bool FBuddyRetry = false;
};

class TQtGroupBoxPeer : public TQtControlPeer {
public:
  explicit TQtGroupBoxPeer(TGroupBox* GroupBox);
  QGroupBox* GroupBox() const;

protected:
  void ApplyText() override;
  void ApplyColor() override;
  bool ClicksOnRelease() const override { return true; }
};

class TQtEditPeer : public TQtControlPeer {
public:
  explicit TQtEditPeer(TCustomEdit* Edit);
  TCustomEdit* Edit() const { return static_cast<TCustomEdit*>(Control()); }
  QLineEdit* LineEdit() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
};

class TQtMemoPeer : public TQtControlPeer {
public:
  explicit TQtMemoPeer(TMemo* Memo);
  TMemo* Memo() const { return static_cast<TMemo*>(Control()); }
  QPlainTextEdit* TextEdit() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;
};

}  // namespace host::qt
