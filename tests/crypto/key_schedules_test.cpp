#include "crypto/KeySchedules.h"

#include "crypto/Crypt.h"
#include "crypto/KeyTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

Crypt::Tables FreshSchedule(std::size_t index) {
  Crypt crypt;
  crypt.SetKey(CryptKeyTable()[index]);
  return crypt.GetTables();
}

TEST(KeySchedules, EachEntryIsWhatANewCryptScheduleEndsWith) {
  const KeySchedules& schedules = KeySchedules::Process();
  for (std::size_t index = 0; index < kCryptKeyCount; ++index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(schedules.TablesFor(index), FreshSchedule(index));
    const Crypt crypt = schedules.NewCrypt(index);
    EXPECT_EQ(crypt.Key(), CryptKeyTable()[index]);
    EXPECT_EQ(crypt.GetTables(), FreshSchedule(index));
  }
  EXPECT_NE(schedules.TablesFor(0), schedules.TablesFor(1));
}

TEST(KeySchedules, CipherFromTheCacheEncryptsLikeAFreshOne) {
  Crypt cached = KeySchedules::Process().NewCrypt(4);
  const std::string key(CryptKeyTable()[4]);
  const std::string hex = cached.EncryptString("cached", key);
  EXPECT_EQ(cached.Key(), key);
  EXPECT_EQ(Crypt().DecryptString(hex, key), "cached");
}

TEST(KeySchedulesConcurrency, FirstUseFromManyThreadsComputesOneSchedulePerKey) {
  const auto schedules = std::make_unique<KeySchedules>();
  constexpr int kThreads = 8;
  std::vector<std::vector<const Crypt::Tables*>> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t i = 0; i < kCryptKeyCount; ++i) {
        seen[t].push_back(
            &schedules->TablesFor((i + static_cast<std::size_t>(t)) % kCryptKeyCount));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    for (std::size_t i = 0; i < kCryptKeyCount; ++i) {
      const std::size_t index = (i + static_cast<std::size_t>(t)) % kCryptKeyCount;
      EXPECT_EQ(seen[t][i], &schedules->TablesFor(index));
    }
  }
  for (std::size_t index = 0; index < kCryptKeyCount; ++index) {
    EXPECT_EQ(schedules->TablesFor(index), FreshSchedule(index)) << index;
  }
}

}  // namespace
}  // namespace corvane
