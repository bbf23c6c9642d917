// The lists of the recording screens: scheduled shows, recorded shows, the
// recordings of one storage path and the timers in conflict, each loaded from
// the guide database or the recorder into fixed slots; their records; and the
// small status records of playback, timeshift and USB storage.
#pragma once

#include <cstdint>

#include "Structures/LocalTime.h"
#include "Structures/TimerData.h"
#include "db.h"
#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

// A show as the recording lists show it.
class RecordData : public XObject {
  VG_CLASS()

 public:
  explicit RecordData(XObject* link = nullptr) : XObject(link) {}

  uint8_t CaptionFlag = 0;
  int32_t Value = 0;
  int32_t Tuner = 0;  // non-zero: the second tuner
  int32_t Major = 0;
  int32_t Minor = 0;
  VgPtr<::Structures::LocalTime> StartTime;  // the programme's start
  int32_t MapId = 0;                         // 1 cable
  VgStr Title;
  VgStr Description;
  int32_t Rating = 0;
  int32_t Duration = 0;  // seconds
  VgPtr<::Structures::LocalTime> RecordTime;
  VgStr ChannelName;
  int32_t State = 0;
};

class ScheduledRecordData : public RecordData {
  VG_CLASS()

 public:
  explicit ScheduledRecordData(XObject* link = nullptr) : RecordData(link) {}

  uint8_t Enabled = 0;
  int32_t TimerId = 0;
  int32_t Repetition = 0;  // the timer's times type; 0 when no timer is set
  int32_t SourceType = 1;  // what created the schedule: 1 a timer, 2 the guide, 3 a recording started now
};

// A new record of a schedule row.
ScheduledRecordData* NewScheduledRecordData(const DB_ScheduledShow& show);
// Writes a timer's id, state, tuner, channel, start, length and repetition
// into its schedule row; the row's texts stay.
void FillScheduleRow(DB_ScheduledShow* row, const ::Structures::TimerData* timer);

class RecordedShowData : public RecordData {
  VG_CLASS()

 public:
  explicit RecordedShowData(XObject* link = nullptr) : RecordData(link) {}

  uint8_t Watched = 0;
  int32_t RecordId = 0;
  VgStr FileName;
};

class RecordPlaybackData : public RecordData {
  VG_CLASS()

 public:
  explicit RecordPlaybackData(XObject* link = nullptr) : RecordData(link) {}

  uint8_t Watched = 0;
  int32_t RecordId = 0;
  VgStr FileName;
  int32_t Mark = 0;  // resume position, seconds
};

class ConflictTimerData : public XObject {
  VG_CLASS()

 public:
  explicit ConflictTimerData(XObject* link = nullptr) : XObject(link) {}

  int32_t TimerId = 0;
  VgPtr<::Structures::TimerData> Timer;
  VgStr Title;
};

// Identifier arrays filled by the middleware and the database.
class RecordIds : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 1000;
  explicit RecordIds(XObject* link = nullptr) : XObject(link) {}
  int32_t Ids[kCapacity] = {};
};

class ConflictTimerIds : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 32;
  explicit ConflictTimerIds(XObject* link = nullptr) : XObject(link) {}
  int32_t Ids[kCapacity] = {};
};

class ThemeProgramIds : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 1000;
  explicit ThemeProgramIds(XObject* link = nullptr) : XObject(link) {}
  int32_t Ids[kCapacity] = {};
};

class DB_ScheduledInfo : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 40;
  explicit DB_ScheduledInfo(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumEvents();
  // Drops the shows that have started and loads at most maximum of the others.
  void GetEventInfoByCount(int32_t maximum);
  ScheduledRecordData* GetEvent(int32_t index) const;

  VgPtrArray<ScheduledRecordData, kCapacity> Events;
  int32_t NumEvents = 0;
};

class DB_RecordedInfo : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 1000;
  // The recorded-show preview lists only the latest few.
  static constexpr int32_t kBriefCapacity = 3;
  explicit DB_RecordedInfo(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumEvents();
  void GetEventInfoByCount();
  // Null for a show whose details could not be read.
  RecordedShowData* GetEvent(int32_t index) const;

  bool Brief = false;
  VgPtrArray<RecordedShowData, kCapacity> Events;
  int32_t NumEvents = 0;
};

class DB_RecordPlaybackInfo : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 1000;
  static constexpr int32_t kPathBytes = 64;
  explicit DB_RecordPlaybackInfo(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumEvents();
  void GetEventInfoByCount();
  RecordPlaybackData* GetEvent(int32_t index) const;

  VgPtrArray<RecordPlaybackData, kCapacity> Events;
  int32_t NumEvents = 0;
  VgStr Path;
  int32_t SortOrder = 0;
};

class ConflictTimerInfo : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 32;
  explicit ConflictTimerInfo(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumEvents();
  void SetTimerActiveState(bool active);
  // Reloads the timers in conflict from the middleware, with their timer
  // records and titles (ConflictTimerLoader.cpp).
  void GetEventInfoByCount();
  // Stores every listed timer and brings its schedule row up to date; 0, or
  // the first error of the middleware.
  int32_t UpdateAllTimers();

  VgPtrArray<ConflictTimerData, kCapacity> Events;
  int32_t NumEvents = 0;
};

class USBMountedInfo : public XObject {
  VG_CLASS()

 public:
  explicit USBMountedInfo(XObject* link = nullptr) : XObject(link) {}

  int32_t GetMountedNum() const { return MountedNum; }
  void GetUSBMountedPoints();

  VgStr MountPoints[4];
  int32_t MountedNum = 0;
};

class RecordPlaybackStatus : public XObject {
  VG_CLASS()

 public:
  explicit RecordPlaybackStatus(XObject* link = nullptr) : XObject(link) {}

  int32_t TotalTime = 0;  // seconds
  int32_t Position = 0;   // seconds
  int32_t Rate = 0;
  int32_t State = 0;
  int32_t Reserved = 0;
};

class TimeshiftStatus : public XObject {
  VG_CLASS()

 public:
  explicit TimeshiftStatus(XObject* link = nullptr) : XObject(link) {}

  int32_t BufferedTime = 0;  // seconds
  int32_t Position = 0;      // seconds within the buffer
  int32_t Rate = 0;
  int32_t State = 0;
  int32_t Reserved[3] = {};
};

class USBDiskStatus : public XObject {
  VG_CLASS()

 public:
  explicit USBDiskStatus(XObject* link = nullptr) : XObject(link) {}

  int32_t Mounted = 0;
  VgStr MountPoint;
  VgStr FileSystem;
  int32_t TotalSpace = 0;      // MB
  int32_t AvailableSpace = 0;  // MB
};

}  // namespace SkinBin
