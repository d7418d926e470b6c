// TStrings / TStringList: lines, names and values, objects per line, text,
// sorting and the update bracket.
#include <gtest/gtest.h>

#include "host/core/Strings.h"
#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

namespace {
std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> out;
  for (int i = 0; i < s.Count(); ++i) out.push_back(s.Get(i));
  return out;
}
using V = std::vector<std::string>;

// Counts the objects alive, to tell owned objects from leaked or twice freed.
struct TCounted : TObject {
  static int Alive;
  TCounted() { ++Alive; }
  ~TCounted() override { --Alive; }
};
int TCounted::Alive = 0;
}  // namespace

TEST(StringList, AddInsertDeleteClear) {
  TStringList s;
  EXPECT_EQ(s.Add("b"), 0);
  EXPECT_EQ(s.Add("d"), 1);
  s.Insert(0, "a");
  s.Insert(2, "c");
  s.Append("e");
  EXPECT_EQ(Lines(s), (V{"a", "b", "c", "d", "e"}));
  s.Delete(4);
  s.Delete(0);
  EXPECT_EQ(Lines(s), (V{"b", "c", "d"}));
  EXPECT_EQ(s[1], "c");
  EXPECT_EQ(s.Strings(2), "d");
  s.SetStrings(2, "D");
  EXPECT_EQ(s.Get(2), "D");
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
}

TEST(StringList, IndexesOutOfRangeRaise) {
  TStringList s;
  s.Add("x");
  EXPECT_THROW(s.Get(1), EListError);
  EXPECT_THROW(s.Get(-1), EListError);
  EXPECT_THROW(s.Put(1, "y"), EListError);
  EXPECT_THROW(s.Delete(1), EListError);
  EXPECT_THROW(s.Insert(2, "y"), EListError);
  EXPECT_THROW(s.Insert(-1, "y"), EListError);
  EXPECT_THROW(s.GetObject(3), EListError);
  EXPECT_THROW(s.Exchange(0, 1), EListError);
  try {
    s.Get(7);
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (7)");
  }
  EXPECT_EQ(Lines(s), (V{"x"}));
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
  TStringList s;
  s.Add("Hello");
  s.Add("\xC3\x84pfel");  // Äpfel
  EXPECT_EQ(s.IndexOf("hello"), 0);
  EXPECT_EQ(s.IndexOf("\xC3\xA4PFEL"), 1);
  EXPECT_EQ(s.IndexOf("Hell"), -1);
  s.SetCaseSensitive(true);
  EXPECT_EQ(s.IndexOf("hello"), -1);
  EXPECT_EQ(s.IndexOf("Hello"), 0);
}

TEST(StringListNames, NameIsTheTextBeforeTheFirstEquals) {
  TStringList s;
  s.SetText("a=1\r\nb==2\r\nplain\r\n=empty name\r\nc=\r\n");
  EXPECT_EQ(s.Names(0), "a");
  EXPECT_EQ(s.ValueFromIndex(0), "1");
  EXPECT_EQ(s.Names(1), "b");
  EXPECT_EQ(s.ValueFromIndex(1), "=2");
  EXPECT_EQ(s.Names(2), "");
  EXPECT_EQ(s.ValueFromIndex(2), "");
  EXPECT_EQ(s.Names(3), "");
  EXPECT_EQ(s.ValueFromIndex(3), "empty name");
  EXPECT_EQ(s.Names(4), "c");
  EXPECT_EQ(s.ValueFromIndex(4), "");
}

TEST(StringListNames, LinesWithoutEqualsNeverMatchByName) {
  TStringList s;
  s.Add("plain");
  s.Add("other=1");
  EXPECT_EQ(s.IndexOfName("plain"), -1);
  EXPECT_EQ(s.IndexOfName(""), -1);
  EXPECT_EQ(s.Values("plain"), "");
  s.Add("=x");
  EXPECT_EQ(s.IndexOfName(""), 2);  // an empty name before "=" is a name
}

TEST(StringListValues, FirstLineOfTheNameWinsIgnoringCase) {
  TStringList s;
  s.Add("Key=first");
  s.Add("KEY=second");
  s.Add("other=x");
  EXPECT_EQ(s.Values("key"), "first");
  EXPECT_EQ(s.IndexOfName("kEy"), 0);
  EXPECT_EQ(s.Values("missing"), "");
}

