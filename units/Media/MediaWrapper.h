// Media::MediaWrapper: the bridge between the interface and the media
// library, the auto object that the application root holds. This first cut
// carries what the application shell asks of it: it starts the library once,
// is told which group receives the library's events, is offered every
// broadcast first, and reports that the media renderer is not configured.
// Browsing, playback and the server lists come with the media screens.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "Core/Group.h"
#include "vgobject.h"

namespace Media {

class MediaWrapper : public XObject {
  VG_CLASS()

 public:
  explicit MediaWrapper(XObject* link = nullptr) : XObject(link) {}

  // Binds the bridge to the group that receives the library's events.
  void Initialize(Core::Group* root);
  // Starts the library; a second start while it runs changes nothing.
  void PslInitialize(int32_t dlna, int32_t renderer, int32_t accessControl);
  // True when the event was one of the library's own notifications and has
  // been consumed; the bridge has none of its own yet, so false.
  bool HandleEvent(Core::Event* event);
  // Prints "DMR feature is disabled" and answers false: this set has no
  // media renderer.
  bool IsDmrConfiged();

  bool OnGetStarted() const { return started_; }

  VgPtr<Core::Group> Root;

 private:
  bool started_ = false;
  int32_t renderer_ = 0;
  int32_t accessControl_ = 0;
};

// Events of the media library that the screens test for.
class MetadataReadyEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit MetadataReadyEvent(XObject* link = nullptr) : Core::Event(link) {}
};

class PictureEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit PictureEvent(XObject* link = nullptr) : Core::Event(link) {}
};

}  // namespace Media
