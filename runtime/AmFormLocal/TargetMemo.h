// What a form localizer remembers from one switch to the next about where
// each record goes: a language lists the same names in the same order and
// spelling every time, so a byte compare with the name met at the same
// place last time replaces the hashed look-ups of its component and path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/Strings.h"
#include "runtime/Ambit/FormRecords.h"

namespace host {
class TComponent;
class TPersistent;
struct TPropInfo;
}  // namespace host

namespace ambit {

// Everything a record's target depends on: the form, every component
// below it and their names, and the localizer's path and exclusion lists.
struct TAmTargetKey {
  const host::TComponent* Form = nullptr;
  std::uint64_t Tree = 0;
  std::uint64_t PropNames = 0;
  std::uint64_t Excluded = 0;
  bool PropNamesCase = false;
  bool ExcludedCase = false;
  bool operator==(const TAmTargetKey&) const = default;
};

// Targets by record position. An entry counts only under the key it was
// found under, so nothing stale (a freed component) is ever handed out.
class TAmTargetMemo {
public:
  struct TTarget {
    host::TPersistent* Object;  // null: the record goes nowhere
    std::size_t PathAt;         // where the property path starts in the name
    // The string property the path names on Object itself, once a write
    // has learnt it; null: the write walks the path.
    const host::TPropInfo* Prop = nullptr;
  };
  // The target stored at Position for exactly Name under Key, or null.
  const TTarget* Find(const TAmTargetKey& Key, std::size_t Position, std::string_view Name) const {
    if (!(Key == FKey) || Position >= FEntries.size()) return nullptr;
    const TEntry& e = FEntries[Position];
    if (e.NameSize == kUnset || std::string_view(FNames).substr(e.NameAt, e.NameSize) != Name) return nullptr;
    return &e.Target;
  }
  // Find for a name known to be the one stored at Position (see NamesId).
  const TTarget* FindKnown(const TAmTargetKey& Key, std::size_t Position) const {
    if (!(Key == FKey) || Position >= FEntries.size()) return nullptr;
    const TEntry& e = FEntries[Position];
    return e.NameSize == kUnset ? nullptr : &e.Target;
  }
  // Remembers Target for Name at Position; a new Key forgets the rest.
  void Store(const TAmTargetKey& Key, std::size_t Position, std::string_view Name, TTarget Target);
  // The records (TAmFormRecords::NamesId) whose names a whole pass of Find
  // and Store left at every place; 0: none. While records of that id come,
  // each name is the one stored at its place, or its place is unset.
  std::uint64_t NamesId() const { return FNamesId; }
  void SetNamesId(std::uint64_t Value) { FNamesId = Value; }
  // Where the write of the record at Position keeps its property: valid
  // right after a Find or Store of that position, while no other switch
  // uses the memo.
  const host::TPropInfo** PropAt(std::size_t Position) { return &FEntries[Position].Target.Prop; }

private:
  static constexpr std::size_t kUnset = std::string_view::npos;
  struct TEntry {
    std::size_t NameAt;
    std::size_t NameSize;
    TTarget Target;
  };
  void Forget();

  TAmTargetKey FKey;
  std::string FNames;  // spellings, back to back (replaced ones stay until Forget)
  std::vector<TEntry> FEntries;
  std::uint64_t FNamesId = 0;
};

// Copies of a list's lines in one block of text: one allocation for the
// lot instead of one per line, and none once the block is big enough.
class TAmLineCopies {
public:
  void Fill(const host::TStringList& List);
  std::size_t size() const { return FStarts.empty() ? 0 : FStarts.size() - 1; }
  std::string_view operator[](std::size_t I) const {
    return std::string_view(FText).substr(FStarts[I], FStarts[I + 1] - FStarts[I]);
  }

private:
  std::string FText;
  std::vector<std::size_t> FStarts;
};

// What one form localizer keeps between switches. Only one switch may use
// it at a time: one started by a handler during another works without it.
struct TAmSwitchMemo {
  TAmFormRecords Records;
  TAmTargetMemo RecordTargets;    // the language's records
  TAmTargetMemo OriginalTargets;  // the snapshot's
  TAmLineCopies SnapshotLines;    // what returning to the designed texts works on
  // The snapshot's records (name, encoded text) that Records lacked, for
  // the names of DefaultsNames and the snapshot as it was then.
  std::vector<std::pair<std::string, std::string>> Defaults;
  std::uint64_t DefaultsNames = 0;
  std::uint64_t DefaultsOriginals = 0;
  bool DefaultsCase = false;
  bool InUse = false;
};

// Claims a memo for one switch, when it is free.
class TAmSwitchMemoUse {
public:
  explicit TAmSwitchMemoUse(TAmSwitchMemo& Memo) : FMemo(Memo.InUse ? nullptr : &Memo) {
    if (FMemo) FMemo->InUse = true;
  }
  ~TAmSwitchMemoUse() {
    if (FMemo) FMemo->InUse = false;
  }
  TAmSwitchMemoUse(const TAmSwitchMemoUse&) = delete;
  TAmSwitchMemoUse& operator=(const TAmSwitchMemoUse&) = delete;
  TAmSwitchMemo* Get() const { return FMemo; }

private:
  TAmSwitchMemo* FMemo;
};

}  // namespace ambit
