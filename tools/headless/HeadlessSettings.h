// Opens the settings of the lift without windows as the program's Settings, the way the main
// window opens them at start-up, and never for writing.
#pragma once

#include <string>

// With an empty name: the work folder for "Trevolk" and "Trevolk.ini" in it; a missing file means
// defaults (and is created empty, as the main window does). With a name: that file, whose folder
// becomes the work folder (the protocol log goes there); it must exist. Returns an error line, or
// nothing when Settings is open.
std::string OpenHeadlessSettings(const std::string& settingsFile);
