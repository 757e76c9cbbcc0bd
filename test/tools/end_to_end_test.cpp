// The lift without windows and the dispatching console, started as programs and talking over
// loopback: the register image a dispatcher reads, and every failure of the gateway line.
#include "ChildProcess.h"

#include "support/Codec1251.h"
#include "test/LoopbackListener.h"
#include "test/TempFolder.h"
#include "tools/liftpoll/HexText.h"
#include "tools/liftpoll/RtuFrame.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using liftpoll::FormatHex;

namespace {

constexpr const char* kConnected = "[0] TCP Порт: OK ...";
constexpr const char* kOpening = "[0] Открываю TCP:127.0.0.1";
constexpr const char* kStopped = "[1] Нет подключения";
constexpr const char* kListeningPrefix = "Слушаю 127.0.0.1:";
// The lift retries a gateway that is not there every 3.5 s.
constexpr auto kReconnectWait = 10s;

std::string Request(std::uint8_t slave, std::uint16_t first, std::uint16_t count)
{
  return FormatHex(liftpoll::MakeReadRequest({slave, first, count}));
}

// Any frame with its CRC appended.
std::string Sealed(std::vector<std::uint8_t> bytes)
{
  const std::uint16_t crc = liftpoll::Crc16(bytes);
  bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
  return FormatHex(bytes);
}

// Keeps a loopback port for the test: bound but not listening, so a lift connecting there is
// refused (no gateway), no other program can take the port, and liftpoll (which binds with
// SO_REUSEADDR too) can still listen on it while it plays the gateway.
class TPortHolder {
public:
  TPortHolder()
  {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~TPortHolder() { close(fd_); }
  TPortHolder(const TPortHolder&) = delete;
  TPortHolder& operator=(const TPortHolder&) = delete;

  std::uint16_t Port() const { return port_; }

private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class LiftEndToEnd : public testing::Test {
protected:
  // liftpoll on a free loopback port; the port it got is read from its first line.
  std::unique_ptr<TChildProcess> StartPoll(std::vector<std::string> args, std::uint16_t& port,
                                           std::uint16_t fixedPort = 0)
  {
    args.insert(args.begin(), {LIFTPOLL_PATH, "--port", std::to_string(fixedPort)});
    auto poll = std::make_unique<TChildProcess>(args);
    const auto first = poll->ReadLine(5s);
    EXPECT_TRUE(first && first->starts_with(kListeningPrefix)) << first.value_or("(nothing)") << " "
                                                                << (first ? "" : poll->ErrorText());
    port = first ? static_cast<std::uint16_t>(std::atoi(first->c_str() + std::string(kListeningPrefix).size())) : 0;
    return poll;
  }

  // A settings file in Windows-1251 with CR LF line ends, as the main window writes them: the link
  // to the console's port and whatever else the test adds (UTF-8 here).
  fs::path WriteSettings(const fs::path& path, std::uint16_t port, const std::string& more = {})
  {
    std::string text = "[SETUP]\nTcpAdr=127.0.0.1\nTcpPort=" + std::to_string(port) + "\n" + more;
    std::string crlf;
    for (char c : Utf8ToCp1251(text)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    fs::create_directories(path.parent_path());
    WriteBytes(path, crlf);
    return path;
  }

  std::unique_ptr<TChildProcess> StartLift(std::vector<std::string> args, std::vector<std::string> prefix = {})
  {
    args.insert(args.begin(), HEADLESS_PATH);
    args.insert(args.begin(), prefix.begin(), prefix.end());
    return std::make_unique<TChildProcess>(args, std::vector<std::string>{"XDG_DATA_HOME=" + (dir_ / "xdg").string()});
  }

  std::unique_ptr<TChildProcess> StartLift(const fs::path& settings)
  {
    return StartLift({"--settings", settings.string()});
  }

  // SIGTERM ends the lift within a second, with exit status 0 and "Нет подключения" last.
  void StopLift(TChildProcess& lift, int signal = SIGTERM)
  {
    lift.Signal(signal);
    EXPECT_EQ(lift.Wait(2s), 0) << lift.ErrorText();
    while (lift.ReadLine(200ms)) {
    }
    ASSERT_FALSE(lift.Lines().empty());
    EXPECT_EQ(lift.Lines().back(), kStopped);
  }

  TempFolder temp_;
  const fs::path dir_ = temp_.Path();
};

TEST_F(LiftEndToEnd, FirstStartImageAnswersTheReferenceRequest)
{
  std::uint16_t port = 0;
  auto poll = StartPoll({"--raw", "01 04 00 00 00 09 30 0C", "--wait", "10000"}, port);
  // Only the link keys: everything else is what a first start without settings gives.
  const fs::path settings = WriteSettings(dir_ / "xdg" / "Trevolk" / "Trevolk.ini", port);
  const std::string before = ReadBytes(settings);
  auto lift = StartLift(std::vector<std::string>{});

  EXPECT_EQ(poll->Wait(10s), 0);
  EXPECT_EQ(poll->ReadUntil([](const std::string& l) { return l.starts_with("Ответ"); }, 1s),
            "Ответ (23 байт): 01 04 12 00 01 00 01 61 4E 00 BC 00 00 00 01 00 01 00 01 00 01 8B D8");
  ASSERT_TRUE(lift->ReadUntilLine(kConnected, 5s));
  EXPECT_EQ(lift->ReadLine(2s), "[1] Запросов: 1");
  EXPECT_EQ(lift->ReadLine(2s), "[1] Отключение TCP");
  EXPECT_EQ(lift->ReadLine(2s), "[1] Подключение ...");
  StopLift(*lift);
  EXPECT_EQ(ReadBytes(settings), before);
  EXPECT_NE(lift->ErrorText().find(settings.string()), std::string::npos);
}

TEST_F(LiftEndToEnd, SettingsReachTheRegistersAsTheWindowLoadsThem)
{
  std::uint16_t port = 0;
  auto poll = StartPoll({"--once", "--wait", "10000"}, port);
  // 70 characters: only the first 64 bytes reach registers 10..41.
  const std::string longText = "Обрыв канатов в шахте лифта номер 17 при движении вниз, этаж 9, блок Б";
  ASSERT_EQ(Cp1251Length(longText), 70u);
  const fs::path settings = WriteSettings(dir_ / "lift.ini", port,
                                          "Debug=1\nRegim=3\nFloor=-3\nSerNum=-1\nMoveUp=1\nNoAlarm=0\n"
                                          "NoLiftBreak=0\n[Alarm]\n0=1\n2=1\n[LiftBreak]\n13=1\n"
                                          "Text0=" + longText + "\nCode0=70007\nText1=ABCD\nCode1=7\nCur=0\n");
  const std::string before = ReadBytes(settings);
  auto lift = StartLift(settings);

  EXPECT_EQ(poll->Wait(10s), 0) << poll->ErrorText();
  while (poll->ReadLine(500ms)) {
  }
  const auto& lines = poll->Lines();
  for (const std::string expected :
       {"  Серийный номер лифтового оборудования: -1", "  Режим работы: Ревизия", "  Этаж кабины лифта: -3",
        "  Состояние: 0x0003", "    - Кабина движется вверх", "  Информация об аварийной ситуации: 0x000A",
        "    - Разорвана цепь безопасности", "  Информация о неисправности: 0x4000",
        "    - Другая неисправность", "  Другая неисправность: код 4471"}) {
    EXPECT_TRUE(Contains(lines, expected)) << expected;
  }
  const std::string text64 = Cp1251ToUtf8(Utf8ToCp1251(longText).substr(0, 64));
  EXPECT_TRUE(Contains(lines, "  Другая неисправность: текст «" + text64 + "»"));
  StopLift(*lift);

  // The protocol log lies beside the named settings file, which is never written.
  EXPECT_GT(fs::file_size(dir_ / "Volktrev.log"), 0u);
  EXPECT_EQ(ReadBytes(settings), before);
}

TEST_F(LiftEndToEnd, OtherFaultTextTravelsInPairsOfBytes)
{
  std::uint16_t port = 0;
  auto poll = StartPoll({"--raw", Request(1, 9, 33), "--wait", "10000"}, port);
  const fs::path settings =
      WriteSettings(dir_ / "lift.ini", port, "NoLiftBreak=0\n[LiftBreak]\n13=1\nText0=ABCD\nCode0=7\nCur=0\n");
  auto lift = StartLift(settings);

  EXPECT_EQ(poll->Wait(10s), 0);
  std::vector<std::uint8_t> reply{0x01, 0x04, 66, 0x00, 0x07, 0x42, 0x41, 0x44, 0x43};
  reply.resize(3 + 66, 0);
  const std::string expected = Sealed(reply);
  EXPECT_EQ(poll->ReadUntil([](const std::string& l) { return l.starts_with("Ответ"); }, 1s),
            "Ответ (71 байт): " + expected);
  StopLift(*lift);
}

TEST_F(LiftEndToEnd, RequestErrorsGetTheirRepliesAndTexts)
{
  std::uint16_t port = 0;
  // Each block waits long enough for the lift to take it alone, even on a loaded machine.
  auto poll = StartPoll({"--timeout", "600", "--wait", "10000",
                         "--raw", "01 04 00 00 00 09 30 0D",      // CRC broken
                         "--raw", Request(2, 0, 9),               // another slave
                         "--raw", Sealed({1, 3, 0, 0, 0, 1}),     // function 3
                         "--raw", Request(1, 10, 1),              // register 10
                         "--raw", Request(1, 9, 43),              // 43 registers
                         "--raw", "01 04 00 00 00 09 30 0C 00",   // a request and a stray byte
                         "--raw", "55 AA 01",                     // noise
                         "--raw", Request(0, 5, 1),               // broadcast
                         "--raw", Request(1, 9, 42)},             // up to register 50
                        port);
  auto lift = StartLift(WriteSettings(dir_ / "lift.ini", port));

  EXPECT_EQ(poll->Wait(20s), 1);  // not every block is answered
  while (poll->ReadLine(200ms)) {
  }
  std::vector<std::string> replies;
  for (const std::string& line : poll->Lines()) {
    if (line.starts_with("Ответ") || line.starts_with("Нет ответа")) replies.push_back(line);
  }
  std::vector<std::uint8_t> wide{0x01, 0x04, 84};
  wide.resize(3 + 84, 0);
  EXPECT_EQ(replies, (std::vector<std::string>{
                         "Нет ответа за 600 мс", "Нет ответа за 600 мс", "Ответ (5 байт): 01 83 01 80 F0",
                         "Ответ (5 байт): 01 84 02 C2 C1", "Ответ (5 байт): 01 84 03 03 01",
                         "Нет ответа за 600 мс", "Нет ответа за 600 мс", "Ответ (7 байт): " + Sealed({0, 4, 2, 0, 1}),
                         "Ответ (89 байт): " + Sealed(wide)}));

  ASSERT_TRUE(lift->ReadUntil([](const std::string& l) { return l == "[1] Запросов: 9"; }, 5s));
  std::vector<std::string> texts;
  for (const std::string& line : lift->Lines()) {
    if (line.starts_with("[1] Непр") || line.starts_with("[1] Ошибка")) texts.push_back(line);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"[1] Ошибка KS в запросе", "[1] Неправильный адрес SLAVE",
                                             "[1] Неправильная функция", "[1] Неправильный адрес регистра",
                                             "[1] Неправильное количество регистров"}));
  StopLift(*lift);
}

TEST_F(LiftEndToEnd, FloodOfBytesIsDroppedAndTheLinkKept)
{
  std::uint16_t port = 0;
  auto poll = StartPoll({"--timeout", "300", "--wait", "10000", "--raw", "00", "--repeat", "4096"}, port);
  auto lift = StartLift(WriteSettings(dir_ / "lift.ini", port));
  EXPECT_EQ(poll->Wait(10s), 1);
  EXPECT_TRUE(Contains(poll->Lines(), "Отправлено байт: 4096") || poll->ReadUntilLine("Отправлено байт: 4096", 1s));
  ASSERT_TRUE(lift->ReadUntilLine(kConnected, 5s));
  EXPECT_EQ(lift->ReadLine(2s), "[1] Слишком много TCP данных");
  // Nothing was counted for the flood; the link stayed until the console left.
  EXPECT_EQ(lift->ReadLine(2s), "[1] Отключение TCP");
  StopLift(*lift);
}

TEST_F(LiftEndToEnd, GatewayThatClosesAndIsGoneIsRetriedUntilItReturns)
{
  const TPortHolder held;
  const std::uint16_t port = held.Port();
  std::uint16_t got = 0;
  auto first = StartPoll({"--once", "--count", "9", "--wait", "10000"}, got, port);
  ASSERT_EQ(got, port);
  auto lift = StartLift(WriteSettings(dir_ / "lift.ini", port));
  EXPECT_EQ(first->Wait(10s), 0);
  ASSERT_TRUE(lift->ReadUntilLine("[1] Отключение TCP", 5s));
  EXPECT_EQ(lift->ReadLine(2s), "[1] Подключение ...");
  EXPECT_EQ(lift->ReadLine(2s), "[0] Открываю порт...");
  EXPECT_EQ(lift->ReadLine(2s), "[1] Готов ...");
  // The gateway is not there: attempt after attempt, nothing else.
  EXPECT_EQ(lift->ReadLine(2s), kOpening);
  EXPECT_EQ(lift->ReadLine(kReconnectWait), kOpening);

  std::uint16_t again = 0;
  auto second = StartPoll({"--once", "--count", "9", "--wait", "10000"}, again, port);
  ASSERT_EQ(again, port);
  EXPECT_EQ(second->Wait(10s), 0);
  ASSERT_TRUE(lift->ReadUntilLine(kConnected, kReconnectWait));
  EXPECT_EQ(lift->ReadLine(2s), "[1] Запросов: 1");
  StopLift(*lift, SIGINT);
}

TEST_F(LiftEndToEnd, NoGatewayAtAllAndAStopWhileTrying)
{
  const TPortHolder held;
  auto lift = StartLift(WriteSettings(dir_ / "lift.ini", held.Port()));
  EXPECT_EQ(lift->ReadLine(5s), "[1] Подключение ...");
  EXPECT_EQ(lift->ReadLine(2s), "[0] Открываю порт...");
  EXPECT_EQ(lift->ReadLine(2s), "[1] Готов ...");
  EXPECT_EQ(lift->ReadLine(2s), kOpening);
  EXPECT_EQ(lift->ReadLine(kReconnectWait), kOpening);
  const auto start = std::chrono::steady_clock::now();
  StopLift(*lift);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

// The shortest silence time-out the link takes is 30 s, so this test waits that long.
TEST_F(LiftEndToEnd, SilentGatewayIsLeftAfterTheTimeout)
{
  // The gateway is played here: it takes the connection and says nothing.
  LoopbackListener listener(false);
  ASSERT_NE(listener.Port(), 0);
  ASSERT_TRUE(listener.Listen());
  // 10 s in the file: the link makes it 30 s.
  auto lift = StartLift(WriteSettings(dir_ / "lift.ini", listener.Port(), "EnableTimeout=1\nTimeout=10\n"));

  ASSERT_TRUE(lift->ReadUntilLine(kConnected, 5s));
  const auto connected = std::chrono::steady_clock::now();
  const int gateway = listener.Accept();
  // Quiet for the first 10 s, then the seconds of silence once a second.
  EXPECT_EQ(lift->ReadLine(13s), "[1] Нет запросов  11 сек");
  for (int s = 12; s <= 29; ++s) EXPECT_EQ(lift->ReadLine(3s), "[1] Нет запросов  " + std::to_string(s) + " сек");
  EXPECT_EQ(lift->ReadLine(3s), "[1] Переподключение ...");
  const auto silence = std::chrono::steady_clock::now() - connected;
  EXPECT_GT(silence, 29s);
  EXPECT_LT(silence, 32s);
  EXPECT_EQ(lift->ReadLine(2s), "[1] Подключение ...");
  ASSERT_TRUE(lift->ReadUntilLine(kConnected, 5s));
  StopLift(*lift);
  close(gateway);
}

TEST_F(LiftEndToEnd, MissingSettingsMeanDefaults)
{
  // Defaults point the link at a gateway on the customer's network; an empty network namespace
  // keeps the attempt on this machine (no interface is up, so nothing leaves).
  if (std::system("unshare --net true >/dev/null 2>&1") != 0) GTEST_SKIP() << "cannot make a network namespace (unshare --net)";
  auto lift = StartLift({}, {"unshare", "--net"});
  EXPECT_TRUE(lift->ReadUntilLine("[0] Открываю TCP:192.168.1.200", 5s));
  StopLift(*lift);
  // The engine makes an empty file for a missing one, as the main window does; nothing is written.
  const fs::path made = dir_ / "xdg" / "Trevolk" / "Trevolk.ini";
  ASSERT_TRUE(fs::exists(made));
  EXPECT_EQ(fs::file_size(made), 0u);
}

struct RefusalCase {
  const char* name;
  bool headless;
  std::vector<std::string> args;
  int status;
  const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }


class ToolsRefuse : public LiftEndToEnd, public testing::WithParamInterface<RefusalCase> {};

TEST_P(ToolsRefuse, WithOneLineAndAStatus)
{
  const RefusalCase& c = GetParam();
  fs::create_directories(dir_ / "folder.ini");
  fs::create_directories(dir_ / "xdg" / "Trevolk" / "Trevolk.ini");  // a work-folder file that cannot be read
  std::vector<std::string> args = c.args;
  for (std::string& arg : args) {
    if (arg.starts_with("@")) arg = (dir_ / arg.substr(1)).string();
  }
  std::unique_ptr<TChildProcess> child;
  if (c.headless) {
    child = StartLift(args);
  } else {
    args.insert(args.begin(), LIFTPOLL_PATH);
    child = std::make_unique<TChildProcess>(args);
  }
  EXPECT_EQ(child->Wait(5s), c.status);
  const std::string error = child->ErrorText();
  EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
  EXPECT_NE(error.find(c.message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToolsRefuse,
    testing::Values(
        RefusalCase{"LiftUnknownOption", true, {"--fast"}, 2, "неизвестный параметр «--fast»"},
        RefusalCase{"LiftMissingFile", true, {"--settings", "@none.ini"}, 1, "не найден"},
        RefusalCase{"LiftFolderAsFile", true, {"--settings", "@folder.ini"}, 1, "не файл"},
        RefusalCase{"LiftUnreadableWorkFile", true, {}, 1, "не удалось прочитать файл настроек"},
        RefusalCase{"PollBadPort", false, {"--port", "x"}, 2, "неверное значение --port «x»"},
        RefusalCase{"PollUnknownOption", false, {"--loud"}, 2, "неизвестный параметр «--loud»"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiftEndToEnd, ImitationMovesTheCabTheDispatcherSees)
{
  std::uint16_t port = 0;
  auto poll = StartPoll({"--first", "4", "--count", "3", "--period", "200", "--polls", "20"}, port);
  // From floor 5 the imitation's first call is always a trip: the floor register and the travel
  // bits move while the dispatcher polls.
  const fs::path settings = WriteSettings(dir_ / "lift.ini", port, "ImitEnable=1\n[LIFT]\nFloor=5\n");
  auto lift = StartLift(settings);

  EXPECT_EQ(poll->Wait(15s), 0) << poll->ErrorText();
  while (poll->ReadLine(500ms)) {
  }
  std::set<std::string> floors;
  bool travelled = false;
  for (const std::string& line : poll->Lines()) {
    if (line.starts_with("  Этаж кабины лифта: ")) floors.insert(line);
    travelled = travelled || line.starts_with("    - Кабина движется");
  }
  EXPECT_GE(floors.size(), 2u);
  EXPECT_TRUE(travelled);
  StopLift(*lift);
}

TEST_F(LiftEndToEnd, OneShotPollWithoutALiftSaysSo)
{
  std::uint16_t port = 0;
  auto poll = StartPoll({"--once", "--wait", "200"}, port);
  EXPECT_EQ(poll->Wait(5s), 1);
  EXPECT_EQ(poll->ReadLine(1s), "Лифт не подключился за 200 мс");
}

}  // namespace
