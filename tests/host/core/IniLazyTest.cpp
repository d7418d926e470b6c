// A file read from disk finds its section headers first and parses each
// section's lines when something first reads it. On random texts (headers
// with blanks or text around them, "[" inside values and comments, every
// line end, byte order marks, repeated sections) it must read as the
// rules read it line by line, whatever is read first.
#include <gtest/gtest.h>

#include <random>

#include "host/core/IniFiles.h"
#include "tests/host/core/IniTestUtil.h"

using namespace host;

namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
std::string Trim(std::string s) {
  while (!s.empty() && Blank(s.back())) s.pop_back();
  std::size_t i = 0;
  while (i < s.size() && Blank(s[i])) ++i;
  return s.substr(i);
}

// What Text() gives for Text, worked out line by line from the rules: the
// lines before the first header as they stand, then each section as
// "[name]", its comments and "key=value" lines, and an empty line.
std::string Expected(std::string text) {
  while (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::string preamble, out;
  bool inSection = false;
  for (std::size_t p = 0; p < text.size();) {
    const std::size_t start = p;
    while (p < text.size() && text[p] != '\r' && text[p] != '\n') ++p;
    const std::string raw = text.substr(start, p - start);
    if (p < text.size() && text[p] == '\r') ++p;
    if (p < text.size() && text[p] == '\n') ++p;
    const std::string line = Trim(raw);
    const bool header = line.size() >= 2 && line.front() == '[' && line.back() == ']';
    if (!inSection && !header) {
      preamble = text.substr(0, p);
      continue;
    }
    if (header) {
      if (!inSection) preamble = text.substr(0, start);
      out += (inSection ? "\r\n[" : "[") + Trim(line.substr(1, line.size() - 2)) + "]\r\n";
      inSection = true;
    } else if (line.empty()) {
    } else if (line[0] == ';') {
      out += raw + "\r\n";
    } else if (const std::size_t eq = line.find('='); eq == std::string::npos) {
      out += line + "\r\n";
    } else {
      out += Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1)) + "\r\n";
    }
  }
  if (!preamble.empty() && preamble.back() != '\n' && preamble.back() != '\r') preamble += "\r\n";
  return preamble + out + (inSection ? "\r\n" : "");
}

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{
      "[Sec]", " [sec] ", "\t[ Other ]\t", "[Sec] x", "x [Sec]", "[open", "[]", "[[Both]]", "[a]b]",
      "key=value", " Key = [v] ", "k=a[b]c", "[k]=v", "k=[Sec]", "; [Sec] comment", "  ;c", "no equals",
      "=lone", "", "  ", std::string("\0[Nul]\0", 7), "K2=\"quoted [x]\"", "k3 ="};
  static const std::vector<std::string> ends{"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
  std::string text;
  for (int b = static_cast<int>(rng() % 4); b == 1 || b == 2; --b) text += "\xEF\xBB\xBF";
  for (std::size_t n = rng() % 14; n > 0; --n) text += pieces[rng() % pieces.size()] + ends[rng() % ends.size()];
  if (rng() % 3 == 0) text += pieces[rng() % pieces.size()];  // no end after the last line
  return text;
}

}  // namespace

TEST(IniLazy, AFileReadsAsItsLinesSayWhateverIsReadFirst) {
  hosttest::TempFolder folder;
  const std::string file = folder / "lazy.ini";
  std::mt19937 rng(41);
  const std::vector<std::string> sections{"Sec", "sec", "Other", "[Both]", "", "Nul", "a]b", "Missing"};
  const std::vector<std::string> keys{"key", "KEY", "k", "[k]", "K2", "k3", "no equals", ""};
  int unparsedRead = 0;
  for (int round = 0; round < 1500; ++round) {
    const std::string text = RandomText(rng);
    const std::string expected = Expected(text);
    hosttest::WriteFile(file, text);
    TMemIniFile eager("");
    eager.SetText(text);
    ASSERT_EQ(eager.Text(), expected) << round;
    TMemIniFile lazy(file);
    TStringList names, eagerNames;
    lazy.ReadSections(&names);
    eager.ReadSections(&eagerNames);
    ASSERT_EQ(names.Text(), eagerNames.Text()) << round;
    // Reads, writes and one-pass reads of sections in random order.
    for (int step = 0; step < 6; ++step) {
      const std::string& section = sections[rng() % sections.size()];
      const std::string& key = keys[rng() % keys.size()];
      ASSERT_EQ(lazy.SectionExists(section), eager.SectionExists(section)) << round;
      switch (rng() % 5) {
        case 0:
          ASSERT_EQ(lazy.ReadString(section, key, "?"), eager.ReadString(section, key, "?")) << round;
          break;
        case 1: {
          std::string_view unparsed;
          if (!lazy.UnparsedSection(section, unparsed)) break;
          ++unparsedRead;
          // The one pass gives the stored lines, comments left out.
          TStringList read;
          TIniLines lines(unparsed);
          for (TIniLines::TKind kind; (kind = lines.Next()) != TIniLines::End;)
            if (kind == TIniLines::Plain) read.Add(std::string(lines.Line));
            else if (kind == TIniLines::Pair) read.Add(std::string(lines.Key) + "=" + std::string(lines.Value));
          ASSERT_EQ(read.Text(), eager.SectionLines(section)->Text()) << round;
          break;
        }
        case 2: {
          const TStringList* got = lazy.SectionLines(section);
          const TStringList* want = eager.SectionLines(section);
          ASSERT_EQ(got != nullptr, want != nullptr) << round;
          if (got) ASSERT_EQ(got->Text(), want->Text()) << round;
          std::string_view unparsed;
          ASSERT_FALSE(lazy.UnparsedSection(section, unparsed)) << round;  // parsed now
          break;
        }
        case 3:
          lazy.WriteString(section, key, "w" + std::to_string(step));
          eager.WriteString(section, key, "w" + std::to_string(step));
          break;
        case 4:
          lazy.EraseSection(section);
          eager.EraseSection(section);
          break;
      }
    }
    ASSERT_EQ(lazy.Text(), eager.Text()) << round;
  }
  EXPECT_GT(unparsedRead, 300);
}
