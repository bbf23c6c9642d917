// The list host, the adjustment bars, the volume and mute keys, the date and
// time pop-ups, the screen saver's colour and the input dialog's handed-over
// keys.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "ListForm/ListClass.h"
#include "ListForm/ListCourier.h"
#include "ListForm/ListItem.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "NonMenuSystem/AdjustmentBar.h"
#include "NonMenuSystem/BaseColorAdjustmentBar.h"
#include "NonMenuSystem/ColorPad.h"
#include "NonMenuSystem/DateSettingDialog.h"
#include "NonMenuSystem/DateTimeOwner.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/ExternalInputDialog.h"
#include "NonMenuSystem/InputLabelingDialog.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/NoSliderAdjustmentBar.h"
#include "NonMenuSystem/TimeSettingDialog.h"
#include "NonMenuSystem/ToggleOptionOverlay.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "Structures/Boxes.h"
#include "WinIDs/WinIDs.h"
#include "nonmenu_fixture.h"
#include "root_fixture.h"
#include "simtv.h"

namespace NonMenuTest {

// A list of four numbered entries that keeps the value of the record its
// host handed it.
class TinyList : public ListForm::ListClass {
  VG_CLASS()
 public:
  explicit TinyList(XObject* link = nullptr);
  void Initialize(Primitives::KeyRoutingParameter* parameter) override {
    auto* record = parameter ? vg_cast<SkinBin::UserRefInt>(parameter->Param.get()) : nullptr;
    seen = record ? record->Value : -1;
    ListForm::ListClass::Initialize(parameter);
  }
  int32_t GetItemsNum() override { return 4; }
  int32_t seen = 0;
};

class TinyHost : public NonMenuSystem::ListHost<TinyList> {
  VG_CLASS()
 public:
  TinyHost() {
    WinID = 0x2000052;
    Bounds = {0, 100, 300, 300};
    RegistersMessages = true;
  }
  void HandleListMessage(Structures::Message* message) override { heard.push_back(message->Code); }
  std::vector<int32_t> heard;
};

// The screen that owns a date or time pop-up: it keeps what it heard.
class DateOwner : public NonMenuSystem::WidgetClass, public NonMenuSystem::DateTimeOwner {
  VG_CLASS()
 public:
  DateOwner() {
    WinID = 0x2000053;
    Bounds = {0, 100, 300, 200};
  }
  void UpdateDateSettings(int32_t month, int32_t day, int32_t year) override { dates.emplace_back(month, day, year); }
  void UpdateTimeSettings(int32_t hour, int32_t minute, VgString ampm) override {
    times.emplace_back(hour, minute, VgStringToUtf8(ampm));
  }
  std::vector<std::tuple<int32_t, int32_t, int32_t>> dates;
  std::vector<std::tuple<int32_t, int32_t, std::string>> times;
};

namespace {

XObject* ReadTiny(ListForm::ListDataSource*, int32_t index) {
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  courier->Text = VgNewStringInt(index, 0);
  return courier;
}

constexpr ListForm::ListDef kTinyList{.bounds = {0, 0, 200, 160}, .maxRows = 4, .rowClass = &ListForm::ListItem::Class};

}  // namespace

LISTFORM_REGISTER_READER(TinyList, ReadTiny)

TinyList::TinyList(XObject* link) : ListForm::ListClass(kTinyList, link) {}

}  // namespace NonMenuTest

VG_DEFINE_CLASS(NonMenuTest, TinyList, ListForm::ListClass)
VG_DEFINE_CLASS(NonMenuTest, TinyHost, NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(NonMenuTest, DateOwner, NonMenuSystem::WidgetClass)

namespace {

using NonMenuTest::DateOwner;
using NonMenuTest::TinyHost;
using Date = std::tuple<int32_t, int32_t, int32_t>;

class ScreensTest : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    simtv_tv_reset();
    simtv_av_reset();
    model = MainApp::GetWrapper();
  }
  void TearDown() override {
    simtv_tv_reset();
    simtv_av_reset();
    NonMenuFixture::TearDown();
  }
  void Send(int32_t code, XObject* payload, const VgClass* target) {
    auto* message = VgNew<Structures::Message>();
    message->Code = code;
    message->Payload = payload;
    MainApp::GetMessageAgent()->Dispatch(message, target);
    VgProcessSignals();
  }
  SkinBin::Wrapper* model = nullptr;
};

