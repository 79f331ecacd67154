#include "platform/registry/RegistryTree.h"

#include <utility>

#include "platform/Text.h"

namespace corvane::platform {
namespace {

// Removes position from a vector and its name index, renumbering the rest.
template <class Items>
void EraseIndexed(Items& items, std::unordered_map<std::string, std::size_t>& index,
                  const std::string& key) {
  auto found = index.find(key);
  if (found == index.end()) return;
  const std::size_t position = found->second;
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(position));
  index.erase(found);
  for (auto& entry : index) {
    if (entry.second > position) --entry.second;
  }
}

}  // namespace

const RegistryNode* RegistryNode::FindSubKey(std::string_view name) const {
  auto found = subKeyIndex_.find(ToLowerAscii(name));
  return found == subKeyIndex_.end() ? nullptr : subKeys_[found->second].get();
}

RegistryNode* RegistryNode::FindSubKey(std::string_view name) {
  return const_cast<RegistryNode*>(std::as_const(*this).FindSubKey(name));
}

RegistryNode& RegistryNode::AddSubKey(std::string_view name) {
  std::string key = ToLowerAscii(name);
  auto found = subKeyIndex_.find(key);
  if (found != subKeyIndex_.end()) return *subKeys_[found->second];
  subKeys_.push_back(std::make_unique<RegistryNode>(std::string(name)));
  subKeyIndex_.emplace(std::move(key), subKeys_.size() - 1);
  return *subKeys_.back();
}

bool RegistryNode::RemoveSubKey(std::string_view name) {
  const std::string key = ToLowerAscii(name);
  if (!subKeyIndex_.contains(key)) return false;
  EraseIndexed(subKeys_, subKeyIndex_, key);
  return true;
}

const RegistryValue* RegistryNode::FindValue(std::string_view name) const {
  auto found = valueIndex_.find(ToLowerAscii(name));
  return found == valueIndex_.end() ? nullptr : &values_[found->second];
}

void RegistryNode::SetValue(RegistryValue value) {
  std::string key = ToLowerAscii(value.name);
  auto found = valueIndex_.find(key);
  if (found != valueIndex_.end()) {
    value.name = values_[found->second].name;
    values_[found->second] = std::move(value);
    return;
  }
  values_.push_back(std::move(value));
  valueIndex_.emplace(std::move(key), values_.size() - 1);
}

void RegistryNode::RemoveValue(std::string_view name) {
  EraseIndexed(values_, valueIndex_, ToLowerAscii(name));
}

}  // namespace corvane::platform
