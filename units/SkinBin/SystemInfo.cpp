#include "SkinBin/SystemInfo.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "AppServices/Wrapper.h"
#include "SkinBin/RecordData.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "vgdebug.h"
#include "vgtrace.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, SystemInfo, XObject)

namespace SkinBin {

namespace {

using InfoCourier = ListForm::SystemInfoCourier;
constexpr int32_t kHeading = InfoCourier::KindHeading;
constexpr int32_t kValue = InfoCourier::KindValue;

// An item's label comes from the string table, or is a fixed text.
struct ItemDefinition {
  const VgConstant* label;
  const char* text;
  int32_t kind;
};

constexpr ItemDefinition kItems[SystemInfo::ItemCount] = {
    {&Strings::SystemInfoMiscellaneousInfo, nullptr, kHeading},
    {&Strings::SystemInfoBuildVersion, nullptr, kValue},
    {&Strings::SystemInfoSystemTime, nullptr, kValue},
    {&Strings::SystemInfoTVMVer, nullptr, kValue},
    {nullptr, "", kHeading},
    {&Strings::SystemInfoSourceChannelInfo, nullptr, kHeading},
    {&Strings::SystemInfoSourceId, nullptr, kValue},
    {&Strings::SystemInfoSourceType, nullptr, kValue},
    {&Strings::SystemInfoSourceChannelStatus, nullptr, kValue},
    {&Strings::SystemInfoRFBand, nullptr, kValue},
    {&Strings::SystemInfoRFChannel, nullptr, kValue},
    {&Strings::SystemInfoFrequency, nullptr, kValue},
    {&Strings::SystemInfoSignalQuality, nullptr, kValue},
    {&Strings::SystemInfoVideoPID, nullptr, kValue},
    {&Strings::SystemInfoAudioPID, nullptr, kValue},
    {&Strings::SystemInfoPCRPID, nullptr, kValue},
    {&Strings::SystemInfoAudioVideoStreamInfo, nullptr, kHeading},
    {&Strings::SystemInfoVideoResolution, nullptr, kValue},
    {&Strings::SystemInfoVideoScanRate, nullptr, kValue},
    {&Strings::SystemInfoVideoScanType, nullptr, kValue},
    {&Strings::SystemInfoAudioType, nullptr, kValue},
    {&Strings::SystemInfoAudioSampleRate, nullptr, kValue},
    {&Strings::SystemInfoVideo3DFormat, nullptr, kValue},
    {&Strings::SystemInfoVideoOutputInfo, nullptr, kHeading},
    {&Strings::SystemInfoVideoResolution, nullptr, kValue},
    {&Strings::SystemInfoVideoScanRate, nullptr, kValue},
    {&Strings::SystemInfoVideoScanType, nullptr, kValue},
    {&Strings::SystemInfoVideoFormat, nullptr, kValue},
    {nullptr, "Network", kHeading},
    {nullptr, "Connection Type", kValue},
    {nullptr, "IP Addr", kValue},
    {nullptr, "Default Gateway", kValue},
    {nullptr, "SubnetMask", kValue},
    {nullptr, "PrefDNS", kValue},
    {nullptr, "AltDNS", kValue},
    {nullptr, "RJ45 MAC", kValue},
    {nullptr, "WLAN MAC", kValue},
    {nullptr, "USB Info", kHeading},
    {nullptr, "File System", kValue},
    {nullptr, "Total Space", kValue},
    {nullptr, "Free Space", kValue},
    {nullptr, "BlueTooth", kHeading},
    {nullptr, "BD Address", kValue},
    {&Strings::SystemInfoFrcVersion, nullptr, kValue},
    {&Strings::SystemInfoPowerOnTime, nullptr, kValue},
};

// The rows in display order. The blank rows are one courier.
constexpr SystemInfo::Item kRows[SystemInfo::RowCount] = {
    SystemInfo::MiscHeading,     SystemInfo::BuildVersion,     SystemInfo::SystemTime,
    SystemInfo::TVMVersion,      SystemInfo::Blank,            SystemInfo::SourceHeading,
    SystemInfo::SourceId,        SystemInfo::SourceType,       SystemInfo::ChannelStatus,
    SystemInfo::RFBand,          SystemInfo::RFChannel,        SystemInfo::Frequency,
    SystemInfo::SignalQuality,   SystemInfo::VideoPID,         SystemInfo::AudioPID,
    SystemInfo::PCRPID,          SystemInfo::Blank,            SystemInfo::StreamHeading,
    SystemInfo::InputResolution, SystemInfo::InputScanRate,    SystemInfo::InputScanType,
    SystemInfo::AudioType,       SystemInfo::AudioSampleRate,  SystemInfo::Video3DFormat,
    SystemInfo::Blank,           SystemInfo::OutputHeading,    SystemInfo::OutputResolution,
    SystemInfo::OutputScanRate,  SystemInfo::OutputScanType,   SystemInfo::OutputFormat,
    SystemInfo::Blank,           SystemInfo::NetworkHeading,   SystemInfo::ConnectionType,
    SystemInfo::IPAddress,       SystemInfo::DefaultGateway,   SystemInfo::SubnetMask,
    SystemInfo::PrefDNS,         SystemInfo::AltDNS,           SystemInfo::WiredMAC,
    SystemInfo::WirelessMAC,     SystemInfo::Blank,            SystemInfo::USBHeading,
    SystemInfo::FileSystem,      SystemInfo::TotalSpace,       SystemInfo::FreeSpace,
};

constexpr bool IsShown(SystemInfo::Item item) {
  for (SystemInfo::Item row : kRows)
    if (row == item) return true;
  return false;
}

// ------------------------------------------------------- value-name tables

struct NameTable {
  const char* what;
  const VgConstant* const* names;
  int32_t size;
};

template <size_t N>
constexpr NameTable Table(const char* what, const VgConstant* const (&names)[N]) {
  return {what, names, static_cast<int32_t>(N)};
}

constexpr const VgConstant* kSourceTypeNames[] = {
    &Strings::SourceTypeData0, &Strings::SourceTypeData1, &Strings::SourceTypeData2,
    &Strings::SourceTypeData3, &Strings::SourceTypeData4, &Strings::SourceTypeData5,
    &Strings::SourceTypeData6, &Strings::SourceTypeData7, &Strings::SourceTypeData8};
constexpr const VgConstant* kAcquiredStateNames[] = {
    &Strings::AcquiredStateData0,  &Strings::AcquiredStateData1,  &Strings::AcquiredStateData2,
    &Strings::AcquiredStateData3,  &Strings::AcquiredStateData4,  &Strings::AcquiredStateData5,
    &Strings::AcquiredStateData6,  &Strings::AcquiredStateData7,  &Strings::AcquiredStateData8,
    &Strings::AcquiredStateData9,  &Strings::AcquiredStateData10, &Strings::AcquiredStateData11,
    &Strings::AcquiredStateData12};
constexpr const VgConstant* kScanRateNames[] = {
    &Strings::VideoScanRate0,  &Strings::VideoScanRate1,  &Strings::VideoScanRate2,  &Strings::VideoScanRate3,
    &Strings::VideoScanRate4,  &Strings::VideoScanRate5,  &Strings::VideoScanRate6,  &Strings::VideoScanRate7,
    &Strings::VideoScanRate8,  &Strings::VideoScanRate9,  &Strings::VideoScanRate10, &Strings::VideoScanRate11,
    &Strings::VideoScanRate12, &Strings::VideoScanRate13, &Strings::VideoScanRate14};
constexpr const VgConstant* kScanTypeNames[] = {&Strings::VideoScanType0, &Strings::VideoScanType1,
                                                &Strings::VideoScanType2};
constexpr const VgConstant* kAudioTypeNames[] = {&Strings::AudioType0, &Strings::AudioType1, &Strings::AudioType2,
                                                 &Strings::AudioType3, &Strings::AudioType4, &Strings::AudioType5};
constexpr const VgConstant* kSampleRateNames[] = {&Strings::AudioSampleRate0, &Strings::AudioSampleRate1,
                                                  &Strings::AudioSampleRate2, &Strings::AudioSampleRate3};
constexpr const VgConstant* kVideoFormatNames[] = {
    &Strings::VideoFormat0, &Strings::VideoFormat1, &Strings::VideoFormat2, &Strings::VideoFormat3,
    &Strings::VideoFormat4, &Strings::VideoFormat5, &Strings::VideoFormat6, &Strings::VideoFormat7,
    &Strings::VideoFormat8};
constexpr const VgConstant* kThreeDimNames[] = {&Strings::ThreeDimFormat0, &Strings::ThreeDimFormat1,
                                                &Strings::ThreeDimFormat2, &Strings::ThreeDimFormat3,
                                                &Strings::ThreeDimFormat4};

constexpr NameTable kSourceTypes = Table("source type", kSourceTypeNames);
constexpr NameTable kAcquiredStates = Table("acquisition state", kAcquiredStateNames);
constexpr NameTable kScanRates = Table("scan rate", kScanRateNames);
constexpr NameTable kScanTypes = Table("scan type", kScanTypeNames);
constexpr NameTable kAudioTypes = Table("audio type", kAudioTypeNames);
constexpr NameTable kSampleRates = Table("sample rate", kSampleRateNames);
constexpr NameTable kVideoFormats = Table("video format", kVideoFormatNames);
constexpr NameTable kThreeDimFormats = Table("3D format", kThreeDimNames);

// A value the middleware did not give.
constexpr int32_t kUnavailable = -1;

VgString Dash() { return VgNewStringAnsi("-"); }

// The name of an index; "-" for a value not read, and for an index past the
// table, which the middleware should never send.
VgString NameOf(const NameTable& table, int32_t index, bool available = true) {
  if (!available) return Dash();
  if (index < 0 || index >= table.size) {
    VgPrint("SystemInfo: %s index %d has no name\n", table.what, static_cast<int>(index));
    return Dash();
  }
  return VgGetVariantOfString(table.names[index]);
}

VgString Int(int32_t value) { return VgNewStringInt(value, 0); }

VgString Resolution(int32_t width, int32_t height) {
  return VgConcatString(VgConcatString(Int(width), VgNewStringAnsi(" x ")), Int(height));
}

VgString Dotted(const uint8_t (&bytes)[4]) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
  return VgNewStringAnsi(text);
}

// Source types 0-6 have their own names; the external and DVI inputs come
// after them, and any other type shows as the tuner.
int32_t SourceTypeNameIndex(int32_t type) {
  if (type >= 0 && type <= 6) return type;
  if (type == ::Wrapper::kSourceTypeExternal) return 7;
  if (type == ::Wrapper::kSourceTypeDvi) return 8;
  return 1;
}

// The statuses for which the stream can be read: a channel acquired or
// blocked by a lock, a source acquired or blocked by its rating.
bool StreamReadable(int32_t status) {
  return status == 0 || status == 4 || status == 5 || status == 16 || status == 20 || status == 23;
}

}  // namespace

