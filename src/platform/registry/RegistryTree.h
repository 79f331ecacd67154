// RegistryTree: the keys and values of a parsed export. Built by one thread,
// then only read, so a finished tree may be shared between threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::platform {

// One value. String types (1, 2, 7) keep UTF-8 text (a multi-string with its
// NUL separators); every other type keeps its raw bytes.
struct RegistryValue {
  std::string name;  // as first spelled; empty for the default value
  std::uint32_t type = 0;
  std::string text;
  std::vector<std::uint8_t> bytes;
};

class RegistryNode {
 public:
  explicit RegistryNode(std::string name) : name_(std::move(name)) {}

  const std::string& Name() const noexcept { return name_; }
  std::size_t SubKeyCount() const noexcept { return subKeys_.size(); }
  const RegistryNode& SubKeyAt(std::size_t index) const { return *subKeys_[index]; }

  // The subkey named name without regard to ASCII case, or null.
  const RegistryNode* FindSubKey(std::string_view name) const;
  RegistryNode* FindSubKey(std::string_view name);
  // The existing subkey, or a new one appended after the others.
  RegistryNode& AddSubKey(std::string_view name);
  // Drops the subkey and everything below it; false when there is none.
  bool RemoveSubKey(std::string_view name);

  // The value named name without regard to ASCII case, or null.
  const RegistryValue* FindValue(std::string_view name) const;
  // Replaces the value of that name, keeping its first spelling.
  void SetValue(RegistryValue value);
  void RemoveValue(std::string_view name);

 private:
  std::string name_;
  std::vector<std::unique_ptr<RegistryNode>> subKeys_;
  std::unordered_map<std::string, std::size_t> subKeyIndex_;  // folded name -> position
  std::vector<RegistryValue> values_;
  std::unordered_map<std::string, std::size_t> valueIndex_;  // folded name -> position
};

}  // namespace corvane::platform
