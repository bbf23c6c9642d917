#include "MediaPlayer/MediaWindow.h"

#include <string>

#include "Core/KeyEvent.h"
#include "Constants/Constants.h"
#include "Events/Events.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/MessageAgent.h"
#include "Media/MediaEvents.h"
#include "Media/MediaWrapper.h"
#include "NonMenuSystem/DirectMessages.h"
#include "MediaPlayer/MediaSetupDialogs.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/WorldEvents.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Message.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(MediaPlayer, MediaWindow, NonMenuSystem::WidgetClass)

namespace MediaPlayer {

MediaWindow::MediaWindow(XObject* link) : NonMenuSystem::WidgetClass(link) {
  Layer = MediaLayer;
  // The media windows stay until the viewer leaves them.
  OnSetTimeOutValue(0);
  OnSetBounds({0, 0, NonMenuSystem::NonMenuSystem::ScreenWidth, NonMenuSystem::NonMenuSystem::ScreenHeight});
}

void MediaWindow::Initialize(Primitives::KeyRoutingParameter* parameter) {
  MainApp::GetMessageAgent()->Register(this);
  Selected = vg_cast<SelectedParam>(parameter ? parameter->OnGetParam() : nullptr);
  if (!Selected) {
    NonMenuSystem::WidgetClass::Initialize(parameter);
    return;
  }
  // The base reads only its own opening records.
  auto* plain = VgNew<Primitives::KeyRoutingParameter>();
  plain->OnSetParent(parameter->OnGetParent());
  NonMenuSystem::WidgetClass::Initialize(plain);
}

void MediaWindow::HandleMessage(Structures::Message* message) {
  if (message->Code != Constants::MSG_MM_STATUS_INFO) return;
  // Heard already when the window had the event down its own path.
  auto* status = vg_cast<Events::StatusEvent>(message->Payload.get());
  if (!status || Primitives::WorldEvents::Heard(this)) return;
  Primitives::WorldEvents::NoteHeard(this);
  HandleEvent(status);
}

bool MediaWindow::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::StatusEvent>(event) || vg_cast<Media::MetadataReadyEvent>(event) ||
         vg_cast<Media::PictureEvent>(event);
}

VgString MediaWindow::MediumShown() const { return Selected ? VgString(Selected->MountString) : OpenMediumMount(); }

VgString MediaWindow::OpenMediumMount() {
  Media::MediumDevice* open = MainApp::GetMediaWrapper()->GetCurMedium();
  return open ? VgString(open->MountString) : nullptr;
}

void MediaWindow::Close(XObject* sender) {
  MainApp::GetMessageAgent()->UnRegister(this);
  NonMenuSystem::WidgetClass::Close(sender);
}

bool MediaWindow::ClosesOnTheEvent(Core::Event* event) const {
  return OpenMediumRemoved(vg_cast<Events::StatusEvent>(event));
}

bool MediaWindow::OpenMediumRemoved(Events::StatusEvent* status) {
  if (!status || status->Code != Media::MediaStatus::Device || status->SubCode0 != Media::MediaStatus::DeviceRemoved)
    return false;
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  Media::MediumDevice* medium = media->GetCurMedium();
  if (!medium) return false;
  // A code of a slot names the device; any other code still leaves the
  // window when its medium is gone from the list the bridge read again.
  const std::string mount = VgStringToUtf8(medium->MountString);
  VgString name = Media::MediaWrapper::ConvertRemovableCode(status->SubCode2);
  const std::string device = name ? VgStringToUtf8(name) : std::string();
  const bool named = !device.empty() && mount.size() > device.size() &&
                     mount.compare(mount.size() - device.size(), device.size(), device) == 0 &&
                     mount[mount.size() - device.size() - 1] == '/';
  return named || !media->HasMedium(medium->MountString);
}

XObject* MediaWindow::HandleEvent(Core::Event* event) {
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    if (!OpenMediumRemoved(status)) return nullptr;
    LeavePlayer();
    if (::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get())
      system->ShowMessage(::NonMenuSystem::DirectMsgTypeDeviceRemoved);
    return this;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Exit || key->keyCode == Key::ClearAll)) {
    LeavePlayer();
    return this;
  }
  return NonMenuSystem::WidgetClass::HandleEvent(event);
}

void MediaWindow::LeavePlayer() {
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  media->RequestStop();
  media->CloseMedium();
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  if (!system) {
    Close();
    return;
  }
  // The medium's screens: its windows and the music chosen from it.
  const bool clear = ::NonMenuSystem::NonMenuSystem::ClearsWithADevice([](Primitives::KeyRoutingForm* form) {
    return vg_cast<MediaWindow>(form) || vg_cast<SelectBGMusicDialog>(form);
  });
  // The clear leaves the media layer alone: every media window closes itself first.
  for (Core::View* view = system->lastView; view;) {
    Core::View* below = view->prevView;
    if (auto* window = vg_cast<MediaWindow>(view)) window->Close();
    view = below;
  }
  if (clear) system->ClearAll();
}

void MediaWindow::BackToDevices(int32_t kind) {
  MainApp::GetMediaWrapper()->RequestStop();
  MainApp::GetMediaWrapper()->CloseMedium();
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  Close();
  if (!system) return;
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Value = kind;
  param->Kind = OriginTag();
  system->OpenState(VgFindClass("MediaPlayer::MediaDeviceSelectDialog"), param);
}

}  // namespace MediaPlayer
