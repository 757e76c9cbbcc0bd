#include "tools/headless/HeadlessSettings.h"

#include "support/Func.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramName = "Trevolk";
constexpr const char* kSettingsName = "Trevolk.ini";

std::string OpenNamed(const std::string& settingsFile)
{
  std::error_code error;
  const fs::path path(settingsFile);
  if (!fs::exists(path, error)) return "файл настроек «" + settingsFile + "» не найден";
  if (!fs::is_regular_file(path, error)) return "«" + settingsFile + "» - не файл";
  const fs::path folder = path.parent_path();
  SetWorkFolder(folder.empty() ? "./" : folder.string());
  OpenSettings(path.filename().string());
  return {};
}

}  // namespace

std::string OpenHeadlessSettings(const std::string& settingsFile)
{
  bool existed = true;
  if (!settingsFile.empty()) {
    if (std::string error = OpenNamed(settingsFile); !error.empty()) return error;
  } else {
    InitWorkFolder(kProgramName);
    std::error_code error;
    existed = fs::exists(WorkFolder() + kSettingsName, error);
    OpenSettings(kSettingsName);
  }
  // A file that could not be made leaves the defaults; one that is there must be readable.
  if (Settings->Failed() && existed) {
    const std::string name = Settings->FileName();
    CloseSettings();
    return "не удалось прочитать файл настроек «" + name + "»";
  }
  return {};
}
