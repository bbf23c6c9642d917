// The system information list on the simulated set: the row table, and what
// each loader shows from the middleware's answers and failures.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/Wrapper.h"
#include "Events/Events.h"
#include "SkinBin/EventAgent.h"
#include "SkinBin/RecordData.h"
#include "SkinBin/SystemInfo.h"
#include "Strings.h"
#include "simtv.h"
#include "xpm.h"

namespace {

using SkinBin::SystemInfo;

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

// What a string constant reads in the language of the moment.
std::string Text(const VgConstant& constant) { return Utf8(VgGetVariantOfString(&constant)); }

// The label of a shown value row: its name, indented and followed by a colon.
// In the language of the moment: French sets a space before the colon.
std::string ValueLabel(const VgConstant& name) { return "  " + Text(name) + Text(Strings::SID_LABEL_COLON) + " "; }

class SystemInformation : public testing::Test {
 protected:
  void SetUp() override {
    simtv_tv_reset();
    simtv_av_reset();
    simtv_info_reset();
    simtv_set_value("current_source", 1);
    simtv_av_set_source_type(1, 1);
    model = MainApp::GetWrapper();
    VgLockObject(model);
    agent = VgNew<SkinBin::EventAgent>();
    model->OnSetEventAgent(agent);
    info = VgNew<SystemInfo>();
    VgLockObject(info);
    info->Initialize();
  }
  void TearDown() override {
    model->OnSetEventAgent(nullptr);
    VgUnlockObject(info);
    VgUnlockObject(model);
    VgDiscardSignals();
    VgReclaimMemory();
    simtv_fail("XPM_GetVideoOutputProps", 0, 0);
    simtv_fail("XPM_GetCurrentChannelInfo", 0, 0);
    simtv_tv_reset();
    simtv_av_reset();
    simtv_info_reset();
  }
  std::string Value(SystemInfo::Item item) { return Utf8(info->Courier(item)->Value); }
  void Acquired(int32_t status) {
    auto* event = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
    event->Status = status;
    agent->InsertEvent(event);
  }

