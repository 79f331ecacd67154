// The automation conversions of Variant: to text, integers, double and Boolean.
#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>
#include <corvane/Variant.h>

#include "platform/Text.h"
#include "platform/values/DateText.h"
#include "platform/values/NumberText.h"

#include <cmath>
#include <limits>
#include <string>

namespace corvane {
namespace {

[[noreturn]] void Raise(std::int32_t number) { throw Error::Runtime(number); }

double RoundHalfToEven(double value) noexcept {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

template <class Int>
Int RoundToInteger(double value) {
  if (std::isnan(value)) Raise(rtOverflow);
  const double rounded = RoundHalfToEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    Raise(rtOverflow);
  }
  return static_cast<Int>(rounded);
}

// A radix literal is a two's-complement integer of the target's width.
template <class Int>
Int FromRadixBits(std::uint64_t bits) {
  using Unsigned = std::make_unsigned_t<Int>;
  if (bits > std::numeric_limits<Unsigned>::max()) Raise(rtOverflow);
  return static_cast<Int>(static_cast<Unsigned>(bits));
}

// Without a target width a radix literal takes the narrowest of 16 and 32 bits.
double RadixBitsAsDouble(std::uint64_t bits) {
  if (bits <= 0xFFFFu) return FromRadixBits<std::int16_t>(bits);
  if (bits <= 0xFFFFFFFFu) return FromRadixBits<std::int32_t>(bits);
  return static_cast<double>(bits);
}

platform::NumberText ParseOrMismatch(const std::string& text) {
  const auto number = platform::ParseNumberText(text);
  if (!number) Raise(rtTypeMismatch);
  return *number;
}

template <class Int>
Int ToInteger(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::Null:
      Raise(rtInvalidUseOfNull);
    case VarType::Boolean:
      return value.AsBoolean() ? -1 : 0;
    case VarType::Byte:
      return value.AsByte();
    case VarType::Int16:
      return value.AsInt16();
    case VarType::Int32:
      return RoundToInteger<Int>(value.AsInt32());
    case VarType::Double:
      return RoundToInteger<Int>(value.AsDouble());
    case VarType::Date:
      return RoundToInteger<Int>(value.AsDate().serial);
    case VarType::String: {
      const platform::NumberText number = ParseOrMismatch(value.AsString());
      return number.isRadixLiteral ? FromRadixBits<Int>(number.bits)
                                   : RoundToInteger<Int>(number.value);
    }
    default:
      Raise(rtTypeMismatch);
  }
}

}  // namespace

std::string Variant::ToString() const {
  switch (Type()) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      Raise(rtInvalidUseOfNull);
    case VarType::Boolean:
      return AsBoolean() ? "True" : "False";
    case VarType::Byte:
      return std::to_string(AsByte());
    case VarType::Int16:
      return std::to_string(AsInt16());
    case VarType::Int32:
      return std::to_string(AsInt32());
    case VarType::Double:
      return platform::FormatDouble(AsDouble());
    case VarType::Date:
      return platform::FormatDate(AsDate().serial);
    case VarType::String:
      return AsString();
    default:
      Raise(rtTypeMismatch);
  }
}

std::int16_t Variant::ToInt16() const { return ToInteger<std::int16_t>(*this); }

std::int32_t Variant::ToInt32() const { return ToInteger<std::int32_t>(*this); }

double Variant::ToDouble() const {
  switch (Type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Null:
      Raise(rtInvalidUseOfNull);
    case VarType::Boolean:
      return AsBoolean() ? -1.0 : 0.0;
    case VarType::Byte:
      return AsByte();
    case VarType::Int16:
      return AsInt16();
    case VarType::Int32:
      return AsInt32();
    case VarType::Double:
      return AsDouble();
    case VarType::Date:
      return AsDate().serial;
    case VarType::String: {
      const platform::NumberText number = ParseOrMismatch(AsString());
      return number.isRadixLiteral ? RadixBitsAsDouble(number.bits) : number.value;
    }
    default:
      Raise(rtTypeMismatch);
  }
}

bool Variant::ToBoolean() const {
  switch (Type()) {
    case VarType::Empty:
      return false;
    case VarType::Null:
      Raise(rtInvalidUseOfNull);
    case VarType::Boolean:
      return AsBoolean();
    case VarType::String: {
      const std::string& text = AsString();
      if (platform::EqualsNoCase(text, "True")) return true;
      if (platform::EqualsNoCase(text, "False")) return false;
      return ToDouble() != 0.0;
    }
    case VarType::Byte:
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Double:
    case VarType::Date:
      return ToDouble() != 0.0;
    default:
      Raise(rtTypeMismatch);
  }
}

}  // namespace corvane
