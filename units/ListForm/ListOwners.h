// What the screens that hold the media, photo, playback and device lists do
// for them. A screen takes on the role beside its form class:
//   class PhotoMultiView : public NonMenuSystem::WidgetClass, public ListForm::ItemOwner {...};
// and a list finds it in its Parent; a list whose owner has not taken the
// role acts alone (it moves, but activating a row does nothing).
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace Forms {
class Ctrl;
}

namespace ListForm {

// The owner of a media content list, a photo grid, a background-music list or
// a recording playback list.
class ItemOwner {
 public:
  // The viewer activated the row (or cell).
  virtual void DoItemActivate(Forms::Ctrl* row) = 0;
  // The focus rests on another entry: the owner shows what it knows of it.
  virtual void UpdateMediaInfo() {}
  // After every focus update of a media content list.
  virtual void UpdateContentInfo() {}
  // A movie view previews the focused movie; the other views do not.
  virtual bool PreviewsMovies() const { return false; }

 protected:
  ~ItemOwner() = default;
};

// The owner of a storage-device list: opens the player for the chosen one.
class DeviceOwner {
 public:
  virtual void LaunchPlayer(int32_t index, VgString device, uint16_t type, bool active, VgString caption) = 0;

 protected:
  ~DeviceOwner() = default;
};

// A screen opened on an entry of a list that may move on to other entries of
// it (the full-screen playback to the next show, the photo view to the next
// photo): going back, the list's screen focuses the entry it is on by then.
class GoesBackOnAnEntry {
 public:
  // The class of the list it goes back to, and the key of its entry there
  // (ListCourier::Key); null for none.
  virtual const VgClass* ListGoneBackTo() const = 0;
  virtual VgString EntryGoneBackTo() const = 0;

 protected:
  ~GoesBackOnAnEntry() = default;
};

// The list's owner in that role, null when it has not taken it.
template <class Role>
Role* OwnerAs(XObject* owner) {
  return dynamic_cast<Role*>(owner);
}

}  // namespace ListForm
