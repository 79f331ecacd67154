#include "crypto/Crypt.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <array>

namespace corvane {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr std::uint8_t kNotADigit = 0xFF;

// The value of each character as a hexadecimal digit (either case).
constexpr std::array<std::uint8_t, 256> MakeDigitValues() {
  std::array<std::uint8_t, 256> values{};
  values.fill(kNotADigit);
  for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<std::uint8_t>(i);
  for (int i = 0; i < 6; ++i) {
    values['A' + i] = static_cast<std::uint8_t>(10 + i);
    values['a' + i] = static_cast<std::uint8_t>(10 + i);
  }
  return values;
}

constexpr std::array<std::uint8_t, 256> kDigitValues = MakeDigitValues();

// Any character but a digit makes its pair an invalid hexadecimal literal,
// which the host reports as a type mismatch.
std::uint8_t DigitValue(char c) {
  const std::uint8_t value = kDigitValues[static_cast<unsigned char>(c)];
  if (value == kNotADigit) {
    throw Error::Runtime(rtTypeMismatch);
  }
  return value;
}

}  // namespace

std::string Crypt::p_BytesToHex(const Bytes& bytes) {
  std::string hex(bytes.size() * 2, '0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    hex[2 * i] = kDigits[bytes[i] >> 4];
    hex[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return hex;
}

Crypt::Bytes Crypt::p_HexToBytes(std::string_view text) {
  // Bytes rather than characters: a character outside ASCII is never a
  // digit, so it fails wherever it stands.
  Bytes bytes((text.size() + 1) / 2);
  const std::size_t pairs = text.size() / 2;
  for (std::size_t i = 0; i < pairs; ++i) {
    bytes[i] =
        static_cast<std::uint8_t>(DigitValue(text[2 * i]) * 16 + DigitValue(text[2 * i + 1]));
  }
  if (text.size() % 2 != 0) {
    bytes[pairs] = DigitValue(text.back());  // a lone last digit is a byte of its own
  }
  return bytes;
}

}  // namespace corvane
