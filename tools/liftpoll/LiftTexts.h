// The lift's own texts as a dispatching console shows them: mode names, state bits, alarms, faults.
#pragma once

#include <span>
#include <string_view>

namespace liftpoll {

// A bit of a register and the text that names it.
struct BitText {
  int bit;
  std::string_view text;
};

// Items of "Режим работы", indexed by the value of register 4.
std::span<const std::string_view> ModeNames();

// Bits of register 6 ("Состояние").
std::span<const BitText> StateBits();

// Bits of register 7: bit 0 is "Нет аварийной ситуации", bits 1..8 the alarm items.
std::span<const BitText> AlarmBits();

// Bits of register 8: bit 0 is "Нет неисправности", bits 1..14 the standard fault items.
std::span<const BitText> FaultBits();

// Captions of the values, as the lift's window names them.
inline constexpr std::string_view kProducerCaption = "Идентификатор производителя лифтового оборудования";
inline constexpr std::string_view kTypeCaption = "Идентификатор типа лифтового оборудования";
inline constexpr std::string_view kSerialCaption = "Серийный номер лифтового оборудования";
inline constexpr std::string_view kModeCaption = "Режим работы";
inline constexpr std::string_view kFloorCaption = "Этаж кабины лифта";
inline constexpr std::string_view kStateCaption = "Состояние";
inline constexpr std::string_view kAlarmCaption = "Информация об аварийной ситуации";
inline constexpr std::string_view kFaultCaption = "Информация о неисправности ";
inline constexpr std::string_view kOtherFaultCaption = "Другая неисправность";

}  // namespace liftpoll
