#include "tools/liftpoll/RegisterDecoder.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

using liftpoll::DecodeRegisters;

namespace {

using Lines = std::vector<std::string>;

// The first-start image of registers 0..41: identity 1, 1, 12345678, mode 0, floor 1, exact-stop
// zone, no alarm, no fault, no other fault.
std::vector<std::uint16_t> FirstStart()
{
  std::vector<std::uint16_t> image(42, 0);
  image[0] = 1;
  image[1] = 1;
  image[2] = 0x614E;
  image[3] = 0x00BC;
  image[5] = 1;
  image[6] = 1;
  image[7] = 1;
  image[8] = 1;
  return image;
}

TEST(LiftPollDecode, FirstStartImage)
{
  EXPECT_EQ(DecodeRegisters(0, FirstStart()),
            (Lines{"Идентификатор производителя лифтового оборудования: 1",
                   "Идентификатор типа лифтового оборудования: 1",
                   "Серийный номер лифтового оборудования: 12345678",
                   "Режим работы: Нормальная работа",
                   "Этаж кабины лифта: 1",
                   "Состояние: 0x0001",
                   "  - Кабина в зоне точной остановки",
                   "Информация об аварийной ситуации: 0x0001",
                   "  - Нет аварийной ситуации",
                   "Информация о неисправности: 0x0001",
                   "  - Нет неисправности",
                   "Другая неисправность: код 0",
                   "Другая неисправность: текст «»"}));
}

TEST(LiftPollDecode, OtherFaultCodeAndWindows1251Text)
{
  auto image = FirstStart();
  image[8] = 0x4000;
  image[9] = 7;
  image[10] = 0xE2C0;  // "Ав" in Windows-1251, low byte first
  image[11] = 0x00E0;  // "а"
  const Lines lines = DecodeRegisters(0, image);
  const Lines tail(lines.end() - 4, lines.end());
  EXPECT_EQ(tail, (Lines{"Информация о неисправности: 0x4000", "  - Другая неисправность",
                         "Другая неисправность: код 7", "Другая неисправность: текст «Ава»"}));
}

TEST(LiftPollDecode, FullTextOfSixtyFourBytes)
{
  std::vector<std::uint16_t> text(32, 0x4241);  // "AB" 32 times, no terminating zero
  const Lines lines = DecodeRegisters(10, text);
  ASSERT_EQ(lines.size(), 1u);
  std::string expected;
  for (int i = 0; i < 32; ++i) expected += "AB";
  EXPECT_EQ(lines[0], "Другая неисправность: текст «" + expected + "»");
}

struct DecodeCase {
  const char* name;
  std::uint16_t first;
  std::vector<std::uint16_t> values;
  Lines lines;
};

void PrintTo(const DecodeCase& c, std::ostream* out) { *out << c.name; }


class LiftPollDecodeTable : public testing::TestWithParam<DecodeCase> {};

TEST_P(LiftPollDecodeTable, Lines)
{
  EXPECT_EQ(DecodeRegisters(GetParam().first, GetParam().values), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LiftPollDecodeTable,
    testing::Values(
        DecodeCase{"NoMode", 4, {0xFFFF}, {"Режим работы: не выбран"}},
        DecodeCase{"LastMode", 4, {6}, {"Режим работы: Перевозка пожарных подразделений"}},
        DecodeCase{"UnknownMode", 4, {7}, {"Режим работы: неизвестный (7)"}},
        DecodeCase{"FloorBelowGround", 5, {0xFFFD}, {"Этаж кабины лифта: -3"}},
        DecodeCase{"SerialMinusOne", 2, {0xFFFF, 0xFFFF}, {"Серийный номер лифтового оборудования: -1"}},
        DecodeCase{"HalfSerial", 3, {0x00BC}, {"Регистр 3: 0x00BC"}},
        DecodeCase{"StateBitsAndUnknownBit", 6, {0x8A02},
                   {"Состояние: 0x8A02", "  - Кабина движется вверх", "  - Залипла кнопка «Отмена»",
                    "  - Перегруз 110%", "  - бит 15"}},
        DecodeCase{"AlarmsWithNoAlarm", 7, {0x000B},
                   {"Информация об аварийной ситуации: 0x000B", "  - Нет аварийной ситуации",
                    "  - Разорвана цепь безопасности", "  - Отсутствует сигнал о выключении пускателей"}},
        DecodeCase{"LastAlarm", 7, {0x0100},
                   {"Информация об аварийной ситуации: 0x0100",
                    "  - Не наложился тормоз во время остановки лифта"}},
        DecodeCase{"FaultItems", 8, {0x2002},
                   {"Информация о неисправности: 0x2002", "  - Нет готовности преобразователя частоты",
                    "  - Более контрольного времени открыты двери шахты и кабины"}},
        DecodeCase{"BeyondData", 40, {0x4241, 0, 0, 0x1234},
                   {"Другая неисправность: текст «AB»", "Регистры 42..43: 0x0000 0x1234"}},
        DecodeCase{"Empty", 0, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
