// Modbus RTU frames of the dispatching side: the function-4 request and the check of a reply.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace liftpoll {

// The standard Modbus CRC-16 (start 0xFFFF, polynomial 0xA001 reflected, no final XOR).
std::uint16_t Crc16(std::span<const std::uint8_t> bytes);

// What the console asks for: read input registers.
struct ReadRequest {
  std::uint8_t slave = 1;
  std::uint16_t first = 0;
  std::uint16_t count = 42;
};

using RequestFrame = std::array<std::uint8_t, 8>;

// Address, function 4, first register and count high byte first, CRC low byte first.
RequestFrame MakeReadRequest(const ReadRequest& request);

enum class ReplyKind {
  Incomplete,  // fewer bytes than a reply of this kind needs (a time-out)
  Normal,      // registers decoded
  Exception,   // an exception reply with its code
  CrcError,    // the bytes of a whole reply, but the CRC does not match
  Mismatch,    // a whole reply with a correct CRC that does not answer the request
};

struct ReplyCheck {
  ReplyKind kind = ReplyKind::Incomplete;
  std::uint8_t exceptionCode = 0;
  std::vector<std::uint16_t> registers;
};

// How many bytes the reply to the request takes, judged by what has arrived so far: an exception
// reply (function byte with bit 7) is 5 bytes, a normal one 5 + 2 * count.
std::size_t ExpectedReplyLength(const ReadRequest& request, std::span<const std::uint8_t> received);

// Classifies the received bytes as the reply to the request. A broadcast request (address 0) is
// answered with 0 in a normal reply, but with the lift's own address in an exception reply.
ReplyCheck CheckReply(const ReadRequest& request, std::span<const std::uint8_t> received);

}  // namespace liftpoll
