#include "platform/xml/XmlNodeHandle.h"

#include <algorithm>

#include "platform/xml/XmlErrors.h"
#include "platform/xml/XmlNodeText.h"
#include "platform/xml/XmlPattern.h"
#include "platform/xml/XmlSelector.h"
#include "platform/xml/XmlTreeEdits.h"

namespace corvane::platform {
namespace {

// A bare child name ("Value", "Type") is the commonest pattern by far; it
// needs neither the pattern cache nor the general walk.
bool IsBareChildName(std::string_view pattern) noexcept {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  const auto digitOrDash = [](char c) { return (c >= '0' && c <= '9') || c == '-'; };
  if (pattern.empty() || !letter(pattern.front())) return false;
  return std::all_of(pattern.begin() + 1, pattern.end(),
                     [&](char c) { return letter(c) || digitOrDash(c); });
}

const xmlNode* FirstChildElementNamed(const xmlNode* node, std::string_view name) noexcept {
  if (node->type == XML_ATTRIBUTE_NODE) return nullptr;
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && HasQualifiedName(child, name)) return child;
  }
  return nullptr;
}


XmlNodeType TypeOf(const xmlNode* node) noexcept {
  switch (node->type) {
    case XML_ELEMENT_NODE:
      return XmlNodeType::Element;
    case XML_ATTRIBUTE_NODE:
      return XmlNodeType::Attribute;
    case XML_TEXT_NODE:
      return XmlNodeType::Text;
    case XML_CDATA_SECTION_NODE:
      return XmlNodeType::CData;
    case XML_COMMENT_NODE:
      return XmlNodeType::Comment;
    case XML_PI_NODE:
      return XmlNodeType::ProcessingInstruction;
    case XML_DOCUMENT_NODE:
      return XmlNodeType::Document;
    default:
      return XmlNodeType::Other;
  }
}

// Only these hold children that belong to the document's content.
bool HasContent(const xmlNode* node) noexcept {
  return node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE;
}

const xmlNode* ContentParent(const xmlNode* node) noexcept {
  return node->type == XML_ATTRIBUTE_NODE ? nullptr : node->parent;
}

// A namespace declaration read as an attribute ("xmlns" or "xmlns:p").
std::optional<std::string> NamespaceDeclaration(const xmlNode* element, std::string_view name) {
  std::string_view prefix;
  if (name != "xmlns") {
    if (!name.starts_with("xmlns:")) return std::nullopt;
    prefix = name.substr(6);
  }
  for (const xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next) {
    const std::string_view declared =
        ns->prefix == nullptr ? std::string_view{} : reinterpret_cast<const char*>(ns->prefix);
    if (declared == prefix && ns->href != nullptr) return reinterpret_cast<const char*>(ns->href);
  }
  return std::nullopt;
}

}  // namespace

XmlNodePtr XmlNodeHandle::Make(const std::shared_ptr<XmlTree>& tree, const xmlNode* node) {
  if (node == nullptr) return nullptr;
  return std::make_shared<XmlNodeHandle>(tree, const_cast<xmlNodePtr>(node));
}

XmlNodeType XmlNodeHandle::nodeType() const { return TypeOf(node_); }

std::string XmlNodeHandle::nodeName() const {
  TreeLock::Read lock(tree_->Lock());
  switch (node_->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
      return QualifiedName(node_);
    case XML_TEXT_NODE:
      return "#text";
    case XML_CDATA_SECTION_NODE:
      return "#cdata-section";
    case XML_COMMENT_NODE:
      return "#comment";
    case XML_DOCUMENT_NODE:
      return "#document";
    default:
      return node_->name == nullptr ? std::string() : reinterpret_cast<const char*>(node_->name);
  }
}

std::string XmlNodeHandle::text() const {
  TreeLock::Read lock(tree_->Lock());
  return TextContent(node_);
}

void XmlNodeHandle::setText(std::string_view text) {
  TreeLock::Write lock(tree_->Lock());
  SetNodeText(*tree_, node_, text);
}

