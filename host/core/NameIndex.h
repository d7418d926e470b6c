// TNameIndex: the first position of each name among numbered entries (the
// lines of a string list, the keys of an INI section), for look-ups by name
// that neither copy nor allocate. Open addressing over the positions; each
// slot keeps its name's hash, so growing never hashes again and most probes
// compare no text. The owner keeps the names: every call that has to compare
// one is given NameAt(position).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace host {

class TNameIndex {
public:
  explicit TNameIndex(bool CaseSensitive = false) : FCaseSensitive(CaseSensitive) {}

  // Empties the index; a change of the case rule empties it too.
  void Clear();
  void SetCaseSensitive(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void Reserve(std::size_t Count);
  std::size_t Count() const { return FCount; }

  // The hash under the index's case rule (TextHash when ignoring case).
  std::uint32_t Hash(std::string_view Name) const;
  bool Same(std::string_view A, std::string_view B) const;

  // Position of the first entry named Name, or -1.
  template <class NameAt>
  int Find(std::string_view Name, const NameAt& At) const {
    return FSlots.empty() ? -1 : FindHashed(Name, Hash(Name), At);
  }
  template <class NameAt>
  int FindHashed(std::string_view Name, std::uint32_t H, const NameAt& At) const {
    if (FSlots.empty()) return -1;
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t i = H & mask;; i = (i + 1) & mask) {
      const Slot& s = FSlots[i];
      if (s.Position < 0) return -1;
      if (s.Hash == H && Same(At(s.Position), Name)) return s.Position;
    }
  }

  // Enters Position under Name unless the name is there already (the first
  // entry of a name wins). Returns the position the name stands for now.
  template <class NameAt>
  int Add(std::string_view Name, int Position, const NameAt& At) {
    return AddHashed(Name, Hash(Name), Position, At);
  }
  template <class NameAt>
  int AddHashed(std::string_view Name, std::uint32_t H, int Position, const NameAt& At) {
    if ((FCount + 1) * 2 > FSlots.size()) Grow();
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t i = H & mask;; i = (i + 1) & mask) {
      Slot& s = FSlots[i];
      if (s.Position < 0) {
        s = {H, Position};
        ++FCount;
        return Position;
      }
      if (s.Hash == H && Same(At(s.Position), Name)) return s.Position;
    }
  }

private:
  struct Slot {
    std::uint32_t Hash = 0;
    std::int32_t Position = -1;
  };
  void Grow();

  std::vector<Slot> FSlots;  // a power of two, at most half full
  std::size_t FCount = 0;
  bool FCaseSensitive;
};

}  // namespace host
