#include "platform/xml/TreeLock.h"

namespace corvane::platform {

std::size_t TreeLock::ThreadStripe() noexcept {
  static std::atomic<std::size_t> nextThread{0};
  thread_local const std::size_t stripe =
      nextThread.fetch_add(1, std::memory_order_relaxed) % kStripes;
  return stripe;
}

TreeLock::Read::Read(TreeLock& lock) : stripe_(lock.stripes_[ThreadStripe()].mutex) {
  // A waiting writer closes the gate; passing through it keeps readers from starving it.
  if (lock.waitingWriters_.load(std::memory_order_acquire) != 0) {
    std::lock_guard<std::mutex> gate(lock.writerGate_);
  }
  stripe_.lock_shared();
}

TreeLock::Read::~Read() { stripe_.unlock_shared(); }

TreeLock::Write::Write(TreeLock& lock) : lock_(lock) {
  lock_.waitingWriters_.fetch_add(1, std::memory_order_acq_rel);
  lock_.writerGate_.lock();
  for (auto& stripe : lock_.stripes_) stripe.mutex.lock();
}

TreeLock::Write::~Write() {
  for (auto it = lock_.stripes_.rbegin(); it != lock_.stripes_.rend(); ++it) it->mutex.unlock();
  lock_.writerGate_.unlock();
  lock_.waitingWriters_.fetch_sub(1, std::memory_order_acq_rel);
}

}  // namespace corvane::platform
