// Labels, group boxes, single-line edits and memos.
#pragma once

#include <memory>

#include "host/controls/WinControl.h"
#include "host/core/Strings.h"

namespace host {

class TLabel : public TGraphicControl {
  HOST_CLASS(TLabel)
public:
  explicit TLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The widgetset sizes an auto-sized label to its text (through UserSetBounds).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  // The control that takes the focus when the label's access key is used.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void PushPeerState() override;

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FWordWrap = false;
  TTextLayout FLayout = tlTop;
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
  bool FTransparent = false;
};

class TGroupBox : public TCustomControl {
  HOST_CLASS(TGroupBox)
public:
  explicit TGroupBox(TComponent* AOwner);
};

// The single-line edit and the base of the memo.
class TCustomEdit : public TWinControl {
  HOST_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent* AOwner);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // 0: no limit. Longer texts set by code are kept; the widget limits typing.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  // Shown instead of each character; '\0': the text itself.
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  // Fires OnChange (every change of the text, by code or by the user,
  // except while the form is read).
  virtual void Change();
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  void TextChanged() override;
  void PushPeerState() override;

private:
  bool FReadOnly = false;
  int FMaxLength = 0;
  char FPasswordChar = '\0';
  TBorderStyle FBorderStyle = bsSingle;
  bool FAutoSelect = true;
  TAlignment FAlignment = taLeftJustify;
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
  HOST_CLASS(TEdit)
public:
  explicit TEdit(TComponent* AOwner);
};

// A multi-line edit. Its text is its Lines joined by CR LF.
class TMemo : public TCustomEdit {
  HOST_CLASS(TMemo)
public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(const TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }

  std::string Text() const override;
  const std::string* TextRef() const override { return nullptr; }
  void SetText(const std::string& Value) override;
  void UserSetText(const std::string& Value) override;

protected:
  void PushPeerState() override;

private:
  void LinesChanged();
  std::unique_ptr<TStringList> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FUserEditing = false;
};

}  // namespace host
