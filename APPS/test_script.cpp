#include "test_script.h"

#include <cstdio>
#include <ctime>
#include <iterator>

#include "ace.h"
#include "db.h"
#include "hostlink.h"
#include "vgcalendar.h"
#include "vgdebug.h"
#include "xpm.h"

namespace {

// Presses by offset from the cycle's start; the three differ in the number of
// "u" presses, which moves the rows after them.
constexpr TestScriptPress kPresses15[] = {
    {2, "blue"}, {4, "r"},  {6, "r"},  {8, "r"},  {10, "r"}, {12, "ok"}, {14, "r"},  {16, "u"},
    {18, "u"},   {20, "u"}, {22, "u"}, {24, "u"}, {26, "u"}, {28, "u"},  {30, "u"},  {32, "u"},
    {34, "u"},   {36, "u"}, {38, "u"}, {40, "u"}, {42, "u"}, {44, "u"},  {46, "ok"}, {48, "r"},
    {50, "ok"},  {52, "d"}, {54, "ok"}, {56, "d"}, {58, "ok"},
};
constexpr TestScriptPress kPresses10[] = {
    {2, "blue"}, {4, "r"},  {6, "r"},  {8, "r"},  {10, "r"}, {12, "ok"}, {14, "r"}, {16, "u"},
    {18, "u"},   {20, "u"}, {22, "u"}, {24, "u"}, {26, "u"}, {28, "u"},  {30, "u"}, {32, "u"},
    {34, "u"},   {36, "ok"}, {38, "r"}, {40, "ok"}, {42, "d"}, {44, "ok"}, {46, "d"}, {48, "ok"},
};
constexpr TestScriptPress kPresses5[] = {
    {2, "blue"}, {6, "r"},  {7, "r"},  {8, "r"},  {10, "r"}, {12, "ok"}, {14, "r"},
    {16, "u"},   {18, "u"}, {20, "u"}, {22, "u"}, {24, "u"}, {26, "ok"}, {28, "r"},
    {30, "ok"},  {32, "d"}, {34, "ok"}, {36, "d"}, {38, "ok"},
};

// The table holds 25 subtitles for 27 programmes: the last two have none.
constexpr const char* kSubtitles[kTestScriptSubtitles] = {
    "Sub1",  "Sub2",  "Sub3",  "Sub4",  "Sub5",  "Sub6",  "Sub7",  "Sub8",  "Sub9",
    "Sub10", "Sub11", "Sub12", "Sub13", "Sub14", "Sub15", "Sub16", "Sub17", "Sub18",
    "Sub19", "Sub20", "Sub21", "Sub22", "Sub23", "Sub24", "Sub25",
};

// The timers of auto_record_setup_others follow one another from the time
// read, each programme in a slot of its own.
constexpr int32_t kProgrammeSpacing = 30 * 60;
constexpr int32_t kProgrammeLength = 20 * 60;
// The timer auto_test_recording sets from the hour it winds the clock back to.
constexpr int32_t kTestTimerIndex = 0;
constexpr int32_t kTestTimerLength = 10 * 60;

void Press(const TestScriptTable& table, int32_t tick, int32_t cycle) {
  const int64_t offset = static_cast<int64_t>(tick) - static_cast<int64_t>(cycle) * table.cycleLength;
  for (size_t i = 0; i < table.count; ++i) {
    if (table.presses[i].offset == offset) {
      bcm_hostlink_parser_kb_Decoder(table.presses[i].key, 1);
      return;
    }
  }
}

XPM_TimerInfo RecordingTimer(const struct tm& start, int32_t duration, const Ace_Channel& channel) {
  XPM_TimerInfo timer{};
  timer.enabled = 1;
  timer.duration = duration;
  timer.source = channel.source;
  timer.sourceType = channel.sourceType;
  timer.major = channel.major;
  timer.minor = channel.minor;
  timer.mapId = channel.mapId;
  timer.start = start;
  return timer;
}

}  // namespace

