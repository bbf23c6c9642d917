// The widget manager: one screen per layer, lower layers stacked behind
// higher ones in the same group, closing by layer mask from the newest, and
// the lookups by window id.
#include <gtest/gtest.h>

#include "Core/Keys.h"
#include "SkinBin/WidgetManager.h"
#include "Structures/Boxes.h"
#include "SubSystem/SubSystemClass.h"
#include "WinIDs/WinIDs.h"
#include "shell_fixture.h"
#include "simtv.h"

namespace {

using RootTest::Log;

class WidgetManagerTest : public ShellTest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    system = StartSubSystem<SubSystem::SubSystemClass>();
    other = StartSubSystem<SubSystem::SubSystemClass>();
    Log().clear();
  }
  ShellTest::Screen* Show(const std::string& name, int32_t layer, SubSystem::SubSystemClass* parent = nullptr) {
    return Open(MakeScreen(name, 0x2000000 + ++shown, layer), parent ? parent : system);
  }
  Structures::ArrayInt* Ids(std::initializer_list<int32_t> values, int32_t count) {
    auto* ids = VgNew<Structures::ArrayInt>();
    int32_t i = 0;
    for (int32_t v : values) ids->Values[i++] = v;
    ids->Count = count;
    return ids;
  }

  SubSystem::SubSystemClass* system = nullptr;
  SubSystem::SubSystemClass* other = nullptr;
  int32_t shown = 0;
};

TEST_F(WidgetManagerTest, ASecondScreenOnALayerClosesTheFirstBeforeItIsListed) {
  ShellTest::Screen* first = Show("first", 4);
  Show("keeps", 8);
  std::string listedWhenClosed;
  first->afterClose = [&] { listedWhenClosed = Listed(); };

  Show("second", 4);
  EXPECT_EQ(Log(), "first ");
  EXPECT_EQ(listedWhenClosed, "keeps ") << "the first leaves the list before the second joins it";
  EXPECT_EQ(first->owner.get(), nullptr);
  EXPECT_EQ(Listed(), "keeps second ");
}

TEST_F(WidgetManagerTest, ALowerLayerGoesDirectlyBehindTheLowestHigherLayerOfItsGroup) {
  Show("eight", 8);
  Show("sixteen", 16);
  Show("elsewhere4", 4, other);  // a higher layer in another group plays no part
  Show("two", 2);
  EXPECT_EQ(Stack(system), "two eight sixteen ");

  Show("another8", 8);  // closes "eight"; now the only higher layer is 16
  EXPECT_EQ(Stack(system), "two another8 sixteen ");
  Show("top", 32);
  EXPECT_EQ(Stack(system), "two another8 sixteen top ") << "no higher layer: stays on top";
  EXPECT_EQ(Stack(other), "elsewhere4 ");
}

TEST_F(WidgetManagerTest, CloseLayersClosesByMaskFromTheNewest) {
  Show("one", 1);
  Show("two", 2);
  Show("four", 4);
  Show("thirtytwo", 32);
  Show("sixteen", 16);
  Show("eight", 8, other);

  manager->CloseLayers(30);
  EXPECT_EQ(Log(), "eight sixteen four two ");
  EXPECT_EQ(Listed(), "one thirtytwo ");

  Log().clear();
  manager->CloseLayers(-1);
  EXPECT_EQ(Log(), "thirtytwo one ");
  EXPECT_TRUE(manager->Empty());
}

// Closing one screen may close others that the walk has still to reach, and
// open one of them again: each closes once, and what was opened stays open.
TEST_F(WidgetManagerTest, ACloseThatCascadesClosesEachScreenOnce) {
  ShellTest::Screen* two = Show("two", 2);
  ShellTest::Screen* four = Show("four", 4);
  ShellTest::Screen* eight = Show("eight", 8);
  eight->afterClose = [&] {
    four->Close();
    two->Close();
    Open(two, system);
  };

  manager->CloseLayers(14);
  EXPECT_EQ(Log(), "eight four two ");
  EXPECT_EQ(four->closes, 1);
  EXPECT_EQ(two->closes, 1);
  EXPECT_EQ(Listed(), "two ");
  EXPECT_EQ(two->owner.get(), system);
}

// A screen closed to make room may open another screen, whose insertion finds
// a stacking candidate of its own; the first insertion keeps its candidate.
TEST_F(WidgetManagerTest, AScreenOpenedWhileMakingRoomDoesNotMisplaceTheNewOne) {
  Show("eight", 8);
  ShellTest::Screen* old4 = Show("old4", 4);
  Show("sixteen", 16, other);
  old4->afterClose = [&] { Show("back2", 2, other); };

  Show("new4", 4);
  EXPECT_EQ(Stack(system), "new4 eight ");
  EXPECT_EQ(Stack(other), "back2 sixteen ");
}

