// XmlNode and XmlNodeList: handles to nodes of an XmlDocument.
// A handle keeps its document alive. Every operation locks the document's
// tree (shared for reads, exclusive for edits), so handles of one document
// may be used from many threads at once. A node removed from the tree stays
// valid (detached) until its document goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

class XmlDocumentImpl;  // the shared tree behind a document
class XmlNode;
using XmlNodePtr = std::shared_ptr<XmlNode>;

enum class XmlNodeType { Element, Attribute, Text, CData, Comment, ProcessingInstruction, Document, Other };

class XmlNodeList {
 public:
  XmlNodeList() = default;
  explicit XmlNodeList(std::vector<XmlNodePtr> nodes) : nodes_(std::move(nodes)) {}

  std::int32_t length() const noexcept { return static_cast<std::int32_t>(nodes_.size()); }
  // index from 0; null when out of range.
  XmlNodePtr item(std::int32_t index) const;
  // Removes every node of the list from its parent.
  void removeAll();

  const std::vector<XmlNodePtr>& Nodes() const noexcept { return nodes_; }

 private:
  std::vector<XmlNodePtr> nodes_;
};

class XmlNode {
 public:
  virtual ~XmlNode() = default;

  virtual XmlNodeType nodeType() const = 0;
  virtual std::string nodeName() const = 0;

  // The text content of the node and its descendants.
  virtual std::string text() const = 0;
  // Replaces the node's content with one text node.
  virtual void setText(std::string_view text) = 0;

  // The first match in document order, or null. An invalid pattern (one
  // outside the accepted forms, or a value holding an apostrophe) raises
  // xmlInvalidPattern with a text that names the pattern.
  virtual XmlNodePtr selectSingleNode(std::string_view pattern) const = 0;
  // Every match in document order.
  virtual XmlNodeList selectNodes(std::string_view pattern) const = 0;

  virtual XmlNodeList childNodes() const = 0;
  virtual XmlNodePtr firstChild() const = 0;
  virtual XmlNodePtr previousSibling() const = 0;
  virtual XmlNodePtr parentNode() const = 0;

  // Elements only: the attribute's value, or nullopt when it is absent.
  virtual std::optional<std::string> getAttribute(std::string_view name) const = 0;
  virtual void setAttribute(std::string_view name, std::string_view value) = 0;

  // Moves node (of the same document) to the end of this node's children.
  virtual void appendChild(const XmlNodePtr& node) = 0;
  // Removes child from this node; it stays valid, detached.
  virtual void removeChild(const XmlNodePtr& child) = 0;
};

}  // namespace corvane::platform
