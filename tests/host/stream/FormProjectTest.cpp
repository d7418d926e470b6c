// Projects: form files listed in creation order, read one after the other,
// later forms referring to components of earlier ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "StreamFixtures.h"
#include "host/stream/FormProject.h"

using namespace host;
using namespace streamtest;

namespace {

class FormProject : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    FDir = std::filesystem::temp_directory_path() /
           ("h2b_project_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir / "forms");
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }
  std::string Put(const std::string& name, const std::string& text) {
    const std::filesystem::path p = FDir / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  std::filesystem::path FDir;
};

const char* const kData =
    "object DataForm: TTestForm\n"
    "  object actSave: TTestAction\n"
    "    Caption = 'Save'\n"
    "  end\n"
    "end\n";
const char* const kMain =
    "object MainForm: TTestForm\n"
    "  object SaveButton: TTestButton\n"
    "    Action = DataForm.actSave\n"
    "  end\n"
    "end\n";

TEST_F(FormProject, FormsLoadInOrderAndReferToEarlierForms) {
  Put("forms/Data.dfm", kData);
  Put("forms/Main.dfm", kMain);
  const std::string file = Put("Demo.amproj",
                               "; forms in creation order\n"
                               "[Project]\n"
                               "Title=Demo\n"
                               "  LanguageSource = DataForm.Source1 \n"
                               "[Forms]\n"
                               "DataForm=forms/Data.dfm\n"
                               "MainForm=forms/Main.dfm\n");
  auto project = TFormProject::LoadFromFile(file);
  EXPECT_EQ(project->Title(), "Demo");
  EXPECT_EQ(project->Setting("languagesource"), "DataForm.Source1") << "settings are keys of [Project], blanks trimmed";
  EXPECT_EQ(project->Setting("Missing"), "");
  ASSERT_EQ(project->FormFiles().size(), 2u);
  EXPECT_EQ(project->FormFiles()[0].Name, "DataForm");
  EXPECT_EQ(project->FormFiles()[1].FileName, (FDir / "forms/Main.dfm").string());
  const int live = LiveCount();
  project->LoadForms();
  ASSERT_EQ(project->Forms().size(), 2u);
  EXPECT_EQ(LiveCount(), live + 4);
  TComponent* data = project->FindForm("dataform");
  auto* button = dynamic_cast<TTestButton*>(project->FindForm("MainForm")->FindComponent("SaveButton"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Action(), data->FindComponent("actSave"));
  EXPECT_EQ(FindGlobalComponent("DataForm"), data) << "the project's forms are found by name while it lives";
  project.reset();
  EXPECT_EQ(LiveCount(), live) << "the project frees the forms it read";
  EXPECT_EQ(FindGlobalComponent("DataForm"), nullptr);
}

TEST_F(FormProject, AReferenceToALaterFormIsAnError) {
  auto project = TFormProject::FromFormFiles({Put("Main.dfm", kMain), Put("Data.dfm", kData)});
  try {
    project->LoadForms();
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.FileName(), (FDir / "Main.dfm").string());
    EXPECT_EQ(e.Line(), 3);
    EXPECT_NE(e.Detail().find("unresolved reference 'DataForm.actSave'"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(project->Forms().empty());
}

TEST_F(FormProject, FormsOwnedByAnOwnerAreDroppedWhenFreedThere) {
  auto project = TFormProject::FromFormFiles({Put("Data.dfm", kData), Put("Main.dfm", kMain)});
  auto app = std::make_unique<TComponent>(nullptr);
  project->LoadForms(app.get());
  EXPECT_EQ(app->ComponentCount(), 2);
  EXPECT_EQ(project->Forms().size(), 2u);
  app.reset();
  EXPECT_TRUE(project->Forms().empty());
  EXPECT_EQ(project->FindForm("DataForm"), nullptr);
}

TEST_F(FormProject, MalformedProjectLinesAndMissingFiles) {
  const std::string bad = Put("Bad.amproj", "[Forms]\nMain.dfm\n");
  try {
    TFormProject::LoadFromFile(bad);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_NE(e.Detail().find("expected FormName=FormFile"), std::string::npos) << e.what();
  }
  EXPECT_THROW(TFormProject::LoadFromFile(Put("Empty.amproj", "[Project]\nTitle=x\n")), EReadError);
  try {
    TFormProject::LoadFromFile(Put("Main.dfm", "object Main: TForm\nend\n"));  // a form given for a project
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Detail().find("this is a form file, not a project file"), std::string::npos) << e.what();
  }
  EXPECT_THROW(TFormProject::LoadFromFile((FDir / "None.amproj").string()), EFOpenError);
  auto project = TFormProject::FromFormFiles({(FDir / "Missing.dfm").string()});
  EXPECT_THROW(project->LoadForms(), EFOpenError);
}

}  // namespace
