#include "tools/liftpoll/Console.h"
#include "tools/liftpoll/HexText.h"
#include "tools/liftpoll/PollModes.h"

namespace liftpoll {

namespace {

// A reply is over once the line has been quiet this long.
constexpr int kQuietMs = 100;

}  // namespace

int RunRaw(TGatewayPort& port, const PollOptions& options)
{
  if (!AwaitLift(port, options)) return kExitNoAnswer;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(options.rawBytes.size() * static_cast<std::size_t>(options.repeat));
  for (long i = 0; i < options.repeat; ++i) bytes.insert(bytes.end(), options.rawBytes.begin(), options.rawBytes.end());
  if (!port.Send(bytes)) {
    Complain(port.Error());
    return kExitNoAnswer;
  }
  Say("Отправлено байт: " + std::to_string(bytes.size()));
  const auto reply = port.ReadUntilQuiet(kQuietMs);
  if (reply.empty()) {
    Say("Нет ответа за " + std::to_string(options.timeoutMs) + " мс");
    return kExitNoAnswer;
  }
  Say("Ответ (" + std::to_string(reply.size()) + " байт): " + FormatHex(reply));
  return kExitAnswered;
}

}  // namespace liftpoll
