// Text in the DOS (OEM) code page of Russian systems, code page 866, for files written by console
// programs.
#pragma once

#include <QString>

#include <string_view>

// Every byte becomes one character; never fails.
QString OemToQString(std::string_view bytes);
