// The name index of TStringList must agree with a plain scan after every
// kind of change.
#include <gtest/gtest.h>

#include <random>

#include "host/core/CaseFold.h"
#include "host/core/Strings.h"

using namespace host;

namespace {
// What IndexOfName must answer: the first line whose text before the first
// "=" equals Name under the list's case rule.
int ScanIndexOfName(const TStringList& s, std::string_view name) {
  for (int i = 0; i < s.Count(); ++i) {
    const std::string line = s.Get(i);
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view n = std::string_view(line).substr(0, eq);
    if (s.CaseSensitive() ? n == name : SameText(n, name)) return i;
  }
  return -1;
}

const std::vector<std::string> kNames{"a", "A", "b", "B", "\xC3\xA4", "\xC3\x84", "", "key", "KEY", "x y"};

void ExpectIndexAgrees(const TStringList& s, const std::string& step) {
  for (const auto& n : kNames) EXPECT_EQ(s.IndexOfName(n), ScanIndexOfName(s, n)) << step << " name '" << n << "'";
}

std::string RandomLine(std::mt19937& rng) {
  const std::string& name = kNames[rng() % kNames.size()];
  switch (rng() % 4) {
    case 0:
      return name;  // no "="
    case 1:
      return name + "=";
    default:
      return name + "=" + std::to_string(rng() % 100);
  }
}
}  // namespace

TEST(StringListNameIndex, FirstLineWinsAfterAppends) {
  TStringList s;
  s.Add("k=1");
  EXPECT_EQ(s.IndexOfName("K"), 0);  // builds the index
  s.Add("K=2");
  s.Add("j=3");
  EXPECT_EQ(s.IndexOfName("k"), 0);
  EXPECT_EQ(s.IndexOfName("J"), 2);
}

TEST(StringListNameIndex, EachMutationKeepsItRight) {
  TStringList s;
  s.SetText("a=1\nb=2\nA=3\nplain\nkey=4");
  ExpectIndexAgrees(s, "SetText");
  s.Put(0, "b=changed");  // a's first line is now the third
  ExpectIndexAgrees(s, "Put renaming");
  s.Put(1, "b=same name");
  ExpectIndexAgrees(s, "Put keeping the name");
  s.Put(3, "a=from plain");
  ExpectIndexAgrees(s, "Put giving a name");
  s.Insert(0, "A=inserted");
  ExpectIndexAgrees(s, "Insert");
  s.Delete(0);
  ExpectIndexAgrees(s, "Delete");
  s.Exchange(0, 2);
  ExpectIndexAgrees(s, "Exchange");
  s.Move(4, 0);
  ExpectIndexAgrees(s, "Move");
  s.Sort();
  ExpectIndexAgrees(s, "Sort");
  s.SetCaseSensitive(true);
  ExpectIndexAgrees(s, "CaseSensitive on");
  s.Add("KEY=5");
  ExpectIndexAgrees(s, "Add while case-sensitive");
  s.SetCaseSensitive(false);
  ExpectIndexAgrees(s, "CaseSensitive off");
  TStringList other;
  other.SetText("x y=1\nkey=2");
  s.Assign(&other);
  ExpectIndexAgrees(s, "Assign");
  s.Clear();
  ExpectIndexAgrees(s, "Clear");
  s.Add("b=after clear");
  ExpectIndexAgrees(s, "Add after Clear");
  s.SetValues("B", "");
  ExpectIndexAgrees(s, "SetValues deleting");
  s.SetCommaText("a=1,A=2,b=3");
  ExpectIndexAgrees(s, "SetCommaText");
}

TEST(StringListNameIndex, SortedListsToo) {
  TStringList s;
  s.SetSorted(true);
  s.SetDuplicates(dupAccept);
  s.Add("b=1");
  s.Add("a=2");
  ExpectIndexAgrees(s, "sorted adds");
  s.Add("a=0");
  ExpectIndexAgrees(s, "sorted add before");
  s.Add("c");
  s.Delete(0);
  ExpectIndexAgrees(s, "sorted delete");
}

TEST(StringListNameIndex, RandomMutationsAgreeWithAScan) {
  std::mt19937 rng(7);
  TStringList s;
  for (int step = 0; step < 4000; ++step) {
    const int n = s.Count();
    switch (rng() % 12) {
      case 0:
      case 1:
      case 2:
        s.Add(RandomLine(rng));
        break;
      case 3:
        s.Insert(static_cast<int>(rng() % (n + 1)), RandomLine(rng));
        break;
      case 4:
        if (n) s.Delete(static_cast<int>(rng() % n));
        break;
      case 5:
        if (n) s.Put(static_cast<int>(rng() % n), RandomLine(rng));
        break;
      case 6:
        if (n) s.Exchange(static_cast<int>(rng() % n), static_cast<int>(rng() % n));
        break;
      case 7:
        if (n) s.Move(static_cast<int>(rng() % n), static_cast<int>(rng() % n));
        break;
      case 8:
        if (rng() % 10 == 0) s.Sort();
        break;
      case 9:
        if (rng() % 20 == 0) s.SetCaseSensitive(!s.CaseSensitive());
        break;
      case 10:
        s.SetValues(kNames[rng() % kNames.size()], rng() % 3 ? std::to_string(step) : std::string());
        break;
      case 11:
        if (rng() % 50 == 0) s.Clear();
        break;
    }
    const std::string& probe = kNames[rng() % kNames.size()];
    ASSERT_EQ(s.IndexOfName(probe), ScanIndexOfName(s, probe)) << "step " << step;
  }
}
