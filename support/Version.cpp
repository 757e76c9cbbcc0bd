#include "support/Version.h"

#include "support/NumberText.h"

#ifndef TREVOLK_VERSION_MAJOR
#error "The build must define TREVOLK_VERSION_MAJOR, TREVOLK_VERSION_MINOR and TREVOLK_VERSION_RELEASE"
#endif

ProgramVersion GetProgramVersion()
{
  return ProgramVersion{TREVOLK_VERSION_MAJOR, TREVOLK_VERSION_MINOR, TREVOLK_VERSION_RELEASE, 0};
}

std::string AboutVersionText(const ProgramVersion& version)
{
  return "Версия " + IntToText(version.major) + "." + IntToText(version.minor) + "." +
         IntToText(version.release);
}

std::string AboutVersionText()
{
  return AboutVersionText(GetProgramVersion());
}
