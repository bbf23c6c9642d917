#include "SkinBin/MultilineText.h"

#include "Graphics/Canvas.h"
#include "Resources/Font.h"

VG_DEFINE_CLASS(SkinBin, MultilineText, Views::MultilineText)

namespace SkinBin {

namespace {

constexpr char16_t kLineFeed = 10;

// Division rounding towards minus infinity, for lines above the view's top.
int32_t FloorDiv(int32_t a, int32_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

MultilineText::MultilineText(XObject* link) : Views::MultilineText(link) {}

// Wrapped texts are immutable and the field keeps the indexed one alive, so
// the same pointer always means the same lines.
void MultilineText::IndexLines() {
  if (indexedText_.get() == shownText.get()) return;
  indexedText_ = shownText;
  lineStarts_.clear();
  const VgString text = shownText;
  const int32_t length = VgGetStringLength(text);
  if (length < 1) return;
  const int32_t count = text[0];
  int32_t pos = 1;
  // A record that runs past the text ends the index: a damaged text shows
  // fewer lines, never characters from beyond its end.
  for (int32_t i = 0; i < count && pos + 1 < length; ++i) {
    const int32_t size = text[pos];
    if (size < 2 || pos + size > length) break;
    lineStarts_.push_back(pos);
    pos += size;
  }
}

void MultilineText::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Font || VgGetStringLength(shownText) < 2) return;
  IndexLines();
  const VgString text = shownText;
  const int32_t count = text[0];
  const VgRect area = VgMoveRectPos(Bounds, offset);
  clip = VgIntersectRect(clip, area);
  const int32_t W = VgGetRectW(area);
  const int32_t P = Font->OnGetAscent() + Font->OnGetDescent() + Font->OnGetExtLeading();
  if (P <= 0) {
    Views::MultilineText::Draw(canvas, clip, offset);
    return;
  }

  // The block's top follows the vertical alignment, as in the base view.
  const int32_t blockHeight = count * P + Shadow - Font->OnGetExtLeading();
  const int32_t room = VgGetRectH(Bounds) - blockHeight;
  int32_t blockTop = area.y1;
  if (AlignV == AlignMiddle) blockTop += room / 2;
  else if (AlignV == AlignBottom) blockTop += room;

  // The first line whose shadowed box reaches into the clip area.
  const int32_t lines = static_cast<int32_t>(lineStarts_.size());
  int32_t first = -FloorDiv(-(clip.y1 - blockTop - P - Shadow), P);
  if (first < 0) first = 0;
  for (int32_t i = first; i < lines; ++i) {
    const int32_t top = blockTop + i * P;
    if (top >= clip.y2) break;
    const int32_t pos = lineStarts_[static_cast<size_t>(i)];
    const int32_t start = pos + 2;
    int32_t chars = text[pos] - 2;
    const bool lineFeed = chars > 0 && text[start + chars - 1] == kLineFeed;
    if (lineFeed) --chars;
    if (top + P + Shadow < clip.y1 || chars == 0) continue;

    int32_t x = area.x1;
    int32_t justify = 0;
    if (AlignH == AlignJustified) {
      // Only a line broken by wrapping is spread; a paragraph's last line and
      // the text's last line stay left-aligned.
      if (!lineFeed && i + 1 < count) justify = W - Shadow;
    } else if (AlignH == AlignCentre || AlignH == AlignRight) {
      const int32_t free = W - (Font->GetTextWidth(text, start, chars) + Shadow);
      x += AlignH == AlignCentre ? free / 2 : free;
    }
    canvas->DrawTextEx(clip, {x, top + Font->OnGetAscent()}, justify, Color, ShadowColor, Shadow, Font, text, start,
                       chars, Mode);
  }
}

}  // namespace SkinBin
