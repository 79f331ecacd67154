#include "platform/registry/ExportText.h"

#include "platform/Text.h"
#include "platform/registry/Utf16Text.h"

namespace corvane::platform {

ExportText DecodeExportText(std::string_view bytes) {
  auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
    const ByteOrder order = bytes[0] == '\xFF' ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
    const std::string_view body = bytes.substr(2);
    return {Utf16ToUtf8(body, order), body.size() % 2 != 0};
  }
  if (startsWith("\xEF\xBB\xBF")) return {std::string(bytes.substr(3)), false};
  if (IsValidUtf8(bytes)) return {std::string(bytes), false};
  return {Windows1252ToUtf8(bytes), false};
}

std::vector<std::string_view> SplitExportLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (true) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace corvane::platform
