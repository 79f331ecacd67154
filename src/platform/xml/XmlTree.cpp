#include "platform/xml/XmlTree.h"

#include <utility>

namespace corvane::platform {

XmlTree::XmlTree(std::shared_ptr<TreeLock> lock, xmlDocPtr document)
    : lock_(std::move(lock)), document_(document) {}

XmlTree::~XmlTree() {
  index_.Clear();
  // Detached nodes still use the document's name dictionary, so they go first.
  for (xmlNodePtr node : detached_) xmlFreeNode(node);
  xmlFreeDoc(document_);
}

void XmlTree::KeepDetached(xmlNodePtr node) { detached_.insert(node); }

void XmlTree::Reattach(xmlNodePtr node) { detached_.erase(node); }

void XmlTree::Changed() noexcept { index_.Clear(); }

}  // namespace corvane::platform
