#include "modbus/ModbusCrc16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct CrcCase {
  std::vector<std::uint8_t> data;
  std::uint16_t crc;
};

void PrintTo(const CrcCase& c, std::ostream* out) { *out << c.data.size() << " bytes"; }

class CrcTest : public ::testing::TestWithParam<CrcCase> {};

TEST_P(CrcTest, MatchesKnownValue) {
  const auto& c = GetParam();
  EXPECT_EQ(ModbusCrc16(c.data.data(), static_cast<std::uint16_t>(c.data.size())), c.crc);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CrcTest,
    ::testing::Values(
        CrcCase{{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, 0x4B37},  // check value
        CrcCase{{}, 0xFFFF},                                              // start value only
        CrcCase{{0x01, 0x04, 0x00, 0x00, 0x00, 0x0A}, 0x0D70},            // request 70 0D
        CrcCase{{0x01, 0x04, 0x00, 0x00, 0x00, 0x09}, 0x0C30},            // request 30 0C
        CrcCase{{0x01, 0x04, 0x02, 0x00, 0x01}, 0xF078},                  // reply 78 F0
        CrcCase{{0x01, 0x83, 0x01}, 0xF080},                              // exception 80 F0
        CrcCase{{0x01, 0x84, 0x02}, 0xC1C2},                              // exception C2 C1
        CrcCase{{0x01, 0x84, 0x03}, 0x0103}));                            // exception 03 01

TEST(Crc, FrameWithItsCrcAppendedGivesZero) {
  std::vector<std::uint8_t> frame = {0x01, 0x04, 0x00, 0x00, 0x00, 0x0A, 0x70, 0x0D};
  EXPECT_EQ(ModbusCrc16(frame.data(), 8), 0);
}

}  // namespace
