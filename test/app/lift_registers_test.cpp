#include "app/LiftRegisters.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::uint16_t> Read(const RegisterImage& image) {
  std::vector<std::uint16_t> values;
  for (const auto& reg : image) values.push_back(reg.load());
  return values;
}

// Every register set to a marker, so a test sees which ones an update wrote.
void Fill(RegisterImage& image, std::uint16_t marker) {
  for (auto& reg : image) reg.store(marker);
}

TEST(LiftRegisters, FirstStartImage) {
  RegisterImage image;
  SetLiftIdentity(image, TLiftIdentity{});
  RefreshRegisters(image, TLiftControls{});

  std::vector<std::uint16_t> expected(kRegisterCount, 0);
  const std::uint16_t head[] = {1, 1, 0x614E, 0x00BC, 0, 1, 1, 1, 1};
  std::copy(std::begin(head), std::end(head), expected.begin());
  EXPECT_EQ(Read(image), expected);
}

TEST(LiftRegisters, IdentityTable) {
  struct Case {
    int prod, type;
    std::int32_t serNum;
    std::uint16_t r0, r1, r2, r3;
  };
  const Case cases[] = {
      {1, 1, 12345678, 1, 1, 0x614E, 0x00BC},
      {32767, 0, -1, 0x7FFF, 0, 0xFFFF, 0xFFFF},
      {0x12345, -1, 0, 0x2345, 0xFFFF, 0, 0},
      {7, 9, INT32_MIN, 7, 9, 0x0000, 0x8000},
  };
  for (const Case& c : cases) {
    RegisterImage image;
    SetLiftIdentity(image, c.prod, c.type, c.serNum);
    EXPECT_EQ(image[0].load(), c.r0) << c.prod;
    EXPECT_EQ(image[1].load(), c.r1) << c.type;
    EXPECT_EQ(image[2].load(), c.r2) << c.serNum;
    EXPECT_EQ(image[3].load(), c.r3) << c.serNum;
    for (int i = 4; i < kRegisterCount; ++i) EXPECT_EQ(image[i].load(), 0) << i;
  }
}

TEST(LiftRegisters, ModeAndFloor) {
  struct Case {
    int regim, floor;
    std::uint16_t r4, r5;
  };
  const Case cases[] = {
      {0, 1, 0, 1}, {6, 100, 6, 100}, {kNoMode, -3, 0xFFFF, 0xFFFD}, {3, -10, 3, 0xFFF6},
      {7, 0, 0xFFFF, 0},  // beyond the last item counts as none
  };
  for (const Case& c : cases) {
    TLiftControls controls;
    controls.Regim = c.regim;
    controls.Floor = c.floor;
    RegisterImage image;
    Fill(image, 0xAAAA);
    UpdateModeRegister(image, controls);
    EXPECT_EQ(image[kRegMode].load(), c.r4) << c.regim;
    EXPECT_EQ(image[kRegFloor].load(), 0xAAAA) << "floor waits for its own update";
    UpdateFloorRegister(image, controls);
    EXPECT_EQ(image[kRegFloor].load(), c.r5) << c.floor;
    EXPECT_EQ(image[kRegState].load(), 0xAAAA);
  }
}

TEST(LiftRegisters, EachStateBoxSetsItsBit) {
  const std::uint16_t masks[] = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010, 0x0020,
                                 0x0100, 0x0200, 0x0400, 0x0800, 0x1000};
  const char* names[] = {"CheckBoxTO", "CheckBoxMoveUp", "CheckBoxMoveDown", "CheckBoxDO",
                         "CheckBoxPass", "CheckBoxAlarm", "CheckBoxReverse8",
                         "CheckBoxCancelButton", "CheckBoxLocationError", "CheckBoxOverload",
                         "CheckBoxMissKey"};
  for (int i = 0; i < kStateBoxCount; ++i) {
    EXPECT_STREQ(kStateBoxes[i].Name, names[i]);
    TLiftControls controls;
    controls.State = TLiftStateBoxes{};
    controls.State.TO = false;
    controls.State.*kStateBoxes[i].Flag = true;
    EXPECT_EQ(StateRegister(controls), masks[i]) << names[i];
  }
  TLiftControls all;
  for (const TStateBox& box : kStateBoxes) all.State.*box.Flag = true;
  RegisterImage image;
  Fill(image, 0xAAAA);
  UpdateStateRegister(image, all);
  EXPECT_EQ(image[kRegState].load(), 0x1F3F);
  EXPECT_EQ(image[kRegAlarm].load(), 0xAAAA);
}

TEST(LiftRegisters, AlarmAndFaultBits) {
  struct Case {
    bool none;
    std::vector<int> ticked;
    std::uint16_t value;
  };
  const Case alarms[] = {
      {true, {}, 1}, {true, {0, 2}, 1}, {false, {0, 2}, 0x000A}, {false, {}, 0},
      {false, {1, 3}, 0x0014}, {false, {0, 1, 2, 3, 4, 5, 6, 7}, 0x01FE},
  };
  for (const Case& c : alarms) {
    TLiftControls controls;
    controls.NoAlarm = c.none;
    for (int i : c.ticked) controls.Alarms[i] = true;
    RegisterImage image;
    UpdateAlarmRegister(image, controls);
    EXPECT_EQ(image[kRegAlarm].load(), c.value);
    EXPECT_EQ(image[kRegLiftBreak].load(), 0);
  }
  const Case faults[] = {
      {true, {13}, 1}, {false, {0}, 0x0002}, {false, {13}, 0x4000}, {false, {}, 0},
      {false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 0x7FFE},
  };
  for (const Case& c : faults) {
    TLiftControls controls;
    controls.NoLiftBreak = c.none;
    for (int i : c.ticked) controls.LiftBreaks[i] = true;
    RegisterImage image;
    UpdateFaultRegisters(image, controls);
    EXPECT_EQ(image[kRegLiftBreak].load(), c.value);
    EXPECT_EQ(TickedFaultBits(controls) & 1, 0);
  }
}

