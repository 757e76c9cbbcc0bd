#include "tools/headless/HeadlessOptions.h"
#include "tools/headless/StatusPrinter.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class HeadlessStatus : public testing::Test {
protected:
  TStatusPrinter printer{[this](const std::string& line) { lines.push_back(line); },
                         [this] { return now; }, 250};
  Lines lines;
  std::uint64_t now = 1000;
};

TEST_F(HeadlessStatus, TextsGoOutAsTheyComeWithTheirPanel)
{
  printer.ShowLinkInfo("Подключение ...");
  printer.ShowLinkState("Открываю TCP:127.0.0.1");
  printer.ShowLinkError("Ошибка KS в запросе");
  EXPECT_EQ(lines, (Lines{"[1] Подключение ...", "[0] Открываю TCP:127.0.0.1", "[1] Ошибка KS в запросе"}));
  EXPECT_FALSE(printer.MsUntilDue());
}

TEST_F(HeadlessStatus, RequestCountIsThinnedButTheLatestIsNeverLost)
{
  printer.ShowLinkInfo("Запросов: 1");
  now += 10;
  printer.ShowLinkInfo("Запросов: 2");
  printer.ShowLinkInfo("Запросов: 3");
  EXPECT_EQ(lines, (Lines{"[1] Запросов: 1"}));
  EXPECT_EQ(printer.MsUntilDue(), 240u);

  printer.Flush();
  EXPECT_EQ(lines.size(), 1u);
  now += 240;
  printer.Flush();
  EXPECT_EQ(lines, (Lines{"[1] Запросов: 1", "[1] Запросов: 3"}));
  EXPECT_FALSE(printer.MsUntilDue());
}

TEST_F(HeadlessStatus, HeldBackCountComesBeforeTheNextText)
{
  printer.ShowLinkInfo("Запросов: 1");
  printer.ShowLinkInfo("Запросов: 2");
  printer.ShowLinkError("Слишком много TCP данных");
  printer.ShowLinkInfo("Запросов: 3");
  printer.Flush(true);
  EXPECT_EQ(lines, (Lines{"[1] Запросов: 1", "[1] Запросов: 2", "[1] Слишком много TCP данных",
                          "[1] Запросов: 3"}));
}

TEST(HeadlessOptions, SettingsFileAndErrors)
{
  const auto parse = [](std::vector<std::string_view> args) { return ParseHeadlessOptions(args); };
  EXPECT_TRUE(parse({}).ok);
  EXPECT_EQ(parse({}).options.settingsFile, "");
  EXPECT_EQ(parse({"--settings", "a.ini"}).options.settingsFile, "a.ini");
  EXPECT_EQ(parse({"--settings=b.ini"}).options.settingsFile, "b.ini");
  EXPECT_TRUE(parse({"--help"}).options.help);
  EXPECT_EQ(parse({"--settings"}).error, "у параметра --settings нет значения");
  EXPECT_EQ(parse({"--settings="}).error, "у параметра --settings пустое значение");
  EXPECT_EQ(parse({"-x"}).error, "неизвестный параметр «-x»");
}

}  // namespace
