#include "MediaPlayer/PhotoSingleView.h"

#include <iterator>

#include "AppServices/MediaWrapper.h"
#include "AppServices/OptionDB.h"
#include "Core/KeyEvent.h"
#include "Media/MediaEvents.h"
#include "Media/MediaWrapper.h"
#include "MediaPlayer/SelectedParam.h"
#include "OptionDatabase/OptionBinding.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/OptionTypes.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MediaPlayer, PhotoSingleView, MediaPlayer::MediaWindow)

namespace MediaPlayer {

namespace {

int32_t ReadOption(int32_t option) {
  OptionDatabase::OptionBinding binding(MainApp::GetOptionDB(), option, "PhotoSingleView");
  return binding.Read();
}

}  // namespace

PhotoSingleView::PhotoSingleView(XObject* link) : MediaWindow(link) {
  WinID = WinIDs::WIN_ID_PhotoSingleView;
  background.OnSetColor({0, 0, 0, 255});
  picture.OnSetBounds(Bounds);
  Add(&picture, 0);
  slideTimer.OnSetOnTrigger(VgSlotOf<&PhotoSingleView::NextSlide>(this));
}

void PhotoSingleView::Initialize(Primitives::KeyRoutingParameter* parameter) {
  MediaWindow::Initialize(parameter);
  SelectedParam* selected = Selected.get();
  Show(selected ? selected->Index : 0);
  StartShow();
  backgroundMusic_ = ReadOption(SkinBin::OPTION_TYPE_BGM_ONOFF) != 0 && MainApp::GetMediaWrapper()->PlayBackgroundMusic();
}

bool PhotoSingleView::Wraps() const { return ReadOption(SkinBin::OPTION_TYPE_PHOTO_REPEAT) != 0; }

void PhotoSingleView::StartShow() {
  const int32_t choice = ReadOption(SkinBin::OPTION_TYPE_MM_INTERVAL_TIME);
  const int32_t seconds =
      choice >= 0 && choice < int32_t(std::size(IntervalSeconds)) ? IntervalSeconds[choice] : IntervalSeconds[0];
  slideTimer.OnSetPeriod(seconds * 1000);
  slideTimer.OnSetBegin(seconds * 1000);
  slideTimer.OnSetEnabled(true);
}

void PhotoSingleView::Show(int32_t index) {
  index_ = index;
  picture.OnSetBitmap(nullptr);
  MainApp::GetMediaWrapper()->RequestPicture(index);
}

int32_t PhotoSingleView::Neighbour(int32_t step, bool wrap) const {
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  const int32_t count = media->GetMediaItemCount();
  for (int32_t i = 1; i <= count; ++i) {
    int32_t at = index_ + step * i;
    if (at < 0 || at >= count) {
      if (!wrap) return -1;
      at = (at % count + count) % count;
    }
    Media::MediaItem* item = media->GetMediaItem(at);
    if (item && item->Type == Media::MediaItem::Picture) return at;
  }
  return -1;
}

void PhotoSingleView::NextSlide(XObject*) {
  const int32_t next = Neighbour(1, Wraps());
  if (next < 0) {
    slideTimer.OnSetEnabled(false);
    return;
  }
  Show(next);
}

XObject* PhotoSingleView::HandleEvent(Core::Event* event) {
  if (auto* shown = vg_cast<Media::PictureEvent>(event)) {
    if (shown->Index == index_) picture.OnSetBitmap(shown->Picture);
    return this;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return MediaWindow::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Back:
    case Key::Exit:
      EnterPrevState();
      return this;
    case Key::Ok:
      slideTimer.OnSetEnabled(!slideTimer.OnGetEnabled());
      return this;
    case Key::Left:
    case Key::Right: {
      const int32_t next = Neighbour(key->keyCode == Key::Right ? 1 : -1, true);
      if (next >= 0) Show(next);
      if (slideTimer.OnGetEnabled()) slideTimer.Activate();
      return this;
    }
    default:
      return MediaWindow::HandleEvent(event);
  }
}

void PhotoSingleView::Close(XObject* sender) {
  slideTimer.OnSetEnabled(false);
  if (backgroundMusic_) MainApp::GetMediaWrapper()->RequestStop();
  backgroundMusic_ = false;
  MediaWindow::Close(sender);
}

}  // namespace MediaPlayer
