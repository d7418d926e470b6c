#include "host/data/SqlText.h"

#include "host/data/Fields.h"

namespace host {

std::string QuoteIdent(std::string_view Name) {
  std::string out = "\"";
  for (char ch : Name) {
    if (ch == '\0') throw EDatabaseError("A name in SQL cannot hold a NUL character");
    if (ch == '"') out.push_back('"');
    out.push_back(ch);
  }
  out.push_back('"');
  return out;
}

std::vector<TSqlBranch> PushdownBranches(const TRowFilter& Filter, std::size_t MaxBranches) {
  std::vector<TSqlBranch> branches(1);
  for (const TRowCondition& c : Filter.Conditions()) {
    if (c.Kind != rcOneOf) continue;
    bool takesNull = false;
    for (const std::string& v : c.Values) takesNull = takesNull || v.empty();
    TSqlTerm in{c.Field, stIn, c.Values};
    if (c.Values.empty()) {
      // Nothing can match: an empty IN list, written as a term no row meets.
      for (TSqlBranch& b : branches) b.push_back(in);
      continue;
    }
    if (!takesNull) {
      for (TSqlBranch& b : branches) b.push_back(in);
    } else if (branches.size() * 2 <= MaxBranches) {
      std::vector<TSqlBranch> split;
      for (const TSqlBranch& b : branches) {
        TSqlBranch withNull = b;
        withNull.push_back({c.Field, stIsNull, {}});
        split.push_back(std::move(withNull));
        TSqlBranch withValue = b;
        withValue.push_back(in);
        split.push_back(std::move(withValue));
      }
      branches = std::move(split);
    } else {
      for (TSqlBranch& b : branches) b.push_back({c.Field, stNullOrIn, c.Values});
    }
  }
  return branches;
}

}  // namespace host
