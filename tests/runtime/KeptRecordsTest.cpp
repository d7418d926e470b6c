// One records object read into again and again lends each read the names of
// the last, to skip the name index where they match. On sections that
// drift from read to read (respelt, swapped, repeated, dropped and empty
// records), it must hold what a fresh object reads, and find every name.
#include <gtest/gtest.h>

#include <random>

#include "host/core/SysUtils.h"
#include "runtime/Ambit/FormRecords.h"
#include "runtime/AmbitSource.h"

using namespace ambit;

TEST(KeptRecords, ReadLikeAFreshObjectAsTheSectionDrifts) {
  std::mt19937 rng(29);
  const std::vector<std::string> names{"Caption", "CAPTION", "b.Hint", "B.HINT", "\xC3\xA4", "\xC3\x84", "c", "d"};
  const std::vector<std::string> values{"\"x\"", "\"a\"#13#10\"b\"", "plain", "y", "z", "", "\"\""};
  TAmFormRecords kept;
  std::vector<std::string> lines;
  int reads = 0;
  for (int round = 0; round < 2000; ++round) {
    // Empty values are rare: each makes the read look its name up.
    const std::string line = names[rng() % names.size()] + "=" + values[rng() % (rng() % 8 ? 5 : values.size())];
    const std::size_t at = lines.empty() ? 0 : rng() % lines.size();
    switch (lines.empty() ? 0 : rng() % 6) {
      case 0: lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line); break;
      case 1: lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at)); break;
      case 2: lines[at] = line; break;
      case 3: std::swap(lines[at], lines[rng() % lines.size()]); break;
      case 4: lines.pop_back(); break;  // what is left repeats the last read
      default: break;  // the same section again
    }
    if (lines.size() > 10) lines.resize(4);
    std::string text = "[Form]\r\n";
    for (const std::string& l : lines) text += l + "\r\n";
    TAmLanguageFile file("");
    file.SetText(text);
    TAmFormRecords fresh;
    const bool got = file.ReadFormRecords("Form", fresh);
    // The localizer clears the kept records too before the source reads.
    if (rng() % 2) kept.Clear();
    ASSERT_EQ(file.ReadFormRecords("Form", kept), got) << text;
    ASSERT_EQ(kept.Count(), fresh.Count()) << text;
    for (int i = 0; i < fresh.Count(); ++i) {
      EXPECT_EQ(kept.Name(i), fresh.Name(i)) << text;
      EXPECT_EQ(kept.ValueView(i), fresh.ValueView(i)) << text;
    }
    // Not after every read: a read that asked nothing hands its state on.
    if (rng() % 3 == 0)
      for (const std::string& name : names) EXPECT_EQ(kept.IndexOfName(name), fresh.IndexOfName(name)) << text;
    reads += got;
  }
  EXPECT_GT(reads, 1000);
}
