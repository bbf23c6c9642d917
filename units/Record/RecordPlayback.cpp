#include "Record/RecordPlayback.h"

#include <algorithm>
#include <utility>

#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/Messages.h"
#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "MediaPlayer/MediaDeviceSelectDialog.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Record/RecordPieces.h"
#include "Record/RecordPlaybackFullScreen.h"
#include "Record/RecordShowPanels.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/RecordData.h"
#include "SkinBin/UserRefInt.h"
#include "Resources/Bitmap.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "Structures/Boxes.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, PlayStatus, Core::Group)
VG_DEFINE_CLASS(Record, RecordPlaybackDialog, NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(Record, PlayOptionsDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

namespace Look = NonMenuSystem::Look;

constexpr int32_t kScreenWidth = 960;
constexpr int32_t kScreenHeight = 540;
constexpr int32_t kRow = 26;
constexpr int32_t kListLeft = 40;
constexpr int32_t kListTop = 90;
constexpr int32_t kInfoLeft = 420;
constexpr int32_t kPreview[4] = {560, 90, 920, 292};
constexpr int32_t kKeyPadTitle = 64;
constexpr int32_t kWarningX = 230;
constexpr int32_t kWarningMs = 2000;
constexpr int32_t kRecordingsKind = 4;
constexpr int32_t kStatusMs = 1000;
// The keys from this code on are the base's.
constexpr uint16_t kFirstBaseKey = 85;
// The playback event's statuses: the end of the show, and a rewind that
// reached its start.
constexpr int32_t kPlaybackEnded = 5;
constexpr int32_t kPlaybackRewound = 6;

void StyleText(Views::Text& text, const VgConstant& font, VgColor colour) {
  text.OnSetFont(VgLoad<Resources::Font>(font));
  text.OnSetColor(colour);
  text.OnSetAlignV(Views::Text::AlignMiddle);
}

struct HelpEntry {
  const VgConstant* icon;
  const VgConstant* label;
  const char* suffix;
};
constexpr HelpEntry kHelp[RecordPlaybackDialog::HelpCount] = {
    {&Bitmaps::HelpBarQuick, &Strings::SID_DLNA_FEATURE, ""},  {&Bitmaps::HelpBarPageUD, &Strings::SID_PAGE, " Up/Dn"},
    {&Bitmaps::HelpBarExit, &Strings::SID_EXIT, ""},           {&Bitmaps::HelpBarRedBall, &Strings::SID_DELETE, ""},
    {&Bitmaps::HelpBarGreenBall, &Strings::SID_RENAME, ""},
};

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

SkinBin::RecordPlaybackData* PlaybackEntry(int32_t index) {
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  return shows ? shows->GetEvent(index) : nullptr;
}

}  // namespace

// ------------------------------------------------------------ played show

void PlayedShow::Take(int32_t index) {
  Index = index;
  SkinBin::RecordPlaybackData* entry = PlaybackEntry(index);
  Id = entry ? std::optional(entry->RecordId) : std::nullopt;
}

int32_t PlayedShow::Find(bool readAgain) {
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  if (shows && readAgain) shows->GetEventInfoByCount();
  const int32_t count = shows ? shows->GetNumEvents() : 0;
  if (count < 1) return Index = -1;
  for (int32_t i = 0; Id && i < count; ++i)
    if (const SkinBin::RecordPlaybackData* entry = shows->GetEvent(i); entry && entry->RecordId == *Id)
      return Index = i;
  return Index = std::clamp(Index, 0, count - 1);
}

SkinBin::RecordPlaybackData* PlayedShow::Entry() const {
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  const int32_t count = shows && Id ? shows->GetNumEvents() : 0;
  for (int32_t i = 0; i < count; ++i)
    if (SkinBin::RecordPlaybackData* entry = shows->GetEvent(i); entry && entry->RecordId == *Id) return entry;
  return nullptr;
}

// ------------------------------------------------------------- play status

PlayStatus::PlayStatus(XObject* link) : Core::Group(link) {
  OnSetBounds({0, 0, Width, Height});
  stateImage.OnSetBounds({0, 0, 24, 24});
  stateImage.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaPlay));
  StyleText(rateText, Fonts::MediumFont, Look::Warning);
  rateText.OnSetBounds({30, 0, 110, 24});
  rateText.OnSetVisible(false);
  StyleText(elapsedText, Fonts::MediumFont, Look::Text);
  elapsedText.OnSetBounds({120, 0, 260, 24});
  StyleText(totalText, Fonts::MediumFont, Look::Text);
  totalText.OnSetAlignH(Views::Text::AlignRight);
  totalText.OnSetBounds({Width - 140, 0, Width, 24});
  for (Views::Text* text : {&elapsedText, &totalText}) text->OnSetString(PlayTimeFormat(0));
  progress.OnSetReadOnly(true);
  progress.OnSetStretchIndicator(2);
  progress.OnSetMin(0);
  progress.OnSetMax(1);
  progress.OnSetValue(0);
  progress.OnSetBounds({0, 32, Width, 52});
  for (Core::View* view : std::initializer_list<Core::View*>{&stateImage, &rateText, &elapsedText, &totalText, &progress})
    Add(view, 0);
}

