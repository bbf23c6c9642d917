#include "NonMenuSystem/SpinnerPopup.h"

#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "WidgetManager/Layers.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, SpinnerPopup, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kSeparatorWidth = 20;
// Room above and below the spinners for the navigator's arrows.
constexpr int32_t kArrowRoom = 16;

}  // namespace

SpinnerPopup::SpinnerPopup(XObject* link) : QORWidgetClass(link) {
  Layer = Layers::PopUp;
  HasCaption = false;
  // Only the pop-up goes when its time is up.
  OnSetOnTimeOut(VgSlotOf<&WidgetClass::Exit>(this));
  for (Views::Text* separator : {&separator1, &separator2}) {
    separator->OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
    separator->OnSetColor(Look::Text);
    separator->OnSetAlignH(Views::Text::AlignCentre);
    separator->OnSetAlignV(Views::Text::AlignMiddle);
    Add(separator, 0);
  }
  Add(&navigator, 0);
}

void SpinnerPopup::Arrange(Button::Button* const* list, const int32_t* widths, int32_t count, const char* separator) {
  SpinnerCount = count < MaxSpinners ? count : MaxSpinners;
  int32_t x = FrameWidth;
  const int32_t y = FrameWidth + kArrowRoom;
  for (int32_t i = 0; i < SpinnerCount; ++i) {
    Button::Button* spinner = list[i];
    spinners[size_t(i)] = spinner;
    spinner->OnSetNavigator(&navigator);
    spinner->OnSetBounds({x, y, x + widths[i], y + SpinnerHeight});
    Add(spinner, 0);
    x += widths[i];
    if (i + 1 < SpinnerCount) {
      Views::Text* text = Separator(i);
      text->OnSetVisible(true);
      text->OnSetString(VgNewStringAnsi(separator));
      text->OnSetBounds({x, y, x + kSeparatorWidth, y + SpinnerHeight});
      x += kSeparatorWidth;
    }
  }
  for (int32_t i = SpinnerCount > 0 ? SpinnerCount - 1 : 0; i < MaxSpinners - 1; ++i)
    Separator(i)->OnSetVisible(false);
  RestackTop(&navigator);
  const int32_t width = x + FrameWidth;
  const int32_t height = y + SpinnerHeight + kArrowRoom + FrameWidth;
  OnSetBounds({0, Top, width, Top + height});
  if (SpinnerCount > 0) OnSetFocus(spinners[0]);
}

void SpinnerPopup::MoveFocus(int32_t direction) {
  if (SpinnerCount == 0) return;
  int32_t index = 0;
  for (int32_t i = 0; i < SpinnerCount; ++i)
    if (Focus.get() == spinners[size_t(i)]) index = i;
  index = (index + direction + SpinnerCount) % SpinnerCount;
  OnSetFocus(spinners[size_t(index)]);
}

XObject* SpinnerPopup::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return QORWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Right:
      MoveFocus(1);
      break;
    case Key::Left:
      MoveFocus(-1);
      break;
    case Key::Back:
      Exit();
      break;
    default:
      return QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace NonMenuSystem
