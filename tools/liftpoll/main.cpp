// liftpoll: the dispatching centre and the gateway's transparent port in one console program.
// It listens where a lift simulator connects and polls the lift with MODBUS-LIFT requests.
#include "tools/liftpoll/Console.h"
#include "tools/liftpoll/PollModes.h"

#include <string_view>
#include <vector>

using namespace liftpoll;

namespace {

int Run(TGatewayPort& port, const PollOptions& options)
{
  switch (options.mode) {
    case PollMode::Once: return RunOnce(port, options);
    case PollMode::Raw: return RunRaw(port, options);
    case PollMode::Bench: return RunBench(port, options);
    case PollMode::Monitor: break;
  }
  return RunMonitor(port, options);
}

}  // namespace

int main(int argc, char** argv)
{
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const ParsedOptions parsed = ParsePollOptions(args);
  if (!parsed.ok) {
    Complain(parsed.error + " (--help: справка)");
    return kExitUsage;
  }
  const PollOptions& options = parsed.options;
  if (options.help) {
    std::fputs(PollUsage().c_str(), stdout);
    return 0;
  }
  TGatewayPort port;
  if (!port.Listen(options.listenAddress, options.port)) {
    Complain(port.Error());
    return kExitUsage;
  }
  Say("Слушаю " + options.listenAddress + ":" + std::to_string(port.BoundPort()));
  return Run(port, options);
}