// The refusal names what holds the set on, whichever window it is; a
// recording outweighs a pause in the other window.
TEST_F(ScreensTest, TheStandbyRefusalNamesWhatKeepsTheSetOn) {
  auto shown = [this](int32_t window0, int32_t window1) {
    simtv_tv_set_live_tv_state(0, window0);
    simtv_tv_set_live_tv_state(1, window1);
    Send(Constants::MSG_RECORD_SLEEP_WARNING, nullptr, &NonMenuSystem::NonMenuSystem::Class);
    auto* bar = vg_cast<NonMenuSystem::DirectMessageBar>(MainApp::GetWidgetManager()->FindForm(0x2000009));
    std::string text = bar ? Utf8(bar->message.String) : "no message";
    Advance(4000);
    EXPECT_FALSE(Listed(0x2000009)) << "gone after its time";
    return text;
  };
  EXPECT_EQ(shown(1, 3), Text(Strings::SID_MSG_STANDBY_REFUSED_RECORDING));
  EXPECT_EQ(shown(2, 1), Text(Strings::SID_MSG_STANDBY_REFUSED_PAUSED));
  EXPECT_EQ(shown(2, 3), Text(Strings::SID_MSG_STANDBY_REFUSED_RECORDING));
  EXPECT_EQ(shown(3, 2), Text(Strings::SID_MSG_STANDBY_REFUSED_RECORDING));

  // What held the set on has ended since the refusal: nothing to tell.
  testing::internal::CaptureStdout();
  EXPECT_EQ(shown(1, 1), "no message");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "NonMenuSystem::NonMenuSystem.SleepRefusalMessage: no window records or pauses (live-TV states 1 and 1); "
            "no refusal shown\n");
}

TEST_F(ScreensTest, AListHostHandsItsListTheRecordKeepsAwakeWhileTheListMovesAndClosesOnItsExit) {
  auto* host = static_cast<TinyHost*>(Open(&TinyHost::Class, 3));
  EXPECT_EQ(host->list.seen, 3) << "the list gets the screen's own record";
  EXPECT_EQ(host->list.Parent.get(), host);
  EXPECT_EQ(host->Focus.get(), &host->list);
  EXPECT_EQ(system->Focus.get(), host);

  // The list takes the arrows; only its moves keep the screen from timing out.
  Advance(5000);
  Press(Key::Down);
  EXPECT_EQ(host->list.GetCursor(), 1);
  Advance(5000);
  EXPECT_TRUE(Listed(0x2000052));
  Advance(1000);
  EXPECT_FALSE(Listed(0x2000052));

  host = static_cast<TinyHost*>(Open(&TinyHost::Class));
  Send(Constants::MSG_CLEAR_HELP_BAR, nullptr, nullptr);
  EXPECT_EQ(host->heard, std::vector<int32_t>{Constants::MSG_CLEAR_HELP_BAR});
  VgSignal(host->list.OnExit, &host->list);
  EXPECT_FALSE(Listed(0x2000052));
  Send(Constants::MSG_CLEAR_HELP_BAR, nullptr, nullptr);
  EXPECT_EQ(host->heard.size(), 1u) << "a closed host hears nothing";
}

