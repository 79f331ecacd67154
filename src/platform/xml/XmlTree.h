// XmlTree: one parsed libxml2 document together with the nodes detached
// from it and its selection index. Handles keep a tree alive through
// shared_ptr; the tree is freed, detached nodes included, when the last
// handle and the document have let it go. Reads need a TreeLock::Read of
// Lock(), edits a TreeLock::Write.
#pragma once

#include "platform/xml/TreeLock.h"
#include "platform/xml/XmlSelectionIndex.h"

#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_set>

namespace corvane::platform {

class XmlTree {
 public:
  // Takes ownership of document.
  XmlTree(std::shared_ptr<TreeLock> lock, xmlDocPtr document);
  ~XmlTree();
  XmlTree(const XmlTree&) = delete;
  XmlTree& operator=(const XmlTree&) = delete;

  TreeLock& Lock() const noexcept { return *lock_; }
  xmlDocPtr Document() const noexcept { return document_; }

  // Keeps a node that has just left the tree (or was just created) until
  // the tree goes. REQUIRES: write lock; node has no parent.
  void KeepDetached(xmlNodePtr node);
  // Forgets node as a detached root, because it is joining a parent.
  // REQUIRES: write lock.
  void Reattach(xmlNodePtr node);
  // Records an edit: the selection index no longer holds. REQUIRES: write lock.
  void Changed() noexcept;

  // The selection index of the current contents. REQUIRES: read lock.
  XmlSelectionIndex& Index() const noexcept { return index_; }
  // Serializes calls that briefly touch the document while it is only
  // read-locked (libxml2's serializer swaps the document's encoding field).
  std::mutex& SerializerMutex() const noexcept { return serializerMutex_; }

 private:
  std::shared_ptr<TreeLock> lock_;
  xmlDocPtr document_;
  std::unordered_set<xmlNodePtr> detached_;
  mutable XmlSelectionIndex index_;
  mutable std::mutex serializerMutex_;
};

}  // namespace corvane::platform
