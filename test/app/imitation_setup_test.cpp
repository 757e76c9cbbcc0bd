// The apply button's arithmetic, the random range and the shaft picture's arithmetic.
#include "app/ImitationSetup.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

#include "app/CabPicture.h"
#include "app/Imitation.h"
#include "app/ImitationRandom.h"
#include "test/app/ImitationRig.h"

namespace {

// ---- RandomBetween -------------------------------------------------------------------------

TEST(RandomBetween, RangeEnds) {
  TScriptedRandom random;
  random.Fallback = [](std::uint64_t n) { return n - 1; };
  EXPECT_EQ(RandomBetween(random, 10, 50), 49);
  EXPECT_EQ(RandomBetween(random, 50, 10), 49);
  random.Fallback = [](std::uint64_t) { return 0; };
  EXPECT_EQ(RandomBetween(random, 50, 10), 10);
  EXPECT_EQ(RandomBetween(random, -5, 3), -5);
  random.Asked.clear();
  EXPECT_EQ(RandomBetween(random, 7, 7), 7);
  EXPECT_TRUE(random.Asked.empty());
  random.Fallback = [](std::uint64_t n) { return n - 1; };
  EXPECT_EQ(RandomBetween(random, INT_MIN, INT_MAX), std::int64_t{INT_MAX} - 1);
}

TEST(RandomBetween, ClockSeededNeverReachesTheUpperBound) {
  TClockSeededRandom random(12345);
  std::set<std::int64_t> seen;
  for (int i = 0; i < 20000; ++i) {
    const auto value = RandomBetween(random, 10, 50);
    ASSERT_GE(value, 10);
    ASSERT_LT(value, 50);
    seen.insert(value);
  }
  EXPECT_EQ(seen.size(), 40u);
  EXPECT_EQ(random.R(0), 0u);
  EXPECT_EQ(RandomBetween(random, 7, 7), 7);
}

TEST(RandomBetween, ReseedRepeatsTheSequence) {
  TClockSeededRandom random;
  random.Reseed(777);
  const auto first = random.R(1000000);
  random.Reseed(777);
  EXPECT_EQ(random.R(1000000), first);
}

// ---- the apply button ----------------------------------------------------------------------

TEST(LiftSetup, SpeedTexts) {
  struct Case {
    const char* typed;
    double velocity;
    const char* shown;
  };
  const Case cases[] = {
      {"0,7", 0.7, "0.7"}, {"9", 5.0, "5.0"},  {"abc", 0.5, "0.5"}, {"", 0.5, "0.5"},
      {"2.5", 2.5, "2.5"}, {"2.25", 2.25, "2.3"}, {" 1,5x", 1.5, "1.5"}, {"-3", 0.5, "0.5"},
      {"1e9", 5.0, "5.0"}, {"3", 3.0, "3.0"},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ReadVelocityText(c.typed), c.velocity) << c.typed;
    EXPECT_EQ(VelocityText(ReadVelocityText(c.typed)), c.shown) << c.typed;
  }
}

TEST(LiftSetup, SpeedTextOfStoredValues) {
  EXPECT_EQ(VelocityText(2.5, ','), "2,5");
  EXPECT_EQ(VelocityText(0.04), "0.0");
  EXPECT_EQ(VelocityText(-0.25), "-0.3");
  EXPECT_EQ(VelocityText(0.05), "0.1");
  EXPECT_EQ(VelocityText(1e20), "100000000000000000000.0");
  EXPECT_EQ(VelocityText(NAN), "nan");
}

TEST(LiftSetup, FloorCountTexts) {
  struct Case {
    const char* typed;
    int count;
  };
  const Case cases[] = {{"3", 5}, {"abc", 5}, {"150", 100}, {"16", 16}, {"22 этажа", 22}, {"-12", 5}, {"99999999999", 100}};
  for (const Case& c : cases) EXPECT_EQ(ReadFloorCountText(c.typed), c.count) << c.typed;
}

