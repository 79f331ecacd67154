// Error: the one exception type of the library, carrying the five error
// fields (number, source, description, help file, help context).
// A value type; copies may be thrown and read on any thread.
#pragma once

#include <corvane/ErrorInfo.h>

#include <cstdint>
#include <exception>
#include <string>

namespace corvane {

class Error : public std::exception {
 public:
  Error(std::int32_t number, std::string source, std::string description,
        std::string helpFile = {}, std::int32_t helpContext = 0);
  explicit Error(ErrorInfo info);

  // An error with the runtime number's standard text (RuntimeErrors.h).
  static Error Runtime(std::int32_t number, std::string source = {});

  std::int32_t Number() const noexcept { return info_.Number; }
  const std::string& Source() const noexcept { return info_.Source; }
  const std::string& Description() const noexcept { return info_.Description; }
  const std::string& HelpFile() const noexcept { return info_.HelpFile; }
  std::int32_t HelpContext() const noexcept { return info_.HelpContext; }
  const ErrorInfo& Info() const noexcept { return info_; }

  // The description.
  const char* what() const noexcept override { return info_.Description.c_str(); }

 private:
  ErrorInfo info_;
};

}  // namespace corvane
