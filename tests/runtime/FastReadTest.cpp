// The codec and the language file's section read take shortcuts (whole
// runs of plain text, one pass over a section); on random input they must
// give exactly what the plain character-by-character and key-by-key ways
// give: quotes, escapes, duplicate keys in several spellings, empty values,
// lines without "=".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "host/core/SysUtils.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUtils.h"

using namespace ambit;

namespace {

// The encoder as the codec's rules state it: a walk over the quoted text,
// character by character.
std::string PlainEncode(std::string_view S, char Q, char E) {
  std::string quoted(1, Q), out;
  for (char c : S) quoted += c == Q ? std::string(2, Q) : std::string(1, c);
  quoted += Q;
  unsigned char prev = 255;
  for (char ch : quoted) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 32) {
      if (prev < 32) out += Q;
      out += ch;
    } else {
      if (prev >= 32) out += Q;
      out += E + std::to_string(c);
    }
    prev = c;
  }
  return out;
}

// The decoder the same way; codes read as the host's StrToInt reads them.
std::string PlainDecode(std::string_view S, char Q, char E) {
  if (S.size() < 2 || S[0] != Q) return std::string(S);
  std::string out;
  std::size_t i = 1;
  for (;;) {
    bool closed = false;
    while (i < S.size() && !closed) {
      if (S[i] != Q) {
        out += S[i++];
      } else if (i + 1 < S.size() && S[i + 1] == Q) {
        out += Q;
        i += 2;
      } else {
        ++i;
        closed = true;
      }
    }
    if (!closed || i >= S.size() || S[i] != E) return out;
    const std::size_t end = S.find(Q, i + 1);
    if (end == std::string_view::npos) return out + std::string(S.substr(i + 1));
    std::string run(S.substr(i + 1, end - i - 1));
    for (std::size_t from = 0;;) {
      const std::size_t e = run.find(E, from);
      try {
        out += static_cast<char>(host::StrToInt(run.substr(from, e == std::string::npos ? e : e - from)) & 0xFF);
      } catch (const host::Exception&) {
        // not a code: nothing
      }
      if (e == std::string::npos) break;
      from = e + 1;
    }
    i = end + 1;
  }
}

std::string Random(std::mt19937& rng, const std::string& alphabet, std::size_t most) {
  std::string s;
  for (std::size_t n = rng() % (most + 1); n > 0; --n) s += alphabet[rng() % alphabet.size()];
  return s;
}

// What ReadSectionValues does, key by key: list the keys, read each by name.
void PlainSectionValues(TAmLanguageFile& File, const std::string& Section, host::TStrings* Strings) {
  host::TStringList keys;
  File.ReadSection(Section, &keys);
  Strings->BeginUpdate();
  for (int i = 0; i < keys.Count(); ++i) Strings->SetValues(keys.Get(i), File.ReadString(Section, keys.Get(i), ""));
  Strings->EndUpdate();
}

}  // namespace

TEST(FastRead, CodecAgreesWithThePlainWalk) {
  std::mt19937 rng(3);
  // Each alphabet takes its terminating NUL as one more character.
  static constexpr char kTexts[] = "ab \"#\r\n\t\x01\xC3\xA4";
  static constexpr char kStored[] = "\"\"\"#1 3a+-x\xC3";
  const std::string texts(kTexts, sizeof kTexts);
  const std::string stored(kStored, sizeof kStored);
  for (int i = 0; i < 20000; ++i) {
    const std::string text = Random(rng, texts, 12);
    const std::string encoded = GetEncodedString(text, '"', '#');
    ASSERT_EQ(encoded, PlainEncode(text, '"', '#')) << text;
    ASSERT_EQ(GetDecodedString(encoded, '"', '#'), text);
    // Hand-edited values: anything at all.
    const std::string value = (rng() % 2 ? "\"" : "") + Random(rng, stored, 14);
    ASSERT_EQ(GetDecodedString(value, '"', '#'), PlainDecode(value, '"', '#')) << value;
    // The one-piece shortcut appends what the walk gives, after what was there.
    for (const std::string& v : {encoded, value, "\"" + text + "\""}) {
      std::string out = "x";
      AppendDecodedValue(out, v, '"', '#');
      ASSERT_EQ(out, "x" + PlainDecode(v, '"', '#')) << v;
    }
  }
  // A quote below code 32 takes the literal walk.
  EXPECT_EQ(GetEncodedString("a\x01", '\x02', '#'), PlainEncode("a\x01", '\x02', '#'));
}

