// Starting and stopping the MODBUS-LIFT link of the simulator.
//
// The main window owns one TLinkControl. StartLink reads the link's settings (section SETUP of
// the settings file), creates the protocol log when debugging is on, and starts a new link thread
// on the register image; StopLink ends the thread first and destroys the log only after it, since
// the thread writes to the log until it has ended. Both run on the user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "modbus/RegisterImage.h"

class SERIAL_LOG;
class TFastIniFile;
class TImitThread;
class TLinkDisplay;
class TUiCall;

// The program-wide debug flag: the protocol log is written while it is on. Loaded by every
// StartLink; the settings dialog shows and changes it.
extern bool DebugEnabled;

// The link's settings as stored in section SETUP.
struct TLinkSettings {
  bool Debug = false;
  std::string TcpAdr = "192.168.1.200";
  std::uint16_t TcpPort = 4001;  // low 16 bits of the stored number
  int SlaveAdr = 1;
  bool EnableTimeout = true;
  std::uint32_t Timeout = 60;  // seconds, never below 30
};

// Reads the link's keys; every key that is missing (or no file at all) gives its default.
TLinkSettings ReadLinkSettings(const TFastIniFile* settings);

// The name of the protocol log in the work folder.
inline constexpr const char* kLinkLogName = "Volktrev.log";

class TLinkControl {
public:
  // The register image, the UI-call and the display must outlive this object.
  TLinkControl(const RegisterImage& registers, TUiCall& ui, TLinkDisplay* display);
  // Stops the link.
  ~TLinkControl();
  TLinkControl(const TLinkControl&) = delete;
  TLinkControl& operator=(const TLinkControl&) = delete;

  // Restarts the link with the program's Settings and WorkFolder().
  void StartLink();
  // Restarts the link with the given settings and the log in the given folder.
  void StartLink(const TLinkSettings& settings, const std::string& workFolder);
  // Ends the link thread (waiting for it), then destroys the log.
  void StopLink();

  TImitThread* Thread() const { return thread_.get(); }
  SERIAL_LOG* Log() const { return log_.get(); }

private:
  const RegisterImage& registers_;
  TUiCall& ui_;
  TLinkDisplay* const display_;
  std::unique_ptr<SERIAL_LOG> log_;  // declared first: destroyed after the thread
  std::unique_ptr<TImitThread> thread_;
};
