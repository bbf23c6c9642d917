#include "layout_check.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "Core/Group.h"
#include "Core/Root.h"
#include "Forms/ScrollForm.h"
#include "GenBitmap.h"
#include "GenColor.h"
#include "Graphics/Canvas.h"
#include "Graphics/RootCanvas.h"
#include "Media/ScalableImage.h"
#include "NonMenuSystem/HelpBar.h"
#include "Primitives/KeyRoutingForm.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Views/Align.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/ImageList.h"
#include "Views/MultilineText.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "screen_view.h"
#include "vgstring.h"

namespace {

// A pixel counts as painted from this opacity on: the faint smoothing at the
// edge of a glyph that touches a neighbour is no collision.
constexpr uint32_t kPainted = 96;
// A failure names this many faults at most.
constexpr size_t kMaxFaults = 6;

VgPoint TopLeft(VgRect r) { return {r.x1, r.y1}; }

bool Contains(VgRect outer, VgRect inner) { return VgIntersectRect(outer, inner) == inner; }

bool IsWindow(Core::View* view) {
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  return form && (form->WinID != 0 || form->Layer != 0);
}

bool IsText(Core::View* view) { return vg_cast<Views::Text>(view) != nullptr; }

bool IsImage(Core::View* view) { return vg_cast<Views::Image>(view) || vg_cast<Views::ImageList>(view); }

// A text whose box the screen's design fixes: the box may cut off the tops
// and tails of its glyphs, which is meant.
bool BoxFixed(Core::View* view) {
  auto* text = vg_cast<Views::Text>(view);
  return text && text->BoxFixed;
}

constexpr size_t kNone = size_t(-1);

// A visible view where the root draws it, in screen coordinates.
struct Placed {
  Core::View* view;
  size_t parent;       // the owner's index, kNone below the root
  Core::View* window;  // null outside every window
  int windowOrder;     // the window's place in the drawing order
  VgRect extent;
  VgRect clip;     // what the groups around it let through
  VgPoint offset;  // where its owner's top-left corner lies
  // Drawn onto the screen canvas in one piece: a view that is not a group,
  // or a group drawn through a buffer or an opacity of its own; not a view
  // inside such a group, which draws onto that group's canvas.
  bool unit;

  VgRect Drawn() const { return VgIntersectRect(extent, clip); }
};

class Walk {
 public:
  explicit Walk(Core::View* root) {
    auto* group = vg_cast<Core::Group>(root);
    if (!group || !group->Visible) return;
    screen = group->Bounds;
    Collect(group, kNone, TopLeft(group->Bounds), group->Bounds, nullptr, 0, false);
  }
  std::vector<Placed> views;
  // What the root shows: a line past it is lost like one past its window.
  VgRect screen{0, 0, 0, 0};

 private:
  int windows_ = 0;

  // The views in the order the group draws them: a group that stacks the
  // children of an inner group among its own is walked as drawn, and the inner
  // group stands in the walk as their owner, drawing nothing itself.
  void Collect(Core::Group* group, size_t parent, VgPoint groupOrigin, VgRect groupClip, Core::View* window,
               int order, bool inUnit) {
    std::vector<Core::Group::Stacked> stacked;
    group->Stacking(&stacked);
    std::unordered_map<Core::Group*, size_t> holders;
    for (const auto& [view, holder] : stacked) {
      size_t owner = parent;
      VgPoint origin = groupOrigin;
      VgRect clip = groupClip;
      if (holder != group) {
        auto found = holders.find(holder);
        if (found == holders.end()) {
          const VgRect extent = VgMoveRectPos(holder->GetExtent(), groupOrigin);
          views.push_back({holder, parent, window, order, extent, groupClip, groupOrigin, false});
          found = holders.emplace(holder, views.size() - 1).first;
        }
        owner = found->second;
        origin = TopLeft(views[owner].extent);
        clip = VgIntersectRect(groupClip, views[owner].extent);
      }
      const VgRect extent = VgMoveRectPos(view->GetExtent(), origin);
      Core::View* inWindow = window;
      int inOrder = order;
      if (IsWindow(view)) {
        inWindow = view;
        inOrder = ++windows_;
      }
      auto* child = vg_cast<Core::Group>(view);
      const bool whole = !child || child->Opacity != 255 || child->Buffered;
      const size_t index = views.size();
      views.push_back({view, owner, inWindow, inOrder, extent, clip, origin, !inUnit && whole});
      // A group of opacity 0 shows none of its children.
      if (child && child->Opacity > 0)
        Collect(child, index, TopLeft(extent), VgIntersectRect(clip, extent), inWindow, inOrder, inUnit || whole);
    }
  }
};

std::string RectText(VgRect r) {
  char text[64];
  std::snprintf(text, sizeof text, "(%d,%d,%d,%d)", r.x1, r.y1, r.x2, r.y2);
  return text;
}

// "Views::Text "Off" (480,125,710,145)", or for a view that is no text the
// group it belongs to: "Views::Frame (426,129,606,141) of SkinBin::ProgressQOR".
std::string Describe(const Placed& p) {
  std::string text = VgClassOf(p.view)->name;
  if (auto* label = vg_cast<Views::Text>(p.view)) text += " \"" + Utf8Text(label->String) + "\"";
  text += " " + RectText(p.extent);
  if (!IsText(p.view) && p.view->owner && p.view->owner.get() != p.window)
    text += std::string(" of ") + VgClassOf(p.view->owner.get())->name;
  return text;
}

std::string DescribeWindow(Core::View* window) {
  if (!window) return "no window";
  std::string text = std::string("window ") + VgClassOf(window)->name;
  if (auto* form = vg_cast<Primitives::KeyRoutingForm>(window); form && form->WinID != 0) {
    char id[24];
    std::snprintf(id, sizeof id, " 0x%X", unsigned(form->WinID));
    text += id;
  }
  return text;
}

// ------------------------------------------------------------ drawn pixels

// A yes or no for each pixel of a rectangle, a bit each, each row on whole
// words of its own, so that a run of pixels is read and written 64 at a
// time. The check runs in the set's own process, and what it holds counts in
// the process's peak: it keeps one for each text on the screen and each
// frame behind them until it ends, and at a byte a pixel a frame as large as
// the screen would take half a megabyte, twice over while its inside is found.
class PixelBits {
 public:
  PixelBits() = default;
  PixelBits(int32_t w, int32_t h) : words_((size_t(w) + 63) / 64), bits_(words_ * size_t(h), 0) {}

  bool operator()(int32_t x, int32_t y) const { return (Row(y)[x >> 6] >> (x & 63)) & 1; }
  void Set(int32_t x, int32_t y) { Row(y)[x >> 6] |= uint64_t(1) << (x & 63); }
  // Sets the pixels from x1 up to x2 (not included) of row y.
  void SetRun(int32_t y, int32_t x1, int32_t x2) {
    uint64_t* row = Row(y);
    for (int32_t x = x1; x < x2;) {
      const int32_t n = std::min(x2, (x | 63) + 1) - x;
      row[x >> 6] |= (n == 64 ? ~uint64_t(0) : (uint64_t(1) << n) - 1) << (x & 63);
      x += n;
    }
  }
  // Pixel x of a row is bit x % 64 of word x / 64.
  uint64_t* Row(int32_t y) { return bits_.data() + size_t(y) * words_; }
  const uint64_t* Row(int32_t y) const { return bits_.data() + size_t(y) * words_; }
  size_t Words() const { return words_; }

 private:
  size_t words_ = 0;
  std::vector<uint64_t> bits_;
};

// The pixels a view paints within an area of the screen.
struct Ink {
  VgRect area{0, 0, 0, 0};
  PixelBits paints;
  VgRect painted{0, 0, 0, 0};  // the smallest rectangle around the painted pixels

