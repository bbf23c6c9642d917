// NonMenuSystem::NonMenuSystem: the sub-system of every screen outside the
// menu tree. It opens its screens where they ask to stand, owns the help bar
// and the waiting circle, shows direct messages and confirmations on request,
// clears its screens on request, and hands the record, the blue (a new
// recording timer), INPUT, volume, mute and quick keys to the screens they
// open.
#pragma once

#include <cstdint>
#include <functional>

#include "NonMenuSystem/HelpBar.h"
#include "Structures/DuLinkList.h"
#include "NonMenuSystem/WaitingCircle.h"
#include "SubSystem/SubSystemClass.h"
#include "WidgetManager/Layers.h"
#include "vgstring.h"

namespace Core {
class KeyEvent;
}

namespace NonMenuSystem {

class NonMenuSystem : public SubSystem::SubSystemClass {
  VG_CLASS()

 public:
  explicit NonMenuSystem(XObject* link = nullptr) : SubSystem::SubSystemClass(link) {}

  // The layers of the widgets it clears, the messages' and the volume bar's
  // among them: the media and playback windows' survives a clear, and so
  // does the mute sign's.
  static constexpr int32_t ClearLayers = Layers::NonMenuClear;
  static constexpr int32_t ScreenWidth = 960;
  static constexpr int32_t ScreenHeight = 540;
  // The choices of "3D Auto Start".
  static constexpr int32_t kAutoStartOff = 0;
  static constexpr int32_t kAutoStart3D = 1;

  // Covers the screen and registers with the message agent.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  XObject* HandleEvent(Core::Event* event) override;
  // A clear closes its screens but those that outlive it (the media windows,
  // the mute sign).
  bool ClearCloses(const Primitives::KeyRoutingForm* form) const override;
  // The help bar's line, and a help line drawn inside a screen, go at once
  // when their screen loses the keys.
  void KeysMoved() override;
  // The help bar shows the line of the screen with the keys, a screen shows
  // the help line drawn inside it while the viewer answers it, and the
  // panels over another screen are solid.
  void KeysSettled() override;
  // Opens a screen of its own family: owned by this sub-system, initialised
  // with its opening record, placed, opened, and focused when it asks for it.
  // As it opens, a widget moves up or down as little as keeps its panel's
  // edges off the lines of the screens under it (ClearOfLines).
  // A screen that the set opens where a screen with the keys would hide it
  // waits for that screen to go (SubSystem::SubSystemClass::Waits).
  Primitives::KeyRoutingForm* ChangeState(SubSystem::State* state) override;
  void OpenNow(Primitives::KeyRoutingForm* form) override;
  // A widget stands where it asks to, or centred across at its height.
  VgRect WhereItWillStand(Primitives::KeyRoutingForm* form) override;

  // A request for a screen: class, opening record, and the screen to return
  // to. Returns what ChangeState returns.
  Primitives::KeyRoutingForm* OpenState(const VgClass* cls, XObject* param, const VgClass* back = nullptr,
                                        const VgClass* next = nullptr);
  // The help bar tells the keys of the screen that has them. A screen (the
  // menus for their pages) tells its line here: one icon and label per bit
  // of the mask (NonMenuSystemHelp bits), the labels joined by commas. The
  // bar shows a screen's line while that screen has the keys; it gives way
  // to the line of a screen that takes them over it, or goes when that
  // screen has none, and the line comes back with the keys. A screen's line
  // goes with the screen. A line told for no screen shows while no screen
  // that told one has the keys.
  void UpdateHelp(int32_t mask, VgString labels, Core::View* teller = nullptr);
  // Takes the screen's line away; with no screen, every line.
  void ClearHelpBar(Core::View* teller = nullptr);
  // Told of every line told (TOLD) and taken away (not TOLD; a null teller:
  // every line), by its teller, on the GUI thread: a test's runner keeps its
  // own account of the screens that told a line, whatever the bar makes of
  // them. None in the product.
  inline static void (*HelpLineWatcher)(Core::View* teller, bool told) = nullptr;
  // Closes every widget and menu through MSG_CLEAR_ALL to all receivers.
  void ClearAll();
  // A device went out and its screens (those OF_THE_DEVICE names) leave.
  // Whether the rest is cleared with them: not while the screen with the
  // keys, or the one under a passing notice with them, is none of the
  // device's and answers none of them (a timer being set over the device's
  // list, the quick menu): the viewer's work stays, and only the device's
  // screens close, with the pop-ups they asked for. Asked before they close.
  static bool ClearsWithADevice(const std::function<bool(Primitives::KeyRoutingForm*)>& ofTheDevice);
  Primitives::KeyRoutingForm* ShowMessage(int32_t type);
  // A confirmation of the type; one whose answer a screen hears (a deletion
  // over a list of recordings) names that screen as its asker, and closes
  // with it.
  Primitives::KeyRoutingForm* ShowConfirmDialog(int32_t type, int32_t origin,
                                                Primitives::KeyRoutingForm* asker = nullptr);
  // On a reported 3D mode: the 3D question, the start sequence or the
  // display-mode banner, by the input and the viewer's auto start.
  void Handle3DEvent();
  // Mode 1 shows the circle of the kind (1 is the only one), 2 hides it and
  // 0 removes it.
  void ShowWaitingCircle(int32_t mode, int32_t kind);

  HelpBar* OnGetHelpBar() const { return helpBar; }
  WaitingCircle* OnGetWaitingCircle() const { return waitingCircle; }

  VgPtr<HelpBar> helpBar;
  VgPtr<WaitingCircle> waitingCircle;
  // The lines told, oldest first.
  VgPtr<Structures::DuLinkList> helpLines;

 private:
  // The keys that open a screen of their own: record, blue, green, input,
  // volume, mute and quick. Null when the key is none of them.
  XObject* HandleOpeningKey(Core::KeyEvent* key);
  HelpLine* LineOf(Core::View* teller);
  // Shows the line of the screen that has the keys, or no bar; forgets the
  // lines of screens that left when asked to.
  void ShowHelpOfKeys(bool forget);
  void ClearOwnForms();
  void CloseMessages();
  void FocusMediaWindow();
  // The message that tells why standby was refused: a window records, or
  // one pauses live television; -1 when none does (any more).
  int32_t SleepRefusalMessage();
  void HandleRecordKey();
  void OpenManualTimer();
  void OpenSchedules();
  // The mute key: mutes and shows the mute sign, or brings the sound back
  // and takes the sign away.
  void ToggleMute();
};

}  // namespace NonMenuSystem
