#include "crypto/Lib_Crypt.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include "crypto/Crypt.h"
#include "crypto/CryptErrors.h"
#include "crypto/KeySchedules.h"
#include "crypto/KeyTable.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <exception>
#include <optional>

namespace corvane {
namespace {

constexpr std::string_view kEncryptedAttribute = "encrypted";
constexpr std::string_view kEncryptedMark = "yes";

bool IsKeyIndex(std::int32_t index) noexcept {
  return index >= 0 && index < static_cast<std::int32_t>(kCryptKeyCount);
}

std::string TwoDigits(std::int32_t index) {
  return std::string(1, '0') + static_cast<char>('0' + index);
}

// The element's "encrypted" attribute; "no" when it is missing or unreadable.
std::string EncryptedMark(const platform::XmlNodePtr& element) {
  if (!element) {
    return "no";
  }
  try {
    std::optional<std::string> mark = element->getAttribute(kEncryptedAttribute);
    return mark ? *mark : "no";
  } catch (const std::exception&) {
    return "no";
  }
}

// The key index named by the first two characters, or nullopt when they are
// not a number.
std::optional<std::int32_t> LeadingIndex(std::string_view head) {
  try {
    return Variant(head).ToInt32();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::int32_t Crypt_KeyIndexFromClock() {
  return platform::Clock::Default()->LocalSeconds() % static_cast<std::int32_t>(kCryptKeyCount);
}

std::string Crypt_GetKey(std::int32_t index) {
  if (!IsKeyIndex(index)) {
    throw IncorrectKeyIndexError();
  }
  return std::string(CryptKeyTable()[static_cast<std::size_t>(index)]);
}

std::string Crypt_EncryptWithIndex(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  return Crypt_EncryptWithKeyIndex(text, Crypt_KeyIndexFromClock());
}

std::string Crypt_EncryptWithKeyIndex(std::string_view text, std::int32_t index) {
  const std::string key = Crypt_GetKey(index);
  if (text.empty()) {
    return {};
  }
  Crypt crypt = KeySchedules::Process().NewCrypt(static_cast<std::size_t>(index));
  return TwoDigits(index) + crypt.EncryptString(text, key);
}

std::string Crypt_DecryptWithIndex(std::string_view value) {
  if (platform::CodePointCount(value) < 2) {
    return std::string(value);
  }
  const std::size_t split = platform::CodePointOffset(value, 2);
  const std::string_view rest = value.substr(split);
  const std::optional<std::int32_t> index = LeadingIndex(value.substr(0, split));
  if (!index) {
    return std::string(rest);
  }
  if (!IsKeyIndex(*index)) {
    // No key for this index: a new cipher keeps its zero tables.
    Crypt unkeyed;
    return unkeyed.DecryptString(rest, {});
  }
  Crypt crypt = KeySchedules::Process().NewCrypt(static_cast<std::size_t>(*index));
  return crypt.DecryptString(rest, Crypt_GetKey(*index));
}

std::string Crypt_GetItemValue(const platform::XmlNodePtr& valueElement) {
  const std::string mark = EncryptedMark(valueElement);
  if (!valueElement) {
    throw Error::Runtime(rtObjectVariableNotSet);
  }
  std::string text = valueElement->text();
  return mark == kEncryptedMark ? Crypt_DecryptWithIndex(text) : text;
}

std::string Crypt_PrepareItemValue(const platform::XmlNodePtr& valueElement, const Variant& value) {
  const std::string mark = EncryptedMark(valueElement);
  std::string text = value.ToString();
  return mark == kEncryptedMark ? Crypt_EncryptWithIndex(text) : text;
}

}  // namespace corvane
