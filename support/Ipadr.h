// IPv4 and MAC addresses and their text forms.
//
// The text readers never fail: malformed text gives a partial result (missing parts stay 0,
// extra parts are ignored, values keep only their low 8 bits).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// An IPv4 address as four bytes, first octet first (network order). Held and compared as one
// unsigned 32-bit value in memory order, which is also the value of a socket's in_addr.s_addr.
struct IpAddress {
  std::array<std::uint8_t, 4> bytes{};

  std::uint32_t Value() const;
  static IpAddress FromValue(std::uint32_t value);

  friend bool operator==(const IpAddress&, const IpAddress&) = default;
};

// A MAC address as six bytes in transmission order.
struct MacAddress {
  std::array<std::uint8_t, 6> bytes{};

  friend bool operator==(const MacAddress&, const MacAddress&) = default;
};

// Dotted text: each part read as a leading decimal integer (as TextToInt), low 8 bits kept.
IpAddress StrToIp(std::string_view text);
// "%d.%d.%d.%d".
std::string IpToStr(const IpAddress& address);
bool SameIp(const IpAddress& a, const IpAddress& b);
bool NotSameIp(const IpAddress& a, const IpAddress& b);

// Hexadecimal digits accumulate into the current byte (low 8 bits kept), "-" moves to the next
// byte, anything else is skipped; reading ends once the sixth byte is closed by a "-".
MacAddress StrToMac(std::string_view text);
// Six upper-case two-digit hexadecimal numbers joined by "-" (17 characters).
std::string MacToStr(const MacAddress& address);
bool SameMac(const MacAddress& a, const MacAddress& b);

// 0-9, a-f and A-F give 0 to 15; any other character gives its own (unsigned) code.
int HexDigitValue(char c);
