// How the lift's controls become registers 0..41 of the register image.
//
// Each function recomputes exactly the registers one group of controls feeds, so a handler
// recomputes only what its control changed. Registers 42..50 are never written. The functions only
// store into the image and call nothing back, so they cannot be re-entered.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/LiftControls.h"
#include "modbus/RegisterImage.h"

inline constexpr int kRegProd = 0;
inline constexpr int kRegType = 1;
inline constexpr int kRegSerNumLow = 2;
inline constexpr int kRegSerNumHigh = 3;
inline constexpr int kRegMode = 4;
inline constexpr int kRegFloor = 5;
inline constexpr int kRegState = 6;
inline constexpr int kRegAlarm = 7;
inline constexpr int kRegLiftBreak = 8;
inline constexpr int kRegOtherCode = 9;
inline constexpr int kRegOtherText = 10;       // first of the 32 text registers
inline constexpr int kOtherTextBytes = 64;     // registers 10..41
inline constexpr int kRegLastData = 41;

inline constexpr std::uint16_t kOtherLiftBreakBit = 0x4000;  // bit 14 of register 8

// Lift identity from the settings Prod, Type and SerNum (SETUP; defaults below).
struct TLiftIdentity {
  int Prod = 1;
  int Type = 1;
  std::int32_t SerNum = 12345678;

  bool operator==(const TLiftIdentity&) const = default;
};

// Registers 0..3: low 16 bits of manufacturer and type, serial number low half first.
void SetLiftIdentity(RegisterImage& image, int prod, int type, std::int32_t serNum);
void SetLiftIdentity(RegisterImage& image, const TLiftIdentity& identity);

// Values of the registers, computed from the controls without touching an image.
std::uint16_t ModeRegister(const TLiftControls& controls);    // register 4
std::uint16_t FloorRegister(const TLiftControls& controls);   // register 5
std::uint16_t StateRegister(const TLiftControls& controls);   // register 6
std::uint16_t AlarmRegister(const TLiftControls& controls);   // register 7
std::uint16_t LiftBreakRegister(const TLiftControls& controls);  // register 8

// Bits of the ticked list items (item i gives bit i + 1), whatever the "no" boxes say.
std::uint16_t TickedAlarmBits(const TLiftControls& controls);
std::uint16_t TickedFaultBits(const TLiftControls& controls);

// Registers 10..41 for a fault text (UTF-8): its Windows-1251 bytes up to the first zero byte, cut
// to 64 and zero-filled; byte 2k in the low half of register 10 + k, byte 2k + 1 in the high half.
std::array<std::uint16_t, kOtherTextBytes / 2> OtherTextRegisters(const std::string& text);

// Event handlers' recomputations.
void UpdateModeRegister(RegisterImage& image, const TLiftControls& controls);    // register 4
void UpdateFloorRegister(RegisterImage& image, const TLiftControls& controls);   // register 5
void UpdateStateRegister(RegisterImage& image, const TLiftControls& controls);   // register 6
void UpdateAlarmRegister(RegisterImage& image, const TLiftControls& controls);   // register 7
// Register 8, and registers 9..41: the selected custom fault while "Другая неисправность " counts
// in register 8 and an entry is selected, else all 33 are 0.
void UpdateFaultRegisters(RegisterImage& image, const TLiftControls& controls);

// Registers 4..41, in the order 4, 5, 6, 7, 8..41.
void RefreshRegisters(RegisterImage& image, const TLiftControls& controls);
