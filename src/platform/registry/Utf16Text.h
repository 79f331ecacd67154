// UTF-16 to UTF-8, for registry exports and their wide string data.
// Pure functions; safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace corvane::platform {

enum class ByteOrder { LittleEndian, BigEndian };

// Decodes UTF-16 code units; an unpaired surrogate becomes U+FFFD and an
// odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order = ByteOrder::LittleEndian);

// True when text is well-formed UTF-8 (no overlongs, surrogates or values
// above U+10FFFF).
bool IsValidUtf8(std::string_view text) noexcept;

}  // namespace corvane::platform
