// The group "Настройки " of the tab " Имитатор ": what the button "Применить" makes of the typed
// texts, and the texts the fields show for stored values.
#pragma once

#include <string>
#include <string_view>

#include "app/LiftInfo.h"

// Height of floor f above floor 1, for any f.
inline double FloorLevel(int floor) { return (static_cast<double>(floor) - 1.0) * kFloorHeight; }

inline constexpr double kVelocityMin = 0.5;  // m/s, as the apply button accepts it
inline constexpr double kVelocityMax = 5.0;
inline constexpr int kSetupSecondsMax = 3600;  // each bound of the three pairs, s
inline constexpr int kSetupPairSpread = 10;    // a second bound below the first becomes first + 10

// The texts of ComboBoxVelocity, ComboBoxFloorCount and the six fields of the three pairs.
struct TLiftSetupTexts {
  std::string Velocity;
  std::string FloorCount;
  std::string MoveFrom, MoveTo;
  std::string BreakPeriodFrom, BreakPeriodTo;
  std::string BreakLenFrom, BreakLenTo;

  bool operator==(const TLiftSetupTexts&) const = default;
};

// A speed text as a decimal number (a comma before any point is the decimal point; no number
// reads 0), held within 0.5..5.0.
double ReadVelocityText(std::string_view text);

// A speed with one decimal, like the pattern "0.0": halves round away from zero.
std::string VelocityText(double velocity, char decimalSeparator = '.');

// A floor-count text as a leading decimal integer, held within 5..100.
int ReadFloorCountText(std::string_view text);

// A pair of bounds in seconds: each a leading decimal integer held within 0..3600; a second
// bound below the first becomes the first plus 10.
struct TSecondsPair {
  int From = 0;
  int To = 0;
};
TSecondsPair ReadSecondsPair(std::string_view from, std::string_view to);

// What an apply did: the texts the fields show now (the floor count's text stays as typed), and
// whether the imitation must start over because the building shrank below the cab's floor or its
// destination.
struct TLiftSetupApplied {
  TLiftSetupTexts Shown;
  bool RestartImitation = false;
};

// The button "Применить" on LIFT_INFO: the speed, the floor count and the three pairs read and
// held within their limits; drawing the shaft anew is left to the caller. The speed is written
// back with the given decimal separator.
TLiftSetupApplied ApplyLiftSetup(const TLiftSetupTexts& typed, LIFT_INFO& lift,
                                 char decimalSeparator = '.');

// The texts the fields show for the values in LIFT_INFO (start-up): the speed with one decimal,
// the rest as decimal integers. Values are shown as they are, without the apply limits.
TLiftSetupTexts LiftSetupTexts(const LIFT_INFO& lift, char decimalSeparator = '.');
