#include "platform/xml/XmlSelectionIndex.h"

#include "platform/xml/XmlNodeText.h"

namespace corvane::platform {
namespace {

constexpr std::size_t kMaxPredicates = 4;
constexpr std::size_t kMaxIndexedShapes = 64;
// A node whose predicates allow more value combinations than this makes its
// shape unindexed (many children of one name under a predicate).
constexpr std::size_t kMaxCombinations = 16;

bool NameMatches(const xmlNode* node, const XmlStep& step) {
  return node->type == XML_ELEMENT_NODE && HasQualifiedName(node, step.name);
}

const xmlNode* NextNamed(const xmlNode* candidate, const XmlStep& step) {
  for (; candidate != nullptr; candidate = candidate->next) {
    if (NameMatches(candidate, step)) return candidate;
  }
  return nullptr;
}

const xmlNode* FirstChild(const xmlNode* node) noexcept {
  return node->type == XML_ATTRIBUTE_NODE ? nullptr : node->children;
}

// The values under which node satisfies predicate: its attribute's value,
// or the text of each child element of the predicate's name.
std::vector<std::string> PredicateValues(const xmlNode* node, const XmlPredicate& predicate) {
  std::vector<std::string> values;
  if (predicate.onAttribute) {
    if (const xmlAttr* attribute = FindAttribute(node, predicate.name)) {
      values.push_back(AttributeValue(attribute));
    }
    return values;
  }
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && HasQualifiedName(child, predicate.name)) {
      values.push_back(TextContent(child));
    }
  }
  return values;
}

// Adds every value combination that the path satisfies, keeping earlier
// (document-order first) entries. False when there are too many.
template <class Map>
bool AddCombinations(Map& first, const std::vector<const xmlNode*>& path,
                     const std::vector<XmlStep>& steps) {
  std::vector<std::vector<std::string>> options;
  std::size_t combinations = 1;
  for (std::size_t level = 0; level < steps.size(); ++level) {
    for (const auto& predicate : steps[level].predicates) {
      options.push_back(PredicateValues(path[level], predicate));
      combinations *= options.back().size();
      if (combinations == 0) return true;
      if (combinations > kMaxCombinations) return false;
    }
  }
  for (std::size_t n = 0; n < combinations; ++n) {
    std::string key;
    std::size_t rest = n;
    for (const auto& values : options) {
      AppendPatternValue(key, values[rest % values.size()]);
      rest /= values.size();
    }
    first.emplace(std::move(key), path.back());
  }
  return true;
}

}  // namespace

bool XmlSelectionIndex::Covers(const XmlPattern& pattern) noexcept {
  return !pattern.fromRoot && !pattern.steps.empty() && pattern.predicateCount > 0 &&
         pattern.predicateCount <= kMaxPredicates;
}

std::optional<const xmlNode*> XmlSelectionIndex::FirstMatch(const xmlNode* context,
                                                            const XmlPattern& pattern) {
  const Key key{context, pattern.shape};
  const ShapeIndex* index = Find(current_.load(std::memory_order_acquire), key);
  if (index == nullptr) {
    std::lock_guard<std::mutex> guard(buildMutex_);
    index = Find(current_.load(std::memory_order_acquire), key);
    if (index == nullptr) index = Build(context, pattern);
  }
  if (index == nullptr || !index->usable) return std::nullopt;
  const auto found = index->first.find(std::string_view(pattern.values));
  return found == index->first.end() ? nullptr : found->second;
}

void XmlSelectionIndex::Clear() noexcept {
  std::lock_guard<std::mutex> guard(buildMutex_);
  current_.store(nullptr, std::memory_order_release);
  snapshots_.clear();
  indexes_.clear();
  shapeNames_.clear();
}

const XmlSelectionIndex::ShapeIndex* XmlSelectionIndex::Find(const Snapshot* snapshot,
                                                             const Key& key) const {
  if (snapshot == nullptr) return nullptr;
  const auto found = snapshot->shapes.find(key);
  return found == snapshot->shapes.end() ? nullptr : found->second;
}

// REQUIRES: buildMutex_ held.
const XmlSelectionIndex::ShapeIndex* XmlSelectionIndex::Build(const xmlNode* context,
                                                              const XmlPattern& pattern) {
  if (indexes_.size() >= kMaxIndexedShapes) return nullptr;
  auto index = std::make_unique<ShapeIndex>();
  const auto& steps = pattern.steps;
  const std::size_t last = steps.size() - 1;
  std::vector<const xmlNode*> path(steps.size(), nullptr);
  std::size_t level = 0;
  path[0] = NextNamed(FirstChild(context), steps[0]);
  while (index->usable) {
    if (path[level] == nullptr) {
      if (level == 0) break;
      --level;
      path[level] = NextNamed(path[level]->next, steps[level]);
    } else if (level == last) {
      index->usable = AddCombinations(index->first, path, steps);
      path[level] = NextNamed(path[level]->next, steps[level]);
    } else {
      ++level;
      path[level] = NextNamed(FirstChild(path[level - 1]), steps[level]);
    }
  }
  if (!index->usable) index->first.clear();

  auto snapshot = std::make_unique<Snapshot>();
  if (const Snapshot* previous = current_.load(std::memory_order_relaxed)) *snapshot = *previous;
  shapeNames_.push_back(std::make_unique<std::string>(pattern.shape));
  snapshot->shapes.emplace(Key{context, *shapeNames_.back()}, index.get());
  current_.store(snapshot.get(), std::memory_order_release);
  snapshots_.push_back(std::move(snapshot));
  indexes_.push_back(std::move(index));
  return indexes_.back().get();
}

}  // namespace corvane::platform
