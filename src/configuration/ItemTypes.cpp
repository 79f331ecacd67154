#include "configuration/ItemTypes.h"

#include "platform/Text.h"

namespace corvane {

ItemType ParseItemType(std::string_view typeText) noexcept {
  if (platform::EqualsNoCase(typeText, "INT")) return ItemType::Int;
  if (platform::EqualsNoCase(typeText, "STRING")) return ItemType::String;
  return ItemType::Unknown;
}

bool AcceptsForSet(ItemType type, const Variant& value) noexcept {
  switch (type) {
    case ItemType::Int: return value.Type() == VarType::Int16 || value.Type() == VarType::Byte;
    case ItemType::String: return value.Type() == VarType::String;
    case ItemType::Unknown: break;
  }
  return false;
}

const char* StoredTypeFor(const Variant& value) noexcept {
  switch (value.Type()) {
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Byte: return "INT";
    default: return "STRING";
  }
}

}  // namespace corvane
