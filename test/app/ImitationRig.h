// A lift driven by the imitation on a fake clock, with a random source that plays back chosen
// numbers, a register image kept the way a window keeps it, and the window's view of panel 2, the
// button "Лифт исправен", the destination mark and the cab.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Imitation.h"
#include "app/ImitationRegisters.h"
#include "app/LiftRegisters.h"

// R(n) answers the next number queued for n, else Fallback(n); answers are taken modulo n.
class TScriptedRandom final : public TImitationRandom {
public:
  std::map<std::uint64_t, std::deque<std::uint64_t>> Queued;
  std::function<std::uint64_t(std::uint64_t)> Fallback = [](std::uint64_t) { return 0; };
  std::vector<std::uint64_t> Asked;     // n of every R call
  std::vector<std::uint32_t> Reseeds;   // clock readings of every reseed

  std::uint64_t R(std::uint64_t n) override {
    Asked.push_back(n);
    std::uint64_t value = Fallback(n);
    auto& queue = Queued[n];
    if (!queue.empty()) {
      value = queue.front();
      queue.pop_front();
    }
    return n == 0 ? 0 : value % n;
  }
  void Reseed(std::uint32_t now) override { Reseeds.push_back(now); }

  void Queue(std::uint64_t n, std::initializer_list<std::uint64_t> values) {
    for (auto v : values) Queued[n].push_back(v);
  }
  int CountAsked(std::uint64_t n) const {
    int count = 0;
    for (auto a : Asked) count += a == n;
    return count;
  }
};

struct TWindowView {
  std::string StatusText;
  bool LiftOkVisible = false;
  TTargetMark Mark;
  TCabPlace Cab;
  int ShaftRedraws = 0;

  void Apply(const TImitationResult& result) {
    if (result.StatusText) StatusText = *result.StatusText;
    if (result.LiftOkVisible) LiftOkVisible = *result.LiftOkVisible;
    if (result.TargetMark) Mark = *result.TargetMark;
    if (result.Cab) Cab = *result.Cab;
    ShaftRedraws += result.ShaftRedraw;
  }
};

struct TImitationRig {
  explicit TImitationRig(std::unique_ptr<TImitationRandom> source = nullptr,
                         std::uint32_t start = 1'000'000)
      : Now(start) {
    if (!source) {
      auto scripted = std::make_unique<TScriptedRandom>();
      Random = scripted.get();
      source = std::move(scripted);
    }
    Imitation = std::make_unique<TImitation>(std::move(source));
    RefreshRegisters(Image, Controls);
  }

  // The window's first show; the clock does not move.
  void Show() { View.Apply(Imitation->ShaftDrawn(Now, Lift)); View.Apply(Imitation->Start(ImitEnable)); }

  // One Timer1 tick at Now, applied like a window applies it; then the clock moves on 50 ms.
  TImitationResult Tick() {
    TImitationResult result = Imitation->Timer1Tick(Now, Controls, Lift, Disp, ImitEnable);
    ApplyToRegisters(result, Controls, Image);
    View.Apply(result);
    Now += 50;
    return result;
  }

  // Ticks until the condition holds after a tick, for at most limitMs; returns whether it held.
  bool RunUntil(const std::function<bool()>& done, std::uint32_t limitMs) {
    for (std::uint32_t spent = 0; spent < limitMs; spent += 50) {
      Tick();
      if (done()) return true;
    }
    return false;
  }

  void SwitchImitation(bool on) {
    ImitEnable = on;
    View.Apply(Imitation->ImitEnableClicked(on, Lift));
  }

  std::uint16_t Reg(int index) const { return Image[static_cast<std::size_t>(index)].load(); }

  bool RegistersMatchControls() const {
    RegisterImage fresh{};
    RefreshRegisters(fresh, Controls);
    for (int i = kRegMode; i < kRegisterCount; ++i)
      if (fresh[i].load() != Image[i].load()) return false;
    return true;
  }

  std::uint32_t Now;
  TLiftControls Controls;
  LIFT_INFO Lift;
  TDispBoxes Disp;
  bool ImitEnable = false;
  RegisterImage Image{};
  TWindowView View;
  TScriptedRandom* Random = nullptr;  // the scripted source, when the rig made it
  std::unique_ptr<TImitation> Imitation;
};
