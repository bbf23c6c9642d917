// The framed wireless dialogs of the networking menu.
//
// Network::NetworkConfirmDialog is their OK/Cancel base: OK starts what the
// dialog is for (ConnectAp) and goes on to the status dialog with the
// network's name, unless ConnectAp showed a screen of its own (an error
// page, a question); Cancel goes back.
// LEFT and RIGHT move between OK and Cancel, UP and DOWN through the
// controls.
//
// Network::WirelessScanDialog lists the access points of a scan (the red
// key scans again, not while scanning); OK on a secured network asks for
// its key, on an open one (which the list joins at once) shows the status
// dialog. In WPS-PIN mode OK leads to the PIN dialog the model's PIN mode
// names. Leaving it or a standby while it scans stops the scan.
//
// Network::WirelessAdvancedDialog enters a network by hand: connecting
// mode, authentication and encryption from their options, name and
// password typed on the keyboard and checked by the security rules, then
// the join (an open network asked about first).
#pragma once

#include <cstdint>

#include "ListForm/AccessPointList.h"
#include "Network/OptionButton.h"
#include "Network/QORNetworkWidgetClass.h"
#include "Network/SecurityRules.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/Button.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace Structures {
class Message;
class WLAN_Connection;
}  // namespace Structures

namespace Network {

class NoApFound;

class NetworkConfirmDialog : public NonMenuSystem::ConfirmOptionDialog {
  VG_CLASS()

 public:
  explicit NetworkConfirmDialog(XObject* link = nullptr);

  static constexpr int32_t ConfirmButtonWidth = 110;
  static constexpr int32_t ConfirmButtonHeight = 27;

  // Overridden slots.
  // The arrows, each restarting the time-out.
  XObject* HandleEvent(Core::Event* event) override;
  void Refresh(XObject* sender = nullptr) override;
  // Opens NextState with the network's name, back to this dialog's class.
  void EnterNextState() override;

  // OK and Cancel; other senders do nothing.
  virtual void DoActivate(XObject* sender);
  // What OK starts: false when it showed a screen of its own instead of a
  // join for the status dialog to follow.
  virtual bool ConnectAp(XObject* sender);
  // OK: the request, then the next screen unless the request showed one.
  void DoYesMethod();

  SkinBin::Button yesButton{this};
  SkinBin::Button noButton{this};
  VgStr SSID;

 protected:
  // Lays the controls between the caption and the buttons: from top, the
  // height they need.
  int32_t ButtonTop() const;
};

class WirelessScanDialog : public QORNetworkWidgetClass {
  VG_CLASS()

 public:
  explicit WirelessScanDialog(XObject* link = nullptr);

  static constexpr int32_t IdleTimeout = 60000;
  static constexpr VgPoint NoApFoundAt{283, 145};
  // The list's mode of a WPS join by PIN.
  static constexpr int32_t ModeWpsPin = 1;

  // Overridden slots.
  // The red key scans again (not while scanning), OK belongs to the list; the
  // scan's end loads its result.
  XObject* HandleEvent(Core::Event* event) override;
  // Scans, or shows the scan kept from before.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Opens NextState with the mode and the chosen network's name.
  void EnterNextState() override;
  // Stops the scan, then closes.
  void DoCancel() override;

  void ConfigScan(bool scanning);
  void ScanTimeout(XObject* sender = nullptr);
  void ShowNoApFound(bool show);
  // The list's OnConnectAP.
  void DoSelectAP(XObject* sender = nullptr);
  bool IsScanning() const { return IsBusy(); }

  ListForm::QORAccessPointList list{this};
  VgPtr<NoApFound> NoApFoundPanel;
  int32_t Mode = 0;
};

class WirelessAdvancedDialog : public NetworkConfirmDialog {
  VG_CLASS()

 public:
  explicit WirelessAdvancedDialog(XObject* link = nullptr);

  static constexpr int32_t JoinTimeout = 36000;
  static constexpr int32_t IdleTimeout = 60000;
  // The connecting modes: a network found by its name only, or set up with
  // its authentication and encryption.
  static constexpr int32_t ModeByName = 1;
  static constexpr int32_t ModeSecured = 2;

  enum Control : int32_t { ControlMode = 0, ControlAuthentication, ControlEncryption, ControlName, ControlPassword, ControlCount };

  // Overridden slots.
  // Listens for the keyboard; a network to edit when the model has none.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // The keyboard's text, checked by the focused control's rule.
  void HandleMessage(Structures::Message* message) override;
  // Keeps the scan for the list shown next.
  void EnterPrevState() override;
  // An option button opens its pop-up, a text button the keyboard.
  void DoActivate(XObject* sender) override;
  bool ConnectAp(XObject* sender) override;
  Forms::Ctrl* SelectUpper() override;

  // The option pop-up's change.
  void DoValueChange(XObject* sender = nullptr);
  void LoadOptionItem(OptionButton* button);
  void RefreshGrayout();
  // 1 taken, 2 a name too long, 3 a key that does not fit (nothing stored).
  int32_t UpdateLabel(VgString text);
  // -1 for a network found by name, 6 for a pair of no method.
  int32_t GetSecurityMethod() const;
  ::Structures::WLAN_Connection* GetConnection() const;
  bool CheckKey(VgString key) const;
  void CheckNoEncryption();
  // The question answered Yes: shown again, the join without encryption.
  void JoinWithoutEncryption(XObject* sender);
  // Shown again as it was, after a pop-up that hid it.
  void Reveal();
  void ConfigScan(bool waiting);
  void ScanTimeout(XObject* sender = nullptr);

  OptionButton controls[ControlCount] = {OptionButton{this}, OptionButton{this}, OptionButton{this},
                                         OptionButton{this}, OptionButton{this}};
  Views::Text labels[ControlCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this}, Views::Text{this},
                                      Views::Text{this}};
  VgStr Password;

 private:
  void OpenError(const VgClass* page);
};

}  // namespace Network
