// XmlNodeHandle: the XmlNode behind every node a document hands out. It
// holds its tree by shared_ptr (so the tree outlives it) and takes the
// tree's lock in every method. Copies of the shared_ptr are made from the
// caller's handle, so threads that start from their own document node
// touch only their own reference counts.
#pragma once

#include "platform/xml/XmlNode.h"
#include "platform/xml/XmlTree.h"

#include <memory>

namespace corvane::platform {

class XmlNodeHandle final : public XmlNode {
 public:
  XmlNodeHandle(std::shared_ptr<XmlTree> tree, xmlNodePtr node) noexcept
      : tree_(std::move(tree)), node_(node) {}

  // A handle to node, or null for null.
  static XmlNodePtr Make(const std::shared_ptr<XmlTree>& tree, const xmlNode* node);

  XmlNodeType nodeType() const override;
  std::string nodeName() const override;
  std::string text() const override;
  void setText(std::string_view text) override;
  XmlNodePtr selectSingleNode(std::string_view pattern) const override;
  XmlNodeList selectNodes(std::string_view pattern) const override;
  XmlNodeList childNodes() const override;
  XmlNodePtr firstChild() const override;
  XmlNodePtr previousSibling() const override;
  XmlNodePtr parentNode() const override;
  std::optional<std::string> getAttribute(std::string_view name) const override;
  void setAttribute(std::string_view name, std::string_view value) override;
  XmlNodePtr getAttributeNode(std::string_view name) const override;
  void appendChild(const XmlNodePtr& node) override;
  void removeChild(const XmlNodePtr& child) override;
  bool isSameNode(const XmlNodePtr& other) const override;

  // Detaches the node from its parent, if it has one.
  void RemoveFromParent();

 private:
  // The handle behind other, which must point into this handle's tree.
  const XmlNodeHandle& SameTree(const XmlNodePtr& other) const;
  XmlNodePtr Make(const xmlNode* node) const { return Make(tree_, node); }

  std::shared_ptr<XmlTree> tree_;
  xmlNodePtr node_;
};

}  // namespace corvane::platform
