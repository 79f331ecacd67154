// Fixes the library's clock at one second for a scope and restores the
// previous clock afterwards.
#pragma once

#include "platform/Clock.h"

#include <memory>

namespace corvane::testing {

class ClockGuard {
 public:
  explicit ClockGuard(int seconds) : previous_(platform::Clock::Default()) {
    platform::Clock::SetDefault(std::make_shared<platform::FixedClock>(seconds));
  }
  ~ClockGuard() { platform::Clock::SetDefault(previous_); }
  ClockGuard(const ClockGuard&) = delete;
  ClockGuard& operator=(const ClockGuard&) = delete;

  void Set(int seconds) {
    platform::Clock::SetDefault(std::make_shared<platform::FixedClock>(seconds));
  }

 private:
  std::shared_ptr<platform::Clock> previous_;
};

}  // namespace corvane::testing
