#include "support/Tcp.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/NetErrors.h"
#include "test/LoopbackListener.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// The accepted end of a connection, closed on destruction.
struct Peer {
  int fd = -1;
  explicit Peer(int descriptor) : fd(descriptor) {}
  ~Peer() { Close(); }
  void Close() {
    if (fd >= 0) close(fd);
    fd = -1;
  }
  void Send(const std::vector<std::uint8_t>& bytes) const {
    ASSERT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
  }
};

// Polls the way the link thread does: 10 ms at a time, at most 300 times.
bool WaitConnectedLikeLink(TTCPClient& client) {
  for (int i = 0; i < 300; ++i)
    if (client.WaitConnected(10)) return true;
  return false;
}

bool ConnectToLoopback(TTCPClient& client, std::uint16_t port) {
  return client.Connect("0.0.0.0", 0, "127.0.0.1", port) && WaitConnectedLikeLink(client);
}

// Waits until the client sees the expected number of bytes waiting.
bool WaitAvailable(TTCPClient& client, std::size_t expected) {
  for (int i = 0; i < 200; ++i) {
    client.Select(true, false, false, 10);
    if (client.Available() == expected) return true;
  }
  return false;
}

class TcpClientTest : public ::testing::Test {
protected:
  void ConnectWithPeer() {
    ASSERT_TRUE(ConnectToLoopback(client_, listener_.Port()));
    peer_.fd = listener_.Accept();
    ASSERT_GE(peer_.fd, 0);
  }

  LoopbackListener listener_;
  TTCPClient client_;
  Peer peer_{-1};
};

TEST_F(TcpClientTest, FreshClientHasNoSocket) {
  EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
  EXPECT_EQ(client_.LastError, 0);
  EXPECT_FALSE(client_.Connected);
  EXPECT_EQ(client_.Handle(), -1);
  EXPECT_EQ(client_.LocalAddress().sin_family, AF_INET);
  EXPECT_EQ(client_.RemoteAddress().sin_family, AF_INET);
}

