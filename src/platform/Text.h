// Text helpers: ASCII case folding, UTF-8 code points and Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;
bool StartsWithNoCase(std::string_view text, std::string_view prefix) noexcept;
bool EndsWithNoCase(std::string_view text, std::string_view suffix) noexcept;
// The byte offset of the first occurrence of needle ignoring case, or npos.
std::size_t FindNoCase(std::string_view text, std::string_view needle) noexcept;
// Orders names as the file system enumerates them: ASCII-folded, then exact.
bool LessNameOrder(std::string_view a, std::string_view b) noexcept;

// Code points of UTF-8 text (an invalid byte counts as one).
std::size_t CodePointCount(std::string_view text) noexcept;
// The byte offset after the first n code points (the size when shorter).
std::size_t CodePointOffset(std::string_view text, std::size_t n) noexcept;

// One UTF-8 character: its code point and byte length.
struct Utf8Character {
  char32_t codePoint;
  std::size_t length;
};
// The character at the start of text, or nullopt when the bytes there are
// not valid UTF-8 (overlong forms and surrogates included).
// REQUIRES: text is not empty.
std::optional<Utf8Character> DecodeUtf8(std::string_view text) noexcept;
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-8 to Windows-1252 bytes; a character outside the code page (or an
// invalid UTF-8 sequence) becomes '?'.
std::string Utf8ToWindows1252(std::string_view text);
// Windows-1252 bytes to UTF-8; the five unassigned bytes map to U+0081 etc.
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace corvane::platform
