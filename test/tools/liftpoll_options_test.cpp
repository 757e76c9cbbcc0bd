#include "tools/liftpoll/LatencyStats.h"
#include "tools/liftpoll/PollOptions.h"
#include "tools/liftpoll/PollReport.h"

#include <gtest/gtest.h>

#include <ostream>

#include <clocale>
#include <string_view>
#include <vector>

using namespace liftpoll;

namespace {

ParsedOptions Parse(std::vector<std::string_view> args)
{
  return ParsePollOptions(args);
}

TEST(LiftPollOptions, Defaults)
{
  const ParsedOptions parsed = Parse({});
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.options.listenAddress, "127.0.0.1");
  EXPECT_EQ(parsed.options.port, 4001);
  EXPECT_EQ(parsed.options.request.slave, 1);
  EXPECT_EQ(parsed.options.request.first, 0);
  EXPECT_EQ(parsed.options.request.count, 42);
  EXPECT_EQ(parsed.options.periodMs, 1000);
  EXPECT_EQ(parsed.options.mode, PollMode::Monitor);
}

TEST(LiftPollOptions, ValuesAndModes)
{
  ParsedOptions parsed = Parse({"--port=0", "--slave", "3", "--first", "9", "--count=42", "--once"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.options.port, 0);
  EXPECT_EQ(parsed.options.request.slave, 3);
  EXPECT_EQ(parsed.options.request.first, 9);
  EXPECT_EQ(parsed.options.mode, PollMode::Once);

  parsed = Parse({"--raw", "01 04 00 00 00 09 30 0C", "--raw=00", "--repeat", "300"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.options.mode, PollMode::Raw);
  ASSERT_EQ(parsed.options.rawBlocks.size(), 2u);
  EXPECT_EQ(parsed.options.rawBlocks[0].size(), 8u);
  EXPECT_EQ(parsed.options.rawBlocks[1], std::vector<std::uint8_t>{0});
  EXPECT_EQ(parsed.options.repeat, 300);

  parsed = Parse({"--bench", "20000", "--warmup", "500"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.options.mode, PollMode::Bench);
  EXPECT_EQ(parsed.options.benchCount, 20000);
  EXPECT_EQ(parsed.options.warmup, 500);
}

struct BadCase {
  std::vector<std::string_view> args;
  std::string_view error;
};

void PrintTo(const BadCase& c, std::ostream* out) { *out << c.error; }


class LiftPollBadOptions : public testing::TestWithParam<BadCase> {};

TEST_P(LiftPollBadOptions, AreRefusedWithOneLine)
{
  const ParsedOptions parsed = Parse(GetParam().args);
  EXPECT_FALSE(parsed.ok);
  EXPECT_EQ(parsed.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LiftPollBadOptions,
    testing::Values(
        BadCase{{"--frobnicate"}, "неизвестный параметр «--frobnicate»"},
        BadCase{{"--port"}, "у параметра --port нет значения"},
        BadCase{{"--port", "65536"}, "неверное значение --port «65536»: нужно целое от 0 до 65535"},
        BadCase{{"--slave", "1x"}, "неверное значение --slave «1x»: нужно целое от 0 до 255"},
        BadCase{{"--count=-1"}, "неверное значение --count «-1»: нужно целое от 0 до 65535"},
        BadCase{{"--listen", "localhost"}, "неверный адрес --listen «localhost»: нужен адрес IPv4"},
        BadCase{{"--raw", "0"}, "неверные байты --raw «0»: нужны пары шестнадцатеричных цифр"},
        BadCase{{"--once", "--bench", "5"}, "режимы --once, --raw и --bench несовместимы"},
        BadCase{{"--once=1"}, "параметр --once не принимает значения"},
        BadCase{{"--repeat", "3"}, "параметр --repeat действует только с --raw"}));

TEST(LiftPollStats, NearestRankPercentiles)
{
  std::vector<double> latencies;
  for (int i = 100; i >= 1; --i) latencies.push_back(i);
  const LatencySummary summary = Summarize(latencies, 0.5);
  EXPECT_EQ(summary.p50, 50);
  EXPECT_EQ(summary.p90, 90);
  EXPECT_EQ(summary.p99, 99);
  EXPECT_EQ(summary.max, 100);
  EXPECT_EQ(FormatSummary(summary), "p50_us=50.0 p90_us=90.0 p99_us=99.0 max_us=100.0 rps=200.0 n=100");
  EXPECT_EQ(FormatSummary(Summarize({}, 1)), "p50_us=0.0 p90_us=0.0 p99_us=0.0 max_us=0.0 rps=0.0 n=0");
}

TEST(LiftPollStats, NumbersIgnoreTheProcessLocale)
{
  const char* russian = std::setlocale(LC_ALL, "ru_RU.UTF-8");
  if (russian == nullptr) GTEST_SKIP() << "ru_RU.UTF-8 locale is not installed";
  EXPECT_EQ(Milliseconds(2.5), "2.50");
  EXPECT_EQ(FormatSummary(Summarize({1.25}, 1)).substr(0, 11), "p50_us=1.2 ");
  std::setlocale(LC_ALL, "C");
}

TEST(LiftPollReport, CountsAndHeadings)
{
  const ReadRequest request{1, 5, 1};
  PollCounters counters;
  for (ReplyKind kind : {ReplyKind::Normal, ReplyKind::Incomplete, ReplyKind::CrcError, ReplyKind::Exception,
                         ReplyKind::Mismatch, ReplyKind::Normal}) {
    counters.Count(kind);
  }
  EXPECT_EQ(counters.Line(),
            "Итого: опросов 6, ответов 2, тайм-аутов 1, ошибок CRC 1, исключений 1, неверных ответов 1");

  const std::vector<std::uint8_t> reply{1, 4, 2, 0, 1, 0x78, 0xF0};
  EXPECT_EQ(ReportPoll(3, request, CheckReply(request, reply), reply, 0.256, 500),
            (std::vector<std::string>{"Опрос 3: ответ за 0.26 мс", "  Этаж кабины лифта: 1"}));
  const std::vector<std::uint8_t> exception{1, 0x84, 2, 0xC2, 0xC1};
  EXPECT_EQ(ReportPoll(4, request, CheckReply(request, exception), exception, 0.1, 500),
            (std::vector<std::string>{"Опрос 4: исключение 2 (неверный адрес регистра): 01 84 02 C2 C1"}));
  const std::vector<std::uint8_t> part{1, 4};
  EXPECT_EQ(ReportPoll(5, request, CheckReply(request, part), part, 500, 500),
            (std::vector<std::string>{"Опрос 5: нет ответа за 500 мс, получено: 01 04"}));
}

}  // namespace
