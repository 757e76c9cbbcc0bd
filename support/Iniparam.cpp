#include "support/Iniparam.h"

#include "support/NumberText.h"

namespace {

char FoldLatin(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldLatin(a[i]) != FoldLatin(b[i])) return false;
  return true;
}

TIniParam* TIniSection::FindParam(std::string_view name) {
  for (auto& param : params_)
    if (SameIniName(param->Name(), name)) return param.get();
  return nullptr;
}

const TIniParam* TIniSection::FindParam(std::string_view name) const {
  return const_cast<TIniSection*>(this)->FindParam(name);
}

TIniParam* TIniSection::ParamAt(std::size_t index) {
  return index < params_.size() ? params_[index].get() : nullptr;
}

const TIniParam* TIniSection::ParamAt(std::size_t index) const {
  return index < params_.size() ? params_[index].get() : nullptr;
}

TIniParam* TIniSection::AddParam(std::string_view name, std::string_view value) {
  params_.push_back(std::make_unique<TIniParam>(name, value));
  return params_.back().get();
}

bool TIniSection::ValueExists(std::string_view key) const { return FindParam(key) != nullptr; }

std::string TIniSection::ReadString(std::string_view key, std::string_view defaultValue) const {
  const TIniParam* param = FindParam(key);
  return std::string(param ? std::string_view(param->Value()) : defaultValue);
}

int TIniSection::ReadInteger(std::string_view key, int defaultValue) const {
  const TIniParam* param = FindParam(key);
  return param ? TextToInt(param->Value()) : defaultValue;
}

bool TIniSection::ReadBool(std::string_view key, bool defaultValue) const {
  const TIniParam* param = FindParam(key);
  return param ? TextToInt(param->Value()) != 0 : defaultValue;
}

double TIniSection::ReadFloat(std::string_view key, double defaultValue) const {
  const TIniParam* param = FindParam(key);
  return param ? ParseFloatPrefix(param->Value()) : defaultValue;
}

void TIniSection::WriteString(std::string_view key, std::string_view value) {
  if (TIniParam* param = FindParam(key)) {
    param->SetValue(value);
    return;
  }
  AddParam(key, value);
}

void TIniSection::WriteInteger(std::string_view key, int value) { WriteString(key, IntToText(value)); }

void TIniSection::WriteBool(std::string_view key, bool value) { WriteString(key, value ? "1" : "0"); }

void TIniSection::WriteFloat(std::string_view key, double value) {
  WriteString(key, FormatFloatFixed(value));
}
