// Long runs of the imitation on a fake clock: an imitated day with the operator's interventions,
// and lifts whose stored values are junk.
#include "app/Imitation.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <set>

#include "app/ImitationDriver.h"
#include "app/ImitationTexts.h"
#include "test/app/ImitationRig.h"

namespace {

constexpr int kTicksPerHour = 60 * 60 * 20;

// What the operator does at the start of some hours of the day.
void Intervene(TImitationRig& rig, int hour) {
  switch (hour % 8) {
    case 1:  // alarms come instead of faults
      rig.Controls.Alarms[hour % kAlarmCount] = true;
      UpdateAlarmRegister(rig.Image, rig.Controls);
      break;
    case 2:  // the dispatching centre sees less
      rig.Disp.Floor = rig.Disp.MoveUp = false;
      break;
    case 3:  // the operator takes over and sends the cab by hand
      rig.SwitchImitation(false);
      rig.Imitation->ShaftClicked(rig.Now, rig.Lift, 5, rig.ImitEnable);
      break;
    case 4:
      rig.SwitchImitation(true);
      rig.Disp = TDispBoxes{};
      break;
    case 5:  // a smaller building, then a larger one
      rig.View.Apply(rig.Imitation->ApplyLiftSetup(rig.Now, {"2,5", "6", "0", "5", "30", "60", "10", "20"}, rig.Lift).View);
      break;
    case 6:
      rig.View.Apply(rig.Imitation->ApplyLiftSetup(rig.Now, {"3", "22", "1", "20", "120", "240", "60", "180"}, rig.Lift).View);
      rig.Controls.Alarms = {};
      UpdateAlarmRegister(rig.Image, rig.Controls);
      break;
    case 7:
      if (rig.View.LiftOkVisible) rig.View.Apply(rig.Imitation->LiftOkClicked());
      break;
  }
}

TEST(ImitationDay, InvariantsHoldAllDay) {
  TImitationRig rig(std::make_unique<TClockSeededRandom>(), 123456);
  rig.Show();
  rig.SwitchImitation(true);

  std::set<int> states;
  int alarms = 0, faults = 0, trips = 0;
  bool wasFaulted = false;
  int previousTarget = rig.Lift.TargetFloor;
  for (int tick = 0; tick < 24 * kTicksPerHour; ++tick) {
    if (tick % kTicksPerHour == 0) Intervene(rig, tick / kTicksPerHour);
    rig.Tick();

    const LIFT_INFO& lift = rig.Lift;
    const int state = rig.Imitation->ImitState();
    ASSERT_GE(lift.Floor, 1) << tick;
    ASSERT_LE(lift.Floor, lift.FloorCount) << tick;
    ASSERT_GE(state, 0) << tick;
    ASSERT_LE(state, 11) << tick;
    ASSERT_GE(lift.Y, 0.0) << tick;
    ASSERT_LE(lift.Y, FloorLevel(lift.FloorCount)) << tick;
    ASSERT_TRUE(rig.RegistersMatchControls()) << tick;
    if (rig.ImitEnable) {
      ASSERT_EQ(rig.Controls.State.Alarm, lift.Faulted) << tick;
      ASSERT_TRUE(state != 11 || rig.View.LiftOkVisible) << tick;
      ASSERT_TRUE(!rig.Disp.Floor || rig.Controls.Floor == lift.Floor) << tick;
    }
    ASSERT_TRUE(!rig.View.LiftOkVisible || state == 11 || state == 0 || state == 1) << tick;

    states.insert(state);
    if (lift.Faulted && !wasFaulted) (lift.FaultText == kAlarmFaultText ? alarms : faults)++;
    wasFaulted = lift.Faulted;
    trips += lift.TargetFloor != previousTarget;
    previousTarget = lift.TargetFloor;
  }
  // State 6 never outlasts a tick: the arrival's own tick goes on to state 7, or resets.
  EXPECT_EQ(states, (std::set<int>{0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11}));
  EXPECT_GT(alarms, 0);
  EXPECT_GT(faults, 0);
  EXPECT_GT(trips, 500);
}

// Values a hand-written "Trevolk.ini" may hold: the imitation neither hangs nor misbehaves.
struct TJunkCase {
  const char* Name;
  void (*Spoil)(LIFT_INFO&);
};

class ImitationJunk : public testing::TestWithParam<TJunkCase> {};

TEST_P(ImitationJunk, RunsAnHourWithoutHarm) {
  TSimulatorState state;
  GetParam().Spoil(state.Lift);
  state.ImitEnable = true;
  RegisterImage image{};
  RefreshRegisters(image, state.Controls);
  TImitationDriver driver(std::make_unique<TClockSeededRandom>());

  std::uint32_t now = 0xFFFF0000u;  // the clock wraps during the hour
  for (int tick = 0; tick < kTicksPerHour; ++tick, now += TImitationDriver::kTimerPeriodMs) {
    driver.Tick(now, state, image);
    const int imitState = driver.Imitation().ImitState();
    ASSERT_GE(imitState, 0);
    ASSERT_LE(imitState, 11);
    ASSERT_GE(state.Controls.Floor, kFloorMin);
    ASSERT_LE(state.Controls.Floor, kFloorMax);
  }
  RegisterImage fresh{};
  RefreshRegisters(fresh, state.Controls);
  for (int i = kRegMode; i < kRegisterCount; ++i) EXPECT_EQ(image[i].load(), fresh[i].load()) << i;
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, ImitationJunk,
    testing::Values(
        TJunkCase{"VelocityNotANumber", [](LIFT_INFO& l) { l.Velocity = NAN; }},
        TJunkCase{"VelocityInfinite", [](LIFT_INFO& l) { l.Velocity = INFINITY; }},
        TJunkCase{"VelocityNegative", [](LIFT_INFO& l) { l.Velocity = -DBL_MAX; }},
        TJunkCase{"ProcentExtremes", [](LIFT_INFO& l) { l.Procent = INT_MIN; }},
        TJunkCase{"ProcentHuge", [](LIFT_INFO& l) { l.Procent = INT_MAX; }},
        TJunkCase{"HeightNotANumber", [](LIFT_INFO& l) { l.Y = l.TargetY = NAN; }},
        TJunkCase{"HeightFarAway", [](LIFT_INFO& l) { l.Y = l.TargetY = 1e300; }},
        TJunkCase{"RangesExtreme",
                  [](LIFT_INFO& l) {
                    l.MoveFrom = INT_MIN;
                    l.MoveTo = INT_MAX;
                    l.BreakPeriodFrom = INT_MAX;
                    l.BreakPeriodTo = INT_MIN;
                    l.BreakLenFrom = INT_MIN;
                    l.BreakLenTo = INT_MAX;
                  }},
        TJunkCase{"NoFloors", [](LIFT_INFO& l) { l.FloorCount = 0; }},
        TJunkCase{"OneFloor", [](LIFT_INFO& l) { l.FloorCount = 1; }},
        TJunkCase{"NegativeFloors", [](LIFT_INFO& l) { l.FloorCount = -7; }},
        TJunkCase{"HugeBuilding", [](LIFT_INFO& l) { l.FloorCount = INT_MAX; }},
        TJunkCase{"CabBelowTheBuilding", [](LIFT_INFO& l) { l.Floor = l.TargetFloor = INT_MIN; }},
        TJunkCase{"CabAboveTheBuilding", [](LIFT_INFO& l) { l.Floor = l.TargetFloor = INT_MAX; }}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