TEST(StringListValues, SettingReplacesTheFirstLineOrAppends) {
  TStringList s;
  s.Add("a=1");
  s.Add("A=2");
  s.SetValues("a", "new");
  EXPECT_EQ(Lines(s), (V{"a=new", "A=2"}));
  s.SetValues("B", "3");
  EXPECT_EQ(Lines(s), (V{"a=new", "A=2", "B=3"}));
  // The name is written as given when the line is replaced.
  s.SetValues("b", "4");
  EXPECT_EQ(Lines(s), (V{"a=new", "A=2", "b=4"}));
}

TEST(StringListValues, EmptyValueDeletesTheFirstLineOfTheName) {
  TStringList s;
  s.Add("a=1");
  s.Add("b=2");
  s.Add("A=3");
  s.SetValues("A", "");
  EXPECT_EQ(Lines(s), (V{"b=2", "A=3"}));
  EXPECT_EQ(s.Values("a"), "3");
  s.SetValues("none", "");
  EXPECT_EQ(Lines(s), (V{"b=2", "A=3"}));
}

TEST(StringListText, EveryLineEndsWithCrLf) {
  TStringList s;
  EXPECT_EQ(s.Text(), "");
  s.Add("a");
  s.Add("");
  s.Add("b");
  EXPECT_EQ(s.Text(), "a\r\n\r\nb\r\n");
}

TEST(StringListText, SplitsAtCrLfCrOrLf) {
  TStringList s;
  s.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(Lines(s), (V{"a", "b", "c", "d"}));
  s.SetText("a\r\n");
  EXPECT_EQ(Lines(s), (V{"a"}));  // a final break adds no empty line
  s.SetText("a\r\n\r\n");
  EXPECT_EQ(Lines(s), (V{"a", ""}));
  s.SetText("\n\r");
  EXPECT_EQ(Lines(s), (V{"", ""}));
  s.SetText("");
  EXPECT_EQ(s.Count(), 0);
  s.SetText(std::string("x\0y", 3));
  EXPECT_EQ(Lines(s), (V{std::string("x\0y", 3)}));
}

TEST(StringListText, RoundTripOfLinesWithoutBreaks) {
  TStringList a, b;
  a.Add("one");
  a.Add("");
  a.Add("  spaced  ");
  a.Add("\xD0\x96");
  b.SetText(a.Text());
  EXPECT_TRUE(a.Equals(&b));
}

TEST(StringListObjects, ObjectsTravelWithTheirLines) {
  TStringList s;
  TObject o1, o2, o3;
  s.AddObject("one", &o1);
  s.AddObject("two", &o2);
  s.InsertObject(0, "zero", &o3);
  EXPECT_EQ(s.GetObject(0), &o3);
  EXPECT_EQ(s.GetObject(2), &o2);
  EXPECT_EQ(s.IndexOfObject(&o1), 1);
  s.Exchange(0, 2);
  EXPECT_EQ(s.Get(0), "two");
  EXPECT_EQ(s.GetObject(0), &o2);
  s.Move(0, 2);
  EXPECT_EQ(Lines(s), (V{"one", "zero", "two"}));
  EXPECT_EQ(s.GetObject(2), &o2);
  s.Put(2, "TWO");
  EXPECT_EQ(s.GetObject(2), &o2);  // replacing the text keeps the object
  s.Sort();
  EXPECT_EQ(Lines(s), (V{"one", "TWO", "zero"}));
  EXPECT_EQ(s.GetObject(1), &o2);
  EXPECT_EQ(s.GetObject(2), &o3);
  s.PutObject(0, nullptr);
  EXPECT_EQ(s.IndexOfObject(&o1), -1);
}

