// The automatic imitation: the cab's motion, the state machine of the imitated lift (states 0 to
// 11), the dispatching step, and the handlers of the tab " Имитатор ".
//
// Driven by plain calls with the clock reading `now` (milliseconds of a monotonic clock that wraps
// in 32 bits). It changes the lift's controls and LIFT_INFO and returns what changed, so a window
// touches only those widgets and recomputes only those registers; when nothing moves a tick
// returns an empty result.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/CabPicture.h"
#include "app/ImitationRandom.h"
#include "app/ImitationSetup.h"
#include "app/LiftControls.h"
#include "app/LiftInfo.h"
#include "app/LiftSettings.h"

// Groups of controls; each feeds its own registers.
enum TControlGroup : unsigned {
  kModeGroup = 1u << 0,       // radio group "Режим работы": register 4
  kFloorGroup = 1u << 1,      // floor up-down: register 5
  kStateGroup = 1u << 2,      // the 11 state check boxes: register 6
  kAlarmGroup = 1u << 3,      // "Нет аварийной ситуации" and the alarm list: register 7
  kLiftBreakGroup = 1u << 4,  // "Нет неисправности" and the fault list: registers 8..41
};

// The destination mark: shown on the row of Floor, or hidden (Floor then 0).
struct TTargetMark {
  bool Visible = false;
  int Floor = 0;

  bool operator==(const TTargetMark&) const = default;
};

// What a window must apply after a call; every field left empty is unchanged.
struct TImitationResult {
  unsigned ChangedGroups = 0;              // TControlGroup bits
  std::optional<std::string> StatusText;   // status panel 2
  std::optional<bool> LiftOkVisible;       // ButtonLiftOk
  std::optional<TTargetMark> TargetMark;
  std::optional<TCabPlace> Cab;            // frame and top relative to the shaft picture
  bool ShaftRedraw = false;                // the floor count may have changed: draw the shaft anew

  bool Empty() const {
    return ChangedGroups == 0 && !StatusText && !LiftOkVisible && !TargetMark && !Cab && !ShaftRedraw;
  }
};

// What the apply button did: the texts its fields show now, and the changes to apply.
struct TLiftSetupResult {
  TLiftSetupTexts Shown;
  TImitationResult View;
};

class TImitation {
public:
  // Seeded from the clock at every pass through state 0.
  TImitation();
  explicit TImitation(std::unique_ptr<TImitationRandom> random);

  // Timer1, every 50 ms: the motion step and the cab picture always; then the state machine step
  // and the dispatching step while the imitation is switched on, or the reset while it is off.
  TImitationResult Timer1Tick(std::uint32_t now, TLiftControls& controls, LIFT_INFO& lift,
                              const TDispBoxes& disp, bool imitEnable);

  // Start-up, once the switch shows its stored state: panel 2 says when the imitation is off.
  TImitationResult Start(bool imitEnable);

  // Sends the cab to floor f, limited to 1..FloorCount; nothing happens when f is the cab's floor.
  void SetTargetFloor(std::uint32_t now, LIFT_INFO& lift, int floor);

  // Sends the cab to a random floor other than its own. A building without another floor (a
  // floor count below 2 from a hand-written file) leaves the cab where it is; returns whether a
  // trip was started.
  bool PickOtherFloor(std::uint32_t now, LIFT_INFO& lift);

  // A click at y pixels below the top of the shaft picture; ignored while the imitation runs.
  void ShaftClicked(std::uint32_t now, LIFT_INFO& lift, int y, bool imitEnable);

  // DrawShaft's share: the motion clock restarts, and a cab above the top floor is put on it.
  // Reports the cab and the mark in full, for the new picture.
  TImitationResult ShaftDrawn(std::uint32_t now, LIFT_INFO& lift);

  // "Применить": the typed texts into LIFT_INFO, then ShaftDrawn.
  TLiftSetupResult ApplyLiftSetup(std::uint32_t now, const TLiftSetupTexts& typed, LIFT_INFO& lift,
                                  char decimalSeparator = '.');

  // CheckBoxImitEnable clicked; ticked is its new state.
  TImitationResult ImitEnableClicked(bool ticked, LIFT_INFO& lift);

  // "Лифт исправен".
  TImitationResult LiftOkClicked();

  std::uint32_t LastTick() const { return lastTick_; }
  int ImitState() const { return imitState_; }
  std::uint32_t Deadline() const { return deadline_; }

private:
  struct TStep {
    TLiftControls& Controls;
    LIFT_INFO& Lift;
    TImitationResult& Result;
    std::uint32_t Now;
  };

  void MotionStep(TStep& step);
  void MoveCab(TStep& step);
  void UpdateCabPicture(TImitationResult& result, const LIFT_INFO& lift);
  void ShowTargetMark(TImitationResult& result, const LIFT_INFO& lift, bool on);

  void StateMachineStep(TStep& step, const TDispBoxes& disp);
  void StartState(TStep& step);
  void ReadyState(TStep& step);
  void ClearFault(TStep& step);
  void DoorsOpenState(TStep& step);
  void DoorsClosingState(TStep& step);
  void PauseState(TStep& step, const TDispBoxes& disp);
  void RaiseFault(TStep& step);
  void FaultState(TStep& step);
  void DispatchingStep(TStep& step, const TDispBoxes& disp);

  bool Waiting(const TStep& step) const;
  void TimedBy(TStep& step, std::int64_t from, std::int64_t to, std::int64_t unit);
  void GoTo(TStep& step, int state, const std::string& text);
  void SetStatus(TImitationResult& result, const std::string& text);
  void SetLiftOk(TImitationResult& result, bool visible);

  std::unique_ptr<TImitationRandom> random_;
  std::uint32_t lastTick_ = 0;
  int imitState_ = 0;
  std::uint32_t deadline_ = 0;

  // What the window shows, as far as it learnt it from here.
  std::optional<std::string> shownText_;
  bool shownLiftOk_ = false;
  std::optional<TTargetMark> shownMark_;
  std::optional<TCabPlace> shownCab_;
};
