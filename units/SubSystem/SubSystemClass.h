// SubSystem::SubSystemClass: the group that owns one family of screens. It
// opens the screens of its family on request, registers every screen added
// to it or removed from it with the widget manager, and hands requests for
// another family's screens to that family's owner as a message. The concrete
// sub-systems open what ChangeState hands back to them.
#pragma once

#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"
#include "SubSystem/State.h"

namespace SubSystem {

class SubSystemClass : public Primitives::KeyRoutingGroup {
  VG_CLASS()

 public:
  explicit SubSystemClass(XObject* link = nullptr) : Primitives::KeyRoutingGroup(link) {}

  // Overridden slots of Core::Group.
  // A screen that leaves passes the focus to a screen that claims it first.
  Core::View* FindFocusable(Core::View* view) override;
  void Add(Core::View* view, int32_t restack) override;
  void Remove(Core::View* view) override;
  // Tells the widget manager's observers that the keys may have moved.
  void OnSetFocus(Core::View* view) override;

  // Slot of the sub-system. Returns the screen of the request: unopened when
  // it belongs to this sub-system (the concrete class opens it), on its way
  // to its owner when it belongs to another, or null for a request that
  // names no screen.
  virtual Primitives::KeyRoutingForm* ChangeState(State* state);

  // The screen of a request: the one it carries, or a new one of its class;
  // null, logged after caller, when that is no screen.
  static Primitives::KeyRoutingForm* ScreenOf(State* state, const char* caller);

  // Set while a key that the screen with the keys did not take asks for a
  // screen (the non-menu keys that open one, a key routed to another
  // sub-system): such a screen does not open under the screen with the keys
  // when that one stays, where it would wait deaf under it or take the keys
  // from the screen the viewer sees on top.
  class KeyAsking {
   public:
    KeyAsking() : was_(asking_) { asking_ = true; }
    ~KeyAsking() { asking_ = was_; }
    KeyAsking(const KeyAsking&) = delete;
    KeyAsking& operator=(const KeyAsking&) = delete;

   private:
    friend class SubSystemClass;
    bool was_;
  };

  bool OnGetManageWidget() const { return ManageWidget; }
  void OnSetManageWidget(bool value) { ManageWidget = value; }

  // Whether screens added and removed are registered with the widget manager.
  bool ManageWidget = true;

 private:
  // Whether a key asks for the screen, and the screen would open under the
  // screen with the keys, which stays.
  bool OpensUnderTheKeys(Primitives::KeyRoutingForm* form);
  inline static bool asking_ = false;
};

}  // namespace SubSystem
