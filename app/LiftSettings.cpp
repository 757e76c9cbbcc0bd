#include "app/LiftSettings.h"

#include <algorithm>

#include "app/LiftBreakFile.h"
#include "support/Fastini.h"
#include "support/NumberText.h"

const std::array<TDispBox, kDispBoxCount> kDispBoxes = {{
    {"CheckBoxDispTO", "Кабина в зоне точной остановки", "TO", &TDispBoxes::TO},
    {"CheckBoxDispMoveUp", "Кабина движется вверх", "MoveUp", &TDispBoxes::MoveUp},
    {"CheckBoxDispMoveDown", "Кабина движется вниз", "MoveDown", &TDispBoxes::MoveDown},
    {"CheckBoxDispOpen", "Двери кабины и шахты открыты в зоне ТО", "Open", &TDispBoxes::Open},
    {"CheckBoxDispPass", "В кабине лифта есть пассажир/пассажиры", "Pass", &TDispBoxes::Pass},
    {"CheckBoxDispFloor", "Этаж кабины лифта", "Floor", &TDispBoxes::Floor},
    {"CheckBoxDispLiftBreak", "Авария/неисправность", "Alarm", &TDispBoxes::Alarm},
}};

const char* const kImitEnableCaption = "Разрешить работу имитатора";

namespace {

constexpr const char* kRegimKey = "Regim";
constexpr const char* kFloorKey = "Floor";
constexpr const char* kNoAlarmKey = "NoAlarm";
constexpr const char* kNoLiftBreakKey = "NoLiftBreak";
constexpr const char* kImitEnableKey = "ImitEnable";

// Keys of section LIFT in the order they are written.
constexpr const char* kLiftIntegerKeys[] = {"Procent", "FloorCount", "Floor", "MoveFrom", "MoveTo",
                                            "BreakPeriodFrom", "BreakPeriodTo", "BreakLenFrom",
                                            "BreakLenTo"};

std::int32_t LIFT_INFO::*const kLiftIntegerFields[] = {
    &LIFT_INFO::Procent, &LIFT_INFO::FloorCount, &LIFT_INFO::Floor,
    &LIFT_INFO::MoveFrom, &LIFT_INFO::MoveTo, &LIFT_INFO::BreakPeriodFrom,
    &LIFT_INFO::BreakPeriodTo, &LIFT_INFO::BreakLenFrom, &LIFT_INFO::BreakLenTo};

static_assert(std::size(kLiftIntegerKeys) == std::size(kLiftIntegerFields));

void ReadStateBoxes(const TFastIniFile& ini, TLiftStateBoxes& state, int first, int last) {
  for (int i = first; i < last; ++i) {
    const TStateBox& box = kStateBoxes[static_cast<std::size_t>(i)];
    state.*box.Flag = ini.ReadBool(kSetupSection, box.Key, state.*box.Flag);
  }
}

void WriteStateBoxes(TFastIniFile& ini, const TLiftStateBoxes& state, int first, int last) {
  for (int i = first; i < last; ++i) {
    const TStateBox& box = kStateBoxes[static_cast<std::size_t>(i)];
    ini.WriteBool(kSetupSection, box.Key, state.*box.Flag);
  }
}

template <std::size_t N>
void ReadTicks(const TFastIniFile& ini, const char* section, std::array<bool, N>& ticks) {
  for (std::size_t i = 0; i < N; ++i)
    ticks[i] = ini.ReadBool(section, IntToText(static_cast<int>(i)), false);
}

template <std::size_t N>
void WriteTicks(TFastIniFile& ini, const char* section, const std::array<bool, N>& ticks) {
  for (std::size_t i = 0; i < N; ++i)
    ini.WriteBool(section, IntToText(static_cast<int>(i)), ticks[i]);
}

}  // namespace

TLiftIdentity ReadLiftIdentity(const TFastIniFile& ini) {
  TLiftIdentity identity;
  identity.Prod = ini.ReadInteger(kSetupSection, "Prod", identity.Prod);
  identity.Type = ini.ReadInteger(kSetupSection, "Type", identity.Type);
  identity.SerNum = ini.ReadInteger(kSetupSection, "SerNum", identity.SerNum);
  return identity;
}

