#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <utility>

namespace corvane {

Error::Error(std::int32_t number, std::string source, std::string description,
             std::string helpFile, std::int32_t helpContext)
    : info_{number, std::move(source), std::move(description), std::move(helpFile),
            helpContext} {}

Error::Error(ErrorInfo info) : info_(std::move(info)) {}

Error Error::Runtime(std::int32_t number, std::string source) {
  return Error(number, std::move(source), std::string(RuntimeErrorText(number)));
}

}  // namespace corvane
