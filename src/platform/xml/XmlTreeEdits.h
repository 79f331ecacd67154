// The edits of a tree, over libxml2 nodes. Nodes leaving the tree are kept
// detached by the tree, never freed, since handles may point at them; and
// libxml2 calls that would merge or free nodes are avoided. Every edit
// drops the tree's selection index. REQUIRES: the tree's write lock.
#pragma once

#include "platform/xml/XmlTree.h"

#include <string_view>

namespace corvane::platform {

// Raises XmlFailure::WrongNodeType on the document node, InvalidText for
// text XML cannot hold.
void SetNodeText(XmlTree& tree, xmlNodePtr node, std::string_view text);
// Raises WrongNodeType off elements, InvalidName, InvalidText.
void SetElementAttribute(XmlTree& tree, xmlNodePtr element, std::string_view name,
                         std::string_view value);
// Raises HierarchyRequest for a move the tree cannot hold.
// REQUIRES: child belongs to tree.
void AppendChildNode(XmlTree& tree, xmlNodePtr parent, xmlNodePtr child);
// Raises NotAChild when child's parent is not parent.
void RemoveChildNode(XmlTree& tree, xmlNodePtr parent, xmlNodePtr child);
// Detaches node from its parent, if it has one (attributes stay).
void DetachNode(XmlTree& tree, xmlNodePtr node);
// A new element, kept detached. Raises InvalidName.
xmlNodePtr CreateDetachedElement(XmlTree& tree, std::string_view name);

}  // namespace corvane::platform
