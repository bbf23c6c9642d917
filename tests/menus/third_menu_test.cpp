// The third-level setting pages on the booted root: the rows that step their
// options, the page's frame, keys, return and activation, and the two colour
// pages, against the simulated set.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "MenuSystem/ColorPages.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "MenuSystem/ThirdMenu.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Bitmap.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/UserRefInt.h"
#include "SubSystem/Open.h"
#include "mainapp_fixture.h"
#include "vgresmap.h"

namespace ThirdMenuTest {

using namespace MenuSystem;
using OptionDatabase::Fixed;
namespace O = OptionDatabase;
namespace S = SkinBin;

// A screen of the non-menu system that keeps the request it was opened with.
struct Request {
  int count = 0;
  std::string back;
  int32_t value = 0;
  int32_t origin = 0;
  bool flag = false;
};
Request& LastRequest() {
  static Request request;
  return request;
}

class Opened : public Primitives::KeyRoutingForm {
  VG_CLASS()
 public:
  Opened() { SubSystemClass = &NonMenuSystem::NonMenuSystem::Class; }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override {
    Primitives::KeyRoutingForm::Initialize(parameter);
    Request& request = LastRequest();
    ++request.count;
    request.back = PrevState ? PrevState->name : "";
    auto* ref = vg_cast<SkinBin::UserRefInt>(parameter->Param.get());
    request.value = ref ? ref->Value : 0;
    request.origin = ref ? ref->Kind : 0;
    request.flag = ref && ref->Flag;
  }
};

constexpr const char* kOpened = "ThirdMenuTest::Opened";

bool greyLink = false;
bool removeSecond = false;
bool GreyLink(ThirdMenu&) { return greyLink; }
bool RemoveSecond(ThirdMenu&) { return removeSecond; }
// Only while the room lighting is off may the link be used.
bool RoomLightingOn(ThirdMenu&) {
  return O::OptionBinding(MainApp::GetOptionDB(), S::OPTION_TYPE_ROOM_LIGHTING, "test").Read() != 0;
}

constexpr RowDef kLongRows[] = {
    Item<SubMenuItemValueSelect>(Fixed("Room"), S::OPTION_TYPE_ROOM_LIGHTING)
        .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),
    Item<AdjustItemArrowSelect>(Fixed("Gamma"), S::OPTION_TYPE_STATIC_GAMMA),
    Item<AdjustItemSliderSelect>(Fixed("Level"), S::OPTION_TYPE_SUPER_RESOLUTION_LEVEL),
    Item<AdjustItemSlider>(Fixed("Backlight"), O::OPTION_TYPE_BACKLIGHT, kOpened),
    Item<AdjustItemSlider>(Fixed("Contrast"), O::OPTION_TYPE_CONTRAST, kOpened).Flags(NoMiddlePoint),
    Item<SubMenuItem>(Fixed("Nowhere")),
    // Blue gain, then a choice option, then the dynamic contrast: the
    // middle one has no slider reading.
    Item<BaseColorAdjustItem>(Fixed("Odd"), O::OPTION_TYPE_BLUE_GAIN),
    Item<SubMenuItem>(Fixed("Link"), 7, kOpened),
    Item<SubMenuItemValue>(Fixed("Mode"), S::OPTION_TYPE_PICTURE_MODE, kOpened),
    Item<SubMenuItem>(Fixed("Unbuilt"), 0, "NoSuchUnit::NoSuchPage"),
};
constexpr RowRule kLongDisabled[] = {{8, GreyLink}, {8, RoomLightingOn}};
constexpr PageTable kLongPage{
    .title = Fixed("Long"), .back = kOpened, .level = 4, .rows = kLongRows, .disabled = kLongDisabled};

constexpr RowDef kShortRows[] = {
    Item<SubMenuItem>(Fixed("One"), 0, kOpened),
    Item<SubMenuItem>(Fixed("Two")),
    Item<SubMenuItemValue>(Fixed("Three"), S::OPTION_TYPE_ROOM_LIGHTING),
    Item<SubMenuItem>(Fixed("Four")),
};
constexpr uint8_t kShortRemoved[] = {4};
constexpr RowRule kShortRemovedWhen[] = {{2, RemoveSecond}};
constexpr PageTable kShortPage{.title = Fixed("Short"),
                               .back = kOpened,
                               .rows = kShortRows,
                               .removed = kShortRemoved,
                               .removedWhen = kShortRemovedWhen};

