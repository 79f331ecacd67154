// Collection: the ordered collection of variants, indexed from 1.
// Used by one thread at a time.
#pragma once

#include <corvane/Object.h>
#include <corvane/Variant.h>

#include <cstdint>
#include <vector>

namespace corvane {

class Collection : public Object {
 public:
  static std::shared_ptr<Collection> Create();

  void Add(Variant item);
  std::int32_t Count() const noexcept;
  // REQUIRES: 1 <= index <= Count(); otherwise error 9.
  const Variant& Item(std::int32_t index) const;
  // REQUIRES: 1 <= index <= Count(); otherwise error 9.
  void Remove(std::int32_t index);

  // The items in order, for enumeration.
  const std::vector<Variant>& Items() const noexcept { return items_; }
  auto begin() const noexcept { return items_.begin(); }
  auto end() const noexcept { return items_.end(); }

 private:
  std::vector<Variant> items_;
};

}  // namespace corvane
