// Fonts and reading order: Charset is a byte, BiDiMode has four values.
#include <gtest/gtest.h>

#include "host/core/Graphics.h"

using namespace host;

TEST(Font, CharsetIsAByteWithTheHostCodes) {
  static_assert(sizeof(TFontCharset) == 1);
  TFont f;
  EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(RUSSIAN_CHARSET, 204);
  EXPECT_EQ(GREEK_CHARSET, 161);
  EXPECT_EQ(ARABIC_CHARSET, 178);
  EXPECT_EQ(HEBREW_CHARSET, 177);
  EXPECT_EQ(OEM_CHARSET, 255);
  SetOrdProp(&f, "charset", RUSSIAN_CHARSET);
  EXPECT_EQ(f.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(GetOrdProp(&f, "Charset"), 204);
  EXPECT_EQ(GetPropInfo(&f, "Charset")->Kind, tkInteger);
  EXPECT_FALSE(IsDefaultPropValue(&f, GetPropInfo(&f, "Charset")));
  f.SetCharset(DEFAULT_CHARSET);
  EXPECT_TRUE(IsDefaultPropValue(&f, GetPropInfo(&f, "Charset")));
}

TEST(Font, PublishedPropertiesInOrder) {
  TFont f;
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropInfos(&f)) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Size", "Style"}));
  EXPECT_FALSE(IsStoredProp(&f, "Size"));
  EXPECT_FALSE(IsStoredProp(&f, "Name"));  // the default face
  f.SetName("Arial");
  EXPECT_TRUE(IsStoredProp(&f, "Name"));
  f.SetName("");
  EXPECT_EQ(f.Name(), "Arial");  // a font always has a face
}

TEST(Font, SizeAndHeight) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  EXPECT_EQ(f.Size(), 12);
}

TEST(Font, StyleIsASet) {
  TFont f;
  const TPropInfo* p = GetPropInfo(&f, "Style");
  EXPECT_EQ(p->Kind, tkSet);
  SetOrdProp(&f, p, StringToSet(p, "[fsBold,fsUnderline]"));
  EXPECT_TRUE(f.Style().Contains(fsBold));
  EXPECT_TRUE(f.Style().Contains(fsUnderline));
  EXPECT_FALSE(f.Style().Contains(fsItalic));
  EXPECT_EQ(SetToString(p, GetOrdProp(&f, p)), "[fsBold,fsUnderline]");
}

TEST(Font, AssignCopiesEverythingAndNotifiesOnce) {
  TFont a, b;
  int changes = 0;
  b.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &b);
    ++changes;
  });
  a.SetCharset(GREEK_CHARSET);
  a.SetName("Arial");
  a.SetColor(clRed);
  a.SetHeight(-20);
  a.SetStyle({fsItalic});
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(a));
  EXPECT_EQ(b.Charset(), GREEK_CHARSET);
  EXPECT_EQ(changes, 1);
  b.Assign(&a);  // already equal
  EXPECT_EQ(changes, 1);
  b.SetCharset(GREEK_CHARSET);
  EXPECT_EQ(changes, 1);
  b.SetCharset(ANSI_CHARSET);
  EXPECT_EQ(changes, 2);
}

TEST(BiDiMode, FourValuesWithNames) {
  const TTypeInfo& info = TypeInfoOf(static_cast<TBiDiMode*>(nullptr));
  EXPECT_EQ(info.Kind, tkEnumeration);
  EXPECT_EQ(info.EnumNames, (std::vector<std::string>{"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                                      "bdRightToLeftReadingOnly"}));
  EXPECT_EQ(bdLeftToRight, 0);
  EXPECT_EQ(bdRightToLeft, 1);
  EXPECT_EQ(bdRightToLeftNoAlign, 2);
  EXPECT_EQ(bdRightToLeftReadingOnly, 3);
  EXPECT_EQ(GetEnumValue(&info, "BDRIGHTTOLEFT"), 1);
}
