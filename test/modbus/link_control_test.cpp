#include "app/LinkControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>

#include "ModbusTestSupport.h"
#include "modbus/LinkTexts.h"
#include "modbus/MainThread.h"
#include "support/Codec1251.h"
#include "support/Fastini.h"
#include "support/Serlog.h"
#include "support/UiCall.h"
#include "test/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class LinkControlTest : public ::testing::Test {
protected:
  LinkControlTest() { FillDefaultImage(image_); }

  // The link's settings read from a settings file with these lines.
  TLinkSettings FromFile(const std::string& lines) {
    const fs::path path = folder_ / "Trevolk.ini";
    WriteBytes(path, "[SETUP]\r\n" + lines);
    TFastIniFile settings(path.string());
    return ReadLinkSettings(&settings);
  }
  TLinkSettings ToListener(bool debug) {
    TLinkSettings settings;
    settings.Debug = debug;
    settings.TcpAdr = "127.0.0.1";
    settings.TcpPort = listener_.Port();
    return settings;
  }
  std::string WorkFolder() const { return folder_.string() + "/"; }

  TempFolder temp_;
  const fs::path folder_ = temp_.Path();
  RegisterImage image_;
  TDirectUiCall ui_;
  RecordingDisplay display_;
  LoopbackListener listener_;
};

TEST_F(LinkControlTest, SettingsDefaultWithoutFileOrKeys) {
  for (const TLinkSettings& link : {ReadLinkSettings(nullptr), FromFile("")}) {
    EXPECT_FALSE(link.Debug);
    EXPECT_EQ(link.TcpAdr, "192.168.1.200");
    EXPECT_EQ(link.TcpPort, 4001);
    EXPECT_EQ(link.SlaveAdr, 1);
    EXPECT_TRUE(link.EnableTimeout);
    EXPECT_EQ(link.Timeout, 60u);
  }
}

TEST_F(LinkControlTest, SettingsComeFromTheFile) {
  const TLinkSettings link = FromFile(
      "Debug=1\r\nTcpAdr=10.0.0.7\r\nTcpPort=502\r\nSlaveAdr=300\r\nEnableTimeout=0\r\n"
      "Timeout=45\r\n");
  EXPECT_TRUE(link.Debug);
  EXPECT_EQ(link.TcpAdr, "10.0.0.7");
  EXPECT_EQ(link.TcpPort, 502);
  EXPECT_EQ(link.SlaveAdr, 300);
  EXPECT_FALSE(link.EnableTimeout);
  EXPECT_EQ(link.Timeout, 45u);
}

struct ClampCase {
  const char* stored;
  std::uint32_t timeout;
};

void PrintTo(const ClampCase& c, std::ostream* out) { *out << '"' << c.stored << '"'; }

class TimeoutClamp : public LinkControlTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(TimeoutClamp, NeverBelowThirtySeconds) {
  EXPECT_EQ(FromFile(std::string("Timeout=") + GetParam().stored + "\r\n").Timeout,
            GetParam().timeout);
}

INSTANTIATE_TEST_SUITE_P(Values, TimeoutClamp,
                         ::testing::Values(ClampCase{"10", 30}, ClampCase{"29", 30},
                                           ClampCase{"30", 30}, ClampCase{"31", 31},
                                           ClampCase{"-5", 30}, ClampCase{"", 30}));

TEST_F(LinkControlTest, PortKeepsItsLow16Bits) {
  EXPECT_EQ(FromFile("TcpPort=70000\r\n").TcpPort, 70000 & 0xFFFF);
}

TEST_F(LinkControlTest, StartedLinkServesWithTheSettings) {
  TLinkControl control(image_, ui_, &display_);
  TLinkSettings settings = ToListener(false);
  settings.SlaveAdr = 5;
  settings.Timeout = 31;
  control.StartLink(settings, WorkFolder());
  ASSERT_NE(control.Thread(), nullptr);
  EXPECT_EQ(control.Thread()->SlaveAdr, 5);
  EXPECT_TRUE(control.Thread()->EnableTimeout);
  EXPECT_EQ(control.Thread()->Timeout, 31u);
  EXPECT_EQ(control.Log(), nullptr);
  EXPECT_FALSE(DebugEnabled);

  Peer peer(listener_.Accept());
  ASSERT_TRUE(peer.Send(Request(5, 4, 0, 1)));
  EXPECT_EQ(peer.Receive(7), (Bytes{0x05, 0x04, 0x02, 0x00, 0x01, 0x89, 0x30}));
  control.StopLink();
  EXPECT_EQ(control.Thread(), nullptr);
  EXPECT_FALSE(fs::exists(folder_ / kLinkLogName));
}

TEST_F(LinkControlTest, DebugWritesTheProtocolLogUntilTheLinkStops) {
  TLinkControl control(image_, ui_, &display_);
  control.StartLink(ToListener(true), WorkFolder());
  EXPECT_TRUE(DebugEnabled);
  ASSERT_NE(control.Log(), nullptr);
  EXPECT_TRUE(control.Log()->Active);

  Peer peer(listener_.Accept());
  ASSERT_TRUE(peer.Send(kDefaultRequest));
  EXPECT_EQ(peer.Receive(kDefaultReply.size()), kDefaultReply);
  Bytes badCrc = kDefaultRequest;
  badCrc[6] = 0;
  ASSERT_TRUE(peer.Send(badCrc));
  ASSERT_TRUE(display_.WaitFor(RecordingDisplay::Error, TextCrcError));
  control.StopLink();
  EXPECT_EQ(control.Log(), nullptr);

  const std::string log = ReadBytes(folder_ / kLinkLogName);
  const auto lines = std::count(log.begin(), log.end(), '\n');
  EXPECT_EQ(lines, 8 + 23 + 8 + 1);  // request, reply, bad request, its text
  EXPECT_EQ(std::count(log.begin(), log.end(), '<'), 16);
  EXPECT_EQ(std::count(log.begin(), log.end(), '>'), 23);
  EXPECT_NE(log.find(":  " + Utf8ToCp1251(TextCrcError) + "\r\n"), std::string::npos);
  // Progress texts stay out of the log.
  EXPECT_EQ(log.find(Utf8ToCp1251(TextRequests)), std::string::npos);
}

TEST_F(LinkControlTest, RestartEndsTheOldLinkBeforeTheNewOneBegins) {
  TLinkControl control(image_, ui_, &display_);
  control.StartLink(ToListener(false), WorkFolder());
  Peer first(listener_.Accept());
  ASSERT_TRUE(display_.WaitFor(RecordingDisplay::State, TextConnected));
  const std::size_t before = display_.Size();

  control.StartLink(ToListener(false), WorkFolder());
  const auto ended = display_.WaitFor(RecordingDisplay::Info, TextNotConnected, before);
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, before);
  EXPECT_TRUE(display_.WaitFor(RecordingDisplay::Info, TextConnecting, *ended));
  EXPECT_TRUE(first.SeesClose());
  Peer second(listener_.Accept());
  EXPECT_TRUE(second.Valid());
}

TEST_F(LinkControlTest, DestroyingTheControlStopsTheLink) {
  auto control = std::make_unique<TLinkControl>(image_, ui_, &display_);
  control->StartLink(ToListener(true), WorkFolder());
  Peer peer(listener_.Accept());
  control.reset();
  EXPECT_TRUE(peer.SeesClose(1000));
}

}  // namespace
