// Lib_Crypt: encrypted value texts (a two-digit key index followed by the
// hexadecimal cipher text) and the reading and writing of configuration item
// values marked encrypted="yes". Every function is safe to call from any thread.
#pragma once

#include <corvane/Variant.h>

#include "platform/xml/XmlNode.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The key index for an encryption now: the local clock's second modulo 10.
std::int32_t Crypt_KeyIndexFromClock();

// The key text of index. REQUIRES: 0 <= index <= 9; otherwise error
// -2147221504 "Incorrect Encryption Key Index".
std::string Crypt_GetKey(std::int32_t index);

// The encrypted value text of text under the clock's key index; the empty
// text for an empty text.
std::string Crypt_EncryptWithIndex(std::string_view text);

// As Crypt_EncryptWithIndex with the key index given instead of read from the
// clock. REQUIRES: 0 <= index <= 9 (else the key-index error).
std::string Crypt_EncryptWithKeyIndex(std::string_view text, std::int32_t index);

// The text of an encrypted value text, decrypted with the key its first two
// characters name. A value shorter than two characters comes back unchanged;
// one whose first two characters are not a number comes back without them.
// Fails with 13 or 9 for a damaged hexadecimal part and with -2147221504
// "Incorrect size descriptor in Blowfish decryption" when the key is wrong.
std::string Crypt_DecryptWithIndex(std::string_view value);

// The text of a store's Value element, decrypted when its attribute
// "encrypted" is exactly "yes". REQUIRES: valueElement is not null (else 91).
std::string Crypt_GetItemValue(const platform::XmlNodePtr& valueElement);

// The text to store as the element's value: value as text, encrypted when the
// element's attribute "encrypted" is exactly "yes". A value without a text
// form fails with the conversion's error (94 for Null, 13 for an object).
std::string Crypt_PrepareItemValue(const platform::XmlNodePtr& valueElement, const Variant& value);

}  // namespace corvane