void PlayStatus::OnSetPlayState(int32_t value) {
  if (value == PlayState) return;
  PlayState = value;
  if (const VgConstant* icon = PlayStateIcon(value)) stateImage.OnSetBitmap(VgLoad<Resources::Bitmap>(*icon));
}

void PlayStatus::OnSetPlayRate(int32_t value) {
  if (value == PlayRate) return;
  PlayRate = value;
  VgString text = RateText(PlayState, value);
  rateText.OnSetVisible(text != nullptr);
  if (text) rateText.OnSetString(text);
}

void PlayStatus::Show(const SkinBin::RecordPlaybackStatus* status) {
  if (!status) return;
  OnSetPlayState(status->State);
  OnSetPlayRate(status->Rate);
  if (status->State == PlayStop) {
    ShowStopped();
    return;
  }
  totalText.OnSetString(PlayTimeFormat(status->TotalTime));
  progress.OnSetMax(std::max(status->TotalTime, 1));
  elapsedText.OnSetString(PlayTimeFormat(status->Position));
  progress.OnSetValue(status->Position);
}

void PlayStatus::ShowStopped() {
  progress.OnSetValue(0);
  elapsedText.OnSetString(PlayTimeFormat(0));
}

void PlayStatus::ShowNone() {
  ShowStopped();
  progress.OnSetMax(1);
  totalText.OnSetString(PlayTimeFormat(0));
}

void PlayStatus::Fast(FastDirection direction) {
  const FastStep step = NextFastStep(PlayState, PlayRate, direction);
  OnSetPlayState(step.state);
  OnSetPlayRate(step.rate);
  if (direction == FastDirection::Forward)
    Model()->RecordPlaybackFastForward();
  else
    Model()->RecordPlaybackFastBackward();
}

void PlayStatus::Play() {
  OnSetPlayRate(1);
  OnSetPlayState(PlayPlay);
}

void PlayStatus::Pause() {
  OnSetPlayRate(1);
  OnSetPlayState(PlayState == PlayPause ? PlayPlay : PlayPause);
  Model()->RecordPlaybackPause();
}

void PlayStatus::Stop() {
  OnSetPlayRate(0);
  Model()->RecordPlaybackStop(0);
  OnSetPlayState(PlayStop);
  ShowStopped();
}

// ---------------------------------------------------------------- library

