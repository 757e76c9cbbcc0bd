#include "support/LocalInterfaces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

IpAddress Ip(const char* text)
{
  return StrToIp(text);
}

using Texts = std::vector<std::string>;

TEST(LocalInterfaceList, AnyFirstThenAddressesWithoutAnyAndLoopback)
{
  EXPECT_EQ(LocalInterfaceList({Ip("127.0.0.1"), Ip("192.168.0.10")}),
            (Texts{"0.0.0.0", "192.168.0.10"}));
  EXPECT_EQ(LocalInterfaceList({}), Texts{"0.0.0.0"});
  EXPECT_EQ(LocalInterfaceList({Ip("0.0.0.0"), Ip("10.0.0.5"), Ip("127.0.0.1"), Ip("127.0.0.2"),
                                Ip("172.16.1.1")}),
            (Texts{"0.0.0.0", "10.0.0.5", "127.0.0.2", "172.16.1.1"}));
}

TEST(LocalInterfaceList, KeepsTheGivenOrder)
{
  EXPECT_EQ(LocalInterfaceList({Ip("192.168.0.10"), Ip("10.0.0.5")}),
            (Texts{"0.0.0.0", "192.168.0.10", "10.0.0.5"}));
}

TEST(OrderAddressTable, AscendingByOctetsEachOnceUpToCapacity)
{
  const std::vector<IpAddress> found{Ip("192.168.0.10"), Ip("10.0.0.5"), Ip("127.0.0.1"),
                                     Ip("10.0.0.5"), Ip("9.255.255.255"), Ip("10.0.1.0")};
  EXPECT_EQ(OrderAddressTable(found, 20),
            (std::vector<IpAddress>{Ip("9.255.255.255"), Ip("10.0.0.5"), Ip("10.0.1.0"),
                                    Ip("127.0.0.1"), Ip("192.168.0.10")}));
  EXPECT_EQ(OrderAddressTable(found, 2),
            (std::vector<IpAddress>{Ip("9.255.255.255"), Ip("10.0.0.5")}));
  EXPECT_TRUE(OrderAddressTable(found, 0).empty());
}

TEST(GetIpAddresses, MachineTableIsOrderedAndBounded)
{
  const std::vector<IpAddress> all = GetIpAddresses();
  EXPECT_LE(all.size(), kLocalAddressCapacity);
  EXPECT_EQ(OrderAddressTable(all, kLocalAddressCapacity), all);
  const std::vector<IpAddress> one = GetIpAddresses(1);
  EXPECT_LE(one.size(), 1u);
  if (!all.empty()) {
    EXPECT_EQ(one.front(), all.front());
  }

  const Texts list = LocalInterfaceList();
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front(), "0.0.0.0");
  for (std::size_t i = 1; i < list.size(); ++i) {
    EXPECT_NE(list[i], "0.0.0.0");
    EXPECT_NE(list[i], "127.0.0.1");
  }
}

}  // namespace
