// Assisted and manual wireless setup.
//
// Assisted: Network::AssistedSetup_ApList scans; OK on a network opens
// Network::AssistedSetup_ApInfo with it, where the viewer types the key (the
// keyboard's text is checked by the form's rules) and presses Done. An open
// network is asked about first (Network::CheckNoEncryption). The join then
// runs for up to 36 s: joined opens the connected page, anything else one of
// the error pages, whose OK returns to the dialog they came from. Return on
// the dialog goes back to the list, which shows the kept scan.
//
// Manual: Network::ManualSetup_ApInfo starts from an empty WPA2-PSK/AES
// network whose name, authentication, encryption and key the viewer sets;
// Done takes the same road, with its errors returning to the manual dialog.
//
// The error pages are one class each, differing by their text; an error page
// opened from the manual dialog (its caption "Manual Setup" travels with the
// opening record) goes back there.
#pragma once

#include <cstdint>

#include "Network/EasySetup.h"
#include "SkinBin/Button.h"

namespace Structures {
class Message;
}

namespace Network {

class AssistedSetup_ApList : public ApListDialog {
  VG_CLASS()

 public:
  explicit AssistedSetup_ApList(XObject* link = nullptr);

 protected:
  AssistedSetup_ApList(const DialogDef& def, XObject* link);
};

class AssistedSetup_ApInfo : public NetworkWidgetClass {
  VG_CLASS()

 public:
  explicit AssistedSetup_ApInfo(XObject* link = nullptr);

  static constexpr int32_t JoinTimeout = 36000;
  static constexpr int32_t IdleTimeout = 60000;

  // Overridden slots.
  // The join's result opens the page that tells it.
  XObject* HandleEvent(Core::Event* event) override;
  // Listens for the keyboard and shows the chosen access point.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // The text typed on the keyboard.
  void HandleMessage(Structures::Message* message) override;
  // Cleans up (the list shows the kept scan), then back.
  void EnterPrevState() override;

  // What going back leaves behind.
  virtual void DoCleanup();

  // Done: joins (asking first about a network without encryption).
  void ConnectAp(XObject* sender = nullptr);
  // Busy: the join runs, for 36 s at most; idle: a minute without a key
  // closes everything.
  void ConfigScan(bool busy);
  // No answer to the join: the "No APs found" page.
  void ScanTimeout(XObject* sender = nullptr);
  void CheckNoEncryption();
  // Hides the dialog under the on-screen keyboard, which starts from text.
  void ShowKeyboard(int32_t maxLength, VgString text);
  // The help of the focused button or row.
  void UpdateHelp(XObject* sender = nullptr);

  ApInfo form{this};
  SkinBin::Button done{this};

 protected:
  AssistedSetup_ApInfo(const DialogDef& def, XObject* link);

 private:
  void OpenError(const VgClass* page);
};

class ManualSetup_ApInfo : public AssistedSetup_ApInfo {
  VG_CLASS()

 public:
  explicit ManualSetup_ApInfo(XObject* link = nullptr);

  // An empty WPA2-PSK/AES network, which becomes the one being set up.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void DoCleanup() override;
};

class AssistedSetupSecureError : public NetworkWidgetClass {
  VG_CLASS()

 public:
  explicit AssistedSetupSecureError(XObject* link = nullptr);

  // The caption of the dialog the error came from, and the way back there.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

 protected:
  AssistedSetupSecureError(const DialogDef& def, XObject* link);
};

class AssistedSetupInvalidName : public AssistedSetupSecureError {
  VG_CLASS()

 public:
  explicit AssistedSetupInvalidName(XObject* link = nullptr);
};

class AssistedSetupInvalidWEPKey : public AssistedSetupSecureError {
  VG_CLASS()

 public:
  explicit AssistedSetupInvalidWEPKey(XObject* link = nullptr);
};

class AssistedSetupInvalidWPAKey : public AssistedSetupSecureError {
  VG_CLASS()

 public:
  explicit AssistedSetupInvalidWPAKey(XObject* link = nullptr);
};

class AssistedSetupNoApFound : public AssistedSetupSecureError {
  VG_CLASS()

 public:
  explicit AssistedSetupNoApFound(XObject* link = nullptr);
};

class AssistedSetup_ApConnected : public EasySetup_ApInfo {
  VG_CLASS()

 public:
  explicit AssistedSetup_ApConnected(XObject* link = nullptr);
};

class ManualSetup_ApConnected : public EasySetup_ApInfo {
  VG_CLASS()

 public:
  explicit ManualSetup_ApConnected(XObject* link = nullptr);
};

}  // namespace Network