  bool PaintedAt(int32_t x, int32_t y) const {
    if (x < area.x1 || y < area.y1 || x >= area.x2 || y >= area.y2) return false;
    return paints(x - area.x1, y - area.y1);
  }
};

// Views are drawn a tile of this many rows and columns at a time: the
// scratch canvas stays the size of a tile, not of the largest view. A tile
// begins on a word of a row of PixelBits.
constexpr int32_t kTileRows = 32;
constexpr int32_t kTileColumns = 256;
static_assert(kTileColumns % 64 == 0);

// One scratch canvas, drawn into by one view at a time, kept from the
// collector while the program runs; its pixels go after each check.
Graphics::Canvas* Scratch(VgPoint size) {
  static Graphics::Canvas* canvas = [] {
    auto* made = VgNew<Graphics::Canvas>();
    VgLockObject(made);
    return made;
  }();
  const VgPoint have = canvas->OnGetSize();
  if (have.x < size.x || have.y < size.y) canvas->OnSetSize({std::max(have.x, size.x), std::max(have.y, size.y)});
  return canvas;
}
void ReleaseScratch() { Scratch({0, 0})->OnSetSize({0, 0}); }

// Runs the drawing over the area a tile at a time, each tile's top-left
// corner on the screen given, and hands each tile's pixels on as drawn:
// read(pixels, stride, tile, left, top), the tile's place in the area at
// (left, top). False when the scratch canvas cannot be drawn or read.
template <class Draw, class Read>
bool Tiles(VgRect area, const Draw& draw, const Read& read) {
  const int32_t w = VgGetRectW(area);
  const int32_t h = VgGetRectH(area);
  Graphics::Canvas* canvas = Scratch({kTileColumns, kTileRows});
  GenBitmap* bitmap = canvas->EngineBitmap();
  if (!bitmap || !bitmap->surface) return false;
  const size_t stride = size_t(bitmap->width + bitmap->padding);
  for (int32_t top = 0; top < h; top += kTileRows) {
    for (int32_t left = 0; left < w; left += kTileColumns) {
      const VgRect local{0, 0, std::min(kTileColumns, w - left), std::min(kTileRows, h - top)};
      canvas->DrawRectangle(local, local, VgColor{0, 0, 0, 0}, 0);
      draw(canvas, local, VgPoint{area.x1 + left, area.y1 + top});
      const auto* pixels = static_cast<const uint32_t*>(GenLockMemory(bitmap->surface));
      if (!pixels) return false;
      read(pixels, stride, local, left, top);
      GenUnlockMemory(bitmap->surface);
    }
  }
  return true;
}

// Runs the drawing over the area and reads what it painted.
template <class Draw>
Ink Paint(VgRect area, const Draw& draw) {
  Ink ink;
  if (VgIsRectEmpty(area)) return ink;
  ink.area = area;
  ink.paints = PixelBits(VgGetRectW(area), VgGetRectH(area));
  // The painted pixels' extent, relative to the area.
  int32_t x1 = INT32_MAX, y1 = INT32_MAX, x2 = INT32_MIN, y2 = INT32_MIN;
  const auto read = [&](const uint32_t* pixels, size_t stride, VgRect tile, int32_t left, int32_t top) {
    for (int32_t y = 0; y < tile.y2; ++y) {
      const uint32_t* row = pixels + size_t(y) * stride;
      uint64_t* out = ink.paints.Row(top + y);
      for (int32_t x = 0; x < tile.x2; x += 64) {
        const int32_t n = std::min(64, tile.x2 - x);
        uint64_t bits = 0;
        for (int32_t i = 0; i < n; ++i) bits |= uint64_t(GenColorAlpha(row[x + i]) >= kPainted) << i;
        if (!bits) continue;
        out[(left + x) >> 6] = bits;
        x1 = std::min(x1, left + x + std::countr_zero(bits));
        x2 = std::max(x2, left + x + 64 - std::countl_zero(bits));
        y1 = std::min(y1, top + y);
        y2 = std::max(y2, top + y + 1);
      }
    }
  };
  if (!Tiles(area, draw, read)) return Ink{};
  if (x1 < x2) ink.painted = VgMoveRectPos(VgRect{x1, y1, x2, y2}, TopLeft(area));
  return ink;
}

// The drawing of the view alone, where the root draws it, for Tiles.
auto DrawnAlone(const Placed& p) {
  return [&p](Graphics::Canvas* canvas, VgRect local, VgPoint at) {
    p.view->Draw(canvas, local, VgMovePointNeg(p.offset, at));
  };
}

// Draws the view alone, clipped to the area, and reads what it painted.
Ink Render(const Placed& p, VgRect area) { return Paint(VgIntersectRect(area, p.extent), DrawnAlone(p)); }

// Draws the view alone, clipped to the area, and hands each pixel on as
// drawn, a tile at a time: visit(x, y, colour) at its place on the screen.
// The part of the area it read, empty when it could not. No copy of the
// colours is kept: a view drawn over a long text would hold four bytes for
// each of its pixels.
template <class Visit>
VgRect EachColour(const Placed& p, VgRect area, const Visit& visit) {
  area = VgIntersectRect(area, p.extent);
  if (VgIsRectEmpty(area)) return {0, 0, 0, 0};
  const bool drawn =
      Tiles(area, DrawnAlone(p), [&](const uint32_t* pixels, size_t stride, VgRect tile, int32_t left, int32_t top) {
        for (int32_t y = 0; y < tile.y2; ++y)
          for (int32_t x = 0; x < tile.x2; ++x)
            visit(area.x1 + left + x, area.y1 + top + y, pixels[size_t(y) * stride + size_t(x)]);
      });
  return drawn ? area : VgRect{0, 0, 0, 0};
}

// The first pixel both paint within the area, or false.
bool Collide(const Ink& a, const Ink& b, VgRect area, VgPoint* at) {
  area = VgIntersectRect(area, VgIntersectRect(a.painted, b.painted));
  for (int32_t y = area.y1; y < area.y2; ++y)
    for (int32_t x = area.x1; x < area.x2; ++x)
      if (a.PaintedAt(x, y) && b.PaintedAt(x, y)) {
        *at = {x, y};
        return true;
      }
  return false;
}

std::string PointText(VgPoint p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

// Content scrolls through these forms: a line beyond their edge is scrolled
// away, not cut off.
bool Scrolls(Core::View* view) { return vg_cast<Forms::ScrollForm>(view) != nullptr; }

// The part of the screen the groups around the view keep it in, and the
// screen itself. Inside a form that scrolls, only the groups within that
// form count: the text moves through the form, and what lies beyond its edge
// is scrolled away.
VgRect Room(const std::vector<Placed>& views, const Placed& p, VgRect screen) {
  VgRect room{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
  for (size_t g = p.parent; g != kNone; g = views[g].parent) {
    if (Scrolls(views[g].view)) return room;
    room = VgIntersectRect(room, views[g].extent);
  }
  return VgIntersectRect(room, screen);
}

// The innermost group around the view that the area runs past.
const Placed* LeftGroup(const std::vector<Placed>& views, const Placed& p, VgRect area) {
  for (size_t g = p.parent; g != kNone && !Scrolls(views[g].view); g = views[g].parent)
    if (!Contains(views[g].extent, area)) return &views[g];
  return nullptr;
}

// Where a text runs past the edge of a group around it or of the screen,
// false when it does not. A line of text reaches as high and as low as its
// glyphs, even where its own bounds cut them (a font taller than its bounds
// is the text's own business, not a fault of its window); across, it
// reaches as far as its own bounds let it paint (an ellipsis). A text
// wrapped into lines is taken as painted: shown in part, it loses whatever
// it paints past the edge, a line cut there or a whole line beyond it (the
// second line of a caption below the screen). Wholly outside, it shows
// nothing and loses nothing a viewer could see.
bool LeavesAt(const std::vector<Placed>& views, const Placed& p, VgRect screen, const Ink& ink, VgRect* area) {
  const VgRect room = Room(views, p, screen);
  auto* text = vg_cast<Views::Text>(p.view);
  if (!vg_cast<Views::MultilineText>(p.view) && text->Font) {
    const int32_t baseline = text->Baseline(p.extent);
    const VgRect glyphs = text->Font->GetTextRect(text->shownText);
    *area = {ink.painted.x1, baseline + glyphs.y1, ink.painted.x2, baseline + glyphs.y2 + text->Shadow};
    return !VgIsRectEmpty(VgIntersectRect(*area, room)) && !Contains(room, *area);
  }
  if (Contains(room, ink.painted) || VgIsRectEmpty(VgIntersectRect(room, ink.painted))) return false;
  bool shown = false;
  VgRect lost{0, 0, 0, 0};
  for (int32_t y = ink.painted.y1; y < ink.painted.y2; ++y) {
    for (int32_t x = ink.painted.x1; x < ink.painted.x2; ++x) {
      if (!ink.PaintedAt(x, y)) continue;
      if (VgIsPointInRect(room, {x, y}))
        shown = true;
      else
        lost = VgUnionRect(lost, {x, y, x + 1, y + 1});
    }
  }
  *area = lost;
  return shown && !VgIsRectEmpty(lost);
}

// ------------------------------------------------------------ wrapped lines

// A line of a wrapped text as it shows it.
struct WrappedLine {
  std::u16string chars;
  int32_t consumed = 0;  // characters of the string it took, the spaces it broke at too
  bool lineFeed = false;
};

// The lines of a wrapped text's shown string (Views::MultilineText): the
// count, then per line its record's length, what it consumed and its
// characters, a line feed last where it ended at one.
std::vector<WrappedLine> WrappedLines(Views::MultilineText* text) {
  std::vector<WrappedLine> lines;
  const VgString shown = text->shownText;
  const int32_t length = VgGetStringLength(shown);
  if (length < 1) return lines;
  for (int32_t i = 0, pos = 1; i < shown[0] && pos + 1 < length; ++i) {
    const int32_t size = shown[pos];
    if (size < 2 || pos + size > length) break;
    WrappedLine line;
    line.consumed = shown[pos + 1];
    line.chars.assign(shown + pos + 2, shown + pos + size);
    if (!line.chars.empty() && line.chars.back() == u'\n') {
      line.chars.pop_back();
      line.lineFeed = true;
    }
    lines.push_back(std::move(line));
    pos += size;
  }
  return lines;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\n'; }

// Where a wrapped text breaks a word between two of its lines, as the word
// reads across them ("PREFERENC" and "ES"); empty when every line ends at a
// space, a line feed or a hyphen. The wrapper breaks inside a word only when
// the word alone is wider than the text's box: the line then takes all it
// consumed, no space left behind.
std::u16string BrokenWord(Views::MultilineText* text, std::u16string* after) {
  const std::vector<WrappedLine> lines = WrappedLines(text);
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    const WrappedLine& line = lines[i];
    const std::u16string& next = lines[i + 1].chars;
    if (line.lineFeed || line.chars.empty() || next.empty() || size_t(line.consumed) != line.chars.size()) continue;
    if (IsSpace(line.chars.back()) || line.chars.back() == u'-' || IsSpace(next.front())) continue;
    const size_t space = line.chars.find_last_of(u' ');
    *after = next.substr(0, next.find(u' '));
    return space == std::u16string::npos ? line.chars : line.chars.substr(space + 1);
  }
  return {};
}

std::string Utf8(const std::u16string& text) { return Utf8Text(VgNewString(text.c_str())); }

// Where a line of text does not fit the height of its view: the font's
// line, from its ascent to its descent, set on the baseline the view draws
// it on, reaches past the view's top or bottom, so the view cuts its glyphs
// (the accents above the letters, the tails below them) in whatever the
// line shows now or later. False when it fits, and for wrapped text, which
// shows only the lines its height takes.
bool CutsGlyphs(const Placed& p, VgRect* line) {
  auto* text = vg_cast<Views::Text>(p.view);
  if (!text || vg_cast<Views::MultilineText>(p.view) || !text->Font) return false;
  const int32_t baseline = text->Baseline(p.extent);
  *line = {p.extent.x1, baseline - text->Font->OnGetAscent(), p.extent.x2,
           baseline + text->Font->OnGetDescent() + text->Shadow};
  return line->y1 < p.extent.y1 || line->y2 > p.extent.y2;
}

// Whether the line a text shows is wider than its view, which cuts it off
// at the view's side (or sides, centred) without an ellipsis: a text that
// shortens itself (Views::Text::Ellipsis) shows a line that fits. *width is
// the line's width.
bool CutsAcross(const Placed& p, int32_t* width) {
  auto* text = vg_cast<Views::Text>(p.view);
  // One whose design cuts it at its box's edge (ClipMeant) is cut as meant.
  // A text that sizes itself to its line (AutoSize) is as wide as it only
  // until its owner sets its box again: a row's caption set to the row's
  // width keeps no ellipsis either, and is measured like any other.
  if (!text || vg_cast<Views::MultilineText>(p.view) || !text->Font || text->shownText.empty() || text->ClipMeant)
    return false;
  *width = text->Font->GetTextWidth(text->shownText, 0, 0) + text->Shadow;
  return *width > VgGetRectW(p.extent);
}

// The line a text view draws when it cuts its string with an ellipsis the
// design does not mean; null when it draws the string whole.
VgString CutShown(Core::View* view) {
  auto* text = vg_cast<Views::Text>(view);
  // A wrapped text shows the font's wrapped lines, never its string as it is.
  if (!text || vg_cast<Views::MultilineText>(view) || !text->Ellipsis || text->AutoSize || text->EllipsisMeant)
    return nullptr;
  return VgCompString(text->shownText, text->String) == 0 ? nullptr : VgString(text->shownText);
}

// What of its line a text view wider than its box lets a viewer read: the
// characters that lie wholly inside the box, placed as Draw places the line;
// null when the line fits or is wrapped. A cut the design means (a guide
// title at its column's edge) is still a cut.
VgString ClippedShown(Core::View* view) {
  auto* text = vg_cast<Views::Text>(view);
  if (!text || vg_cast<Views::MultilineText>(view) || !text->Font || text->shownText.empty() ||
      text->AlignH == Views::Text::AlignJustified)
    return nullptr;
  const int32_t room = VgGetRectW(text->Bounds);
  const int32_t width = text->Font->GetTextWidth(text->shownText, 0, 0) + text->Shadow;
  if (width <= room) return nullptr;
  int32_t x = 0;
  if (text->AlignH == Views::Text::AlignCentre) x = (room - width) / 2;
  else if (text->AlignH == Views::Text::AlignRight) x = room - width;
  const int32_t length = VgGetStringLength(text->shownText);
  int32_t first = length, last = -1;
  // A count of 0 is the whole line to the font, so the first start is 0.
  for (int32_t i = 0, start = x; i < length; ++i) {
    const int32_t end = x + text->Font->GetTextWidth(text->shownText, 0, i + 1);
    if (start >= 0 && end <= room) {
      first = std::min(first, i);
      last = i;
    }
    start = end;
  }
  return last < first ? VgNewStringAnsi("") : VgStringMiddle(text->shownText, first, last - first + 1);
}

void CutHolding(Core::View* view, const std::string& text, std::string* cut) {
  if (!view || !view->Visible || !cut->empty()) return;
  if (auto* label = vg_cast<Views::Text>(view); label && Utf8Text(label->String).find(text) != std::string::npos) {
    // A cut past the text leaves it whole in the line shown.
    for (const VgString line : {CutShown(view), ClippedShown(view)}) {
      if (line && Utf8Text(line).find(text) == std::string::npos) {
        *cut = Utf8Text(line);
        return;
      }
    }
  }
  if (auto* group = vg_cast<Core::Group>(view))
    for (Core::View* child = group->firstView; child; child = child->nextView) CutHolding(child, text, cut);
}

// What a viewer reads of a wrapped text: the lines whose glyphs lie whole
// within its own bounds, the groups around it and the screen, one after the
// other, a line break read as a space (a word broken across two lines reads
// as two words).
std::string WrappedReading(const std::vector<Placed>& views, const Placed& p, VgRect screen) {
  auto* text = vg_cast<Views::MultilineText>(p.view);
  if (!text || !text->Font) return {};
  const VgRect room = VgIntersectRect(Room(views, p, screen), p.extent);
  const std::vector<WrappedLine> lines = WrappedLines(text);
  const int32_t w = VgGetRectW(p.extent);
  std::u16string reading;
  for (size_t i = 0; i < lines.size(); ++i) {
    const VgString chars = VgNewString(lines[i].chars.c_str());
    const int32_t width = text->Font->GetTextWidth(chars, 0, 0) + text->Shadow;
    int32_t x = p.extent.x1;
    if (text->AlignH == Views::Text::AlignCentre) x += (w - width) / 2;
    else if (text->AlignH == Views::Text::AlignRight) x += w - width;
    // Across, the line takes its pen's run (a glyph's overhang at the box's
    // side, the foot of a "T", loses nothing); down, its glyphs.
    const int32_t baseline = p.extent.y1 + text->LineTop(int32_t(i)) + text->Font->OnGetAscent();
    const VgRect glyphs = text->Font->GetTextRect(chars);
    const VgRect line{x, baseline + glyphs.y1, x + width, baseline + glyphs.y2 + text->Shadow};
    if (!VgIsRectEmpty(glyphs) && !Contains(room, line)) continue;
    if (!reading.empty()) reading += lines[i - 1].lineFeed ? u'\n' : u' ';
    reading += lines[i].chars;
  }
  return Utf8(reading);
}

}  // namespace

std::string CutLine(Core::View* view) {
  const VgString line = CutShown(view);
  return line ? VgStringToUtf8(line) : std::string();
}

std::string TextDrawnCut(Core::View* root, const std::string& text) {
  std::string cut;
  CutHolding(root, text, &cut);
  if (!cut.empty()) return cut;
  // A wrapped text loses what a line past the screen or its window takes
  // with it, and a word broken across its lines.
  const Walk walk(root);
  for (const Placed& p : walk.views) {
    auto* wrapped = vg_cast<Views::MultilineText>(p.view);
    if (!wrapped || Utf8Text(wrapped->String).find(text) == std::string::npos) continue;
    const std::string reading = WrappedReading(walk.views, p, walk.screen);
    if (!reading.empty() && reading.find(text) == std::string::npos) return reading;
  }
  return {};
}

namespace {

// Where an image paints past the frame of the window that holds it, false
// when it does not: the window cuts off part of the picture. Within the
// window a group may show only part of an image on purpose (a row's focus
// ring, a slider's knob at its end); an image scrolled through a form is
// not cut either.
bool ImageLeavesAt(const std::vector<Placed>& views, const Placed& p, VgRect* area, VgRect* frame) {
  const Placed* window = nullptr;
  VgRect shown = p.extent;  // what the groups inside the window let it show
  for (size_t g = p.parent; g != kNone && !window; g = views[g].parent) {
    if (Scrolls(views[g].view)) return false;
    if (views[g].view == p.window)
      window = &views[g];
    else
      shown = VgIntersectRect(shown, views[g].extent);
  }
  if (!window) return false;
  const VgRect room = VgIntersectRect(window->extent, window->clip);
  *frame = window->extent;
  if (Contains(room, shown)) return false;
  const Ink ink = Render(p, shown);
  if (VgIsRectEmpty(ink.painted) || Contains(room, ink.painted)) return false;
  // The smallest rectangle around the painted pixels outside the window.
  VgRect outside{0, 0, 0, 0};
  for (int32_t y = ink.painted.y1; y < ink.painted.y2; ++y)
    for (int32_t x = ink.painted.x1; x < ink.painted.x2; ++x)
      if (ink.PaintedAt(x, y) && !VgIsPointInRect(room, {x, y})) outside = VgUnionRect(outside, {x, y, x + 1, y + 1});
  *area = outside;
  return !VgIsRectEmpty(outside);
}

// Where an image's own bounds cut its picture, false when they do not: the
// view shows part of the frame it draws, and the part it loses paints (a key
// cap loses its right border, and its label runs into the cut). *picture is
// the whole frame where the view places it.
bool ImageCutAt(const Placed& p, VgRect* shown, VgRect* picture) {
  auto* image = vg_cast<Views::Image>(p.view);
  // A scaled image draws its picture to its bounds.
  if (!image || !image->Bitmap || vg_cast<Media::ScalableImage>(p.view)) return false;
  const VgRect area = VgMoveRectPos(image->Bounds, p.offset);
  const VgPoint size = image->Bitmap->OnGetFrameSize();
  // Placed as the image places it.
  VgPoint at = Views::AlignItem(area, size, image->AlignH, image->AlignV);
  if (image->AlignH == 1) at.x = (area.x1 + area.x2 - size.x) / 2;
  if (image->AlignV == 1) at.y = (area.y1 + area.y2 - size.y) / 2;
  *picture = {at.x, at.y, at.x + size.x, at.y + size.y};
  *shown = VgIntersectRect(area, *picture);
  if (Contains(area, *picture)) return false;
  const int32_t frame = image->animationTimer ? image->animationFrame : image->FrameNumber;
  const Ink ink = Paint(*picture, [&](Graphics::Canvas* canvas, VgRect local, VgPoint tile) {
    canvas->DrawBitmapFrame(local, VgMovePointNeg(at, tile), image->Bitmap, frame, image->Mode, 255);
  });
  for (int32_t y = ink.painted.y1; y < ink.painted.y2; ++y)
    for (int32_t x = ink.painted.x1; x < ink.painted.x2; ++x)
      if (ink.PaintedAt(x, y) && !VgIsPointInRect(area, {x, y})) return true;
  return false;
}

// A frame's inside as it is drawn: the pixels reached from its middle
// without crossing an edge of its art. A flat fill or a gradient changes
// little from one pixel to the next; its border line and the rim of its
// rounded corners stand out of the fill at once, and so does the clear
// outside of a ring.
struct Inside {
  VgRect area{0, 0, 0, 0};
  PixelBits in;

  bool At(int32_t x, int32_t y) const {
    if (x < area.x1 || y < area.y1 || x >= area.x2 || y >= area.y2) return false;
    return in(x - area.x1, y - area.y1);
  }
};

// The most a channel of the fill changes between neighbouring pixels.
constexpr int32_t kFillStep = 24;

bool FillGoesOn(uint32_t a, uint32_t b) {
  if (a == b) return true;  // most of a fill
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int32_t((a >> shift) & 0xFF) - int32_t((b >> shift) & 0xFF)) > kFillStep) return false;
  return true;
}

// The last pixel that a fill reaching pixel x of a row goes on to along the
// row, rightwards: of each pixel of the row (words long), right says whether
// the fill goes on from it to the pixel on its right, in whether it is
// filled already.
int32_t RunEnd(const uint64_t* right, const uint64_t* in, size_t words, int32_t x) {
  for (;;) {
    const size_t k = size_t(x >> 6);
    const uint64_t filledNext = (in[k] >> 1) | (k + 1 < words ? in[k + 1] << 63 : 0);
    const int steps = std::countr_one((right[k] & ~filledNext) >> (x & 63));
    x += steps;
    if ((x & 63) != 0 || steps == 0) return x;
  }
}

// The first pixel that a fill reaching pixel x of a row goes on to along
// the row, leftwards.
int32_t RunStart(const uint64_t* right, const uint64_t* in, int32_t x) {
  while (x > 0) {
    const size_t k = size_t((x - 1) >> 6);
    const int bit = (x - 1) & 63;
    const int steps = std::countl_one((right[k] & ~in[k]) << (63 - bit));
    x -= steps;
    if (steps <= bit) return x;
  }
  return x;
}

// A frame as large as the screen would take four bytes a pixel for its
// colours, more than the set's own screen: of each pixel, as its tile is
// drawn, only whether the fill goes on from it to the pixel on its right,
// and to the one below it, is kept, a bit each. The fill then runs along
// the rows, a span at a time.
Inside InsideOf(const Placed& frame) {
  Inside inside;
  const VgRect area = frame.Drawn();
  if (VgIsRectEmpty(area)) return inside;
  const int32_t w = VgGetRectW(area);
  const int32_t h = VgGetRectH(area);
  PixelBits right(w, h);
  PixelBits down(w, h);
  // Across a tile's edges: the last row of the tiles above, the last column
  // of the tile on the left.
  std::vector<uint32_t> lastRow(size_t(w), 0);
  uint32_t lastColumn[kTileRows] = {};
  const auto read = [&](const uint32_t* pixels, size_t stride, VgRect tile, int32_t left, int32_t top) {
    for (int32_t y = 0; y < tile.y2; ++y) {
      const uint32_t* row = pixels + size_t(y) * stride;
      const uint32_t* next = y + 1 < tile.y2 ? row + stride : nullptr;
      if (left > 0 && FillGoesOn(lastColumn[y], row[0])) right.Set(left - 1, top + y);
      lastColumn[y] = row[tile.x2 - 1];
      uint64_t* rightRow = right.Row(top + y);
      uint64_t* downRow = down.Row(top + y);
      for (int32_t x = 0; x < tile.x2; x += 64) {
        const int32_t n = std::min(64, tile.x2 - x);
        uint64_t goesRight = 0;
        uint64_t goesDown = 0;
        for (int32_t i = 0; i < n; ++i) {
          goesRight |= uint64_t(x + i + 1 < tile.x2 && FillGoesOn(row[x + i], row[x + i + 1])) << i;
          goesDown |= uint64_t(next && FillGoesOn(row[x + i], next[x + i])) << i;
        }
        rightRow[(left + x) >> 6] = goesRight;
        downRow[(left + x) >> 6] = goesDown;
      }
    }
    const uint32_t* last = pixels + size_t(tile.y2 - 1) * stride;
    for (int32_t x = 0; x < tile.x2; ++x) {
      if (top > 0 && FillGoesOn(lastRow[size_t(left + x)], pixels[x])) down.Set(left + x, top - 1);
      lastRow[size_t(left + x)] = last[x];
    }
  };
  if (!Tiles(area, DrawnAlone(frame), read)) return inside;
  inside.area = area;
  inside.in = PixelBits(w, h);
  PixelBits& in = inside.in;
  const size_t words = in.Words();
  VgPoint middle{(frame.extent.x1 + frame.extent.x2) / 2, (frame.extent.y1 + frame.extent.y2) / 2};
  if (!VgIsPointInRect(area, middle)) middle = {(area.x1 + area.x2) / 2, (area.y1 + area.y2) / 2};
  // Each seed fills the run of its row that the fill reaches from it, and
  // leaves a seed in the rows above and below for every run there that the
  // filled run reaches and that no seed left before it already reaches.
  std::vector<VgPoint> seeds{{middle.x - area.x1, middle.y - area.y1}};
  while (!seeds.empty()) {
    const VgPoint seed = seeds.back();
    seeds.pop_back();
    if (in(seed.x, seed.y)) continue;
    const int32_t x1 = RunStart(right.Row(seed.y), in.Row(seed.y), seed.x);
    const int32_t x2 = RunEnd(right.Row(seed.y), in.Row(seed.y), words, seed.x);
    in.SetRun(seed.y, x1, x2 + 1);
    for (const int32_t y : {seed.y - 1, seed.y + 1}) {
      if (y < 0 || y >= h) continue;
      const uint64_t* between = down.Row(std::min(y, seed.y));
      const uint64_t* beside = right.Row(y);
      const uint64_t* done = in.Row(y);
      // A seed for each pixel of the row that the run reaches, unless the
      // pixel before it is reached too and the fill goes on from it: one
      // seed serves each run.
      uint64_t joinsNext = 0;
      for (size_t k = size_t(x1 >> 6); k <= size_t(x2 >> 6); ++k) {
        uint64_t span = ~uint64_t(0);
        if (k == size_t(x1 >> 6)) span &= ~uint64_t(0) << (x1 & 63);
        if (k == size_t(x2 >> 6) && (x2 & 63) != 63) span &= (uint64_t(1) << ((x2 & 63) + 1)) - 1;
        const uint64_t reaches = between[k] & ~done[k] & span;
        const uint64_t joins = reaches & beside[k];
        for (uint64_t starts = reaches & ~((joins << 1) | joinsNext); starts != 0; starts &= starts - 1)
          seeds.push_back({int32_t(k * 64) + std::countr_zero(starts), y});
        joinsNext = joins >> 63;
      }
    }
  }
  return inside;
}

// Whether the frame (or picture) lies behind the view: drawn before it by a
// group around it (a row's frame behind the row's texts, a panel's behind
// its contents, a key cap beside its label), not by a row beside it. An icon
// placed past the frame's bounds is a part laid over it, not a picture in
// it: a slider's knob, taller than its groove, at its end.
bool FrameBehind(const std::vector<Placed>& views, size_t frame, size_t view) {
  bool around = false;
  for (size_t g = views[view].parent; g != kNone && !around; g = views[g].parent) around = g == views[frame].parent;
  return around && (IsText(views[view].view) || Contains(views[frame].extent, views[view].extent));
}

// Where a text or an icon drawn over a frame or a picture crosses its edge,
// false when it does not: part of what it paints lies inside (Inside(x, y))
// and part on the frame's border, its corner or past it. With touching, a
// pixel inside beside one of the frame's art that is not counts as on the
// border too: a stem against the inner edge of a ring's side reads as part
// of its line. Beside the frame's bounds there is no line unless its art
// draws one there: a band open at its ends lets a name begin at its very
// edge. A tail or a top just meeting the line above or below touches it at
// a point, and the rows the design fixes often leave their font's line no
// room to keep off it: that is no fault. *out is the smallest rectangle
// around the part that is not inside.
template <class Inside>
bool CrossesEdge(const Ink& ink, VgRect shown, const Inside& inside, VgRect art, bool touching, VgRect* out) {
  bool in = false;
  *out = {0, 0, 0, 0};
  auto line = [&](int32_t x, int32_t y) { return VgIsPointInRect(art, {x, y}) && !inside(x, y); };
  auto edge = [&](int32_t x, int32_t y) {
    return !inside(x, y) || (touching && (line(x - 1, y) || line(x + 1, y)));
  };
  const VgRect box = VgIntersectRect(ink.painted, shown);
  for (int32_t y = box.y1; y < box.y2; ++y) {
    for (int32_t x = box.x1; x < box.x2; ++x) {
      if (!ink.PaintedAt(x, y)) continue;
      if (inside(x, y)) in = true;
      if (edge(x, y)) *out = VgUnionRect(*out, {x, y, x + 1, y + 1});
    }
  }
  return in && !VgIsRectEmpty(*out);
}

// A group of a window that stands as a window of its own over what lies
// below it: a pop-up panel, a message box. Its box is the views it draws
// first, before any text or group, one of which spans the whole group; and it
// holds texts of its own. Empty for any other view.
std::vector<const Placed*> BoxOf(const std::vector<Placed>& views, size_t group) {
  const Placed& g = views[group];
  std::vector<const Placed*> box;
  if (!vg_cast<Core::Group>(g.view)) return box;
  bool spans = false;
  bool leading = true;
  bool texts = false;
  for (size_t i = group + 1; i < views.size(); ++i) {
    size_t up = views[i].parent;
    while (up != kNone && up != group) up = views[up].parent;
    if (up != group) break;  // past the group's subtree
    const bool leaf = !vg_cast<Core::Group>(views[i].view) && !IsText(views[i].view);
    leading = leading && views[i].parent == group && leaf;
    if (leading) {
      box.push_back(&views[i]);
      spans = spans || Contains(views[i].extent, g.extent);
    }
    texts = texts || IsText(views[i].view);
  }
  if (!spans || !texts) box.clear();
  return box;
}

// Whether two views side by side in one group are peers, such as the rows of
// a list: groups of one class and one size. A peer drawn over another is no
// panel over it, however much it looks like one.
bool Peers(const std::vector<Placed>& views, size_t a, size_t b) {
  if (!vg_cast<Core::Group>(views[a].view) || !vg_cast<Core::Group>(views[b].view)) return false;
  return VgClassOf(views[a].view) == VgClassOf(views[b].view) &&
         VgGetRectSize(views[a].extent) == VgGetRectSize(views[b].extent);
}

// Whether what lies above at the pixel belongs to such a panel, drawn over
// the view below with its box there, and not to a peer of what holds the view
// below.
bool UnderPanel(const std::vector<Placed>& views, size_t below, size_t above, VgPoint pixel) {
  std::vector<size_t> chain{below};
  for (size_t g = views[below].parent; g != kNone; g = views[g].parent) chain.push_back(g);
  // Each view's way up to the group both lie in, that group's child last.
  size_t outerAbove = above;
  for (size_t g = views[above].parent; g != kNone; outerAbove = g, g = views[g].parent) {
    const auto common = std::find(chain.begin(), chain.end(), g);
    if (common == chain.end()) continue;
    if (common != chain.begin() && Peers(views, outerAbove, *(common - 1))) return false;
    break;
  }
  const VgRect dot{pixel.x, pixel.y, pixel.x + 1, pixel.y + 1};
  for (size_t g = views[above].parent; g != kNone; g = views[g].parent) {
    if (std::find(chain.begin(), chain.end(), g) != chain.end()) return false;  // the common group
    for (const Placed* part : BoxOf(views, g))
      if (Render(*part, dot).PaintedAt(pixel.x, pixel.y)) return true;
  }
  return false;
}

// A text as it paints itself, cut only by its own bounds.
struct PaintedText {
  size_t index;
  Ink ink;
};

// A pixel of a text still shows through what is drawn over it while this
// much of it (out of 255) comes through: a panel of 90% lets a white letter
// read on a dark ground, two such panels do not.
constexpr uint32_t kShowsThrough = 8;
// How far in from its side a window's panel may show a line in part where
// the panel lies beside it: the framed panels' shadow (12 px) and rounded
// corner (14 px) together, which hide the glyphs below a curve.
constexpr int32_t kCornerReach = 28;
// The columns of a line, away from the corners, that a window's edge must
// show in part to cut the line across: more than a stray pixel or two.
constexpr int32_t kLeastCut = 3;

// Which pixels of each text show on the screen: those that the views drawn
// over it, in any window, let through (a panel of a screen above that is not
// solid lets the text below read through it), and which the windows above
// its own hide. Worked out for a text when first asked.
class ShownTexts {
 public:
  ShownTexts(const std::vector<Placed>& views, const std::vector<PaintedText>& texts) : views_(views), texts_(texts) {
    unitOf_.resize(views.size(), kNone);
    for (size_t i = 0; i < views.size(); ++i)
      unitOf_[i] = views[i].unit ? i : views[i].parent == kNone ? kNone : unitOf_[views[i].parent];
  }

