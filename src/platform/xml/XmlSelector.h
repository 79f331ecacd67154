// Evaluation of parsed selection patterns over libxml2 nodes, in document
// order. No locks of its own. REQUIRES: the caller holds the tree's lock.
#pragma once

#include "platform/xml/XmlPattern.h"

#include <libxml/tree.h>

#include <vector>

namespace corvane::platform {

// Whether element matches step: its qualified name and every predicate.
bool StepMatches(const xmlNode* node, const XmlStep& step);

// The first node that pattern selects from context in document order, or null.
const xmlNode* SelectFirst(const xmlNode* context, const XmlPattern& pattern);
// Every node that pattern selects from context, in document order, each once.
std::vector<const xmlNode*> SelectAll(const xmlNode* context, const XmlPattern& pattern);

}  // namespace corvane::platform
