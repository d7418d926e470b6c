// The root classes: class names, class tests that include descendants, and
// the default assignment that refuses.
#include <gtest/gtest.h>

#include "host/core/Collection.h"
#include "host/core/IniFiles.h"
#include "host/core/TreeNodes.h"
#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

TEST(ObjectClass, ClassNameIsTheMostDerivedClass) {
  TSampleChild child(nullptr);
  TComponent& asBase = child;
  EXPECT_EQ(asBase.ClassName(), "TSampleChild");
  TStringList list;
  EXPECT_EQ(static_cast<TStrings&>(list).ClassName(), "TStringList");
  TObject plain;
  EXPECT_EQ(plain.ClassName(), "TObject");
}

TEST(ObjectClass, ClassRecordsChainToTheirParents) {
  const TClass& cls = TSampleChild::StaticClass();
  ASSERT_NE(cls.Parent(), nullptr);
  EXPECT_EQ(cls.Parent(), &TSample::StaticClass());
  std::vector<std::string> chain;
  for (const TClass* c = &cls; c; c = c->Parent()) chain.push_back(c->Name());
  EXPECT_EQ(chain, (std::vector<std::string>{"TSampleChild", "TSample", "TComponent", "TPersistent", "TObject"}));
}

TEST(ObjectClass, ClassTestsIncludeDescendants) {
  TSampleChild child(nullptr);
  TSample sample(nullptr);
  EXPECT_TRUE(Is<TSample>(&child));
  EXPECT_TRUE(Is<TComponent>(&child));
  EXPECT_TRUE(Is<TPersistent>(&child));
  EXPECT_TRUE(Is<TObject>(&child));
  EXPECT_TRUE(Is<TSample>(&sample));
  EXPECT_FALSE(Is<TSampleChild>(&sample));
  EXPECT_FALSE(Is<TStrings>(&sample));
  EXPECT_FALSE(Is<TSample>(static_cast<TObject*>(nullptr)));
  EXPECT_TRUE(child.InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TComponent::StaticClass().InheritsFrom(TSample::StaticClass()));
}

TEST(ObjectClass, CastsSucceedOnlyWithinTheHierarchy) {
  TSampleChild child(nullptr);
  TObject* obj = &child;
  EXPECT_EQ(As<TSample>(obj), &child);
  EXPECT_EQ(As<TStrings>(obj), nullptr);
  const TObject* cobj = &child;
  EXPECT_EQ(As<TComponent>(cobj), &child);
}

TEST(ObjectClass, EveryCoreClassReportsItsOwnName) {
  TStringList list;
  TFont font;
  TListColumns listColumns(nullptr);
  TDBGridColumns gridColumns(nullptr);
  TTreeNodes nodes;
  TMemIniFile ini("");
  EXPECT_EQ(font.ClassName(), "TFont");
  EXPECT_EQ(listColumns.ClassName(), "TListColumns");
  EXPECT_EQ(listColumns.Add()->ClassName(), "TListColumn");
  EXPECT_EQ(gridColumns.ClassName(), "TDBGridColumns");
  EXPECT_EQ(gridColumns.Add()->ClassName(), "TColumn");
  EXPECT_EQ(gridColumns.Items(0)->Title()->ClassName(), "TColumnTitle");
  EXPECT_EQ(nodes.ClassName(), "TTreeNodes");
  EXPECT_EQ(nodes.AddChild(nullptr, "n")->ClassName(), "TTreeNode");
  EXPECT_EQ(ini.ClassName(), "TMemIniFile");
  EXPECT_TRUE(Is<TCollection>(&listColumns));
  EXPECT_TRUE(Is<TCollectionItem>(gridColumns.Items(0)));
}

TEST(PersistentAssign, DefaultRaisesCannotAssignNamingBothClasses) {
  TSample a(nullptr), b(nullptr);
  try {
    a.Assign(&b);
    FAIL() << "Assign between components must raise";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TSample to a TSample");
  }
}

TEST(PersistentAssign, NilSourceRaises) {
  TFont font;
  try {
    font.Assign(nullptr);
    FAIL() << "Assign(nil) must raise";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TFont");
  }
}

TEST(PersistentAssign, UnrelatedClassesRaiseAndChangeNothing) {
  TStringList list;
  list.Add("keep");
  TFont font;
  font.SetName("Arial");
  EXPECT_THROW(list.Assign(&font), EConvertError);
  EXPECT_THROW(font.Assign(&list), EConvertError);
  EXPECT_EQ(list.Text(), "keep\r\n");
  EXPECT_EQ(font.Name(), "Arial");
}

TEST(PersistentAssign, ErrorsAreHostExceptions) {
  TSample a(nullptr);
  TFont f;
  try {
    a.Assign(&f);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TFont to a TSample");
  }
}
