// Module 0x83 of the option database: region, tuning, the sleep timer and
// the on-timer, picture-in-picture, timeshift, recording timers, the guide
// service and the window geometry.
#pragma once

#include <cstdint>
#include <vector>

#include "OptionDatabase/OptionModuleClass.h"

namespace SkinBin {

class ChannelListData;

class ApplicationSetupModule : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit ApplicationSetupModule(XObject* link = nullptr);

  // A time of day as minutes 0 to 720, shown as "HH : MM".
  void TimerTime_GetData(XObject* sender);
  // The timer repetitions are kept from 1; the courier carries that value.
  void TimerTimesType_GetData(XObject* sender);
  void TimeshiftDuration_GetData(XObject* sender);
  // The on-timer input offers the first two inputs, and for a recording
  // timer its two tuners; the picture-in-picture input every input that can
  // be chosen and that the viewer kept.
  void OnTimerInput_Initialize(XObject* sender);
  void OnTimerInput_Val2Id(XObject* sender);
  void OnTimerInput_Id2Val(XObject* sender);
  void OnTimerInput_GetData(XObject* sender);
  // The on-timer channel offers the channels of the timer's medium, the
  // guide channel those of the guide; a value is a united channel number.
  void Channel_Initialize(XObject* sender);
  void Channel_Val2Id(XObject* sender);
  void Channel_Id2Val(XObject* sender);
  void Channel_GetData(XObject* sender);

 private:
  bool IsPipInput(::OptionDatabase::OptionDataClass* record) const;
  // The on-timer input of a recording timer, whose source is a tuner.
  bool IsTunerInput(::OptionDatabase::OptionDataClass* record) const;
  // The input index that a choice of a record stands for; -1 for none.
  int32_t SourceIndexOf(::OptionDatabase::OptionDataClass* record, int32_t id) const;
  // The channel list a record reads; null before its Initialize ran.
  ChannelListData* ChannelsOf(::OptionDatabase::OptionDataClass* record) const;
  // The major and minor number of a choice; -2, -2 for the placeholder of
  // an empty list.
  void ChannelOf(::OptionDatabase::OptionDataClass* record, int32_t id, int32_t* major, int32_t* minor,
                 bool* digital) const;

  std::vector<int32_t> pipSources_;  // input indices of the picture-in-picture choices
};

}  // namespace SkinBin
