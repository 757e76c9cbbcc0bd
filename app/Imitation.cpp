#include "app/Imitation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/ImitationTexts.h"
#include "app/LiftRegisters.h"
#include "support/NumberText.h"

namespace {

constexpr double kMinSpeed = 0.1;       // m/s, travel speed limits
constexpr double kMaxSpeed = 3.0;
constexpr double kSlowZone = 1.0;       // m before the destination
constexpr double kMinSlowSpeed = 0.05;  // m/s
constexpr double kFloorsPerMetre = 0.3125;
constexpr int kPickAttempts = 1000;     // draws before PickOtherFloor stops trusting its source

// Timed states and fault times wait at most this long, so a comparison that allows for the clock
// wrapping in 32 bits still tells earlier from later.
constexpr std::int64_t kMaxDelayMs = std::numeric_limits<std::int32_t>::max();

// The clock wraps in 32 bits: "now is earlier than t" is the sign of the difference.
bool Earlier(std::uint32_t now, std::uint32_t t) { return static_cast<std::int32_t>(now - t) < 0; }

std::string SecondsLeft(std::uint32_t now, std::uint32_t t) {
  return IntToText(static_cast<int>((t - now) / 1000));
}

std::uint32_t After(std::uint32_t now, std::int64_t count, std::int64_t unitMs) {
  const std::int64_t delay = std::clamp(count * unitMs, std::int64_t{0}, kMaxDelayMs);
  return now + static_cast<std::uint32_t>(delay);
}

// trunc(y * 0.3125 + 1): the floor at or below height y; far-off heights are held within int.
int FloorBelow(double y) {
  const double floor = std::trunc(y * kFloorsPerMetre + 1);
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::clamp(floor, -kLimit, kLimit));
}

void Set(bool& box, bool ticked, unsigned group, TImitationResult& result) {
  if (box == ticked) return;
  box = ticked;
  result.ChangedGroups |= group;
}

}  // namespace

TImitation::TImitation() : TImitation(std::make_unique<TClockSeededRandom>()) {}

TImitation::TImitation(std::unique_ptr<TImitationRandom> random) : random_(std::move(random)) {}

TImitationResult TImitation::Timer1Tick(std::uint32_t now, TLiftControls& controls, LIFT_INFO& lift,
                                        const TDispBoxes& disp, bool imitEnable) {
  TImitationResult result;
  TStep step{controls, lift, result, now};
  MotionStep(step);
  if (!imitEnable) {
    imitState_ = 0;
    deadline_ = now;
    return result;
  }
  StateMachineStep(step, disp);
  DispatchingStep(step, disp);
  return result;
}

TImitationResult TImitation::Start(bool imitEnable) {
  TImitationResult result;
  if (!imitEnable) SetStatus(result, kImitOffText);
  return result;
}

// ---- motion --------------------------------------------------------------------------------

void TImitation::MotionStep(TStep& step) {
  LIFT_INFO& lift = step.Lift;
  // A height that is not a number (a hand-written file) would never arrive: stand at the floor.
  if (!std::isfinite(lift.Y) || !std::isfinite(lift.TargetY)) lift.Y = lift.TargetY = 0.0;

  if (lift.Y == lift.TargetY) {
    lift.Y = FloorLevel(lift.Floor);
    lift.TargetY = lift.Y;
    lift.TargetFloor = lift.Floor;
    ShowTargetMark(step.Result, lift, false);
  } else {
    MoveCab(step);
    ShowTargetMark(step.Result, lift, true);
  }
  lastTick_ = step.Now;
  UpdateCabPicture(step.Result, lift);
}

void TImitation::MoveCab(TStep& step) {
  LIFT_INFO& lift = step.Lift;
  double v = lift.Velocity;
  if (!(v >= kMinSpeed)) v = kMinSpeed;  // also a speed that is not a number
  if (v > kMaxSpeed) v = kMaxSpeed;
  if (std::fabs(lift.TargetY - lift.Y) < kSlowZone) {
    v = v * lift.Procent * 0.01;
    if (!(v >= kMinSlowSpeed)) v = kMinSlowSpeed;
  }
  const double d = static_cast<double>(step.Now - lastTick_) * v * 0.001;

  bool arrived = false;
  if (lift.TargetFloor < lift.Floor) {
    lift.Y -= d;
    arrived = !(lift.Y > lift.TargetY);
    if (!arrived) lift.Floor = FloorBelow(lift.Y) + 1;
  } else {
    lift.Y += d;
    arrived = !(lift.Y < lift.TargetY);
    if (!arrived) lift.Floor = FloorBelow(lift.Y);
  }
  if (!arrived) return;
  imitState_ = 6;
  SetStatus(step.Result, kArrivedText);
  lift.Y = lift.TargetY;
  lift.Floor = lift.TargetFloor;
}

