#include "support/Fastini.h"

#include <algorithm>

#include "support/Codec1251.h"
#include "support/File.h"

namespace {

// A line holds at most this many bytes; the rest of a longer line comes as the next line.
constexpr std::size_t LinePiece = 1024;

std::string_view NameOrNoName(std::string_view name) {
  return name.empty() ? TFastIniFile::NoName : name;
}

std::string_view SkipLeadingSpaces(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string_view DropTrailingSpaces(std::string_view text, std::size_t keep = 0) {
  std::size_t end = text.find_last_not_of(' ');
  std::size_t length = end == std::string_view::npos ? 0 : end + 1;
  return text.substr(0, std::max(length, std::min(keep, text.size())));
}

}  // namespace

TFastIniFile::TFastIniFile(std::string fileName, bool noLoad) : fileName_(std::move(fileName)) {
  if (!noLoad) Load();
}

TFastIniFile::~TFastIniFile() {
  if (modified_) Save();
}

void TFastIniFile::Load() {
  sections_.clear();
  modified_ = false;
  try {
    TFile file;
    if (!file.Open(fileName_, TFileAccess::GenericRead, TFileAttributes::FlagSequentialScan,
                   TFileCreation::OpenAlways, TFileSharing::ShareRead)) {
      failed_ = true;
      return;
    }
    char line[LinePiece + 1];
    TIniSection* current = nullptr;
    while (file.ReadLine(line, sizeof line)) current = ParseLine(Cp1251ToUtf8(line), current);
    if (file.HasError()) failed_ = true;
  } catch (...) {
    failed_ = true;
  }
}

// Returns the section that following lines belong to.
TIniSection* TFastIniFile::ParseLine(std::string_view line, TIniSection* current) {
  line = SkipLeadingSpaces(line);
  if (line.empty()) return current;
  if (line.front() == '[') {
    std::size_t close = line.find(']');
    if (close == std::string_view::npos || close == 1) return current;
    return AddSection(line.substr(1, close - 1));
  }
  std::size_t equals = line.find('=');
  if (current == nullptr || equals == std::string_view::npos || equals == 0) return current;
  current->AddParam(DropTrailingSpaces(line.substr(0, equals)),
                    DropTrailingSpaces(line.substr(equals + 1), 1));
  return current;
}

std::string TFastIniFile::FileContent() const {
  std::string text;
  for (const auto& section : sections_) {
    text += "[" + section->Name() + "]\r\n";
    for (std::size_t i = 0; i < section->ParamCount(); ++i) {
      const TIniParam* param = section->ParamAt(i);
      text += param->Name() + "=" + param->Value() + "\r\n";
    }
  }
  return Utf8ToCp1251(text);
}

bool TFastIniFile::Save() {
  try {
    if (!ReplaceFileContent(fileName_, FileContent())) {
      failed_ = true;
      return false;
    }
    modified_ = false;
    return true;
  } catch (...) {
    failed_ = true;
    return false;
  }
}

TIniSection* TFastIniFile::AddSection(std::string_view name) {
  sections_.push_back(std::make_unique<TIniSection>(NameOrNoName(name)));
  return sections_.back().get();
}

TIniSection* TFastIniFile::FindSection(std::string_view name) {
  name = NameOrNoName(name);
  for (auto& section : sections_)
    if (SameIniName(section->Name(), name)) return section.get();
  return nullptr;
}

const TIniSection* TFastIniFile::FindSection(std::string_view name) const {
  return const_cast<TFastIniFile*>(this)->FindSection(name);
}

TIniSection* TFastIniFile::SectionAt(std::size_t index) {
  return index < sections_.size() ? sections_[index].get() : nullptr;
}

void TFastIniFile::EraseSection(std::string_view name) {
  TIniSection* section = FindSection(name);
  if (section == nullptr) return;
  std::erase_if(sections_, [section](const auto& held) { return held.get() == section; });
  modified_ = true;
}

bool TFastIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const TIniSection* found = FindSection(section);
  return found && found->ValueExists(key);
}

std::string TFastIniFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
  const TIniSection* found = FindSection(section);
  return found ? found->ReadString(key, defaultValue) : std::string(defaultValue);
}

int TFastIniFile::ReadInteger(std::string_view section, std::string_view key,
                              int defaultValue) const {
  const TIniSection* found = FindSection(section);
  return found ? found->ReadInteger(key, defaultValue) : defaultValue;
}

bool TFastIniFile::ReadBool(std::string_view section, std::string_view key,
                            bool defaultValue) const {
  const TIniSection* found = FindSection(section);
  return found ? found->ReadBool(key, defaultValue) : defaultValue;
}

double TFastIniFile::ReadFloat(std::string_view section, std::string_view key,
                               double defaultValue) const {
  const TIniSection* found = FindSection(section);
  return found ? found->ReadFloat(key, defaultValue) : defaultValue;
}

TIniSection* TFastIniFile::SectionForWrite(std::string_view name) {
  modified_ = true;
  TIniSection* section = FindSection(name);
  return section ? section : AddSection(name);
}

void TFastIniFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  SectionForWrite(section)->WriteString(key, value);
}

void TFastIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  SectionForWrite(section)->WriteInteger(key, value);
}

void TFastIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  SectionForWrite(section)->WriteBool(key, value);
}

void TFastIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  SectionForWrite(section)->WriteFloat(key, value);
}

void TFastIniFile::ReadBounds(std::string_view section, TRect& bounds) const {
  const TIniSection* found = FindSection(section);
  if (found == nullptr || !found->ValueExists("Left")) return;
  bounds.Left = found->ReadInteger("Left", bounds.Left);
  bounds.Top = found->ReadInteger("Top", bounds.Top);
  bounds.Width = found->ReadInteger("Width", bounds.Width);
  bounds.Height = found->ReadInteger("Height", bounds.Height);
}

void TFastIniFile::WriteBounds(std::string_view section, const TRect& bounds) {
  TIniSection* target = SectionForWrite(section);
  target->WriteInteger("Left", bounds.Left);
  target->WriteInteger("Top", bounds.Top);
  target->WriteInteger("Width", bounds.Width);
  target->WriteInteger("Height", bounds.Height);
}
