// Saving: the form's texts go either to the active language of the source
// (Save, SaveAs) or, encoded, to the snapshot of the designed texts
// (SaveToBuffer, SaveAllToBuffer).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "host/controls/Forms.h"
#include "host/core/CaseFold.h"
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

// What a path of the list says about objects of one class.
struct TOwnProp {
  enum TKind { Walk, String, None } Kind;
  const TPropInfo* Info;  // the string property, for String
  std::string_view Path;  // the list's line
};

struct TOwnProps {
  const TClass* Class = nullptr;
  std::vector<TOwnProp> Props;  // one for each path, in order
  bool Walks = false;           // some path must be walked
  bool Nones = false;           // some path names nothing
};

// Whether a kept snapshot line is the record Name + Path = Text, encoded.
bool KeptLineIs(std::string_view Kept, std::string_view Name, std::string_view Path, std::string_view Text) {
  const std::size_t at = Name.size() + Path.size();
  return Kept.size() > at && Kept[at] == '=' && SameBytes(Kept.data(), Name.data(), Name.size()) &&
         SameBytes(Kept.data() + Name.size(), Path.data(), Path.size()) &&
         IsEncodingOf(Text, Kept.substr(at + 1), kQuote, kEscape);
}

// Appends the snapshot line Line = Text, encoded, where Line holds the
// record's name, after the caller found that the refill's kept line (if
// any) is not that line.
void AddSnapshotLine(TStringList& List, std::string& Line, std::string_view Text) {
  Line.push_back('=');
  AppendEncodedString(Line, Text, kQuote, kEscape);
  const int count = List.Count();
  const int added = List.AddUniqueName(std::move(Line));
  if (List.Count() == count) List.Put(added, Line);  // not added: the line is still whole
}

// The same, except that a refill's kept line that is already exactly that
// is taken as it stands: a snapshot retaken over unchanged texts encodes
// and copies nothing.
void AppendSnapshotLine(TStringList& List, std::string& Line, std::string_view Text) {
  if (const std::string* kept = List.NextKept(); kept && KeptLineIs(*kept, Line, {}, Text)) {
    List.AddNextKept();
    return;
  }
  AddSnapshotLine(List, Line, Text);
}
}  // namespace

struct TAmFormLocalizer::TSavePass {
  TPropertyLookups Lookups;
  // A record's buffers keep their room from one component to the next;
  // one SaveObject at a time has them (a handler may save meanwhile).
  TRecordTarget Record;
  std::string Line;
  bool BuffersTaken = false;

  // For each path of List, what it names on Class itself: a string
  // property (read straight), nothing (no text), or more (walked).
  const TOwnProps& OwnProps(const TClass& Class, const TStringList& List) {
    if (&List != OwnPropsList || List.ChangeCount() != OwnPropsChange) {
      OwnPropClasses.clear();
      LastProps = nullptr;
      OwnPropsList = &List;
      OwnPropsChange = List.ChangeCount();
    }
    if (LastProps && LastProps->Class == &Class) return *LastProps;  // components come in runs of one class
    for (const TOwnProps& props : OwnPropClasses)
      if (props.Class == &Class) return *(LastProps = &props);
    TOwnProps& props = OwnPropClasses.emplace_back();
    props.Class = &Class;
    for (int i = 0; i < List.Count(); ++i) {
      const std::string& path = List.Line(i);
      const bool walk = path.find_first_of(".=") != std::string::npos || IsBlankText(path);
      const TPropInfo* info = walk ? nullptr : Class.FindProperty(path);
      if (info && IsStringKind(info->Kind)) {
        props.Props.push_back({TOwnProp::String, info, path});
        continue;
      }
      props.Props.push_back({walk || info ? TOwnProp::Walk : TOwnProp::None, nullptr, path});
      (walk || info ? props.Walks : props.Nones) = true;
    }
    return *(LastProps = &props);
  }

