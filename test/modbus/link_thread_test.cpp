#include "modbus/MainThread.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "ModbusTestSupport.h"
#include "modbus/LinkTexts.h"
#include "support/UiCall.h"

namespace {

using Display = RecordingDisplay;
using Entry = RecordingDisplay::TEntry;

// The link's tick, which a test may move forward to skip a silence.
std::atomic<std::uint32_t> clockOffset{0};
std::uint32_t TestTick() { return TickCount() + clockOffset.load(); }

std::string S(std::string_view text) { return std::string(text); }

class LinkThreadTest : public ::testing::Test {
protected:
  LinkThreadTest() {
    FillDefaultImage(image_);
    clockOffset = 0;
  }
  ~LinkThreadTest() override {
    if (link_) Stop();
  }

  // A link to the listener (or to the given host and port), started after `setup`.
  void Start(std::string host, std::uint16_t port, void (*setup)(TImitThread&) = nullptr) {
    link_ = std::make_unique<TImitThread>(true, &image_, port, std::move(host), ui_, &display_);
    link_->Clock = TestTick;
    if (setup) setup(*link_);
    link_->Resume();
  }
  void StartToListener(void (*setup)(TImitThread&) = nullptr) {
    Start("127.0.0.1", listener_.Port(), setup);
  }
  // Accepts the link's connection and waits until the link knows it stands.
  std::unique_ptr<Peer> Connected(std::size_t from = 0) {
    auto peer = std::make_unique<Peer>(listener_.Accept());
    EXPECT_TRUE(peer->Valid());
    EXPECT_TRUE(display_.WaitFor(Display::State, TextConnected, from));
    // The silence clock starts right after that text; a test moving the tick waits for it.
    for (int i = 0; i < 1000 && link_->LastRequestTick == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return peer;
  }
  // Stops the link as the main window does and returns how long that took.
  std::chrono::milliseconds Stop() {
    const auto start = std::chrono::steady_clock::now();
    link_->Terminate();
    link_->WaitFor();
    const auto took = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(took);
  }

  RegisterImage image_;
  TDirectUiCall ui_;
  Display display_;
  LoopbackListener listener_;
  std::unique_ptr<TImitThread> link_;
};

// Generous: a stop is seen at once, the bound only keeps the test from hanging on a slow machine.
constexpr std::chrono::milliseconds kPromptStop{200};

struct NoTargetCase {
  const char* name;
  const char* host;
  std::uint16_t port;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const NoTargetCase& c, std::ostream* out) { *out << c.name; }

class LinkWithoutTarget : public LinkThreadTest,
                          public ::testing::WithParamInterface<NoTargetCase> {};

TEST_P(LinkWithoutTarget, ShowsTcpErrorTriesNothingAndStopsPromptly) {
  Start(GetParam().host, GetParam().port);
  ASSERT_TRUE(display_.WaitFor(Display::State, TextTcpError));
  EXPECT_LT(Stop(), kPromptStop);
  EXPECT_EQ(display_.Entries(), (std::vector<Entry>{{Display::Info, S(TextConnecting)},
                                                    {Display::State, S(TextTcpError)}}));
  EXPECT_EQ(listener_.Accept(0), -1);
}

INSTANTIATE_TEST_SUITE_P(Settings, LinkWithoutTarget,
                         ::testing::Values(NoTargetCase{"EmptyHost", "", 4001},
                                           NoTargetCase{"BlankHost", "  \t ", 4001},
                                           NoTargetCase{"PortZero", "127.0.0.1", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkThreadTest, ConnectsAnswersCountsAndEndsWithNoConnection) {
  Start("  127.0.0.1 ", listener_.Port());  // the host is trimmed
  auto peer = Connected();
  EXPECT_EQ(display_.Entries(),
            (std::vector<Entry>{{Display::Info, S(TextConnecting)},
                                {Display::State, S(TextOpeningPort)},
                                {Display::Info, S(TextReady)},
                                {Display::State, S(TextOpeningTcp) + "127.0.0.1"},
                                {Display::State, S(TextConnected)}}));
  for (int i = 1; i <= 2; ++i) {
    ASSERT_TRUE(peer->Send(kDefaultRequest));
    EXPECT_EQ(peer->Receive(kDefaultReply.size()), kDefaultReply);
    EXPECT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + std::to_string(i)));
  }
  EXPECT_EQ(link_->RequestCount, 2);

  EXPECT_LT(Stop(), kPromptStop);
  EXPECT_EQ(display_.Entries().back(), (Entry{Display::Info, S(TextNotConnected)}));
  EXPECT_TRUE(peer->SeesClose());
}

TEST_F(LinkThreadTest, GatewayClosingStartsANewConnectionCycle) {
  StartToListener();
  auto first = Connected();
  ASSERT_TRUE(first->Send({0x55}));
  ASSERT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "1"));
  first->Close();

