#include "support/Ipadr.h"
#include "support/NumberText.h"
#include "support/Version.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

using IpBytes = std::array<std::uint8_t, 4>;
using MacBytes = std::array<std::uint8_t, 6>;

struct IpCase {
  const char* text;
  IpBytes bytes;
};

TEST(StrToIp, ReadsPartsWithoutValidation)
{
  const IpCase cases[] = {
      {"192.168.1.200", {192, 168, 1, 200}},
      {"10.0", {10, 0, 0, 0}},
      {"300.1.1.1", {44, 1, 1, 1}},
      {"", {0, 0, 0, 0}},
      {"abc", {0, 0, 0, 0}},
      {"1.2.3.4.5", {1, 2, 3, 4}},
      {"1..3", {1, 0, 3, 0}},
      {" 7. 8.x9.10", {7, 8, 0, 10}},
      {"-1.2.3.4", {255, 2, 3, 4}},
      {"1.2.3.", {1, 2, 3, 0}},
      {"255.255.255.255", {255, 255, 255, 255}},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToIp(c.text).bytes, c.bytes) << c.text;
}

TEST(IpToStr, WritesDottedDecimal)
{
  EXPECT_EQ(IpToStr(IpAddress{{10, 0, 0, 5}}), "10.0.0.5");
  EXPECT_EQ(IpToStr(IpAddress{{0, 0, 0, 0}}), "0.0.0.0");
  EXPECT_EQ(IpToStr(IpAddress{{255, 255, 255, 255}}), "255.255.255.255");
  EXPECT_EQ(IpToStr(StrToIp("192.168.001.020")), "192.168.1.20");
}

TEST(IpAddress, ValueIsTheBytesInMemoryOrder)
{
  const IpAddress address{{192, 168, 0, 10}};
  const std::uint32_t value = address.Value();
  EXPECT_EQ(std::memcmp(&value, address.bytes.data(), 4), 0);
  EXPECT_EQ(IpAddress::FromValue(value), address);
}

TEST(IpAddress, SameAndNotSame)
{
  const IpAddress a{{10, 0, 0, 1}};
  const IpAddress b{{10, 0, 0, 2}};
  EXPECT_TRUE(SameIp(a, StrToIp("10.0.0.1")));
  EXPECT_FALSE(SameIp(a, b));
  EXPECT_TRUE(NotSameIp(a, b));
  EXPECT_FALSE(NotSameIp(a, a));
}

struct MacCase {
  const char* text;
  MacBytes bytes;
};

