#include "support/Codec1251.h"

#include <array>
#include <cstdint>

namespace {

// Characters of the bytes 0x80 to 0xBF. The byte 0x98 has no character in Windows-1251; it is
// carried as U+0098 so that every byte survives a round trip.
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

// The bytes 0xC0 to 0xFF are the Cyrillic letters А to я, U+0410 to U+044F, in order.
constexpr char32_t kCyrillicA = 0x0410;
constexpr char32_t kCyrillicYa = 0x044F;
constexpr char kUnmappable = '?';

char32_t CharOfByte(unsigned char byte)
{
  if (byte < 0x80) return byte;
  if (byte < 0xC0) return kUpperHalf[byte - 0x80];
  return kCyrillicA + (byte - 0xC0);
}

char ByteOfChar(char32_t c)
{
  if (c < 0x80) return static_cast<char>(c);
  if (c >= kCyrillicA && c <= kCyrillicYa) return static_cast<char>(0xC0 + (c - kCyrillicA));
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == c) return static_cast<char>(0x80 + i);
  }
  return kUnmappable;
}

void AppendUtf8(std::string& out, char32_t c)
{
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // Every character of the code page lies in the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

bool IsContinuation(unsigned char byte)
{
  return (byte & 0xC0) == 0x80;
}

// Decodes one UTF-8 character at text[pos] and moves pos past it. A byte that does not start a
// well-formed sequence (overlong forms, surrogates and values above U+10FFFF included) gives
// kInvalid and is passed over alone.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, smallest = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (text.size() - pos < length) {
    ++pos;
    return kInvalid;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(byte)) {
      ++pos;
      return kInvalid;
    }
    c = (c << 6) | (byte & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += length;
  return c;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes)
{
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char byte : bytes) AppendUtf8(out, CharOfByte(static_cast<unsigned char>(byte)));
  return out;
}

std::string Utf8ToCp1251(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = DecodeUtf8(text, pos);
    out += c == kInvalid ? kUnmappable : ByteOfChar(c);
  }
  return out;
}

std::size_t Cp1251Length(std::string_view text)
{
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) DecodeUtf8(text, pos);
  return count;
}
