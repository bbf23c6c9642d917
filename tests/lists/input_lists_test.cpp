// The input, HDMI-CEC device and input labelling lists in the host form over
// the simulated set's inputs and devices.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Agent/MessageAgent.h"
#include "AppServices/Messages.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Events/Events.h"
#include "ListForm/InputLists.h"
#include "Resources/Font.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/MessageDelivery.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Boxes.h"
#include "list_host.h"
#include "nvpath.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace ListTest {
namespace {

using namespace ListForm;

class InputLists : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
    // Labels and disabled marks live in the settings store, one per test.
    store = VgNew<PersistentData::PersistentData>();
    VgLockObject(store);
    file = "/mnt/nvram/input_lists_" + std::to_string(getpid()) + ".dat";
    store->Initialize(VgNewStringAnsi(file.c_str()));
    model->OnSetPersistentData(store);
    before = Agent::SetMessageDelivery(&Primitives::DeliverMessage);
    VgLockObject(MainApp::GetMessageAgent());
  }
  void TearDown() override {
    VgUnlockObject(MainApp::GetMessageAgent());
    model->OnSetPersistentData(nullptr);
    std::remove(NvPath(file.c_str()).c_str());
    VgUnlockObject(store);
    Agent::SetMessageDelivery(before);
    ListFixture::TearDown();
  }
  // Inputs 1.. of the types given, the first one shown.
  void Sources(const std::vector<int32_t>& types) {
    std::vector<int32_t> ids;
    for (size_t i = 0; i < types.size(); ++i) ids.push_back(int32_t(i) + 1);
    simtv_setup_set_sources(int32_t(ids.size()), ids.data());
    for (size_t i = 0; i < types.size(); ++i) simtv_av_set_source_type(ids[i], types[i]);
    model->SetSource(0, 1);
    simtv_clear_calls();
  }
  void AddDevice(int32_t source, uint8_t address, const char* name) {
    XPM_CECDevice device{};
    device.logicalAddress = address;
    device.sourceId = source;
    std::strncpy(device.name, name, sizeof device.name - 1);
    simtv_tv_add_cec_device(&device);
  }
  static std::vector<std::string> Calls(const std::string& name) {
    std::vector<std::string> calls;
    for (const std::string& call : RecordedCalls())
      if (call.compare(0, name.size() + 1, name + " ") == 0) calls.push_back(call);
    return calls;
  }
  InputItem* Row(int32_t i) const { return vg_cast<InputItem>(embedded->GetCtrlAt(i)); }

  Agent::MessageDelivery before = nullptr;
  PersistentData::PersistentData* store = nullptr;
  std::string file;
};

TEST_F(InputLists, SourcesOutOfReachArePassedOver) {
  Sources({1, 12, 2, 5, 4, 6});
  model->OnSetInputLock(1);
  Embed(VgNew<ExternalInputList>());
  EXPECT_TRUE(Row(1)->Enabled);
  EXPECT_FALSE(Row(2)->Enabled);
  Press(Key::Down);
  EXPECT_EQ(Focused(), 1);
  Press(Key::Down);
  EXPECT_EQ(Focused(), 0) << "the locked inputs are skipped, round to the first";

  model->OnSetInputLock(0);
  simtv_tv_set_live_tv_state(0, Constants::XPM_TV_STATE_RECORDING_LIVE_TV);
  embedded->Close();
  Embed(VgNew<ExternalInputList>());
  EXPECT_FALSE(Row(3)->Enabled) << "a recording keeps the other inputs out of reach too";

  simtv_tv_set_live_tv_state(0, Constants::XPM_TV_STATE_LIVE_TV);
  model->SetSourceDisable(3, true);
  embedded->Close();
  Embed(VgNew<ExternalInputList>());
  Press(Key::Down);
  Press(Key::Down);
  EXPECT_EQ(Focused(), 3) << "the input the viewer disabled is skipped";
}

