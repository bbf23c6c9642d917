// The 3D screens on the booted root and the simulated set: the viewing
// information inside the start sequence, the sequence's memory in the
// settings and the model, and the choosers' choices as the 3D keeper takes
// them.
#include <gtest/gtest.h>

#include "AppServices/PersistentData.h"
#include "Events/Events.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "ThreeD/Choosers.h"
#include "ThreeD/ImportantInfoDialog.h"
#include "ThreeD/StartSequence.h"
#include "ThreeD/ThreeDPages.h"
#include "older_pages_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace OlderPagesTest {

using Keeper = ::SkinBin::Setup3D;

class ThreeDTest : public OlderPagesFixture {
 protected:
  void SetUp() override {
    OlderPagesFixture::SetUp();
    // A side-by-side input shown in 3D; no lock, no timer, no warning.
    simtv_tv_set_3d_input(Keeper::kFormatSideBySide);
    model->Setup3D.RefreshState();
    model->OnSetThreeDLock(0);
    model->OnSetThreeD_EnableTimer(0);
    model->OnSetThreeD_DisplayInfo(0);
    model->OnSetThreeDStartMessage(0);
    model->OnSetRemain3DTime(0);
  }
  Keeper& keeper() const { return model->Setup3D; }
  // Opens a non-menu screen as the sequence does: no way back.
  template <class T>
  T* OpenScreen(const VgClass* back = nullptr) {
    auto* screen = vg_cast<T>(SubSystem::Open(nullptr, {.screen = &T::Class, .back = back}));
    Advance(0);
    return screen;
  }
  template <class T>
  T* OnScreen() const {
    for (Core::View* view = App()->NonMenuSystem->firstView; view; view = view->nextView)
      if (auto* found = vg_cast<T>(view)) return found;
    return nullptr;
  }
  bool Any3DScreen() const {
    return OnScreen<ThreeD::ImportantInfoDialog>() || OnScreen<ThreeD::SelectMode>() ||
           OnScreen<ThreeD::StartMessage>() || OnScreen<ThreeD::DisplayMode>() || OnScreen<ThreeD::Start3DWizard>();
  }
};

TEST_F(ThreeDTest, AReported3DModeAsksStartsOrLeavesAsTheAutoStartSays) {
  struct Case {
    int32_t input, autoStart;
    bool chooser, message;
  };
  keeper().State = Keeper::kState3DAs2D;
  for (const Case& c : {Case{Keeper::kFormatSideBySide, 0, true, false}, Case{Keeper::kFormatOverUnder, 1, false, true},
                        Case{Keeper::kFormatSideBySide, 2, false, false},
                        Case{Keeper::kFormatUnsupported, 1, true, false}, Case{Keeper::kFormat2D, 0, false, false}}) {
    simtv_tv_set_3d_input(c.input);
    model->OnSetThreeDAutoStart(c.autoStart);
    Dispatch(VgNew<Events::XPM_EVENT_REPORT_3DMODE>());
    Advance(0);
    EXPECT_EQ(OnScreen<ThreeD::SelectMode_Flag>() != nullptr, c.chooser) << c.input << " " << c.autoStart;
    auto* bar = OnScreen<NonMenuSystem::DirectMessageBar>();
    EXPECT_EQ(bar && bar->ParamValue == NonMenuSystem::DirectMsgType3DDetected, c.message) << c.input;
    App()->NonMenuSystem->ClearAll();
    Advance(0);
  }
  // The 3D signal of a 3D picture ends: 2D, and the banner says so.
  simtv_tv_set_3d_input(Keeper::kFormatSideBySide);
  XPM_3DTV_SetOutput(1);
  keeper().RefreshState();
  ASSERT_EQ(keeper().State, Keeper::kState3D);
  simtv_tv_set_3d_input(Keeper::kFormat2D);
  Dispatch(VgNew<Events::XPM_EVENT_REPORT_3DMODE>());
  Advance(0);
  EXPECT_EQ(keeper().State, Keeper::kState2D);
  EXPECT_NE(OnScreen<ThreeD::DisplayMode>(), nullptr);
}