  // The first pixel of the text (its place in the texts) that shows within
  // the area, or false.
  bool ShowsIn(size_t text, VgRect area, VgPoint* at) {
    const Ink& ink = texts_[text].ink;
    const Mask& mask = MaskOf(text);
    area = VgIntersectRect(area, mask.area);
    for (int32_t y = area.y1; y < area.y2; ++y)
      for (int32_t x = area.x1; x < area.x2; ++x)
        if (ink.PaintedAt(x, y) && mask.Through(x, y) >= kShowsThrough) {
          *at = {x, y};
          return true;
        }
    return false;
  }

  // Whether a window drawn over the text's own cuts it across its line: its
  // top or bottom edge runs through the glyphs, which show above the edge and
  // are hidden below it (or the other way), so that the viewer sees the
  // tops of letters, not a word. A window beside a text hides the end of the
  // line as a screen over another does, each glyph shown or hidden in its
  // whole height, but near its side, where its shadow and rounded corner
  // hide the glyphs below a curve: that is no cut across. *shown is a pixel
  // that shows, *hidden one in its column that the window hides, *by the view
  // above that paints there last.
  bool CutAcross(size_t text, VgPoint* shown, VgPoint* hidden, size_t* by) {
    const size_t unit = unitOf_[texts_[text].index];
    if (unit == kNone || !CoveredByAnother(text)) return false;
    const Ink& ink = texts_[text].ink;
    const Mask& mask = MaskOf(text);
    const auto nearASide = [&](int32_t x) {
      for (const int32_t side : mask.sides)
        if (std::abs(x - side) < kCornerReach) return true;
      return false;
    };
    // A wrapped text's lines are cut one by one: a panel's edge between two
    // of them hides one line whole and shows the next whole.
    const Placed& p = views_[texts_[text].index];
    auto* wrapped = vg_cast<Views::MultilineText>(p.view);
    const int32_t firstTop = wrapped ? p.extent.y1 + wrapped->LineTop(0) : 0;
    const int32_t pitch = wrapped ? std::max(1, wrapped->LinePitch()) : 0;
    const auto lineOf = [&](int32_t y) { return wrapped ? (y - firstTop + 4 * pitch) / pitch : 0; };
    int32_t columns = 0;
    for (int32_t x = mask.area.x1; x < mask.area.x2; ++x) {
      if (nearASide(x)) continue;
      VgPoint shows{-1, -1};
      VgPoint hides{-1, -1};
      int32_t line = -1;
      bool mixed = false;
      for (int32_t y = mask.area.y1; y < mask.area.y2 && !mixed; ++y) {
        if (!ink.PaintedAt(x, y)) continue;
        if (lineOf(y) != line) {
          line = lineOf(y);
          shows = hides = {-1, -1};
        }
        if (mask.Through(x, y) >= kShowsThrough) shows = {x, y};
        if (mask.ByOthers(x, y) < kShowsThrough) hides = {x, y};
        mixed = shows.x >= 0 && hides.x >= 0;
      }
      if (!mixed) continue;
      if (columns++ == 0) {
        *shown = shows;
        *hidden = hides;
      }
    }
    if (columns < kLeastCut) return false;
    const VgRect dot{hidden->x, hidden->y, hidden->x + 1, hidden->y + 1};
    *by = kNone;
    for (size_t u = unit + 1; u < views_.size(); ++u) {
      uint32_t colour = 0;
      if (OfAnother(text, u) &&
          !VgIsRectEmpty(EachColour(views_[u], VgIntersectRect(dot, views_[u].Drawn()),
                                    [&](int32_t, int32_t, uint32_t c) { colour = c; })) &&
          GenColorAlpha(colour) > 0)
        *by = u;
    }
    return *by != kNone;
  }

