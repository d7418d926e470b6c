// What a text carries besides its words, as the checks and the
// pseudo-language see it: the accelerator ("&File"; "&&" is a plain "&"),
// printf-style placeholders ("%s", "%-5.2f", "%0:s", "%1"), and the blanks
// and line breaks around it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ambit::cli {

// The length of the placeholder at Text[i] ("%" first), 0 when none
// starts there; "%%" is a plain "%" (its length is 0 too).
std::size_t PlaceholderAt(std::string_view Text, std::size_t i);

// The placeholders of a text in a form that compares what a translation
// must keep: numbered ones ("%1", "%0:s") sorted, as their order may
// change; the others in order, by kind only ("%s", "%d"), as printf
// takes them in order and width or precision may differ.
std::vector<std::string> PlaceholderSignature(std::string_view Text);
// The placeholders joined for messages: "%s, %d"; "none" when there is none.
std::string JoinPlaceholders(const std::vector<std::string>& Signature);

// The accelerator character of a text: what follows its first single
// "&", case folded; empty when it has none.
std::string Accelerator(std::string_view Text);

// The blanks and line breaks a text begins and ends with, CR LF counted
// as one line break.
std::string LeadingBlanks(std::string_view Text);
std::string TrailingBlanks(std::string_view Text);
// A run of blanks for messages: "2 blanks and a line break".
std::string DescribeBlanks(std::string_view Blanks);

}  // namespace ambit::cli