TEST(LiftSetup, SecondsPairs) {
  struct Case {
    const char *from, *to;
    int From, To;
  };
  const Case cases[] = {{"20", "5", 20, 30},    {"1", "20", 1, 20},      {"-5", "4000", 0, 3600},
                        {"abc", "", 0, 0},      {"3600", "100", 3600, 3610}, {"7", "7", 7, 7}};
  for (const Case& c : cases) {
    const TSecondsPair pair = ReadSecondsPair(c.from, c.to);
    EXPECT_EQ(pair.From, c.From) << c.from << ".." << c.to;
    EXPECT_EQ(pair.To, c.To) << c.from << ".." << c.to;
  }
}

TLiftSetupTexts Typed(const char* velocity, const char* floors) {
  return {velocity, floors, "20", "5", "120", "240", "-1", "abc"};
}

TEST(LiftSetup, ApplyWritesBackAndStores) {
  LIFT_INFO lift;
  const TLiftSetupApplied applied = ApplyLiftSetup(Typed("0,7", "16"), lift, ',');
  EXPECT_EQ(applied.Shown, (TLiftSetupTexts{"0,7", "16", "20", "30", "120", "240", "0", "0"}));
  EXPECT_FALSE(applied.RestartImitation);
  EXPECT_DOUBLE_EQ(lift.Velocity, 0.7);
  EXPECT_EQ(lift.FloorCount, 16);
  EXPECT_EQ(lift.MoveFrom, 20);
  EXPECT_EQ(lift.MoveTo, 30);
  EXPECT_EQ(lift.BreakLenFrom, 0);
  EXPECT_EQ(lift.BreakLenTo, 0);
}

TEST(LiftSetup, ShrinkingBelowTheCab) {
  struct Case {
    const char* Name;
    int Floor, TargetFloor;
    const char* Count;
    int NewFloor;
    bool Restart;
  };
  const Case cases[] = {
      {"cab on 8, building of 3 gets 5", 8, 8, "3", 5, true},
      {"cab on 3 bound for 10, building of 9", 3, 10, "9", 3, true},
      {"cab on 8 bound for 2, building of 9", 8, 2, "9", 8, false},
      {"cab on 8, building of 8", 8, 8, "8", 8, false},
  };
  for (const Case& c : cases) {
    LIFT_INFO lift;
    lift.Floor = c.Floor;
    lift.TargetFloor = c.TargetFloor;
    lift.Y = FloorLevel(c.Floor) + 0.5;
    lift.TargetY = FloorLevel(c.TargetFloor);
    const TLiftSetupApplied applied = ApplyLiftSetup(Typed("3.0", c.Count), lift);
    EXPECT_EQ(applied.Shown.FloorCount, c.Count) << c.Name;
    EXPECT_EQ(applied.RestartImitation, c.Restart) << c.Name;
    EXPECT_EQ(lift.Floor, c.NewFloor) << c.Name;
    if (!c.Restart) continue;
    EXPECT_EQ(lift.TargetFloor, c.NewFloor) << c.Name;
    EXPECT_EQ(lift.Y, FloorLevel(c.NewFloor)) << c.Name;
    EXPECT_EQ(lift.TargetY, lift.Y) << c.Name;
  }
}

TEST(LiftSetup, ApplyThroughTheImitationRedrawsAndRestarts) {
  TImitationRig rig;
  rig.Lift.Floor = rig.Lift.TargetFloor = 8;
  rig.Lift.Y = rig.Lift.TargetY = FloorLevel(8);
  rig.Lift.MoveFrom = rig.Lift.MoveTo = 100;
  rig.Show();
  rig.Random->Fallback = [](std::uint64_t n) { return n - 1; };
  rig.SwitchImitation(true);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Imitation->ImitState() == 5; }, 5000));

  const TLiftSetupResult result = rig.Imitation->ApplyLiftSetup(rig.Now, Typed("9", "3"), rig.Lift);
  rig.View.Apply(result.View);
  EXPECT_EQ(result.Shown.Velocity, "5.0");
  EXPECT_EQ(result.Shown.FloorCount, "3");
  EXPECT_EQ(rig.Lift.FloorCount, 5);
  EXPECT_EQ(rig.Imitation->ImitState(), 0);
  EXPECT_EQ(rig.Imitation->LastTick(), rig.Now);
  EXPECT_TRUE(result.View.ShaftRedraw);
  ASSERT_TRUE(result.View.Cab.has_value());
  EXPECT_EQ(result.View.Cab->Top, 0);  // the top floor of five
  EXPECT_TRUE(result.View.TargetMark.has_value());
}

