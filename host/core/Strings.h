// String lists: TStrings, the abstract list of lines with an object per
// line, and TStringList, the plain implementation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/Events.h"
#include "host/core/NameIndex.h"
#include "host/core/TypInfo.h"

namespace host {

// The name and the value of a line, as the lists below split it: the texts
// before and after its first "="; both empty for a line without "=".
inline std::string_view LineName(std::string_view Line) {
  const std::size_t eq = Line.find('=');
  return eq == std::string_view::npos ? std::string_view() : Line.substr(0, eq);
}
inline std::string_view LineValue(std::string_view Line) {
  const std::size_t eq = Line.find('=');
  return eq == std::string_view::npos ? std::string_view() : Line.substr(eq + 1);
}

// Comparisons of lines ignore case (see CaseFold.h) unless a list says
// otherwise. A line's name is its text before the first "="; a line without
// "=" has an empty name and an empty value and is never found by name.
class TStrings : public TPersistent {
  HOST_CLASS(TStrings)
public:
  virtual int Count() const = 0;
  // Raise EListError for an index out of range.
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& S);
  int AddObject(const std::string& S, TObject* AObject);
  void AddStrings(const TStrings* Strings);
  void Append(const std::string& S) { Add(S); }
  virtual void Exchange(int Index1, int Index2);
  // Moves a line (with its object) to NewIndex. Both indexes are checked
  // first, so a bad one raises EListError and loses nothing.
  virtual void Move(int CurIndex, int NewIndex);

  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  std::string operator[](int Index) const { return Get(Index); }

  virtual int IndexOf(std::string_view S) const;
  virtual int IndexOfName(std::string_view Name) const;
  int IndexOfObject(const TObject* AObject) const;

  std::string Names(int Index) const;
  std::string ValueFromIndex(int Index) const;
  // The value of the first line of that name; empty when there is none.
  std::string Values(std::string_view Name) const;
  // Replaces the first line of that name or appends one; an empty value
  // deletes the line instead.
  virtual void SetValues(std::string_view Name, const std::string& Value);

  // Items joined by "," with no blanks; an item holding a character of
  // code 32 or below, a double quote or a comma is quoted with inner quotes
  // doubled; a single empty item is written as "".
  std::string CommaText() const;
  // Reads comma text: blanks (codes 0-32) around items are skipped, a quoted
  // item runs to its closing quote (a NUL inside stays), an unquoted item
  // ends at a comma or a blank, a trailing comma adds an empty item.
  void SetCommaText(std::string_view Value);
  // Every line followed by CR LF.
  std::string Text() const;
  // Splits at CR, LF or CR LF; a final line break adds no empty line.
  void SetText(std::string_view Value);

  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

