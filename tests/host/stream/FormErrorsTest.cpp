// Malformed form files: one EReadError naming the file, the line and the
// fault, and nothing of the half-read form left behind.
#include <gtest/gtest.h>

#include <string>

#include "StreamFixtures.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormStream.h"

using namespace host;
using namespace streamtest;

namespace {

struct TBadForm {
  const char* What;
  const char* Text;
  int Line;
  const char* Message;  // a part of the detail
};

const TBadForm kBadForms[] = {
    {"unknown class", "object F: TTestForm\n  object X: TNoSuchThing\n  end\nend\n", 2, "unknown class 'TNoSuchThing'"},
    {"unknown property", "object F: TTestForm\n  object B: TTestButton\n    Colour = 5\n  end\nend\n", 3,
     "unknown property 'Colour' of TTestButton"},
    {"unknown nested property", "object F: TTestForm\n  object B: TTestButton\n    Font.Size2 = 5\n  end\nend\n", 3,
     "unknown property 'Size2' of TFont"},
    {"string for an integer", "object F: TTestForm\n  object B: TTestButton\n    Width = 'wide'\n  end\nend\n", 3,
     "expected an integer but found a string"},
    {"integer for a string", "object F: TTestForm\n  Caption = 12\nend\n", 2, "expected a string but found number 12"},
    {"bad enumeration value", "object F: TTestForm\n  object B: TTestButton\n    Kind = tkHuge\n  end\nend\n", 3,
     "invalid value 'tkHuge'"},
    {"unknown set element", "object F: TTestForm\n  object B: TTestButton\n    Kinds = [tkBold, tkOdd]\n  end\nend\n",
     3, "unknown set element 'tkOdd'"},
    {"integer out of range", "object F: TTestForm\n  object B: TTestButton\n    Width = 99999999999\n  end\nend\n", 3,
     "out of range"},
    {"unterminated string", "object F: TTestForm\n  Caption = 'open\n  Hint = 'x'\nend\n", 2, "unterminated string"},
    {"bad character code", "object F: TTestForm\n  Caption = 'a'#\nend\n", 2, "expected a character code after '#'"},
    {"character code too large", "object F: TTestForm\n  Caption = #1114112\nend\n", 2, "character code out of range"},
    {"surrogate character code", "object F: TTestForm\n  Caption = #55357\nend\n", 2, "surrogate"},
    {"high surrogate without its low half", "object F: TTestForm\n  Caption = #55357#65\nend\n", 2, "#55357 is a surrogate"},
    {"low surrogate alone", "object F: TTestForm\n  Caption = 'x'#56832\nend\n", 2, "#56832 is a surrogate"},
    {"missing end", "object F: TTestForm\n  object B: TTestButton\n    Caption = 'x'\nend\n", 4,
     "expected 'end' of F (begun on line 1) but found end of file"},
    {"text after the root", "object F: TTestForm\nend\nobject G: TTestForm\nend\n", 3, "expected end of file"},
    {"missing equals", "object F: TTestForm\n  Caption 'x'\nend\n", 2, "expected '=' after the property name"},
    {"duplicate component name",
     "object F: TTestForm\n  object B: TTestButton\n  end\n  object b: TTestButton\n  end\nend\n", 4,
     "already exists"},
    {"invalid component name", "object F: TTestForm\n  object 9B: TTestButton\n  end\nend\n", 2, "invalid number"},
    {"dotted component name", "object F: TTestForm\n  object A.B: TTestButton\n  end\nend\n", 2,
     "not a valid component name"},
    {"unresolved reference", "object F: TTestForm\n  object B: TTestButton\n    Action = actMissing\n  end\nend\n", 3,
     "unresolved reference 'actMissing'"},
    {"reference of the wrong class",
     "object F: TTestForm\n  object P: TTestPanel\n  end\n  object B: TTestButton\n    Action = P\n  end\nend\n", 5,
     "is not a TTestAction"},
    {"list without .Strings", "object F: TTestForm\n  object L: TTestList\n    Items = (\n      'a')\n  end\nend\n", 3,
     "Items.Strings"},
    {"unterminated list", "object F: TTestForm\n  object L: TTestList\n    Items.Strings = (\n      'a'\n  end\nend\n",
     5, "expected a string or ')' in the list"},
    {"item outside a collection", "object F: TTestForm\n  item\n  end\nend\n", 2, "'item' outside a collection"},
    {"unterminated set", "object F: TTestForm\n  object B: TTestButton\n    Kinds = [tkBold\n  end\nend\n", 4,
     "expected ',' or ']' in the set"},
    {"unexpected character", "object F: TTestForm\n  Caption = 'x' ;\nend\n", 2, "unexpected character ';'"},
    {"event on a nested object", "object F: TTestForm\n  object B: TTestButton\n    OnClick = 'text'\n  end\nend\n", 3,
     "expected a handler name"},
    {"empty file", "", 1, "expected 'object' but found end of file"},
    {"read-only nested object", "object F: TTestForm\n  object B: TTestButton\n    Caption.X = 1\n  end\nend\n", 3,
     "'Caption' is not an object"},
};

class FormErrors : public ::testing::TestWithParam<TBadForm> {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

TEST_P(FormErrors, NameFileLineAndFaultAndLeaveNothing) {
  const TBadForm& bad = GetParam();
  const int live = LiveCount();
  const std::size_t events = EventHandlerTableSize();
  try {
    ReadComponentText(bad.Text, "forms/bad.dfm");
    FAIL() << bad.What << ": no error raised";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.FileName(), "forms/bad.dfm");
    EXPECT_EQ(e.Line(), bad.Line) << bad.What << ": " << e.what();
    EXPECT_NE(e.Detail().find(bad.Message), std::string::npos) << bad.What << ": " << e.what();
    const std::string prefix = "forms/bad.dfm:" + std::to_string(bad.Line) + ": ";
    EXPECT_EQ(std::string(e.what()).substr(0, prefix.size()), prefix);
  }
  EXPECT_EQ(LiveCount(), live) << bad.What << ": components of the half-read form survived";
  EXPECT_EQ(EventHandlerTableSize(), events);
}

INSTANTIATE_TEST_SUITE_P(Malformed, FormErrors, ::testing::ValuesIn(kBadForms));

class FormErrorCleanup : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

TEST_F(FormErrorCleanup, AFailingLoadedFreesTheWholeTreeAndItsEventNames) {
  const int live = LiveCount();
  const std::size_t events = EventHandlerTableSize();
  try {
    ReadComponentText(
        "object F: TTestForm\n"
        "  object B: TTestButton\n"
        "    OnClick = BClick\n"
        "  end\n"
        "  object Bad: TTestFailing\n"
        "  end\n"
        "end\n",
        "loaded.dfm");
    FAIL() << "no error raised";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Line(), 5);
    EXPECT_NE(e.Detail().find("cannot start"), std::string::npos) << e.what();
  }
  EXPECT_EQ(LiveCount(), live);
  EXPECT_EQ(EventHandlerTableSize(), events);
}

