// Window placement for Qt windows, kept in the program's settings under the window's objectName.
//
// The bounds are the window's left and top (its frame position) and its width and height (its
// client size), so that writing and reading them back gives the same window.
#pragma once

#include "support/Bounds.h"

#include <string>
#include <vector>

class QWidget;
class TFastIniFile;

TRect WidgetBounds(const QWidget& form);
void SetWidgetBounds(QWidget& form, const TRect& bounds);

// The geometries of all screens of the desktop.
std::vector<TRect> ScreenRects();

// Writes the bounds into the section named after the form.
void WriteBounds(TFastIniFile& ini, QWidget& form);
// Reads the bounds from the section named after the form, when it holds them.
void ReadBounds(TFastIniFile& ini, QWidget& form);

// The same on the program's Settings, when they are open.
void SaveFormBounds(QWidget* form);
// Also brings a window that lies outside every screen back onto the desktop.
void RestoreFormBounds(QWidget* form);
