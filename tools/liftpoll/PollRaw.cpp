#include "tools/liftpoll/Console.h"
#include "tools/liftpoll/HexText.h"
#include "tools/liftpoll/PollModes.h"

namespace liftpoll {

namespace {

// A reply is over once the line has been quiet this long.
constexpr int kQuietMs = 100;

std::vector<std::uint8_t> Repeated(const std::vector<std::uint8_t>& block, long times)
{
  std::vector<std::uint8_t> bytes;
  bytes.reserve(block.size() * static_cast<std::size_t>(times));
  for (long i = 0; i < times; ++i) bytes.insert(bytes.end(), block.begin(), block.end());
  return bytes;
}

// One block out, its reply (if any) printed; true when the lift replied.
bool Exchange(TGatewayPort& port, const std::vector<std::uint8_t>& bytes, int timeoutMs)
{
  port.Drain();
  if (!port.Send(bytes)) {
    Complain(port.Error());
    return false;
  }
  Say("Отправлено байт: " + std::to_string(bytes.size()));
  const auto reply = port.ReadUntilQuiet(kQuietMs);
  if (reply.empty()) {
    Say("Нет ответа за " + std::to_string(timeoutMs) + " мс");
    return false;
  }
  Say("Ответ (" + std::to_string(reply.size()) + " байт): " + FormatHex(reply));
  return true;
}

}  // namespace

int RunRaw(TGatewayPort& port, const PollOptions& options)
{
  if (!AwaitLift(port, options)) return kExitNoAnswer;
  bool allAnswered = true;
  for (const auto& block : options.rawBlocks) {
    allAnswered = Exchange(port, Repeated(block, options.repeat), options.timeoutMs) && allAnswered;
    if (port.PeerClosed()) {
      Say("Лифт отключился");
      return kExitNoAnswer;
    }
  }
  return allAnswered ? kExitAnswered : kExitNoAnswer;
}

}  // namespace liftpoll