class LongPage : public ThirdMenu {
  VG_CLASS()
 public:
  LongPage() : ThirdMenu(kLongPage) {}
  // What the first row showed when a key reached the page.
  XObject* HandleEvent(Core::Event* event) override {
    if (Core::PressedKey(event)) firstRowAtKey = VgStringToUtf8(vg_cast<SubMenuItemValue>(Row(1))->ValueString);
    return ThirdMenu::HandleEvent(event);
  }
  std::string firstRowAtKey;
};

class ShortPage : public ThirdMenu {
  VG_CLASS()
 public:
  ShortPage() : ThirdMenu(kShortPage) {}
};

std::string Utf8(VgString text) { return VgStringToUtf8(text); }

class ThirdMenuTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
    BootAndWake();
    model = root->Wrapper;
    LastRequest() = {};
    greyLink = false;
    removeSecond = false;
  }

  MenuSystem::MenuSystem* Menus() const { return App()->MenuSystem; }
  // Opens the page as a screen of another sub-system would: the menus take the focus.
  template <class T>
  T* Open(SubSystem::Opening opening = {}) {
    opening.screen = &T::Class;
    auto* page = vg_cast<T>(SubSystem::Open(nullptr, opening));
    Advance(0);
    return page;
  }
  XObject* Key(uint16_t code) {
    XObject* taken = Press(code);
    Advance(0);
    return taken;
  }
  // The open page of the class; a closed one is the collector's at the next key.
  template <class T>
  T* Shown() const {
    for (Core::View* view = Menus()->firstView; view; view = view->nextView)
      if (auto* page = vg_cast<T>(view)) return page;
    return nullptr;
  }
  static int32_t Option(int32_t id) { return O::OptionBinding(MainApp::GetOptionDB(), id, "test").Read(); }
  static void SetOption(int32_t id, int32_t value) { O::OptionBinding(MainApp::GetOptionDB(), id, "test").Write(value); }
  static Resources::Bitmap* Bitmap(const VgConstant& constant) { return VgLoad<Resources::Bitmap>(constant); }
  template <class T = SubMenuItem>
  static T* Focused(ThirdMenu* page) {
    return vg_cast<T>(page->Focus.get());
  }

  ::SkinBin::Wrapper* model = nullptr;
};

// ------------------------------------------------------------------ rows

