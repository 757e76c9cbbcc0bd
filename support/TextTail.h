// What the text viewer shows of a file: its last 100000 bytes at most, starting at a line start
// when one is found within the first 100 bytes of that tail, with every NUL byte made a space.
#pragma once

#include <cstdint>
#include <string>

inline constexpr std::uint64_t TextTailSize = 100000;
inline constexpr int TextTailLineSearch = 100;

// The file is opened for reading and shared with a writer, so a log being written can be shown.
// A missing, locked or unreadable file gives an empty text.
std::string ReadTextTail(const std::string& fileName);