TEST(StrToMac, ReadsHexPairsSeparatedByDashes)
{
  const MacCase cases[] = {
      {"00-1A-2b-3C-4d-5E", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
      {"00-1A-2B-3C-4D-5E-77", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
      {"00:1A:2B:3C:4D:5E", {0x5E, 0, 0, 0, 0, 0}},
      {"001A2B3C4D5E", {0x5E, 0, 0, 0, 0, 0}},
      {"", {0, 0, 0, 0, 0, 0}},
      {"1-2", {1, 2, 0, 0, 0, 0}},
      {"A-B-C-D-E-F", {0xA, 0xB, 0xC, 0xD, 0xE, 0xF}},
      {"g1-zz-2", {1, 0, 2, 0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToMac(c.text).bytes, c.bytes) << c.text;
}

TEST(StrToMac, StopsAtTheSixthDashWithoutWritingPastTheEnd)
{
  const MacCase cases[] = {
      {"1-2-3-4-5-6-", {1, 2, 3, 4, 5, 6}},
      {"1-2-3-4-5-6", {1, 2, 3, 4, 5, 6}},
      {"------", {0, 0, 0, 0, 0, 0}},
      {"-------------ff", {0, 0, 0, 0, 0, 0}},
      {"11-22-33-44-55-66-77-88-99", {0x11, 0x22, 0x33, 0x44, 0x55, 0x66}},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToMac(c.text).bytes, c.bytes) << c.text;
}

TEST(MacToStr, WritesUpperCaseHexPairs)
{
  EXPECT_EQ(MacToStr(MacAddress{{0, 26, 43, 60, 77, 94}}), "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(MacToStr(MacAddress{{255, 255, 255, 255, 255, 255}}), "FF-FF-FF-FF-FF-FF");
  EXPECT_EQ(MacToStr(StrToMac("0a-0b-0c-0d-0e-0f")), "0A-0B-0C-0D-0E-0F");
}

TEST(MacAddress, SameMacComparesAllBytes)
{
  const MacAddress a{{1, 2, 3, 4, 5, 6}};
  MacAddress b = a;
  EXPECT_TRUE(SameMac(a, b));
  b.bytes[5] = 7;
  EXPECT_FALSE(SameMac(a, b));
}

TEST(HexDigitValue, DigitsAndLettersOtherwiseTheCode)
{
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('G'), 'G');
  EXPECT_EQ(HexDigitValue('-'), '-');
  EXPECT_EQ(HexDigitValue('\xC0'), 0xC0);
}

struct IntCase {
  const char* text;
  int value;
};

TEST(TextToInt, LeadingDecimalIntegerElseZero)
{
  const IntCase cases[] = {
      {"42", 42},
      {"  \t-17abc", -17},
      {"+8", 8},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"- 5", 0},
      {"12 34", 12},
      {"007", 7},
      {"3.9", 3},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<int>::min()},
      {"2147483648", std::numeric_limits<int>::min()},
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967301", 5},
      {"99999999999999999999", 1661992959},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << c.text;
}

TEST(IntToText, DecimalLikePercentD)
{
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-17), "-17");
  EXPECT_EQ(IntToText(std::numeric_limits<int>::min()), "-2147483648");
  EXPECT_EQ(IntToText(std::numeric_limits<int>::max()), "2147483647");
}

TEST(HexText, LastDigitsUpperCaseWithLeadingZeros)
{
  EXPECT_EQ(HexText(0x00, 2), "00");
  EXPECT_EQ(HexText(0x0A, 2), "0A");
  EXPECT_EQ(HexText(0xFF, 2), "FF");
  EXPECT_EQ(HexText(0x12F, 4), "012F");
  EXPECT_EQ(HexText(0x1AB, 2), "AB");
  EXPECT_EQ(HexText(0xFFFFFFFFu, 8), "FFFFFFFF");
}

struct FloatCase {
  const char* text;
  double value;
};

TEST(ParseFloatPrefix, LongestDecimalPrefix)
{
  const double inf = std::numeric_limits<double>::infinity();
  const FloatCase cases[] = {
      {"2.5", 2.5},
      {"  -3.25x", -3.25},
      {"+4", 4.0},
      {"-.5", -0.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"1E-2", 0.01},
      {"1e+2", 100.0},
      {"1e", 1.0},
      {"1e+", 1.0},
      {"1.5e-x", 1.5},
      {"1.2.3", 1.2},
      {"", 0.0},
      {".", 0.0},
      {"-", 0.0},
      {"e5", 0.0},
      {"abc", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"0x10", 0.0},
      {"3,5", 3.0},
      {"1e400", inf},
      {"-1e400", -inf},
      {"1e-400", 0.0},
      {"1e99999999999999999999", inf},
      {"0.0000e99999", 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseFloatPrefix(c.text), c.value) << c.text;
  EXPECT_TRUE(std::signbit(ParseFloatPrefix("-0")));
  const std::string largest = "17976931348623157" + std::string(292, '0');
  EXPECT_EQ(ParseFloatPrefix(largest + ".0"), std::numeric_limits<double>::max());
  EXPECT_EQ(ParseFloatPrefix("18" + std::string(307, '0')), inf);
  EXPECT_EQ(ParseFloatPrefix("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(TextToFloat, CommaBeforeAnyPointIsTheDecimalPoint)
{
  const FloatCase cases[] = {
      {"3,5", 3.5}, {"3.5", 3.5}, {"1,5.2", 1.5}, {"1.5,2", 1.5}, {".5", 0.5},
      {"abc", 0.0}, {"-0,25", -0.25}, {"1,2,3", 1.2}, {"", 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToFloat(c.text), c.value) << c.text;
}

TEST(TextToFloat, ReadsOnlyTheFirst127Characters)
{
  const std::string longNumber = std::string(126, '0') + "12";  // 127th character is "1"
  EXPECT_EQ(TextToFloat(longNumber), 1.0);
  EXPECT_EQ(ParseFloatPrefix(longNumber), 12.0);
}

struct FixedCase {
  double value;
  const char* text;
};

TEST(FormatFloatFixed, SameAsPercentFInTheCLocale)
{
  const FixedCase cases[] = {
      {2.5, "2.500000"},
      {0.0, "0.000000"},
      {-0.0, "-0.000000"},
      {-1.25, "-1.250000"},
      {0.1, "0.100000"},
      {1e-7, "0.000000"},
      {0.0000004, "0.000000"},
      {0.0000005, "0.000000"},  // the nearest double lies just below the half
      {2.0000005, "2.000001"},
      {123456789.0, "123456789.000000"},
      {1e20, "100000000000000000000.000000"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloatFixed(c.value), c.text) << c.text;
  EXPECT_EQ(FormatFloatFixed(std::numeric_limits<double>::max()).size(), 309u + 7u);
  EXPECT_EQ(FormatFloatFixed(2.5, 2), "2.50");
  EXPECT_EQ(FormatFloatFixed(2.5, 0), "2");
}

TEST(FormatFloatFixed, MatchesTheCLibraryInTheCLocale)
{
  const double values[] = {0.5, 1.5, 2.5, 0.0000005, 0.0000015, 1.0 / 3.0, -2.0 / 3.0, 1e-300, 123.4567895, 9.9999995,
                           4503599627370496.5, 1e300, std::numeric_limits<double>::denorm_min()};
  for (double value : values) {
    char expected[400];
    std::snprintf(expected, sizeof expected, "%f", value);
    EXPECT_EQ(FormatFloatFixed(value), expected) << expected;
  }
}

TEST(Version, AboutLineShowsMajorMinorReleaseButNotBuild)
{
  EXPECT_EQ(AboutVersionText(ProgramVersion{1, 2, 3, 4}), "Версия 1.2.3");
  EXPECT_EQ(AboutVersionText(ProgramVersion{10, 0, 27, 0}), "Версия 10.0.27");
  const ProgramVersion built = GetProgramVersion();
  EXPECT_EQ(AboutVersionText(), AboutVersionText(built));
  EXPECT_EQ(built.build, 0);
}

}  // namespace
