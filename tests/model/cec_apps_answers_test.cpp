// HDMI-CEC, the network applications, the register table and the software
// update's hooks of the television model, over the simulated set that
// answers later on its own clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "answering_set.h"
#include "model_app_fixture.h"
#include "tvsm.h"
#include "xpm_events.h"

namespace ModelTest {
namespace {

using Strings = std::vector<std::string>;

constexpr int32_t kHdmi1 = 5;

class Answers : public ModelApp, protected SetAnswers {
 protected:
  void SetUp() override {
    ModelApp::SetUp();
    Start();
  }
  void TearDown() override {
    Stop();
    ModelApp::TearDown();
  }

  static void Device(uint8_t address, int32_t source, const char* name) {
    XPM_CECDevice d{};
    d.logicalAddress = address;
    d.sourceId = source;
    std::snprintf(d.name, sizeof d.name, "%s", name);
    simtv_tv_add_cec_device(&d);
  }
  // The launch reports of the state manager since the last call.
  static Strings Reports(int32_t code) {
    Strings found;
    const std::string prefix = "TVSM_ReportAsyncEvent 1 " + std::to_string(code) + " ";
    for (const std::string& call : Calls())
      if (call.rfind(prefix, 0) == 0) found.push_back(call.substr(prefix.size()));
    simtv_clear_calls();
    return found;
  }
};

TEST_F(Answers, DiscoveryNamesAndDetectsEachDeviceThenTheInputHasOne) {
  simtv_av_set_source_type(kHdmi1, 5);
  Device(4, kHdmi1, "BD Player");
  Device(8, kHdmi1, "Recorder");
  model->HdmiCecData.StartDiscovery();
  std::vector<SetAnswer> found = Advance(1000);
  ASSERT_EQ(Briefly(found), (Strings{"event 70 5", "event 71 5", "event 70 5", "event 71 5"}));
  EXPECT_EQ(found[0].Text(4), "BD Player");
  EXPECT_EQ(found[2].Text(4), "Recorder");
  EXPECT_EQ(found[1].payload.at(4), 1) << "detected";

  model->HdmiCecData.InitDevList();
  Structures::CECDeviceInfo* device = model->HdmiCecData.IsCecDeviceConnected(kHdmi1);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(Utf8(device->DeviceName), "BD Player");
  EXPECT_EQ(model->HdmiCecData.IsCecDeviceConnected(6), nullptr) << "nothing on the other input";

  model->OnSetEnableNOVIQ(0);
  EXPECT_EQ(model->HdmiCecData.IsCecDeviceConnected(kHdmi1), nullptr) << "control off";
  model->HdmiCecData.StartDiscovery();
  EXPECT_TRUE(Advance(1000).empty()) << "the bus is not asked";
}

TEST_F(Answers, ASpeakerChangeSendsItsRequestAndTheAudioSystemAnswers) {
  Device(5, 6, "AV Receiver");
  simtv_clear_calls();
  model->OnSetQuickSpeakerPreference(1);
  EXPECT_TRUE(Called(TvCalls(), "XPM_CEC_SystemAudioControl 1"));
  EXPECT_EQ(Briefly(Advance(300)), Strings{"event 77 1"});
  model->OnSetQuickSpeakerPreference(0);
  EXPECT_EQ(Briefly(Advance(300)), Strings{"event 77 0"});

  simtv_tv_clear_cec_devices();
  model->OnSetQuickSpeakerPreference(1);
  EXPECT_EQ(Briefly(Advance(300)), Strings{"event 77 0"}) << "no audio system to take the sound";
}

TEST_F(Answers, TheWidgetApplicationComesAndGoesWithItsNotification) {
  simtv_clear_calls();
  model->LaunchYahooApp(0);
  const Strings launch = Reports(TVSM_ASYNC_LAUNCH_APP);
  ASSERT_EQ(launch.size(), 1u);
  EXPECT_EQ(launch[0].substr(0, 2), "2,") << "id 2";
  EXPECT_TRUE(Advance(999).empty());
  EXPECT_EQ(Briefly(Advance(1)), (Strings{"command 21", "command 12 1"}));
  model->RefreshActiveAppStatus();
  EXPECT_TRUE(model->IsYahoo());
  EXPECT_EQ(Utf8(model->GetActiveNetAppStatus()->Name), "yahoo");

  model->TerminateYahooApp();
  EXPECT_EQ(Reports(TVSM_ASYNC_TERMINATE_APP), Strings{"2 4"});
  EXPECT_EQ(Briefly(Advance(1000)), (Strings{"command 21", "command 12 0"}));
  model->RefreshActiveAppStatus();
  EXPECT_FALSE(model->IsYahoo());
}

TEST_F(Answers, TheDemoMovieIsAFlashApplicationWhileItRuns) {
  model->OnSetStartDemo(true);
  EXPECT_EQ(Briefly(Advance(1000)), Strings{"command 21"});
  model->RefreshActiveAppStatus();
  EXPECT_TRUE(model->IsFlashlite());
  EXPECT_TRUE(model->IsDemoFlash());

  model->LaunchFlashApp(1);
  Advance(1000);
  model->RefreshActiveAppStatus();
  EXPECT_TRUE(model->IsFlashlite());
  EXPECT_FALSE(model->IsDemoFlash()) << "another movie is in front";
  EXPECT_EQ(Utf8(model->GetActiveNetAppStatus()->Name), "netflix");

  model->OnSetStartDemo(false);
  Advance(1000);
  model->RefreshActiveAppStatus();
  EXPECT_FALSE(model->IsFlashlite());

  model->LaunchVuduDock(true);
  Advance(1000);
  model->RefreshActiveAppStatus();
  EXPECT_TRUE(model->IsVuduDock());
  model->RequestTVResources();
  Advance(1000);
  model->RefreshActiveAppStatus();
  EXPECT_EQ(model->GetActiveNetAppStatus(), nullptr) << "the dock went behind the television";

  simtv_clear_calls();
  model->LaunchFlashApp(2);
  EXPECT_TRUE(Reports(TVSM_ASYNC_LAUNCH_APP).empty()) << "no service of that number";
}

TEST_F(Answers, AChangeOfAnEntryAskedForComesBackFromTheStateManager) {
  model->RegisterTableChangeNotify(Key("LANGUAGE_2"), true);
  model->SetMenuLanguage(2);
  std::vector<SetAnswer> changes = Advance(100);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_TRUE(changes[0].command);
  EXPECT_EQ(changes[0].number, TvsmCommand::RegisterTableChanged);
  EXPECT_EQ(changes[0].Text(0), "LANGUAGE_2");
  model->SetMenuLanguage(2);
  EXPECT_TRUE(Advance(1000).empty()) << "the same text is no change";
  model->RegisterTableChangeNotify(Key("LANGUAGE_2"), false);
  model->SetMenuLanguage(1);
  EXPECT_TRUE(Advance(1000).empty());
}

TEST_F(Answers, DeviceIdsOrNull) {
  simtv_info_set_device_ids("ESN-1", "WV-2");
  EXPECT_EQ(Utf8(model->GetNetflixESN()), "ESN-1");
  EXPECT_EQ(Utf8(model->GetWidevineDeviceId()), "WV-2");
  simtv_fail("XPM_GetNetflixESN", 4, 1);
  EXPECT_EQ(model->GetNetflixESN(), nullptr);
  simtv_info_reset();
}

TEST_F(Answers, TheUpdatesRestartAndItsMedia) {
  model->UpdateReboot();
  EXPECT_EQ(root->reasons, std::vector<int32_t>{7});
  EXPECT_FALSE(model->IsUSBUpdate());
  store->PutString(Key("USBUpdate"), Key("/mnt/usb/sda1/update.bin"));
  EXPECT_TRUE(model->IsUSBUpdate());
  store->RemoveString(Key("USBUpdate"));
  EXPECT_FALSE(model->IsUSBUpdate());
}

}  // namespace
}  // namespace ModelTest
