// The twelve pictures of the cab in the shaft of the tab " Имитатор ".
//
// The order is fixed: at rest, doors open, moving, moving up, moving down, alarm; then the same six
// with a passenger in the cab. Each picture is one shaft cell in size (41 x 32 pixels) and drawn
// on a transparent background, so the shaft shows around the cab.
#pragma once

#include <QImage>

#include <array>

#include "app/CabPicture.h"

inline constexpr int kCabFrameWidth = kShaftWidth;
inline constexpr int kCabFrameHeight = kShaftCellHeight;

// The picture of frame index (0..11); an index outside gives the cab at rest.
QImage DrawCabFrame(int index);

// All twelve, drawn once on first use.
const std::array<QImage, kCabFrameCount>& CabFrames();
