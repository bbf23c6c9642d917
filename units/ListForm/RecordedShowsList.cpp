#include "ListForm/RecordedShowsList.h"

#include "Bitmaps.h"
#include "Core/Keys.h"
#include "ListForm/ListModel.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RowColumns.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, RecordedShowsListCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, RecordedShowsListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, RecordedShowsList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, Last5RecordedShowsList, ListForm::ListClass)

namespace ListForm {

namespace {

namespace Texts = RecordTexts;

constexpr ListDef kRecordedShowsList{
    .bounds = {0, 0, 890, 236},
    .maxRows = 8,
    .rowClass = &RecordedShowsListItem::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
    .indicators = Indicators::BottomRight,
    .prevBitmap = &Bitmaps::EPG_ListScrollUp,
    .nextBitmap = &Bitmaps::EPG_ListScrollDown,
};

constexpr ListDef kLast5RecordedShowsList{
    .bounds = {0, 0, 890, 81},
    .maxRows = 3,
    .rowClass = &RecordedShowsListItem::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
};

SkinBin::DB_RecordedInfo* RecordedShowsModel() {
  return ListModel<&SkinBin::Wrapper::OnGetRecordedShowsList, &SkinBin::Wrapper::OnSetRecordedShowsList>();
}

XObject* ReadRecordedShow(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<RecordedShowsListCourier>();
  courier->Index = index;
  SkinBin::DB_RecordedInfo* shows = MainApp::GetWrapper()->OnGetRecordedShowsList();
  if (!shows || shows->GetNumEvents() < 1) {
    SayNoInformation(courier, courier->Description);
    return courier;
  }
  SkinBin::RecordedShowData* show = shows->GetEvent(index);
  if (!show) return courier;
  courier->RecordStartTime = show->RecordTime;
  courier->RecordDuration = show->Duration;
  courier->EventStartTime = show->StartTime;
  courier->InfoValue = show->Value;
  courier->Text = show->ChannelName;
  courier->Title = show->Title;
  courier->Description = show->Description;
  courier->InfoFlag = show->CaptionFlag > 0;
  courier->RecordId = show->RecordId;
  courier->Key = VgNewStringInt(show->RecordId, 0);
  courier->Rating = show->Rating;
  courier->ChannelMajor = show->Major;
  courier->ChannelMinor = show->Minor;
  courier->MapId = show->MapId;
  courier->TunerId = show->Tuner;
  courier->FileName = FileNameBelow(show->FileName, source->StringParam);
  courier->ExtraFlag = show->Watched != 0;
  courier->Status = show->State;
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(RecordedShowsList, ReadRecordedShow)
LISTFORM_REGISTER_READER(Last5RecordedShowsList, ReadRecordedShow)

VgString FileNameBelow(VgString name, VgString mountPath) {
  const int32_t path = VgGetStringLength(mountPath);
  const int32_t length = VgGetStringLength(name);
  if (path == 0 || length <= path || VgCompString(VgStringLeft(name, path), mountPath) != 0) return name;
  // A path ends at a separator: "/mnt/usb10/x" does not lie below "/mnt/usb1".
  if (VgGetStringChar(mountPath, path - 1) != u'/' && VgGetStringChar(name, path) != u'/') return name;
  return VgStringRight(name, length - path);
}

// ------------------------------------------------------------------ the row

RecordedShowsListItem::RecordedShowsListItem(XObject* link) : RecordRow(link, 890, DateForm::MonthDay) {
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::MediaListButtonFocus);
  StyleColumnText(fileNameText, "File Name");
  // A long file name or channel number is cut with the ellipsis by design.
  fileNameText.OnSetEllipsisMeant(true);
  channelText.OnSetEllipsisMeant(true);
  StyleColumnIcon(stateIcon);
  Add(&fileNameText, 0);
  Add(&stateIcon, 0);
}

RecordFields* RecordedShowsListItem::RecordOf(XObject* data) {
  auto* courier = vg_cast<RecordedShowsListCourier>(data);
  return courier ? static_cast<RecordFields*>(courier) : nullptr;
}

void RecordedShowsListItem::TakeOwnFields(XObject* data) {
  static_cast<RecordedShowFields&>(*this) = *static_cast<RecordedShowsListCourier*>(data);
  OnSetFileName(FileName);
}

XObject* RecordedShowsListItem::GetData(XObject* data) {
  return CopyOut<RecordedShowsListCourier, RecordFields, RecordedShowFields>(this, data);
}

void RecordedShowsListItem::ShowStatus() { Texts::ShowIcon(stateIcon, Texts::RecordedStateIcon(Status)); }

void RecordedShowsListItem::OnSetFileName(VgString value) {
  FileName = value;
  fileNameText.OnSetString(value);
}

void RecordedShowsListItem::Refresh(XObject* sender) {
  RecordRow::Refresh(sender);
  LayOutColumns(this, {{&tunerIcon, Places[0]},
                       {&channelText, Places[1]},
                       {&caption, Places[2]},
                       {&dateText, Places[3]},
                       {&timeText, Places[4]},
                       {&lengthText, Places[5]},
                       {&stateIcon, Places[6]},
                       {&fileNameText, Places[7]}});
  FollowRowLook(this, {&dateText, &timeText, &channelText, &lengthText, &fileNameText});
}

// ----------------------------------------------------------------- the lists

RecordedShows::RecordedShows(const ListDef& def, bool brief, XObject* link) : ListClass(def, link), brief(brief) {
  OnFocusOption = VgSlotOf<&RecordedShows::DoFocus>(this);
}

RecordedShowsList::RecordedShowsList(XObject* link) : RecordedShows(kRecordedShowsList, false, link) {}

Last5RecordedShowsList::Last5RecordedShowsList(XObject* link) : RecordedShows(kLast5RecordedShowsList, true, link) {}

void RecordedShows::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SkinBin::DB_RecordedInfo* shows = RecordedShowsModel();
  shows->Brief = brief;
  shows->GetEventInfoByCount();
  ListClass::Initialize(parameter);
}

int32_t RecordedShows::GetItemsNum() { return RecordedShowsModel()->GetNumEvents(); }

VgString RecordedShows::GetStringParam() { return MainApp::GetWrapper()->GetUSBDiskStatus()->MountPoint; }

void RecordedShows::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  DoFocus(this);
}

void RecordedShows::ReloadKeepingFocus() {
  ReadAgain([this] { Initialize(nullptr); });
}

void RecordedShows::DoFocus(XObject*) {
  auto* row = vg_cast<RecordedShowsListItem>(Focus.get());
  // A list without recordings keeps a focused row that shows none.
  if (!row || GetItemsNum() < 1) return;
  FocusIndex = row->Index;
  FocusStartTime = row->EventStartTime;
  FocusTitle = row->Text;
  FocusDescription = row->Description;
  FocusInfoValue = row->InfoValue;
  FocusRating = row->Rating;
  FocusInfoFlag = row->InfoFlag;
  FocusExtraFlag = row->ExtraFlag;
  VgSignal(OnProgramChanged, this);
}

}  // namespace ListForm
