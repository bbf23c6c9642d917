// The advanced network setup pages of the older menu family: the advanced
// page leads to the IP address page, the DNS page and the MAC address page.
// An address row holds four octet spinners that LEFT or RIGHT start editing;
// OK saves the four octets, which the page checks by the row's field and
// writes to the television model (applied to the interface at once) or
// refuses with the address pop-up. The rows are greyed while the address
// comes automatically.
#pragma once

#include <cstdint>

#include "MenuSystem/MenuItems.h"
#include "MenuSystem/ThirdMenu.h"
#include "Network/Address.h"
#include "Network/NetworkSetupDialog.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace Network {

// An octet of an address row: the setup dialog's octet, with OK saving the
// row (a blank octet first takes back its saved value) and Return undoing.
class NumberSpinner : public QORNumberSpinner {
  VG_CLASS()

 public:
  explicit NumberSpinner(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;

  VgSlot OnValueSaved;
};

class SubMenuItemNetworkAddress : public MenuSystem::SubMenuItem {
  VG_CLASS()

 public:
  explicit SubMenuItemNetworkAddress(XObject* link = nullptr);

  static constexpr int32_t NotEditing = -1;

  XObject* HandleEvent(Core::Event* event) override;
  // Editing ends when the row loses the focus: to another row of the page,
  // or to a screen over the page (the volume bar).
  void HandleFocus(bool focused) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetIsDisabled(bool value) override;
  // While it edits and an octet shows a number typed over the saved one.
  bool TypedInto() const override;

  void OnSetAddress(uint32_t value);
  // The saved octets, not what the spinners show while editing.
  uint32_t OnGetAddress() const { return Pack(octets); }
  // 0-3 edits that octet; anything else ends editing. A disabled row
  // does not start.
  void OnSetAddrIndex(int32_t index);
  int32_t OnGetAddrIndex() const { return AddrIndex; }

  void DoValueChanged(XObject* sender = nullptr);
  void DoValueSaved(XObject* sender = nullptr);
  void DoBack(XObject* sender = nullptr);

  Octets octets{255, 255, 255, 255};
  int32_t AddrIndex = NotEditing;
  VgSlot OnResetTimeout;
  VgSlot OnValueSaved;
  VgPtrArray<NumberSpinner, 4> spinners;
  Views::Rectangle editFrame{this};
  VgPtrArray<Views::Text, 3> dots;
};

// A value row that only shows its value.
class SubMenuItemValue : public MenuSystem::SubMenuItemValue {
  VG_CLASS()

 public:
  explicit SubMenuItemValue(XObject* link = nullptr);

  void Refresh(XObject* sender = nullptr) override;
};

class AdvancedNetworkSetupMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  AdvancedNetworkSetupMenu();
};

// The pages whose rows edit addresses; each row's saved value goes through
// SaveAddress.
class AddressSetupMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  explicit AddressSetupMenu(const MenuSystem::PageTable& table);
  AddressSetupMenu();

  static constexpr VgPoint ErrorAt{115, 61};

  // Reads the interface in use into the model, then the rows.
  void LoadSettings() override;
  void SaveAddress(XObject* sender = nullptr);
  void DoCloseErrorInfo(XObject* sender = nullptr);

  // The row of each field, null where the page has none.
  SubMenuItemNetworkAddress* RowOf(AddressField field) const;

  VgPtr<AddressErrorInfo> errorInfo;
  VgPtr<SubMenuItemNetworkAddress> refusedRow;

 private:
  void LoadRows();
};

class IPAddressSetupMenu : public AddressSetupMenu {
  VG_CLASS()

 public:
  IPAddressSetupMenu();
};

class DNSSetupMenu : public AddressSetupMenu {
  VG_CLASS()

 public:
  DNSSetupMenu();
};

class MACAddressMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  MACAddressMenu();

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace Network
