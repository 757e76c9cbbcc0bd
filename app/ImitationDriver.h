// The automatic imitation for a program without windows: the simulator's state, its register
// image and a 50 ms tick are all it needs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/Imitation.h"
#include "app/LiftSettings.h"
#include "modbus/RegisterImage.h"

class TImitationDriver {
public:
  static constexpr std::uint32_t kTimerPeriodMs = 50;

  TImitationDriver();
  explicit TImitationDriver(std::unique_ptr<TImitationRandom> random);

  // One tick of Timer1 on the state; the registers of the controls it changed are recomputed.
  // The first tick stands for the window's first show: the motion clock starts there.
  TImitationResult Tick(std::uint32_t now, TSimulatorState& state, RegisterImage& image);

  // Status panel 2 as the imitation last wrote it.
  const std::string& StatusText() const { return statusText_; }

  TImitation& Imitation() { return imitation_; }

private:
  TImitation imitation_;
  bool started_ = false;
  std::string statusText_;
};
