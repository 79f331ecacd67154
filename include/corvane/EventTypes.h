// EventTypes: the kinds of event-log entry a caller asks for.
#pragma once

#include <cstdint>

namespace corvane {

enum EventTypes : std::int32_t {
  etError = 0,
  etwarning = 1,
  etInformation = 2,
};

}  // namespace corvane
