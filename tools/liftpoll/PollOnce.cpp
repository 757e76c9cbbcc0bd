#include "tools/liftpoll/Console.h"
#include "tools/liftpoll/PollModes.h"
#include "tools/liftpoll/PollReport.h"

#include <chrono>

namespace liftpoll {

bool AwaitLift(TGatewayPort& port, const PollOptions& options)
{
  if (port.Accept(options.waitMs, options.timeoutMs)) {
    Say("Лифт подключился: " + port.PeerText());
    return true;
  }
  if (!port.Error().empty()) Complain(port.Error());
  Say("Лифт не подключился за " + std::to_string(options.waitMs) + " мс");
  return false;
}

int RunOnce(TGatewayPort& port, const PollOptions& options)
{
  if (!AwaitLift(port, options)) return kExitNoAnswer;
  const auto frame = MakeReadRequest(options.request);
  const auto start = std::chrono::steady_clock::now();
  port.Send(frame);
  const auto received = port.ReadReply(options.request);
  const std::chrono::duration<double, std::milli> latency = std::chrono::steady_clock::now() - start;
  const ReplyCheck check = CheckReply(options.request, received);
  Say(ReportPoll(1, options.request, check, received, latency.count(), options.timeoutMs));
  if (check.kind == ReplyKind::Normal) return kExitAnswered;
  return check.kind == ReplyKind::Incomplete ? kExitNoAnswer : kExitBadAnswer;
}

}  // namespace liftpoll
