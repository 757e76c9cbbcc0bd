#include "app/SetupLogic.h"

#include <algorithm>

#include "app/LiftSettings.h"
#include "support/Fastini.h"
#include "support/NumberText.h"

namespace {

constexpr const char* kAnyInterface = "0.0.0.0";

// The keys' defaults, as everybody who reads them uses them.
constexpr const char* kDefaultTcpAdr = "192.168.1.200";
constexpr int kDefaultTcpPort = 4001;
constexpr int kDefaultSlaveAdr = 1;
constexpr bool kDefaultEnableTimeout = true;
constexpr int kDefaultTimeout = 60;

int ClampTimeout(int seconds) { return std::clamp(seconds, kSetupTimeoutMin, kSetupTimeoutMax); }
int ClampIdentity(int value) { return std::clamp(value, kSetupIdentityMin, kSetupIdentityMax); }

// Stores the value when it differs from the stored one; true when it did.
bool StoreChangedText(TFastIniFile& ini, const char* key, const char* defaultValue,
                      const std::string& value) {
  if (ini.ReadString(kSetupSection, key, defaultValue) == value) return false;
  ini.WriteString(kSetupSection, key, value);
  return true;
}

bool StoreChangedInteger(TFastIniFile& ini, const char* key, int defaultValue, int value) {
  if (ini.ReadInteger(kSetupSection, key, defaultValue) == value) return false;
  ini.WriteInteger(kSetupSection, key, value);
  return true;
}

bool StoreChangedBool(TFastIniFile& ini, const char* key, bool defaultValue, bool value) {
  if (ini.ReadBool(kSetupSection, key, defaultValue) == value) return false;
  ini.WriteBool(kSetupSection, key, value);
  return true;
}

bool StoreLocalInterface(TFastIniFile& ini, const std::string& text, std::string& localAddress) {
  if (text == EffectiveLocalAddress(localAddress)) return false;
  localAddress = text;
  ini.WriteString(kSetupSection, "LocalNetInterface", text);
  return true;
}

bool StoreDebug(TFastIniFile& ini, bool checked, bool& debug) {
  if (checked == debug) return false;
  debug = checked;
  ini.WriteBool(kSetupSection, "Debug", checked);
  return true;
}

}  // namespace

std::string EffectiveLocalAddress(const std::string& localAddress) {
  return localAddress.empty() ? kAnyInterface : localAddress;
}

TSetupFields ReadSetupFields(const TFastIniFile* ini, const std::string& localAddress, bool debug) {
  TSetupFields fields;
  fields.LocalNetInterface = EffectiveLocalAddress(localAddress);
  fields.Debug = debug;
  const TFastIniFile empty("", true);
  const TFastIniFile& file = ini ? *ini : empty;

  fields.TcpAdr = file.ReadString(kSetupSection, "TcpAdr", kDefaultTcpAdr);
  fields.TcpPort = IntToText(file.ReadInteger(kSetupSection, "TcpPort", kDefaultTcpPort));
  fields.SlaveAdr = IntToText(file.ReadInteger(kSetupSection, "SlaveAdr", kDefaultSlaveAdr));
  const TLiftIdentity identity = ReadLiftIdentity(file);
  fields.Prod = ClampIdentity(identity.Prod);
  fields.Type = ClampIdentity(identity.Type);
  fields.SerNum = IntToText(identity.SerNum);
  fields.EnableTimeout = file.ReadBool(kSetupSection, "EnableTimeout", kDefaultEnableTimeout);
  fields.Timeout = ClampTimeout(file.ReadInteger(kSetupSection, "Timeout", kDefaultTimeout));
  return fields;
}

bool StoreSetupFields(TFastIniFile& ini, const TSetupFields& fields, std::string& localAddress,
                      bool& debug) {
  bool restart = false;
  restart |= StoreChangedText(ini, "TcpAdr", kDefaultTcpAdr, fields.TcpAdr);
  restart |= StoreChangedInteger(ini, "TcpPort", kDefaultTcpPort, TextToInt(fields.TcpPort));
  restart |= StoreLocalInterface(ini, fields.LocalNetInterface, localAddress);
  restart |= StoreDebug(ini, fields.Debug, debug);
  restart |= StoreChangedInteger(ini, "SlaveAdr", kDefaultSlaveAdr, TextToInt(fields.SlaveAdr));
  ini.WriteInteger(kSetupSection, "Prod", ClampIdentity(fields.Prod));
  ini.WriteInteger(kSetupSection, "Type", ClampIdentity(fields.Type));
  ini.WriteInteger(kSetupSection, "SerNum", TextToInt(fields.SerNum));
  restart |= StoreChangedBool(ini, "EnableTimeout", kDefaultEnableTimeout, fields.EnableTimeout);
  restart |= StoreChangedInteger(ini, "Timeout", kDefaultTimeout, ClampTimeout(fields.Timeout));
  return restart;
}
