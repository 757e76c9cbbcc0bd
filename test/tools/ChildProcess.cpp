#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra)
{
  std::vector<std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const std::string& e : extra) replaced = replaced || e.starts_with(name);
    if (!replaced) merged.push_back(text);
  }
  merged.insert(merged.end(), extra.begin(), extra.end());
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

TChildProcess::TChildProcess(std::vector<std::string> argv, std::vector<std::string> environment)
{
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return;
  if (pipe2(err, O_CLOEXEC) != 0) return;
  std::vector<std::string> env = MergedEnvironment(environment);
  auto argvPointers = Pointers(argv);
  auto envPointers = Pointers(env);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) {
    // A test that dies without its destructors (killed, or its output cut off) takes the program
    // with it instead of leaving it serving.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    execvpe(argvPointers[0], argvPointers.data(), envPointers.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  out_ = out[0];
  err_ = err[0];
}

TChildProcess::~TChildProcess()
{
  if (pid_ > 0 && !ended_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) close(out_);
  if (err_ >= 0) close(err_);
}

std::optional<std::string> TChildProcess::ReadLine(std::chrono::milliseconds timeout)
{
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (const auto end = buffer_.find('\n'); end != std::string::npos) {
      std::string line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      lines_.push_back(line);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd entry{out_, POLLIN, 0};
    if (poll(&entry, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char chunk[4096];
    const ssize_t n = read(out_, chunk, sizeof chunk);
    if (n <= 0) return std::nullopt;
    buffer_.append(chunk, static_cast<std::size_t>(n));
  }
}

std::optional<std::string> TChildProcess::ReadUntil(const std::function<bool(const std::string&)>& test,
                                                    std::chrono::milliseconds timeout)
{
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    const auto line = ReadLine(std::max(left, std::chrono::milliseconds(0)));
    if (!line) return std::nullopt;
    if (test(*line)) return line;
  }
}

std::optional<std::string> TChildProcess::ReadUntilLine(const std::string& line, std::chrono::milliseconds timeout)
{
  return ReadUntil([&line](const std::string& l) { return l == line; }, timeout);
}

void TChildProcess::Signal(int signal)
{
  if (pid_ > 0 && !ended_) kill(pid_, signal);
}

std::optional<int> TChildProcess::Wait(std::chrono::milliseconds timeout)
{
  const auto deadline = Clock::now() + timeout;
  while (!ended_) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      ended_ = true;
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
      break;
    }
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status_;
}

std::string TChildProcess::ErrorText()
{
  std::string text;
  char chunk[4096];
  pollfd entry{err_, POLLIN, 0};
  while (poll(&entry, 1, 0) > 0) {
    const ssize_t n = read(err_, chunk, sizeof chunk);
    if (n <= 0) break;
    text.append(chunk, static_cast<std::size_t>(n));
  }
  return text;
}
