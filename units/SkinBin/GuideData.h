// The programme guide's list models: the programmes of a channel from the
// network time on, and the programmes found by theme search; with the
// guide-data service account that the guide setup screens edit.
#pragma once

#include <cstdint>

#include "SkinBin/RecordData.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "db.h"
#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

// A programme of the guide database as the screens read it.
void FillEventInfo(::Structures::EventInfo* event, const DB_EventRecord& record);

class EPGEventsInfo_DB : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 1000;
  static constexpr int32_t kPageSize = 8;
  explicit EPGEventsInfo_DB(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumEvents();
  virtual int32_t GetCurrentEventSet();
  // Loads at most count programmes of the channel that have not ended, on
  // the current medium; the page loader then goes on after them.
  void GetEventInfoByCount(::Structures::VirtualChannel* channel, int32_t count);
  // The first page (without a load by count before it) clears the list and
  // takes the network time; each call appends the next up to 8 programmes
  // after those read from that time.
  void GetEventInfoByPage(::Structures::VirtualChannel* channel);
  ::Structures::EventInfo* GetEvent(int32_t index) const;

  bool EndReached = false;
  VgPtrArray<::Structures::EventInfo, kCapacity> Events;
  int32_t NumEvents = 0;
  int32_t CurrentEventSet = 0;
  int32_t NextPage = 0;
  int32_t PageTime = 0;  // the network time of the first page, seconds

 private:
  void Clear();
  // Appends at most capacity programmes, skipping the first skip; false when
  // the guide could not be read.
  bool Append(::Structures::VirtualChannel* channel, int32_t from, int32_t skip, int32_t capacity);
};

// A programme found by theme search.
class DB_EPGThemeData : public ::Structures::EventInfo {
  VG_CLASS()

 public:
  explicit DB_EPGThemeData(XObject* link = nullptr) : ::Structures::EventInfo(link) {}

  VgStr StationName;
  VgStr Theme;
  VgStr Subtitle;
  VgStr Episode;
  int32_t ProgramId = 0;
  int32_t MapId = 0;  // 1 cable
  int32_t Major = 0;
  int32_t Minor = 0;
};

class DB_EPGThemeInfo : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 1000;
  static constexpr int32_t kPageSize = 8;
  explicit DB_EPGThemeInfo(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumEvents();
  // Searches the theme and loads at most count of its programmes; the page
  // loader then goes on after them.
  void GetEventInfoByCount(int32_t count);
  // The first page (without a load by count before it) searches the theme;
  // each call appends the next page.
  void GetEventInfoByPage();
  DB_EPGThemeData* GetEvent(int32_t index) const;

  int32_t SearchTime = 0;  // seconds
  VgPtrArray<DB_EPGThemeData, kCapacity> Events;
  int32_t NumEvents = 0;
  int32_t NextPage = 0;
  VgPtr<ThemeProgramIds> ProgramIds;
  VgStr Theme;
  int32_t NumProgramIds = 0;
  // The found programme the next page starts at.
  int32_t NextProgram = 0;
  bool EndReached = false;

 private:
  void Search();
  void LoadPrograms(int32_t first, int32_t count);
};

// The guide-data service account.
class EPGSetupTMSAccount : public XObject {
  VG_CLASS()

 public:
  explicit EPGSetupTMSAccount(XObject* link = nullptr) : XObject(link) {}

  VgStr UserName;
  VgStr Password;
};

}  // namespace SkinBin
