// The program's version, compiled in by the build.
#pragma once

#include <string>

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int release = 0;
  int build = 0;
};

// The version this program was built as.
ProgramVersion GetProgramVersion();

// The version line of the about box: major, minor and release joined by points; the build number
// is not shown.
std::string AboutVersionText(const ProgramVersion& version);
std::string AboutVersionText();
