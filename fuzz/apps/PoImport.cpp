// Reads arbitrary bytes as a PO file through libgettextpo, as ambit import
// does: the parser either refuses them, naming its faults, or yields units
// that, written again and read back, are the same units.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "apps/ambit/exchange/Exchange.h"

using namespace ambit::exchange;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TExchangeFile file;
  try {
    file = ReadPo(input, "fuzz.po");
  } catch (const EExchangeError&) {
    return 0;
  }
  std::erase_if(file.Units, [](const TUnit& u) { return !u.Refusal.empty(); });
  TExchangeFile again;
  try {
    again = ReadPo(WritePo(file), "again.po");
  } catch (const EExchangeError&) {
    return 0;  // what gettext itself refuses to write (bytes that are no UTF-8)
  }
  if (again.Units.size() != file.Units.size()) std::abort();
  for (std::size_t i = 0; i < file.Units.size(); ++i) {
    const TUnit &a = file.Units[i], &b = again.Units[i];
    if (a.Section != b.Section || a.Record != b.Record || a.Source != b.Source || a.HasTarget != b.HasTarget ||
        (a.HasTarget && a.Target != b.Target))
      std::abort();
  }
  return 0;
}