  const auto closed = display_.WaitFor(Display::Error, TextDisconnected);
  ASSERT_TRUE(closed);
  const auto cycle = display_.WaitFor(Display::Info, TextConnecting, *closed);
  ASSERT_TRUE(cycle);
  EXPECT_TRUE(display_.WaitFor(Display::Info, TextReady, *cycle));
  auto second = Connected(*cycle);
  // The counter starts afresh with the new connection.
  ASSERT_TRUE(second->Send(kDefaultRequest));
  EXPECT_EQ(second->Receive(kDefaultReply.size()), kDefaultReply);
  EXPECT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "1", *cycle));
  EXPECT_EQ(link_->RequestCount, 1);
}

class LinkFlood : public LinkThreadTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(LinkFlood, DropsTheBytesCountsNothingAndKeepsTheConnection) {
  StartToListener();
  auto peer = Connected();
  ASSERT_TRUE(peer->Send(Bytes(GetParam(), 0x01)));
  const auto flood = display_.WaitFor(Display::Error, TextTooMuchData);
  ASSERT_TRUE(flood);
  EXPECT_EQ(link_->RequestCount, 0);

  ASSERT_TRUE(peer->Send(kDefaultRequest));
  EXPECT_EQ(peer->Receive(kDefaultReply.size()), kDefaultReply);
  EXPECT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "1", *flood));
}

INSTANTIATE_TEST_SUITE_P(Sizes, LinkFlood, ::testing::Values(2048u, 3000u));

TEST_F(LinkThreadTest, GarbageIsCountedAndNeverAnswered) {
  StartToListener();
  auto peer = Connected();
  ASSERT_TRUE(peer->Send({0x01, 0x02, 0x03, 0x04, 0x05}));
  ASSERT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "1"));
  Bytes badCrc = kDefaultRequest;
  badCrc[6] ^= 0xFF;
  ASSERT_TRUE(peer->Send(badCrc));
  ASSERT_TRUE(display_.WaitFor(Display::Error, TextCrcError));
  Bytes requestAndStray = kDefaultRequest;
  requestAndStray.push_back(0x00);
  ASSERT_TRUE(peer->Send(requestAndStray));
  ASSERT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "3"));

  // The first bytes that come back answer the first valid request: nothing came before.
  ASSERT_TRUE(peer->Send(Request(1, 3, 0, 1)));
  EXPECT_EQ(peer->Receive(5), (Bytes{0x01, 0x83, 0x01, 0x80, 0xF0}));
  EXPECT_TRUE(display_.WaitFor(Display::Error, TextWrongFunction));
  ASSERT_TRUE(peer->Send(kDefaultRequest));
  EXPECT_EQ(peer->Receive(kDefaultReply.size()), kDefaultReply);
  EXPECT_EQ(link_->RequestCount, 5);
}

void SilenceOf13s(TImitThread& link) {
  link.EnableTimeout = true;
  link.Timeout = 13;
}

TEST_F(LinkThreadTest, SilenceIsShownFromTheEleventhSecondThenReconnects) {
  StartToListener(SilenceOf13s);
  auto peer = Connected();
  clockOffset += 11200;
  // A request with a wrong CRC wakes the link but does not count as a request.
  Bytes badCrc = kDefaultRequest;
  badCrc[7] ^= 0xFF;
  ASSERT_TRUE(peer->Send(badCrc));
  const auto crc = display_.WaitFor(Display::Error, TextCrcError);
  ASSERT_TRUE(crc);
  const std::string silence = S(TextSilencePrefix);
  const auto eleven = display_.WaitFor(Display::Info, silence + "11" + S(TextSilenceSuffix), *crc);
  ASSERT_TRUE(eleven);
  const auto twelve =
      display_.WaitFor(Display::Info, silence + "12" + S(TextSilenceSuffix), *eleven);
  ASSERT_TRUE(twelve);
  const auto reconnect = display_.WaitFor(Display::Error, TextReconnect, *twelve);
  ASSERT_TRUE(reconnect);
  EXPECT_TRUE(peer->SeesClose());
  auto second = Connected(*reconnect);
}

struct RenewCase {
  const char* name;
  Bytes request;
  std::size_t replySize;  // 0: no reply
  bool renews;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RenewCase& c, std::ostream* out) { *out << c.name; }

class LinkSilenceClock : public LinkThreadTest, public ::testing::WithParamInterface<RenewCase> {};

