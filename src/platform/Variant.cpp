#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>
#include <corvane/Variant.h>

#include <utility>

namespace corvane {
namespace {

static_assert(static_cast<int>(VarType::ByteArray) == 12, "VarType follows the storage order");

[[noreturn]] void ThrowTypeMismatch() { throw Error::Runtime(rtTypeMismatch); }

template <class T, class Storage>
const T& Get(const Storage& storage) {
  const T* value = std::get_if<T>(&storage);
  if (value == nullptr) ThrowTypeMismatch();
  return *value;
}

}  // namespace

Variant::Variant(VariantArray value) : value_(std::make_shared<VariantArray>(std::move(value))) {}

Variant::Variant(std::vector<std::uint8_t> bytes)
    : value_(std::make_shared<std::vector<std::uint8_t>>(std::move(bytes))) {}

Variant Variant::Null() noexcept {
  Variant result;
  result.value_ = NullTag{};
  return result;
}

Variant Variant::Missing() noexcept {
  Variant result;
  result.value_ = MissingTag{};
  return result;
}

VarType Variant::Type() const noexcept { return static_cast<VarType>(value_.index()); }

bool Variant::IsNumeric() const noexcept {
  const VarType type = Type();
  return type == VarType::Byte || type == VarType::Int16 || type == VarType::Int32 ||
         type == VarType::Double;
}

bool Variant::AsBoolean() const { return Get<bool>(value_); }
std::uint8_t Variant::AsByte() const { return Get<std::uint8_t>(value_); }
std::int16_t Variant::AsInt16() const { return Get<std::int16_t>(value_); }
std::int32_t Variant::AsInt32() const { return Get<std::int32_t>(value_); }
double Variant::AsDouble() const { return Get<double>(value_); }
Date Variant::AsDate() const { return Get<Date>(value_); }
const std::string& Variant::AsString() const { return Get<std::string>(value_); }
const ObjectPtr& Variant::AsObject() const { return Get<ObjectPtr>(value_); }
const VariantArray& Variant::AsArray() const { return *Get<ArrayBox>(value_); }
const std::vector<std::uint8_t>& Variant::AsBytes() const { return *Get<BytesBox>(value_); }

VariantArray& Variant::AsArray() {
  auto* box = std::get_if<ArrayBox>(&value_);
  if (box == nullptr) ThrowTypeMismatch();
  if (box->use_count() != 1) {
    *box = std::make_shared<VariantArray>(**box);
  } else {
    // Taking a reference synchronises with the release of copies other threads dropped.
    const ArrayBox acquire = *box;
  }
  return **box;
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.value_.index() != b.value_.index()) return false;
  return std::visit(
      [&b](const auto& left) -> bool {
        using T = std::decay_t<decltype(left)>;
        const T& right = std::get<T>(b.value_);
        if constexpr (std::is_same_v<T, Variant::ArrayBox> ||
                      std::is_same_v<T, Variant::BytesBox>) {
          return left == right || *left == *right;
        } else if constexpr (std::is_same_v<T, std::monostate>) {
          return true;
        } else {
          return left == right;  // objects compare by identity
        }
      },
      a.value_);
}

std::string_view TypeName(VarType type) noexcept {
  switch (type) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Missing:
      return "Error";
    case VarType::Boolean:
      return "Boolean";
    case VarType::Byte:
      return "Byte";
    case VarType::Int16:
      return "Integer";
    case VarType::Int32:
      return "Long";
    case VarType::Double:
      return "Double";
    case VarType::Date:
      return "Date";
    case VarType::String:
      return "String";
    case VarType::Object:
      return "Object";
    case VarType::Array:
      return "Variant()";
    case VarType::ByteArray:
      return "Byte()";
  }
  return "Unknown";
}

}  // namespace corvane