TEST_F(InputLists, TheInputKeyStepsAndSelectsOnceTheViewerRests) {
  Sources({1, 12, 2, 3, 4, 6});
  Embed(VgNew<ExternalInputList>());
  EXPECT_EQ(Focused(), 0);
  for (int i = 0; i < 3; ++i) {
    Press(Key::Input);
    Advance(300);
  }
  EXPECT_EQ(Focused(), 3);
  EXPECT_TRUE(Calls("XPM_SetSource").empty());
  Advance(200);
  EXPECT_EQ(Calls("XPM_SetSource"), (std::vector<std::string>{"XPM_SetSource 0 4"}));
  EXPECT_EQ(host->Count("OnExit"), 1);

  Press(Key::Down);
  Advance(1000);
  EXPECT_EQ(Calls("XPM_SetSource").size(), 1u) << "the step keys never select";
}

TEST_F(InputLists, OkOnTheSourceShownOnlyClosesAndAnHdmiInputAsksForItsDevice) {
  Sources({1, 5, 2});
  Embed(VgNew<ExternalInputList>());
  Press(Key::Ok);
  EXPECT_EQ(host->Count("OnExit"), 1);
  EXPECT_TRUE(Calls("XPM_SetSource").empty());

  Press(Key::Down);
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_CEC_SelectDevice"), (std::vector<std::string>{"XPM_CEC_SelectDevice 2 0 1"}))
      << "no device known: address 0";
  EXPECT_EQ(Calls("XPM_SetSource"), (std::vector<std::string>{"XPM_SetSource 0 2"}));
}

TEST_F(InputLists, AnInputWithADeviceShowsItsMarkAndName) {
  Sources({1, 5, 2});
  simtv_tv_set_cec_enable(1);
  AddDevice(2, 4, "Player");
  Embed(VgNew<ExternalInputList>());
  EXPECT_FALSE(Row(0)->HasCec);
  EXPECT_TRUE(Row(1)->HasCec);
  EXPECT_EQ(VgStringToUtf8(Row(1)->labelText.String), "Player");
  EXPECT_EQ(Row(1)->CecLogicalAddress, 4);
  Press(Key::Down);
  EXPECT_TRUE(Row(1)->rightArrow.Visible);
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_CEC_SelectDevice"), (std::vector<std::string>{"XPM_CEC_SelectDevice 2 4 1"}));
}

// A device's name stands a space apart from the HDMI-CEC mark's picture
// after it, however long the input's name and the device's: "AV Receiver"
// beside "HDMI 2" reads whole, and a longer name ends in "...".
TEST_F(InputLists, EveryDeviceNameStandsApartFromItsMark) {
  Sources({1, 2, 4, 3, 5, 5, 5, 5});
  simtv_tv_set_cec_enable(1);
  const char* names[] = {"BD Player", "AV Receiver", "Game Console 2", "WWWWWWWWWWWWWW"};
  for (int32_t i = 0; i < 4; ++i) AddDevice(i + 5, uint8_t(4 + i), names[i]);
  Embed(VgNew<ExternalInputList>());
  for (int32_t i = 0; i < 4; ++i) {
    InputItem* row = Row(i + 4);
    ASSERT_TRUE(row->HasCec) << names[i];
    const Views::Text& label = row->labelText;
    const int32_t end = label.Bounds.x1 + label.Font->GetTextWidth(label.shownText, 0, 0);
    EXPECT_LE(end, label.Bounds.x2) << names[i];
    // The mark's picture begins a pixel into its bounds.
    EXPECT_GE(row->cecMark.Bounds.x1 + 1 - end, label.Font->GetGlyphAdvance(u' ').x) << names[i];
    if (i < 2) {
      EXPECT_EQ(VgStringToUtf8(label.shownText), names[i])
          << "read whole beside \"" << VgStringToUtf8(row->caption.String) << "\"";
    }
  }
}

TEST_F(InputLists, ThePopUpFitsItsRowsAndEverySourceIsReachable) {
  Sources({1, 12, 2, 3});
  auto* list = Embed(VgNew<ExternalInputList>());
  EXPECT_EQ(VgGetRectH(list->Bounds), 280 - 6 * (list->ItemInterval + 28));
  list->Close();

  Sources(std::vector<int32_t>(12, 2));
  model->SetSourceDisable(11, true);
  list = Embed(VgNew<ExternalInputList>());
  EXPECT_EQ(VgGetRectH(list->Bounds), 280);
  for (int i = 0; i < 10; ++i) Press(Key::Down);
  EXPECT_EQ(Cursor(), 11) << "scrolling passes the disabled eleventh too";
  EXPECT_EQ(vg_cast<InputItem>(list->Focus.get())->SourceId, 12);
  Press(Key::Down);
  EXPECT_EQ(Cursor(), 0) << "round to the first";
}

