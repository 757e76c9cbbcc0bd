#include "app/LiftRegisters.h"

#include <algorithm>
#include <cstring>

#include "support/Codec1251.h"

namespace {

void Store(RegisterImage& image, int index, std::uint16_t value) {
  image[static_cast<std::size_t>(index)].store(value);
}

template <std::size_t N>
std::uint16_t ListBits(const std::array<bool, N>& ticked) {
  std::uint16_t bits = 0;
  for (std::size_t i = 0; i < N; ++i) {
    if (ticked[i]) bits |= static_cast<std::uint16_t>(1u << (i + 1));
  }
  return bits;
}

}  // namespace

void SetLiftIdentity(RegisterImage& image, int prod, int type, std::int32_t serNum) {
  const auto serial = static_cast<std::uint32_t>(serNum);
  Store(image, kRegProd, static_cast<std::uint16_t>(prod));
  Store(image, kRegType, static_cast<std::uint16_t>(type));
  Store(image, kRegSerNumLow, static_cast<std::uint16_t>(serial & 0xFFFFu));
  Store(image, kRegSerNumHigh, static_cast<std::uint16_t>(serial >> 16));
}

void SetLiftIdentity(RegisterImage& image, const TLiftIdentity& identity) {
  SetLiftIdentity(image, identity.Prod, identity.Type, identity.SerNum);
}

std::uint16_t ModeRegister(const TLiftControls& controls) {
  if (controls.Regim < 0 || controls.Regim >= kModeCount) return 0xFFFF;
  return static_cast<std::uint16_t>(controls.Regim);
}

std::uint16_t FloorRegister(const TLiftControls& controls) {
  return static_cast<std::uint16_t>(controls.Floor);  // two's complement below floor 0
}

std::uint16_t StateRegister(const TLiftControls& controls) {
  std::uint16_t bits = 0;
  for (const TStateBox& box : kStateBoxes) {
    if (controls.State.*box.Flag) bits |= box.Mask;
  }
  return bits;
}

std::uint16_t TickedAlarmBits(const TLiftControls& controls) { return ListBits(controls.Alarms); }

std::uint16_t TickedFaultBits(const TLiftControls& controls) {
  return ListBits(controls.LiftBreaks);
}

// The "no" box wins over the list: the list keeps its ticks, only the register says "none".
std::uint16_t AlarmRegister(const TLiftControls& controls) {
  return controls.NoAlarm ? 1 : TickedAlarmBits(controls);
}

std::uint16_t LiftBreakRegister(const TLiftControls& controls) {
  return controls.NoLiftBreak ? 1 : TickedFaultBits(controls);
}

std::array<std::uint16_t, kOtherTextBytes / 2> OtherTextRegisters(const std::string& text) {
  const std::string bytes = Utf8ToCp1251(text);
  unsigned char buffer[kOtherTextBytes] = {};
  // Like a C string: the text ends at its first zero byte.
  const std::size_t length = std::min(std::strlen(bytes.c_str()), sizeof buffer);
  std::memcpy(buffer, bytes.data(), length);

  std::array<std::uint16_t, kOtherTextBytes / 2> registers{};
  for (std::size_t k = 0; k < registers.size(); ++k)
    registers[k] = static_cast<std::uint16_t>(buffer[2 * k] | (buffer[2 * k + 1] << 8));
  return registers;
}

void UpdateModeRegister(RegisterImage& image, const TLiftControls& controls) {
  Store(image, kRegMode, ModeRegister(controls));
}

void UpdateFloorRegister(RegisterImage& image, const TLiftControls& controls) {
  Store(image, kRegFloor, FloorRegister(controls));
}

void UpdateStateRegister(RegisterImage& image, const TLiftControls& controls) {
  Store(image, kRegState, StateRegister(controls));
}

void UpdateAlarmRegister(RegisterImage& image, const TLiftControls& controls) {
  Store(image, kRegAlarm, AlarmRegister(controls));
}

void UpdateFaultRegisters(RegisterImage& image, const TLiftControls& controls) {
  const std::uint16_t faults = LiftBreakRegister(controls);
  Store(image, kRegLiftBreak, faults);

  const TLiftBreak* other = controls.CustomLiftBreaks.SelectedItem();
  if (!(faults & kOtherLiftBreakBit) || other == nullptr) {
    for (int index = kRegOtherCode; index <= kRegLastData; ++index) Store(image, index, 0);
    return;
  }
  Store(image, kRegOtherCode, static_cast<std::uint16_t>(other->Code));
  const auto text = OtherTextRegisters(other->Text);
  for (std::size_t k = 0; k < text.size(); ++k)
    Store(image, kRegOtherText + static_cast<int>(k), text[k]);
}

void RefreshRegisters(RegisterImage& image, const TLiftControls& controls) {
  UpdateModeRegister(image, controls);
  UpdateFloorRegister(image, controls);
  UpdateStateRegister(image, controls);
  UpdateAlarmRegister(image, controls);
  UpdateFaultRegisters(image, controls);
}
