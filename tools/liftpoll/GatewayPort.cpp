#include "tools/liftpoll/GatewayPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace liftpoll {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline)
{
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

std::string AddressText(const sockaddr_in& address)
{
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

bool WaitReadable(int fd, int timeoutMs)
{
  pollfd entry{fd, POLLIN, 0};
  int ready;
  do {
    ready = poll(&entry, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

}  // namespace

TGatewayPort::~TGatewayPort()
{
  Disconnect();
  if (listener_ >= 0) close(listener_);
}

bool TGatewayPort::Fail(const std::string& what)
{
  error_ = what + ": " + std::strerror(errno);
  return false;
}

bool TGatewayPort::Listen(const std::string& address, std::uint16_t port)
{
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) return Fail("socket");
  const int yes = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
    error_ = "неверный адрес " + address;
    return false;
  }
  if (bind(listener_, reinterpret_cast<sockaddr*>(&local), sizeof local) < 0) {
    return Fail("bind " + address + ":" + std::to_string(port));
  }
  if (listen(listener_, 1) < 0) return Fail("listen");
  socklen_t length = sizeof local;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&local), &length);
  boundPort_ = ntohs(local.sin_port);
  return true;
}

bool TGatewayPort::Accept(int waitMs, int replyTimeoutMs)
{
  Disconnect();
  if (!WaitReadable(listener_, waitMs)) return false;
  sockaddr_in remote{};
  socklen_t length = sizeof remote;
  lift_ = accept4(listener_, reinterpret_cast<sockaddr*>(&remote), &length, SOCK_CLOEXEC);
  if (lift_ < 0) return Fail("accept");
  // Requests are single small writes that must leave at once.
  const int yes = 1;
  setsockopt(lift_, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  replyTimeoutMs_ = replyTimeoutMs;
  peerClosed_ = false;
  peer_ = AddressText(remote);
  return true;
}

void TGatewayPort::Disconnect()
{
  if (lift_ >= 0) close(lift_);
  lift_ = -1;
}

void TGatewayPort::Drain()
{
  std::uint8_t scrap[4096];
  ssize_t n;
  while ((n = recv(lift_, scrap, sizeof scrap, MSG_DONTWAIT)) > 0) {
  }
  if (n == 0) peerClosed_ = true;
}

bool TGatewayPort::Send(std::span<const std::uint8_t> bytes)
{
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(lift_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      peerClosed_ = true;
      return Fail("send");
    }
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

bool TGatewayPort::ReceiveSome(std::vector<std::uint8_t>& into, std::size_t room, int timeoutMs)
{
  const std::size_t old = into.size();
  into.resize(old + room);
  // Try first: on a fast line the bytes are often there already, which saves the readiness wait.
  ssize_t n = recv(lift_, into.data() + old, room, MSG_DONTWAIT);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitReadable(lift_, timeoutMs)) {
    n = recv(lift_, into.data() + old, room, MSG_DONTWAIT);
  }
  into.resize(old + (n > 0 ? static_cast<std::size_t>(n) : 0));
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) peerClosed_ = true;
  return n > 0;
}

std::vector<std::uint8_t> TGatewayPort::ReadReply(const ReadRequest& request)
{
  std::vector<std::uint8_t> reply;
  const auto deadline = Clock::now() + std::chrono::milliseconds(replyTimeoutMs_);
  for (;;) {
    const std::size_t wanted = ExpectedReplyLength(request, reply);
    if (reply.size() >= wanted) return reply;
    const int left = MillisecondsLeft(deadline);
    if (!ReceiveSome(reply, wanted - reply.size(), left)) return reply;
  }
}

std::vector<std::uint8_t> TGatewayPort::ReadUntilQuiet(int quietMs)
{
  std::vector<std::uint8_t> reply;
  if (!ReceiveSome(reply, 4096, replyTimeoutMs_)) return reply;
  while (ReceiveSome(reply, 4096, quietMs)) {
  }
  return reply;
}

}  // namespace liftpoll