void TImitation::UpdateCabPicture(TImitationResult& result, const LIFT_INFO& lift) {
  const TCabPlace place = CabPlace(lift);
  if (shownCab_ == place) return;
  shownCab_ = place;
  result.Cab = place;
}

void TImitation::ShowTargetMark(TImitationResult& result, const LIFT_INFO& lift, bool on) {
  const TTargetMark mark = on ? TTargetMark{true, lift.TargetFloor} : TTargetMark{};
  if (shownMark_ == mark) return;
  shownMark_ = mark;
  result.TargetMark = mark;
}

void TImitation::SetTargetFloor(std::uint32_t now, LIFT_INFO& lift, int floor) {
  if (floor < 1) floor = 1;
  if (floor > lift.FloorCount) floor = lift.FloorCount;
  if (floor == lift.Floor) return;
  lift.TargetFloor = floor;
  lift.TargetY = FloorLevel(floor);
  lastTick_ = now;
}

bool TImitation::PickOtherFloor(std::uint32_t now, LIFT_INFO& lift) {
  const int count = lift.FloorCount;
  const bool inside = lift.Floor >= 1 && lift.Floor <= count;
  if (count < 1 || (count == 1 && inside)) return false;  // no other floor to go to

  for (int attempt = 0; attempt < kPickAttempts; ++attempt) {
    const auto drawn = RandomBetween(*random_, 1, std::int64_t{count} + 1);
    const int floor = static_cast<int>(std::clamp<std::int64_t>(drawn, 1, count));
    if (floor == lift.Floor) continue;
    SetTargetFloor(now, lift, floor);
    return true;
  }
  // A source that keeps drawing the cab's own floor: the next floor up, or down from the top.
  SetTargetFloor(now, lift, !inside ? 1 : lift.Floor < count ? lift.Floor + 1 : lift.Floor - 1);
  return true;
}

void TImitation::ShaftClicked(std::uint32_t now, LIFT_INFO& lift, int y, bool imitEnable) {
  if (imitEnable) return;
  SetTargetFloor(now, lift, ShaftClickFloor(lift.FloorCount, y));
}

TImitationResult TImitation::ShaftDrawn(std::uint32_t now, LIFT_INFO& lift) {
  lastTick_ = now;
  if (lift.FloorCount < lift.Floor) {
    lift.Floor = lift.FloorCount;
    lift.TargetFloor = lift.FloorCount;
    lift.Y = FloorLevel(lift.FloorCount);
    lift.TargetY = lift.Y;
  }
  // A new picture: the cab and the mark are placed anew.
  TImitationResult result;
  result.ShaftRedraw = true;
  const bool markOn = shownMark_ && shownMark_->Visible;
  shownMark_.reset();
  shownCab_.reset();
  ShowTargetMark(result, lift, markOn);
  UpdateCabPicture(result, lift);
  return result;
}

TLiftSetupResult TImitation::ApplyLiftSetup(std::uint32_t now, const TLiftSetupTexts& typed,
                                            LIFT_INFO& lift, char decimalSeparator) {
  const TLiftSetupApplied applied = ::ApplyLiftSetup(typed, lift, decimalSeparator);
  if (applied.RestartImitation) imitState_ = 0;
  return {applied.Shown, ShaftDrawn(now, lift)};
}

// ---- handlers ------------------------------------------------------------------------------

TImitationResult TImitation::ImitEnableClicked(bool ticked, LIFT_INFO& lift) {
  TImitationResult result;
  if (ticked) {
    // A cab on its way stops; the next motion step puts it on the level of its floor.
    if (lift.Y != lift.TargetY) {
      lift.TargetY = lift.Y;
      lift.TargetFloor = lift.Floor;
    }
    imitState_ = 0;
    return result;
  }
  SetStatus(result, kImitOffText);
  SetLiftOk(result, false);
  return result;
}

TImitationResult TImitation::LiftOkClicked() {
  TImitationResult result;
  imitState_ = 0;
  SetLiftOk(result, false);
  return result;
}

// ---- state machine -------------------------------------------------------------------------