TEST(StringListObjects, OwnedObjectsAreFreedWithTheirLinesAndKeptWhenMoved) {
  TCounted::Alive = 0;
  {
    TStringList s;
    s.SetOwnsObjects(true);
    s.AddObject("a", new TCounted);
    s.AddObject("b", new TCounted);
    s.AddObject("c", new TCounted);
    EXPECT_EQ(TCounted::Alive, 3);
    s.Move(0, 2);  // must not free the moved line's object
    EXPECT_EQ(TCounted::Alive, 3);
    EXPECT_NE(s.GetObject(2), nullptr);
    s.Delete(0);
    EXPECT_EQ(TCounted::Alive, 2);
    s.PutObject(0, new TCounted);  // the replaced object is freed
    EXPECT_EQ(TCounted::Alive, 2);
  }
  EXPECT_EQ(TCounted::Alive, 0);
  {
    TStringList s;
    s.SetOwnsObjects(true);
    s.AddObject("x", new TCounted);
    s.Clear();
    EXPECT_EQ(TCounted::Alive, 0);
  }
}

TEST(StringListMove, BadIndexesRaiseAndLoseNothing) {
  TStringList s;
  s.SetText("a\nb\nc");
  EXPECT_THROW(s.Move(0, 3), EListError);
  EXPECT_THROW(s.Move(3, 0), EListError);
  EXPECT_THROW(s.Move(-1, 0), EListError);
  EXPECT_EQ(Lines(s), (V{"a", "b", "c"}));
  s.Move(2, 0);
  EXPECT_EQ(Lines(s), (V{"c", "a", "b"}));
  s.Move(1, 1);
  EXPECT_EQ(Lines(s), (V{"c", "a", "b"}));
}

TEST(StringListMove, SortedListRefusesBeforeChangingAnything) {
  TStringList s;
  s.SetText("b\na\nc");
  s.SetSorted(true);
  EXPECT_THROW(s.Move(0, 2), EListError);
  EXPECT_EQ(Lines(s), (V{"a", "b", "c"}));
}

TEST(StringListAssign, CopiesLinesAndObjectsAndReplacesOldContent) {
  TStringList a, b;
  TObject o;
  a.AddObject("x=1", &o);
  a.Add("y");
  b.Add("old");
  b.Assign(&a);
  EXPECT_EQ(Lines(b), (V{"x=1", "y"}));
  EXPECT_EQ(b.GetObject(0), &o);
  EXPECT_TRUE(a.Equals(&b));
  b.Assign(&b);
  EXPECT_EQ(Lines(b), (V{"x=1", "y"}));
}

TEST(StringListAssign, AddStringsOfItselfDoublesTheList) {
  TStringList s;
  s.Add("a");
  s.Add("b");
  s.AddStrings(&s);
  EXPECT_EQ(Lines(s), (V{"a", "b", "a", "b"}));
  s.AddStrings(nullptr);
  EXPECT_EQ(s.Count(), 4);
}

TEST(StringListEquals, ComparesExactly) {
  TStringList a, b;
  a.Add("Case");
  b.Add("case");
  EXPECT_FALSE(a.Equals(&b));
  b.Put(0, "Case");
  EXPECT_TRUE(a.Equals(&b));
  b.Add("more");
  EXPECT_FALSE(a.Equals(&b));
  EXPECT_FALSE(a.Equals(nullptr));
}

TEST(StringListSort, IgnoresCaseAndIsStable) {
  TStringList s;
  s.SetText("b\nB\na\nC\nA\nc");
  s.Sort();
  EXPECT_EQ(Lines(s), (V{"a", "A", "b", "B", "C", "c"}));
  s.SetCaseSensitive(true);
  s.Sort();
  EXPECT_EQ(Lines(s), (V{"A", "B", "C", "a", "b", "c"}));
}

TEST(StringListSort, CyrillicAndLatinLettersIgnoreCase) {
  TStringList s;
  s.SetText("\xD0\x91\n\xD0\xB0\n\xC3\x84\nz");  // Б а Ä z
  s.Sort();
  EXPECT_EQ(Lines(s), (V{"z", "\xC3\x84", "\xD0\xB0", "\xD0\x91"}));
}

TEST(StringListSort, CustomSortUsesTheGivenOrder) {
  TStringList s;
  s.SetText("aaa\nb\ncc");
  s.CustomSort([](const TStringList* l, int a, int b) {
    return static_cast<int>(l->Get(a).size()) - static_cast<int>(l->Get(b).size());
  });
  EXPECT_EQ(Lines(s), (V{"b", "cc", "aaa"}));
}

