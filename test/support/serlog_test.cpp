#include "support/Serlog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "test/TempFolder.h"

namespace fs = std::filesystem;

namespace {

TLogClock FixedClock(TLogTime time) {
  return [time] { return time; };
}

class SerlogTest : public ::testing::Test {
protected:
  TempFolder temp_;
  const fs::path folder_ = temp_.Path();
  const fs::path path_ = folder_ / "Volktrev.log";
};

constexpr TLogTime kNoon{12, 34, 56, 5};
constexpr const char* kNoonStamp = "12:34:56:0005:  ";

TEST_F(SerlogTest, TextLineIsStampedAndWrittenInCp1251) {
  SERIAL_LOG log(path_.string(), FixedClock(kNoon));
  ASSERT_TRUE(log.Open());
  EXPECT_TRUE(log.Active);
  log.WriteText("Отключение TCP");
  // Read while the file is still open: every line is flushed before the call returns.
  EXPECT_EQ(ReadBytes(path_), std::string(kNoonStamp) +
                                "\xCE\xF2\xEA\xEB\xFE\xF7\xE5\xED\xE8\xE5 TCP\r\n");
}

// A text stream writes every newline as CR LF, also one inside a text.
TEST_F(SerlogTest, NewlineInsideATextIsWrittenAsCrLf) {
  SERIAL_LOG log(path_.string(), FixedClock(kNoon));
  ASSERT_TRUE(log.Open());
  log.WriteText("a\nb\r\nc");
  EXPECT_EQ(ReadBytes(path_), std::string(kNoonStamp) + "a\r\nb\r\r\nc\r\n");
}

TEST_F(SerlogTest, TimeStampFields) {
  struct Case {
    TLogTime time;
    const char* stamp;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, "00:00:00:0000:  "},
      {{23, 59, 59, 999}, "23:59:59:0999:  "},
      {{7, 8, 9, 5}, "07:08:09:0005:  "},
      {{10, 0, 1, 50}, "10:00:01:0050:  "},
  };
  for (const Case& c : cases) {
    fs::remove(path_);
    SERIAL_LOG log(path_.string(), FixedClock(c.time));
    log.Open();
    log.WriteText("x");
    log.Close();
    EXPECT_EQ(ReadBytes(path_), std::string(c.stamp) + "x\r\n") << c.stamp;
  }
}

TEST_F(SerlogTest, ByteBodies) {
  struct Case {
    bool sent;
    std::uint8_t byte;
    bool showChars;
    std::string body;
  };
  const Case cases[] = {
      {true, 0x0A, false, " 0A   >  "},
      {false, 0x0A, false, "      <  0A"},
      {true, 0xFF, false, " FF   >  "},
      {false, 0x00, false, "      <  00"},
      {true, 0x1F, true, " 1F   >  "},
      {false, 0x1F, true, "      <  1F  "},
      {true, 0x41, true, " 41 A >  "},
      {false, 0x41, true, "      <  41 A"},
      {true, 0xC0, true, " C0 \xC0 >  "},
      {false, 0xC0, true, "      <  C0 \xC0"},
      {true, 0x20, true, " 20   >  "},
  };
  for (const Case& c : cases) {
    fs::remove(path_);
    SERIAL_LOG log(path_.string(), FixedClock(kNoon));
    log.ShowChars = c.showChars;
    log.Open();
    if (c.sent)
      log.WriteTx(c.byte);
    else
      log.WriteRx(c.byte);
    log.Close();
    EXPECT_EQ(ReadBytes(path_), kNoonStamp + c.body + "\r\n") << c.body;
  }
}

