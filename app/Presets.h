// Built-in fault tables of three lift controllers, loaded into the custom fault list by the
// preset buttons of the fault tab.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/LiftBreakList.h"

// A record of VugPreset and Ryx40Preset: a code 1..255 and its text. A closing record of code 0
// ends each table and is never loaded.
struct TPresetRecord {
  std::uint8_t Code;
  const char* Text;  // UTF-8
};

extern const std::array<TPresetRecord, 81> VugPreset;
extern const std::array<TPresetRecord, 49> Ryx40Preset;

// Texts ended by an empty text; a row's code is its position from 1. Every text starts with its
// code as four upper-case hexadecimal digits.
const std::vector<std::string>& TaysPreset();

enum class TPreset { Vug, Tays, Ryx40 };

// The rows a preset loads, in table order, up to its end marker, rows with empty text skipped.
std::vector<TLiftBreak> PresetRows(TPreset preset);

// Replaces the list with the preset's rows and selects its usual entry: the sixth of VugPreset,
// the first of the others.
void LoadPreset(TLiftBreakList& list, TPreset preset);

const char* PresetButtonCaption(TPreset preset);  // "Лифт ВУГ", "Лифт НКУ-ТАЙС", "Лифт РЫХ-40"
const char* PresetQuestion(TPreset preset);        // asked with the caption "Внимание"
