// Row filters: conditions on the text value of columns that a caller hands
// to a dataset so that only the matching rows are visited. A back end
// translates what it can into its query (always a superset of the matching
// rows); the dataset then checks every candidate row here, so the rows a
// filter yields are exactly those the conditions describe, in dataset order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

enum TRowConditionKind {
  // The column's text equals one of Values exactly (byte for byte). A null
  // reads as the empty text, so "" in Values also takes nulls.
  rcOneOf,
  // The column's text equals Values[0] ignoring case (host::SameText).
  rcSameText,
  // The column's text starts with Values[0], exactly or ignoring case.
  rcStartsWith,
  rcStartsWithText,
};

struct TRowCondition {
  std::string FieldName;
  TRowConditionKind Kind = rcOneOf;
  std::vector<std::string> Values;
  int Field = -1;  // column index, resolved by the dataset

  // The one text every row that passes holds in this column, if the
  // condition asks for exactly one (an empty one also takes nulls); else
  // null. Only as exact as the back end's comparison of the column.
  const std::string* OnlyValue() const {
    return Kind == rcOneOf && Values.size() == 1 && !Values[0].empty() ? &Values[0] : nullptr;
  }
};

using TRowValues = std::vector<std::optional<std::string>>;
// A row's values seen in place, without copies (a whole scan's rows).
using TRowView = std::vector<std::optional<std::string_view>>;

class TRowFilter {
public:
  // Column text equals Value exactly.
  TRowFilter& Equal(std::string FieldName, std::string Value);
  // Column is null, empty, or equals Value exactly.
  TRowFilter& EmptyOrEqual(std::string FieldName, std::string Value);
  TRowFilter& OneOf(std::string FieldName, std::vector<std::string> Values);
  TRowFilter& SameText(std::string FieldName, std::string Value);
  TRowFilter& Add(TRowCondition Condition);

  bool Empty() const { return FConditions.empty(); }
  const std::vector<TRowCondition>& Conditions() const { return FConditions; }
  std::vector<TRowCondition>& Conditions() { return FConditions; }

  // True when the row satisfies every condition (fields must be resolved).
  bool Matches(const TRowValues& Row) const;
  bool Matches(const TRowView& Row) const;

private:
  std::vector<TRowCondition> FConditions;
};

// Helpers for the case-insensitive look-up of pure-ASCII values. Every
// text equal to an ASCII value ignoring case is ASCII itself and has the
// same length, so the candidates are the choices of upper or lower case at
// each letter; in byte order they lie between the all-upper and the
// all-lower spelling.
class TAsciiCaseVariants {
public:
  explicit TAsciiCaseVariants(std::string_view Value);
  static bool IsAscii(std::string_view Value);
  const std::string& Lowest() const { return FLow; }
  const std::string& Highest() const { return FHigh; }
  bool IsVariant(std::string_view S) const;
  // The smallest variant that is >= S (or > S when Strict); none when every
  // variant is below.
  std::optional<std::string> NextAtLeast(std::string_view S, bool Strict) const;
  // The largest variant below the variant S; none when S is the lowest.
  std::optional<std::string> PriorTo(std::string_view S) const;

private:
  std::optional<std::string> BumpFrom(std::string_view S, int Position) const;
  std::string FLow, FHigh;
};

}  // namespace host