TEST_F(ThreeDTest, TheInformationInTheSequenceGoesOnOrGivesUp3D) {
  // EXIT: the picture goes to 2D at once, and everything closes.
  keeper().State = Keeper::kState3D;
  ASSERT_NE(OpenScreen<ThreeD::ImportantInfoDialog>(), nullptr);
  const int outputs = CountTvCalls("XPM_3DTV_SetOutput");
  Key(Key::Exit);
  EXPECT_EQ(keeper().State, Keeper::kState3DAs2D);
  EXPECT_EQ(CountTvCalls("XPM_3DTV_SetOutput"), outputs + 1);
  EXPECT_FALSE(Any3DScreen());

  // Return: the keeper's state is 2D, and everything closes.
  keeper().State = Keeper::kState3D;
  ASSERT_NE(OpenScreen<ThreeD::ImportantInfoDialog>(), nullptr);
  Key(Key::Back);
  EXPECT_EQ(keeper().State, Keeper::kState2D);
  EXPECT_FALSE(Any3DScreen());

  // OK on the choice: the sequence goes on, here to the 3D PIN.
  model->OnSetThreeDLock(1);
  auto* info = OpenScreen<ThreeD::ImportantInfoDialog>();
  ASSERT_NE(info, nullptr);
  Key(Key::Ok);
  EXPECT_EQ(OnScreen<ThreeD::ImportantInfoDialog>(), info) << "OK on the text does nothing";
  for (int i = 0; i < 50 && info->Focus.get() != &info->everyTime; ++i) Key(Key::Down);
  ASSERT_EQ(info->Focus.get(), &info->everyTime);
  Key(Key::Ok);
  auto* pin = OnScreen<NonMenuSystem::EnterPinDialog>();
  ASSERT_NE(pin, nullptr);
  EXPECT_EQ(pin->OnGetEnterPinType(), ThreeD::kSequencePin);
  EXPECT_EQ(OnScreen<ThreeD::ImportantInfoDialog>(), nullptr);
}

TEST_F(ThreeDTest, TheInformationFromThePageReturnsThere) {
  auto* info = OpenScreen<ThreeD::ImportantInfoDialog>(&ThreeD::ThreeDMenu::Class);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->FromPage());
  const int outputs = CountTvCalls("XPM_3DTV_SetOutput");
  Key(Key::Back);
  EXPECT_EQ(CountTvCalls("XPM_3DTV_SetOutput"), outputs) << "the picture stays as it is";
  EXPECT_NE(Shown<ThreeD::ThreeDMenu>(), nullptr);
}

TEST_F(ThreeDTest, TheFirstViewingShowsTheInformationOnceAndTheLongUseQuestionComesOnce) {
  ::PersistentData::PersistentData* store = MainApp::GetPersistentData();
  store->PutString(VgNewString(ThreeD::kFirstViewingKey), VgNewString(u"1"));
  OpenScreen<ThreeD::Start3DWizard>(&NonMenuSystem::DirectMessageBar::Class);
  EXPECT_NE(OnScreen<ThreeD::ImportantInfoDialog>(), nullptr);
  EXPECT_FALSE(store->IsStringExist(VgNewString(ThreeD::kFirstViewingKey)));
  App()->NonMenuSystem->ClearAll();
  Advance(0);

  // Again: no information; the long-use question, once.
  model->OnSetThreeD_EnableTimer(1);
  model->OnSetRemain3DContinualTime(30);
  OpenScreen<ThreeD::Start3DWizard>(&NonMenuSystem::DirectMessageBar::Class);
  EXPECT_EQ(OnScreen<ThreeD::ImportantInfoDialog>(), nullptr);
  EXPECT_NE(OnScreen<NonMenuSystem::ConfirmMultiOptionDialog>(), nullptr);
  EXPECT_EQ(model->OnGetRemain3DContinualTime(), -1);
  App()->NonMenuSystem->ClearAll();
  Advance(0);
  OpenScreen<ThreeD::Start3DWizard>(&NonMenuSystem::DirectMessageBar::Class);
  EXPECT_EQ(OnScreen<NonMenuSystem::ConfirmMultiOptionDialog>(), nullptr);
}

TEST_F(ThreeDTest, AfterTheStartWarningNothingFollows) {
  model->OnSetThreeDStartMessage(1);
  OpenScreen<ThreeD::Start3DWizard>(&NonMenuSystem::EnterPinDialog::Class);
  Advance(0);
  auto* warning = OnScreen<ThreeD::StartMessage>();
  ASSERT_NE(warning, nullptr);
  Key(Key::Left);
  EXPECT_EQ(OnScreen<ThreeD::StartMessage>(), warning);
  Key(Key::Ok);
  Advance(0);
  EXPECT_FALSE(Any3DScreen());
}

