// JSON output for scripts: a text as a JSON string. Bytes that are no
// UTF-8 are written as U+FFFD, so the output always parses.
#pragma once

#include <string>
#include <string_view>

namespace ambit::cli {

std::string JsonString(std::string_view Text);

}  // namespace ambit::cli
