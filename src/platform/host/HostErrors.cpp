#include "platform/host/HostErrors.h"

namespace corvane::platform {

ObjectPtr CreateFromFactory(const ComponentRegistry::Factory& factory) noexcept {
  if (!factory) return nullptr;
  try {
    return factory();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace corvane::platform
