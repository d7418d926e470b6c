// Reflection of published properties: kinds, order, look-up, the accessors
// of every kind, stored predicates, defaults and enumeration names.
#include <gtest/gtest.h>

#include "host/core/TypInfo.h"
#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

namespace {
std::vector<std::string> Names(const std::vector<const TPropInfo*>& props) {
  std::vector<std::string> out;
  for (const TPropInfo* p : props) out.push_back(p->Name);
  return out;
}
}  // namespace

TEST(TypeKind, OrdinalsAreTheHostOnes) {
  EXPECT_EQ(tkUnknown, 0);
  EXPECT_EQ(tkInteger, 1);
  EXPECT_EQ(tkChar, 2);
  EXPECT_EQ(tkEnumeration, 3);
  EXPECT_EQ(tkFloat, 4);
  EXPECT_EQ(tkString, 5);
  EXPECT_EQ(tkSet, 6);
  EXPECT_EQ(tkClass, 7);
  EXPECT_EQ(tkMethod, 8);
  EXPECT_EQ(tkWChar, 9);
  EXPECT_EQ(tkLString, 10);
  EXPECT_EQ(tkWString, 11);
  EXPECT_EQ(tkVariant, 12);
  EXPECT_EQ(tkArray, 13);
  EXPECT_EQ(tkRecord, 14);
  EXPECT_EQ(tkInterface, 15);
  EXPECT_EQ(tkInt64, 16);
  EXPECT_EQ(tkDynArray, 17);
}

TEST(TypeKind, BuilderInfersTheKindFromTheGetter) {
  TSample s(nullptr);
  auto kind = [&](const char* name) { return GetPropInfo(&s, name)->Kind; };
  EXPECT_EQ(kind("Caption"), tkLString);
  EXPECT_EQ(kind("Count"), tkInteger);
  EXPECT_EQ(kind("Kind"), tkEnumeration);
  EXPECT_EQ(kind("Kinds"), tkSet);
  EXPECT_EQ(kind("Letter"), tkChar);
  EXPECT_EQ(kind("Flag"), tkEnumeration);
  EXPECT_EQ(kind("Ratio"), tkFloat);
  EXPECT_EQ(kind("Big"), tkInt64);
  EXPECT_EQ(kind("Font"), tkClass);
  EXPECT_EQ(kind("Items"), tkClass);
  EXPECT_EQ(kind("Columns"), tkClass);
  EXPECT_EQ(kind("Buddy"), tkClass);
  EXPECT_EQ(kind("OnClick"), tkMethod);
  EXPECT_EQ(kind("Name"), tkLString);
  EXPECT_EQ(GetPropInfo(&s, "Flag")->PropType->Name, "Boolean");
}

TEST(TypeKind, NestedObjectsAreClassTypedWithTheirClass) {
  TSample s(nullptr);
  EXPECT_EQ(GetPropInfo(&s, "Font")->PropClass, &TFont::StaticClass());
  EXPECT_EQ(GetPropInfo(&s, "Items")->PropClass, &TStrings::StaticClass());
  EXPECT_EQ(GetPropInfo(&s, "Columns")->PropClass, &TListColumns::StaticClass());
  EXPECT_EQ(GetObjectProp(&s, "Font"), s.Font());
  EXPECT_EQ(GetObjectProp(&s, "items"), s.Items());
  EXPECT_EQ(GetObjectProp(&s, "Columns"), s.Columns());
  // Through the nested object's own reflection.
  SetOrdProp(GetObjectProp(&s, "Font"), "Charset", 204);
  EXPECT_EQ(s.Font()->Charset(), 204);
}

TEST(PropertyList, AncestorsFirstEachClassInDeclarationOrder) {
  TSampleChild c(nullptr);
  const auto names = Names(GetPropInfos(&c));
  const std::vector<std::string> expected{"Name",  "Tag",  "Caption", "Hint",  "Count",   "Kind",   "Kinds",
                                          "Letter", "Flag", "Ratio",   "Big",   "Font",    "Items",  "Columns",
                                          "Buddy", "OnClick", "Note",  "Summary", "Extra"};
  EXPECT_EQ(names, expected);
}

