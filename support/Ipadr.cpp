#include "support/Ipadr.h"

#include <cstring>

#include "support/NumberText.h"

namespace {

bool IsHexDigit(char c)
{
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::uint32_t IpAddress::Value() const
{
  std::uint32_t value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

IpAddress IpAddress::FromValue(std::uint32_t value)
{
  IpAddress address;
  std::memcpy(address.bytes.data(), &value, sizeof value);
  return address;
}

IpAddress StrToIp(std::string_view text)
{
  IpAddress address;
  std::size_t pos = 0;
  for (std::size_t part = 0; part < address.bytes.size() && pos < text.size(); ++part) {
    address.bytes[part] = static_cast<std::uint8_t>(TextToInt(text.substr(pos)) & 0xFF);
    const std::size_t dot = text.find('.', pos);
    pos = dot == std::string_view::npos ? text.size() : dot + 1;
  }
  return address;
}

std::string IpToStr(const IpAddress& address)
{
  std::string text;
  for (std::size_t i = 0; i < address.bytes.size(); ++i) {
    if (i > 0) text += '.';
    text += IntToText(address.bytes[i]);
  }
  return text;
}

bool SameIp(const IpAddress& a, const IpAddress& b)
{
  return a.Value() == b.Value();
}

bool NotSameIp(const IpAddress& a, const IpAddress& b)
{
  return !SameIp(a, b);
}

MacAddress StrToMac(std::string_view text)
{
  MacAddress address;
  std::size_t index = 0;
  unsigned accumulator = 0;
  for (char c : text) {
    if (IsHexDigit(c)) {
      accumulator = ((accumulator << 4) + static_cast<unsigned>(HexDigitValue(c))) & 0xFF;
    } else if (c == '-') {
      address.bytes[index++] = static_cast<std::uint8_t>(accumulator);
      accumulator = 0;
      // Text after the sixth "-" has no byte left to go to.
      if (index == address.bytes.size()) return address;
    }
  }
  address.bytes[index] = static_cast<std::uint8_t>(accumulator);
  return address;
}

std::string MacToStr(const MacAddress& address)
{
  std::string text;
  for (std::size_t i = 0; i < address.bytes.size(); ++i) {
    if (i > 0) text += '-';
    text += HexText(address.bytes[i], 2);
  }
  return text;
}

bool SameMac(const MacAddress& a, const MacAddress& b)
{
  return a.bytes == b.bytes;
}

int HexDigitValue(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return static_cast<unsigned char>(c);
}
