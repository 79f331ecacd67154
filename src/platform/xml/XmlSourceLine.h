// The source text behind a parse error: one line of the input, as UTF-8.
// Plain functions; safe on any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::platform {

// Line number line (from 1) of source, without its line break ("\n", "\r\n"
// or "\r"); bytes that are not UTF-8 become U+FFFD. Empty when source has
// no such line.
std::string SourceLine(std::string_view source, std::int32_t line);

// The column (from 1, in characters) of the start tag of the element named
// name on lineText, or 0 when the line holds none.
std::int32_t ElementColumn(std::string_view lineText, std::string_view name);

}  // namespace corvane::platform
