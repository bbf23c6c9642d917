// The channel lists in the host form over the simulated set's channels:
// placeholders without channels, tuning where the focus rests, the ring and
// lock toggles with the records following them, renaming on the keyboard,
// and the manual scan's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Agent/MessageAgent.h"
#include "Bitmaps.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"
#include "Constants/Constants.h"
#include "ListForm/ChannelLists.h"
#include "ListForm/ChannelRecords.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "NonMenuSystem/KeyPad.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "list_host.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace ListTest {

// A non-menu widget holding a list, as the channel screens hold theirs.
class ChannelDialog : public NonMenuSystem::WidgetClass {
  VG_CLASS()
 public:
  ChannelDialog() {
    WinID = 0x2000052;
    Bounds = {0, 0, 960, 540};
  }
};

}  // namespace ListTest

VG_DEFINE_CLASS(ListTest, ChannelDialog, NonMenuSystem::WidgetClass)

namespace ListTest {
namespace {

using namespace ListForm;

std::string Utf8(VgString text) { return VgStringToUtf8(text); }

class ChannelLists : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
  }

  // Channels major-minor in number order, each on the antenna, on air: the first.
  void AddChannels(std::vector<std::pair<int32_t, int32_t>> numbers) {
    for (auto [major, minor] : numbers) {
      XPM_ChannelInfo channel{};
      std::snprintf(channel.name, sizeof channel.name, "CH%d", major);
      channel.major = major;
      channel.minor = minor;
      channel.substituteMinor = -1;
      channel.digital = minor > 0;
      channel.physical = 20 + major;
      channel.signalStrength = 50;
      simtv_tv_add_channel(&channel);
    }
    simtv_av_set_channel(0, numbers[0].first, numbers[0].second);
    simtv_clear_calls();
  }
  template <class Row>
  Row* RowAt(int32_t i) {
    return vg_cast<Row>(embedded->GetCtrlAt(i));
  }
  static std::vector<std::string> Calls(const std::string& name) {
    std::vector<std::string> calls;
    for (const std::string& call : RecordedCalls())
      if (call.compare(0, name.size() + 1, name + " ") == 0) calls.push_back(call);
    return calls;
  }
};

TEST_F(ChannelLists, WithoutChannelsTheListsAreEmptyAndAReaderStandsFor2Dash0) {
  auto* list = Embed(VgNew<MasterChannelList>());
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(list->DataSource->Num, 0);

  auto* source = VgNew<ListDataSource>();
  source->Num = 1;
  auto* master = vg_cast<ChannelCourier>(source->GetItemData(&MasterChannelList::Class, 0));
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master->ChannelMajor, 2);
  EXPECT_EQ(master->ChannelMinor, 0);
  EXPECT_EQ(master->IsDigital, 1);
  EXPECT_EQ(master->PhysicalChNum, 2);
  EXPECT_EQ(Utf8(master->Text), "");
  auto* manual = vg_cast<ManualChannelCourier>(source->GetItemData(&ManualChannelList::Class, 0));
  ASSERT_NE(manual, nullptr);
  EXPECT_EQ(manual->SignalStrength, 70);
  EXPECT_EQ(manual->IsNew, 1);

  auto* row = VgNew<ChannelItem>();
  row->SetData(master);
  EXPECT_EQ(Utf8(row->Text), "2-0") << "digital channels show minor 0";
  EXPECT_EQ(Calls("XPM_SetChannel").size(), 0u);
}

TEST_F(ChannelLists, OnlyTheChannelTheFocusRestsOnIsTunedAndNeverTheOneOnAir) {
  AddChannels({{2, 1}, {4, 1}, {5, 1}, {7, 1}});
  Embed(VgNew<MasterChannelList>());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"2-1", "4-1", "5-1", "7-1"}));
  Advance(2000);
  EXPECT_EQ(Calls("XPM_SetChannel").size(), 0u) << "resting on the channel on air";

  Press(Key::Down);
  Advance(1000);
  Press(Key::Down);
  Advance(1499);
  EXPECT_EQ(Calls("XPM_SetChannel").size(), 0u);
  Advance(1);
  EXPECT_EQ(Calls("XPM_SetChannel"), (std::vector<std::string>{"XPM_SetChannel 0 5 1"}));
  Advance(3000);
  EXPECT_EQ(Calls("XPM_SetChannel").size(), 1u) << "one rest, one tune";
}