TEST_F(ThirdMenuTest, SelectRowsWriteEachStepAndOnlyChoicesAndSlidersMarkTheOption) {
  LongPage* page = Open<LongPage>();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(Focused(page), page->Row(1));

  // The arrow row: at the maximum only the left arrow shows, at the minimum
  // only the right, and a step past a bound writes the bound again.
  Key(Key::Down);
  auto* gamma = Focused<AdjustItemArrowSelect>(page);
  ASSERT_NE(gamma, nullptr);
  EXPECT_EQ(gamma->Max, 15);
  SetOption(S::OPTION_TYPE_STATIC_GAMMA, 14);
  gamma->OnSetValue(14);
  Key(Key::Right);
  EXPECT_EQ(Option(S::OPTION_TYPE_STATIC_GAMMA), 15);
  EXPECT_TRUE(gamma->leftArrow.Visible);
  EXPECT_FALSE(gamma->rightArrow.Visible);
  const int writes = CountTvCalls("XPM_SetAvProperty 0 STATIC_GAMMA 15");
  Key(Key::Right);
  EXPECT_EQ(CountTvCalls("XPM_SetAvProperty 0 STATIC_GAMMA 15"), writes + 1);
  gamma->OnSetValue(-14);
  Key(Key::Left);
  EXPECT_EQ(Option(S::OPTION_TYPE_STATIC_GAMMA), -15);
  EXPECT_FALSE(gamma->leftArrow.Visible);
  EXPECT_TRUE(gamma->rightArrow.Visible);
  EXPECT_FALSE(model->IsOptionChanged(VgNewString(u"AdvancedPicture"))) << "an arrow step marks nothing";

  // The slider row hands its keys to the slider and marks its option.
  Key(Key::Down);
  auto* level = Focused<AdjustItemSliderSelect>(page);
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->Focus.get(), &level->slider);
  const int32_t before = Option(S::OPTION_TYPE_SUPER_RESOLUTION_LEVEL);
  Key(before < level->Max ? Key::Right : Key::Left);
  EXPECT_NE(Option(S::OPTION_TYPE_SUPER_RESOLUTION_LEVEL), before);
  EXPECT_EQ(Utf8(level->valueText.String), std::to_string(Option(S::OPTION_TYPE_SUPER_RESOLUTION_LEVEL)));
  EXPECT_TRUE(model->IsOptionChanged(VgNewString(u"AdvancedPicture")));

  // The choice row wraps both ways, writing and showing each choice.
  Key(Key::Up);
  Key(Key::Up);
  auto* room = Focused<SubMenuItemValueSelect>(page);
  ASSERT_NE(room, nullptr);
  ASSERT_EQ(room->ChoiceCount, 4);
  SetOption(S::OPTION_TYPE_ROOM_LIGHTING, 0);
  room->ChoiceIndex = 0;
  Key(Key::Left);
  EXPECT_EQ(Option(S::OPTION_TYPE_ROOM_LIGHTING), 3);
  EXPECT_EQ(Utf8(room->ValueString), "Fluorescent");
  Key(Key::Right);
  EXPECT_EQ(Option(S::OPTION_TYPE_ROOM_LIGHTING), 0);
  EXPECT_EQ(Utf8(room->ValueString), "Off");
  // An index outside the list steps onto its first choice up, its last down.
  room->ChoiceIndex = INT32_MAX;
  Key(Key::Right);
  EXPECT_EQ(Option(S::OPTION_TYPE_ROOM_LIGHTING), 0);
  room->ChoiceIndex = INT32_MIN;
  Key(Key::Left);
  EXPECT_EQ(Option(S::OPTION_TYPE_ROOM_LIGHTING), 3);
}