TEST_F(FormErrorCleanup, AnOwnedRootLeavesItsOwnerAsItWas) {
  TComponent app(nullptr);
  EXPECT_THROW(ReadComponentText("object F: TTestForm\n  object B: TNope\n  end\nend\n", "x.dfm", app), EReadError);
  EXPECT_EQ(app.ComponentCount(), 0);
}

TEST_F(FormErrorCleanup, ReadingIntoARootFreesOnlyWhatItMade) {
  TTestForm form(nullptr);
  auto* kept = new TTestButton(&form);
  kept->SetName("Kept");
  EXPECT_THROW(ReadComponentInto(form,
                                 "object F: TTestForm\n"
                                 "  object New1: TTestButton\n"
                                 "  end\n"
                                 "  object New2: TTestPanel\n"
                                 "    object New3: TTestButton\n"
                                 "      Width = 'x'\n"
                                 "    end\n"
                                 "  end\n"
                                 "end\n",
                                 "into.dfm"),
               EReadError);
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), kept);
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(form.IsReading());
}

TEST_F(FormErrorCleanup, AMissingFileNamesIt) {
  try {
    ReadComponentFile("/nonexistent/folder/Missing.dfm");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/folder/Missing.dfm"), std::string::npos);
  }
  // A device would be read for ever, a folder is no form.
  for (const char* special : {"/dev/zero", "/tmp"}) {
    try {
      ReadComponentFile(special);
      ADD_FAILURE() << special;
    } catch (const EFOpenError& e) {
      EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
    }
  }
}

TEST_F(FormErrorCleanup, DeepNestingIsRefusedNotOverflowed) {
  std::string deep = "object F: TTestForm\n";
  for (int i = 0; i < 5000; ++i) deep += "object P" + std::to_string(i) + ": TTestPanel\n";
  EXPECT_THROW(ReadComponentText(deep, "deep.dfm"), EReadError);
  std::string nodes = "object F: TTestForm\n object L: TTestList\n Nodes.Nodes = <\n";
  for (int i = 0; i < 5000; ++i) nodes += "item Nodes = <\n";
  try {
    ReadComponentText(nodes, "nodes.dfm");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Detail().find("nested too deeply"), std::string::npos) << e.what();
  }
}

}  // namespace
