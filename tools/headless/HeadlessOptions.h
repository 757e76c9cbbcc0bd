// Command line of the lift without windows.
#pragma once

#include <span>
#include <string>
#include <string_view>

struct THeadlessOptions {
  std::string settingsFile;  // empty: "Trevolk.ini" in the work folder
  bool help = false;
};

struct TParsedHeadlessOptions {
  bool ok = false;
  THeadlessOptions options;
  std::string error;  // one line, when not ok
};

// The arguments after the program name: [--settings FILE | --settings=FILE] [--help].
TParsedHeadlessOptions ParseHeadlessOptions(std::span<const std::string_view> args);

std::string HeadlessUsage();
