// The widget gallery: every widget of the unit in each of its states on one
// 960 x 540 screen, compared pixel for pixel with golden/gallery.png. It is
// also the picture to look at when the artwork or a widget's look changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Bitmaps.h"
#include "Button/Button.h"
#include "Button/CheckBox.h"
#include "Button/IconButton.h"
#include "Button/NumberSpinner.h"
#include "Button/TextEdit.h"
#include "Button/TextSpinner.h"
#include "Cursor/FocusFrame.h"
#include "Cursor/Navigator.h"
#include "OptionDatabase/OptionTypes.h"
#include "PinEntry/PinEntry.h"
#include "Progress/Progress.h"
#include "SkinBin/CheckBoxButton.h"
#include "SkinBin/OptionButton.h"
#include "SkinBin/STBOptionButton.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "golden.h"
#include "widgets_fixture.h"

namespace WidgetsTest {

// A PIN field as the skin draws one: a cell per digit, "*" for a digit
// entered, "-" for one still to come, the next free cell highlighted.
class PinCells : public PinEntry::PinEntry {
  VG_CLASS()
 public:
  PinCells() {
    OnSetMaxNumDigits(4);
    for (int32_t i = 0; i < 4; ++i) {
      cells[i] = VgNew<::Button::Button>();
      cells[i]->OnSetBounds({i * 34, 0, i * 34 + 30, 30});
      Add(cells[i], 0);
    }
    Bounds = {0, 0, 132, 30};
  }
  void Style(Resources::Font* font, Resources::Bitmap* normal, Resources::Bitmap* next) {
    for (int32_t i = 0; i < 4; ++i) {
      cells[i]->Nonfocused_TextFont = font;
      cells[i]->Nonfocused_TextColor = {220, 224, 230, 255};
    }
    normal_ = normal;
    next_ = next;
    refreshPin();
  }
  void refreshPin() override {
    for (int32_t i = 0; i < 4; ++i) {
      cells[i]->Nonfocused_Bitmap = i == DigitCount() ? next_.get() : normal_.get();
      cells[i]->OnSetText(VgNewStringAnsi(i < DigitCount() ? "*" : "-"));
      cells[i]->Refresh();
    }
  }
  VgPtrArray<::Button::Button, 4> cells;

 private:
  VgPtr<Resources::Bitmap> normal_;
  VgPtr<Resources::Bitmap> next_;
};

}  // namespace WidgetsTest

VG_DEFINE_CLASS(WidgetsTest, PinCells, PinEntry::PinEntry)

namespace WidgetsTest {
namespace {

std::string GoldenPath(const std::string& name) {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/widgets/golden/" + name;
}

constexpr VgColor kText{200, 200, 200, 255};
constexpr VgColor kFocusText{255, 255, 255, 255};
constexpr VgColor kDisabledText{88, 88, 88, 255};
constexpr VgColor kAccent{40, 188, 249, 255};

class Gallery : public OptionWidgets {
 protected:
  void SetUp() override {
    OptionWidgets::SetUp();
    auto* background = VgNew<Views::Rectangle>();
    background->OnSetBounds(top->Bounds);
    background->OnSetColor({10, 16, 32, 255});
    top->Add(background, 0);
    font = ViewsTest::LoadFont(Fonts::MediumFont);
    small = ViewsTest::LoadFont(Fonts::SmallestFont);
  }

  void Label(const char* text, VgRect where, VgColor colour = {130, 140, 156, 255}, uint16_t align = 1) {
    auto* label = VgNew<Views::Text>();
    label->OnSetBounds(where);
    label->OnSetFont(small);
    label->OnSetColor(colour);
    label->OnSetAlignH(align);
    label->OnSetAlignV(Views::Text::AlignMiddle);
    label->OnSetString(VgNewStringAnsi(text));
    top->Add(label, 0);
  }
  void Heading(const char* text, int32_t y) { Label(text, {16, y, 150, y + 30}, {236, 240, 246, 255}, 0); }

  // A group of the screen's size for one widget: focused, it puts the widget
  // on a focus path of its own, so several samples can show the focused look.
  Core::Group* Holder(Core::View* widget, bool focused) {
    auto* holder = VgNew<Core::Group>();
    holder->OnSetBounds(top->Bounds);
    top->Add(holder, 0);
    holder->Add(widget, 0);
    holder->OnSetFocus(widget);
    if (focused) holder->UpdateFocus(true);
    return holder;
  }

