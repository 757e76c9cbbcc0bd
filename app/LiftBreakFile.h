// The custom fault list in a settings-file section "LiftBreak": fault files "*.alarms" and the
// list in use in "Trevolk.ini".
//
// Layout: for entry i (from 0) the keys "Text<i>" (the text) and "Code<i>" (decimal code), written
// Text0, Code0, Text1, Code1, ..., then "Cur", the selected index or -1. Reading goes on while
// "Text<i>" exists; an entry with an empty text is skipped, a missing text key ends the list.
#pragma once

#include <string>

#include "app/LiftBreakList.h"

class TFastIniFile;

inline constexpr const char* kFaultFileSection = "LiftBreak";
inline constexpr const char* kFaultFileExtension = "alarms";
extern const char* const kFaultFileFilter;        // "Файл неисправностей (*.alarms)|*.alarms"
extern const char* const kLoadFaultFileQuestion;  // asked before a file replaces the list
extern const char* const kAttentionCaption;       // "Внимание"

// Replaces the list with the one in the section, selection included (an index beyond the list
// selects nothing).
void ReadLiftBreakList(const TFastIniFile& ini, TLiftBreakList& list);

// Appends the list's keys to the section. The caller erases the section first when an older,
// longer list may be there.
void WriteLiftBreakList(TFastIniFile& ini, const TLiftBreakList& list);

// Writes a new fault file in place of any file of that name. False when it could not be written.
bool SaveFaultFile(const std::string& path, const TLiftBreakList& list);

// Replaces the list with the file's. A file that cannot be read gives an empty list and false.
bool LoadFaultFile(const std::string& path, TLiftBreakList& list);
