// The pseudo-language: every letter accented, the text about 40 % longer,
// brackets around it, accelerators, placeholders and the blanks around
// the text kept. A clipped text loses its closing bracket, and a text
// shown without brackets never went through the suite.
#pragma once

#include <string>

namespace ambit::cli {

std::string PseudoText(const std::string& Text);
// A list record's text (comma text): each item on its own, so the list
// keeps its items.
std::string PseudoList(const std::string& CommaText);

}  // namespace ambit::cli
