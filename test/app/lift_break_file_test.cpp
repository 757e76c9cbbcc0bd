#include "app/LiftBreakFile.h"

#include <gtest/gtest.h>

#include "LiftBreakPrinter.h"

#include "test/TempFolder.h"
#include "support/Codec1251.h"
#include "support/Fastini.h"

namespace {

TLiftBreakList ListOf(std::vector<TLiftBreak> entries, int selected) {
  TLiftBreakList list;
  for (TLiftBreak& entry : entries) list.Append(std::move(entry));
  list.Select(selected);
  return list;
}

TEST(LiftBreakFile, WritesKeysInOrder) {
  TempFolder folder;
  const std::string path = folder.File("two.alarms");
  ASSERT_TRUE(SaveFaultFile(path, ListOf({{"Режим МП1", 8}, {"B", -3}}, 1)));
  EXPECT_EQ(ReadBytes(path), "[LiftBreak]\r\nText0=" + Utf8ToCp1251("Режим МП1") +
                                 "\r\nCode0=8\r\nText1=B\r\nCode1=-3\r\nCur=1\r\n");
}

TEST(LiftBreakFile, EmptyListWritesCurOnly) {
  TempFolder folder;
  const std::string path = folder.File("empty.alarms");
  ASSERT_TRUE(SaveFaultFile(path, TLiftBreakList{}));
  EXPECT_EQ(ReadBytes(path), "[LiftBreak]\r\nCur=-1\r\n");
}

TEST(LiftBreakFile, OverwritingALongerFileLeavesNoStaleKeys) {
  TempFolder folder;
  const std::string path = folder.File("list.alarms");
  WriteBytes(path, "[Other]\r\nX=1\r\n[LiftBreak]\r\nText0=a\r\nCode0=1\r\nText1=b\r\nCode1=2\r\n"
                   "Text2=c\r\nCode2=3\r\nCur=2\r\n");
  ASSERT_TRUE(SaveFaultFile(path, ListOf({{"z", 9}}, 0)));
  EXPECT_EQ(ReadBytes(path), "[LiftBreak]\r\nText0=z\r\nCode0=9\r\nCur=0\r\n");
}

TEST(LiftBreakFile, RoundTrip) {
  TempFolder folder;
  const std::string path = folder.File("round.alarms");
  std::vector<TLiftBreak> entries;
  for (int i = 0; i < 500; ++i)
    entries.push_back(
        {"Неисправность №" + std::to_string(i) + std::string(i % 90, '.'), i * 7 - 100});
  entries.push_back({"Кавычки \"ОТМЕНА\" и =знак", INT32_MIN});
  const TLiftBreakList saved = ListOf(entries, 321);
  ASSERT_TRUE(SaveFaultFile(path, saved));

  TLiftBreakList loaded = ListOf({{"old", 1}}, 0);
  ASSERT_TRUE(LoadFaultFile(path, loaded));
  EXPECT_EQ(loaded.Items(), saved.Items());
  EXPECT_EQ(loaded.Selected(), 321);
}

TEST(LiftBreakFile, ReadRules) {
  struct Case {
    const char* what;
    std::string section;
    std::vector<TLiftBreak> entries;
    int selected;
  };
  const Case cases[] = {
      {"empty text skipped", "Text0=a\nCode0=1\nText1=\nCode1=2\nText2=c\nCode2=3\nCur=1\n",
       {{"a", 1}, {"c", 3}}, 1},
      {"missing text ends the list", "Text0=a\nCode0=1\nText2=c\nCode2=3\nCur=0\n", {{"a", 1}}, 0},
      {"missing code reads 0", "Text0=a\nCur=-1\n", {{"a", 0}}, kNoSelection},
      {"junk code", "Text0=a\nCode0=x12\nText1=b\nCode1=7up\n", {{"a", 0}, {"b", 7}}, kNoSelection},
      {"Cur beyond the list", "Text0=a\nCode0=1\nCur=5\n", {{"a", 1}}, kNoSelection},
      {"Cur below -1", "Text0=a\nCode0=1\nCur=-9\n", {{"a", 1}}, kNoSelection},
      {"Cur junk reads 0", "Text0=a\nCode0=1\nCur=abc\n", {{"a", 1}}, 0},
      {"keys in any order and case", "cur=1\ncode1=5\ntext1=b\nTEXT0=a\n", {{"a", 0}, {"b", 5}}, 1},
      {"empty section", "", {}, kNoSelection},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("read.alarms");
    WriteBytes(path, "[LiftBreak]\n" + c.section);
    TLiftBreakList list = ListOf({{"old", 1}}, 0);
    EXPECT_TRUE(LoadFaultFile(path, list)) << c.what;
    EXPECT_EQ(list.Items(), c.entries) << c.what;
    EXPECT_EQ(list.Selected(), c.selected) << c.what;
  }
}

TEST(LiftBreakFile, ReadsWindows1251Text) {
  TempFolder folder;
  const std::string path = folder.File("cp.alarms");
  WriteBytes(path, "[LiftBreak]\r\nText0=\xD2\xE5\xF1\xF2\r\nCode0=1\r\nCur=0\r\n");  // "Тест"
  TLiftBreakList list;
  ASSERT_TRUE(LoadFaultFile(path, list));
  EXPECT_EQ(list.Items(), (std::vector<TLiftBreak>{{"Тест", 1}}));
}

TEST(LiftBreakFile, MissingFileGivesEmptyListAndCreatesNothing) {
  TempFolder folder;
  const std::string path = folder.File("missing.alarms");
  TLiftBreakList list = ListOf({{"old", 1}}, 0);
  EXPECT_FALSE(LoadFaultFile(path, list));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selected(), kNoSelection);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(LiftBreakFile, UnwritablePathReportsFailure) {
  TempFolder folder;
  EXPECT_FALSE(SaveFaultFile(folder.File("no-such-folder/x.alarms"), ListOf({{"a", 1}}, 0)));
}

TEST(LiftBreakFile, SectionKeepsOtherKeys) {
  TempFolder folder;
  TFastIniFile ini(folder.File("s.ini"), true);
  ini.WriteBool(kFaultFileSection, "13", true);
  WriteLiftBreakList(ini, ListOf({{"a", 1}}, 0));
  TLiftBreakList list;
  ReadLiftBreakList(ini, list);
  EXPECT_EQ(list.Items(), (std::vector<TLiftBreak>{{"a", 1}}));
  EXPECT_TRUE(ini.ReadBool(kFaultFileSection, "13", false));
  EXPECT_EQ(ini.FileContent(), "[LiftBreak]\r\n13=1\r\nText0=a\r\nCode0=1\r\nCur=0\r\n");
}

}  // namespace
