// The simulator's state in the settings file "Trevolk.ini": read at start-up and written at
// closing, by the main window and by the headless lift program alike.
//
// Keys, defaults and the order of writes are the file's layout and must not change. The window
// keeps its own keys (Page, SkinName, SkinDir, its placement) and the link keys are read by the
// link control; a window writes Page, SkinName and SkinDir before SaveSimulatorState so the file
// keeps its usual order.
//
// Values are taken as the file holds them, except where a control could not hold them: the mode
// is limited to "none".."last item" and the floor to the up-down's range, like the widgets do;
// the building's floor count is limited to 5..100 and the cab's floor to 1..floor count, so the
// imitation always has another floor to go to and no arithmetic on junk floors overflows.
#pragma once

#include <array>

#include "app/LiftControls.h"
#include "app/LiftInfo.h"
#include "app/LiftRegisters.h"

class TFastIniFile;

inline constexpr const char* kSetupSection = "SETUP";
inline constexpr const char* kAlarmSection = "Alarm";
inline constexpr const char* kLiftBreakSection = "LiftBreak";
inline constexpr const char* kLiftSection = "LIFT";
inline constexpr const char* kDispSection = "Disp";

// The seven check boxes of the group "Диспетчеризация": which imitated facts are passed on.
struct TDispBoxes {
  bool TO = true;
  bool MoveUp = true;
  bool MoveDown = true;
  bool Open = true;
  bool Pass = true;
  bool Floor = true;
  bool Alarm = true;

  bool operator==(const TDispBoxes&) const = default;
};

struct TDispBox {
  const char* Name;
  const char* Caption;
  const char* Key;  // in section Disp
  bool TDispBoxes::*Flag;
};

inline constexpr int kDispBoxCount = 7;
extern const std::array<TDispBox, kDispBoxCount> kDispBoxes;

extern const char* const kImitEnableCaption;  // "Разрешить работу имитатора"

struct TSimulatorState {
  TLiftIdentity Identity;
  TLiftControls Controls;
  LIFT_INFO Lift;
  TDispBoxes Disp;
  bool ImitEnable = false;

  bool operator==(const TSimulatorState&) const = default;
};

// Start-up, one function per step, in the order they run.
TLiftIdentity ReadLiftIdentity(const TFastIniFile& ini);      // Prod, Type, SerNum
TLiftControls LoadLiftControls(const TFastIniFile& ini);      // mode .. custom fault list
LIFT_INFO LoadLiftInfo(const TFastIniFile& ini);              // TargetY, TargetFloor follow
TDispBoxes LoadDispBoxes(const TFastIniFile& ini);            // section Disp
bool ReadImitEnable(const TFastIniFile& ini);                 // SETUP ImitEnable
TSimulatorState LoadSimulatorState(const TFastIniFile& ini);  // all of the above, in order

// Closing, in the order they run.
void SaveLiftControls(TFastIniFile& ini, const TLiftControls& controls);
void SaveLiftInfo(TFastIniFile& ini, const LIFT_INFO& info);
void SaveDispBoxes(TFastIniFile& ini, const TDispBoxes& disp, bool imitEnable);
void SaveSimulatorState(TFastIniFile& ini, const TSimulatorState& state);  // the three above