RecordPlaybackDialog::RecordPlaybackDialog(XObject* link) : NonMenuSystem::WidgetClass(link) {
  WinID = WinIDs::WIN_ID_RecordPlaybackDialog;
  Layer = Layers::Media;
  PreemptiveFocus = true;
  OnSetTimeOutValue(0);
  PrevState = &MediaPlayer::MediaDeviceSelectDialog::Class;
  OnSetBounds({0, 0, kScreenWidth, kScreenHeight});
  background.OnSetColor(Look::Transparent);
  backgroundImage.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaMovieBg));
  backgroundImage.OnSetBounds({0, 0, kScreenWidth, kScreenHeight});
  titleIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MainMenuRecord));
  titleIcon.OnSetAutoSize(true);
  titleIcon.OnSetBounds(VgSetRectOrigin(titleIcon.Bounds, {40, 12}));
  list.OnSetBounds({kListLeft, kListTop, kListLeft + 336, kListTop + 360});
  list.OnSetOnFocusChanged(VgSlotOf<&RecordPlaybackDialog::ShowFocusedInfo>(this));
  StyleText(clock, Fonts::MediumFont, Look::Text);
  clock.OnSetAlignH(Views::Text::AlignRight);
  clock.OnSetBounds({600, 24, 920, 56});
  clock.OnSetString(VgNewStringAnsi("30.05.2011, 09:30am"));
  int32_t y = kPreview[3] + 12;
  for (Views::Text* text : {&fileName, &fileSize, &position, &sortText}) {
    StyleText(*text, Fonts::MediumFont, Look::Text);
    text->OnSetEllipsis(true);
    text->OnSetBounds({kPreview[0], y, kPreview[2], y + kRow});
    y += kRow;
  }
  fileName.OnSetString(VgNewStringAnsi("File Name: "));
  // A file name is as long as the recording made it: a long one is cut.
  fileName.OnSetEllipsisMeant(true);
  fileSize.OnSetString(VgNewStringAnsi("File Size: "));
  previewFrame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::EPG_VideoBorder));
  previewFrame.OnSetBounds({kPreview[0] - 4, kPreview[1] - 4, kPreview[2] + 4, kPreview[3] + 4});
  previewArea.OnSetColor(Look::Transparent);
  previewArea.OnSetBounds({kPreview[0], kPreview[1], kPreview[2], kPreview[3]});
  status.OnSetBounds({kInfoLeft + 80, y + 6, kInfoLeft + 80 + PlayStatus::Width, y + 6 + PlayStatus::Height});
  StyleText(volume, Fonts::MediumFont, Look::Text);
  volume.OnSetBounds({kInfoLeft, 24, 590, 56});
  volume.OnSetAlignH(Views::Text::AlignCentre);
  volume.OnSetVisible(false);
  SetUpVolumeTimer(volumeTimer);
  volumeTimer.OnSetOnTrigger(VgSlotOf<&RecordPlaybackDialog::ClearVolume>(this));
  statusTimer.OnSetBegin(kStatusMs);
  statusTimer.OnSetPeriod(kStatusMs);
  statusTimer.OnSetOnTrigger(VgSlotOf<&RecordPlaybackDialog::StatusCheckSlot>(this));
  statusTimer.OnSetEnabled(true);
  const int32_t helpTop = kScreenHeight - 44;
  for (int32_t i = 0; i < HelpCount; ++i) {
    const int32_t x = 60 + i * 170;
    // The key cap as wide as its picture, whose border its bounds would cut.
    auto* cap = VgLoad<Resources::Bitmap>(*kHelp[i].icon);
    const int32_t capRight = x + std::max(24, cap->OnGetFrameSize().x);
    helpIcons[i].OnSetBitmap(cap);
    helpIcons[i].OnSetAlignV(1);
    helpIcons[i].OnSetBounds({x, helpTop, capRight, helpTop + 24});
    StyleText(helpLabels[i], Fonts::SmallFont, Look::TextDim);
    helpLabels[i].OnSetString(VgConcatString(VgGetVariantOfString(kHelp[i].label), VgNewStringAnsi(kHelp[i].suffix)));
    helpLabels[i].OnSetBounds({capRight + 4, helpTop, x + 166, helpTop + 24});
  }
  for (Core::View* view : std::initializer_list<Core::View*>{&backgroundImage, &titleIcon, &list, &clock, &fileName,
                                                             &fileSize, &position, &sortText, &previewFrame,
                                                             &previewArea, &status, &volume})
    Add(view, 0);
  for (int32_t i = 0; i < HelpCount; ++i) {
    Add(&helpIcons[i], 0);
    Add(&helpLabels[i], 0);
  }
  OnSetFocus(&list);
}

void RecordPlaybackDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* selected = vg_cast<MediaPlayer::SelectedParam>(parameter ? parameter->OnGetParam() : nullptr);
  if (selected) {
    // The base reads only its own opening records.
    auto* plain = VgNew<Primitives::KeyRoutingParameter>();
    plain->OnSetParent(parameter->OnGetParent());
    NonMenuSystem::WidgetClass::Initialize(plain);
    Medium = selected->MountString;
  } else {
    NonMenuSystem::WidgetClass::Initialize(parameter);
    Medium = ParamText;
    RowToFocus = ParamValue + 1;
  }
  SkinBin::Wrapper* model = Model();
  model->StartAnimation();
  MainApp::GetMessageAgent()->Register(this);
  if (model->GetExtSourceId() != model->GetCurrentSource(0)) model->SetSource(0, model->GetExtSourceId());
  OnSetShowWaiting(1);
  if (VgString text = ClockText(model->GetCurrentTime(1))) clock.OnSetString(text);
  UpdateMediaList();
  UpdateSortName();
  const VgRect preview = previewArea.Bounds;
  model->SetDisplayWindow(preview.x1, preview.y1, VgGetRectW(preview), VgGetRectH(preview));
}

void RecordPlaybackDialog::OnSetShowWaiting(int32_t value) {
  ShowWaiting = value;
  if (value >= 0)
    MainApp::SendMessage(Constants::MSG_SHOW_WAITING_CIRCLE, &NonMenuSystem::NonMenuSystem::Class, value);
}

void RecordPlaybackDialog::ReadMediaList() {
  ListPath = GetUsbPath(Medium);
  list.FolderPath = ListPath;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(this);
  list.Initialize(parameter);
}

void RecordPlaybackDialog::MediaListRead() {
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  list.OnSetVisible(shows && shows->GetNumEvents() > 0);
  OnSetShowWaiting(0);
  ShowFocusedInfo();
}

void RecordPlaybackDialog::UpdateMediaList() {
  ReadMediaList();
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  const int32_t count = shows ? shows->GetNumEvents() : 0;
  // The row a playback hands back names the show it went back on, as the
  // list stands now.
  if (count > 0 && RowToFocus >= 1)
    list.FocusKeptEntry(std::min(RowToFocus, count) - 1);
  else
    list.StartsAfresh();
  RowToFocus = -1;
  MediaListRead();
}

void RecordPlaybackDialog::ReadMediaListAgain() {
  list.ReadAgain([this] { ReadMediaList(); });
  MediaListRead();
}

ListForm::RecordPlaybackListItem* RecordPlaybackDialog::FocusedRow() {
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  if (!shows || shows->GetNumEvents() < 1) return nullptr;
  return vg_cast<ListForm::RecordPlaybackListItem>(list.Focus.get());
}

void RecordPlaybackDialog::ShowFocusedInfo(XObject*) {
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  if (!row) {
    fileName.OnSetString(VgNewStringAnsi("File Name: "));
    fileSize.OnSetString(VgNewStringAnsi("File Size: "));
    position.OnSetString(nullptr);
    // The total was the length of a show that is no longer listed (the last
    // one, just deleted): an empty library tells no length.
    status.ShowNone();
    return;
  }
  fileName.OnSetString(VgConcatString(VgNewStringAnsi("File Name: "), row->FileName));
  fileSize.OnSetString(ShowFileSize(VgConcatString(VgConcatString(ListPath, VgNewStringAnsi("/")), row->FileName)));
  const int32_t count = Model()->OnGetRecordPlaybackList()->GetNumEvents();
  position.OnSetString(VgConcatString(VgNewStringInt(row->Index + 1, 0),
                                      VgConcatString(VgNewStringAnsi("/"), VgNewStringInt(count, 0))));
}

void RecordPlaybackDialog::UpdateSortName() {
  OptionDatabase::OptionBinding sort(MainApp::GetOptionDB(), SkinBin::OPTION_TYPE_PLAYBACK_SORT_TYPE,
                                     GetClass()->name);
  sort.Read();
  VgString value = sort.ChoiceText();
  VgString label = VgGetVariantOfString(&Strings::SID_SORT);
  label = VgConcatString(label, VgGetVariantOfString(&Strings::SID_LABEL_COLON));
  sortText.OnSetString(VgConcatString(label, VgConcatString(VgNewStringAnsi(" "), value)));
}

