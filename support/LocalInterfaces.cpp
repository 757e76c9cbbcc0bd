#include "support/LocalInterfaces.h"

#include <algorithm>
#include <cstring>

#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>

std::string LocalAddress = "0.0.0.0";

namespace {

bool AscendingAddress(const IpAddress& a, const IpAddress& b)
{
  return a.bytes < b.bytes;
}

}  // namespace

std::vector<IpAddress> OrderAddressTable(std::vector<IpAddress> addresses, std::size_t capacity)
{
  std::sort(addresses.begin(), addresses.end(), AscendingAddress);
  addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
  if (addresses.size() > capacity) addresses.resize(capacity);
  return addresses;
}

std::vector<IpAddress> GetIpAddresses(std::size_t capacity)
{
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return {};
  std::vector<IpAddress> found;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    sockaddr_in address;
    std::memcpy(&address, entry->ifa_addr, sizeof address);
    found.push_back(IpAddress::FromValue(address.sin_addr.s_addr));
  }
  freeifaddrs(list);
  return OrderAddressTable(std::move(found), capacity);
}

std::vector<std::string> LocalInterfaceList(const std::vector<IpAddress>& addresses)
{
  const IpAddress any{};
  const IpAddress loopback{{127, 0, 0, 1}};
  std::vector<std::string> list{IpToStr(any)};
  for (const IpAddress& address : addresses) {
    if (SameIp(address, any) || SameIp(address, loopback)) continue;
    list.push_back(IpToStr(address));
  }
  return list;
}

std::vector<std::string> LocalInterfaceList()
{
  return LocalInterfaceList(GetIpAddresses(kLocalAddressCapacity));
}
