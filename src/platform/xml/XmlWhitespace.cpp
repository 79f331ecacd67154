#include "platform/xml/XmlNodeText.h"
#include "platform/xml/XmlParser.h"

#include <string_view>

namespace corvane::platform {
namespace {

bool IsWhitespaceOnly(const xmlNode* node) noexcept {
  if (node->type != XML_TEXT_NODE || node->content == nullptr) return false;
  const std::string_view text(reinterpret_cast<const char*>(node->content));
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

bool IsMarkup(const xmlNode* node) noexcept {
  return node->type == XML_ELEMENT_NODE || node->type == XML_COMMENT_NODE ||
         node->type == XML_PI_NODE;
}

bool HasMarkupChild(const xmlNode* node) noexcept {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (IsMarkup(child)) return true;
  }
  return false;
}

// Whitespace inside text-only content (<Value> </Value>) is data and stays.
void DropBlankChildren(xmlNodePtr parent) {
  if (!HasMarkupChild(parent)) return;
  if (parent->type == XML_ELEMENT_NODE && xmlNodeGetSpacePreserve(parent) == 1) return;
  for (xmlNodePtr child = parent->children; child != nullptr;) {
    xmlNodePtr next = child->next;
    if (IsWhitespaceOnly(child)) {
      xmlUnlinkNode(child);
      xmlFreeNode(child);
    }
    child = next;
  }
}

}  // namespace

void DropWhitespaceBetweenElements(xmlDocPtr document) {
  auto* root = reinterpret_cast<xmlNodePtr>(document);
  for (xmlNodePtr node = root; node != nullptr;
       node = const_cast<xmlNodePtr>(NextInSubtree(node, root))) {
    if (node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE) DropBlankChildren(node);
  }
}

}  // namespace corvane::platform