TEST_F(InputLists, TheDeviceListNamesTheDevicesOfItsInputAndFollowsNameChanges) {
  Sources({1, 5, 2});
  simtv_tv_set_cec_enable(1);
  AddDevice(2, 4, "Player");
  AddDevice(2, 1, "Recorder");
  AddDevice(3, 5, "Elsewhere");
  model->HdmiCecData.InitDevList();
  auto* record = VgNew<SkinBin::UserRefInt>();
  record->Value = 2;
  record->Kind = 2;
  auto* list = Embed(VgNew<CecInputList>(), record);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"1 Player", "2 Recorder"}));
  Press(Key::Down);
  EXPECT_EQ(Focused(), 1);
  Press(Key::Down);
  EXPECT_EQ(Focused(), 1) << "no wrap: the input pop-up takes the key";

  simtv_tv_clear_cec_devices();
  AddDevice(2, 4, "Player");
  AddDevice(2, 1, "Deck");
  list->HandleEvent(VgNew<Events::CEC_EVENT_NAME_UPDATED>());
  VgProcessSignals();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"1 Player", "2 Deck"}));

  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_CEC_SelectDevice"), (std::vector<std::string>{"XPM_CEC_SelectDevice 2 1 0"}));
  EXPECT_EQ(Calls("XPM_SetSource"), (std::vector<std::string>{"XPM_SetSource 0 2"}));
  Press(Key::Left);
  EXPECT_EQ(host->Count("OnExit"), 1);
}

TEST_F(InputLists, LabelsCycleThroughTheChoicesAndTheViewersOwn) {
  Sources({1, 2, 5});
  model->SetSourceLabel(2, VgNewString(u"Somewhere"));
  auto* list = Embed(VgNew<InputLabelingList>());
  auto* row = vg_cast<InputLabelingItem>(list->Focus.get());
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(VgStringToUtf8(row->labelText.String), "--");
  Press(Key::Left);
  EXPECT_EQ(VgStringToUtf8(row->LabelText), "VCR") << "left from no label: the last choice";
  Press(Key::Right);
  EXPECT_EQ(VgStringToUtf8(row->labelText.String), "--") << "right from the last: no label";
  Press(Key::Right);
  EXPECT_EQ(VgStringToUtf8(row->LabelText), "Air");
  EXPECT_EQ(VgStringToUtf8(model->GetSourceLabel(1)), "Air");

  Press(Key::Down);
  row = vg_cast<InputLabelingItem>(list->Focus.get());
  EXPECT_EQ(VgStringToUtf8(row->labelText.String), "Somewhere") << "shown as stored";
  EXPECT_EQ(row->LabelOptionIndex, 0);

  // The keyboard's answer: the viewer's own label, then the same again.
  auto* text = VgNew<Structures::RefString>();
  text->Value = VgNewString(u"Den");
  MainApp::SendMessage(Constants::MSG_LABEL_CHANGE, nullptr, -1, text);
  EXPECT_EQ(row->LabelOptionIndex, 9);
  EXPECT_TRUE(row->CustomChosen());
  EXPECT_EQ(VgStringToUtf8(model->GetSourceCustomLabel(2)), "Den");
  model->SetSourceCustomLabel(2, VgNewString(u"Marker"));
  MainApp::SendMessage(Constants::MSG_LABEL_CHANGE, nullptr, -1, text);
  EXPECT_EQ(VgStringToUtf8(model->GetSourceCustomLabel(2)), "Marker") << "the same label again stores nothing";
  Press(Key::Left);
  EXPECT_EQ(VgStringToUtf8(row->LabelText), "VCR");
  Press(Key::Right);
  EXPECT_EQ(VgStringToUtf8(row->LabelText), "Den");

  Press(Key::Red);
  EXPECT_TRUE(row->IsSkip);
  EXPECT_TRUE(model->GetSourceDisable(2));
  list->Close();
  Embed(VgNew<ExternalInputList>());
  Press(Key::Down);
  EXPECT_EQ(Focused(), 2) << "the input list passes the disabled source";
}

}  // namespace
}  // namespace ListTest
