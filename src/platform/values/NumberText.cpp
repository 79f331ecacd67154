#include "platform/values/NumberText.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <charconv>
#include <cmath>
#include <system_error>

namespace corvane::platform {
namespace {

bool IsBlank(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) noexcept {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int DigitValue(char c) noexcept {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// "&H1F" or "&O17": at least one digit of the radix, at most 64 bits.
std::optional<NumberText> ParseRadixLiteral(std::string_view text) {
  if (text.size() < 3 || text[0] != '&') return std::nullopt;
  const char marker = text[1];
  const int radix = (marker == 'H' || marker == 'h')   ? 16
                    : (marker == 'O' || marker == 'o') ? 8
                                                       : 0;
  if (radix == 0) return std::nullopt;
  std::uint64_t bits = 0;
  for (const char c : text.substr(2)) {
    const int digit = DigitValue(c);
    if (digit >= radix) return std::nullopt;
    if (bits > (UINT64_MAX >> (radix == 16 ? 4 : 3))) throw Error::Runtime(rtOverflow);
    bits = bits * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
  }
  return NumberText{true, 0.0, bits};
}

// The shape of a decimal number, checked before conversion.
struct DecimalShape {
  bool negative = false;
  std::string_view body;       // digits, fraction and exponent, no sign
  std::int64_t magnitude = 0;  // decimal exponent of the leading non-zero digit
  bool allZero = true;
};

std::optional<DecimalShape> ReadDecimalShape(std::string_view text) {
  DecimalShape shape;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) shape.negative = text[i++] == '-';
  const std::size_t start = i;
  std::int64_t integerDigits = 0;
  std::int64_t leadingPosition = 0;  // position of the first non-zero digit
  std::int64_t position = 0;
  std::size_t digitCount = 0;
  bool seenPoint = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    ++digitCount;
    if (!seenPoint) ++integerDigits;
    if (c != '0' && shape.allZero) {
      shape.allZero = false;
      leadingPosition = position;
    }
    ++position;
  }
  if (digitCount == 0) return std::nullopt;
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;
  shape.body = text.substr(start);
  shape.magnitude = integerDigits - leadingPosition - 1 + exponent;
  return shape;
}

double ConvertDecimal(const DecimalShape& shape) {
  double value = 0.0;
  if (!shape.allZero) {
    const char* first = shape.body.data();
    const char* last = first + shape.body.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
      // from_chars reports both ends of the range; only the large end overflows.
      if (shape.magnitude > 0) throw Error::Runtime(rtOverflow);
      value = 0.0;
    } else if (error != std::errc() || end != last) {
      throw Error::Runtime(rtTypeMismatch);
    }
  }
  return shape.negative ? -value : value;
}

}  // namespace

std::optional<NumberText> ParseNumberText(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (!trimmed.empty() && trimmed.front() == '&') return ParseRadixLiteral(trimmed);
  const auto shape = ReadDecimalShape(trimmed);
  if (!shape) return std::nullopt;
  return NumberText{false, ConvertDecimal(*shape), 0};
}

std::string FormatDouble(double value) {
  if (value == 0.0) return "0";  // negative zero prints as zero
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace corvane::platform