static_assert(!IsShown(SystemInfo::BlueToothHeading) && !IsShown(SystemInfo::BDAddress) &&
                  !IsShown(SystemInfo::FrcVersion) && !IsShown(SystemInfo::PowerOnTime),
              "the Bluetooth, FRC and power-on items are loaded but never shown");

SystemInfo::SystemInfo(XObject* link) : XObject(link) {
  for (int32_t i = 0; i < ItemCount; ++i) {
    auto* courier = VgNew<InfoCourier>();
    courier->Kind = kItems[i].kind;
    courier->Index = i;
    // A line is its item, whatever its label says in the menu language.
    courier->Key = VgNewStringInt(i, 0);
    Couriers[static_cast<size_t>(i)] = courier;
  }
  LoadLabels();
}

// A value row's label is indented and ends in a colon once the list is
// initialised; headings, blank rows and the items not shown keep theirs.
void SystemInfo::LoadLabels() {
  for (int32_t i = 0; i < ItemCount; ++i) {
    const ItemDefinition& item = kItems[i];
    VgString label = item.label ? VgGetVariantOfString(item.label) : VgNewStringAnsi(item.text);
    if (Initialized && item.kind == kValue && IsShown(static_cast<Item>(i))) {
      const VgString colon = VgGetVariantOfString(&Strings::SID_LABEL_COLON);
      label = VgConcatString(VgConcatString(VgConcatString(VgNewStringAnsi("  "), label), colon), VgNewStringAnsi(" "));
    }
    Couriers[static_cast<size_t>(i)]->Label = label;
    Couriers[static_cast<size_t>(i)]->Text = label;
  }
}

