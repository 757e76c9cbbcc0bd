// MODBUS-LIFT request processing on arbitrary reads. The first input byte picks the slave address;
// bit 0 of the second asks for an 8-byte read to get its correct CRC (so that the fuzzer gets past
// the CRC test); the rest is one TCP read (any length the receive buffer takes). Every reply must
// be a sealed frame of the right shape carrying the image's registers, every refusal one text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "modbus/ModbusCrc16.h"
#include "modbus/Request.h"

namespace {

class CheckingOutput : public TRequestOutput {
public:
  void SendReply(const std::uint8_t* data, std::size_t count) override {
    if (replies++ != 0 || texts != 0) std::abort();  // one reply, always before the text
    if (count < 5 || count > 89) std::abort();
    if (ModbusCrc16(data, static_cast<std::uint16_t>(count)) != 0) std::abort();
    std::memcpy(reply, data, count);
    replySize = count;
  }
  void ReportError(std::string_view text) override {
    if (texts++ != 0 || text.empty()) std::abort();
  }

  int replies = 0;
  int texts = 0;
  std::uint8_t reply[89] = {};
  std::size_t replySize = 0;
};

std::uint16_t RegisterValue(int index) {
  return static_cast<std::uint16_t>(index * 0x0101 + 0x1234);
}

const RegisterImage& Image() {
  static RegisterImage image;
  static const bool filled = [] {
    for (int i = 0; i < kRegisterCount; ++i) image[i] = RegisterValue(i);
    return true;
  }();
  (void)filled;
  return image;
}

void CheckNormalReply(const CheckingOutput& out, const std::uint8_t* request) {
  const int first = request[2] << 8 | request[3];
  const int count = request[4] << 8 | request[5];
  if (out.replySize != 5 + 2 * static_cast<std::size_t>(count)) std::abort();
  if (out.reply[0] != request[0] || out.reply[1] != 4 || out.reply[2] != 2 * count) std::abort();
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* bytes = &out.reply[3 + 2 * i];
    const std::uint16_t value = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    if (value != RegisterValue(first + i)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int slave = data[0] == 0xFF ? 257 : data[0];
  const bool seal = (data[1] & 1) != 0;
  const std::size_t count = size - 2;
  if (count >= kReceiveBufferSize) return 0;  // the link drops such reads before processing

  CheckingOutput out;
  TRequestProcessor processor(Image(), out);
  processor.SlaveAdr = slave;
  std::memcpy(processor.Buffer.data(), data + 2, count);
  if (seal && count == kRequestSize) {
    const std::uint16_t crc = ModbusCrc16(processor.Buffer.data(), 6);
    processor.Buffer[6] = static_cast<std::uint8_t>(crc & 0xFF);
    processor.Buffer[7] = static_cast<std::uint8_t>(crc >> 8);
  }
  std::uint8_t read[kRequestSize];
  std::memcpy(read, processor.Buffer.data(), count == kRequestSize ? kRequestSize : 0);
  const bool renewed = processor.ProcessRead(count);

  if (count != kRequestSize) {
    if (renewed || out.replies || out.texts) std::abort();
    return 0;
  }
  if (out.replies == 0 && out.texts == 0) std::abort();  // an 8-byte read is never ignored silently
  if (out.replies == 1 && out.texts == 0) {
    if (!renewed) std::abort();
    CheckNormalReply(out, read);
  } else if (out.replies == 1) {
    // Exception: our address, the function with bit 7, a code of 1 to 3.
    if (out.replySize != 5 || out.reply[0] != (slave & 0xFF)) std::abort();
    if (!(out.reply[1] & 0x80)) std::abort();
    if (out.reply[2] < 1 || out.reply[2] > 3 || renewed != (out.reply[2] != 1)) std::abort();
  } else if (renewed) {
    std::abort();  // CRC or address refused: no reply and no renewal
  }
  return 0;
}
