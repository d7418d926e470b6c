// What the exchange readers make of files translators' tools write: texts
// split into segments, characters XML cannot hold, markup, review states,
// and PO entries that are no plain translation.
#include <gtest/gtest.h>

#include "apps/ambit/exchange/Exchange.h"

using namespace ambit::exchange;

namespace {

std::string Xliff(const std::string& Units) {
  return "<?xml version=\"1.0\"?>\n<xliff xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" version=\"2.0\" "
         "srcLang=\"en\" trgLang=\"de\">\n<file id=\"MainForm\">\n" +
         Units + "</file>\n</xliff>\n";
}

TUnit Only(const TExchangeFile& File) {
  EXPECT_EQ(File.Units.size(), 1u);
  return File.Units.empty() ? TUnit{} : File.Units.front();
}

}  // namespace

TEST(XliffRead, SegmentsJoinInOrderAndGroupsAreEntered) {
  const TExchangeFile file = ReadXliff(
      Xliff("<group id=\"g\"><unit id=\"lblHelp.Caption\">\n"
            "  <segment state=\"translated\"><source>Press F1.</source><target>F1 drücken.</target></segment>\n"
            "  <ignorable><source> </source></ignorable>\n"
            "  <segment state=\"final\"><source>Or ask.</source><target>Oder fragen.</target></segment>\n"
            "</unit></group>\n"),
      "t.xlf");
  const TUnit u = Only(file);
  EXPECT_EQ(u.Section, "MainForm");
  EXPECT_EQ(u.Record, "lblHelp.Caption");
  EXPECT_EQ(u.Source, "Press F1. Or ask.");
  EXPECT_EQ(u.Target, "F1 drücken. Oder fragen.");
  EXPECT_TRUE(u.HasTarget);
  EXPECT_EQ(u.Refusal, "");
}

TEST(XliffRead, StatesEmptyTargetsAndMarkupDecideWhatIsATranslation) {
  const auto read = [](const std::string& Segment) {
    return Only(ReadXliff(Xliff("<unit id=\"btnOK.Caption\">" + Segment + "</unit>\n"), "t.xlf"));
  };
  // A target a tool copied in state "initial", an empty one, none: no
  // translation; one segment without target leaves the whole unit open.
  EXPECT_FALSE(read("<segment><source>OK</source><target>OK</target></segment>").HasTarget);
  EXPECT_EQ(read("<segment><source>OK</source><target>OK</target></segment>").Refusal, "");
  EXPECT_FALSE(read("<segment state=\"reviewed\"><source>OK</source><target/></segment>").HasTarget);
  EXPECT_FALSE(read("<segment state=\"translated\"><source>OK</source></segment>").HasTarget);
  EXPECT_FALSE(read("<segment state=\"translated\"><source>A</source><target>B</target></segment>"
                    "<segment state=\"translated\"><source>C</source></segment>")
                   .HasTarget);
  EXPECT_TRUE(read("<segment state=\"reviewed\"><source>OK</source><target>Gut</target></segment>").HasTarget);
  // A target typed in state "initial" is neither taken nor dropped unseen.
  const TUnit unmarked = read("<segment><source>OK</source><target>Gut</target></segment>");
  EXPECT_FALSE(unmarked.HasTarget);
  EXPECT_NE(unmarked.Refusal.find("state is still \"initial\""), std::string::npos) << unmarked.Refusal;

  const TUnit marked =
      read("<segment state=\"translated\"><source>OK</source><target><pc id=\"1\">Gut</pc></target></segment>");
  EXPECT_NE(marked.Refusal.find("inline markup <pc>"), std::string::npos) << marked.Refusal;
  const TUnit control = read("<segment state=\"translated\"><source>a<cp hex=\"0001\"/>b</source>"
                             "<target>c<cp hex=\"1\"/>d</target></segment>");
  EXPECT_EQ(control.Refusal, "");
  EXPECT_EQ(control.Source, std::string("a\x01" "b"));
  EXPECT_EQ(control.Target, std::string("c\x01" "d"));
  EXPECT_NE(read("<segment><source>a<cp hex=\"D800\"/></source></segment>").Refusal, "");
}

