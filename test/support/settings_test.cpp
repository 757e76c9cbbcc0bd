#include "support/Func.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "test/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object and puts the old value back after.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
  const char* name_;
  std::optional<std::string> old_;
};

class SettingsTest : public ::testing::Test {
protected:
  void TearDown() override {
    CloseSettings();
    SetWorkFolder("");
  }

  TempFolder temp_;
  const std::string folder_ = temp_.Path().string() + "/";
};

TEST_F(SettingsTest, WorkFolderUnderXdgDataHomeMadeWithItsParents) {
  ScopedEnv data("XDG_DATA_HOME", (folder_ + "deep/share").c_str());
  std::string work = InitWorkFolder("Trevolk", "/opt/trevolk");
  EXPECT_EQ(work, folder_ + "deep/share/Trevolk/");
  EXPECT_EQ(WorkFolder(), work);
  EXPECT_TRUE(fs::is_directory(work));
}

TEST_F(SettingsTest, WorkFolderDefaultsToLocalShareUnderHome) {
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  ScopedEnv home("HOME", (folder_ + "home").c_str());
  EXPECT_EQ(InitWorkFolder(), folder_ + "home/.local/share/Trevolk/");
  EXPECT_TRUE(fs::is_directory(WorkFolder()));
}

TEST_F(SettingsTest, WorkFolderFallsBackToTheExecutablesFolder) {
  std::ofstream(folder_ + "file") << "in the way";
  ScopedEnv data("XDG_DATA_HOME", (folder_ + "file/share").c_str());
  EXPECT_EQ(InitWorkFolder("Trevolk", "/opt/trevolk"), "/opt/trevolk/");

  std::string executableFolder = fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
  EXPECT_EQ(InitWorkFolder("Trevolk"), executableFolder);

  // A relative data home is not a data home; so is none at all.
  ScopedEnv relative("XDG_DATA_HOME", "relative/share");
  ScopedEnv home("HOME", nullptr);
  EXPECT_EQ(InitWorkFolder("Trevolk", "/opt/trevolk/"), "/opt/trevolk/");
}

TEST_F(SettingsTest, SetWorkFolderAddsTheTrailingSlash) {
  SetWorkFolder("/a/b");
  EXPECT_EQ(WorkFolder(), "/a/b/");
  SetWorkFolder("/a/b/");
  EXPECT_EQ(WorkFolder(), "/a/b/");
}

TEST_F(SettingsTest, SettingsAreWrittenOnCloseOnlyWhenChanged) {
  const std::string path = folder_ + "Trevolk.ini";
  const std::string original = "junk\r\n[SETUP]\r\nDebug = 1\r\n";
  std::ofstream(path, std::ios::binary) << original;
  SetWorkFolder(folder_);

  OpenSettings("Trevolk.ini");
  ASSERT_NE(Settings, nullptr);
  EXPECT_EQ(Settings->FileName(), path);
  EXPECT_TRUE(Settings->ReadBool("SETUP", "Debug", false));
  CloseSettings();
  EXPECT_EQ(Settings, nullptr);
  EXPECT_EQ(ReadBytes(path), original);

  OpenSettings("Trevolk.ini");
  Settings->WriteInteger("SETUP", "SlaveAdr", 3);
  OpenSettings("Trevolk.ini");  // closes, and so saves, the open settings first
  EXPECT_EQ(Settings->ReadInteger("SETUP", "SlaveAdr", 0), 3);
  CloseSettings();
  EXPECT_EQ(ReadBytes(path), "[SETUP]\r\nDebug= 1\r\nSlaveAdr=3\r\n");
  CloseSettings();
}

TEST_F(SettingsTest, FormBoundsRoundTripAndComeBackOnScreen) {
  SetWorkFolder(folder_);
  const TRect desktop{0, 0, 1920, 1080};
  TRect untouched{1, 2, 3, 4};
  SaveFormBounds("FormSetup", {-2000, 300, 640, 480});  // no settings open: nothing happens
  RestoreFormBounds("FormSetup", untouched, desktop);
  EXPECT_EQ(untouched, (TRect{1, 2, 3, 4}));

  OpenSettings("Trevolk.ini");
  SaveFormBounds("FormSetup", {-2000, 300, 640, 480});
  CloseSettings();

  OpenSettings("Trevolk.ini");
  TRect bounds{10, 10, 100, 100};
  RestoreFormBounds("FormSetup", bounds, desktop);
  EXPECT_EQ(bounds, (TRect{0, 300, 640, 480}));
  TRect other{10, 2000, 100, 100};
  RestoreFormBounds("TextViewForm", other, desktop);
  EXPECT_EQ(other, (TRect{10, 0, 100, 100}));
}

}  // namespace