void TImitation::StateMachineStep(TStep& step, const TDispBoxes& disp) {
  LIFT_INFO& lift = step.Lift;
  switch (imitState_) {
    case 0:
      StartState(step);
      return;
    case 1:
      ReadyState(step);
      return;
    case 2:  // boarding at floor 1
      if (Waiting(step)) return;
      lift.Pass = true;
      TimedBy(step, 10, 50, 100);
      GoTo(step, 3, kPassengerInsideText);
      return;
    case 3:  // passenger inside
      if (Waiting(step)) return;
      lift.DoorsOpen = false;
      if (random_->R(3) == 0) {
        TimedBy(step, 10, 40, 100);
        GoTo(step, 4, kAwaitingOrderText);
        return;
      }
      PickOtherFloor(step.Now, lift);
      GoTo(step, 5, kOrderTripText);
      return;
    case 4:  // waiting for an order
      if (Waiting(step)) return;
      PickOtherFloor(step.Now, lift);
      GoTo(step, 5, kOrderTripText);
      return;
    case 5:  // travelling: the motion step ends the trip
      lift.InZone = false;
      // Only a building without another floor sends the cab nowhere: count it as arrived.
      if (lift.Y == lift.TargetY) GoTo(step, 6, kArrivedText);
      return;
    case 6:  // arrived
      lift.InZone = true;
      lift.DoorsOpen = true;
      TimedBy(step, 10, 50, 100);
      GoTo(step, 7, kDoorsOpenText);
      return;
    case 7:
      DoorsOpenState(step);
      return;
    case 8:  // boarding
      if (Waiting(step)) return;
      lift.Pass = true;
      TimedBy(step, 30, 50, 100);
      GoTo(step, 9, kBoardingText);
      return;
    case 9:
      DoorsClosingState(step);
      return;
    case 10:
      PauseState(step, disp);
      return;
    case 11:
      FaultState(step);
      return;
    default:
      imitState_ = 0;
      return;
  }
}

void TImitation::StartState(TStep& step) {
  random_->Reseed(step.Now);
  imitState_ = 1;
  SetStatus(step.Result, "");
  const auto seconds = RandomBetween(*random_, step.Lift.BreakPeriodFrom, step.Lift.BreakPeriodTo);
  step.Lift.NextFaultTime = After(step.Now, seconds, 1000);
}

void TImitation::ReadyState(TStep& step) {
  TLiftControls& controls = step.Controls;
  LIFT_INFO& lift = step.Lift;
  lift.InZone = true;
  if (controls.Regim != 0) {
    controls.Regim = 0;
    step.Result.ChangedGroups |= kModeGroup;
  }
  ClearFault(step);

  if (lift.Floor == 1) {
    if (random_->R(2) == 0) return;
    lift.DoorsOpen = true;
    TimedBy(step, 10, 50, 100);
    GoTo(step, 2, kBoardingAtFirstText);
    return;
  }
  lift.DoorsOpen = false;
  lift.Pass = false;
  if (random_->R(3) != 0)
    PickOtherFloor(step.Now, lift);
  else
    SetTargetFloor(step.Now, lift, 1);
  GoTo(step, 5, kCallTripText);
}

// The lift is sound again: both "no" boxes ticked, the alarm state box unticked. The list items
// stay ticked, so the same alarm or fault comes back next time.
void TImitation::ClearFault(TStep& step) {
  TLiftControls& controls = step.Controls;
  step.Lift.Faulted = false;
  Set(controls.NoAlarm, true, kAlarmGroup, step.Result);
  Set(controls.NoLiftBreak, true, kLiftBreakGroup, step.Result);
  SetLiftOk(step.Result, false);
  Set(controls.State.Alarm, false, kStateGroup, step.Result);
}

void TImitation::DoorsOpenState(TStep& step) {
  if (Waiting(step)) return;
  LIFT_INFO& lift = step.Lift;
  if (lift.Pass) {
    lift.Pass = false;  // the passenger leaves
    const bool boards = lift.Floor == 1 ? random_->R(10) == 0 : random_->R(20) == 0;
    if (boards) {
      TimedBy(step, 20, 40, 100);
      GoTo(step, 8, kBoardingText);
      return;
    }
  } else {
    lift.Pass = true;  // the caller boards
  }
  TimedBy(step, 30, 50, 100);
  GoTo(step, 9, kDoorsClosingText);
}

