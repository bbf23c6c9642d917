#include "Record/RecordedShowsDialog.h"

#include <utility>

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Record/RecordPieces.h"
#include "Record/TimerRules.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, RecordedShowsDialog, NonMenuSystem::WidgetClass)

namespace Record {

namespace {

namespace Look = NonMenuSystem::Look;

constexpr int32_t kBannerTop = 12;
constexpr int32_t kBannerHeight = 58;
constexpr int32_t kListLeft = 35;
constexpr int32_t kHeadingTop = 74;
constexpr int32_t kListTop = 98;
constexpr int32_t kInfoTop = 338;
constexpr int32_t kInfoHeight = 190;

// The column headings over the list's columns.
using Row = ListForm::RecordedShowsListItem;
struct Heading {
  const VgConstant* text;
  int32_t column;
};
constexpr Heading kHeadings[RecordedShowsDialog::HeadingCount] = {
    {&Strings::SID_CHANNEL_NAME, Row::ChannelColumn}, {&Strings::SID_DATE, Row::DateColumn},
    {&Strings::Time, Row::TimeColumn},                {&Strings::Duration, Row::LengthColumn},
    {&Strings::Status, Row::StateColumn},             {&Strings::SID_DLNA_CONTENT_FILE_NAME, Row::FileColumn},
};

// The keys the screen takes from the list; the rest are the base's.
enum class KeyRole : uint8_t { Nothing, Delete, Volume, Page };
struct KeyRow {
  uint16_t key;
  KeyRole role;
};
constexpr KeyRow kKeys[] = {
    {Key::Ok, KeyRole::Nothing},       {Key::Red, KeyRole::Delete},        {Key::VolumeUp, KeyRole::Volume},
    {Key::VolumeDown, KeyRole::Volume}, {Key::Mute, KeyRole::Volume},      {Key::Rewind, KeyRole::Page},
    {Key::FastForward, KeyRole::Page},
};

void StyleBannerText(Views::Text& text, const VgConstant& font) {
  text.OnSetFont(VgLoad<Resources::Font>(font));
  text.OnSetColor(Look::Text);
  text.OnSetAlignV(Views::Text::AlignMiddle);
  text.OnSetAutoSize(true);
}

}  // namespace

RecordedShowsDialog::RecordedShowsDialog(XObject* link) : OnTheDisk(link) {
  WinID = WinIDs::WIN_ID_RecordedShowsDialog;
  IsShortcut = true;
  PrevState = VgFindClass("MenuSystem::BrcmRecordMenu");
  OnSetTimeOutValue(TimeOut);
  OnSetBounds({0, 0, 960, 540});
  background.OnSetColor(Look::PanelDark);

  const int32_t bottom = kBannerTop + kBannerHeight;
  AddBannerFrames(*this, Banner(), kBannerTop, bottom);
  list.OnSetBounds({kListLeft, kListTop, kListLeft + 890, kListTop + 236});
  list.OnSetFocusMove(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  list.OnSetOnTimeOut(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  list.OnSetOnProgramChanged(VgSlotOf<&RecordedShowsDialog::UpdateEPGInfo>(this));
  Add(&list, 0);
  StyleBannerText(channelNumber, Fonts::BannerBasicInfo);
  StyleBannerText(channelName, Fonts::BannerBasicInfo);
  StyleBannerText(clock, Fonts::MediumFont);
  for (Views::Text* text : {&channelNumber, &channelName, &clock}) {
    text->OnSetBounds({0, kBannerTop, 10, bottom});
    Add(text, 0);
  }
  info.OnSetBounds({kListLeft, kInfoTop, kListLeft + 890, kInfoTop + kInfoHeight});
  Add(&info, 0);
  separator.OnSetColor(Look::Separator);
  separator.OnSetPoint1({kListLeft, kListTop - 2});
  separator.OnSetPoint2({kListLeft + 890, kListTop - 2});
  Add(&separator, 0);
  Resources::Font* small = VgLoad<Resources::Font>(Fonts::SmallFont);
  int32_t columns[HeadingCount];
  for (int32_t i = 0; i < HeadingCount; ++i) {
    columns[i] = kHeadings[i].column;
    headings[i].OnSetString(VgGetVariantOfString(kHeadings[i].text));
    headings[i].OnSetFont(small);
    headings[i].OnSetColor(Look::Caption);
    Add(&headings[i], 0);
  }
  PlaceHeadings(headings, columns, {kListLeft, kHeadingTop, kListLeft + 890, kListTop - 4});
  StyleBannerText(inputText, Fonts::BannerBasicInfo);
  inputText.OnSetBounds({76, kBannerTop, 90, bottom});
  Add(&inputText, 0);
  StyleBannerText(volume, Fonts::EPGListFont);
  volume.OnSetBounds({0, kBannerTop, 160, bottom});
  volume.OnSetVisible(false);
  Add(&volume, 0);
  SetUpVolumeTimer(volumeTimer);
  volumeTimer.OnSetOnTrigger(VgSlotOf<&RecordedShowsDialog::ClearVolume>(this));
  inputImage.OnSetBounds({28, kBannerTop + 13, 72, bottom - 13});
  Add(&inputImage, 0);
  logo.OnSetVisible(false);
  Add(&logo, 0);
  OnSetFocus(&list);
}

void RecordedShowsDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  OnTheDisk::Initialize(parameter);
  MainApp::GetMessageAgent()->Register(this);
  ShowBanner(Banner());
  list.Initialize(nullptr);
  VgSignal(VgSlotOf<&RecordedShowsDialog::UpdateEPGInfo>(this), this);
}

BannerViews RecordedShowsDialog::Banner() {
  return {inputFrame, inputImage, inputText, channelFrame, logo, channelNumber, channelName, clockFrame, clock, volume};
}

void RecordedShowsDialog::UpdateBanner() {
  ShowBannerChannel(Banner());
}

void RecordedShowsDialog::Close(XObject* sender) {
  NonMenuSystem::WidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

ListForm::RecordedShowsListItem* RecordedShowsDialog::FocusedShow() {
  // An empty list keeps a focused row that stands for no show.
  if (list.GetItemsNum() < 1) return nullptr;
  return vg_cast<ListForm::RecordedShowsListItem>(list.Focus.get());
}

void RecordedShowsDialog::UpdateEPGInfo(XObject*) {
  ListForm::RecordedShowsListItem* row = FocusedShow();
  if (!row) {
    info.HideAllInfo();
    return;
  }
  info.OnSetTitle(row->Title);
  info.OnSetDescriptionText(row->Description);
  info.Duration = row->RecordDuration / 60;
  info.OnSetStartTime(row->EventStartTime);
  info.CaptionFlag = row->InfoFlag;
  info.Rating = uint32_t(row->Rating);
  info.UpdateBanner();
}

void RecordedShowsDialog::AskDelete() {
  ListForm::RecordedShowsListItem* row = FocusedShow();
  if (!row || !NonMenuSystem) return;
  // Noted only for a question that opened: one refused, while another is up,
  // leaves that one's show noted.
  const int32_t id = row->RecordId;
  if (NonMenuSystem->ShowConfirmDialog(NonMenuSystem::ConfirmTypeDeleteRecordedShow, Constants::MSG_FROM_NONMENUSYSTEM,
                                       this))
    DeletingId = id;
}

void RecordedShowsDialog::DeleteAskedShow() {
  const std::optional<int32_t> id = std::exchange(DeletingId, std::nullopt);
  if (!id) return;
  // Read again, so that a show deleted or recorded under the question counts.
  list.ReloadKeepingFocus();
  SkinBin::DB_RecordedInfo* shows = MainApp::GetWrapper()->OnGetRecordedShowsList();
  bool listed = false;
  for (int32_t i = 0; shows && !listed && i < shows->GetNumEvents(); ++i)
    if (const SkinBin::RecordedShowData* show = shows->GetEvent(i)) listed = show->RecordId == *id;
  if (listed) {
    MainApp::GetWrapper()->DB_DeleteRecordedShow(*id);
    list.Initialize(nullptr);
    list.StartsAfresh();
  } else {
    VgPrint("Record: the recorded show %d is not deleted: it left the list while the question was asked\n", *id);
  }
  UpdateEPGInfo();
}

void RecordedShowsDialog::HandleMessage(Structures::Message* message) {
  if (message && message->Code == Constants::MSG_DELETE_ITEM &&
      message->Param == NonMenuSystem::DeleteKindRecordedShow)
    DeleteAskedShow();
}

void RecordedShowsDialog::ClearVolume(XObject*) { Record::ClearVolume(volume, volumeTimer); }

bool RecordedShowsDialog::TakeKey(uint16_t code, Core::Event* event) {
  for (const KeyRow& row : kKeys) {
    if (row.key != code) continue;
    switch (row.role) {
      case KeyRole::Nothing:
        break;
      case KeyRole::Delete:
        AskDelete();
        break;
      case KeyRole::Volume:
        VolumeKey(code, volume, volumeTimer);
        break;
      case KeyRole::Page:
        info.PageDescription(event);
        break;
    }
    ResetTimeout();
    return true;
  }
  return false;
}

bool RecordedShowsDialog::FollowsTheWorld(Core::Event* event) const {
  return OnTheDisk::FollowsTheWorld(event) || IsRecordingNews(event);
}

XObject* RecordedShowsDialog::HandleEvent(Core::Event* event) {
  if (IsRecordingNews(event)) {
    list.ReloadKeepingFocus();
    UpdateEPGInfo();
    // The news goes on to whoever else it concerns.
    return nullptr;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && TakeKey(key->keyCode, event)) return this;
  return OnTheDisk::HandleEvent(event);
}

}  // namespace Record