XmlNodePtr XmlNodeHandle::selectSingleNode(std::string_view pattern) const {
  if (IsBareChildName(pattern)) {
    TreeLock::Read lock(tree_->Lock());
    return Make(FirstChildElementNamed(node_, pattern));
  }
  const XmlPattern& parsed = CachedXmlPattern(pattern);
  TreeLock::Read lock(tree_->Lock());
  if (XmlSelectionIndex::Covers(parsed)) {
    if (const auto indexed = tree_->Index().FirstMatch(node_, parsed)) return Make(*indexed);
  }
  return Make(SelectFirst(node_, parsed));
}

XmlNodeList XmlNodeHandle::selectNodes(std::string_view pattern) const {
  const XmlPattern& parsed = CachedXmlPattern(pattern);
  TreeLock::Read lock(tree_->Lock());
  std::vector<XmlNodePtr> nodes;
  for (const xmlNode* node : SelectAll(node_, parsed)) nodes.push_back(Make(node));
  return XmlNodeList(std::move(nodes));
}

XmlNodeList XmlNodeHandle::childNodes() const {
  TreeLock::Read lock(tree_->Lock());
  std::vector<XmlNodePtr> nodes;
  if (HasContent(node_)) {
    for (const xmlNode* child = node_->children; child != nullptr; child = child->next) {
      nodes.push_back(Make(child));
    }
  }
  return XmlNodeList(std::move(nodes));
}

XmlNodePtr XmlNodeHandle::firstChild() const {
  TreeLock::Read lock(tree_->Lock());
  return HasContent(node_) ? Make(node_->children) : nullptr;
}

XmlNodePtr XmlNodeHandle::previousSibling() const {
  TreeLock::Read lock(tree_->Lock());
  return node_->type == XML_ATTRIBUTE_NODE ? nullptr : Make(node_->prev);
}

XmlNodePtr XmlNodeHandle::parentNode() const {
  TreeLock::Read lock(tree_->Lock());
  return Make(ContentParent(node_));
}

std::optional<std::string> XmlNodeHandle::getAttribute(std::string_view name) const {
  TreeLock::Read lock(tree_->Lock());
  if (node_->type != XML_ELEMENT_NODE) return std::nullopt;
  if (const xmlAttr* attribute = FindAttribute(node_, name)) return AttributeValue(attribute);
  return NamespaceDeclaration(node_, name);
}

void XmlNodeHandle::setAttribute(std::string_view name, std::string_view value) {
  TreeLock::Write lock(tree_->Lock());
  SetElementAttribute(*tree_, node_, name, value);
}

XmlNodePtr XmlNodeHandle::getAttributeNode(std::string_view name) const {
  TreeLock::Read lock(tree_->Lock());
  return Make(reinterpret_cast<const xmlNode*>(FindAttribute(node_, name)));
}

void XmlNodeHandle::appendChild(const XmlNodePtr& node) {
  const XmlNodeHandle& child = SameTree(node);
  TreeLock::Write lock(tree_->Lock());
  AppendChildNode(*tree_, node_, child.node_);
}

void XmlNodeHandle::removeChild(const XmlNodePtr& child) {
  const XmlNodeHandle& removed = SameTree(child);
  TreeLock::Write lock(tree_->Lock());
  RemoveChildNode(*tree_, node_, removed.node_);
}

bool XmlNodeHandle::isSameNode(const XmlNodePtr& other) const {
  const auto* handle = dynamic_cast<const XmlNodeHandle*>(other.get());
  return handle != nullptr && handle->tree_ == tree_ && handle->node_ == node_;
}

void XmlNodeHandle::RemoveFromParent() {
  TreeLock::Write lock(tree_->Lock());
  DetachNode(*tree_, node_);
}

const XmlNodeHandle& XmlNodeHandle::SameTree(const XmlNodePtr& other) const {
  if (!other) throw XmlError(XmlFailure::NullNode);
  const auto* handle = dynamic_cast<const XmlNodeHandle*>(other.get());
  if (handle == nullptr || handle->tree_ != tree_) throw XmlError(XmlFailure::WrongDocument);
  return *handle;
}

}  // namespace corvane::platform
