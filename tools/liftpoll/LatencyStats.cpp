#include "tools/liftpoll/LatencyStats.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace liftpoll {

namespace {

double NearestRank(const std::vector<double>& sorted, double fraction)
{
  const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
  return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

std::string OneDecimal(double value)
{
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  return std::string(buffer, result.ptr);
}

}  // namespace

LatencySummary Summarize(std::vector<double> latenciesUs, double elapsedSeconds)
{
  LatencySummary summary;
  if (latenciesUs.empty()) return summary;
  std::sort(latenciesUs.begin(), latenciesUs.end());
  summary.count = latenciesUs.size();
  summary.p50 = NearestRank(latenciesUs, 0.50);
  summary.p90 = NearestRank(latenciesUs, 0.90);
  summary.p99 = NearestRank(latenciesUs, 0.99);
  summary.max = latenciesUs.back();
  if (elapsedSeconds > 0) summary.requestsPerSecond = static_cast<double>(summary.count) / elapsedSeconds;
  return summary;
}

std::string FormatSummary(const LatencySummary& summary)
{
  return "p50_us=" + OneDecimal(summary.p50) + " p90_us=" + OneDecimal(summary.p90) +
         " p99_us=" + OneDecimal(summary.p99) + " max_us=" + OneDecimal(summary.max) +
         " rps=" + OneDecimal(summary.requestsPerSecond) + " n=" + std::to_string(summary.count);
}

}  // namespace liftpoll
