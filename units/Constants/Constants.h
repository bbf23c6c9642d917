// Plain values shared between screens, sub-systems and the television model.
// Each list below is written once; the constants and the table that tests and
// traces walk are both expanded from it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Message codes: the Code of a Structures::Message.
#define CONSTANTS_MSG_CODES(X)          \
  X(MSG_CLEAR_ALL, 0x1F0001)            \
  X(MSG_EVENT_CACHED, 0x1F0004)         \
  X(MSG_UPDATE_HELP_BAR, 0x1F0005)      \
  X(MSG_CHANGE_APPEARANCE, 0x1F0006)    \
  X(MSG_CLEAR_HELP_BAR, 0x1F0008)       \
  X(MSG_CHANGE_STATE, 0x1F0009)         \
  X(MSG_LABEL_CHANGE, 0x1F000A)         \
  X(MSG_SHOW_WAITING_CIRCLE, 0x1F000B)  \
  X(MSG_RESTART_INITIAL_SETUP, 0x1F000D) \
  X(MSG_SHOW_MESSAGE, 0x1F000E)         \
  X(MSG_CLEAR_MESSAGE, 0x1F000F)        \
  X(MSG_NO_MEDIA_FILES, 0x1F0010)       \
  X(MSG_3D_STARTED, 0x1F0011)           \
  X(MSG_MM_STATUS_INFO, 0x1F0012)       \
  X(MSG_OPTION_CHANGE, 0x1F0013)        \
  X(MSG_UPDATE_MAIN_MENU_HELP, 0x1F0014) \
  X(MSG_ENTER_SCREEN_SAVER, 0x1F0015)   \
  X(MSG_EXIT_SCREEN_SAVER, 0x1F0016)    \
  X(MSG_APPLY_REPEAT, 0x1F0017)         \
  X(MSG_APPLY_PHOTO_BROWSE, 0x1F0018)   \
  X(MSG_DELETE_ITEM, 0x1F0019)          \
  X(MSG_UPDATE_RECORD_TYPE, 0x1F001A)   \
  X(MSG_SET_VIDEO_PREVIEW_WINDOW, 0x1F001B) \
  X(MSG_EXIT_MEDIA_STATE, 0x1F001C)     \
  X(MSG_RECORD_SLEEP_WARNING, 0x1F001D) \
  X(MSG_CHANGE_PLAYBACK_SORT, 0x1F001E) \
  X(MSG_RECORD_CURRENT_SHOW, 0x1F001F)  \
  X(MSG_UPDATE_ALL_SCHEDULES, 0x1F0020) \
  X(MSG_SET_CHANNEL_LOGO, 0x1F0021)

// What the receiver of MSG_CHANGE_APPEARANCE does, its Param: shows itself
// again, hides, or takes the focus back (a screen in its sub-system; a
// sub-system among the others).
#define CONSTANTS_APPEARANCES(X)       \
  X(APPEARANCE_SHOW, 1)                \
  X(APPEARANCE_HIDE, 2)                \
  X(APPEARANCE_TAKE_FOCUS, 3)

// Sender prefixes that screens combine with their own numbers.
#define CONSTANTS_MSG_SOURCES(X)           \
  X(MSG_FROM_MENUSYSTEM, 0x1A30000)        \
  X(MSG_FROM_NONMENUSYSTEM, 0x1A40000)     \
  X(MSG_FROM_QUICKMENU, 0x1A90000)

// Kinds of entry in the source history.
#define CONSTANTS_HISTORY_ITEM_TYPES(X)   \
  X(HISTORY_ITEM_TYPE_RF1, 0)             \
  X(HISTORY_ITEM_TYPE_NONRF, 1)           \
  X(HISTORY_ITEM_TYPE_PHOTO, 2)           \
  X(HISTORY_ITEM_TYPE_MUSIC, 3)           \
  X(HISTORY_ITEM_TYPE_CEC, 4)             \
  X(HISTORY_ITEM_TYPE_RF2, 5)

// The middleware's source types (1 and 12 are the two RF inputs).
#define CONSTANTS_SOURCE_TYPES(X)                 \
  X(XPM_SOURCE_TYPE_NONE, 0)                      \
  X(XPM_SOURCE_TYPE_RF_TUNER, 1)                  \
  X(XPM_SOURCE_TYPE_AV_COMPOSITE, 2)              \
  X(XPM_SOURCE_TYPE_AV_COMPOSITE_SVIDEO, 3)       \
  X(XPM_SOURCE_TYPE_AV_COMPONENT, 4)              \
  X(XPM_SOURCE_TYPE_AV_HDMI, 5)                   \
  X(XPM_SOURCE_TYPE_AV_VGA, 6)                    \
  X(XPM_SOURCE_TYPE_MULTI_MEDIA, 7)               \
  X(XPM_SOURCE_TYPE_MM, 8)                        \
  X(XPM_SOURCE_TYPE_EXT, 9)                       \
  X(XPM_SOURCE_TYPE_AV_DVI, 10)                   \
  X(XPM_SOURCE_TYPE_PATTERN, 11)                  \
  X(XPM_SOURCE_TYPE_RF_DIGITAL, 12)

