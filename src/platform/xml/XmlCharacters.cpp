#include "platform/xml/XmlCharacters.h"

#include <cstddef>
#include <optional>

namespace corvane::platform {
namespace {

struct Decoded {
  char32_t codePoint;
  std::size_t length;
};

// The code point at the start of text, or nullopt when the bytes there are
// not valid UTF-8 (overlong forms and surrogates included).
std::optional<Decoded> DecodeUtf8(std::string_view text) noexcept {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return Decoded{lead, 1};
  std::size_t length = 0;
  char32_t minimum = 0;
  char32_t codePoint = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return std::nullopt;
  return Decoded{codePoint, length};
}

bool IsXmlChar(char32_t c) noexcept {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

bool IsXmlText(std::string_view text) noexcept {
  while (!text.empty()) {
    const auto decoded = DecodeUtf8(text);
    if (!decoded || !IsXmlChar(decoded->codePoint)) return false;
    text.remove_prefix(decoded->length);
  }
  return true;
}

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const auto decoded = DecodeUtf8(text);
    const std::size_t length = decoded ? decoded->length : 1;
    if (decoded) {
      valid.append(text.substr(0, length));
    } else {
      valid.append("\xEF\xBF\xBD");
    }
    text.remove_prefix(length);
  }
  return valid;
}

}  // namespace corvane::platform
