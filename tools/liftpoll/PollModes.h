// The console's modes. Each takes a listening port and returns the process exit status.
#pragma once

#include "tools/liftpoll/GatewayPort.h"
#include "tools/liftpoll/PollOptions.h"

namespace liftpoll {

inline constexpr int kExitAnswered = 0;
inline constexpr int kExitNoAnswer = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitBadAnswer = 3;

int RunMonitor(TGatewayPort& port, const PollOptions& options);
int RunOnce(TGatewayPort& port, const PollOptions& options);
int RunRaw(TGatewayPort& port, const PollOptions& options);
int RunBench(TGatewayPort& port, const PollOptions& options);

// Waits for the lift as the one-shot modes do: reports and returns false when it does not come.
bool AwaitLift(TGatewayPort& port, const PollOptions& options);

}  // namespace liftpoll
