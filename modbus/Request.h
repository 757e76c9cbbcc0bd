// MODBUS-LIFT request processing: one TCP read in, the reply bytes and an error text out.
//
// A request is a Modbus RTU frame of exactly 8 bytes: slave address (0 = broadcast, or ours),
// function 4, first register and register count (both high byte first), CRC-16 low byte first.
// The reply is built in place over the receive buffer, so answering costs no allocation.
// Sockets stay outside: the reply and the texts go to a TRequestOutput, which makes the processing
// usable without a connection (tests, fuzzing).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "modbus/RegisterImage.h"

class SERIAL_LOG;

// Bytes of one read, fewer than this many. A read of this many or more is dropped by the link.
inline constexpr std::size_t kReceiveBufferSize = 2048;
// The only frame length answered.
inline constexpr std::size_t kRequestSize = 8;
// Highest first register and highest register count served; tested separately, so a request can
// reach register 50 (first 9, count 42) and never beyond.
inline constexpr int kMaxFirstRegister = 9;
inline constexpr int kMaxRegisterCount = 42;

// Where the processing sends its replies and reports its errors.
class TRequestOutput {
public:
  virtual ~TRequestOutput() = default;
  // Sends reply bytes on the connection; the outcome does not matter to the processing.
  virtual void SendReply(const std::uint8_t* data, std::size_t count) = 0;
  // Shows the text to the user and writes it to the protocol log.
  virtual void ReportError(std::string_view text) = 0;
};

class TRequestProcessor {
public:
  TRequestProcessor(const RegisterImage& registers, TRequestOutput& output)
      : registers_(registers), output_(output) {}

  // The bytes of the current read; the reply is built over them.
  std::array<std::uint8_t, kReceiveBufferSize> Buffer{};
  // The MODBUS address served. Above 255 only broadcast requests match.
  int SlaveAdr = 1;
  // Normal replies are written here before they are sent; none when null.
  SERIAL_LOG* Log = nullptr;

  // Handles a read of `count` bytes lying in Buffer. Only a read of exactly 8 bytes is a request;
  // any other gets no reply and no text. True when the request reached the register tests
  // (answered normally or with exception 2 or 3): the link then renews its silence clock.
  bool ProcessRead(std::size_t count);

  // CRC and slave address of the 8 bytes in Buffer; on false the reason has been reported.
  bool CheckRequest();
  // Function 4 after CheckRequest: range tests, then the normal reply or an exception reply.
  void ReadInputRegisters();
  // Sends the 5-byte exception reply (our address, function | 0x80, code, CRC). Not logged.
  void SendException(std::uint8_t function, std::uint8_t code);

private:
  const RegisterImage& registers_;
  TRequestOutput& output_;
};
