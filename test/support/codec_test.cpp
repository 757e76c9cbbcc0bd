#include "support/Codec1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string AllBytes()
{
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(Codec1251, EveryByteSurvivesTheRoundTrip)
{
  const std::string bytes = AllBytes();
  const std::string text = Cp1251ToUtf8(bytes);
  EXPECT_EQ(Utf8ToCp1251(text), bytes);
  EXPECT_EQ(Cp1251Length(text), 256u);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << "byte " << b;
  }
}

TEST(Codec1251, AsciiPassesUnchanged)
{
  const std::string ascii = "Trevolk.ini [SETUP] Key=1\r\n";
  EXPECT_EQ(Cp1251ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp1251(ascii), ascii);
}

struct KnownChar {
  const char* utf8;
  unsigned char byte;
};

TEST(Codec1251, KnownCharactersMapBothWays)
{
  const KnownChar cases[] = {
      {"А", 0xC0}, {"я", 0xFF}, {"Ё", 0xA8}, {"ё", 0xB8}, {"№", 0xB9},
      {"€", 0x88}, {"Ђ", 0x80}, {"\u00A0", 0xA0}, {"\u0098", 0x98}, {"Ґ", 0xA5},
  };
  for (const auto& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Utf8ToCp1251(c.utf8), byte) << c.utf8;
    EXPECT_EQ(Cp1251ToUtf8(byte), c.utf8) << int(c.byte);
  }
  EXPECT_EQ(Utf8ToCp1251("Привет, мир"), "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0");
}

struct Conversion {
  const char* name;
  std::string utf8;
  std::string expected;
};

TEST(Codec1251, UnmappableAndInvalidTextBecomesQuestionMarks)
{
  const Conversion cases[] = {
      {"latin letter outside the code page", "caf\u00E9", "caf?"},
      {"CJK character", "a\u4E2Db", "a?b"},
      {"four-byte character", "\U0001F600", "?"},
      {"lone continuation byte", "a\x80z", "a?z"},
      {"truncated sequence at the end", "\xD0", "?"},
      {"lead byte followed by ASCII", "\xD0Z", "?Z"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"encoded surrogate", "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"byte never used in UTF-8", "\xFF", "?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.expected) << c.name;
    EXPECT_EQ(Cp1251Length(c.utf8), c.expected.size()) << c.name;
  }
}

TEST(Codec1251, LengthCountsCodePageBytes)
{
  EXPECT_EQ(Cp1251Length(""), 0u);
  EXPECT_EQ(Cp1251Length("Лифт 12"), 7u);
  EXPECT_EQ(Cp1251Length("№€ё"), 3u);
}

}  // namespace
