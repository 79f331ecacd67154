// What the host shares between plain creation and creation in a context.
#pragma once

#include <corvane/ComponentRegistry.h>

#include <string_view>

namespace corvane::platform {

// The source of the errors the host raises.
inline constexpr std::string_view kHostErrorSource = "Corvane.Host";

// Runs a factory; a missing factory, one that throws or one that yields
// nothing gives null, since both kinds of creation report their own error.
ObjectPtr CreateFromFactory(const ComponentRegistry::Factory& factory) noexcept;

}  // namespace corvane::platform