  bool Equals(const TStrings* Strings) const;
  void Assign(const TPersistent* Source) override;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Compares two lines under this list's case rule.
  virtual int CompareStrings(std::string_view S1, std::string_view S2) const;

protected:
  // Called when the update count leaves or reaches zero.
  virtual void SetUpdateState(bool Updating) {}
  [[noreturn]] void Error(int Index) const;

private:
  int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  HOST_CLASS(TStringList)
public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FList.size()); }
  std::string Get(int Index) const override;
  // The text of line Index without a copy; valid until the list changes.
  const std::string& Line(int Index) const;
  // On a sorted list only a text that keeps the line's place is accepted;
  // anything else raises EListError.
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const std::string& S) override;
  // The same for a line the caller built: its text is moved in. A
  // descendant that overrides Add still sees every line through it.
  int Add(std::string&& S);
  // Appends S unless a line of its name is there, with one look-up for
  // both: the index of the line that has the name (S's own when it was
  // added; S is left whole when it was not). A line without "=" is always
  // added. When a refill (see ClearKeepingLines) goes on, S's text is
  // copied into the kept line of that place and S is left whole too.
  int AddUniqueName(std::string&& S);
  // Clear, but the lines' storage and the name index are kept for a refill
  // through AddUniqueName that appends the same names in the same order (a
  // snapshot taken again): such a line needs neither a look-up nor an
  // allocation, and once the refill is whole the kept index is the list's.
  // Any other change ends the refill. Plain lists whose lines all have
  // names of their own only; others are simply cleared.
  void ClearKeepingLines();
  // While a refill goes on and would take line Count() + Ahead as the kept
  // line of its place: that kept line as it stands, else null. A caller whose
  // lines are byte-identical appends them with AddNextKept, without copying.
  const std::string* NextKept(std::size_t Ahead = 0) const {
    return !FKept.empty() && Refilling() && !FOnChanging && !FSorted && FList.size() + Ahead < FKept.size()
               ? &FKept[FList.size() + Ahead]
               : nullptr;
  }
  // Appends the Count lines NextKept has just shown, unchanged: what
  // AddUniqueName does with lines of the same texts, one after the other
  // (with a handler of OnChange, only while the refill goes on). The index
  // of the last line appended.
  int AddNextKept(std::size_t Count = 1);
  // One look-up for the name, and an appended line moved in.
  void SetValues(std::string_view Name, const std::string& Value) override;
  // Clear, then SetValues for each pair in order. While no pair's value is
  // empty and every line's name is new, a plain list does it as one change
  // that writes into the lines it had, without freeing them first. The
  // pairs must not view this list's own lines.
  void AssignValues(const std::vector<std::pair<std::string_view, std::string_view>>& Pairs);
  int Capacity() const { return static_cast<int>(FList.capacity()); }
  // Also makes room in the name index while appends keep it; an empty
  // list's index is started here, so that appends keep it from the first.
  void SetCapacity(int Value);
  void Exchange(int Index1, int Index2) override;
  // Keeps the line's object (even an owned one); not allowed on a sorted list.
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(std::string_view S) const override;
  // Constant time on average: a name index is kept while lines are appended
  // and rebuilt after other changes.
  int IndexOfName(std::string_view Name) const override;
  // IndexOfName(Names(Index)) without copying the name; while every line
  // has a name of its own, that is Index itself, known without a look-up.
  int IndexOfNameAt(int Index) const;
  int CompareStrings(std::string_view S1, std::string_view S2) const override;

  // Ascending by whole line under the list's case rule; stable.
  virtual void Sort();
  using TStringListSortCompare = int (*)(const TStringList* List, int Index1, int Index2);
  virtual void CustomSort(TStringListSortCompare Compare);
  // Binary search of a sorted list: true when found; Index is the position
  // found or where S would be inserted.
  bool Find(std::string_view S, int& Index) const;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  // Objects are freed with the list (and when their line is deleted).
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }
  // Counts every change of the lines and of the case rule, also inside an
  // update bracket: what was worked out from the list holds while it stands.
  std::uint64_t ChangeCount() const { return FChangeCount; }
  // Equal ids mean the same lines under the same case rule. Usually the
  // change count; opening an update keeps the id, and a refill that put
  // back every kept line unchanged gives the id the lines had before
  // ClearKeepingLines.
  std::uint64_t ContentId() const { return FChangeCount == FRestoredAt ? FRestoredId : FChangeCount; }

protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();

private:
  struct Item {
    std::string Text;
    TObject* Object = nullptr;
  };
  void InsertItem(int Index, std::string S, TObject* AObject);
  // Whether line Count() may be appended as the kept line of that place.
  bool Refilling() const {
    return !FIndexValid && FChangeCount == FKeptChange && FList.size() < FKept.size();
  }
  // Appends S in the kept line of its place, whose name S has: the kept
  // names are distinct, so it cannot be in the list yet.
  int AppendKept(const std::string& S);
  // The refill's bookkeeping once lines were appended: the kept index is the
  // list's when the refill is whole.
  void KeptAppended();
  void DropKept();
  void InvalidateIndex() const { FIndexValid = false; }
  void IndexLine(int Index) const;
  void EnsureNameIndex() const;
  // The name of a line that has one (an indexed line).
  std::string_view NameAt(int Index) const {
    const std::string& s = FList[static_cast<std::size_t>(Index)].Text;
    return std::string_view(s).substr(0, s.find('='));
  }
  void FreeObject(TObject* AObject);

  std::vector<Item> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
  std::uint64_t FChangeCount = 0;
  // Name index: the first line of each name, under the list's case rule.
  mutable TNameIndex FNameIndex;
  mutable bool FIndexValid = false;
  // The lines ClearKeepingLines took out, with their names' index (every
  // name distinct), and the change count the refill must find.
  std::vector<std::string> FKept;
  TNameIndex FKeptIndex;
  std::uint64_t FKeptChange = 0;
  // The kept lines' content id, and whether the refill so far put back
  // each of them unchanged; the id restored, and the change count it
  // holds for.
  std::uint64_t FKeptId = 0;
  bool FRefillSame = false;
  std::uint64_t FRestoredId = 0;
  std::uint64_t FRestoredAt = ~std::uint64_t(0);
};

}  // namespace host
