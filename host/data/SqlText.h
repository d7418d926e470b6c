// Pieces of SQL text shared by the dataset back ends: quoting of
// identifiers and the shape of a pushed-down row filter. Values never enter
// SQL text; they travel as parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/data/RowFilter.h"

namespace host {

// "name" with inner double quotes doubled; a NUL cannot be quoted and raises.
std::string QuoteIdent(std::string_view Name);

enum TSqlTermKind {
  stIn,         // column text is one of Values (no nulls)
  stIsNull,     // column is null
  stNullOrIn,   // either of the above
};

struct TSqlTerm {
  int Field = -1;
  TSqlTermKind Kind = stIn;
  std::vector<std::string> Values;
};
using TSqlBranch = std::vector<TSqlTerm>;

// The rcOneOf conditions of Filter as disjoint branches (each a conjunction
// of terms) whose union is exactly the set of rows they allow. A condition
// that takes nulls splits every branch into a null and a non-null one, so
// each branch can use an index by equality; past MaxBranches a condition is
// kept whole as stNullOrIn instead. Other conditions are left out.
std::vector<TSqlBranch> PushdownBranches(const TRowFilter& Filter, std::size_t MaxBranches = 8);

}  // namespace host
