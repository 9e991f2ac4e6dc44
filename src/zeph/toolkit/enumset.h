#pragma once

#include <cstdint>
#include <initializer_list>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// A set of values of the enumeration \a Element, one bit per value: bit \c n stands for the value
/// \c n. The toolkit's sets (TAnchors, TFontStyles) are classes derived from it.
///
/// \a Set is the derived set class, so that FromBits() returns it and only two sets of one kind
/// compare; \a kCount is the number of values of \a Element (at most 8), and \a kDefault the bits
/// of a default-constructed set.
template <typename Set, typename Element, int kCount, std::uint8_t kDefault>
class ZEPH_TOOLKIT_EXPORT TEnumSet {
  static_assert(kCount > 0 && kCount <= 8, "a TEnumSet holds one to eight values");

 public:
  /// Constructs the default set, the one \a kDefault names.
  constexpr TEnumSet() = default;
  /// Constructs the set of the listed \a elements; `{}` is the empty set.
  constexpr TEnumSet(std::initializer_list<Element> elements) : bits_(0) {
    for (Element e : elements) bits_ |= Bit(e);
  }
  /// Returns whether \a e is in the set.
  constexpr bool Contains(Element e) const { return (bits_ & Bit(e)) != 0; }
  /// Adds \a e to the set.
  constexpr void Include(Element e) { bits_ |= Bit(e); }
  /// Removes \a e from the set.
  constexpr void Exclude(Element e) { bits_ &= static_cast<std::uint8_t>(~Bit(e)); }
  /// Returns whether the set is empty.
  constexpr bool Empty() const { return bits_ == 0; }
  /// Returns the set as bits: bit \c n stands for the value \c n.
  constexpr std::uint8_t Bits() const { return bits_; }
  /// Returns the set whose bits are \a bits (see Bits()); bits beyond the enumeration's values are
  /// ignored.
  static constexpr Set FromBits(std::uint8_t bits) {
    Set set;
    set.bits_ = bits & kMask;
    return set;
  }
  /// Two sets are equal when they hold the same values.
  friend constexpr bool operator==(Set a, Set b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint8_t kMask = static_cast<std::uint8_t>((1u << kCount) - 1);
  static constexpr std::uint8_t Bit(Element e) { return static_cast<std::uint8_t>(1u << e); }
  std::uint8_t bits_ = kDefault;
};

}  // namespace zeph
