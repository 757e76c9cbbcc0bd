// Files must not depend on the process locale: the windows set it from the environment, and a
// Russian locale writes "2,5" where the files need "2.5".
#include "support/Fastini.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "test/TempFolder.h"

namespace {

class RussianLocale : public ::testing::Test {
protected:
  void SetUp() override {
    savedC_ = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
      GTEST_SKIP() << "locale ru_RU.UTF-8 is not installed (scripts/install-deps.sh makes it)";
    savedCpp_ = std::locale::global(std::locale("ru_RU.UTF-8"));
    changed_ = true;
  }
  void TearDown() override {
    if (!changed_) return;
    std::locale::global(savedCpp_);
    std::setlocale(LC_ALL, savedC_.c_str());
  }

  std::string savedC_;
  std::locale savedCpp_;
  bool changed_ = false;
  TempFolder temp_;
};

TEST_F(RussianLocale, NumbersInFilesStayInTheCLocaleForm) {
  ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
  const std::string path = temp_.File("numbers.ini");
  {
    TFastIniFile ini(path, true);
    ini.WriteFloat("N", "F", 2.5);
    ini.WriteFloat("N", "Big", 1234567.125);
    ini.WriteInteger("N", "I", -1234567);
    ini.WriteString("N", "Text", "2.5");
  }
  EXPECT_EQ(ReadBytes(path), "[N]\r\nF=2.500000\r\nBig=1234567.125000\r\nI=-1234567\r\nText=2.5\r\n");

  TFastIniFile ini(path);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "Text", 0.0), 2.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "Big", 0.0), 1234567.125);
  EXPECT_EQ(ini.ReadInteger("N", "I", 0), -1234567);
}

}  // namespace