  void Looks(::Button::ButtonClass* b) {
    b->Nonfocused_Bitmap = LoadBitmap(Bitmaps::DialogButtonNonfocus);
    b->Disabled_Bitmap = LoadBitmap(Bitmaps::DialogButtonNonfocus);
    b->Default_Bitmap = LoadBitmap(Bitmaps::DialogButtonNonfocus);
    b->Focused_Bitmap = LoadBitmap(Bitmaps::DialogButtonFocus);
    b->Nonfocused_TextColor = kText;
    b->Disabled_TextColor = kDisabledText;
    b->Default_TextColor = kAccent;
    b->Focused_TextColor = kFocusText;
    b->Nonfocused_TextFont = b->Disabled_TextFont = b->Default_TextFont = b->Focused_TextFont = font;
  }

  // One button in one of its four looks.
  template <class T>
  T* Sample(int32_t look, VgRect where, const char* text) {
    auto* b = VgNew<T>();
    Looks(b);
    b->OnSetBounds(where);
    b->OnSetText(VgNewStringAnsi(text));
    b->OnSetIsDisabled(look == ::Button::ButtonClass::LookDisabled);
    b->OnSetIsDefault(look == ::Button::ButtonClass::LookDefault);
    Holder(b, look == ::Button::ButtonClass::LookFocused);
    return b;
  }

  void Buttons(int32_t y) {
    Heading("Buttons", y);
    const char* names[] = {"Disabled", "Normal", "Default", "Focused"};
    const int32_t looks[] = {0, 1, 2, 3};
    for (int32_t i = 0; i < 4; ++i) {
      const int32_t x = 180 + i * 170;
      auto* b = Sample<::Button::Button>(looks[i], {x, y, x + 140, y + 34}, names[i]);
      if (looks[i] != ::Button::ButtonClass::LookFocused) continue;
      auto* frame = VgNew<Cursor::FocusFrame>();
      frame->OnSetFrameBitmap(LoadBitmap(Bitmaps::ChBrowserCursor));
      frame->OnSetBorderWidth(4);
      auto* navigator = VgNew<Cursor::Navigator>();
      navigator->OnSetLeftBitmap(LoadBitmap(Bitmaps::OptionButtonLeftArrow));
      navigator->OnSetRightBitmap(LoadBitmap(Bitmaps::OptionButtonRightArrow));
      navigator->OnSetUpBitmap(LoadBitmap(Bitmaps::OptionButtonUpArrow));
      navigator->OnSetDownBitmap(LoadBitmap(Bitmaps::OptionButtonDownArrow));
      navigator->OnSetRightOffset({4, 0});
      navigator->OnSetLeftOffset({-4, 0});
      b->owner->Add(frame, 0);
      b->owner->Add(navigator, 0);
      b->OnSetFocusFrame(frame);
      b->OnSetNavigator(navigator);
      b->OnSetLeft(true);
      b->OnSetRight(true);
      b->OnSetDown(true);
    }
  }

  void IconButtons(int32_t y) {
    Heading("Icon buttons", y);
    const char* names[] = {"disabled", "normal", "default", "focused"};
    for (int32_t look = 0; look < 4; ++look) {
      const int32_t x = 180 + look * 170;
      auto* b = Sample<::Button::IconButton>(look, {x, y, x + 100, y + 34}, "");
      b->Disabled_Icon = LoadBitmap(Bitmaps::MediaPause);
      b->Nonfocused_Icon = LoadBitmap(Bitmaps::MediaPlay);
      b->Default_Icon = LoadBitmap(Bitmaps::MediaStop);
      b->Focused_Icon = LoadBitmap(Bitmaps::MediaPlay);
      Label(names[look], {x + 106, y, x + 170, y + 34}, {130, 140, 156, 255}, 0);
    }
  }

