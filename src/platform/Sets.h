// TSet<E>: a small set of enumeration values kept as a bit mask, the way the
// component layer's option and state sets (component state, font styles,
// shift states, editor options) are stored and compared.
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename E, typename Mask = uint32_t>
class TSet {
public:
  using value_type = E;
  using mask_type = Mask;
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) FMask |= Bit(e);
  }
  static constexpr TSet FromMask(Mask m) {
    TSet s;
    s.FMask = m;
    return s;
  }
  constexpr Mask ToMask() const { return FMask; }
  constexpr bool Contains(E e) const { return (FMask & Bit(e)) != 0; }
  constexpr bool Empty() const { return FMask == 0; }
  constexpr TSet& Include(E e) { FMask |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { FMask &= ~Bit(e); return *this; }
  constexpr TSet operator+(TSet o) const { return FromMask(FMask | o.FMask); }
  constexpr TSet operator-(TSet o) const { return FromMask(FMask & ~o.FMask); }
  constexpr TSet operator*(TSet o) const { return FromMask(FMask & o.FMask); }
  constexpr TSet& operator+=(TSet o) { FMask |= o.FMask; return *this; }
  constexpr TSet& operator-=(TSet o) { FMask &= ~o.FMask; return *this; }
  constexpr TSet operator+(E e) const { return FromMask(FMask | Bit(e)); }
  constexpr TSet operator-(E e) const { return FromMask(FMask & ~Bit(e)); }
  constexpr bool operator==(const TSet&) const = default;

private:
  static constexpr Mask Bit(E e) { return Mask(1) << static_cast<unsigned>(e); }
  Mask FMask = 0;
};
