#include "host/data/RowFilter.h"

#include <algorithm>

#include "host/core/CaseFold.h"

namespace host {

TRowFilter& TRowFilter::Equal(std::string FieldName, std::string Value) {
  return Add({std::move(FieldName), rcOneOf, {std::move(Value)}});
}

TRowFilter& TRowFilter::EmptyOrEqual(std::string FieldName, std::string Value) {
  std::vector<std::string> values{""};
  if (!Value.empty()) values.push_back(std::move(Value));
  return Add({std::move(FieldName), rcOneOf, std::move(values)});
}

TRowFilter& TRowFilter::OneOf(std::string FieldName, std::vector<std::string> Values) {
  return Add({std::move(FieldName), rcOneOf, std::move(Values)});
}

TRowFilter& TRowFilter::SameText(std::string FieldName, std::string Value) {
  return Add({std::move(FieldName), rcSameText, {std::move(Value)}});
}

TRowFilter& TRowFilter::Add(TRowCondition Condition) {
  FConditions.push_back(std::move(Condition));
  return *this;
}

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Prefix ignoring case: folding keeps byte lengths, so the prefix of the
// folded text is the fold of the text's prefix.
bool StartsWithText(std::string_view s, std::string_view prefix) {
  return StartsWith(FoldCase(s), FoldCase(prefix));
}

bool ConditionHolds(const TRowCondition& c, std::string_view text) {
  switch (c.Kind) {
    case rcOneOf:
      for (const std::string& v : c.Values)
        if (v == text) return true;
      return false;
    case rcSameText:
      return host::SameText(text, c.Values.at(0));
    case rcStartsWith:
      return StartsWith(text, c.Values.at(0));
    case rcStartsWithText:
      return StartsWithText(text, c.Values.at(0));
  }
  return false;
}

template <class Values>
bool AllHold(const std::vector<TRowCondition>& Conditions, const Values& Row) {
  for (const TRowCondition& c : Conditions) {
    const auto& value = Row.at(static_cast<std::size_t>(c.Field));
    if (!ConditionHolds(c, value ? std::string_view(*value) : std::string_view())) return false;
  }
  return true;
}

}  // namespace

bool TRowFilter::Matches(const TRowValues& Row) const { return AllHold(FConditions, Row); }

bool TRowFilter::Matches(const TRowView& Row) const { return AllHold(FConditions, Row); }

// --- ASCII case variants ---

TAsciiCaseVariants::TAsciiCaseVariants(std::string_view Value) {
  for (char ch : Value) {
    const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
    FLow.push_back(letter ? static_cast<char>(ch & ~0x20) : ch);
    FHigh.push_back(letter ? static_cast<char>(ch | 0x20) : ch);
  }
}

bool TAsciiCaseVariants::IsAscii(std::string_view Value) {
  for (char ch : Value)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

bool TAsciiCaseVariants::IsVariant(std::string_view S) const {
  if (S.size() != FLow.size()) return false;
  for (std::size_t i = 0; i < S.size(); ++i)
    if (S[i] != FLow[i] && S[i] != FHigh[i]) return false;
  return true;
}

// Raises the last position at or before Position that still has its lower
// choice to the higher one and puts the lowest choices after it.
std::optional<std::string> TAsciiCaseVariants::BumpFrom(std::string_view S, int Position) const {
  for (int j = Position; j >= 0; --j) {
    const auto k = static_cast<std::size_t>(j);
    if (S[k] == FLow[k] && FLow[k] != FHigh[k])
      return std::string(S.substr(0, k)) + FHigh[k] + FLow.substr(k + 1);
  }
  return std::nullopt;
}

std::optional<std::string> TAsciiCaseVariants::NextAtLeast(std::string_view S, bool Strict) const {
  const std::size_t n = FLow.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i == S.size()) return std::string(S) + FLow.substr(i);
    const auto c = static_cast<unsigned char>(S[i]);
    const auto lo = static_cast<unsigned char>(FLow[i]);
    const auto hi = static_cast<unsigned char>(FHigh[i]);
    if (c == lo || c == hi) continue;
    if (c < lo) return std::string(S.substr(0, i)) + FLow.substr(i);
    if (c < hi) return std::string(S.substr(0, i)) + FHigh[i] + FLow.substr(i + 1);
    return BumpFrom(S, static_cast<int>(i) - 1);
  }
  if (S.size() == n && !Strict) return std::string(S);
  return BumpFrom(S, static_cast<int>(n) - 1);
}

// Lowers the last position that has its higher choice and puts the highest
// choices after it.
std::optional<std::string> TAsciiCaseVariants::PriorTo(std::string_view S) const {
  for (std::size_t k = std::min(S.size(), FLow.size()); k-- > 0;)
    if (S[k] == FHigh[k] && FLow[k] != FHigh[k]) return std::string(S.substr(0, k)) + FLow[k] + FHigh.substr(k + 1);
  return std::nullopt;
}

}  // namespace host