TEST_F(ScreensTest, ABarWritesEachStepStopsAtItsEndsAndGoesBackWhereItCameFrom) {
  model->OnSetDynamicContrast(9);
  auto* bar = static_cast<NonMenuSystem::AdjustmentBar*>(
      Open(&NonMenuSystem::AdjustmentBar::Class, OptionDatabase::OPTION_TYPE_DYNAMIC_CONTRAST,
           Constants::MSG_FROM_MENUSYSTEM, &NonMenuTest::OtherScreen::Class));
  EXPECT_EQ(bar->TimeOutValue, NonMenuSystem::WidgetClass::MenuTimeOut);
  Press(Key::Right);
  EXPECT_EQ(model->OnGetDynamicContrast(), 10);
  Press(Key::Right);
  EXPECT_EQ(model->OnGetDynamicContrast(), 10) << "the range ends at 10";
  Press(Key::Left);
  Press(Key::Left);
  EXPECT_EQ(model->OnGetDynamicContrast(), 8);
  EXPECT_EQ(Utf8(bar->row.value.String), "8");
  Press(Key::Back);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_AdjustmentBar));
  EXPECT_TRUE(Listed(0x2000051)) << "BACK opens the page that opened the bar";
}

TEST_F(ScreensTest, AChoiceBarStopsAtItsEndsWhileTheOverlayGoesRound) {
  model->OnSetRoomLighting(0);
  Open(&NonMenuSystem::NoSliderAdjustmentBar::Class, SkinBin::OPTION_TYPE_ROOM_LIGHTING);
  Press(Key::Left);
  EXPECT_EQ(model->OnGetRoomLighting(), 0);
  Press(Key::Right);
  EXPECT_EQ(model->OnGetRoomLighting(), 1);
  Press(Key::Back);

  model->OnSetRoomLighting(3);
  auto* overlay = static_cast<NonMenuSystem::ToggleOptionOverlay*>(
      Open(&NonMenuSystem::ToggleOptionOverlay::Class, SkinBin::OPTION_TYPE_ROOM_LIGHTING));
  Press(Key::Right);
  EXPECT_EQ(model->OnGetRoomLighting(), 0) << "past the last choice comes the first";
  Press(Key::Left);
  EXPECT_EQ(model->OnGetRoomLighting(), 3);
  EXPECT_EQ(Utf8(overlay->row.value.String), Text(Strings::SID_FLUORESCENT));
}

TEST_F(ScreensTest, TheBaseColourBarChangesOnlyTheThreeValuesOfItsColour) {
  model->OnSetGreenHue(0);
  model->OnSetGreenSaturation(0);
  model->OnSetGreenBrightness(0);
  model->OnSetBlueHue(0);
  auto* bar = static_cast<NonMenuSystem::BaseColorAdjustmentBar*>(
      Open(&NonMenuSystem::BaseColorAdjustmentBar::Class, SkinBin::OPTION_TYPE_BASECOLOR_ADJUST_GREEN_HUE));
  EXPECT_EQ(Utf8(bar->caption.String), Text(Strings::SID_GREEN));
  Press(Key::Right);
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Left);
  EXPECT_EQ(model->OnGetGreenHue(), 1);
  EXPECT_EQ(model->OnGetGreenSaturation(), 0);
  EXPECT_EQ(model->OnGetGreenBrightness(), -1) << "DOWN stops at the third row";
  EXPECT_EQ(model->OnGetBlueHue(), 0);

  testing::internal::CaptureStdout();
  Open(&NonMenuSystem::BaseColorAdjustmentBar::Class, SkinBin::OPTION_TYPE_BASECOLOR_ADJUST_GREEN_SATURATION);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("is not the hue of a base colour"), std::string::npos);
}

