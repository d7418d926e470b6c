// A change to a form file made in its text, so that everything else in it
// stays as written (the writer would write the whole tree its own way).
#pragma once

#include <string>
#include <string_view>

namespace ambit::cli {

// The form text with Line appended to the string list property Property
// (Languages) of the component named Component; the list is created when
// the component has none. Raises EAmbitError when the component is not
// in the text, and the reader's error when the result would not parse.
std::string AddStringListLine(std::string_view FormText, const std::string& FileName, const std::string& Component,
                              const std::string& Property, const std::string& Line);

}  // namespace ambit::cli
