// The memory of one parsed form: its nodes, and apart from them its decoded
// texts, are laid out one after another in a few large blocks and freed all
// at once. A form of ten thousand components is otherwise tens of thousands
// of small allocations scattered over the heap, each visited again to be
// freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace host {

class TFormArena {
public:
  TFormArena() = default;
  // The arena moved from is left empty, never sharing a block.
  TFormArena(TFormArena&& Other) noexcept
      : FBlocks(std::move(Other.FBlocks)), FUnpooled(std::move(Other.FUnpooled)),
        FNodes(std::exchange(Other.FNodes, {})), FTexts(std::exchange(Other.FTexts, {})),
        FRuns(std::exchange(Other.FRuns, {})),
        FUsed(std::exchange(Other.FUsed, 0)) {
    Other.FBlocks.clear();
    Other.FUnpooled.clear();
  }
  TFormArena& operator=(TFormArena&&) = delete;
  // Hands the blocks to the thread's pool for the next parse.
  ~TFormArena();

  // Only what needs no destructor lives here: blocks are freed unvisited.
  template <class T>
  T* New(const T& Value) {
    static_assert(std::is_trivially_destructible_v<T>);
    return ::new (Allocate(FNodes, sizeof(T), alignof(T))) T(Value);
  }
  // Value-initialized in place: a temporary copied in would be written
  // twice and read back before its stores have settled.
  template <class T>
  T* New() {
    static_assert(std::is_trivially_destructible_v<T>);
    return ::new (Allocate(FNodes, sizeof(T), alignof(T))) T();
  }
  template <class T>
  std::span<const T> Copy(std::span<const T> Items) {
    static_assert(std::is_trivially_destructible_v<T> && std::is_trivially_copyable_v<T>);
    if (Items.empty()) return {};
    T* out = static_cast<T*>(Allocate(FNodes, Items.size_bytes(), alignof(T)));
    std::memcpy(static_cast<void*>(out), Items.data(), Items.size_bytes());
    return {out, Items.size()};
  }
  // Texts fill blocks of their own, so that a component's node and its
  // properties lie side by side in the order the reader visits them.
  std::string_view Copy(std::string_view Text);

  // One more element, value-initialized, at the end of Run, whose elements
  // stay side by side: a parser reads each into its place instead of
  // gathering them first and copying them over. Runs fill blocks of their
  // own, and the run added to last grows in place; a run that another was
  // added to since (a nested item's, a child's) first moves to the end.
  // The reference holds until the next Append.
  template <class T>
  T& Append(std::span<T>& Run) {
    static_assert(std::is_trivially_destructible_v<T> && std::is_trivially_copyable_v<T>);
    T* end = Run.data() + Run.size();
    if (Run.empty()) {
      end = static_cast<T*>(Allocate(FRuns, sizeof(T), alignof(T)));
      Run = {end, 0};
    } else if (reinterpret_cast<std::byte*>(end) == FRuns.Next && FRuns.Left >= sizeof(T)) {
      FRuns.Next += sizeof(T);
      FRuns.Left -= sizeof(T);
      FUsed += sizeof(T);
      PrefetchForWrite(FRuns.Next);
    } else {
      T* moved = static_cast<T*>(AllocateRun((Run.size() + 1) * sizeof(T), alignof(T)));
      std::memcpy(static_cast<void*>(moved), Run.data(), Run.size_bytes());
      end = moved + Run.size();
      Run = {moved, Run.size()};
    }
    Run = {Run.data(), Run.size() + 1};
    return *::new (static_cast<void*>(end)) T();
  }

  // Takes over everything Other holds, which stays valid until this arena
  // is freed; Other is left empty. Other's blocks are then freed, not
  // pooled: they were filled on another thread, and this thread's pool
  // keeps to what it fills itself.
  void Adopt(TFormArena&& Other);

  // Bytes handed out so far (for tests and measurements).
  std::size_t Used() const { return FUsed; }

private:
  // Where the next piece of one kind goes in its current block.
  struct TCursor {
    std::byte* Next = nullptr;
    std::size_t Left = 0;
  };

  // Asks for the memory a kilobyte past At to be owned by this thread's
  // cache, ready to be written: a block was last read by the thread that
  // built from the previous tree, on another core when the parse runs on a
  // second thread, and taking each line over from there as it is written
  // made that parse three times slower. Past the block's end it does no
  // harm: a prefetch never faults.
  static void PrefetchForWrite(const std::byte* At) {
    const std::uintptr_t ahead = reinterpret_cast<std::uintptr_t>(At) + 1024;
#if defined(__x86_64__) && defined(__GNUC__)
    // PREFETCHW: compilers emit it for a write prefetch only when told the
    // processor has it, but x86-64 processors without it take it as a no-op.
    asm volatile("prefetchw (%0)" : : "r"(ahead));
#else
    __builtin_prefetch(reinterpret_cast<const void*>(ahead), 1);
#endif
  }

  // Inline: a parse allocates a few times per component. Align is a power
  // of two.
  void* Allocate(TCursor& At, std::size_t Size, std::size_t Align) {
    const std::size_t skip = (0 - reinterpret_cast<std::uintptr_t>(At.Next)) & (Align - 1);
    if (At.Next == nullptr || skip + Size > At.Left) return AllocateInNewBlock(At, Size, Align);
    std::byte* p = At.Next + skip;
    At.Next = p + Size;
    At.Left -= skip + Size;
    FUsed += Size;
    PrefetchForWrite(At.Next);
    return p;
  }
  void* AllocateInNewBlock(TCursor& At, std::size_t Size, std::size_t Align);
  void* AllocateRun(std::size_t Size, std::size_t Align);

  std::vector<std::unique_ptr<std::byte[]>> FBlocks;  // all of BlockSize
  // Freed with the arena: blocks of one large value each, and adopted ones.
  std::vector<std::unique_ptr<std::byte[]>> FUnpooled;
  TCursor FNodes, FTexts, FRuns;
  std::size_t FUsed = 0;
};

}  // namespace host