void RecordPlaybackDialog::DoItemActivate(Forms::Ctrl* ctrl) {
  auto* row = vg_cast<ListForm::RecordPlaybackListItem>(ctrl);
  if (!row) return;
  if (row->ResumeMark != 0) {
    Model()->RecordPlaybackStop(0);
    VgPostSignal(VgSlotOf<&RecordPlaybackDialog::LaunchPlayOptionsDialog>(this));
  } else {
    VgPostSignal(VgSlotOf<&RecordPlaybackDialog::LaunchFullScreenPlayer>(this));
  }
}

void RecordPlaybackDialog::LaunchFullScreenPlayer(XObject*) { OpenPlayer(&RecordPlaybackFullScreenDialog::Class); }

void RecordPlaybackDialog::LaunchPlayOptionsDialog(XObject*) { OpenPlayer(&PlayOptionsDialog::Class); }

void RecordPlaybackDialog::OpenPlayer(const VgClass* screen) {
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  if (!row || !system) return;
  MediaPlayer::SelectedParam* param = MediaPlayer::SelectedParam::Make(row->Index, PrevState, Medium);
  param->FileName = row->FileName;
  Close();
  SubSystem::Open(system, {.screen = screen, .back = GetClass(), .param = param});
}

void RecordPlaybackDialog::PlayFocused(int32_t fromMs) {
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  if (row) Model()->RecordPlaybackPlay(ListPath, row->RecordId, 0, fromMs);
}

void RecordPlaybackDialog::AskDelete() {
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  if (!row || !NonMenuSystem) return;
  // Noted only for a question that opened: one refused, while another is up,
  // leaves that one's show noted.
  const int32_t id = row->RecordId;
  if (NonMenuSystem->ShowConfirmDialog(NonMenuSystem::ConfirmTypeDeleteRecordedShow, Constants::MSG_FROM_NONMENUSYSTEM,
                                       this))
    DeletingId = id;
}

// The show a question or the keyboard was opened for, the list read again so
// that a show deleted or recorded meanwhile counts; null, logged, when it left
// the list, so that no other show takes what was asked for it.
SkinBin::RecordPlaybackData* RecordPlaybackDialog::StillListed(int32_t id, const char* what) {
  PlayedShow asked{.Id = id};
  asked.Find(true);
  SkinBin::RecordPlaybackData* show = asked.Entry();
  if (!show) {
    VgPrint("Record: the show %d is not %s: it left the list meanwhile\n", id, what);
    ReadMediaListAgain();
  }
  return show;
}

void RecordPlaybackDialog::DeleteAskedShow() {
  const std::optional<int32_t> id = std::exchange(DeletingId, std::nullopt);
  if (!id) return;
  SkinBin::RecordPlaybackData* show = StillListed(*id, "deleted");
  if (!show) return;
  // Checked before the show leaves the list and the database: a show whose
  // files cannot be deleted stays listed, so its files are not lost track of.
  if (!IsPlainFileName(show->FileName)) {
    VgPrint("Record: %s is not deleted: its file name %s is not a plain name\n", VgStringToUtf8(show->Title).c_str(),
            VgStringToUtf8(show->FileName).c_str());
    RemoveWarningMessage();
    ShowWarningMessage(&Strings::SID_MSG_RECORDING_NOT_DELETED);
    ReadMediaListAgain();
    return;
  }
  const VgString fileName = show->FileName;
  SkinBin::Wrapper* model = Model();
  model->RecordPlaybackStop(0);
  model->DB_DeleteRecordPlayback(ListPath, *id);
  DeleteRecordingFiles(ListPath, fileName);
  UpdateMediaList();
}

void RecordPlaybackDialog::Rename(Structures::Message* message) {
  auto* label = vg_cast<Structures::RefString>(message->Payload.get());
  const std::optional<int32_t> id = std::exchange(RenamingId, std::nullopt);
  if (!label || !id) return;
  SkinBin::RecordPlaybackData* show = StillListed(*id, "renamed");
  if (!show) return;
  if (VgCompString(label->Value, show->Title) == 0) return;
  Model()->ChangeProgramTitle(ListPath, *id, label->Value);
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  if (row && row->RecordId == *id)
    row->OnSetText(label->Value);
  else
    ReadMediaListAgain();
}

