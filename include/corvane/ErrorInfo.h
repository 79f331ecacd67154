// ErrorInfo: a plain copy of the five fields of an error.
// A value type; copies may be used on any thread.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

struct ErrorInfo {
  std::int32_t Number = 0;  // 0 means no error
  std::string Source;
  std::string Description;
  std::string HelpFile;
  std::int32_t HelpContext = 0;

  friend bool operator==(const ErrorInfo&, const ErrorInfo&) = default;
};

}  // namespace corvane
