// Lines on standard output, flushed at once so that a script reading a pipe sees them as they come.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace liftpoll {

inline void Say(const std::string& line)
{
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

inline void Say(const std::vector<std::string>& lines)
{
  for (const std::string& line : lines) Say(line);
}

// One line on standard error, prefixed with the program name.
inline void Complain(const std::string& line)
{
  std::fputs(("liftpoll: " + line + "\n").c_str(), stderr);
}

}  // namespace liftpoll
