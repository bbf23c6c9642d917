// The HDMI-CEC devices found on the HDMI inputs, as the input screens, the
// device list and the source history ask about them.
#pragma once

#include <cstdint>

#include "Structures/Devices.h"
#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

class HdmiCecData : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 16;

  // Device types of the logical addresses.
  static constexpr int32_t kTypeTV = 0;
  static constexpr int32_t kTypeRecorder = 1;
  static constexpr int32_t kTypePlayer = 2;
  static constexpr int32_t kTypeTuner = 3;
  static constexpr int32_t kTypeAudioSystem = 4;

  explicit HdmiCecData(XObject* link = nullptr) : XObject(link) {}

  // Connected devices on an input, in slot order.
  virtual int32_t GetDevNumBySrcId(int32_t sourceId);
  virtual ::Structures::CECDeviceInfo* GetDevInfoBySrcId(int32_t sourceId, int32_t n);
  // Only the low 8 bits of the address count.
  virtual int32_t GetCECDevTypeByLogic(int32_t logicalAddress);
  virtual bool IsAudioDeviceConnected();
  // "Player 2" and the like for addresses 0-14; null for others.
  virtual VgString GetCECDeviceDefaultLabel(int32_t logicalAddress);

  // Rebuilds the slots from the devices the middleware knows.
  void InitDevList();
  // Asks the middleware to look for devices, then rebuilds the slots.
  void StartDiscovery();
  // The first connected device on an HDMI or DVI input while HDMI-CEC
  // control is on; null otherwise.
  ::Structures::CECDeviceInfo* IsCecDeviceConnected(int32_t sourceId);
  // Selects the device with that logical address on an input.
  void SetHdmiCecAddr(int32_t sourceId, int32_t logicalAddress);
  void SetHdmiCecAddrEx(int32_t sourceId, int32_t logicalAddress, int32_t extra);

  // Control of the devices (HdmiCecControl.cpp); each returns the
  // middleware's result, 0 on success. The sound goes to the audio system
  // (true) or back to the television's speakers, the audio return channel
  // following it.
  int32_t SetSystemAudio(bool amplifier);
  int32_t SetARC(bool on);
  // A deck command for a device on an input.
  int32_t DeckControl(int32_t sourceId, int32_t logicalAddress, int32_t command);
  // One key for a device on an input, pressed and released.
  int32_t UserControl(int32_t sourceId, int32_t logicalAddress, int32_t key);

  VgPtrArray<::Structures::CECDeviceInfo, kCapacity> DevList;
  int32_t DevNum = 0;
  int32_t MaxDevNum = kCapacity;
};

}  // namespace SkinBin
