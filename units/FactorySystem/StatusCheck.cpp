#include "FactorySystem/StatusCheck.h"

#include <cstdio>
#include <iterator>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "FactorySystem/Look.h"
#include "FactorySystem/ValueDisplay.h"
#include "Fonts/Fonts.h"
#include "Resources/Font.h"
#include "SkinBin/ModelInfo.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(FactorySystem, StatusCheck, ::FactorySystem::WidgetClass)

namespace FactorySystem {

namespace {

enum Row : int32_t {
  kModel,
  kModelId,
  kMainVersion,
  kMicroVersion,
  kGlobalData,
  kPanel,
  kAdc,
  kPhoto,
  kMac,
  kDhcp,
  kAddress,
  kMask,
  kPowerOnTime,
  kTestStatus,
  kEsn,
  kWidevine,
  kEeprom,
};

struct RowText {
  const char* label;
  const char* initial;
};
constexpr RowText kRows[] = {
    {"TV Model", "--------"},
    {"TV Model ID", "0x00"},
    {"MainSW Version", "--------"},
    {"Sub MicroSW Version", "00"},
    {"Global Data Version", "---------"},
    {"Panel Vender", "--------"},
    {"A/D Adjust", "OK"},
    {"Default Photo View JPEG", "xxx.jpg"},
    {"Mac Address", "xx:xx:xx:xx:xx:xx"},
    {"DHCP", "Enabled"},
    {"IP Address ", "xxx.xxx.xxx.xxx"},
    {"Subnet Mask ", "xxx.xxx.xxx.xxx"},
    {"POT ", "00000000"},
    {"Factory Test Status", "00000000000000000000"},
    {"Netflix ESN", "--------"},
    {"Widevine DeviceID", "--------"},
    {"3D EEPROM", "0 0 0"},
};
static_assert(std::size(kRows) == StatusCheck::Rows);

// What the console gets with a series type, in this order; the converter's
// row goes out as two lines of its own.
constexpr Row kPrintedRows[] = {kModel,   kModelId, kMainVersion, kMicroVersion, kGlobalData,  kPanel,
                                kPowerOnTime, kAdc, kPhoto,       kMac,          kDhcp,        kAddress,
                                kMask,    kTestStatus, kEsn,      kWidevine,     kEeprom};

constexpr int32_t kWidth = 720;
constexpr int32_t kLeft = 16;
constexpr int32_t kValueLeft = 290;
constexpr int32_t kTitleHeight = 36;
constexpr int32_t kRowHeight = 26;
constexpr int32_t kCloseKeys[] = {Key::ClearAll, Key::Digit9, Key::Back, Key::Exit};

VgString Ansi(const char* text) { return VgNewStringAnsi(text); }

VgString Join(VgString a, const char* middle, VgString b) { return VgConcatString(VgConcatString(a, Ansi(middle)), b); }

VgString HexByte(int32_t value, const char* prefix, const char* suffix) {
  return VgConcatString(
      VgConcatString(Ansi(prefix), VgConcatString(ValueDisplay::Dec2Hex((value >> 4) & 0xF),
                                                  ValueDisplay::Dec2Hex(value & 0xF))),
      Ansi(suffix));
}

VgString Sid(const VgConstant& sid) { return VgGetVariantOfString(&sid); }

void Place(Views::Text& text, int32_t x, int32_t y, const char* initial, VgColor colour) {
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(colour);
  text.OnSetAlignH(Views::Text::AlignLeft);
  text.OnSetBounds({x, y, x + 1, y + kRowHeight});
  text.OnSetAutoSize(true);
  text.OnSetString(Ansi(initial));
}

}  // namespace

StatusCheck::StatusCheck(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_StatusCheck;
  Layer = IndicatorLayer;
  WidgetOrigin = {100, 40};
  OnSetOnTimeOut(VgSlotOf<&WidgetClass::DismissSlot>(this));
  Place(title, kLeft, 6, "Status Check", Look::Text);
  Add(&title, 0);
  for (int32_t row = 0; row < Rows; ++row) {
    const int32_t y = kTitleHeight + row * kRowHeight;
    labels[size_t(row)] = VgNew<Views::Text>();
    values[size_t(row)] = VgNew<Views::Text>();
    Place(*labels[size_t(row)], kLeft, y, kRows[row].label, Look::Label);
    Place(*values[size_t(row)], kValueLeft, y, kRows[row].initial, Look::Text);
    Add(labels[size_t(row)], 0);
    Add(values[size_t(row)], 0);
  }
  CompResult = Ansi("OK");
  PcResult = Ansi("OK");
  SizeAtOrigin(kWidth, kTitleHeight + Rows * kRowHeight + 8);
}

VgString StatusCheck::OnGetValue(int32_t row) const {
  return row >= 0 && row < Rows ? values[size_t(row)]->String : nullptr;
}

void StatusCheck::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  auto set = [this](Row row, VgString text) { values[size_t(row)]->OnSetString(text); };

