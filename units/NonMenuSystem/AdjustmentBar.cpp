#include "NonMenuSystem/AdjustmentBar.h"

#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "NonMenuSystem/Look.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, AdjustmentBar, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

namespace {

// The frame art's visible edge lies this far inside its border cells.
constexpr int32_t kFrameInset = 30;

}  // namespace

AdjustmentBar::AdjustmentBar(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_AdjustmentBar;
  frame.OnSetVisible(false);
  Add(&frame, 0);
  Add(&row, 0);
  OnSetBounds({0, Top, Width, Top + Height});
}

void AdjustmentBar::UseFrame(int32_t width, int32_t height) {
  background.OnSetColor(Look::Transparent);
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::QORDialogFrame));
  frame.OnSetVisible(true);
  row.OnSetSliderLook(AdjustmentRow::SliderLook::QOR);
  Inset = kFrameInset;
  const int32_t bottom = Top + Height;
  OnSetBounds({0, bottom - height, width, bottom});
}

void AdjustmentBar::OnSetBounds(VgRect rect) {
  WidgetClass::OnSetBounds(rect);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  frame.OnSetBounds({0, 0, w, h});
  row.OnSetBounds({Inset, 0, w - Inset, h});
}

void AdjustmentBar::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  // A menu row sends its slider middle point as the flag; without a record
  // the groove keeps its mark.
  row.OnSetMiddlePoint(ParamFlag || ParamKind == 0);
  Bind(ParamValue);
}

void AdjustmentBar::Bind(int32_t optionType) { row.Bind(optionType); }

void AdjustmentBar::Step(int32_t direction) {
  row.Step(direction);
  ResetTimeout();
}

XObject* AdjustmentBar::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return WidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Right:
      Step(1);
      return this;
    case Key::Left:
      Step(-1);
      return this;
    case Key::Ok:
      GoBack();
      return this;
    default:
      return WidgetClass::HandleEvent(event);
  }
}

}  // namespace NonMenuSystem