TEST_F(TcpClientTest, ConnectsExchangesAndCounts) {
  ASSERT_TRUE(client_.Connect("0.0.0.0", 0, "127.0.0.1", listener_.Port()));
  EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
  EXPECT_EQ(client_.LastError, NetErrorInProgress);
  EXPECT_FALSE(client_.Connected);
  ASSERT_TRUE(WaitConnectedLikeLink(client_));
  EXPECT_TRUE(client_.Connected);
  EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
  EXPECT_EQ(client_.LastError, 0);
  EXPECT_EQ(client_.LocalAddress().sin_addr.s_addr, htonl(INADDR_LOOPBACK));
  EXPECT_NE(client_.LocalAddress().sin_port, 0);
  EXPECT_EQ(client_.RemoteAddress().sin_port, htons(listener_.Port()));
  EXPECT_EQ(fcntl(client_.Handle(), F_GETFL) & O_NONBLOCK, 0) << "blocking once connected";
  EXPECT_TRUE(client_.WaitConnected(0));

  Peer peer(listener_.Accept());
  ASSERT_GE(peer.fd, 0);
  const std::uint8_t request[8] = {0x01, 0x04, 0x00, 0x00, 0x00, 0x33, 0x30, 0x1F};
  ASSERT_TRUE(client_.Write(request, 8));
  EXPECT_EQ(client_.LastCount, 8);
  EXPECT_EQ(client_.BytesSent, 8u);
  std::array<std::uint8_t, 8> seen{};
  ASSERT_EQ(recv(peer.fd, seen.data(), seen.size(), MSG_WAITALL), 8);
  EXPECT_EQ(0, std::memcmp(seen.data(), request, 8));

  peer.Send({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  ASSERT_TRUE(WaitAvailable(client_, 10));
  EXPECT_TRUE(client_.Select(true, false, false, 1));
  std::array<std::uint8_t, 10> got{};
  ASSERT_TRUE(client_.Read(got.data(), got.size()));
  EXPECT_EQ(client_.LastCount, 10);
  EXPECT_EQ(client_.BytesReceived, 10u);
  EXPECT_EQ(got, (std::array<std::uint8_t, 10>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(TcpClientTest, ShortReadKeepsWhatArrived) {
  ConnectWithPeer();
  peer_.Send({0xA1, 0xA2, 0xA3, 0xA4, 0xA5});
  ASSERT_TRUE(WaitAvailable(client_, 5));
  std::array<std::uint8_t, 8> got{};
  EXPECT_FALSE(client_.Read(got.data(), 8));
  EXPECT_EQ(client_.Status, TTCPClient::StatusShort);
  EXPECT_EQ(client_.LastCount, 5);
  EXPECT_EQ(client_.BytesReceived, 5u);
  EXPECT_EQ(got, (std::array<std::uint8_t, 8>{0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0, 0, 0}));
}

TEST_F(TcpClientTest, PeerCloseShowsAsReadableWithNothingWaiting) {
  ConnectWithPeer();
  peer_.Close();
  EXPECT_TRUE(client_.Select(true, false, false, 1000));
  EXPECT_EQ(client_.Available(), 0u);
  std::array<std::uint8_t, 8> got{};
  EXPECT_FALSE(client_.Read(got.data(), 8));
  EXPECT_EQ(client_.Status, TTCPClient::StatusShort);
  EXPECT_EQ(client_.LastCount, 0);
}

TEST_F(TcpClientTest, WritingToAGonePeerFailsWithoutEndingTheProgram) {
  ConnectWithPeer();
  peer_.Close();
  const std::uint8_t frame[8] = {};
  bool failed = false;
  for (int i = 0; i < 100 && !failed; ++i) {
    failed = !client_.Write(frame, 8);
    std::this_thread::sleep_for(1ms);
  }
  ASSERT_TRUE(failed);
  EXPECT_EQ(client_.Status, TTCPClient::StatusSocketError);
  EXPECT_EQ(client_.LastCount, -1);
  EXPECT_NE(client_.LastError, 0);
}

TEST_F(TcpClientTest, SelectWithNothingToReadTimesOut) {
  ConnectWithPeer();
  const auto start = Clock::now();
  EXPECT_FALSE(client_.Select(true, false, false, 1));
  EXPECT_GE(Clock::now() - start, 1ms);
  EXPECT_EQ(client_.LastError, 0);
  EXPECT_TRUE(client_.Select(false, true, false, 1));
}

TEST_F(TcpClientTest, PurgeDropsEverythingWaitingInOneRead) {
  ConnectWithPeer();
  peer_.Send(std::vector<std::uint8_t>(3000, 0x5A));
  ASSERT_TRUE(WaitAvailable(client_, 3000));
  client_.Purge();
  EXPECT_EQ(client_.LastCount, 3000);
  EXPECT_EQ(client_.BytesReceived, 3000u);
  EXPECT_EQ(client_.Available(), 0u);
  EXPECT_FALSE(client_.Select(true, false, false, 1));
}

TEST_F(TcpClientTest, PurgeWithNothingWaitingReadsNothing) {
  ConnectWithPeer();
  client_.Purge();  // a blocking read here would hang the test
  EXPECT_EQ(client_.BytesReceived, 0u);
}

TEST_F(TcpClientTest, ReconnectClosesOldConnectionAndZeroesCounters) {
  ConnectWithPeer();
  const std::uint8_t frame[3] = {7, 8, 9};
  ASSERT_TRUE(client_.Write(frame, 3));
  peer_.Send({1, 2});
  ASSERT_TRUE(WaitAvailable(client_, 2));
  std::uint8_t got[2];
  ASSERT_TRUE(client_.Read(got, 2));

  ASSERT_TRUE(client_.Connect("0.0.0.0", 0, "127.0.0.1", listener_.Port()));
  EXPECT_FALSE(client_.Connected);
  EXPECT_EQ(client_.BytesSent, 0u);
  EXPECT_EQ(client_.BytesReceived, 0u);
  std::uint8_t rest[8];
  EXPECT_EQ(recv(peer_.fd, rest, sizeof rest, 0), 3);
  EXPECT_EQ(recv(peer_.fd, rest, sizeof rest, 0), 0) << "old connection closed";
  EXPECT_TRUE(WaitConnectedLikeLink(client_));
}

TEST_F(TcpClientTest, RefusedConnectionNeverBecomesConnected) {
  const std::uint16_t port = listener_.Port();
  listener_.StopListening();
  ASSERT_TRUE(client_.Connect("0.0.0.0", 0, "127.0.0.1", port));
  EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    EXPECT_FALSE(client_.WaitConnected(10));
    // The failed connect is ready at once; the poll still lasts its time-out, so a caller that
    // polls in a loop does not spin.
    EXPECT_GE(Clock::now() - start, 9ms);
    EXPECT_EQ(client_.LastError, NetErrorTimedOut);
    EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
    EXPECT_FALSE(client_.Connected);
  }
  EXPECT_NE(client_.Handle(), -1) << "the socket stays until the next Connect or Close";
}

TEST_F(TcpClientTest, UnresolvableNameGivesNoSocket) {
  // A label longer than 63 bytes cannot be put into a DNS query: the resolver refuses the name
  // without sending anything, with or without a name server.
  const std::string name = std::string(70, 'x') + ".invalid";
  EXPECT_FALSE(client_.Connect("0.0.0.0", 0, name, 4001));
  EXPECT_EQ(client_.Status, TTCPClient::StatusNoSocket);
  EXPECT_NE(client_.LastError, 0);
  EXPECT_EQ(client_.Handle(), -1);
  EXPECT_FALSE(client_.Connected);
}

TEST_F(TcpClientTest, ResolveTakesDottedTextDirectly) {
  struct Case {
    const char* text;
    std::array<std::uint8_t, 4> bytes;
  };
  const Case cases[] = {
      {"192.168.1.200", {192, 168, 1, 200}},
      {"0.0.0.0", {0, 0, 0, 0}},
      {"127.1", {127, 0, 0, 1}},
      {"255.255.255.255", {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    std::uint32_t address = 1;
    ASSERT_TRUE(client_.Resolve(c.text, address)) << c.text;
    std::array<std::uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), &address, 4);
    EXPECT_EQ(bytes, c.bytes) << c.text;
    EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
  }
}

TEST_F(TcpClientTest, OperationsWithoutSocketFailWithStatusOne) {
  std::uint8_t buffer[4] = {};
  EXPECT_FALSE(client_.Read(buffer, 4));
  EXPECT_EQ(client_.Status, TTCPClient::StatusNoSocket);
  EXPECT_EQ(client_.LastError, NetErrorNotSocket);
  EXPECT_FALSE(client_.Write(buffer, 4));
  EXPECT_EQ(client_.Status, TTCPClient::StatusNoSocket);
  EXPECT_FALSE(client_.SetBlocking(true));
  EXPECT_EQ(client_.Status, TTCPClient::StatusNoSocket);
  EXPECT_EQ(client_.LastError, NetErrorNotSocket);
  EXPECT_EQ(client_.Available(), 0u);
  EXPECT_EQ(client_.Status, TTCPClient::StatusNoSocket);
  EXPECT_FALSE(client_.Select(true, true, true, 1));
  EXPECT_FALSE(client_.WaitConnected(1));
  client_.Purge();
}

TEST_F(TcpClientTest, CloseTwiceIsHarmless) {
  ConnectWithPeer();
  EXPECT_TRUE(client_.Close());
  EXPECT_FALSE(client_.Connected);
  EXPECT_EQ(client_.Handle(), -1);
  EXPECT_EQ(client_.Status, TTCPClient::StatusOk);
  EXPECT_TRUE(client_.Close());
  std::uint8_t byte = 0;
  EXPECT_EQ(recv(peer_.fd, &byte, 1, 0), 0) << "peer sees the close";
}

TEST(TcpClientThrowing, FailureThrowsZeroAfterRecording) {
  TTCPClient client(true);
  std::uint8_t buffer[1] = {};
  try {
    client.Read(buffer, 1);
    FAIL() << "no exception";
  } catch (int value) {
    EXPECT_EQ(value, 0);
  }
  EXPECT_EQ(client.Status, TTCPClient::StatusNoSocket);
  EXPECT_EQ(client.LastError, NetErrorNotSocket);
}

TEST(TcpClientThreads, AnotherThreadMayWatchConnected) {
  LoopbackListener listener;
  TTCPClient client;
  std::atomic<bool> seen{false};
  std::jthread watcher([&](std::stop_token stop) {
    while (!stop.stop_requested() && !seen) {
      seen = client.Connected.load();
      std::this_thread::sleep_for(1ms);
    }
  });
  ASSERT_TRUE(ConnectToLoopback(client, listener.Port()));
  for (int i = 0; i < 1000 && !seen; ++i) std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(seen);
}

}  // namespace
