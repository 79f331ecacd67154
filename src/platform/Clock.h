// Clock: the local time the library reads, injectable for tests.
// Clocks are safe for concurrent use.
#pragma once

#include <memory>

namespace corvane::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // The seconds (0 to 59) of the current local time.
  virtual int LocalSeconds() const = 0;

  // The clock of the process, the system's local time unless SetDefault
  // replaced it. Never null.
  static std::shared_ptr<Clock> Default();
  // Replaces the clock of the process; null restores the system's.
  static void SetDefault(std::shared_ptr<Clock> clock);
};

// A clock that always reads the same second.
class FixedClock : public Clock {
 public:
  explicit FixedClock(int seconds) : seconds_(seconds) {}
  int LocalSeconds() const override { return seconds_; }

 private:
  int seconds_;
};

}  // namespace corvane::platform
