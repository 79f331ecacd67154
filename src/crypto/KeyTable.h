// The fixed table of the ten keys that encrypted values are written with.
// Constant; safe to read from any thread.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane {

inline constexpr std::size_t kCryptKeyCount = 10;

// The key texts, indexed by the key index that prefixes an encrypted value.
const std::array<std::string_view, kCryptKeyCount>& CryptKeyTable() noexcept;

}  // namespace corvane
