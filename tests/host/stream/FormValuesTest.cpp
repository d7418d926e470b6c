// Values of every kind, read from text into properties and written back.
#include <gtest/gtest.h>

#include "StreamFixtures.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormStream.h"

using namespace host;
using namespace streamtest;

namespace {

class FormValues : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }

  std::unique_ptr<TComponent> Read(const std::string& body) {
    return ReadComponentText("object F: TTestForm\n" + body + "end\n", "values.dfm");
  }
  TTestButton* Button(TComponent* root, const char* name = "B") {
    return dynamic_cast<TTestButton*>(root->FindComponent(name));
  }
};

TEST_F(FormValues, StringsJoinQuotesCodesAndPlus) {
  auto f = Read(
      "  object B: TTestButton\n"
      "    Caption = 'It''s'#32'ok'#13#10'next'\n"
      "    Hint = 'first part ' +\n"
      "      'second part'#$41\n"
      "  end\n");
  TTestButton* b = Button(f.get());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Caption(), "It's ok\r\nnext");
  EXPECT_EQ(b->Hint(), "first part second partA");
}

TEST_F(FormValues, CharacterCodesAreCodePointsWrittenAsUtf8) {
  auto f = Read(
      "  object B: TTestButton\n"
      "    Caption = #1046'ar'#228' '#128512\n"
      "    Hint = 'Grüße, Ελλάδα'\n"
      "  end\n");
  TTestButton* b = Button(f.get());
  EXPECT_EQ(b->Caption(), "\xD0\x96" "ar\xC3\xA4 \xF0\x9F\x98\x80");
  EXPECT_EQ(b->Hint(), "Grüße, Ελλάδα");
  const std::string text = WriteComponentText(*f);
  // UTF-8 is written as it is; only control characters become codes.
  EXPECT_NE(text.find("'Жarä 😀'"), std::string::npos) << text;
  EXPECT_NE(text.find("'Grüße, Ελλάδα'"), std::string::npos) << text;
}

TEST_F(FormValues, CharacterCodePairsBeyondTheBasicPlane) {
  // U+1F600 as its two UTF-16 codes, decimal and hex, next to plain text.
  auto f = Read(
      "  object B: TTestButton\n"
      "    Caption = 'a'#55357#56832'b'#$D83D#$DE00\n"
      "  end\n");
  EXPECT_EQ(Button(f.get())->Caption(), "a\xF0\x9F\x98\x80" "b\xF0\x9F\x98\x80");
}

TEST_F(FormValues, NumbersNegativeHexAndFloat) {
  auto f = Read(
      "  object B: TTestButton\n"
      "    Width = -12\n"
      "    Big = 9000000000\n"
      "    Ratio = -2.5E-3\n"
      "    Tag = $7F\n"
      "  end\n"
      "  object C: TTestButton\n"
      "    Width = $FFFFFFFF\n"
      "    Big = -$8000000000000000\n"
      "    Ratio = 3\n"
      "  end\n");
  EXPECT_EQ(Button(f.get())->Width(), -12);
  EXPECT_EQ(Button(f.get())->Big(), 9000000000LL);
  EXPECT_DOUBLE_EQ(Button(f.get())->Ratio(), -0.0025);
  EXPECT_EQ(Button(f.get())->Tag(), 127);
  // A 32-bit hex pattern is a negative integer, as system colours are stored.
  EXPECT_EQ(Button(f.get(), "C")->Width(), -1);
  EXPECT_DOUBLE_EQ(Button(f.get(), "C")->Ratio(), 3.0);
  // The sign negates the 64-bit pattern, also at its very end.
  EXPECT_EQ(Button(f.get(), "C")->Big(), INT64_MIN);
}

TEST_F(FormValues, EnumsBooleansSetsAndChars) {
  auto f = Read(
      "  object B: TTestButton\n"
      "    Default = True\n"
      "    Kind = TKFANCY\n"
      "    Kinds = [tkBold, tkFancy]\n"
      "    Accel = 'x'\n"
      "  end\n"
      "  object C: TTestButton\n"
      "    Kinds = []\n"
      "    Accel = #9\n"
      "  end\n");
  TTestButton* b = Button(f.get());
  EXPECT_TRUE(b->Default());
  EXPECT_EQ(b->Kind(), tkFancy);
  EXPECT_EQ(b->Kinds(), (TTestKinds{tkBold, tkFancy}));
  EXPECT_EQ(b->Accel(), 'x');
  EXPECT_TRUE(Button(f.get(), "C")->Kinds().Empty());
  EXPECT_EQ(Button(f.get(), "C")->Accel(), '\t');
  const std::string text = WriteComponentText(*f);
  EXPECT_NE(text.find("Kinds = [tkBold, tkFancy]"), std::string::npos) << text;
  EXPECT_NE(text.find("Accel = #9"), std::string::npos) << text;
  EXPECT_NE(text.find("Kind = tkFancy"), std::string::npos) << text;
}

