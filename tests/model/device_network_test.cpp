#include <gtest/gtest.h>

#include <cstring>

#include "SkinBin/HdmiCecData.h"
#include "SkinBin/NetworkSetup.h"
#include "model_test_support.h"

namespace ModelTest {
namespace {

using namespace SkinBin;

class Devices : public SimulatedSet {
 protected:
  HdmiCecData* cec = VgNew<HdmiCecData>();

  void Device(uint8_t address, int32_t source, const char* name = "") {
    XPM_CECDevice d{};
    d.logicalAddress = address;
    d.sourceId = source;
    std::snprintf(d.name, sizeof d.name, "%s", name);
    simtv_tv_add_cec_device(&d);
  }
};

TEST_F(Devices, DevicesOnOneInputInSlotOrder) {
  Device(4, 5, "Player");
  Device(1, 6, "Recorder");
  Device(8, 5);
  cec->InitDevList();
  EXPECT_EQ(cec->DevNum, 3);
  EXPECT_EQ(cec->GetDevNumBySrcId(5), 2);
  EXPECT_EQ(cec->GetDevInfoBySrcId(5, 1)->DeviceNumber, 8);
  EXPECT_EQ(cec->GetDevInfoBySrcId(5, 2), nullptr);
  EXPECT_EQ(Utf8(cec->GetDevInfoBySrcId(5, 0)->DeviceName), "Player");
  // A device without a name of its own gets the label of its address.
  EXPECT_EQ(Utf8(cec->GetDevInfoBySrcId(5, 1)->DeviceName), Text(Strings::SID_PLAYER) + " 2");
  EXPECT_FALSE(cec->IsAudioDeviceConnected());
  Device(5, 6);
  cec->InitDevList();
  EXPECT_TRUE(cec->IsAudioDeviceConnected());
}

TEST_F(Devices, MoreDevicesThanSlotsKeepTheFirstSixteen) {
  for (int32_t i = 0; i < 20; ++i) Device(uint8_t(i % 15), 5);
  cec->InitDevList();
  EXPECT_EQ(cec->DevNum, HdmiCecData::kCapacity);
  EXPECT_EQ(cec->GetDevNumBySrcId(5), HdmiCecData::kCapacity);
}

TEST_F(Devices, TypesAndLabelsOfTheLogicalAddresses) {
  // A label is the name of the device's kind, numbered when the kind has
  // more than one address.
  constexpr struct {
    int32_t address;
    int32_t type;
    const VgConstant* kind;  // null: no label
    const char* number;
  } kRows[] = {
      {0, 0, &Strings::SID_TV, ""},
      {1, 1, &Strings::SID_RECORDER, " 1"},
      {2, 1, &Strings::SID_RECORDER, " 2"},
      {3, 3, &Strings::SID_TUNER, " 1"},
      {4, 2, &Strings::SID_PLAYER, " 1"},
      {5, 4, &Strings::SID_AUDIOSYSTEM, ""},
      {6, 3, &Strings::SID_TUNER, " 2"},
      {7, 3, &Strings::SID_TUNER, " 3"},
      {8, 2, &Strings::SID_PLAYER, " 2"},
      {9, 1, &Strings::SID_RECORDER, " 3"},
      {10, 3, &Strings::SID_TUNER, " 4"},
      {11, 2, &Strings::SID_PLAYER, " 3"},
      {12, 0, &Strings::SID_RESERVED, " 1"},
      {13, 0, &Strings::SID_RESERVED, " 2"},
      {14, 0, &Strings::SID_CEC_DEVICE_UNKNOWN, ""},
      {15, 0, nullptr, ""},
      {-1, 0, nullptr, ""},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.address);
    EXPECT_EQ(cec->GetCECDevTypeByLogic(row.address), row.type);
    VgString label = cec->GetCECDeviceDefaultLabel(row.address);
    if (row.kind)
      EXPECT_EQ(Utf8(label), Text(*row.kind) + row.number);
    else
      EXPECT_EQ(label, nullptr);
  }
  EXPECT_EQ(cec->GetCECDevTypeByLogic(0x105), HdmiCecData::kTypeAudioSystem);
  EXPECT_EQ(cec->GetCECDevTypeByLogic(0x10B), HdmiCecData::kTypePlayer);
}

TEST_F(Devices, ADeviceCountsAsConnectedOnlyOnHdmiWithControlOn) {
  simtv_av_set_source_type(5, 5);  // HDMI
  simtv_av_set_source_type(7, 3);  // a composite input
  Device(4, 5);
  Device(4, 7);
  cec->InitDevList();
  EXPECT_NE(cec->IsCecDeviceConnected(5), nullptr);
  EXPECT_EQ(cec->IsCecDeviceConnected(7), nullptr);
  simtv_tv_set_cec_enable(0);
  EXPECT_EQ(cec->IsCecDeviceConnected(5), nullptr);
}

TEST_F(Devices, SelectingADeviceGoesToTheMiddleware) {
  cec->SetHdmiCecAddr(5, 4);
  cec->SetHdmiCecAddrEx(6, 5, 1);
  EXPECT_EQ(ChangingCalls(), (std::vector<std::string>{"XPM_CEC_SelectDevice 5 4 0", "XPM_CEC_SelectDevice 6 5 1"}));
}

TEST_F(Devices, ActivatedNetworkInterface) {
  auto* net = VgNew<NetworkSetup>();
  EXPECT_EQ(net->LAN_GetActivatedDev(), -1);
  simtv_tv_set_lan(1, 1, nullptr);
  EXPECT_EQ(net->LAN_GetActivatedDev(), 1);
  simtv_tv_set_lan(0, 1, nullptr);
  EXPECT_EQ(net->LAN_GetActivatedDev(), 0);
  simtv_fail("XPM_LAN_GetDeviceState", 3, -1);
  EXPECT_EQ(net->LAN_GetDevState(0), 0);
  EXPECT_EQ(net->LAN_GetActivatedDev(), -1);
}

TEST_F(Devices, InterfaceAddressesAreCopiedByteForByte) {
  const XPM_IFState wired = {0x101, {10, 0, 0, 7}, {255, 255, 0, 0}, {10, 0, 0, 1}, {10, 0, 0, 2}, {10, 0, 0, 3}};
  simtv_tv_set_lan(0, 1, &wired);
  auto* net = VgNew<NetworkSetup>();
  Structures::IF_Configuration* config = net->LAN_GetIfState(0);
  EXPECT_EQ(config->DHCP, 1);  // the flag's low byte
  EXPECT_EQ(config->Address[3], 7);
  EXPECT_EQ(config->Mask[1], 255);
  EXPECT_EQ(config->DNS2[3], 3);
  // The wireless interface is down: an empty record.
  Structures::IF_Configuration* down = net->LAN_GetIfState(1);
  const uint8_t zero[4] = {};
  EXPECT_EQ(std::memcmp(down->Address, zero, 4), 0);
  EXPECT_EQ(down->DHCP, 0);
}

}  // namespace
}  // namespace ModelTest