  void CheckBoxes(int32_t y) {
    Heading("Check boxes", y);
    struct Box {
      bool checked, focused, disabled;
      const char* name;
    };
    const Box boxes[] = {{false, false, false, "off"},        {true, false, false, "on"},
                         {false, true, false, "focused off"}, {true, true, false, "focused on"},
                         {true, false, true, "disabled on"}};
    for (int32_t i = 0; i < 5; ++i) {
      const int32_t x = 180 + i * 130;
      auto* box = VgNew<SkinBin::CheckBoxButton>();
      box->OnSetBounds({x, y + 2, x + 27, y + 29});
      box->OnSetIsChecked(boxes[i].checked);
      box->OnSetIsDisabled(boxes[i].disabled);
      Holder(box, boxes[i].focused);
      Label(boxes[i].name, {x + 30, y, x + 125, y + 30}, {130, 140, 156, 255}, 0);
    }
  }

  void Spinners(int32_t y) {
    Heading("Spinners, text", y);
    auto spinner = [&](int32_t x, int32_t maximum, bool focused) {
      auto* s = VgNew<::Button::NumberSpinner>();
      Looks(s);
      s->OnSetBounds({x, y, x + 90, y + 34});
      s->OnSetMaximum(maximum);
      Holder(s, focused);
      return s;
    };
    spinner(180, 9999, false)->OnSetCurrent(7);
    auto* typed = spinner(290, 12, true);
    typed->HandleEvent(Press(11));
    typed->HandleEvent(Press(12));
    auto* unset = spinner(400, 99, false);
    unset->typing = true;
    unset->OnSetCurrent(-1);
    unset->typing = false;

    auto* months = VgNew<::Button::TextSpinner>();
    Looks(months);
    const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int32_t i = 0; i < 12; ++i) months->Texts[i] = VgNewStringAnsi(names[i]);
    months->OnSetBounds({510, y, 600, y + 34});
    months->OnSetCurrent(4);
    Holder(months, false);

    auto edit = [&](int32_t x, const char* keys, bool focused) {
      auto* e = VgNew<::Button::TextEdit>();
      Looks(e);
      e->OnSetBounds({x, y, x + 110, y + 34});
      e->OnSetEditModeEnabled(true);
      e->OnSetSupportDot(true);
      for (const char* k = keys; *k; ++k) e->HandleEvent(Press(*k == '.' ? 44 : static_cast<uint16_t>(10 + *k - '0')));
      Holder(e, focused);
    };
    edit(620, "12.3", true);
    edit(740, "1234", false);
  }

  ::Progress::Progress* Bar(VgRect where, uint16_t stretch, int32_t value) {
    auto* bar = VgNew<::Progress::Progress>();
    bar->OnSetBounds(where);
    bar->OnSetBgFrameBitmap(LoadBitmap(Bitmaps::SliderGroove));
    bar->OnSetIndicatorFrameBitmap(LoadBitmap(Bitmaps::SliderIndicator));
    for (Views::Frame* f : {&bar->backgroundFrame, &bar->indicatorFrame}) {
      f->OnSetDrawUpperEdge(true);
      f->OnSetDrawRightEdge(true);
      f->OnSetDrawBottomEdge(true);
      f->OnSetDrawLeftEdge(true);
    }
    bar->OnSetStretchIndicator(stretch);
    bar->OnSetValue(value);
    top->Add(bar, 0);
    bars.push_back(bar);
    return bar;
  }

