// Saving: the form's texts go either to the active language of the source
// (Save, SaveAs) or, encoded, to the snapshot of the designed texts
// (SaveToBuffer, SaveAllToBuffer).
#include <algorithm>
#include <string_view>
#include <typeinfo>
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
// What quotes and a few escaped control characters add to a text encoded.
constexpr std::size_t kEncodingRoom = 16;

// A frame with its own localizer is translated and restored by that one.
bool HasOwnLocalizer(const TComponent* Frame) {
  const auto& owned = Frame->ComponentList();
  return std::any_of(owned.begin(), owned.end(), [](const TComponent* c) { return Is<TAmFormLocalizer>(c); });
}
}  // namespace

struct TAmFormLocalizer::TSavePass {
  TPropertyLookups Lookups;
  // A record's buffers keep their room from one component to the next;
  // one SaveObject at a time has them (a handler may save meanwhile).
  TRecordTarget Record;
  std::string Line;
  bool BuffersTaken = false;
};

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
  // An empty list may keep the storage of the last snapshot's lines, which
  // Clear would give up.
  if (FOriginals->Count() > 0) FOriginals->Clear();
  // Room for a record per property of each component owned, so that the
  // lines and their name index are not moved while they grow.
  const auto records = static_cast<std::size_t>(Owner()->ComponentCount() + 1) *
                       static_cast<std::size_t>(FPropNames->Count());
  FOriginals->SetCapacity(static_cast<int>(std::min<std::size_t>(records, 1u << 24)));
  SaveToBuffer(FPropNames.get());
}

void TAmFormLocalizer::InternalSave(TComponent* Component, TComponent* Root, TStrings* Buffer,
                                    const std::string& Section, const TStrings* PropList) {
  if (!Component) return;
  // The outermost pass keeps the class look-ups for its frames too.
  if (!FSavePass) {
    TSavePass pass;
    FSavePass = &pass;
    try {
      InternalSave(Component, Root, Buffer, Section, PropList);
    } catch (...) {
      FSavePass = nullptr;
      throw;
    }
    FSavePass = nullptr;
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

void TAmFormLocalizer::ResolveRecord(TPersistent* Obj, const std::string& Path, TPropertyLookups* Lookups,
                                     TRecordTarget& R) const {
  TComponent* form = Owner();
  R.Target = Obj;
  R.Path = Path;
  R.Value = ViewPropertyPath(Obj, Path, form, Lookups, R.OwnText);
  // Without a dependency the target is the property itself, read once.
  if (FDependencies->Count() == 0 || FDependencies->IndexOfName(Path) < 0) return;
  const std::string_view own = R.Value;
  R.Path = ResolveDependency(Path);
  if (R.Path != Path) {
    R.Target = WalkDependencyTarget(Obj, R.Path);
    if (!R.Target) {
      R.Target = Obj;
      R.Path = Path;
    }
  }
  if (R.Target == Obj && R.Path == Path) return;
  // A dependency counts only when it leads somewhere else; its target
  // takes the record only when it holds exactly the same text.
  R.Value = ViewPropertyPath(R.Target, R.Path, form, Lookups, R.TargetText);
  if (R.Value != own || (R.Value.empty() && FSaveOptions.Contains(soIgnoreDependencyIfEmpty))) {
    R.Target = Obj;
    R.Path = Path;
    R.Value = own;
  }
}

std::string TAmFormLocalizer::RecordName(TPersistent* Obj, const std::string& Path) const {
  if (!Obj) return {};
  TRecordTarget r;
  ResolveRecord(Obj, Path, nullptr, r);
  return GetFullPropName(As<TPersistent>(r.Target), Owner(), r.Path);
}

void TAmFormLocalizer::SaveObject(TPersistent* Obj, TStrings* Buffer, const std::string& Section,
                                  const std::string& Prefix, const TStrings* PropList) {
  if (!Obj || !PropList) return;
  TComponent* form = Owner();
  const bool saveEmpty = FSaveOptions.Contains(soSaveEmpty);
  // A plain list's names are read in place instead of copied one by one.
  const auto* plainList =
      typeid(*PropList) == typeid(TStringList) ? static_cast<const TStringList*>(PropList) : nullptr;
  // Obj's full name and ".", built on the first record of its own: every
  // property of Obj shares it. Empty when Obj has no full name.
  std::string stem;
  bool stemBuilt = false;
  const bool quiet = Buffer == FOriginals.get() && !FOriginals->OnChange() && !FOriginals->OnChanging();
  // One record's holder and line for all, the pass's when they are free:
  // their texts keep their room (the line too when the snapshot copies it
  // into a line it kept).
  TPropertyLookups* lookups = FSavePass ? &FSavePass->Lookups : nullptr;
  const bool shared = FSavePass && !FSavePass->BuffersTaken;
  TRecordTarget ownRecord;
  std::string ownLine;
  TRecordTarget& r = shared ? FSavePass->Record : ownRecord;
  std::string& name = shared ? FSavePass->Line : ownLine;
  struct TTaken {
    TSavePass* Pass;
    ~TTaken() {
      if (Pass) Pass->BuffersTaken = false;
    }
  } taken{shared ? FSavePass : nullptr};
  if (shared) FSavePass->BuffersTaken = true;
  for (int i = 0; i < PropList->Count(); ++i) {
    name.clear();
    if (plainList)
      ResolveRecord(Obj, plainList->Line(i), lookups, r);
    else
      ResolveRecord(Obj, PropList->Get(i), lookups, r);
    if (!saveEmpty && IsBlankText(r.Value)) continue;
    // GetFullPropName's text, with Obj's part built once.
    if (!Prefix.empty()) {
      name = Prefix + "." + r.Path;
    } else if (r.Target != Obj) {
      name = GetFullPropName(As<TPersistent>(r.Target), form, r.Path);
    } else if (!IsBlankText(r.Path)) {
      if (Obj == form) {
        name.reserve(r.Path.size() + 1 + r.Value.size() + kEncodingRoom);
        name.append(r.Path);
      } else {
        if (!stemBuilt) {
          stem = GetFullName(Obj, form);
          if (!stem.empty()) stem.push_back('.');
          // Kept only while no handler can run (and rename) on the way.
          stemBuilt = quiet;
        }
        if (!stem.empty()) {
          // Room for the whole line, so that it is allocated once.
          name.reserve(stem.size() + r.Path.size() + 1 + r.Value.size() + kEncodingRoom);
          name.append(stem).append(r.Path);
        }
      }
    }
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
    // Handlers may change the text, and the form.
    std::string value(r.Value);
    bool allow = true;
    PropertySaving(Obj, r.Path, value, allow);
    if (!allow) return;
    if (!Source()) return;  // a handler let the source go
    Source()->SaveString(name, value);
    PropertySaved(Obj, r.Path, value);
  }
}

}  // namespace ambit