// A pop-up answers the screen that asked it, or a list hosted in that
// screen: when a screen of the asker's layer takes its place, the pop-up
// goes too, before the hosted list; pop-ups over a screen that stays, and
// screens that ask nobody, stay.
TEST_F(WidgetManagerTest, APopUpClosesWhenTheScreenOrHostedFormThatAskedItCloses) {
  ShellTest::Screen* dialog = Show("dialog", 32);
  ShellTest::Screen* list = Open(MakeScreen("list", 0, 0), dialog);
  ShellTest::Screen* keyboard = Show("keyboard", 256);
  keyboard->Asker = list;
  ShellTest::Screen* question = Show("question", 128);
  question->Asker = dialog;
  Show("banner", 64);
  ShellTest::Screen* beside = Show("beside", 2, other);
  ShellTest::Screen* besidePopUp = Show("besidePopUp", 8);
  besidePopUp->Asker = beside;

  Show("hidden", 16);  // a screen leaving that asked nothing closes no pop-up
  manager->CloseLayers(16);
  EXPECT_EQ(Log(), "hidden ");
  EXPECT_EQ(Listed(), "dialog keyboard question banner beside besidePopUp ");

  Log().clear();
  Show("quick", 32);
  EXPECT_EQ(Log(), "keyboard question list dialog ");
  EXPECT_EQ(Listed(), "banner beside besidePopUp quick ");
  EXPECT_EQ(keyboard->Asker.get(), nullptr) << "a closed pop-up forgets whom it answered";
  EXPECT_EQ(keyboard->closes, 1);

  // The asker may stand in another group, as a menu page does.
  Log().clear();
  beside->Close();
  EXPECT_EQ(Log(), "besidePopUp beside ");
  EXPECT_EQ(Listed(), "banner quick ");
}

// A pop-up whose own close closes others (a confirmation that takes its
// keyboard along) leaves each to close once.
TEST_F(WidgetManagerTest, PopUpsThatCloseEachOtherCloseOnce) {
  ShellTest::Screen* dialog = Show("dialog", 32);
  ShellTest::Screen* keyboard = Show("keyboard", 256);
  ShellTest::Screen* question = Show("question", 128);
  keyboard->Asker = dialog;
  question->Asker = dialog;
  question->afterClose = [&] { keyboard->Close(); };

  dialog->Close();
  EXPECT_EQ(Log(), "keyboard question dialog ");
  EXPECT_EQ(keyboard->closes, 1);
  EXPECT_EQ(Listed(), "");
}

// An event of the set, or a key, that a pop-up does not take reaches its
// asker (through the asker's focus and the forms that host it) before the
// sub-system; an asker that closes on it takes the pop-up.
TEST_F(WidgetManagerTest, APopUpPassesTheEventsItDoesNotTakeToItsAsker) {
  ShellTest::Screen* dialog = Show("dialog", 32);
  ShellTest::Screen* list = Open(MakeScreen("list", 0, 0), dialog);
  dialog->OnSetFocus(list);
  ShellTest::Screen* keyboard = Show("keyboard", 256);
  keyboard->Asker = list;
  ShellTest::Screen* question = Show("question", 128);
  question->Asker = keyboard;
  system->OnSetFocus(question);
  Log().clear();

  system->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(Key::Green, true));
  EXPECT_EQ(Log(), "question:key keyboard:key list:key dialog:key ") << "as if the pop-ups were not there";

  Log().clear();
  system->DispatchEvent(VgNew<Core::Event>());
  EXPECT_EQ(Log(), "question:event keyboard:event list:event dialog:event ");

  Log().clear();
  dialog->take = true;
  dialog->closeOnTake = true;
  EXPECT_EQ(system->DispatchEvent(VgNew<Core::Event>()), dialog);
  EXPECT_EQ(Log(), "question:event keyboard:event list:event dialog:event question keyboard list dialog ");
  EXPECT_EQ(Listed(), "");

  // A pop-up left behind by its asker passes nothing on.
  ShellTest::Screen* other = Show("other", 32);
  ShellTest::Screen* orphan = Show("orphan", 128);
  orphan->Asker = other;
  other->Primitives::KeyRoutingForm::Close();
  Log().clear();
  orphan->DispatchEvent(VgNew<Core::Event>());
  EXPECT_EQ(Log(), "orphan:event ");
}

TEST_F(WidgetManagerTest, RemovingWithoutManageWidgetLeavesTheListAlone) {
  ShellTest::Screen* screen = Show("screen", 4);
  system->ManageWidget = false;
  screen->Close();
  EXPECT_EQ(Listed(), "screen ");
  system->ManageWidget = true;
  Open(screen, system);
  EXPECT_EQ(Listed(), "screen ") << "a listed screen keeps its one entry";
  EXPECT_EQ(screen->owner.get(), system) << "and does not close itself for sharing its own layer";
}

