// A TCP socket on 127.0.0.1 with a port of the system's choosing, listening unless told otherwise;
// while it does not listen, connections to the port are refused. Port() is 0 when no port could be
// bound.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

class LoopbackListener {
public:
  explicit LoopbackListener(bool listening = true) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      return;
    port_ = ntohs(address.sin_port);
    if (listening) Listen();
  }
  ~LoopbackListener() { StopListening(); }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  std::uint16_t Port() const { return port_; }
  bool Listen() { return ::listen(fd_, 4) == 0; }
  // Closes the socket: from then on connections to the port are refused.
  void StopListening() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  // The next incoming connection, or -1 when none comes within the time.
  int Accept(int timeoutMs = 10000) {
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, timeoutMs) != 1) return -1;
    return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  }

private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};
