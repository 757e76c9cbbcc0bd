#include "app/Presets.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "LiftBreakPrinter.h"

#include "support/Codec1251.h"

namespace {

TEST(Presets, CountsAndEndMarkers) {
  EXPECT_EQ(PresetRows(TPreset::Vug).size(), 80u);
  EXPECT_EQ(PresetRows(TPreset::Ryx40).size(), 48u);
  EXPECT_EQ(PresetRows(TPreset::Tays).size(), 303u);
  EXPECT_EQ(VugPreset.back().Code, 0);
  EXPECT_STREQ(VugPreset.back().Text, "Неизвестная ошибка...");
  EXPECT_EQ(Ryx40Preset.back().Code, 0);
  EXPECT_STREQ(Ryx40Preset.back().Text, "Неизвестная ошибка...");
  EXPECT_EQ(TaysPreset().size(), 304u);
  EXPECT_TRUE(TaysPreset().back().empty());
}

TEST(Presets, Rows) {
  struct Case {
    TPreset preset;
    std::size_t index;
    TLiftBreak row;
  };
  const Case cases[] = {
      {TPreset::Vug, 0, {"Режим МП1", 8}},
      {TPreset::Vug, 5, {"Одновременное наличие сигналов от датчиков ДТО и ДЗ", 42}},
      {TPreset::Vug, 21, {"Нажата кнопка \"ОТМЕНА\"", 58}},
      {TPreset::Vug, 24, {"Неисправен вход str1 (501)", 61}},
      {TPreset::Vug, 68, {"Неисправность матрицы М0", 110}},
      {TPreset::Vug, 79, {"Нет связи по последовательному интерфейсу с ВУГ", 255}},
      {TPreset::Ryx40, 0, {"Несанкционированное открытие дверей шахты этаж 1", 1}},
      {TPreset::Ryx40, 17, {"Открыт люк в крыше кабины", 26}},
      {TPreset::Ryx40, 42, {"Наличие 90% без 15 кг", 6}},
      {TPreset::Ryx40, 43, {"Разомкнута цепь реле безопасности (KV14) от УБЛ-КПД", 6}},
      {TPreset::Ryx40, 47, {"Отрицательный результат теста ППЗУ", 99}},
      {TPreset::Tays, 0, {"0001 Отсутствие потребления ГД на МС", 1}},
      {TPreset::Tays, 7, {"0008", 8}},
      {TPreset::Tays, 31, {"0020 Проникновение в шахту на 1 этаже", 32}},
      {TPreset::Tays, 62, {"003F Проникновение в шахту на 32 этаже", 63}},
      {TPreset::Tays, 63, {"0040 Отрицательный результат проверки КС параметров станции", 64}},
      {TPreset::Tays, 123, {"007C Не формируется “Безопасный мост” в режиме выравнивания", 124}},
      {TPreset::Tays, 159, {"00A0 «Залипла» кнопка приказа 1-й остановки", 160}},
      {TPreset::Tays, 190, {"00BF «Залипла» кнопка приказа 32-й остановки", 191}},
      {TPreset::Tays, 191, {"00C0 «Залипла» кнопка вызова «Вверх» 1-й остановки", 192}},
      {TPreset::Tays, 222, {"00DF «Залипла» кнопка вызова «Вверх» 32-й остановки", 223}},
      {TPreset::Tays, 240, {"00F1 «Залипла» кнопка вызова «Вниз» 18-й остановки", 241}},
      {TPreset::Tays, 254, {"00FF «Залипла» кнопка вызова «Вниз» 32-й остановки", 255}},
      {TPreset::Tays, 262, {"0107 Сработал датчик пожарной опасности", 263}},
      {TPreset::Tays, 269, {"010E Режим \"Монтажная ревизия\"", 270}},
      {TPreset::Tays, 271, {"0110 Нет связи с этажным  контроллером 1-й остановки", 272}},
      {TPreset::Tays, 302, {"012F Нет связи с этажным  контроллером 32-й остановки", 303}},
  };
  for (const Case& c : cases) {
    const std::vector<TLiftBreak> rows = PresetRows(c.preset);
    ASSERT_LT(c.index, rows.size());
    EXPECT_EQ(rows[c.index], c.row) << c.index;
  }
}

TEST(Presets, TaysRowsWithoutDescription) {
  const std::vector<TLiftBreak> rows = PresetRows(TPreset::Tays);
  const int bare[] = {8, 16, 20, 21, 24, 256, 257, 258, 259, 260, 261, 262, 264, 271};
  int bareCount = 0;
  for (const TLiftBreak& row : rows) {
    const bool isBare = std::find(std::begin(bare), std::end(bare), row.Code) != std::end(bare);
    bareCount += row.Text.size() == 4;
    EXPECT_EQ(row.Text.size() == 4, isBare) << row.Text;
  }
  EXPECT_EQ(bareCount, 14);
  EXPECT_EQ(rows[270].Text, "010F");
}

TEST(Presets, TaysCodesAndHexPrefixes) {
  const std::vector<TLiftBreak> rows = PresetRows(TPreset::Tays);
  const char* hex = "0123456789ABCDEF";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int code = static_cast<int>(i) + 1;
    EXPECT_EQ(rows[i].Code, code);
    const std::string prefix = {hex[(code >> 12) & 15], hex[(code >> 8) & 15],
                                hex[(code >> 4) & 15], hex[code & 15]};
    EXPECT_EQ(rows[i].Text.substr(0, 4), prefix);
    if (rows[i].Text.size() > 4) {
      EXPECT_EQ(rows[i].Text[4], ' ') << code;
    }
  }
}