TEST_P(LinkSilenceClock, RenewedOnlyByRequestsThatReachTheRegisterTests) {
  StartToListener(SilenceOf13s);
  auto peer = Connected();
  const std::uint32_t connected = link_->LastRequestTick;
  clockOffset += 11200;
  const std::size_t before = display_.Size();
  ASSERT_TRUE(peer->Send(GetParam().request));
  if (GetParam().replySize) {
    EXPECT_EQ(peer->Receive(GetParam().replySize).size(), GetParam().replySize);
  }
  ASSERT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "1", before));
  const std::string eleven = S(TextSilencePrefix) + "11" + S(TextSilenceSuffix);
  const auto silence =
      display_.WaitFor(Display::Info, eleven, before, GetParam().renews ? 300 : 10000);
  EXPECT_EQ(silence.has_value(), !GetParam().renews);
  EXPECT_EQ(link_->LastRequestTick - connected >= 11200, GetParam().renews);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, LinkSilenceClock,
    ::testing::Values(RenewCase{"Answered", kDefaultRequest, 23, true},
                      RenewCase{"BadRegister", Request(1, 4, 10, 1), 5, true},
                      RenewCase{"BadCount", Request(1, 4, 0, 43), 5, true},
                      RenewCase{"RefusedFunction", Request(1, 3, 0, 1), 5, false},
                      RenewCase{"OtherSlave", Request(7, 4, 0, 1), 0, false},
                      RenewCase{"WrongCrc", {1, 4, 0, 0, 0, 9, 0, 0}, 0, false},
                      RenewCase{"NotEightBytes", {1, 4, 0}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkThreadTest, WithoutTimeoutSilenceIsNeitherShownNorEndsTheConnection) {
  StartToListener();  // time-out off
  auto peer = Connected();
  clockOffset += 100000;
  ASSERT_TRUE(peer->Send({0x00}));
  ASSERT_TRUE(display_.WaitFor(Display::Info, S(TextRequests) + "1"));
  ASSERT_TRUE(peer->Send(kDefaultRequest));
  EXPECT_EQ(peer->Receive(kDefaultReply.size()), kDefaultReply);
  for (const auto& entry : display_.Entries()) {
    EXPECT_EQ(entry.text.find(S(TextSilencePrefix)), std::string::npos);
    EXPECT_NE(entry.text, S(TextReconnect));
  }
}

TEST_F(LinkThreadTest, RefusedConnectionIsRetriedUntilTheGatewayListens) {
  LoopbackListener gateway(false);
  Start("127.0.0.1", gateway.Port());
  const std::string opening = S(TextOpeningTcp) + "127.0.0.1";
  const auto first = display_.WaitFor(Display::State, opening);
  ASSERT_TRUE(first);
  const auto firstSeen = std::chrono::steady_clock::now();
  // The attempt after that text is refused at once on loopback; let it be refused first.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  gateway.Listen();
  // The failed attempt is given its full 3 s, then 0.5 s of pause, then the next attempt.
  const auto second = display_.WaitFor(Display::State, opening, *first + 1);
  ASSERT_TRUE(second);
  // Only a lower bound: the next attempt never comes before 3 s + 0.5 s (less a little slack for
  // the moment the first text was noticed).
  EXPECT_GE(std::chrono::steady_clock::now() - firstSeen, std::chrono::milliseconds(3400));
  const auto connected = display_.WaitFor(Display::State, TextConnected, *second);
  ASSERT_TRUE(connected);
  Peer peer(gateway.Accept());
  ASSERT_TRUE(peer.Valid());
  ASSERT_TRUE(peer.Send(kDefaultRequest));
  EXPECT_EQ(peer.Receive(kDefaultReply.size()), kDefaultReply);
}

TEST_F(LinkThreadTest, StopWhileConnectingEndsPromptlyWithNoConnection) {
  LoopbackListener gateway(false);
  Start("127.0.0.1", gateway.Port());
  ASSERT_TRUE(display_.WaitFor(Display::State, S(TextOpeningTcp) + "127.0.0.1"));
  EXPECT_LT(Stop(), kPromptStop);
  const auto entries = display_.Entries();
  EXPECT_EQ(entries.back(), (Entry{Display::Info, S(TextNotConnected)}));
  for (const auto& entry : entries) EXPECT_NE(entry.text, S(TextConnected));
}

TEST_F(LinkThreadTest, StopBeforeResumeLeavesNothingToShow) {
  link_ = std::make_unique<TImitThread>(true, &image_, listener_.Port(), "127.0.0.1", ui_,
                                        &display_);
  EXPECT_LT(Stop(), kPromptStop);
  EXPECT_EQ(display_.Size(), 0u);
}

// A gateway that stops reading while it goes on polling fills the send buffer in the end; a send
// that then waited would hold the link where no stop request reaches it. So the link's end of the
// connection never blocks: a reply that does not fit is lost instead.
TEST_F(LinkThreadTest, LinkEndOfTheConnectionNeverBlocks) {
  StartToListener();
  auto peer = Connected();
  const int linkEnd = peer->OtherEnd();
  ASSERT_GE(linkEnd, 0);
  EXPECT_NE(fcntl(linkEnd, F_GETFL) & O_NONBLOCK, 0);
  ASSERT_TRUE(peer->Send(kDefaultRequest));
  EXPECT_EQ(peer->Receive(kDefaultReply.size()), kDefaultReply);
}

}  // namespace