TLiftControls LoadLiftControls(const TFastIniFile& ini) {
  TLiftControls controls;
  // The radio group and the up-down hold only what they can show.
  controls.Regim =
      std::clamp(ini.ReadInteger(kSetupSection, kRegimKey, 0), kNoMode, kModeCount - 1);
  ReadStateBoxes(ini, controls.State, 0, kStateBoxesBeforeFloor);
  controls.Floor = std::clamp(ini.ReadInteger(kSetupSection, kFloorKey, 1), kFloorMin, kFloorMax);
  ReadStateBoxes(ini, controls.State, kStateBoxesBeforeFloor, kStateBoxCount);

  controls.NoAlarm = ini.ReadBool(kSetupSection, kNoAlarmKey, true);
  ReadTicks(ini, kAlarmSection, controls.Alarms);

  controls.NoLiftBreak = ini.ReadBool(kSetupSection, kNoLiftBreakKey, true);
  ReadTicks(ini, kLiftBreakSection, controls.LiftBreaks);

  ReadLiftBreakList(ini, controls.CustomLiftBreaks);
  return controls;
}

LIFT_INFO LoadLiftInfo(const TFastIniFile& ini) {
  LIFT_INFO info;
  info.Y = ini.ReadFloat(kLiftSection, "Y", info.Y);
  info.Velocity = ini.ReadFloat(kLiftSection, "Velocity", info.Velocity);
  for (std::size_t i = 0; i < std::size(kLiftIntegerKeys); ++i) {
    std::int32_t& field = info.*kLiftIntegerFields[i];
    field = ini.ReadInteger(kLiftSection, kLiftIntegerKeys[i], field);
  }
  // A building of fewer than two floors would leave the imitation no floor to go to.
  info.FloorCount = std::clamp(info.FloorCount, kFloorCountMin, kFloorCountMax);
  info.Floor = std::clamp(info.Floor, 1, info.FloorCount);
  info.TargetY = info.Y;
  info.TargetFloor = info.Floor;
  return info;
}

TDispBoxes LoadDispBoxes(const TFastIniFile& ini) {
  TDispBoxes disp;
  for (const TDispBox& box : kDispBoxes) disp.*box.Flag = ini.ReadBool(kDispSection, box.Key, true);
  return disp;
}

bool ReadImitEnable(const TFastIniFile& ini) {
  return ini.ReadBool(kSetupSection, kImitEnableKey, false);
}

TSimulatorState LoadSimulatorState(const TFastIniFile& ini) {
  TSimulatorState state;
  state.Identity = ReadLiftIdentity(ini);
  state.Controls = LoadLiftControls(ini);
  state.Lift = LoadLiftInfo(ini);
  state.Disp = LoadDispBoxes(ini);
  state.ImitEnable = ReadImitEnable(ini);
  return state;
}

void SaveLiftControls(TFastIniFile& ini, const TLiftControls& controls) {
  ini.WriteInteger(kSetupSection, kRegimKey, controls.Regim);
  WriteStateBoxes(ini, controls.State, 0, kStateBoxesBeforeFloor);
  ini.WriteInteger(kSetupSection, kFloorKey, controls.Floor);
  WriteStateBoxes(ini, controls.State, kStateBoxesBeforeFloor, kStateBoxCount);
  ini.WriteBool(kSetupSection, kNoAlarmKey, controls.NoAlarm);
  WriteTicks(ini, kAlarmSection, controls.Alarms);

  // Erased first so that a longer list of an earlier run leaves no keys behind.
  ini.EraseSection(kLiftBreakSection);
  ini.WriteBool(kSetupSection, kNoLiftBreakKey, controls.NoLiftBreak);
  WriteTicks(ini, kLiftBreakSection, controls.LiftBreaks);
  WriteLiftBreakList(ini, controls.CustomLiftBreaks);
}

void SaveLiftInfo(TFastIniFile& ini, const LIFT_INFO& info) {
  ini.WriteFloat(kLiftSection, "Y", info.Y);
  ini.WriteFloat(kLiftSection, "Velocity", info.Velocity);
  for (std::size_t i = 0; i < std::size(kLiftIntegerKeys); ++i)
    ini.WriteInteger(kLiftSection, kLiftIntegerKeys[i], info.*kLiftIntegerFields[i]);
}

void SaveDispBoxes(TFastIniFile& ini, const TDispBoxes& disp, bool imitEnable) {
  for (const TDispBox& box : kDispBoxes) ini.WriteBool(kDispSection, box.Key, disp.*box.Flag);
  ini.WriteBool(kSetupSection, kImitEnableKey, imitEnable);
}

void SaveSimulatorState(TFastIniFile& ini, const TSimulatorState& state) {
  SaveLiftControls(ini, state.Controls);
  SaveLiftInfo(ini, state.Lift);
  SaveDispBoxes(ini, state.Disp, state.ImitEnable);
}