  if (SkinBin::ModelInfo* info = model->GetModelInfo()) {
    set(kModel, info->ModelName);
    set(kPanel, info->PanelName);
    set(kModelId, HexByte(info->ModelId, "0x", "H"));
  }
  set(kMainVersion, model->GetFirmwareVersion());
  set(kMicroVersion, HexByte(model->GetTvmVersion(), "0x", "H"));

  char number[16];
  std::snprintf(number, sizeof number, "%u", unsigned(model->GetPowerOnTime()));
  set(kPowerOnTime, Ansi(number));
  set(kEsn, model->GetNetflixESN());
  set(kWidevine, model->GetWidevineDeviceId());
  set(kEeprom, model->Get3DE2PROMVersion());

  const bool compPassed = model->GetADCCalibResult(0) == 1 && model->GetADCCalibResult(1) == 1;
  const bool pcPassed = model->GetADCCalibResult(2) == 1;
  CompResult = compPassed ? Sid(Strings::SID_OK) : Ansi("NG");
  PcResult = pcPassed ? Sid(Strings::SID_OK) : Ansi("NG");
  set(kAdc, Join(Join(Ansi("COMP"), " ", CompResult), "  PC ", PcResult));

  Structures::IF_Configuration* wired = model->NetworkSetup.LAN_GetIfState(0);
  model->OnSetIFConfiguration(wired);
  set(kMac, model->NetworkSetup.LAN_GetMacAddr(0));
  set(kAddress, GetAddressString(model->OnGetIPAddress()));
  set(kMask, GetAddressString(model->OnGetSubnetMask()));
  if (wired) set(kDhcp, Sid(wired->DHCP ? Strings::SID_ENABLED : Strings::SID_DISABLED));

  set(kTestStatus, model->GetFactoryTestStatus());
}

XObject* StatusCheck::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return nullptr;
  for (int32_t code : kCloseKeys)
    if (key->keyCode == code) Close();
  return this;
}

void StatusCheck::PrintStatusResults() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  auto line = [this](Row row) { return Join(labels[size_t(row)]->String, " ", values[size_t(row)]->String); };
  model->OpenUART(true);
  if (model->OnGetSeriesType() == 0) {
    model->PrintVgString(VgConcatString(Ansi("MAC Address "), values[size_t(kMac)]->String));
    model->PrintVgString(line(kEsn));
    model->PrintVgString(line(kWidevine));
  } else {
    for (Row row : kPrintedRows) {
      if (row != kAdc) {
        model->PrintVgString(line(row));
        continue;
      }
      model->PrintVgString(Join(Ansi(kRows[kAdc].label), " COMP ", CompResult));
      model->PrintVgString(Join(Ansi(kRows[kAdc].label), " PC ", PcResult));
    }
  }
  model->OpenUART(false);
}

VgString StatusCheck::GetAddressString(uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned(address >> 24), unsigned((address >> 16) & 0xFF),
                unsigned((address >> 8) & 0xFF), unsigned(address & 0xFF));
  return Ansi(text);
}

}  // namespace FactorySystem
