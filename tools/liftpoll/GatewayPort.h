// The gateway's transparent TCP port as the console plays it: listen, take one lift, exchange bytes.
#pragma once

#include "tools/liftpoll/RtuFrame.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace liftpoll {

class TGatewayPort {
public:
  TGatewayPort() = default;
  ~TGatewayPort();
  TGatewayPort(const TGatewayPort&) = delete;
  TGatewayPort& operator=(const TGatewayPort&) = delete;

  // Binds and listens; on failure Error() says why.
  bool Listen(const std::string& address, std::uint16_t port);
  std::uint16_t BoundPort() const { return boundPort_; }

  // Waits for a lift to connect (waitMs < 0: for ever) and takes it, dropping the previous one.
  // Replies are waited for at most replyTimeoutMs.
  bool Accept(int waitMs, int replyTimeoutMs);
  std::string PeerText() const { return peer_; }
  void Disconnect();

  // Drops bytes that arrived unasked (the rest of a late reply); notices a lift that has gone.
  void Drain();
  bool Send(std::span<const std::uint8_t> bytes);

  // Reads until the reply to the request is whole, the reply time-out passes or the lift closes.
  std::vector<std::uint8_t> ReadReply(const ReadRequest& request);
  // Reads whatever comes within the reply time-out, until quietMs pass without a byte.
  std::vector<std::uint8_t> ReadUntilQuiet(int quietMs);

  // The lift closed the connection (seen by the last read).
  bool PeerClosed() const { return peerClosed_; }
  const std::string& Error() const { return error_; }

private:
  bool Fail(const std::string& what);
  // One receive of up to room bytes, waiting at most timeoutMs; false on time-out or close.
  bool ReceiveSome(std::vector<std::uint8_t>& into, std::size_t room, int timeoutMs);

  int listener_ = -1;
  int lift_ = -1;
  std::uint16_t boundPort_ = 0;
  int replyTimeoutMs_ = 500;
  bool peerClosed_ = false;
  std::string peer_;
  std::string error_;
};

}  // namespace liftpoll