TEST_F(ThirdMenuTest, AChoiceOfOneWritesNothingButKeepsThePageAwake) {
  LongPage* page = Open<LongPage>();
  auto* room = vg_cast<SubMenuItemValueSelect>(page->Row(1));
  room->ChoiceCount = 1;
  const int writes = CountTvCalls("XPM_SetAvProperty 0 ROOM_LIGHTING");
  Advance(50000);
  EXPECT_NE(Key(Key::Right), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_SetAvProperty 0 ROOM_LIGHTING"), writes);
  Advance(20000);
  EXPECT_TRUE(Shown<LongPage>()) << "the key restarted the minute";
  Advance(41000);
  EXPECT_FALSE(Shown<LongPage>());
}

TEST_F(ThirdMenuTest, DisabledRowsSwallowTheirKeysAndGreySliders) {
  LongPage* page = Open<LongPage>();
  auto* room = vg_cast<SubMenuItemValueSelect>(page->Row(1));
  const int32_t choice = Option(S::OPTION_TYPE_ROOM_LIGHTING);
  room->OnSetIsDisabled(true);
  Advance(0);
  EXPECT_NE(Key(Key::Right), nullptr);
  EXPECT_NE(Key(Key::Left), nullptr);
  EXPECT_EQ(Option(S::OPTION_TYPE_ROOM_LIGHTING), choice);
  EXPECT_FALSE(room->leftArrow.Visible);

  auto* level = vg_cast<AdjustItemSliderSelect>(page->Row(3));
  auto* contrast = vg_cast<AdjustItemSlider>(page->Row(5));
  EXPECT_EQ(level->slider.BgFrameBitmap.get(), Bitmap(Bitmaps::SliderBgFrame));
  EXPECT_EQ(contrast->slider.BgFrameBitmap.get(), Bitmap(Bitmaps::SliderBgFrameNoY));
  level->OnSetIsDisabled(true);
  contrast->OnSetIsDisabled(true);
  Advance(0);
  EXPECT_EQ(level->slider.BgFrameBitmap.get(), Bitmap(Bitmaps::GraySliderBgFrame));
  EXPECT_EQ(level->slider.IndicatorImageBitmap.get(), Bitmap(Bitmaps::GraySliderIndicator));
  EXPECT_EQ(contrast->slider.BgFrameBitmap.get(), Bitmap(Bitmaps::GraySliderBgFrameNoY));
  page->OnSetCurrentItemIndex(3);
  EXPECT_EQ(level->Focus.get(), nullptr) << "a disabled slider keeps no focus";
}

TEST_F(ThirdMenuTest, SetDataTakesOnlyACourier) {
  auto* row = VgNew<SubMenuItem>();
  row->Attribute1 = 4;
  auto* courier = vg_cast<MenuItemCourier>(row->GetData(VgNew<S::UserRefInt>()));
  ASSERT_NE(courier, nullptr) << "anything but a courier gets a new one";
  EXPECT_EQ(Utf8(courier->Caption), "SubMenuItem");
  EXPECT_EQ(courier->Attribute1, 4);

  EXPECT_NE(row->SetData(VgNew<S::UserRefInt>()), nullptr);
  EXPECT_EQ(Utf8(row->Text), "SubMenuItem");
  courier->Caption = VgNewString(u"Renamed");
  courier->HelpString = VgNewString(u"Go,Back");
  courier->Attribute2 = 9;
  row->SetData(courier);
  EXPECT_EQ(Utf8(row->Text), "Renamed");
  EXPECT_EQ(Utf8(row->HelpString), "Go,Back");
  EXPECT_EQ(row->Attribute1, 4);
  EXPECT_EQ(row->Attribute2, 9);
}

// ------------------------------------------------------------------ page

TEST_F(ThirdMenuTest, AShortPageShrinksAndALongOneScrollsWithItsArrowsAndWraps) {
  removeSecond = true;
  ShortPage* shortPage = Open<ShortPage>();
  ASSERT_NE(shortPage, nullptr);
  EXPECT_EQ(shortPage->ItemsNum, 2) << "the fourth is never shown, the second not in this state";
  EXPECT_EQ(VgGetRectH(shortPage->Bounds), 258 - 6 * 26);
  EXPECT_EQ(shortPage->Row(2), nullptr);
  EXPECT_EQ(shortPage->Bounds.x1, 160) << "beside the main menu";

  LongPage* page = Open<LongPage>();
  EXPECT_EQ(VgGetRectH(page->Bounds), 258);
  EXPECT_FALSE(page->upArrow.Visible);
  EXPECT_TRUE(page->downArrow.Visible);
  EXPECT_FALSE(page->Row(9)->Visible) << "only rows wholly in the page show";
  Key(Key::Up);
  EXPECT_EQ(Focused(page), page->Row(10)) << "UP on the first row wraps to the last";
  EXPECT_EQ(page->Row(10)->Bounds.y2, 247);
  EXPECT_TRUE(page->upArrow.Visible);
  EXPECT_FALSE(page->downArrow.Visible);
  Key(Key::Down);
  EXPECT_EQ(Focused(page), page->Row(1)) << "DOWN on the last row wraps to the first";
  EXPECT_EQ(page->Row(1)->Bounds.y1, 40);
  EXPECT_FALSE(page->upArrow.Visible);
  for (int i = 0; i < 8; ++i) Key(Key::Down);
  EXPECT_EQ(Focused(page), page->Row(9));
  EXPECT_TRUE(page->downArrow.Visible) << "until the last row is in view";
  Key(Key::Down);
  EXPECT_FALSE(page->downArrow.Visible);
}

TEST_F(ThirdMenuTest, AKeyThatOpensThePageActsOnItOnceTheRowsHaveTheirValues) {
  SetOption(S::OPTION_TYPE_ROOM_LIGHTING, 2);
  auto* record = VgNew<S::UserRefInt>();
  record->Object = KeyOf(Key::Down);
  LongPage* page = Open<LongPage>({.param = record});
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->firstRowAtKey, "Incandescent");
  EXPECT_EQ(Focused(page), page->Row(2));
}

