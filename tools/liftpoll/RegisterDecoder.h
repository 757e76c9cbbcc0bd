// Turns a block of the lift's input registers into the lines a dispatcher reads.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace liftpoll {

// One line per value (identity, mode, floor), a heading line per bit register followed by one
// "  - " line per set bit, the other fault's code and text (decoded from Windows-1251), and the
// registers beyond 41 in hexadecimal. Registers outside the block are not mentioned; a value that
// needs two registers (the serial number) is shown raw when the block holds only one of them.
std::vector<std::string> DecodeRegisters(std::uint16_t first, std::span<const std::uint16_t> values);

}  // namespace liftpoll
