// The lift's 51 input registers as the dispatching centre reads them.
//
// Written on the user-interface thread, read by the link thread; each register is written and read
// whole, so no lock is needed.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

inline constexpr int kRegisterCount = 51;

using RegisterImage = std::array<std::atomic<std::uint16_t>, kRegisterCount>;