void TImitation::DoorsClosingState(TStep& step) {
  if (Waiting(step)) return;
  LIFT_INFO& lift = step.Lift;
  lift.DoorsOpen = false;
  if (lift.Pass) {
    if (lift.Floor == 1)
      PickOtherFloor(step.Now, lift);
    else
      SetTargetFloor(step.Now, lift, 1);
    GoTo(step, 5, kOrderTripText);
    return;
  }
  TimedBy(step, lift.MoveFrom, lift.MoveTo, 1000);
  GoTo(step, 10, kPauseText);
}

void TImitation::PauseState(TStep& step, const TDispBoxes& disp) {
  if (!Earlier(step.Now, deadline_)) {
    imitState_ = 1;
    return;
  }
  if (!disp.Alarm) return;
  const std::uint32_t due = step.Lift.NextFaultTime;
  if (Earlier(step.Now, due)) {
    SetStatus(step.Result, kPauseUntilFaultText + SecondsLeft(step.Now, due) + kSecondsText);
    return;
  }
  RaiseFault(step);
}

// Alarm items ticked in advance make it an alarm; otherwise it is a fault, one drawn at random
// when no fault item is ticked yet.
void TImitation::RaiseFault(TStep& step) {
  TLiftControls& controls = step.Controls;
  LIFT_INFO& lift = step.Lift;
  if (TickedAlarmBits(controls) != 0) {
    Set(controls.NoAlarm, false, kAlarmGroup, step.Result);
    lift.FaultText = kAlarmFaultText;
  } else {
    if (TickedFaultBits(controls) == 0) {
      const auto item = static_cast<std::size_t>(random_->R(kLiftBreakCount) % kLiftBreakCount);
      Set(controls.LiftBreaks[item], true, kLiftBreakGroup, step.Result);
    }
    Set(controls.NoLiftBreak, false, kLiftBreakGroup, step.Result);
    lift.FaultText = kLiftBreakFaultText;
  }
  lift.Faulted = true;
  SetStatus(step.Result, lift.FaultText);
  imitState_ = 11;
  Set(controls.State.Alarm, true, kStateGroup, step.Result);
  TimedBy(step, lift.BreakLenFrom, lift.BreakLenTo, 1000);
  SetLiftOk(step.Result, true);
}

void TImitation::FaultState(TStep& step) {
  if (Earlier(step.Now, deadline_)) {
    SetStatus(step.Result,
              step.Lift.FaultText + kRemainingText + SecondsLeft(step.Now, deadline_) + kSecondsText);
    return;
  }
  imitState_ = 0;
  SetLiftOk(step.Result, false);
}

// Which imitated facts reach the state boxes and the floor.
void TImitation::DispatchingStep(TStep& step, const TDispBoxes& disp) {
  TLiftControls& controls = step.Controls;
  const LIFT_INFO& lift = step.Lift;
  TImitationResult& result = step.Result;

  // The up-down holds kFloorMin..kFloorMax like its widget.
  const int floor = disp.Floor ? std::clamp(lift.Floor, kFloorMin, kFloorMax) : 0;
  if (controls.Floor != floor) {
    controls.Floor = floor;
    result.ChangedGroups |= kFloorGroup;
  }
  const bool travelling = imitState_ == 5;
  TLiftStateBoxes& state = controls.State;
  Set(state.TO, disp.TO && lift.InZone, kStateGroup, result);
  Set(state.MoveUp, disp.MoveUp && travelling && lift.Y < lift.TargetY, kStateGroup, result);
  Set(state.MoveDown, disp.MoveDown && travelling && lift.Y > lift.TargetY, kStateGroup, result);
  Set(state.DO, disp.Open && lift.DoorsOpen, kStateGroup, result);
  Set(state.Pass, disp.Pass && lift.Pass, kStateGroup, result);
}

// ---- helpers -------------------------------------------------------------------------------

bool TImitation::Waiting(const TStep& step) const { return Earlier(step.Now, deadline_); }

void TImitation::TimedBy(TStep& step, std::int64_t from, std::int64_t to, std::int64_t unitMs) {
  deadline_ = After(step.Now, RandomBetween(*random_, from, to), unitMs);
}

void TImitation::GoTo(TStep& step, int state, const std::string& text) {
  imitState_ = state;
  SetStatus(step.Result, text);
}

void TImitation::SetStatus(TImitationResult& result, const std::string& text) {
  if (shownText_ == text) return;
  shownText_ = text;
  result.StatusText = text;
}

void TImitation::SetLiftOk(TImitationResult& result, bool visible) {
  if (shownLiftOk_ == visible) return;
  shownLiftOk_ = visible;
  result.LiftOkVisible = visible;
}
