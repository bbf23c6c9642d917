#include "Record/RecordPlaybackFullScreen.h"

#include <iterator>

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Record/RecordPieces.h"
#include "SkinBin/RecordData.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, PlaybackFullScreenBanner, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(Record, RecordPlaybackFullScreenDialog, NonMenuSystem::WidgetClass)

namespace Record {

namespace {

namespace Look = NonMenuSystem::Look;

constexpr int32_t kBannerWidth = 800;
constexpr int32_t kBannerHeight = 120;
constexpr int32_t kTransportMs = 8000;
constexpr int32_t kInfoMs = 60000;
constexpr int32_t kStatusMs = 1000;
// The keys from this code on are the base's.
constexpr uint16_t kFirstBaseKey = 80;
constexpr int32_t kPlaybackEnded = 5;
constexpr int32_t kPlaybackRewound = 6;

// The repeat modes 0 off, 1 all, 2 one.
constexpr const VgConstant* kRepeatIcons[] = {&Bitmaps::EPG_RecordTypeOnce0, &Bitmaps::EPG_RecordTypeEveryday,
                                              &Bitmaps::EPG_RecordTypeOnce};
constexpr int32_t kRepeatAll = 1;
constexpr int32_t kRepeatOne = 2;

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

}  // namespace

// ------------------------------------------------------------------ banner

PlaybackFullScreenBanner::PlaybackFullScreenBanner(XObject* link) : Primitives::KeyRoutingForm(link) {
  OnSetTimeOutValue(TimeOut);
  OnSetOnTimeOut(VgSlotOf<&PlaybackFullScreenBanner::Exit>(this));
  OnSetBounds({0, 0, kBannerWidth, kBannerHeight});
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MiniGuideBackground));
  frame.OnSetBounds({0, 0, kBannerWidth, kBannerHeight});
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (Views::Text* text : {&fileName, &fileSize}) {
    text->OnSetFont(font);
    text->OnSetColor(Look::Text);
    text->OnSetAlignV(Views::Text::AlignMiddle);
    text->OnSetEllipsis(true);
  }
  fileName.OnSetBounds({20, 10, 520, 36});
  fileSize.OnSetBounds({540, 10, kBannerWidth - 20, 36});
  status.OnSetBounds({20, 48, 20 + PlayStatus::Width, 48 + PlayStatus::Height});
  repeatImage.OnSetBounds({kBannerWidth - 60, 52, kBannerWidth - 20, 80});
  repeatImage.OnSetBitmap(VgLoad<Resources::Bitmap>(*kRepeatIcons[0]));
  for (Core::View* view : std::initializer_list<Core::View*>{&frame, &fileName, &fileSize, &status, &repeatImage})
    Add(view, 0);
  statusTimer.OnSetBegin(kStatusMs);
  statusTimer.OnSetPeriod(kStatusMs);
  statusTimer.OnSetOnTrigger(VgSlotOf<&PlaybackFullScreenBanner::StatusCheckSlot>(this));
  statusTimer.OnSetEnabled(true);
}

void PlaybackFullScreenBanner::Open(XObject* sender) {
  Primitives::KeyRoutingForm::Open(sender);
  if (!vg_cast<RecordPlaybackFullScreenDialog>(Parent.get())) return;
  ShowFile();
  OnSetRepeatMode(Model()->OnGetPlayback_Repeat());
}

VgString PlaybackFullScreenBanner::MediumShown() const {
  auto* dialog = vg_cast<RecordPlaybackFullScreenDialog>(Parent.get());
  return dialog ? dialog->MediumShown() : nullptr;
}

void PlaybackFullScreenBanner::ShowFile() {
  auto* dialog = vg_cast<RecordPlaybackFullScreenDialog>(Parent.get());
  if (!dialog) return;
  fileName.OnSetString(VgConcatString(VgNewStringAnsi("File Name: "), dialog->FileName));
  VgString folder = VgConcatString(GetUsbPath(dialog->Medium), VgNewStringAnsi("/"));
  fileSize.OnSetString(ShowFileSize(VgConcatString(folder, dialog->FileName)));
}

void PlaybackFullScreenBanner::ChangeTimeOut(int32_t ms) {
  OnSetTimeOutValue(ms);
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
}

void PlaybackFullScreenBanner::Exit(XObject*) { OnSetVisible(false); }

void PlaybackFullScreenBanner::StatusCheckSlot(XObject*) { status.Show(Model()->GetRecordPlaybackStatus()); }

