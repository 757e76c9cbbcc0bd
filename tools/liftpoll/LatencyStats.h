// Percentiles of reply latencies for the console's benchmark mode.
#pragma once

#include <string>
#include <vector>

namespace liftpoll {

struct LatencySummary {
  std::size_t count = 0;
  double p50 = 0;  // microseconds
  double p90 = 0;
  double p99 = 0;
  double max = 0;
  double requestsPerSecond = 0;
};

// Nearest-rank percentiles of the latencies (microseconds, any order); requests per second over
// the whole run's wall time. An empty run gives zeros.
LatencySummary Summarize(std::vector<double> latenciesUs, double elapsedSeconds);

// One line a script can read: "p50_us=61.2 p90_us=... p99_us=... max_us=... rps=... n=..."; numbers
// with one decimal, independent of the process locale.
std::string FormatSummary(const LatencySummary& summary);

}  // namespace liftpoll
