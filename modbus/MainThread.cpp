#include "modbus/MainThread.h"

#include <poll.h>

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "modbus/LinkDisplay.h"
#include "modbus/LinkTexts.h"
#include "support/Serlog.h"
#include "support/Tcp.h"
#include "support/UiCall.h"

namespace {

// A connection attempt gets 300 polls of 10 ms to complete; a failed one is followed by a pause.
constexpr int kConnectWaitMs = 300 * 10;
constexpr int kConnectPauseMs = 100 * 5;
constexpr int kConnectStepMs = 1;
// Silence is shown from its 11th second on, one text per second.
constexpr std::uint32_t kSilenceShownAfterS = 10;
constexpr std::uint64_t kSecondMs = 1000;

std::string Trim(std::string text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

std::uint32_t RealTick() { return TickCount(); }

}  // namespace

TImitThread::TImitThread(bool createSuspended, const RegisterImage* registers, std::uint16_t port,
                         std::string host, TUiCall& ui, TLinkDisplay* display)
    : host_(Trim(std::move(host))),
      port_(port),
      ui_(ui),
      display_(display),
      processor_(*registers, *this) {
  statusText_.reserve(128);  // every text fits: showing one never allocates
  if (!createSuspended) Resume();
}

TImitThread::~TImitThread() {
  thread_.request_stop();
  if (thread_.joinable()) thread_.join();
}

void TImitThread::Resume() {
  if (thread_.joinable()) return;
  thread_ = std::jthread([this](std::stop_token stop) { Execute(std::move(stop)); });
}

void TImitThread::Terminate() { thread_.request_stop(); }

void TImitThread::WaitFor() {
  if (thread_.joinable()) thread_.join();
  if (!infoPending_) return;
  infoPending_ = false;
  if (display_) display_->ShowLinkInfo(statusText_);
}

void TImitThread::Execute(std::stop_token stop) {
  stop_ = stop;
  waiter_.Watch(std::move(stop));
  processor_.SlaveAdr = SlaveAdr;
  processor_.Log = Log;
  while (ConnectionCycle()) {
  }
}

// One connection: make a client, connect, serve until the connection is given up. False when the
// thread is to end.
bool TImitThread::ConnectionCycle() {
  client_.reset();
  RequestCount = 0;
  Show(TPanel::Info, TextConnecting);
  if (host_.empty() || port_ == 0) {
    Show(TPanel::State, TextTcpError);
    waiter_.Wait(-1, 0, -1);  // nothing to connect to: idle until stopped
    return false;
  }
  client_ = std::make_unique<TTCPClient>(false);
  Show(TPanel::State, TextOpeningPort);
  Show(TPanel::Info, TextReady);
  if (!ConnectLoop()) {
    EndSequence();
    return false;
  }
  Show(TPanel::State, TextConnected);
  LastRequestTick = Clock();
  std::string_view reason;
  if (!ReceiveLoop(reason)) {
    EndSequence();
    return false;
  }
  ReportError(reason);
  return true;
}

// True once connected, false on a stop request.
bool TImitThread::ConnectLoop() {
  std::string opening(TextOpeningTcp);
  opening += host_;
  while (!stop_.stop_requested()) {
    if (!waiter_.Sleep(kConnectStepMs)) return false;
    Show(TPanel::State, opening);
    if (client_->Connect("0.0.0.0", 0, host_, port_)) {
      const TAttempt attempt = AwaitConnection();
      if (attempt == TAttempt::Stopped) return false;
      if (attempt == TAttempt::Connected) return true;
    }
    if (!waiter_.Sleep(kConnectPauseMs)) return false;
  }
  return false;
}

TImitThread::TAttempt TImitThread::AwaitConnection() {
  const std::uint32_t start = RealTick();
  const auto left = [start] {
    return std::max(0, kConnectWaitMs - static_cast<int>(RealTick() - start));
  };
  const auto result = waiter_.Wait(client_->Handle(), POLLOUT, left());
  if (result == TStopWaiter::TResult::Stopped) return TAttempt::Stopped;
  if (result == TStopWaiter::TResult::TimedOut) return TAttempt::NotConnected;
  if (client_->WaitConnected(0) && client_->Connected) {
    // Reads only ever take bytes already waiting, so only a send could block: to a gateway that
    // stops reading. Without blocking, such a reply is lost instead of the thread being stuck
    // where no stop request reaches it.
    client_->SetBlocking(false);
    return TAttempt::Connected;
  }
  // The attempt ended without a connection (refused). It still takes its full time, so a gateway
  // that refuses is retried at the pace of one that does not answer.
  return waiter_.Sleep(left()) ? TAttempt::NotConnected : TAttempt::Stopped;
}

// Serves the connection. False on a stop request; true when the connection is given up, with the
// reason to report.
bool TImitThread::ReceiveLoop(std::string_view& reason) {
  for (;;) {
    const auto result = waiter_.Wait(client_->Handle(), POLLIN, SilenceWaitMs());
    if (result == TStopWaiter::TResult::Stopped) return false;
    if (result == TStopWaiter::TResult::Ready && !ReceiveOnce(reason)) return true;
    if (SilenceExpired()) {
      reason = TextReconnect;
      return true;
    }
  }
}

// Takes everything waiting. False when the connection is to be given up.
bool TImitThread::ReceiveOnce(std::string_view& reason) {
  const std::size_t waiting = client_->Available();
  if (waiting >= kReceiveBufferSize) {
    client_->Purge();
    ReportError(TextTooMuchData);
    return true;
  }
  if (waiting == 0) {
    reason = TextDisconnected;
    return false;
  }
  if (!client_->Read(processor_.Buffer.data(), waiting)) {
    reason = TextReadFailed;
    return false;
  }
  if (Log) Log->WriteRxBlock(processor_.Buffer.data(), waiting);
  ShowRequestCount(++RequestCount);
  if (processor_.ProcessRead(waiting)) LastRequestTick = Clock();
  return true;
}

// Milliseconds until the silence text or the silence time-out may change; -1 (for ever) when the
// time-out is off.
int TImitThread::SilenceWaitMs() const {
  if (!EnableTimeout) return -1;
  const std::uint64_t elapsed = static_cast<std::uint32_t>(Clock() - LastRequestTick);
  const std::uint64_t nextText = std::max((elapsed / kSecondMs + 1) * kSecondMs,
                                          (kSilenceShownAfterS + 1) * kSecondMs);
  const std::uint64_t expiry = Timeout * kSecondMs;
  const std::uint64_t due = elapsed < expiry ? std::min(nextText, expiry) : elapsed;
  return static_cast<int>(due - elapsed);
}

bool TImitThread::SilenceExpired() {
  if (!EnableTimeout) return false;
  const std::uint32_t seconds = (Clock() - LastRequestTick) / 1000;
  if (seconds >= Timeout) return true;
  if (seconds > kSilenceShownAfterS) ShowSilence(seconds);
  return false;
}

void TImitThread::EndSequence() {
  if (client_) client_->Close();
  statusText_ = TextNotConnected;
  // The stop request makes the window give up this call; WaitFor shows the text then.
  infoPending_ = !Display(TPanel::Info);
}

void TImitThread::Show(TPanel panel, std::string_view text) {
  statusText_ = text;
  Display(panel);
}

void TImitThread::ShowRequestCount(std::int32_t count) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, count).ptr;
  statusText_ = TextRequests;
  statusText_.append(digits, end);
  Display(TPanel::Info);
}

void TImitThread::ShowSilence(std::uint32_t seconds) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, seconds).ptr;
  statusText_ = TextSilencePrefix;
  statusText_.append(digits, end);
  statusText_ += TextSilenceSuffix;
  Display(TPanel::Info);
}

// Shows statusText_ in the panel through the user-interface thread. False when the call was given
// up because the thread is being stopped.
bool TImitThread::Display(TPanel panel) {
  if (!display_) return true;
  // [this, panel] fits std::function's small buffer: no allocation per call.
  return ui_.Run(
      [this, panel] {
        switch (panel) {
          case TPanel::State: display_->ShowLinkState(statusText_); break;
          case TPanel::Info: display_->ShowLinkInfo(statusText_); break;
          case TPanel::Error: display_->ShowLinkError(statusText_); break;
        }
      },
      stop_);
}

void TImitThread::SendReply(const std::uint8_t* data, std::size_t count) {
  if (client_) client_->Write(data, count);
}

void TImitThread::ReportError(std::string_view text) {
  statusText_ = text;
  Display(TPanel::Error);
  if (Log) Log->WriteText(text);
}
