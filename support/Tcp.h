// TCP client: one IPv4 stream socket for worker threads that poll.
//
// Connect starts a non-blocking connect and returns; WaitConnected is then polled with short
// time-outs until the connection stands, after which the socket is blocking again. Every operation
// returns a plain success flag and records Status (the kind of failure), LastError (the system's
// error number, see NetErrors.h) and the byte counters; the caller decides what to do.
//
// A refused or unreachable connection is never reported as such: WaitConnected only never becomes
// true, and the caller bounds its wait and retries with a new Connect. A peer that closes is seen by
// the caller as Select reporting readable and then Available giving 0 or Read failing.
//
// No lock: the owning thread makes every call; another thread may only read Connected.
#pragma once

#include <netinet/in.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

class TTCPClient {
public:
  // Status values.
  static constexpr int StatusOk = 0;           // success, also "connect in progress"
  static constexpr int StatusNoSocket = 1;     // no socket, name without address, no socket made,
                                               // connect not started
  static constexpr int StatusSocketError = 2;  // send or receive failed with a socket error
  static constexpr int StatusShort = 3;        // fewer bytes moved than asked (0 after peer close)
  static constexpr int StatusSystem = -1;      // bind, mode switch, waiting-bytes query or local
                                               // address read-back failed

  // With throwOnError, a failing Resolve, SetBlocking, Connect, Available, Read, Write or local
  // address read-back in WaitConnected also throws the int 0, after Status and LastError are
  // recorded. A WaitConnected time-out and Select never throw.
  // POSIX sockets need no library start-up, so Status is 0 after construction.
  explicit TTCPClient(bool throwOnError = false);
  ~TTCPClient();
  TTCPClient(const TTCPClient&) = delete;
  TTCPClient& operator=(const TTCPClient&) = delete;

  std::atomic<bool> Connected{false};  // set by a successful WaitConnected, cleared by Close
  int Status = StatusOk;
  bool ThrowOnError = false;
  int LastCount = 0;            // raw result of the last receive or send, -1 on a socket error
  int LastError = 0;            // errno of the last failure, 0 after success
  std::uint32_t BytesReceived = 0;  // since the last Connect
  std::uint32_t BytesSent = 0;      // since the last Connect

  // Dotted text (anything inet_aton takes) directly, otherwise a host-name look-up taking the
  // first IPv4 address. The address comes out in network byte order. Failure: Status 1 and the
  // look-up's code in LastError.
  bool Resolve(const std::string& name, std::uint32_t& address);
  // Blocking (true) or non-blocking (false). Without a socket: Status 1, NetErrorNotSocket.
  bool SetBlocking(bool blocking);
  // Closes an old socket, zeroes the byte counters, binds to the local address and port and starts
  // a non-blocking connect to the remote host. True while the connect is in progress (LastError
  // then holds NetErrorInProgress).
  bool Connect(const std::string& localAddress, std::uint16_t localPort,
               const std::string& remoteHost, std::uint16_t remotePort);
  // True at once when Connected. Otherwise waits up to timeoutMs for the connect to complete; on
  // success reads back the local address, makes the socket blocking and sets Connected. Not yet
  // (or refused): false with Status 0 and LastError NetErrorTimedOut.
  bool WaitConnected(int timeoutMs);
  // One readiness test of the socket for the chosen kinds; true when ready in one of them.
  // "Readable" includes a closed peer or a pending error. Clears or sets LastError only.
  bool Select(bool read, bool write, bool except, int timeoutMs);
  // Bytes waiting to be read; 0 on failure (Status -1) or without a socket (Status 1).
  std::size_t Available();
  // Exactly one receive (send) call of count bytes; true only when all count bytes moved.
  bool Read(void* buffer, std::size_t count);
  bool Write(const void* data, std::size_t count);
  // Shuts the sending side, closes the socket; harmless without one. Always true.
  bool Close();
  // Reads whatever Available reports in one read and drops it.
  void Purge();

  // The socket descriptor, -1 when there is none: lets a caller wait on the socket together with
  // descriptors of its own.
  int Handle() const { return socket_; }
  const sockaddr_in& LocalAddress() const { return local_; }
  const sockaddr_in& RemoteAddress() const { return remote_; }

private:
  void Begin();
  bool Fail(int status, int error);
  void ResetAddresses();
  bool ConnectionStands() const;

  int socket_ = -1;
  sockaddr_in local_{};
  sockaddr_in remote_{};
};
