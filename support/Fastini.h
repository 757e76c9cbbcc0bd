// The INI engine behind the settings file, the fault files, the gateway description files and the
// found-device lists.
//
// The whole file is loaded at construction and written back at destruction, and only when something
// was written. On disk the file is Windows-1251 text with CR LF line ends; in memory every name and
// value is UTF-8.
//
// Reading: the file comes line by line in pieces of at most 1024 bytes (a longer line is cut into
// several); a line ends with up to two CR or LF in any combination; a NUL byte ends the line's text.
// Leading spaces are skipped and empty lines ignored. "[name]" starts a new section (text after the
// first "]" is ignored; "[]" and a "[" without "]" are ignored). Within a section, "key=value" adds
// a key: trailing spaces of the key and of the value are dropped, but never the character right
// after "=", and leading spaces of the value stay. Lines before the first section, lines without
// "=" and lines starting with "=" are ignored, and lost on the next save. Sections and keys may
// repeat; lookups use the first.
//
// Writing: "[name]" and then "key=value" per key, each line ended by CR LF, nothing else.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/Bounds.h"
#include "support/Iniparam.h"

class TFastIniFile {
public:
  // A section with an empty name goes by this name.
  static constexpr std::string_view NoName = "NONAMED";

  // Loads the file unless noLoad is set (a file to be written afresh). A missing file is created
  // empty.
  explicit TFastIniFile(std::string fileName, bool noLoad = false);
  // Saves when modified.
  ~TFastIniFile();
  TFastIniFile(const TFastIniFile&) = delete;
  TFastIniFile& operator=(const TFastIniFile&) = delete;

  // Replaces the sections by the file's content and clears Modified. A file that cannot be opened
  // or read sets Failed; whatever was read until then stays.
  void Load();
  // Replaces the file as a whole (see ReplaceFileContent) and clears Modified. On failure the old
  // file stays, Failed is set, Modified stays set and the result is false.
  bool Save();
  // The bytes that Save writes.
  std::string FileContent() const;

  TIniSection* AddSection(std::string_view name);
  TIniSection* FindSection(std::string_view name);
  const TIniSection* FindSection(std::string_view name) const;
  // Nothing when the index is out of range.
  TIniSection* SectionAt(std::size_t index);
  std::size_t SectionCount() const { return sections_.size(); }
  // Removes the first section of that name with its keys; Modified only when there was one.
  void EraseSection(std::string_view name);

  bool ValueExists(std::string_view section, std::string_view key) const;

  // The defaults come back only when the section or the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

  // Each write sets Modified, finds the section or appends it, and sets the key or appends it.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteFloat(std::string_view section, std::string_view key, double value);

  // A window's position and size under "Left", "Top", "Width" and "Height". ReadBounds changes
  // the rectangle only when the section has "Left"; a missing key keeps that field.
  void ReadBounds(std::string_view section, TRect& bounds) const;
  void WriteBounds(std::string_view section, const TRect& bounds);

  const std::string& FileName() const { return fileName_; }
  bool Modified() const { return modified_; }
  // Set when the file could not be loaded or saved; never cleared.
  bool Failed() const { return failed_; }

private:
  TIniSection* ParseLine(std::string_view line, TIniSection* current);
  TIniSection* SectionForWrite(std::string_view name);

  std::string fileName_;
  std::vector<std::unique_ptr<TIniSection>> sections_;
  bool modified_ = false;
  bool failed_ = false;
};
