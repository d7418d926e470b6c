// Feeds arbitrary bytes to the decoder (it must never fail, whatever a hand
// edit left in a language file) and checks that decoding the encoding of
// the same bytes gives them back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/AmbitUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string decoded = ambit::GetDecodedString(input, '"', '#');
  // Decoding never adds more than it was given.
  if (decoded.size() > input.size()) std::abort();
  (void)ambit::ExtractQuotedString(input, '"');

  const std::string encoded = ambit::GetEncodedString(input, '"', '#');
  if (ambit::GetDecodedString(encoded, '"', '#') != input) std::abort();
  if (encoded.find_first_of("\r\n") != std::string::npos) std::abort();
  return 0;
}
