#include "support/Tcp.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "support/NetErrors.h"

namespace {

sockaddr_in Ipv4Address(std::uint32_t address, std::uint16_t port) {
  sockaddr_in result{};
  result.sin_family = AF_INET;
  result.sin_addr.s_addr = address;
  result.sin_port = htons(port);
  return result;
}

const sockaddr* AsGeneric(const sockaddr_in* address) {
  return reinterpret_cast<const sockaddr*>(address);
}

}  // namespace

TTCPClient::TTCPClient(bool throwOnError) : ThrowOnError(throwOnError) { ResetAddresses(); }

TTCPClient::~TTCPClient() { Close(); }

void TTCPClient::Begin() {
  Status = StatusOk;
  LastError = 0;
}

bool TTCPClient::Fail(int status, int error) {
  Status = status;
  LastError = error;
  if (ThrowOnError) throw 0;
  return false;
}

void TTCPClient::ResetAddresses() {
  local_ = Ipv4Address(0, 0);
  remote_ = Ipv4Address(0, 0);
}

bool TTCPClient::Resolve(const std::string& name, std::uint32_t& address) {
  Begin();
  in_addr dotted{};
  if (inet_aton(name.c_str(), &dotted) != 0) {
    address = dotted.s_addr;
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int result = getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (result != 0) return Fail(StatusNoSocket, result == EAI_SYSTEM ? errno : result);
  address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  freeaddrinfo(found);
  return true;
}

bool TTCPClient::SetBlocking(bool blocking) {
  Begin();
  if (socket_ < 0) return Fail(StatusNoSocket, NetErrorNotSocket);
  const int flags = fcntl(socket_, F_GETFL);
  if (flags < 0) return Fail(StatusSystem, errno);
  const int wanted = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
  if (fcntl(socket_, F_SETFL, wanted) != 0) return Fail(StatusSystem, errno);
  return true;
}

bool TTCPClient::Connect(const std::string& localAddress, std::uint16_t localPort,
                         const std::string& remoteHost, std::uint16_t remotePort) {
  std::uint32_t localIp = 0;
  std::uint32_t remoteIp = 0;
  if (!Resolve(localAddress, localIp) || !Resolve(remoteHost, remoteIp)) return false;
  Close();
  BytesSent = 0;
  BytesReceived = 0;

  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_ < 0) {
    socket_ = -1;
    return Fail(StatusNoSocket, errno);
  }
  local_ = Ipv4Address(localIp, localPort);
  if (bind(socket_, AsGeneric(&local_), sizeof local_) != 0) return Fail(StatusSystem, errno);
  remote_ = Ipv4Address(remoteIp, remotePort);
  if (!SetBlocking(false)) return false;

  // A connect that completes at once (possible on some stacks for loopback) is as good as one in
  // progress: WaitConnected finds the socket writable and finishes it.
  if (connect(socket_, AsGeneric(&remote_), sizeof remote_) == 0) return true;
  if (errno != NetErrorInProgress) return Fail(StatusNoSocket, errno);
  LastError = NetErrorInProgress;
  return true;
}

// A socket that reports writable has finished its connect, successfully or not. Linux marks a
// refused connect writable (Windows never does), and SO_ERROR is cleared by the first read, so
// the peer name is the lasting proof that the connection stands.
bool TTCPClient::ConnectionStands() const {
  int error = 0;
  socklen_t length = sizeof error;
  if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return false;
  sockaddr_in peer{};
  socklen_t peerLength = sizeof peer;
  return getpeername(socket_, reinterpret_cast<sockaddr*>(&peer), &peerLength) == 0;
}

bool TTCPClient::WaitConnected(int timeoutMs) {
  if (Connected) return true;
  Begin();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  if (!Select(false, true, false, timeoutMs)) {
    LastError = NetErrorTimedOut;
    return false;
  }
  if (!ConnectionStands()) {
    // A failed connect looks exactly like one that is still under way: the caller polls with
    // short time-outs and retries with a new Connect, so each poll keeps its full length.
    std::this_thread::sleep_until(deadline);
    LastError = NetErrorTimedOut;
    return false;
  }
  socklen_t length = sizeof local_;
  if (getsockname(socket_, reinterpret_cast<sockaddr*>(&local_), &length) != 0)
    return Fail(StatusSystem, errno);
  if (!SetBlocking(true)) return false;
  Connected = true;
  return true;
}

bool TTCPClient::Select(bool read, bool write, bool except, int timeoutMs) {
  LastError = 0;
  if (socket_ < 0) {
    LastError = NetErrorNotSocket;
    return false;
  }
  pollfd entry{};
  entry.fd = socket_;
  entry.events = static_cast<short>((read ? POLLIN : 0) | (write ? POLLOUT : 0) |
                                    (except ? POLLPRI : 0));
  if (poll(&entry, 1, timeoutMs < 0 ? 0 : timeoutMs) < 0) {
    LastError = errno;
    return false;
  }
  // A closed peer or a pending error makes the socket readable: the next receive returns at once.
  const bool readable = read && (entry.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
  const bool writable = write && (entry.revents & POLLOUT) != 0;
  const bool urgent = except && (entry.revents & POLLPRI) != 0;
  return readable || writable || urgent;
}

std::size_t TTCPClient::Available() {
  if (socket_ < 0) {
    Fail(StatusNoSocket, NetErrorNotSocket);
    return 0;
  }
  int waiting = 0;
  if (ioctl(socket_, FIONREAD, &waiting) != 0) {
    Fail(StatusSystem, errno);
    return 0;
  }
  return waiting < 0 ? 0 : static_cast<std::size_t>(waiting);
}

bool TTCPClient::Read(void* buffer, std::size_t count) {
  Begin();
  LastCount = 0;
  if (socket_ < 0) return Fail(StatusNoSocket, NetErrorNotSocket);
  ssize_t got = 0;
  do {
    got = recv(socket_, buffer, count, 0);
  } while (got < 0 && errno == EINTR);
  LastCount = static_cast<int>(got);
  if (got < 0) return Fail(StatusSocketError, errno);
  BytesReceived += static_cast<std::uint32_t>(got);
  if (static_cast<std::size_t>(got) != count) return Fail(StatusShort, 0);
  return true;
}

bool TTCPClient::Write(const void* data, std::size_t count) {
  Begin();
  LastCount = 0;
  if (socket_ < 0) return Fail(StatusNoSocket, NetErrorNotSocket);
  ssize_t sent = 0;
  do {
    // A peer that has gone must give an error here, not a SIGPIPE that ends the program.
    sent = send(socket_, data, count, MSG_NOSIGNAL);
  } while (sent < 0 && errno == EINTR);
  LastCount = static_cast<int>(sent);
  if (sent < 0) return Fail(StatusSocketError, errno);
  BytesSent += static_cast<std::uint32_t>(sent);
  if (static_cast<std::size_t>(sent) != count) return Fail(StatusShort, 0);
  return true;
}

bool TTCPClient::Close() {
  if (socket_ < 0) return true;
  shutdown(socket_, SHUT_WR);
  if (close(socket_) != 0) LastError = errno;
  socket_ = -1;
  Connected = false;
  Status = StatusOk;
  return true;
}

void TTCPClient::Purge() {
  const std::size_t waiting = Available();
  if (waiting == 0) return;
  std::vector<std::uint8_t> dropped(waiting);
  Read(dropped.data(), dropped.size());
}
