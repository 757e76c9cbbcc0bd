// The registers that follow what the imitation changed, for programs that keep the lift's
// controls without widgets (a window recomputes them from its own handlers).
#pragma once

#include "app/Imitation.h"
#include "app/LiftControls.h"
#include "modbus/RegisterImage.h"

// Recomputes the registers of every control group the result names, and only those.
void ApplyToRegisters(const TImitationResult& result, const TLiftControls& controls, RegisterImage& image);
