// Set<E>: a set of enumerators of one unscoped enumeration whose values lie
// in 0..63, held as a bit mask (bit n for the enumerator of value n).
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

template <class E>
class Set {
 public:
  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr Set FromBits(std::uint64_t bits) {
    Set s;
    s.bits_ = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const { return bits_; }

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr int Count() const { return std::popcount(bits_); }
  constexpr Set& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr Set& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }

  // Union, difference and intersection, as the framework writes them.
  friend constexpr Set operator+(Set a, Set b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr Set operator-(Set a, Set b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr Set operator*(Set a, Set b) { return FromBits(a.bits_ & b.bits_); }
  constexpr Set& operator+=(Set b) { return *this = *this + b; }
  constexpr Set& operator-=(Set b) { return *this = *this - b; }
  constexpr Set& operator*=(Set b) { return *this = *this * b; }
  friend constexpr bool operator==(Set a, Set b) = default;
  // Subset test: every member of a is in b.
  friend constexpr bool operator<=(Set a, Set b) { return (a.bits_ & ~b.bits_) == 0; }

 private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
  std::uint64_t bits_ = 0;
};
