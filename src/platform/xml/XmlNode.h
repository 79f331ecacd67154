// XmlNode and XmlNodeList: handles to nodes of an XmlDocument.
// A handle keeps the tree it points into alive, also after the document has
// loaded another one. Every operation locks the document's tree (shared for
// reads, exclusive for edits), so handles of one document may be used from
// many threads at once. A node removed from the tree stays valid (detached)
// as long as a handle refers to its tree. An XmlNodeList is a plain value.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

class XmlNode;
using XmlNodePtr = std::shared_ptr<XmlNode>;

enum class XmlNodeType {
  Element,
  Attribute,
  Text,
  CData,
  Comment,
  ProcessingInstruction,
  Document,
  Other
};

class XmlNodeList {
 public:
  XmlNodeList() = default;
  explicit XmlNodeList(std::vector<XmlNodePtr> nodes) : nodes_(std::move(nodes)) {}

  // The number of nodes.
  std::int32_t length() const noexcept { return static_cast<std::int32_t>(nodes_.size()); }
  // The node at index (from 0); null when out of range.
  XmlNodePtr item(std::int32_t index) const;
  // Removes every node of the list from its parent; a node without a parent
  // is left as it is. The nodes stay valid, detached.
  void removeAll();

  // The nodes, in the order of the list.
  const std::vector<XmlNodePtr>& Nodes() const noexcept { return nodes_; }

 private:
  std::vector<XmlNodePtr> nodes_;
};

class XmlNode {
 public:
  virtual ~XmlNode() = default;

  // The kind of node.
  virtual XmlNodeType nodeType() const = 0;
  // The qualified name of an element or attribute, the target of a
  // processing instruction, else "#text", "#cdata-section", "#comment" or
  // "#document".
  virtual std::string nodeName() const = 0;

  // The text content of the node and its descendants (text and CDATA, in
  // document order); an attribute's value.
  virtual std::string text() const = 0;
  // Replaces the node's content with one text node (none for ""); on an
  // attribute, text, CDATA, comment or processing instruction, its value.
  // Raises xmlInvalidOperation on the document node.
  virtual void setText(std::string_view text) = 0;

  // The first match in document order, or null. Patterns, evaluated
  // relative to this node: child steps "a/b", a leading "//" (descendants of
  // the tree's root), ".", and predicates "[@name='value']" and
  // "[child='value']" (exact comparison). Any other form, or a value holding
  // an apostrophe, raises xmlInvalidPattern with a text that names the
  // pattern; such a pattern never selects anything.
  virtual XmlNodePtr selectSingleNode(std::string_view pattern) const = 0;
  // Every match in document order, each once.
  virtual XmlNodeList selectNodes(std::string_view pattern) const = 0;

  // The children in document order (none for an attribute).
  virtual XmlNodeList childNodes() const = 0;
  // The first child, or null.
  virtual XmlNodePtr firstChild() const = 0;
  // The preceding sibling, or null (always null for an attribute).
  virtual XmlNodePtr previousSibling() const = 0;
  // The parent, or null for the document, a detached node or an attribute.
  virtual XmlNodePtr parentNode() const = 0;

  // Elements only: the attribute's value, or nullopt when it is absent.
  virtual std::optional<std::string> getAttribute(std::string_view name) const = 0;
  // Creates or replaces the attribute. Raises xmlInvalidArgument for a name
  // that is not an XML name, xmlInvalidOperation on a node that is no element.
  virtual void setAttribute(std::string_view name, std::string_view value) = 0;
  // Elements only: the attribute node (its text() is the value), or null.
  virtual XmlNodePtr getAttributeNode(std::string_view name) const {
    static_cast<void>(name);
    return nullptr;
  }

  // Moves node (of the same tree) to the end of this node's children.
  // REQUIRES: node is an element, text, CDATA, comment or processing
  // instruction that is neither this node nor one of its ancestors.
  // Raises xmlInvalidArgument (null node, other document) or
  // xmlInvalidOperation (a move the tree cannot hold).
  virtual void appendChild(const XmlNodePtr& node) = 0;
  // Removes child from this node; it stays valid, detached. Raises
  // xmlInvalidArgument when child is not a child of this node.
  virtual void removeChild(const XmlNodePtr& child) = 0;

  // Whether other is a handle to the same node.
  virtual bool isSameNode(const XmlNodePtr& other) const { return other.get() == this; }
};

}  // namespace corvane::platform