TEST_F(ChannelLists, TheOptionListStartsOnTheChannelOnAirAndRedTogglesOnlyThatRing) {
  AddChannels({{4, 1}, {2, 1}, {9, 1}});
  simtv_av_set_channel(0, 4, 1);
  auto* list = Embed(VgNew<ChannelOptionList>());
  EXPECT_EQ(Cursor(), 1) << "2-1, 4-1, 9-1: the channel on air is the second";
  EXPECT_EQ(Utf8(RowAt<ChannelOptionItem>(Focused())->ChannelLabel), "CH4");

  Press(Key::Red);
  auto* focused = RowAt<ChannelOptionItem>(Focused());
  EXPECT_TRUE(focused->IsEnabled);
  EXPECT_EQ(focused->checkBox.Bitmap.get(), VgLoad<Resources::Bitmap>(Bitmaps::CheckBoxCheck));
  EXPECT_EQ(ChannelAt(1)->Ring, 1);
  EXPECT_EQ(ChannelAt(0)->Ring, 0);
  EXPECT_FALSE(RowAt<ChannelOptionItem>(0)->IsEnabled);
  EXPECT_EQ(Calls("XPM_AddChannelToRing"), (std::vector<std::string>{"XPM_AddChannelToRing 0 4 1"}));
  EXPECT_EQ(host->Count("FocusMove"), 1);
  Press(Key::Red);
  EXPECT_EQ(Calls("XPM_RemoveChannelFromRing"), (std::vector<std::string>{"XPM_RemoveChannelFromRing 0 4 1"}));

  list->EnableAllChannels(true);
  VgProcessSignals();
  EXPECT_EQ(Calls("XPM_AddChannelToRing").back(), "XPM_AddChannelToRing 0 -1 -1");
  for (int32_t i = 0; i < 3; ++i) EXPECT_TRUE(RowAt<ChannelOptionItem>(i)->IsEnabled) << i;
}

TEST_F(ChannelLists, ALockShowsAtOnceAndStaysThroughScrolling) {
  AddChannels({{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}, {11, 1}});
  auto* list = Embed(VgNew<ChannelLockList>());
  Press(Key::Down);
  Press(Key::Ok);
  auto* row = RowAt<ChannelLockItem>(Focused());
  EXPECT_TRUE(row->IsLocked);
  EXPECT_TRUE(row->lockImage.Visible);
  EXPECT_EQ(Calls("XPM_SetChannelLock"), (std::vector<std::string>{"XPM_SetChannelLock 3 1 1"}));
  EXPECT_EQ(host->Count("FocusMove"), 2) << "the move and the lock";

  Press(Key::PageDown);
  Press(Key::PageUp);
  ASSERT_EQ(Cursor(), 1);
  EXPECT_TRUE(RowAt<ChannelLockItem>(Focused())->lockImage.Visible);
  EXPECT_FALSE(RowAt<ChannelLockItem>(0)->lockImage.Visible);

  list->LockAllChannels(false);
  VgProcessSignals();
  EXPECT_EQ(Calls("XPM_SetChannelLock").back(), "XPM_SetChannelLock -1 -1 0");
  EXPECT_FALSE(RowAt<ChannelLockItem>(Focused())->lockImage.Visible);
}

TEST_F(ChannelLists, TheManualListShowsTheRFChannelsFindingsWithTheirStrength) {
  XPM_ChannelInfo found{};
  std::snprintf(found.name, sizeof found.name, "KXYZ");
  found.major = 7;
  found.minor = 5;
  found.substituteMinor = 0;
  found.digital = 1;
  found.physical = 33;
  found.scanned = 1;
  found.isNew = 1;
  found.signalStrength = 19;
  simtv_tv_add_channel(&found);
  auto* list = Embed(VgNew<ManualChannelList>());
  EXPECT_EQ(list->ItemNum, 1) << "one row before the first RF channel";
  list->OnSetPhysicalChannel(33);
  VgProcessSignals();
  ASSERT_EQ(Texts(), (std::vector<std::string>{"7-0"})) << "the substitute minor 0 shows, not 5";
  auto* row = RowAt<ManualChannelItem>(0);
  EXPECT_EQ(Utf8(row->nameText.String), "KXYZ");
  EXPECT_TRUE(row->newMark.Visible);
  EXPECT_EQ(row->signal.ImageNumber, 1);
  list->OnSetPhysicalChannel(34);
  VgProcessSignals();
  EXPECT_TRUE(Texts().empty());

  for (auto [strength, image] : std::vector<std::pair<int32_t, int32_t>>{
           {0, 0}, {19, 1}, {20, 2}, {99, 5}, {100, 5}, {250, 5}, {-40, 0}, {-5, 0}}) {
    row->OnSetSignalStrength(strength);
    EXPECT_EQ(row->signal.ImageNumber, image) << strength;
  }
}