const TestScriptTable kRecordSetup15{48, kPresses15, std::size(kPresses15)};
const TestScriptTable kRecordSetup10{38, kPresses10, std::size(kPresses10)};
const TestScriptTable kRecordSetup5{38, kPresses5, std::size(kPresses5)};

void test(void) { bcm_hostlink_parser_kb_Decoder("blue", 1); }

void auto_record_setup_15(int32_t tick, int32_t cycle) { Press(kRecordSetup15, tick, cycle); }
void auto_record_setup_10(int32_t tick, int32_t cycle) { Press(kRecordSetup10, tick, cycle); }
void auto_record_setup_5(int32_t tick, int32_t cycle) { Press(kRecordSetup5, tick, cycle); }

void auto_test_recording(void) {
  XPM_SetAutoTimeUpdate(0);
  struct tm now{};
  if (Ace_GetLocalTime(&now) != 0) {
    VgPrint("auto_test_recording: the local time cannot be read\n");
    return;
  }
  VgPrint("Check Time 1: %02d:%02d:%02d:%02d:%02d:%02d\n\n", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
          now.tm_hour, now.tm_min, now.tm_sec);
  now.tm_min = 0;
  if (const int32_t error = XPM_SetLocalTime(&now)) VgPrint("auto_test_recording: XPM_SetLocalTime failed (%d)\n", error);

  Ace_Channel channel{};
  if (channel_agent_get_current_channel(&channel) != 0) {
    VgPrint("auto_test_recording: the current channel cannot be read\n");
    return;
  }
  const XPM_TimerInfo timer = RecordingTimer(now, kTestTimerLength, channel);
  if (const int32_t error = XPM_SetTimer(kTestTimerIndex, &timer))
    VgPrint("auto_test_recording: XPM_SetTimer failed (%d)\n", error);
}

void auto_record_setup_others(void) {
  struct tm when{};
  if (Ace_GetTimer(&when) != 0) {
    VgPrint("auto_record_setup_others: the timer time cannot be read\n");
    return;
  }
  VgPrint("Year %d\n", when.tm_year + 1900);
  VgPrint("mon  %d\n", when.tm_mon + 1);
  VgPrint("day  %d\n", when.tm_mday);
  VgPrint("hour %d\n", when.tm_hour);
  VgPrint("min  %d\n", when.tm_min);
  VgPrint("sec %d\n", when.tm_sec);
  const int64_t base = VgLocalSeconds(when);
  VgPrint("localsecons %d\n", static_cast<int>(base));

  // The query runs against the state before the inserts; only that it answers
  // matters here.
  DB_ScheduledShow first{};
  DB_Get_First_Scheduled_Show(static_cast<int32_t>(base), &first);

  Ace_Channel channel{};
  channel_agent_get_current_channel(&channel);
  for (int32_t index = 1; index <= kTestScriptProgrammes; ++index) {
    const int64_t start = base + int64_t(index) * kProgrammeSpacing;
    const struct tm startTime = VgLocalParts(start);
    const XPM_TimerInfo timer = RecordingTimer(startTime, kProgrammeLength, channel);
    if (const int32_t error = XPM_SetTimer(index, &timer))
      VgPrint("auto_record_setup_others: XPM_SetTimer(%d) failed (%d)\n", index, error);

    DB_ScheduledShow show{};
    show.timerId = index;
    show.enabled = 1;
    show.major = channel.major;
    show.minor = channel.minor;
    show.mapId = channel.mapId;
    show.startTime = static_cast<int32_t>(start);
    show.duration = kProgrammeLength;
    std::snprintf(show.title, sizeof show.title, "Program%d", index);
    // The record has no subtitle field; the subtitle is the show's description.
    const char* subtitle = index <= kTestScriptSubtitles ? kSubtitles[index - 1] : "";
    std::snprintf(show.description, sizeof show.description, "%s", subtitle);
    if (DB_Insert_Scheduled_Data(index, &show) != 0)
      VgPrint("auto_record_setup_others: DB_Insert_Scheduled_Data(%d) failed\n", index);
  }
}