TEST(XliffRead, ControlCharactersAndCarriageReturnsSurviveAWriteAndRead) {
  TExchangeFile file;
  file.SourceCode = "en";
  file.TargetCode = "de";
  file.Language = "German";
  file.Project = "/p/Sample.amproj";
  file.Units.push_back(
      {"MainForm", "lblA.Caption", "one\r\ntwo\x01", "eins\r\nzwei\x01", true, "TLabel.Caption", "", ""});
  file.Units.push_back({"About", "btnOK.Caption", "  OK ", "", false, "", "", ""});
  const std::string text = WriteXliff(file);
  EXPECT_NE(text.find("<cp hex=\"0001\"/>"), std::string::npos) << text;
  const TExchangeFile again = ReadXliff(text, "t.xlf");
  ASSERT_EQ(again.Units.size(), 2u);
  EXPECT_EQ(again.Language, "German");
  EXPECT_EQ(again.Project, "/p/Sample.amproj");
  EXPECT_EQ(again.Units[0].Source, file.Units[0].Source);
  EXPECT_EQ(again.Units[0].Target, file.Units[0].Target);
  EXPECT_EQ(again.Units[0].Note, "TLabel.Caption");
  EXPECT_EQ(again.Units[1].Section, "About");
  EXPECT_EQ(again.Units[1].Source, "  OK ");
  EXPECT_FALSE(again.Units[1].HasTarget);
  EXPECT_EQ(WriteXliff(again), text);
  // A note (a hand-edited file's) holding such a character comes back whole.
  file.Units[1].Note = "TButton.\x01" "Caption";
  EXPECT_EQ(ReadXliff(WriteXliff(file), "t.xlf").Units[1].Note, "TButton.\x01" "Caption");

  file.Units[0].Target = "\xC3(";
  EXPECT_THROW(WriteXliff(file), EExchangeError);
}

TEST(XliffRead, FilesThatAreNoXliff2AreRefusedWithTheirLine) {
  const auto message = [](const std::string& Text) {
    try {
      ReadXliff(Text, "t.xlf");
    } catch (const EExchangeError& e) {
      return std::string(e.what());
    }
    return std::string("read");
  };
  EXPECT_EQ(message("<?xml version=\"1.0\"?>\n<xliff version=\"2.0\">\n"
                    "<file id=\"F\"><unit id=\"u\"></unit></file>\n</xliff>\n"),
            "t.xlf:3: the unit u has no <segment>");
  EXPECT_EQ(message("<xliff version=\"2.0\">\n<file>\n</file></xliff>"), "t.xlf:2: a <file> without id");
  EXPECT_NE(message("<xliff version=\"1.2\"/>").find("XLIFF version '1.2'"), std::string::npos);
  EXPECT_NE(message("<html/>").find("the root element is <html>"), std::string::npos);
}

TEST(PoRead, FuzzyPluralObsoleteAndContextlessEntries) {
  const TExchangeFile file = ReadPo(
      "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Language: de\\n\"\n"
      "\"X-Ambit-Language: German\\n\"\n\n"
      "#, fuzzy\nmsgctxt \"MainForm.miFile.Caption\"\nmsgid \"&File\"\nmsgstr \"&Datei\"\n\n"
      "msgctxt \"MainForm.lblCount.Caption\"\nmsgid \"%d file\"\nmsgid_plural \"%d files\"\n"
      "msgstr[0] \"%d Datei\"\nmsgstr[1] \"%d Dateien\"\n\n"
      "msgid \"Loose\"\nmsgstr \"Lose\"\n\n"
      "msgctxt \"MainForm.btnOK.Caption\"\nmsgid \"OK\"\nmsgstr \"\"\n\n"
      "#~ msgctxt \"MainForm.Old.Caption\"\n#~ msgid \"Old\"\n#~ msgstr \"Alt\"\n",
      "de.po");
  EXPECT_EQ(file.Language, "German");
  EXPECT_EQ(file.TargetCode, "de");
  ASSERT_EQ(file.Units.size(), 4u);
  EXPECT_FALSE(file.Units[0].HasTarget);
  EXPECT_NE(file.Units[0].Refusal.find("fuzzy"), std::string::npos);
  EXPECT_NE(file.Units[1].Refusal.find("plural"), std::string::npos);
  EXPECT_NE(file.Units[2].Refusal.find("no msgctxt"), std::string::npos);
  EXPECT_EQ(file.Units[3].Section, "MainForm");
  EXPECT_EQ(file.Units[3].Record, "btnOK.Caption");
  EXPECT_FALSE(file.Units[3].HasTarget);
  EXPECT_EQ(file.Units[3].Refusal, "");
}

TEST(PoRead, ACharsetOtherThanUtf8IsRefused) {
  try {
    ReadPo("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n", "latin.po");
    FAIL() << "read";
  } catch (const EExchangeError& e) {
    EXPECT_NE(std::string(e.what()).find("latin.po: the file is written in ISO-8859-1"), std::string::npos) << e.what();
  }
}
