#include "ListForm/GuideProgramLists.h"

#include <algorithm>

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "ListForm/ListModel.h"
#include "ListForm/RowColumns.h"
#include "ListForm/TimerHooks.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/GuideData.h"
#include "Structures/Message.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, EPGProgramListCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, EPGProgramListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ChannelDataSource, ListForm::ListDataSource)
VG_DEFINE_CLASS(ListForm, EPGProgramList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, MiniGuideListCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, MiniGuideListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, MiniGuideList, ListForm::ListClass)

namespace ListForm {

namespace {

constexpr ListDef kEPGProgramList{
    .bounds = {0, 0, 530, 228},
    .maxRows = SkinBin::EPGEventsInfo_DB::kPageSize,
    .rowClass = &EPGProgramListItem::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
    // The ends load more guide data rather than wrap round.
    .wrapAround = false,
    .indicators = Indicators::BottomRight,
    .prevBitmap = &Bitmaps::EPG_ListScrollUp,
    .nextBitmap = &Bitmaps::EPG_ListScrollDown,
};

constexpr ListDef kMiniGuideList{
    .bounds = {0, 0, 540, 90},
    .maxRows = 3,
    .rowClass = &MiniGuideListItem::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
    .itemXOffset = 20,
    .indicators = Indicators::RightEdge,
    .prevBitmap = &Bitmaps::OptionButtonUpArrow,
    .nextBitmap = &Bitmaps::OptionButtonDownArrow,
    .prevBounds = {600, 0, 620, 20},
    .nextBounds = {600, 70, 620, 90},
};

SkinBin::EPGEventsInfo_DB* GuideModel() {
  return ListModel<&SkinBin::Wrapper::OnGetEPGProgramList, &SkinBin::Wrapper::OnSetEPGProgramList>();
}

XObject* ReadChannelProgramme(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<EPGProgramListCourier>();
  auto* channel = vg_cast<ChannelDataSource>(source);
  ReadProgramme(courier, *courier, index, channel ? channel->Major : -2, channel ? channel->Minor : -2);
  return courier;
}

XObject* ReadCurrentProgramme(ListDataSource*, int32_t index) {
  auto* courier = VgNew<MiniGuideListCourier>();
  Structures::VirtualChannel* current = MainApp::GetWrapper()->GetCurrentChannel();
  ReadProgramme(courier, *courier, index, current->Major, current->Minor);
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(EPGProgramList, ReadChannelProgramme)
LISTFORM_REGISTER_READER(MiniGuideList, ReadCurrentProgramme)

// ----------------------------------------------------------- the guide row

EPGProgramListItem::EPGProgramListItem(XObject* link) : ProgrammeRowOf(link, {0, 0, 530, 26}, true) {
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::EPG_ProgramButtonFocus);
  Nonfocused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont0);
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::MediumFont);
}

void EPGProgramListItem::Refresh(XObject* sender) {
  ProgrammeRow::Refresh(sender);
  LayOutColumns(this,
                {{&dateText, 10, kDateWidth}, {&timeText, 4, kTimeWidth}, {&caption, 6, 300}, {&recordIcon, 8, 20}});
  FollowRowLook(this, {&dateText, &timeText});
}

// ---------------------------------------------------------- the guide list

EPGProgramList::EPGProgramList(XObject* link) : ListClass(kEPGProgramList, link) {
  OnActivateOption = VgSlotOf<&EPGProgramList::ToggleRecord>(this);
  OnFocusOption = VgSlotOf<&EPGProgramList::DoFocus>(this);
  // What becomes of the timers the list's programmes open.
  HearsMessages = true;
}

void EPGProgramList::OnSetm_channel(Structures::VirtualChannel* channel) {
  m_channel = channel;
  auto* source = vg_cast<ChannelDataSource>(DataSource.get());
  SkinBin::EPGEventsInfo_DB* guide = GuideModel();
  guide->GetEventInfoByCount(channel, MaxItemNum);
  const int32_t count = std::max(guide->GetNumEvents(), 0);
  const bool fresh = !source;
  if (fresh) source = VgNew<ChannelDataSource>();
  source->Num = count;
  source->Major = channel ? channel->Major : -2;
  source->Minor = channel ? channel->Minor : -2;
  OnSetItemNum(std::min(MaxItemNum, count));
  if (fresh)
    OnSetDataSource(source);
  else
    Reload();
  OnSetCurrentItemIndex(1);
  FocusIndex = 0;
}

bool EPGProgramList::LoadNextPage() {
  SkinBin::EPGEventsInfo_DB* guide = MainApp::GetWrapper()->OnGetEPGProgramList();
  if (!guide || guide->EndReached) return false;
  UpdateEPGbyPage();
  return true;
}

void EPGProgramList::UpdateEPGbyPage(XObject*) {
  SkinBin::EPGEventsInfo_DB* guide = MainApp::GetWrapper()->OnGetEPGProgramList();
  if (!guide || guide->EndReached) return;
  GuideWaitingCircle circle(this);
  guide->GetEventInfoByPage(m_channel);
  if (DataSource) DataSource->Num = std::max(guide->GetNumEvents(), 0);
}

void EPGProgramList::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  DoFocus(this);
}

void EPGProgramList::DoFocus(XObject*) { TakeFocus(this); }

