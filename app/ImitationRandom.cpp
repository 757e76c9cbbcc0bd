#include "app/ImitationRandom.h"

#include <algorithm>

std::uint64_t TClockSeededRandom::R(std::uint64_t n) {
  if (n == 0) return 0;
  return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(engine_);
}

std::int64_t RandomBetween(TImitationRandom& random, std::int64_t a, std::int64_t b) {
  if (a == b) return a;
  const std::int64_t lo = std::min(a, b);
  const std::int64_t hi = std::max(a, b);
  // Unsigned arithmetic: the span of two 64-bit bounds never overflows.
  const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + random.R(span));
}
