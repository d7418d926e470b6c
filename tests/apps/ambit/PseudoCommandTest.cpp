// ambit pseudo on a copy of the sample: a new language with every text
// accented, longer and bracketed, accelerators, placeholders and list
// items kept; only the source's Languages change in the form file.
#include "ScratchFolder.h"

using namespace ambittest;

namespace {
using AmbitPseudo = ScratchFolder;
}

TEST_F(AmbitPseudo, WritesANewLanguageAndAddsItToTheSource) {
  CopySampleProject();
  const std::string form = Read("MainForm.dfm");
  const TRun run = RunAmbit("pseudo " + Q("Sample.amproj") + " --language Pseudo");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "wrote 46 records of 3 forms into Pseudo"));
  EXPECT_EQ(Read("MainForm.dfm"), [&] {
    std::string f = form;
    f.replace(f.find("'Arabic=Arabic.lng')"), 20, "'Arabic=Arabic.lng'\n      'Pseudo=Pseudo.lng')");
    return f;
  }());
  const std::string pseudo = Read("Pseudo.lng");
  EXPECT_TRUE(Has(pseudo, "LanguageName=\"Pseudo-language\""));
  // 12 characters and brackets become 17 (40 % longer).
  EXPECT_TRUE(Has(pseudo, "\r\nCaption=\"[Åɱƀîţ Šåɱþļé···]\"\r\n")) << pseudo;
  EXPECT_TRUE(Has(pseudo, "actExit.Caption=\"[É&xîţ]\""));
  EXPECT_TRUE(Has(pseudo, "lbColors.Items=\"[Ŕéđ],[Ĝŕééñ],[Ɓļûé],\"\"[Ļîĝĥţ ýéļļöŵ···]\"\"\""));
  EXPECT_TRUE(Has(pseudo, "actOpen.Hint=\"[Öþéñ å đöçûɱéñţ\"#13#10\"Çţŕļ+Ö đöéš ţĥé šåɱé"));

  // The check finds nothing a pseudo-translation broke.
  const TRun check = RunAmbit("check " + Q("Sample.amproj") + " --language Pseudo");
  EXPECT_EQ(Lines(check.Output, ": error:"), 0) << check.Output;
  EXPECT_EQ(Lines(check.Output, "\"missing\""), 0);

  // Again: the same language is written anew; another is refused.
  ASSERT_EQ(RunAmbit("pseudo " + Q("Sample.amproj") + " --language pseudo").ExitCode, 0);
  EXPECT_EQ(Read("Pseudo.lng"), pseudo);
  const std::string german = Read("German.lng");
  const TRun refused = RunAmbit("pseudo " + Q("Sample.amproj") + " --language German");
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_TRUE(Has(refused.Output, "holds texts that pseudo did not write"));
  EXPECT_EQ(Read("German.lng"), german);
}

TEST_F(AmbitPseudo, PlaceholdersAndBlanksStayAndAnEmptyListIsCreated) {
  WriteTestForm("  object btnGo: TButton\n    Caption = ' Go &&&run %s of %1 '\n    Hint = '100%% %0:d'\n  end\n");
  // The source without any language yet.
  std::string form = Read("TestForm.dfm");
  const std::string languages = "    Languages.Strings = (\n      'German=German.lng')\n";
  form.replace(form.find(languages), languages.size(), "");
  Write("TestForm.dfm", form);
  ASSERT_EQ(RunAmbit("pseudo " + Q("TestForm.dfm") + " --language Pseudo").ExitCode, 0);
  EXPECT_TRUE(Has(Read("TestForm.dfm"), "  object LanguageSource1: TAmLanguageSource\n    Languages.Strings = (\n"
                                        "      'Pseudo=Pseudo.lng')\n  end\n"));
  const std::string pseudo = Read("Pseudo.lng");
  EXPECT_TRUE(Has(pseudo, "btnGo.Caption=\" [Ĝö &&&rûñ %s öƒ %1···] \"")) << pseudo;
  EXPECT_TRUE(Has(pseudo, "btnGo.Hint=\"[100%% %0:d]\"")) << pseudo;

  // A list closed on a line of its own (a hand edit) gets the item there.
  form = Read("TestForm.dfm");
  form.replace(form.find("'Pseudo=Pseudo.lng')"), 20, "'Pseudo=Pseudo.lng'\n      )");
  Write("TestForm.dfm", form);
  ASSERT_EQ(RunAmbit("pseudo " + Q("TestForm.dfm") + " --language Accented").ExitCode, 0);
  EXPECT_TRUE(Has(Read("TestForm.dfm"), "(\n      'Pseudo=Pseudo.lng'\n      'Accented=Accented.lng')\n  end\n"))
      << Read("TestForm.dfm");
}