 private:
  // How much of each pixel over the text's painted part comes through all
  // that is drawn over it, and through the windows above its own alone; a
  // byte a pixel, made when the first view drawn over the text is found
  // (until then all of it comes through).
  struct Mask {
    VgRect area{0, 0, 0, 0};
    std::vector<uint8_t> through;
    std::vector<uint8_t> byOthers;
    // The left and right sides of the windows' views that hide some of it.
    std::vector<int32_t> sides;
    size_t At(int32_t x, int32_t y) const {
      return size_t(y - area.y1) * size_t(VgGetRectW(area)) + size_t(x - area.x1);
    }
    uint8_t Through(int32_t x, int32_t y) const { return through.empty() ? 255 : through[At(x, y)]; }
    uint8_t ByOthers(int32_t x, int32_t y) const { return byOthers.empty() ? 255 : byOthers[At(x, y)]; }
    // A view drawn over the text lets alpha of 255 through at the pixel.
    void Cover(int32_t x, int32_t y, uint32_t alpha, bool other) {
      if (through.empty()) {
        const size_t size = size_t(VgGetRectW(area)) * size_t(VgGetRectH(area));
        through.assign(size, 255);
        byOthers.assign(size, 255);
      }
      uint8_t& all = through[At(x, y)];
      all = uint8_t(uint32_t(all) * (255 - alpha) / 255);
      if (!other) return;
      uint8_t& others = byOthers[At(x, y)];
      others = uint8_t(uint32_t(others) * (255 - alpha) / 255);
    }
  };

