#include "host/core/Strings.h"

#include <algorithm>
#include <numeric>
#include <typeinfo>

#include "host/core/CaseFold.h"
#include "host/core/FileIO.h"

namespace host {

const TClass& TStrings::StaticClass() {
  static const TClass cls = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass()).Build();
  return cls;
}
const TClass& TStrings::ClassType() const { return StaticClass(); }

const TClass& TStringList::StaticClass() {
  static const TClass cls = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClass()).Build();
  return cls;
}
const TClass& TStringList::ClassType() const { return StaticClass(); }

// ---- TStrings ----

void TStrings::Error(int Index) const { throw EListError(Format("List index out of bounds (%d)", {Index})); }

void TStrings::Put(int Index, const std::string& S) {
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

int TStrings::Add(const std::string& S) {
  const int result = Count();
  Insert(result, S);
  return result;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  const int result = Add(S);
  PutObject(result, AObject);
  return result;
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  // Counted once, so adding a list to itself doubles it instead of running
  // for ever.
  const int n = Strings->Count();
  BeginUpdate();
  try {
    for (int i = 0; i < n; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    const std::string s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex < 0 || CurIndex >= Count()) Error(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count()) Error(NewIndex);
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    const std::string s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const { return CompareText(S1, S2); }

int TStrings::IndexOf(std::string_view S) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view Name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string s = Get(i);
    const std::size_t p = s.find('=');
    if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

std::string TStrings::Names(int Index) const {
  std::string s = Get(Index);
  const std::size_t p = s.find('=');
  s.resize(p == std::string::npos ? 0 : p);
  return s;
}

std::string TStrings::ValueFromIndex(int Index) const {
  const std::string s = Get(Index);
  const std::size_t p = s.find('=');
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::Values(std::string_view Name) const {
  const int i = IndexOfName(Name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(std::string_view Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    std::string line;
    line.reserve(Name.size() + 1 + Value.size());
    line.append(Name).append(1, '=').append(Value);
    if (i < 0)
      Add(line);
    else
      Put(i, line);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::string TStrings::CommaText() const {
  const int n = Count();
  if (n == 1 && Get(0).empty()) return "\"\"";
  std::string out;
  for (int i = 0; i < n; ++i) {
    const std::string s = Get(i);
    const bool quote = std::any_of(s.begin(), s.end(), [](char c) {
      return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
    });
    if (i > 0) out.push_back(',');
    out += quote ? AnsiQuotedStr(s, '"') : s;
  }
  return out;
}

void TStrings::SetCommaText(std::string_view Value) {
  // A NUL is a byte like any other: inside quotes it stays in its item
  // (CommaText quotes every item that holds one), outside it is a blank.
  // Ending the text there would drop the items after it.
  auto blank = [&](std::size_t i) { return i < Value.size() && static_cast<unsigned char>(Value[i]) <= ' '; };
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0;
    while (blank(p)) ++p;
    while (p < Value.size()) {
      std::string item;
      if (Value[p] == '"') {
        item = AnsiExtractQuotedStr(Value, p, '"');
      } else {
        const std::size_t start = p;
        while (p < Value.size() && static_cast<unsigned char>(Value[p]) > ' ' && Value[p] != ',') ++p;
        item.assign(Value.substr(start, p - start));
      }
      Add(item);
      while (blank(p)) ++p;
      if (p < Value.size() && Value[p] == ',') {
        if (p + 1 == Value.size()) Add(std::string());
        do {
          ++p;
        } while (blank(p));
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(std::string_view Value) {
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0;
    while (p < Value.size()) {
      const std::size_t start = p;
      while (p < Value.size() && Value[p] != '\r' && Value[p] != '\n') ++p;
      Add(std::string(Value.substr(start, p - start)));
      if (p < Value.size() && Value[p] == '\r') ++p;
      if (p < Value.size() && Value[p] == '\n') ++p;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::LoadFromFile(const std::string& FileName) {
  std::string text;
  if (!ReadRegularFile(FileName, text)) throw EFOpenError(Format("Cannot open file \"%s\": it does not exist", {FileName}));
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  SetText(text);
}

void TStrings::SaveToFile(const std::string& FileName) const { WriteFileAtomic(FileName, Text()); }

bool TStrings::Equals(const TStrings* Strings) const {
  if (!Strings || Strings->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

void TStrings::Assign(const TPersistent* Source) {
  if (const auto* src = As<TStrings>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  // The state changes while the count is still zero, so a list can still
  // announce the change that is about to start.
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

// ---- TStringList ----

TStringList::~TStringList() {
  FOnChange = nullptr;
  FOnChanging = nullptr;
  if (FOwnsObjects)
    for (auto& item : FList) delete item.Object;
}

void TStringList::FreeObject(TObject* AObject) {
  if (FOwnsObjects) delete AObject;
}

std::string TStringList::Get(int Index) const { return Line(Index); }

const std::string& TStringList::Line(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FList[static_cast<std::size_t>(Index)].Text;
}

void TStringList::Put(int Index, const std::string& S) {
  if (Index < 0 || Index >= Count()) Error(Index);
  if (FSorted) {
    // Allowed only where the line keeps its place, so the list stays
    // sorted; rewriting a line with the same text (a value set again to
    // what it is) must not fail.
    const bool afterPrev = Index == 0 || CompareStrings(FList[static_cast<std::size_t>(Index) - 1].Text, S) <= 0;
    const bool beforeNext =
        Index + 1 == Count() || CompareStrings(S, FList[static_cast<std::size_t>(Index) + 1].Text) <= 0;
    if (!afterPrev || !beforeNext) throw EListError("Operation not allowed on sorted list");
  }
  Changing();
  auto& item = FList[static_cast<std::size_t>(Index)];
  if (FIndexValid) {
    // Replacing a value under the same name keeps the index valid.
    const std::size_t po = item.Text.find('='), pn = S.find('=');
    const bool same = (po == std::string::npos && pn == std::string::npos) ||
                      (po != std::string::npos && pn != std::string::npos &&
                       CompareStrings(std::string_view(item.Text).substr(0, po), std::string_view(S).substr(0, pn)) == 0);
    if (!same) InvalidateIndex();
  }
  item.Text = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FList[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  auto& obj = FList[static_cast<std::size_t>(Index)].Object;
  if (obj != AObject) FreeObject(obj);
  obj = AObject;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > Count()) Error(Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, std::string S, TObject* AObject) {
  Changing();
  if (Index == Count()) {
    FList.push_back({std::move(S), AObject});
    if (FIndexValid) IndexLine(Index);
  } else {
    FList.insert(FList.begin() + Index, Item{std::move(S), AObject});
    InvalidateIndex();
  }
  Changed();
}

int TStringList::Add(const std::string& S) {
  if (!FSorted) {
    const int index = Count();
    InsertItem(index, S, nullptr);
    return index;
  }
  int index = 0;
  if (Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
  }
  InsertItem(index, S, nullptr);
  return index;
}

int TStringList::Add(std::string&& S) {
  if (FSorted || typeid(*this) != typeid(TStringList)) return Add(static_cast<const std::string&>(S));
  const int index = Count();
  InsertItem(index, std::move(S), nullptr);
  return index;
}

void TStringList::SetValues(std::string_view Name, const std::string& Value) {
  // A name holding "=" is never found (a line's name ends before its first
  // "="); the plain way keeps that.
  if (FSorted || typeid(*this) != typeid(TStringList) || Name.find('=') != std::string_view::npos)
    return TStrings::SetValues(Name, Value);
  if (Value.empty()) {
    if (const int i = IndexOfName(Name); i >= 0) Delete(i);
    return;
  }
  std::string line;
  line.reserve(Name.size() + 1 + Value.size());
  line.append(Name).append(1, '=').append(Value);
  const int count = Count();
  const int i = AddUniqueName(std::move(line));
  if (Count() == count) Put(i, line);  // not added: the line is still whole
}

void TStringList::AssignValues(const std::vector<std::pair<std::string_view, std::string_view>>& Pairs) {
  if (FSorted || typeid(*this) != typeid(TStringList)) {
    Clear();
    for (const auto& [name, value] : Pairs) SetValues(name, std::string(value));
    return;
  }
  Changing();
  for (Item& item : FList) {
    FreeObject(item.Object);
    item.Object = nullptr;
  }
  FNameIndex.Clear();
  FNameIndex.SetCaseSensitive(FCaseSensitive);
  FNameIndex.Reserve(Pairs.size());
  FIndexValid = true;
  auto nameAt = [this](int i) { return NameAt(i); };
  std::size_t n = 0;
  for (; n < Pairs.size(); ++n) {
    const auto& [name, value] = Pairs[n];
    // An empty value, a name holding "=" or one met before: the general way.
    if (value.empty() || name.find('=') != std::string_view::npos) break;
    if (n == FList.size()) FList.emplace_back();
    std::string& line = FList[n].Text;
    line.assign(name).append(1, '=').append(value);
    if (FNameIndex.Add(std::string_view(line).substr(0, name.size()), static_cast<int>(n), nameAt) !=
        static_cast<int>(n))
      break;
  }
  if (n == Pairs.size()) {
    FList.resize(n);
    Changed();
    return;
  }
  FList.clear();
  FNameIndex.Clear();
  for (const auto& [name, value] : Pairs) SetValues(name, std::string(value));
  Changed();
}

int TStringList::AddUniqueName(std::string&& S) {
  const std::size_t p = S.find('=');
  if (p == std::string::npos) return Add(std::move(S));
  if (FSorted || typeid(*this) != typeid(TStringList)) {
    const int found = IndexOfName(std::string_view(S).substr(0, p));
    return found >= 0 ? found : Add(static_cast<const std::string&>(S));
  }
  if (!FKept.empty()) {
    // A handler of OnChanging could change the list before the line lands.
    if (Refilling() && !FOnChanging) {
      const std::string& kept = FKept[FList.size()];
      if (kept.size() > p && kept[p] == '=' && kept.compare(0, p, S, 0, p) == 0) return AppendKept(S);
    }
    DropKept();
  }
  EnsureNameIndex();
  auto nameAt = [this](int i) { return NameAt(i); };
  const std::uint32_t hash = FNameIndex.Hash(std::string_view(S).substr(0, p));
  if (const int found = FNameIndex.FindHashed(std::string_view(S).substr(0, p), hash, nameAt); found >= 0)
    return found;
  const int index = Count();
  Changing();
  FList.push_back({std::move(S), nullptr});
  FNameIndex.AddHashed(std::string_view(FList.back().Text).substr(0, p), hash, index, nameAt);
  Changed();
  return index;
}

int TStringList::AppendKept(const std::string& S) {
  if (std::string& line = FKept[FList.size()]; line != S) {
    line.assign(S);
    FRefillSame = false;
  }
  return AddNextKept();
}

int TStringList::AddNextKept(std::size_t Count) {
  // Only a plain list keeps lines, so its own Changing and Changed are called
  // straight. Lines nobody watches land together: one count per line, as
  // one by one.
  if (Count > 1 && !FOnChange && !FOnChanging) {
    const std::size_t index = FList.size();
    FChangeCount += Count;
    for (std::size_t i = index; i < index + Count; ++i) FList.push_back({std::move(FKept[i]), nullptr});
    KeptAppended();
    return static_cast<int>(index + Count - 1);
  }
  int last = -1;
  for (; Count > 0 && (last < 0 || Refilling()); --Count) {
    const std::size_t index = FList.size();
    TStringList::Changing();
    FList.push_back({std::move(FKept[index]), nullptr});
    const std::uint64_t change = FChangeCount;
    TStringList::Changed();
    last = static_cast<int>(index);
    if (FChangeCount != change) return last;  // a handler changed the list: the refill ends
    KeptAppended();
  }
  return last;
}

void TStringList::KeptAppended() {
  FKeptChange = FChangeCount;
  if (FList.size() == FKept.size()) {
    // Every name is where it was: the kept index holds for the lines.
    std::swap(FNameIndex, FKeptIndex);
    FIndexValid = true;
    if (FRefillSame) {
      FRestoredId = FKeptId;
      FRestoredAt = FChangeCount;
    }
    DropKept();
  }
}

void TStringList::ClearKeepingLines() {
  if (FSorted || typeid(*this) != typeid(TStringList) || FList.empty()) return Clear();
  DropKept();
  // A refill that ended early left the index to be rebuilt: it is the
  // price of the next refill's look-ups, paid once.
  EnsureNameIndex();
  if (FNameIndex.Count() != FList.size()) return Clear();  // a name repeats, or a line has none
  FKept.reserve(FList.size());
  FKeptId = ContentId();
  FRefillSame = true;
  std::vector<TObject*> owned;
  if (FOwnsObjects) owned.reserve(FList.size());
  Changing();
  for (Item& item : FList) {
    FKept.push_back(std::move(item.Text));
    if (FOwnsObjects) owned.push_back(item.Object);
  }
  FList.clear();
  std::swap(FNameIndex, FKeptIndex);
  FNameIndex.SetCaseSensitive(FCaseSensitive);
  FIndexValid = false;  // the list's index is the kept one once the refill is whole
  FKeptChange = FChangeCount;
  for (TObject* obj : owned) delete obj;
  Changed();
}

void TStringList::DropKept() {
  FKept.clear();  // the room for their places stays
  FKeptIndex = TNameIndex();
}

void TStringList::SetCapacity(int Value) {
  const std::size_t count = static_cast<std::size_t>(Value < 0 ? 0 : Value);
  FList.reserve(count);
  if (Refilling()) return;  // the kept index is made for the lines to come
  // An empty list's index is known (empty) and is kept from here on.
  if (FList.empty()) EnsureNameIndex();
  if (FIndexValid) FNameIndex.Reserve(count);
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  TObject* obj = FList[static_cast<std::size_t>(Index)].Object;
  FList.erase(FList.begin() + Index);
  InvalidateIndex();
  FreeObject(obj);
  Changed();
}

void TStringList::Clear() {
  DropKept();
  if (FList.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(FList);
  FNameIndex.Clear();
  FNameIndex.SetCaseSensitive(FCaseSensitive);
  FIndexValid = true;
  if (FOwnsObjects)
    for (auto& item : old) delete item.Object;
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= Count()) Error(Index1);
  if (Index2 < 0 || Index2 >= Count()) Error(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  InvalidateIndex();
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex < 0 || CurIndex >= Count()) Error(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count()) Error(NewIndex);
  if (CurIndex == NewIndex) return;
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  Changing();
  // Moved as a whole: going through Delete would free an owned object.
  Item item = std::move(FList[static_cast<std::size_t>(CurIndex)]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  InvalidateIndex();
  Changed();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
  if (FCaseSensitive) return S1.compare(S2) < 0 ? -1 : (S1 == S2 ? 0 : 1);
  return CompareText(S1, S2);
}

// Enters line Index into the name index; a line without "=" has no name.
void TStringList::IndexLine(int Index) const {
  const std::string& s = FList[static_cast<std::size_t>(Index)].Text;
  const std::size_t p = s.find('=');
  if (p == std::string::npos) return;
  FNameIndex.Add(std::string_view(s).substr(0, p), Index, [this](int i) { return NameAt(i); });
}

int TStringList::IndexOf(std::string_view S) const {
  if (FSorted) {
    int index = 0;
    return Find(S, index) ? index : -1;
  }
  // Equality is all a scan needs: SameText tells it by the lengths first.
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = FList[static_cast<std::size_t>(i)].Text;
    if (FCaseSensitive ? line == S : SameText(line, S)) return i;
  }
  return -1;
}

int TStringList::IndexOfName(std::string_view Name) const {
  EnsureNameIndex();
  return FNameIndex.Find(Name, [this](int i) { return NameAt(i); });
}

int TStringList::IndexOfNameAt(int Index) const {
  const std::string& s = Line(Index);
  const std::size_t p = s.find('=');
  if (p == std::string::npos) return IndexOfName({});
  EnsureNameIndex();
  if (FNameIndex.Count() == FList.size()) return Index;
  return IndexOfName(std::string_view(s).substr(0, p));
}

void TStringList::EnsureNameIndex() const {
  if (FIndexValid) return;
  FNameIndex.Clear();
  FNameIndex.SetCaseSensitive(FCaseSensitive);
  FNameIndex.Reserve(FList.size());
  for (int i = 0; i < Count(); ++i) IndexLine(i);
  FIndexValid = true;
}

bool TStringList::Find(std::string_view S, int& Index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareStrings(FList[static_cast<std::size_t>(mid)].Text, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

void TStringList::Sort() {
  CustomSort([](const TStringList* list, int a, int b) {
    return list->CompareStrings(list->FList[static_cast<std::size_t>(a)].Text, list->FList[static_cast<std::size_t>(b)].Text);
  });
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (Count() < 2) return;
  Changing();
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[static_cast<std::size_t>(i)]));
  FList.swap(sorted);
  InvalidateIndex();
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  ++FChangeCount;
  InvalidateIndex();
  if (FSorted) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (!Updating) return Changed();
  // Opening an update changes no line: the lines keep their content id,
  // unless a handler changed them.
  const std::uint64_t id = ContentId();
  const std::uint64_t at = FChangeCount + 1;
  Changing();
  if (FChangeCount == at) {
    FRestoredId = id;
    FRestoredAt = at;
  }
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && FOnChange) FOnChange(this);
}

void TStringList::Changing() {
  ++FChangeCount;
  if (UpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

}  // namespace host
