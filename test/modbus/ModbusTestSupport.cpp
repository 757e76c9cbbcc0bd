#include "ModbusTestSupport.h"

#include "app/LiftControls.h"
#include "app/LiftRegisters.h"

void FillDefaultImage(RegisterImage& image) {
  for (auto& reg : image) reg = 0;
  SetLiftIdentity(image, TLiftIdentity{});
  RefreshRegisters(image, TLiftControls{});
}

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace {

int MsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

void Peer::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool Peer::Send(const Bytes& bytes) const {
  return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
         static_cast<ssize_t>(bytes.size());
}

Bytes Peer::Receive(std::size_t count, int timeoutMs) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  Bytes bytes(count);
  std::size_t got = 0;
  while (got < count) {
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, MsLeft(deadline)) != 1) break;
    const ssize_t n = ::recv(fd_, bytes.data() + got, count - got, 0);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

bool Peer::SeesClose(int timeoutMs) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, MsLeft(deadline)) != 1) return false;
    std::uint8_t byte;
    const ssize_t n = ::recv(fd_, &byte, 1, 0);
    if (n <= 0) return true;
  }
}

void RecordingDisplay::Add(TCall call, const std::string& text) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back({call, text});
  }
  changed_.notify_all();
}

std::optional<std::size_t> RecordingDisplay::WaitFor(TCall call, std::string_view text,
                                                     std::size_t from, int timeoutMs) {
  std::unique_lock lock(mutex_);
  std::optional<std::size_t> found;
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    for (std::size_t i = from; i < entries_.size(); ++i) {
      if (entries_[i].call == call && entries_[i].text == text) {
        found = i;
        return true;
      }
    }
    return false;
  });
  return found;
}

std::vector<RecordingDisplay::TEntry> RecordingDisplay::Entries() {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::size_t RecordingDisplay::Size() {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

int Peer::OtherEnd() const {
  sockaddr_in wanted{};
  socklen_t length = sizeof wanted;
  ::getpeername(fd_, reinterpret_cast<sockaddr*>(&wanted), &length);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    const int fd = std::stoi(entry.path().filename().string());
    sockaddr_in local{};
    length = sizeof local;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) continue;
    if (local.sin_family == AF_INET && local.sin_port == wanted.sin_port &&
        local.sin_addr.s_addr == wanted.sin_addr.s_addr) {
      return fd;
    }
  }
  return -1;
}
