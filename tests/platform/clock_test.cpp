#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "platform/Clock.h"

namespace corvane::platform {
namespace {

int LocalSecondsNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local.tm_sec > 59 ? 59 : local.tm_sec;
}

TEST(Clock, SetDefaultFixesTheSecondsUntilReset) {
  Clock::SetDefault(std::make_shared<FixedClock>(42));
  EXPECT_EQ(Clock::Default()->LocalSeconds(), 42);
  Clock::SetDefault(nullptr);
  const int before = LocalSecondsNow();
  const int read = Clock::Default()->LocalSeconds();
  const int after = LocalSecondsNow();
  // The second may tick between the readings.
  EXPECT_TRUE(read == before || read == after) << before << " " << read << " " << after;
  EXPECT_GE(read, 0);
  EXPECT_LE(read, 59);
}

}  // namespace
}  // namespace corvane::platform
