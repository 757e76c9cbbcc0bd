// LIFT_INFO: the cab's motion and the imitation's timings.
#pragma once

#include <cstdint>
#include <string>

// Every floor is 3.2 m high: floor f lies at (f - 1) * 3.2 above floor 1.
inline constexpr double kFloorHeight = 3.2;

// The building's floor count as the imitation settings accept it.
inline constexpr int kFloorCountMin = 5;
inline constexpr int kFloorCountMax = 100;

struct LIFT_INFO {
  double Y = 0.0;           // m, cab height above floor 1
  double TargetY = 0.0;     // m, height of the destination
  double Velocity = 3.0;    // m/s, chosen travel speed
  std::int32_t Procent = 30;  // % of the speed used within 1 m of the destination
  std::int32_t FloorCount = 12;
  std::int32_t Floor = 1;   // floor the cab is at, from 1
  std::int32_t TargetFloor = 1;
  std::int32_t MoveFrom = 1, MoveTo = 20;                 // s, pause between trips
  std::int32_t BreakPeriodFrom = 120, BreakPeriodTo = 240;  // s, time to the next alarm/fault
  std::int32_t BreakLenFrom = 60, BreakLenTo = 180;       // s, duration of an alarm/fault
  bool Pass = false;        // a passenger is in the cab
  bool DoorsOpen = false;   // cab and shaft doors are open
  bool InZone = true;       // the cab is in the exact-stop zone
  bool Faulted = false;     // an imitated alarm or fault is active
  std::string FaultText;    // status text of the active imitated alarm or fault
  std::uint32_t NextFaultTime = 0;  // ms tick when the next alarm or fault is due

  bool operator==(const LIFT_INFO&) const = default;
};
