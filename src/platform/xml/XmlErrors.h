// The XML document service's error numbers, in one table.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::platform {

enum XmlErrors : std::int32_t {
  // A load of a file that does not exist (0x800C0006).
  xmlFileNotFound = -2146697210,
  // Parse and schema-validation failures: this base plus libxml2's error
  // code kept to 12 bits (0xC00CE000).
  xmlParseErrorBase = static_cast<std::int32_t>(0xC00CE000u),
  // A selection pattern outside the accepted forms (0x80004005).
  xmlInvalidPattern = -2147467259,
  // A save that could not write the file (0x80004005 as well; the text says why).
  xmlSaveFailed = -2147467259,
};

// xmlParseErrorBase + (libxml2 code & 0xFFF).
std::int32_t XmlParseErrorNumber(int libxmlCode) noexcept;

}  // namespace corvane::platform
