// The imitation's motion step, state machine, dispatching step and handlers, on a fake clock with
// a scripted random source.
#include "app/Imitation.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/ImitationTexts.h"
#include "test/app/ImitationRig.h"

namespace {

void PutCab(LIFT_INFO& lift, int floor) {
  lift.Floor = lift.TargetFloor = floor;
  lift.Y = lift.TargetY = FloorLevel(floor);
}

// ---- trips ---------------------------------------------------------------------------------

struct TTripCase {
  const char* Name;
  int From, To;
  double Velocity;
  int Procent;
  std::vector<int> Floors;  // Floor as the trip shows it, in order
  std::uint32_t MinMs, MaxMs;
};

class ImitationTrip : public testing::TestWithParam<TTripCase> {};

TEST_P(ImitationTrip, FloorsAndDuration) {
  const TTripCase& c = GetParam();
  TImitationRig rig;
  PutCab(rig.Lift, c.From);
  rig.Lift.Velocity = c.Velocity;
  rig.Lift.Procent = c.Procent;
  rig.Show();
  rig.Tick();
  const std::uint16_t floorRegister = rig.Reg(kRegFloor);

  // Sent right after a tick, as a click between two ticks is.
  const std::uint32_t start = rig.Now - 50;
  rig.Imitation->SetTargetFloor(start, rig.Lift, c.To);
  std::vector<int> floors{rig.Lift.Floor};
  std::uint32_t arrival = 0;
  const int moving = c.To > c.From ? kCabMoveUp : kCabMoveDown;
  for (int tick = 0; tick < 2000 && arrival == 0; ++tick) {
    const std::uint32_t at = rig.Now;
    rig.Tick();
    if (rig.Lift.Floor != floors.back()) floors.push_back(rig.Lift.Floor);
    if (rig.Lift.Y == rig.Lift.TargetY) {
      arrival = at - start;
      break;
    }
    ASSERT_EQ(rig.View.Cab.Frame, moving);
    ASSERT_EQ(rig.View.Mark, (TTargetMark{true, c.To}));
  }
  EXPECT_EQ(floors, c.Floors);
  EXPECT_GE(arrival, c.MinMs);
  EXPECT_LE(arrival, c.MaxMs);
  EXPECT_EQ(rig.View.StatusText, kArrivedText);
  EXPECT_EQ(rig.Lift.Y, FloorLevel(c.To));

  rig.Tick();  // at rest: the mark goes, the cab shows its resting frame
  EXPECT_EQ(rig.View.Mark, TTargetMark{});
  EXPECT_EQ(rig.View.Cab, (TCabPlace{kCabNorma, (rig.Lift.FloorCount - c.To) * 32}));
  // With the imitation off the floor up-down is the user's: register 5 stays.
  EXPECT_EQ(rig.Reg(kRegFloor), floorRegister);
  EXPECT_EQ(rig.Imitation->ImitState(), 0);
}

// 1 to 4 at 3.0 m/s: 8.6 m at full speed and the last metre at 0.9 m/s, about 4 s; the 50 ms
// steps overshoot the last full-speed step into the slow zone.
INSTANTIATE_TEST_SUITE_P(
    Trips, ImitationTrip,
    testing::Values(TTripCase{"Up1to4", 1, 4, 3.0, 30, {1, 2, 3, 4}, 3850, 4050},
                    TTripCase{"Down4to1", 4, 1, 3.0, 30, {4, 3, 2, 1}, 3850, 4050},
                    TTripCase{"Procent0LastMetreAt005", 1, 2, 3.0, 0, {1, 2}, 19500, 20800},
                    TTripCase{"SpeedAbove3TravelsAt3", 1, 4, 9.0, 30, {1, 2, 3, 4}, 3850, 4050},
                    TTripCase{"SpeedZeroTravelsAt01", 3, 2, 0.0, 100, {3, 2}, 31900, 32100},
                    TTripCase{"Procent100NoSlowDown", 1, 12, 3.0, 100, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 11700, 11800}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Imitation, TripAcrossTheClockWrap) {
  TImitationRig rig(nullptr, 0xFFFFFFFFu - 2000);
  rig.Show();
  rig.Tick();
  const std::uint32_t start = rig.Now - 50;
  rig.Imitation->SetTargetFloor(start, rig.Lift, 4);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Lift.Y == rig.Lift.TargetY; }, 10000));
  EXPECT_EQ(rig.Lift.Floor, 4);
  EXPECT_NEAR(static_cast<double>(rig.Now - start), 4000, 150);
}

