#include "platform/xml/XmlCharacters.h"

#include "platform/Text.h"

#include <cstddef>
#include <optional>

namespace corvane::platform {
namespace {

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
