#include "support/Serlog.h"

#include <time.h>

#include <utility>

#include "support/Codec1251.h"
#include "support/NumberText.h"

namespace {

// The last `digits` decimal digits of the value, with leading zeros.
void AppendDigits(std::string& out, int value, int digits) {
  unsigned rest = value < 0 ? 0u : static_cast<unsigned>(value);
  char text[4];
  for (int i = digits - 1; i >= 0; --i) {
    text[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  out.append(text, static_cast<std::size_t>(digits));
}

// The byte as it stands in the character column: control bytes as a blank, all others raw.
char ShownChar(std::uint8_t byte) { return byte < 0x20 ? ' ' : static_cast<char>(byte); }

std::string TxBody(std::uint8_t byte, bool showChars) {
  std::string body = " ";
  body += HexText(byte, 2);
  body += showChars ? std::string{' ', ShownChar(byte), ' '} : std::string("   ");
  body += ">  ";
  return body;
}

// The log is a text stream: a newline inside a text line reaches the file as CR LF, as every line
// end does.
std::string WithTextModeNewlines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string RxBody(std::uint8_t byte, bool showChars) {
  std::string body = "      <  ";
  body += HexText(byte, 2);
  if (showChars) {
    body += ' ';
    body += ShownChar(byte);
  }
  return body;
}

}  // namespace

TLogTime LocalLogTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(now.tv_nsec / 1000000)};
}

SERIAL_LOG::SERIAL_LOG(std::string fileName, TLogClock clock)
    : fileName_(std::move(fileName)), clock_(clock ? std::move(clock) : TLogClock(LocalLogTime)) {}

SERIAL_LOG::~SERIAL_LOG() { Close(); }

bool SERIAL_LOG::Open() {
  Close();
  if (fileName_.empty()) return Active;
  // Binary mode: line ends are written as CR LF by hand. "e": not inherited by child processes.
  file_ = std::fopen(fileName_.c_str(), "abe");
  Active = file_ != nullptr;
  return Active;
}

void SERIAL_LOG::Close() {
  if (file_) std::fclose(file_);  // fclose flushes
  file_ = nullptr;
  Active = false;
}

void SERIAL_LOG::SetActive(bool on) {
  if (on)
    Open();
  else
    Close();
}

void SERIAL_LOG::WriteText(std::string_view text) { WriteLine(WithTextModeNewlines(Utf8ToCp1251(text))); }

void SERIAL_LOG::WriteTx(std::uint8_t byte) { WriteLine(TxBody(byte, ShowChars)); }

void SERIAL_LOG::WriteRx(std::uint8_t byte) { WriteLine(RxBody(byte, ShowChars)); }

void SERIAL_LOG::WriteTxBlock(const std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) WriteTx(data[i]);
}

void SERIAL_LOG::WriteRxBlock(const std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) WriteRx(data[i]);
}

// A failed write loses its line and nothing else; the next line is attempted as usual.
void SERIAL_LOG::WriteLine(std::string_view body) {
  if (!Active || !file_) return;
  const TLogTime time = clock_();
  std::string line;
  line.reserve(16 + body.size() + 2);
  AppendDigits(line, time.Hour, 2);
  line += ':';
  AppendDigits(line, time.Minute, 2);
  line += ':';
  AppendDigits(line, time.Second, 2);
  line += ':';
  AppendDigits(line, time.Millisecond, 4);
  line += ":  ";
  line += body;
  line += "\r\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
  std::clearerr(file_);
}
