// Helpers shared by the link tests: request frames, a recording output, a default image and the
// loopback listener that plays the gateway.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modbus/LinkDisplay.h"
#include "modbus/ModbusCrc16.h"
#include "modbus/RegisterImage.h"
#include "test/LoopbackListener.h"

using Bytes = std::vector<std::uint8_t>;

// An 8-byte request with a correct CRC.
inline Bytes Request(std::uint8_t slave, std::uint8_t function, int first, int count) {
  Bytes frame = {slave,
                 function,
                 static_cast<std::uint8_t>(first >> 8),
                 static_cast<std::uint8_t>(first & 0xFF),
                 static_cast<std::uint8_t>(count >> 8),
                 static_cast<std::uint8_t>(count & 0xFF)};
  const std::uint16_t crc = ModbusCrc16(frame.data(), 6);
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

// The image of a first start without settings: identity 1, 1, 12345678 and the default controls.
void FillDefaultImage(RegisterImage& image);

// The answer of a lift with that image to 01 04 00 00 00 09 30 0C.
inline const Bytes kDefaultRequest = {0x01, 0x04, 0x00, 0x00, 0x00, 0x09, 0x30, 0x0C};
inline const Bytes kDefaultReply = {0x01, 0x04, 0x12, 0x00, 0x01, 0x00, 0x01, 0x61,
                                    0x4E, 0x00, 0xBC, 0x00, 0x00, 0x00, 0x01, 0x00,
                                    0x01, 0x00, 0x01, 0x00, 0x01, 0x8B, 0xD8};

// The gateway's end of a connection, closed on destruction.
class Peer {
public:
  explicit Peer(int fd) : fd_(fd) {}
  ~Peer() { Close(); }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  bool Valid() const { return fd_ >= 0; }
  void Close();
  // All bytes in one send call.
  bool Send(const Bytes& bytes) const;
  // Exactly count bytes, or fewer when the time runs out or the link closes.
  Bytes Receive(std::size_t count, int timeoutMs = 5000) const;
  // True when the link closed its end (a read gives end of file) within the time.
  bool SeesClose(int timeoutMs = 5000) const;
  // The descriptor of the link's end of this connection (both ends live in the test process).
  int OtherEnd() const;

private:
  int fd_ = -1;
};

// The status bar as the link thread writes it: every text with its display call, in order.
class RecordingDisplay : public TLinkDisplay {
public:
  enum TCall { State, Info, Error };
  struct TEntry {
    TCall call;
    std::string text;
    bool operator==(const TEntry&) const = default;
  };

  void ShowLinkState(const std::string& text) override { Add(State, text); }
  void ShowLinkInfo(const std::string& text) override { Add(Info, text); }
  void ShowLinkError(const std::string& text) override { Add(Error, text); }

  // Index of the first entry at or after `from` with that call and text, once it is there.
  std::optional<std::size_t> WaitFor(TCall call, std::string_view text, std::size_t from = 0,
                                     int timeoutMs = 10000);
  std::vector<TEntry> Entries();
  std::size_t Size();

private:
  void Add(TCall call, const std::string& text);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<TEntry> entries_;
};
