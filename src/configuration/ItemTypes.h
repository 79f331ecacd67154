// The stored item types and the value types each one reads and accepts.
#pragma once

#include <corvane/Variant.h>

#include <string_view>

namespace corvane {

enum class ItemType { Int, String, Unknown };

// "INT" or "STRING" in any case.
ItemType ParseItemType(std::string_view typeText) noexcept;
// INT takes a 16-bit integer or a byte, STRING a string.
bool AcceptsForSet(ItemType type, const Variant& value) noexcept;
// "INT" for 16- and 32-bit integers and bytes, "STRING" for every other value.
const char* StoredTypeFor(const Variant& value) noexcept;

}  // namespace corvane