TEST(Imitation, SetTargetFloorLimitsToTheBuilding) {
  struct Case {
    int floor, target;
    bool moves;
  };
  const Case cases[] = {{0, 1, false}, {-7, 1, false}, {13, 12, true}, {12, 12, true}, {5, 5, true}, {1, 1, false}};
  for (const Case& c : cases) {
    TImitationRig rig;
    rig.Imitation->SetTargetFloor(777, rig.Lift, c.floor);
    EXPECT_EQ(rig.Lift.TargetFloor, c.target) << c.floor;
    EXPECT_EQ(rig.Lift.TargetY, FloorLevel(c.target)) << c.floor;
    EXPECT_EQ(rig.Imitation->LastTick(), c.moves ? 777u : 0u) << c.floor;
  }
}

TEST(Imitation, ShaftClickOnlyWhileTheImitationIsOff) {
  TImitationRig rig;
  rig.Imitation->ShaftClicked(rig.Now, rig.Lift, 5, true);
  EXPECT_EQ(rig.Lift.TargetFloor, 1);
  rig.Imitation->ShaftClicked(rig.Now, rig.Lift, 5, false);  // the top cell of 12 floors
  EXPECT_EQ(rig.Lift.TargetFloor, 12);
  EXPECT_EQ(rig.Lift.TargetY, FloorLevel(12));
}

// ---- the state machine -----------------------------------------------------------------------

struct TVisit {
  int State;
  std::uint16_t Reg6;  // register 6 at the last tick of the visit

  bool operator==(const TVisit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TVisit& v) {
  return out << "{" << v.State << ", 0x" << std::hex << v.Reg6 << std::dec << "}";
}

// A typical cycle from floor 1: a passenger boards and orders floor 4; a call from floor 1; the
// caller orders floor 7, another passenger boards there and orders floor 1.
TEST(ImitationStates, TypicalCycle) {
  TImitationRig rig;
  rig.Show();
  TScriptedRandom& random = *rig.Random;
  random.Queue(2, {0, 1});   // floor 1: wait one tick, then open
  random.Queue(3, {1, 0});   // by order rather than wait; then a call to floor 1
  random.Queue(12, {3, 6});  // floors 4 and 7
  random.Queue(20, {1});     // at floor 4 nobody boards
  rig.SwitchImitation(true);

  std::vector<TVisit> visits;
  std::vector<std::string> texts;
  for (int tick = 0; tick < 2000 && visits.size() < 17; ++tick) {
    const auto result = rig.Tick();
    const int state = rig.Imitation->ImitState();
    if (visits.empty() || visits.back().State != state)
      visits.push_back({state, rig.Reg(kRegState)});
    else
      visits.back().Reg6 = rig.Reg(kRegState);
    if (result.StatusText) {
      const bool countdown = result.StatusText->starts_with(kPauseUntilFaultText);
      const std::string text = countdown ? "countdown" : *result.StatusText;
      if (texts.empty() || texts.back() != text) texts.push_back(text);
    }
    ASSERT_TRUE(rig.RegistersMatchControls()) << tick;
  }
  const std::vector<TVisit> expected = {
      {1, 0x01}, {2, 0x09}, {3, 0x19}, {5, 0x12},  // boarding at floor 1, up with a passenger
      {7, 0x19}, {9, 0x09}, {10, 0x01},            // the passenger leaves, doors close, pause
      {1, 0x01}, {5, 0x04},                        // a call: down empty
      {7, 0x09}, {9, 0x19}, {5, 0x12},             // the caller boards and goes to floor 7
      {7, 0x19}, {8, 0x09}, {9, 0x19}, {5, 0x14},  // leaves; another boards and goes down
      {7, 0x19}};
  EXPECT_EQ(visits, expected);
  const std::vector<std::string> expectedTexts = {
      "", kBoardingAtFirstText, kPassengerInsideText, kOrderTripText, kDoorsOpenText,
      kDoorsClosingText, kPauseText, "countdown", kCallTripText, kDoorsOpenText, kDoorsClosingText,
      kOrderTripText, kDoorsOpenText, kBoardingText, kOrderTripText, kDoorsOpenText};
  EXPECT_EQ(texts, expectedTexts);
  EXPECT_EQ(rig.Lift.Floor, 1);
  EXPECT_EQ(random.Reseeds.size(), 1u);
  EXPECT_EQ(rig.Reg(kRegFloor), 1);
}

TEST(ImitationStates, CountdownToTheNextFault) {
  TImitationRig rig;
  PutCab(rig.Lift, 3);
  rig.Lift.MoveFrom = rig.Lift.MoveTo = 30;
  rig.Random->Fallback = [](std::uint64_t n) { return n - 1; };  // nobody boards uncalled
  rig.Random->Queue(120, {5});  // next fault in 125 s
  rig.Random->Queue(3, {0});    // called to floor 1
  rig.Show();
  rig.SwitchImitation(true);
  const std::uint32_t start = rig.Now;
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 10; }, 60000));
  rig.Tick();
  const std::uint32_t left = rig.Lift.NextFaultTime - (rig.Now - 50);
  EXPECT_EQ(rig.Lift.NextFaultTime, start + 125000);
  EXPECT_EQ(rig.View.StatusText,
            std::string(kPauseUntilFaultText) + std::to_string(left / 1000) + kSecondsText);
}

