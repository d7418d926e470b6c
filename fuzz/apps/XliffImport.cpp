// Reads arbitrary bytes as an XLIFF file, as ambit import does: the parser
// either refuses them with its error or yields units that, written again
// and read back, are the same units.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "apps/ambit/exchange/Exchange.h"

using namespace ambit::exchange;

namespace {
bool SameUnits(const TExchangeFile& A, const TExchangeFile& B) {
  if (A.Units.size() != B.Units.size() || A.Language != B.Language || A.Project != B.Project) return false;
  for (std::size_t i = 0; i < A.Units.size(); ++i) {
    const TUnit &a = A.Units[i], &b = B.Units[i];
    if (a.Section != b.Section || a.Record != b.Record || a.Source != b.Source || a.HasTarget != b.HasTarget ||
        (a.HasTarget && a.Target != b.Target) || a.Note != b.Note)
      return false;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TExchangeFile file;
  try {
    file = ReadXliff(input, "fuzz.xlf");
  } catch (const EExchangeError&) {
    return 0;
  }
  // Units the import would refuse carry no text worth writing.
  std::erase_if(file.Units, [](const TUnit& u) { return !u.Refusal.empty(); });
  std::string written;
  try {
    written = WriteXliff(file);
  } catch (const EExchangeError&) {
    return 0;  // texts or names that are no UTF-8 cannot be written
  }
  if (!SameUnits(file, ReadXliff(written, "again.xlf"))) std::abort();
  return 0;
}
