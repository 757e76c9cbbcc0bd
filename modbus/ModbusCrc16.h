// CRC-16 of Modbus RTU frames.
#pragma once

#include <cstdint>

// Start 0xFFFF; each byte is XORed into the low 8 bits, then 8 shifts right, XORing 0xA001 after
// each shift that dropped a set bit. No final XOR. Stored in a frame low byte first.
// Bitwise on purpose: frames are at most 89 bytes, a table buys nothing.
std::uint16_t ModbusCrc16(const std::uint8_t* data, std::uint16_t count);
