// Putting a text on the desktop clipboard.
#pragma once

#include <string>

// The text up to its first NUL, if any, as the clipboard's plain text. False when there is no
// clipboard to put it on; the callers may ignore the result.
bool CopyToClipboard(const std::string& text);
