// The glyphs of the icon-only buttons of the custom fault group: add, delete, save, open.
#pragma once

#include <QIcon>

QIcon PlusGlyph();
QIcon MinusGlyph();
QIcon DiskGlyph();
QIcon FolderGlyph();
