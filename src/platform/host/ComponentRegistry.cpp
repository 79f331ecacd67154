#include <corvane/ComponentRegistry.h>
#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <mutex>
#include <utility>

#include "platform/Text.h"
#include "platform/host/BuiltInComponents.h"
#include "platform/host/HostErrors.h"

namespace corvane {

ComponentRegistry::ComponentRegistry() = default;

ComponentRegistry& ComponentRegistry::Instance() {
  static ComponentRegistry* registry = [] {
    auto* created = new ComponentRegistry();  // never destroyed: factories outlive static teardown
    platform::RegisterBuiltInComponents(*created);
    return created;
  }();
  return *registry;
}

void ComponentRegistry::Register(std::string_view progId, Factory factory) {
  std::unique_lock lock(mutex_);
  factories_[platform::ToLowerAscii(progId)] = std::move(factory);
}

bool ComponentRegistry::Unregister(std::string_view progId) {
  std::unique_lock lock(mutex_);
  return factories_.erase(platform::ToLowerAscii(progId)) > 0;
}

bool ComponentRegistry::IsRegistered(std::string_view progId) const {
  return static_cast<bool>(Find(progId));
}

ComponentRegistry::Factory ComponentRegistry::Find(std::string_view progId) const {
  std::shared_lock lock(mutex_);
  auto it = factories_.find(platform::ToLowerAscii(progId));
  return it == factories_.end() ? Factory() : it->second;
}

ObjectPtr ComponentRegistry::CreateObject(std::string_view progId) const {
  ObjectPtr object = platform::CreateFromFactory(Find(progId));
  if (!object) {
    throw Error::Runtime(rtCannotCreateObject, std::string(platform::kHostErrorSource));
  }
  return object;
}

ScopedComponentRegistration::ScopedComponentRegistration(std::string progId,
                                                         ComponentRegistry::Factory factory)
    : progId_(std::move(progId)), previous_(ComponentRegistry::Instance().Find(progId_)) {
  if (factory) {
    ComponentRegistry::Instance().Register(progId_, std::move(factory));
  } else {
    ComponentRegistry::Instance().Unregister(progId_);
  }
}

ScopedComponentRegistration::~ScopedComponentRegistration() {
  if (previous_) {
    ComponentRegistry::Instance().Register(progId_, std::move(previous_));
  } else {
    ComponentRegistry::Instance().Unregister(progId_);
  }
}

}  // namespace corvane
