// The shortcuts of form reading against the plain look-ups they stand for,
// on random spellings.
#include <gtest/gtest.h>

#include <charconv>
#include <random>

#include "StreamFixtures.h"
#include "host/core/CaseFold.h"
#include "host/stream/FormLexer.h"
#include "host/stream/PropertyMemo.h"

using namespace host;
using namespace streamtest;

namespace {

std::string VaryCase(std::string s, std::mt19937& rng) {
  for (char& c : s)
    if (rng() % 2) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

TEST(FastFormRead, PropertyMemoFindsWhatTheClassIndexFinds) {
  const std::vector<const TClass*> classes = {&TTestButton::StaticClass(), &TTestForm::StaticClass(),
                                              &TTestPanel::StaticClass(), &TTestList::StaticClass()};
  std::vector<std::string> names = {"", "Nope", "Caption_", "Capt", "Font.Name"};
  for (const TClass* c : classes)
    for (const TPropInfo* p : c->Properties()) names.push_back(p->Name);
  std::mt19937 rng(17);
  TPropertyMemo memo;
  // Enough spellings that some classes pass the memo's limit.
  for (int i = 0; i < 20000; ++i) {
    const TClass& cls = *classes[rng() % classes.size()];
    std::string name = VaryCase(names[rng() % names.size()], rng);
    if (rng() % 8 == 0) name += std::to_string(rng() % 50);
    ASSERT_EQ(memo.Find(cls, name), cls.FindProperty(name)) << cls.Name() << " " << name;
  }
}

TEST(FastFormRead, KeywordsAreTheStructureWordsInAnyCase) {
  const std::vector<std::string> words = {"end",    "item",   "object", "inline", "inherited", "ends", "en",
                                          "_end",   "end_",   "item1",  "objecT", "inlined",   "inheriteD",
                                          "Caption", "inheri", "obj3ct", "e_d",   "ITEM",      "Object"};
  std::mt19937 rng(5);
  std::string text;
  std::vector<std::string> written;
  for (int i = 0; i < 2000; ++i) {
    written.push_back(VaryCase(words[rng() % words.size()], rng));
    text += written.back() + (rng() % 2 ? " " : "\r\n");
  }
  TFormLexer lexer(text, "words.dfm");
  for (const std::string& w : written) {
    const TFormToken& t = lexer.Next();
    ASSERT_EQ(t.Text, w);
    const TFormKeyword expected = SameText(w, "end")         ? TFormKeyword::End
                                  : SameText(w, "item")      ? TFormKeyword::Item
                                  : SameText(w, "object")    ? TFormKeyword::Object
                                  : SameText(w, "inline")    ? TFormKeyword::Inline
                                  : SameText(w, "inherited") ? TFormKeyword::Inherited
                                                             : TFormKeyword::None;
    ASSERT_EQ(t.Keyword, expected) << w;
  }
  EXPECT_EQ(lexer.Next().Kind, TFormTokenKind::EndOfFile);
}

// Numbers of every length (the short ones skip the checked parse) between
// blanks of every kind (spaces are skipped eight at a time): each token's
// value and line against a plain count.
TEST(FastFormRead, NumbersAndLinesAgreeWithThePlainReading) {
  std::mt19937_64 rng(11);
  const char* blanks[] = {" ", "\t", "\n", "\r\n", "\r", "         ", "                 "};
  std::string text;
  std::vector<std::pair<std::string, int>> written;
  int line = 1;
  for (int i = 0; i < 3000; ++i) {
    for (int b = static_cast<int>(rng() % 4); b-- > 0;) {
      const std::string blank = blanks[rng() % 7];
      // A CR written before an LF joins it into one line end.
      if (blank == "\n" && !text.empty() && text.back() == '\r') continue;
      line += blank == "\n" || blank == "\r\n" || blank == "\r";
      text += blank;
    }
    std::string number = rng() % 3 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(rng() % 19);
    // Nineteen digits stay below 2^63 when the first is at most 8.
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + rng() % (d == 0 && digits == 19 ? 9 : 10));
    written.push_back({number, line});
    text += number + " ";
  }
  TFormLexer lexer(text, "numbers.dfm");
  for (const auto& [number, at] : written) {
    std::int64_t expected = 0;
    ASSERT_EQ(std::from_chars(number.data(), number.data() + number.size(), expected).ec, std::errc()) << number;
    const TFormToken& t = lexer.Next();
    ASSERT_EQ(t.Kind, TFormTokenKind::Integer) << number;
    ASSERT_EQ(t.Int, expected) << number;
    ASSERT_EQ(t.Line, at) << number;
  }
  EXPECT_EQ(lexer.Next().Kind, TFormTokenKind::EndOfFile);
}

}  // namespace
