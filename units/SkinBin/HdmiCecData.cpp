#include "SkinBin/HdmiCecData.h"

#include <algorithm>
#include <string>

#include "SkinBin/MiddlewareText.h"
#include "Strings.h"
#include "vgdebug.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, HdmiCecData, XObject)

namespace SkinBin {

namespace {

constexpr int32_t kSourceTypeHdmi = 5;
constexpr int32_t kSourceTypeDvi = 10;

// The logical addresses of HDMI-CEC: the kind of device each stands for and
// its default label, a text and a number.
struct LogicalAddress {
  int32_t type;
  const VgConstant* label;
  const char* number;
};

constexpr LogicalAddress kLogicalAddresses[] = {
    {HdmiCecData::kTypeTV, &Strings::SID_TV, ""},
    {HdmiCecData::kTypeRecorder, &Strings::SID_RECORDER, " 1"},
    {HdmiCecData::kTypeRecorder, &Strings::SID_RECORDER, " 2"},
    {HdmiCecData::kTypeTuner, &Strings::SID_TUNER, " 1"},
    {HdmiCecData::kTypePlayer, &Strings::SID_PLAYER, " 1"},
    {HdmiCecData::kTypeAudioSystem, &Strings::SID_AUDIOSYSTEM, ""},
    {HdmiCecData::kTypeTuner, &Strings::SID_TUNER, " 2"},
    {HdmiCecData::kTypeTuner, &Strings::SID_TUNER, " 3"},
    {HdmiCecData::kTypePlayer, &Strings::SID_PLAYER, " 2"},
    {HdmiCecData::kTypeRecorder, &Strings::SID_RECORDER, " 3"},
    {HdmiCecData::kTypeTuner, &Strings::SID_TUNER, " 4"},
    {HdmiCecData::kTypePlayer, &Strings::SID_PLAYER, " 3"},
    {HdmiCecData::kTypeTV, &Strings::SID_RESERVED, " 1"},
    {HdmiCecData::kTypeTV, &Strings::SID_RESERVED, " 2"},
    {HdmiCecData::kTypeTV, &Strings::SID_CEC_DEVICE_UNKNOWN, ""},
};

const LogicalAddress* FindAddress(int32_t address) {
  return address >= 0 && address < int32_t(std::size(kLogicalAddresses)) ? &kLogicalAddresses[address] : nullptr;
}

bool Connected(const ::Structures::CECDeviceInfo* device, int32_t sourceId) {
  return device && device->Present && device->SourceId == sourceId;
}

}  // namespace

int32_t HdmiCecData::GetDevNumBySrcId(int32_t sourceId) {
  int32_t n = 0;
  for (size_t i = 0; i < DevList.size(); ++i)
    if (Connected(DevList[i], sourceId)) ++n;
  return n;
}

::Structures::CECDeviceInfo* HdmiCecData::GetDevInfoBySrcId(int32_t sourceId, int32_t n) {
  for (size_t i = 0; i < DevList.size(); ++i) {
    if (!Connected(DevList[i], sourceId)) continue;
    if (n-- == 0) return DevList[i];
  }
  return nullptr;
}

int32_t HdmiCecData::GetCECDevTypeByLogic(int32_t logicalAddress) {
  const LogicalAddress* address = FindAddress(logicalAddress & 0xFF);
  return address ? address->type : kTypeTV;
}

bool HdmiCecData::IsAudioDeviceConnected() {
  for (int32_t i = 0; i < std::min(DevNum, kCapacity); ++i) {
    const ::Structures::CECDeviceInfo* device = DevList[size_t(i)];
    if (device && device->Present && GetCECDevTypeByLogic(device->DeviceNumber) == kTypeAudioSystem) return true;
  }
  return false;
}

VgString HdmiCecData::GetCECDeviceDefaultLabel(int32_t logicalAddress) {
  const LogicalAddress* address = FindAddress(logicalAddress);
  if (!address) return nullptr;
  return VgConcatString(VgGetVariantOfString(address->label), VgNewStringAnsi(address->number));
}

void HdmiCecData::InitDevList() {
  for (size_t i = 0; i < DevList.size(); ++i) DevList[i] = nullptr;
  DevNum = 0;
  XPM_CECDevice devices[kCapacity] = {};
  int32_t count = 0;
  if (int32_t code = XPM_CEC_GetDeviceList(devices, kCapacity, &count); code != 0) {
    VgPrint("HdmiCecData: XPM_CEC_GetDeviceList = 0x%08X Failed\n", unsigned(code));
    return;
  }
  if (count > kCapacity) VgPrint("HdmiCecData: %d devices, only the first %d kept\n", count, kCapacity);
  DevNum = std::clamp(count, 0, kCapacity);
  for (int32_t i = 0; i < DevNum; ++i) {
    const XPM_CECDevice& d = devices[i];
    auto* device = VgNew<::Structures::CECDeviceInfo>();
    device->Present = 1;
    device->DeviceNumber = d.logicalAddress;
    device->DeviceName = d.name[0] ? BufferText(d.name) : GetCECDeviceDefaultLabel(d.logicalAddress);
    device->SourceId = d.sourceId;
    device->Record[0] = uint8_t(d.physicalAddress >> 8);
    device->Record[1] = uint8_t(d.physicalAddress);
    DevList[size_t(i)] = device;
  }
}

void HdmiCecData::StartDiscovery() {
  if (int32_t code = XPM_CEC_StartDiscovery(); code != 0) {
    VgPrint("HdmiCecData: XPM_CEC_StartDiscovery = 0x%08X Failed\n", unsigned(code));
    return;
  }
  InitDevList();
}

::Structures::CECDeviceInfo* HdmiCecData::IsCecDeviceConnected(int32_t sourceId) {
  int32_t type = 0;
  if (XPM_GetSourceType(sourceId, &type) != 0 || (type != kSourceTypeHdmi && type != kSourceTypeDvi)) return nullptr;
  int32_t on = 0;
  if (XPM_CEC_GetEnable(&on) != 0 || on != 1) return nullptr;
  return GetDevInfoBySrcId(sourceId, 0);
}

void HdmiCecData::SetHdmiCecAddr(int32_t sourceId, int32_t logicalAddress) {
  SetHdmiCecAddrEx(sourceId, logicalAddress, 0);
}

void HdmiCecData::SetHdmiCecAddrEx(int32_t sourceId, int32_t logicalAddress, int32_t extra) {
  if (int32_t code = XPM_CEC_SelectDevice(sourceId, logicalAddress, extra); code != 0)
    VgPrint("HdmiCecData: XPM_CEC_SelectDevice = 0x%08X Failed\n", unsigned(code));
}

}  // namespace SkinBin
