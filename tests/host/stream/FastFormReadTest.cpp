// The shortcuts of form reading against the plain look-ups they stand for,
// on random spellings.
#include <gtest/gtest.h>

#include <charconv>
#include <random>

#include "StreamFixtures.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/core/CaseFold.h"
#include "host/core/ClassRegistry.h"
#include "host/stream/FormLexer.h"
#include "host/stream/FormParser.h"
#include "host/stream/FormStream.h"
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
    const TPropInfo* plain = name.find('.') == std::string::npos ? cls.FindProperty(name) : nullptr;
    ASSERT_EQ(memo.FindPlain(cls, name), plain) << cls.Name() << " " << name;
  }
}

// Components of a class mostly list their properties in one order: the
// memo of the class tries the next spelling first. Spellings that differ
// from the expected one in a single byte, anywhere, must still find only
// what the class index finds.
TEST(FastFormRead, PropertyMemoInOrderFindsWhatTheClassIndexFinds) {
  // The controls' own classes: their names run past eight bytes.
  const std::vector<const TClass*> classes = {&TButton::StaticClass(), &TPanel::StaticClass()};
  std::vector<std::string> names = {"", "Top", "Left", "Width", "Height", "Caption", "Font.Name", std::string(20, 'a')};
  for (const TPropInfo* p : classes[0]->Properties())
    if (p->Name.size() > 8 && names.size() < 16) names.push_back(p->Name);
  ASSERT_GT(names.size(), 12u);
  std::mt19937 rng(23);
  for (int round = 0; round < 300; ++round) {
    TPropertyMemo memo;
    for (int component = 0; component < 40; ++component) {
      const TClass& cls = *classes[rng() % classes.size()];
      TPropertyMemo::TClassMemo& classMemo = memo.ForClass(cls);
      // The list in order, with now and then a spelling skipped, changed
      // in one byte, or in its case.
      for (std::string name : names) {
        if (rng() % 8 == 0) continue;
        if (rng() % 8 == 0 && !name.empty()) name[rng() % name.size()] ^= static_cast<char>(1 + rng() % 4);
        if (rng() % 8 == 0) name = VaryCase(name, rng);
        const TPropInfo* plain = name.find('.') == std::string::npos ? cls.FindProperty(name) : nullptr;
        ASSERT_EQ(memo.FindPlain(classMemo, cls, name), plain) << cls.Name() << " " << name;
      }
    }
  }
}

// Classes registered and removed between look-ups must be seen at once.
TEST(FastFormRead, ClassNameMemoFindsWhatTheRegistryFinds) {
  const std::vector<const TClass*> classes = {&TTestButton::StaticClass(), &TTestPanel::StaticClass(),
                                              &TTestList::StaticClass(), &TTestAction::StaticClass()};
  std::vector<std::string> names = {"", "TNope", "TTestButto", "TTestButton1"};
  for (const TClass* c : classes) names.push_back(c->Name());
  std::mt19937 rng(41);
  TClassNameMemo memo;
  for (int i = 0; i < 5000; ++i) {
    if (rng() % 50 == 0) {
      const TClass& c = *classes[rng() % classes.size()];
      if (rng() % 2) UnRegisterClass(c);
      else RegisterClass(c, [](TComponent*) -> TComponent* { return nullptr; });
    }
    const std::string name = VaryCase(names[rng() % names.size()], rng);
    ASSERT_EQ(memo.Find(name), FindRegisteredClass(name)) << name;
  }
  RegisterTestClasses();
}

