#include "modbus/Request.h"

#include "modbus/LinkTexts.h"
#include "modbus/ModbusCrc16.h"
#include "support/Serlog.h"

namespace {

constexpr std::uint8_t kFunctionReadInputRegisters = 4;
constexpr std::uint8_t kExceptionFunction = 1;
constexpr std::uint8_t kExceptionRegister = 2;
constexpr std::uint8_t kExceptionCount = 3;

std::uint16_t Word(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

// Appends the CRC of the first `count` bytes after them, low byte first.
void Seal(std::uint8_t* frame, std::size_t count) {
  const std::uint16_t crc = ModbusCrc16(frame, static_cast<std::uint16_t>(count));
  frame[count] = static_cast<std::uint8_t>(crc & 0xFF);
  frame[count + 1] = static_cast<std::uint8_t>(crc >> 8);
}

}  // namespace

bool TRequestProcessor::ProcessRead(std::size_t count) {
  if (count != kRequestSize) return false;
  if (!CheckRequest()) return false;
  if (Buffer[1] != kFunctionReadInputRegisters) {
    SendException(Buffer[1], kExceptionFunction);
    output_.ReportError(TextWrongFunction);
    return false;
  }
  ReadInputRegisters();
  return true;
}

bool TRequestProcessor::CheckRequest() {
  const std::uint16_t received = static_cast<std::uint16_t>(Buffer[6] | Buffer[7] << 8);
  if (ModbusCrc16(Buffer.data(), 6) != received) {
    output_.ReportError(TextCrcError);
    return false;
  }
  const int address = Buffer[0];
  if (address != 0 && address != SlaveAdr) {
    output_.ReportError(TextWrongSlave);
    return false;
  }
  return true;
}

void TRequestProcessor::ReadInputRegisters() {
  const int first = Word(&Buffer[2]);
  const int count = Word(&Buffer[4]);
  if (first > kMaxFirstRegister) {
    SendException(kFunctionReadInputRegisters, kExceptionRegister);
    output_.ReportError(TextWrongRegister);
    return;
  }
  if (count > kMaxRegisterCount) {
    SendException(kFunctionReadInputRegisters, kExceptionCount);
    output_.ReportError(TextWrongCount);
    return;
  }
  // Bytes 0 and 1 (address and function) stay as the request had them.
  Buffer[2] = static_cast<std::uint8_t>(2 * count);
  std::uint8_t* values = &Buffer[3];
  for (int i = 0; i < count; ++i) {
    // Each register is read whole; several registers need not form one snapshot.
    const std::uint16_t value = registers_[first + i].load(std::memory_order_relaxed);
    values[2 * i] = static_cast<std::uint8_t>(value >> 8);
    values[2 * i + 1] = static_cast<std::uint8_t>(value & 0xFF);
  }
  const std::size_t body = 3 + 2 * static_cast<std::size_t>(count);
  Seal(Buffer.data(), body);
  if (Log) Log->WriteTxBlock(Buffer.data(), body + 2);
  output_.SendReply(Buffer.data(), body + 2);
}

void TRequestProcessor::SendException(std::uint8_t function, std::uint8_t code) {
  std::uint8_t reply[5] = {static_cast<std::uint8_t>(SlaveAdr & 0xFF),
                           static_cast<std::uint8_t>(function | 0x80), code, 0, 0};
  Seal(reply, 3);
  output_.SendReply(reply, sizeof reply);
}
