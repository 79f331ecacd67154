#include "crypto/Crypt.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

namespace corvane {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// The value of one hexadecimal digit (either case). Anything else makes the
// pair an invalid hexadecimal literal, which the host reports as a type
// mismatch.
std::uint8_t DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  throw Error::Runtime(rtTypeMismatch);
}

}  // namespace

std::string Crypt::p_BytesToHex(const Bytes& bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

Crypt::Bytes Crypt::p_HexToBytes(std::string_view text) {
  // Bytes rather than characters: a character outside ASCII is never a
  // digit, so it fails wherever it stands.
  Bytes bytes;
  bytes.reserve((text.size() + 1) / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    std::uint8_t value = DigitValue(text[i]);
    if (i + 1 < text.size()) {
      value = static_cast<std::uint8_t>(value * 16 + DigitValue(text[i + 1]));
    }
    bytes.push_back(value);
  }
  return bytes;
}

}  // namespace corvane
