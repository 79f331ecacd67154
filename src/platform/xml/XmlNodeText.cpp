#include "platform/xml/XmlNodeText.h"

#include <cstring>

namespace corvane::platform {
namespace {

std::string_view View(const xmlChar* text) noexcept {
  return text == nullptr ? std::string_view{}
                         : std::string_view(reinterpret_cast<const char*>(text));
}

bool NameMatches(const xmlNs* ns, const xmlChar* localName, std::string_view name) noexcept {
  const std::string_view local = View(localName);
  if (ns == nullptr || ns->prefix == nullptr) return local == name;
  const std::string_view prefix = View(ns->prefix);
  return name.size() == prefix.size() + 1 + local.size() && name.starts_with(prefix) &&
         name[prefix.size()] == ':' && name.ends_with(local);
}

bool IsTextual(const xmlNode* node) noexcept {
  return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

// Attributes, the DTD and entity references hold children that are not
// part of the document's content (an entity's children are shared).
bool HasContentChildren(const xmlNode* node) noexcept {
  return node->children != nullptr && node->type != XML_ATTRIBUTE_NODE &&
         node->type != XML_DTD_NODE && node->type != XML_ENTITY_REF_NODE;
}

}  // namespace

std::string QualifiedName(const xmlNode* node) {
  std::string name;
  if ((node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) && node->ns != nullptr &&
      node->ns->prefix != nullptr) {
    name.append(View(node->ns->prefix)).push_back(':');
  }
  name.append(View(node->name));
  return name;
}

bool HasQualifiedName(const xmlNode* node, std::string_view name) noexcept {
  return NameMatches(node->ns, node->name, name);
}

bool HasQualifiedName(const xmlAttr* attribute, std::string_view name) noexcept {
  return NameMatches(attribute->ns, attribute->name, name);
}

const xmlNode* NextInSubtree(const xmlNode* node, const xmlNode* root) noexcept {
  if (HasContentChildren(node)) return node->children;
  while (node != root) {
    if (node->next != nullptr) return node->next;
    node = node->parent;
  }
  return nullptr;
}

std::string TextContent(const xmlNode* node) {
  if (node->type == XML_ATTRIBUTE_NODE) {
    return AttributeValue(reinterpret_cast<const xmlAttr*>(node));
  }
  if (node->type != XML_ELEMENT_NODE && node->type != XML_DOCUMENT_NODE &&
      node->type != XML_DOCUMENT_FRAG_NODE) {
    return std::string(View(node->content));
  }
  std::string text;
  for (const xmlNode* cur = node->children; cur != nullptr; cur = NextInSubtree(cur, node)) {
    if (IsTextual(cur)) text.append(View(cur->content));
  }
  return text;
}

bool TextContentEquals(const xmlNode* node, std::string_view value) {
  const xmlNode* child = node->children;
  if (child == nullptr) return value.empty();
  if (child->next == nullptr && IsTextual(child)) return View(child->content) == value;
  return TextContent(node) == value;
}

const xmlAttr* FindAttribute(const xmlNode* element, std::string_view name) noexcept {
  if (element->type != XML_ELEMENT_NODE) return nullptr;
  for (const xmlAttr* attribute = element->properties; attribute != nullptr;
       attribute = attribute->next) {
    if (HasQualifiedName(attribute, name)) return attribute;
  }
  return nullptr;
}

std::string AttributeValue(const xmlAttr* attribute) {
  std::string value;
  for (const xmlNode* child = attribute->children; child != nullptr; child = child->next) {
    if (IsTextual(child)) value.append(View(child->content));
  }
  return value;
}

bool AttributeValueEquals(const xmlAttr* attribute, std::string_view value) {
  const xmlNode* child = attribute->children;
  if (child == nullptr) return value.empty();
  if (child->next == nullptr && IsTextual(child)) return View(child->content) == value;
  return AttributeValue(attribute) == value;
}

bool IsXmlName(std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  const std::string copy(name);
  return xmlValidateName(reinterpret_cast<const xmlChar*>(copy.c_str()), 0) == 0;
}

}  // namespace corvane::platform
