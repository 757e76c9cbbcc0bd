// Windows-1251 <-> UTF-8.
//
// Inside the program every text is UTF-8; Windows-1251 exists only at the edges (files, gateway
// records, the fault text in the registers, the protocol log). The round trip
// Utf8ToCp1251(Cp1251ToUtf8(b)) == b holds for every byte string b: the one byte that
// Windows-1251 leaves unassigned, 0x98, maps to U+0098.
#pragma once

#include <string>
#include <string_view>

// Every byte becomes one character; never fails.
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters that Windows-1251 cannot hold, and bytes that are not valid UTF-8, become '?'.
std::string Utf8ToCp1251(std::string_view text);

// The number of Windows-1251 bytes the text takes (lengths the system counts in bytes).
std::size_t Cp1251Length(std::string_view text);