TEST_F(SerlogTest, BlockGivesOneLineWithItsOwnStampPerByte) {
  int calls = 0;
  SERIAL_LOG log(path_.string(), [&calls] { return TLogTime{1, 2, 3, calls++}; });
  log.Open();
  const std::uint8_t request[8] = {0x01, 0x04, 0x00, 0x00, 0x00, 0x33, 0x30, 0x1F};
  log.WriteRxBlock(request, 8);
  const std::uint8_t reply[2] = {0x01, 0x84};
  log.WriteTxBlock(reply, 2);
  EXPECT_EQ(ReadBytes(path_),
            "01:02:03:0000:        <  01\r\n"
            "01:02:03:0001:        <  04\r\n"
            "01:02:03:0002:        <  00\r\n"
            "01:02:03:0003:        <  00\r\n"
            "01:02:03:0004:        <  00\r\n"
            "01:02:03:0005:        <  33\r\n"
            "01:02:03:0006:        <  30\r\n"
            "01:02:03:0007:        <  1F\r\n"
            "01:02:03:0008:   01   >  \r\n"
            "01:02:03:0009:   84   >  \r\n");
}

TEST_F(SerlogTest, EmptyBlockWritesNothing) {
  SERIAL_LOG log(path_.string(), FixedClock(kNoon));
  log.Open();
  const std::uint8_t byte = 0x55;
  log.WriteTxBlock(&byte, 0);
  log.WriteRxBlock(nullptr, 0);
  EXPECT_TRUE(fs::exists(path_));
  EXPECT_EQ(fs::file_size(path_), 0u);
}

TEST_F(SerlogTest, OpeningAppendsToExistingContent) {
  WriteBytes(path_, "old line\r\n");
  SERIAL_LOG first(path_.string(), FixedClock(kNoon));
  first.SetActive(true);
  first.WriteText("one");
  first.SetActive(false);
  SERIAL_LOG second(path_.string(), FixedClock(kNoon));
  second.SetActive(true);
  second.WriteText("two");
  EXPECT_EQ(ReadBytes(path_), std::string("old line\r\n") + kNoonStamp + "one\r\n" + kNoonStamp +
                                "two\r\n");
}

TEST_F(SerlogTest, InactiveLogCreatesNoFile) {
  SERIAL_LOG log(path_.string(), FixedClock(kNoon));
  EXPECT_FALSE(log.Active);
  EXPECT_FALSE(log.ShowChars);
  log.WriteText("lost");
  log.WriteTx(0x01);
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(SerlogTest, ClosedLogWritesNothing) {
  SERIAL_LOG log(path_.string(), FixedClock(kNoon));
  log.Open();
  log.WriteText("kept");
  log.Close();
  EXPECT_FALSE(log.Active);
  log.WriteText("lost");
  log.WriteRx(0x02);
  EXPECT_EQ(ReadBytes(path_), std::string(kNoonStamp) + "kept\r\n");
}

TEST_F(SerlogTest, EmptyNameOpensNothing) {
  SERIAL_LOG log("", FixedClock(kNoon));
  EXPECT_FALSE(log.Open());
  EXPECT_FALSE(log.Active);
  log.WriteText("lost");
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SerlogTest, UnwritablePathIsSilent) {
  const fs::path paths[] = {folder_ / "missing" / "Volktrev.log", folder_};
  for (const fs::path& path : paths) {
    SERIAL_LOG log(path.string(), FixedClock(kNoon));
    EXPECT_FALSE(log.Open()) << path;
    EXPECT_FALSE(log.Active);
    log.WriteText("lost");
    log.WriteTx(0x03);
  }
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(SerlogTest, FailedReopenLeavesLogInactive) {
  SERIAL_LOG log(path_.string(), FixedClock(kNoon));
  ASSERT_TRUE(log.Open());
  fs::remove(path_);
  fs::create_directory(path_);  // the name now stands for a folder
  EXPECT_FALSE(log.Open());
  log.WriteText("lost");
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST(SerlogClock, LocalTimeIsInRange) {
  const TLogTime now = LocalLogTime();
  EXPECT_GE(now.Hour, 0);
  EXPECT_LE(now.Hour, 23);
  EXPECT_GE(now.Minute, 0);
  EXPECT_LE(now.Minute, 59);
  EXPECT_GE(now.Second, 0);
  EXPECT_LE(now.Second, 60);
  EXPECT_GE(now.Millisecond, 0);
  EXPECT_LE(now.Millisecond, 999);
}

}  // namespace
