#include "host/core/Component.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>

#include "host/core/CaseFold.h"

namespace host {

namespace {
// Relaxed: components belong to one thread; the count only has to differ.
std::atomic<std::uint64_t> gTreeChanges{0};
void TreeChanged() { gTreeChanges.fetch_add(1, std::memory_order_relaxed); }

// Out of line, so that the checks every rename passes carry no message
// building.
[[noreturn, gnu::noinline, gnu::cold]] void Refuse(const char* Message, const std::string& Name) {
  throw EComponentError(Format(Message, {Name}));
}

}  // namespace

std::uint64_t TComponent::TreeChanges() { return gTreeChanges.load(std::memory_order_relaxed); }

const TTypeInfo& TypeInfoOf(TComponentStateItem*) {
  static const TTypeInfo info =
      MakeEnumInfo("TComponentStateItem", {"csLoading", "csReading", "csWriting", "csDestroying", "csDesigning",
                                           "csAncestor", "csUpdating", "csFixups", "csFreeNotification", "csInline",
                                           "csDesignInstance"});
  return info;
}

const TClass& TComponent::StaticClass() {
  static const TClass cls = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                .Prop("Name", &TComponent::Name, &TComponent::SetName)
                                .Stored(false)
                                .Prop("Tag", &TComponent::Tag, &TComponent::SetTag)
                                .Default(0)
                                .Build();
  return cls;
}
const TClass& TComponent::ClassType() const { return StaticClass(); }

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone that asked; each entry is taken off both lists first, so a
  // Notification override that does not call the base cannot loop.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (!FOwner) return;
  // As in DestroyComponents: while the owner goes too, only a component
  // that asked to be watched is announced to its siblings; telling all of
  // them of each (a form freeing its controls) would cost quadratic time.
  if (FOwner->IsDestroying() && !FComponentState.Contains(csFreeNotification))
    FOwner->Remove(this);
  else
    FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    // Siblings hear of the removal only when the instance asked to be
    // watched; otherwise the whole family is going and nobody needs telling.
    if (instance->FComponentState.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      Remove(instance);
    delete instance;
  }
}

// What a name of at most 16 bytes holds, in two words: taken and compared
// without a copy or a library call.
struct TComponent::TNameText {
  static constexpr std::size_t Max = 16;
  std::size_t Size = 0;
  std::uint64_t Head = 0, Tail = 0;
  explicit TNameText(std::string_view S) : Size(S.size()) {
    if (Size <= 8) {
      Head = LoadUpTo8(S.data(), Size);
    } else {
      std::memcpy(&Head, S.data(), 8);
      Tail = LoadUpTo8(S.data() + 8, Size - 8);
    }
  }
  bool operator==(const TNameText&) const = default;
  // Whether S holds this text (the size first: S may be longer than Max).
  bool HeldBy(std::string_view S) const { return S.size() == Size && TNameText(S) == *this; }
};

// Open addressing over the components, each slot with its name's hash, so
// a look-up touches one slot and the component it finds (a node-based map
// costs a cache miss more per look-up on a form of many components). Names
// are identifiers, so every key is ASCII.
struct TComponent::TNameTable {
  struct TSlot {
    std::size_t Hash = 0;
    TComponent* Component = nullptr;
  };
  std::vector<TSlot> Slots;  // a power of two, at most half full
  std::size_t Named = 0;
  // The name SetName is asking ValidateRename about, what it held when
  // hashed, and the hash.
  const std::string* Asking = nullptr;
  const TNameText* Hashed = nullptr;
  std::size_t AskingHash = 0;
};

void TComponent::SetName(const std::string& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) Refuse("'%s' is not a valid component name", NewName);
  // One hash serves the owner's check and its index, as long as NewName
  // holds the text hashed: it may be another component's name or any text
  // the check changes. A valid identifier is ASCII, where the hash needs no
  // fold. A longer name is hashed by each as it comes.
  const bool keep = NewName.size() <= TNameText::Max;
  const TNameText hashed(keep ? NewName : std::string_view());
  std::size_t hash = 0;
  if (keep && !NewName.empty()) AsciiTextHash(NewName, hash);
  if (FOwner)
    FOwner->AskRename(this, NewName, keep ? &hashed : nullptr, hash);
  else
    ValidateRename(nullptr, FName, NewName);
  if (FOwner) FOwner->UnindexName(this);
  FName = NewName;
  if (FOwner) FOwner->IndexName(this, keep && hashed.HeldBy(FName) ? hash : TextHash()(FName));
  TreeChanged();
}

