// Saving: the form's texts go either to the active language of the source
// (Save, SaveAs) or, encoded, to the snapshot of the designed texts
// (SaveToBuffer, SaveAllToBuffer).
#include <algorithm>
#include <utility>
#include <vector>

#include "host/controls/Forms.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmFormLocal/PropertyPath.h"

namespace ambit {

using namespace host;

namespace {
constexpr char kQuote = '"';
constexpr char kEscape = '#';

// A frame with its own localizer is translated and restored by that one.
bool HasOwnLocalizer(const TComponent* Frame) {
  const auto& owned = Frame->ComponentList();
  return std::any_of(owned.begin(), owned.end(), [](const TComponent* c) { return Is<TAmFormLocalizer>(c); });
}
}  // namespace

void TAmFormLocalizer::Save() {
  TAmCustomLocalizer::Save();
  if (Owner()) SaveAs(Owner()->Name());
}

void TAmFormLocalizer::SaveAs(const std::string& Section) {
  if (!Source() || Source()->ActiveLanguage() < 0 || !Owner()) return;
  InternalSave(Owner(), Owner(), nullptr, Section, FPropNames.get());
}

void TAmFormLocalizer::SaveToBuffer(const TStrings* PropList) {
  if (!Owner() || !PropList || PropList->Count() == 0) return;
  InternalSave(Owner(), Owner(), FOriginals.get(), Owner()->Name(), PropList);
}

void TAmFormLocalizer::SaveAllToBuffer() {
  if (!Owner()) return;
  FOriginals->Clear();
  SaveToBuffer(FPropNames.get());
}

void TAmFormLocalizer::InternalSave(TComponent* Component, TComponent* Root, TStrings* Buffer,
                                    const std::string& Section, const TStrings* PropList) {
  if (!Component) return;
  // The outermost pass keeps the class look-ups for its frames too.
  if (!FSaveLookups) {
    TPropertyLookups lookups;
    FSaveLookups = &lookups;
    try {
      InternalSave(Component, Root, Buffer, Section, PropList);
    } catch (...) {
      FSaveLookups = nullptr;
      throw;
    }
    FSaveLookups = nullptr;
    return;
  }
  // Full names are built only to be compared with Excluded.
  auto excluded = [&](const TComponent* c) {
    return FExcluded->Count() > 0 && FExcluded->IndexOf(GetFullName(c, Root)) >= 0;
  };
  if (!excluded(Component)) SaveObject(Component, Buffer, Section, {}, PropList);
  // By index: an event handler may add or remove components on the way.
  for (int i = 0; i < Component->ComponentCount(); ++i) {
    TComponent* child = Component->Components(i);
    if (!excluded(child)) SaveObject(child, Buffer, Section, {}, PropList);
    // A frame's own properties are saved once more here, then what it owns.
    // The snapshot covers frames also without the option: their records are
    // applied either way, so their designed texts must be there to return
    // to. Not so a frame that localizes itself: the snapshot would undo it.
    if (Is<TFrame>(child) && (FSaveOptions.Contains(soIncludeFrames) ||
                              (Buffer == FOriginals.get() && !HasOwnLocalizer(child))))
      InternalSave(child, Root, Buffer, Section, PropList);
  }
}

std::string TAmFormLocalizer::ResolveDependency(const std::string& P) const {
  std::vector<std::string> visited;
  std::string current = P;
  int k = FDependencies->IndexOfName(current);
  while (k >= 0) {
    std::string next = FDependencies->Values(current);
    if (std::find(visited.begin(), visited.end(), next) != visited.end()) return P;
    visited.push_back(next);
    current = std::move(next);
    k = FDependencies->IndexOfName(current);
  }
  return current;
}

TAmFormLocalizer::TRecordTarget TAmFormLocalizer::ResolveRecord(TPersistent* Obj, const std::string& Path,
                                                                TPropertyLookups* Lookups) const {
  TComponent* form = Owner();
  TRecordTarget r{Obj, Path, {}};
  std::string own = ReadPropertyPath(Obj, Path, form, Lookups);
  if (FDependencies->Count() > 0 && FDependencies->IndexOfName(Path) >= 0) {
    r.Path = ResolveDependency(Path);
    if (r.Path != Path) {
      r.Target = WalkDependencyTarget(Obj, r.Path);
      if (!r.Target) {
        r.Target = Obj;
        r.Path = Path;
      }
    }
  }
  // Without a dependency the target is the property itself, read once.
  const bool dependent = r.Target != Obj || r.Path != Path;
  if (!dependent) {
    r.Value = std::move(own);
    return r;
  }
  // A dependency counts only when it leads somewhere else; its target
  // takes the record only when it holds exactly the same text.
  r.Value = ReadPropertyPath(r.Target, r.Path, form, Lookups);
  if (r.Value != own || (r.Value.empty() && FSaveOptions.Contains(soIgnoreDependencyIfEmpty))) {
    r.Target = Obj;
    r.Path = Path;
    r.Value = std::move(own);
  }
  return r;
}

std::string TAmFormLocalizer::RecordName(TPersistent* Obj, const std::string& Path) const {
  if (!Obj) return {};
  const TRecordTarget r = ResolveRecord(Obj, Path);
  return GetFullPropName(As<TPersistent>(r.Target), Owner(), r.Path);
}

void TAmFormLocalizer::SaveObject(TPersistent* Obj, TStrings* Buffer, const std::string& Section,
                                  const std::string& Prefix, const TStrings* PropList) {
  if (!Obj || !PropList) return;
  TComponent* form = Owner();
  const bool saveEmpty = FSaveOptions.Contains(soSaveEmpty);
  for (int i = 0; i < PropList->Count(); ++i) {
    TRecordTarget r = ResolveRecord(Obj, PropList->Get(i), FSaveLookups);
    if (!saveEmpty && std::all_of(r.Value.begin(), r.Value.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
      continue;
    std::string name = Prefix.empty() ? GetFullPropName(As<TPersistent>(r.Target), form, r.Path)
                                      : Prefix + "." + r.Path;
    // A nameless component (or one under a nameless owner) has no record
    // name: such a record could never be resolved, so it goes nowhere.
    if (name.empty()) continue;
    if (Buffer) {
      if (Buffer != FOriginals.get() || name.find('=') != std::string::npos) {
        Buffer->SetValues(name, GetEncodedString(r.Value, kQuote, kEscape));
        continue;
      }
      // What SetValues does with a value that is never empty, with the
      // line built once in place of the name, the encoded text and a copy.
      name.push_back('=');
      AppendEncodedString(name, r.Value, kQuote, kEscape);
      const int count = FOriginals->Count();
      const int at = FOriginals->AddUniqueName(std::move(name));
      if (FOriginals->Count() == count) FOriginals->Put(at, name);  // not added: the line is still whole
      continue;
    }
    if (!Source()) continue;
    Source()->SetFormSection(Section.empty() && form ? form->Name() : Section);
    bool allow = true;
    PropertySaving(Obj, r.Path, r.Value, allow);
    if (!allow) return;
    if (!Source()) return;  // a handler let the source go
    Source()->SaveString(name, r.Value);
    PropertySaved(Obj, r.Path, r.Value);
  }
}

}  // namespace ambit
