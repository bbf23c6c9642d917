// The media server, controller and device lists over the media bridge and
// the simulated library: the
// limit of eight registered servers and eight ticked controllers, servers
// that vanish, the devices of the recordings-only mode, and the default row
// when there is no device.
#include <gtest/gtest.h>

#include "Core/Keys.h"
#include "ListForm/MediaDeviceLists.h"
#include "media_host.h"
#include "simtv.h"

namespace {

using namespace ListForm;

class DeviceLists : public ListTest::MediaFixture {
 protected:
  // The home network's servers: the library's two and further ones up to
  // "Server <count>".
  void Servers(int count) {
    for (int i = 3; i <= count; ++i) simtv_media_add_server(("Server " + std::to_string(i)).c_str());
    media->GetMediaServerList();
  }
  template <class Row>
  Row* RowAt(ListBase* list, int32_t i) {
    return vg_cast<Row>(list->GetCtrlAt(i));
  }
};

TEST_F(DeviceLists, ANinthServerIsNotTickedWhenTheBridgeRefusesIt) {
  Servers(9);
  auto* list = Embed(VgNew<MediaServerList>());
  EXPECT_EQ(list->ItemNum, 8);
  for (int i = 0; i < 8; ++i) {
    Press(Key::Ok);
    EXPECT_TRUE(RowAt<MediaServerListItem>(list, i)->IsChecked);
    Press(Key::Down);
  }
  EXPECT_EQ(media->GetRegisteredServerCount(), 8);
  Press(Key::Ok);
  EXPECT_FALSE(RowAt<MediaServerListItem>(list, 7)->IsChecked) << "the ninth server is refused";
  EXPECT_EQ(Texts().back(), "Server 9");

  // Unticking unregisters, and the ninth then goes in.
  Press(Key::Up);
  Press(Key::Ok);
  EXPECT_FALSE(RowAt<MediaServerListItem>(list, 6)->IsChecked);
  Press(Key::Down);
  Press(Key::Ok);
  EXPECT_TRUE(RowAt<MediaServerListItem>(list, 7)->IsChecked);
  const std::string asked = Asked();
  EXPECT_EQ(asked.substr(asked.find("PslRegisterServer \"uuid:Server 8\" 0")),
            "PslRegisterServer \"uuid:Server 8\" 0,PslRegisterServer \"uuid:Server 9\" 1")
      << "the refused ninth never reaches the library";
}

TEST_F(DeviceLists, AVanishedServerGivesNoCourier) {
  Servers(3);
  auto* list = Embed(VgNew<MediaServerList>());
  EXPECT_EQ(VgStringToUtf8(RowAt<MediaServerListItem>(list, 1)->wakeOnLanText.String), "Unknown");
  // The third server leaves the home network.
  simtv_media_reset();
  media->SetDlna(true);
  media->GetMediaServerList();
  EXPECT_NE(list->DataSource->GetItemData(&MediaServerList::Class, 1), nullptr);
  EXPECT_EQ(list->DataSource->GetItemData(&MediaServerList::Class, 2), nullptr);
}

TEST_F(DeviceLists, ANinthControllerTickIsRefusedWithATrace) {
  // The library's own controller and nine more, the first eight allowed.
  for (int i = 1; i < 10; ++i)
    simtv_media_add_controller(("Phone " + std::to_string(i)).c_str(), ("00-11-22-33-44-0" + std::to_string(i)).c_str(),
                               i < 8);
  media->RequestMediaControllorList();
  auto* list = Embed(VgNew<MediaControllerList>());
  EXPECT_EQ(list->GetCheckedNumber(), 8);
  for (int i = 0; i < 8; ++i) Press(Key::Down);
  ASSERT_EQ(Cursor(), 8);
  testing::internal::CaptureStdout();
  Press(Key::Ok);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can not register, Max is 8\n");
  EXPECT_FALSE(RowAt<MediaControllerListItem>(list, Focused())->IsChecked);

  // An untick off the screen makes room; the ticks survive scrolling.
  for (int i = 0; i < 8; ++i) Press(Key::Up);
  Press(Key::Ok);
  EXPECT_EQ(list->GetCheckedNumber(), 7);
  for (int i = 0; i < 9; ++i) Press(Key::Down);
  Press(Key::Ok);
  EXPECT_TRUE(RowAt<MediaControllerListItem>(list, Focused())->IsChecked);
  EXPECT_EQ(list->GetCheckedNumber(), 8);
  for (int i = 0; i < 9; ++i) Press(Key::Up);
  EXPECT_FALSE(RowAt<MediaControllerListItem>(list, 0)->IsChecked);
  EXPECT_EQ(Asked(), "") << "the list leaves the bridge to the dialog";
}

TEST_F(DeviceLists, RecordingsOnlyLeaveUsbStorageSelectable) {
  Folder({Photo("Sea")});
  media->GetMediaServerList();
  ASSERT_TRUE(media->RegisterMediaServer(0));
  media->RequestMediumList();
  auto* list = Embed(VgNew<MediumDeviceList>());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"USB:usba", "LAN-S:Den Media Server"}));
  EXPECT_FALSE(RowAt<MediumDeviceItem>(list, 1)->IsDisabled);

  list->OnSetRecordsOnly(true);
  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_FALSE(RowAt<MediumDeviceItem>(list, 0)->IsDisabled);
  EXPECT_TRUE(RowAt<MediumDeviceItem>(list, 1)->IsDisabled);
  Press(Key::Ok);
  EXPECT_EQ(host->Count("LaunchPlayer 0 /mnt/removable/usba 0 1 USB:usba"), 1);
}

TEST_F(DeviceLists, WithoutADeviceTheReaderGivesTheDefaults) {
  auto* source = VgNew<ListDataSource>();
  source->Num = 1;
  auto* courier = vg_cast<MediumDeviceCourier>(source->GetItemData(&MediumDeviceList::Class, 0));
  ASSERT_NE(courier, nullptr);
  EXPECT_EQ(courier->IsActive, 1);
  EXPECT_EQ(courier->DeviceType, 3);
  EXPECT_EQ(VgGetStringLength(courier->Text), 0);
}

}  // namespace
