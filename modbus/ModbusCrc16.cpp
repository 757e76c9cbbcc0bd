#include "modbus/ModbusCrc16.h"

std::uint16_t ModbusCrc16(const std::uint8_t* data, std::uint16_t count) {
  std::uint16_t crc = 0xFFFF;
  for (std::uint16_t i = 0; i < count; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      const bool carry = (crc & 1) != 0;
      crc >>= 1;
      if (carry) crc ^= 0xA001;
    }
  }
  return crc;
}