struct TRaiseCase {
  const char* Name;
  std::vector<int> AlarmItems;      // ticked in advance
  std::vector<int> LiftBreakItems;  // ticked in advance
  int DrawnItem;                    // R(14) when no fault item is ticked
  std::uint16_t Reg7, Reg8, Reg9, Reg10;
  const char* FaultText;
};

class ImitationRaise : public testing::TestWithParam<TRaiseCase> {};

// Trips between floors 1 and 12 with nobody boarding uncalled, and pauses that never end before
// the fault is due: the first pause raises it, for 60 s.
TImitationRig& PrepareForFault(TImitationRig& rig, const TRaiseCase& c) {
  rig.Random->Fallback = [k = 0](std::uint64_t n) mutable -> std::uint64_t {
    if (n == 12) return k++ % 2 ? 0 : 11;
    return n - 1;
  };
  rig.Random->Queue(120, {0, 0});
  PutCab(rig.Lift, 3);
  rig.Lift.BreakPeriodFrom = rig.Lift.BreakPeriodTo = 0;
  rig.Lift.MoveFrom = rig.Lift.MoveTo = 1000;
  for (int item : c.AlarmItems) rig.Controls.Alarms[item] = true;
  for (int item : c.LiftBreakItems) rig.Controls.LiftBreaks[item] = true;
  rig.Controls.CustomLiftBreaks.Append({"ABCD", 7});
  rig.Controls.CustomLiftBreaks.Select(0);
  RefreshRegisters(rig.Image, rig.Controls);
  rig.Random->Queue(kLiftBreakCount, {static_cast<std::uint64_t>(c.DrawnItem)});
  rig.Show();
  rig.SwitchImitation(true);
  return rig;
}

