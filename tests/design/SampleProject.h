// The sample project as the designer holds it, for the design-time tests: a
// scratch copy of examples/sample read in design state, its language
// source finding the language files next to the forms.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "host/controls/StdRegister.h"
#include "host/stream/FormProject.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitRegister.h"
#include "runtime/AmbitSource.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace design_test {

class TSampleProject {
public:
  TSampleProject() {
    host::RegisterStandardControls();
    ambit::RegisterAmbitClasses();
    const std::filesystem::path from = std::filesystem::path(AMBIT_SOURCE_DIR) / "examples" / "sample";
    for (const auto& entry : std::filesystem::directory_iterator(from))
      std::filesystem::copy_file(entry.path(), Dir.File(entry.path().filename().string()));
    Project = host::TFormProject::LoadFromFile(Dir.File("Sample.amproj"));
    host::TReadOptions designing;
    designing.Designing = true;
    Project->LoadForms(nullptr, designing);
    Source = host::As<ambit::TAmLanguageSource>(Form("MainForm")->FindComponent("LanguageSource1"));
    EXPECT_NE(Source, nullptr);
    // What the designer does for a project: relative names are the
    // project folder's.
    const std::string dir = Dir.File("");
    Source->SetOnGetFileName([dir](host::TObject*, std::string& FileName) {
      if (std::filesystem::path(FileName).is_relative()) FileName = dir + FileName;
    });
  }

  host::TComponent* Form(const std::string& Name) const { return Project->FindForm(Name); }
  ambit::TAmFormLocalizer* Localizer(const std::string& FormName) const {
    return host::As<ambit::TAmFormLocalizer>(Form(FormName)->FindComponent("FormLocalizer1"));
  }
  // The component at an owner path below a form ("AddressFrame1.btnClear").
  host::TComponent* Find(const std::string& FormName, const std::string& Path) const {
    host::TComponent* c = Form(FormName);
    for (std::size_t start = 0; c && start <= Path.size();) {
      const std::size_t dot = std::min(Path.find('.', start), Path.size());
      c = c->FindComponent(Path.substr(start, dot - start));
      start = dot + 1;
    }
    return c;
  }

  ambit_test::TempDir Dir;
  std::unique_ptr<host::TFormProject> Project;
  ambit::TAmLanguageSource* Source = nullptr;
};

}  // namespace design_test
