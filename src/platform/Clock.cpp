#include "platform/Clock.h"

#include <algorithm>
#include <ctime>
#include <mutex>
#include <utility>

namespace corvane::platform {
namespace {

class SystemClock : public Clock {
 public:
  int LocalSeconds() const override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local)) return static_cast<int>(now % 60);
    return std::min(local.tm_sec, 59);  // a leap second reads as the one before it
  }
};

struct DefaultState {
  std::mutex mutex;
  std::shared_ptr<Clock> system = std::make_shared<SystemClock>();
  std::shared_ptr<Clock> current = system;
};

DefaultState& State() {
  static DefaultState* state = new DefaultState();  // outlives every static destructor
  return *state;
}

}  // namespace

std::shared_ptr<Clock> Clock::Default() {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  return state.current;
}

void Clock::SetDefault(std::shared_ptr<Clock> clock) {
  DefaultState& state = State();
  std::lock_guard lock(state.mutex);
  state.current = clock ? std::move(clock) : state.system;
}

}  // namespace corvane::platform
