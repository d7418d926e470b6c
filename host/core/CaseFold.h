// The one case-insensitive comparison of the framework. Names of components,
// properties, INI sections and keys, string-list names: all compare through
// these functions, so that "Ä" and "ä", "Σ" and "σ", "Ж" and "ж" match
// everywhere alike.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Lower-cases the ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
// letters of a UTF-8 text; every other byte sequence (including invalid
// UTF-8) is copied unchanged. Two texts are equal ignoring case exactly when
// their folds are equal.
std::string FoldCase(std::string_view s);

// Upper-cases the same letters.
std::string UpperCase(std::string_view s);

// <0, 0, >0 like strcmp, comparing folded code points. Orders texts
// case-insensitively and deterministically.
int CompareText(std::string_view a, std::string_view b);

bool SameText(std::string_view a, std::string_view b);

// Hash and equality functors for unordered containers keyed by names that
// compare ignoring case.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const;
};
struct TextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

}  // namespace host