TEST_F(ThirdMenuTest, ReturnLeavesByLevelAndOrigin) {
  // Level 3 from the menus: the hidden menus show again.
  ASSERT_NE(Open<ShortPage>({.origin = Constants::MSG_FROM_MENUSYSTEM}), nullptr);
  TakeDelivered();
  EXPECT_NE(Key(Key::Back), nullptr);
  EXPECT_FALSE(Shown<ShortPage>());
  EXPECT_TRUE(WasDelivered("MenuSystem::MenuSystem", Constants::MSG_CHANGE_APPEARANCE, 1));
  EXPECT_EQ(LastRequest().count, 0);

  // Level 3 from the quick menu: back to it, and nothing else hears of it.
  ASSERT_NE(Open<ShortPage>({.origin = Constants::MSG_FROM_QUICKMENU}), nullptr);
  TakeDelivered();
  Key(Key::Back);
  EXPECT_FALSE(Shown<ShortPage>());
  EXPECT_EQ(LastRequest().count, 1);
  EXPECT_FALSE(WasDelivered("MenuSystem::MenuSystem", Constants::MSG_CHANGE_APPEARANCE));

  // Deeper: the back page opens, the level's row is forgotten, and the
  // quick-menu origin goes along.
  Menus()->SetMenuIndex(4, 3);
  LongPage* deep = Open<LongPage>({.origin = Constants::MSG_FROM_QUICKMENU});
  EXPECT_EQ(Focused(deep), deep->Row(3));
  Key(Key::Back);
  EXPECT_FALSE(Shown<LongPage>());
  EXPECT_EQ(LastRequest().count, 2);
  EXPECT_EQ(LastRequest().origin, Constants::MSG_FROM_QUICKMENU);
  EXPECT_EQ(Menus()->GetMenuIndex(4), 1);
}

TEST_F(ThirdMenuTest, ActivationOpensTheRowsScreenWithItsRequestAndRemembersTheRow) {
  greyLink = true;
  LongPage* page = Open<LongPage>();
  ASSERT_TRUE(page->Row(8)->IsDisabled);
  page->OnSetCurrentItemIndex(8);
  Key(Key::Ok);
  page->OnSetCurrentItemIndex(6);
  Key(Key::Ok);
  EXPECT_TRUE(Shown<LongPage>()) << "a disabled row and a row that leads nowhere do nothing";
  testing::internal::CaptureStdout();
  page->OnSetCurrentItemIndex(10);
  Key(Key::Ok);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("would open NoSuchUnit::NoSuchPage"), std::string::npos);
  EXPECT_TRUE(Shown<LongPage>()) << "a screen not built yet leaves the viewer here";
  EXPECT_EQ(LastRequest().count, 0);

  page->OnSetCurrentItemIndex(4);
  Key(Key::Right);
  EXPECT_FALSE(Shown<LongPage>());
  EXPECT_EQ(LastRequest().count, 1);
  EXPECT_EQ(LastRequest().back, "ThirdMenuTest::LongPage");
  EXPECT_EQ(LastRequest().value, O::OPTION_TYPE_BACKLIGHT);
  EXPECT_EQ(LastRequest().origin, Constants::MSG_FROM_MENUSYSTEM);
  EXPECT_TRUE(LastRequest().flag) << "the backlight's slider has its middle point";
  EXPECT_EQ(Menus()->GetMenuIndex(4), 4);

  page = Open<LongPage>();
  EXPECT_EQ(Focused(page), page->Row(4)) << "the page comes back on the row it was left by";
  Key(Key::Down);
  Key(Key::Left);
  EXPECT_EQ(LastRequest().value, O::OPTION_TYPE_CONTRAST);
  EXPECT_FALSE(LastRequest().flag);
}

