#include "platform/registry/ExportRegistry.h"

#include <utility>

#include "platform/Text.h"

namespace corvane::platform {
namespace {

// An open key: the node and the tree that owns it.
class ExportRegistryKey : public RegistryKey {
 public:
  ExportRegistryKey(std::shared_ptr<const RegistryNode> root, const RegistryNode& node)
      : root_(std::move(root)), node_(&node) {}
  const RegistryNode& Node() const noexcept { return *node_; }

 private:
  std::shared_ptr<const RegistryNode> root_;
  const RegistryNode* node_;
};

const RegistryNode* FindPath(const RegistryNode& root, std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  const RegistryNode* node = &root;
  while (node && !path.empty()) {
    const std::size_t end = path.find('\\');
    const std::string_view name = path.substr(0, end);
    if (name.empty()) return nullptr;
    node = node->FindSubKey(name);
    path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
  }
  return node;
}

void AppendNarrow(std::vector<std::uint8_t>& out, std::string_view utf8) {
  const std::string narrow = Utf8ToWindows1252(utf8);
  out.insert(out.end(), narrow.begin(), narrow.end());
}

}  // namespace

ExportRegistry::ExportRegistry(std::shared_ptr<const RegistryNode> root) : root_(std::move(root)) {}

long ExportRegistry::OpenKey(std::string_view path, std::unique_ptr<RegistryKey>& key) const {
  key.reset();
  const RegistryNode* node = FindPath(*root_, path);
  if (!node) return regFileNotFound;
  key = std::make_unique<ExportRegistryKey>(root_, *node);
  return regSuccess;
}

long ExportRegistry::EnumKey(const RegistryKey& key, std::uint32_t index, std::size_t bufferSize,
                             std::string& name) const {
  const auto* open = dynamic_cast<const ExportRegistryKey*>(&key);
  if (!open) return regInvalidHandle;
  const RegistryNode& node = open->Node();
  if (index >= node.SubKeyCount()) return regNoMoreItems;
  std::string narrow = Utf8ToWindows1252(node.SubKeyAt(index).Name());
  if (narrow.size() + 1 > bufferSize) return regMoreData;
  name = std::move(narrow);
  return regSuccess;
}

long ExportRegistry::QueryValue(const RegistryKey& key, std::string_view valueName,
                                std::size_t bufferSize, std::uint32_t& type,
                                std::vector<std::uint8_t>& data) const {
  const auto* open = dynamic_cast<const ExportRegistryKey*>(&key);
  if (!open) return regInvalidHandle;
  const RegistryValue* value = open->Node().FindValue(valueName);
  if (!value) return regFileNotFound;
  type = value->type;
  std::vector<std::uint8_t> narrow = NarrowValueData(*value);
  if (narrow.size() > bufferSize) {
    data.clear();
    return regMoreData;
  }
  data = std::move(narrow);
  return regSuccess;
}

std::vector<std::uint8_t> NarrowValueData(const RegistryValue& value) {
  std::vector<std::uint8_t> out;
  switch (value.type) {
    case regSz:
    case regExpandSz:
      AppendNarrow(out, value.text);
      out.push_back(0);
      return out;
    case regMultiSz: {
      // Converted piece by piece so that the NUL separators stay where they are.
      std::string_view rest = value.text;
      while (true) {
        const std::size_t end = rest.find('\0');
        AppendNarrow(out, rest.substr(0, end));
        if (end == std::string_view::npos) return out;
        out.push_back(0);
        rest.remove_prefix(end + 1);
      }
    }
    default:
      return value.bytes;
  }
}

}  // namespace corvane::platform
