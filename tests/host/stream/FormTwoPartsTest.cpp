// A large form file is parsed in two parts at once. Whatever the text and
// wherever the second part begins, the tree (lines included) or the fault
// must be what one part alone gives.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ParseTreeDump.h"
#include "host/stream/FormParser.h"

using namespace host;
using namespace streamtest;

namespace {

TFormParseOptions OnePart() { return {.ParallelFrom = std::string_view::npos}; }
// The second part reads all it can, or stops after a few items as when the
// first arrives early; either way the first waits for it.
constexpr std::size_t AllItems = std::size_t{1} << 40;
TFormParseOptions SplitFrom(std::size_t At, std::size_t Items = AllItems) {
  return {.ParallelFrom = 0, .SplitFrom = At, .SecondPartItems = Items};
}

// Random forms of every construct, spelled in every way the format allows,
// with the words that open objects also where they open none.
class TFormMaker {
public:
  explicit TFormMaker(unsigned Seed) : FRng(Seed) {}

  std::string Make() {
    FOut.clear();
    FNames = 0;
    Object(0, 4 + FRng() % 3);
    return FOut;
  }
  std::mt19937& Rng() { return FRng; }

private:
  unsigned Pick(unsigned N) { return FRng() % N; }
  std::string Word(std::string w) {
    for (char& c : w)
      if (Pick(3) == 0 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return w;
  }
  void Eol() {
    const unsigned k = Pick(10);
    FOut += k == 0 ? "\r\n" : k == 1 ? "\r" : "\n";
  }
  void Indent(int Depth) { FOut += Pick(8) == 0 ? std::string(Depth, '\t') : std::string(2 * Depth, ' '); }
  // A value going on over the next line.
  void NextLine(int Depth) {
    Eol();
    Indent(Depth + 1);
  }

  void Value(int Depth) {
    switch (Pick(12)) {
      case 0: FOut += std::to_string(FRng() % 100000); break;
      case 1: FOut += "-" + std::to_string(FRng() % 1000); break;
      case 2: FOut += "$1F"; break;
      case 3: FOut += "1.25"; break;
      case 4: FOut += Word("clred"); break;
      case 5: FOut += "'it''s'"; break;
      case 6: FOut += "'one'#13#10'two caf\xC3\xA9'"; break;
      case 7:
        FOut += "'joined' +";
        NextLine(Depth);
        FOut += "' over lines'";
        break;
      case 8:
        // A set over lines, one of its elements a word that opens objects.
        FOut += "[a,";
        NextLine(Depth);
        FOut += Word("inline") + " ]";
        break;
      case 9:
        FOut += "(";
        NextLine(Depth);
        FOut += "'object Fake: TFake'";
        NextLine(Depth);
        FOut += "'x')";
        break;
      case 10:
        if (Depth < 8) {
          FOut += "<";
          for (unsigned i = Pick(3); i-- > 0;) {
            NextLine(Depth);
            FOut += Word("item");
            Eol();
            Properties(Depth + 2, Pick(3));
            Indent(Depth + 1);
            FOut += Word("end");
          }
          FOut += ">";
          break;
        }
        [[fallthrough]];
      default: FOut += "'plain text " + std::to_string(FRng() % 1000) + "'";
    }
  }

  void Properties(int Depth, unsigned Count) {
    for (unsigned i = 0; i < Count; ++i) {
      Indent(Depth);
      FOut += Pick(6) == 0 ? "Font.Style" : "Prop" + std::to_string(Pick(50));
      FOut += " = ";
      Value(Depth);
      Eol();
    }
  }

  void Object(int Depth, int Levels) {
    static const char* const kinds[] = {"object", "object", "object", "inherited", "inline"};
    Indent(Depth);
    FOut += Word(kinds[Pick(5)]) + " ";
    if (Pick(8) != 0) FOut += "N" + std::to_string(FNames++) + (Pick(2) ? ": " : " : ");
    FOut += "TThing";
    Eol();
    Properties(Depth + 1, Pick(5));
    if (Levels > 0)
      for (unsigned i = Pick(6); i-- > 0;) Object(Depth + 1, Levels - 1 - static_cast<int>(Pick(2)));
    // Properties after the children join those before them.
    if (Pick(5) == 0) Properties(Depth + 1, 1 + Pick(2));
    Indent(Depth);
    FOut += Word("end");
    Eol();
  }

  std::mt19937 FRng;
  std::string FOut;
  int FNames = 0;
};

// Every text once as it is and once spoilt, split at random places, the
// second part reading to its end or stopping after a few items as when the
// first arrives early: the same tree or the same fault as one part gives.
TEST(FormTwoParts, ReadsWhatOnePartReadsWhereverTheSecondBeginsOrEnds) {
  TFormMaker maker(5);
  int spliced = 0, stopped = 0, faults = 0;
  for (int round = 0; round < 160; ++round) {
    std::string text = maker.Make();
    std::mt19937& rng = maker.Rng();
    if (round % 2 == 1) {
      const std::size_t at = rng() % text.size();
      switch (rng() % 4) {
        case 0: text.resize(at); break;  // cut short
        case 1: text.insert(at, 1, "'=<>#@\x01"[rng() % 7]); break;
        case 2: text.insert(at, "\nend\n"); break;
        default: text.erase(at, text.find('\n', at) - at + 1);  // a line lost
      }
    }
    const std::string expected = ParseOutcome(text, OnePart());
    faults += expected.starts_with("fault");
    for (int split = 0; split < 12; ++split) {
      std::size_t apart = 0;
      const std::size_t from = rng() % (text.size() + 1);
      const std::size_t items = split % 2 == 0 ? AllItems : rng() % 6;
      ASSERT_EQ(ParseOutcome(text, SplitFrom(from, items), &apart), expected)
          << "split from " << from << " after " << items << " items of:\n" << text;
      spliced += apart > 0;
      stopped += apart > 0 && items != AllItems;
    }
  }
  // All were met often: splits taken (a third), some of them cut short,
  // and faults.
  EXPECT_GT(spliced, 500);
  EXPECT_GT(stopped, 150);
  EXPECT_GT(faults, 40);
}

// Nesting beyond the bound is refused where one part refuses it, also when
// the second part holds the deepest objects or collections.
TEST(FormTwoParts, RefusesTooDeepNestingWhereOnePartDoes) {
  for (int extra : {-1, 0, 1}) {
    for (bool collections : {false, true}) {
      std::string text;
      const int objects = collections ? MaxFormNesting / 2 : MaxFormNesting + extra;
      for (int d = 0; d < objects; ++d) text += std::string(d, ' ') + "object N" + std::to_string(d) + ": TThing\n";
      if (collections) {
        text += std::string(objects, ' ') + "Items = ";
        const int levels = MaxFormNesting - objects + extra;
        for (int l = 0; l < levels; ++l) text += "<item\nSub = ";
        text += "1\n";
        for (int l = 0; l < levels; ++l) text += "end>\n";
      }
      for (int d = objects; d-- > 0;) text += std::string(d, ' ') + "end\n";
      const std::string expected = ParseOutcome(text, OnePart());
      EXPECT_EQ(expected.starts_with("fault"), extra == 1) << expected.substr(0, 80);
      for (std::size_t from = 0; from < text.size(); from += text.size() / 50)
        ASSERT_EQ(ParseOutcome(text, SplitFrom(from)), expected) << "split from " << from;
    }
  }
}

// A large form of the usual shape: the second thread reads part of it.
// How much depends on how soon it gets a processor (the first part does not
// wait for the rest of it), so a few reads may pass before it does.
TEST(FormTwoParts, ALargeFormIsReadInTwoParts) {
  std::string text = "object Big: TForm\n";
  for (int p = 0; p < 400; ++p) {
    text += "  object P" + std::to_string(p) + ": TPanel\n    Caption = 'Group'\n";
    for (int c = 0; c < 20; ++c)
      text += "    object C" + std::to_string(p) + "_" + std::to_string(c) +
              ": TButton\n      Left = 8\n      Hint = 'a'#13#10'b'\n    end\n";
    text += "  end\n";
  }
  text += "end\n";
  ASSERT_GE(text.size(), TFormParseOptions{}.ParallelFrom);
  const std::string expected = ParseOutcome(text, OnePart());
  std::size_t apart = 0;
  for (int read = 0; read < 50 && apart == 0; ++read) ASSERT_EQ(ParseOutcome(text, {}, &apart), expected);
  EXPECT_GT(apart, 0u);
  EXPECT_LT(apart, 8400u / 2);
}

}  // namespace