TEST_P(ImitationRaise, DuringAPauseAndAgainNextTime) {
  const TRaiseCase& c = GetParam();
  TImitationRig rig;
  PrepareForFault(rig, c);

  for (int round = 0; round < 2; ++round) {
    int before = -1;
    ASSERT_TRUE(rig.RunUntil(
        [&] {
          if (rig.Imitation->ImitState() == 11) return true;
          before = rig.Imitation->ImitState();
          return false;
        },
        120000));
    EXPECT_EQ(before, 10) << "raised only in a pause";
    EXPECT_EQ(rig.Reg(kRegAlarm), c.Reg7);
    EXPECT_EQ(rig.Reg(kRegLiftBreak), c.Reg8);
    EXPECT_EQ(rig.Reg(kRegOtherCode), c.Reg9);
    EXPECT_EQ(rig.Reg(kRegOtherText), c.Reg10);
    EXPECT_EQ(rig.Reg(kRegState) & 0x0020, 0x0020);
    EXPECT_EQ(rig.Lift.FaultText, c.FaultText);
    EXPECT_EQ(rig.View.StatusText, c.FaultText);
    EXPECT_TRUE(rig.View.LiftOkVisible);
    EXPECT_TRUE(rig.Lift.Faulted);

    rig.Tick();  // BreakLen (60, 180) with R = 0: 60 s
    EXPECT_EQ(rig.View.StatusText, std::string(c.FaultText) + kRemainingText + "59" + kSecondsText);
    EXPECT_EQ(rig.View.Cab.Frame, kCabAlarm);

    // Over after 60 s: state 0 draws the next fault time, then state 1 clears the boxes.
    const std::uint32_t raised = rig.Now - 100;
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 1; }, 70000));
    rig.Tick();
    EXPECT_EQ(rig.Now - raised, 60150u);
    EXPECT_EQ(rig.Reg(kRegAlarm), 1);
    EXPECT_EQ(rig.Reg(kRegLiftBreak), 1);
    EXPECT_EQ(rig.Reg(kRegOtherCode), 0);
    EXPECT_EQ(rig.Reg(kRegState) & 0x0020, 0);
    EXPECT_FALSE(rig.View.LiftOkVisible);
    EXPECT_FALSE(rig.Lift.Faulted);
  }
  // The ticked items stay: the second raise drew nothing.
  for (int item : c.AlarmItems) EXPECT_TRUE(rig.Controls.Alarms[item]);
  EXPECT_LE(rig.Random->CountAsked(kLiftBreakCount), 1);
  EXPECT_TRUE(rig.RegistersMatchControls());
}

INSTANTIATE_TEST_SUITE_P(
    Raises, ImitationRaise,
    testing::Values(
        TRaiseCase{"AlarmFromTickedItems", {1, 3}, {}, 0, 0x0014, 1, 0, 0, kAlarmFaultText},
        TRaiseCase{"AlarmWinsOverTickedFaults", {0}, {2}, 0, 0x0002, 1, 0, 0, kAlarmFaultText},
        TRaiseCase{"RandomFault", {}, {}, 5, 1, 0x0040, 0, 0, kLiftBreakFaultText},
        TRaiseCase{"TickedFault", {}, {0, 4}, 9, 1, 0x0022, 0, 0, kLiftBreakFaultText},
        TRaiseCase{"RandomOtherFaultSendsTheCustomOne", {}, {}, 13, 1, 0x4000, 7, 0x4241, kLiftBreakFaultText}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ImitationStates, DispatchingAlarmUntickedNeverRaises) {
  TImitationRig rig;
  PutCab(rig.Lift, 3);
  rig.Lift.BreakPeriodFrom = rig.Lift.BreakPeriodTo = 0;
  rig.Disp.Alarm = false;
  rig.Controls.Alarms[0] = true;
  RefreshRegisters(rig.Image, rig.Controls);
  rig.Random->Fallback = [](std::uint64_t n) { return n / 2; };
  rig.Show();
  rig.SwitchImitation(true);
  int pauseTicks = 0;
  for (int tick = 0; tick < 30 * 60 * 20; ++tick) {
    rig.Tick();
    ASSERT_NE(rig.Imitation->ImitState(), 11);
    ASSERT_FALSE(rig.Lift.Faulted);
    if (rig.Imitation->ImitState() == 10) {
      ++pauseTicks;
      ASSERT_EQ(rig.View.StatusText, kPauseText);
    }
  }
  EXPECT_GT(pauseTicks, 0);
  EXPECT_EQ(rig.Reg(kRegAlarm), 1);
}

TEST(ImitationStates, LiftOkEndsTheFault) {
  TImitationRig rig;
  PrepareForFault(rig, {"", {}, {}, 2, 0, 0, 0, 0, ""});
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 11; }, 120000));
  ASSERT_EQ(rig.Reg(kRegLiftBreak), 0x0008);

  rig.View.Apply(rig.Imitation->LiftOkClicked());
  EXPECT_FALSE(rig.View.LiftOkVisible);
  EXPECT_EQ(rig.Imitation->ImitState(), 0);
  rig.Tick();  // state 0: a new fault time
  rig.Tick();  // state 1: the lift is sound
  EXPECT_EQ(rig.Reg(kRegLiftBreak), 1);
  EXPECT_EQ(rig.Reg(kRegState) & 0x0020, 0);
  EXPECT_TRUE(rig.Controls.LiftBreaks[2]);
  EXPECT_EQ(rig.Random->Reseeds.size(), 2u);
}

