// ambit export and import with XLIFF 2.0 and PO on copies of the sample:
// an untouched export changes no byte when imported, a changed translation
// arrives in the language file and in the SQLite table, and units that
// cannot be placed are reported and change nothing.
#include "ScratchFolder.h"

using namespace ambittest;

namespace {

using AmbitExchange = ScratchFolder;

std::string Replace(std::string Text, const std::string& From, const std::string& To) {
  const std::size_t at = Text.find(From);
  EXPECT_NE(at, std::string::npos) << From;
  if (at != std::string::npos) Text.replace(at, From.size(), To);
  return Text;
}

}  // namespace

TEST_F(AmbitExchange, AnUntouchedExportImportsWithoutChangingAByte) {
  CopySampleProject();
  // A text with a line break, quotes and leading blanks travels as well.
  Write("German.lng", Replace(Read("German.lng"), "miHelp.Caption=\"&Hilfe\"",
                              "miHelp.Caption=\"  &Hilfe \"\"jetzt\"\"\"#13#10\"<b>&amp;</b>\""));
  const std::string before = Read("German.lng") + Read("Russian.lng") + Read("Arabic.lng") + Read("MainForm.dfm");
  for (const char* format : {"xliff", "po"}) {
    SCOPED_TRACE(format);
    const std::string out = std::string("de.") + format;
    const TRun exported = RunAmbit(std::string("export --format ") + format + " --language German " +
                                   Q("Sample.amproj") + " --out " + Q(out));
    ASSERT_EQ(exported.ExitCode, 0) << exported.Output;
    EXPECT_TRUE(Has(exported.Output, "46 units of 3 forms in German, 46 translated"));
    const std::string file = Read(out);
    const TRun imported = RunAmbit("import " + Q(out));
    ASSERT_EQ(imported.ExitCode, 0) << imported.Output;
    EXPECT_TRUE(Has(imported.Output, "0 written, 46 unchanged, 0 without translation, 0 not taken"));
    EXPECT_EQ(Read("German.lng") + Read("Russian.lng") + Read("Arabic.lng") + Read("MainForm.dfm"), before);
    // And exporting again gives the same file.
    ASSERT_EQ(RunAmbit(std::string("export --format ") + format + " --language German " + Q("Sample.amproj") +
                       " --out " + Q(out))
                  .ExitCode,
              0);
    EXPECT_EQ(Read(out), file);
  }
  EXPECT_TRUE(Has(Read("de.xliff"), "<target xml:space=\"preserve\">  &amp;Hilfe \"jetzt\"&#13;\n&lt;b&gt;&amp;amp;&lt;/b&gt;</target>"))
      << Read("de.xliff");
  EXPECT_TRUE(Has(Read("de.po"), "msgctxt \"MainForm.miHelp.Caption\"\nmsgid \"&Help\"\nmsgstr \"\"\n\"  &Hilfe \\\"jetzt\\\"\\r\\n\""))
      << Read("de.po");
}

TEST_F(AmbitExchange, ChangedTranslationsArriveAndStaleUnitsAreRefused) {
  CopySampleProject();
  ASSERT_EQ(RunAmbit("export --format xliff --language German " + Q("Sample.amproj") + " --out " + Q("de.xlf")).ExitCode, 0);
  std::string xliff = Read("de.xlf");
  xliff = Replace(xliff, "<target xml:space=\"preserve\">&amp;Farben:</target>", "<target>&amp;Farbtöne:</target>");
  // The designed text changed since the export (as if the form had).
  xliff = Replace(xliff, "<source xml:space=\"preserve\">Topics of the help</source>", "<source>Topics</source>");
  xliff = Replace(xliff, "<file id=\"AboutBox\">", "<file id=\"GoneForm\">");
  Write("de.xlf", xliff);
  const std::string before = Read("German.lng");
  const TRun run = RunAmbit("import " + Q("de.xlf"));
  EXPECT_EQ(run.ExitCode, 1) << run.Output;
  EXPECT_TRUE(Has(run.Output, "MainForm.tvTopics.Hint was translated from a text the form no longer has")) << run.Output;
  EXPECT_EQ(Lines(run.Output, "names the form GoneForm, which the project does not have"), 9);
  EXPECT_TRUE(Has(run.Output, "1 written, 35 unchanged, 0 without translation, 10 not taken"));
  // Only the one line changed, in place.
  EXPECT_EQ(Read("German.lng"), Replace(before, "lblColors.Caption=\"&Farben:\"", "lblColors.Caption=\"&Farbtöne:\""));
}

