#include "support/Bounds.h"

#include <algorithm>
#include <cstdint>

namespace {

// Right and bottom edges in 64 bits, so that no rectangle read from a file can overflow them.
std::int64_t EndOf(int start, int length) { return std::int64_t{start} + length; }

bool OutsideOf(int position, int start, int length) {
  return position < start || position >= EndOf(start, length);
}

int Clamp(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

TRect DesktopRect(const std::vector<TRect>& monitors) {
  if (monitors.empty()) return {};
  std::int64_t left = monitors[0].Left, top = monitors[0].Top;
  std::int64_t right = EndOf(monitors[0].Left, monitors[0].Width);
  std::int64_t bottom = EndOf(monitors[0].Top, monitors[0].Height);
  for (const TRect& monitor : monitors) {
    left = std::min<std::int64_t>(left, monitor.Left);
    top = std::min<std::int64_t>(top, monitor.Top);
    right = std::max(right, EndOf(monitor.Left, monitor.Width));
    bottom = std::max(bottom, EndOf(monitor.Top, monitor.Height));
  }
  return {Clamp(left), Clamp(top), Clamp(right - left), Clamp(bottom - top)};
}

void KeepOnScreen(TRect& window, const TRect& desktop) {
  if (OutsideOf(window.Left, desktop.Left, desktop.Width)) window.Left = 0;
  if (OutsideOf(window.Top, desktop.Top, desktop.Height)) window.Top = 0;
}
