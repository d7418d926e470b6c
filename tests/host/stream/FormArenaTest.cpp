// The parse tree's arena: pieces, texts and nodes alike, keep their
// content, never overlap, and an arena moved from never writes into the
// blocks it handed on.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "host/stream/FormArena.h"

using namespace host;

TEST(FormArena, PiecesKeepTheirContentApartAlsoInReusedBlocks) {
  std::mt19937 rng(3);
  // The second round takes the blocks the first one gave back.
  for (int round = 0; round < 2; ++round) {
    TFormArena arena;
    std::vector<std::pair<std::string_view, std::string>> made;
    for (int i = 0; i < 3000; ++i) {
      // Mostly small texts, now and then one larger than a block's quarter.
      std::string text(rng() % 50 == 0 ? 20000 + rng() % 70000 : 1 + rng() % 200, 'a');
      for (char& c : text) c = static_cast<char>('a' + rng() % 26);
      made.emplace_back(arena.Copy(text), text);
      // Nodes and texts fill blocks apart: neither may write into the other.
      const std::int64_t value = i;
      const std::int64_t* node = arena.New(value);
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(node) % alignof(std::int64_t), 0u);
      made.emplace_back(std::string_view(reinterpret_cast<const char*>(node), sizeof value),
                        std::string(reinterpret_cast<const char*>(&value), sizeof value));
    }
    for (const auto& [piece, text] : made) ASSERT_EQ(piece, text);
    std::sort(made.begin(), made.end(), [](const auto& a, const auto& b) { return a.first.data() < b.first.data(); });
    for (std::size_t i = 1; i < made.size(); ++i)
      ASSERT_LE(made[i - 1].first.data() + made[i - 1].first.size(), made[i].first.data());
  }
}

TEST(FormArena, AMovedArenaKeepsItsPiecesAndLeavesAnEmptyOne) {
  TFormArena first;
  const std::string_view text = first.Copy("kept across the move");
  TFormArena second(std::move(first));
  EXPECT_EQ(first.Used(), 0u);
  EXPECT_EQ(first.Copy("fresh"), "fresh");
  EXPECT_EQ(text, "kept across the move");
  EXPECT_EQ(second.Used(), text.size());
}