TEST_F(AmbitExchange, PoIntoTheDatabaseAndNewTranslationsOfMissingRecords) {
  CopySampleProject();
  CopySample({"SampleDB.amproj", "LanguageData.dfm", "Sample.sqlite"});
  ASSERT_EQ(RunAmbit("export --format po --language German " + Q("SampleDB.amproj") + " --out " + Q("de.po")).ExitCode, 0);
  std::string po = Read("de.po");
  po = Replace(po, "msgstr \"&Datei\"", "msgstr \"&Ablage\"");
  // A fuzzy translation waits for review.
  po = Replace(po, "msgctxt \"MainForm.miHelp.Caption\"", "#, fuzzy\nmsgctxt \"MainForm.miHelp.Caption\"");
  po = Replace(po, "msgstr \"&Hilfe\"", "msgstr \"&Hilfe!\"");
  Write("de.po", po);
  const TRun run = RunAmbit("import " + Q("de.po"));
  EXPECT_EQ(run.ExitCode, 1) << run.Output;
  EXPECT_TRUE(Has(run.Output, "MainForm.miHelp.Caption is marked fuzzy")) << run.Output;
  EXPECT_TRUE(Has(run.Output, ": 1 written, "));
  const TRun shown = RunAmbit("show " + Q("SampleDB.amproj") + " --language German");
  EXPECT_TRUE(Has(shown.Output, "miFile.Caption=\"&Ablage\"")) << shown.Output;
  EXPECT_TRUE(Has(shown.Output, "miHelp.Caption=\"&Hilfe\""));

  // A record the language lacks goes out untranslated and comes back
  // translated.
  Write("German.lng", Replace(Read("German.lng"), "btnOK.Caption=\"OK\"\r\n\r\n[LanguageData]", "\r\n[LanguageData]"));
  ASSERT_EQ(RunAmbit("export --format po --language German " + Q("Sample.amproj") + " --out " + Q("de2.po")).ExitCode, 0);
  po = Read("de2.po");
  EXPECT_TRUE(Has(po, "msgctxt \"AboutBox.btnOK.Caption\"\nmsgid \"OK\"\nmsgstr \"\"\n")) << po;
  Write("de2.po", Replace(po, "msgctxt \"AboutBox.btnOK.Caption\"\nmsgid \"OK\"\nmsgstr \"\"",
                          "msgctxt \"AboutBox.btnOK.Caption\"\nmsgid \"OK\"\nmsgstr \"Gut\""));
  ASSERT_EQ(RunAmbit("import " + Q("de2.po")).ExitCode, 0);
  EXPECT_TRUE(Has(Read("German.lng"), "[AboutBox]\r\nCaption="));
  EXPECT_TRUE(Has(Read("German.lng"), "btnOK.Caption=\"Gut\"\r\n\r\n[LanguageData]"));
}

TEST_F(AmbitExchange, BadFilesAndUsage) {
  CopySampleProject();
  Write("bad.xlf", "<xliff version=\"2.0\"><file id=\"MainForm\"><unit id=\"Caption\">\n<segment>\n");
  TRun run = RunAmbit("import " + Q("bad.xlf") + " " + Q("Sample.amproj"));
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(Has(run.Output, "bad.xlf:2: not well-formed XML")) << run.Output;
  Write("old.xlf", "<xliff version=\"1.2\"><file original=\"x\"/></xliff>");
  EXPECT_TRUE(Has(RunAmbit("import " + Q("old.xlf")).Output, "this reads XLIFF 2.0"));
  Write("bad.po", "msgid \"x\nmsgstr \"\"\n");
  run = RunAmbit("import " + Q("bad.po") + " " + Q("Sample.amproj"));
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(Has(run.Output, "bad.po:2: end-of-line within string")) << run.Output;
  EXPECT_EQ(RunAmbit("export --format csv --language German " + Q("Sample.amproj") + " --out x").ExitCode, 2);
  EXPECT_EQ(RunAmbit("export --format po " + Q("Sample.amproj") + " --out x").ExitCode, 2);
}
