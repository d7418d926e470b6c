// A small tour of the host framework: builds a component tree, looks names
// up, reads published properties and writes an INI file.
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "host/core/Component.h"
#include "host/core/IniFiles.h"

using namespace host;

int main(int argc, char** argv) {
  TComponent form(nullptr);
  form.SetName("MainForm");
  for (const char* name : {"OKButton", "CancelButton", "Colors"}) (new TComponent(&form))->SetName(name);
  std::cout << "Component tree of " << form.Name() << ":\n";
  for (TComponent* c : form.ComponentList()) std::cout << "  " << c->Name() << ": " << c->ClassName() << "\n";
  std::cout << "FindComponent(\"okbutton\") -> " << form.FindComponent("okbutton")->Name() << "\n";
  std::cout << "Published properties of " << form.ClassName() << ":";
  for (const TPropInfo* p : GetPropInfos(&form)) std::cout << " " << p->Name;
  std::cout << "\n";

  const std::string file = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "hostdemo.ini").string();
  TMemIniFile ini(file);
  ini.WriteString("MainForm", "OKButton.Caption", "\"OK\"");
  ini.WriteString("MainForm", "Colors.Items", "\"Red,Green,Blue\"");
  ini.UpdateFile();
  std::cout << "Wrote " << file << ":\n" << TMemIniFile(file).Text();
  return 0;
}