// The state manager hears when the first screen opens and when the last
// closes, and nothing in between.
TEST_F(WidgetManagerTest, TheStateManagerHearsWhetherAScreenIsOpenOnlyWhenThatChanges) {
  auto reports = [] {
    std::string found;
    char text[256];
    for (int i = 0; i < simtv_call_count(); ++i)
      if (simtv_call_text(i, text, sizeof text) == 0 && std::string(text).rfind("TVSM_ReportAsyncEvent 1 26 ", 0) == 0)
        found += std::string(text).substr(27) + "; ";
    simtv_clear_calls();
    return found;
  };
  auto* skinned = vg_cast<SkinBin::WidgetManager>(manager);
  ASSERT_NE(skinned, nullptr);
  reports();
  ShellTest::Screen* first = Show("first", 4);
  EXPECT_TRUE(skinned->FirstFormOpened);
  skinned->FirstFormOpened = false;
  Show("second", 8);
  Show("third", 4);  // closes the first
  first->Close();
  EXPECT_FALSE(skinned->FirstFormOpened);
  EXPECT_EQ(reports(), "1 4; ");
  manager->CloseLayers(8);
  EXPECT_EQ(reports(), "");
  manager->CloseLayers(-1);
  EXPECT_EQ(reports(), "0 4; ");
  Show("again", 2);
  EXPECT_TRUE(skinned->FirstFormOpened);
  EXPECT_EQ(reports(), "1 4; ");
}

TEST_F(WidgetManagerTest, LookupsByWindowId) {
  EXPECT_EQ(manager->FindForm(WinIDs::WIN_ID_VolumeBar), nullptr);
  EXPECT_FALSE(manager->HasWidgetInGroup(WinIDs::WIN_ID_MainMenu));
  EXPECT_FALSE(manager->HasWidgetExcept(Ids({}, 0)));

  ShellTest::Screen* volume = Open(MakeScreen("volume", WinIDs::WIN_ID_VolumeBar, 32), system);
  Open(MakeScreen("volume2", WinIDs::WIN_ID_VolumeBar, 64), system);
  Open(MakeScreen("menu", WinIDs::WIN_ID_MainMenu, 2), system);

  EXPECT_EQ(manager->FindForm(WinIDs::WIN_ID_VolumeBar), volume) << "the oldest of a window id";
  EXPECT_EQ(manager->FindForm(WinIDs::WIN_ID_MuteBar), nullptr);
  EXPECT_TRUE(manager->HasWidgetInGroup(WinIDs::WIN_ID_SettingsMenu));
  EXPECT_FALSE(manager->HasWidgetInGroup(WinIDs::WIN_ID_MediaPlayer));

  EXPECT_FALSE(manager->HasWidget(Ids({WinIDs::WIN_ID_MainMenu}, 0)));
  EXPECT_TRUE(manager->HasWidget(Ids({WinIDs::WIN_ID_MuteBar, WinIDs::WIN_ID_MainMenu}, 2)));
  EXPECT_FALSE(manager->HasWidget(Ids({WinIDs::WIN_ID_MuteBar, WinIDs::WIN_ID_MainMenu}, 1)));
  EXPECT_TRUE(manager->HasWidgetExcept(Ids({}, 0)));
  EXPECT_TRUE(manager->HasWidgetExcept(Ids({WinIDs::WIN_ID_VolumeBar}, 1)));
  EXPECT_FALSE(manager->HasWidgetExcept(Ids({WinIDs::WIN_ID_VolumeBar, WinIDs::WIN_ID_MainMenu}, 2)));
  // A count beyond the array reads only the ten ids it holds.
  EXPECT_TRUE(manager->HasWidget(Ids({WinIDs::WIN_ID_MainMenu}, 1000)));
  EXPECT_FALSE(manager->HasWidget(nullptr));
}

TEST_F(WidgetManagerTest, DumpFormsTracesEveryScreenOldestFirst) {
  Open(MakeScreen("volume", WinIDs::WIN_ID_VolumeBar, 32), system);
  Open(MakeScreen("menu", WinIDs::WIN_ID_MainMenu, 2), system);
  testing::internal::CaptureStdout();
  manager->DumpForms();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "trace: \"Dump forms in Widget Manager\"\n"
            "trace: \"Class\", ShellTest::Screen, \"WinID\", 33554433\n"
            "trace: \"Class\", ShellTest::Screen, \"WinID\", 16777217\n");
}

}  // namespace
