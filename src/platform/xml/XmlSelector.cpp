#include "platform/xml/XmlSelector.h"

#include "platform/xml/XmlNodeText.h"

#include <algorithm>
#include <cstddef>

namespace corvane::platform {
namespace {

bool PredicateHolds(const xmlNode* element, const XmlPredicate& predicate) {
  if (predicate.onAttribute) {
    const xmlAttr* attribute = FindAttribute(element, predicate.name);
    return attribute != nullptr && AttributeValueEquals(attribute, predicate.value);
  }
  for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && HasQualifiedName(child, predicate.name) &&
        TextContentEquals(child, predicate.value)) {
      return true;
    }
  }
  return false;
}

const xmlNode* NextMatch(const xmlNode* candidate, const XmlStep& step) {
  for (; candidate != nullptr; candidate = candidate->next) {
    if (StepMatches(candidate, step)) return candidate;
  }
  return nullptr;
}

const xmlNode* FirstChild(const xmlNode* node) noexcept {
  return node->type == XML_ATTRIBUTE_NODE ? nullptr : node->children;
}

// Child steps from one context: a depth-first walk over the steps visits
// the matches in document order, since they all lie at the same depth.
template <class Visit>
void WalkChildSteps(const xmlNode* context, const std::vector<XmlStep>& steps, Visit visit) {
  const std::size_t last = steps.size() - 1;
  std::vector<const xmlNode*> cursor(steps.size(), nullptr);
  std::size_t level = 0;
  cursor[0] = NextMatch(FirstChild(context), steps[0]);
  while (true) {
    if (cursor[level] == nullptr) {
      if (level == 0) return;
      --level;
      cursor[level] = NextMatch(cursor[level]->next, steps[level]);
    } else if (level == last) {
      if (!visit(cursor[level])) return;
      cursor[level] = NextMatch(cursor[level]->next, steps[level]);
    } else {
      ++level;
      cursor[level] = NextMatch(FirstChild(cursor[level - 1]), steps[level]);
    }
  }
}

// Whether node, read upwards through its ancestors, matches every step,
// each step's node lying strictly below root.
bool MatchesUpwards(const xmlNode* node, const std::vector<XmlStep>& steps, const xmlNode* root) {
  for (std::size_t i = steps.size(); i-- > 0;) {
    if (node == nullptr || node == root || !StepMatches(node, steps[i])) return false;
    node = node->parent;
  }
  return true;
}

const xmlNode* TreeRoot(const xmlNode* node) noexcept {
  if (node->type == XML_ATTRIBUTE_NODE && node->parent != nullptr) node = node->parent;
  while (node->parent != nullptr) node = node->parent;
  return node;
}

// "//" patterns: every element below the tree's root in document order.
template <class Visit>
void WalkFromRoot(const xmlNode* context, const std::vector<XmlStep>& steps, Visit visit) {
  const xmlNode* root = TreeRoot(context);
  for (const xmlNode* node = FirstChild(root); node != nullptr; node = NextInSubtree(node, root)) {
    if (node->type == XML_ELEMENT_NODE && MatchesUpwards(node, steps, root) && !visit(node)) return;
  }
}

template <class Visit>
void Walk(const xmlNode* context, const XmlPattern& pattern, Visit visit) {
  if (pattern.steps.empty()) {
    visit(context);
  } else if (pattern.fromRoot) {
    WalkFromRoot(context, pattern.steps, visit);
  } else {
    WalkChildSteps(context, pattern.steps, visit);
  }
}

}  // namespace

bool StepMatches(const xmlNode* node, const XmlStep& step) {
  if (node->type != XML_ELEMENT_NODE || !HasQualifiedName(node, step.name)) return false;
  return std::all_of(step.predicates.begin(), step.predicates.end(),
                     [node](const XmlPredicate& p) { return PredicateHolds(node, p); });
}

const xmlNode* SelectFirst(const xmlNode* context, const XmlPattern& pattern) {
  const xmlNode* first = nullptr;
  Walk(context, pattern, [&first](const xmlNode* node) {
    first = node;
    return false;
  });
  return first;
}

std::vector<const xmlNode*> SelectAll(const xmlNode* context, const XmlPattern& pattern) {
  std::vector<const xmlNode*> nodes;
  Walk(context, pattern, [&nodes](const xmlNode* node) {
    nodes.push_back(node);
    return true;
  });
  return nodes;
}

}  // namespace corvane::platform