TEST_F(ThirdMenuTest, AChangedSlotGreysTheRowsAgain) {
  SetOption(S::OPTION_TYPE_ROOM_LIGHTING, 0);
  LongPage* page = Open<LongPage>();
  EXPECT_FALSE(page->Row(8)->IsDisabled);
  Key(Key::Right);
  EXPECT_TRUE(page->Row(8)->IsDisabled) << "room lighting on greys the link at once";
  Key(Key::Left);
  EXPECT_FALSE(page->Row(8)->IsDisabled);
}

// ---------------------------------------------------------- colour pages

TEST_F(ThirdMenuTest, BaseColourRowsShowTheirThreeValuesSigned) {
  SetOption(S::OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE, 3);
  SetOption(S::OPTION_TYPE_BASECOLOR_ADJUST_RED_SATURATION, 0);
  SetOption(S::OPTION_TYPE_BASECOLOR_ADJUST_RED_BRIGHTNESS, -4);
  auto* page = Open<BaseColorAdjustmentMenu>();
  ASSERT_NE(page, nullptr);
  auto* red = vg_cast<BaseColorAdjustItem>(page->Row(1));
  EXPECT_EQ(Utf8(red->hueText.String), "+3");
  EXPECT_EQ(Utf8(red->saturationText.String), "0");
  EXPECT_EQ(Utf8(red->brightText.String), "-4");
  EXPECT_EQ(page->WinID, 0x1010000);
  EXPECT_EQ(page->Bounds, (VgRect{160, 0, 686, 258}));
  EXPECT_FALSE(page->upArrow.Visible);
  EXPECT_FALSE(page->downArrow.Visible);
  EXPECT_TRUE(red->arrow.Visible);
  EXPECT_FALSE(vg_cast<BaseColorAdjustItem>(page->Row(2))->arrow.Visible);

  // A row whose second option gives no slider reading keeps that value.
  LongPage* odd = Open<LongPage>();
  auto* row = vg_cast<BaseColorAdjustItem>(odd->Row(7));
  EXPECT_EQ(row->HueValue, O::OptionBinding(MainApp::GetOptionDB(), O::OPTION_TYPE_BLUE_GAIN, "test").Range().value);
  EXPECT_EQ(row->SaturationValue, 1);
  EXPECT_EQ(row->BrightValue,
            O::OptionBinding(MainApp::GetOptionDB(), O::OPTION_TYPE_DYNAMIC_CONTRAST, "test").Range().value);
}

TEST_F(ThirdMenuTest, TheRGBFilterKeepsOneChannelOnCountingAfreshAtEachChange) {
  model->SetRGBFilter(0x000011);
  auto* page = Open<RGBFilterMenu>();
  ASSERT_NE(page, nullptr);
  auto channel = [&](int32_t n) { return vg_cast<RGBFilterOptionItem>(page->Row(n)); };
  EXPECT_FALSE(channel(1)->IsDisabled);
  EXPECT_FALSE(channel(2)->IsDisabled);
  EXPECT_TRUE(channel(3)->IsDisabled) << "red and green are off: blue stays on";
  EXPECT_EQ(vg_cast<AdjustItemSlider>(page->Row(4))->Value, Option(O::OPTION_TYPE_COLOR));

  Key(Key::Right);
  EXPECT_EQ(model->GetRGBFilter(), 0x110011);
  EXPECT_FALSE(channel(3)->IsDisabled);

  // A row that reports again without a change leaves the count as it is.
  Key(Key::Right);
  ASSERT_EQ(channel(1)->Value, 0);
  VgSignal(channel(1)->OnValueChanged, channel(1));
  VgSignal(channel(1)->OnValueChanged, channel(1));
  EXPECT_EQ(page->OffCount, 2);
  EXPECT_TRUE(channel(3)->IsDisabled);
  Key(Key::Right);
  VgSignal(channel(1)->OnValueChanged, channel(1));
  EXPECT_EQ(page->OffCount, 1);
  EXPECT_FALSE(channel(2)->IsDisabled);
  EXPECT_FALSE(channel(3)->IsDisabled);
}

}  // namespace ThirdMenuTest

VG_DEFINE_CLASS(ThirdMenuTest, Opened, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(ThirdMenuTest, LongPage, MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(ThirdMenuTest, ShortPage, MenuSystem::ThirdMenu)