// The programmes are those of the channel the column shows, which need not
// be the one watched: the column only browses when the guide does not tune,
// and a tune that failed leaves the set on another channel.
void EPGProgramList::ToggleRecord(XObject*) {
  auto* row = vg_cast<EPGProgramListItem>(Focus.get());
  auto* channel = vg_cast<ChannelDataSource>(DataSource.get());
  if (!row || !channel) return;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const TimerTarget target{.source = model->GetCurrentTunerId() != 0 ? kSecondTunerTimerSource : 0,
                           .channel = SkinBin::Wrapper::UniteChannelNum(channel->Major, channel->Minor),
                           .mapId = model->OnGetAntCableIn()};
  OpenProgrammeTimer(this, row, &target);
}

void OpenProgrammeTimer(ListBase* list, ProgrammeRow* row, const TimerTarget* target) {
  NonMenuSystem::NonMenuSystem* system = OwnerSystem(list, kFullEPGDialog, 2);
  if (!system || !row) return;
  const bool hasTimer = row->RecordType > 0;
  if (!ClaimProgrammeTimer(system, hasTimer, row->TimerId)) return;
  // The programme on the air records from now; a later one from its start.
  const int32_t origin =
      row->Index == 0 ? Constants::XPM_RECORD_SOURCE_TYPE_START : Constants::XPM_RECORD_SOURCE_TYPE_GUIDE;
  const TimerEdit edit{.isUpdate = hasTimer,
                       .canDelete = hasTimer,
                       .start = row->StartTime,
                       .durationSeconds = row->Duration * 60,
                       .caption = row->Text,
                       .target = target};
  OpenTimerDialog(system, kEPGRecordTimerDialog, origin, edit, list);
}

void EPGProgramList::HandleMessage(Structures::Message* message) {
  ListClass::HandleMessage(message);
  FollowTimerMessage(this, message, [](ListBase* list, ProgrammeRow* row) {
    if (auto* channel = vg_cast<ChannelDataSource>(list->DataSource.get()))
      ReadProgrammeTimer(*row, MainApp::GetWrapper()->OnGetAntCableIn(), channel->Major, channel->Minor);
  });
}

// The timers are asked of the schedule rather than taken from the timer
// being edited, so that a timer saved for a programme gives its rows its id
// too, and another timer's change leaves the rows as they are.
void FollowTimerMessage(ListBase* list, Structures::Message* message, RowTimerReader read) {
  if (!list || !message || !read) return;
  switch (message->Code) {
    case Constants::MSG_UPDATE_RECORD_TYPE:
    case Constants::MSG_UPDATE_ALL_SCHEDULES:
      break;
    case Constants::MSG_DELETE_ITEM: {
      if (message->Param != Constants::DELETE_EPG_RECORD) return;
      // Every list hears a deletion: a programme without a timer has none to
      // give up (its id would name another timer, or the on-timer), and only
      // the timer the guide's timer dialog was opened on is the one asked
      // about (the other list of the guide has a focused programme too, and
      // may have deleted it already).
      auto* row = dynamic_cast<ProgrammeRow*>(list->Focus.get());
      if (!row || !row->StartTime) break;
      read(list, row);
      if (row->RecordType > 0 && row->TimerId >= 0 && row->TimerId == MainApp::GetWrapper()->OnGetActiveTimerId())
        DeleteProgrammeTimer(row->TimerId);
      break;
    }
    default:
      return;
  }
  for (int32_t i = 0, count = list->GetCount(); i < count; ++i) {
    auto* row = dynamic_cast<ProgrammeRow*>(list->GetCtrlAt(i));
    if (!row || !row->StartTime) continue;
    read(list, row);
    row->OnSetRecordType(row->RecordType);
  }
}

// ------------------------------------------------------------ the mini guide

MiniGuideListItem::MiniGuideListItem(XObject* link) : ProgrammeRowOf(link, {0, 0, 500, 30}, false) {
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::MiniGuide_ButtonFocus);
  Focused_TextColor = Colors::DreskovMenuTextFocused;
  Nonfocused_TextFont = VgLoad<Resources::Font>(Fonts::MediumFont);
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont);
}

void MiniGuideListItem::Refresh(XObject* sender) {
  ProgrammeRow::Refresh(sender);
  // The focused row's 24 px font sets Spanish "01:00am" all but to the time
  // column's edge: the title stands a little further on from it.
  LayOutColumns(this, {{&timeText, 10, kTimeWidth}, {&caption, 8, 350}, {&recordIcon, 8, 20}});
  FollowRowLook(this, {&timeText});
}

MiniGuideList::MiniGuideList(XObject* link) : ListClass(kMiniGuideList, link) {
  OnFocusOption = VgSlotOf<&MiniGuideList::DoFocus>(this);
}

void MiniGuideList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListClass::Initialize(parameter);
  FocusIndex = 0;
}

int32_t MiniGuideList::GetItemsNum() {
  SkinBin::EPGEventsInfo_DB* guide = GuideModel();
  guide->GetEventInfoByCount(MainApp::GetWrapper()->GetCurrentChannel(), MaxProgrammes);
  return std::max(guide->GetNumEvents(), 1);
}

void MiniGuideList::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  DoFocus(this);
}

void MiniGuideList::DoFocus(XObject*) { TakeFocus(this); }

}  // namespace ListForm
