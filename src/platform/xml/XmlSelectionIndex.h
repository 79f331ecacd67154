// XmlSelectionIndex: the first match of each value combination of a pattern
// shape such as Config/Section[@id]/Item[Name], per context node, so that a
// selection of one item costs a hash lookup. Built lazily by readers,
// dropped by every edit. Readers only load an atomic pointer to an
// immutable snapshot; builders serialize on a mutex.
#pragma once

#include "platform/xml/XmlPattern.h"

#include <libxml/tree.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::platform {

class XmlSelectionIndex {
 public:
  XmlSelectionIndex() = default;
  XmlSelectionIndex(const XmlSelectionIndex&) = delete;
  XmlSelectionIndex& operator=(const XmlSelectionIndex&) = delete;

  // Whether the index can answer pattern: child steps with 1 to 4 predicates.
  static bool Covers(const XmlPattern& pattern) noexcept;

  // The first node in document order that pattern selects from context, or
  // null; nullopt when the index does not hold this shape (the caller then
  // evaluates the pattern). REQUIRES: read lock; Covers(pattern).
  std::optional<const xmlNode*> FirstMatch(const xmlNode* context, const XmlPattern& pattern);

  // Forgets everything. REQUIRES: write lock, so that no reader is inside.
  void Clear() noexcept;

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
      return std::hash<std::string_view>{}(text);
    }
  };

  struct ShapeIndex {
    bool usable = true;  // false when some node matches too many combinations
    std::unordered_map<std::string, const xmlNode*, TextHash, std::equal_to<>> first;
  };

  // One indexed shape below one context node.
  struct Key {
    const xmlNode* context;
    std::string_view shape;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const noexcept {
      return std::hash<const void*>{}(key.context) ^
             (std::hash<std::string_view>{}(key.shape) << 1);
    }
  };

  struct Snapshot {
    std::unordered_map<Key, const ShapeIndex*, KeyHash> shapes;
  };

  const ShapeIndex* Find(const Snapshot* snapshot, const Key& key) const;
  const ShapeIndex* Build(const xmlNode* context, const XmlPattern& pattern);

  std::atomic<const Snapshot*> current_{nullptr};
  std::mutex buildMutex_;
  // Everything ever published since the last Clear; readers may still hold any of it.
  std::vector<std::unique_ptr<Snapshot>> snapshots_;
  std::vector<std::unique_ptr<ShapeIndex>> indexes_;
  std::vector<std::unique_ptr<std::string>> shapeNames_;
};

}  // namespace corvane::platform
