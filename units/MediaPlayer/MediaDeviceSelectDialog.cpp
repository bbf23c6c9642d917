#include "MediaPlayer/MediaDeviceSelectDialog.h"

#include "AppServices/MediaWrapper.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Events/Events.h"
#include "Media/MediaEvents.h"
#include "Fonts/Fonts.h"
#include "Media/MediaWrapper.h"
#include "MediaPlayer/MediaListViewTemplate.h"
#include "MediaPlayer/MediaWindow.h"
#include "MediaPlayer/PhotoMultiView.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/Wrapper.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(MediaPlayer, MediaDeviceSelectDialog, NonMenuSystem::WidgetClass)

namespace MediaPlayer {

namespace {

// What each kind opens on the chosen medium, and the entries it shows.
struct KindRow {
  int32_t kind;
  const char* caption;
  const VgClass* view;
  uint16_t entries;
};
const KindRow kKinds[] = {
    {MediaWindow::KindMusic, "Music", &MusicListView::Class, Media::MediaItem::Music},
    {MediaWindow::KindPhoto, "Photo", &PhotoMultiView::Class, Media::MediaItem::Picture},
    {MediaWindow::KindMovie, "Movie", &MovieListView::Class, Media::MediaItem::Video},
    {MediaWindow::KindRecordings, "Recordings", nullptr, Media::MediaItem::Video},
};

const KindRow* RowOf(int32_t kind) {
  for (const KindRow& row : kKinds)
    if (row.kind == kind) return &row;
  return nullptr;
}

constexpr int32_t kWidth = 500;
constexpr int32_t kHeight = 200;

}  // namespace

MediaDeviceSelectDialog::MediaDeviceSelectDialog(XObject* link) : NonMenuSystem::WidgetClass(link) {
  WinID = WinIDs::WIN_ID_MediaPlayer;
  Layer = MediaWindow::MediaLayer;
  OnSetTimeOutValue(0);
  OnSetBounds({0, 150, kWidth, 150 + kHeight});
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
  caption.OnSetColor(NonMenuSystem::Look::Caption);
  caption.OnSetBounds({20, 10, kWidth - 20, 50});
  Add(&caption, 0);
  list.OnSetBounds({20, 60, 20 + 460, 60 + 130});
  Add(&list, 0);
}

void MediaDeviceSelectDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::WidgetClass::Initialize(parameter);
  const KindRow* row = RowOf(ParamValue);
  if (!row) {
    VgPrint("MediaDeviceSelectDialog: no media of kind %d; music instead\n", ParamValue);
    ParamValue = MediaWindow::KindMusic;
    row = RowOf(ParamValue);
  }
  caption.OnSetString(VgNewStringAnsi(row->caption));
  list.OnSetRecordsOnly(ParamValue == MediaWindow::KindRecordings);
  FillList();
}

void MediaDeviceSelectDialog::FillList() {
  MainApp::GetMediaWrapper()->RequestMediumList();
  OnSetFocus(&list);
  auto* listParameter = VgNew<Primitives::KeyRoutingParameter>();
  listParameter->OnSetParent(this);
  list.Initialize(listParameter);
}

bool MediaDeviceSelectDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::StatusEvent>(event) != nullptr;
}

// The event goes on to whoever else it concerns.
XObject* MediaDeviceSelectDialog::HandleEvent(Core::Event* event) {
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    if (status->Code == Media::MediaStatus::Device) FillList();
    return nullptr;
  }
  return NonMenuSystem::WidgetClass::HandleEvent(event);
}

void MediaDeviceSelectDialog::LaunchPlayer(int32_t index, VgString device, uint16_t, bool active, VgString) {
  if (!active || !device) return;
  const KindRow* row = RowOf(ParamValue);
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  if (!row || !system) return;
  // Where the media screens go when they leave for good.
  MainApp::GetWrapper()->OnSetMediaBackClass(PrevState);
  SelectedParam* param = SelectedParam::Make(index, GetClass(), device);
  if (!row->view) {
    Close();
    SubSystem::Open(system, "Record::RecordPlaybackDialog", {.back = GetClass(), .param = param});
    return;
  }
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  Media::MediumDevice* medium = nullptr;
  for (int32_t i = 0; i < media->GetMediumCount() && !medium; ++i) {
    Media::MediumDevice* candidate = media->GetMedium(i);
    if (candidate && VgStringToUtf8(candidate->MountString) == VgStringToUtf8(device)) medium = candidate;
  }
  if (!medium || !media->OpenMedium(medium, row->entries)) {
    VgPrint("MediaDeviceSelectDialog: %s cannot be opened\n", VgStringToUtf8(device).c_str());
    return;
  }
  Close();
  system->OpenState(row->view, param);
}

}  // namespace MediaPlayer
