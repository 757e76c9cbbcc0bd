#include "app/LinkControl.h"

#include <algorithm>

#include "modbus/MainThread.h"
#include "support/Fastini.h"
#include "support/Func.h"
#include "support/Serlog.h"

bool DebugEnabled = false;

namespace {

constexpr const char* kSetup = "SETUP";
// Shorter silences would tear down connections of dispatching centres that poll slowly.
constexpr int kMinTimeoutS = 30;

}  // namespace

TLinkSettings ReadLinkSettings(const TFastIniFile* settings) {
  TLinkSettings link;
  if (!settings) return link;
  link.Debug = settings->ReadBool(kSetup, "Debug", link.Debug);
  link.TcpAdr = settings->ReadString(kSetup, "TcpAdr", link.TcpAdr);
  link.TcpPort = static_cast<std::uint16_t>(settings->ReadInteger(kSetup, "TcpPort", link.TcpPort));
  link.SlaveAdr = settings->ReadInteger(kSetup, "SlaveAdr", link.SlaveAdr);
  link.EnableTimeout = settings->ReadBool(kSetup, "EnableTimeout", link.EnableTimeout);
  const int timeout = settings->ReadInteger(kSetup, "Timeout", static_cast<int>(link.Timeout));
  link.Timeout = static_cast<std::uint32_t>(std::max(timeout, kMinTimeoutS));
  return link;
}

TLinkControl::TLinkControl(const RegisterImage& registers, TUiCall& ui, TLinkDisplay* display)
    : registers_(registers), ui_(ui), display_(display) {}

TLinkControl::~TLinkControl() { StopLink(); }

void TLinkControl::StartLink() { StartLink(ReadLinkSettings(Settings), WorkFolder()); }

void TLinkControl::StartLink(const TLinkSettings& settings, const std::string& workFolder) {
  StopLink();
  DebugEnabled = settings.Debug;
  if (DebugEnabled) log_ = std::make_unique<SERIAL_LOG>(workFolder + kLinkLogName);
  thread_ = std::make_unique<TImitThread>(true, &registers_, settings.TcpPort, settings.TcpAdr,
                                          ui_, display_);
  thread_->SlaveAdr = settings.SlaveAdr;
  thread_->EnableTimeout = settings.EnableTimeout;
  thread_->Timeout = settings.Timeout;
  if (log_) {
    thread_->Log = log_.get();
    log_->SetActive(true);
  }
  thread_->Resume();
}

void TLinkControl::StopLink() {
  if (thread_) {
    thread_->Terminate();
    thread_->WaitFor();
    thread_.reset();
  }
  log_.reset();
}
