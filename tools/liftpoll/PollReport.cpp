#include "tools/liftpoll/PollReport.h"

#include "tools/liftpoll/HexText.h"
#include "tools/liftpoll/RegisterDecoder.h"

#include <charconv>

namespace liftpoll {

void PollCounters::Count(ReplyKind kind)
{
  ++polls;
  switch (kind) {
    case ReplyKind::Normal: ++answers; break;
    case ReplyKind::Incomplete: ++timeouts; break;
    case ReplyKind::CrcError: ++crcErrors; break;
    case ReplyKind::Exception: ++exceptions; break;
    case ReplyKind::Mismatch: ++mismatches; break;
  }
}

std::string PollCounters::Line() const
{
  return "Итого: опросов " + std::to_string(polls) + ", ответов " + std::to_string(answers) +
         ", тайм-аутов " + std::to_string(timeouts) + ", ошибок CRC " + std::to_string(crcErrors) +
         ", исключений " + std::to_string(exceptions) + ", неверных ответов " + std::to_string(mismatches);
}

std::string ExceptionText(std::uint8_t code)
{
  switch (code) {
    case 1: return "1 (функция не поддерживается)";
    case 2: return "2 (неверный адрес регистра)";
    case 3: return "3 (неверное количество регистров)";
    default: return std::to_string(code);
  }
}

std::string Milliseconds(double value)
{
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  return std::string(buffer, result.ptr);
}

std::vector<std::string> ReportPoll(long number, const ReadRequest& request, const ReplyCheck& check,
                                    std::span<const std::uint8_t> received, double latencyMs,
                                    int timeoutMs)
{
  const std::string head = "Опрос " + std::to_string(number) + ": ";
  switch (check.kind) {
    case ReplyKind::Normal: {
      std::vector<std::string> lines{head + "ответ за " + Milliseconds(latencyMs) + " мс"};
      for (const std::string& line : DecodeRegisters(request.first, check.registers)) lines.push_back("  " + line);
      return lines;
    }
    case ReplyKind::Exception:
      return {head + "исключение " + ExceptionText(check.exceptionCode) + ": " + FormatHex(received)};
    case ReplyKind::CrcError:
      return {head + "ошибка CRC в ответе: " + FormatHex(received)};
    case ReplyKind::Mismatch:
      return {head + "ответ не на этот запрос: " + FormatHex(received)};
    case ReplyKind::Incomplete:
      break;
  }
  std::string line = head + "нет ответа за " + std::to_string(timeoutMs) + " мс";
  if (!received.empty()) line += ", получено: " + FormatHex(received);
  return {line};
}

}  // namespace liftpoll
