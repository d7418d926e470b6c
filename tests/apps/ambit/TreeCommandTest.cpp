// ambit tree and the program's command line: output for the sample
// project, errors with exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "RunAmbit.h"

using namespace ambittest;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(AmbitTree, PrintsEveryFormOfTheProjectWithItsTexts) {
  const TRun run = RunAmbit("tree '" + SamplePath("Sample.amproj") + "'");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::string& out = run.Output;
  EXPECT_TRUE(Has(out, "MainForm: TMainForm\n")) << out;
  EXPECT_TRUE(Has(out, "ContactsForm: TContactsForm\n")) << out;
  EXPECT_TRUE(Has(out, "AboutBox: TAboutBox\n")) << out;
  // Forms in the order of the project.
  EXPECT_LT(out.find("MainForm: TMainForm"), out.find("ContactsForm: TContactsForm"));
  EXPECT_LT(out.find("ContactsForm: TContactsForm"), out.find("AboutBox: TAboutBox"));
  // Nesting by parent, owners where they are not the form.
  EXPECT_TRUE(Has(out, "\n      miExit: TMenuItem\n")) << out;
  EXPECT_TRUE(Has(out, "\n        btnClear: TButton (owner AddressFrame1)\n")) << out;
  EXPECT_TRUE(Has(out, "\n      memNotes: TMemo\n")) << out;
  // Texts: captions and hints with line breaks as codes, list items, nodes, columns.
  EXPECT_TRUE(Has(out, "Hint = 'Open a document'#13#10'Ctrl+O does the same'")) << out;
  EXPECT_TRUE(Has(out, "    Items:\n      'Red'\n      'Green'\n")) << out;
  EXPECT_TRUE(Has(out, "        'Your first document'\n          'Saving the document'\n")) << out;
  EXPECT_TRUE(Has(out, "Columns[2].Caption = 'Last opened'")) << out;
  EXPECT_TRUE(Has(out, "'Copyright © the authors of the sample.'")) << out;
  // The help button of the contacts form shows the action of the main form.
  EXPECT_TRUE(Has(out, "  btnHelp: TButton\n    Hint = 'Show the version of the sample'  (from actAbout)\n")) << out;
}

TEST(AmbitTree, LooseFormFilesLoadInTheOrderGiven) {
  const TRun ok = RunAmbit("tree '" + SamplePath("MainForm.dfm") + "' '" + SamplePath("ContactsForm.dfm") + "'");
  EXPECT_EQ(ok.ExitCode, 0) << ok.Output;
  EXPECT_TRUE(Has(ok.Output, "# " + SamplePath("ContactsForm.dfm"))) << ok.Output;

  // The contacts form refers to the main form, which is not loaded yet.
  const TRun bad = RunAmbit("tree '" + SamplePath("ContactsForm.dfm") + "'");
  EXPECT_EQ(bad.ExitCode, 1);
  EXPECT_TRUE(Has(bad.Output, SamplePath("ContactsForm.dfm") + ":")) << bad.Output;
  EXPECT_TRUE(Has(bad.Output, "unresolved reference 'MainForm.actAbout'")) << bad.Output;
}

TEST(AmbitTree, MissingAndMalformedFilesFailWithTheirMessage) {
  const TRun missing = RunAmbit("tree /nonexistent/Form1.dfm");
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_TRUE(Has(missing.Output, "/nonexistent/Form1.dfm")) << missing.Output;

  const std::filesystem::path bad = std::filesystem::temp_directory_path() / "ambit_cli_bad.dfm";
  std::ofstream(bad) << "object F: TForm\n  Caption = 'open\nend\n";
  const TRun malformed = RunAmbit("tree '" + bad.string() + "'");
  std::filesystem::remove(bad);
  EXPECT_EQ(malformed.ExitCode, 1);
  EXPECT_TRUE(Has(malformed.Output, bad.string() + ":2: unterminated string")) << malformed.Output;
  EXPECT_FALSE(Has(malformed.Output, "F: TForm")) << "nothing is printed for a failed load";
}

TEST(AmbitProgram, HelpAndUsageErrors) {
  const TRun help = RunAmbit("--help");
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_TRUE(Has(help.Output, "Usage: ambit COMMAND")) << help.Output;
  EXPECT_TRUE(Has(help.Output, "  tree ")) << help.Output;

  const TRun treeHelp = RunAmbit("tree --help");
  EXPECT_EQ(treeHelp.ExitCode, 0);
  EXPECT_TRUE(Has(treeHelp.Output, "Usage: ambit tree FORMFILE...")) << treeHelp.Output;
  EXPECT_EQ(RunAmbit("help tree").Output, treeHelp.Output);

  EXPECT_EQ(RunAmbit("").ExitCode, 2);
  EXPECT_EQ(RunAmbit("tree").ExitCode, 2);
  EXPECT_EQ(RunAmbit("tree --frobnicate x.dfm").ExitCode, 2);
  const TRun unknown = RunAmbit("frobnicate");
  EXPECT_EQ(unknown.ExitCode, 2);
  EXPECT_TRUE(Has(unknown.Output, "unknown command 'frobnicate'")) << unknown.Output;
}

}  // namespace
