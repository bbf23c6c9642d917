// The framed address screen of the settings menu: a DHCP check box, the five
// address buttons (IP address, subnet mask, default gateway, two DNS
// servers) and OK. An address button opens the four-octet editor; what the
// editor saves is checked by its field and written to the television model,
// which applies it to the interface at once, or refused with a pop-up.
#pragma once

#include <cstdint>

#include "Button/NumberSpinner.h"
#include "Network/Address.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/Button.h"
#include "SkinBin/CheckBoxWithCaption.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace Network {

// A button that shows a packed address as dotted text.
class IPAddressButton : public SkinBin::Button {
  VG_CLASS()

 public:
  explicit IPAddressButton(XObject* link = nullptr);

  uint32_t OnGetAddress() const { return Address; }
  void OnSetAddress(uint32_t value);

  uint32_t Address = 0xFFFFFFFF;
  // Which field of the setup dialog the button edits.
  AddressField Field = AddressField::Ip;
};

// An octet of the editor: digits only (no stepping keys), DOWN clears it,
// and leaving it blank asks for the stored octet back through OnValueBack.
class QORNumberSpinner : public ::Button::NumberSpinner {
  VG_CLASS()

 public:
  explicit QORNumberSpinner(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  void processDigit(int32_t digit) override;
  void Refresh(XObject* sender = nullptr) override;

  bool IsBlank() const;
  // Whether it shows a number typed over the stored octet: what the viewer
  // would lose with the editor.
  bool TypedOver(int32_t stored) const { return !IsBlank() && Current != stored; }
  // An octet is taken only when its editor saves the four: the editor
  // judges what is typed (TypedOver), not the octet's digit entry.
  bool TypedInto() const override { return false; }
  void OnSetOnValueBack(VgSlot slot) { OnValueBack = slot; }

  VgSlot OnValueBack;
  OctetEntry entry;
  int32_t Index = 0;
};

// The four-octet editor opened over the setup dialog; it never writes
// anything itself: OK hands the value to OnValueSaved, BACK and the time-out
// drop it.
class IPConfigDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit IPConfigDialog(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  // While an octet shows a number typed over the stored one.
  bool TypedInto() const override;
  // The editor keeps its own short time-out, however the setup dialog under
  // it was opened.
  void OnSetMenuTriggered(bool value) override { MenuTriggered = value; }

  uint32_t OnGetAddress() const { return Pack(octets); }
  void OnSetAddress(uint32_t value);
  void DoActivate(XObject* sender = nullptr);
  void DoBack(XObject* sender = nullptr);

  Octets octets{255, 255, 255, 255};
  AddressField FieldIndex = AddressField::Ip;
  VgSlot OnValueSaved;
  VgPtrArray<QORNumberSpinner, 4> spinners;
  VgPtrArray<Views::Text, 3> dots;
};

class NetworkSetupDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit NetworkSetupDialog(XObject* link = nullptr);

  static constexpr VgPoint ErrorAt{115, 61};

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  // OK: the way back.
  void DoOk(XObject* = nullptr) { EnterPrevState(); }
  void SetDHCP(XObject* sender = nullptr);
  void RefreshGrayout();
  void DoActivate(XObject* sender = nullptr);
  void SaveAddress(XObject* sender = nullptr);
  void DoCloseErrorInfo(XObject* sender = nullptr);

  SkinBin::CheckBoxWithCaption dhcp{this};
  VgPtrArray<IPAddressButton, 5> buttons;
  VgPtrArray<Views::Text, 4> labels;
  SkinBin::Button ok{this};
  VgPtr<AddressErrorInfo> errorInfo;
  // The field whose refused value the pop-up reports; it has the focus back.
  int32_t refusedField = 0;

 private:
  // Shows the model's value of each field from first to last.
  void LoadButtons(int32_t last);
};

}  // namespace Network
