// Command line of the dispatching-side console.
#pragma once

#include "tools/liftpoll/RtuFrame.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace liftpoll {

enum class PollMode {
  Monitor,  // poll for ever (or --polls times), decode every answer
  Once,     // one decoded poll; the exit status tells whether the lift answered
  Raw,      // send the given byte blocks one after another, print each reply in hexadecimal
  Bench,    // back-to-back requests, latency percentiles
};

struct PollOptions {
  std::string listenAddress = "127.0.0.1";
  std::uint16_t port = 4001;  // 0: any free port (printed when listening)
  ReadRequest request;
  int periodMs = 1000;
  int timeoutMs = 500;   // wait for one reply
  int waitMs = 30000;    // one-shot, raw and benchmark modes: wait for the lift to connect
  long polls = 0;        // monitor mode: stop after this many polls; 0 for ever
  PollMode mode = PollMode::Monitor;
  std::vector<std::vector<std::uint8_t>> rawBlocks;  // one exchange per --raw, in order
  long repeat = 1;       // raw mode: each block is sent this many times in one write
  long benchCount = 0;
  long warmup = 1000;
  bool help = false;
};

struct ParsedOptions {
  bool ok = false;
  PollOptions options;
  std::string error;  // one line, when not ok
};

// The arguments after the program name. "--name value" and "--name=value" are both accepted.
ParsedOptions ParsePollOptions(std::span<const std::string_view> args);

// What --help prints.
std::string PollUsage();

}  // namespace liftpoll
