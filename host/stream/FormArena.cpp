#include "host/stream/FormArena.h"

#include <cstdint>
#include <cstring>

namespace host {

namespace {
// Large enough that a big form needs few blocks, small enough that a
// dialog of ten controls does not hold much more than it uses.
constexpr std::size_t BlockSize = 64 * 1024;
}  // namespace

void* TFormArena::Allocate(std::size_t Size, std::size_t Align) {
  auto pad = [&] { return (Align - reinterpret_cast<std::uintptr_t>(FNext) % Align) % Align; };
  if (FNext == nullptr || pad() + Size > FLeft) {
    // A value larger than a block gets a block of its own; the current
    // block stays the one to fill.
    if (Size + Align > BlockSize / 4) {
      FBlocks.push_back(std::make_unique_for_overwrite<std::byte[]>(Size + Align));
      std::byte* p = FBlocks.back().get();
      p += (Align - reinterpret_cast<std::uintptr_t>(p) % Align) % Align;
      FUsed += Size;
      return p;
    }
    FBlocks.push_back(std::make_unique_for_overwrite<std::byte[]>(BlockSize));
    FNext = FBlocks.back().get();
    FLeft = BlockSize;
  }
  const std::size_t skip = pad();
  std::byte* p = FNext + skip;
  FNext = p + Size;
  FLeft -= skip + Size;
  FUsed += Size;
  return p;
}

std::string_view TFormArena::Copy(std::string_view Text) {
  if (Text.empty()) return {};
  char* out = static_cast<char*>(Allocate(Text.size(), 1));
  std::memcpy(out, Text.data(), Text.size());
  return {out, Text.size()};
}

}  // namespace host
