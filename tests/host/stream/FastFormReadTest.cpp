// The shortcuts of form reading against the plain look-ups they stand for,
// on random spellings.
#include <gtest/gtest.h>

#include <random>

#include "StreamFixtures.h"
#include "host/core/CaseFold.h"
#include "host/stream/FormLexer.h"
#include "host/stream/FormParser.h"
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
    ASSERT_EQ(TFormParser::IsStructureWord(w), expected == TFormKeyword::End || expected == TFormKeyword::Object ||
                                                   expected == TFormKeyword::Item);
  }
  EXPECT_EQ(lexer.Next().Kind, TFormTokenKind::EndOfFile);
}

}  // namespace
