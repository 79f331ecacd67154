// Variant: the automation value type. Arrays are copied on assignment
// (copy-on-write); objects are shared references. A Variant is used by one
// thread at a time; copies may go to other threads.
#pragma once

#include <corvane/Object.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane {

class Variant;

enum class VarType {
  Empty,      // never assigned
  Null,       // no valid data
  Missing,    // an optional argument that was left out
  Boolean,
  Byte,       // UI1
  Int16,      // I2
  Int32,      // I4
  Double,
  Date,
  String,
  Object,     // an object reference, possibly null ("Nothing")
  Array,      // one-dimensional array of variants with a lower bound
  ByteArray,  // one-dimensional array of bytes, lower bound 0
};

// An automation date: days since 1899-12-30, the fraction being the time.
struct Date {
  double serial = 0.0;
  friend bool operator==(const Date&, const Date&) = default;
};

// A one-dimensional array of variants with its lower bound.
class VariantArray {
 public:
  VariantArray() = default;
  explicit VariantArray(std::vector<Variant> elements, std::int32_t lowerBound = 0);

  std::int32_t LowerBound() const noexcept { return lowerBound_; }
  // LowerBound() - 1 for an empty array.
  std::int32_t UpperBound() const noexcept;
  std::size_t Size() const noexcept;
  bool Empty() const noexcept;

  // REQUIRES: LowerBound() <= index <= UpperBound(); otherwise error 9.
  const Variant& At(std::int32_t index) const;
  Variant& At(std::int32_t index);

  void Append(Variant value);
  const std::vector<Variant>& Elements() const noexcept { return elements_; }
  std::vector<Variant>& Elements() noexcept { return elements_; }

  friend bool operator==(const VariantArray&, const VariantArray&);

 private:
  std::vector<Variant> elements_;
  std::int32_t lowerBound_ = 0;
};

class Variant {
 public:
  Variant() noexcept = default;
  Variant(bool value) noexcept : value_(value) {}
  Variant(std::uint8_t value) noexcept : value_(value) {}
  Variant(std::int16_t value) noexcept : value_(value) {}
  Variant(std::int32_t value) noexcept : value_(value) {}
  Variant(double value) noexcept : value_(value) {}
  Variant(Date value) noexcept : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(std::string_view value) : value_(std::string(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ObjectPtr value) noexcept : value_(std::move(value)) {}
  template <class T>
    requires std::is_base_of_v<Object, T>
  Variant(std::shared_ptr<T> value) noexcept : value_(ObjectPtr(std::move(value))) {}
  Variant(VariantArray value);
  Variant(std::vector<std::uint8_t> bytes);
  Variant(char) = delete;
  Variant(long) = delete;
  Variant(unsigned) = delete;

  static Variant Null() noexcept;
  static Variant Missing() noexcept;
  static Variant Nothing() noexcept { return Variant(ObjectPtr()); }

  VarType Type() const noexcept;
  bool IsEmpty() const noexcept { return Type() == VarType::Empty; }
  bool IsNull() const noexcept { return Type() == VarType::Null; }
  bool IsMissing() const noexcept { return Type() == VarType::Missing; }
  bool IsObject() const noexcept { return Type() == VarType::Object; }
  bool IsString() const noexcept { return Type() == VarType::String; }
  bool IsArray() const noexcept { return Type() == VarType::Array; }
  bool IsByteArray() const noexcept { return Type() == VarType::ByteArray; }
  // Byte, Int16, Int32 or Double.
  bool IsNumeric() const noexcept;

  // Typed access without conversion; a different type fails with error 13.
  bool AsBoolean() const;
  std::uint8_t AsByte() const;
  std::int16_t AsInt16() const;
  std::int32_t AsInt32() const;
  double AsDouble() const;
  Date AsDate() const;
  const std::string& AsString() const;
  const ObjectPtr& AsObject() const;
  const VariantArray& AsArray() const;
  VariantArray& AsArray();
  const std::vector<std::uint8_t>& AsBytes() const;

  // Conversions by the automation rules.
  // Text: decimal digits for numbers, "True"/"False", "" for Empty;
  // Null fails with 94, an object or an array with 13.
  std::string ToString() const;
  // 16-bit integer: halves round to even; text that is not a number (the
  // empty text included) fails with 13; out of range with 6; Null with 94.
  std::int16_t ToInt16() const;
  // 32-bit integer, by the same rules.
  std::int32_t ToInt32() const;
  double ToDouble() const;
  // Numbers: non-zero is true; text "True"/"False" (any case) or a number.
  bool ToBoolean() const;

  // Same type and same value; arrays element by element, objects by identity.
  friend bool operator==(const Variant&, const Variant&);

 private:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) = default;
  };
  struct MissingTag {
    friend bool operator==(MissingTag, MissingTag) = default;
  };
  using ArrayBox = std::shared_ptr<VariantArray>;
  using BytesBox = std::shared_ptr<std::vector<std::uint8_t>>;
  using Storage = std::variant<std::monostate, NullTag, MissingTag, bool, std::uint8_t,
                               std::int16_t, std::int32_t, double, Date, std::string,
                               ObjectPtr, ArrayBox, BytesBox>;

  Storage value_;
};

// The automation name of a type ("Empty", "Integer", "String", ...).
std::string_view TypeName(VarType type) noexcept;

}  // namespace corvane
