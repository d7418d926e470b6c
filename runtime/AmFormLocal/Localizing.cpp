// Localizing: the active language's records, or the snapshot of the
// designed texts, are resolved to components and written into them.
//
// Every step per record is constant time on average, so switching a form
// of n texts costs O(n): names are looked up through the string lists' name
// indexes and the owners' component indexes, never by scanning, and the
// snapshot is rewritten once per pass instead of record by record (deleting
// from the middle of a list shifts the rest and drops its name index, which
// the next look-up would then rebuild: quadratic over a pass).
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/core/CaseFold.h"
#include "host/core/TypInfo.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmFormLocal/PropertyPath.h"
#include "runtime/AmFormLocal/TargetMemo.h"
#include "runtime/Ambit/FormRecords.h"

namespace ambit {

using namespace host;

namespace {

constexpr char kQuote = '"';
constexpr char kEscape = '#';

// A list LoadStrings filled, read as records: a line's value is that of the
// first line of its name.
struct TListRecords {
  const TStringList& List;
  int Count() const { return List.Count(); }
  std::string_view Name(int I) const { return LineName(List.Line(I)); }
  int IndexOfName(std::string_view Name) const { return List.IndexOfName(Name); }
  std::string_view ValueView(int I) const {
    const int first = List.IndexOfNameAt(I);
    return first < 0 ? std::string_view() : LineValue(List.Line(first));
  }
};

// Which names records hold, for telling a repeat; 0: unknown.
std::uint64_t NamesIdOf(const TAmFormRecords& Records) { return Records.NamesId(); }
std::uint64_t NamesIdOf(const TListRecords&) { return 0; }

}  // namespace

void TAmFormLocalizer::Localize() {
  if (Owner()) LocalizeAs(Owner()->Name());
}

void TAmFormLocalizer::LocalizeAs(const std::string& Section) {
  if (Finishing()) return;
  TComponent* form = Owner();
  TAmCustomLanguageSource* src = Source();
  const bool active =
      src && src->ActiveLanguage() >= 0 && src->ActiveLanguage() < src->Languages()->Count();
  if (!active) {
    ApplyCharsetAndBiDi(form, DEFAULT_CHARSET, bdLeftToRight);
    LoadAllFromBuffer();
    return;
  }
  const TBiDiMode mode = src->ActiveSettings()->BiDiMode();
  const TFontCharset charSet = src->ActiveSettings()->FontCharSet();
  ApplyCharsetAndBiDi(form, charSet, mode);

  src->SetFormSection(Section);
  // The store's records straight, when it can give exactly what LoadStrings
  // would; else through LoadStrings, which a subclass or handler may shape.
  // The records of the last switch lend their buffers and names.
  const TAmSwitchMemoUse memo(*FMemo);
  TAmFormRecords own;
  TAmFormRecords& direct = memo.Get() ? memo.Get()->Records : own;
  direct.Clear();
  if (src->LoadRecords(direct)) {
    ApplyRecords(direct, memo.Get());
    return;
  }
  TStringList list;
  src->LoadStrings(&list);
  TListRecords records{list};
  ApplyRecords(records, memo.Get());
}

TAmTargetKey TAmFormLocalizer::TargetKey() const {
  return {Owner(),
          TComponent::TreeChanges(),
          FPropNames->ChangeCount(),
          FExcluded->ChangeCount(),
          FPropNames->CaseSensitive(),
          FExcluded->CaseSensitive()};
}

template <class Records>
void TAmFormLocalizer::CollectDefaults(Records& records, TDefaults& Defaults) const {
  int next = 0;
  for (int i = 0; i < FOriginals->Count(); ++i) {
    const std::string_view name = LineName(FOriginals->Line(i));
    if (!name.empty() && next < records.Count() && records.Name(next) == name) {
      ++next;
      continue;
    }
    if (const int at = records.IndexOfName(name); at >= 0) {
      next = at + 1;
      continue;
    }
    const int first = FOriginals->IndexOfNameAt(i);
    Defaults.emplace_back(name, first < 0 ? std::string_view() : LineValue(FOriginals->Line(first)));
  }
}

template <class Records>
void TAmFormLocalizer::ApplyRecords(Records& records, TAmSwitchMemo* Memo) {
  // Designed texts of the properties the previous language may have changed
  // and this one does not mention. Taken apart first: a handler may touch
  // the snapshot while its records are applied.
  // The snapshot and a language's section usually list the same names in
  // the same order, so the record after the last one met is tried first: a
  // name spelt the same proves the record is there without a hashed look-up.
  // When neither the snapshot nor the records' names changed since the last
  // switch, its list holds.
  TDefaults own;
  TDefaults* defaults = &own;
  const std::uint64_t names = NamesIdOf(records);
  if (Memo && names != 0) {
    defaults = &Memo->Defaults;
    const std::uint64_t originals = FOriginals->ContentId();
    const bool caseRule = FOriginals->CaseSensitive();
    if (Memo->DefaultsNames != names || Memo->DefaultsOriginals != originals || Memo->DefaultsCase != caseRule) {
      Memo->DefaultsNames = 0;  // until the list is whole
      Memo->Defaults.clear();
      CollectDefaults(records, Memo->Defaults);
      Memo->DefaultsNames = names;
      Memo->DefaultsOriginals = originals;
      Memo->DefaultsCase = caseRule;
    }
  } else {
    CollectDefaults(records, own);
  }
  TPropertyLookups lookups;
  std::string text;  // one buffer for every record's text
  for (const auto& [name, value] : *defaults) {
    std::string path = name;
    // GetObject has checked the path against PropNames already.
    if (TPersistent* obj = GetObject(path)) {
      text.clear();
      AppendDecodedValue(text, value, kQuote, kEscape);
      ApplyText(obj, path, text, &lookups);
    }
  }

  // Each record is resolved once, or found where the last switch left it;
  // Resolve has checked its path against PropNames already. Records of the
  // names the last whole pass met need no compare of their names.
  std::string pathText;
  TAmTargetMemo* targets = Memo ? &Memo->RecordTargets : nullptr;
  const bool known = targets && names != 0 && targets->NamesId() == names;
  // A localizer of this very class calls no handler of its own, so while
  // none is set a record whose target and string property are known is
  // written straight, as ApplyText would.
  const bool plain = known && typeid(*this) == typeid(TAmFormLocalizer);
  if (targets) targets->SetNamesId(0);  // until this pass is whole
  for (int i = 0; i < records.Count(); ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (plain && !FOnPropertyLocalizing && !FOnPropertyLocalized) {
      // The key is taken for each record: applying one may change what it covers.
      const TAmTargetMemo::TTarget* target = targets->FindKnown(TargetKey(), at);
      if (target && !target->Object) continue;
      if (target && target->Prop) {
        text.assign(records.ValueView(i));
        WriteTextProp(target->Object, target->Prop, text, FSaveOptions.Contains(soSaveEmpty));
        continue;
      }
    }
    std::string_view path = records.Name(i);
    TPersistent* obj = ResolveAt(targets, at, path, true, known);
    if (!obj) continue;
    pathText.assign(path);
    text.assign(records.ValueView(i));
    ApplyText(obj, pathText, text, &lookups, targets ? targets->PropAt(at) : nullptr);
  }
  if (targets) targets->SetNamesId(names);
}

TPersistent* TAmFormLocalizer::GetObject(std::string& Name) const {
  std::string_view path = Name;
  TPersistent* result = Resolve(path);
  Name = std::string(path);
  return result;
}

TPersistent* TAmFormLocalizer::ResolveAt(TAmTargetMemo* Memo, std::size_t Position, std::string_view& Name,
                                         bool Whole, bool Known) const {
  const std::string_view name = Name;
  // The key is taken for each record: applying one may change what it covers.
  const TAmTargetKey key = Memo ? TargetKey() : TAmTargetKey{};
  const TAmTargetMemo::TTarget* known =
      !Memo ? nullptr : Known ? Memo->FindKnown(key, Position) : Memo->Find(key, Position, name);
  if (known) {
    Name.remove_prefix(known->PathAt);
    return known->Object;
  }
  TPersistent* obj = nullptr;
  if (!Whole || FExcluded->Count() == 0 || FExcluded->IndexOf(name) < 0) obj = Resolve(Name);
  if (Memo) Memo->Store(key, Position, name, {obj, name.size() - Name.size()});
  return obj;
}

TPersistent* TAmFormLocalizer::Resolve(std::string_view& Name) const {
  TComponent* current = Owner();
  for (;;) {
    const std::size_t dot = Name.find('.');
    const std::string_view head = dot == std::string::npos ? std::string_view() : Name.substr(0, dot);
    if (FExcluded->Count() > 0 && FExcluded->IndexOf(head) >= 0) return nullptr;
    TComponent* child = current && !head.empty() ? current->FindComponent(head) : nullptr;
    if (!child) return FPropNames->IndexOf(Name) >= 0 ? current : nullptr;
    current = child;
    Name.remove_prefix(dot + 1);
  }
}

void TAmFormLocalizer::LocalizeObject(TPersistent* Obj, const std::string& Path, const std::string& Value,
                                      const TStrings* Filter) {
  if (!Obj || !Filter || Filter->IndexOf(Path) < 0) return;
  std::string text = Value;
  ApplyText(Obj, Path, text);
}

void TAmFormLocalizer::ApplyText(TPersistent* Obj, const std::string& Path, std::string& Text,
                                 TPropertyLookups* Lookups, const TPropInfo** Direct) {
  bool allow = true;
  PropertyLocalizing(Obj, Path, Text, allow);
  if (!allow) return;
  WritePropertyPath(Obj, Path, Text, FSaveOptions.Contains(soSaveEmpty), Lookups, Direct);
  PropertyLocalized(Obj, Path, Text);
}

void TAmFormLocalizer::LoadAllFromBuffer() { LoadFromBuffer(FPropNames.get(), true); }

void TAmFormLocalizer::LoadFromBuffer(const TStrings* Filter, bool Remove) {
  // A form on its way out is not written to any more.
  if (!Owner() || !Filter || Filter->Count() == 0 || Finishing()) return;
  const int count = FOriginals->Count();
  TPropertyLookups lookups;
  std::string text;  // one buffer for every record's text
  if (!Remove) {
    for (int i = 0; i < count && i < FOriginals->Count(); ++i) {
      std::string_view path = LineName(FOriginals->Line(i));
      TPersistent* obj = Resolve(path);
      if (obj && (Filter == FPropNames.get() || Filter->IndexOf(path) >= 0)) {
        const int first = FOriginals->IndexOfNameAt(i);
        text.clear();
        AppendDecodedString(text, first < 0 ? std::string_view() : LineValue(FOriginals->Line(first)), kQuote,
                            kEscape);
        ApplyText(obj, std::string(path), text, &lookups);
      }
    }
    return;
  }
  const TAmSwitchMemoUse memo(*FMemo);
  std::string pathText;
  // Applied records leave the buffer. The pass works on a copy (a handler
  // may touch the buffer meanwhile) and writes the survivors back once; "the
  // first record of that name" keeps its meaning: records applied before are
  // gone, so it is the first survivor of that name, or else the record itself.
  TAmLineCopies ownLines;
  TAmLineCopies& lines = memo.Get() ? memo.Get()->SnapshotLines : ownLines;
  lines.Fill(*FOriginals);
  std::vector<std::size_t> kept;
  kept.reserve(lines.size());
  std::unordered_map<std::string_view, std::size_t, TextHash, TextEqual> firstKept;
  std::size_t next = 0;
  auto commit = [&] {
    if (kept.size() == next) return;  // nothing applied
    FOriginals->BeginUpdate();
    try {
      if (kept.empty() && next == lines.size()) {
        // Nothing survives: the lines' storage waits for the next snapshot.
        FOriginals->ClearKeepingLines();
      } else {
        FOriginals->Clear();
        FOriginals->SetCapacity(static_cast<int>(kept.size() + lines.size() - next));
        for (std::size_t k : kept) FOriginals->Add(std::string(lines[k]));
        for (std::size_t i = next; i < lines.size(); ++i) FOriginals->Add(std::string(lines[i]));
      }
    } catch (...) {
      FOriginals->EndUpdate();
      throw;
    }
    FOriginals->EndUpdate();
  };
  try {
    for (; next < lines.size(); ++next) {
      const std::string_view name = LineName(lines[next]);
      std::string_view path = name;
      TAmTargetMemo* targets = memo.Get() ? &memo.Get()->OriginalTargets : nullptr;
      TPersistent* obj = ResolveAt(targets, next, path, false);
      // Resolve has checked the path against PropNames already.
      if (obj && (Filter == FPropNames.get() || Filter->IndexOf(path) >= 0)) {
        const auto first = name.empty() || firstKept.empty() ? firstKept.end() : firstKept.find(name);
        const std::string_view raw = first != firstKept.end() ? LineValue(lines[first->second]) : LineValue(lines[next]);
        text.clear();
        AppendDecodedString(text, raw, kQuote, kEscape);
        pathText.assign(path);
        ApplyText(obj, pathText, text, &lookups, targets ? targets->PropAt(next) : nullptr);
        continue;
      }
      if (!name.empty()) firstKept.try_emplace(name, next);
      kept.push_back(next);
    }
  } catch (...) {
    // What was applied before the failure stays applied, and gone.
    commit();
    throw;
  }
  commit();
}

}  // namespace ambit
