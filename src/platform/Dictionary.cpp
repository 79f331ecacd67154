#include <corvane/Dictionary.h>
#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <bit>
#include <cstdio>
#include <utility>

namespace corvane {
namespace {

std::string BitsText(char kind, double value) {
  if (value == 0.0) value = 0.0;  // negative zero is the same key as zero
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%c%016llx", kind,
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
  return buffer;
}

// One text per key identity: texts by their bytes, the four number types by
// their value, objects by identity, the other kinds each on their own.
std::string IndexKey(const Variant& key) {
  switch (key.Type()) {
    case VarType::String:
      return "s" + key.AsString();
    case VarType::Byte:
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Double:
      return BitsText('n', key.ToDouble());
    case VarType::Date:
      return BitsText('d', key.AsDate().serial);
    case VarType::Boolean:
      return key.AsBoolean() ? "b1" : "b0";
    case VarType::Empty:
      return "e";
    case VarType::Null:
      return "z";
    case VarType::Missing:
      return "m";
    case VarType::Object: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "o%p", static_cast<const void*>(key.AsObject().get()));
      return buffer;
    }
    case VarType::Array:
    case VarType::ByteArray:
      break;
  }
  throw Error::Runtime(rtTypeMismatch);  // an array cannot be a key
}

}  // namespace

std::shared_ptr<Dictionary> Dictionary::Create() {
  return std::shared_ptr<Dictionary>(new Dictionary());
}

void Dictionary::Add(const Variant& key, Variant item) {
  auto [position, inserted] = index_.try_emplace(IndexKey(key), entries_.size());
  if (!inserted) throw Error::Runtime(rtKeyAlreadyAssociated);
  try {
    entries_.emplace_back(key, std::move(item));
  } catch (...) {
    index_.erase(position);
    throw;
  }
}

bool Dictionary::Exists(const Variant& key) const { return index_.contains(IndexKey(key)); }

const Variant& Dictionary::Item(const Variant& key) const {
  const auto position = index_.find(IndexKey(key));
  if (position == index_.end()) throw Error::Runtime(rtElementNotFound);
  return entries_[position->second].second;
}

void Dictionary::SetItem(const Variant& key, Variant item) {
  const auto position = index_.find(IndexKey(key));
  if (position == index_.end()) {
    Add(key, std::move(item));
  } else {
    entries_[position->second].second = std::move(item);
  }
}

void Dictionary::Remove(const Variant& key) {
  const auto position = index_.find(IndexKey(key));
  if (position == index_.end()) throw Error::Runtime(rtElementNotFound);
  const std::size_t removed = position->second;
  index_.erase(position);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(removed));
  // The entries after the removed one moved down by one place.
  for (std::size_t i = removed; i < entries_.size(); ++i) {
    index_[IndexKey(entries_[i].first)] = i;
  }
}

void Dictionary::RemoveAll() noexcept {
  entries_.clear();
  index_.clear();
}

std::int32_t Dictionary::Count() const noexcept {
  return static_cast<std::int32_t>(entries_.size());
}

VariantArray Dictionary::Keys() const {
  std::vector<Variant> keys;
  keys.reserve(entries_.size());
  for (const auto& entry : entries_) keys.push_back(entry.first);
  return VariantArray(std::move(keys), 0);
}

VariantArray Dictionary::Items() const {
  std::vector<Variant> items;
  items.reserve(entries_.size());
  for (const auto& entry : entries_) items.push_back(entry.second);
  return VariantArray(std::move(items), 0);
}

}  // namespace corvane
