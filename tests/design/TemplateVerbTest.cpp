// The form localizer's template verb: when it is offered, its two refusals,
// the whole form saved into the active language, the report, and the
// source's own file-name handler back in place afterwards.
#include <gtest/gtest.h>

#include <stdexcept>

#include "design/AmbitDsgn.h"
#include "runtime/AmbitUserSource.h"
#include "tests/design/DesignTestSupport.h"
#include "tests/design/SampleProject.h"

using namespace ambit;
using namespace host;

namespace design_test {
namespace {

// Resolves language files against a folder; a type of its own, so that a
// test can find it again in the source's event.
struct TResolver {
  std::string Dir;
  void operator()(TObject*, std::string& FileName) const {
    if (std::filesystem::path(FileName).is_relative()) FileName = Dir + FileName;
  }
};

struct TemplateVerbTest : ::testing::Test {
  TSampleProject Sample;
  TScriptedDialogs Dialogs;
  TAmFormLocalizer* Localizer = Sample.Localizer("MainForm");
  TAmFormLocalizerEditor Editor{Localizer, nullptr};
};

TEST_F(TemplateVerbTest, IsOfferedOnlyWithADesignTimeSourceOnALanguage) {
  EXPECT_EQ(Editor.GetVerbCount(), 2) << "the original language";
  Sample.Source->SetActiveLanguage(0);
  ASSERT_EQ(Editor.GetVerbCount(), 3);
  EXPECT_EQ(Editor.GetVerb(2), "&Generate Localization Template");
  auto* user = new TAmUserLanguageSource(Sample.Form("MainForm"));
  user->Languages()->SetText("German=de\n");
  user->SetActiveLanguage(0);
  Localizer->SetSource(user);
  EXPECT_EQ(Editor.GetVerbCount(), 2) << "a source without design-time storage";
  Localizer->SetSource(nullptr);
  EXPECT_EQ(Editor.GetVerbCount(), 2);
}

TEST_F(TemplateVerbTest, RefusesWithoutASourceAndOnTheOriginalLanguage) {
  Editor.ExecuteVerb(2);
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0].Msg, "Can't save a template for default language!");
  EXPECT_EQ(Dialogs.Messages()[0].DlgType, mtError);
  Localizer->SetSource(nullptr);
  Editor.ExecuteVerb(2);
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[1].Msg, "Language source for 'FormLocalizer1' must be specified!");
}

TEST_F(TemplateVerbTest, SavesEveryRecordOfTheFormIntoTheActiveLanguageAndReportsTheFile) {
  const std::string german = Sample.Dir.File("German.lng");
  std::string text = ambit_test::ReadFile(german);
  for (const char* name : {"lbColors.Hint=", "actOpen.Caption="}) {
    const std::size_t at = text.find(name);
    text.erase(at, text.find('\n', at) - at + 1);
  }
  ambit_test::WriteFile(german, text);
  Sample.Source->SetOnGetFileName(TResolver{Sample.Dir.File("")});
  Sample.Source->SetActiveLanguage(0);
  Editor.ExecuteVerb(2);
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0].Msg,
            "Localization template for 'MainForm' has been successfully generated to '" + german + "'");
  text = ambit_test::ReadFile(german);
  // The records the file lacked come back with the texts the form shows:
  // the originals, as the language had none for them.
  EXPECT_NE(text.find("\nlbColors.Hint=\"Pick the colour of the next label\""), std::string::npos);
  EXPECT_NE(text.find("\nactOpen.Caption=\"&Open...\""), std::string::npos);
  EXPECT_NE(text.find("\nlbColors.Items=\"Rot,Grün,Blau,Hellgelb\""), std::string::npos);
  EXPECT_NE(Sample.Source->OnGetFileName().target<TResolver>(), nullptr) << "the source's own handler is back";
  EXPECT_FALSE(Sample.Source->Updating());
}

TEST_F(TemplateVerbTest, AFailingSaveReachesTheCallerWithTheHandlerRestoredAndNoReport) {
  Sample.Source->SetOnGetFileName(TResolver{Sample.Dir.File("")});
  Sample.Source->SetActiveLanguage(0);
  Sample.Source->SetOnSaveString([](TObject*, const std::string&, const std::string&) {
    throw std::runtime_error("disk full");
  });
  EXPECT_THROW(Editor.ExecuteVerb(2), std::runtime_error);
  EXPECT_TRUE(Dialogs.Messages().empty());
  EXPECT_NE(Sample.Source->OnGetFileName().target<TResolver>(), nullptr);
}

}  // namespace
}  // namespace design_test