TEST_F(ThreeDTest, AnUnsupportedFormatEndsInTheMessageWithState5) {
  simtv_tv_set_3d_input(Keeper::kFormatUnsupported);
  model->Setup3D.RefreshState();
  auto* chooser = OpenScreen<ThreeD::SelectMode_Flag>();
  ASSERT_NE(chooser, nullptr);
  Key(Key::Ok);
  Advance(0);
  EXPECT_EQ(keeper().State, Keeper::kStateStarting);
  auto* bar = OnScreen<NonMenuSystem::DirectMessageBar>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->ParamValue, ThreeD::kUnsupportedMessage);
}

TEST_F(ThreeDTest, TheTwoDChooserKeepsTheMissingHalfDisabled) {
  keeper().Mode = Keeper::kFormat2D;
  auto* chooser = OpenScreen<ThreeD::Select2DFormat>();
  ASSERT_NE(chooser, nullptr);
  EXPECT_FALSE(chooser->button2.IsDisabled);
  EXPECT_TRUE(chooser->button3.IsDisabled);
  EXPECT_EQ(chooser->Focus.get(), &chooser->button1);
  Key(Key::Left);
  EXPECT_EQ(chooser->Focus.get(), &chooser->button3);
  EXPECT_EQ(keeper().Mode, Keeper::kFormat2D);
  Key(Key::Left);
  EXPECT_EQ(keeper().Mode, Keeper::kFormatSideBySide);
  Key(Key::Ok);
  EXPECT_FALSE(Any3DScreen());
}

TEST_F(ThreeDTest, TheFormatChooserShowsEachFormatAsTheFocusMoves) {
  keeper().Mode = Keeper::kFormatSideBySide;
  auto* chooser = OpenScreen<ThreeD::SelectFormat>();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->Focus.get(), &chooser->button1);
  const int modes = CountTvCalls("XPM_3DTV_SetMode 3");
  Key(Key::Right);
  EXPECT_EQ(keeper().Mode, Keeper::kFormatOverUnder);
  EXPECT_EQ(model->ThreeDFormatChoice, 1);
  Advance(0);
  EXPECT_EQ(CountTvCalls("XPM_3DTV_SetMode 3"), modes + 1);
  Key(Key::Back);
  EXPECT_EQ(OnScreen<ThreeD::SelectFormat>(), chooser) << "Return is swallowed";
  chooser->Close();
  // The choice is remembered for an input of another format.
  keeper().Mode = Keeper::kFormat2D;
  chooser = OpenScreen<ThreeD::SelectFormat>();
  EXPECT_EQ(chooser->Focus.get(), &chooser->button2);
}

TEST_F(ThreeDTest, LeavingTheDetectedChooserMeans2DAndTheBannerOnlyAfter3D) {
  for (int32_t state : {Keeper::kState3D, Keeper::kState2DTo3D, Keeper::kState2D, Keeper::kState3DAs2D}) {
    keeper().State = state;
    ASSERT_NE(OpenScreen<ThreeD::SelectMode_Flag>(), nullptr);
    Key(Key::Exit);
    Advance(0);
    EXPECT_EQ(keeper().State, Keeper::kState3DAs2D) << state;
    EXPECT_EQ(OnScreen<ThreeD::DisplayMode>() != nullptr, state == Keeper::kState3D || state == Keeper::kState2DTo3D)
        << state;
    App()->NonMenuSystem->ClearAll();
    Advance(0);
  }
}

TEST_F(ThreeDTest, TwoDInto3DIsRememberedByTheButtonChooser) {
  simtv_tv_set_3d_input(Keeper::kFormat2D);
  model->Setup3D.RefreshState();
  auto* chooser = OpenScreen<ThreeD::SelectMode_Button>();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->Focus.get(), &chooser->button1);
  Key(Key::Ok);
  EXPECT_EQ(keeper().Mode, Keeper::kFormat2D);
  EXPECT_EQ(keeper().State, Keeper::kState2DTo3D);
  EXPECT_EQ(keeper().ModeChoice, 0);
  App()->NonMenuSystem->ClearAll();
  Advance(0);
  chooser = OpenScreen<ThreeD::SelectMode_Button>();
  EXPECT_EQ(chooser->Focus.get(), &chooser->button1);
  Key(Key::Right);
  Key(Key::Ok);
  EXPECT_EQ(keeper().ModeChoice, 1);
  EXPECT_EQ(keeper().State, Keeper::kState3D);
  App()->NonMenuSystem->ClearAll();
  Advance(0);
  chooser = OpenScreen<ThreeD::SelectMode_Button>();
  EXPECT_EQ(chooser->Focus.get(), &chooser->button2);
}

}  // namespace OlderPagesTest
