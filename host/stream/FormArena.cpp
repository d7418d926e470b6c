#include "host/stream/FormArena.h"

namespace host {

namespace {
// Large enough that a big form needs few blocks, small enough that a
// dialog of ten controls does not hold much more than it uses.
constexpr std::size_t BlockSize = 64 * 1024;
constexpr std::size_t MaxPooledBlocks = 256;

// Set when the thread's pool is gone (thread or program ending): a tree
// freed after that frees its blocks itself.
thread_local bool tPoolGone = false;

struct TBlockPool {
  std::vector<std::unique_ptr<std::byte[]>> Blocks;
  ~TBlockPool() { tPoolGone = true; }
};

TBlockPool* Pool() {
  if (tPoolGone) return nullptr;
  thread_local TBlockPool pool;
  return &pool;
}
}  // namespace

TFormArena::~TFormArena() {
  TBlockPool* pool = FBlocks.empty() ? nullptr : Pool();
  if (!pool) return;
  for (auto& block : FBlocks) {
    if (pool->Blocks.size() >= MaxPooledBlocks) break;
    pool->Blocks.push_back(std::move(block));
  }
}

void TFormArena::Adopt(TFormArena&& Other) {
  for (auto* from : {&Other.FBlocks, &Other.FUnpooled}) {
    for (auto& block : *from) FUnpooled.push_back(std::move(block));
    from->clear();
  }
  FUsed += std::exchange(Other.FUsed, 0);
  Other.FNodes = Other.FTexts = Other.FRuns = {};
}

void* TFormArena::AllocateInNewBlock(TCursor& At, std::size_t Size, std::size_t Align) {
  // A value larger than a block gets a block of its own; the current block
  // stays the one to fill.
  if (Size + Align > BlockSize / 4) {
    FUnpooled.push_back(std::make_unique_for_overwrite<std::byte[]>(Size + Align));
    std::byte* p = FUnpooled.back().get();
    p += (0 - reinterpret_cast<std::uintptr_t>(p)) & (Align - 1);
    FUsed += Size;
    return p;
  }
  TBlockPool* pool = Pool();
  if (pool && !pool->Blocks.empty()) {
    FBlocks.push_back(std::move(pool->Blocks.back()));
    pool->Blocks.pop_back();
  } else {
    FBlocks.push_back(std::make_unique_for_overwrite<std::byte[]>(BlockSize));
  }
  At.Next = FBlocks.back().get();
  At.Left = BlockSize;
  return Allocate(At, Size, Align);  // fits now
}

void* TFormArena::AllocateRun(std::size_t Size, std::size_t Align) {
  // A run too long for a usual block gets one of twice its length, in
  // which it can go on growing in place.
  if (Size + Align > BlockSize / 4 && (FRuns.Next == nullptr || Size + Align > FRuns.Left)) {
    const std::size_t bytes = 2 * Size + Align;
    FUnpooled.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
    FRuns.Next = FUnpooled.back().get();
    FRuns.Left = bytes;
  }
  return Allocate(FRuns, Size, Align);
}

std::string_view TFormArena::Copy(std::string_view Text) {
  if (Text.empty()) return {};
  char* out = static_cast<char*>(Allocate(FTexts, Text.size(), 1));
  std::memcpy(out, Text.data(), Text.size());
  return {out, Text.size()};
}

}  // namespace host
