// Read helpers over libxml2 nodes: qualified names, text content and
// attributes, without locks of their own. REQUIRES: the caller holds the
// tree's lock (read or write).
#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace corvane::platform {

// The node's name with its namespace prefix, as written in the document.
std::string QualifiedName(const xmlNode* node);
bool HasQualifiedName(const xmlNode* node, std::string_view name) noexcept;
bool HasQualifiedName(const xmlAttr* attribute, std::string_view name) noexcept;

// The next node after node in document order within root's subtree
// (children before siblings), or null after the last one.
const xmlNode* NextInSubtree(const xmlNode* node, const xmlNode* root) noexcept;

// The concatenated text and CDATA below node (node's own content for a
// text, CDATA, comment or processing-instruction node).
std::string TextContent(const xmlNode* node);
// Whether TextContent(node) == value, mostly without building the text.
bool TextContentEquals(const xmlNode* node, std::string_view value);

// The element's attribute of that qualified name, or null.
const xmlAttr* FindAttribute(const xmlNode* element, std::string_view name) noexcept;
std::string AttributeValue(const xmlAttr* attribute);
bool AttributeValueEquals(const xmlAttr* attribute, std::string_view value);

// Whether name is an XML name (letters, digits, '_', ':', '-', '.'; not
// starting with a digit, '-' or '.').
bool IsXmlName(std::string_view name);

}  // namespace corvane::platform
