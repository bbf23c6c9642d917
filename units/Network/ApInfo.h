// The access-point form of the wireless setup dialogs and pages, its rows and
// the "No APs found." panel of the access-point lists.
//
// Network::ApInfo shows one wireless network: name, authentication,
// encryption and security key (a fifth row, the WEP key index, is never
// shown). The authentication and encryption rows step through their
// options' choices with LEFT and RIGHT; the pair names the security method
// (SecurityRules.h), and a pair of no method is the unsupported method 6.
// Choosing an authentication picks the encryption that goes with it; no
// encryption greys the key row. Inside an access-point dialog
// (Network::AssistedSetup_ApInfo) OK on the name or key row opens the
// on-screen keyboard, and the text typed comes back through UpdateLabel,
// which checks it against the rules. A disabled form is a read-only result
// page: the key row reads "******".
//
// The wireless information pages show the current link in a disabled form;
// the quick wireless setup dialogs use the rules directly.
#pragma once

#include <cstdint>

#include "MenuSystem/MenuItems.h"
#include "Network/SecurityRules.h"
#include "Primitives/KeyRoutingCtrl.h"
#include "Primitives/KeyRoutingForm.h"
#include "Views/Border.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "vgref.h"
#include "vgslot.h"
#include "vgstring.h"

namespace OptionDatabase {
class OptionBinding;
}

namespace Structures {
class WLAN_Info;
class WLAN_Connection;
}  // namespace Structures

namespace Network {

class ApInfoItem : public MenuSystem::SubMenuItemValue {
  VG_CLASS()

 public:
  explicit ApInfoItem(XObject* link = nullptr);

  // Overridden slots.
  // OK activates an enabled row (a disabled one swallows it); the toggle
  // keys step the choice of an option row.
  XObject* HandleEvent(Core::Event* event) override;
  // The arrows show only on an enabled option row with the focus.
  void Refresh(XObject* sender = nullptr) override;
  void HandleFocus(bool focused) override;
  void OnSetValueString(VgString value) override;
  void OnSetIsDisabled(bool value) override;

  // Steps to the next (or previous) choice, wrapping at the ends, writes its
  // value through RefValue and reports it through OnValueChanged.
  void ToggleOption(bool up);
  // Reads RefValue and shows its choice; the option's choices that the
  // value lies beyond read "Unsupported".
  void LoadOption();

  uint16_t ToggleIncreaseKey = Key::Right;
  uint16_t ToggleDecreaseKey = Key::Left;
  VgSlot OnValueChanged;
  // The int32 property the row edits.
  VgRef<int32_t> RefValue;

 private:
  void UpdateArrows();
  void ShowChoice(OptionDatabase::OptionBinding& option);
};

class ApInfo : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit ApInfo(XObject* link = nullptr);

  // The rows, numbered as the form lays them out.
  enum RowNumber : int32_t { RowName = 0, RowAuthentication, RowEncryption, RowKey, RowKeyId, RowCount };
  static constexpr int32_t RowWidth = 320;
  static constexpr int32_t RowPitch = 26;

  // Overridden slots.
  // UP and DOWN move between the rows; at the first or last row they are
  // left to the dialog, which moves between the form and its buttons.
  XObject* HandleEvent(Core::Event* event) override;
  // The parameter's value is the record to show (a Structures::WLAN_Info);
  // without one the form starts an empty WPA2-PSK/AES network.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // Initializes the form inside its dialog with a record (null: none).
  void Setup(Core::Group* parent, ::Structures::WLAN_Info* record);
  void LoadWlanInfo(::Structures::WLAN_Info* record);
  // The join request of what the form shows.
  ::Structures::WLAN_Connection* GetConnection();
  // The text the keyboard returns for the focused row: 1 taken, 2 a name
  // too long, 3 a key that does not fit the method (nothing changes).
  int32_t UpdateLabel(VgString text);
  bool CheckKey(VgString text);
  static bool IsKeyHex(VgString text);

  Security::Method OnGetSecurityMethod();
  void OnSetSecurityMethod(uint8_t method);
  int32_t OnGetAuthentication() const { return Authentication; }
  void OnSetAuthentication(int32_t value);
  int32_t OnGetEncryption() const { return Encryption; }
  void OnSetEncryption(int32_t value);
  int32_t OnGetKeyID() const { return KeyID; }
  void OnSetKeyID(int32_t value) { KeyID = value; }
  VgString OnGetSecurityKey() const { return SecurityKey; }
  ApInfoItem* Row(int32_t number) { return &rows[number]; }
  ApInfoItem* FocusedRow() const;

  // Row slots.
  void DoActivate(XObject* sender);
  void DoFocus(XObject* sender);
  void ResetTimeoutSlot(XObject* sender = nullptr);

  uint8_t SecurityMethod = Security::kDefaultMethod;
  ApInfoItem rows[RowCount] = {ApInfoItem{this}, ApInfoItem{this}, ApInfoItem{this}, ApInfoItem{this},
                               ApInfoItem{this}};
  // Raised whenever the viewer moves or changes something in the form.
  VgSlot OnResetTimeout;
  // Raised when a row gets the focus.
  VgSlot OnFocus;
  VgPtr<::Structures::WLAN_Info> Record;
  // Whether Record was given (an access point or a link) or made up.
  bool HasRecord = false;
  // The key as typed; the row shows asterisks.
  VgStr SecurityKey;
  int32_t Authentication = Security::AuthWpa2Psk;
  int32_t Encryption = Security::EncAes;
  int32_t KeyID = 0;

 private:
  void LayOut();
};

// The panel over an access-point list when a scan found nothing.
class NoApFound : public Primitives::KeyRoutingCtrl {
  VG_CLASS()

 public:
  explicit NoApFound(XObject* link = nullptr);

  static constexpr int32_t Width = 184;
  static constexpr int32_t Height = 40;

  void OnSetBounds(VgRect rect) override;

  Views::Rectangle background{this};
  Views::Border border{this};
  Views::Text text{this};
};

}  // namespace Network
