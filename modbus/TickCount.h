// The millisecond tick the link measures its times with.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// Milliseconds of a monotonic clock, wrapping in 32 bits; differences are taken unsigned.
inline std::uint32_t TickCount() {
  using std::chrono::milliseconds;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<milliseconds>(now).count());
}

using TTickClock = std::function<std::uint32_t()>;