void PlaybackFullScreenBanner::OnSetRepeatMode(int32_t value) {
  if (value == RepeatMode) return;
  RepeatMode = value;
  const int32_t icon = value >= 0 && value < int32_t(std::size(kRepeatIcons)) ? value : 0;
  repeatImage.OnSetBitmap(VgLoad<Resources::Bitmap>(*kRepeatIcons[icon]));
}

// ------------------------------------------------------------- full screen

RecordPlaybackFullScreenDialog::RecordPlaybackFullScreenDialog(XObject* link) : NonMenuSystem::WidgetClass(link) {
  WinID = WinIDs::WIN_ID_RecordPlaybackFullscreenDialog;
  Layer = Layers::Media;
  PreemptiveFocus = true;
  OnSetTimeOutValue(0);
  OnSetBounds({0, 0, 960, 540});
  background.OnSetColor(Look::Transparent);
}

void RecordPlaybackFullScreenDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* selected = vg_cast<MediaPlayer::SelectedParam>(parameter ? parameter->OnGetParam() : nullptr);
  auto* plain = VgNew<Primitives::KeyRoutingParameter>();
  if (parameter) plain->OnSetParent(parameter->OnGetParent());
  NonMenuSystem::WidgetClass::Initialize(selected ? plain : parameter);
  SkinBin::Wrapper* model = Model();
  if (model->GetExtSourceId() != model->GetCurrentSource(0)) model->SetSource(0, model->GetExtSourceId());
  MainApp::GetMessageAgent()->Register(this);
  if (selected) {
    Show.Take(selected->Index);
    LibraryBack = selected->From;
    FileName = selected->FileName;
    Medium = selected->MountString;
  }
  auto* bar = VgNew<PlaybackFullScreenBanner>();
  banner = bar;
  bar->OnSetBounds(VgSetRectOrigin(bar->Bounds, bar->WidgetOrigin));
  bar->OnSetParent(this);
  bar->Open();
  bar->OnSetVisible(false);
}

// The show plays as the screen opens, not as it is initialised: a playback
// that waits for a screen over its place (the 3D question) would play
// unseen under it, and the viewer's place in the show would run on.
void RecordPlaybackFullScreenDialog::Open(XObject* sender) {
  NonMenuSystem::WidgetClass::Open(sender);
  if (started_) return;
  started_ = true;
  if (SkinBin::RecordPlaybackData* entry = Show.Entry())
    Model()->RecordPlaybackPlay(GetUsbPath(Medium), entry->RecordId, 0, entry->Mark * 1000);
}