// The keyboard opens over the widget that holds the option list and its
// answer renames the focused channel, unless the name is the same.
TEST_F(ChannelLists, OkRenamesTheChannelOnTheKeyboardAndTheSameNameSendsNothing) {
  AddChannels({{2, 1}, {5, 1}});
  const Agent::MessageDelivery before = Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  VgLockObject(MainApp::GetMessageAgent());
  VgLockObject(MainApp::GetWidgetManager());
  auto* system = VgNew<NonMenuSystem::NonMenuSystem>();
  auto* opening = VgNew<Primitives::KeyRoutingParameter>();
  opening->Parent = top;
  system->Initialize(opening);
  system->Open();
  top->OnSetFocus(system);
  auto* dialog = vg_cast<ChannelDialog>(system->OpenState(&ChannelDialog::Class, nullptr));
  ASSERT_NE(dialog, nullptr);
  dialog->NonMenuSystem = system;
  auto* list = VgNew<ChannelOptionList>();
  dialog->Add(list, 0);
  dialog->OnSetFocus(list);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = dialog;
  list->Initialize(parameter);
  VgProcessSignals();
  embedded = list;

  Press(Key::Down);
  Press(Key::Ok);
  NonMenuSystem::KeyPad* pad = nullptr;
  for (Core::View* view = system->firstView; view && !pad; view = view->nextView)
    pad = vg_cast<NonMenuSystem::KeyPad>(view);
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->MaxLength, ChannelOptionList::MaxLabelLength);
  EXPECT_EQ(Utf8(pad->Text), "CH5");
  EXPECT_EQ(pad->ParamKind, Constants::MSG_FROM_NONMENUSYSTEM);
  EXPECT_EQ(pad->PrevState, &ChannelDialog::Class);

  pad->Done();
  EXPECT_TRUE(Calls("XPM_SetChannelName").empty());
  EXPECT_EQ(system->Focus.get(), dialog) << "the widget takes the focus back";

  auto* answer = VgNew<Structures::RefString>();
  answer->Value = VgNewStringAnsi("News");
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_LABEL_CHANGE;
  message->Payload = answer;
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
  EXPECT_EQ(Calls("XPM_SetChannelName"), (std::vector<std::string>{"XPM_SetChannelName 5 1 News"}));
  EXPECT_EQ(Utf8(ChannelAt(1)->Name), "News");
  EXPECT_EQ(Utf8(RowAt<ChannelOptionItem>(Focused())->labelText.String), "News");

  message->Code = Constants::MSG_OPTION_CHANGE;
  answer->Value = VgNewStringAnsi("Other");
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
  EXPECT_EQ(Calls("XPM_SetChannelName").size(), 1u);

  // The dialog closes the list with itself, and the keyboard the list asked
  // goes with them; a Done that still reached it would answer nobody, and
  // the closed dialog is not given the focus.
  Press(Key::Ok);
  for (Core::View* view = system->firstView; view; view = view->nextView)
    if (auto* open = vg_cast<NonMenuSystem::KeyPad>(view)) pad = open;
  ASSERT_NE(pad->owner.get(), nullptr);
  EXPECT_EQ(pad->Asker.get(), list);
  dialog->Close();
  EXPECT_EQ(list->owner.get(), nullptr);
  EXPECT_EQ(MainApp::GetMessageAgent()->FindNode(list), nullptr);
  EXPECT_EQ(pad->owner.get(), nullptr) << "the keyboard closed with the list that asked it";
  pad->Done();
  EXPECT_EQ(Calls("XPM_SetChannelName").size(), 1u);
  // Nor does an answer handed to the closed list itself focus its dialog.
  message->Code = Constants::MSG_LABEL_CHANGE;
  list->HandleMessage(message);
  EXPECT_NE(system->Focus.get(), dialog);

  system->Close();
  VgUnlockObject(MainApp::GetWidgetManager());
  VgUnlockObject(MainApp::GetMessageAgent());
  Agent::SetMessageDelivery(before);
}

}  // namespace
}  // namespace ListTest