// ---- the dispatching step ------------------------------------------------------------------

struct TDispCase {
  const char* Name;
  bool TravellingDown;  // else standing with open doors at floor 1 after an empty call
  TDispBoxes Disp;
  std::uint16_t Reg6;
  bool FloorShown;
};

TDispBoxes Without(bool TDispBoxes::*box) {
  TDispBoxes disp;
  disp.*box = false;
  return disp;
}

class ImitationDispatching : public testing::TestWithParam<TDispCase> {};

TEST_P(ImitationDispatching, BoxesPassOnlyTheirFacts) {
  const TDispCase& c = GetParam();
  TImitationRig rig;
  PutCab(rig.Lift, 5);
  rig.Disp = c.Disp;
  rig.Random->Queue(3, {0});  // called to floor 1
  rig.Show();
  rig.SwitchImitation(true);
  const auto reached = [&] {
    if (c.TravellingDown) return rig.Imitation->ImitState() == 5 && rig.Lift.Floor == 3;
    return rig.Imitation->ImitState() == 7;
  };
  ASSERT_TRUE(rig.RunUntil(reached, 30000));
  EXPECT_EQ(rig.Reg(kRegState), c.Reg6);
  EXPECT_EQ(rig.Reg(kRegFloor), c.FloorShown ? rig.Lift.Floor : 0);
  EXPECT_TRUE(rig.RegistersMatchControls());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ImitationDispatching,
    testing::Values(
        // "Кабина движется вверх" ticked while the cab goes down: only the down box follows.
        TDispCase{"AllTickedDown", true, TDispBoxes{}, 0x0004, true},
        TDispCase{"MoveDownUnticked", true, Without(&TDispBoxes::MoveDown), 0x0000, true},
        TDispCase{"FloorUnticked", true, Without(&TDispBoxes::Floor), 0x0004, false},
        TDispCase{"AllTickedDoorsOpen", false, TDispBoxes{}, 0x0009, true},
        TDispCase{"ToUnticked", false, Without(&TDispBoxes::TO), 0x0008, true},
        TDispCase{"OpenUnticked", false, Without(&TDispBoxes::Open), 0x0001, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ImitationDispatching, PassengerBoxFollowsOnlyWhenTicked) {
  for (bool ticked : {true, false}) {
    TImitationRig rig;
    rig.Disp.Pass = ticked;
    rig.Random->Queue(2, {1});
    rig.Show();
    rig.SwitchImitation(true);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 3; }, 10000));
    EXPECT_TRUE(rig.Lift.Pass);
    EXPECT_EQ(rig.Controls.State.Pass, ticked);
    EXPECT_EQ((rig.Reg(kRegState) & 0x0010) != 0, ticked);
  }
}

// ---- the switch and the quiet timer --------------------------------------------------------

TEST(ImitationSwitch, TickedStopsATravellingCab) {
  TImitationRig rig;
  rig.Show();
  rig.Imitation->SetTargetFloor(rig.Now, rig.Lift, 6);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Lift.Floor == 3; }, 10000));
  rig.SwitchImitation(true);
  EXPECT_EQ(rig.Lift.TargetFloor, 3);
  EXPECT_EQ(rig.Lift.TargetY, rig.Lift.Y);
  rig.Tick();
  EXPECT_EQ(rig.Lift.Y, FloorLevel(3));
  EXPECT_EQ(rig.Imitation->ImitState(), 1);  // state 0 ran in that tick
}

TEST(ImitationSwitch, UntickedResetsAndHidesLiftOk) {
  TImitationRig rig;
  PrepareForFault(rig, {"", {2}, {}, 0, 0, 0, 0, 0, ""});
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 11; }, 120000));
  ASSERT_TRUE(rig.View.LiftOkVisible);

  rig.SwitchImitation(false);
  EXPECT_EQ(rig.View.StatusText, kImitOffText);
  EXPECT_FALSE(rig.View.LiftOkVisible);
  const std::uint32_t at = rig.Now;
  rig.Tick();
  EXPECT_EQ(rig.Imitation->ImitState(), 0);
  EXPECT_EQ(rig.Imitation->Deadline(), at);
  EXPECT_EQ(rig.View.StatusText, kImitOffText);
}

