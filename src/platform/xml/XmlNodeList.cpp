#include "platform/xml/XmlNode.h"
#include "platform/xml/XmlNodeHandle.h"

namespace corvane::platform {

XmlNodePtr XmlNodeList::item(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= nodes_.size()) return nullptr;
  return nodes_[static_cast<std::size_t>(index)];
}

void XmlNodeList::removeAll() {
  for (const auto& node : nodes_) {
    if (auto* handle = dynamic_cast<XmlNodeHandle*>(node.get())) {
      handle->RemoveFromParent();
    } else if (node) {
      if (const auto parent = node->parentNode()) parent->removeChild(node);
    }
  }
}

}  // namespace corvane::platform
