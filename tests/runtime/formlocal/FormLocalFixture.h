// Shared pieces of the form localizer tests: forms read from form text with
// the standard controls registered, a language file source over a scratch
// folder, and small accessors.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/controls/Forms.h"
#include "host/core/Component.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "tests/runtime/RuntimeTestSupport.h"

namespace formlocal_test {

// Registers the controls the test forms use and the suite's components.
void RegisterTestClasses();

// Reads a form from form text; the caller owns it.
std::unique_ptr<host::TComponent> ReadForm(const std::string& Text);

// The component at a dotted owner path below Root ("Frame1.btnOK").
host::TComponent* Find(host::TComponent* Root, const std::string& Path);
// A string property of the component at Path.
std::string Str(host::TComponent* Root, const std::string& Path, const std::string& Prop);

// The lines of a string list, for comparisons.
std::vector<std::string> Lines(const host::TStrings* Strings);

struct FormLocalTest : ::testing::Test {
  ambit_test::TempDir dir;

  // Registered before any member of a derived fixture reads a form.
  FormLocalTest() { RegisterTestClasses(); }

  // A language file source, not owned by any form, with one language per
  // (name, file content) pair; each file is written to the scratch folder
  // as "<name>.lng" (nothing is written for an empty content). The source
  // is activated at -1, so that every later change is a full one.
  std::unique_ptr<ambit::TAmLanguageSource> MakeSource(
      const std::vector<std::pair<std::string, std::string>>& Languages);
  std::string FileOf(const std::string& Language) const { return dir.File(Language + ".lng"); }
  std::string Content(const std::string& Language) const { return ambit_test::ReadFile(FileOf(Language)); }
};

}  // namespace formlocal_test