void RecordPlaybackDialog::UpdateProgramTitle(XObject*) {
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  if (!row || !NonMenuSystem) return;
  RenamingId = row->RecordId;
  const int32_t origin =
      OriginTag() == Constants::MSG_FROM_MENUSYSTEM ? Constants::MSG_FROM_MENUSYSTEM : Constants::MSG_FROM_NONMENUSYSTEM;
  SubSystem::Open(NonMenuSystem.get(), "NonMenuSystem::KeyPad",
                  {.back = GetClass(), .value = kKeyPadTitle, .origin = origin, .text = row->Text, .asker = this});
}

void RecordPlaybackDialog::HandleMessage(Structures::Message* message) {
  NonMenuSystem::WidgetClass::HandleMessage(message);
  if (!message) return;
  switch (message->Code) {
    case Constants::MSG_NO_MEDIA_FILES:
      ShowWarningMessage(&Strings::SID_NO_APPLICABLE_MEDIA_FILES);
      break;
    case Constants::MSG_EXIT_MEDIA_STATE:
      HandleEvent(PressedKey(Key::Exit));
      break;
    case Constants::MSG_DELETE_ITEM:
      if (message->Param == NonMenuSystem::DeleteKindRecordedShow) DeleteAskedShow();
      break;
    case Constants::MSG_CHANGE_PLAYBACK_SORT:
      UpdateSortName();
      UpdateMediaList();
      break;
    case Constants::MSG_LABEL_CHANGE:
      Rename(message);
      break;
    default:
      break;
  }
}

void RecordPlaybackDialog::StatusCheckSlot(XObject*) { status.Show(Model()->GetRecordPlaybackStatus()); }

void RecordPlaybackDialog::ClearVolume(XObject*) { Record::ClearVolume(volume, volumeTimer); }

void RecordPlaybackDialog::ShowWarningMessage(const VgConstant* text) {
  if (warningBar) return;
  auto* bar = VgNew<NonMenuSystem::DirectMessageBar>();
  warningBar = bar;
  bar->OnSetMessageInfo(VgGetVariantOfString(text));
  bar->OnSetTimeOutValue(kWarningMs);
  bar->OnSetOnTimeOut(VgSlotOf<&RecordPlaybackDialog::RemoveWarningMessage>(this));
  // Across the preview's height, where no line of the library's runs on the
  // right (the show's details start under it); at the bar's own height its
  // edges ran through the focused show's file size.
  const int32_t top = kPreview[1] + (kPreview[3] - kPreview[1] - VgGetRectH(bar->Bounds)) / 2;
  bar->OnSetBounds(VgSetRectOrigin(bar->Bounds, {kWarningX, top}));
  bar->OnSetParent(this);
  bar->Open();
}

void RecordPlaybackDialog::RemoveWarningMessage(XObject*) {
  if (!warningBar) return;
  warningBar->Close();
  warningBar = nullptr;
}

void RecordPlaybackDialog::ToggleInfo() {
  if (infoPanel) {
    infoPanel->Close();
    infoPanel = nullptr;
    return;
  }
  ListForm::RecordPlaybackListItem* row = FocusedRow();
  auto* panel = VgNew<RecordShowInfo>();
  infoPanel = panel;
  panel->OnSetBounds(VgSetRectOrigin(panel->Bounds, panel->WidgetOrigin));
  panel->OnSetParent(this);
  panel->Open();
  panel->ShowIndex = row ? row->Index : -1;
  panel->UpdateBanner();
}

void RecordPlaybackDialog::Leave(bool back) {
  SkinBin::Wrapper* model = Model();
  if (back) {
    OnSetShowWaiting(0);
    model->RecordPlaybackStop(0);
    model->SetLastSource();
    Close();
  } else {
    model->RecordPlaybackStop(0);
    OnSetShowWaiting(0);
    Close();
    model->SetLastSource();
  }
}

void RecordPlaybackDialog::ExitByDeviceRemoved() {
  Model()->RecordPlaybackStop(0);
  OnSetShowWaiting(0);
  Record::ExitByDeviceRemoved(this, false);
}

void RecordPlaybackDialog::EnterPrevState() {
  Close();
  if (!PrevState || !NonMenuSystem) return;
  SubSystem::Open(NonMenuSystem.get(), {.screen = PrevState,
                                        .back = Model()->OnGetMediaBackClass(),
                                        .value = kRecordingsKind,
                                        .origin = OriginTag(),
                                        .text = Medium,
                                        .flag = true});
}

