// The work folder, the program's settings file and the placement of windows in it.
#pragma once

#include <string>
#include <string_view>

#include "support/Bounds.h"
#include "support/Fastini.h"

// Computes the work folder once at start: $XDG_DATA_HOME (by default $HOME/.local/share), created
// when missing, followed by the program's own folder, made here; when that folder does not exist
// in the end, the executable's folder (found through /proc/self/exe when none is given). The result
// ends with "/" and is also what WorkFolder returns from then on.
std::string InitWorkFolder(std::string_view programName = "Trevolk", std::string executableDir = {});

// The folder of the settings file and the protocol log, ending with "/"; empty before InitWorkFolder.
const std::string& WorkFolder();
// Sets the work folder directly (tests, tools); a missing trailing "/" is added to a non-empty one.
void SetWorkFolder(std::string folder);

// The program's one settings file, present between OpenSettings and CloseSettings.
extern TFastIniFile* Settings;

// Opens WorkFolder() + fileName as Settings; settings that are open already are closed first.
void OpenSettings(std::string_view fileName);
// Destroys Settings, which writes the file when something changed.
void CloseSettings();

// A window's bounds in Settings under its component name; nothing while Settings is closed.
// Restoring brings a window whose corner lies off the desktop back onto it (KeepOnScreen).
void SaveFormBounds(std::string_view componentName, const TRect& bounds);
void RestoreFormBounds(std::string_view componentName, TRect& bounds, const TRect& desktop);
