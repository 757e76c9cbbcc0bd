#include "app/CabPicture.h"

#include <algorithm>
#include <cmath>
#include <limits>

const std::array<const char*, kCabFrameCount> kCabFrameNames = {
    "LiftNorma",     "LiftOpen",     "LiftMove",     "LiftMoveUp",     "LiftMoveDown",     "LiftAlarm",
    "LiftNormaPass", "LiftOpenPass", "LiftMovePass", "LiftMoveUpPass", "LiftMoveDownPass", "LiftAlarmPass",
};

namespace {

// Arithmetic in 64 bits, then held within int so a junk value cannot overflow.
int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

std::int64_t TruncHeightPixels(double y) {
  const double pixels = std::trunc(y * kPixelsPerMetre);
  if (!(pixels == pixels)) return 0;  // not a number
  constexpr double kLimit = 1e15;
  return static_cast<std::int64_t>(std::clamp(pixels, -kLimit, kLimit));
}

}  // namespace

int CabFrame(const LIFT_INFO& lift) {
  int frame = kCabNorma;
  if (lift.Faulted)
    frame = kCabAlarm;
  else if (lift.DoorsOpen)
    frame = kCabOpen;
  else if (lift.Y < lift.TargetY)
    frame = kCabMoveUp;
  else if (lift.Y > lift.TargetY)
    frame = kCabMoveDown;
  return lift.Pass ? frame + kCabPassenger : frame;
}

int CabTop(const LIFT_INFO& lift, int shaftTop) {
  return ClampToInt(std::int64_t{lift.FloorCount} * kShaftCellHeight + shaftTop -
                  TruncHeightPixels(lift.Y) - kShaftCellHeight);
}

int TargetMarkTop(const LIFT_INFO& lift, int shaftTop) {
  return ClampToInt((std::int64_t{lift.FloorCount} - lift.TargetFloor) * kShaftCellHeight + shaftTop);
}

int ShaftHeight(int floorCount) { return ClampToInt(std::int64_t{floorCount} * kShaftCellHeight); }

int ShaftClickFloor(int floorCount, int y) {
  return ClampToInt((std::int64_t{floorCount} * kShaftCellHeight - y) / kShaftCellHeight + 1);
}

TShaftLabel ShaftLabel(int floorCount, int row) {
  TShaftLabel label;
  label.Floor = ClampToInt(std::int64_t{floorCount} - row);
  label.X = label.Floor > 9 ? 12 : 16;
  label.Y = ClampToInt(std::int64_t{row} * kShaftCellHeight + 8);
  return label;
}

TCabPlace CabPlace(const LIFT_INFO& lift) { return {CabFrame(lift), CabTop(lift, 0)}; }
