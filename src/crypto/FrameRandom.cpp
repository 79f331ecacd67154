#include "crypto/FrameRandom.h"

#include <random>

namespace corvane {
namespace {

std::mt19937 SeededEngine() {
  std::random_device device;
  std::seed_seq seed{device(), device(), device(), device(),
                     device(), device(), device(), device()};
  return std::mt19937(seed);
}

}  // namespace

std::uint32_t NextFrameRandom() {
  // Seeded once per thread from the system's entropy, never from the clock,
  // so that values framed in the same second still differ.
  thread_local std::mt19937 engine = SeededEngine();
  std::uniform_int_distribution<std::uint32_t> draw(0, 2147483647u);
  return draw(engine);
}

}  // namespace corvane
