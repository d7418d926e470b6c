// The look-ups that skip work (the string list's name index and value
// setter, the owner's name index, the folded hash and comparison, casts
// through the class records) against the plain ways they replace, on random
// input: names in several spellings, empty values, lines without "=".
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/core/CaseFold.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"

using namespace host;

namespace {

// TStrings with nothing of its own: every look-up and assignment takes the
// plain way of the base class.
class TPlainStrings : public TStrings {
public:
  int Count() const override { return static_cast<int>(FLines.size()); }
  std::string Get(int Index) const override { return FLines.at(static_cast<std::size_t>(Index)); }
  void Put(int Index, const std::string& S) override { FLines.at(static_cast<std::size_t>(Index)) = S; }
  void Insert(int Index, const std::string& S) override { FLines.insert(FLines.begin() + Index, S); }
  void Delete(int Index) override { FLines.erase(FLines.begin() + Index); }
  void Clear() override { FLines.clear(); }

private:
  std::vector<std::string> FLines;
};

const std::vector<std::string> kNames{"a", "A", "ab", "AB", "\xC3\xA4", "\xC3\x84", "", "Button1.Caption",
                                      "BUTTON1.caption", "\xD0\x96", "\xD0\xB6", "x y", "a=b"};

std::string Pick(std::mt19937& rng, const std::vector<std::string>& from) { return from[rng() % from.size()]; }

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{"a", "B", "z", "\xC3\xA4", "\xC3\x84", "\xCE\xA3", "\xCF\x82", "\xCF\x83",
                                               "\xD0\x96", "\xD0\xB6", "\xFF", "\xC3", "0", " ", "_", "."};
  std::string s;
  for (std::size_t n = rng() % 20; n > 0; --n) s += Pick(rng, pieces);
  return s;
}

}  // namespace

TEST(FastLookup, StringListNamesAndValuesAgreeWithThePlainWays) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    TStringList fast;
    TPlainStrings plain;
    for (int step = 0; step < 40; ++step) {
      const std::string name = Pick(rng, kNames);
      const std::string value = rng() % 4 == 0 ? std::string() : std::to_string(rng() % 10);
      if (rng() % 3 == 0) {
        // A line added only when its name is new, as a section is read.
        const std::string line = rng() % 5 == 0 ? name : name + "=" + value;
        const int at = fast.AddUniqueName(std::string(line));
        const std::size_t eq = line.find('=');
        const int had = eq == std::string::npos ? -1 : plain.IndexOfName(std::string_view(line).substr(0, eq));
        EXPECT_EQ(at, had >= 0 ? had : plain.Add(line)) << line;
      } else {
        fast.SetValues(name, value);
        plain.SetValues(name, value);
      }
      ASSERT_EQ(fast.Text(), plain.Text()) << "round " << round << " step " << step;
      for (const std::string& n : kNames) EXPECT_EQ(fast.IndexOfName(n), plain.IndexOfName(n)) << n;
      for (int i = 0; i < fast.Count(); ++i) EXPECT_EQ(fast.IndexOfNameAt(i), plain.IndexOfName(plain.Names(i)));
    }
  }
}

TEST(FastLookup, AssigningValuesAgreesWithClearThenSetValues) {
  std::mt19937 rng(13);
  TStringList fast;  // kept across rounds: its lines are written over
  for (int round = 0; round < 300; ++round) {
    const bool caseSensitive = round % 5 == 0;
    fast.SetCaseSensitive(caseSensitive);
    TStringList slow;
    slow.SetCaseSensitive(caseSensitive);
    std::vector<std::string> texts;
    // Most rounds hold distinct names and no empty value.
    const bool plain = rng() % 2;
    for (std::size_t n = rng() % 30; n > 0; --n) {
      texts.push_back(plain ? "n" + std::to_string(texts.size()) : Pick(rng, kNames));
      texts.push_back(!plain && rng() % 4 == 0 ? std::string() : RandomText(rng) + "v");
    }
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    for (std::size_t i = 0; i < texts.size(); i += 2) {
      pairs.emplace_back(texts[i], texts[i + 1]);
      slow.SetValues(texts[i], texts[i + 1]);
    }
    fast.AssignValues(pairs);
    ASSERT_EQ(fast.Text(), slow.Text()) << "round " << round;
    for (const std::string& n : kNames) EXPECT_EQ(fast.IndexOfName(n), slow.IndexOfName(n)) << n;
    for (int i = 0; i < fast.Count(); ++i) EXPECT_EQ(fast.IndexOfName(fast.Names(i)), slow.IndexOfName(slow.Names(i)));
  }
}