void SystemInfo::ReInit() {
  XObject::ReInit();
  LoadLabels();
}

void SystemInfo::Initialize() {
  if (Initialized) return;
  for (int32_t row = 0; row < RowCount; ++row) Rows[static_cast<size_t>(row)] = Courier(kRows[row]);
  Count = RowCount;
  Initialized = 1;
  VgTrace("%s%i", u"Items: ", Count);
  LoadLabels();
}

ListForm::SystemInfoCourier* SystemInfo::GetItem(int32_t row) const {
  if (row < 0 || row >= Count || row >= RowCount) return nullptr;
  return Rows[static_cast<size_t>(row)];
}

void SystemInfo::SetValue(Item item, VgString value) { Courier(item)->Value = value; }

// The list lives inside the television model; one made on its own reads the
// application's model.
Wrapper* SystemInfo::Model() const {
  if (auto* model = vg_cast<Wrapper>(Link())) return model;
  return MainApp::GetWrapper();
}

int32_t SystemInfo::MainWindowStatus() const {
  ::SkinBin::EventAgent* agent = Model()->OnGetEventAgent();
  return agent ? agent->GetMainWindowAcquiredStatus() : 0;
}

void SystemInfo::Refresh() {
  LoadChannelInfo();
  LoadAVStream();
  LoadOutput();
  LoadNetworkInfo();
  LoadUSBInfo();
  LoadMisc();
}

