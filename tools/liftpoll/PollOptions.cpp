#include "tools/liftpoll/PollOptions.h"

#include "tools/liftpoll/HexText.h"

#include <arpa/inet.h>

#include <charconv>
#include <optional>

namespace liftpoll {

namespace {

std::optional<long> ParseNumber(std::string_view text, long min, long max)
{
  long value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (value < min || value > max) return std::nullopt;
  return value;
}

class Parser {
public:
  explicit Parser(std::span<const std::string_view> args) : args_(args) {}

  ParsedOptions Run()
  {
    while (index_ < args_.size() && error_.empty()) Next();
    if (error_.empty()) CheckCombination();
    ParsedOptions parsed;
    parsed.ok = error_.empty();
    parsed.options = options_;
    parsed.error = error_;
    return parsed;
  }

private:
  void Next()
  {
    std::string_view arg = args_[index_++];
    std::optional<std::string_view> inlineValue;
    if (const auto equals = arg.find('='); arg.starts_with("--") && equals != std::string_view::npos) {
      inlineValue = arg.substr(equals + 1);
      arg = arg.substr(0, equals);
    }
    name_ = arg;
    inlineValue_ = inlineValue;
    Dispatch(arg);
  }

  void Dispatch(std::string_view name)
  {
    if (name == "--help" || name == "-h") return Flag(options_.help);
    if (name == "--once") return Mode(PollMode::Once);
    if (name == "--listen") return Address();
    if (name == "--port") return Number(options_.port, 0, 65535);
    if (name == "--slave") return Number(options_.request.slave, 0, 255);
    if (name == "--first") return Number(options_.request.first, 0, 65535);
    if (name == "--count") return Number(options_.request.count, 0, 65535);
    if (name == "--period") return Number(options_.periodMs, 0, 3600000);
    if (name == "--timeout") return Number(options_.timeoutMs, 1, 3600000);
    if (name == "--wait") return Number(options_.waitMs, 0, 86400000);
    if (name == "--polls") return Number(options_.polls, 0, 1000000000);
    if (name == "--repeat") return Number(options_.repeat, 1, 1000000);
    if (name == "--warmup") return Number(options_.warmup, 0, 100000000);
    if (name == "--raw") return Raw();
    if (name == "--bench") return Bench();
    error_ = "неизвестный параметр «" + std::string(name) + "»";
  }

  std::optional<std::string_view> Value()
  {
    if (inlineValue_) return inlineValue_;
    if (index_ >= args_.size()) {
      error_ = "у параметра " + name_ + " нет значения";
      return std::nullopt;
    }
    return args_[index_++];
  }

  void Flag(bool& flag)
  {
    if (inlineValue_) {
      error_ = "параметр " + name_ + " не принимает значения";
      return;
    }
    flag = true;
  }

  void Mode(PollMode mode)
  {
    if (inlineValue_) {
      error_ = "параметр " + name_ + " не принимает значения";
      return;
    }
    SetMode(mode);
  }

  void SetMode(PollMode mode)
  {
    if (modeGiven_ && options_.mode != mode) {
      error_ = "режимы --once, --raw и --bench несовместимы";
      return;
    }
    modeGiven_ = true;
    options_.mode = mode;
  }

  template <typename T>
  void Number(T& target, long min, long max)
  {
    const auto text = Value();
    if (!text) return;
    const auto value = ParseNumber(*text, min, max);
    if (!value) {
      error_ = "неверное значение " + name_ + " «" + std::string(*text) + "»: нужно целое от " +
               std::to_string(min) + " до " + std::to_string(max);
      return;
    }
    target = static_cast<T>(*value);
  }

  void Address()
  {
    const auto text = Value();
    if (!text) return;
    in_addr address{};
    const std::string copy(*text);
    if (inet_pton(AF_INET, copy.c_str(), &address) != 1) {
      error_ = "неверный адрес --listen «" + copy + "»: нужен адрес IPv4";
      return;
    }
    options_.listenAddress = copy;
  }

  void Raw()
  {
    const auto text = Value();
    if (!text) return;
    const auto bytes = ParseHex(*text);
    if (!bytes) {
      error_ = "неверные байты --raw «" + std::string(*text) + "»: нужны пары шестнадцатеричных цифр";
      return;
    }
    options_.rawBlocks.push_back(*bytes);
    SetMode(PollMode::Raw);
  }

  void Bench()
  {
    Number(options_.benchCount, 1, 100000000);
    if (error_.empty()) SetMode(PollMode::Bench);
  }

  void CheckCombination()
  {
    if (options_.repeat != 1 && options_.mode != PollMode::Raw) {
      error_ = "параметр --repeat действует только с --raw";
    }
  }

  std::span<const std::string_view> args_;
  std::size_t index_ = 0;
  std::string name_;
  std::optional<std::string_view> inlineValue_;
  PollOptions options_;
  bool modeGiven_ = false;
  std::string error_;
};

}  // namespace

ParsedOptions ParsePollOptions(std::span<const std::string_view> args)
{
  return Parser(args).Run();
}

std::string PollUsage()
{
  return "Использование: liftpoll [параметры]\n"
         "Слушает порт шлюза и опрашивает подключившийся лифт функцией 4 (MODBUS-LIFT).\n"
         "  --listen АДРЕС    адрес IPv4 для приёма подключения (127.0.0.1)\n"
         "  --port N          порт TCP (4001; 0 - любой свободный)\n"
         "  --slave N         адрес SLAVE в запросе (1)\n"
         "  --first N         первый регистр (0)\n"
         "  --count N         количество регистров (42)\n"
         "  --period МС       период опроса, мс (1000)\n"
         "  --timeout МС      ожидание ответа, мс (500)\n"
         "  --wait МС         ожидание подключения лифта в режимах --once, --raw, --bench (30000)\n"
         "  --polls N         остановиться после N опросов (0 - без конца)\n"
         "  --once            один опрос; код выхода 0, если лифт ответил\n"
         "  --raw БАЙТЫ       послать байты (шестнадцатеричные пары), показать ответ;\n"
         "                    несколько --raw посылаются по очереди в одном подключении\n"
         "  --repeat N        с --raw: посылать каждый блок N раз одной записью\n"
         "  --bench N         N запросов подряд, задержки ответов (p50, p90, p99, max)\n"
         "  --warmup N        с --bench: запросов прогрева (1000)\n"
         "Коды выхода: 0 - ответ получен (с --raw: на каждый блок), 1 - лифт не подключился или не ответил,\n"
         "2 - неверные параметры или ошибка сокета, 3 - ответ с исключением или ошибкой.\n";
}

}  // namespace liftpoll