TEST_F(ScreensTest, TheVolumeKeysOpenTheBarAndUnmuteWhileTheMuteKeyTogglesItsSign) {
  model->OnSetVolume(20);
  Press(Key::VolumeUp);
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_VolumeBar));
  EXPECT_EQ(model->OnGetVolume(), 21) << "the key that opens the bar is its first step";
  Press(Key::VolumeUp);
  EXPECT_EQ(model->OnGetVolume(), 22);

  Press(Key::Mute);
  EXPECT_EQ(model->OnGetMute(), 1);
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_MuteBar));
  EXPECT_EQ(system->Focus.get(), MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_VolumeBar))
      << "the sign takes no key";
  Press(Key::VolumeDown);
  EXPECT_EQ(model->OnGetMute(), 0);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_MuteBar));
  EXPECT_EQ(model->OnGetVolume(), 21);

  Press(Key::Mute);
  Advance(60000);
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_MuteBar)) << "the sign stays while the sound is muted";
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_VolumeBar));
  system->ClearAll();
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_MuteBar)) << "a clear of the screens leaves it";
  Press(Key::Mute);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_MuteBar));
  EXPECT_EQ(model->OnGetMute(), 0);
}

TEST_F(ScreensTest, TheDatePopUpKeepsTheDayWithinTheMonthWhateverChanges) {
  auto* owner = static_cast<DateOwner*>(Open(&DateOwner::Class));
  auto* popup = static_cast<NonMenuSystem::DateSettingDialog*>(Open(&NonMenuSystem::DateSettingDialog::Class));
  popup->OnSetMonthVal(0);
  popup->OnSetDateVal(15);
  popup->OnSetYearVal(2024);
  popup->OnSetOwner(owner);
  EXPECT_TRUE(owner->dates.empty()) << "the owner's own values are not sent back";

  Press(Key::Right);
  Digits("31");
  Press(Key::Left);
  Press(Key::Up);  // January 31 to February of a leap year
  Press(Key::Right);
  Press(Key::Right);
  Press(Key::Down);  // to a common year
  Press(Key::Up);    // and back: the day stays where it was pulled
  EXPECT_EQ(owner->dates,
            (std::vector<Date>{{0, 3, 2024}, {0, 31, 2024}, {1, 29, 2024}, {1, 28, 2023}, {1, 28, 2024}}));
  EXPECT_EQ(popup->day.Current, 28);

  // A year typed out of range reaches the owner within range, and the
  // spinner shows the first year once the entry ends.
  owner->dates.clear();
  Digits("19");
  EXPECT_EQ(popup->year.Current, 19);
  Advance(3000);
  EXPECT_EQ(popup->year.Current, 2000);
  EXPECT_EQ(owner->dates, (std::vector<Date>{{1, 28, 2000}, {1, 28, 2000}, {1, 28, 2000}}));

  EXPECT_EQ(NonMenuSystem::DateSettingDialog::DaysInMonth(1, 1900), 28);
  EXPECT_EQ(NonMenuSystem::DateSettingDialog::DaysInMonth(1, 2000), 29);
  EXPECT_EQ(NonMenuSystem::DateSettingDialog::DaysInMonth(3, 2024), 30);
  Press(Key::Back);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_DateSettingDialog));
  EXPECT_TRUE(Listed(0x2000053)) << "the owner stays open under the pop-up";
}

TEST_F(ScreensTest, TheTimePopUpTellsTheOwnerTheHalfOfTheDay) {
  auto* owner = static_cast<DateOwner*>(Open(&DateOwner::Class));
  auto* popup = static_cast<NonMenuSystem::TimeSettingDialog*>(Open(&NonMenuSystem::TimeSettingDialog::Class));
  popup->OnSetHourVal(12);
  popup->OnSetMinVal(59);
  popup->OnSetAMPMVal(NonMenuSystem::TimeSettingDialog::AM);
  popup->OnSetOwner(owner);
  Press(Key::Up);
  Press(Key::Right);
  Press(Key::Up);
  Press(Key::Right);
  Press(Key::Down);
  using Time = std::tuple<int32_t, int32_t, std::string>;
  EXPECT_EQ(owner->times, (std::vector<Time>{{1, 59, "AM"}, {1, 0, "AM"}, {1, 0, "PM"}}));
  Advance(15000);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_TimeSettingDialog));
  EXPECT_TRUE(Listed(0x2000053)) << "its time-out closes only the pop-up";
}

