#include "app/LiftBreakFile.h"

const char* const kFaultFileFilter = "Файл неисправностей (*.alarms)|*.alarms";
const char* const kLoadFaultFileQuestion = "Действительно загрузить\nнеисправности из файла?\nТекущие будут утеряны !";
const char* const kAttentionCaption = "Внимание";

#include <filesystem>
#include <system_error>

#include "support/Fastini.h"
#include "support/NumberText.h"

namespace {

std::string TextKey(int index) { return "Text" + IntToText(index); }
std::string CodeKey(int index) { return "Code" + IntToText(index); }
constexpr const char* kCurKey = "Cur";

}  // namespace

void ReadLiftBreakList(const TFastIniFile& ini, TLiftBreakList& list) {
  list.Clear();
  for (int i = 0; ini.ValueExists(kFaultFileSection, TextKey(i)); ++i) {
    std::string text = ini.ReadString(kFaultFileSection, TextKey(i), "");
    const int code = ini.ReadInteger(kFaultFileSection, CodeKey(i), 0);
    if (!text.empty()) list.Append({std::move(text), code});
  }
  const int current = ini.ReadInteger(kFaultFileSection, kCurKey, kNoSelection);
  if (current >= 0) list.Select(current);
}

void WriteLiftBreakList(TFastIniFile& ini, const TLiftBreakList& list) {
  for (int i = 0; i < list.Count(); ++i) {
    const TLiftBreak& entry = list.Items()[static_cast<std::size_t>(i)];
    ini.WriteString(kFaultFileSection, TextKey(i), entry.Text);
    ini.WriteInteger(kFaultFileSection, CodeKey(i), entry.Code);
  }
  ini.WriteInteger(kFaultFileSection, kCurKey, list.Selected());
}

// The engine replaces the file as a whole, so an older file of that name leaves nothing behind,
// and a failed write leaves the older file as it was.
bool SaveFaultFile(const std::string& path, const TLiftBreakList& list) {
  TFastIniFile ini(path, true);
  WriteLiftBreakList(ini, list);
  return ini.Save();
}

bool LoadFaultFile(const std::string& path, TLiftBreakList& list) {
  list.Clear();
  std::error_code error;
  // Opening a missing file would create it empty; a vanished file is just unreadable.
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const TFastIniFile ini(path);
  ReadLiftBreakList(ini, list);
  return !ini.Failed();
}
