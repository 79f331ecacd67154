// ExportText: the bytes of a registry export file as UTF-8 lines, whatever
// encoding the registry editor wrote. Pure functions; safe from any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

struct ExportText {
  std::string text;              // UTF-8
  bool incompleteUtf16 = false;  // a UTF-16 file with an odd number of bytes
};

// UTF-16 with a byte-order mark (as version 5.00 is written) is decoded; a
// UTF-8 mark is dropped; other text is UTF-8 when it is well formed and
// Windows-1252 otherwise (REGEDIT4 files are written in the ANSI code page).
ExportText DecodeExportText(std::string_view bytes);

// Splits at line feeds, dropping a carriage return before each.
std::vector<std::string_view> SplitExportLines(std::string_view text);

}  // namespace corvane::platform
