#include "SkinBin/NetworkSetup.h"

#include <cctype>
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

VgString NetworkSetup::LAN_GetMacAddr(int32_t device) {
  char text[XPM_MAC_TEXT_SIZE] = {};
  if (int32_t code = XPM_LAN_GetMacAddr(device == kWireless, text); code != 0) {
    VgPrint("NetworkSetup: XPM_LAN_GetMacAddr = 0x%08X Failed\n", unsigned(code));
    return VgNewStringAnsi("00:00:00:00:00:00");
  }
  text[XPM_MAC_TEXT_SIZE - 1] = 0;
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return VgNewStringAnsi(text);
}

// The test has steps 0-15; a step it does not have asks for all of them
// rather than reaching the middleware as a step it cannot run.
void NetworkSetup::LAN_TestConnection(int32_t step) {
  constexpr int32_t kLastStep = 15;
  if (step < 0 || step > kLastStep) step = kLastStep;
  if (int32_t code = XPM_LAN_TestConnection(step); code != 0)
    VgPrint("NetworkSetup: XPM_LAN_TestConnection(%d) = 0x%08X Failed\n", step, unsigned(code));
}

void NetworkSetup::LAN_QuitTestConnection() {
  if (int32_t code = XPM_LAN_QuitTestConnection(); code != 0)
    VgPrint("NetworkSetup: XPM_LAN_QuitTestConnection = 0x%08X Failed\n", unsigned(code));
}

}  // namespace SkinBin
