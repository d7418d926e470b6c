// Buttons and check boxes: TButton (Default, Cancel, ModalResult), TBitBtn
// (a button with a Kind), TSpeedButton (a flat tool-like button with a
// group and a Down state) and TCheckBox.
#pragma once

#include <cstdint>
#include <vector>

#include "host/controls/WinControl.h"

namespace host {

class TButtonControl : public TWinControl {
  HOST_CLASS(TButtonControl)
public:
  explicit TButtonControl(TComponent* AOwner);
};

class TButton : public TButtonControl {
  HOST_CLASS(TButton)
public:
  explicit TButton(TComponent* AOwner);

  // Enter clicks the default button of a form, Escape its cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value);
  // Clicking gives the form this modal result, which closes a modal form.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  void Click() override;

protected:
  void PushPeerState() override;

private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

class TBitBtn : public TButton {
  HOST_CLASS(TBitBtn)
public:
  explicit TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

  // A kind other than bkCustom gives the button its usual caption, modal
  // result and Default/Cancel role.
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  // The picture beside the caption, encoded as an image list keeps its
  // pictures (EncodePng of a TRgbaImage); while empty the kind's own
  // shows. Form files do not carry it: whoever builds the button draws it.
  const std::vector<std::uint8_t>& Glyph() const { return FGlyph; }
  void SetGlyph(std::vector<std::uint8_t> Value);
  // Stored only where they differ from what the kind gives.
  bool IsCustomCaption() const;
  bool IsCustomModalResult() const;

  // The caption and modal result a kind gives.
  static std::string KindCaption(TBitBtnKind Kind);
  static TModalResult KindModalResult(TBitBtnKind Kind);

protected:
  void PushPeerState() override;

private:
  TBitBtnKind FKind = bkCustom;
  std::vector<std::uint8_t> FGlyph;
};

class TSpeedButton : public TGraphicControl {
  HOST_CLASS(TSpeedButton)
public:
  explicit TSpeedButton(TComponent* AOwner);

  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // Buttons of one parent with the same GroupIndex (not 0) act as a radio
  // group: at most one is down.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }

  // A grouped button goes down (or up, when AllowAllUp lets it) first.
  void Click() override;

protected:
  void PushPeerState() override;

private:
  void ReleaseGroup();
  bool FFlat = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
};

class TCheckBox : public TButtonControl {
  HOST_CLASS(TCheckBox)
public:
  explicit TCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  // A change of state fires OnClick, as the host does, except while the
  // form is being read.
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) {
    if (Value == FAllowGrayed) return;
    FAllowGrayed = Value;
    PeerChanged(pcChecked);  // the widget cycles through grayed or not
  }
  // Where the box sits relative to the caption: taRightJustify puts the
  // caption on the right (the usual look).
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  // The user clicked the box: unchecked, checked, grayed (when allowed), ...
  void Toggle();
  // The peer reports the state the user left.
  void UserSetState(TCheckBoxState Value);

protected:
  void PushPeerState() override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

}  // namespace host