void SystemInfo::RefreshDynamicItems() {
  int32_t quality = 0;
  if (XPM_GetSignalQuality(0, &quality) != 0) quality = 0;
  SetValue(SignalQuality, Int(quality));
  LoadSystemTime();
}

void SystemInfo::LoadBlueTooth() { SetValue(BDAddress, VgNewStringAnsi("FF:FF:FF:FF:FF:FF")); }

int32_t SystemInfo::AcquiredStateIndex(int32_t status) {
  if ((status & 0x80) == 0 && (status & 15) < 6) return (status & 15) + 1 + 6 * (status >> 4 & 15);
  return status == 6 ? 12 : 0;
}

// ------------------------------------------------------------------ loaders

void SystemInfo::LoadChannelInfo() {
  Wrapper* model = Model();
  const int32_t source = model->GetCurrentSource(0);
  const int32_t type = model->GetSourceType(source);
  SetValue(SourceId, Int(source + 1));
  SetValue(SourceType, NameOf(kSourceTypes, SourceTypeNameIndex(type)));

  int32_t rfChannel = 0;
  int32_t quality = 0;
  int32_t videoPid = 0;
  int32_t audioPid = 0;
  int32_t pcrPid = 0;
  VgString frequency = Dash();
  int32_t medium = -1;
  const bool tuner = model->IsRFSourceType(type);
  if (tuner) {
    XPM_CurrentChannelInfo info{};
    if (XPM_GetCurrentChannelInfo(0, &info) == 0) {
      rfChannel = info.physical;
      frequency = Int(info.frequency);
      quality = info.signalQuality;
      // Which streams the service carries decides which PIDs mean anything.
      switch (info.serviceType) {
        case 1:
          videoPid = info.videoPid;
          audioPid = info.audioPid;
          pcrPid = info.pcrPid;
          break;
        case 2:
          audioPid = info.audioPid;
          pcrPid = info.pcrPid;
          break;
        case 3:
          videoPid = info.videoPid;
          pcrPid = info.pcrPid;
          break;
        default:
          break;
      }
    }
    medium = 0;
    if (XPM_GetMedium(&medium) != 0) medium = 0;
  }
  if (tuner && medium == 0)
    SetValue(RFBand, VgGetVariantOfString(&Strings::SID_ANTENNA));
  else if (tuner && medium == 1)
    SetValue(RFBand, VgGetVariantOfString(&Strings::SID_CABLE));
  else
    SetValue(RFBand, Int(0));
  SetValue(RFChannel, Int(rfChannel));
  SetValue(Frequency, frequency);
  SetValue(SignalQuality, Int(quality));
  SetValue(VideoPID, Int(videoPid));
  SetValue(AudioPID, Int(audioPid));
  SetValue(PCRPID, Int(pcrPid));

  const int32_t status = MainWindowStatus();
  VgTrace("%s%i", u"get acquired status: ", status);
  int32_t index = AcquiredStateIndex(status);
  if (index >= kAcquiredStates.size) {
    VgPrint("SystemInfo: acquisition status 0x%X has no name\n", static_cast<unsigned>(status));
    index = 0;
  }
  SetValue(ChannelStatus, NameOf(kAcquiredStates, index));
}

