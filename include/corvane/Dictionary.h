// Dictionary: the scripting dictionary. Keys compare exactly (texts by their
// bytes, numbers by value, objects by identity); entries keep their order of
// insertion. Used by one thread at a time.
#pragma once

#include <corvane/Object.h>
#include <corvane/Variant.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvane {

class Dictionary : public Object {
 public:
  using Entry = std::pair<Variant, Variant>;

  static std::shared_ptr<Dictionary> Create();

  // Adds a new entry. An existing key fails with error 457 and changes nothing.
  void Add(const Variant& key, Variant item);
  bool Exists(const Variant& key) const;
  // The item of key; error 32811 (element not found) when it is absent.
  const Variant& Item(const Variant& key) const;
  // Replaces the item of key, or adds the entry when the key is new.
  void SetItem(const Variant& key, Variant item);
  // Error 32811 when the key is absent.
  void Remove(const Variant& key);
  void RemoveAll() noexcept;
  std::int32_t Count() const noexcept;

  // Arrays of variants with lower bound 0, in insertion order.
  VariantArray Keys() const;
  VariantArray Items() const;
  const std::vector<Entry>& Entries() const noexcept { return entries_; }

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace corvane
