// Arithmetic of the shaft picture on the tab " Имитатор ": where the cab and the destination mark
// stand, which of the twelve cab frames shows, and which floor a click on the shaft means.
//
// Every floor is a cell of 32 pixels, the top cell the highest floor; the cab moves 10 pixels per
// metre. Tops are in pixels from the top of the window area that holds the shaft picture, given as
// shaftTop. Junk heights and floor counts give far-off but defined positions, never overflow.
#pragma once

#include <array>
#include <cstdint>

#include "app/LiftInfo.h"

inline constexpr int kShaftCellHeight = 32;
inline constexpr int kShaftWidth = 41;
inline constexpr int kPixelsPerMetre = 10;

// Frames of the cab's image list, in their order; the passenger frames are the others plus 6.
enum TCabFrame : int {
  kCabNorma = 0,     // at rest, doors closed, no alarm or fault
  kCabOpen = 1,      // doors open
  kCabMove = 2,      // never chosen
  kCabMoveUp = 3,
  kCabMoveDown = 4,
  kCabAlarm = 5,     // an imitated alarm or fault: wins over all others
  kCabPassenger = 6  // added when a passenger is inside
};
inline constexpr int kCabFrameCount = 12;
extern const std::array<const char*, kCabFrameCount> kCabFrameNames;  // "LiftNorma" ... "LiftAlarmPass"

// Frame 0..11: Faulted, then DoorsOpen, then Y against TargetY; plus 6 with a passenger.
int CabFrame(const LIFT_INFO& lift);

// Top of the cab image: FloorCount * 32 + shaftTop - trunc(Y * 10) - 32.
int CabTop(const LIFT_INFO& lift, int shaftTop);

// Top of the destination mark: (FloorCount - TargetFloor) * 32 + shaftTop.
int TargetMarkTop(const LIFT_INFO& lift, int shaftTop);

// Height of the shaft picture: one cell per floor.
int ShaftHeight(int floorCount);

// Floor meant by a click at y pixels below the picture's top: (FloorCount * 32 - y) / 32 + 1,
// truncated toward zero; SetTargetFloor then limits it to the building.
int ShaftClickFloor(int floorCount, int y);

// The number written in the cell of row (0 at the top) and where: x 16, or x 12 for numbers above 9.
struct TShaftLabel {
  int Floor = 0;
  int X = 0;
  int Y = 0;
};
TShaftLabel ShaftLabel(int floorCount, int row);

// Where the cab stands and how it looks; Top relative to the shaft picture's top.
struct TCabPlace {
  int Frame = kCabNorma;
  int Top = 0;

  bool operator==(const TCabPlace&) const = default;
};
TCabPlace CabPlace(const LIFT_INFO& lift);
