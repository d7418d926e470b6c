#include "host/controls/ListControls.h"

#include <algorithm>
#include <numeric>

#include "host/controls/Publish.h"

namespace host {

// ---- TItemStrings ----

int TItemStrings::FollowIndex(int Index, const std::vector<int>& Order) {
  if (Index < 0) return Index;
  auto it = std::find(Order.begin(), Order.end(), Index);
  return it == Order.end() ? -1 : static_cast<int>(it - Order.begin());
}

int TItemStrings::Add(const std::string& S) {
  const int before = Count();
  const int index = TStringList::Add(S);
  if (Count() > before && FHooks.Inserted) FHooks.Inserted(index);
  return index;
}

void TItemStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  const int before = Count();
  if (Sorted()) {
    // A sorted list puts the line where it belongs.
    const int index = TStringList::Add(S);
    if (Count() > before) {
      PutObject(index, AObject);
      if (FHooks.Inserted) FHooks.Inserted(index);
    }
    return;
  }
  TStringList::InsertObject(Index, S, AObject);
  if (Count() > before && FHooks.Inserted) FHooks.Inserted(Index);
}

void TItemStrings::Delete(int Index) {
  if (Index >= 0 && Index < Count() && FHooks.Deleting) FHooks.Deleting(Index);
  TStringList::Delete(Index);
}

void TItemStrings::Clear() {
  if (FHooks.Cleared) FHooks.Cleared();
  TStringList::Clear();
}

void TItemStrings::Exchange(int Index1, int Index2) {
  TStringList::Exchange(Index1, Index2);
  if (FHooks.Exchanged) FHooks.Exchanged(Index1, Index2);
}

