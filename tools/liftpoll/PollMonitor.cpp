#include "tools/liftpoll/Console.h"
#include "tools/liftpoll/PollModes.h"
#include "tools/liftpoll/PollReport.h"

#include <chrono>
#include <thread>

namespace liftpoll {

namespace {

using Clock = std::chrono::steady_clock;

// Polls the connected lift until it goes away or the poll budget is spent; true when spent.
bool PollLift(TGatewayPort& port, const PollOptions& options, PollCounters& counters)
{
  const auto frame = MakeReadRequest(options.request);
  const auto period = std::chrono::milliseconds(options.periodMs);
  auto next = Clock::now();
  for (;;) {
    port.Drain();
    if (port.PeerClosed()) {
      Say("Лифт отключился");
      return false;
    }
    const auto start = Clock::now();
    port.Send(frame);
    const auto received = port.ReadReply(options.request);
    const std::chrono::duration<double, std::milli> latency = Clock::now() - start;
    const ReplyCheck check = CheckReply(options.request, received);
    counters.Count(check.kind);
    Say(ReportPoll(counters.polls, options.request, check, received, latency.count(), options.timeoutMs));
    Say(counters.Line());
    if (options.polls > 0 && counters.polls >= options.polls) return true;
    if (port.PeerClosed()) {
      Say("Лифт отключился");
      return false;
    }
    next += period;
    std::this_thread::sleep_until(next);
  }
}

}  // namespace

int RunMonitor(TGatewayPort& port, const PollOptions& options)
{
  PollCounters counters;
  for (;;) {
    Say("Жду подключения лифта ...");
    if (!port.Accept(-1, options.timeoutMs)) {
      Complain(port.Error());
      return kExitUsage;
    }
    Say("Лифт подключился: " + port.PeerText());
    if (PollLift(port, options, counters)) return counters.answers > 0 ? kExitAnswered : kExitNoAnswer;
  }
}

}  // namespace liftpoll
