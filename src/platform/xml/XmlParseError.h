// XmlParseError: what a failed load reports. A plain value.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::platform {

struct XmlParseError {
  std::int32_t errorCode = 0;  // 0 after a successful load
  std::string reason;          // the parser's or validator's message
  std::int32_t line = 0;       // from 1; 0 when unknown
  std::int32_t linepos = 0;    // column on that line, from 1; 0 when unknown
  std::string srcText;         // the text of the offending source line
};

}  // namespace corvane::platform