TEST_F(FormValues, NestedObjectsByDottedPath) {
  auto f = Read(
      "  object B: TTestButton\n"
      "    Font.Charset = 204\n"
      "    Font.Name = 'Arial'\n"
      "    Font.Style = [fsBold]\n"
      "  end\n");
  TFont* font = Button(f.get())->Font();
  EXPECT_EQ(font->Charset(), 204);
  EXPECT_EQ(font->Name(), "Arial");
  EXPECT_TRUE(font->Style().Contains(fsBold));
  const std::string text = WriteComponentText(*f);
  EXPECT_NE(text.find("    Font.Charset = 204\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    Font.Name = 'Arial'\n"), std::string::npos) << text;
}

TEST_F(FormValues, StringListsCollectionsAndNestedTitles) {
  auto f = Read(
      "  object L: TTestList\n"
      "    Items.Strings = (\n"
      "      'Red'\n"
      "      'Gr' +\n"
      "        'een'\n"
      "      '')\n"
      "    Columns = <\n"
      "      item\n"
      "        Caption = 'Name'\n"
      "        Width = 120\n"
      "      end\n"
      "      item\n"
      "      end>\n"
      "    GridColumns = <\n"
      "      item\n"
      "        FieldName = 'ID'\n"
      "        Title.Caption = 'Number'\n"
      "      end>\n"
      "  end\n");
  auto* l = dynamic_cast<TTestList*>(f->FindComponent("L"));
  ASSERT_EQ(l->Items()->Count(), 3);
  EXPECT_EQ(l->Items()->Get(1), "Green");
  EXPECT_EQ(l->Items()->Get(2), "");
  ASSERT_EQ(l->Columns()->Count(), 2);
  EXPECT_EQ(l->Columns()->Items(0)->Caption(), "Name");
  EXPECT_EQ(l->Columns()->Items(0)->Width(), 120);
  EXPECT_EQ(l->Columns()->Items(1)->Width(), 50);
  ASSERT_EQ(l->GridColumns()->Count(), 1);
  EXPECT_EQ(l->GridColumns()->Items(0)->Title()->Caption(), "Number");
}

TEST_F(FormValues, TreeNodesNestInReadableItems) {
  auto f = Read(
      "  object L: TTestList\n"
      "    Nodes.Nodes = <\n"
      "      item\n"
      "        Text = 'Root'\n"
      "        Expanded = True\n"
      "        Nodes = <\n"
      "          item\n"
      "            Text = 'Child'\n"
      "            ImageIndex = 2\n"
      "            Nodes = <\n"
      "              item\n"
      "                Text = 'Grandchild'\n"
      "              end>\n"
      "          end>\n"
      "      end\n"
      "      item\n"
      "        Text = 'Second root'\n"
      "      end>\n"
      "  end\n");
  TTreeNodes* nodes = dynamic_cast<TTestList*>(f->FindComponent("L"))->Nodes();
  ASSERT_EQ(nodes->Count(), 4);
  EXPECT_EQ(nodes->RootCount(), 2);
  EXPECT_EQ(nodes->Item(0)->Text(), "Root");
  EXPECT_TRUE(nodes->Item(0)->Expanded());
  EXPECT_EQ(nodes->Item(1)->Text(), "Child");
  EXPECT_EQ(nodes->Item(1)->ImageIndex(), 2);
  EXPECT_EQ(nodes->Item(2)->Text(), "Grandchild");
  EXPECT_EQ(nodes->Item(2)->Level(), 2);
  EXPECT_EQ(nodes->Item(3)->Text(), "Second root");
  EXPECT_EQ(nodes->Item(3)->Level(), 0);
}

TEST_F(FormValues, EventNamesAreKeptNotRun) {
  std::vector<std::string> bound;
  TReadOptions options;
  options.OnBindEvent = [&](TComponent* c, const std::string& event, const std::string& handler) {
    bound.push_back(c->Name() + "." + event + "=" + handler);
  };
  auto f = ReadComponentText(
      "object F: TTestForm\n"
      "  object B: TTestButton\n"
      "    OnClick = BClick\n"
      "  end\n"
      "end\n",
      "events.dfm", options);
  TTestButton* b = Button(f.get());
  EXPECT_FALSE(static_cast<bool>(b->OnClick()));
  EXPECT_EQ(GetEventHandlerName(b, "onclick"), "BClick");
  EXPECT_EQ(bound, std::vector<std::string>{"B.OnClick=BClick"});
  EXPECT_NE(WriteComponentText(*f).find("    OnClick = BClick\n"), std::string::npos);
  const std::size_t before = EventHandlerTableSize();
  f.reset();
  EXPECT_EQ(EventHandlerTableSize(), before - 1);
}

TEST_F(FormValues, NilClearsAReference) {
  auto f = Read(
      "  object A: TTestAction\n"
      "  end\n"
      "  object B: TTestButton\n"
      "    Action = nil\n"
      "  end\n");
  EXPECT_EQ(Button(f.get())->Action(), nullptr);
}

}  // namespace
