// The 3D start sequence: the chain of screens between the wish to watch 3D
// and the picture in 3D (format check, viewing information, continual-use
// question, 3D PIN, format choice, start warning, display-mode banner).
// ThreeD::Start3DWizard is the invisible step opened after each screen of the
// chain: it looks at where it came from and at the set's 3D state, and opens
// the next screen. Which screen that is, and what happens on the way, is the
// one function NextStep of the facts; the wizard gathers them and carries the
// step out. ThreeD::StartMessage is the start warning and ThreeD::DisplayMode
// the banner showing the resulting display mode.
#pragma once

#include <cstdint>

#include "NonMenuSystem/WidgetClass.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"

namespace ThreeD {

// The screens of the chain, as the wizard sees where it came from and what
// it opens.
enum class Screen : uint8_t {
  None,
  ModeFlag,      // the 3D-detected chooser (ThreeD::SelectMode_Flag)
  ModeButton,    // the 3D / 2D-to-3D chooser (ThreeD::SelectMode_Button)
  MessageBar,    // NonMenuSystem::DirectMessageBar
  Information,   // ThreeD::ImportantInfoDialog
  Confirmation,  // NonMenuSystem::ConfirmMultiOptionDialog
  Pin,           // NonMenuSystem::EnterPinDialog
  Format,        // ThreeD::SelectFormat
  Warning,       // ThreeD::StartMessage
  Banner,        // ThreeD::DisplayMode
};

// What the set's 3D state says when the wizard looks.
struct SequenceFacts {
  Screen from = Screen::None;
  bool formatSupported = true;
  bool formatSelected = false;
  // The keeper shows 3D (the input's 3D, or 2D made into 3D).
  bool display3D = false;
  int32_t remain3DTime = 0;
  int32_t remainContinualTime = 0;
  bool displayInfo = false;   // ThreeD_DisplayInfo is 1
  bool firstViewing = false;  // "ThreeD_First" holds a text
  bool enableTimer = false;   // ThreeD_EnableTimer is set
  bool locked = false;        // ThreeDLock is 1
  bool startMessage = false;  // ThreeDStartMessage is 1
};

// The step the wizard takes: what it does, in this order, and what it opens.
struct SequenceStep {
  bool unsupported = false;     // the keeper's state becomes 5
  bool forgetFirst = false;     // "ThreeD_First" is removed
  bool askedContinual = false;  // Remain3DContinualTime becomes -1: asked once
  bool startLockTimer = false;  // the 3D lock period starts
  bool applyLater = false;      // the keeper applies its state on the idle pass
  bool announce = false;        // MSG_3D_STARTED 1 to all
  bool clearAll = false;        // every widget closes
  // The format is chosen already: the state is applied on the idle pass and
  // the wizard looks again as after the format chooser; nothing opens now.
  bool formatTaken = false;
  Screen next = Screen::None;
  // Handed to the next screen: a message, confirmation or PIN type.
  int32_t parameter = 0;

  bool operator==(const SequenceStep&) const = default;
};

// The message, confirmation and PIN types the sequence opens.
inline constexpr int32_t kUnsupportedMessage = 9;
inline constexpr int32_t kContinualConfirmation = 4;
inline constexpr int32_t kSequencePin = 11;

SequenceStep NextStep(const SequenceFacts& facts);

// The settings key present until the viewing information was shown once.
inline constexpr char16_t kFirstViewingKey[] = u"ThreeD_First";

class Start3DWizard : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit Start3DWizard(XObject* link = nullptr);

  // Looks at once.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Closes, and opens the next screen with no way back, so that it knows
  // the sequence opened it.
  void EnterNextState() override;

  // Gathers the facts and carries out NextStep.
  void CheckNextState();
  // The idle pass after a format already chosen: applies it, looks again.
  void PostCheckState(XObject* sender = nullptr);
  void EnterNextStateSlot(XObject* sender = nullptr);

  SequenceFacts Facts() const;

  int32_t Parameter = 0;
};

class StartMessage : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit StartMessage(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 20000;

  // OK and the exit keys go on with the sequence; other keys only restart
  // the time-out.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void TimeOutNext(XObject* sender = nullptr);

  Views::Image image{this};
  Views::MultilineText warning{this};
};

class DisplayMode : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit DisplayMode(XObject* link = nullptr);

  // OK closes every widget; EXIT is swallowed.
  XObject* HandleEvent(Core::Event* event) override;
  // The banner only tells what the picture became, often while the viewer
  // is busy with another screen (the 3D signal ends under a timer being
  // set): the keys it has no use for go to the screen under it, and OK and
  // EXIT are its own only while no screen that takes keys is under it.
  // Opened over such a screen, it takes no keys at all and stands as a
  // display over it for its time, rather than leave at once as a notice
  // over the screen with the keys.
  bool GivesWay() const override { return FocusOnOpen; }
  bool UsesKey(uint16_t code) const override;
  // Opened over a screen that takes keys, the banner leaves them there.
  void Open(XObject* sender = nullptr) override;
  // The banner stands in the bottom left corner over whatever screen is on
  // view, where the viewer looks for it: a small picture and no panel, it
  // hides a corner of what lies under it for a few seconds only.
  bool StandsClearOfLines() const override { return false; }
  void TimeOut(XObject* sender = nullptr);
  // The picture of the keeper's state.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  Views::Image image{this};
};

}  // namespace ThreeD
