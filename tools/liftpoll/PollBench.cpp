#include "tools/liftpoll/Console.h"
#include "tools/liftpoll/LatencyStats.h"
#include "tools/liftpoll/PollModes.h"

#include <chrono>

namespace liftpoll {

namespace {

using Clock = std::chrono::steady_clock;

struct Exchange {
  bool whole = false;  // a reply of the expected length with a good CRC
  double microseconds = 0;
};

Exchange Ask(TGatewayPort& port, const ReadRequest& request, const RequestFrame& frame)
{
  const auto start = Clock::now();
  port.Send(frame);
  const auto received = port.ReadReply(request);
  const std::chrono::duration<double, std::micro> latency = Clock::now() - start;
  const ReplyKind kind = CheckReply(request, received).kind;
  return {kind == ReplyKind::Normal, latency.count()};
}

}  // namespace

int RunBench(TGatewayPort& port, const PollOptions& options)
{
  if (!AwaitLift(port, options)) return kExitNoAnswer;
  const auto frame = MakeReadRequest(options.request);
  for (long i = 0; i < options.warmup; ++i) {
    if (!Ask(port, options.request, frame).whole) {
      Say("Прогрев: нет правильного ответа на запрос " + std::to_string(i + 1));
      return kExitNoAnswer;
    }
  }
  std::vector<double> latencies;
  latencies.reserve(static_cast<std::size_t>(options.benchCount));
  const auto start = Clock::now();
  for (long i = 0; i < options.benchCount; ++i) {
    const Exchange exchange = Ask(port, options.request, frame);
    if (!exchange.whole) {
      Say("Нет правильного ответа на запрос " + std::to_string(i + 1));
      return kExitNoAnswer;
    }
    latencies.push_back(exchange.microseconds);
  }
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  Say("Запросов: " + std::to_string(options.benchCount) + ", прогрев: " + std::to_string(options.warmup));
  Say(FormatSummary(Summarize(std::move(latencies), elapsed.count())));
  return kExitAnswered;
}

}  // namespace liftpoll
