#include "tools/liftpoll/HexText.h"
#include "tools/liftpoll/RtuFrame.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string_view>

using namespace liftpoll;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view hex)
{
  return ParseHex(hex).value();
}

TEST(LiftPollFrame, CrcCheckValue)
{
  const std::string_view text = "123456789";
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  EXPECT_EQ(Crc16(bytes), 0x4B37);
}

TEST(LiftPollFrame, ReadRequests)
{
  EXPECT_EQ(FormatHex(MakeReadRequest({1, 0, 9})), "01 04 00 00 00 09 30 0C");
  EXPECT_EQ(FormatHex(MakeReadRequest({1, 0, 10})), "01 04 00 00 00 0A 70 0D");
}

struct ReplyCase {
  const char* name;
  ReadRequest request;
  std::string_view received;
  ReplyKind kind;
  std::uint8_t exceptionCode;
  std::vector<std::uint16_t> registers;
};

void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.name; }


class LiftPollReply : public testing::TestWithParam<ReplyCase> {};

TEST_P(LiftPollReply, IsClassified)
{
  const ReplyCase& c = GetParam();
  const ReplyCheck check = CheckReply(c.request, Bytes(c.received));
  EXPECT_EQ(check.kind, c.kind);
  EXPECT_EQ(check.exceptionCode, c.exceptionCode);
  EXPECT_EQ(check.registers, c.registers);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LiftPollReply,
    testing::Values(
        ReplyCase{"FirstStart", {1, 0, 9},
                  "01 04 12 00 01 00 01 61 4E 00 BC 00 00 00 01 00 01 00 01 00 01 8B D8",
                  ReplyKind::Normal, 0, {1, 1, 0x614E, 0x00BC, 0, 1, 1, 1, 1}},
        ReplyCase{"OneRegister", {1, 5, 1}, "01 04 02 00 01 78 F0", ReplyKind::Normal, 0, {1}},
        ReplyCase{"ExtraBytesIgnored", {1, 5, 1}, "01 04 02 00 01 78 F0 FF", ReplyKind::Normal, 0, {1}},
        ReplyCase{"FunctionRefused", {1, 0, 1}, "01 84 02 C2 C1", ReplyKind::Exception, 2, {}},
        ReplyCase{"BadCount", {1, 0, 43}, "01 84 03 03 01", ReplyKind::Exception, 3, {}},
        ReplyCase{"BroadcastException", {0, 10, 1}, "01 84 02 C2 C1", ReplyKind::Exception, 2, {}},
        ReplyCase{"CrcWrong", {1, 5, 1}, "01 04 02 00 01 78 F1", ReplyKind::CrcError, 0, {}},
        ReplyCase{"Short", {1, 5, 1}, "01 04 02 00", ReplyKind::Incomplete, 0, {}},
        ReplyCase{"ShortException", {1, 5, 1}, "01 84 02", ReplyKind::Incomplete, 0, {}},
        ReplyCase{"OtherSlave", {2, 5, 1}, "01 04 02 00 01 78 F0", ReplyKind::Mismatch, 0, {}},
        ReplyCase{"OtherCount", {1, 5, 2}, "01 04 02 00 01 78 F0 00 00", ReplyKind::Mismatch, 0, {}},
        ReplyCase{"ExceptionOfOtherSlave", {2, 0, 1}, "01 84 02 C2 C1", ReplyKind::Mismatch, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiftPollFrame, ExpectedLengthFollowsTheFunctionByte)
{
  EXPECT_EQ(ExpectedReplyLength({1, 0, 42}, {}), 89u);
  EXPECT_EQ(ExpectedReplyLength({1, 0, 42}, Bytes("01 84")), 5u);
  EXPECT_EQ(ExpectedReplyLength({1, 0, 0}, Bytes("01 04")), 5u);
}

TEST(LiftPollHex, ParsesAndFormats)
{
  EXPECT_EQ(Bytes("01 04 00 0a"), (std::vector<std::uint8_t>{1, 4, 0, 10}));
  EXPECT_EQ(Bytes("0104000A"), (std::vector<std::uint8_t>{1, 4, 0, 10}));
  EXPECT_EQ(Bytes("01:04,ff"), (std::vector<std::uint8_t>{1, 4, 255}));
  EXPECT_FALSE(ParseHex("0"));
  EXPECT_FALSE(ParseHex("0 1"));
  EXPECT_FALSE(ParseHex("0g"));
  EXPECT_FALSE(ParseHex(""));
  EXPECT_FALSE(ParseHex("  "));
  EXPECT_EQ(FormatHex(Bytes("ab 00 7F")), "AB 00 7F");
}

}  // namespace
