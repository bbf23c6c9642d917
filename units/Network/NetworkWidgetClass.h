// Network::NetworkWidgetClass: the base of every step of the wireless setup
// wizards (easy, assisted and manual setup here; the address and wireless
// information pages build on it too). A step is a non-menu widget with a
// caption, a body text, a help bar of its own and a waiting state, which it
// announces to the non-menu sub-system (1 the waiting circle turns, 2 it is
// hidden, 0 it is gone).
//
// A step is described by one DialogDef record (caption, body, help, waiting
// state, modality, the steps after and before it, time-out and what the
// time-out does); a subclass passes its record to the constructor and adds
// code only for what it does on top:
//
//   constexpr DialogDef kPbc{.caption = &Strings::SID_EASY_SETUP_PBC, .body = &Strings::SID_PBC_SEARCHING,
//                             .bodyAlignV = Views::Text::AlignMiddle, .waiting = kBusy, .promptCancel = true,
//                             .next = &EasySetupMenu::Class, .back = &EasySetupMenu::Class, .timeout = 120000,
//                             .onTimeout = DialogSlot<&EasySetupPBC::DoTimeout>};
//   EasySetupPBC::EasySetupPBC(XObject* link) : NetworkWidgetClass(kPbc, link) {}
//
// Keys (key-down; busy means ShowWaiting is 1):
//   OK          goes on (EnterNextState); busy: nothing
//   EXIT, 2     closes everything; busy: asks first (PromptCancel) through
//               Network::CancelDialog, or cancels the work, then closes
//   Return      goes back (EnterPrevState); busy: asks first, or cancels
//   UP, DOWN    focus the previous or next control
// Every key-down is taken and restarts the time-out. A standby request
// while the step is modal cancels its work and is handed on to the standby
// machine.
//
// The cancel protocol: CheckCancel hides the step and opens the question
// over it; Yes cancels the step's work (DoCancel) and opens the step's way
// back, No gives the step back as it was (UndoCancel), with any scan or join
// result that arrived meanwhile replayed to it.
#pragma once

#include <array>
#include <cstdint>

#include "NonMenuSystem/WidgetClass.h"
#include "Views/Border.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"
#include "vgrect.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Events {
class XPM_EVENT_STANDBY;
}  // namespace Events

namespace Network {

// The waiting states a step announces.
inline constexpr int32_t kNeverAnnounced = -1;
inline constexpr int32_t kIdle = 0;
inline constexpr int32_t kBusy = 1;
inline constexpr int32_t kHidden = 2;

// Whether the event is the middleware's answer to the network's work: a
// wireless scan or join ended, a connection test's results.
bool IsNetworkResult(Core::Event* event);

// How long a scan for access points may take.
inline constexpr int32_t kScanTimeout = 120000;
// The status of a join's end (Events::WlanConnectCompleteEvent): joined, and
// no such network; any other status is a refused key or PIN.
inline constexpr int32_t kJoinedStatus = 2;
inline constexpr int32_t kNotFoundStatus = 0;

// A step's help bar: the keys (NonMenuSystem::Help* bits) and one label per
// key, in ascending bit order; unused labels are null.
struct HelpDef {
  int32_t mask = 0;
  std::array<const VgConstant*, 3> labels{};
};

// The help bars of the wizards ("Enter"; "Enter", "Back"; ...).
extern const HelpDef kHelpBack;
extern const HelpDef kHelpEnter;
extern const HelpDef kHelpEnterBack;
extern const HelpDef kHelpScan;
extern const HelpDef kHelpSelect;
extern const HelpDef kHelpEdit;

// A method of a step as the record's time-out target: DialogSlot<&EasySetupPBC::DoTimeout>.
template <auto Method>
inline constexpr VgMethod DialogSlot = &vg_detail::SlotTrampoline<Method>;

struct DialogDef {
  // Null: "Network Setup".
  const VgConstant* caption = nullptr;
  const VgConstant* body = nullptr;
  uint16_t bodyAlignV = 0;  // Views::Text::AlignTop
  const HelpDef* help = &kHelpBack;
  // Announced when the step is made; kNeverAnnounced announces nothing.
  int32_t waiting = kNeverAnnounced;
  bool modal = true;
  // Leaving while busy asks first.
  bool promptCancel = false;
  const VgClass* next = nullptr;
  const VgClass* back = nullptr;
  // Milliseconds; 0 never times out.
  int32_t timeout = 0;
  // The step's own time-out target; null keeps ClearAll.
  VgMethod onTimeout = nullptr;
  // 0 keeps the widgets' layer.
  int32_t layer = 0;
  // Where the step stands (the sub-system centres it across the screen).
  VgRect bounds{0, 150, 560, 340};
  // The body's height below the caption; 0 reaches down to the bottom.
  int32_t bodyHeight = 0;
};

class NetworkWidgetClass : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit NetworkWidgetClass(XObject* link = nullptr);

