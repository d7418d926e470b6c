// The parse tree's arena: pieces, texts and nodes alike, keep their
// content, never overlap, and an arena moved from never writes into the
// blocks it handed on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
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

// Runs grow one element at a time while others grow, nodes and texts are
// added between, a run outgrows a block, and arenas reuse blocks: every
// run must end with its own elements, in order, apart from the others.
TEST(FormArena, RunsKeepTheirElementsInOrderWhateverIsAddedBetween) {
  struct TElement {
    std::int64_t Value = 0;
    std::int32_t Run = 0;
  };
  std::mt19937 rng(5);
  for (int round = 0; round < 3; ++round) {
    TFormArena arena;
    std::vector<std::span<TElement>> runs(6);
    std::vector<std::vector<std::int64_t>> expected(runs.size());
    std::int64_t next = 0;
    for (int step = 0; step < 30000; ++step) {
      // Mostly the same run for a while, as a parser fills one object's.
      const std::size_t r = rng() % 8 < 6 ? static_cast<std::size_t>(step / 500) % runs.size() : rng() % runs.size();
      TElement& e = arena.Append(runs[r]);
      ASSERT_EQ(e.Value, 0);  // value-initialized, also in a reused block
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(&e) % alignof(TElement), 0u);
      e.Value = ++next;
      e.Run = static_cast<std::int32_t>(r);
      expected[r].push_back(next);
      if (rng() % 16 == 0) arena.New(next);
      if (rng() % 16 == 0) arena.Copy(std::string(1 + rng() % 40, 'x'));
    }
    // Each run took about every sixth step: far longer than a block's quarter.
    ASSERT_GT(runs[0].size_bytes(), 16u * 1024);
    for (std::size_t r = 0; r < runs.size(); ++r) {
      ASSERT_EQ(runs[r].size(), expected[r].size());
      for (std::size_t i = 0; i < runs[r].size(); ++i) {
        ASSERT_EQ(runs[r][i].Value, expected[r][i]) << "run " << r << " at " << i;
        ASSERT_EQ(runs[r][i].Run, static_cast<std::int32_t>(r));
      }
    }
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.data() < b.data(); });
    for (std::size_t r = 1; r < runs.size(); ++r) ASSERT_LE(runs[r - 1].data() + runs[r - 1].size(), runs[r].data());
    // Each round's blocks go back to the pool and are filled again; the
    // arena must zero what it hands out, not trust the block.
    for (auto& run : runs)
      for (auto& e : run) e.Value = -1;
  }
}
