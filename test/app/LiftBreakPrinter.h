// Custom fault entries as test failures show them.
#pragma once

#include <ostream>

#include "app/LiftBreakList.h"

inline void PrintTo(const TLiftBreak& entry, std::ostream* out) {
  *out << "(" << entry.Code << ", \"" << entry.Text << "\")";
}
