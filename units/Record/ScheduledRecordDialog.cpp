#include "Record/ScheduledRecordDialog.h"

#include <algorithm>
#include <iterator>

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "ListForm/TimerHooks.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Record/RecordPieces.h"
#include "Record/TimerRules.h"
#include "Resources/Bitmap.h"
#include "SkinBin/RecordData.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "Structures/Message.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, ScheduledRecordInfo, Record::RecordShowInfo)
VG_DEFINE_CLASS(Record, Last3RecordShowsDialog, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(Record, ScheduledRecordDialog, NonMenuSystem::WidgetClass)

namespace Record {

namespace {

namespace Look = NonMenuSystem::Look;

VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }
VgString Ansi(const char* text) { return VgNewStringAnsi(text); }

// A margin in whole minutes: on time, within the longest it may be, or
// nothing the viewer could have chosen.
VgString MarginText(int32_t seconds, int32_t longest, const VgConstant& suffix) {
  const int32_t minutes = seconds / 60;
  if (minutes == 0) return Text(Strings::SID_ON_TIME);
  if (minutes < 0 || minutes > longest) return Ansi("");
  char number[16];
  std::snprintf(number, sizeof number, "%d", minutes);
  return VgConcatString(Ansi(number), Text(suffix));
}

struct MethodRow {
  int32_t sourceType;
  const VgConstant* text;
};
constexpr MethodRow kMethods[] = {
    {Constants::XPM_RECORD_SOURCE_TYPE_TIMER, &Strings::SID_TIMER_METHOD},
    {Constants::XPM_RECORD_SOURCE_TYPE_GUIDE, &Strings::SID_GUIDE_METHOD},
};

// The layout of the screen.
constexpr int32_t kBannerTop = 18;
constexpr int32_t kBannerHeight = 44;
constexpr int32_t kListLeft = 35;
constexpr int32_t kListWidth = 890;
constexpr int32_t kHeadingTop = 66;
constexpr int32_t kColumnTop = 92;
constexpr int32_t kListTop = 116;
constexpr int32_t kInfoTop = 340;
constexpr int32_t kInfoRow = 26;
constexpr int32_t kHelpTop = 490;
constexpr int32_t kHelpIcon = 27;

// The column headings over the list's columns.
using Row = ListForm::ScheduledRecordListItem;
struct Heading {
  const VgConstant* text;
  int32_t column;
};
constexpr Heading kHeadings[ScheduledRecordDialog::HeadingCount] = {
    {&Strings::SID_DATE, Row::DateColumn}, {&Strings::Time, Row::TimeColumn},
    {&Strings::Duration, Row::LengthColumn}, {&Strings::SID_TYPE, Row::TypeColumn},
    {&Strings::SID_STATUS, Row::StatusColumn}, {&Strings::SID_ACTIVE, Row::ActiveColumn},
};

// The details below the list: where each label stands, in two columns.
struct InfoPlace {
  const VgConstant* label;
  int32_t column;
  int32_t row;
};
enum Info : int32_t { ScheduleTime, ProgramTitle, StartEarly, EndDelay, Method, Current };
constexpr InfoPlace kInfo[ScheduledRecordDialog::InfoCount] = {
    {&Strings::SID_SCHEDULE_TIME_LABEL, 0, 0}, {&Strings::SID_PROGRAM_TITLE_LABEL, 0, 1},
    {&Strings::SID_TIMER_START_LABEL, 0, 2},   {&Strings::SID_TIMER_END_LABEL, 1, 2},
    {&Strings::SID_RECORDING_METHOD_LABEL, 0, 3}, {&Strings::SID_CURRENT_SCHEDULE_LABEL, 1, 3},
};
constexpr char kLabelGap[] = "   ";

struct HelpEntry {
  const VgConstant* icon;
  const VgConstant* label;
  const char* suffix;
};
constexpr HelpEntry kHelp[ScheduledRecordDialog::HelpCount] = {
    {&Bitmaps::HelpBarUpDown, &Strings::SID_SELECT, ""},     {&Bitmaps::HelpBarRedBall, &Strings::SID_DELETE, ""},
    {&Bitmaps::HelpBarPageUp, &Strings::SID_PAGE, " Up"},    {&Bitmaps::HelpBarPageDown, &Strings::SID_PAGE, " Dn"},
    {&Bitmaps::HelpBarExit, &Strings::SID_EXIT, ""},         {&Bitmaps::HelpBarOk, &Strings::SID_UPDATE, ""},
    {&Bitmaps::HelpBarBlueBall, &Strings::SID_REC_HISTORY, ""},
};
constexpr int32_t kHelpStep = 128;

// The keys the screen takes: 20 to 84 are its to look at, the rest and
// those it does not know are the base's.
constexpr uint16_t kFirstKey = Key::Red;
constexpr uint16_t kLastKey = Key::Mute;

void Style(Views::Text& text, const VgConstant& font, VgColor color) {
  text.OnSetFont(VgLoad<Resources::Font>(font));
  text.OnSetColor(color);
  text.OnSetAlignV(Views::Text::AlignMiddle);
}

// A help label wider than its box takes the next smaller font, and one
// still wider ends in "...".
void FitLabel(Views::Text& text) {
  text.OnSetFont(Views::Text::FirstFitting(text.String, VgGetRectW(text.Bounds),
                                           {text.Font.get(), VgLoad<Resources::Font>(Fonts::ExtraSmallFont)}));
  text.OnSetEllipsis(true);
}

// The last three recordings.
constexpr VgRect kHistoryBounds{0, 0, 940, 196};
constexpr int32_t kHistoryCaption = 34;
using HistoryRow = ListForm::RecordedShowsListItem;
// Each heading stands over what its column shows: the channel first, the
// programme's name last, as its recording's file is named after it.
constexpr Heading kHistoryHeadings[Last3RecordShowsDialog::HeadingCount] = {
    {&Strings::SID_CHANNEL_NAME, HistoryRow::ChannelColumn}, {&Strings::SID_DATE, HistoryRow::DateColumn},
    {&Strings::Time, HistoryRow::TimeColumn},                {&Strings::Duration, HistoryRow::LengthColumn},
    {&Strings::SID_STATUS, HistoryRow::StateColumn},         {&Strings::SID_PROGRAM_NAME, HistoryRow::FileColumn},
};
constexpr int32_t kHistoryListLeft = 25;

}  // namespace

// ------------------------------------------------------------------ texts

VgString StartEarlyText(int32_t seconds) { return MarginText(seconds, 10, Strings::SID_MIN_EARLY); }

VgString EndDelayText(int32_t seconds) { return MarginText(seconds, 60, Strings::SID_MIN_DELAY); }

VgString RecordingMethodText(int32_t sourceType) {
  for (const MethodRow& row : kMethods)
    if (row.sourceType == sourceType) return Text(*row.text);
  return Ansi("");
}

VgString ScheduleTimeText(int32_t timesType, const Structures::LocalTime* start, int32_t seconds) {
  if (!start) return Ansi("");
  VgString text = RepetitionText(timesType, start, DateText(start, DayDigits::Two));
  text = VgConcatString(text, Text(Strings::SID_TIMER_AT));
  return VgConcatString(text, RangeText(start->Hour, start->Minute, seconds));
}

// --------------------------------------------------------- schedule info

ScheduledRecordInfo::ScheduledRecordInfo(XObject* link) : RecordShowInfo(link) {}

SkinBin::RecordData* ScheduledRecordInfo::Entry() {
  SkinBin::DB_ScheduledInfo* schedule = MainApp::GetWrapper()->OnGetScheduledRecordList();
  return schedule ? schedule->GetEvent(EntryIndex) : nullptr;
}

void ScheduledRecordInfo::Exit(XObject*) {
  auto* schedules = vg_cast<ScheduledRecordDialog>(Parent.get());
  if (schedules && schedules->InfoForm.get() == this) schedules->InfoForm = nullptr;
  Close();
}

// ------------------------------------------------------ last recordings

Last3RecordShowsDialog::Last3RecordShowsDialog(XObject* link) : Primitives::KeyRoutingForm(link) {
  OnSetTimeOutValue(TimeOut);
  OnSetOnTimeOut(VgSlotOf<&Last3RecordShowsDialog::Exit>(this));
  const int32_t w = VgGetRectW(kHistoryBounds);
  const int32_t h = VgGetRectH(kHistoryBounds);
  // The schedules' details must not show through.
  fill.OnSetColor({Look::PanelDark.red, Look::PanelDark.green, Look::PanelDark.blue, 255});
  fill.OnSetBounds({4, 4, w - 4, h - 4});
  background.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaQuickMenuBg));
  background.OnSetBounds({0, 0, w, h});
  Add(&fill, 0);
  captionFrame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaQuickMenuBg));
  captionFrame.OnSetBounds({0, 0, w, kHistoryCaption});
  Style(caption, Fonts::MediumFont, Look::Caption);
  caption.OnSetString(Text(Strings::SID_RECORDING_HISTORY_CAPTION));
  caption.OnSetBounds({20, 0, w - 20, kHistoryCaption});
  separator.OnSetColor(Look::Separator);
  separator.OnSetPoint1({20, kHistoryCaption + 30});
  separator.OnSetPoint2({w - 20, kHistoryCaption + 30});
  Add(&background, 0);
  Add(&captionFrame, 0);
  Add(&caption, 0);
  int32_t columns[HeadingCount];
  for (int32_t i = 0; i < HeadingCount; ++i) {
    columns[i] = kHistoryHeadings[i].column;
    Style(headings[i], Fonts::SmallFont, Look::Caption);
    headings[i].OnSetString(Text(*kHistoryHeadings[i].text));
    Add(&headings[i], 0);
  }
  PlaceHeadings(headings, columns, {kHistoryListLeft, kHistoryCaption + 4, w - 20, kHistoryCaption + 28});
  Add(&separator, 0);
  const VgPoint size = VgGetRectSize(RecentList.Bounds);
  RecentList.OnSetBounds({kHistoryListLeft, kHistoryCaption + 36, kHistoryListLeft + size.x,
                          kHistoryCaption + 36 + size.y});
  RecentList.OnSetFocusMove(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  RecentList.OnSetOnTimeOut(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  Add(&RecentList, 0);
  OnSetBounds(kHistoryBounds);
}

void Last3RecordShowsDialog::Open(XObject* sender) {
  Primitives::KeyRoutingForm::Open(sender);
  RecentList.Initialize(nullptr);
  RecentList.StartsAfresh();
}

void Last3RecordShowsDialog::Exit(XObject*) {
  auto* schedules = vg_cast<ScheduledRecordDialog>(Parent.get());
  if (schedules && schedules->HistoryPopup.get() == this) schedules->HistoryPopup = nullptr;
  Close();
}

// ------------------------------------------------------------ schedules

ScheduledRecordDialog::ScheduledRecordDialog(XObject* link) : NonMenuSystem::WidgetClass(link) {
  WinID = WinIDs::WIN_ID_ScheduledRecordDialog;
  IsShortcut = true;
  PrevState = VgFindClass("MenuSystem::BrcmRecordMenu");
  OnSetTimeOutValue(TimeOut);
  OnSetBounds({0, 0, 960, 540});
  WidgetOrigin = {0, 0};
  background.OnSetColor(Look::PanelDark);

  const int32_t bottom = kBannerTop + kBannerHeight;
  AddBannerFrames(*this, Banner(), kBannerTop, bottom);
  inputImage.OnSetBounds({28, kBannerTop + 6, 72, bottom - 6});
  Add(&inputImage, 0);
  logo.OnSetBounds({0, kBannerTop + 11, 36, bottom - 4});
  logo.OnSetVisible(false);
  Add(&logo, 0);
  for (Views::Text* text : {&inputText, &channelNumber, &channelName, &clock, &VolumeText}) {
    Style(*text, text == &clock ? Fonts::MediumFont : Fonts::BannerBasicInfo, Look::Text);
    text->OnSetAutoSize(true);
    text->OnSetBounds({76, kBannerTop, 90, bottom});
    Add(text, 0);
  }
  VolumeText.OnSetVisible(false);
  SetUpVolumeTimer(VolumeTimer);
  VolumeTimer.OnSetOnTrigger(VgSlotOf<&ScheduledRecordDialog::ClearVolume>(this));

  Style(heading, Fonts::MediumFont, Look::Caption);
  heading.OnSetString(Text(Strings::SID_UPCOMING_RECORDING_SCHEDULES));
  heading.OnSetBounds({kListLeft, kHeadingTop, kListLeft + kListWidth, kColumnTop});
  Add(&heading, 0);
  int32_t columns[HeadingCount];
  for (int32_t i = 0; i < HeadingCount; ++i) {
    columns[i] = kHeadings[i].column;
    Style(headings[i], Fonts::SmallFont, Look::Caption);
    headings[i].OnSetString(Text(*kHeadings[i].text));
    Add(&headings[i], 0);
  }
  PlaceHeadings(headings, columns, {kListLeft, kColumnTop, kListLeft + kListWidth, kListTop - 4});
  separator.OnSetColor(Look::Separator);
  separator.OnSetPoint1({kListLeft, kListTop - 2});
  separator.OnSetPoint2({kListLeft + kListWidth, kListTop - 2});
  Add(&separator, 0);

  const VgPoint listSize = VgGetRectSize(ScheduleList.Bounds);
  ScheduleList.OnSetBounds({kListLeft, kListTop, kListLeft + listSize.x, kListTop + listSize.y});
  ScheduleList.OnSetFocusMove(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  ScheduleList.OnSetOnProgramChanged(VgSlotOf<&ScheduledRecordDialog::UpdateRecordInfo>(this));
  Add(&ScheduleList, 0);

  const int32_t half = kListWidth / 2;
  for (int32_t i = 0; i < InfoCount; ++i) {
    const int32_t x = kListLeft + kInfo[i].column * half;
    const int32_t y = kInfoTop + kInfo[i].row * kInfoRow;
    Style(infoLabels[i], Fonts::EPGListFont, Look::Caption);
    infoLabels[i].OnSetBounds({x, y, x + 10, y + kInfoRow});
    infoLabels[i].OnSetAutoSize(true);
    infoLabels[i].OnSetString(VgConcatString(Text(*kInfo[i].label), Ansi(kLabelGap)));
    Style(infoValues[i], Fonts::EPGListFont, Look::Text);
    infoValues[i].OnSetEllipsis(true);
    const int32_t valueX = infoLabels[i].Bounds.x2;
    const int32_t right = kInfo[i].row < 2 ? kListLeft + kListWidth : x + half - 10;
    infoValues[i].OnSetBounds({valueX, y, right, y + kInfoRow});
    Add(&infoLabels[i], 0);
    Add(&infoValues[i], 0);
  }
  for (int32_t i = 0; i < HelpCount; ++i) {
    const int32_t x = kListLeft + i * kHelpStep;
    // The key cap as wide as its picture, whose border its bounds would cut.
    auto* cap = VgLoad<Resources::Bitmap>(*kHelp[i].icon);
    const int32_t capRight = x + std::max(kHelpIcon, cap->OnGetFrameSize().x);
    helpIcons[i].OnSetBitmap(cap);
    helpIcons[i].OnSetAlignV(1);
    helpIcons[i].OnSetBounds({x, kHelpTop, capRight, kHelpTop + kHelpIcon});
    Style(helpLabels[i], Fonts::SmallFont, Look::Text);
    helpLabels[i].OnSetString(VgConcatString(Text(*kHelp[i].label), Ansi(kHelp[i].suffix)));
    helpLabels[i].OnSetBounds({capRight + 4, kHelpTop, x + kHelpStep - 4, kHelpTop + kHelpIcon});
    FitLabel(helpLabels[i]);
    Add(&helpIcons[i], 0);
    Add(&helpLabels[i], 0);
  }
  // Over everything else of the banner.
  Remove(&VolumeText);
  Add(&VolumeText, 0);
  OnSetFocus(&ScheduleList);
}

void ScheduledRecordDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::WidgetClass::Initialize(parameter);
  MainApp::GetMessageAgent()->Register(this);
  ShowBanner(Banner());
  ScheduleList.Initialize(nullptr);
}

BannerViews ScheduledRecordDialog::Banner() {
  return {inputFrame, inputImage, inputText, channelFrame, logo, channelNumber, channelName, clockFrame, clock, VolumeText};
}

void ScheduledRecordDialog::Close(XObject* sender) {
  CloseInfo();
  CloseHistory();
  NonMenuSystem::WidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

ListForm::ScheduledRecordListItem* ScheduledRecordDialog::FocusedRow() {
  // An empty list keeps a focused row that stands for no schedule.
  if (ScheduleList.GetItemsNum() < 1) return nullptr;
  return vg_cast<ListForm::ScheduledRecordListItem>(ScheduleList.Focus.get());
}

void ScheduledRecordDialog::UpdateRecordInfo(XObject*) {
  const ListForm::ScheduledRecordList& list = ScheduleList;
  if (!list.FocusStartTime) {
    ForgetTimer();
    return;
  }
  infoValues[ScheduleTime].OnSetString(ScheduleTimeText(list.FocusTimesType, list.FocusStartTime, list.FocusDuration));
  infoValues[ProgramTitle].OnSetString(list.FocusTitle);
  infoValues[StartEarly].OnSetString(StartEarlyText(list.FocusStartEarly));
  infoValues[EndDelay].OnSetString(EndDelayText(list.FocusEndDelay));
  infoValues[Method].OnSetString(RecordingMethodText(list.FocusSourceType));
  infoValues[Current].OnSetString(list.FocusActive ? Text(Strings::SID_ACTIVE) : Text(Strings::SID_IN_ACTIVE));
}

// The confirmation names no schedule: the one asked about is kept, so the
// answer deletes it even when the focus moved on meanwhile.
void ScheduledRecordDialog::AskDelete() {
  ListForm::ScheduledRecordListItem* row = FocusedRow();
  if (!row || !NonMenuSystem) return;
  if (row->Status == 1 || ListForm::IsRecordingNow(row->TimerId)) {
    NonMenuSystem->ShowMessage(::NonMenuSystem::DirectMsgTypeDeleteInRecording);
    return;
  }
  DeletingTimerId = row->TimerId;
  DeletingScheduleId = MainApp::GetWrapper()->GetScheduleIdByTimerId(row->TimerId);
  NonMenuSystem->ShowConfirmDialog(::NonMenuSystem::ConfirmTypeDeleteScheduledRecord, Constants::MSG_FROM_NONMENUSYSTEM,
                                   this);
}

void ScheduledRecordDialog::DeleteAsked() {
  const int32_t timerId = DeletingTimerId;
  const int32_t scheduleId = DeletingScheduleId;
  DeletingTimerId = -1;
  DeletingScheduleId = -1;
  if (timerId < 0) return;
  // It may have started recording while the viewer answered.
  if (ListForm::IsRecordingNow(timerId)) {
    if (NonMenuSystem) NonMenuSystem->ShowMessage(::NonMenuSystem::DirectMsgTypeDeleteInRecording);
    return;
  }
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->DB_CheckInTimerId(timerId);
  model->ResetTimer(timerId);
  model->DB_DeleteScheduledRecord(scheduleId);
  ScheduleList.Initialize(nullptr);
  ScheduleList.StartsAfresh();
  SkinBin::DB_ScheduledInfo* schedule = model->OnGetScheduledRecordList();
  if (!schedule || schedule->GetNumEvents() < 1) ForgetTimer();
}

void ScheduledRecordDialog::ForgetTimer() {
  for (Views::Text& value : infoValues) value.OnSetString(Ansi(""));
}

void ScheduledRecordDialog::HandleMessage(Structures::Message* message) {
  ScheduleList.HandleMessage(message);
  if (message && message->Code == Constants::MSG_DELETE_ITEM &&
      message->Param == ::NonMenuSystem::DeleteKindScheduledRecord)
    DeleteAsked();
}

void ScheduledRecordDialog::CloseInfo() {
  if (Primitives::KeyRoutingForm* info = InfoForm) {
    InfoForm = nullptr;
    info->Close();
  }
}

void ScheduledRecordDialog::CloseHistory() {
  if (Last3RecordShowsDialog* history = HistoryPopup) {
    HistoryPopup = nullptr;
    history->Close();
  }
}

void ScheduledRecordDialog::ToggleInfo() {
  CloseHistory();
  if (InfoForm) {
    CloseInfo();
    return;
  }
  auto* info = VgNew<ScheduledRecordInfo>();
  InfoForm = info;
  info->OnSetBounds(VgSetRectOrigin(info->Bounds, info->WidgetOrigin));
  info->OnSetParent(this);
  info->Open();
  ListForm::ScheduledRecordListItem* row = FocusedRow();
  info->EntryIndex = row ? row->Index : 0;
  info->UpdateBanner();
}

void ScheduledRecordDialog::ToggleHistory() {
  CloseInfo();
  if (HistoryPopup) {
    CloseHistory();
    return;
  }
  auto* history = VgNew<Last3RecordShowsDialog>();
  HistoryPopup = history;
  history->OnSetBounds(VgSetRectOrigin(history->Bounds, history->WidgetOrigin));
  history->OnSetParent(this);
  history->Open();
}

void ScheduledRecordDialog::ClearVolume(XObject*) { Record::ClearVolume(VolumeText, VolumeTimer); }

bool ScheduledRecordDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::PVRRecordStatusEvent>(event) != nullptr;
}

XObject* ScheduledRecordDialog::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::PVRRecordStatusEvent>(event)) {
    ScheduleList.ReloadKeepingFocus();
    if (HistoryPopup && !HistoryPopup->IsClosed()) HistoryPopup->RecentList.ReloadKeepingFocus();
    ShowBanner(Banner());
    // The news goes on to whoever else it concerns.
    return nullptr;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || key->keyCode < kFirstKey || key->keyCode > kLastKey)
    return NonMenuSystem::WidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Red:
      AskDelete();
      break;
    case Key::Green:
      // After the key, as the exit keys do: the key must not reach the
      // sub-system, which would open the schedules again.
      if (!PrevState) {
        VgPostSignal(VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(this));
        return this;
      }
      break;
    case Key::Blue:
      ToggleHistory();
      break;
    case Key::Info:
      ToggleInfo();
      break;
    case Key::VolumeUp:
    case Key::VolumeDown:
    case Key::Mute:
      VolumeKey(key->keyCode, VolumeText, VolumeTimer);
      break;
    default:
      return NonMenuSystem::WidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace Record