void RecordPlaybackDialog::Close(XObject* sender) {
  if (infoPanel) {
    infoPanel->Close();
    infoPanel = nullptr;
  }
  const bool open = Parent && owner.get() == Parent.get();
  NonMenuSystem::WidgetClass::Close(sender);
  if (!open) return;
  SkinBin::Wrapper* model = Model();
  model->StopAnimation();
  RemoveWarningMessage();
  MainApp::GetMessageAgent()->UnRegister(this);
  previewArea.OnSetVisible(false);
  model->SetDisplayWindow(0, 0, kScreenWidth, kScreenHeight);
}

// The keys of the library. A row's action returns true when the key is done
// with; false hands it on to the base afterwards.
bool RecordPlaybackDialog::TakeKey(uint16_t code) {
  SkinBin::Wrapper* model = Model();
  switch (code) {
    case Key::Ok:
      if (ListForm::RecordPlaybackListItem* row = FocusedRow()) DoItemActivate(row);
      break;
    case Key::ClearAll:
    case Key::Exit:
      Leave(false);
      return false;
    case Key::Back:
      Leave(true);
      return false;
    case Key::Red:
      AskDelete();
      break;
    case Key::Green:
      VgPostSignal(VgSlotOf<&RecordPlaybackDialog::UpdateProgramTitle>(this));
      break;
    case Key::Yellow:
      if (PrevState != VgFindClass("MenuSystem::BrcmMediaMenu")) {
        VgPostSignal(VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(this));
        return true;
      }
      break;
    case Key::PageUp:
      model->RecordPlaybackSkipBackward(model->OnGetBackwardSkipTime());
      break;
    case Key::PageDown:
      model->RecordPlaybackSkipForward(model->OnGetForwardSkipTime());
      break;
    case Key::VolumeUp:
    case Key::VolumeDown:
    case Key::Mute:
      VolumeKey(code, volume, volumeTimer);
      break;
    case Key::Play: {
      status.Play();
      SkinBin::RecordPlaybackStatus* now = model->GetRecordPlaybackStatus();
      if (now) PlayFocused(now->Position * 1000);
      break;
    }
    case Key::Pause:
      status.Pause();
      break;
    case Key::Stop:
      status.Stop();
      break;
    case Key::Rewind:
      status.Fast(FastDirection::Backward);
      break;
    case Key::FastForward:
      status.Fast(FastDirection::Forward);
      break;
    case Key::Info:
      ToggleInfo();
      break;
    default:
      return false;
  }
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  return true;
}

XObject* RecordPlaybackDialog::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event)) {
    if (key->down && key->keyCode < kFirstBaseKey && TakeKey(key->keyCode)) return this;
    return NonMenuSystem::WidgetClass::HandleEvent(event);
  }
  if (vg_cast<Events::XPM_EVENT_STANDBY>(event)) {
    Model()->RecordPlaybackStop(0);
    return NonMenuSystem::WidgetClass::HandleEvent(event);
  }
  if (IsMediumRemoval(event, Medium)) {
    ExitByDeviceRemoved();
    return this;
  }
  if (IsRecordingNews(event)) {
    ReadMediaListAgain();
    // The news goes on to whoever else it concerns.
    return nullptr;
  }
  if (auto* playback = vg_cast<Events::RecordPlaybackStatusEvent>(event)) {
    if (playback->Status == kPlaybackRewound) {
      // The preview plays again from its beginning.
      status.Play();
      PlayFocused(0);
    } else if (playback->Status == kPlaybackEnded) {
      status.Stop();
    }
    return this;
  }
  return NonMenuSystem::WidgetClass::HandleEvent(event);
}

// ------------------------------------------------------------ play options

