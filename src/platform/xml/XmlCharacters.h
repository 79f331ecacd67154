// UTF-8 checks for text that goes into or comes out of a document.
// Plain functions; safe on any thread.
#pragma once

#include <string>
#include <string_view>

namespace corvane::platform {

// Whether text is valid UTF-8 made only of characters that XML 1.0 can
// hold (tab, line feed, carriage return, U+0020 to U+D7FF, U+E000 to
// U+FFFD, U+10000 to U+10FFFF), so that a saved document loads again.
bool IsXmlText(std::string_view text) noexcept;

// text with every byte that is not part of a valid UTF-8 sequence
// replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

}  // namespace corvane::platform
