#include "ScratchFolder.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace ambittest {

void ScratchFolder::SetUp() {
  static int counter = 0;
  FDir = fs::temp_directory_path() / ("ambit_tr_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  fs::remove_all(FDir);
  fs::create_directories(FDir);
}

void ScratchFolder::TearDown() { fs::remove_all(FDir); }

void ScratchFolder::CopySample(const std::vector<std::string>& Names) {
  for (const std::string& f : Names) fs::copy_file(SamplePath(f), FDir / f, fs::copy_options::overwrite_existing);
}

void ScratchFolder::CopySampleProject() {
  CopySample({"Sample.amproj", "MainForm.dfm", "ContactsForm.dfm", "AboutBox.dfm", "German.lng", "Russian.lng",
              "Arabic.lng"});
}

void ScratchFolder::WriteTestForm(const std::string& Body, const std::string& Extra) {
  Write("TestForm.dfm", "object TestForm: TForm\n  Caption = 'Test'\n  ClientWidth = 640\n  ClientHeight = 300\n" + Body +
                            "  object LanguageSource1: TAmLanguageSource\n    Languages.Strings = (\n"
                            "      'German=German.lng')\n  end\n"
                            "  object FormLocalizer1: TAmFormLocalizer\n    PropNames.Strings = (\n"
                            "      'Caption'\n      'Hint'" +
                            (Extra.empty() ? "" : "\n      '" + Extra + "'") +
                            ")\n    Source = LanguageSource1\n  end\nend\n");
}

std::string ScratchFolder::Read(const std::string& Name) const {
  std::ifstream in(File(Name), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ScratchFolder::Write(const std::string& Name, const std::string& Text) const {
  std::ofstream(File(Name), std::ios::binary) << Text;
}

bool Has(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

int Lines(const std::string& Text, const std::string& Part) {
  std::istringstream in(Text);
  int n = 0;
  for (std::string line; std::getline(in, line);) n += Has(line, Part);
  return n;
}

}  // namespace ambittest