  // A unit drawn after the text that belongs to another window.
  bool OfAnother(size_t text, size_t u) const {
    return views_[u].unit && views_[u].window != views_[texts_[text].index].window;
  }

  // Whether a unit of another window is drawn over the text's painted part:
  // most texts have none, and need no mask.
  bool CoveredByAnother(size_t text) const {
    const Placed& p = views_[texts_[text].index];
    const VgRect area = VgIntersectRect(texts_[text].ink.painted, p.clip);
    for (size_t u = unitOf_[texts_[text].index] + 1; u < views_.size(); ++u)
      if (OfAnother(text, u) && !VgIsRectEmpty(VgIntersectRect(area, views_[u].Drawn()))) return true;
    return false;
  }

  const Mask& MaskOf(size_t text) {
    auto found = masks_.find(text);
    if (found != masks_.end()) return found->second;
    Mask& mask = masks_[text];
    const Placed& p = views_[texts_[text].index];
    const Ink& ink = texts_[text].ink;
    mask.area = VgIntersectRect(ink.painted, p.clip);
    const size_t unit = unitOf_[texts_[text].index];
    if (unit == kNone) return mask;
    for (size_t u = unit + 1; u < views_.size(); ++u) {
      if (!views_[u].unit) continue;
      if (VgIsRectEmpty(VgIntersectRect(mask.area, views_[u].Drawn()))) continue;
      const bool other = OfAnother(text, u);
      bool hides = false;
      bool shows = false;
      const VgRect area =
          EachColour(views_[u], VgIntersectRect(mask.area, views_[u].Drawn()), [&](int32_t x, int32_t y, uint32_t c) {
            const uint32_t alpha = GenColorAlpha(c);
            if (alpha == 0) return;
            mask.Cover(x, y, alpha, other);
            hides = hides || (other && mask.ByOthers(x, y) < kShowsThrough);
          });
      if (VgIsRectEmpty(area)) continue;
      if (hides) {
        mask.sides.push_back(views_[u].Drawn().x1);
        mask.sides.push_back(views_[u].Drawn().x2);
      }
      for (int32_t y = mask.area.y1; y < mask.area.y2 && !shows; ++y)
        for (int32_t x = mask.area.x1; x < mask.area.x2 && !shows; ++x)
          shows = ink.PaintedAt(x, y) && mask.Through(x, y) >= kShowsThrough;
      if (!shows) break;  // covered whole
    }
    return mask;
  }

