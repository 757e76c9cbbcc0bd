// The program settings dialog ("Настройки программы") without its widgets: what its fields show
// when it opens, and what its OK button stores in section SETUP of the settings file.
//
// OK stores a link key only when its value changed, and then the link must be restarted
// (RestartNeeded); the lift identity (Prod, Type, SerNum) is always stored and never needs a
// restart, since the main window reloads registers 0..3 after every OK.
#pragma once

#include <string>

class TFastIniFile;

// The ranges of the up-down controls.
inline constexpr int kSetupTimeoutMin = 30;
inline constexpr int kSetupTimeoutMax = 32767;
inline constexpr int kSetupIdentityMin = 0;
inline constexpr int kSetupIdentityMax = 32767;

// The dialog's fields, as the user sees and edits them.
struct TSetupFields {
  std::string TcpAdr;             // EditTcpAdr
  std::string TcpPort;            // EditTcpPort, read as a leading decimal integer
  std::string SlaveAdr;           // EditSlaveAdr, likewise
  std::string LocalNetInterface;  // the text of LocalNetInterfaceCB
  bool EnableTimeout = true;      // CheckBoxTimeout
  int Timeout = 60;               // UpDownTimeout, seconds
  int Prod = 1;                   // UpDownProd
  int Type = 1;                   // UpDownType
  std::string SerNum;             // EditSerNum, read as a leading decimal integer
  bool Debug = false;             // CheckBoxImitDebug

  bool operator==(const TSetupFields&) const = default;
};

// The local address as the dialog compares it: "0.0.0.0" when it is empty.
std::string EffectiveLocalAddress(const std::string& localAddress);

// The fields when the dialog opens: the stored keys (their defaults when missing; no file at all
// gives all defaults), the program-wide local address and debug flag. The up-down positions are
// kept within their ranges, as the controls would hold them.
TSetupFields ReadSetupFields(const TFastIniFile* ini, const std::string& localAddress, bool debug);

// OK: stores the fields in their fixed order and returns RestartNeeded. A changed interface also
// becomes the program-wide local address, a changed debug box the program-wide debug flag.
bool StoreSetupFields(TFastIniFile& ini, const TSetupFields& fields, std::string& localAddress,
                      bool& debug);
