// The imitation's source of chance.
//
// One generator serves the whole imitation; the state machine reseeds it from the clock each time
// it passes its start state. Tests put in a source that plays back chosen numbers.
#pragma once

#include <cstdint>
#include <random>

class TImitationRandom {
public:
  virtual ~TImitationRandom() = default;

  // Uniform over 0..n-1; 0 when n is 0.
  virtual std::uint64_t R(std::uint64_t n) = 0;

  // Starts a new sequence from a clock reading.
  virtual void Reseed(std::uint32_t now) = 0;
};

// The program's generator: a Mersenne twister seeded with the clock reading.
class TClockSeededRandom final : public TImitationRandom {
public:
  explicit TClockSeededRandom(std::uint32_t seed = 0) : engine_(seed) {}

  std::uint64_t R(std::uint64_t n) override;
  void Reseed(std::uint32_t now) override { engine_.seed(now); }

private:
  std::mt19937 engine_;
};

// a when a = b; otherwise lo + R(hi - lo) with lo the smaller and hi the larger bound, so the
// result lies from lo up to hi - 1. Computed in 64 bits, so bounds anywhere in 32 bits are safe.
std::int64_t RandomBetween(TImitationRandom& random, std::int64_t a, std::int64_t b);
