#include "Network/Address.h"

#include <cstdio>

#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "SkinBin/Wrapper.h"
#include "NonMenuSystem/Look.h"
#include "Strings.h"
#include "Views/Align.h"

VG_DEFINE_CLASS(Network, AddressErrorInfo, Primitives::KeyRoutingForm)

namespace Network {

VgString DottedText(uint32_t address) {
  const Octets o = Split(address);
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", o[0], o[1], o[2], o[3]);
  return VgNewStringAnsi(text);
}

const VgConstant* AddressFault(AddressField field, uint32_t value) {
  switch (field) {
    case AddressField::Ip:
    case AddressField::Gateway:
      return value == 0 ? &Strings::SID_INVALID_ADDRESS_MSG : nullptr;
    case AddressField::Mask:
      return IsContiguousMask(value) ? nullptr : &Strings::SID_INVALID_SUBNET_MASK;
    case AddressField::Dns1:
    case AddressField::Dns2:
      return nullptr;
  }
  return nullptr;
}

uint32_t ModelValue(SkinBin::Wrapper* model, AddressField field) {
  switch (field) {
    case AddressField::Ip:
      return model->OnGetIPAddress();
    case AddressField::Mask:
      return model->OnGetSubnetMask();
    case AddressField::Gateway:
      return model->OnGetDefaultGateway();
    case AddressField::Dns1:
      return model->OnGetDNS1();
    case AddressField::Dns2:
      return model->OnGetDNS2();
  }
  return 0;
}

void WriteModel(SkinBin::Wrapper* model, AddressField field, uint32_t value) {
  switch (field) {
    case AddressField::Ip:
      return model->OnSetIPAddress(value);
    case AddressField::Mask:
      return model->OnSetSubnetMask(value);
    case AddressField::Gateway:
      return model->OnSetDefaultGateway(value);
    case AddressField::Dns1:
      return model->OnSetDNS1(value);
    case AddressField::Dns2:
      return model->OnSetDNS2(value);
  }
}
AddressErrorInfo::AddressErrorInfo(XObject* link) : Primitives::KeyRoutingForm(link) {
  const VgRect inside{0, 0, Width, Height};
  background.OnSetColor({6, 12, 22, 255});
  background.OnSetBounds(inside);
  border.OnSetColor(NonMenuSystem::Look::BorderLine);
  border.OnSetBounds(inside);
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(NonMenuSystem::Look::Text);
  text.OnSetAlignH(Views::Text::AlignCentre);
  text.OnSetAlignV(Views::Text::AlignMiddle);
  text.OnSetBounds(inside);
  Add(&background, 0);
  Add(&border, 0);
  Add(&text, 0);
  OnSetBounds(inside);
  OnSetTimeOutValue(Timeout);
  OnSetOnTimeOut(VgSlotOf<&AddressErrorInfo::DoTimeout>(this));
  OnSetCaption(VgGetVariantOfString(&Strings::SID_INVALID_ADDRESS_MSG));
}

void AddressErrorInfo::OnSetCaption(VgString value) {
  Caption = value;
  text.OnSetString(value);
}

XObject* AddressErrorInfo::HandleEvent(Core::Event* event) {
  if (!vg_cast<Core::KeyEvent>(event)) return Primitives::KeyRoutingForm::HandleEvent(event);
  VgSignal(OnClose, this);
  return this;
}

// The message stays while something else has the focus.
void AddressErrorInfo::HandleFocus(bool focused) {
  Primitives::KeyRoutingForm::HandleFocus(focused);
  if (focused)
    timeOutTimer.Activate();
  else
    timeOutTimer.OnSetEnabled(false);
}

void AddressErrorInfo::DoTimeout(XObject*) { VgSignal(OnClose, this); }

}  // namespace Network
