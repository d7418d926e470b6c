// Property assignment of the form reader: dotted paths into nested objects,
// every value kind against every property kind, string lists, collections
// and tree nodes.
#include <cmath>
#include <limits>

#include "host/core/Collection.h"
#include "host/core/Strings.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormReader.h"

namespace host {

namespace {
std::string DescribeValue(const TFormValue& v) {
  switch (v.Kind) {
    case TFormValueKind::Integer:
    case TFormValueKind::Float: return "number " + std::string(v.Text);
    case TFormValueKind::String: return "a string";
    case TFormValueKind::Identifier: return "'" + std::string(v.Text) + "'";
    case TFormValueKind::Set: return "a set";
    case TFormValueKind::List: return "a list";
    case TFormValueKind::Collection: return "a collection";
  }
  return "?";
}

// Counts UTF-8 code points and decodes the first one.
bool SingleCodePoint(std::string_view s, std::int64_t& Code) {
  if (s.empty()) return false;
  const auto b0 = static_cast<unsigned char>(s[0]);
  std::size_t len = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
  if (len == 0 || len != s.size()) return false;
  std::int64_t code = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (std::size_t i = 1; i < len; ++i) code = (code << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
  Code = code;
  return true;
}

// Restores an update bracket also when reading fails half-way.
template <class T>
struct TUpdateGuard {
  T& Target;
  explicit TUpdateGuard(T& t) : Target(t) { Target.BeginUpdate(); }
  ~TUpdateGuard() { Target.EndUpdate(); }
};

// Left and Top of a component that publishes neither: where the designer
// shows it (see TComponent::DesignInfo).
bool ReadDesignPosition(TComponent& Component, std::string_view Name, const TFormValue& Value) {
  const bool left = SameText(Name, "Left");
  if ((!left && !SameText(Name, "Top")) || Value.Kind != TFormValueKind::Integer) return false;
  const int v = static_cast<int>(Value.Int);
  Component.SetDesignPosition(left ? v : Component.DesignLeft(), left ? Component.DesignTop() : v);
  return true;
}
}  // namespace

void TFormReader::BadValue(const std::string& Context, int Line, const std::string& Expected,
                           const TFormValue& Found) const {
  Fail(Line, Context + ": expected " + Expected + " but found " + DescribeValue(Found));
}

inline bool TFormReader::AssignPlain(TObject& Target, TPropertyMemo::TClassMemo& Memo, const TClass& Class,
                                     const TFormProperty& Prop, const std::string& Context) {
  const TPropInfo* info = FProps.FindPlain(Memo, Class, Prop.Path);
  if (!info) return false;
  const TFormValue& v = Prop.Value;
  try {
    switch (info->Kind) {
      case tkInteger:
        // Within 32 bits, a hexadecimal number needs no reinterpreting.
        if (v.Kind != TFormValueKind::Integer || v.Int < std::numeric_limits<std::int32_t>::min() ||
            v.Int > std::numeric_limits<std::int32_t>::max() || !info->SetOrd)
          return false;
        info->SetOrd(Target, v.Int);
        return true;
      case tkString:
      case tkLString:
      case tkWString:
        if (v.Kind != TFormValueKind::String || !info->SetStr) return false;
        // Clear and append: assign would first check whether the text lies
        // inside the buffer, which it never does.
        FText.clear();
        FText.append(v.Text);
        info->SetStr(Target, FText);
        return true;
      case tkEnumeration: {
        if (v.Kind != TFormValueKind::Identifier || !info->SetOrd) return false;
        const int e = GetEnumValue(info->PropType, v.Text);
        if (e < 0) return false;
        info->SetOrd(Target, e);
        return true;
      }
      default:
        return false;
    }
  } catch (const EReadError&) {
    throw;
  } catch (const std::exception& e) {
    SetterFailed(TPlace{Context, Prop.Path}, Prop.Line, e);
  }
}

void TFormReader::AssignProperties(TComponent& Component, std::span<const TFormProperty> Props,
                                   const std::string& Context) {
  // A live object's class never changes: ask it and its memo once.
  const TClass& cls = Component.ClassType();
  TPropertyMemo::TClassMemo& memo = FProps.ForClass(cls);
  // A component is never a string list or tree nodes: no path of its own
  // needs telling apart as Strings or Nodes.
  for (const TFormProperty& p : Props)
    if (!AssignPlain(Component, memo, cls, p, Context)) AssignPath(Component, Component, p, Context);
}

void TFormReader::AssignProperty(TObject& Target, TComponent& Component, const TFormProperty& Prop,
                                 const std::string& Context) {
  const std::string_view path = Prop.Path;
  const TClass& cls = Target.ClassType();
  // What may be Strings or Nodes goes the long way, which tells them apart.
  const bool list = (path.size() == 7 && (path[0] | 0x20) == 's') || (path.size() == 5 && (path[0] | 0x20) == 'n');
  if (list || !AssignPlain(Target, FProps.ForClass(cls), cls, Prop, Context))
    AssignPath(Target, Component, Prop, Context);
}

void TFormReader::SetterFailed(const TPlace& Place, int Line, const std::exception& Error) const {
  Fail(Line, Place.Name() + ": " + Error.what());
}

void TFormReader::AssignPath(TObject& Target, TComponent& Component, const TFormProperty& Prop,
                             const std::string& Context) {
  const TPlace place{Context, Prop.Path};
  TObject* target = &Target;
  std::string_view path = Prop.Path;
  // Walk the dotted path through nested objects (Font.Charset); references
  // to other components are never entered.
  for (;;) {
    const std::size_t dot = path.find('.');
    const std::string_view part = path.substr(0, dot);
    if (dot == std::string_view::npos) {
      // Length and first letter first: nearly every property is neither
      // (and a match of that length can only be spelled in ASCII).
      if (part.size() == 7 && (part[0] | 0x20) == 's' && SameText(part, "Strings") && Is<TStrings>(target)) {
        ReadStrings(*static_cast<TStrings*>(target), Prop.Value, place.Name(), Prop.Line);
        return;
      }
      if (part.size() == 5 && (part[0] | 0x20) == 'n' && SameText(part, "Nodes") && Is<TTreeNodes>(target)) {
        auto& nodes = *static_cast<TTreeNodes*>(target);
        const std::string context = place.Name();
        if (Prop.Value.Kind != TFormValueKind::Collection) BadValue(context, Prop.Line, "'<'", Prop.Value);
        TUpdateGuard<TTreeNodes> guard(nodes);
        nodes.Clear();
        ReadTreeNodes(nodes, nullptr, Component, Prop.Value, context, Prop.Line);
        return;
      }
      const TPropInfo* info = FProps.Find(target->ClassType(), part);
      if (!info && target == &Component && ReadDesignPosition(Component, part, Prop.Value)) return;
      if (!info) Fail(Prop.Line, "unknown property '" + std::string(part) + "' of " + target->ClassName() +
                                     " (in " + place.Name() + ")");
      AssignValue(*target, Component, *info, Prop.Value, place, Prop.Line);
      return;
    }
    const TPropInfo* info = FProps.Find(target->ClassType(), part);
    if (!info) Fail(Prop.Line, "unknown property '" + std::string(part) + "' of " + target->ClassName() + " (in " +
                                   place.Name() + ")");
    if (info->Kind != tkClass) Fail(Prop.Line, place.Name() + ": '" + std::string(part) + "' is not an object");
    TObject* sub = GetObjectProp(target, info);
    if (!sub) Fail(Prop.Line, place.Name() + ": '" + std::string(part) + "' is not assigned");
    if (Is<TComponent>(sub)) Fail(Prop.Line, place.Name() + ": cannot set properties of the component in '" +
                                                 std::string(part) + "'");
    target = sub;
    path = path.substr(dot + 1);
  }
}

void TFormReader::AssignValue(TObject& Target, TComponent& Component, const TPropInfo& Info, const TFormValue& Value,
                              const TPlace& Place, int Line) {
  const TFormValueKind k = Value.Kind;
  try {
    switch (Info.Kind) {
      case tkInteger: {
        if (k != TFormValueKind::Integer) BadValue(Place.Name(), Line, "an integer", Value);
        std::int64_t v = Value.Int;
        // $80000000..$FFFFFFFF are the 32-bit patterns of negative numbers
        // (system colours are written that way).
        if (Value.Hex && v > std::numeric_limits<std::int32_t>::max() && v <= 0xFFFFFFFFLL)
          v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
          Fail(Line, Place.Name() + ": integer " + std::string(Value.Text) + " out of range");
        if (!Info.SetOrd) Fail(Line, Place.Name() + ": property is read-only");
        Info.SetOrd(Target, v);
        return;
      }
      case tkInt64:
        if (k != TFormValueKind::Integer) BadValue(Place.Name(), Line, "an integer", Value);
        if (!Info.SetOrd) Fail(Line, Place.Name() + ": property is read-only");
        Info.SetOrd(Target, Value.Int);
        return;
      case tkChar:
      case tkWChar: {
        std::int64_t code = 0;
        if (k == TFormValueKind::Integer) {
          code = Value.Int;
        } else if (k == TFormValueKind::String) {
          if (Info.Kind == tkChar ? Value.Text.size() != 1 : !SingleCodePoint(Value.Text, code))
            Fail(Line, Place.Name() + ": expected a single character");
          if (Info.Kind == tkChar) code = static_cast<unsigned char>(Value.Text[0]);
        } else {
          BadValue(Place.Name(), Line, "a character", Value);
        }
        const std::int64_t max = Info.Kind == tkChar ? 255 : 0xFFFF;
        if (code < 0 || code > max) Fail(Line, Place.Name() + ": character code out of range");
        if (!Info.SetOrd) Fail(Line, Place.Name() + ": property is read-only");
        Info.SetOrd(Target, code);
        return;
      }
      case tkEnumeration: {
        if (k != TFormValueKind::Identifier) BadValue(Place.Name(), Line, "an identifier", Value);
        const int v = GetEnumValue(Info.PropType, Value.Text);
        if (v < 0) Fail(Line, Place.Name() + ": invalid value '" + std::string(Value.Text) + "'");
        if (!Info.SetOrd) Fail(Line, Place.Name() + ": property is read-only");
        Info.SetOrd(Target, v);
        return;
      }
      case tkSet: {
        if (k != TFormValueKind::Set) BadValue(Place.Name(), Line, "a set", Value);
        const TTypeInfo* comp = Info.PropType ? Info.PropType->CompType : nullptr;
        std::uint64_t mask = 0;
        for (const std::string_view e : Value.Items) {
          const int v = GetEnumValue(comp, e);
          if (v < 0 || v >= 64) Fail(Line, Place.Name() + ": unknown set element '" + std::string(e) + "'");
          mask |= std::uint64_t{1} << v;
        }
        if (!Info.SetOrd) Fail(Line, Place.Name() + ": property is read-only");
        Info.SetOrd(Target, static_cast<std::int64_t>(mask));
        return;
      }
      case tkFloat:
        if (k != TFormValueKind::Float && k != TFormValueKind::Integer)
          BadValue(Place.Name(), Line, "a number", Value);
        if (!Info.SetFloat) Fail(Line, Place.Name() + ": property is read-only");
        Info.SetFloat(Target, k == TFormValueKind::Float ? Value.Float : static_cast<double>(Value.Int));
        return;
      case tkString:
      case tkLString:
      case tkWString:
        if (k != TFormValueKind::String) BadValue(Place.Name(), Line, "a string", Value);
        if (!Info.SetStr) Fail(Line, Place.Name() + ": property is read-only");
        // One buffer for all: the setter copies what it keeps, and the
        // buffer's capacity spares an allocation per string.
        FText.assign(Value.Text);
        Info.SetStr(Target, FText);
        return;
      case tkMethod: {
        if (k != TFormValueKind::Identifier || !IsValidIdent(Value.Text))
          BadValue(Place.Name(), Line, "a handler name", Value);
        if (&Target != &Component) Fail(Line, Place.Name() + ": events are stored for components only");
        const std::string handler(Value.Text);
        SetEventHandlerName(&Component, Info.Name, handler);
        FBindings.push_back({&Component, Info.Name, handler});
        return;
      }
      case tkClass: {
        const bool isComponent = Info.PropClass && Info.PropClass->InheritsFrom(TComponent::StaticClass());
        if (k == TFormValueKind::Identifier && isComponent) {
          if (!Info.SetObj) Fail(Line, Place.Name() + ": property is read-only");
          if (SameText(Value.Text, "nil")) {
            Info.SetObj(Target, nullptr);
            return;
          }
          FFixups.push_back({&Target, &Component, &Info, std::string(Value.Text), Place.Name(), Line, FChain});
          return;
        }
        TObject* obj = GetObjectProp(&Target, &Info);
        if (k == TFormValueKind::Collection && Is<TCollection>(obj)) {
          ReadCollection(*static_cast<TCollection*>(obj), Component, Value, Place.Name(), Line);
          return;
        }
        if (Is<TStrings>(obj))
          BadValue(Place.Name() + ".Strings", Line, "a string list written as Strings = (...)", Value);
        if (Is<TTreeNodes>(obj)) BadValue(Place.Name() + ".Nodes", Line, "tree nodes written as Nodes = <...>", Value);
        BadValue(Place.Name(), Line, isComponent ? "a component name" : "a collection", Value);
      }
      default:
        Fail(Line, Place.Name() + ": properties of this kind cannot be read");
    }
  } catch (const EReadError&) {
    throw;
  } catch (const std::exception& e) {
    // Setters reject values in their own words; keep the place.
    SetterFailed(Place, Line, e);
  }
}

void TFormReader::ReadStrings(TStrings& Strings, const TFormValue& Value, const std::string& Context, int Line) {
  if (Value.Kind != TFormValueKind::List) BadValue(Context, Line, "'('", Value);
  TUpdateGuard<TStrings> guard(Strings);
  Strings.Clear();
  for (const std::string_view s : Value.Items) {
    FText.assign(s);
    Strings.Add(FText);
  }
}

void TFormReader::ReadCollection(TCollection& Collection, TComponent& Component, const TFormValue& Value,
                                 const std::string& Context, int Line) {
  TUpdateGuard<TCollection> guard(Collection);
  Collection.Clear();
  for (std::size_t i = 0; i < Value.Collection.size(); ++i) {
    const TFormItem& item = Value.Collection[i];
    TCollectionItem* it = Collection.Add();
    const std::string context = Context + "[" + std::to_string(i) + "]";
    // Paths inside an item are relative to it: the context names the item.
    for (const TFormProperty& p : item.Props) {
      AssignProperty(*it, Component, p, context);
    }
  }
}

void TFormReader::ReadTreeNodes(TTreeNodes& Nodes, TTreeNode* Parent, TComponent& Component, const TFormValue& Value,
                                const std::string& Context, int Line) {
  for (std::size_t i = 0; i < Value.Collection.size(); ++i) {
    const TFormItem& item = Value.Collection[i];
    TTreeNode* node = Nodes.AddChild(Parent, std::string());
    const std::string context = Context + "[" + std::to_string(i) + "]";
    for (const TFormProperty& p : item.Props) {
      if (SameText(p.Path, "Nodes")) {
        if (p.Value.Kind != TFormValueKind::Collection) BadValue(context + ".Nodes", p.Line, "'<'", p.Value);
        ReadTreeNodes(Nodes, node, Component, p.Value, context + ".Nodes", p.Line);
      } else {
        AssignProperty(*node, Component, p, context);
      }
    }
  }
}

}  // namespace host
