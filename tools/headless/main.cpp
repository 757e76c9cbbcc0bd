// trevolk-headless: the simulated lift and its MODBUS-LIFT link without windows, for test benches.
// It reads the settings as the main window does at start-up, serves the lift until SIGINT or
// SIGTERM, prints the status bar's texts as lines, stops the link and leaves the settings unwritten.
// When the settings switch the automatic imitation on, its 50 ms timer drives the lift as in the window.
#include "app/ImitationDriver.h"
#include "app/LiftRegisters.h"
#include "app/LiftSettings.h"
#include "app/LinkControl.h"
#include "support/Func.h"
#include "support/UiCall.h"
#include "tools/headless/HeadlessOptions.h"
#include "tools/headless/HeadlessSettings.h"
#include "tools/headless/StatusPrinter.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int kExitSettings = 1;
constexpr int kExitUsage = 2;

void Complain(const std::string& line)
{
  std::fputs(("trevolk-headless: " + line + "\n").c_str(), stderr);
}

void PrintLine(const std::string& line)
{
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::uint64_t NowMs()
{
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// SIGINT and SIGTERM are blocked in every thread (the link thread inherits the mask) and read from
// a signalfd, so nothing runs in a signal handler. A closed standard output must not end the
// program: its write fails instead.
int BlockStopSignals()
{
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
  signal(SIGPIPE, SIG_IGN);
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

// A timer: runs what is due and says in how many ms it wants to run again (nothing: never).
using TTimer = std::function<std::optional<std::uint64_t>()>;

// Waits for a stop signal, printing held-back request counts and running the timer when due.
void ServeUntilStopped(int signals, TStatusPrinter& printer, const TTimer& timer)
{
  for (;;) {
    auto due = printer.MsUntilDue();
    if (const auto next = timer(); next && (!due || *next < *due)) due = next;
    pollfd entry{signals, POLLIN, 0};
    const int ready = poll(&entry, 1, due ? static_cast<int>(*due) : -1);
    if (ready > 0) {
      signalfd_siginfo info{};
      if (read(signals, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) return;
    }
    printer.Flush();
  }
}

int Serve(int signals)
{
  RegisterImage registers{};
  TSimulatorState state = LoadSimulatorState(*Settings);
  SetLiftIdentity(registers, state.Identity);
  RefreshRegisters(registers, state.Controls);

  TStatusPrinter printer(PrintLine, NowMs);
  TDirectUiCall ui;
  TLinkControl link(registers, ui, &printer);
  const TLinkSettings linkSettings = ReadLinkSettings(Settings);
  Complain("настройки «" + Settings->FileName() + "», ГКСЛ-Е " + linkSettings.TcpAdr + ":" +
           std::to_string(linkSettings.TcpPort) + ", адрес SLAVE " + std::to_string(linkSettings.SlaveAdr));
  link.StartLink();

  // The automatic imitation's 50 ms timer, when the settings switch it on.
  TImitationDriver imitation;
  std::uint64_t imitationDue = 0;
  const TTimer imitate = [&]() -> std::optional<std::uint64_t> {
    if (!state.ImitEnable) return std::nullopt;
    const std::uint64_t now = NowMs();
    if (now >= imitationDue) {
      imitation.Tick(static_cast<std::uint32_t>(now), state, registers);
      imitationDue = now + TImitationDriver::kTimerPeriodMs;
    }
    return imitationDue - now;
  };
  ServeUntilStopped(signals, printer, imitate);
  link.StopLink();
  printer.Flush(true);
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const TParsedHeadlessOptions parsed = ParseHeadlessOptions(args);
  if (!parsed.ok) {
    Complain(parsed.error + " (--help: справка)");
    return kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(HeadlessUsage().c_str(), stdout);
    return 0;
  }
  const int signals = BlockStopSignals();
  if (signals < 0) {
    Complain("не удалось перехватить SIGINT и SIGTERM");
    return kExitSettings;
  }
  if (const std::string error = OpenHeadlessSettings(parsed.options.settingsFile); !error.empty()) {
    Complain(error);
    return kExitSettings;
  }
  const int status = Serve(signals);
  // Nothing was written, so closing saves nothing.
  CloseSettings();
  close(signals);
  return status;
}
