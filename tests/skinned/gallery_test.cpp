// The skinned widget gallery: every skinned widget in its usual states on one
// 960 x 540 screen, compared pixel for pixel with golden/gallery.png. It is
// also the picture to look at when the skin's artwork or a widget changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Bitmaps.h"
#include "SkinBin/Button.h"
#include "SkinBin/CBFocusFrame.h"
#include "SkinBin/CheckBoxWithCaption.h"
#include "SkinBin/ColorButton.h"
#include "SkinBin/EnterTime.h"
#include "SkinBin/FocusFrame.h"
#include "SkinBin/NumberInput.h"
#include "SkinBin/PinEntry.h"
#include "SkinBin/Progress.h"
#include "SkinBin/ProgressQOR.h"
#include "SkinBin/ScrollBar.h"
#include "SkinBin/TextForm.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "golden.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

std::string GoldenPath(const std::string& name) {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/skinned/golden/" + name;
}

class SkinGallery : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    auto* background = VgNew<Views::Rectangle>();
    background->OnSetBounds(top->Bounds);
    background->OnSetColor({10, 16, 32, 255});
    top->Add(background, 0);
    small = ViewsTest::LoadFont(Fonts::SmallestFont);
  }

  void Heading(const char* text, int32_t y) {
    auto* label = VgNew<Views::Text>();
    label->OnSetBounds({16, y, 170, y + 30});
    label->OnSetFont(small);
    label->OnSetColor({236, 240, 246, 255});
    label->OnSetAlignV(Views::Text::AlignMiddle);
    label->OnSetString(VgNewStringAnsi(text));
    top->Add(label, 0);
  }

  // A group of the screen's size holding one widget; focused, it puts the
  // widget on a focus path of its own, so several samples show the focus.
  Core::Group* Holder(Core::View* widget, bool focused) {
    auto* holder = VgNew<Core::Group>();
    holder->OnSetBounds(top->Bounds);
    top->Add(holder, 0);
    holder->Add(widget, 0);
    holder->OnSetFocus(widget);
    if (focused) holder->UpdateFocus(true);
    return holder;
  }

  void Buttons(int32_t y) {
    Heading("Buttons", y);
    const char* names[] = {"Normal", "Focused", "Disabled"};
    for (int32_t i = 0; i < 3; ++i) {
      auto* b = VgNew<SkinBin::Button>();
      b->OnSetBounds({180 + i * 130, y, 290 + i * 130, y + 27});
      b->OnSetText(VgNewStringAnsi(names[i]));
      b->OnSetIsDisabled(i == 2);
      Holder(b, i == 1);
    }
    const VgColor colours[] = {{255, 0, 0, 255}, {0, 170, 60, 255}, {40, 90, 230, 255}};
    for (int32_t i = 0; i < 3; ++i) {
      auto* c = VgNew<SkinBin::ColorButton>();
      c->OnSetBounds({580 + i * 44, y - 2, 612 + i * 44, y + 30});
      c->OnSetColor(colours[i]);
      Holder(c, i == 1);
    }
  }

  void CheckBoxes(int32_t y) {
    Heading("Check boxes", y);
    struct Box {
      bool checked, focused, disabled;
      const char* text;
    };
    const Box boxes[] = {{false, false, false, "Off"}, {true, false, false, "On"}, {true, true, false, "Focused"},
                         {true, true, true, "Disabled"}};
    for (int32_t i = 0; i < 4; ++i) {
      auto* box = VgNew<SkinBin::CheckBoxWithCaption>();
      box->OnSetBounds({180 + i * 190, y, 360 + i * 190, y + 27});
      box->OnSetText(VgNewStringAnsi(boxes[i].text));
      box->OnSetIsChecked(boxes[i].checked);
      box->OnSetIsDisabled(boxes[i].disabled);
      Holder(box, boxes[i].focused);
    }
  }

  void Entries(int32_t y) {
    Heading("Number, time, PIN", y);
    auto* number = VgNew<SkinBin::NumberInput>();
    number->OnSetBounds({180, y, 425, y + 25});
    Holder(number, true);
    number->HandleEvent(Press(14));
    number->HandleEvent(Press(12));

    auto* time = VgNew<SkinBin::EnterTime>();
    time->OnSetBounds({440, y, 685, y + 25});
    Holder(time, true);
    for (uint16_t code : {10, 19, 15}) time->HandleEvent(Press(code));

    auto* pin = VgNew<SkinBin::PinEntry>();
    pin->OnSetBounds({700, y - 1, 840, y + 26});
    Holder(pin, true);
    pin->HandleEvent(Press(11));
    pin->HandleEvent(Press(12));
  }

  void Sliders(int32_t y) {
    Heading("Sliders", y);
    auto* qor = VgNew<SkinBin::ProgressQOR>();
    qor->OnSetBounds({180, y + 8, 380, y + 20});
    top->Add(qor, 0);
    auto* qor30 = VgNew<SkinBin::ProgressQOR>();
    qor30->OnSetBounds({400, y + 8, 600, y + 20});
    qor30->OnSetValue(30);
    top->Add(qor30, 0);
    auto* slider = VgNew<SkinBin::Progress>();
    slider->OnSetBounds({620, y + 2, 840, y + 26});
    slider->OnSetValue(70);
    top->Add(slider, 0);
  }

  void Page(int32_t y) {
    Heading("Text page", y);
    auto* page = VgNew<SkinBin::TextForm>();
    page->OnSetBounds({180, y, 500, y + 160});
    page->OnSetFont(ViewsTest::LoadFont(Fonts::MediumFont));
    page->OnSetColor({220, 224, 230, 255});
    page->OnSetString(VgNewStringAnsi(
        "The system information lists the source and the channel, the incoming stream, the video output, "
        "the network and the storage.\n\nPage down and page up move by a page; the arrows move by a line. "
        "A key that cannot move the page any further is left to the screen, which may close it.\n\n"
        "Line after line of text follows, so that there is something to scroll through on this page."));
    page->OnSetPageDownKey(30);
    auto* bar = VgNew<SkinBin::ScrollBar>();
    bar->OnSetBounds({504, y, 520, y + 160});
    top->Add(bar, 0);
    page->OnSetVertScrollBar(bar);
    top->Add(page, 0);
    VgProcessSignals();
    page->HandleEvent(Press(5));
    page->HandleEvent(Press(5));
    page->HandleEvent(Press(5));

    Heading("Focus frames", y + 90);
    auto* tileHolder = VgNew<Core::Group>();
    tileHolder->OnSetBounds({560, y, 700, y + 120});
    top->Add(tileHolder, 0);
    auto* tile = VgNew<Views::Rectangle>();
    tile->OnSetBounds({20, 20, 97, 97});
    tile->OnSetColor({60, 70, 90, 255});
    tileHolder->Add(tile, 0);
    auto* frame = VgNew<SkinBin::FocusFrame>();
    frame->OnSetFrameBitmap(LoadBitmap(Bitmaps::ChBrowserCursor));
    frame->OnSetBorderWidth(3);
    frame->OnSetClientBounds({20, 20, 97, 97});
    tileHolder->Add(frame, 0);

    auto* rowHolder = VgNew<Core::Group>();
    rowHolder->OnSetBounds({730, y + 30, 900, y + 100});
    top->Add(rowHolder, 0);
    auto* row = VgNew<Views::Rectangle>();
    row->OnSetBounds({10, 10, 140, 50});
    row->OnSetColor({60, 70, 90, 255});
    rowHolder->Add(row, 0);
    auto* cursor = VgNew<SkinBin::CBFocusFrame>();
    cursor->OnSetClientBounds({10, 10, 140, 50});
    rowHolder->Add(cursor, 0);
  }

  Resources::Font* small = nullptr;
};

TEST_F(SkinGallery, EverySkinnedWidget) {
  Buttons(24);
  CheckBoxes(80);
  Entries(136);
  Sliders(190);
  Page(250);
  Advance(0);
  ExpectGolden(ViewsTest::Pixels(Render()), GoldenPath("gallery.png"));
}

}  // namespace
}  // namespace WidgetsTest
