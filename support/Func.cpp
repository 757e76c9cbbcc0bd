#include "support/Func.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

TFastIniFile* Settings = nullptr;

namespace {

std::string workFolder;

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The shared data location: $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::string DataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') return dataHome;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share";
  return {};
}

std::string ExecutableFolder() {
  std::error_code error;
  fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error || !executable.has_parent_path()) return "./";
  return executable.parent_path().string();
}

}  // namespace

std::string InitWorkFolder(std::string_view programName, std::string executableDir) {
  std::error_code error;
  std::string dataFolder = DataFolder();
  if (!dataFolder.empty()) {
    fs::create_directories(dataFolder, error);
    std::string programFolder = WithTrailingSlash(dataFolder) + std::string(programName);
    fs::create_directory(programFolder, error);
    if (fs::is_directory(programFolder, error)) {
      workFolder = WithTrailingSlash(programFolder);
      return workFolder;
    }
  }
  workFolder = WithTrailingSlash(executableDir.empty() ? ExecutableFolder() : executableDir);
  return workFolder;
}

const std::string& WorkFolder() { return workFolder; }

void SetWorkFolder(std::string folder) { workFolder = WithTrailingSlash(std::move(folder)); }

void OpenSettings(std::string_view fileName) {
  CloseSettings();
  Settings = new TFastIniFile(workFolder + std::string(fileName));
}

void CloseSettings() {
  delete Settings;
  Settings = nullptr;
}

void SaveFormBounds(std::string_view componentName, const TRect& bounds) {
  if (Settings != nullptr) Settings->WriteBounds(componentName, bounds);
}

void RestoreFormBounds(std::string_view componentName, TRect& bounds, const TRect& desktop) {
  if (Settings == nullptr) return;
  Settings->ReadBounds(componentName, bounds);
  KeepOnScreen(bounds, desktop);
}
