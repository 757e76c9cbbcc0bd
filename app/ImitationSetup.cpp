#include "app/ImitationSetup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "support/NumberText.h"

namespace {

// Tenths are exact as an integer below this, so rounding goes through whole numbers.
constexpr double kTenthsLimit = 1e15;

std::string TenthsText(std::int64_t tenths, char decimalSeparator) {
  const bool negative = tenths < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(tenths) : static_cast<std::uint64_t>(tenths);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 10);
  text += decimalSeparator;
  text += static_cast<char>('0' + magnitude % 10);
  return text;
}

// Values too large for tenths (or not numbers at all, read from a hand-written file).
std::string LargeVelocityText(double velocity, char decimalSeparator) {
  char buffer[512];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, velocity, std::chars_format::fixed, 1);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

void ApplyFloorCount(int count, LIFT_INFO& lift, bool& restart) {
  if (count < lift.Floor) {
    lift.Floor = count;
    lift.TargetFloor = count;
    lift.Y = FloorLevel(count);
    lift.TargetY = lift.Y;
    restart = true;
  }
  if (count < lift.TargetFloor) {
    lift.TargetFloor = lift.Floor;
    lift.Y = FloorLevel(lift.Floor);
    lift.TargetY = lift.Y;
    restart = true;
  }
  lift.FloorCount = count;
}

}  // namespace

double ReadVelocityText(std::string_view text) {
  return std::clamp(TextToFloat(text), kVelocityMin, kVelocityMax);
}

std::string VelocityText(double velocity, char decimalSeparator) {
  if (!(std::fabs(velocity) < kTenthsLimit)) return LargeVelocityText(velocity, decimalSeparator);
  const auto tenths = static_cast<std::int64_t>(std::round(velocity * 10));
  return TenthsText(tenths, decimalSeparator);
}

int ReadFloorCountText(std::string_view text) {
  return std::clamp(TextToInt(text), kFloorCountMin, kFloorCountMax);
}

TSecondsPair ReadSecondsPair(std::string_view from, std::string_view to) {
  TSecondsPair pair;
  pair.From = std::clamp(TextToInt(from), 0, kSetupSecondsMax);
  pair.To = std::clamp(TextToInt(to), 0, kSetupSecondsMax);
  if (pair.To < pair.From) pair.To = pair.From + kSetupPairSpread;
  return pair;
}

TLiftSetupApplied ApplyLiftSetup(const TLiftSetupTexts& typed, LIFT_INFO& lift, char decimalSeparator) {
  TLiftSetupApplied applied;
  lift.Velocity = ReadVelocityText(typed.Velocity);
  ApplyFloorCount(ReadFloorCountText(typed.FloorCount), lift, applied.RestartImitation);

  const TSecondsPair move = ReadSecondsPair(typed.MoveFrom, typed.MoveTo);
  const TSecondsPair period = ReadSecondsPair(typed.BreakPeriodFrom, typed.BreakPeriodTo);
  const TSecondsPair length = ReadSecondsPair(typed.BreakLenFrom, typed.BreakLenTo);
  lift.MoveFrom = move.From;
  lift.MoveTo = move.To;
  lift.BreakPeriodFrom = period.From;
  lift.BreakPeriodTo = period.To;
  lift.BreakLenFrom = length.From;
  lift.BreakLenTo = length.To;

  applied.Shown = LiftSetupTexts(lift, decimalSeparator);
  applied.Shown.FloorCount = typed.FloorCount;
  return applied;
}

TLiftSetupTexts LiftSetupTexts(const LIFT_INFO& lift, char decimalSeparator) {
  TLiftSetupTexts texts;
  texts.Velocity = VelocityText(lift.Velocity, decimalSeparator);
  texts.FloorCount = IntToText(lift.FloorCount);
  texts.MoveFrom = IntToText(lift.MoveFrom);
  texts.MoveTo = IntToText(lift.MoveTo);
  texts.BreakPeriodFrom = IntToText(lift.BreakPeriodFrom);
  texts.BreakPeriodTo = IntToText(lift.BreakPeriodTo);
  texts.BreakLenFrom = IntToText(lift.BreakLenFrom);
  texts.BreakLenTo = IntToText(lift.BreakLenTo);
  return texts;
}
