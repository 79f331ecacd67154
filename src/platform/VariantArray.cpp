#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>
#include <corvane/Variant.h>

#include <utility>

namespace corvane {
namespace {

// The element offset of index, or error 9 when index lies outside the bounds.
std::size_t OffsetOf(std::int32_t index, std::int32_t lowerBound, std::size_t size) {
  const std::int64_t offset = std::int64_t{index} - lowerBound;
  if (offset < 0 || static_cast<std::uint64_t>(offset) >= size) {
    throw Error::Runtime(rtSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(offset);
}

}  // namespace

VariantArray::VariantArray(std::vector<Variant> elements, std::int32_t lowerBound)
    : elements_(std::move(elements)), lowerBound_(lowerBound) {}

std::int32_t VariantArray::UpperBound() const noexcept {
  return static_cast<std::int32_t>(std::int64_t{lowerBound_} +
                                   static_cast<std::int64_t>(elements_.size()) - 1);
}

std::size_t VariantArray::Size() const noexcept { return elements_.size(); }

bool VariantArray::Empty() const noexcept { return elements_.empty(); }

const Variant& VariantArray::At(std::int32_t index) const {
  return elements_[OffsetOf(index, lowerBound_, elements_.size())];
}

Variant& VariantArray::At(std::int32_t index) {
  return elements_[OffsetOf(index, lowerBound_, elements_.size())];
}

void VariantArray::Append(Variant value) { elements_.push_back(std::move(value)); }

bool operator==(const VariantArray& a, const VariantArray& b) {
  return a.lowerBound_ == b.lowerBound_ && a.elements_ == b.elements_;
}

}  // namespace corvane
