// A set of enumeration values, stored as a bit mask like the host's sets.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace host {

template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) Include(e);
  }
  static constexpr TSet FromMask(std::uint64_t mask) {
    TSet s;
    s.FBits = mask;
    return s;
  }

  constexpr bool Contains(E e) const { return (FBits >> static_cast<unsigned>(e)) & 1u; }
  constexpr TSet& Include(E e) {
    FBits |= std::uint64_t{1} << static_cast<unsigned>(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    FBits &= ~(std::uint64_t{1} << static_cast<unsigned>(e));
    return *this;
  }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint64_t Mask() const { return FBits; }

  constexpr TSet operator+(TSet o) const { return FromMask(FBits | o.FBits); }
  constexpr TSet operator-(TSet o) const { return FromMask(FBits & ~o.FBits); }
  constexpr TSet operator*(TSet o) const { return FromMask(FBits & o.FBits); }
  constexpr bool operator==(const TSet&) const = default;

private:
  std::uint64_t FBits = 0;
};

}  // namespace host
