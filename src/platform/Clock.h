// Clock: the local time the library reads, injectable for tests.
#pragma once

#include <memory>

namespace corvane::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // The seconds (0 to 59) of the current local time.
  virtual int LocalSeconds() const = 0;

  static std::shared_ptr<Clock> Default();
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
