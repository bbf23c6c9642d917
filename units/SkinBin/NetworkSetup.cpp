#include "SkinBin/NetworkSetup.h"

#include <cstring>

#include "vgdebug.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, NetworkSetup, XObject)

namespace SkinBin {

int32_t NetworkSetup::LAN_GetDevState(int32_t device) {
  int32_t state = 0;
  if (int32_t code = XPM_LAN_GetDeviceState(device == kWireless, &state); code != 0) {
    VgPrint("XPM_LAN_GetDeviceState returned error %d\n", code);
    state = 0;
  }
  return state;
}

int32_t NetworkSetup::LAN_GetActivatedDev() {
  if (LAN_GetDevState(kWired) != 0) return kWired;
  if (LAN_GetDevState(kWireless) != 0) return kWireless;
  return -1;
}

::Structures::IF_Configuration* NetworkSetup::LAN_GetIfState(int32_t device) {
  auto* config = VgNew<::Structures::IF_Configuration>();
  XPM_IFState state{};
  if (XPM_LAN_GetIFState(device == kWireless, &state) != 0) return config;
  config->DHCP = uint8_t(state.dhcp);
  std::memcpy(config->Address, state.address, 4);
  std::memcpy(config->Mask, state.mask, 4);
  std::memcpy(config->Gateway, state.gateway, 4);
  std::memcpy(config->DNS1, state.dns1, 4);
  std::memcpy(config->DNS2, state.dns2, 4);
  return config;
}

}  // namespace SkinBin