  // The snapshot lines of C (owned below Form, not the form itself) when
  // every path names a string property of C's class or none: each text is
  // read straight, without walking its path. What saving C record by
  // record gives, while no handler can run and no dependency applies.
  // False when C needs that walk.
  bool SnapshotOwnTexts(const TComponent& C, const TClass& Class, const TComponent& Form, const TStringList& Paths,
                        bool SaveEmpty, TStringList& Snapshot) {
    const TOwnProps& own = OwnProps(Class, Paths);
    if (own.Walks || (own.Nones && SaveEmpty)) return false;
    // Names are identifiers, so the stem holds no "=".
    if (C.Owner() == &Form)
      Stem.assign(C.Name());
    else
      Stem = GetFullName(&C, &Form);
    if (Stem.empty()) return true;  // no full name: no record name either
    Stem.push_back('.');
    Taking = &Snapshot;
    for (const TOwnProp& prop : own.Props) {
      if (prop.Kind == TOwnProp::None) continue;
      const std::string* text = StrPropRef(&C, prop.Info);
      if (!text) {
        AddTaken();
        text = &(Record.OwnText = GetStrProp(&C, prop.Info));
      }
      // A text that starts with a visible character is not blank.
      if (!SaveEmpty && (text->empty() || static_cast<unsigned char>(text->front()) <= ' ') && IsBlankText(*text))
        continue;
      // The kept line is compared piece by piece before a line is built.
      if (const std::string* kept = Snapshot.NextKept(Taken); kept && KeptLineIs(*kept, Stem, prop.Path, *text)) {
        ++Taken;
        continue;
      }
      AddTaken();
      Line.assign(Stem).append(prop.Path);
      AddSnapshotLine(Snapshot, Line, *text);
    }
    return true;
  }

  // Is<TFrame> of a component of Class, answered once for each run of
  // components of one class.
  bool IsFrame(const TClass& Class) {
    if (&Class != FrameTestClass) {
      FrameTest = Class.InheritsFrom(TFrame::StaticClass());
      FrameTestClass = &Class;
    }
    return FrameTest;
  }

  // Kept snapshot lines found equal and not appended yet. They go in
  // together, before anything else joins the snapshot and before any code
  // runs that might look at it (a getter, a save, the pass's end).
  void AddTaken() {
    if (Taken > 0) Taking->AddNextKept(std::exchange(Taken, 0));
  }
  std::size_t Taken = 0;
  TStringList* Taking = nullptr;

  std::string Stem;
  const TClass* FrameTestClass = nullptr;
  bool FrameTest = false;
  // A deque, so that a class's paths stay where they are while others join.
  std::deque<TOwnProps> OwnPropClasses;
  const TStringList* OwnPropsList = nullptr;
  std::uint64_t OwnPropsChange = 0;
  const TOwnProps* LastProps = nullptr;
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
  // What this call took of the kept lines goes in when it ends, also by an
  // exception.
  try {
    // Full names are built only to be compared with Excluded.
    auto excluded = [&](const TComponent* c) {
      return FExcluded->Count() > 0 && FExcluded->IndexOf(GetFullName(c, Root)) >= 0;
    };
    if (!excluded(Component)) {
      FSavePass->AddTaken();
      SaveObject(Component, Buffer, Section, {}, PropList);
    }
    // The snapshot with no handler to run and no dependency to heed takes its
    // components' own texts straight (see TSavePass::SnapshotOwnTexts).
    const auto* paths =
        typeid(*PropList) == typeid(TStringList) ? static_cast<const TStringList*>(PropList) : nullptr;
    const bool straight = Buffer == FOriginals.get() && paths && Owner() && !FOriginals->OnChange() &&
                          !FOriginals->OnChanging() && FDependencies->Count() == 0 && !FSavePass->BuffersTaken;
    const bool saveEmpty = FSaveOptions.Contains(soSaveEmpty);
    // By index: an event handler may add or remove components on the way.
    for (int i = 0; i < Component->ComponentCount(); ++i) {
      TComponent* child = Component->Components(i);
      const TClass& cls = child->ClassType();
      if (!excluded(child) &&
          !(straight && FSavePass->SnapshotOwnTexts(*child, cls, *Owner(), *paths, saveEmpty, *FOriginals))) {
        FSavePass->AddTaken();
        SaveObject(child, Buffer, Section, {}, PropList);
      }
      // A frame's own properties are saved once more here, then what it owns.
      // The snapshot covers frames also without the option: their records are
      // applied either way, so their designed texts must be there to return
      // to. Not so a frame that localizes itself: the snapshot would undo it.
      if (FSavePass->IsFrame(cls) && (FSaveOptions.Contains(soIncludeFrames) ||
                                      (Buffer == FOriginals.get() && !HasOwnLocalizer(child))))
        InternalSave(child, Root, Buffer, Section, PropList);
    }
  } catch (...) {
    FSavePass->AddTaken();
    throw;
  }
  FSavePass->AddTaken();
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
      AppendSnapshotLine(*FOriginals, name, r.Value);
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
