// A program under test, started with its standard output and error on pipes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TChildProcess {
public:
  // argv[0] is the program (searched in PATH when it has no "/"); `environment` entries
  // "NAME=value" are added to (or replace those of) this process's environment.
  TChildProcess(std::vector<std::string> argv, std::vector<std::string> environment = {});
  ~TChildProcess();  // kills a program still running
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }

  // The next line of standard output, waiting at most `timeout`; nothing on time-out or end.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
  // Reads lines until one satisfies the test; every line read is kept in Lines().
  std::optional<std::string> ReadUntil(const std::function<bool(const std::string&)>& test,
                                       std::chrono::milliseconds timeout);
  std::optional<std::string> ReadUntilLine(const std::string& line, std::chrono::milliseconds timeout);
  const std::vector<std::string>& Lines() const { return lines_; }

  void Signal(int signal);
  // The exit status, or nothing when the program has not ended within the time (or died by a
  // signal: then -signal).
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // Everything the program wrote to standard error (read once it has ended).
  std::string ErrorText();

private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string buffer_;
  std::vector<std::string> lines_;
  bool ended_ = false;
  int status_ = 0;
};
