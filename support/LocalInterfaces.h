// The machine's local IPv4 addresses and the list of interfaces offered for binding sockets.
//
// GetIpAddresses is the one platform-dependent piece (getifaddrs here); everything that builds on
// it takes the addresses as a plain list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "support/Ipadr.h"

constexpr std::size_t kLocalAddressCapacity = 20;

// The machine's IPv4 addresses, each once, in ascending order (by first octet, then second, ...),
// at most capacity of them (the lowest). Empty when the system cannot tell.
std::vector<IpAddress> GetIpAddresses(std::size_t capacity = kLocalAddressCapacity);

// Puts addresses into the table order of GetIpAddresses: ascending, each once, at most capacity.
std::vector<IpAddress> OrderAddressTable(std::vector<IpAddress> addresses, std::size_t capacity);

// "0.0.0.0" (any interface) first, then every address that is neither 0.0.0.0 nor 127.0.0.1 as
// dotted text, in the given order.
std::vector<std::string> LocalInterfaceList(const std::vector<IpAddress>& addresses);

// The same for this machine's own addresses (at most kLocalAddressCapacity read).
std::vector<std::string> LocalInterfaceList();

// The program-wide local address to which the gateway toolkit binds its sockets, as dotted text;
// "0.0.0.0" means any interface. The main window loads it (SETUP LocalNetInterface) and the
// settings dialog changes it. The MODBUS-LIFT link never uses it.
extern std::string LocalAddress;
