// MediaPlayer::MediaWindow: the base of the media player's full-screen
// windows. They stand on Layers::Media, which a clear-all leaves alone, so
// the exit keys close the window themselves, stop what plays, close the
// medium and then clear all. A window also leaves when its medium is taken out (or
// drops off the device list), and says so. Every media window hears the
// message agent while it is open.
#pragma once

#include <cstdint>

#include "NonMenuSystem/WidgetClass.h"
#include "WidgetManager/Layers.h"
#include "vgstring.h"

namespace Events {
class StatusEvent;
}

namespace MediaPlayer {

class SelectedParam;

class MediaWindow : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit MediaWindow(XObject* link = nullptr);

  static constexpr int32_t MediaLayer = Layers::Media;
  // The kinds of the device selection and of the views.
  static constexpr int32_t KindMusic = 1;
  static constexpr int32_t KindPhoto = 2;
  static constexpr int32_t KindMovie = 3;
  static constexpr int32_t KindRecordings = 4;

  // Keeps a SelectedParam opening record in Selected; others go to the base.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The exit keys leave the media player; a removal of the open medium too.
  XObject* HandleEvent(Core::Event* event) override;
  // The bridge's status events come along the focus path; while the menus
  // have the focus, the menu system passes them on as MSG_MM_STATUS_INFO.
  void HandleMessage(Structures::Message* message) override;
  // The media library's news (a device gone, a folder's page, a picture, a
  // song's progress) is the window's under any screen that has the keys.
  bool FollowsTheWorld(Core::Event* event) const override;
  // The medium it was opened on, else the one the media library has open.
  VgString MediumShown() const override;
  bool ClosesOnTheEvent(Core::Event* event) const override;
  void Close(XObject* sender = nullptr) override;

  // Stops playback, closes the medium and every media window, and clears all.
  virtual void LeavePlayer();
  // Back to the device selection for the kind.
  void BackToDevices(int32_t kind);
  // Whether a status event says that the open medium went.
  static bool OpenMediumRemoved(Events::StatusEvent* status);
  // The mount of the medium the media library has open; null when none is.
  static VgString OpenMediumMount();

  // What the window was opened on, null when it was opened otherwise.
  VgPtr<SelectedParam> Selected;
};

}  // namespace MediaPlayer
