#include "support/File.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "test/TempFolder.h"

namespace {

class FileTest : public ::testing::Test {
protected:
  std::string PathOf(const std::string& name) const { return folder_ + name; }
  std::string WriteBytes(const std::string& name, const std::string& bytes) const {
    ::WriteBytes(PathOf(name), bytes);
    return PathOf(name);
  }

  TempFolder temp_;
  const std::string folder_ = temp_.Path().string() + "/";
};

TEST_F(FileTest, OpenFailuresRecordTheSystemError) {
  std::string existing = WriteBytes("old", "data");
  struct Case {
    std::string name;
    TFileCreation creation;
    int error;
  } cases[] = {
      {PathOf("missing"), TFileCreation::OpenExisting, ENOENT},
      {PathOf("missing"), TFileCreation::TruncateExisting, ENOENT},
      {existing, TFileCreation::CreateNew, EEXIST},
      {PathOf("no/such/folder"), TFileCreation::OpenAlways, ENOENT},
      {folder_, TFileCreation::OpenExisting, EISDIR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFile file;
    EXPECT_FALSE(file.Open(c.name, TFileAccess::GenericRead, TFileAttributes::AttributeNormal,
                           c.creation));
    EXPECT_TRUE(file.HasError());
    EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(c.error));
    EXPECT_FALSE(file.IsOpen());
  }
  EXPECT_EQ(ReadBytes(existing), "data");
}

TEST_F(FileTest, CreationDispositions) {
  std::string path = WriteBytes("f", "abc");
  {
    TFile file(path, TFileAccess::GenericWrite, false, TFileAttributes::AttributeNormal,
               TFileCreation::OpenAlways);
    EXPECT_TRUE(file.IsOpen());
  }
  EXPECT_EQ(ReadBytes(path), "abc");
  {
    TFile file(path, TFileAccess::GenericWrite, false, TFileAttributes::AttributeNormal,
               TFileCreation::TruncateExisting);
    EXPECT_TRUE(file.IsOpen());
  }
  EXPECT_EQ(ReadBytes(path), "");
  {
    TFile file(PathOf("new"), TFileAccess::GenericWrite, false, TFileAttributes::AttributeNormal,
               TFileCreation::CreateNew);
    EXPECT_TRUE(file.IsOpen());
  }
  EXPECT_TRUE(std::filesystem::exists(PathOf("new")));
}

TEST_F(FileTest, ThrowOnErrorThrowsZeroAfterRecording) {
  TFile file(true);
  try {
    file.Open(PathOf("missing"), TFileAccess::GenericRead);
    FAIL() << "no exception";
  } catch (int value) {
    EXPECT_EQ(value, 0);
  }
  EXPECT_TRUE(file.HasError());
  EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(ENOENT));

  EXPECT_THROW(TFile(PathOf("missing"), TFileAccess::GenericRead, true), int);
  EXPECT_NO_THROW(TFile(PathOf("missing"), TFileAccess::GenericRead, false));
}

TEST_F(FileTest, OperationsOnAClosedOrBusyFileFail) {
  TFile file;
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(EBADF));
  char byte = 0;
  EXPECT_FALSE(file.Read(&byte, 1));
  EXPECT_FALSE(file.Write(&byte, 1));
  EXPECT_EQ(file.Position(), TFile::NoPosition);
  EXPECT_EQ(file.Size(), 0u);
  EXPECT_TRUE(file.HasError());

  std::string path = WriteBytes("f", "abc");
  ASSERT_TRUE(file.Open(path, TFileAccess::GenericRead));
  EXPECT_FALSE(file.Open(path, TFileAccess::GenericRead));
  EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(EBUSY));
  EXPECT_TRUE(file.IsOpen());
  EXPECT_FALSE(file.Read(nullptr, 1));
  EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(EINVAL));
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.HasError());
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(FileTest, ReadWriteSeekAndSize) {
  std::string path = PathOf("f");
  TFile file(path, TFileAccess::GenericReadWrite, false, TFileAttributes::AttributeNormal,
             TFileCreation::CreateAlways);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_TRUE(file.Write("hello world", 11));
  EXPECT_EQ(file.LastCount(), 11u);
  EXPECT_EQ(file.Size(), 11u);
  EXPECT_EQ(file.Position(), 11u);

  char buffer[16] = {};
  EXPECT_TRUE(file.SeekTo(6));
  EXPECT_TRUE(file.Read(buffer, 5));
  EXPECT_EQ(std::string(buffer, 5), "world");
  EXPECT_TRUE(file.Seek(-5, TSeekMethod::FileEnd));
  EXPECT_TRUE(file.Seek(-1, TSeekMethod::FileCurrent));
  EXPECT_EQ(file.Position(), 5u);

  // Fewer bytes than asked for: a failure that still reports what moved, without a system error.
  EXPECT_TRUE(file.SeekTo(8));
  EXPECT_FALSE(file.Read(buffer, 10));
  EXPECT_EQ(file.LastCount(), 3u);
  EXPECT_EQ(file.LastError(), 0u);
  EXPECT_TRUE(file.HasError());

  EXPECT_FALSE(file.Seek(-100, TSeekMethod::FileBegin));
  EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(EINVAL));
}

