// Protocol log: a plain-text journal of a byte exchange.
//
// Every line is "HH:MM:SS:mmmm:  " (local wall-clock time, the millisecond printed with four
// digits) followed by a body and CR LF. Bodies: a free text line (written in Windows-1251), a sent
// byte " %02X   >  " (left column), a received byte "      <  %02X" (right column). With
// ShowChars the byte also appears as a character: " %02X %c >  " and "      <  %02X %c", bytes
// below 0x20 shown as a space, all others as their raw byte.
//
// The file is only ever appended to and each line is flushed before the call returns. A file that
// cannot be opened or written is ignored silently: the log is a debugging aid and never disturbs
// the link it watches.
//
// No lock: one thread writes; the owner opens the log before that thread starts and destroys it
// only after that thread has stopped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// The moment a line is written, as the time stamp shows it.
struct TLogTime {
  int Hour = 0;         // 0..23
  int Minute = 0;       // 0..59
  int Second = 0;       // 0..59
  int Millisecond = 0;  // 0..999
};

using TLogClock = std::function<TLogTime()>;

// Local wall-clock time now.
TLogTime LocalLogTime();

class SERIAL_LOG {
public:
  // Stores the name (a UTF-8 path) and opens nothing. An empty clock means LocalLogTime.
  explicit SERIAL_LOG(std::string fileName, TLogClock clock = {});
  ~SERIAL_LOG();
  SERIAL_LOG(const SERIAL_LOG&) = delete;
  SERIAL_LOG& operator=(const SERIAL_LOG&) = delete;

  // The file is open and writes go through.
  bool Active = false;
  // Also print each byte as a character.
  bool ShowChars = false;

  // Closes a file that is open, then opens the named file for appending (created if absent).
  // Returns the new Active; an empty name opens nothing.
  bool Open();
  // Flushes and closes the file; Active becomes false.
  void Close();
  // Open when on, Close otherwise.
  void SetActive(bool on);

  // One line of UTF-8 text, written in Windows-1251; a newline inside it is written as CR LF.
  void WriteText(std::string_view text);
  // One line per byte.
  void WriteTx(std::uint8_t byte);
  void WriteRx(std::uint8_t byte);
  // One line per byte of the block, in order; a count of 0 writes nothing.
  void WriteTxBlock(const std::uint8_t* data, std::size_t count);
  void WriteRxBlock(const std::uint8_t* data, std::size_t count);

  const std::string& FileName() const { return fileName_; }

private:
  void WriteLine(std::string_view body);

  std::string fileName_;
  TLogClock clock_;
  std::FILE* file_ = nullptr;
};
