#include "tools/liftpoll/RegisterDecoder.h"

#include "support/Codec1251.h"
#include "tools/liftpoll/LiftTexts.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace liftpoll {

namespace {

constexpr int kProducer = 0;
constexpr int kType = 1;
constexpr int kSerialLow = 2;
constexpr int kSerialHigh = 3;
constexpr int kMode = 4;
constexpr int kFloor = 5;
constexpr int kState = 6;
constexpr int kAlarms = 7;
constexpr int kFaults = 8;
constexpr int kOtherCode = 9;
constexpr int kOtherTextFirst = 10;
constexpr int kOtherTextLast = 41;
constexpr std::uint16_t kNoMode = 0xFFFF;

// Some captions end in a blank in the lift's window; before a colon it only gets in the way.
std::string_view TrimRight(std::string_view text)
{
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string Hex4(std::uint16_t value)
{
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
  return text;
}

std::string Caption(std::string_view caption, std::string_view value)
{
  std::string line(TrimRight(caption));
  line += ": ";
  line += value;
  return line;
}

// The registers of one poll, addressed by register number.
class Block {
public:
  Block(std::uint16_t first, std::span<const std::uint16_t> values) : first_(first), values_(values) {}

  std::optional<std::uint16_t> At(int reg) const
  {
    if (reg < first_ || reg >= first_ + static_cast<int>(values_.size())) return std::nullopt;
    return values_[static_cast<std::size_t>(reg - first_)];
  }
  int First() const { return first_; }
  int End() const { return first_ + static_cast<int>(values_.size()); }

private:
  int first_;
  std::span<const std::uint16_t> values_;
};

std::string ModeText(std::uint16_t value)
{
  const auto names = ModeNames();
  if (value < names.size()) return std::string(TrimRight(names[value]));
  if (value == kNoMode) return "не выбран";
  return "неизвестный (" + std::to_string(value) + ")";
}

void AddBits(std::vector<std::string>& lines, std::string_view caption, std::uint16_t value,
             std::span<const BitText> names)
{
  lines.push_back(Caption(caption, Hex4(value)));
  for (int bit = 0; bit < 16; ++bit) {
    if ((value & (1u << bit)) == 0) continue;
    std::string name = "бит " + std::to_string(bit);
    for (const BitText& known : names) {
      if (known.bit == bit) name = TrimRight(known.text);
    }
    lines.push_back("  - " + name);
  }
}

void AddSerial(std::vector<std::string>& lines, const Block& block)
{
  const auto low = block.At(kSerialLow);
  const auto high = block.At(kSerialHigh);
  if (low && high) {
    const auto serial = static_cast<std::int32_t>(static_cast<std::uint32_t>(*high) << 16 | *low);
    lines.push_back(Caption(kSerialCaption, std::to_string(serial)));
    return;
  }
  if (low) lines.push_back("Регистр 2: " + Hex4(*low));
  if (high) lines.push_back("Регистр 3: " + Hex4(*high));
}

// Text bytes lie low half first in each register, up to the first zero byte.
void AddOtherFaultText(std::vector<std::string>& lines, const Block& block)
{
  std::string bytes;
  bool covered = false;
  bool ended = false;
  for (int reg = kOtherTextFirst; reg <= kOtherTextLast && !ended; ++reg) {
    const auto value = block.At(reg);
    if (!value) continue;
    covered = true;
    for (const int shift : {0, 8}) {
      const auto byte = static_cast<char>((*value >> shift) & 0xFF);
      if (byte == 0) {
        ended = true;
        break;
      }
      bytes += byte;
    }
  }
  if (!covered) return;
  lines.push_back(Caption(kOtherFaultCaption, "текст «" + Cp1251ToUtf8(bytes) + "»"));
}

void AddBeyondData(std::vector<std::string>& lines, const Block& block)
{
  const int from = std::max(block.First(), kOtherTextLast + 1);
  if (from >= block.End()) return;
  std::string line = "Регистры " + std::to_string(from) + ".." + std::to_string(block.End() - 1) + ":";
  for (int reg = from; reg < block.End(); ++reg) line += " " + Hex4(*block.At(reg));
  lines.push_back(line);
}

}  // namespace

std::vector<std::string> DecodeRegisters(std::uint16_t first, std::span<const std::uint16_t> values)
{
  const Block block(first, values);
  std::vector<std::string> lines;
  if (const auto v = block.At(kProducer)) lines.push_back(Caption(kProducerCaption, std::to_string(*v)));
  if (const auto v = block.At(kType)) lines.push_back(Caption(kTypeCaption, std::to_string(*v)));
  AddSerial(lines, block);
  if (const auto v = block.At(kMode)) lines.push_back(Caption(kModeCaption, ModeText(*v)));
  if (const auto v = block.At(kFloor)) {
    lines.push_back(Caption(kFloorCaption, std::to_string(static_cast<std::int16_t>(*v))));
  }
  if (const auto v = block.At(kState)) AddBits(lines, kStateCaption, *v, StateBits());
  if (const auto v = block.At(kAlarms)) AddBits(lines, kAlarmCaption, *v, AlarmBits());
  if (const auto v = block.At(kFaults)) AddBits(lines, kFaultCaption, *v, FaultBits());
  if (const auto v = block.At(kOtherCode)) {
    lines.push_back(Caption(kOtherFaultCaption, "код " + std::to_string(*v)));
  }
  AddOtherFaultText(lines, block);
  AddBeyondData(lines, block);
  return lines;
}

}  // namespace liftpoll
