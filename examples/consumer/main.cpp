// A form with a button, localized into German from a language file in the
// folder given: prints the caption and exits 0 when it was translated.
#include <fstream>
#include <iostream>
#include <string>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: consumer FOLDER\n";
    return 2;
  }
  const std::string file = std::string(argv[1]) + "/German.lng";
  std::ofstream(file, std::ios::binary) << "[Form1]\r\nbtnOK.Caption=\"&Gut\"\r\n";
  host::TForm form(nullptr);
  form.SetName("Form1");
  auto* button = new host::TButton(&form);
  button->SetName("btnOK");
  button->SetCaption("&OK");
  auto* source = new ambit::TAmLanguageSource(&form);
  source->Languages()->Add("German=" + file);
  auto* localizer = new ambit::TAmFormLocalizer(&form);
  localizer->SetSource(source);
  source->SetActiveLanguage(0);
  std::cout << button->Caption() << "\n";
  return button->Caption() == "&Gut" ? 0 : 1;
}
