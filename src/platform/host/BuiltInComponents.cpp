#include "platform/host/BuiltInComponents.h"

#include <corvane/Configuration.h>
#include <corvane/Log.h>

namespace corvane::platform {

void RegisterBuiltInComponents(ComponentRegistry& registry) {
  registry.Register("Corvane.Configuration", [] { return Configuration::Create(); });
  registry.Register("Corvane.Log", [] { return Log::Create(); });
}

}  // namespace corvane::platform
