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
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/core/CaseFold.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmFormLocal/PropertyPath.h"

namespace ambit {

using namespace host;

namespace {

constexpr char kQuote = '"';
constexpr char kEscape = '#';

// Name and value of a list line, as the string lists split it.
std::string_view NameOf(const std::string& Line) {
  const std::size_t eq = Line.find('=');
  return eq == std::string::npos ? std::string_view() : std::string_view(Line).substr(0, eq);
}
std::string_view ValueOf(const std::string& Line) {
  const std::size_t eq = Line.find('=');
  return eq == std::string::npos ? std::string_view() : std::string_view(Line).substr(eq + 1);
}

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

  TStringList records;
  src->SetFormSection(Section);
  src->LoadStrings(&records);

  // Designed texts of the properties the previous language may have changed
  // and this one does not mention. Taken apart first: a handler may touch
  // the snapshot while its records are applied.
  std::vector<std::pair<std::string, std::string>> defaults;
  for (int i = 0; i < FOriginals->Count(); ++i) {
    std::string name = FOriginals->Names(i);
    if (records.IndexOfName(name) >= 0) continue;
    std::string value = FOriginals->Values(name);
    defaults.emplace_back(std::move(name), std::move(value));
  }
  for (auto& [name, value] : defaults) {
    std::string path = name;
    if (TPersistent* obj = GetObject(path))
      LocalizeObject(obj, path, GetDecodedString(value, kQuote, kEscape), FPropNames.get());
  }

  for (int i = 0; i < records.Count(); ++i) {
    const std::string name = records.Names(i);
    if (FExcluded->IndexOf(name) >= 0) continue;
    std::string path = name;
    if (TPersistent* obj = GetObject(path)) LocalizeObject(obj, path, records.Values(name), FPropNames.get());
  }
}

TPersistent* TAmFormLocalizer::GetObject(std::string& Name) const {
  TComponent* current = Owner();
  for (;;) {
    const std::size_t dot = Name.find('.');
    const std::string_view head = dot == std::string::npos ? std::string_view() : std::string_view(Name).substr(0, dot);
    if (FExcluded->IndexOf(head) >= 0) return nullptr;
    TComponent* child = current ? current->FindComponent(head) : nullptr;
    if (!child) return FPropNames->IndexOf(Name) >= 0 ? current : nullptr;
    current = child;
    Name.erase(0, dot + 1);
  }
}

void TAmFormLocalizer::LocalizeObject(TPersistent* Obj, const std::string& Path, const std::string& Value,
                                      const TStrings* Filter) {
  if (!Obj || !Filter || Filter->IndexOf(Path) < 0) return;
  bool allow = true;
  std::string text = Value;
  PropertyLocalizing(Obj, Path, text, allow);
  if (!allow) return;
  WritePropertyPath(Obj, Path, text, FSaveOptions.Contains(soSaveEmpty));
  PropertyLocalized(Obj, Path, text);
}

void TAmFormLocalizer::LoadAllFromBuffer() { LoadFromBuffer(FPropNames.get(), true); }

void TAmFormLocalizer::LoadFromBuffer(const TStrings* Filter, bool Remove) {
  // A form on its way out is not written to any more.
  if (!Owner() || !Filter || Filter->Count() == 0 || Finishing()) return;
  const int count = FOriginals->Count();
  if (!Remove) {
    for (int i = 0; i < count && i < FOriginals->Count(); ++i) {
      std::string name = FOriginals->Names(i);
      std::string path = name;
      TPersistent* obj = GetObject(path);
      if (obj && Filter->IndexOf(path) >= 0)
        LocalizeObject(obj, path, GetDecodedString(FOriginals->Values(name), kQuote, kEscape), Filter);
    }
    return;
  }
  // Applied records leave the buffer. The pass works on a copy and writes
  // the survivors back once; "the first record of that name" keeps its
  // meaning: records applied before are gone, so it is the first survivor
  // of that name, or else the record itself.
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(FOriginals->Get(i));
  std::vector<std::string> kept;
  kept.reserve(lines.size());
  std::unordered_map<std::string, std::size_t> firstKept;
  std::size_t next = 0;
  auto commit = [&] {
    if (kept.size() == next) return;  // nothing applied
    FOriginals->BeginUpdate();
    try {
      FOriginals->Clear();
      for (const std::string& line : kept) FOriginals->Add(line);
      for (std::size_t i = next; i < lines.size(); ++i) FOriginals->Add(lines[i]);
    } catch (...) {
      FOriginals->EndUpdate();
      throw;
    }
    FOriginals->EndUpdate();
  };
  try {
    for (; next < lines.size(); ++next) {
      const std::string& line = lines[next];
      const std::string_view name = NameOf(line);
      std::string path(name);
      TPersistent* obj = GetObject(path);
      if (obj && Filter->IndexOf(path) >= 0) {
        const auto first = name.empty() ? firstKept.end() : firstKept.find(FoldCase(name));
        const std::string_view raw = first != firstKept.end() ? ValueOf(kept[first->second]) : ValueOf(line);
        LocalizeObject(obj, path, GetDecodedString(raw, kQuote, kEscape), Filter);
        continue;
      }
      if (!name.empty()) firstKept.try_emplace(FoldCase(name), kept.size());
      kept.push_back(line);
    }
  } catch (...) {
    // What was applied before the failure stays applied, and gone.
    commit();
    throw;
  }
  commit();
}

}  // namespace ambit
