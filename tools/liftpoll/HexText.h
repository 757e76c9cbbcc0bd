// Bytes as hexadecimal text and back, for the console's raw mode.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace liftpoll {

// Pairs of hexadecimal digits, either case; blanks, commas and colons between bytes are skipped.
// Nothing for an odd digit, any other character, or no bytes at all.
std::optional<std::vector<std::uint8_t>> ParseHex(std::string_view text);

// Upper-case pairs joined by single blanks: "01 04 12".
std::string FormatHex(std::span<const std::uint8_t> bytes);

}  // namespace liftpoll
