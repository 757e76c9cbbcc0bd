#include "tools/headless/StatusPrinter.h"

#include "modbus/LinkTexts.h"

TStatusPrinter::TStatusPrinter(TSink sink, TMsClock clock, std::uint64_t counterIntervalMs)
    : sink_(std::move(sink)), clock_(std::move(clock)), intervalMs_(counterIntervalMs)
{
}

void TStatusPrinter::ShowLinkState(const std::string& text)
{
  std::lock_guard lock(mutex_);
  PrintPending();
  Print(0, text);
}

void TStatusPrinter::ShowLinkInfo(const std::string& text)
{
  std::lock_guard lock(mutex_);
  if (!text.starts_with(TextRequests)) {
    PrintPending();
    Print(1, text);
    return;
  }
  pendingCount_ = text;
  const std::uint64_t now = clock_();
  if (!lastCountMs_ || now - *lastCountMs_ >= intervalMs_) PrintPending();
}

void TStatusPrinter::ShowLinkError(const std::string& text)
{
  std::lock_guard lock(mutex_);
  PrintPending();
  Print(1, text);
}

void TStatusPrinter::Flush(bool all)
{
  std::lock_guard lock(mutex_);
  if (!pendingCount_) return;
  if (all || !lastCountMs_ || clock_() - *lastCountMs_ >= intervalMs_) PrintPending();
}

std::optional<std::uint64_t> TStatusPrinter::MsUntilDue()
{
  std::lock_guard lock(mutex_);
  if (!pendingCount_) return std::nullopt;
  if (!lastCountMs_) return 0;
  const std::uint64_t since = clock_() - *lastCountMs_;
  return since >= intervalMs_ ? 0 : intervalMs_ - since;
}

void TStatusPrinter::Print(int panel, const std::string& text)
{
  sink_("[" + std::to_string(panel) + "] " + text);
}

void TStatusPrinter::PrintPending()
{
  if (!pendingCount_) return;
  Print(1, *pendingCount_);
  pendingCount_.reset();
  lastCountMs_ = clock_();
}