TEST(ImitationSwitch, StartTellsWhenOff) {
  TImitation imitation(std::make_unique<TScriptedRandom>());
  EXPECT_EQ(imitation.Start(false).StatusText, std::optional<std::string>(kImitOffText));
  TImitation running(std::make_unique<TScriptedRandom>());
  EXPECT_TRUE(running.Start(true).Empty());
}

TEST(ImitationQuiet, NothingToDoWhenNothingMoves) {
  TImitationRig rig;
  rig.Show();
  rig.Tick();
  for (int tick = 0; tick < 100; ++tick) ASSERT_TRUE(rig.Tick().Empty()) << tick;

  // A long pause without alarms: nothing changes either.
  rig.Disp.Alarm = false;
  rig.Random->Fallback = [](std::uint64_t n) { return n - 1; };
  rig.Lift.MoveFrom = rig.Lift.MoveTo = 3600;
  rig.Random->Queue(2, {1});
  rig.Random->Queue(3, {0});
  rig.Random->Queue(12, {1});
  rig.SwitchImitation(true);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 10; }, 60000));
  rig.Tick();
  for (int tick = 0; tick < 100; ++tick) ASSERT_TRUE(rig.Tick().Empty()) << tick;
}

// ---- fewer than two floors -----------------------------------------------------------------

TEST(ImitationFloors, PickOtherFloorEndsWithoutAnotherFloor) {
  struct Case {
    int floorCount, floor;
    bool trip;
    int target;
  };
  const Case cases[] = {{1, 1, false, 1}, {0, 1, false, 1}, {-5, 1, false, 1},
                        {1, 3, true, 1},  {2, 1, true, 2},  {2, 2, true, 1}};
  for (const Case& c : cases) {
    TImitationRig rig;
    rig.Lift.FloorCount = c.floorCount;
    PutCab(rig.Lift, c.floor);
    EXPECT_EQ(rig.Imitation->PickOtherFloor(rig.Now, rig.Lift), c.trip) << c.floorCount << " " << c.floor;
    EXPECT_EQ(rig.Lift.TargetFloor, c.trip ? c.target : c.floor) << c.floorCount << " " << c.floor;
  }
}

// A source that keeps answering the cab's own floor cannot hold the pick forever.
TEST(ImitationFloors, PickOtherFloorDoesNotTrustItsSourceForever) {
  TImitationRig rig;
  PutCab(rig.Lift, 12);
  rig.Random->Fallback = [](std::uint64_t n) { return n - 1; };  // always floor 12
  EXPECT_TRUE(rig.Imitation->PickOtherFloor(rig.Now, rig.Lift));
  EXPECT_EQ(rig.Lift.TargetFloor, 11);
}

TEST(ImitationFloors, OneFloorBuildingKeepsCycling) {
  TImitationRig rig;
  rig.Lift.FloorCount = 1;
  rig.Lift.MoveFrom = rig.Lift.MoveTo = 5;
  rig.Random->Fallback = [](std::uint64_t n) { return n - 1; };
  rig.Show();
  rig.SwitchImitation(true);
  std::set<int> states;
  for (int tick = 0; tick < 10 * 60 * 20; ++tick) {
    rig.Tick();
    states.insert(rig.Imitation->ImitState());
    ASSERT_EQ(rig.Lift.Floor, 1);
  }
  for (int state : {1, 2, 3, 5, 7, 9, 10}) EXPECT_TRUE(states.count(state)) << state;
}

TEST(ImitationClock, TimedStatesAcrossTheClockWrap) {
  TImitationRig rig(nullptr, 0xFFFFFFFFu - 2000);
  rig.Random->Queue(2, {1});
  rig.Random->Queue(40, {39});  // doors open 4.9 s: the wait spans the wrap
  rig.Show();
  rig.SwitchImitation(true);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 2; }, 1000));
  const std::uint32_t opened = rig.Now - 50;
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 3; }, 10000));
  EXPECT_EQ(rig.Now - 50 - opened, 4900u);
}

}  // namespace
