// A small wrapper of one file handle.
//
// Every operation returns true on success and records HasError, LastError (the errno of the failed
// system call; 0 after success and after a short read or write) and, for Read and Write, LastCount. With ThrowOnError a failure
// also throws the int 0 after these are recorded.
//
// Open takes the access rights, attribute flags, creation disposition and sharing mode of the
// Windows file API, so the call sites read the same on every platform. On POSIX the attributes and
// the sharing mode are accepted and ignored: there is no mandatory locking to ask for, and the
// sequential-scan hint brings nothing for files of this size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class TFileAccess { GenericRead, GenericWrite, GenericReadWrite };
enum class TFileAttributes { AttributeNormal, FlagSequentialScan };
enum class TFileCreation { CreateNew, CreateAlways, OpenExisting, OpenAlways, TruncateExisting };
enum class TFileSharing { ShareNone, ShareRead, ShareWrite, ShareReadWrite };
enum class TSeekMethod { FileBegin, FileCurrent, FileEnd };

class TFile {
public:
  static constexpr std::uint64_t NoPosition = ~std::uint64_t{0};

  explicit TFile(bool throwOnError = false);
  TFile(const std::string& fileName, TFileAccess access, bool throwOnError = false,
        TFileAttributes attributes = TFileAttributes::AttributeNormal,
        TFileCreation creation = TFileCreation::OpenExisting,
        TFileSharing sharing = TFileSharing::ShareRead);
  ~TFile();
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  // Fails without a system call (EBUSY) while a handle is open. A folder is refused (EISDIR),
  // as the Windows call refuses it.
  bool Open(const std::string& fileName, TFileAccess access,
            TFileAttributes attributes = TFileAttributes::AttributeNormal,
            TFileCreation creation = TFileCreation::OpenExisting,
            TFileSharing sharing = TFileSharing::ShareRead);
  // False when no handle was open (EBADF) or closing failed.
  bool Close();

  // One system call each; true only when exactly count bytes moved. A null pointer fails (EINVAL).
  bool Write(const void* data, std::uint32_t count);
  bool Read(void* buffer, std::uint32_t count);
  // Forces the written data to the disk.
  bool Flush();

  bool Seek(std::int64_t distance, TSeekMethod method);
  bool SeekTo(std::uint64_t position);
  // NoPosition on failure.
  std::uint64_t Position();
  // 0 on failure.
  std::uint64_t Size();

  // Reads one line of at most size - 1 bytes into buffer and terminates it with NUL; a longer line
  // comes in pieces. A line ends with up to two CR or LF characters in any combination, which are
  // not returned. False at the end of the file (not an error) and on failure.
  bool ReadLine(char* buffer, std::size_t size);

  bool IsOpen() const { return handle_ >= 0; }
  bool HasError() const { return hasError_; }
  std::uint32_t LastError() const { return lastError_; }
  std::uint32_t LastCount() const { return lastCount_; }
  bool ThrowOnError() const { return throwOnError_; }

private:
  bool Succeed();
  bool Fail(int error);

  int handle_ = -1;
  bool throwOnError_;
  bool hasError_ = false;
  std::uint32_t lastError_ = 0;
  std::uint32_t lastCount_ = 0;
};

// How many of count bytes make up the next line: ordinary characters up to the first CR or LF,
// then at most two CR or LF characters.
std::size_t TakeLine(const char* bytes, std::size_t count);

// Writes bytes as the whole new content of the file: first to a fresh file beside it, forced to the
// disk, then renamed over the old one, so either the complete old or the complete new file exists
// at every moment. On failure the old file stays untouched and nothing else is left behind.
bool ReplaceFileContent(const std::string& fileName, std::string_view bytes);
