#include "platform/xml/XmlSourceLine.h"

#include "platform/Text.h"
#include "platform/xml/XmlCharacters.h"

#include <cstddef>

namespace corvane::platform {
namespace {

bool EndsTagName(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/';
}

}  // namespace

std::string SourceLine(std::string_view source, std::int32_t line) {
  if (line < 1) return {};
  std::size_t start = 0;
  for (std::int32_t current = 1; current < line; ++current) {
    const std::size_t end = source.find_first_of("\r\n", start);
    if (end == std::string_view::npos) return {};
    start =
        end + ((source[end] == '\r' && end + 1 < source.size() && source[end + 1] == '\n') ? 2 : 1);
  }
  const std::size_t end = source.find_first_of("\r\n", start);
  return ValidUtf8(source.substr(start, end == std::string_view::npos ? end : end - start));
}

std::int32_t ElementColumn(std::string_view lineText, std::string_view name) {
  const std::string tag = "<" + std::string(name);
  for (std::size_t at = lineText.find(tag); at != std::string_view::npos;
       at = lineText.find(tag, at + 1)) {
    const std::size_t after = at + tag.size();
    if (after == lineText.size() || EndsTagName(lineText[after])) {
      return static_cast<std::int32_t>(CodePointCount(lineText.substr(0, at))) + 1;
    }
  }
  return 0;
}

}  // namespace corvane::platform