// A value for a property of the component itself takes a short way; the
// same value for a property of a nested object takes the long one. Both
// must set the same value or fail with the same words.
TEST(FastFormRead, PlainValuesEndAsThroughANestedObject) {
  RegisterTestClasses();
  const std::vector<std::string> numbers = {"0",  "-1",        "2147483647", "2147483648", "-2147483648",
                                            "-2147483649",     "$7FFFFFFF",  "$80000000",  "$FFFFFFFF",
                                            "$100000000",      "12.5",       "'12'",       "Wide"};
  const std::vector<std::string> texts = {"''", "'a'", "'it''s'", "'x'#13#10'y'", "#233", "'caf\xC3\xA9'", "12", "nil"};
  // The property's value, or the reader's words after the place.
  auto read = [](const std::string& path, const std::string& value, const auto& get) {
    const std::string text = "object F: TTestForm\n  object B: TTestButton\n    " + path + " = " + value + "\n  end\nend\n";
    try {
      auto form = ReadComponentText(text, "plain.dfm");
      return "= " + get(*static_cast<TTestButton*>(form->FindComponent("B")));
    } catch (const EReadError& e) {
      const std::string place = "B." + path;
      const std::size_t at = e.Detail().find(place);
      return at == std::string::npos ? "? " + e.Detail() : e.Detail().substr(at + place.size());
    }
  };
  for (const std::string& n : numbers)
    EXPECT_EQ(read("Width", n, [](TTestButton& b) { return std::to_string(b.Width()); }),
              read("Font.Height", n, [](TTestButton& b) { return std::to_string(b.Font()->Height()); }))
        << n;
  // A font keeps its name when given none.
  for (const std::string& t : texts)
    EXPECT_EQ(read("Caption", t, [](TTestButton& b) { return b.Caption().empty() ? b.Font()->Name() : b.Caption(); }),
              read("Font.Name", t, [](TTestButton& b) { return b.Font()->Name(); }))
        << t;
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

// Strings are views into the text when written as one plain piece and
// decoded copies otherwise: random values spelled every way (doubled
// quotes, #codes, pieces joined with '+', empty) read back the same, also
// after the tokens that follow them.
std::string Spell(const std::string& Value, std::mt19937& rng) {
  if (Value.empty()) return "''";
  std::string out;
  std::size_t i = 0;
  while (i < Value.size()) {
    std::size_t n = 1 + rng() % (Value.size() - i);
    if (Value[i + n - 1] == '\xC3') ++n;  // never between the bytes of a character
    const std::string piece = Value.substr(i, n);
    i += n;
    const bool codes = rng() % 3 == 0;
    // Two quoted pieces side by side would read as a doubled quote.
    if (!out.empty() && ((!codes && out.back() == '\'') || rng() % 3 == 0)) out += " +\r\n    ";
    if (codes) {
      // Every byte of the piece as a code: the values below are ASCII and
      // two-byte UTF-8 (\xC3\xA9).
      for (std::size_t k = 0; k < piece.size(); ++k) {
        const auto b = static_cast<unsigned char>(piece[k]);
        if (b == 0xC3) out += "#" + std::to_string(0xC0 + (static_cast<unsigned char>(piece[++k]) & 0x3F));
        else out += "#" + std::to_string(b);
      }
    } else {
      out += "'";
      for (char c : piece) out += c == '\'' ? std::string("''") : std::string(1, c);
      out += "'";
    }
  }
  return out;
}

TEST(FastFormRead, StringsReadTheSameHoweverTheyAreSpelled) {
  // Runs of every length up to past 32 bytes, which are copied in 16-byte moves.
  const std::vector<std::string> pieces = {"a", "B c", "'", "#", "+", "caf\xC3\xA9", "''", " ", "end", "x#1",
                                           "A run of text of 20 b", "Runs of 16 bytes"};
  std::mt19937 rng(23);
  std::vector<std::string> values;
  std::string text = "object A: TA\r\n";
  auto value = [&] {
    std::string v;
    for (int n = static_cast<int>(rng() % 5); n-- > 0;) v += pieces[rng() % pieces.size()];
    values.push_back(v);
    return Spell(v, rng);
  };
  for (int i = 0; i < 300; ++i) text += "  S" + std::to_string(i) + " = " + value() + "\r\n";
  text += "  L = (\r\n";
  for (int i = 0; i < 100; ++i) text += "    " + value() + "\r\n";
  text += "  )\r\nend\r\n";
  TFormParser parser(text, "strings.dfm");
  const TFormTree tree = parser.ParseRoot();
  ASSERT_EQ(tree->Props.size(), 301u);
  for (std::size_t i = 0; i < 300; ++i) {
    ASSERT_EQ(tree->Props[i].Value.Kind, TFormValueKind::String);
    ASSERT_EQ(tree->Props[i].Value.Text, values[i]) << i;
  }
  const auto& list = tree->Props[300].Value.Items;
  ASSERT_EQ(list.size(), 100u);
  for (std::size_t i = 0; i < 100; ++i) ASSERT_EQ(list[i], values[300 + i]) << i;
}

// The tree's properties, children and items are sealed from shared
// stacks: random nestings with properties before, between and after
// children, and collections inside, read back in the order written.
struct TModel {
  std::string Name;
  std::vector<int> Props;  // P<i> = n, or a collection C<i> of -n items
  std::vector<TModel> Children;
};

void Write(const TModel& m, std::string& text, std::mt19937& rng) {
  text += "object " + m.Name + ": TX\n";
  std::size_t child = 0;
  for (std::size_t i = 0; i < m.Props.size(); ++i) {
    while (child < m.Children.size() && rng() % 2) Write(m.Children[child++], text, rng);
    const int n = m.Props[i];
    if (n >= 0) {
      text += "P" + std::to_string(i) + " = " + std::to_string(n) + "\n";
      continue;
    }
    text += "C" + std::to_string(i) + " = <";
    for (int k = 0; k < -n; ++k) text += " item V = " + std::to_string(k) + " W = [a, b] end";
    text += ">\n";
  }
  while (child < m.Children.size()) Write(m.Children[child++], text, rng);
  text += "end\n";
}

void Compare(const TModel& m, const TFormObject& o) {
  ASSERT_EQ(o.Name, m.Name);
  ASSERT_EQ(o.Props.size(), m.Props.size()) << m.Name;
  for (std::size_t i = 0; i < m.Props.size(); ++i) {
    const int n = m.Props[i];
    ASSERT_EQ(o.Props[i].Path, (n >= 0 ? "P" : "C") + std::to_string(i)) << m.Name;
    if (n >= 0) {
      ASSERT_EQ(o.Props[i].Value.Int, n) << m.Name;
      continue;
    }
    const auto& items = o.Props[i].Value.Collection;
    ASSERT_EQ(items.size(), static_cast<std::size_t>(-n)) << m.Name;
    for (int k = 0; k < -n; ++k) {
      ASSERT_EQ(items[k].Props.size(), 2u);
      ASSERT_EQ(items[k].Props[0].Value.Int, k);
      ASSERT_EQ(items[k].Props[1].Value.Items.size(), 2u);
      ASSERT_EQ(items[k].Props[1].Value.Items[1], "b");
    }
  }
  ASSERT_EQ(o.Children.size(), m.Children.size()) << m.Name;
  for (std::size_t i = 0; i < m.Children.size(); ++i) Compare(m.Children[i], *o.Children[i]);
}

TEST(FastFormRead, TreeHoldsWhatWasWrittenInItsOrder) {
  std::mt19937 rng(31);
  int names = 0;
  auto make = [&](auto& self, int depth) -> TModel {
    TModel m{"N" + std::to_string(names++), {}, {}};
    for (int i = static_cast<int>(rng() % 5); i-- > 0;) m.Props.push_back(static_cast<int>(rng() % 7) - 3);
    for (int i = depth < 5 ? static_cast<int>(rng() % 4) : 0; i-- > 0;) m.Children.push_back(self(self, depth + 1));
    return m;
  };
  for (int round = 0; round < 20; ++round) {
    const TModel root = make(make, 0);
    std::string text;
    Write(root, text, rng);
    TFormParser parser(text, "tree.dfm");
    Compare(root, parser.ParseRoot().Root());
  }
}

// A number right after " = " is read into the property without a token;
// on the next line it takes the token's way. Random values of every kind,
// and numbers that run on into something else, must read the same both
// ways, or fail with the same words.
TEST(FastFormRead, NumbersReadInPlaceAgreeWithTheTokenWay) {
  std::mt19937 rng(17);
  const char* tails[] = {"", " ", "\t", "x", "_1", ".5", "e3", ",", "'s'", "  // c"};
  const char* others[] = {"$1F", "-7", "'s'", "Ident", "[a]", "('x')", "1.25", "#65", "+", ""};
  // The value as the tree holds it, or the error without its line.
  auto read = [](const std::string& value, bool nextLine) {
    const std::string text = std::string("object A: TX\n  P =") + (nextLine ? "\n" : "") + value + "\nend\n";
    try {
      TFormParser parser(text, "n.dfm");
      const TFormTree tree = parser.ParseRoot();
      if (tree.Root().Props.size() != 1) return std::string("properties: ") + std::to_string(tree.Root().Props.size());
      const TFormValue& v = tree.Root().Props[0].Value;
      return std::to_string(static_cast<int>(v.Kind)) + "|" + std::to_string(v.Int) + "|" + std::to_string(v.Hex) + "|" +
             std::string(v.Kind == TFormValueKind::Float || v.Kind == TFormValueKind::Integer ||
                                 v.Kind == TFormValueKind::String || v.Kind == TFormValueKind::Identifier
                             ? v.Text
                             : "") +
             "|line " + std::to_string(v.Line - nextLine);
    } catch (const EReadError& e) {
      return std::string("error: ") + e.Detail();
    }
  };
  for (int i = 0; i < 3000; ++i) {
    std::string value(rng() % 3, rng() % 2 ? ' ' : '\t');
    if (rng() % 4 == 0) {
      value += others[rng() % std::size(others)];
    } else {
      for (int d = 1 + static_cast<int>(rng() % 22); d-- > 0;) value += static_cast<char>('0' + rng() % 10);
      value += tails[rng() % std::size(tails)];
    }
    ASSERT_EQ(read(value, false), read(value, true)) << "'" << value << "'";
  }
}

// The lexer's inline reading against the plain readers alone, token by
// token, on random texts of every token kind and their mutations: each
// token's fields, or the error each raises, must be the same.
TEST(FastFormRead, InlineTokensAgreeWithThePlainReaders) {
  const std::vector<std::string> tokens = {
      "end", "ITEM", "Object", "inLine", "inherited", "Caption", "_x1", "Font.Style", "A.b.C", "A.", "A.1", "a..b",
      "0", "7", "-12", "123456789012345678", "1234567890123456789", "99999999999999999999", "$7F", "-$FF", "$",
      "1.5", "2.5E-3", "1e5", "1.", "12ab", "3.x", "'plain'", "''", "'it''s'", "'a'#13#10'b'", "#233", "#$E9",
      "#55357#56832", "#55357", "#$110000", "#1114112", "#", "'caf\xC3\xA9'", "'open", "'x'+", "=", ":", "[", "]",
      "(", ")", ",", "<", ">", "+", "-", "!", "\x01", "\xC3\xA9", "\xEF\xBB\xBF"};
  const std::vector<std::string> blanks = {" ", "", "\t", "\n", "\r\n", "\r", "\n          ", "\r\n    \t  ", "  "};
  std::mt19937 rng(61);
  // The members a token's kind sets.
  auto token = [](const TFormToken& t) {
    std::string out = std::to_string(static_cast<int>(t.Kind)) + "/" + std::to_string(static_cast<int>(t.Keyword)) +
                      "/" + std::to_string(t.Line) + "/" + std::string(t.Text);
    if (t.Kind == TFormTokenKind::String) out += "/" + std::string(t.Value);
    if (t.Kind == TFormTokenKind::Integer) out += "/" + std::to_string(t.Int) + "/" + std::to_string(t.Hex);
    if (t.Kind == TFormTokenKind::Float) out += "/" + std::to_string(t.Float);
    return out;
  };
  // Each step's token, or its error message, until the end or an error.
  auto read = [&](const std::string& text, bool plain) {
    TFormLexer lexer(text, "tokens.dfm");
    std::vector<std::string> out;
    try {
      do out.push_back(token(plain ? lexer.NextPlain() : lexer.Next()));
      while (lexer.Current().Kind != TFormTokenKind::EndOfFile);
    } catch (const EReadError& e) {
      out.push_back(e.what());
    }
    return out;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int n = static_cast<int>(rng() % 12); n-- > 0;)
      text += blanks[rng() % blanks.size()] + tokens[rng() % tokens.size()];
    if (rng() % 2) text += blanks[rng() % blanks.size()];
    // A mutation: a byte dropped, doubled or changed.
    if (!text.empty() && rng() % 3 == 0) {
      const std::size_t at = rng() % text.size();
      const int how = static_cast<int>(rng() % 3);
      if (how == 0) text.erase(at, 1);
      else if (how == 1) text.insert(at, 1, text[at]);
      else text[at] = "'#$.e9 \r\n_"[rng() % 10];
    }
    ASSERT_EQ(read(text, false), read(text, true)) << text;
  }
}

}  // namespace