  const std::vector<Placed>& views_;
  const std::vector<PaintedText>& texts_;
  std::vector<size_t> unitOf_;
  std::unordered_map<size_t, Mask> masks_;
};

// Where a text of one window shows among the glyphs of a text of another
// drawn over it, and that one shows too: the one below reads through
// whatever of the upper window lies between them, and runs into the upper
// one's line or stands among its lines. What counts of the upper text is
// what it paints, not its box: a message's text box may reach past the
// message's panel, over a row of the screen below that reads whole beside
// it. A text that a solid panel of the window above covers does not show,
// and is no fault; one whose line such a panel's top or bottom edge cuts
// across shows the viewer halves of letters.
std::vector<std::string> TextsThroughWindows(const std::vector<Placed>& views, const std::vector<PaintedText>& texts) {
  std::vector<std::string> faults;
  ShownTexts shown(views, texts);
  for (size_t a = 0; a < texts.size(); ++a) {
    const Placed& below = views[texts[a].index];
    const VgRect belowBox = VgIntersectRect(texts[a].ink.painted, below.clip);
    for (size_t b = a + 1; b < texts.size(); ++b) {
      const Placed& above = views[texts[b].index];
      if (above.window == below.window) continue;
      const VgRect aboveInk = VgIntersectRect(texts[b].ink.painted, above.clip);
      const VgRect both = VgIntersectRect(belowBox, aboveInk);
      VgPoint at;
      VgPoint upper;
      if (VgIsRectEmpty(both) || !shown.ShowsIn(a, both, &at) || !shown.ShowsIn(b, aboveInk, &upper)) continue;
      faults.push_back("in " + DescribeWindow(above.window) + ": " + Describe(above) + " is drawn over " +
                       Describe(below) + " of " + DescribeWindow(below.window) + ", which shows through at " +
                       PointText(at) + ": texts of two windows read over one another");
    }
    VgPoint showsAt;
    VgPoint hiddenAt;
    size_t by = kNone;
    if (shown.CutAcross(a, &showsAt, &hiddenAt, &by))
      faults.push_back("in " + DescribeWindow(views[by].window) + ": " + Describe(views[by]) + " hides " +
                       Describe(below) + " of " + DescribeWindow(below.window) + " at " + PointText(hiddenAt) +
                       " and leaves it shown at " + PointText(showsAt) + ": a window cuts the text across its line");
  }
  return faults;
}

// Whether two single-line texts in one font stand side by side on one line,
// their glyphs (as shown) closer than a space and a half of that font: the
// words of a line stand a space apart, so two columns that close read as one
// word ("02:30pm02:00"). Texts in two fonts stand apart by their look. *gap
// is the room between their glyphs, *least what they need.
bool ReadAsOne(const Placed& a, VgRect aShown, const Placed& b, VgRect bShown, int32_t* gap, int32_t* least) {
  auto* ta = vg_cast<Views::Text>(a.view);
  auto* tb = vg_cast<Views::Text>(b.view);
  if (!ta || !tb || !ta->Font || ta->Font.get() != tb->Font.get() || vg_cast<Views::MultilineText>(a.view) ||
      vg_cast<Views::MultilineText>(b.view) || VgIsRectEmpty(aShown) || VgIsRectEmpty(bShown))
    return false;
  // On one line: each one's glyphs reach over half the other's height.
  const int32_t over = std::min(aShown.y2, bShown.y2) - std::max(aShown.y1, bShown.y1);
  if (2 * over < std::min(VgGetRectH(aShown), VgGetRectH(bShown))) return false;
  *gap = aShown.x2 <= bShown.x1 ? bShown.x1 - aShown.x2 : aShown.x1 - bShown.x2;
  if (*gap < 0) return false;  // over one another, or one inside the other
  const int32_t space = ta->Font->GetGlyphAdvance(u' ').x;
  *least = (3 * space + 1) / 2;
  return *gap < *least;
}

uint32_t LayerOf(Core::View* window) {
  auto* form = vg_cast<Primitives::KeyRoutingForm>(window);
  return form ? uint32_t(form->Layer) : 0;
}

std::string DescribeLayered(Core::View* window) {
  return DescribeWindow(window) + " of layer " + std::to_string(LayerOf(window));
}

// Where a window drawn after one of a higher layer paints over it, one fault
// for each such pair. A window inside another is part of it, and a window
// without a layer is not compared.
std::vector<std::string> LayersOutOfOrder(const std::vector<Placed>& views) {
  std::vector<size_t> windows;
  std::unordered_map<Core::View*, std::vector<size_t>> units;
  for (size_t i = 0; i < views.size(); ++i) {
    if (IsWindow(views[i].view) && LayerOf(views[i].view) != 0) windows.push_back(i);
    if (views[i].unit && views[i].window) units[views[i].window].push_back(i);
  }
  auto inside = [&](size_t inner, size_t outer) {
    for (size_t g = views[inner].parent; g != kNone; g = views[g].parent)
      if (g == outer) return true;
    return false;
  };
  // The first pixel where a unit of the lower window paints over one of the
  // higher window, described.
  auto over = [&](Core::View* higher, Core::View* lower, std::string* fault) {
    for (size_t h : units[higher]) {
      for (size_t l : units[lower]) {
        const VgRect area = VgIntersectRect(views[h].Drawn(), views[l].Drawn());
        VgPoint at;
        if (VgIsRectEmpty(area) || !Collide(Render(views[h], area), Render(views[l], area), area, &at)) continue;
        *fault = DescribeLayered(lower) + ", drawn after " + DescribeLayered(higher) + ", paints its " +
                 Describe(views[l]) + " over " + Describe(views[h]) + " at " + PointText(at) +
                 ": a lower layer hides a higher one";
        return true;
      }
    }
    return false;
  };
  std::vector<std::string> faults;
  for (size_t a = 0; a < windows.size(); ++a) {
    for (size_t b = a + 1; b < windows.size(); ++b) {
      Core::View* higher = views[windows[a]].view;
      Core::View* lower = views[windows[b]].view;
      if (LayerOf(lower) >= LayerOf(higher) || inside(windows[b], windows[a])) continue;
      std::string fault;
      if (over(higher, lower, &fault)) faults.push_back(std::move(fault));
    }
  }
  return faults;
}

}  // namespace

