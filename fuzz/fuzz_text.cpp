// Feeds arbitrary bytes to every text reader of the support library and checks the properties
// the rest of the program relies on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Codec1251.h"
#include "support/Ipadr.h"
#include "support/NumberText.h"

namespace {

void Check(bool condition)
{
  if (!condition) __builtin_trap();
}

void FuzzCodec(std::string_view bytes)
{
  // Every byte string survives Windows-1251 -> UTF-8 -> Windows-1251.
  const std::string text = Cp1251ToUtf8(bytes);
  Check(Utf8ToCp1251(text) == bytes);
  Check(Cp1251Length(text) == bytes.size());

  // The same bytes taken as UTF-8: the length agrees with the conversion, and what comes out is
  // stable under another round trip.
  const std::string narrowed = Utf8ToCp1251(bytes);
  Check(Cp1251Length(bytes) == narrowed.size());
  Check(Utf8ToCp1251(Cp1251ToUtf8(narrowed)) == narrowed);
}

void FuzzAddresses(std::string_view text)
{
  const IpAddress ip = StrToIp(text);
  Check(SameIp(StrToIp(IpToStr(ip)), ip));
  Check(!NotSameIp(IpAddress::FromValue(ip.Value()), ip));

  const MacAddress mac = StrToMac(text);
  const std::string macText = MacToStr(mac);
  Check(macText.size() == 17);
  Check(SameMac(StrToMac(macText), mac));

  for (char c : text) {
    const int value = HexDigitValue(c);
    Check(value >= 0 && value <= 255);
  }
}

void FuzzNumbers(std::string_view text)
{
  const int value = TextToInt(text);
  Check(TextToInt(IntToText(value)) == value);

  const double number = ParseFloatPrefix(text);
  const double decimal = TextToFloat(text);
  // Fixed text of any double reads back without trouble; no result is checked for finite values
  // with six decimals, as they round.
  ParseFloatPrefix(FormatFloatFixed(number));
  FormatFloatFixed(decimal, static_cast<int>(text.size() % 20));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  FuzzCodec(input);
  FuzzAddresses(input);
  FuzzNumbers(input);
  return 0;
}
