// NumberText: numbers read from and written as text by the automation rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

// A number read from text: a decimal value, or the bits of a "&H"/"&O" literal.
struct NumberText {
  bool isRadixLiteral = false;
  double value = 0.0;      // decimal numbers
  std::uint64_t bits = 0;  // radix literals
};

// Reads optional blanks, an optional sign, digits with an optional fraction
// and exponent, optional blanks; or a "&H"/"&O" literal. nullopt when the
// text is not a number; error 6 when it is too large for a double.
std::optional<NumberText> ParseNumberText(std::string_view text);

// Up to 15 significant digits, exponent form as "1E+20" for large or small values.
std::string FormatDouble(double value);

}  // namespace corvane::platform
