// One key and one section of an INI file, as TFastIniFile holds them in memory.
//
// Names are compared without regard to the case of the Latin letters a to z only; every other
// character, Cyrillic included, must match exactly. Keys keep the order of loading and adding, and
// the same key may occur more than once: reads and writes use the first.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

bool SameIniName(std::string_view a, std::string_view b);

class TIniParam {
public:
  TIniParam(std::string_view name, std::string_view value) : name_(name), value_(value) {}

  const std::string& Name() const { return name_; }
  const std::string& Value() const { return value_; }
  void SetValue(std::string_view value) { value_ = value; }

private:
  std::string name_;
  std::string value_;
};

class TIniSection {
public:
  explicit TIniSection(std::string_view name) : name_(name) {}

  const std::string& Name() const { return name_; }

  TIniParam* FindParam(std::string_view name);
  const TIniParam* FindParam(std::string_view name) const;
  // Nothing when the index is out of range.
  TIniParam* ParamAt(std::size_t index);
  const TIniParam* ParamAt(std::size_t index) const;
  std::size_t ParamCount() const { return params_.size(); }
  // Appended at the end, also when the key exists already.
  TIniParam* AddParam(std::string_view name, std::string_view value);

  bool ValueExists(std::string_view key) const;

  // The first matching key's value; the default only when the key is missing.
  std::string ReadString(std::string_view key, std::string_view defaultValue) const;
  int ReadInteger(std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view key, bool defaultValue) const;
  double ReadFloat(std::string_view key, double defaultValue) const;

  // Sets the first matching key or appends a new one.
  void WriteString(std::string_view key, std::string_view value);
  void WriteInteger(std::string_view key, int value);
  void WriteBool(std::string_view key, bool value);
  void WriteFloat(std::string_view key, double value);

private:
  std::string name_;
  std::vector<std::unique_ptr<TIniParam>> params_;
};