  static constexpr int32_t CaptionHeight = 40;
  static constexpr int32_t TextInset = 20;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // A step that waits for the middleware hears its result under any screen
  // that has the keys.
  bool FollowsTheWorld(Core::Event* event) const override { return IsNetworkResult(event); }
  // The base's reading of the opening record, then the help bar.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  // A step hidden under a pop-up that left without a word (the keyboard
  // closed by Return) shows itself again when the focus comes back.
  void HandleFocus(bool focused) override;
  // A step that closes while the circle turns for it takes the circle along.
  void Close(XObject* sender = nullptr) override;
  // Closes and opens NextState with the origin and this step's caption (the
  // error pages read it); the step opened keeps its own way back.
  void EnterNextState() override;
  // Only remembers the origin: a step opened from a menu keeps its time-out.
  void OnSetMenuTriggered(bool value) override;
  void OnSetBounds(VgRect rect) override;

  // Stops what the step started: the base only drops the waiting state and
  // closes; subclasses stop their scan or join first.
  virtual void DoCancel();

  // EnterPrevState as a slot, for time-outs.
  void GoBack(XObject* sender = nullptr);
  // Hides the step and asks whether to cancel it.
  void CheckCancel();
  // Shows the step again as it was: waiting state and help bar (the keys
  // come back to it as the question, which it asked for, leaves).
  void UndoCancel();
  // Shows the help bar of HelpMask and HelpString.
  void ShowHelp();
  bool IsBusy() const { return ShowWaiting == kBusy; }
  // Opened and not closed since (hidden or not).
  bool IsOpen() const { return Parent && owner.get() == Parent.get(); }

  void OnSetShowWaiting(int32_t value);
  int32_t OnGetShowWaiting() const { return ShowWaiting; }
  void OnSetCaption(VgString value);
  VgString OnGetCaption() const { return Caption; }
  void OnSetInfo(VgString value);
  VgString OnGetInfo() const { return Info; }
  void OnSetHelp(const HelpDef& help);
  bool OnGetPromptCancel() const { return PromptCancel; }
  void OnSetPromptCancel(bool value) { PromptCancel = value; }

  bool PromptCancel = false;
  VgStr Caption;
  // The labels of HelpMask's keys, joined by ",".
  VgStr HelpString;
  int32_t HelpMask = 0;
  VgStr Info;
  int32_t ShowWaiting = kNeverAnnounced;
  Views::Border border{this};
  Views::Text captionText{this};
  Views::MultilineText bodyText{this};

 protected:
  NetworkWidgetClass(const DialogDef& def, XObject* link);

  int32_t BodyHeight = 0;

 private:
  void Apply(const DialogDef& def);
  void RunKey(uint16_t code);
};

// Hands a standby request that a dialog took on to the standby machine.
void PassStandbyOn(Events::XPM_EVENT_STANDBY* standby);
// The labels of a help bar joined by ",".
VgString HelpLabels(const HelpDef& help);
// The text of a string constant in the language of the moment; null for null.
VgString StringOf(const VgConstant* constant);

}  // namespace Network
