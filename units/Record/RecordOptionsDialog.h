// Record::RecordOptionsDialog: the pop-up of the record key over live
// television: record the channel on air now for one of four lengths, or go
// on to the manual timer dialog. The recording is a timer of its own, once,
// from now, saved as every timer is (TimerRules.h); an overlap with stored
// timers opens the conflict dialog above this one.
#pragma once

#include <cstdint>

#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/Button.h"

namespace Record {

class RecordOptionsDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit RecordOptionsDialog(XObject* link = nullptr);

  static constexpr int32_t ButtonCount = 5;
  static constexpr int32_t ButtonWidth = 300;
  static constexpr int32_t ButtonHeight = 27;

  // UP and DOWN go round the buttons; the rest is the base's.
  XObject* HandleEvent(Core::Event* event) override;
  // Completes the caption with the channel on air.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  // Going back only closes: this dialog is where the way back ends.
  void EnterPrevState() override;

  // The slot of every button.
  void DoActivate(XObject* sender);
  static int32_t GetWeekDay(int32_t year, int32_t month, int32_t day);

  SkinBin::Button buttons[ButtonCount] = {SkinBin::Button{this}, SkinBin::Button{this}, SkinBin::Button{this},
                                          SkinBin::Button{this}, SkinBin::Button{this}};

 private:
  void RecordNow(int32_t seconds);
  void OpenManualTimer();
};

}  // namespace Record
