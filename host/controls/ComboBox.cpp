#include "host/controls/ComboBox.h"

#include "host/controls/Publish.h"

namespace host {

const TClass& TComboBox::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TComboBox> b("TComboBox", &TWinControl::StaticClass());
    // Style first and the items before the index, so that a form file
    // sets them in an order that works.
    b.Prop("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    pub::Color(b, clWindow);
    pub::Constraints(b);
    pub::DragMode(b);
    b.Prop("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("Items", &TComboBox::Items, &TComboBox::SetItems);
    b.Prop("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
    b.Prop("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    pub::ShowHint(b);
    b.Prop("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
    pub::TabOrder(b);
    pub::TabStop(b, true);
    b.Prop("Text", &TControl::Text, &TControl::SetText).StrRef(&TControl::TextRef).Stored([](const TComboBox& c) {
      // A drop-down list's text is its item's.
      return c.Style() != csDropDownList && !(c.ItemIndex() >= 0 && c.Items()->Get(c.ItemIndex()) == c.Text());
    });
    pub::Visible(b);
    b.Prop("OnChange", &TComboBox::OnChange, &TComboBox::SetOnChange);
    pub::OnClick(b);
    b.Prop("OnCloseUp", &TComboBox::OnCloseUp, &TComboBox::SetOnCloseUp);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    pub::DragEvents(b);
    b.Prop("OnDropDown", &TComboBox::OnDropDown, &TComboBox::SetOnDropDown);
    pub::OnEnter(b);
    pub::OnExit(b);
    pub::KeyEvents(b);
    b.Prop("OnSelect", &TComboBox::OnSelect, &TComboBox::SetOnSelect);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TComboBox::ClassType() const { return StaticClass(); }

// ---- TComboBox ----

namespace {
// While a form is read the index may come before the items: it is kept as
// read and checked in Loaded.
TItemStrings::THooks ComboHooks(TComboBox* combo, int* itemIndex) {
  TItemStrings::THooks h;
  h.Inserted = [=](int i) {
    if (!combo->IsLoading() && *itemIndex >= i) ++*itemIndex;
  };
  h.Deleting = [=](int i) {
    if (combo->IsLoading()) return;
    if (*itemIndex == i)
      *itemIndex = -1;
    else if (*itemIndex > i)
      --*itemIndex;
  };
  h.Cleared = [=] {
    if (!combo->IsLoading()) *itemIndex = -1;
  };
  h.Exchanged = [=](int a, int b) {
    if (*itemIndex == a)
      *itemIndex = b;
    else if (*itemIndex == b)
      *itemIndex = a;
  };
  h.Reordered = [=](const std::vector<int>& order) { *itemIndex = TItemStrings::FollowIndex(*itemIndex, order); };
  return h;
}
}  // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TItemStrings>(ComboHooks(this, &FItemIndex))) {
  InitColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
  FItems->SetOnChange([this](TObject*) { ItemsChanged(); });
}

TComboBox::~TComboBox() { FItems->SetOnChange(nullptr); }

void TComboBox::ItemsChanged() {
  if (!IsLoading() && FItemIndex >= FItems->Count()) FItemIndex = -1;
  PeerChanged(pcItems);
  PeerChanged(pcItemIndex);
}

void TComboBox::SetItemIndex(int Value) {
  if (IsLoading()) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  if (Value >= 0)
    FText = FItems->Get(Value);
  else if (FStyle == csDropDownList)
    FText.clear();
  PeerChanged(pcItemIndex);
  PeerChanged(pcText);
}

void TComboBox::SetText(const std::string& Value) {
  if (IsLoading()) {
    FText = Value;
    return;
  }
  const int index = FItems->IndexOf(Value);
  if (FStyle == csDropDownList) {
    // Only the items' texts are possible.
    SetItemIndex(index);
    return;
  }
  const bool changed = FText != Value;
  FText = Value;
  if (FItemIndex != index) {
    FItemIndex = index;
    PeerChanged(pcItemIndex);
  }
  if (changed) {
    PeerChanged(pcText);
    Change();
  }
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  if (FItemIndex < -1 || FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FItemIndex >= 0 && (FText.empty() || FStyle == csDropDownList)) FText = FItems->Get(FItemIndex);
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (Value == csDropDownList && !IsLoading()) FText = FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string();
  PeerChanged(pcKind);
  PeerChanged(pcText);
}

void TComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItems->SetSorted(Value);
  PeerChanged(pcSorted);
}

void TComboBox::SetDropDownCount(int Value) {
  if (FDropDownCount == Value) return;
  FDropDownCount = Value;
  PeerChanged(pcItems);
}

void TComboBox::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  PeerChanged(pcMaxLength);
}

void TComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TComboBox::UserSetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  const int index = FItems->IndexOf(Value);
  if (index != FItemIndex) {
    FItemIndex = index;
    PeerChanged(pcItemIndex);
  }
  Change();
}

void TComboBox::UserSelect(int Index) {
  if (Index < -1 || Index >= FItems->Count()) return;
  FItemIndex = Index;
  FText = Index >= 0 ? FItems->Get(Index) : std::string();
  Click();
  if (FOnSelect)
    FOnSelect(this);
  else
    Change();
}

void TComboBox::DropDown() {
  FDroppedDown = true;
  if (FOnDropDown) FOnDropDown(this);
}

void TComboBox::CloseUp() {
  FDroppedDown = false;
  if (FOnCloseUp) FOnCloseUp(this);
}

void TComboBox::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcKind);
  PeerChanged(pcSorted);
  PeerChanged(pcMaxLength);
  PeerChanged(pcItems);
  PeerChanged(pcItemIndex);
}

}  // namespace host
