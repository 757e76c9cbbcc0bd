#include "support/TextTail.h"

#include "support/File.h"

#include <algorithm>

namespace {

// Moves to the tail of a long file and past the first line end within its first bytes; returns
// how many bytes are left to read.
std::uint64_t SkipToTail(TFile& file, std::uint64_t size) {
  if (size <= TextTailSize) return size;
  file.SeekTo(size - TextTailSize);
  std::uint64_t length = TextTailSize;
  for (int i = 0; i < TextTailLineSearch; ++i) {
    char byte = 0;
    file.Read(&byte, 1);
    --length;
    if (byte == '\n') break;
  }
  return length;
}

std::string ReadTail(const std::string& fileName) {
  TFile file(fileName, TFileAccess::GenericRead, true, TFileAttributes::AttributeNormal,
             TFileCreation::OpenExisting, TFileSharing::ShareReadWrite);
  const std::uint64_t length = SkipToTail(file, file.Size());
  std::string bytes(length, '\0');
  if (length > 0) file.Read(bytes.data(), static_cast<std::uint32_t>(length));
  std::replace(bytes.begin(), bytes.end(), '\0', ' ');
  return bytes;
}

} // namespace

std::string ReadTextTail(const std::string& fileName) {
  try {
    return ReadTail(fileName);
  } catch (...) {
    // Failures raise by design (the file is opened with ThrowOnError); the viewer stays empty.
    return {};
  }
}
