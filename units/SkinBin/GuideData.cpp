#include "SkinBin/GuideData.h"

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "SkinBin/MiddlewareText.h"
#include "db.h"
#include "vgcalendar.h"
#include "vgdebug.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, EPGEventsInfo_DB, XObject)
VG_DEFINE_CLASS(SkinBin, DB_EPGThemeData, Structures::EventInfo)
VG_DEFINE_CLASS(SkinBin, DB_EPGThemeInfo, XObject)
VG_DEFINE_CLASS(SkinBin, EPGSetupTMSAccount, XObject)

namespace SkinBin {

namespace {

// The network time in seconds; 0 (everything not ended since 1970) when the
// middleware cannot tell it.
int32_t NetworkTime() {
  struct tm local {};
  if (XPM_GetLocalTime(&local) != 0) {
    VgPrint("Guide: XPM_GetLocalTime Failed\n");
    return 0;
  }
  const int64_t now = VgLocalSeconds(local);
  return now < 0 ? 0 : static_cast<int32_t>(now);
}

}  // namespace

void FillEventInfo(::Structures::EventInfo* e, const DB_EventRecord& record) {
  e->Flag = record.duration > 0;
  e->StartTime = NewLocalTime(record.startTime);
  e->Duration = record.duration;
  e->Title = BufferText(record.title);
  e->Description = BufferText(record.description);
  e->Rating1 = record.usRating;
  e->Rating2 = record.canRating;
  e->RatingText = BufferText(record.ratingText);
  e->Values[0] = record.eventId;
  e->Values[1] = record.captionFlag;
  e->Values[2] = record.theme;
}

namespace {

template <class Slots>
void ClearSlots(Slots& slots, int32_t count) {
  for (int32_t i = 0; i < count && i < int32_t(slots.size()); ++i) slots[size_t(i)] = nullptr;
}

}  // namespace

// ------------------------------------------------------------ channel guide

int32_t EPGEventsInfo_DB::GetNumEvents() { return NumEvents; }

int32_t EPGEventsInfo_DB::GetCurrentEventSet() { return CurrentEventSet; }

::Structures::EventInfo* EPGEventsInfo_DB::GetEvent(int32_t index) const {
  return index >= 0 && index < NumEvents ? Events[size_t(index)] : nullptr;
}

void EPGEventsInfo_DB::Clear() {
  ClearSlots(Events, NumEvents);
  NumEvents = 0;
  EndReached = false;
}

bool EPGEventsInfo_DB::Append(::Structures::VirtualChannel* channel, int32_t from, int32_t skip, int32_t capacity) {
  if (!channel) {
    VgPrint("EPGEventsInfo_DB: no channel\n");
    return false;
  }
  capacity = std::min(capacity, kCapacity - NumEvents);
  if (capacity <= 0) return true;
  int32_t medium = 0;
  XPM_GetMedium(&medium);
  std::vector<DB_EventRecord> records(static_cast<size_t>(capacity));
  int32_t count = 0;
  int32_t remaining = 0;
  if (DB_Get_EPG_Events(medium, channel->Major, channel->Minor, from, skip, records.data(), capacity, &count,
                        &remaining) != 0)
    return false;
  count = std::clamp(count, 0, capacity);
  for (int32_t i = 0; i < count; ++i) {
    auto* e = VgNew<::Structures::EventInfo>();
    FillEventInfo(e, records[size_t(i)]);
    Events[size_t(NumEvents++)] = e;
  }
  EndReached = remaining <= 0 || NumEvents >= kCapacity;
  return true;
}

void EPGEventsInfo_DB::GetEventInfoByCount(::Structures::VirtualChannel* channel, int32_t count) {
  Clear();
  PageTime = NetworkTime();
  if (!Append(channel, PageTime, 0, count)) EndReached = true;
  // The page loader goes on after what was read here.
  NextPage = 1;
}

void EPGEventsInfo_DB::GetEventInfoByPage(::Structures::VirtualChannel* channel) {
  if (NextPage == 0) {
    Clear();
    PageTime = NetworkTime();
  }
  if (EndReached) return;
  if (!Append(channel, PageTime, NumEvents, kPageSize)) {
    EndReached = true;
    return;
  }
  ++NextPage;
}

// ------------------------------------------------------------- theme search

int32_t DB_EPGThemeInfo::GetNumEvents() { return NumEvents; }

DB_EPGThemeData* DB_EPGThemeInfo::GetEvent(int32_t index) const {
  return index >= 0 && index < NumEvents ? Events[size_t(index)] : nullptr;
}

void DB_EPGThemeInfo::Search() {
  ClearSlots(Events, NumEvents);
  NumEvents = 0;
  NextPage = 0;
  NextProgram = 0;
  EndReached = false;
  SearchTime = NetworkTime();
  if (!ProgramIds) ProgramIds = VgNew<ThemeProgramIds>();
  char theme[DB_THEME_TEXT_SIZE] = {};
  VgStringToAnsi(Theme, theme, DB_THEME_TEXT_SIZE, '?');
  theme[DB_THEME_TEXT_SIZE - 1] = 0;
  int32_t count = 0;
  if (DB_Search_Theme(theme, SearchTime, ProgramIds->Ids, ThemeProgramIds::kCapacity, &count) != 0) count = 0;
  NumProgramIds = std::clamp(count, 0, ThemeProgramIds::kCapacity);
  EndReached = NumProgramIds == 0;
}

// A programme that vanished from the guide since the search is left out.
void DB_EPGThemeInfo::LoadPrograms(int32_t first, int32_t count) {
  auto program = std::make_unique<DB_ThemeProgram>();
  const int32_t last = std::min({first + count, NumProgramIds, kCapacity});
  for (int32_t i = first; i < last && NumEvents < kCapacity; ++i) {
    if (DB_Get_Theme_Program(ProgramIds->Ids[i], program.get()) != 0) continue;
    auto* e = VgNew<DB_EPGThemeData>();
    FillEventInfo(e, program->event);
    e->StationName = BufferText(program->station);
    e->Theme = BufferText(program->theme);
    e->Subtitle = BufferText(program->subtitle);
    e->Episode = BufferText(program->episode);
    e->ProgramId = program->programId;
    e->MapId = program->medium;
    e->Major = program->major;
    e->Minor = program->minor;
    Events[size_t(NumEvents++)] = e;
  }
}

void DB_EPGThemeInfo::GetEventInfoByCount(int32_t count) {
  Search();
  NextProgram = std::clamp(count, 0, NumProgramIds);
  LoadPrograms(0, NextProgram);
  NextPage = 1;
  EndReached = NextProgram >= NumProgramIds;
}

void DB_EPGThemeInfo::GetEventInfoByPage() {
  if (NextPage == 0) Search();
  if (EndReached) return;
  LoadPrograms(NextProgram, kPageSize);
  NextProgram = std::min(NextProgram + kPageSize, NumProgramIds);
  ++NextPage;
  EndReached = NextProgram >= NumProgramIds;
}

}  // namespace SkinBin
