// TreeLock: the reader/writer lock of one document's trees. Readers lock
// only the stripe of their own thread, so concurrent readers share no
// written cache line; a writer locks every stripe. Writers go before
// readers that arrive after them. Safe for concurrent use.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <shared_mutex>

namespace corvane::platform {

class TreeLock {
 public:
  static constexpr std::size_t kStripes = 16;

  // The stripe of the calling thread, fixed for the thread's life.
  static std::size_t ThreadStripe() noexcept;

  // Shared hold for the duration of one read.
  class Read {
   public:
    explicit Read(TreeLock& lock);
    ~Read();
    Read(const Read&) = delete;
    Read& operator=(const Read&) = delete;

   private:
    std::shared_mutex& stripe_;
  };

  // Exclusive hold for the duration of one edit.
  // REQUIRES: the calling thread holds no Read of the same lock.
  class Write {
   public:
    explicit Write(TreeLock& lock);
    ~Write();
    Write(const Write&) = delete;
    Write& operator=(const Write&) = delete;

   private:
    TreeLock& lock_;
  };

 private:
  struct alignas(64) Stripe {
    std::shared_mutex mutex;
  };

  std::array<Stripe, kStripes> stripes_;
  alignas(64) std::atomic<int> waitingWriters_{0};
  std::mutex writerGate_;
};

}  // namespace corvane::platform
