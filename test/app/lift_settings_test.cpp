#include "app/LiftSettings.h"

#include <gtest/gtest.h>

#include <functional>

#include "test/TempFolder.h"
#include "app/LiftBreakFile.h"
#include "app/LiftRegisters.h"
#include "support/Codec1251.h"
#include "support/Fastini.h"

namespace {

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

TEST(LiftSettings, MissingFileGivesDefaults) {
  TempFolder folder;
  const TFastIniFile ini(folder.File("Trevolk.ini"));
  const TSimulatorState state = LoadSimulatorState(ini);
  EXPECT_EQ(state, TSimulatorState{});

  EXPECT_EQ(state.Identity, (TLiftIdentity{1, 1, 12345678}));
  const TLiftControls& c = state.Controls;
  EXPECT_EQ(c.Regim, 0);
  EXPECT_EQ(c.State, (TLiftStateBoxes{.TO = true}));
  EXPECT_EQ(c.Floor, 1);
  EXPECT_TRUE(c.NoAlarm);
  EXPECT_TRUE(c.NoLiftBreak);
  EXPECT_EQ(c.Alarms, (std::array<bool, kAlarmCount>{}));
  EXPECT_EQ(c.LiftBreaks, (std::array<bool, kLiftBreakCount>{}));
  EXPECT_TRUE(c.CustomLiftBreaks.Empty());
  EXPECT_EQ(c.CustomLiftBreaks.Selected(), kNoSelection);
  EXPECT_EQ(state.Lift.FloorCount, 12);
  EXPECT_EQ(state.Lift.Velocity, 3.0);
  EXPECT_EQ(state.Disp, (TDispBoxes{true, true, true, true, true, true, true}));
  EXPECT_FALSE(state.ImitEnable);
}

TEST(LiftSettings, FirstStartRegisterImage) {
  TempFolder folder;
  const TFastIniFile ini(folder.File("Trevolk.ini"));
  const TSimulatorState state = LoadSimulatorState(ini);
  RegisterImage image;
  SetLiftIdentity(image, state.Identity);
  RefreshRegisters(image, state.Controls);
  const std::uint16_t head[] = {1, 1, 0x614E, 0x00BC, 0, 1, 1, 1, 1};
  for (int i = 0; i < kRegisterCount; ++i)
    EXPECT_EQ(image[i].load(), i < 9 ? head[i] : 0) << "register " << i;
}

TEST(LiftSettings, DefaultsWrittenInOrder) {
  TempFolder folder;
  TFastIniFile ini(folder.File("Trevolk.ini"), true);
  SaveSimulatorState(ini, TSimulatorState{});
  EXPECT_EQ(ini.FileContent(),
            Lines({"[SETUP]", "Regim=0", "TO=1", "MoveUp=0", "MoveDown=0", "DO=0", "Pass=0",
                   "Alarm=0", "Floor=1", "Reverse8=0", "CancelButton=0", "LocationError=0",
                   "Overload=0", "MissKey=0", "NoAlarm=1", "NoLiftBreak=1", "ImitEnable=0",
                   "[Alarm]", "0=0", "1=0", "2=0", "3=0", "4=0", "5=0", "6=0", "7=0",
                   "[LiftBreak]", "0=0", "1=0", "2=0", "3=0", "4=0", "5=0", "6=0", "7=0", "8=0",
                   "9=0", "10=0", "11=0", "12=0", "13=0", "Cur=-1",
                   "[LIFT]", "Y=0.000000", "Velocity=3.000000", "Procent=30", "FloorCount=12",
                   "Floor=1", "MoveFrom=1", "MoveTo=20", "BreakPeriodFrom=120",
                   "BreakPeriodTo=240", "BreakLenFrom=60", "BreakLenTo=180",
                   "[Disp]", "TO=1", "MoveUp=1", "MoveDown=1", "Open=1", "Pass=1", "Floor=1",
                   "Alarm=1"}));
}

TSimulatorState Changed() {
  TSimulatorState state;
  TLiftControls& c = state.Controls;
  c.Regim = kNoMode;
  c.State = {.TO = false, .MoveDown = true, .Alarm = true, .Reverse8 = true, .MissKey = true};
  c.Floor = -7;
  c.NoAlarm = false;
  c.Alarms[0] = c.Alarms[7] = true;
  c.NoLiftBreak = false;
  c.LiftBreaks[3] = c.LiftBreaks[13] = true;
  c.CustomLiftBreaks.Append({"Режим МП1", 8});
  c.CustomLiftBreaks.Append({"Другая", -70000});
  c.CustomLiftBreaks.Select(1);
  LIFT_INFO& l = state.Lift;
  l.Y = l.TargetY = 9.6;
  l.Velocity = 1.5;
  l.Procent = 0;
  l.FloorCount = 22;
  l.Floor = l.TargetFloor = 4;
  l.MoveFrom = 5;
  l.MoveTo = 6;
  l.BreakPeriodFrom = 7;
  l.BreakPeriodTo = 8;
  l.BreakLenFrom = 9;
  l.BreakLenTo = 3600;
  state.Disp = {.TO = false, .MoveUp = true, .MoveDown = false, .Open = true, .Pass = false,
                .Floor = true, .Alarm = false};
  state.ImitEnable = true;
  return state;
}

TEST(LiftSettings, SaveLoadRoundTrip) {
  TempFolder folder;
  const std::string path = folder.File("Trevolk.ini");
  const TSimulatorState saved = Changed();
  {
    TFastIniFile ini(path);
    ini.WriteInteger(kSetupSection, "Page", 2);  // the window's own key stays
    SaveSimulatorState(ini, saved);
  }
  const TFastIniFile ini(path);
  TSimulatorState loaded = LoadSimulatorState(ini);
  EXPECT_EQ(loaded.Controls, saved.Controls);
  EXPECT_EQ(loaded.Lift, saved.Lift);
  EXPECT_EQ(loaded.Disp, saved.Disp);
  EXPECT_EQ(loaded.ImitEnable, saved.ImitEnable);
  EXPECT_EQ(ini.ReadInteger(kSetupSection, "Page", 0), 2);
  EXPECT_EQ(ini.ReadString(kLiftBreakSection, "Text0", ""), "Режим МП1");
  EXPECT_NE(ReadBytes(path).find("Text0=" + Utf8ToCp1251("Режим МП1") + "\r\n"), std::string::npos);
}

TEST(LiftSettings, IdentityComesFromSetup) {
  TempFolder folder;
  const std::string path = folder.File("Trevolk.ini");
  WriteBytes(path, Lines({"[SETUP]", "Prod=32767", "Type=abc", "SerNum=-1"}));
  const TFastIniFile ini(path);
  EXPECT_EQ(ReadLiftIdentity(ini), (TLiftIdentity{32767, 0, -1}));
}

TEST(LiftSettings, OlderLongerListLeavesNoStaleKeys) {
  TempFolder folder;
  const std::string path = folder.File("Trevolk.ini");
  WriteBytes(path, Lines({"[SETUP]", "Page=1", "[LiftBreak]", "0=1", "Text0=a", "Code0=1",
                          "Text1=b", "Code1=2", "Text2=c", "Code2=3", "Text3=d", "Code3=4",
                          "Cur=3", "[FindGKSL]", "Attempts=3"}));
  {
    TFastIniFile ini(path);
    TSimulatorState state = LoadSimulatorState(ini);
    ASSERT_EQ(state.Controls.CustomLiftBreaks.Count(), 4);
    EXPECT_EQ(state.Controls.CustomLiftBreaks.Selected(), 3);
    EXPECT_TRUE(state.Controls.LiftBreaks[0]);
    ASSERT_TRUE(state.Controls.CustomLiftBreaks.DeleteSelected());
    ASSERT_TRUE(state.Controls.CustomLiftBreaks.DeleteSelected());
    SaveSimulatorState(ini, state);
  }
  const std::string bytes = ReadBytes(path);
  const std::string section = bytes.substr(bytes.find("[LiftBreak]"));
  EXPECT_EQ(section.substr(0, section.find("[LIFT]")),
            Lines({"[LiftBreak]", "0=1", "1=0", "2=0", "3=0", "4=0", "5=0", "6=0", "7=0", "8=0",
                   "9=0", "10=0", "11=0", "12=0", "13=0", "Text0=b", "Code0=2", "Text1=c",
                   "Code1=3", "Cur=0"}));
  EXPECT_NE(bytes.find("[FindGKSL]\r\nAttempts=3\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[SETUP]\r\nPage=1\r\n"), std::string::npos);
}

TEST(LiftSettings, JunkValues) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    std::function<bool(const TSimulatorState&)> check;
  };
  using S = const TSimulatorState&;
  const Case cases[] = {
      {"SETUP", "Regim", "9", [](S s) { return s.Controls.Regim == 6; }},
      {"SETUP", "Regim", "-5", [](S s) { return s.Controls.Regim == kNoMode; }},
      {"SETUP", "Regim", "-1", [](S s) { return s.Controls.Regim == kNoMode; }},
      {"SETUP", "Regim", "abc", [](S s) { return s.Controls.Regim == 0; }},
      {"SETUP", "Regim", "", [](S s) { return s.Controls.Regim == 0; }},
      {"SETUP", "Floor", "500", [](S s) { return s.Controls.Floor == 100; }},
      {"SETUP", "Floor", "-2147483648", [](S s) { return s.Controls.Floor == -10; }},
      {"SETUP", "Floor", "-3", [](S s) { return s.Controls.Floor == -3; }},
      {"SETUP", "TO", "yes", [](S s) { return !s.Controls.State.TO; }},
      {"SETUP", "MissKey", "2", [](S s) { return s.Controls.State.MissKey; }},
      {"SETUP", "NoAlarm", " 0x1", [](S s) { return !s.Controls.NoAlarm; }},
      {"SETUP", "ImitEnable", "-1", [](S s) { return s.ImitEnable; }},
      {"SETUP", "SerNum", "99999999999", [](S s) { return s.Identity.SerNum == 1215752191; }},
      {"Alarm", "7", "1", [](S s) { return s.Controls.Alarms[7]; }},
      {"Alarm", "8", "1",
       [](S s) { return s.Controls.Alarms == std::array<bool, kAlarmCount>{}; }},
      {"LiftBreak", "13", "1", [](S s) { return s.Controls.LiftBreaks[13]; }},
      {"LiftBreak", "Cur", "0",
       [](S s) { return s.Controls.CustomLiftBreaks.Selected() == kNoSelection; }},
      {"LIFT", "FloorCount", "0", [](S s) { return s.Lift.FloorCount == 5; }},
      {"LIFT", "FloorCount", "-40", [](S s) { return s.Lift.FloorCount == 5; }},
      {"LIFT", "FloorCount", "100000", [](S s) { return s.Lift.FloorCount == 100; }},
      {"LIFT", "FloorCount", "16", [](S s) { return s.Lift.FloorCount == 16; }},
      {"LIFT", "Floor", "99", [](S s) { return s.Lift.Floor == 12 && s.Lift.TargetFloor == 12; }},
      {"LIFT", "Floor", "-2147483648",
       [](S s) { return s.Lift.Floor == 1 && s.Lift.TargetFloor == 1; }},
      {"LIFT", "Floor", "7", [](S s) { return s.Lift.Floor == 7 && s.Lift.TargetFloor == 7; }},
      {"LIFT", "Y", "abc", [](S s) { return s.Lift.Y == 0.0 && s.Lift.TargetY == 0.0; }},
      {"LIFT", "Y", "19.2", [](S s) { return s.Lift.Y == 19.2 && s.Lift.TargetY == 19.2; }},
      {"LIFT", "Velocity", "2,5", [](S s) { return s.Lift.Velocity == 2.0; }},
      {"LIFT", "Velocity", "", [](S s) { return s.Lift.Velocity == 0.0; }},
      {"LIFT", "Procent", "-20", [](S s) { return s.Lift.Procent == -20; }},
      {"LIFT", "MoveTo", "x", [](S s) { return s.Lift.MoveTo == 0; }},
      {"Disp", "Floor", "0", [](S s) { return !s.Disp.Floor && s.Disp.Alarm; }},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("Trevolk.ini");
    WriteBytes(path, std::string("[") + c.section + "]\r\n" + c.key + "=" + c.value + "\r\n");
    const TFastIniFile ini(path);
    EXPECT_TRUE(c.check(LoadSimulatorState(ini))) << c.section << " " << c.key << "=" << c.value;
  }
}

}  // namespace
