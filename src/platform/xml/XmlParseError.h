// XmlParseError: what a failed load reports.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::platform {

struct XmlParseError {
  std::int32_t errorCode = 0;  // 0 after a successful load
  std::string reason;
  std::int32_t line = 0;
  std::int32_t linepos = 0;
  std::string srcText;  // the text of the offending source line
};

}  // namespace corvane::platform
