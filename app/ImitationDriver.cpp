#include "app/ImitationDriver.h"

#include "app/ImitationRegisters.h"

TImitationDriver::TImitationDriver() = default;

TImitationDriver::TImitationDriver(std::unique_ptr<TImitationRandom> random)
    : imitation_(std::move(random)) {}

TImitationResult TImitationDriver::Tick(std::uint32_t now, TSimulatorState& state, RegisterImage& image) {
  if (!started_) {
    started_ = true;
    imitation_.ShaftDrawn(now, state.Lift);
    const TImitationResult start = imitation_.Start(state.ImitEnable);
    if (start.StatusText) statusText_ = *start.StatusText;
  }
  TImitationResult result = imitation_.Timer1Tick(now, state.Controls, state.Lift, state.Disp, state.ImitEnable);
  ApplyToRegisters(result, state.Controls, image);
  if (result.StatusText) statusText_ = *result.StatusText;
  return result;
}