TEST(FastRead, SectionValuesAgreeWithReadingKeyByKey) {
  std::mt19937 rng(9);
  const std::vector<std::string> names{"Caption", "CAPTION", "caption", "b.Hint", "B.HINT", "\xC3\xA4", "\xC3\x84", ""};
  const std::vector<std::string> values{"\"\"", "\"x\"", "\"x\"\"y\"", "\"a\"#13#10\"b\"", "plain", "", "\"open",
                                        "\"\"#9\"\"", "\"q\"tail"};
  for (int round = 0; round < 500; ++round) {
    std::string text = "[Other]\r\nCaption=\"other\"\r\n[Form]\r\n";
    for (std::size_t n = rng() % 12; n > 0; --n) {
      const std::string& name = names[rng() % names.size()];
      text += rng() % 8 == 0 ? name + "\r\n" : "  " + name + " = " + values[rng() % values.size()] + "\r\n";
      if (rng() % 10 == 0) text += "; a comment\r\n\r\n";
    }
    TAmLanguageFile file("");
    file.SetText(text);
    // A fresh list (the one pass), then lists the value setter treats apart.
    host::TStringList fresh, prefilled, caseSensitive, sorted;
    for (host::TStringList* l : {&prefilled, &sorted}) l->SetText("caption=old\nzz=keep");
    caseSensitive.SetCaseSensitive(true);
    sorted.SetSorted(true);
    for (host::TStringList* list : {&fresh, &prefilled, &caseSensitive, &sorted}) {
      host::TStringList expected;
      if (list->Sorted()) expected.SetSorted(true);
      expected.SetCaseSensitive(list->CaseSensitive());
      expected.AddStrings(list);
      PlainSectionValues(file, "FORM", &expected);
      file.ReadSectionValues("FORM", list);
      ASSERT_EQ(list->Text(), expected.Text()) << text;
    }
  }
}

TEST(FastRead, FormRecordsAreWhatAFreshListGets) {
  std::mt19937 rng(17);
  // "İ" folds to the shorter "i": a respelling that changes the length.
  const std::vector<std::string> names{"Caption", "CAPTION", "b.Hint", "B.HINT", "\xC3\xA4", "\xC3\x84",
                                       "\xC4\xB0",  "i",       ""};
  const std::vector<std::string> values{"\"\"", "\"x\"", "\"x\"\"y\"", "\"a\"#13#10\"b\"", "plain", "", "\"q\"tail",
                                        "\"[x]\""};
  const std::vector<std::string> ends{"\r\n", "\n", "\r"};
  const std::string path = (std::filesystem::path(::testing::TempDir()) / "fastread_form.lng").string();
  int direct = 0;
  for (int round = 0; round < 500; ++round) {
    std::string text = rng() % 2 ? "[Before]\r\nCaption=\"b\"\r\n[Form]\r\n" : "[Form]\r\n";
    for (std::size_t n = rng() % 12; n > 0; --n) {
      const std::string& name = names[rng() % names.size()];
      const std::string& end = ends[rng() % ends.size()];
      if (rng() % 10 == 0) text += "; [After]" + end + "  " + end;
      text += rng() % 10 == 0 ? name + end : " " + name + " = " + values[rng() % values.size()] + " " + end;
    }
    if (rng() % 2) text += "[After]\r\nCaption=\"a\"\r\n";
    TAmLanguageFile parsed("");
    parsed.SetText(text);
    host::TStringList expected;
    parsed.ReadSectionValues("form", &expected);
    // The section as stored lines, and straight from the file's text.
    std::ofstream(path, std::ios::binary) << text;
    TAmLanguageFile unparsed(path);
    for (TAmLanguageFile* file : {&parsed, &unparsed}) {
      TAmFormRecords records;
      if (!file->ReadFormRecords("form", records)) {
        EXPECT_EQ(records.Count(), 0) << text;
        continue;
      }
      ++direct;
      host::TStringList got;
      for (int i = 0; i < records.Count(); ++i) {
        got.Add(std::string(records.Name(i)) + "=" + records.Value(i));
        EXPECT_EQ(records.IndexOfName(host::UpperCase(records.Name(i))), i) << text;
      }
      ASSERT_EQ(got.Text(), expected.Text()) << text;
    }
    std::string_view left;
    EXPECT_TRUE(unparsed.UnparsedSection("FORM", left));  // read without storing its lines
  }
  std::filesystem::remove(path);
  EXPECT_GT(direct, 300);  // the shortcut is taken often
}