struct LineCase {
  std::string bytes;
  std::size_t bufferSize;
  std::vector<std::string> lines;
};

std::vector<std::string> ReadAllLines(TFile& file, std::size_t bufferSize) {
  std::vector<char> buffer(bufferSize);
  std::vector<std::string> lines;
  while (file.ReadLine(buffer.data(), buffer.size())) lines.emplace_back(buffer.data());
  return lines;
}

TEST_F(FileTest, ReadLineSplitsOnEveryLineEndForm) {
  const LineCase cases[] = {
      {"a\r\nb\nc\rd\n\re", 64, {"a", "b", "c", "d", "e"}},
      // Two line-end characters of any kind end a line; a third starts an empty line.
      {"a\n\nb\r\rc", 64, {"a", "b", "c"}},
      {"a\r\n\r\nb", 64, {"a", "", "b"}},
      {"a\n\n\nb", 64, {"a", "", "b"}},
      {"\r\n", 64, {""}},
      {"\n", 64, {""}},
      {"", 64, {}},
      // A line longer than the buffer comes in pieces of size - 1.
      {"abcdefg\r\nh", 4, {"abc", "def", "g", "h"}},
      {"abc\r\nd", 4, {"abc", "", "d"}},
      {"ab\r\nd", 4, {"ab", "", "d"}},
      // NUL ends the text of a line; the rest of the line is skipped, not made a new line.
      {std::string("ab\0cd\r\nx", 8), 64, {"ab", "x"}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    TFile file(WriteBytes("lines", c.bytes), TFileAccess::GenericRead);
    EXPECT_EQ(ReadAllLines(file, c.bufferSize), c.lines);
    EXPECT_FALSE(file.HasError());
  }
}

TEST_F(FileTest, ReadLineLeavesThePositionAfterTheLine) {
  TFile file(WriteBytes("lines", "first\r\nsecond"), TFileAccess::GenericRead);
  char buffer[64];
  ASSERT_TRUE(file.ReadLine(buffer, sizeof buffer));
  EXPECT_EQ(file.Position(), 7u);
  char rest[6];
  EXPECT_TRUE(file.Read(rest, 6));
  EXPECT_EQ(std::string(rest, 6), "second");
  EXPECT_FALSE(file.ReadLine(buffer, sizeof buffer));
  EXPECT_FALSE(file.HasError());
}

TEST_F(FileTest, ReplaceFileContentSwapsTheWholeFile) {
  std::string path = WriteBytes("f", "old content that is longer");
  EXPECT_TRUE(ReplaceFileContent(path, "new"));
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_TRUE(ReplaceFileContent(path, ""));
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_TRUE(ReplaceFileContent(PathOf("fresh"), "x"));
  EXPECT_EQ(ReadBytes(PathOf("fresh")), "x");

  // A folder in the way: nothing replaced, nothing left behind.
  std::filesystem::create_directory(PathOf("dir"));
  std::ofstream(PathOf("dir/inner")) << "keep";
  EXPECT_FALSE(ReplaceFileContent(PathOf("dir"), "x"));
  EXPECT_FALSE(ReplaceFileContent(PathOf("missing/f"), "x"));
  std::size_t entries = 0;
  for (auto& entry : std::filesystem::directory_iterator(folder_)) entries += !entry.is_directory();
  EXPECT_EQ(entries, 2u);
}

}  // namespace