std::string CheckLayout(Core::View* root) {
  const Walk walk(root);
  const std::vector<Placed>& views = walk.views;
  std::vector<std::string> faults;
  auto add = [&](std::string fault) {
    if (faults.size() < kMaxFaults) faults.push_back(std::move(fault));
  };

  std::vector<PaintedText> texts;
  for (size_t i = 0; i < views.size(); ++i) {
    const Placed& p = views[i];
    if (!p.window) continue;
    VgRect area;
    if (IsImage(p.view)) {
      VgRect frame;
      if (ImageLeavesAt(views, p, &area, &frame))
        add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " paints " + RectText(area) + " past the window's " +
            RectText(frame) + ": the image leaves its window");
      continue;
    }
    if (!IsText(p.view)) continue;
    PaintedText text{i, Render(p, p.extent)};
    if (VgIsRectEmpty(text.ink.painted)) continue;
    // A box the design fixes may be lower than its font's line, but no word
    // of it may run past its side: that loses letters, not the tips of them.
    int32_t width = 0;
    if (!BoxFixed(p.view) && CutsGlyphs(p, &area))
      add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " sets its font's line " +
          std::to_string(VgGetRectH(area)) + " px high at " + RectText(area) + ", past its height of " +
          std::to_string(VgGetRectH(p.extent)) + " px: the glyphs are cut");
    if (CutsAcross(p, &width))
      add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " shows a line " + std::to_string(width) +
          " px wide in its " + std::to_string(VgGetRectW(p.extent)) + " px at " + RectText(p.extent) +
          ", without an ellipsis: the line is cut");
    if (const std::string cut = CutLine(p.view); !cut.empty()) {
      auto* label = vg_cast<Views::Text>(p.view);
      add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " is drawn cut, as \"" + cut + "\": its line is " +
          std::to_string(label->Font->GetTextWidth(label->String, 0, 0) + label->Shadow) + " px wide in its " +
          std::to_string(VgGetRectW(p.extent)) + " px");
    }
    if (auto* wrapped = vg_cast<Views::MultilineText>(p.view)) {
      std::u16string after;
      if (const std::u16string before = BrokenWord(wrapped, &after); !before.empty())
        add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " breaks a word inside, as \"" + Utf8(before) +
            "\" and \"" + Utf8(after) + "\" on the next line: a word wider than its box is torn apart");
    }
    if (LeavesAt(views, p, walk.screen, text.ink, &area)) {
      const Placed* group = LeftGroup(views, p, area);
      add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " paints " + RectText(area) + " past " +
          (group ? VgClassOf(group->view)->name + std::string(" ") + RectText(group->extent) : "the screen") +
          " around it: the text leaves its window");
    }
    texts.push_back(std::move(text));
  }

  for (size_t a = 0; a < texts.size(); ++a) {
    const Placed& pa = views[texts[a].index];
    const VgRect shown = VgIntersectRect(texts[a].ink.painted, pa.clip);
    // Texts of the same window over one another.
    for (size_t b = a + 1; b < texts.size(); ++b) {
      const Placed& pb = views[texts[b].index];
      if (pb.window != pa.window) continue;
      const VgRect both = VgIntersectRect(shown, VgIntersectRect(texts[b].ink.painted, pb.clip));
      VgPoint at;
      if (VgIsRectEmpty(both) || !Collide(texts[a].ink, texts[b].ink, both, &at)) continue;
      if (UnderPanel(views, texts[a].index, texts[b].index, at)) continue;
      add("in " + DescribeWindow(pa.window) + ": " + Describe(pa) + " and " + Describe(pb) +
          " paint over one another at " + PointText(at));
    }
    // Texts of the same window side by side on one line, too close to read
    // as two.
    for (size_t b = a + 1; b < texts.size(); ++b) {
      const Placed& pb = views[texts[b].index];
      if (pb.window != pa.window) continue;
      int32_t gap = 0;
      int32_t least = 0;
      if (ReadAsOne(pa, shown, pb, VgIntersectRect(texts[b].ink.painted, pb.clip), &gap, &least))
        add("in " + DescribeWindow(pa.window) + ": " + Describe(pa) + " and " + Describe(pb) + " stand " +
            std::to_string(gap) + " px apart on one line, less than the " + std::to_string(least) +
            " px that part two columns: they read as one");
    }
    // Views of the window drawn above the text, over its glyphs.
    for (size_t i = texts[a].index + 1; i < views.size(); ++i) {
      const Placed& over = views[i];
      if (over.window != pa.window || IsText(over.view) || vg_cast<Core::Group>(over.view)) continue;
      const VgRect area = VgIntersectRect(shown, over.Drawn());
      VgPoint at;
      if (VgIsRectEmpty(area) || !Collide(texts[a].ink, Render(over, area), area, &at)) continue;
      if (UnderPanel(views, texts[a].index, i, at)) continue;
      add("in " + DescribeWindow(pa.window) + ": " + Describe(over) + " covers " + Describe(pa) + " at " +
          PointText(at));
    }
  }

  for (std::string& fault : TextsThroughWindows(views, texts)) add(std::move(fault));

  // Texts and icons across the frames drawn behind them, and icons their own
  // bounds cut.
  std::unordered_map<size_t, const Ink*> inkOf;
  for (const PaintedText& text : texts) inkOf[text.index] = &text.ink;
  std::unordered_map<size_t, Inside> insides;
  std::unordered_map<size_t, VgRect> solids;
  for (size_t i = 0; i < views.size(); ++i) {
    const Placed& p = views[i];
    if (!p.window || (!IsText(p.view) && !IsImage(p.view))) continue;
    VgRect shown;
    VgRect picture;
    if (ImageCutAt(p, &shown, &picture)) {
      add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " shows " + RectText(shown) + " of its picture at " +
          RectText(picture) + ": its bounds cut the picture's edge");
      continue;
    }
    Ink rendered;
    const Ink* ink = inkOf.count(i) ? inkOf[i] : nullptr;
    if (!ink && IsImage(p.view)) {
      rendered = Render(p, p.Drawn());
      ink = &rendered;
    }
    if (!ink || VgIsRectEmpty(VgIntersectRect(ink->painted, p.clip))) continue;
    // What it lies on is the nearest frame or picture behind it: a pop-up's
    // own panel, not the frame of the screen below that the panel covers.
    const VgRect drawn = VgIntersectRect(ink->painted, p.clip);
    for (size_t f = i; f-- > 0;) {
      const Placed& back = views[f];
      if (back.window != p.window || !FrameBehind(views, f, i)) continue;
      if (vg_cast<Views::Frame>(back.view)) {
        if (VgIsRectEmpty(VgIntersectRect(back.Drawn(), drawn))) continue;
        if (!insides.count(f)) insides[f] = InsideOf(back);
        const Inside& inside = insides[f];
        VgRect out;
        if (CrossesEdge(*ink, p.clip, [&](int32_t x, int32_t y) { return inside.At(x, y); }, inside.area,
                        IsText(p.view), &out))
          add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " paints " + RectText(out) + " on the edge of " +
              Describe(back) + " behind it, or past it: it crosses its frame");
        break;
      }
      if (IsImage(back.view)) {
        // A picture's edge is where its opaque part ends: the clear margin
        // of an icon is no edge.
        if (!solids.count(f)) solids[f] = Render(back, back.Drawn()).painted;
        const VgRect solid = solids[f];
        if (VgIsRectEmpty(VgIntersectRect(solid, drawn))) continue;
        // An icon reaching past the picture on both sides is a part laid
        // across it: a scroll bar's knob, wider than its groove.
        const bool across =
            (drawn.x1 < solid.x1 && drawn.x2 > solid.x2) || (drawn.y1 < solid.y1 && drawn.y2 > solid.y2);
        if (!IsText(p.view) && across) break;
        VgRect out;
        if (CrossesEdge(*ink, p.clip, [&](int32_t x, int32_t y) { return VgIsPointInRect(solid, {x, y}); }, solid,
                        false, &out))
          add("in " + DescribeWindow(p.window) + ": " + Describe(p) + " paints " + RectText(out) + " past the edge of " +
              Describe(back) + " behind it, whose picture ends at " + RectText(solid) + ": it crosses the picture");
        break;
      }
      // A panel of plain colour under all of it hides what lies further back.
      if (vg_cast<Views::Rectangle>(back.view) && Contains(back.Drawn(), drawn)) break;
    }
  }

  // A help bar over the edge of the screen whose keys it tells.
  for (const Placed& bar : views) {
    auto* help = vg_cast<NonMenuSystem::HelpBar>(bar.view);
    if (!help || !help->Teller) continue;
    for (const Placed& teller : views) {
      if (teller.view != help->Teller.get()) continue;
      const VgRect panel = teller.Drawn();
      const VgRect drawn = bar.Drawn();
      if (!VgIsRectEmpty(VgIntersectRect(panel, drawn)) && !Contains(panel, drawn))
        add(DescribeWindow(bar.window) + " " + RectText(drawn) + " lies over the edge of " +
            DescribeWindow(teller.window) + " " + RectText(panel) + ", whose keys it tells");
    }
  }

  // Windows stacked against their layers: a window drawn after one of a
  // higher layer paints over it.
  for (std::string& fault : LayersOutOfOrder(views)) add(std::move(fault));
  ReleaseScratch();

  std::string text;
  for (const std::string& fault : faults) text += (text.empty() ? "" : "\n  ") + fault;
  return text;
}