TEST(Presets, TaysRuns) {
  struct Run {
    int first;
    const char* prefix;
    const char* suffix;
  };
  const Run runs[] = {
      {32, "Проникновение в шахту на ", " этаже"},
      {160, "«Залипла» кнопка приказа ", "-й остановки"},
      {192, "«Залипла» кнопка вызова «Вверх» ", "-й остановки"},
      {224, "«Залипла» кнопка вызова «Вниз» ", "-й остановки"},
      {272, "Нет связи с этажным  контроллером ", "-й остановки"},
  };
  const std::vector<TLiftBreak> rows = PresetRows(TPreset::Tays);
  for (const Run& run : runs) {
    for (int n = 1; n <= 32; ++n) {
      const TLiftBreak& row = rows[static_cast<std::size_t>(run.first + n - 2)];
      EXPECT_EQ(row.Text.substr(5), run.prefix + std::to_string(n) + run.suffix) << row.Code;
    }
  }
}

// Each record holds a code of 1..255 and at most 62 bytes of text in its 64-byte field.
TEST(Presets, RecordTablesFitTheirRecords) {
  for (const TPreset preset : {TPreset::Vug, TPreset::Ryx40}) {
    for (const TLiftBreak& row : PresetRows(preset)) {
      EXPECT_LE(Cp1251Length(row.Text), 62u) << row.Text;
      EXPECT_GE(row.Code, 1) << row.Text;
    }
  }
}

TEST(Presets, LoadReplacesListAndSelects) {
  struct Case {
    TPreset preset;
    int count;
    int selected;
    std::int32_t selectedCode;
  };
  const Case cases[] = {
      {TPreset::Vug, 80, 5, 42}, {TPreset::Tays, 303, 0, 1}, {TPreset::Ryx40, 48, 0, 1}};
  for (const Case& c : cases) {
    TLiftBreakList list;
    list.Append({"old", 1});
    list.Select(0);
    LoadPreset(list, c.preset);
    EXPECT_EQ(list.Count(), c.count);
    EXPECT_EQ(list.Selected(), c.selected);
    EXPECT_EQ(list.SelectedItem()->Code, c.selectedCode);
    EXPECT_EQ(list.Items(), PresetRows(c.preset));
  }
}

TEST(Presets, ButtonTexts) {
  EXPECT_STREQ(PresetButtonCaption(TPreset::Tays), "Лифт НКУ-ТАЙС");
  EXPECT_STREQ(PresetQuestion(TPreset::Ryx40),
               "Действительно загрузить\nнеисправности лифта РЫХ-40?\nТекущие будут утеряны !");
}

}  // namespace
