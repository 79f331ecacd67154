// The library's creatable classes, registered in every process registry.
#pragma once

#include <corvane/ComponentRegistry.h>

namespace corvane::platform {

void RegisterBuiltInComponents(ComponentRegistry& registry);

}  // namespace corvane::platform
