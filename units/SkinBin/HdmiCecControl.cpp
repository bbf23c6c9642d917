// Control of the HDMI-CEC devices: where the sound plays, the audio return
// channel, deck commands and remote-control keys passed on to a device.
#include "SkinBin/HdmiCecData.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {
constexpr int32_t kHighestLogicalAddress = 15;

bool ValidAddress(int32_t logicalAddress) {
  if (logicalAddress >= 0 && logicalAddress <= kHighestLogicalAddress) return true;
  VgPrint("HdmiCecData: no logical address %d\n", logicalAddress);
  return false;
}
}  // namespace

// The audio system takes the sound over the audio return channel, so the
// channel opens before the request and closes after the sound came back.
int32_t HdmiCecData::SetSystemAudio(bool amplifier) {
  if (amplifier) SetARC(true);
  const int32_t status = XPM_CEC_SystemAudioControl(amplifier ? 1 : 0);
  if (status != 0) VgPrint("HdmiCecData: XPM_CEC_SystemAudioControl = 0x%08X Failed\n", unsigned(status));
  if (!amplifier) SetARC(false);
  return status;
}

int32_t HdmiCecData::SetARC(bool on) {
  const int32_t status = XPM_CEC_SetARC(on ? 1 : 0);
  if (status != 0) VgPrint("HdmiCecData: XPM_CEC_SetARC(%d) = 0x%08X Failed\n", on ? 1 : 0, unsigned(status));
  return status;
}

int32_t HdmiCecData::DeckControl(int32_t sourceId, int32_t logicalAddress, int32_t command) {
  if (!ValidAddress(logicalAddress)) return -1;
  const int32_t status = XPM_CEC_DeckControl(sourceId, logicalAddress, command);
  if (status != 0) VgPrint("HdmiCecData: XPM_CEC_DeckControl = 0x%08X Failed\n", unsigned(status));
  return status;
}

// A device that saw the press but not the release would repeat the key, so
// the release goes out even when the press failed.
int32_t HdmiCecData::UserControl(int32_t sourceId, int32_t logicalAddress, int32_t key) {
  if (!ValidAddress(logicalAddress)) return -1;
  const int32_t pressed = XPM_CEC_UserControl(sourceId, logicalAddress, key, 1);
  const int32_t released = XPM_CEC_UserControl(sourceId, logicalAddress, key, 0);
  const int32_t status = pressed != 0 ? pressed : released;
  if (status != 0) VgPrint("HdmiCecData: XPM_CEC_UserControl(%d) = 0x%08X Failed\n", key, unsigned(status));
  return status;
}

}  // namespace SkinBin
