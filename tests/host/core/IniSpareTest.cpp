// A file read into the storage of one read before must read exactly as a
// fresh read of the same file, whatever either file holds.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "host/core/IniFiles.h"
#include "tests/host/core/IniTestUtil.h"

using namespace host;

namespace {

// Sections that mostly repeat the last file's names and keys in order, with
// values changed, and now and then a repeated key in another case, an empty
// value, a line without "=", a comment, a renamed or missing section.
std::string RandomIni(std::mt19937& rng) {
  auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
  std::string text;
  for (int s = 0; s < 3; ++s) {
    if (chance(10)) continue;
    text += chance(10) ? "[Other" + std::to_string(s) + "]\r\n" : "[Sec" + std::to_string(s) + "]\r\n";
    const int keys = static_cast<int>(rng() % 30);
    for (int k = 0; k < keys; ++k) {
      const int key = chance(8) ? static_cast<int>(rng() % 30) : k;
      std::string name = (chance(10) ? "KEY" : "key") + std::to_string(key);
      if (chance(4)) text += "; comment\r\n";
      if (chance(3)) text += "no equals " + std::to_string(k) + "\r\n";
      text += name + " = " + (chance(10) ? "" : "value " + std::string(rng() % 40, 'v')) + "\r\n";
    }
  }
  return text;
}

TEST(IniSpare, ReadingIntoASparesStorageAgreesWithAFreshRead) {
  hosttest::TempFolder folder;
  std::mt19937 rng(17);
  const std::string file = folder / "lang.ini";
  std::unique_ptr<TMemIniFile> spare;
  for (int round = 0; round < 300; ++round) {
    std::ofstream(file, std::ios::binary) << RandomIni(rng);
    auto reused = std::make_unique<TMemIniFile>(file, std::move(spare));
    TMemIniFile fresh(file);
    ASSERT_EQ(reused->Text(), fresh.Text()) << round;
    for (const std::string section : {"Sec0", "Sec1", "Other1", "Sec2"}) {
      for (int k = 0; k < 30; ++k) {
        const std::string key = (k % 2 ? "Key" : "key") + std::to_string(k);
        ASSERT_EQ(reused->ReadString(section, key, "?"), fresh.ReadString(section, key, "?")) << round << key;
      }
      reused->WriteString(section, "KEY3", "w");  // finds the same line
      fresh.WriteString(section, "KEY3", "w");
    }
    ASSERT_EQ(reused->Text(), fresh.Text()) << round;
    spare = std::move(reused);
  }
}

}  // namespace