void TItemStrings::CustomSort(TStringListSortCompare Compare) {
  if (Count() < 2) return;
  // The same stable order the list itself computes, for the per-item state.
  std::vector<int> order(static_cast<std::size_t>(Count()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  if (FHooks.Reordered) FHooks.Reordered(order);
  TStringList::CustomSort(Compare);
}

namespace {
template <class T>
void Permute(std::vector<T>& v, const std::vector<int>& order) {
  std::vector<T> out;
  out.reserve(v.size());
  for (int i : order) out.push_back(v[static_cast<std::size_t>(i)]);
  v.swap(out);
}


TItemStrings::THooks HooksOf(TCustomListBox* box, void (TCustomListBox::*inserted)(int),
                             void (TCustomListBox::*deleting)(int), void (TCustomListBox::*cleared)(),
                             void (TCustomListBox::*exchanged)(int, int),
                             void (TCustomListBox::*reordered)(const std::vector<int>&)) {
  return {[=](int i) { (box->*inserted)(i); }, [=](int i) { (box->*deleting)(i); }, [=] { (box->*cleared)(); },
          [=](int a, int b) { (box->*exchanged)(a, b); }, [=](const std::vector<int>& o) { (box->*reordered)(o); }};
}
}  // namespace

// ---- class records ----

const TClass& TCustomListBox::StaticClass() {
  static const TClass cls = TClassBuilder<TCustomListBox>("TCustomListBox", &TWinControl::StaticClass()).Build();
  return cls;
}
const TClass& TCustomListBox::ClassType() const { return StaticClass(); }

namespace {
template <class C>
TClass ListBoxClass(const char* name) {
  namespace pub = publish;
  constexpr bool check = std::is_same_v<C, TCheckListBox>;
  TClassBuilder<C> b(name, &TCustomListBox::StaticClass());
  pub::Align(b);
  if constexpr (check) b.Prop("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
  pub::Anchors(b);
  pub::BiDiMode(b);
  b.Prop("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle).Default(bsSingle);
  pub::Color(b, clWindow);
  pub::Constraints(b);
  pub::DragMode(b);
  pub::Enabled(b);
  pub::Font(b);
  b.Prop("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(16);
  b.Prop("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  b.Prop("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Default(-1);
  b.Prop("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
  pub::ParentBiDiMode(b);
  pub::ParentColor(b);
  pub::ParentFont(b);
  pub::ParentShowHint(b);
  pub::PopupMenu(b);
  pub::ShowHint(b);
  b.Prop("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
  pub::TabOrder(b);
  pub::TabStop(b, true);
  pub::Visible(b);
  pub::OnClick(b);
  if constexpr (check) b.Prop("OnClickCheck", &TCheckListBox::OnClickCheck, &TCheckListBox::SetOnClickCheck);
  pub::OnContextPopup(b);
  pub::OnDblClick(b);
  pub::DragEvents(b);
  pub::OnEnter(b);
  pub::OnExit(b);
  pub::KeyEvents(b);
  pub::MouseEvents(b);
  pub::OnStartDrag(b);
  return b.Build();
}
}  // namespace

const TClass& TListBox::StaticClass() {
  static const TClass cls = ListBoxClass<TListBox>("TListBox");
  return cls;
}
const TClass& TListBox::ClassType() const { return StaticClass(); }

const TClass& TCheckListBox::StaticClass() {
  static const TClass cls = ListBoxClass<TCheckListBox>("TCheckListBox");
  return cls;
}
const TClass& TCheckListBox::ClassType() const { return StaticClass(); }

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TItemStrings>(HooksOf(this, &TCustomListBox::ItemInserted, &TCustomListBox::ItemDeleting,
                                                    &TCustomListBox::ItemsCleared, &TCustomListBox::ItemsExchanged,
                                                    &TCustomListBox::ItemsReordered))) {
  FSetCaptionOnRename = false;
  InitColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  FItems->SetOnChange([this](TObject*) { ItemsChanged(); });
}

TCustomListBox::~TCustomListBox() { FItems->SetOnChange(nullptr); }

void TCustomListBox::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
}

void TCustomListBox::ItemInserted(int Index) {
  FSelected.insert(FSelected.begin() + std::min<std::size_t>(static_cast<std::size_t>(Index), FSelected.size()), false);
  if (!IsLoading() && FItemIndex >= Index) ++FItemIndex;
}

void TCustomListBox::ItemDeleting(int Index) {
  if (static_cast<std::size_t>(Index) < FSelected.size()) FSelected.erase(FSelected.begin() + Index);
  if (IsLoading()) return;
  if (FItemIndex == Index)
    FItemIndex = -1;
  else if (FItemIndex > Index)
    --FItemIndex;
}

void TCustomListBox::ItemsCleared() {
  FSelected.clear();
  if (!IsLoading()) FItemIndex = -1;
}

void TCustomListBox::ItemsExchanged(int Index1, int Index2) {
  if (static_cast<std::size_t>(std::max(Index1, Index2)) < FSelected.size()) {
    const bool a = FSelected[static_cast<std::size_t>(Index1)];
    FSelected[static_cast<std::size_t>(Index1)] = FSelected[static_cast<std::size_t>(Index2)];
    FSelected[static_cast<std::size_t>(Index2)] = a;
  }
  if (FItemIndex == Index1)
    FItemIndex = Index2;
  else if (FItemIndex == Index2)
    FItemIndex = Index1;
}

void TCustomListBox::ItemsReordered(const std::vector<int>& Order) {
  FSelected.resize(Order.size(), false);
  Permute(FSelected, Order);
  FItemIndex = TItemStrings::FollowIndex(FItemIndex, Order);
}

void TCustomListBox::ItemsChanged() {
  // Lines assigned as a whole (Assign, Text) bypass the hooks: keep sizes right.
  FSelected.resize(static_cast<std::size_t>(Count()), false);
  if (!IsLoading() && FItemIndex >= Count()) FItemIndex = -1;
  PeerChanged(pcItems);
  PeerChanged(pcItemIndex);
}

void TCustomListBox::SetItemIndex(int Value) {
  if (!IsLoading() && (Value < -1 || Value >= Count())) Value = -1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  if (!FMultiSelect) std::fill(FSelected.begin(), FSelected.end(), false);
  if (Value >= 0 && static_cast<std::size_t>(Value) < FSelected.size()) FSelected[static_cast<std::size_t>(Value)] = true;
  PeerChanged(pcItemIndex);
}

void TCustomListBox::Loaded() {
  TWinControl::Loaded();
  if (FItemIndex >= Count() || FItemIndex < -1) FItemIndex = -1;
  if (FItemIndex >= 0) FSelected[static_cast<std::size_t>(FItemIndex)] = true;
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  if (!Value) {
    std::fill(FSelected.begin(), FSelected.end(), false);
    if (FItemIndex >= 0) FSelected[static_cast<std::size_t>(FItemIndex)] = true;
  }
  PeerChanged(pcMultiSelect);
}

void TCustomListBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItems->SetSorted(Value);
  PeerChanged(pcSorted);
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  PeerChanged(pcItems);
}

bool TCustomListBox::Selected(int Index) const {
  CheckIndex(Index);
  return FMultiSelect ? FSelected[static_cast<std::size_t>(Index)] : Index == FItemIndex;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  CheckIndex(Index);
  if (!FMultiSelect) {
    if (Value)
      SetItemIndex(Index);
    else if (Index == FItemIndex)
      SetItemIndex(-1);
    return;
  }
  if (FSelected[static_cast<std::size_t>(Index)] == Value) return;
  FSelected[static_cast<std::size_t>(Index)] = Value;
  PeerChanged(pcItemIndex);
}

int TCustomListBox::SelCount() const {
  if (!FMultiSelect) return FItemIndex >= 0 ? 1 : 0;
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::ClearSelection() {
  std::fill(FSelected.begin(), FSelected.end(), false);
  if (!FMultiSelect) FItemIndex = -1;
  PeerChanged(pcItemIndex);
}

int TCustomListBox::ItemAtPos(TPoint Pos) const {
  if (Peer())
    if (auto index = Peer()->ItemAtPos(Pos.X, Pos.Y)) return *index < Count() ? *index : -1;
  if (Pos.X < 0 || Pos.X >= Width() || Pos.Y < 0) return -1;
  const int index = Pos.Y / FItemHeight;
  return index < Count() ? index : -1;
}

void TCustomListBox::UserSetItemIndex(int Value) {
  if (Value < -1 || Value >= Count()) Value = -1;
  if (FItemIndex == Value) return;
  {
    TPeerLock lock(this);
    SetItemIndex(Value);
  }
  Click();
}

void TCustomListBox::UserSetSelected(int Index, bool Value) {
  {
    TPeerLock lock(this);
    SetSelected(Index, Value);
  }
  Click();
}

void TCustomListBox::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcBevel);
  PeerChanged(pcMultiSelect);
  PeerChanged(pcSorted);
  PeerChanged(pcItems);
  PeerChanged(pcItemIndex);
}

// ---- TCheckListBox ----

TCheckBoxState TCheckListBox::State(int Index) const {
  CheckIndex(Index);
  return static_cast<std::size_t>(Index) < FStates.size() ? FStates[static_cast<std::size_t>(Index)].State : cbUnchecked;
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  CheckIndex(Index);
  FStates.resize(static_cast<std::size_t>(Count()));
  if (FStates[static_cast<std::size_t>(Index)].State == Value) return;
  FStates[static_cast<std::size_t>(Index)].State = Value;
  PeerChanged(pcItemChecked);
}

bool TCheckListBox::ItemEnabled(int Index) const {
  CheckIndex(Index);
  return static_cast<std::size_t>(Index) < FStates.size() ? FStates[static_cast<std::size_t>(Index)].Enabled : true;
}

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
  CheckIndex(Index);
  FStates.resize(static_cast<std::size_t>(Count()));
  if (FStates[static_cast<std::size_t>(Index)].Enabled == Value) return;
  FStates[static_cast<std::size_t>(Index)].Enabled = Value;
  PeerChanged(pcItemChecked);
}

void TCheckListBox::UserToggleCheck(int Index) {
  CheckIndex(Index);
  if (!ItemEnabled(Index)) return;
  TCheckBoxState next = cbUnchecked;
  switch (State(Index)) {
    case cbUnchecked: next = FAllowGrayed ? cbGrayed : cbChecked; break;
    case cbChecked: next = cbUnchecked; break;
    case cbGrayed: next = cbChecked; break;
  }
  {
    TPeerLock lock(this);
    SetState(Index, next);
  }
  if (FOnClickCheck) FOnClickCheck(this);
}

void TCheckListBox::ItemInserted(int Index) {
  TCustomListBox::ItemInserted(Index);
  FStates.insert(FStates.begin() + std::min<std::size_t>(static_cast<std::size_t>(Index), FStates.size()), TItemState{});
}

void TCheckListBox::ItemDeleting(int Index) {
  TCustomListBox::ItemDeleting(Index);
  if (static_cast<std::size_t>(Index) < FStates.size()) FStates.erase(FStates.begin() + Index);
}

void TCheckListBox::ItemsCleared() {
  TCustomListBox::ItemsCleared();
  FStates.clear();
}

void TCheckListBox::ItemsExchanged(int Index1, int Index2) {
  TCustomListBox::ItemsExchanged(Index1, Index2);
  FStates.resize(static_cast<std::size_t>(Count()));
  std::swap(FStates[static_cast<std::size_t>(Index1)], FStates[static_cast<std::size_t>(Index2)]);
}

void TCheckListBox::ItemsReordered(const std::vector<int>& Order) {
  TCustomListBox::ItemsReordered(Order);
  FStates.resize(Order.size());
  Permute(FStates, Order);
}

void TCheckListBox::PushPeerState() {
  TCustomListBox::PushPeerState();
  PeerChanged(pcItemChecked);
}

}  // namespace host
