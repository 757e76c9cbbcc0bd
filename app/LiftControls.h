// The controls of the simulator that feed the register image: mode, state, floor, alarms, faults
// and the custom fault list.
//
// A window mirrors these values in its widgets; the headless lift program keeps them alone. The
// tables below give each control its widget name, its caption, its settings key and its register
// bit, so windows, settings and registers are all driven from one place.
#pragma once

#include <array>
#include <cstdint>

#include "app/LiftBreakList.h"

// Items of the radio group "Режим работы"; the selected index is register 4.
inline constexpr int kModeCount = 7;
inline constexpr int kNoMode = -1;  // no item selected: register 4 reads 0xFFFF
extern const std::array<const char*, kModeCount> kModeItems;

// The floor up-down's range; its position is register 5.
inline constexpr int kFloorMin = -10;
inline constexpr int kFloorMax = 100;

// The 11 check boxes of the group "Состояние" (register 6).
struct TLiftStateBoxes {
  bool TO = true;
  bool MoveUp = false;
  bool MoveDown = false;
  bool DO = false;
  bool Pass = false;
  bool Alarm = false;
  bool Reverse8 = false;
  bool CancelButton = false;
  bool LocationError = false;
  bool Overload = false;
  bool MissKey = false;

  bool operator==(const TLiftStateBoxes&) const = default;
};

// One state check box: widget name, caption, key in section SETUP, bit of register 6, and the
// member of TLiftStateBoxes that holds it.
struct TStateBox {
  const char* Name;
  const char* Caption;
  const char* Key;
  std::uint16_t Mask;
  bool TLiftStateBoxes::*Flag;
};

// In the order the settings are read and written: TO, MoveUp, MoveDown, DO, Pass, Alarm, then
// (after the floor) Reverse8, CancelButton, LocationError, Overload, MissKey.
inline constexpr int kStateBoxCount = 11;
inline constexpr int kStateBoxesBeforeFloor = 6;
extern const std::array<TStateBox, kStateBoxCount> kStateBoxes;

// Alarm items of "Информация об аварийной ситуации": item i is bit i+1 of register 7.
inline constexpr int kAlarmCount = 8;
extern const char* const kNoAlarmCaption;  // "Нет аварийной ситуации"
extern const std::array<const char*, kAlarmCount> kAlarmItems;

// Standard fault items of "Информация о неисправности ": item i is bit i+1 of register 8.
inline constexpr int kLiftBreakCount = 14;
inline constexpr int kOtherLiftBreakItem = 13;  // "Другая неисправность ": sends the custom fault
extern const char* const kNoLiftBreakCaption;  // "Нет неисправности"
extern const std::array<const char*, kLiftBreakCount> kLiftBreakItems;

struct TLiftControls {
  int Regim = 0;  // 0..6, or kNoMode
  TLiftStateBoxes State;
  int Floor = 1;  // kFloorMin..kFloorMax
  bool NoAlarm = true;
  std::array<bool, kAlarmCount> Alarms{};
  bool NoLiftBreak = true;
  std::array<bool, kLiftBreakCount> LiftBreaks{};
  TLiftBreakList CustomLiftBreaks;  // the combo box ComboBoxLiftBreak and its selection

  bool operator==(const TLiftControls&) const = default;
};
