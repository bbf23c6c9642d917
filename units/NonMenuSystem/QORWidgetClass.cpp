#include "NonMenuSystem/QORWidgetClass.h"

#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "SubSystem/KeyOwner.h"

VG_DEFINE_CLASS(NonMenuSystem, QORWidgetClass, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

namespace {

// The frame art keeps its visible edge this far inside its border cells; the
// rest of the border is shadow.
constexpr int32_t kShadow = 12;

}  // namespace

QORWidgetClass::QORWidgetClass(XObject* link) : WidgetClass(link) {
  OnSetTimeOutValue(QORTimeOut);
  background.OnSetColor(Look::Transparent);
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::QORDialogFrame));
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
  caption.OnSetColor(Look::Caption);
  caption.OnSetAlignH(Views::Text::AlignCentre);
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  caption.OnSetEllipsis(true);
  separator.OnSetColor(Look::Separator);
  fill.OnSetVisible(false);
  Add(&fill, 0);
  Add(&frame, 0);
  Add(&caption, 0);
  Add(&separator, 0);
}

void QORWidgetClass::OnSetBounds(VgRect rect) {
  WidgetClass::OnSetBounds(rect);
  Refresh();
}

void QORWidgetClass::Refresh(XObject*) {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  frame.OnSetBounds({0, 0, w, h});
  fill.OnSetBounds({0, 0, w, h});
  const int32_t top = FrameWidth - kShadow;
  caption.OnSetBounds({ContentLeft(), top, ContentRight(), top + CaptionHeight});
  const int32_t lineY = CaptionLine();
  separator.OnSetPoint1({ContentLeft(), lineY});
  separator.OnSetPoint2({ContentRight(), lineY});
  caption.OnSetVisible(HasCaption);
  separator.OnSetVisible(HasCaption);
}

// Over the picture alone the panel lets a little of it show through; over
// another screen (a keyboard over a library, the quick menu over a menu
// page, a pop-up over its dialog) it is solid, so that no text below reads
// through it.
void QORWidgetClass::UpdateInside() {
  WidgetClass::UpdateInside();
  if (!SolidInside) fill.OnSetVisible(SubSystem::KeyOwner::OverAnother(this));
}

void QORWidgetClass::OnSetCaption(VgString value) { caption.OnSetString(value); }

void QORWidgetClass::OnSetSolidInside(bool value) {
  SolidInside = value;
  fill.OnSetVisible(value);
}

void QORWidgetClass::OnSetHasCaption(bool value) {
  HasCaption = value;
  Refresh();
}

void QORWidgetClass::OnSetFrameWidth(int32_t value) {
  const int32_t grow = 2 * (value - FrameWidth);
  FrameWidth = value;
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2 + grow, Bounds.y2 + grow});
}

int32_t QORWidgetClass::ContentTop() const {
  return HasCaption ? FrameWidth - kShadow + CaptionHeight + 10 : FrameWidth;
}

int32_t QORWidgetClass::CaptionLine() const { return FrameWidth - kShadow + CaptionHeight + 2; }

int32_t QORWidgetClass::ContentLeft() const { return FrameWidth; }

int32_t QORWidgetClass::ContentRight() const { return VgGetRectW(Bounds) - FrameWidth; }

}  // namespace NonMenuSystem