// ------------------------------------------------------------------ frames

namespace {

struct Frame {
  Core::Root* root = nullptr;
  Graphics::Canvas* screen = nullptr;
  std::vector<std::pair<Core::View*, VgRect>> drawn;
};
Frame g_frame;

void NoteDrawn(Graphics::Canvas* canvas, Core::View* view, VgRect part) {
  if (canvas == g_frame.screen) g_frame.drawn.emplace_back(view, part);
}

}  // namespace

void BeginLayoutFrame(Core::Root* root) {
  g_frame.root = root;
  g_frame.screen = root ? root->rootCanvas.get() : nullptr;
  g_frame.drawn.clear();
  Core::Group::DrawWatch = &NoteDrawn;
}

std::string EndLayoutFrame() {
  Core::Group::DrawWatch = nullptr;
  if (g_frame.drawn.empty()) return {};
  const Walk walk(g_frame.root);

  // The units of each window as the frame ends, and where each was drawn.
  std::unordered_map<Core::View*, size_t> unitOf;
  std::vector<std::vector<size_t>> windowUnits;
  std::vector<VgRect> windowArea;
  for (size_t i = 0; i < walk.views.size(); ++i) {
    const Placed& p = walk.views[i];
    if (!p.unit || !p.window) continue;
    unitOf[p.view] = i;
    if (size_t(p.windowOrder) >= windowUnits.size()) {
      windowUnits.resize(size_t(p.windowOrder) + 1);
      windowArea.resize(size_t(p.windowOrder) + 1, VgRect{0, 0, 0, 0});
    }
    windowUnits[size_t(p.windowOrder)].push_back(i);
    windowArea[size_t(p.windowOrder)] = VgUnionRect(windowArea[size_t(p.windowOrder)], p.Drawn());
  }
  std::unordered_map<Core::View*, std::vector<size_t>> drawnAt;
  for (size_t i = 0; i < g_frame.drawn.size(); ++i) drawnAt[g_frame.drawn[i].first].push_back(i);

  for (size_t i = 0; i < g_frame.drawn.size(); ++i) {
    const auto [view, part] = g_frame.drawn[i];
    const auto found = unitOf.find(view);
    if (found == unitOf.end()) continue;
    const Placed& lower = walk.views[found->second];
    for (size_t order = size_t(lower.windowOrder) + 1; order < windowUnits.size(); ++order) {
      if (VgIsRectEmpty(VgIntersectRect(part, windowArea[order]))) continue;
      for (size_t u : windowUnits[order]) {
        const Placed& higher = walk.views[u];
        const VgRect covered = VgIntersectRect(part, higher.Drawn());
        if (VgIsRectEmpty(covered)) continue;
        bool redrawn = false;
        for (size_t j : drawnAt[higher.view])
          if (j > i && Contains(g_frame.drawn[j].second, covered)) redrawn = true;
        if (redrawn) continue;
        return DescribeWindow(lower.window) + " drew " + Describe(lower) + " over " + RectText(covered) + " of " +
               DescribeWindow(higher.window) + " above it, whose " + Describe(higher) +
               " was not drawn again there in the frame";
      }
    }
  }
  return {};
}
