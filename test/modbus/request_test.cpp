#include "modbus/Request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ModbusTestSupport.h"
#include "modbus/LinkTexts.h"
#include "support/Codec1251.h"
#include "support/Serlog.h"
#include "test/TempFolder.h"

namespace {

// Everything the processing hands out: the replies, the texts, and the order of the two kinds.
class RecordingOutput : public TRequestOutput {
public:
  void SendReply(const std::uint8_t* data, std::size_t count) override {
    replies.emplace_back(data, data + count);
    events.push_back("tx");
  }
  void ReportError(std::string_view text) override {
    texts.emplace_back(text);
    events.push_back("text");
  }
  std::vector<Bytes> replies;
  std::vector<std::string> texts;
  std::vector<std::string> events;
};

class RequestTest : public ::testing::Test {
protected:
  RequestTest() : processor_(image_, output_) { FillDefaultImage(image_); }

  bool Process(const Bytes& read) {
    std::copy(read.begin(), read.end(), processor_.Buffer.begin());
    return processor_.ProcessRead(read.size());
  }

  RegisterImage image_;
  RecordingOutput output_;
  TRequestProcessor processor_;
};

TEST_F(RequestTest, DefaultLiftAnswersTheDispatchingPoll) {
  EXPECT_TRUE(Process(kDefaultRequest));
  ASSERT_EQ(output_.replies.size(), 1u);
  EXPECT_EQ(output_.replies[0], kDefaultReply);
  EXPECT_TRUE(output_.texts.empty());
}

struct Case {
  const char* name;
  int slaveAdr;
  Bytes read;
  Bytes reply;          // empty: no reply
  std::string_view text;  // empty: no text
  bool renews;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class RequestCases : public RequestTest, public ::testing::WithParamInterface<Case> {};

TEST_P(RequestCases, ReplyTextAndSilenceClock) {
  const Case& c = GetParam();
  processor_.SlaveAdr = c.slaveAdr;
  EXPECT_EQ(Process(c.read), c.renews);
  if (c.reply.empty()) {
    EXPECT_TRUE(output_.replies.empty());
  } else {
    ASSERT_EQ(output_.replies.size(), 1u);
    EXPECT_EQ(output_.replies[0], c.reply);
  }
  if (c.text.empty()) {
    EXPECT_TRUE(output_.texts.empty());
  } else {
    EXPECT_EQ(output_.texts, std::vector<std::string>{std::string(c.text)});
  }
  // An exception reply always goes out before its text is reported.
  if (!c.reply.empty() && !c.text.empty()) {
    EXPECT_EQ(output_.events, (std::vector<std::string>{"tx", "text"}));
  }
}

Bytes Joined(Bytes first, const Bytes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

Bytes WithCrcByte7(Bytes frame, std::uint8_t value) {
  frame[7] = value;
  return frame;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, RequestCases,
    ::testing::Values(
        Case{"Broadcast", 1, Request(0, 4, 0, 9),
             {0x00, 0x04, 0x12, 0x00, 0x01, 0x00, 0x01, 0x61, 0x4E, 0x00, 0xBC, 0x00, 0x00,
              0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x9B, 0x09},
             {}, true},
        Case{"OtherSlave", 1, Request(2, 4, 0, 9), {}, TextWrongSlave, false},
        Case{"WrongCrc", 1, WithCrcByte7(kDefaultRequest, 0x0D), {}, TextCrcError, false},
        Case{"CrcCheckedBeforeAddress", 1, WithCrcByte7(Request(2, 4, 0, 9), 0), {},
             TextCrcError, false},
        Case{"FunctionThree", 1, Request(1, 3, 0, 1), {0x01, 0x83, 0x01, 0x80, 0xF0},
             TextWrongFunction, false},
        Case{"FirstRegisterTen", 1, Request(1, 4, 10, 1), {0x01, 0x84, 0x02, 0xC2, 0xC1},
             TextWrongRegister, true},
        Case{"FirstRegisterHuge", 1, Request(1, 4, 0xFFFF, 0xFFFF),
             {0x01, 0x84, 0x02, 0xC2, 0xC1}, TextWrongRegister, true},
        Case{"CountFortyThree", 1, Request(1, 4, 0, 43), {0x01, 0x84, 0x03, 0x03, 0x01},
             TextWrongCount, true},
        Case{"CountZero", 1, Request(1, 4, 5, 0), {0x01, 0x04, 0x00, 0x22, 0xC0}, {}, true},
        Case{"OneRegister", 1, Request(1, 4, 5, 1), {0x01, 0x04, 0x02, 0x00, 0x01, 0x78, 0xF0},
             {}, true},
        // An exception to a broadcast carries our address, never the 0 of the request.
        Case{"BroadcastException", 1, Request(0, 3, 0, 1), {0x01, 0x83, 0x01, 0x80, 0xF0},
             TextWrongFunction, false},
        // Addresses above 255 answer broadcasts only, with the low 8 bits in exceptions.
        Case{"AddressAbove255Unit1", 257, Request(1, 4, 0, 1), {}, TextWrongSlave, false},
        Case{"AddressAbove255Broadcast", 257, Request(0, 3, 0, 1),
             {0x01, 0x83, 0x01, 0x80, 0xF0}, TextWrongFunction, false},
        // The checks run in a fixed order: CRC, address, function, first register, count.
        Case{"AddressCheckedBeforeFunction", 1, Request(2, 3, 0, 1), {}, TextWrongSlave, false},
        Case{"FunctionCheckedBeforeRegister", 1, Request(1, 3, 10, 43),
             {0x01, 0x83, 0x01, 0x80, 0xF0}, TextWrongFunction, false},
        Case{"RegisterCheckedBeforeCount", 1, Request(1, 4, 10, 43),
             {0x01, 0x84, 0x02, 0xC2, 0xC1}, TextWrongRegister, true},
        Case{"FirstNineCountFortyThree", 1, Request(1, 4, 9, 43), {0x01, 0x84, 0x03, 0x03, 0x01},
             TextWrongCount, true},
        // The exception's function byte is the request's with bit 7 set, even when it was set.
        Case{"FunctionWithBit7", 1, Request(1, 0x84, 0, 1), {0x01, 0x84, 0x01, 0x82, 0xC0},
             TextWrongFunction, false},
        Case{"BroadcastBadRegister", 300, Request(0, 4, 10, 1), {0x2C, 0x84, 0x02, 0x52, 0xC8},
             TextWrongRegister, true},
        // The CRC travels low byte first; the same two bytes high byte first are a wrong CRC.
        Case{"CrcHighByteFirst", 1, {0x01, 0x04, 0x00, 0x00, 0x00, 0x09, 0x0C, 0x30}, {},
             TextCrcError, false},
        Case{"NineBytes", 1, Joined(kDefaultRequest, {0}), {}, {}, false},
        Case{"SevenBytes", 1, Bytes(kDefaultRequest.begin(), kDefaultRequest.end() - 1), {}, {},
             false},
        Case{"TwoRequestsInOneRead", 1, Joined(kDefaultRequest, kDefaultRequest), {}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequestTest, TenRegistersComeHighByteFirstWithCrc) {
  for (int i = 0; i < kRegisterCount; ++i) {
    image_[i] = static_cast<std::uint16_t>(0x0100 * i + 0xA0 + i);
  }
  ASSERT_TRUE(Process({0x01, 0x04, 0x00, 0x00, 0x00, 0x0A, 0x70, 0x0D}));
  ASSERT_EQ(output_.replies.size(), 1u);
  const Bytes& reply = output_.replies[0];
  ASSERT_EQ(reply.size(), 25u);
  EXPECT_EQ(reply[2], 20);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(reply[3 + 2 * i], i) << i;
    EXPECT_EQ(reply[4 + 2 * i], 0xA0 + i) << i;
  }
  EXPECT_EQ(ModbusCrc16(reply.data(), 25), 0);
}

TEST_F(RequestTest, LastReachableRegisterIsFifty) {
  for (auto& reg : image_) reg = 0xFFFF;
  for (int i = 42; i < kRegisterCount; ++i) image_[i] = 0;
  ASSERT_TRUE(Process(Request(1, 4, 9, 42)));
  const Bytes& reply = output_.replies.at(0);
  ASSERT_EQ(reply.size(), 89u);
  EXPECT_EQ(reply[2], 84);
  const int register42 = 3 + 2 * (42 - 9);
  EXPECT_TRUE(std::all_of(reply.begin() + 3, reply.begin() + register42,
                          [](std::uint8_t b) { return b == 0xFF; }));
  EXPECT_TRUE(std::all_of(reply.begin() + register42, reply.begin() + 87,
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(ModbusCrc16(reply.data(), 89), 0);
}

TEST_F(RequestTest, ProtocolLogGetsNormalRepliesOnly) {
  const TempFolder folder;
  const std::string path = folder.File("request.log");
  {
    SERIAL_LOG log(path);
    ASSERT_TRUE(log.Open());
    processor_.Log = &log;
    Process(Request(1, 4, 5, 1));  // 7 bytes sent and logged
    Process(Request(1, 3, 0, 1));  // exception: sent, not logged
  }
  const std::string content = ReadBytes(path);
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 7);
  EXPECT_NE(content.find(" 01   >  \r\n"), std::string::npos);
  EXPECT_NE(content.find(" F0   >  \r\n"), std::string::npos);
  EXPECT_EQ(content.find(" 83   >  "), std::string::npos);
  EXPECT_EQ(output_.replies.size(), 2u);
}

}  // namespace