TEST(LiftSetup, StartUpTexts) {
  LIFT_INFO lift;
  lift.Velocity = 2.5;
  EXPECT_EQ(LiftSetupTexts(lift), (TLiftSetupTexts{"2.5", "12", "1", "20", "120", "240", "60", "180"}));
}

// ---- the shaft picture ---------------------------------------------------------------------

TEST(CabPicture, FramePrecedence) {
  struct Case {
    bool faulted, doorsOpen, pass;
    double y, targetY;
    int frame;
    const char* name;
  };
  const Case cases[] = {
      {false, false, false, 3.2, 3.2, 0, "LiftNorma"},    {false, true, false, 3.2, 3.2, 1, "LiftOpen"},
      {false, false, false, 1.0, 3.2, 3, "LiftMoveUp"},   {false, false, false, 5.0, 3.2, 4, "LiftMoveDown"},
      {true, true, false, 1.0, 3.2, 5, "LiftAlarm"},      {false, true, false, 1.0, 3.2, 1, "LiftOpen"},
      {false, false, true, 3.2, 3.2, 6, "LiftNormaPass"}, {false, true, true, 3.2, 3.2, 7, "LiftOpenPass"},
      {false, false, true, 0.0, 3.2, 9, "LiftMoveUpPass"}, {false, false, true, 9.0, 3.2, 10, "LiftMoveDownPass"},
      {true, false, true, 9.0, 3.2, 11, "LiftAlarmPass"},
  };
  for (const Case& c : cases) {
    LIFT_INFO lift;
    lift.Faulted = c.faulted;
    lift.DoorsOpen = c.doorsOpen;
    lift.Pass = c.pass;
    lift.Y = c.y;
    lift.TargetY = c.targetY;
    EXPECT_EQ(CabFrame(lift), c.frame) << c.name;
    EXPECT_STREQ(kCabFrameNames[CabFrame(lift)], c.name);
  }
}

TEST(CabPicture, Placement) {
  LIFT_INFO lift;  // 12 floors
  EXPECT_EQ(CabTop(lift, 0), 352);
  EXPECT_EQ(CabTop(lift, 7), 359);
  lift.Y = 35.2;
  EXPECT_EQ(CabTop(lift, 0), 0);
  lift.Y = 1.05;  // 10 pixels per metre, truncated
  EXPECT_EQ(CabTop(lift, 0), 342);
  lift.TargetFloor = 12;
  EXPECT_EQ(TargetMarkTop(lift, 3), 3);
  lift.TargetFloor = 1;
  EXPECT_EQ(TargetMarkTop(lift, 0), 352);
  EXPECT_EQ(ShaftHeight(12), 384);

  lift.Y = NAN;
  EXPECT_EQ(CabTop(lift, 0), 352);
  lift.Y = 1e300;
  EXPECT_EQ(CabTop(lift, 0), INT_MIN);
  lift.FloorCount = INT_MAX;
  lift.Y = 0;
  EXPECT_EQ(CabTop(lift, 0), INT_MAX);
}

TEST(CabPicture, ClickAndLabels) {
  struct Case {
    int y, floor;
  };
  const Case cases[] = {{0, 13}, {5, 12}, {31, 12}, {32, 12}, {33, 11}, {383, 1}, {384, 1}, {400, 1}, {-40, 14}};
  for (const Case& c : cases) EXPECT_EQ(ShaftClickFloor(12, c.y), c.floor) << c.y;

  EXPECT_EQ(ShaftLabel(12, 0).Floor, 12);
  EXPECT_EQ(ShaftLabel(12, 0).X, 12);
  EXPECT_EQ(ShaftLabel(12, 0).Y, 8);
  EXPECT_EQ(ShaftLabel(12, 3).X, 16);  // floor 9
  EXPECT_EQ(ShaftLabel(12, 11).Floor, 1);
  EXPECT_EQ(ShaftLabel(12, 11).Y, 360);
}

}  // namespace