TEST(FastLookup, FoldedHashAndComparisonAgreeWithTheFold) {
  std::mt19937 rng(11);
  for (int i = 0; i < 20000; ++i) {
    const std::string a = RandomText(rng);
    // Half the pairs are spellings of one text.
    std::string b = a;
    if (rng() % 2)
      b = RandomText(rng);
    else
      for (char& c : b)
        if (c >= 'a' && c <= 'z' && rng() % 2) c = static_cast<char>(c - 32);
    const bool same = FoldCase(a) == FoldCase(b);
    EXPECT_EQ(SameText(a, b), same) << a << " / " << b;
    EXPECT_EQ(CompareText(a, b) == 0, same);
    if (same) EXPECT_EQ(TextHash()(a), TextHash()(b)) << a << " / " << b;
  }
}

TEST(FastLookup, FindComponentAgreesWithAScanThroughRenamesAndRemovals) {
  std::mt19937 rng(5);
  TForm form(nullptr);
  std::vector<TComponent*> alive;
  auto scan = [&](std::string_view name) -> TComponent* {
    if (name.empty()) return nullptr;
    for (int i = 0; i < form.ComponentCount(); ++i)
      if (SameText(form.Components(i)->Name(), name)) return form.Components(i);
    return nullptr;
  };
  for (int step = 0; step < 3000; ++step) {
    const std::string name = "C" + std::to_string(rng() % 60) + (rng() % 2 ? "x" : "X");
    const int action = static_cast<int>(rng() % 4);
    if (action == 0 || alive.empty()) {
      auto* c = new TButton(&form);
      alive.push_back(c);
      if (!scan(name)) c->SetName(name);
    } else if (action == 1) {
      TComponent* c = alive[rng() % alive.size()];
      const TComponent* holder = scan(name);
      if (!holder || holder == c) c->SetName(rng() % 5 ? name : std::string());
    } else if (action == 2) {
      const std::size_t k = rng() % alive.size();
      delete alive[k];
      alive.erase(alive.begin() + static_cast<std::ptrdiff_t>(k));
    }
    for (int n = 0; n < 60; n += 7)
      for (const char* tail : {"x", "X", ""}) {
        const std::string probe = "c" + std::to_string(n) + tail;
        ASSERT_EQ(form.FindComponent(probe), scan(probe)) << probe << " at step " << step;
      }
  }
}

// An owner that refuses "Z" names, notes every name it is asked about and
// may rename a component elsewhere first.
struct TStrictOwner : TComponent {
  using TComponent::TComponent;
  mutable std::vector<std::string> Asked;
  TComponent* Moving = nullptr;
  void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const override {
    Asked.push_back(NewName);
    if (Moving) Moving->SetName("Moved");
    if (!NewName.empty() && (NewName[0] | 32) == 'z') throw EComponentError("no Z names");
    TComponent::ValidateRename(AComponent, CurName, NewName);
  }
};

