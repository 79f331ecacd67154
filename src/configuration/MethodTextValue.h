// The text a method text shows for a new value: "********" for a secret
// (an item stored encrypted, a runtime password or a connection string), so
// that no password reaches the event log in plain text.
#pragma once

#include <corvane/Variant.h>

#include <memory>
#include <string>

namespace corvane {

namespace platform {
class XmlDocument;
}

inline constexpr const char* kMaskedValue = "********";

bool IsSecretItemName(std::string_view itemName) noexcept;

// Never fails: a value without a text form shows its type name.
std::string MethodTextValue(const std::shared_ptr<platform::XmlDocument>& document,
                            const std::string& section, const std::string& item,
                            const Variant& value);

}  // namespace corvane