PlayOptionsDialog::PlayOptionsDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  Layer = Layers::Dialog;
  OnSetCaption(VgNewStringAnsi("Play Options"));
  const char* labels[ButtonCount] = {"Resume from last position", "Play from the beginning"};
  for (int32_t i = 0; i < ButtonCount; ++i) {
    buttons[i].OnSetBounds({0, 0, 340, SkinBin::Button::FocusedTextHeight});
    buttons[i].OnSetText(VgNewStringAnsi(labels[i]));
    buttons[i].OnSetFocused_Bitmap(VgLoad<Resources::Bitmap>(Bitmaps::CECInputDialogButtonFocus));
    buttons[i].OnSetOnActivate(VgSlotOf<&PlayOptionsDialog::DoActivate>(this));
    Add(&buttons[i], 0);
  }
  const int32_t width = 400 + 2 * FrameWidth;
  const int32_t height = CaptionHeight + 2 * 14 + ButtonCount * (SkinBin::Button::FocusedTextHeight + 4) + 2 * FrameWidth;
  OnSetBounds({(kScreenWidth - width) / 2, 170, (kScreenWidth + width) / 2, 170 + height});
  OnSetFocus(&buttons[0]);
}

void PlayOptionsDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* selected = vg_cast<MediaPlayer::SelectedParam>(parameter ? parameter->OnGetParam() : nullptr);
  auto* plain = VgNew<Primitives::KeyRoutingParameter>();
  if (parameter) plain->OnSetParent(parameter->OnGetParent());
  NonMenuSystem::QORWidgetClass::Initialize(selected ? plain : parameter);
  if (!selected) return;
  Show.Take(selected->Index);
  LibraryBack = selected->From;
  FileName = selected->FileName;
  Medium = selected->MountString;
}

void PlayOptionsDialog::Refresh(XObject* sender) {
  NonMenuSystem::QORWidgetClass::Refresh(sender);
  int32_t y = ContentTop() + 14;
  for (SkinBin::Button& button : buttons) {
    const VgPoint size = VgGetRectSize(button.Bounds);
    const int32_t x = (VgGetRectW(Bounds) - size.x) / 2;
    button.OnSetBounds({x, y, x + size.x, y + size.y});
    y += size.y + 4;
  }
}

void PlayOptionsDialog::DoActivate(XObject* sender) {
  if (sender == &buttons[1]) {
    if (SkinBin::RecordPlaybackData* entry = Show.Entry()) entry->Mark = 0;
  }
  VgPostSignal(VgSlotOf<&PlayOptionsDialog::LaunchFullScreenPlayer>(this));
}

void PlayOptionsDialog::LaunchFullScreenPlayer(XObject*) {
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  Close();
  if (!system) return;
  MediaPlayer::SelectedParam* param = MediaPlayer::SelectedParam::Make(Show.Find(false), LibraryBack, Medium);
  param->FileName = FileName;
  SubSystem::Open(system, {.screen = &RecordPlaybackFullScreenDialog::Class,
                           .back = &RecordPlaybackDialog::Class,
                           .param = param});
}

void PlayOptionsDialog::EnterPrevState() {
  Close();
  if (!NonMenuSystem) return;
  SubSystem::Open(NonMenuSystem.get(), {.screen = &RecordPlaybackDialog::Class,
                                        .back = LibraryBack,
                                        .value = Show.Find(true),
                                        .origin = OriginTag(),
                                        .text = Medium});
}

XObject* PlayOptionsDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down) {
    switch (key->keyCode) {
      case Key::ClearAll:
      case Key::Exit:
        Close();
        Model()->SetLastSource();
        return NonMenuSystem::QORWidgetClass::HandleEvent(event);
      case Key::Up:
      case Key::Down: {
        const int32_t focused = Focus.get() == &buttons[1] ? 1 : 0;
        OnSetFocus(&buttons[(focused + 1) % ButtonCount]);
        break;
      }
      case Key::Back:
        VgPostSignal(VgSlotOf<&PlayOptionsDialog::EnterPrevStateSlot>(this));
        break;
      default:
        return NonMenuSystem::QORWidgetClass::HandleEvent(event);
    }
    VgPostSignal(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
    return this;
  }
  if (vg_cast<Events::XPM_EVENT_STANDBY>(event)) {
    Close();
    return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  }
  if (IsMediumRemoval(event, Medium)) {
    Record::ExitByDeviceRemoved(this, false);
    return this;
  }
  return NonMenuSystem::QORWidgetClass::HandleEvent(event);
}

void PlayOptionsDialog::EnterPrevStateSlot(XObject*) { EnterPrevState(); }

}  // namespace Record