TEST(StringListSorted, AddKeepsOrderAndFindSearches) {
  TStringList s;
  s.SetSorted(true);
  s.Add("m");
  s.Add("C");
  s.Add("x");
  EXPECT_EQ(s.Add("a"), 0);
  EXPECT_EQ(Lines(s), (V{"a", "C", "m", "x"}));
  int index = -1;
  EXPECT_TRUE(s.Find("c", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(s.Find("n", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(s.IndexOf("X"), 3);
  EXPECT_THROW(s.Insert(0, "z"), EListError);
  EXPECT_THROW(s.Put(0, "z"), EListError);
  EXPECT_EQ(Lines(s), (V{"a", "C", "m", "x"}));
}

TEST(StringListSorted, PutKeepingThePlaceIsAllowed) {
  TStringList s;
  s.SetSorted(true);
  s.SetText("a=1\nk=1\nz=1");
  s.Put(1, "k=1");  // the same text again
  s.SetValues("k", "2");
  s.SetValues("K", "2");
  EXPECT_EQ(Lines(s), (V{"a=1", "K=2", "z=1"}));
  EXPECT_THROW(s.Put(2, "b"), EListError);
  EXPECT_THROW(s.Put(0, "zz"), EListError);
  EXPECT_EQ(Lines(s), (V{"a=1", "K=2", "z=1"}));
  s.SetValues("new", "1");  // appended in order
  EXPECT_EQ(Lines(s), (V{"a=1", "K=2", "new=1", "z=1"}));
  s.Add("k=3");
  EXPECT_THROW(s.SetValues("k", "5"), EListError);  // "K=5" would sort after "k=3"
  EXPECT_EQ(s.Values("k"), "2");
}

TEST(StringListSorted, Duplicates) {
  TStringList s;
  s.SetSorted(true);
  s.Add("a");
  EXPECT_EQ(s.Add("A"), 0);  // dupIgnore: the existing line
  EXPECT_EQ(s.Count(), 1);
  s.SetDuplicates(dupError);
  EXPECT_THROW(s.Add("a"), EListError);
  EXPECT_EQ(s.Count(), 1);
  s.SetDuplicates(dupAccept);
  s.Add("a");
  s.Add("b");
  EXPECT_EQ(s.Count(), 3);
  int index = -1;
  EXPECT_TRUE(s.Find("A", index));
  EXPECT_EQ(index, 0);  // the first of equal lines
}

TEST(StringListUpdate, ChangeEventsFireOnceAroundABracket) {
  TStringList s;
  int changing = 0, changed = 0;
  s.SetOnChanging([&](TObject* sender) {
    EXPECT_EQ(sender, &s);
    ++changing;
  });
  s.SetOnChange([&](TObject*) { ++changed; });
  s.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  s.BeginUpdate();
  EXPECT_EQ(changing, 2);  // announced when the bracket opens
  s.BeginUpdate();
  s.Add("b");
  s.Add("c");
  s.Delete(0);
  s.EndUpdate();
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(s.UpdateCount(), 1);
  s.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(s.UpdateCount(), 0);
  s.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(s.UpdateCount(), 0);
  EXPECT_EQ(changed, 2);
}

TEST(StringListUpdate, BulkOperationsNotifyOnce) {
  TStringList s;
  int changed = 0;
  s.SetOnChange([&](TObject*) { ++changed; });
  s.SetText("a\nb\nc\nd");
  EXPECT_EQ(changed, 1);
  s.SetCommaText("x,y,z");
  EXPECT_EQ(changed, 2);
  TStringList other;
  other.Add("q");
  s.Assign(&other);
  EXPECT_EQ(changed, 3);
}

TEST(StringListFiles, SaveAndLoadKeepTheLines) {
  const std::string path = ::testing::TempDir() + "h1_strings_roundtrip.txt";
  TStringList a, b;
  a.Add("first");
  a.Add("\xD0\x96");
  a.SaveToFile(path);
  b.LoadFromFile(path);
  EXPECT_TRUE(a.Equals(&b));
  std::remove(path.c_str());
  EXPECT_THROW(b.LoadFromFile(path), EFOpenError);
  EXPECT_THROW(a.SaveToFile(::testing::TempDir() + "no/such/folder/x.txt"), EFCreateError);
}