TEST(PropertyList, RedeclaredPropertyKeepsItsPlaceAndTakesTheNewRecord) {
  TSampleChild c(nullptr);
  TSample s(nullptr);
  EXPECT_EQ(GetPropInfo(&c, "Hint")->Kind, tkString);
  EXPECT_EQ(GetPropInfo(&s, "Hint")->Kind, tkLString);
  const auto& props = GetPropInfos(&c);
  EXPECT_EQ(props[3], GetPropInfo(&c, "Hint"));
  // A redeclared property appears once.
  EXPECT_EQ(std::count(props.begin(), props.end(), GetPropInfo(&c, "Hint")), 1);
}

TEST(PropertyList, IsBuiltOncePerClass) {
  TSample a(nullptr), b(nullptr);
  EXPECT_EQ(&GetPropInfos(&a), &GetPropInfos(&b));
  EXPECT_EQ(GetPropInfo(&a, "Caption"), GetPropInfo(&b, "Caption"));
  EXPECT_EQ(GetPropInfo(&a, "Caption"), GetPropInfo(TSample::StaticClass(), "Caption"));
}

TEST(PropertyLookup, IgnoresCaseAndFindsInheritedProperties) {
  TSampleChild c(nullptr);
  EXPECT_EQ(GetPropInfo(&c, "caption"), GetPropInfo(&c, "CAPTION"));
  ASSERT_NE(GetPropInfo(&c, "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(&c, "caption")->Name, "Caption");
  EXPECT_NE(GetPropInfo(&c, "tag"), nullptr);
  EXPECT_NE(GetPropInfo(&c, "eXtRa"), nullptr);
  EXPECT_EQ(GetPropInfo(&c, "Captio"), nullptr);
  EXPECT_EQ(GetPropInfo(&c, ""), nullptr);
  EXPECT_EQ(GetPropInfo(&c, "Font.Charset"), nullptr);  // single names only
  EXPECT_EQ(GetPropInfo(static_cast<TObject*>(nullptr), "Caption"), nullptr);
  TSample s(nullptr);
  EXPECT_EQ(GetPropInfo(&s, "Extra"), nullptr);  // a descendant's property
}

TEST(PropertyAccess, StringKinds) {
  TSample s(nullptr);
  SetStrProp(&s, "caption", "OK");
  EXPECT_EQ(s.Caption(), "OK");
  EXPECT_EQ(GetStrProp(&s, "Caption"), "OK");
  SetStrProp(&s, "Letter", "Qz");
  EXPECT_EQ(s.Letter(), 'Q');
  EXPECT_EQ(GetStrProp(&s, "Letter"), "Q");
  EXPECT_EQ(GetOrdProp(&s, "Letter"), 'Q');
  TSampleChild c(nullptr);
  SetStrProp(&c, "Hint", "short");
  EXPECT_EQ(GetStrProp(&c, "hint"), "short");
}

TEST(PropertyAccess, StringAccessOfOtherKindsChangesNothing) {
  TSample s(nullptr);
  SetStrProp(&s, "Count", "7");
  EXPECT_EQ(s.Count(), 3);
  EXPECT_EQ(GetStrProp(&s, "Count"), "");
  SetStrProp(&s, "Missing", "x");
  EXPECT_EQ(GetStrProp(&s, "Missing"), "");
  SetStrProp(&s, "Summary", "read-only");  // no setter
  EXPECT_EQ(GetStrProp(&s, "Summary"), "/");
  EXPECT_FALSE(GetPropInfo(&s, "Summary")->IsWritable());
  EXPECT_TRUE(GetPropInfo(&s, "Caption")->IsWritable());
}

// The in-place emptiness test answers as the copied text does, for getters
// by reference, by value and of one character, and for other kinds.
TEST(PropertyAccess, EmptinessInPlaceAgreesWithTheCopiedText) {
  TSampleChild s(nullptr);
  for (const char* text : {"", " ", "a"}) {
    s.SetCaption(text);
    SetStrProp(&s, "Hint", text);
    for (const TPropInfo* p : GetPropInfos(&s)) EXPECT_EQ(IsEmptyStrProp(&s, p), GetStrProp(&s, p).empty()) << p->Name;
  }
  s.SetCaption("");
  EXPECT_TRUE(IsEmptyStrProp(&s, GetPropInfo(&s, "Caption")));
  EXPECT_TRUE(IsEmptyStrProp(nullptr, GetPropInfo(&s, "Caption")));
}

TEST(PropertyAccess, OrdinalKinds) {
  TSample s(nullptr);
  SetOrdProp(&s, "Count", -12);
  EXPECT_EQ(s.Count(), -12);
  SetOrdProp(&s, "Kind", kC);
  EXPECT_EQ(s.Kind(), kC);
  EXPECT_EQ(GetOrdProp(&s, "Kind"), 2);
  SetOrdProp(&s, "Flag", 1);
  EXPECT_TRUE(s.Flag());
  SetOrdProp(&s, "Kinds", (1 << kA) | (1 << kC));
  EXPECT_TRUE(s.Kinds().Contains(kA));
  EXPECT_FALSE(s.Kinds().Contains(kB));
  EXPECT_TRUE(s.Kinds().Contains(kC));
  SetOrdProp(&s, "Big", std::int64_t{1} << 40);
  EXPECT_EQ(s.Big(), std::int64_t{1} << 40);
  EXPECT_EQ(GetOrdProp(&s, "Big"), std::int64_t{1} << 40);
  EXPECT_EQ(GetOrdProp(&s, "Caption"), 0);
  EXPECT_EQ(GetOrdProp(&s, "NoSuch"), 0);
}

TEST(PropertyAccess, FloatAndObjectKinds) {
  TSample s(nullptr);
  SetFloatProp(&s, GetPropInfo(&s, "Ratio"), 2.5);
  EXPECT_DOUBLE_EQ(s.Ratio(), 2.5);
  EXPECT_DOUBLE_EQ(GetFloatProp(&s, GetPropInfo(&s, "Ratio")), 2.5);
  TSample other(nullptr);
  SetObjectProp(&s, GetPropInfo(&s, "Buddy"), &other);
  EXPECT_EQ(s.Buddy(), &other);
  SetObjectProp(&s, GetPropInfo(&s, "Buddy"), nullptr);
  EXPECT_EQ(s.Buddy(), nullptr);
  EXPECT_EQ(GetObjectProp(&s, "Caption"), nullptr);  // not class-typed
}

TEST(PropertyAccess, ObjectOfTheWrongClassRaisesAndChangesNothing) {
  TSample s(nullptr);
  TStringList notAFont;
  s.Font()->SetName("Arial");
  EXPECT_THROW(SetObjectProp(&s, GetPropInfo(&s, "Font"), &notAFont), EConvertError);
  EXPECT_EQ(s.Font()->Name(), "Arial");
}

TEST(PropertyAccess, ClassTypedSetterCopiesIntoTheOwnedObject) {
  TSample s(nullptr);
  TFont f;
  f.SetCharset(RUSSIAN_CHARSET);
  SetObjectProp(&s, GetPropInfo(&s, "Font"), &f);
  EXPECT_NE(s.Font(), &f);
  EXPECT_EQ(s.Font()->Charset(), RUSSIAN_CHARSET);
}

TEST(PropertyAccess, MethodKindReportsWhetherAssigned) {
  TSample s(nullptr);
  EXPECT_TRUE(IsDefaultPropValue(&s, GetPropInfo(&s, "OnClick")));
  s.SetOnClick([](TObject*) {});
  EXPECT_FALSE(IsDefaultPropValue(&s, GetPropInfo(&s, "OnClick")));
}

TEST(StoredProp, PredicateAndStoredFalse) {
  TSample s(nullptr);
  EXPECT_TRUE(IsStoredProp(&s, "Note"));
  s.SetNote("transient");
  EXPECT_FALSE(IsStoredProp(&s, "Note"));
  EXPECT_FALSE(IsStoredProp(&s, "Name"));  // TComponent stores Name apart
  EXPECT_TRUE(IsStoredProp(&s, "caption"));
  EXPECT_FALSE(IsStoredProp(&s, "NoSuch"));
  EXPECT_FALSE(IsStoredProp(static_cast<TObject*>(nullptr), GetPropInfo(&s, "Caption")));
}

TEST(DefaultValue, OrdinalDefaultsStringsFloatsAndObjects) {
  TSample s(nullptr);
  auto isDefault = [&](const char* n) { return IsDefaultPropValue(&s, GetPropInfo(&s, n)); };
  EXPECT_TRUE(GetPropInfo(&s, "Count")->HasDefault);
  EXPECT_EQ(GetPropInfo(&s, "Count")->Default, 3);
  EXPECT_TRUE(isDefault("Count"));
  s.SetCount(4);
  EXPECT_FALSE(isDefault("Count"));
  EXPECT_TRUE(isDefault("Kind"));
  s.SetKind(kA);
  EXPECT_FALSE(isDefault("Kind"));
  EXPECT_TRUE(isDefault("Caption"));
  s.SetCaption("x");
  EXPECT_FALSE(isDefault("Caption"));
  EXPECT_TRUE(isDefault("Ratio"));
  s.SetRatio(0.5);
  EXPECT_FALSE(isDefault("Ratio"));
  EXPECT_TRUE(isDefault("Buddy"));
  s.SetBuddy(&s);
  EXPECT_FALSE(isDefault("Buddy"));
  // Without a declared default an ordinal is never at its default.
  EXPECT_FALSE(GetPropInfo(&s, "Letter")->HasDefault);
  EXPECT_FALSE(isDefault("Letter"));
}

TEST(EnumNames, NamesAndValuesBothWays) {
  const TTypeInfo* kind = &TypeInfoOf(static_cast<TKind*>(nullptr));
  EXPECT_EQ(GetEnumName(kind, 0), "kA");
  EXPECT_EQ(GetEnumName(kind, 2), "kC");
  EXPECT_EQ(GetEnumName(kind, 3), "3");  // out of range: the number
  EXPECT_EQ(GetEnumName(kind, -1), "-1");
  EXPECT_EQ(GetEnumValue(kind, "kb"), 1);
  EXPECT_EQ(GetEnumValue(kind, "KC"), 2);
  EXPECT_EQ(GetEnumValue(kind, "kD"), -1);
  EXPECT_EQ(GetEnumValue(kind, ""), -1);
  EXPECT_EQ(GetEnumValue(nullptr, "kA"), -1);
  EXPECT_EQ(GetEnumName(nullptr, 0), "");
  const TTypeInfo* boolean = GetPropInfo(TSample::StaticClass(), "Flag")->PropType;
  EXPECT_EQ(GetEnumName(boolean, 1), "True");
  EXPECT_EQ(GetEnumValue(boolean, "false"), 0);
}

TEST(EnumNames, PropertyRecordsCarryTheirValueNames) {
  const TPropInfo* p = GetPropInfo(TSample::StaticClass(), "Kind");
  ASSERT_NE(p->PropType, nullptr);
  EXPECT_EQ(p->PropType->EnumNames, (std::vector<std::string>{"kA", "kB", "kC"}));
  const TPropInfo* set = GetPropInfo(TSample::StaticClass(), "Kinds");
  ASSERT_NE(set->PropType, nullptr);
  ASSERT_NE(set->PropType->CompType, nullptr);
  EXPECT_EQ(set->PropType->CompType->EnumNames.size(), 3u);
}

TEST(SetNames, ToTextAndBack) {
  const TPropInfo* p = GetPropInfo(TSample::StaticClass(), "Kinds");
  EXPECT_EQ(SetToString(p, 0), "[]");
  EXPECT_EQ(SetToString(p, (1 << kA) | (1 << kC)), "[kA,kC]");
  EXPECT_EQ(SetToString(p, 1 << kB, false), "kB");
  EXPECT_EQ(StringToSet(p, " [ kc , KA ] "), (1 << kA) | (1 << kC));
  EXPECT_EQ(StringToSet(p, "[]"), 0);
  EXPECT_EQ(StringToSet(p, "kB"), 1 << kB);
  EXPECT_THROW(StringToSet(p, "[kA,kZ]"), EConvertError);
}
