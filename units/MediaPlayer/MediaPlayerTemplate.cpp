#include "MediaPlayer/MediaPlayerTemplate.h"

#include <cstdio>

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/OptionDB.h"
#include "Media/MediaEvents.h"
#include "Media/MediaWrapper.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/Look.h"
#include "OptionDatabase/OptionBinding.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/OptionTypes.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MediaPlayer, MediaPlayerTemplate, MediaPlayer::MediaWindow)
VG_DEFINE_CLASS(MediaPlayer, MoviePlayer, MediaPlayer::MediaPlayerTemplate)
VG_DEFINE_CLASS(MediaPlayer, MusicPlayer, MediaPlayer::MediaPlayerTemplate)

namespace MediaPlayer {

MediaPlayerTemplate::MediaPlayerTemplate(XObject* link) : MediaWindow(link) {
  background.OnSetColor(NonMenuSystem::Look::Transparent);
  bar.OnSetColor(NonMenuSystem::Look::PanelDark);
  bar.OnSetBounds({0, 405, 960, 500});
  Add(&bar, 0);
  for (Views::Text* text : {&title, &progress}) {
    text->OnSetColor(NonMenuSystem::Look::Text);
    text->OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
    Add(text, 0);
  }
  title.OnSetBounds({60, 420, 900, 450});
  progress.OnSetBounds({60, 455, 900, 485});
}

void MediaPlayerTemplate::Initialize(Primitives::KeyRoutingParameter* parameter) {
  MediaWindow::Initialize(parameter);
  SelectedParam* selected = Selected.get();
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  OptionDatabase::OptionBinding repeat(MainApp::GetOptionDB(), RepeatOption(), GetClass()->name);
  // The repeat choices are the library's modes: off, all, one.
  media->SetRepeatMode(repeat.Read());
  Media::MediaItem* item = selected ? media->GetMediaItem(selected->Index) : nullptr;
  if (!item) return;
  media->RequestPlay(item, Media::MediaWrapper::PlayFolder);
  ShowEntry(item->AbsoluteIndex);
}

int32_t MediaPlayerTemplate::RepeatOption() const { return SkinBin::OPTION_TYPE_MUSIC_REPEAT; }

void MediaPlayerTemplate::ShowEntry(int32_t index) {
  Media::MediaItem* item = MainApp::GetMediaWrapper()->GetMediaItem(index);
  title.OnSetString(item ? VgString(item->Caption) : nullptr);
  ShowProgress(0, 0);
}

void MediaPlayerTemplate::ShowProgress(int32_t seconds, int32_t total) {
  char text[48];
  std::snprintf(text, sizeof text, "%d:%02d / %d:%02d%s", seconds / 60, seconds % 60, total / 60, total % 60,
                paused_ ? "  ||" : "");
  progress.OnSetString(VgNewStringAnsi(text));
}

XObject* MediaPlayerTemplate::HandleEvent(Core::Event* event) {
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    if (status->Code == Media::MediaStatus::PlayProgress) {
      ShowProgress(status->SubCode1, status->SubCode2);
      return this;
    }
    if (status->Code == Media::MediaStatus::PlayEnded) {
      if (status->SubCode1 < 0)
        EnterPrevState();
      else
        ShowEntry(status->SubCode1);
      return this;
    }
    return MediaWindow::HandleEvent(event);
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return MediaWindow::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Ok:
      paused_ = !paused_;
      if (paused_)
        media->Pause();
      else
        media->Resume();
      return this;
    case Key::Rewind:
      media->PlayPrevious();
      return this;
    case Key::FastForward:
      media->PlayNext();
      return this;
    case Key::Back:
      media->RequestStop();
      EnterPrevState();
      return this;
    case Key::Menu:
      SubSystem::Open(NonMenuSystem.get(), "MenuSystem::ExpertPictureMenu",
                      {.origin = Constants::MSG_FROM_NONMENUSYSTEM});
      return this;
    default:
      return MediaWindow::HandleEvent(event);
  }
}

MoviePlayer::MoviePlayer(XObject* link) : MediaPlayerTemplate(link) { WinID = WinIDs::WIN_ID_MoviePlayer; }

int32_t MoviePlayer::RepeatOption() const { return SkinBin::OPTION_TYPE_MOVIE_REPEAT; }

MusicPlayer::MusicPlayer(XObject* link) : MediaPlayerTemplate(link) { WinID = WinIDs::WIN_ID_MusicPlayer; }

int32_t MusicPlayer::RepeatOption() const { return SkinBin::OPTION_TYPE_MUSIC_REPEAT; }

}  // namespace MediaPlayer
