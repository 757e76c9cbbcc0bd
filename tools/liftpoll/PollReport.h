// What the console prints about one poll, and the running counts of its outcomes.
#pragma once

#include "tools/liftpoll/RtuFrame.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace liftpoll {

struct PollCounters {
  long polls = 0;
  long answers = 0;     // normal replies
  long timeouts = 0;    // no reply or an incomplete one
  long crcErrors = 0;
  long exceptions = 0;
  long mismatches = 0;  // whole replies with a good CRC that do not answer the request

  void Count(ReplyKind kind);
  std::string Line() const;
};

// The text of an exception code: 1, 2, 3 as the lift uses them, others by number.
std::string ExceptionText(std::uint8_t code);

// The heading "Опрос N: ..." followed, for a normal reply, by the decoded registers indented by
// two blanks. latencyMs is shown for replies; timeoutMs for a missing one; the raw bytes for
// broken ones.
std::vector<std::string> ReportPoll(long number, const ReadRequest& request, const ReplyCheck& check,
                                    std::span<const std::uint8_t> received, double latencyMs,
                                    int timeoutMs);

// Milliseconds with two decimals, independent of the process locale.
std::string Milliseconds(double value);

}  // namespace liftpoll
