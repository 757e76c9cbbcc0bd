// Window placement arithmetic on plain rectangles; the window toolkit adapts its widgets to these.
#pragma once

#include <vector>

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const TRect&) const = default;
};

// The union of all monitors: smallest left and top, largest right and bottom. No monitors give an
// empty rectangle at 0, 0.
TRect DesktopRect(const std::vector<TRect>& monitors);

// Brings a window back whose corner lies off the desktop: a left before the desktop's left or at or
// beyond its right becomes 0, and so, independently, does such a top. The size never changes.
void KeepOnScreen(TRect& window, const TRect& desktop);
