#include "Views/MultilineText.h"

#include <string>
#include <vector>

#include "Graphics/Canvas.h"
#include "Resources/Font.h"

VG_DEFINE_CLASS(Views, MultilineText, Views::Text)

namespace Views {

namespace {

constexpr char16_t kLineFeed = 10;

// One line of the wrapped-line string.
struct Line {
  std::u16string chars;  // without the line feed
  char16_t consumed = 1;
  bool lineFeed = false;
};

// Reads the records of a wrapped-line string. A record that runs past the
// string ends the reading, so a damaged string yields fewer lines, never a
// read beyond its end.
std::vector<Line> ParseLines(VgString text) {
  std::vector<Line> lines;
  const int32_t length = VgGetStringLength(text);
  if (length < 1) return lines;
  const int32_t count = text[0];
  int32_t pos = 1;
  for (int32_t i = 0; i < count; ++i) {
    if (pos + 1 >= length) break;
    const int32_t size = text[pos];
    if (size < 2 || pos + size > length) break;
    Line line;
    line.consumed = text[pos + 1];
    line.chars.assign(text + pos + 2, text + pos + size);
    if (!line.chars.empty() && line.chars.back() == kLineFeed) {
      line.chars.pop_back();
      line.lineFeed = true;
    }
    lines.push_back(std::move(line));
    pos += size;
  }
  return lines;
}

VgString JoinLines(const std::vector<Line>& lines) {
  if (lines.empty()) return nullptr;
  std::u16string out;
  out += static_cast<char16_t>(lines.size());
  for (const Line& line : lines) {
    out += static_cast<char16_t>(2 + line.chars.size() + (line.lineFeed ? 1 : 0));
    out += line.consumed;
    out += line.chars;
    if (line.lineFeed) out += kLineFeed;
  }
  return VgNewString(out.c_str());
}

int32_t Advance(Resources::Font* font, char16_t c) { return font->GetGlyphAdvance(c).x; }

int32_t Width(Resources::Font* font, const std::u16string& chars) {
  int32_t width = 0;
  for (char16_t c : chars) width += Advance(font, c);
  return width;
}

}  // namespace

MultilineText::MultilineText(XObject* link) : Text(link) {}

int32_t MultilineText::LinePitch() const {
  return Font->OnGetAscent() + Font->OnGetDescent() + Font->OnGetExtLeading();
}

int32_t MultilineText::LinesHeight(int32_t lines) const {
  return lines * LinePitch() + Shadow - Font->OnGetExtLeading();
}

int32_t MultilineText::VerticalOffset(int32_t lines) const {
  const int32_t room = VgGetRectH(Bounds) - LinesHeight(lines);
  if (AlignV == AlignMiddle) return room / 2;
  if (AlignV == AlignBottom) return room;
  return 0;
}

int32_t MultilineText::LineTop(int32_t line) const {
  const int32_t count = VgGetStringLength(shownText) < 2 ? 0 : shownText.get()[0];
  return VerticalOffset(count) + line * LinePitch();
}

void MultilineText::WrapString() {
  shownText = nullptr;
  if (String.empty() || !Font) return;
  const int32_t W = VgGetRectW(Bounds);
  shownText = Font->WrapMultilineText(String, 0, W, 65535);
  if (!Ellipsis || AutoSize || shownText.empty()) return;

  std::vector<Line> lines = ParseLines(shownText);
  const int32_t n = static_cast<int32_t>(lines.size());
  const int32_t H = VgGetRectH(Bounds);
  const int32_t P = LinePitch();
  if (P <= 0) return;

  // Lines pushed above the top by centring or bottom alignment are dropped.
  int32_t first = 0;
  const int32_t offset = VerticalOffset(n);
  if (offset < 0) first = (-offset + P - 1) / P;
  if (H < P + Shadow || first >= n) {
    shownText = nullptr;
    return;
  }
  int32_t kept = 1;
  while (first + kept < n && Shadow + (kept + 1) * P <= H) ++kept;

  const int32_t e = Width(Font, u"...");
  const int32_t room = W - e - Shadow;
  if (first + kept < n) {
    Line& last = lines[first + kept - 1];
    int32_t width = Width(Font, last.chars);
    while (!last.chars.empty() && width > room) {
      width -= Advance(Font, last.chars.back());
      last.chars.pop_back();
    }
    last.chars += u"...";
  }
  if (first > 0) {
    Line& top = lines[first];
    int32_t width = Width(Font, top.chars);
    size_t cut = 0;
    while (cut < top.chars.size() && width > room) width -= Advance(Font, top.chars[cut++]);
    top.chars = u"..." + top.chars.substr(cut);
  }
  shownText = JoinLines({lines.begin() + first, lines.begin() + first + kept});
}

void MultilineText::AdjustBounds() {
  if (!Font || VgGetStringLength(shownText) < 2) return;
  const int32_t oldH = VgGetRectH(Bounds);
  const int32_t h = LinesHeight(shownText.get()[0]);
  int32_t y = Bounds.y1;
  if (AlignV == AlignMiddle) y += (oldH - h) / 2;
  else if (AlignV == AlignBottom) y += oldH - h;
  OnSetBounds({Bounds.x1, y, Bounds.x2, y + h});
}

void MultilineText::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Font || VgGetStringLength(shownText) < 2) return;
  const VgString text = shownText;
  const int32_t length = VgGetStringLength(text);
  const int32_t count = text[0];
  const VgRect area = VgMoveRectPos(Bounds, offset);
  clip = VgIntersectRect(clip, area);
  const int32_t W = VgGetRectW(area);
  const int32_t P = LinePitch();

  int32_t top = area.y1 + LineTop(0);
  int32_t pos = 1;
  for (int32_t i = 0; i < count && pos + 1 < length; ++i, top += P) {
    const int32_t size = text[pos];
    if (size < 2 || pos + size > length) break;
    const int32_t start = pos + 2;
    int32_t chars = size - 2;
    const bool lineFeed = chars > 0 && text[start + chars - 1] == kLineFeed;
    if (lineFeed) --chars;
    pos += size;
    if (top >= clip.y2) break;
    if (top + P + Shadow < clip.y1 || chars == 0) continue;

    int32_t x = area.x1;
    int32_t justify = 0;
    if (AlignH == AlignJustified) {
      // Only a line broken by wrapping is spread; a paragraph's last line and
      // the text's last line stay left-aligned.
      if (!lineFeed && i + 1 < count) justify = W - Shadow;
    } else if (AlignH == AlignCentre || AlignH == AlignRight) {
      const int32_t room = W - (Font->GetTextWidth(text, start, chars) + Shadow);
      x += AlignH == AlignCentre ? room / 2 : room;
    }
    canvas->DrawTextEx(clip, {x, top + Font->OnGetAscent()}, justify, Color, ShadowColor, Shadow, Font, text,
                       start, chars, Mode);
  }
}

}  // namespace Views
