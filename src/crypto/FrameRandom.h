// The random words that open every encrypted frame. Safe to call from any
// thread: each thread draws from its own engine.
#pragma once

#include <cstdint>

namespace corvane {

// A non-deterministic value from 0 to 2147483647.
std::uint32_t NextFrameRandom();

}  // namespace corvane
