// NonMenuSystem::CommonMuteBar: the mute sign. It stands in a corner while
// the sound is muted, takes no key, does not time out and outlives a clear
// of the screens; the mute key, a volume step or the factory's unmute take
// it away, and so does any other way the sound comes back (a sound setting
// changed, the recordings' own mute key).
#pragma once

#include "NonMenuSystem/WidgetClass.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "WidgetManager/Layers.h"

namespace NonMenuSystem {

class CommonMuteBar : public WidgetClass {
  VG_CLASS()

 public:
  explicit CommonMuteBar(XObject* link = nullptr);

  void Open(XObject* sender = nullptr) override;
  void Close(XObject* sender = nullptr) override;
  // The model's mute changed: the sign leaves with the mute.
  void FollowMute(XObject* sender = nullptr);

  // A layer of its own outside the layers that a clear closes, so neither a
  // volume bar nor the menus take it away.
  static constexpr int32_t MuteLayer = Layers::Mute;

  Views::Frame frame{this};
  Views::Image icon{this};
  Views::Text label{this};
};

}  // namespace NonMenuSystem
