#include "support/ui/FormBounds.h"

#include "support/Fastini.h"
#include "support/Func.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Moving a window that was never placed takes its placement away from the window system, so a
// window is only touched when its bounds change.
void ApplyBounds(QWidget& form, const TRect& bounds) {
  if (bounds == WidgetBounds(form)) return;
  SetWidgetBounds(form, bounds);
}

std::string SectionOf(const QWidget& form) {
  return form.objectName().toStdString();
}

} // namespace

TRect WidgetBounds(const QWidget& form) {
  return {form.x(), form.y(), form.width(), form.height()};
}

void SetWidgetBounds(QWidget& form, const TRect& bounds) {
  form.move(bounds.Left, bounds.Top);
  form.resize(bounds.Width, bounds.Height);
}

std::vector<TRect> ScreenRects() {
  std::vector<TRect> rects;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect g = screen->geometry();
    rects.push_back({g.x(), g.y(), g.width(), g.height()});
  }
  return rects;
}

void WriteBounds(TFastIniFile& ini, QWidget& form) {
  ini.WriteBounds(SectionOf(form), WidgetBounds(form));
}

void ReadBounds(TFastIniFile& ini, QWidget& form) {
  TRect bounds = WidgetBounds(form);
  ini.ReadBounds(SectionOf(form), bounds);
  ApplyBounds(form, bounds);
}

void SaveFormBounds(QWidget* form) {
  if (!form) return;
  SaveFormBounds(SectionOf(*form), WidgetBounds(*form));
}

void RestoreFormBounds(QWidget* form) {
  if (!form) return;
  TRect bounds = WidgetBounds(*form);
  RestoreFormBounds(SectionOf(*form), bounds, DesktopRect(ScreenRects()));
  ApplyBounds(*form, bounds);
}
