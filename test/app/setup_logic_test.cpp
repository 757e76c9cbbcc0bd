// The settings dialog's fields: what it shows on opening and what OK stores.
#include "app/SetupLogic.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test/TempFolder.h"
#include "support/Fastini.h"

namespace {

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// The keys of section SETUP with their values, in file order.
std::vector<std::string> SetupKeys(TFastIniFile& ini) {
  std::vector<std::string> keys;
  const TIniSection* section = ini.FindSection("SETUP");
  for (std::size_t i = 0; section && i < section->ParamCount(); ++i)
    keys.push_back(section->ParamAt(i)->Name() + "=" + section->ParamAt(i)->Value());
  return keys;
}

TEST(SetupLogic, MissingKeysShowTheDefaults) {
  TempFolder folder;
  const TFastIniFile ini(folder.File("Trevolk.ini"));
  const TSetupFields expected{"192.168.1.200", "4001", "1", "0.0.0.0", true, 60, 1, 1, "12345678",
                              false};
  EXPECT_EQ(ReadSetupFields(&ini, "0.0.0.0", false), expected);
  EXPECT_EQ(ReadSetupFields(nullptr, "0.0.0.0", false), expected);
}

TEST(SetupLogic, OpeningShowsStoredValuesAndProgramState) {
  TempFolder folder;
  WriteBytes(folder.File("Trevolk.ini"),
             Lines({"[SETUP]", "TcpAdr=gate.local", "TcpPort=5002", "SlaveAdr=17",
                    "LocalNetInterface=10.1.1.1", "EnableTimeout=0", "Timeout=45", "Prod=7",
                    "Type=300", "SerNum=-42", "Debug=1"}));
  const TFastIniFile ini(folder.File("Trevolk.ini"));
  // The interface and the debug box show the program's state, not the file's.
  EXPECT_EQ(ReadSetupFields(&ini, "192.168.0.10", false),
            (TSetupFields{"gate.local", "5002", "17", "192.168.0.10", false, 45, 7, 300, "-42",
                          false}));
  EXPECT_EQ(ReadSetupFields(&ini, "", true).LocalNetInterface, "0.0.0.0");
  EXPECT_TRUE(ReadSetupFields(&ini, "", true).Debug);
}

TEST(SetupLogic, UpDownPositionsStayWithinTheirRanges) {
  struct Case {
    const char* timeout;
    const char* identity;
    int expectedTimeout;
    int expectedIdentity;
  };
  const Case cases[] = {
      {"10", "-5", 30, 0},
      {"30", "0", 30, 0},
      {"32767", "32767", 32767, 32767},
      {"99999", "70000", 32767, 32767},
      {"abc", "abc", 30, 0},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    WriteBytes(folder.File("Trevolk.ini"),
               Lines({"[SETUP]", (std::string("Timeout=") + c.timeout).c_str(),
                      (std::string("Prod=") + c.identity).c_str(),
                      (std::string("Type=") + c.identity).c_str()}));
    const TFastIniFile ini(folder.File("Trevolk.ini"));
    const TSetupFields fields = ReadSetupFields(&ini, "0.0.0.0", false);
    EXPECT_EQ(fields.Timeout, c.expectedTimeout) << c.timeout;
    EXPECT_EQ(fields.Prod, c.expectedIdentity) << c.identity;
    EXPECT_EQ(fields.Type, c.expectedIdentity) << c.identity;
  }
}

TEST(SetupLogic, OkWithoutChangesStoresOnlyTheLiftIdentity) {
  const std::vector<std::string> files[] = {
      {},
      {"[SETUP]", "TcpAdr=10.0.0.7", "TcpPort=4001", "SlaveAdr=3", "EnableTimeout=1",
       "Timeout=45", "Debug=1", "LocalNetInterface=10.0.0.2"},
  };
  for (const std::vector<std::string>& lines : files) {
    TempFolder folder;
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    WriteBytes(folder.File("Trevolk.ini"), content);
    TFastIniFile ini(folder.File("Trevolk.ini"));
    std::string localAddress = ini.ReadString("SETUP", "LocalNetInterface", "0.0.0.0");
    bool debug = ini.ReadBool("SETUP", "Debug", false);
    std::vector<std::string> before = SetupKeys(ini);

    EXPECT_FALSE(StoreSetupFields(ini, ReadSetupFields(&ini, localAddress, debug), localAddress,
                                  debug));

    for (const char* key : {"Prod=1", "Type=1", "SerNum=12345678"}) before.push_back(key);
    EXPECT_EQ(SetupKeys(ini), before);
    EXPECT_EQ(ini.SectionCount(), 1u);
  }
}

TEST(SetupLogic, EachChangeStoresItsKeyAndTellsWhetherTheLinkRestarts) {
  struct Case {
    const char* what;
    std::function<void(TSetupFields&)> change;
    std::vector<std::string> stored;  // SETUP after OK
    bool restart;
  };
  const std::vector<std::string> identity = {"Prod=1", "Type=1", "SerNum=12345678"};
  auto with = [&](std::vector<std::string> before, std::vector<std::string> after = {}) {
    before.insert(before.end(), identity.begin(), identity.end());
    before.insert(before.end(), after.begin(), after.end());
    return before;
  };
  const Case cases[] = {
      {"address", [](TSetupFields& f) { f.TcpAdr = "10.0.0.9"; }, with({"TcpAdr=10.0.0.9"}), true},
      {"port", [](TSetupFields& f) { f.TcpPort = "502"; }, with({"TcpPort=502"}), true},
      {"port without a number", [](TSetupFields& f) { f.TcpPort = "abc"; }, with({"TcpPort=0"}), true},
      {"port read up to the first non-digit", [](TSetupFields& f) { f.TcpPort = " 4001x"; }, with({}), false},
      {"interface", [](TSetupFields& f) { f.LocalNetInterface = "192.168.0.10"; },
       with({"LocalNetInterface=192.168.0.10"}), true},
      {"debug", [](TSetupFields& f) { f.Debug = true; }, with({"Debug=1"}), true},
      {"slave", [](TSetupFields& f) { f.SlaveAdr = "7 "; }, with({"SlaveAdr=7"}), true},
      {"timeout switch", [](TSetupFields& f) { f.EnableTimeout = false; }, with({}, {"EnableTimeout=0"}), true},
      {"timeout", [](TSetupFields& f) { f.Timeout = 45; }, with({}, {"Timeout=45"}), true},
      {"timeout below its range", [](TSetupFields& f) { f.Timeout = 5; }, with({}, {"Timeout=30"}), true},
      {"manufacturer", [](TSetupFields& f) { f.Prod = 9; }, {"Prod=9", "Type=1", "SerNum=12345678"}, false},
      {"manufacturer beyond its range", [](TSetupFields& f) { f.Prod = 40000; },
       {"Prod=32767", "Type=1", "SerNum=12345678"}, false},
      {"type", [](TSetupFields& f) { f.Type = 0; }, {"Prod=1", "Type=0", "SerNum=12345678"}, false},
      {"serial number", [](TSetupFields& f) { f.SerNum = "87654321"; }, {"Prod=1", "Type=1", "SerNum=87654321"}, false},
      {"serial number without a number", [](TSetupFields& f) { f.SerNum = "abc"; }, {"Prod=1", "Type=1", "SerNum=0"}, false},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    TFastIniFile ini(folder.File("Trevolk.ini"));
    std::string localAddress = "0.0.0.0";
    bool debug = false;
    TSetupFields fields = ReadSetupFields(&ini, localAddress, debug);
    c.change(fields);
    EXPECT_EQ(StoreSetupFields(ini, fields, localAddress, debug), c.restart) << c.what;
    EXPECT_EQ(SetupKeys(ini), c.stored) << c.what;
    EXPECT_EQ(localAddress, fields.LocalNetInterface) << c.what;
    EXPECT_EQ(debug, fields.Debug) << c.what;
  }
}

TEST(SetupLogic, EverythingChangedIsStoredInTheDialogsOrder) {
  TempFolder folder;
  TFastIniFile ini(folder.File("Trevolk.ini"));
  std::string localAddress = "0.0.0.0";
  bool debug = true;
  const TSetupFields fields{"gate", "4002", "2", "10.0.0.2", false, 90, 3, 4, "5", false};
  EXPECT_TRUE(StoreSetupFields(ini, fields, localAddress, debug));
  EXPECT_EQ(SetupKeys(ini),
            (std::vector<std::string>{"TcpAdr=gate", "TcpPort=4002", "LocalNetInterface=10.0.0.2",
                                      "Debug=0", "SlaveAdr=2", "Prod=3", "Type=4", "SerNum=5",
                                      "EnableTimeout=0", "Timeout=90"}));
  EXPECT_EQ(localAddress, "10.0.0.2");
  EXPECT_FALSE(debug);
}

TEST(SetupLogic, AnEmptyLocalAddressCountsAsAnyInterface) {
  TempFolder folder;
  TFastIniFile ini(folder.File("Trevolk.ini"));
  std::string localAddress;
  bool debug = false;
  TSetupFields fields = ReadSetupFields(&ini, localAddress, debug);
  EXPECT_EQ(fields.LocalNetInterface, "0.0.0.0");
  EXPECT_FALSE(StoreSetupFields(ini, fields, localAddress, debug));
  EXPECT_EQ(localAddress, "");
  EXPECT_FALSE(ini.ValueExists("SETUP", "LocalNetInterface"));
}

}  // namespace