TEST(LiftRegisters, TickedBitsIgnoreTheNoneBoxes) {
  TLiftControls controls;
  controls.Alarms[1] = controls.Alarms[3] = true;
  controls.LiftBreaks[13] = true;
  EXPECT_EQ(TickedAlarmBits(controls), 0x0014);
  EXPECT_EQ(TickedFaultBits(controls), 0x4000);
  EXPECT_EQ(AlarmRegister(controls), 1);
  EXPECT_EQ(LiftBreakRegister(controls), 1);
}

// A control set sending the selected custom fault.
TLiftControls WithOtherFault(const std::string& text, std::int32_t code) {
  TLiftControls controls;
  controls.NoLiftBreak = false;
  controls.LiftBreaks[kOtherLiftBreakItem] = true;
  controls.CustomLiftBreaks.Append({text, code});
  controls.CustomLiftBreaks.Select(0);
  return controls;
}

TEST(LiftRegisters, OtherFaultIsSent) {
  RegisterImage image;
  UpdateFaultRegisters(image, WithOtherFault("ABCD", 7));
  EXPECT_EQ(image[8].load(), 0x4000);
  EXPECT_EQ(image[9].load(), 7);
  EXPECT_EQ(image[10].load(), 0x4241);
  EXPECT_EQ(image[11].load(), 0x4443);
  for (int i = 12; i < kRegisterCount; ++i) EXPECT_EQ(image[i].load(), 0) << i;
}

TEST(LiftRegisters, OtherFaultCodeKeepsLow16Bits) {
  RegisterImage image;
  UpdateFaultRegisters(image, WithOtherFault("x", 0x12345));
  EXPECT_EQ(image[9].load(), 0x2345);
  UpdateFaultRegisters(image, WithOtherFault("x", -2));
  EXPECT_EQ(image[9].load(), 0xFFFE);
}

TEST(LiftRegisters, OtherFaultClearedWhenNotSent) {
  struct Case {
    const char* what;
    std::function<void(TLiftControls&)> change;
  };
  const Case cases[] = {
      {"no fault box ticked", [](TLiftControls& c) { c.NoLiftBreak = true; }},
      {"other fault unticked", [](TLiftControls& c) { c.LiftBreaks[kOtherLiftBreakItem] = false; }},
      {"nothing selected", [](TLiftControls& c) { c.CustomLiftBreaks.Select(kNoSelection); }},
  };
  for (const Case& c : cases) {
    TLiftControls controls = WithOtherFault("ABCD", 7);
    RegisterImage image;
    Fill(image, 0xAAAA);
    c.change(controls);
    UpdateFaultRegisters(image, controls);
    for (int i = 9; i <= 41; ++i) EXPECT_EQ(image[i].load(), 0) << c.what << " reg " << i;
    EXPECT_EQ(image[7].load(), 0xAAAA) << c.what;
    EXPECT_EQ(image[42].load(), 0xAAAA) << c.what;
  }
}

std::vector<std::uint16_t> Repeat(std::size_t count, std::uint16_t value,
                                  std::vector<std::uint16_t> tail = {}) {
  std::vector<std::uint16_t> regs(count, value);
  regs.insert(regs.end(), tail.begin(), tail.end());
  return regs;
}

TEST(LiftRegisters, OtherFaultTextLayout) {
  struct Case {
    std::string text;
    std::vector<std::uint16_t> head;  // registers 10, 11, ...; the rest are 0
  };
  const Case cases[] = {
      {"", {}},
      {"A", {0x0041}},
      {"ABC", {0x4241, 0x0043}},
      // Windows-1251: А = C0, Б = C1, ё = B8.
      {"АБё", {0xC1C0, 0x00B8}},
      {std::string(70, 'z'), Repeat(32, 0x7A7A)},
      {std::string(63, 'a') + "Я", Repeat(31, 0x6161, {0xDF61})},
      {std::string(64, 'a') + "Я", Repeat(32, 0x6161)},
      // A zero byte ends the text, as in the C string the registers are copied from.
      {std::string("AB\0CD", 5), {0x4241}},
  };
  for (const Case& c : cases) {
    const auto regs = OtherTextRegisters(c.text);
    for (std::size_t k = 0; k < regs.size(); ++k) {
      const std::uint16_t expected = k < c.head.size() ? c.head[k] : 0;
      EXPECT_EQ(regs[k], expected) << c.text << " reg " << 10 + k;
    }
  }
}

TEST(LiftRegisters, LongCyrillicTextCutAt64Bytes) {
  std::string text;
  for (int i = 0; i < 70; ++i) text += "Ж";  // 2 UTF-8 bytes, 1 Windows-1251 byte (C6)
  RegisterImage image;
  UpdateFaultRegisters(image, WithOtherFault(text, 1));
  for (int i = 10; i <= 41; ++i) EXPECT_EQ(image[i].load(), 0xC6C6) << i;
  for (int i = 42; i < kRegisterCount; ++i) EXPECT_EQ(image[i].load(), 0) << i;
}

TEST(LiftRegisters, RefreshLeavesIdentityAndTail) {
  RegisterImage image;
  Fill(image, 0xAAAA);
  RefreshRegisters(image, TLiftControls{});
  for (int i : {0, 1, 2, 3, 42, 50}) EXPECT_EQ(image[i].load(), 0xAAAA) << i;
  for (int i = 4; i <= 41; ++i) EXPECT_NE(image[i].load(), 0xAAAA) << i;
}

}  // namespace
