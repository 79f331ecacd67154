// ComponentRegistry: the process-wide map from ProgID to factory.
// ProgIDs compare without regard to case. Safe for concurrent use.
#pragma once

#include <corvane/Object.h>

#include <functional>
#include <map>
#include <shared_mutex>
#include <string>
#include <string_view>

namespace corvane {

class ComponentRegistry {
 public:
  using Factory = std::function<ObjectPtr()>;

  // The registry of the process, with the library's own classes registered.
  static ComponentRegistry& Instance();

  // Registers or replaces the factory of progId.
  void Register(std::string_view progId, Factory factory);
  // Returns false when progId was not registered.
  bool Unregister(std::string_view progId);
  bool IsRegistered(std::string_view progId) const;
  // The factory of progId, or an empty function.
  Factory Find(std::string_view progId) const;

  // Plain creation by ProgID: no context, no activation. An unregistered
  // ProgID, a factory that fails or yields nothing fails with error 429.
  ObjectPtr CreateObject(std::string_view progId) const;

 private:
  ComponentRegistry();

  mutable std::shared_mutex mutex_;
  std::map<std::string, Factory> factories_;  // keyed by the lower-cased ProgID
};

// Registers a factory for one scope and restores what was there before.
class ScopedComponentRegistration {
 public:
  ScopedComponentRegistration(std::string progId, ComponentRegistry::Factory factory);
  ~ScopedComponentRegistration();
  ScopedComponentRegistration(const ScopedComponentRegistration&) = delete;
  ScopedComponentRegistration& operator=(const ScopedComponentRegistration&) = delete;

 private:
  std::string progId_;
  ComponentRegistry::Factory previous_;
};

}  // namespace corvane