void SystemInfo::LoadAVStream() {
  const int32_t status = MainWindowStatus();
  Wrapper* model = Model();
  const int32_t type = model->GetSourceType(model->GetCurrentSource(0));
  bool video = false;
  int32_t width = kUnavailable;
  int32_t height = kUnavailable;
  int32_t scanType = kUnavailable;
  int32_t scanRate = kUnavailable;
  int32_t format3D = kUnavailable;
  bool audio = false;
  int32_t audioType = kUnavailable;
  int32_t sampleRate = kUnavailable;
  if (StreamReadable(status)) {
    XPM_VideoContentInfo info{};
    if (XPM_GetVideoContentInfo(0, &info) == 0) {
      video = true;
      width = info.width;
      height = std::min(info.height, 1080);
      scanType = info.scanType;
      // The computer inputs measure their own rate.
      const bool measured = type == ::Wrapper::kSourceTypeHdmi || type == ::Wrapper::kSourceTypeVga ||
                            type == ::Wrapper::kSourceTypeDvi;
      scanRate = measured ? info.pcRateIndex : info.rateIndex;
      format3D = info.format3D;
      VgPrint("channel content: %dx%d, %d %d %d...\n", static_cast<int>(width), static_cast<int>(height),
              static_cast<int>(scanType), static_cast<int>(scanRate), static_cast<int>(format3D));
    }
    XPM_AudioServiceInfo service{};
    if (XPM_GetCurrentAudioServiceInfo(0, &service) == 0) {
      audio = true;
      // The record's first number is the audio type, its third the sample rate.
      audioType = service.format;
      sampleRate = service.number;
      VgPrint("audio service: %d  %d ...\n", static_cast<int>(audioType), static_cast<int>(sampleRate));
    }
  }
  SetValue(InputResolution, video ? Resolution(width, height) : Dash());
  SetValue(InputScanRate, NameOf(kScanRates, scanRate, video));
  SetValue(InputScanType, NameOf(kScanTypes, scanType, video));
  SetValue(Video3DFormat, NameOf(kThreeDimFormats, format3D, video));
  // Unknown audio types show as the first name, unknown rates as the last.
  if (audio && audioType >= kAudioTypes.size) audioType = 0;
  if (audio && sampleRate >= kSampleRates.size) sampleRate = kSampleRates.size - 1;
  SetValue(AudioType, NameOf(kAudioTypes, audioType, audio));
  SetValue(AudioSampleRate, NameOf(kSampleRates, sampleRate, audio));
}

void SystemInfo::LoadOutput() {
  XPM_VideoOutputProps props{};
  const bool read = XPM_GetVideoOutputProps(0, &props) == 0;
  SetValue(OutputResolution, read ? Resolution(props.width, props.height) : Dash());
  SetValue(OutputScanRate, NameOf(kScanRates, props.rateIndex, read));
  SetValue(OutputScanType, NameOf(kScanTypes, props.scanType, read));
  SetValue(OutputFormat, NameOf(kVideoFormats, props.formatIndex, read));
}