void RecordPlaybackFullScreenDialog::Close(XObject* sender) {
  NonMenuSystem::WidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void RecordPlaybackFullScreenDialog::HandleMessage(Structures::Message* message) {
  NonMenuSystem::WidgetClass::HandleMessage(message);
  if (!message) return;
  if (message->Code == Constants::MSG_EXIT_MEDIA_STATE) {
    HandleEvent(PressedKey(Key::Exit));
  } else if (message->Code == Constants::MSG_APPLY_REPEAT && banner) {
    banner->OnSetRepeatMode(Model()->OnGetPlayback_Repeat());
  }
}

void RecordPlaybackFullScreenDialog::EnterPrevState() {
  Close();
  if (!PrevState || !NonMenuSystem) return;
  SubSystem::Open(NonMenuSystem.get(), {.screen = PrevState,
                                        .back = LibraryBack,
                                        .value = Show.Find(true),
                                        .origin = OriginTag(),
                                        .text = Medium});
}

void RecordPlaybackFullScreenDialog::EnterPrevStateSlot(XObject*) { EnterPrevState(); }

void RecordPlaybackFullScreenDialog::PlayEntry(int32_t fromMs) {
  if (SkinBin::RecordPlaybackData* entry = Show.Entry())
    Model()->RecordPlaybackPlay(GetUsbPath(Medium), entry->RecordId, 0, fromMs);
}

void RecordPlaybackFullScreenDialog::SkipPlayback(bool forward) {
  if (Show.Index < 0) return;
  // The show after or before the one that plays, in the list as it is now:
  // the recorder may have added shows before it meanwhile. A show gone
  // steps from the place it left.
  const int32_t at = Show.Find(true);
  SkinBin::DB_RecordPlaybackInfo* shows = Model()->OnGetRecordPlaybackList();
  const int32_t count = shows ? shows->GetNumEvents() : 0;
  if (at < 0 || count < 2) return;
  Show.Take(forward ? (at + 1) % count : (at + count - 1) % count);
  if (SkinBin::RecordPlaybackData* entry = Show.Entry()) {
    // The banner names the show that plays now.
    FileName = entry->FileName;
    if (banner) banner->ShowFile();
    Model()->RecordPlaybackStop(0);
    Model()->RecordPlaybackPlay(GetUsbPath(Medium), entry->RecordId, 0, 0);
  }
}

void RecordPlaybackFullScreenDialog::ShowBanner(int32_t ms) {
  if (!banner) return;
  banner->OnSetVisible(true);
  banner->ChangeTimeOut(ms);
}

void RecordPlaybackFullScreenDialog::EndOfShow() {
  switch (Model()->OnGetPlayback_Repeat()) {
    case kRepeatAll:
      SkipPlayback(true);
      break;
    case kRepeatOne:
      Model()->RecordPlaybackStop(0);
      PlayEntry(0);
      break;
    default:
      Model()->RecordPlaybackStop(0);
      VgPostSignal(VgSlotOf<&RecordPlaybackFullScreenDialog::EnterPrevStateSlot>(this));
      break;
  }
}

// The keys of the player: true when done with, false hands the key on to the
// base afterwards.
bool RecordPlaybackFullScreenDialog::TakeKey(uint16_t code) {
  SkinBin::Wrapper* model = Model();
  PlayStatus* status = banner ? &banner->status : nullptr;
  switch (code) {
    case Key::Ok:
    case Key::Play: {
      if (status) status->Play();
      SkinBin::RecordPlaybackStatus* now = model->GetRecordPlaybackStatus();
      if (now) PlayEntry(now->Position * 1000);
      ShowBanner(kTransportMs);
      return true;
    }
    case Key::ClearAll:
    case Key::Exit:
      model->RecordPlaybackStop(0);
      Close();
      model->SetLastSource();
      return false;
    case Key::Left:
    case Key::Right:
      SkipPlayback(code == Key::Right);
      return true;
    case Key::PageUp:
      model->RecordPlaybackSkipBackward(model->OnGetBackwardSkipTime());
      ShowBanner(kTransportMs);
      return true;
    case Key::PageDown:
      model->RecordPlaybackSkipForward(model->OnGetForwardSkipTime());
      ShowBanner(kTransportMs);
      return true;
    case Key::Back:
      model->RecordPlaybackStop(1);
      Close();
      return false;
    case Key::Pause:
      if (status) status->Pause();
      // Paused, the banner stays until the next transport key.
      ShowBanner(0);
      return true;
    case Key::Stop: {
      model->RecordPlaybackStop(1);
      Close();
      NonMenuSystem::WidgetClass::HandleEvent(PressedKey(Key::Back));
      return true;
    }
    case Key::Rewind:
    case Key::FastForward:
      if (status) status->Fast(code == Key::FastForward ? FastDirection::Forward : FastDirection::Backward);
      ShowBanner(kTransportMs);
      return true;
    case Key::Info:
      if (!banner || banner->TimeOutValue == 0) return true;
      banner->OnSetVisible(!banner->Visible);
      if (banner->Visible) banner->ChangeTimeOut(kInfoMs);
      return true;
    default:
      return false;
  }
}

XObject* RecordPlaybackFullScreenDialog::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event)) {
    if (key->down && key->keyCode < kFirstBaseKey && TakeKey(key->keyCode)) return this;
    return NonMenuSystem::WidgetClass::HandleEvent(event);
  }
  if (vg_cast<Events::XPM_EVENT_STANDBY>(event)) {
    Model()->RecordPlaybackStop(0);
    Close();
    return NonMenuSystem::WidgetClass::HandleEvent(event);
  }
  if (IsMediumRemoval(event, Medium)) {
    Record::ExitByDeviceRemoved(this, true);
    return this;
  }
  if (auto* playback = vg_cast<Events::RecordPlaybackStatusEvent>(event)) {
    if (playback->Status == kPlaybackRewound) {
      if (banner) banner->status.Play();
      PlayEntry(0);
      ShowBanner(kTransportMs);
    } else if (playback->Status == kPlaybackEnded) {
      EndOfShow();
    }
    return this;
  }
  return NonMenuSystem::WidgetClass::HandleEvent(event);
}

}  // namespace Record
