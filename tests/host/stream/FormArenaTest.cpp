// The parse tree's arena: what it hands out is aligned, never overlaps,
// holds what was copied in, and stays valid until the arena goes, also when
// its blocks come from a tree freed before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "host/stream/FormArena.h"

using namespace host;

namespace {

struct TSpanCheck {
  const char* Begin;
  std::size_t Size;
  std::string Expected;
};

void FillAndCheck(std::mt19937& rng) {
  TFormArena arena;
  std::vector<TSpanCheck> made;
  for (int i = 0; i < 3000; ++i) {
    // Mostly small texts, now and then one larger than a block's quarter.
    const std::size_t size = rng() % 50 == 0 ? 20000 + rng() % 70000 : rng() % 200;
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>('a' + rng() % 26);
    const std::string_view copy = arena.Copy(text);
    ASSERT_EQ(copy, text);
    if (!copy.empty()) made.push_back({copy.data(), copy.size(), text});
    const std::int64_t number = static_cast<std::int64_t>(rng());
    const std::int64_t* kept = arena.New(number);
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(kept) % alignof(std::int64_t), 0u);
    made.push_back({reinterpret_cast<const char*>(kept), sizeof number,
                    std::string(reinterpret_cast<const char*>(&number), sizeof number)});
  }
  // Everything still holds what was put in, and no two pieces overlap.
  for (const TSpanCheck& m : made) ASSERT_EQ(std::string(m.Begin, m.Size), m.Expected);
  std::sort(made.begin(), made.end(), [](const TSpanCheck& a, const TSpanCheck& b) { return a.Begin < b.Begin; });
  for (std::size_t i = 1; i < made.size(); ++i) ASSERT_LE(made[i - 1].Begin + made[i - 1].Size, made[i].Begin);
}

TEST(FormArena, PiecesAreAlignedApartAndKeepTheirContent) {
  std::mt19937 rng(3);
  // The second and third rounds take blocks the first one gave back.
  for (int round = 0; round < 3; ++round) FillAndCheck(rng);
}

TEST(FormArena, AMovedArenaKeepsItsPieces) {
  TFormArena first;
  const std::string_view text = first.Copy("kept across the move");
  TFormArena second(std::move(first));
  TFormArena third;  // takes blocks of its own meanwhile
  EXPECT_EQ(third.Copy("other"), "other");
  // The emptied arena starts a block of its own rather than writing on.
  EXPECT_EQ(first.Used(), 0u);
  EXPECT_EQ(first.Copy("fresh"), "fresh");
  EXPECT_EQ(text, "kept across the move");
  EXPECT_EQ(second.Used(), text.size());
}

}  // namespace
