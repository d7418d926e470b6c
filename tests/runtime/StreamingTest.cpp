// Sources stored in and read from form files: what is written, and that a
// read source activates its language once the form is complete, with the
// store as the only truth for the settings.
#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "host/core/ClassRegistry.h"
#include "host/stream/FormStream.h"
#include "runtime/AmbitRegister.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace ambit_test;

namespace {

// A plain root for form files, without any control behind it.
class TStreamRoot : public host::TComponent {
  HOST_CLASS(TStreamRoot)
public:
  using host::TComponent::TComponent;
  // Hands out what it owns, as a form does for its non-visual components.
  void GetChildren(const TGetChildProc& Proc, host::TComponent* Root) const override {
    for (host::TComponent* c : ComponentList()) Proc(c);
  }
};

}  // namespace

const host::TClass& TStreamRoot::StaticClass() {
  static const host::TClass cls = host::TClassBuilder<TStreamRoot>("TStreamRoot", &host::TComponent::StaticClass()).Build();
  return cls;
}
const host::TClass& TStreamRoot::ClassType() const { return StaticClass(); }

namespace {

struct FormFiles : ::testing::Test {
  TempDir dir;
  void SetUp() override {
    RegisterAmbitClasses();
    host::RegisterClass<TStreamRoot>();
    WriteFile(dir.File("he.lng"),
              "[General Settings]\r\nLanguageName=\"Hebrew\"\r\nBiDiMode=\"1\"\r\nFontCharSet=\"HEBREW_CHARSET\"\r\n");
  }
  std::string Form(const std::string& body) {
    return "object Form1: TStreamRoot\n  object Source1: TAmLanguageSource\n" + body + "  end\nend\n";
  }
};

using SourceInFormFile = FormFiles;

}  // namespace

TEST_F(SourceInFormFile, ActivatesTheStoredLanguageAfterReadingAndIgnoresStoredSettings) {
  const std::string text = Form(
      "    ActiveLanguage = 1\n"
      "    ActiveSettings.LanguageName = 'Stale'\n"
      "    ActiveSettings.BiDiMode = bdLeftToRight\n"
      "    ActiveSettings.FontCharSet = 0\n"
      "    Languages.Strings = (\n"
      "      'English=en.lng'\n"
      "      'Hebrew=" + dir.File("he.lng") + "')\n"
      "    SortSections = True\n");
  auto root = host::ReadComponentText(text, "Form1.dfm");
  auto* src = host::As<TAmLanguageSource>(root->FindComponent("Source1"));
  ASSERT_NE(src, nullptr);
  EXPECT_FALSE(src->IsLoading());
  EXPECT_EQ(src->ActiveLanguage(), 1);
  EXPECT_TRUE(src->SortSections());
  ASSERT_NE(src->LanguageFile(), nullptr);
  EXPECT_EQ(src->ActiveSettings()->LanguageName(), "Hebrew");
  EXPECT_EQ(src->ActiveSettings()->BiDiMode(), host::bdRightToLeft);
  EXPECT_EQ(src->ActiveSettings()->FontCharSet(), host::HEBREW_CHARSET);
  EXPECT_EQ(ReadFile(dir.File("he.lng")),
            "[General Settings]\r\nLanguageName=\"Hebrew\"\r\nBiDiMode=\"1\"\r\nFontCharSet=\"HEBREW_CHARSET\"\r\n");
}

TEST_F(SourceInFormFile, WritesWhatTheStoreReportsAndNeverTheVersion) {
  TStreamRoot root(nullptr);
  root.SetName("Form1");
  auto* src = new TAmLanguageSource(&root);
  src->SetName("Source1");
  src->Languages()->SetText("Hebrew=" + dir.File("he.lng"));
  src->SetActiveLanguage(0);
  const std::string text = host::WriteComponentText(root);
  EXPECT_NE(text.find("ActiveLanguage = 0"), std::string::npos) << text;
  EXPECT_NE(text.find("ActiveSettings.LanguageName = 'Hebrew'"), std::string::npos) << text;
  EXPECT_NE(text.find("ActiveSettings.FontCharSet = 177"), std::string::npos) << text;
  EXPECT_NE(text.find("Languages.Strings"), std::string::npos) << text;
  EXPECT_EQ(text.find("_Version"), std::string::npos) << text;
  EXPECT_EQ(text.find("SortSections"), std::string::npos) << text;
  // And it reads back to the same state.
  auto copy = host::ReadComponentText(text, "Form1.dfm");
  auto* back = host::As<TAmLanguageSource>(copy->FindComponent("Source1"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ActiveLanguage(), 0);
  EXPECT_EQ(back->ActiveSettings()->BiDiMode(), host::bdRightToLeft);
}

TEST_F(SourceInFormFile, AnEventSourceKeepsItsLanguagesButNoActiveLanguage) {
  TStreamRoot root(nullptr);
  root.SetName("Form1");
  auto* src = new TAmUserLanguageSource(&root);
  src->SetName("Source1");
  src->Languages()->SetText("A=a\nB=b");
  src->SetActiveLanguage(1);
  const std::string text = host::WriteComponentText(root);
  EXPECT_EQ(text.find("ActiveLanguage"), std::string::npos) << text;
  auto copy = host::ReadComponentText(text, "Form1.dfm");
  auto* back = host::As<TAmUserLanguageSource>(copy->FindComponent("Source1"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Languages()->Count(), 2);
  EXPECT_EQ(back->ActiveLanguage(), -1);
}