TEST_F(ScreensTest, AStoredScreenSaverColourIsElevenCharactersOfThreeFieldsUpTo255) {
  auto read = [](const char* text, NonMenuSystem::ScreenSaverColor* out) {
    return NonMenuSystem::ReadScreenSaverColor(text ? VgNewStringAnsi(text) : nullptr, out);
  };
  NonMenuSystem::ScreenSaverColor colour;
  ASSERT_TRUE(read("00255000128", &colour));
  EXPECT_EQ(colour.colour, (VgColor{255, 0, 128, 255}));
  EXPECT_EQ(colour.row, 0);
  for (const char* broken : {"00256000128", "0025", "", "00-25000128", "002550001289", "00 55000128"})
    EXPECT_FALSE(read(broken, &colour)) << broken;
  EXPECT_FALSE(read(nullptr, &colour));
  EXPECT_EQ(NonMenuSystem::ColorPad::ColourAt(NonMenuSystem::ColorPad::DefaultRow,
                                              NonMenuSystem::ColorPad::DefaultColumn),
            (VgColor{17, 17, 17, 255}))
      << "the pad holds the set's default colour";

  Store("ScreenSaverColor", "35000000000");
  auto* pad = static_cast<NonMenuSystem::ColorPad*>(Open(&NonMenuSystem::ColorPad::Class));
  EXPECT_EQ(pad->Row, 3);
  EXPECT_EQ(pad->Column, 5);
  Press(Key::Up);
  Press(Key::Ok);
  EXPECT_EQ(Setting("ScreenSaverColor"), "25000070255");
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_ColorPad));
}

TEST_F(ScreensTest, AKeyHandedToTheInputDialogActsAsIfPressedThere) {
  Open(&NonMenuSystem::ExternalInputDialog::Class);
  ASSERT_TRUE(Listed(WinIDs::WIN_ID_ExternalInputDialog));
  Send(Constants::MSG_EVENT_CACHED, RootTest::Key(Key::Back), &NonMenuTest::Screen::Class);
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_ExternalInputDialog)) << "a message for another class";
  Send(Constants::MSG_EVENT_CACHED, RootTest::Key(Key::Back), &NonMenuSystem::ExternalInputDialog::Class);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_ExternalInputDialog));
}

// The keyboard's answer reaches the labelling list once, and none reaches it
// after the dialog closed: a later answer to another screen leaves the
// input's label alone.
TEST_F(ScreensTest, TheLabellingDialogHearsTheKeyboardOnceAndOnlyWhileOpen) {
  Structures::DuLinkList* agent = MainApp::GetMessageAgent();
  const int32_t before = agent->Length();
  auto* dialog = vg_cast<NonMenuSystem::InputLabelingDialog>(Open(&NonMenuSystem::InputLabelingDialog::Class));
  ASSERT_TRUE(Listed(WinIDs::WIN_ID_InputLabelingDialog));
  // Nothing draws here: a step down and back gives the focused row its entry.
  Press(Key::Down);
  Press(Key::Up);
  ASSERT_EQ(dialog->list.GetCursor(), 0);
  EXPECT_EQ(agent->Length(), before + 1);
  const int32_t first = model->GetSourceId(0);
  auto* answer = VgNew<Structures::RefString>();
  answer->Value = VgNewStringAnsi("Den");
  Send(Constants::MSG_LABEL_CHANGE, answer, nullptr);
  EXPECT_EQ(Utf8(model->GetSourceLabel(first)), "Den");

  Press(Key::Back);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_InputLabelingDialog));
  EXPECT_EQ(agent->Length(), before);
  answer->Value = VgNewStringAnsi("Late");
  Send(Constants::MSG_LABEL_CHANGE, answer, nullptr);
  EXPECT_EQ(Utf8(model->GetSourceLabel(first)), "Den");
}

}  // namespace
