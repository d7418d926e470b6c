// One language as the add/edit language dialogs take and give it: its name
// and its value (the file name of a file source, the language field's
// value of a database source).
#pragma once

#include <string>

namespace ambit {

// Created and freed by the caller (a list row, a language entry).
class TLanguageInfo {
public:
  std::string Name;
  std::string Value;
};

}  // namespace ambit
