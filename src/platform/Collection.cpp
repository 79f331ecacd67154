#include <corvane/Collection.h>
#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <utility>

namespace corvane {
namespace {

// The zero-based place of a one-based index, or error 9 outside 1..size.
std::size_t PlaceOf(std::int32_t index, std::size_t size) {
  if (index < 1 || static_cast<std::size_t>(index) > size) {
    throw Error::Runtime(rtSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(index) - 1;
}

}  // namespace

std::shared_ptr<Collection> Collection::Create() {
  return std::shared_ptr<Collection>(new Collection());
}

void Collection::Add(Variant item) { items_.push_back(std::move(item)); }

std::int32_t Collection::Count() const noexcept { return static_cast<std::int32_t>(items_.size()); }

const Variant& Collection::Item(std::int32_t index) const {
  return items_[PlaceOf(index, items_.size())];
}

void Collection::Remove(std::int32_t index) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(PlaceOf(index, items_.size())));
}

}  // namespace corvane
