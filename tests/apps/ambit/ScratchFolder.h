// A fresh folder per test for the translator commands' tests, removed at
// the end: copies of the sample project and small forms made for one
// finding each.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RunAmbit.h"

namespace ambittest {

class ScratchFolder : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Copies files of examples/sample into the folder.
  void CopySample(const std::vector<std::string>& Names);
  void CopySampleProject();  // Sample.amproj with its forms and language files
  // A form TestForm (ClientWidth 640) holding Body, a language file source
  // with the language German (German.lng) and a form localizer bound to it
  // with PropNames Extra beside Caption and Hint.
  void WriteTestForm(const std::string& Body, const std::string& Extra = {});

  std::filesystem::path File(const std::string& Name) const { return FDir / Name; }
  std::string Q(const std::string& Name) const { return "'" + File(Name).string() + "'"; }
  std::string Read(const std::string& Name) const;
  void Write(const std::string& Name, const std::string& Text) const;

  std::filesystem::path FDir;
};

bool Has(const std::string& Text, const std::string& Part);
// The number of lines of Text that hold Part.
int Lines(const std::string& Text, const std::string& Part);

}  // namespace ambittest
