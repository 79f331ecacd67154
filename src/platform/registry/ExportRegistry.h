// ExportRegistry: the Registry operations over a parsed export. Immutable
// after construction; safe for concurrent use.
#pragma once

#include <memory>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryTree.h"

namespace corvane::platform {

class ExportRegistry : public Registry {
 public:
  // REQUIRES: root is not null.
  explicit ExportRegistry(std::shared_ptr<const RegistryNode> root);

  long OpenKey(std::string_view path, std::unique_ptr<RegistryKey>& key) const override;
  long EnumKey(const RegistryKey& key, std::uint32_t index, std::size_t bufferSize,
               std::string& name) const override;
  long QueryValue(const RegistryKey& key, std::string_view valueName, std::size_t bufferSize,
                  std::uint32_t& type, std::vector<std::uint8_t>& data) const override;

 private:
  std::shared_ptr<const RegistryNode> root_;
};

// The data of value as the narrow query returns it.
std::vector<std::uint8_t> NarrowValueData(const RegistryValue& value);

}  // namespace corvane::platform
