// MediaPlayer::MediaDeviceSelectDialog: the media player's first screen, the
// storage devices and registered media servers to play from. Opened with the
// kind of media (1 music, 2 photos, 3 movies, 4 recordings, where only USB
// storage can be chosen), it opens the chosen medium in the bridge and the
// kind's view on it; recordings go to the recording playback list.
#pragma once

#include <cstdint>

#include "ListForm/ListOwners.h"
#include "ListForm/MediaDeviceLists.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Views/Text.h"

namespace MediaPlayer {

class MediaDeviceSelectDialog : public NonMenuSystem::WidgetClass, public ListForm::DeviceOwner {
  VG_CLASS()

 public:
  explicit MediaDeviceSelectDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // A device that comes or goes changes the list at once, under any screen
  // that has the keys: a stick taken out is no longer offered.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  // A question the menus asked, not a player: it goes with a clear, though
  // it stands on the media layer, which the players keep through one.
  bool OutlivesClear() const override { return false; }
  void LaunchPlayer(int32_t index, VgString device, uint16_t type, bool active, VgString caption) override;

  // The kind the dialog was opened for.
  int32_t OnGetKind() const { return ParamValue; }

  Views::Text caption{this};
  ListForm::MediumDeviceList list{this};

 private:
  void FillList();
};

}  // namespace MediaPlayer
