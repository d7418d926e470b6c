// TStatusBar: a row of text panels along the bottom of a form, or one
// simple panel showing SimpleText.
#pragma once

#include <memory>

#include "host/controls/WinControl.h"
#include "host/core/Collection.h"

namespace host {

class TStatusPanel : public TCollectionItem {
  HOST_CLASS(TStatusPanel)
public:
  using TCollectionItem::TCollectionItem;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut Bevel() const { return FBevel; }
  void SetBevel(TBevelCut Value);
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  std::string DisplayName() const override { return FText.empty() ? TCollectionItem::DisplayName() : FText; }

private:
  TAlignment FAlignment = taLeftJustify;
  TBevelCut FBevel = bvLowered;
  std::string FText;
  int FWidth = 50;
};

class TStatusPanels : public TOwnedCollection<TStatusPanel> {
  HOST_CLASS(TStatusPanels)
public:
  explicit TStatusPanels(TPersistent* Owner) : TOwnedCollection<TStatusPanel>(Owner) {}
};

class TStatusBar : public TWinControl {
  HOST_CLASS(TStatusBar)
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return FPanels.get(); }
  void SetPanels(const TStatusPanels* Value) { FPanels->Assign(Value); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  // The application's hint goes to the bar when set (as the host does).
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value) { FAutoHint = Value; }

protected:
  void PushPeerState() override;

private:
  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
  bool FAutoHint = false;
};

}  // namespace host