bool PlainIdent(std::string_view s) {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (s.empty() || !alpha(s[0])) return false;
  return std::all_of(s.begin() + 1, s.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

// Renames, refusals (and their messages), removals and look-ups in other
// spellings, also non-ASCII ones, against a model of who holds which name;
// an overriding owner is asked once per rename.
TEST(FastLookup, RenamesAgreeWithAModelOfTheNameRules) {
  std::mt19937 rng(23);
  const std::vector<std::string> stems{"a",  "B",   "zed", "_", "Ab9", "x\xC3\xA4", "\xC3\x84",
                                       "1a", "a b", "",    "LongName_", "A_name_longer_than_four_words_of_bytes"};
  for (const bool strict : {false, true}) {
    std::unique_ptr<TComponent> owner(strict ? new TStrictOwner(nullptr) : new TComponent(nullptr));
    std::vector<TComponent*> alive;
    std::map<std::string, TComponent*> holder;  // by folded name
    auto held = [&](const std::string& n) {
      return n.empty() || !holder.count(FoldCase(n)) ? nullptr : holder[FoldCase(n)];
    };
    for (int step = 0; step < 4000; ++step) {
      std::string name = Pick(rng, stems) + (rng() % 2 ? std::to_string(rng() % 6) : "");
      for (char& c : name) c = (c >= 'a' && c <= 'z' && rng() % 2) ? static_cast<char>(c - 32) : c;
      if (alive.empty() || rng() % 6 == 0) alive.push_back(new TComponent(owner.get()));
      const std::size_t k = rng() % alive.size();
      TComponent* c = alive[k];
      const std::string before = c->Name();
      if (rng() % 6 == 0) {
        if (held(before) == c) holder.erase(FoldCase(before));
        delete c;
        alive.erase(alive.begin() + static_cast<std::ptrdiff_t>(k));
        continue;
      }
      const bool ask = name != before && (name.empty() || PlainIdent(name));
      std::string refusal, got;
      if (name != before && !ask)
        refusal = "'" + name + "' is not a valid component name";
      else if (ask && strict && !name.empty() && (name[0] | 32) == 'z')
        refusal = "no Z names";
      else if (ask && !SameText(before, name) && held(name) && held(name) != c)
        refusal = "A component named " + name + " already exists";
      const std::size_t asks = strict ? static_cast<TStrictOwner&>(*owner).Asked.size() : 0;
      try {
        c->SetName(name);
      } catch (const EComponentError& e) {
        got = e.what();
      }
      ASSERT_EQ(got, refusal) << name << " at step " << step;
      ASSERT_EQ(c->Name(), refusal.empty() ? name : before);
      if (strict) ASSERT_EQ(static_cast<TStrictOwner&>(*owner).Asked.size(), asks + (ask ? 1 : 0));
      if (refusal.empty() && name != before) {
        if (held(before) == c) holder.erase(FoldCase(before));
        if (!name.empty()) holder.emplace(FoldCase(name), c);
      }
      for (const std::string& probe : {name, UpperCase(name), before, name + "\xC3\xA4", "\xC3\x84" + name})
        ASSERT_EQ(owner->FindComponent(probe), held(probe)) << probe << " at step " << step;
    }
  }
}

// The name asked for may be another component's, renamed during the check:
// the check and the index take the text as it then is.
TEST(FastLookup, ANameThatChangesDuringItsCheckIsTakenAsItEnds) {
  TComponent other(nullptr);
  auto* b = new TComponent(&other);
  b->SetName("Taken");
  TStrictOwner owner(nullptr);
  (new TComponent(&owner))->SetName("First");
  auto* a = new TComponent(&owner);
  owner.Moving = b;
  a->SetName(b->Name());
  EXPECT_EQ(a->Name(), "Moved");
  EXPECT_EQ(owner.FindComponent("moved"), a);
  EXPECT_EQ(owner.FindComponent("Taken"), nullptr);
}

// Reserving moves the names already there; the names that follow must go
// in without a grow and all stay findable, also after removals.
TEST(FastLookup, NamesStayFindableAcrossAReserve) {
  TComponent owner(nullptr);
  std::vector<TComponent*> made;
  for (int i = 0; i < 40; ++i) {
    made.push_back(new TComponent(&owner));
    made.back()->SetName("Early" + std::to_string(i));
  }
  owner.ReserveNames(3000);
  owner.ReserveNames(10);  // already room: nothing moves
  for (int i = 0; i < 3000; ++i) {
    made.push_back(new TComponent(&owner));
    made.back()->SetName("Late" + std::to_string(i));
    owner.PrefetchName("late" + std::to_string(i + 1));
  }
  for (std::size_t i = 0; i < made.size(); i += 3) delete made[i];
  for (std::size_t i = 0; i < made.size(); ++i) {
    const std::string name = i < 40 ? "EARLY" + std::to_string(i) : "late" + std::to_string(i - 40);
    ASSERT_EQ(owner.FindComponent(name), i % 3 == 0 ? nullptr : made[i]) << name;
  }
}

TEST(FastLookup, IdentifierTestAndShortLoadsAgreeWithThePlainWays) {
  std::mt19937 rng(29);
  const std::string alphabet = "aZ_09 .\x80\xC3\xFF\x7F@[`{/:";
  for (int i = 0; i < 20000; ++i) {
    std::string s;
    for (std::size_t n = rng() % 12; n > 0; --n) s += alphabet[rng() % alphabet.size()];
    ASSERT_EQ(IsValidIdent(s), PlainIdent(s)) << s;
    std::uint64_t w = 0;
    for (std::size_t n = 0; n <= std::min<std::size_t>(s.size(), 8); ++n) {
      ASSERT_EQ(LoadUpTo8(s.data(), n), w) << s << " / " << n;
      if (n < s.size() && n < 8) w |= std::uint64_t{static_cast<unsigned char>(s[n])} << (8 * n);
    }
  }
}

TEST(FastLookup, CastsThroughClassRecordsAgreeWithDynamicCast) {
  TForm form(nullptr);
  std::vector<TObject*> objects{&form, new TButton(&form), new TLabel(&form), new TEdit(&form), new TMemo(&form),
                                new TComponent(&form)};
  TStringList list;
  objects.push_back(&list);
  objects.push_back(nullptr);
  for (TObject* o : objects) {
    EXPECT_EQ(As<TComponent>(o), dynamic_cast<TComponent*>(o));
    EXPECT_EQ(As<TPersistent>(o), dynamic_cast<TPersistent*>(o));
    EXPECT_EQ(As<TControl>(o), dynamic_cast<TControl*>(o));
    EXPECT_EQ(As<TWinControl>(o), dynamic_cast<TWinControl*>(o));
    EXPECT_EQ(As<TButtonControl>(o), dynamic_cast<TButtonControl*>(o));
    EXPECT_EQ(As<TCustomEdit>(o), dynamic_cast<TCustomEdit*>(o));
    EXPECT_EQ(As<TStrings>(o), dynamic_cast<TStrings*>(o));
    EXPECT_EQ(As<TCustomForm>(static_cast<const TObject*>(o)), dynamic_cast<const TCustomForm*>(o));
  }
}

// A list refilled after ClearKeepingLines, in the order it held or with
// drifts, against one cleared and filled afresh: the same lines, answers
// and change counts, also with look-ups and other changes mid-refill.
TEST(FastLookup, RefillOfKeptLinesAgreesWithAFreshFill) {
  std::mt19937 rng(13);
  for (int round = 0; round < 300; ++round) {
    TStringList kept, fresh;
    std::map<std::uint64_t, std::string> texts;
    std::vector<std::string> lines;
    for (std::size_t n = rng() % 10; n > 0; --n)
      lines.push_back(Pick(rng, kNames) + (rng() % 8 ? "=" + std::to_string(rng() % 3) : ""));
    // A watcher sees a change per line either way.
    int keptChanges = 0, freshChanges = 0;
    if (round % 3 == 0) {
      kept.SetOnChange([&](TObject*) { ++keptChanges; });
      fresh.SetOnChange([&](TObject*) { ++freshChanges; });
    }
    for (int pass = 0; pass < 5; ++pass) {
      kept.ClearKeepingLines();
      fresh.Clear();
      if (rng() % 2) kept.SetCapacity(static_cast<int>(lines.size())), fresh.SetCapacity(static_cast<int>(lines.size()));
      if (rng() % 8 == 0) kept.SetCaseSensitive(!kept.CaseSensitive()), fresh.SetCaseSensitive(kept.CaseSensitive());
      for (std::size_t l = 0; l < lines.size(); ++l) {
        const std::string& line = lines[l];
        const int what = static_cast<int>(rng() % 16);
        const std::string probe = Pick(rng, kNames);
        if (what == 0) {
          EXPECT_EQ(kept.IndexOfName(probe), fresh.IndexOfName(probe));
        }
        if (what == 1 && kept.Count() > 0) kept.Put(0, line), fresh.Put(0, line);
        if (what == 2) kept.BeginUpdate(), kept.EndUpdate(), fresh.BeginUpdate(), fresh.EndUpdate();
        if (pass == 0 && round % 2)  // a first fill that may repeat names
          ASSERT_EQ(kept.Add(line), fresh.Add(line));
        else if (const std::string* next = kept.NextKept(); next && *next == line && rng() % 2) {
          // A run of lines that are their kept lines goes in together.
          std::size_t run = 1;
          while (l + run < lines.size() && rng() % 4 && kept.NextKept(run) && *kept.NextKept(run) == lines[l + run])
            ++run;
          int last = -1;
          for (std::size_t k = 0; k < run; ++k) last = fresh.AddUniqueName(std::string(lines[l + k]));
          ASSERT_EQ(kept.AddNextKept(run), last) << line;
          l += run - 1;
        } else
          ASSERT_EQ(kept.AddUniqueName(std::string(line)), fresh.AddUniqueName(std::string(line))) << line;
      }
      ASSERT_EQ(kept.Text(), fresh.Text()) << "round " << round << " pass " << pass;
      EXPECT_EQ(kept.ChangeCount(), fresh.ChangeCount());
      EXPECT_EQ(keptChanges, freshChanges);
      // An id once given stands for one text only.
      const auto [seen, added] = texts.try_emplace(kept.ContentId(), kept.Text() + (kept.CaseSensitive() ? "1" : "0"));
      if (!added) {
        EXPECT_EQ(seen->second, kept.Text() + (kept.CaseSensitive() ? "1" : "0"));
      }
      for (const std::string& n : kNames) EXPECT_EQ(kept.IndexOfName(n), fresh.IndexOfName(n)) << n;
      for (int i = 0; i < kept.Count(); ++i) EXPECT_EQ(kept.IndexOfNameAt(i), fresh.IndexOfNameAt(i));
      // Mostly the same names again, with other values; now and then one
      // name dropped or added.
      for (std::string& line : lines) line = line.substr(0, line.find('=')) + "=" + std::to_string(rng() % 3);
      if (rng() % 3 == 0 && !lines.empty()) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(rng() % lines.size()));
      if (rng() % 3 == 0) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(rng() % (lines.size() + 1)), Pick(rng, kNames) + "=x");
    }
  }
}
