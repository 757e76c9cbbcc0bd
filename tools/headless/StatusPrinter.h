// The status bar of a lift without windows: every text the link shows becomes a line
// "[panel] text" on a sink (standard output in the program).
//
// The request counter changes with every read, far faster than anyone reads it, so its lines are
// thinned: at most one per interval, the latest count winning. A thinned count is never lost
// behind another text: it is printed before any other line, and by Flush once its time has come.
// Other texts are printed as they come.
#pragma once

#include "modbus/LinkDisplay.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

class TStatusPrinter : public TLinkDisplay {
public:
  using TSink = std::function<void(const std::string& line)>;
  using TMsClock = std::function<std::uint64_t()>;

  TStatusPrinter(TSink sink, TMsClock clock, std::uint64_t counterIntervalMs = 250);

  void ShowLinkState(const std::string& text) override;
  void ShowLinkInfo(const std::string& text) override;
  void ShowLinkError(const std::string& text) override;

  // Prints a held-back count whose interval has passed; with `all`, any held-back count.
  void Flush(bool all = false);
  // How long until a held-back count is due, in ms; nothing when none is held back.
  std::optional<std::uint64_t> MsUntilDue();

private:
  void Print(int panel, const std::string& text);
  void PrintPending();

  TSink sink_;
  TMsClock clock_;
  const std::uint64_t intervalMs_;
  std::mutex mutex_;  // the link thread shows texts while the main thread flushes
  std::optional<std::string> pendingCount_;
  std::optional<std::uint64_t> lastCountMs_;
};