void TComponent::AskRename(TComponent* AComponent, const std::string& NewName, const TNameText* Hashed,
                           std::size_t Hash) {
  if (FNames) {
    FNames->Asking = Hashed ? &NewName : nullptr;
    FNames->Hashed = Hashed;
    FNames->AskingHash = Hash;
  }
  // Cleared however the check ends; a rename inside it asks about its own
  // name and clears it too, so the check then hashes for itself.
  struct TForget {
    const TComponent& Owner;
    const std::string& Name;
    ~TForget() {
      if (Owner.FNames && Owner.FNames->Asking == &Name) Owner.FNames->Asking = nullptr;
    }
  } forget{*this, NewName};
  ValidateRename(AComponent, AComponent->FName, NewName);
}

std::size_t TComponent::RenameHash(const std::string& NewName) const {
  const TNameTable& t = *FNames;
  if (t.Asking == &NewName && t.Hashed->HeldBy(NewName)) return t.AskingHash;
  return TextHash()(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const {
  // A name of another length is another name; SameText is a call.
  if (AComponent && !NewName.empty() && FNames && FNames->Named > 0 &&
      (CurName.size() != NewName.size() || !SameText(CurName, NewName))) {
    TComponent* found = FindHashed(NewName, RenameHash(NewName));
    if (found && found != AComponent)
      Refuse("A component named %s already exists", NewName);
  }
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  const int current = ComponentIndex();
  if (current < 0) return;
  const int last = static_cast<int>(list.size()) - 1;
  Value = std::clamp(Value, 0, last);
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  if (AName.empty() || !FNames || FNames->Named == 0) return nullptr;
  // Only identifiers are kept, and no other letter folds to an ASCII one.
  std::size_t hash;
  if (!AsciiTextHash(AName, hash)) return nullptr;
  return FindHashed(AName, hash);
}

void TComponent::PrefetchName(std::string_view AName) const {
  std::size_t hash;
  if (AName.empty() || !FNames || FNames->Slots.empty() || !AsciiTextHash(AName, hash)) return;
  __builtin_prefetch(&FNames->Slots[hash & (FNames->Slots.size() - 1)]);
}

TComponent* TComponent::FindHashed(std::string_view AName, std::size_t Hash) const {
  const auto& slots = FNames->Slots;
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = Hash & mask;; i = (i + 1) & mask) {
    const TNameTable::TSlot& s = slots[i];
    if (!s.Component) return nullptr;
    if (s.Hash == Hash && SameText(s.Component->FName, AName)) return s.Component;
  }
}

void TComponent::IndexName(TComponent* AComponent) {
  if (!AComponent->FName.empty()) IndexName(AComponent, TextHash()(AComponent->FName));
}

// The first component of a name keeps it (renames are validated, so a
// second one only comes with a name the index has already).
void TComponent::IndexName(TComponent* AComponent, std::size_t Hash) {
  if (AComponent->FName.empty()) return;
  if (!FNames) FNames = std::make_unique<TNameTable>();
  TNameTable& t = *FNames;
  if ((t.Named + 1) * 2 > t.Slots.size()) ResizeNames(t.Slots.empty() ? 16 : t.Slots.size() * 2);
  const std::size_t mask = t.Slots.size() - 1;
  std::size_t i = Hash & mask;
  for (; t.Slots[i].Component; i = (i + 1) & mask)
    if (t.Slots[i].Hash == Hash && SameText(t.Slots[i].Component->FName, AComponent->FName)) return;
  t.Slots[i] = {Hash, AComponent};
  ++t.Named;
}

void TComponent::ResizeNames(std::size_t Slots) {
  TNameTable& t = *FNames;
  std::vector<TNameTable::TSlot> old(Slots);
  old.swap(t.Slots);
  const std::size_t mask = t.Slots.size() - 1;
  for (const TNameTable::TSlot& s : old) {
    if (!s.Component) continue;
    std::size_t i = s.Hash & mask;
    while (t.Slots[i].Component) i = (i + 1) & mask;
    t.Slots[i] = s;
  }
}

void TComponent::ReserveNames(std::size_t Count) {
  if (Count == 0) return;
  FComponents.reserve(FComponents.size() + Count);
  if (!FNames) FNames = std::make_unique<TNameTable>();
  // The same bound as IndexName's: at most half full.
  const std::size_t needed = (FNames->Named + Count) * 2;
  std::size_t slots = FNames->Slots.empty() ? 16 : FNames->Slots.size();
  while (slots < needed) slots *= 2;
  if (slots != FNames->Slots.size()) ResizeNames(slots);
}

void TComponent::UnindexName(TComponent* AComponent) {
  if (AComponent->FName.empty() || !FNames || FNames->Named == 0) return;
  auto& slots = FNames->Slots;
  const std::size_t mask = slots.size() - 1;
  std::size_t i = TextHash()(AComponent->FName) & mask;
  for (; slots[i].Component != AComponent; i = (i + 1) & mask)
    if (!slots[i].Component) return;
  // Backward-shift deletion: later slots of the same run move up when the
  // gap lies between their home slot and where they are.
  for (std::size_t j = (i + 1) & mask;; j = (j + 1) & mask) {
    const TNameTable::TSlot& s = slots[j];
    if (!s.Component) break;
    const std::size_t home = s.Hash & mask;
    const bool movable = i <= j ? (home <= i || home > j) : (home <= i && home > j);
    if (movable) {
      slots[i] = s;
      i = j;
    }
  }
  slots[i] = {};
  --FNames->Named;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  // An ownership cycle would make each free the other for ever.
  for (const TComponent* o = this; o; o = o->FOwner)
    if (o == AComponent) throw EComponentError("A component cannot own itself or one of its owners");
  ValidateRename(AComponent, std::string(), AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  // The insertion broadcast reaches every owned component, so a form read
  // from a file would cost quadratic time; while the owner is loading its
  // components are all being created and none can act on a newcomer yet.
  if (!FComponentState.Contains(csLoading)) Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  IndexName(AComponent);
  TreeChanged();
}

void TComponent::Remove(TComponent* AComponent) {
  UnindexName(AComponent);
  // Components mostly leave last first (an owner freeing them): look from
  // the back.
  auto it = std::find(FComponents.rbegin(), FComponents.rend(), AComponent);
  if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
  AComponent->FOwner = nullptr;
  TreeChanged();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Components of one owner hear of each other's removal through the owner.
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FFreeNotifies.push_back(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  if (AComponent) AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Last first; a handler may free components, so the index is checked
  // against the list as it is now.
  for (std::size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) {
      i = FComponents.size();
      continue;
    }
    FComponents[i]->Notification(AComponent, Operation);
  }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    FComponentState.Include(csDesigning);
  else
    FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::SetLoading(bool Value) {
  if (Value)
    FComponentState.Include(csLoading);
  else
    FComponentState.Exclude(csLoading);
}

void TComponent::SetReading(bool Value) {
  if (Value)
    FComponentState.Include(csReading);
  else
    FComponentState.Exclude(csReading);
}

namespace {
std::vector<std::pair<int, TFindGlobalComponent>>& GlobalProcs() {
  static std::vector<std::pair<int, TFindGlobalComponent>> procs;
  return procs;
}
}  // namespace

int RegisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
  static int nextId = 1;
  GlobalProcs().emplace_back(nextId, std::move(Proc));
  return nextId++;
}

void UnRegisterFindGlobalComponentProc(int Id) {
  auto& procs = GlobalProcs();
  procs.erase(std::remove_if(procs.begin(), procs.end(), [&](const auto& p) { return p.first == Id; }), procs.end());
}

TComponent* FindGlobalComponent(std::string_view Name) {
  auto& procs = GlobalProcs();
  for (auto it = procs.rbegin(); it != procs.rend(); ++it)
    if (TComponent* c = it->second(Name)) return c;
  return nullptr;
}

}  // namespace host
