#include "platform/xml/XmlTreeEdits.h"

#include "platform/xml/XmlCharacters.h"
#include "platform/xml/XmlErrors.h"
#include "platform/xml/XmlNodeText.h"

#include <climits>
#include <string>

namespace corvane::platform {
namespace {

const xmlChar* Chars(const std::string& text) noexcept {
  return reinterpret_cast<const xmlChar*>(text.c_str());
}

int Length(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(INT_MAX)) throw XmlError(XmlFailure::InvalidText);
  return static_cast<int>(text.size());
}

void RequireXmlText(std::string_view text) {
  if (!IsXmlText(text)) throw XmlError(XmlFailure::InvalidText);
}

// Links child as parent's last child without xmlAddChild, which merges a
// text node into its neighbour and frees it.
void LinkLast(xmlNodePtr parent, xmlNodePtr child) noexcept {
  child->parent = parent;
  child->next = nullptr;
  child->prev = parent->last;
  if (parent->last != nullptr) {
    parent->last->next = child;
  } else {
    parent->children = child;
  }
  parent->last = child;
}

void DetachChildren(XmlTree& tree, xmlNodePtr parent) {
  while (xmlNodePtr child = parent->children) {
    xmlUnlinkNode(child);
    tree.KeepDetached(child);
  }
}

void SetElementText(XmlTree& tree, xmlNodePtr element, std::string_view text) {
  xmlNodePtr only = element->children;
  // The common case (an item's value) rewrites the one text node in place.
  if (!text.empty() && only != nullptr && only->next == nullptr && only->type == XML_TEXT_NODE) {
    xmlNodeSetContentLen(only, reinterpret_cast<const xmlChar*>(text.data()), Length(text));
    return;
  }
  DetachChildren(tree, element);
  if (text.empty()) return;
  xmlNodePtr node = xmlNewDocTextLen(tree.Document(), reinterpret_cast<const xmlChar*>(text.data()),
                                     Length(text));
  if (node == nullptr) throw std::bad_alloc();
  LinkLast(element, node);
}

bool CanBeChild(const xmlNode* node) noexcept {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
      return true;
    default:
      return false;
  }
}

bool CanHold(const xmlNode* parent, const xmlNode* child) noexcept {
  if (parent->type == XML_ELEMENT_NODE) return true;
  if (parent->type != XML_DOCUMENT_NODE) return false;
  if (child->type == XML_COMMENT_NODE || child->type == XML_PI_NODE) return true;
  if (child->type != XML_ELEMENT_NODE) return false;
  const xmlNode* root = xmlDocGetRootElement(reinterpret_cast<const xmlDoc*>(parent));
  return root == nullptr || root == child;
}

bool IsSelfOrAncestor(const xmlNode* node, const xmlNode* of) noexcept {
  for (const xmlNode* cur = of; cur != nullptr; cur = cur->parent) {
    if (cur == node) return true;
  }
  return false;
}

}  // namespace

void SetNodeText(XmlTree& tree, xmlNodePtr node, std::string_view text) {
  RequireXmlText(text);
  switch (node->type) {
    case XML_ELEMENT_NODE:
      SetElementText(tree, node, text);
      break;
    case XML_ATTRIBUTE_NODE: {
      auto* attribute = reinterpret_cast<xmlAttrPtr>(node);
      if (attribute->parent == nullptr) throw XmlError(XmlFailure::WrongNodeType);
      const std::string value(text);
      xmlSetNsProp(attribute->parent, attribute->ns, attribute->name, Chars(value));
      break;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
      xmlNodeSetContentLen(node, reinterpret_cast<const xmlChar*>(text.data()), Length(text));
      break;
    default:
      throw XmlError(XmlFailure::WrongNodeType);
  }
  tree.Changed();
}

void SetElementAttribute(XmlTree& tree, xmlNodePtr element, std::string_view name,
                         std::string_view value) {
  if (element->type != XML_ELEMENT_NODE) throw XmlError(XmlFailure::WrongNodeType);
  if (!IsXmlName(name)) throw XmlError(XmlFailure::InvalidName, name);
  RequireXmlText(value);
  const std::string nameText(name);
  const std::string valueText(value);
  if (xmlSetProp(element, Chars(nameText), Chars(valueText)) == nullptr) throw std::bad_alloc();
  tree.Changed();
}

void AppendChildNode(XmlTree& tree, xmlNodePtr parent, xmlNodePtr child) {
  if (!CanBeChild(child) || !CanHold(parent, child) || IsSelfOrAncestor(child, parent)) {
    throw XmlError(XmlFailure::HierarchyRequest);
  }
  if (child->parent == nullptr) {
    tree.Reattach(child);
  } else {
    xmlUnlinkNode(child);
  }
  LinkLast(parent, child);
  // Namespaces declared on the old ancestors must be declared again here.
  if (child->type == XML_ELEMENT_NODE) xmlReconciliateNs(tree.Document(), child);
  tree.Changed();
}

void RemoveChildNode(XmlTree& tree, xmlNodePtr parent, xmlNodePtr child) {
  if (child->type == XML_ATTRIBUTE_NODE || child->parent != parent) {
    throw XmlError(XmlFailure::NotAChild);
  }
  DetachNode(tree, child);
}

void DetachNode(XmlTree& tree, xmlNodePtr node) {
  if (node->type == XML_ATTRIBUTE_NODE || node->parent == nullptr) return;
  xmlUnlinkNode(node);
  tree.KeepDetached(node);
  tree.Changed();
}

xmlNodePtr CreateDetachedElement(XmlTree& tree, std::string_view name) {
  if (!IsXmlName(name)) throw XmlError(XmlFailure::InvalidName, name);
  const std::string nameText(name);
  xmlNodePtr element = xmlNewDocNode(tree.Document(), nullptr, Chars(nameText), nullptr);
  if (element == nullptr) throw std::bad_alloc();
  tree.KeepDetached(element);
  return element;
}

}  // namespace corvane::platform
