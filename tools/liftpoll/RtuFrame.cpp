#include "tools/liftpoll/RtuFrame.h"

namespace liftpoll {

namespace {

constexpr std::uint8_t kReadInputRegisters = 4;
constexpr std::uint8_t kExceptionFlag = 0x80;
constexpr std::size_t kExceptionLength = 5;

bool IsException(std::span<const std::uint8_t> received)
{
  return received.size() >= 2 && (received[1] & kExceptionFlag) != 0;
}

bool CrcMatches(std::span<const std::uint8_t> frame)
{
  const std::size_t body = frame.size() - 2;
  const std::uint16_t crc = Crc16(frame.first(body));
  return frame[body] == (crc & 0xFF) && frame[body + 1] == (crc >> 8);
}

ReplyCheck CheckException(const ReadRequest& request, std::span<const std::uint8_t> frame)
{
  ReplyCheck check;
  const bool addressOk = request.slave == 0 || frame[0] == request.slave;
  if (!addressOk || frame[1] != (kReadInputRegisters | kExceptionFlag)) {
    check.kind = ReplyKind::Mismatch;
    return check;
  }
  check.kind = ReplyKind::Exception;
  check.exceptionCode = frame[2];
  return check;
}

ReplyCheck CheckNormal(const ReadRequest& request, std::span<const std::uint8_t> frame)
{
  ReplyCheck check;
  const auto byteCount = static_cast<std::uint8_t>(2 * request.count);
  if (frame[0] != request.slave || frame[1] != kReadInputRegisters || frame[2] != byteCount) {
    check.kind = ReplyKind::Mismatch;
    return check;
  }
  check.kind = ReplyKind::Normal;
  check.registers.reserve(request.count);
  for (std::size_t i = 0; i < request.count; ++i) {
    check.registers.push_back(static_cast<std::uint16_t>(frame[3 + 2 * i] << 8 | frame[4 + 2 * i]));
  }
  return check;
}

}  // namespace

std::uint16_t Crc16(std::span<const std::uint8_t> bytes)
{
  std::uint16_t crc = 0xFFFF;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
  }
  return crc;
}

RequestFrame MakeReadRequest(const ReadRequest& request)
{
  RequestFrame frame{request.slave,
                     kReadInputRegisters,
                     static_cast<std::uint8_t>(request.first >> 8),
                     static_cast<std::uint8_t>(request.first & 0xFF),
                     static_cast<std::uint8_t>(request.count >> 8),
                     static_cast<std::uint8_t>(request.count & 0xFF),
                     0,
                     0};
  const std::uint16_t crc = Crc16(std::span(frame).first(6));
  frame[6] = static_cast<std::uint8_t>(crc & 0xFF);
  frame[7] = static_cast<std::uint8_t>(crc >> 8);
  return frame;
}

std::size_t ExpectedReplyLength(const ReadRequest& request, std::span<const std::uint8_t> received)
{
  if (IsException(received)) return kExceptionLength;
  return 5 + 2 * static_cast<std::size_t>(request.count);
}

ReplyCheck CheckReply(const ReadRequest& request, std::span<const std::uint8_t> received)
{
  const std::size_t length = ExpectedReplyLength(request, received);
  if (received.size() < length) return {};
  const auto frame = received.first(length);
  if (!CrcMatches(frame)) return {ReplyKind::CrcError, 0, {}};
  return IsException(frame) ? CheckException(request, frame) : CheckNormal(request, frame);
}

}  // namespace liftpoll
