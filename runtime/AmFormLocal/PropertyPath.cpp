#include "runtime/AmFormLocal/PropertyPath.h"

#include "host/core/Collection.h"
#include "host/core/Component.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"
#include "host/core/TypInfo.h"
#include "runtime/AmbitUtils.h"

namespace ambit {

using namespace host;

namespace {

// Splits Path at its first "." into the head and the rest.
void SplitHead(std::string_view Path, std::string_view& Head, std::string_view& Rest, bool& HasDot) {
  const std::size_t dot = Path.find('.');
  HasDot = dot != std::string_view::npos;
  Head = HasDot ? Path.substr(0, dot) : Path;
  Rest = HasDot ? Path.substr(dot + 1) : std::string_view();
}

// Whether GetFullName(Comp, Root) is not empty, without building it.
bool HasFullName(const TComponent* Comp, const TComponent* Root) {
  if (Comp == Root) return !Comp->Name().empty();
  bool passed = false;
  const TComponent* owner = Comp->Owner();
  for (; owner && owner != Root; owner = owner->Owner()) {
    if (owner->Name().empty()) return false;
    passed = true;
  }
  if (!owner && Root) return false;
  return passed || !Comp->Name().empty();
}

// Whether Obj has a full property name relative to Form: a component
// without a name, or with an unnamed owner on the way, has none and so
// can never hold a record. GetFullPropName's rules, without the text: any
// object but a component is named after the form.
bool HasFullPropName(const TObject* Obj, const TComponent* Form, std::string_view Head) {
  if (IsBlankText(Head)) return false;
  if (const auto* comp = As<TComponent>(Obj)) return comp == Form || HasFullName(comp, Form);
  return Form && !Form->Name().empty();
}

std::string CollectionText(const TCollection& Collection, std::string_view ItemProp) {
  TStringList list;
  for (int i = 0; i < Collection.Count(); ++i) {
    const TCollectionItem* item = Collection.Items(i);
    const TPropInfo* p = GetPropInfo(item, ItemProp);
    if (p && IsStringKind(p->Kind)) list.Add(GetStrProp(item, p));
  }
  return list.CommaText();
}

}  // namespace

bool IsBlankText(std::string_view S) {
  for (char c : S)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

std::string_view ViewPropertyPath(const TObject* Obj, std::string_view Path, const TComponent* Form,
                                  TPropertyLookups* Lookups, std::string& Scratch) {
  // Each round consumes one name, so the walk ends with the path.
  for (;;) {
    std::string_view head, rest;
    bool hasDot = false;
    SplitHead(Path, head, rest, hasDot);
    if (head.empty() || !Obj) return {};
    const TPropInfo* p = Lookups ? Lookups->Find(Obj, head) : GetPropInfo(Obj, head);
    if (!p) return {};
    if (!HasFullPropName(Obj, Form, head)) return {};
    if (IsStringKind(p->Kind)) {
      if (!rest.empty()) return {};
      if (const std::string* own = StrPropRef(Obj, p)) return *own;
      return Scratch = GetStrProp(Obj, p);
    }
    if (p->Kind != tkClass) return {};
    const TObject* value = GetObjectProp(Obj, p);
    if (const auto* strings = As<TStrings>(value)) return Scratch = strings->CommaText();
    if (const auto* nodes = As<TTreeNodes>(value)) return Scratch = GetTreeNodesCaptions(nodes);
    if (const auto* collection = As<TCollection>(value)) return Scratch = CollectionText(*collection, rest);
    Obj = value;
    Path = rest;
  }
}

std::string ReadPropertyPath(const TObject* Obj, std::string_view Path, const TComponent* Form,
                             TPropertyLookups* Lookups) {
  std::string scratch;
  const std::string_view text = ViewPropertyPath(Obj, Path, Form, Lookups, scratch);
  return text.data() == scratch.data() ? std::move(scratch) : std::string(text);
}

// Few distinct classes and names meet in one pass; past this many, the
// host's own look-ups are used.
constexpr std::size_t kMostRemembered = 32;

const TPropInfo* TPropertyLookups::Find(const TObject* Obj, std::string_view Name) {
  if (!Obj) return nullptr;
  const TClass* cls = &Obj->ClassType();
  for (const TProp& p : FProps)
    if (p.Class == cls && p.Name == Name) return p.Info;
  const TPropInfo* info = cls->FindProperty(Name);
  if (FProps.size() < kMostRemembered) FProps.push_back({cls, std::string(Name), info});
  return info;
}

int TPropertyLookups::Holder(const TObject* Obj) {
  const TClass* cls = &Obj->ClassType();
  for (const THolder& h : FHolders)
    if (h.Class == cls) return h.Kind;
  const int kind = Is<TStrings>(Obj) ? 1 : Is<TTreeNodes>(Obj) ? 2 : 0;
  if (FHolders.size() < kMostRemembered) FHolders.push_back({cls, kind});
  return kind;
}

void WritePropertyPath(TObject* Obj, std::string_view Path, const std::string& Value, bool SaveEmpty,
                       TPropertyLookups* Lookups, const TPropInfo** Direct) {
  // An object's class, and so what a path without a "." names on it,
  // never changes.
  if (Direct && *Direct) {
    WriteTextProp(Obj, *Direct, Value, SaveEmpty);
    return;
  }
  const bool learn = Direct && Path.find('.') == std::string_view::npos;
  TObject* x = Obj;
  TCollection* collection = nullptr;
  const TPropInfo* info = nullptr;
  std::string_view head;
  for (;;) {
    std::string_view rest;
    bool hasDot = false;
    SplitHead(Path, head, rest, hasDot);
    info = !x ? nullptr : Lookups ? Lookups->Find(x, head) : GetPropInfo(x, head);
    if (!info) break;
    if (info->Kind == tkClass) {
      TObject* held = GetObjectProp(x, info);
      if (!held) {
        info = nullptr;
        break;
      }
      x = held;
      if (Is<TCollection>(x)) collection = static_cast<TCollection*>(x);
    }
    if (!hasDot) break;
    Path = rest;
  }
  if (!x) return;
  if (!collection) {
    // Class tests through the class records: a failed dynamic_cast walks the
    // whole hierarchy, and most paths end in a plain string property.
    const int holder = Lookups ? Lookups->Holder(x) : Is<TStrings>(x) ? 1 : Is<TTreeNodes>(x) ? 2 : 0;
    if (holder == 1) {
      static_cast<TStrings*>(x)->SetCommaText(Value);
    } else if (holder == 2) {
      SetTreeNodesCaptions(static_cast<TTreeNodes*>(x), Value);
    } else if (info && IsStringKind(info->Kind)) {
      // A string property leaves x on the object that has it.
      if (learn && x == Obj) *Direct = info;
      WriteTextProp(x, info, Value, SaveEmpty);
    }
    return;
  }
  if (collection->Count() == 0) return;
  TStringList entries;
  entries.SetCommaText(Value);
  for (int i = 0; i < collection->Count(); ++i) {
    TCollectionItem* item = collection->Items(i);
    const TPropInfo* p = Lookups ? Lookups->Find(item, head) : GetPropInfo(item, head);
    if (!p || i >= entries.Count()) continue;
    if (!SaveEmpty && IsEmptyStrProp(item, p)) continue;
    SetStrProp(item, p, entries.Get(i));
  }
}

TObject* WalkDependencyTarget(TObject* Obj, std::string& Path) {
  if (!Obj || Path.empty()) return nullptr;
  for (std::size_t dot = Path.find('.'); dot != std::string::npos && Obj; dot = Path.find('.')) {
    const TPropInfo* p = GetPropInfo(Obj, std::string_view(Path).substr(0, dot));
    if (!p) {
      Path.clear();
      return nullptr;
    }
    TObject* held = p->Kind == tkClass ? GetObjectProp(Obj, p) : nullptr;
    Obj = Is<TComponent>(held) ? held : nullptr;
    Path.erase(0, dot + 1);
  }
  return Obj;
}

}  // namespace ambit
