#include "tests/design/DesignTestSupport.h"

namespace design_test {

std::vector<std::string> Lines(const host::TStrings* Strings) {
  std::vector<std::string> out;
  for (int i = 0; i < Strings->Count(); ++i) out.push_back(Strings->Get(i));
  return out;
}

}  // namespace design_test
