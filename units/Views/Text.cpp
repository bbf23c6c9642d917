#include "Views/Text.h"

#include "Graphics/Canvas.h"
#include "Resources/Font.h"

VG_DEFINE_CLASS(Views, Text, Core::View)

namespace Views {

Text::Text(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect Text::GetExtent() { return Bounds; }

void Text::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

bool Text::CanAdjust() const { return AutoSize && Font && !String.empty(); }

// ------------------------------------------------------------------ setters

void Text::OnSetString(VgString value) {
  if (VgCompString(String, value) == 0) return;
  String = value;
  WrapString();
  if (CanAdjust()) AdjustBounds();
  InvalidateView();
}

void Text::OnSetFont(Resources::Font* value) {
  if (Font.get() == value) return;
  Font = value;
  WrapString();
  if (CanAdjust()) AdjustBounds();
  InvalidateView();
}

void Text::OnSetShadow(int32_t value) {
  if (value < 0) value = 0;
  if (value > 3) value = 3;
  if (Shadow == value) return;
  Shadow = value;
  WrapString();
  if (CanAdjust()) AdjustBounds();
  InvalidateView();
}

void Text::OnSetAutoSize(bool value) {
  if (AutoSize == value) return;
  AutoSize = value;
  WrapString();
  if (CanAdjust()) AdjustBounds();
  InvalidateView();
}

Resources::Font* Text::FirstFitting(VgString text, int32_t width, std::initializer_list<Resources::Font*> fonts) {
  Resources::Font* chosen = nullptr;
  for (Resources::Font* font : fonts) {
    if (!font) continue;
    chosen = font;
    if (!text || font->GetTextWidth(text, 0, 0) <= width) break;
  }
  return chosen;
}

void Text::OnSetEllipsis(bool value) {
  if (Ellipsis == value) return;
  Ellipsis = value;
  WrapString();
  InvalidateView();
}

// Only a text cut to fit depends on the alignment (which end loses characters).
void Text::OnSetAlignH(uint16_t value) {
  if (AlignH == value) return;
  AlignH = value;
  if (Ellipsis && !AutoSize) WrapString();
  InvalidateView();
}

void Text::OnSetAlignV(uint16_t value) {
  if (AlignV == value) return;
  AlignV = value;
  if (Ellipsis && !AutoSize) WrapString();
  InvalidateView();
}

void Text::OnSetColor(VgColor value) {
  if (VgCompColor(Color, value) == 0) return;
  Color = value;
  InvalidateView();
}

void Text::OnSetShadowColor(VgColor value) {
  if (VgCompColor(ShadowColor, value) == 0) return;
  ShadowColor = value;
  if (Shadow > 0) InvalidateView();
}

void Text::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  if (VgGetRectW(old) != VgGetRectW(value) || VgGetRectH(old) != VgGetRectH(value)) WrapString();
  InvalidateRect(VgUnionRect(old, value), true);
}

// ---------------------------------------------------------------- layout

void Text::WrapString() {
  shownText = String;
  if (String.empty() || !Font || !Ellipsis || AutoSize) return;

  const VgString text = String;
  const int32_t n = VgGetStringLength(text);
  const int32_t w = Font->GetTextWidth(text, 0, 0) + Shadow;
  const int32_t W = VgGetRectW(Bounds);
  VgString dots = VgNewStringAnsi("...");
  const int32_t e = Font->GetTextWidth(dots, 0, 0);
  if (w <= W) return;

  int32_t t = AlignH == AlignCentre ? w + 2 * e : w + e;
  int32_t s = 0;
  int32_t end = n;
  while (t > W && end > s) {
    if (AlignH == AlignCentre) {
      --end;
      t -= Font->GetGlyphAdvance(text[end]).x;
      t -= Font->GetGlyphAdvance(text[s]).x;
      ++s;
    } else if (AlignH == AlignRight) {
      t -= Font->GetGlyphAdvance(text[s]).x;
      ++s;
    } else {
      --end;
      t -= Font->GetGlyphAdvance(text[end]).x;
    }
  }
  // Cutting both ends of an odd-length text can step past the middle (end one
  // below s); the string operation clips such a count to nothing.
  VgString shown = VgStringMiddle(text, s, end - s);
  if (s >= 1) shown = VgConcatString(dots, shown);
  if (end < n) shown = VgConcatString(shown, dots);
  shownText = shown;
}

void Text::AdjustBounds() {
  if (!Font || shownText.empty()) return;
  const int32_t oldW = VgGetRectW(Bounds);
  const int32_t oldH = VgGetRectH(Bounds);
  const int32_t h = Font->OnGetAscent() + Font->OnGetDescent() + Shadow;
  const int32_t w = AlignH == AlignJustified ? oldW : Font->GetTextWidth(shownText, 0, 0) + Shadow;

  int32_t x = Bounds.x1;
  if (AlignH == AlignCentre) x += (oldW - w) / 2;
  else if (AlignH == AlignRight) x += oldW - w;
  int32_t y = Bounds.y1;
  if (AlignV == AlignMiddle) y += (oldH - h) / 2;
  else if (AlignV == AlignBottom) y += oldH - h;
  OnSetBounds({x, y, x + w, y + h});
}

// ------------------------------------------------------------------ drawing

int32_t Text::Baseline(VgRect area) const {
  if (!Font) return area.y1;
  const int32_t H = VgGetRectH(area);
  const int32_t textHeight = Font->OnGetAscent() + Font->OnGetDescent() + Shadow;
  int32_t y = area.y1 + Font->OnGetAscent();
  if (AlignV == AlignMiddle) y += (H - textHeight) / 2;
  else if (AlignV == AlignBottom) y += H - textHeight;
  return y;
}

void Text::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Font || shownText.empty()) return;
  const VgRect area = VgMoveRectPos(Bounds, offset);
  clip = VgIntersectRect(clip, area);
  const int32_t W = VgGetRectW(area);
  const int32_t y = Baseline(area);

  int32_t x = area.x1;
  int32_t justify = 0;
  if (AlignH == AlignJustified) {
    justify = W - Shadow;
  } else if (AlignH == AlignCentre || AlignH == AlignRight) {
    const int32_t room = W - (Font->GetTextWidth(shownText, 0, 0) + Shadow);
    x += AlignH == AlignCentre ? room / 2 : room;
  }
  canvas->DrawTextEx(clip, {x, y}, justify, Color, ShadowColor, Shadow, Font, shownText, 0, 0, Mode);
}

}  // namespace Views