  void Bars(int32_t y) {
    Heading("Progress bars", y);
    Bar({180, y + 4, 380, y + 22}, ::Progress::ProgressClass::StretchNone, 50);
    Label("thumb 50", {180, y + 22, 380, y + 40});
    Bar({400, y + 4, 600, y + 22}, ::Progress::ProgressClass::StretchStep, 0)->OnSetMax(10);
    bars.back()->OnSetValue(3);
    Label("one step, 3 of 10", {400, y + 22, 600, y + 40});
    Bar({620, y + 4, 820, y + 22}, ::Progress::ProgressClass::StretchGrow, 70);
    Label("growing 70", {620, y + 22, 820, y + 40});

    auto* inverse = Bar({180, y + 50, 380, y + 68}, ::Progress::ProgressClass::StretchGrow, 30);
    inverse->OnSetIndicatorFrameBitmap(LoadBitmap(Bitmaps::SliderIndicatorRed));
    inverse->OnSetInverse(true);
    Label("inverse 30", {180, y + 68, 380, y + 86});
    auto* image = VgNew<::Progress::Progress>();
    image->OnSetBounds({400, y + 50, 600, y + 68});
    image->OnSetBgFrameBitmap(LoadBitmap(Bitmaps::SliderBgFrame));
    image->backgroundFrame.OnSetDrawUpperEdge(true);
    image->backgroundFrame.OnSetDrawRightEdge(true);
    image->backgroundFrame.OnSetDrawBottomEdge(true);
    image->backgroundFrame.OnSetDrawLeftEdge(true);
    image->OnSetIndicatorImageBitmap(LoadBitmap(Bitmaps::Point));
    image->indicatorImage.OnSetBounds({0, 0, 9, 9});
    image->OnSetIndicatorTopLeft({6, 5});
    image->OnSetIndicatorBottomRight({6, 0});
    image->OnSetValue(60);
    top->Add(image, 0);
    Label("image 60", {400, y + 68, 600, y + 86});
    auto* bottom = Bar({620, y + 50, 820, y + 68}, ::Progress::ProgressClass::StretchGrow, 0);
    bottom->OnSetIndicatorFrameBitmap(LoadBitmap(Bitmaps::GraySliderIndicator));
    Label("growing 0", {620, y + 68, 820, y + 86});

    auto* vertical = Bar({880, y + 4, 898, y + 68}, ::Progress::ProgressClass::StretchGrow, 40);
    vertical->OnSetPositionMode(0);
    vertical->OnSetInverse(true);
    Label("vertical 40", {849, y + 68, 929, y + 86});
  }

  void Pins(int32_t y) {
    Heading("PIN entry", y);
    const char* names[] = {"empty", "two digits", "full"};
    const int32_t digits[] = {0, 2, 4};
    for (int32_t i = 0; i < 3; ++i) {
      const int32_t x = 180 + i * 230;
      auto* pin = VgNew<PinCells>();
      pin->OnSetBounds({x, y, x + 132, y + 30});
      pin->Style(font, LoadBitmap(Bitmaps::PinButtonNonfocus), LoadBitmap(Bitmaps::PinButtonFocus));
      for (int32_t d = 0; d < digits[i]; ++d) pin->HandleEvent(Press(static_cast<uint16_t>(11 + d)));
      top->Add(pin, 0);
      Label(names[i], {x + 140, y, x + 226, y + 30}, {130, 140, 156, 255}, 0);
    }
  }

  void OptionRows(int32_t y) {
    Heading("Option buttons", y);
    model->OnSetDynamicVolume(1);
    auto* row = VgNew<SkinBin::OptionButton>();
    row->OnSetBounds({180, y, 670, y + 25});
    row->OnSetOptionType(OptionDatabase::OPTION_TYPE_DYNAMIC_VOLUME);
    Holder(row, false);
    auto* focused = VgNew<SkinBin::OptionButton>();
    focused->OnSetBounds({180, y + 32, 670, y + 57});
    focused->OnSetOptionType(OptionDatabase::OPTION_TYPE_DYNAMIC_VOLUME);
    Holder(focused, true);
    focused->HandleEvent(Press(7));

    auto* stb = VgNew<SkinBin::STBOptionButton>();
    stb->OnSetBounds({700, y, 850, y + 27});
    stb->OnSetValueString(VgNewStringAnsi("Once"));
    Holder(stb, false);
    auto* stbFocused = VgNew<SkinBin::STBOptionButton>();
    stbFocused->OnSetBounds({700, y + 32, 850, y + 59});
    stbFocused->OnSetValueString(VgNewStringAnsi("Daily"));
    Holder(stbFocused, true);
  }

  Resources::Font* font = nullptr;
  Resources::Font* small = nullptr;
  std::vector<::Progress::Progress*> bars;
};

TEST_F(Gallery, EveryWidgetInEachState) {
  Buttons(24);
  IconButtons(84);
  CheckBoxes(140);
  Spinners(190);
  Bars(250);
  Pins(372);
  OptionRows(430);
  Advance(0);
  ExpectGolden(ViewsTest::Pixels(Render()), GoldenPath("gallery.png"));
}

}  // namespace
}  // namespace WidgetsTest
