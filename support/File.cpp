#include "support/File.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int AccessFlags(TFileAccess access) {
  switch (access) {
    case TFileAccess::GenericRead: return O_RDONLY;
    case TFileAccess::GenericWrite: return O_WRONLY;
    case TFileAccess::GenericReadWrite: return O_RDWR;
  }
  return O_RDONLY;
}

int CreationFlags(TFileCreation creation) {
  switch (creation) {
    case TFileCreation::CreateNew: return O_CREAT | O_EXCL;
    case TFileCreation::CreateAlways: return O_CREAT | O_TRUNC;
    case TFileCreation::OpenExisting: return 0;
    case TFileCreation::OpenAlways: return O_CREAT;
    case TFileCreation::TruncateExisting: return O_TRUNC;
  }
  return 0;
}

int Whence(TSeekMethod method) {
  switch (method) {
    case TSeekMethod::FileBegin: return SEEK_SET;
    case TSeekMethod::FileCurrent: return SEEK_CUR;
    case TSeekMethod::FileEnd: return SEEK_END;
  }
  return SEEK_SET;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

TFile::TFile(bool throwOnError) : throwOnError_(throwOnError) {}

TFile::TFile(const std::string& fileName, TFileAccess access, bool throwOnError,
             TFileAttributes attributes, TFileCreation creation, TFileSharing sharing)
    : throwOnError_(throwOnError) {
  Open(fileName, access, attributes, creation, sharing);
}

TFile::~TFile() {
  if (IsOpen()) ::close(handle_);
}

bool TFile::Succeed() {
  hasError_ = false;
  lastError_ = 0;
  return true;
}

bool TFile::Fail(int error) {
  hasError_ = true;
  lastError_ = static_cast<std::uint32_t>(error);
  if (throwOnError_) throw 0;
  return false;
}

bool TFile::Open(const std::string& fileName, TFileAccess access, TFileAttributes /*attributes*/,
                 TFileCreation creation, TFileSharing /*sharing*/) {
  if (IsOpen()) return Fail(EBUSY);
  int flags = AccessFlags(access) | CreationFlags(creation) | O_CLOEXEC;
  int handle;
  do handle = ::open(fileName.c_str(), flags, 0666);
  while (handle < 0 && errno == EINTR);
  if (handle < 0) return Fail(errno);
  struct stat info {};
  if (::fstat(handle, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(handle);
    return Fail(EISDIR);
  }
  handle_ = handle;
  return Succeed();
}

bool TFile::Close() {
  if (!IsOpen()) return Fail(EBADF);
  int result = ::close(handle_);
  handle_ = -1;
  // The handle is gone even when close reports an error, so it is never closed twice.
  return result == 0 ? Succeed() : Fail(errno);
}

bool TFile::Write(const void* data, std::uint32_t count) {
  lastCount_ = 0;
  if (data == nullptr) return Fail(EINVAL);
  ssize_t moved;
  do moved = ::write(handle_, data, count);
  while (moved < 0 && errno == EINTR);
  if (moved < 0) return Fail(errno);
  lastCount_ = static_cast<std::uint32_t>(moved);
  // A short write (disk full, file size limit) is a failure without a system error code.
  return lastCount_ == count ? Succeed() : Fail(0);
}

bool TFile::Read(void* buffer, std::uint32_t count) {
  lastCount_ = 0;
  if (buffer == nullptr) return Fail(EINVAL);
  ssize_t moved;
  do moved = ::read(handle_, buffer, count);
  while (moved < 0 && errno == EINTR);
  if (moved < 0) return Fail(errno);
  lastCount_ = static_cast<std::uint32_t>(moved);
  return lastCount_ == count ? Succeed() : Fail(0);
}

bool TFile::Flush() {
  return ::fsync(handle_) == 0 ? Succeed() : Fail(errno);
}

bool TFile::Seek(std::int64_t distance, TSeekMethod method) {
  return ::lseek(handle_, distance, Whence(method)) >= 0 ? Succeed() : Fail(errno);
}

bool TFile::SeekTo(std::uint64_t position) {
  if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return Fail(EINVAL);
  return Seek(static_cast<std::int64_t>(position), TSeekMethod::FileBegin);
}

std::uint64_t TFile::Position() {
  off_t position = ::lseek(handle_, 0, SEEK_CUR);
  if (position < 0) {
    Fail(errno);
    return NoPosition;
  }
  Succeed();
  return static_cast<std::uint64_t>(position);
}

std::uint64_t TFile::Size() {
  struct stat info {};
  if (::fstat(handle_, &info) != 0) {
    Fail(errno);
    return 0;
  }
  Succeed();
  return static_cast<std::uint64_t>(info.st_size);
}

bool TFile::ReadLine(char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return Fail(EINVAL);
  buffer[0] = '\0';
  ssize_t got;
  do got = ::read(handle_, buffer, size - 1);
  while (got < 0 && errno == EINTR);
  if (got < 0) return Fail(errno);
  if (got == 0) {
    Succeed();
    return false;
  }
  std::size_t taken = TakeLine(buffer, static_cast<std::size_t>(got));
  buffer[taken] = '\0';
  // Give back what belongs to the next line.
  if (::lseek(handle_, static_cast<off_t>(taken) - got, SEEK_CUR) < 0) return Fail(errno);
  if (taken >= 2 && IsLineEnd(buffer[taken - 2])) {
    buffer[taken - 2] = '\0';
  } else if (IsLineEnd(buffer[taken - 1])) {
    buffer[taken - 1] = '\0';
  }
  return Succeed();
}

std::size_t TakeLine(const char* bytes, std::size_t count) {
  std::size_t lineEnds = 0;
  std::size_t taken = 0;
  for (; taken < count; ++taken) {
    bool lineEnd = IsLineEnd(bytes[taken]);
    if (lineEnd ? lineEnds == 2 : lineEnds > 0) break;
    if (lineEnd) ++lineEnds;
  }
  return taken;
}

namespace {

// Makes a rename in the folder survive a crash; a folder that cannot be synced changes nothing.
void SyncFolderOf(const std::string& fileName) {
  const std::filesystem::path parent = std::filesystem::path(fileName).parent_path();
  const char* folder = parent.empty() ? "." : parent.c_str();
  int handle = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  ::fsync(handle);
  ::close(handle);
}

std::string TemporaryNameFor(const std::string& fileName) {
  static std::atomic<unsigned> counter{0};
  return fileName + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
}

// A fresh file that did not exist before; a name left over from a crashed run is skipped.
bool CreateTemporary(TFile& file, const std::string& fileName, std::string& temporaryName) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    temporaryName = TemporaryNameFor(fileName);
    if (file.Open(temporaryName, TFileAccess::GenericWrite, TFileAttributes::AttributeNormal,
                  TFileCreation::CreateNew, TFileSharing::ShareRead))
      return true;
    if (file.LastError() != EEXIST) return false;
  }
  return false;
}

}  // namespace

bool ReplaceFileContent(const std::string& fileName, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) return false;
  TFile file;
  std::string temporaryName;
  if (!CreateTemporary(file, fileName, temporaryName)) return false;
  const char* data = bytes.empty() ? "" : bytes.data();
  bool written = file.Write(data, static_cast<std::uint32_t>(bytes.size())) && file.Flush();
  bool closed = file.Close();
  if (!written || !closed || ::rename(temporaryName.c_str(), fileName.c_str()) != 0) {
    ::unlink(temporaryName.c_str());
    return false;
  }
  SyncFolderOf(fileName);
  return true;
}