  SkinBin::Wrapper* model = nullptr;
  SkinBin::EventAgent* agent = nullptr;
  SystemInfo* info = nullptr;
};

TEST_F(SystemInformation, RowTable) {
  auto* fresh = VgNew<SystemInfo>();
  EXPECT_EQ(fresh->OnGetCount(), 10);
  EXPECT_EQ(fresh->GetItem(0), nullptr);

  ASSERT_EQ(info->OnGetCount(), 45);
  EXPECT_EQ(info->GetItem(45), nullptr);
  EXPECT_EQ(info->GetItem(-1), nullptr);
  int headings = 0;
  for (int32_t row = 0; row < 45; ++row) {
    ListForm::SystemInfoCourier* courier = info->GetItem(row);
    ASSERT_NE(courier, nullptr) << row;
    const std::string label = Utf8(courier->Label);
    if (courier->Kind == ListForm::SystemInfoCourier::KindValue) {
      EXPECT_EQ(label.substr(0, 2), "  ") << row;
      EXPECT_EQ(label.substr(label.size() - 2), ": ") << row;
    } else {
      ++headings;
      EXPECT_NE(label.substr(0, 1), " ") << row;
    }
  }
  EXPECT_EQ(headings, 6 + 5);  // six headings and five blank rows
  // The blank rows are one courier.
  for (int32_t row : {16, 24, 30, 40}) EXPECT_EQ(info->GetItem(row), info->GetItem(4)) << row;
  EXPECT_EQ(Utf8(info->GetItem(31)->Label), "Network");
  EXPECT_EQ(Utf8(info->GetItem(32)->Label), "  Connection Type: ");
  EXPECT_EQ(Utf8(info->GetItem(44)->Label), "  Free Space: ");
  EXPECT_EQ(Utf8(info->GetItem(1)->Label), ValueLabel(Strings::SystemInfoBuildVersion));

  info->Initialize();  // a second call changes nothing
  EXPECT_EQ(Utf8(info->GetItem(1)->Label), ValueLabel(Strings::SystemInfoBuildVersion));
  // Items that are loaded but not shown keep their plain labels.
  EXPECT_EQ(Utf8(info->Courier(SystemInfo::BDAddress)->Label), "BD Address");
}

TEST_F(SystemInformation, LabelsFollowTheLanguage) {
  VgSetLanguage(1);
  EXPECT_EQ(Utf8(info->GetItem(7)->Label), "  Type de source : ");
  EXPECT_EQ(Utf8(info->GetItem(7)->Label), ValueLabel(Strings::SystemInfoSourceType));
  VgSetLanguage(0);
  EXPECT_EQ(Utf8(info->GetItem(7)->Label), ValueLabel(Strings::SystemInfoSourceType));
}

TEST_F(SystemInformation, AcquisitionStatusNames) {
  struct Case {
    int32_t status;
    int32_t index;
  };
  const Case cases[] = {{0, 1},     {1, 2},      {5, 6},     {6, 12},    {7, 0},     {0x10, 7},
                        {0x11, 8},  {0x12, 9},   {0x14, 11}, {0x15, 12}, {0x80, 0},  {0x81, 0}};
  for (const Case& c : cases) EXPECT_EQ(SystemInfo::AcquiredStateIndex(c.status), c.index) << c.status;

  Acquired(0x11);
  info->LoadChannelInfo();
  EXPECT_EQ(Value(SystemInfo::ChannelStatus), Text(Strings::AcquiredStateData8));
  // A status past the table shows the unknown state.
  Acquired(0x20);
  info->LoadChannelInfo();
  EXPECT_EQ(Value(SystemInfo::ChannelStatus), Text(Strings::AcquiredStateData0));
}

TEST_F(SystemInformation, TunerChannel) {
  XPM_CurrentChannelInfo channel{};
  channel.major = 7;
  channel.minor = 1;
  channel.serviceType = 2;
  channel.physical = 33;
  channel.frequency = 587000;
  channel.signalQuality = 71;
  channel.videoPid = 0x31;
  channel.audioPid = 0x34;
  channel.pcrPid = 0x31;
  simtv_tv_set_current_channel_info(0, &channel);
  XPM_SetMedium(1);
  info->LoadChannelInfo();
  EXPECT_EQ(Value(SystemInfo::SourceId), "2");
  EXPECT_EQ(Value(SystemInfo::SourceType), Text(Strings::SourceTypeData1));
  EXPECT_EQ(Value(SystemInfo::RFBand), Text(Strings::SID_CABLE));
  EXPECT_EQ(Value(SystemInfo::RFChannel), "33");
  EXPECT_EQ(Value(SystemInfo::Frequency), "587000");
  EXPECT_EQ(Value(SystemInfo::SignalQuality), "71");
  EXPECT_EQ(Value(SystemInfo::VideoPID), "0");  // this kind of service carries no video
  EXPECT_EQ(Value(SystemInfo::AudioPID), "52");
  EXPECT_EQ(Value(SystemInfo::PCRPID), "49");
  EXPECT_EQ(Value(SystemInfo::ChannelStatus), Text(Strings::AcquiredStateData1));

  channel.serviceType = 1;
  simtv_tv_set_current_channel_info(0, &channel);
  XPM_SetMedium(0);
  info->LoadChannelInfo();
  EXPECT_EQ(Value(SystemInfo::VideoPID), "49");
  EXPECT_EQ(Value(SystemInfo::RFBand), Text(Strings::SID_ANTENNA));

  simtv_fail("XPM_GetCurrentChannelInfo", 5, 1);
  info->LoadChannelInfo();
  EXPECT_EQ(Value(SystemInfo::Frequency), "-");
  EXPECT_EQ(Value(SystemInfo::RFChannel), "0");
  EXPECT_EQ(Value(SystemInfo::AudioPID), "0");
}

TEST_F(SystemInformation, OtherSources) {
  struct Case {
    int32_t type;
    const VgConstant* name;
  };
  const Case cases[] = {{5, &Strings::SourceTypeData5},  {6, &Strings::SourceTypeData6},
                        {9, &Strings::SourceTypeData7},  {10, &Strings::SourceTypeData8},
                        {12, &Strings::SourceTypeData1}, {30, &Strings::SourceTypeData1},
                        {0, &Strings::SourceTypeData0}};
  for (const Case& c : cases) {
    simtv_av_set_source_type(1, c.type);
    info->LoadChannelInfo();
    EXPECT_EQ(Value(SystemInfo::SourceType), Text(*c.name)) << c.type;
  }
  simtv_av_set_source_type(1, 5);
  info->LoadChannelInfo();
  EXPECT_EQ(Value(SystemInfo::RFBand), "0");
  EXPECT_EQ(Value(SystemInfo::Frequency), "-");
}

TEST_F(SystemInformation, IncomingStream) {
  XPM_VideoContentInfo video{};
  video.width = 1920;
  video.height = 1088;
  video.scanType = 1;
  video.rateIndex = 10;
  video.pcRateIndex = 7;
  video.format3D = 2;
  simtv_av_set_video_content(0, &video);
  XPM_AudioServiceInfo audio{};
  audio.format = 9;  // past the table: the first name
  audio.number = 1;
  simtv_tv_set_audio_service(0, &audio);
  info->LoadAVStream();
  EXPECT_EQ(Value(SystemInfo::InputResolution), "1920 x 1080");
  EXPECT_EQ(Value(SystemInfo::InputScanRate), Text(Strings::VideoScanRate10));
  EXPECT_EQ(Value(SystemInfo::InputScanType), Text(Strings::VideoScanType1));
  EXPECT_EQ(Value(SystemInfo::Video3DFormat), Text(Strings::ThreeDimFormat2));
  EXPECT_EQ(Value(SystemInfo::AudioType), Text(Strings::AudioType0));
  EXPECT_EQ(Value(SystemInfo::AudioSampleRate), Text(Strings::AudioSampleRate1));

  // An HDMI input measures its own rate; a large sample-rate index shows as the last name.
  simtv_av_set_source_type(1, 5);
  audio.format = 3;
  audio.number = 8;
  simtv_tv_set_audio_service(0, &audio);
  info->LoadAVStream();
  EXPECT_EQ(Value(SystemInfo::InputScanRate), Text(Strings::VideoScanRate7));
  EXPECT_EQ(Value(SystemInfo::AudioType), Text(Strings::AudioType3));
  EXPECT_EQ(Value(SystemInfo::AudioSampleRate), Text(Strings::AudioSampleRate3));

  // Without a picture nothing is read.
  Acquired(0x11);
  info->LoadAVStream();
  for (SystemInfo::Item item : {SystemInfo::InputResolution, SystemInfo::InputScanRate, SystemInfo::InputScanType,
                                SystemInfo::Video3DFormat, SystemInfo::AudioType, SystemInfo::AudioSampleRate})
    EXPECT_EQ(Value(item), "-") << item;
}

TEST_F(SystemInformation, VideoOutput) {
  info->LoadOutput();
  EXPECT_EQ(Value(SystemInfo::OutputResolution), "1920 x 1080");
  EXPECT_EQ(Value(SystemInfo::OutputScanRate), Text(Strings::VideoScanRate9));
  EXPECT_EQ(Value(SystemInfo::OutputScanType), Text(Strings::VideoScanType2));
  EXPECT_EQ(Value(SystemInfo::OutputFormat), Text(Strings::VideoFormat7));

  simtv_fail("XPM_GetVideoOutputProps", 3, 1);
  info->LoadOutput();
  for (SystemInfo::Item item :
       {SystemInfo::OutputResolution, SystemInfo::OutputScanRate, SystemInfo::OutputScanType, SystemInfo::OutputFormat})
    EXPECT_EQ(Value(item), "-") << item;

  XPM_VideoOutputProps odd{1280, 720, 5, 20, 0, 12};  // indexes past every table
  simtv_info_set_output(&odd);
  info->LoadOutput();
  EXPECT_EQ(Value(SystemInfo::OutputResolution), "1280 x 720");
  EXPECT_EQ(Value(SystemInfo::OutputScanType), "-");
  EXPECT_EQ(Value(SystemInfo::OutputFormat), "-");
}

TEST_F(SystemInformation, Network) {
  info->LoadNetworkInfo();
  EXPECT_EQ(Value(SystemInfo::ConnectionType), "Not Connected");
  EXPECT_EQ(Value(SystemInfo::IPAddress), "");
  EXPECT_EQ(Value(SystemInfo::AltDNS), "");
  EXPECT_EQ(Value(SystemInfo::WiredMAC), "00:1A:2B:3C:4D:5E");

  // With the wired interface down, the wireless one is asked for addresses.
  const XPM_IFState wireless{1, {10, 0, 0, 7}, {255, 255, 0, 0}, {10, 0, 0, 1}, {8, 8, 4, 4}, {8, 8, 8, 8}};
  simtv_tv_set_lan(1, 1, &wireless);
  info->LoadNetworkInfo();
  EXPECT_EQ(Value(SystemInfo::ConnectionType), "Wireless");
  EXPECT_EQ(Value(SystemInfo::IPAddress), "10.0.0.7");
  EXPECT_EQ(Value(SystemInfo::SubnetMask), "255.255.0.0");
  EXPECT_EQ(Value(SystemInfo::DefaultGateway), "10.0.0.1");
  EXPECT_EQ(Value(SystemInfo::PrefDNS), "8.8.4.4");
  EXPECT_EQ(Value(SystemInfo::AltDNS), "8.8.8.8");

  const XPM_IFState wired{0, {192, 168, 1, 23}, {255, 255, 255, 0}, {192, 168, 1, 1}, {192, 168, 1, 1}, {0, 0, 0, 0}};
  simtv_tv_set_lan(0, 1, &wired);
  simtv_fail("XPM_LAN_GetMacAddr", 4, 1);
  info->LoadNetworkInfo();
  EXPECT_EQ(Value(SystemInfo::ConnectionType), "Wired");
  EXPECT_EQ(Value(SystemInfo::IPAddress), "192.168.1.23");
  EXPECT_EQ(Value(SystemInfo::WiredMAC), "");  // the read failed
  EXPECT_EQ(Value(SystemInfo::WirelessMAC), "00:1A:2B:3C:4D:5F");
}

TEST_F(SystemInformation, UsbStorage) {
  info->LoadUSBInfo();
  EXPECT_EQ(Value(SystemInfo::FileSystem), "-");
  auto* disk = VgNew<SkinBin::USBDiskStatus>();
  disk->Mounted = 1;
  disk->FileSystem = VgNewStringAnsi("FAT32");
  disk->TotalSpace = 7600;
  disk->AvailableSpace = 1234;
  info->ShowUSBStatus(disk);
  EXPECT_EQ(Value(SystemInfo::FileSystem), "FAT32");
  EXPECT_EQ(Value(SystemInfo::TotalSpace), "7600 MB");
  EXPECT_EQ(Value(SystemInfo::FreeSpace), "1234 MB");
  info->ShowUSBStatus(nullptr);
  EXPECT_EQ(Value(SystemInfo::TotalSpace), "-");
}

TEST_F(SystemInformation, VersionsTimeAndDynamicItems) {
  simtv_tv_set_local_time(1308166200);
  simtv_tv_set_power_on_time(321);
  info->Refresh();
  EXPECT_EQ(Value(SystemInfo::BuildVersion), "ZEP1.02.0034");
  EXPECT_EQ(Value(SystemInfo::TVMVersion), "TVM 3.1.07");
  EXPECT_EQ(Value(SystemInfo::FrcVersion), "FRC 0.9.12");
  EXPECT_EQ(Value(SystemInfo::PowerOnTime), "321");
  EXPECT_EQ(Value(SystemInfo::SystemTime), "06/15/2011 19:30:00");

  simtv_info_set_signal_quality(88);
  simtv_tv_set_local_time(1308166200 + 61);
  info->RefreshDynamicItems();
  EXPECT_EQ(Value(SystemInfo::SignalQuality), "88");
  EXPECT_EQ(Value(SystemInfo::SystemTime), "06/15/2011 19:31:01");
  simtv_fail("XPM_GetSignalQuality", 2, 1);
  info->RefreshDynamicItems();
  EXPECT_EQ(Value(SystemInfo::SignalQuality), "0");

  info->LoadBlueTooth();
  EXPECT_EQ(Value(SystemInfo::BDAddress), "FF:FF:FF:FF:FF:FF");
}

}  // namespace
