#include "support/Fastini.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>

#include <sys/resource.h>

#include "test/TempFolder.h"

namespace {

class IniTest : public ::testing::Test {
protected:
  void WriteFile(const std::string& bytes) const { WriteBytes(path_, bytes); }
  std::size_t FilesInFolder() const {
    std::size_t count = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder_)) count += entry.is_regular_file();
    return count;
  }

  TempFolder temp_;
  const std::string folder_ = temp_.Path().string() + "/";
  const std::string path_ = folder_ + "test.ini";
};

// The file as loaded, written back: shows what the engine made of every line.
TEST_F(IniTest, LoadThenSaveKeepsExactlyTheKeysAndSections) {
  const struct {
    std::string input;
    std::string saved;
  } cases[] = {
      {"[A]\r\nx = 1 \r\n[a]\r\nX=2\r\n", "[A]\r\nx= 1\r\n[a]\r\nX=2\r\n"},
      {"[s]\r\nv=  \r\n", "[s]\r\nv= \r\n"},
      {"[s]\r\n[]\r\n[abc\r\nk=1\r\n", "[s]\r\nk=1\r\n"},
      {"[s] tail\r\n", "[s]\r\n"},
      {"[ s ]x]\r\n", "[ s ]\r\n"},
      {"[s]\r\n=5\r\nno equals\r\n;note=1\r\n#x\r\n", "[s]\r\n;note=1\r\n"},
      {"before=1\r\njunk\r\n[s]\r\n", "[s]\r\n"},
      {"[s]\r\nK=\r\n", "[s]\r\nK=\r\n"},
      {"[s]\r\n  k  =  v  v  \r\n", "[s]\r\nk=  v  v\r\n"},
      {"[s]\r\nk=a=b\r\n", "[s]\r\nk=a=b\r\n"},
      {"[s]\r\n\tk=1\r\n", "[s]\r\n\tk=1\r\n"},
      {"[s]\r\nk=1\r\nk=2\r\n[s]\r\nk=3", "[s]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.input));
    WriteFile(c.input);
    TFastIniFile ini(path_);
    EXPECT_FALSE(ini.Failed());
    EXPECT_EQ(ini.FileContent(), c.saved);
  }
}

TEST_F(IniTest, GoldenFileLoadsAndSavesByteForByte) {
  std::filesystem::copy_file(TREVOLK_TEST_DATA "/ini_golden.ini", path_);
  auto ini = std::make_unique<TFastIniFile>(path_);
  ASSERT_FALSE(ini->Failed());
  EXPECT_FALSE(ini->Modified());

  ASSERT_EQ(ini->SectionCount(), 4u);
  EXPECT_EQ(ini->SectionAt(1)->Name(), "Подключиться к ГКСЛ-Е");
  EXPECT_EQ(ini->SectionAt(4), nullptr);
  EXPECT_EQ(ini->ReadString("setup", "TCPADR", ""), "192.168.1.200");
  EXPECT_EQ(ini->ReadString("SETUP", "Port", ""), " 4001");
  EXPECT_EQ(ini->ReadInteger("SETUP", "Port", 0), 4001);
  EXPECT_EQ(ini->ReadString("SETUP", "Title", ""), "Протокол работы");
  EXPECT_EQ(ini->ReadString("SETUP", "Empty", "default"), "");
  EXPECT_EQ(ini->ReadString("SETUP", "Blank", ""), " ");
  EXPECT_TRUE(ini->ReadBool("SETUP", "Flag", false));
  EXPECT_EQ(ini->ReadString("SETUP", ";note", ""), "1");
  EXPECT_EQ(ini->ReadString("SETUP", "Nul", ""), "ab");
  EXPECT_EQ(ini->ReadString("SETUP", "Tab", ""), "\tx\t");
  EXPECT_FALSE(ini->ValueExists("SETUP", "Before"));
  EXPECT_EQ(ini->ReadString("Подключиться к ГКСЛ-Е", "Запросов:", ""), "Протокол работы\u0098");
  EXPECT_EQ(ini->FindSection("подключиться к гксл-е"), nullptr);
  EXPECT_EQ(ini->ReadString("Подключиться к ГКСЛ-Е", "Long", ""), std::string(1019, 'a'));
  EXPECT_EQ(ini->ReadString("Подключиться к ГКСЛ-Е", "Tail", ""), std::string(471, 'b'));
  EXPECT_EQ(ini->ReadString("Last", "x", ""), "end");

  // Unchanged: destroying it leaves the file as it was.
  ini.reset();
  EXPECT_EQ(ReadBytes(path_), ReadBytes(TREVOLK_TEST_DATA "/ini_golden.ini"));

  TFastIniFile again(path_);
  EXPECT_TRUE(again.Save());
  EXPECT_EQ(ReadBytes(path_), ReadBytes(TREVOLK_TEST_DATA "/ini_golden_saved.ini"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(IniTest, FirstSectionAndFirstKeyWin) {
  WriteFile("[A]\r\nx = 1 \r\n[a]\r\nX=2\r\n");
  TFastIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("a", "x", 0), 1);
  ini.WriteInteger("a", "X", 7);
  EXPECT_EQ(ini.FileContent(), "[A]\r\nx=7\r\n[a]\r\nX=2\r\n");
}

TEST_F(IniTest, TypedReads) {
  WriteFile("[s]\r\nK=\r\nWord=true\r\nTwo=2\r\nNeg= -12x\r\nF=2.5\r\nComma=2,5\r\nExp=-1.5e2z\r\n"
            "Wrap=4294967297\r\n");
  const TFastIniFile ini(path_);
  const struct {
    const char* key;
    int integer;
    bool boolean;
    double real;
  } cases[] = {
      {"K", 0, false, 0.0},       {"Word", 0, false, 0.0},     {"Two", 2, true, 2.0},
      {"Neg", -12, true, -12.0},  {"F", 2, true, 2.5},         {"Comma", 2, true, 2.0},
      {"Exp", -1, true, -150.0},  {"Wrap", 1, true, 4294967297.0},
      {"Missing", 42, true, 4.25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(ini.ReadInteger("s", c.key, 42), c.integer);
    EXPECT_EQ(ini.ReadBool("s", c.key, true), c.boolean);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("s", c.key, 4.25), c.real);
  }
  EXPECT_EQ(ini.ReadString("s", "K", "d"), "");
  EXPECT_EQ(ini.ReadString("nosection", "K", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("nosection", "K", -3), -3);
}

TEST_F(IniTest, TypedWrites) {
  TFastIniFile ini(path_, true);
  ini.WriteFloat("s", "F", 2.5);
  ini.WriteFloat("s", "N", -0.0000004);
  ini.WriteInteger("s", "I", -2147483647 - 1);
  ini.WriteBool("s", "T", true);
  ini.WriteBool("s", "B", false);
  ini.WriteString("s", "E", "");
  ini.WriteString("", "k", "v");
  EXPECT_EQ(ini.FileContent(),
            "[s]\r\nF=2.500000\r\nN=-0.000000\r\nI=-2147483648\r\nT=1\r\nB=0\r\nE=\r\n"
            "[NONAMED]\r\nk=v\r\n");
  EXPECT_EQ(ini.ReadString("NONAMED", "k", ""), "v");
  EXPECT_EQ(ini.ReadString("", "k", ""), "v");
}

TEST_F(IniTest, TextIsWindows1251OnDiskAndUtf8InMemory) {
  {
    TFastIniFile ini(path_, true);
    ini.WriteString("Лифт", "Имя", "Пассажирский €");
    ini.WriteString("Лифт", "Emoji", "a😀b");
  }
  EXPECT_EQ(ReadBytes(path_),
            "[\xCB\xE8\xF4\xF2]\r\n\xC8\xEC\xFF=\xCF\xE0\xF1\xF1\xE0\xE6\xE8\xF0\xF1\xEA\xE8\xE9 "
            "\x88\r\nEmoji=a?b\r\n");
  TFastIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Лифт", "Имя", ""), "Пассажирский €");
  EXPECT_EQ(ini.FindSection("лифт"), nullptr);
}

TEST_F(IniTest, ModifiedFollowsWritesAndErasures) {
  WriteFile("[a]\r\nk=1\r\n[b]\r\n[a]\r\nk=2\r\n");
  TFastIniFile ini(path_);
  EXPECT_FALSE(ini.Modified());
  ini.EraseSection("missing");
  EXPECT_FALSE(ini.Modified());
  ini.EraseSection("A");
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(ini.FileContent(), "[b]\r\n[a]\r\nk=2\r\n");
  EXPECT_TRUE(ini.Save());
  EXPECT_FALSE(ini.Modified());
  ini.WriteString("b", "k", "same");
  EXPECT_TRUE(ini.Modified());
  ini.Load();
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ini.FileContent(), "[b]\r\n[a]\r\nk=2\r\n");
}

TEST_F(IniTest, MissingFileIsCreatedEmptyAndNotRewritten) {
  {
    TFastIniFile ini(path_);
    EXPECT_FALSE(ini.Failed());
    EXPECT_EQ(ini.SectionCount(), 0u);
    EXPECT_EQ(ini.ReadInteger("s", "k", 5), 5);
    EXPECT_TRUE(std::filesystem::exists(path_));
  }
  EXPECT_EQ(std::filesystem::file_size(path_), 0u);
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(IniTest, NoLoadStartsEmptyAndWritesAfreshOnDestruction) {
  WriteFile("[old]\r\nk=1\r\n");
  {
    TFastIniFile ini(path_, true);
    EXPECT_EQ(ini.SectionCount(), 0u);
    ini.WriteString("new", "k", "2");
  }
  EXPECT_EQ(ReadBytes(path_), "[new]\r\nk=2\r\n");
}

TEST_F(IniTest, UnopenableFileFailsAndServesDefaults) {
  for (const std::string& name : {folder_ + "no/such/folder.ini", folder_}) {
    SCOPED_TRACE(name);
    TFastIniFile ini(name);
    EXPECT_TRUE(ini.Failed());
    EXPECT_EQ(ini.SectionCount(), 0u);
    EXPECT_EQ(ini.ReadString("s", "k", "d"), "d");
  }
}

TEST_F(IniTest, FailedSaveKeepsModifiedAndLeavesNothingBehind) {
  TFastIniFile ini(folder_ + "no/such/folder.ini", true);
  ini.WriteInteger("s", "k", 1);
  EXPECT_FALSE(ini.Save());
  EXPECT_TRUE(ini.Failed());
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(FilesInFolder(), 0u);
}

// The size limit makes the write of the new content stop half way, as a full disk would.
TEST_F(IniTest, SaveThatFailsHalfWayKeepsTheOldFileIntact) {
  const std::string old = "[s]\r\nk=old\r\n";
  WriteFile(old);
  TFastIniFile ini(path_);
  for (const char* key : {"k", "a", "b", "c", "d"}) ini.WriteString("s", key, std::string(500, 'n'));
  const std::string content = ini.FileContent();
  ASSERT_GT(content.size(), 2500u);

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  bool saved_ok = ini.Save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(saved_ok);
  EXPECT_TRUE(ini.Failed());
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(ReadBytes(path_), old);
  EXPECT_EQ(FilesInFolder(), 1u);

  EXPECT_TRUE(ini.Save());
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ReadBytes(path_), content);
}

TEST_F(IniTest, SectionsAndParamsByPosition) {
  TFastIniFile ini(path_, true);
  TIniSection* first = ini.AddSection("x");
  ini.AddSection("x")->AddParam("k", "2");
  first->AddParam("k", "1");
  first->AddParam("k", "3");
  EXPECT_EQ(ini.FindSection("X"), first);
  EXPECT_EQ(ini.SectionAt(1)->ReadString("k", ""), "2");
  ASSERT_EQ(first->ParamCount(), 2u);
  EXPECT_EQ(first->ParamAt(1)->Value(), "3");
  EXPECT_EQ(first->ParamAt(2), nullptr);
  EXPECT_EQ(ini.ReadString("x", "k", ""), "1");
}

TEST(IniName, CaseFoldsLatinLettersOnly) {
  EXPECT_TRUE(SameIniName("TcpAdr", "tCPaDR"));
  EXPECT_FALSE(SameIniName("Лифт", "лифт"));
  EXPECT_FALSE(SameIniName("a[", "A{"));
  EXPECT_FALSE(SameIniName("@", "`"));
  EXPECT_FALSE(SameIniName("ab", "abc"));
}

}  // namespace
