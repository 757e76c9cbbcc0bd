#include "support/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

std::string_view SkipSpace(std::string_view text)
{
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return text.substr(i);
}

std::size_t CountDigits(std::string_view text, std::size_t from)
{
  std::size_t i = from;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i - from;
}

// The parts of an unsigned decimal number at the start of a text: digits [. digits] [e [sign] digits].
struct DecimalPrefix {
  std::size_t length = 0;        // 0 when there is no number
  std::size_t integerDigits = 0;
  std::size_t fractionDigits = 0;
  std::size_t exponentStart = 0;  // index of the "e" when an exponent belongs to the number
  bool hasExponent = false;
};

DecimalPrefix ScanDecimal(std::string_view text)
{
  DecimalPrefix p;
  p.integerDigits = CountDigits(text, 0);
  std::size_t i = p.integerDigits;
  if (i < text.size() && text[i] == '.') {
    p.fractionDigits = CountDigits(text, i + 1);
    if (p.integerDigits > 0 || p.fractionDigits > 0) i += 1 + p.fractionDigits;
  }
  if (p.integerDigits == 0 && p.fractionDigits == 0) return p;
  // An exponent counts only with at least one digit: "1e" and "1e+" read as "1".
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponentDigits = CountDigits(text, j);
    if (exponentDigits > 0) {
      p.hasExponent = true;
      p.exponentStart = i;
      i = j + exponentDigits;
    }
  }
  p.length = i;
  return p;
}

// Rough decimal magnitude of a number the converter found out of range: positive means too
// large (infinity), otherwise too small (zero).
long long Magnitude(std::string_view number, const DecimalPrefix& p)
{
  long long exponent = 0;
  if (p.hasExponent) {
    std::size_t j = p.exponentStart + 1;
    const bool negative = number[j] == '-';
    if (number[j] == '+' || number[j] == '-') ++j;
    for (; j < number.size(); ++j) {
      exponent = std::min<long long>(exponent * 10 + (number[j] - '0'), 1'000'000'000LL);
    }
    if (negative) exponent = -exponent;
  }
  std::size_t first = 0;
  while (first < p.integerDigits && number[first] == '0') ++first;
  if (first < p.integerDigits) return exponent + static_cast<long long>(p.integerDigits - first);
  std::size_t zeros = 0;
  const std::size_t fraction = p.integerDigits + 1;
  while (zeros < p.fractionDigits && number[fraction + zeros] == '0') ++zeros;
  return exponent - static_cast<long long>(zeros);
}

}  // namespace

int TextToInt(std::string_view text)
{
  text = SkipSpace(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);  // two's complement conversion, defined since C++20
}

double ParseFloatPrefix(std::string_view text)
{
  text = SkipSpace(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const DecimalPrefix prefix = ScanDecimal(text);
  if (prefix.length == 0) return 0.0;
  const std::string_view number = text.substr(0, prefix.length);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = Magnitude(number, prefix) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

double TextToFloat(std::string_view text)
{
  std::string copy(text.substr(0, 127));
  const std::size_t comma = copy.find(',');
  if (comma != std::string::npos && comma < copy.find('.')) copy[comma] = '.';
  return ParseFloatPrefix(copy);
}

std::string IntToText(int value)
{
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatFloatFixed(double value, int decimals)
{
  if (decimals < 0) decimals = 6;  // a negative precision counts as none given
  // The largest double has 309 integer digits; room for sign, point and the decimals.
  std::string buffer(320 + static_cast<std::size_t>(decimals), '\0');
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
  return buffer;
}

std::string HexText(unsigned value, int digits)
{
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(digits > 0 ? digits : 0), '0');
  for (auto i = text.rbegin(); i != text.rend(); ++i, value >>= 4) *i = kDigits[value & 0xF];
  return text;
}
