// The writer: defaults skipped, deterministic output, strings in form-file
// notation, and a complete round trip of a form with every kind of value.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "StreamFixtures.h"
#include "TreeDump.h"
#include "host/core/TreeNodes.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormStream.h"
#include "host/stream/FormWriter.h"

using namespace host;
using namespace streamtest;

namespace {

class FormWriter : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

const char* const kRich =
    "object Main: TTestForm\n"
    "  Caption = 'Main window'\n"
    "  Hint = 'Line one'#13#10'Line two'\n"
    "  object OKButton: TTestButton\n"
    "    Caption = 'OK'\n"
    "    Hint = 'Close the window'#13#10'Second line'\n"
    "    Action = actClose\n"
    "    Default = True\n"
    "    Kind = tkBold\n"
    "    Kinds = [tkPlain, tkFancy]\n"
    "    Width = -3\n"
    "    Big = -9000000000\n"
    "    Ratio = 0.1\n"
    "    Accel = #7\n"
    "    Font.Charset = 204\n"
    "    Font.Color = -2147483633\n"
    "    Font.Name = 'Courier New'\n"
    "    Font.Style = [fsBold, fsUnderline]\n"
    "    OnClick = OKButtonClick\n"
    "  end\n"
    "  object Panel1: TTestPanel\n"
    "    Caption = 'Ünïcödé ☃ \xF0\x9F\x98\x80'\n"
    "    object Colors: TTestList\n"
    "      Items.Strings = (\n"
    "        'Red'\n"
    "        'It''s green'\n"
    "        '')\n"
    "      Columns = <\n"
    "        item\n"
    "          Alignment = taCenter\n"
    "          Caption = 'Name'\n"
    "          Width = 120\n"
    "        end\n"
    "        item\n"
    "        end>\n"
    "      GridColumns = <\n"
    "        item\n"
    "          FieldName = 'Code'\n"
    "          Title.Caption = 'Code of the thing'\n"
    "          Visible = False\n"
    "        end>\n"
    "      Nodes.Nodes = <\n"
    "        item\n"
    "          Text = 'Root'\n"
    "          Expanded = True\n"
    "          Nodes = <\n"
    "            item\n"
    "              Text = 'Child'\n"
    "              StateIndex = 1\n"
    "            end>\n"
    "        end>\n"
    "    end\n"
    "  end\n"
    "  inline Frame1: TFrameClass\n"
    "    Caption = 'Frame'\n"
    "    object FrameButton: TTestButton\n"
    "      Action = Main.actClose\n"
    "      Target = Panel2\n"
    "    end\n"
    "    object Panel2: TTestPanel\n"
    "    end\n"
    "  end\n"
    "  object actClose: TTestAction\n"
    "    Caption = 'Close'\n"
    "    OnExecute = actCloseExecute\n"
    "  end\n"
    "end\n";

TReadOptions Options() {
  TReadOptions o;
  o.RootClass = "TTestForm";
  o.FrameClass = "TTestFrame";
  return o;
}

TEST_F(FormWriter, RichFormRoundTripsToTheSameTreeAndValues) {
  auto first = ReadComponentText(kRich, "rich.dfm", Options());
  const std::string written = WriteComponentText(*first);
  auto second = ReadComponentText(written, "written.dfm", Options());
  EXPECT_EQ(DumpTree(*first), DumpTree(*second));
  EXPECT_EQ(WriteComponentText(*second), written) << "writing is deterministic";
  // Every line of the source is stored and differs from its default, so
  // the writer reproduces the file exactly.
  EXPECT_EQ(written, kRich);
}

TEST_F(FormWriter, DefaultsAndUnstoredPropertiesAreSkipped) {
  TTestForm form(nullptr);
  form.SetName("F");
  auto* b = new TTestButton(&form);
  b->SetName("B");
  b->SetParent(&form);
  EXPECT_EQ(WriteComponentText(form),
            "object F: TTestForm\n"
            "  object B: TTestButton\n"
            "  end\n"
            "end\n");
  b->SetWidth(76);
  b->Font()->SetName("Tahoma");  // the font's stored predicate hides its default name
  b->Font()->SetHeight(-12);
  EXPECT_EQ(WriteComponentText(form),
            "object F: TTestForm\n"
            "  object B: TTestButton\n"
            "    Width = 76\n"
            "    Font.Height = -12\n"
            "  end\n"
            "end\n");
}

TEST_F(FormWriter, UnnamedComponentsAndUnnamedReferences) {
  TTestForm form(nullptr);
  form.SetName("F");
  auto* b = new TTestButton(&form);
  b->SetParent(&form);
  auto* unnamed = new TTestAction(&form);
  b->SetAction(unnamed);  // cannot be written by name: left out
  const std::string text = WriteComponentText(form);
  EXPECT_EQ(text,
            "object F: TTestForm\n"
            "  object TTestButton\n"
            "  end\n"
            "  object TTestAction\n"
            "  end\n"
            "end\n");
  auto again = ReadComponentText(text, "unnamed.dfm");
  EXPECT_EQ(again->ComponentCount(), 2);
  EXPECT_EQ(again->Components(0)->Name(), "");
}

TEST_F(FormWriter, StringNotation) {
  EXPECT_EQ(FormQuotedString(""), "''");
  EXPECT_EQ(FormQuotedString("It's"), "'It''s'");
  EXPECT_EQ(FormQuotedString("a\r\nb"), "'a'#13#10'b'");
  EXPECT_EQ(FormQuotedString("\t"), "#9");
  EXPECT_EQ(FormQuotedString("x\x7F"), "'x'#127");
  EXPECT_EQ(FormQuotedString("Äß"), "'Äß'");
}

TEST_F(FormWriter, LongStringsSplitBetweenCodePointsAndReadBack) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "Ж" + std::to_string(i) + " ";
  text += "\r\nsecond line\r\nthird";
  const std::vector<std::string> pieces = FormStringPieces(text, 64);
  ASSERT_GT(pieces.size(), 2u);
  for (const std::string& p : pieces) EXPECT_LE(p.size(), 64u * 2 + 8) << p;

