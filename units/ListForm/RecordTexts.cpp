#include "ListForm/RecordTexts.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Resources/Bitmap.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "Views/Image.h"
#include "vgresmap.h"

namespace ListForm::RecordTexts {

namespace {

constexpr const VgConstant* kMonths[] = {&Strings::Jan, &Strings::Feb, &Strings::Mar, &Strings::Apr,
                                         &Strings::May, &Strings::Jun, &Strings::Jul, &Strings::Aug,
                                         &Strings::Sep, &Strings::Oct, &Strings::Nov, &Strings::Dec};
constexpr const VgConstant* kWeekdays[] = {&Strings::Sun, &Strings::Mon, &Strings::Tue, &Strings::Wed,
                                           &Strings::Thu, &Strings::Fri, &Strings::Sat};

struct SourceIconRow {
  int32_t type;
  const VgConstant* bitmap;
};
constexpr SourceIconRow kSourceIcons[] = {
    {Constants::XPM_SOURCE_TYPE_RF_TUNER, &Bitmaps::BannerRF1Input},
    {Constants::XPM_SOURCE_TYPE_AV_COMPOSITE, &Bitmaps::BannerVideoInput},
    {Constants::XPM_SOURCE_TYPE_AV_COMPOSITE_SVIDEO, &Bitmaps::BannerVideoInput},
    {Constants::XPM_SOURCE_TYPE_AV_COMPONENT, &Bitmaps::BannerHDInput},
    {Constants::XPM_SOURCE_TYPE_AV_HDMI, &Bitmaps::BannerHDMIInput},
    {Constants::XPM_SOURCE_TYPE_AV_DVI, &Bitmaps::BannerHDMIInput},
    {Constants::XPM_SOURCE_TYPE_AV_VGA, &Bitmaps::BannerPCInput},
    {Constants::XPM_SOURCE_TYPE_RF_DIGITAL, &Bitmaps::BannerRF2Input},
};


// A name of a table by a number the middleware gave; the empty text for a
// number outside it, so a corrupt time shows no name rather than another's.
template <size_t N>
VgString NameOf(const VgConstant* const (&names)[N], int32_t i) {
  return i >= 0 && i < int32_t(N) ? VgGetVariantOfString(names[i]) : VgNewStringAnsi("");
}

// " 06" in the lists' columns, " 6" in a clock's date.
VgString Day(const Structures::LocalTime* time, bool twoDigits) {
  char text[16];
  std::snprintf(text, sizeof text, twoDigits ? " %02d" : " %d", time->Day);
  return VgNewStringAnsi(text);
}

// The margin texts: 0 minutes on time, then "1 min" and "n mins" up to the
// limit, with the sign after them.
VgString Margin(int32_t seconds, int32_t limit, char sign) {
  const int32_t minutes = seconds / 60;
  char text[24];
  if (minutes == 0) return VgNewStringAnsi("On Time");
  if (minutes < 0 || minutes > limit) return VgNewStringAnsi("");
  std::snprintf(text, sizeof text, "%d %s %c", minutes, minutes == 1 ? "min" : "mins", sign);
  return VgNewStringAnsi(text);
}

struct StateIcon {
  int32_t first;
  int32_t last;
  const VgConstant* bitmap;
};

constexpr StateIcon kScheduleStates[] = {
    {Constants::XPM_RECORD_STATUS_RECORDING, Constants::XPM_RECORD_STATUS_RECORDING, &Bitmaps::RecordStatusInRecording},
    {Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT, Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT,
     &Bitmaps::RecordStatusNoUSB},
    {Constants::XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE, Constants::XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE,
     &Bitmaps::RecordStatusNoSize},
    // Every refusal of the recorder, the unnamed ones among them.
    {6, Constants::XPM_RECORD_STATUS_FAILED, &Bitmaps::RecordStatusFailed},
    {Constants::XPM_RECORD_STATUS_WILL_RECORD, Constants::XPM_RECORD_STATUS_WILL_RECORD,
     &Bitmaps::RecordStatusWillRecord},
};

constexpr StateIcon kRecordedStates[] = {
    {Constants::XPM_RECORD_STATUS_STOP, Constants::XPM_RECORD_STATUS_STOP, &Bitmaps::RecordStatusStop},
    {Constants::XPM_RECORD_STATUS_COMPLETE, Constants::XPM_RECORD_STATUS_COMPLETE, &Bitmaps::RecordStatusWillRecord},
};

template <size_t N>
const VgConstant* IconOf(const StateIcon (&table)[N], int32_t status) {
  for (const StateIcon& row : table)
    if (status >= row.first && status <= row.last) return row.bitmap;
  return nullptr;
}

// By times type 1 to 5: the icon of an active timer and of one that is off.
constexpr const VgConstant* kRepetitionIcons[][2] = {
    {&Bitmaps::EPG_RecordTypeEveryday, &Bitmaps::EPG_RecordTypeEveryday0},
    {&Bitmaps::EPG_RecordTypeDaily, &Bitmaps::EPG_RecordTypeDaily0},
    {&Bitmaps::EPG_RecordTypeWeekendly, &Bitmaps::EPG_RecordTypeWeekendly0},
    {&Bitmaps::EPG_RecordTypeOnce, &Bitmaps::EPG_RecordTypeOnce0},
    {&Bitmaps::EPG_RecordTypeWeekly, &Bitmaps::EPG_RecordTypeWeekly0},
};

}  // namespace

VgString MonthDay(const Structures::LocalTime* time) {
  if (!time) return nullptr;
  return VgConcatString(NameOf(kMonths, time->Month), Day(time, true));
}

VgString WeekdayMonthDay(const Structures::LocalTime* time) {
  if (!time) return nullptr;
  return VgConcatString(VgConcatString(NameOf(kWeekdays, time->WeekDay), VgNewStringAnsi(", ")), MonthDay(time));
}

VgString ClockDate(const Structures::LocalTime* time) {
  if (!time) return nullptr;
  VgString weekday = VgConcatString(NameOf(kWeekdays, time->WeekDay), VgNewStringAnsi(", "));
  return VgConcatString(VgConcatString(weekday, NameOf(kMonths, time->Month)), Day(time, false));
}

VgString ClockTime(const Structures::LocalTime* time) {
  return time ? Wrapper::Wrapper::GetTimeAMPM(time->Hour, time->Minute) : nullptr;
}

VgString Length(int32_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[24];
  std::snprintf(text, sizeof text, "%02d:%02d", seconds / 3600, seconds / 60 % 60);
  return VgNewStringAnsi(text);
}

VgString ChannelNumber(int32_t major, int32_t minor) {
  return MainApp::GetWrapper()->GetChannelNumberStr(true, major, minor);
}

VgString StartEarly(int32_t seconds) { return Margin(seconds, 10, '-'); }

VgString EndDelay(int32_t seconds) { return Margin(seconds, 60, '+'); }

VgString AnyMargin(int32_t seconds, char sign) { return Margin(seconds, INT32_MAX / 60, sign); }

VgString NoInformation() { return VgGetVariantOfString(&Strings::SID_NO_INFORMATION_AVAILABLE); }

const VgConstant* SourceIcon(int32_t sourceType) {
  for (const SourceIconRow& row : kSourceIcons)
    if (row.type == sourceType) return row.bitmap;
  return nullptr;
}

const VgConstant* TunerIcon(int32_t tuner) {
  return tuner == 0 ? &Bitmaps::BannerRF1Input : &Bitmaps::BannerRF2Input;
}

const VgConstant* RecordedStateIcon(int32_t status) { return IconOf(kRecordedStates, status); }

const VgConstant* ScheduleStateIcon(int32_t status) { return IconOf(kScheduleStates, status); }

const VgConstant* CheckBoxIcon(bool checked) { return checked ? &Bitmaps::CheckBoxCheck : &Bitmaps::CheckBox; }

IconChange RepetitionIcon(int32_t timesType, bool active) {
  if (timesType == Constants::XPM_TIMER_TIMES_TYPE_NONE) return {true, nullptr};
  if (timesType < 1 || timesType > int32_t(std::size(kRepetitionIcons))) return {};
  return {true, kRepetitionIcons[timesType - 1][active ? 0 : 1]};
}

void ShowIcon(Views::Image& image, const VgConstant* bitmap) {
  image.OnSetBitmap(bitmap ? VgLoad<Resources::Bitmap>(*bitmap) : nullptr);
  image.OnSetVisible(bitmap != nullptr);
}

void ShowIcon(Views::Image& image, IconChange change) {
  if (change.change) ShowIcon(image, change.bitmap);
}

}  // namespace ListForm::RecordTexts
