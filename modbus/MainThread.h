// The MODBUS-LIFT link thread.
//
// Holds one TCP connection to the gateway's transparent port ("ГКСЛ-Е") and answers the requests
// that arrive on it from the register image. It connects as a client, reconnects by itself when
// the gateway closes, a read fails or (when enabled) no request came for a while, and reports its
// progress as texts in the main window's status bar through TUiCall.
//
// Life: construct (normally suspended), set SlaveAdr, EnableTimeout, Timeout and Log, Resume;
// later Terminate and WaitFor, both from the owner's (user-interface) thread, then destroy. The
// owner keeps the register image and the log alive until then.
//
// The thread never sleeps blindly: it waits in poll() on its socket and on a stop event, with the
// time-out set to the next moment something is due, so it answers at once, costs nothing while
// idle and sees a stop request at once (except inside a host-name look-up).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>

#include "modbus/RegisterImage.h"
#include "modbus/Request.h"
#include "modbus/StopWaiter.h"
#include "modbus/TickCount.h"

class SERIAL_LOG;
class TLinkDisplay;
class TTCPClient;
class TUiCall;

class TImitThread : private TRequestOutput {
public:
  // The host is trimmed of surrounding blanks. `display` may be null (texts then go nowhere).
  TImitThread(bool createSuspended, const RegisterImage* registers, std::uint16_t port,
              std::string host, TUiCall& ui, TLinkDisplay* display);
  // Stops and joins a running thread; shows nothing any more.
  ~TImitThread() override;
  TImitThread(const TImitThread&) = delete;
  TImitThread& operator=(const TImitThread&) = delete;

  // Set while suspended; not changed afterwards.
  int SlaveAdr = 1;
  bool EnableTimeout = false;
  std::uint32_t Timeout = 0;  // seconds of silence before reconnecting
  SERIAL_LOG* Log = nullptr;  // borrowed; none when debugging is off
  TTickClock Clock = TickCount;

  // Starts a suspended thread; does nothing when it runs already.
  void Resume();
  // Asks the thread to end.
  void Terminate();
  // Waits until the thread has ended. A last text the thread could not show because it was being
  // stopped ("Нет подключения") is shown here, so call it on the user-interface thread.
  void WaitFor();

  // Reads since the current connection cycle began.
  std::atomic<std::int32_t> RequestCount{0};
  // Tick of the connection or of the last request that reached the register tests.
  std::atomic<std::uint32_t> LastRequestTick{0};

  // The last text handed to the window; read it inside a display call or after WaitFor.
  const std::string& StatusText() const { return statusText_; }

private:
  enum class TPanel { State, Info, Error };
  enum class TAttempt { Connected, NotConnected, Stopped };

  void Execute(std::stop_token stop);
  bool ConnectionCycle();
  bool ConnectLoop();
  TAttempt AwaitConnection();
  bool ReceiveLoop(std::string_view& reason);
  bool ReceiveOnce(std::string_view& reason);
  int SilenceWaitMs() const;
  bool SilenceExpired();
  void EndSequence();

  void Show(TPanel panel, std::string_view text);
  void ShowRequestCount(std::int32_t count);
  void ShowSilence(std::uint32_t seconds);
  bool Display(TPanel panel);

  void SendReply(const std::uint8_t* data, std::size_t count) override;
  void ReportError(std::string_view text) override;

  const std::string host_;
  const std::uint16_t port_;
  TUiCall& ui_;
  TLinkDisplay* const display_;
  TRequestProcessor processor_;
  std::unique_ptr<TTCPClient> client_;
  std::string statusText_;
  bool infoPending_ = false;  // "Нет подключения" is still to be shown by WaitFor
  TStopWaiter waiter_;
  std::stop_token stop_;
  std::jthread thread_;  // last: stops and joins before the members it uses go away
};
