// The initial tables of published Blowfish: the fractional hexadecimal digits
// of pi, computed here with Machin's formula in fixed-point arithmetic.
#pragma once

#include "crypto/Crypt.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane::testing {
namespace pi_detail {

// words[0] is the integer part, words[1..] the fraction, most significant first.
using Fixed = std::vector<std::uint32_t>;

inline void DivideSmall(Fixed& x, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::uint32_t& word : x) {
    const std::uint64_t current = (remainder << 32) | word;
    word = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
}

inline void MultiplySmall(Fixed& x, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::size_t i = x.size(); i-- > 0;) {
    const std::uint64_t product = std::uint64_t{x[i]} * factor + carry;
    x[i] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
}

inline void Add(Fixed& a, const Fixed& b) {
  std::uint64_t carry = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    const std::uint64_t sum = std::uint64_t{a[i]} + b[i] + carry;
    a[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
}

inline void Subtract(Fixed& a, const Fixed& b) {
  std::int64_t borrow = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    std::int64_t difference = std::int64_t{a[i]} - b[i] - borrow;
    borrow = difference < 0 ? 1 : 0;
    if (difference < 0) difference += std::int64_t{1} << 32;
    a[i] = static_cast<std::uint32_t>(difference);
  }
}

inline bool IsZero(const Fixed& x) {
  for (const std::uint32_t word : x) {
    if (word != 0) return false;
  }
  return true;
}

// arctan(1 / inverse) = sum over k of (-1)^k / ((2k + 1) inverse^(2k + 1)).
inline Fixed ArctanOfInverse(std::uint32_t inverse, std::size_t words) {
  Fixed power(words, 0);
  power[0] = 1;
  DivideSmall(power, inverse);
  Fixed sum = power;
  const std::uint32_t square = inverse * inverse;
  for (std::uint32_t k = 1;; ++k) {
    DivideSmall(power, square);
    if (IsZero(power)) break;
    Fixed term = power;
    DivideSmall(term, 2 * k + 1);
    if (k % 2 == 1) {
      Subtract(sum, term);
    } else {
      Add(sum, term);
    }
  }
  return sum;
}

}  // namespace pi_detail

// P-array then S-boxes 0 to 3, filled from pi's fraction in order.
inline Crypt::Tables PiTables() {
  using namespace pi_detail;
  constexpr std::size_t kTableWords = Crypt::kPWords + Crypt::kSBoxCount * Crypt::kSBoxWords;
  constexpr std::size_t kGuardWords = 4;  // absorb the truncation of every division
  const std::size_t words = 1 + kTableWords + kGuardWords;
  // pi = 16 arctan(1/5) - 4 arctan(1/239)
  Fixed pi = ArctanOfInverse(5, words);
  MultiplySmall(pi, 16);
  Fixed second = ArctanOfInverse(239, words);
  MultiplySmall(second, 4);
  Subtract(pi, second);

  Crypt::Tables tables;
  std::size_t next = 1;
  for (std::uint32_t& word : tables.P) word = pi[next++];
  for (auto& box : tables.S) {
    for (std::uint32_t& word : box) word = pi[next++];
  }
  return tables;
}

}  // namespace corvane::testing