// Recording timers: how often one records, what made it, why the middleware
// refused to store it.
#define CONSTANTS_TIMER_VALUES(X)                 \
  X(XPM_TIMER_TIMES_TYPE_NONE, 0)                 \
  X(XPM_TIMER_TIMES_TYPE_EVERYDAY, 1)             \
  X(XPM_TIMER_TIMES_TYPE_DAILY, 2) /* Monday to Friday */ \
  X(XPM_TIMER_TIMES_TYPE_WEEKENDLY, 3)            \
  X(XPM_TIMER_TIMES_TYPE_ONCE, 4)                 \
  X(XPM_TIMER_TIMES_TYPE_WEEKLY, 5)               \
  X(XPM_RECORD_SOURCE_TYPE_TIMER, 1)              \
  X(XPM_RECORD_SOURCE_TYPE_GUIDE, 2)              \
  X(XPM_RECORD_SOURCE_TYPE_START, 3)              \
  X(XPM_TIMER_ERROR_INVALID_TIMERID, 5)           \
  X(XPM_TIMER_ERROR_OVERLAP, 39)                  \
  X(XPM_TIMER_ERROR_INVALID_DURATION, 41)         \
  X(XPM_TIMER_ERROR_INVALID_STARTTIME, 43)

// A tuner's live television, and a recording's state (record-status events
// and the recording lists).
#define CONSTANTS_RECORD_STATES(X)                \
  X(XPM_TV_STATE_LIVE_TV, 1)                      \
  X(XPM_TV_STATE_PAUSE_LIVE_TV, 2)                \
  X(XPM_TV_STATE_RECORDING_LIVE_TV, 3)            \
  X(XPM_RECORD_STATUS_RECORDING, 1)               \
  X(XPM_RECORD_STATUS_START, 2)                   \
  X(XPM_RECORD_STATUS_STOP, 3)                    \
  X(XPM_RECORD_STATUS_USB_NOT_CONNECT, 4)         \
  X(XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE, 5)     \
  X(XPM_RECORD_STATUS_NOT_DIGITAL_CHANNEL, 8)     \
  X(XPM_RECORD_STATUS_TUNER_IN_USE, 10)           \
  X(XPM_RECORD_STATUS_NO_SIGNAL, 11)              \
  X(XPM_RECORD_STATUS_FAILED, 12)                 \
  X(XPM_RECORD_STATUS_WILL_RECORD, 18)            \
  X(XPM_RECORD_STATUS_COMPLETE, 19)

// What a delete confirmation deletes (the item kind of MSG_DELETE_ITEM).
#define CONSTANTS_DELETE_KINDS(X)                 \
  X(DELETE_MOVIE_FILE, 1)                         \
  X(DELETE_RECORDED_SHOW, 2)                      \
  X(DELETE_SCHEDULED_RECORD, 3)                   \
  X(DELETE_EPG_RECORD, 4)                         \
  X(DELETE_CHANNEL_LOGO, 5)

namespace Constants {

#define CONSTANTS_DECLARE(name, value) inline constexpr int32_t name = value;
CONSTANTS_MSG_CODES(CONSTANTS_DECLARE)
CONSTANTS_APPEARANCES(CONSTANTS_DECLARE)
CONSTANTS_MSG_SOURCES(CONSTANTS_DECLARE)
CONSTANTS_HISTORY_ITEM_TYPES(CONSTANTS_DECLARE)
CONSTANTS_SOURCE_TYPES(CONSTANTS_DECLARE)
CONSTANTS_TIMER_VALUES(CONSTANTS_DECLARE)
CONSTANTS_RECORD_STATES(CONSTANTS_DECLARE)
CONSTANTS_DELETE_KINDS(CONSTANTS_DECLARE)
#undef CONSTANTS_DECLARE

struct Named {
  std::string_view name;
  int32_t value;
};

#define CONSTANTS_ROW(name, value) Named{#name, value},
inline constexpr Named kMessageCodes[] = {CONSTANTS_MSG_CODES(CONSTANTS_ROW)};
inline constexpr Named kMessageSources[] = {CONSTANTS_MSG_SOURCES(CONSTANTS_ROW)};
inline constexpr Named kHistoryItemTypes[] = {CONSTANTS_HISTORY_ITEM_TYPES(CONSTANTS_ROW)};
#undef CONSTANTS_ROW

// The name of a message code for traces ("MSG_CLEAR_ALL"), or an empty view.
constexpr std::string_view MessageCodeName(int32_t code) {
  for (const Named& row : kMessageCodes)
    if (row.value == code) return row.name;
  return {};
}

}  // namespace Constants