void SystemInfo::LoadNetworkInfo() {
  int32_t wired = 0;
  int32_t wireless = 0;
  if (XPM_LAN_GetDeviceState(0, &wired) != 0) {
    VgPrint("XPM_LAN_GetDeviceState for Device 0 returns error!\n");
    wired = 0;
  }
  if (XPM_LAN_GetDeviceState(1, &wireless) != 0) {
    VgPrint("XPM_LAN_GetDeviceState for Device 1 returns error!\n");
    wireless = 0;
  }
  const char* connection = "Not Connected";
  if (!wired && wireless)
    connection = "Wireless";
  else if (wired)
    connection = "Wired";
  SetValue(ConnectionType, VgNewStringAnsi(connection));

  // The addresses are those of the connected interface; with neither up,
  // the wireless one is asked and answers nothing.
  XPM_IFState state{};
  const int32_t error = XPM_LAN_GetIFState(wired ? 0 : 1, &state);
  VgString address = nullptr;
  VgString mask = nullptr;
  VgString gateway = nullptr;
  VgString dns1 = nullptr;
  VgString dns2 = nullptr;
  int32_t dhcp = 1;
  if (error == 0) {
    address = Dotted(state.address);
    mask = Dotted(state.mask);
    gateway = Dotted(state.gateway);
    dns1 = Dotted(state.dns1);
    dns2 = Dotted(state.dns2);
    dhcp = state.dhcp;
  } else {
    VgPrint("XPM_LAN_GetIFState returns error %d\n", static_cast<int>(error));
  }
  VgTrace("%s%s%s%s%s%s%s%s%s%s%s%b", u"XPM_LAN_GetIFState: ip=", address, u"mask=", mask, u"gateway=", gateway,
          u"dns1=", dns1, u"dns2=", dns2, u"dhcp=", dhcp);
  SetValue(IPAddress, address);
  SetValue(DefaultGateway, gateway);
  SetValue(SubnetMask, mask);
  SetValue(PrefDNS, dns1);
  SetValue(AltDNS, dns2);

  for (int32_t device : {0, 1}) {
    char mac[XPM_MAC_TEXT_SIZE] = {};
    if (XPM_LAN_GetMacAddr(device, mac) != 0) mac[0] = 0;
    mac[XPM_MAC_TEXT_SIZE - 1] = 0;
    SetValue(device == 0 ? WiredMAC : WirelessMAC, mac[0] ? VgNewStringAnsi(mac) : nullptr);
  }
}

void SystemInfo::LoadUSBInfo() { ShowUSBStatus(Model()->GetUSBDiskStatus()); }

void SystemInfo::ShowUSBStatus(const USBDiskStatus* status) {
  if (!status || !status->Mounted) {
    SetValue(FileSystem, Dash());
    SetValue(TotalSpace, Dash());
    SetValue(FreeSpace, Dash());
    return;
  }
  auto megabytes = [](int32_t value) {
    return value < 0 ? Dash() : VgConcatString(Int(value), VgNewStringAnsi(" MB"));
  };
  SetValue(FileSystem, status->FileSystem.empty() ? Dash() : status->FileSystem.get());
  SetValue(TotalSpace, megabytes(status->TotalSpace));
  SetValue(FreeSpace, megabytes(status->AvailableSpace));
}

void SystemInfo::LoadSystemTime() {
  struct tm now {};
  if (XPM_GetLocalTime(&now) != 0) {
    SetValue(SystemTime, Dash());
    return;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", now.tm_mon + 1, now.tm_mday, now.tm_year + 1900,
                now.tm_hour, now.tm_min, now.tm_sec);
  SetValue(SystemTime, VgNewStringAnsi(text));
}

void SystemInfo::LoadMisc() {
  int32_t hours = 0;
  if (XPM_GetPowerOnTime(&hours) != 0) hours = 0;
  SetValue(PowerOnTime, Int(hours));

  char tvm[XPM_TVM_VERSION_SIZE] = {};
  const bool tvmRead = XPM_GetTVMVersion(tvm) == 0;
  tvm[XPM_TVM_VERSION_SIZE - 1] = 0;
  SetValue(TVMVersion, tvmRead ? VgNewStringAnsi(tvm) : Dash());

  const char* frc = XPM_GetFrcVersion();
  SetValue(FrcVersion, frc ? VgNewStringAnsi(frc) : Dash());

  // The build shows under the product's own prefix in place of the
  // middleware's first three characters.
  const VgString firmware = Model()->GetFirmwareVersion();
  if (firmware) {
    const int32_t length = VgGetStringLength(firmware);
    SetValue(BuildVersion, VgConcatString(VgNewStringAnsi("ZEP"), VgStringRight(firmware, std::max(length - 3, 0))));
  } else {
    SetValue(BuildVersion, Dash());
  }
  LoadSystemTime();
}

}  // namespace SkinBin