  TTestForm form(nullptr);
  form.SetName("F");
  form.SetCaption(text);
  const std::string written = WriteComponentText(form);
  EXPECT_NE(written.find(" +\n    '"), std::string::npos) << written;
  EXPECT_NE(written.find("#10 +\n"), std::string::npos) << "a line break ends a piece: " << written;
  auto again = ReadComponentText(written, "long.dfm");
  EXPECT_EQ(dynamic_cast<TTestForm*>(again.get())->Caption(), text);
}

TEST_F(FormWriter, WriteComponentFileIsReadByReadComponentFile) {
  auto first = ReadComponentText(kRich, "rich.dfm", Options());
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "h2b_stream_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "Rich.dfm").string();
  WriteComponentFile(*first, path);
  auto second = ReadComponentFile(path, Options());
  EXPECT_EQ(DumpTree(*first), DumpTree(*second));
  std::filesystem::remove_all(dir);
}

TEST_F(FormWriter, ComponentsHandedOutTwiceAreWrittenOnce) {
  TTestForm form(nullptr);
  form.SetName("F");
  auto* panel = new TTestPanel(&form);
  panel->SetName("P");
  panel->SetParent(&form);
  auto* b = new TTestButton(&form);
  b->SetName("B");
  b->SetParent(panel);
  // TTestForm hands out its parentless components and its controls; the
  // panel's button comes through the panel only.
  const std::string text = WriteComponentText(form);
  EXPECT_EQ(text.find("object B"), text.rfind("object B"));
  EXPECT_NE(text.find("    object B: TTestButton"), std::string::npos) << text;
}

TEST_F(FormWriter, NegativeZeroKeepsItsSign) {
  TTestForm form(nullptr);
  form.SetName("F");
  auto* b = new TTestButton(&form);
  b->SetName("B");
  b->SetRatio(-0.0);
  const std::string text = WriteComponentText(form);
  EXPECT_NE(text.find("Ratio = -0.0"), std::string::npos) << text;
  auto back = ReadComponentText(text, "zero.dfm");
  auto* read = dynamic_cast<TTestButton*>(back->FindComponent("B"));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(std::signbit(read->Ratio()));
}

TEST_F(FormWriter, NamesTheFormatWouldMisreadAreRefusedNotWritten) {
  for (const char* word : {"Item", "End", "object", "Nil"}) {
    TTestForm form(nullptr);
    form.SetName("F");
    auto* target = new TTestButton(&form);
    target->SetName(word);
    auto* b = new TTestButton(&form);
    b->SetName("B");
    b->SetTarget(target);
    EXPECT_THROW(WriteComponentText(form), EWriteError) << word;
    // Through a dotted path the same name is no keyword.
    b->SetTarget(nullptr);
    EXPECT_NO_THROW(WriteComponentText(form)) << word;
  }
  TTestForm form(nullptr);
  form.SetName("F");
  auto* b = new TTestButton(&form);
  b->SetName("B");
  for (const char* handler : {"End", "Form1.Click", "two words"}) {
    SetEventHandlerName(b, "OnClick", handler);
    EXPECT_THROW(WriteComponentText(form), EWriteError) << handler;
  }
  SetEventHandlerName(b, "OnClick", "BClick");
  EXPECT_NE(WriteComponentText(form).find("OnClick = BClick"), std::string::npos);
}

TEST_F(FormWriter, ManySiblingNodesWriteAndReadBackInOrder) {
  // Walking siblings must not lose its place when nodes come and go.
  TTestForm form(nullptr);
  form.SetName("F");
  TTreeNodes nodes;
  TTreeNode* first = nodes.Add(nullptr, "first");
  for (int i = 0; i < 50; ++i) nodes.Add(nullptr, "n" + std::to_string(i));
  nodes.Delete(first);
  nodes.AddFirst(nodes.GetFirstNode(), "new first");
  nodes.Insert(nodes.Item(10), "inserted");
  std::vector<std::string> walked;
  for (TTreeNode* n = nodes.GetFirstNode(); n; n = n->GetNextSibling()) walked.push_back(n->Text());
  ASSERT_EQ(walked.size(), 52u);
  EXPECT_EQ(walked[0], "new first");
  EXPECT_EQ(walked[1], "n0");
  EXPECT_EQ(walked[10], "inserted");
  EXPECT_EQ(walked[11], "n9");
  for (int i = 0; i < nodes.RootCount(); ++i) EXPECT_EQ(nodes.Item(i)->Index(), i);
}

}  // namespace
