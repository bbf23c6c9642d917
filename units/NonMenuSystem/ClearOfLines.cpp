#include "NonMenuSystem/ClearOfLines.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "Primitives/KeyRoutingForm.h"
#include "Resources/Font.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"

namespace NonMenuSystem {

namespace {

// The rows a line of text paints, its glyphs' top to bottom (and the
// shadow), where they reach into the columns the pop-up covers.
struct Rows {
  int32_t top;
  int32_t bottom;
};

VgPoint TopLeft(VgRect r) { return {r.x1, r.y1}; }

// What the view shows of its lines, within what the groups around it let
// through (SHOWN), in the columns LEFT to RIGHT; ORIGIN is its owner's
// top-left corner; all in the root's coordinates.
struct Lines {
  int32_t left;
  int32_t right;
  std::vector<Rows> rows;

  // A line of the text, set as Views::Text and Views::MultilineText set it:
  // its pen at the box's left, or its middle or right for a line that
  // aligns so, on its baseline.
  void Add(Views::Text* text, VgRect box, VgRect shown, int32_t baseline, VgString line) {
    Resources::Font* font = text->Font;
    const VgRect ink = font->GetTextRect(line);
    if (VgIsRectEmpty(ink)) return;
    int32_t x = box.x1;
    int32_t x1 = x + ink.x1;
    int32_t x2 = x + ink.x2 + text->Shadow;
    if (text->AlignH == Views::Text::AlignJustified) {
      x2 = box.x2;
    } else if (text->AlignH == Views::Text::AlignCentre || text->AlignH == Views::Text::AlignRight) {
      const int32_t room = VgGetRectW(box) - (font->GetTextWidth(line, 0, 0) + text->Shadow);
      x += text->AlignH == Views::Text::AlignCentre ? room / 2 : room;
      x1 = x + ink.x1;
      x2 = x + ink.x2 + text->Shadow;
    }
    const VgRect glyphs = VgIntersectRect({x1, baseline + ink.y1, x2, baseline + ink.y2 + text->Shadow}, shown);
    if (VgIsRectEmpty(glyphs) || glyphs.x2 <= left || glyphs.x1 >= right) return;
    rows.push_back({glyphs.y1, glyphs.y2});
  }

  void Of(Core::View* view, VgPoint origin, VgRect shown) {
    if (!view->Visible) return;
    const VgRect extent = VgMoveRectPos(view->GetExtent(), origin);
    shown = VgIntersectRect(shown, extent);
    if (VgIsRectEmpty(shown) || shown.x2 <= left || shown.x1 >= right) return;
    if (auto* text = vg_cast<Views::Text>(view)) {
      const VgString chars = text->shownText;
      const int32_t length = VgGetStringLength(chars);
      if (!text->Font || length == 0) return;
      auto* wrapped = vg_cast<Views::MultilineText>(view);
      if (!wrapped) {
        Add(text, extent, shown, text->Baseline(extent), chars);
        return;
      }
      // The wrapped lines: their count, then each line's record (its
      // length, what it consumed, its characters, a line feed last).
      for (int32_t line = 0, at = 1; line < chars[0] && at + 1 < length; ++line) {
        const int32_t size = chars[at];
        if (size < 2 || at + size > length) break;
        int32_t count = size - 2;
        if (count > 0 && chars[at + 2 + count - 1] == u'\n') --count;
        const int32_t baseline = extent.y1 + wrapped->LineTop(line) + text->Font->OnGetAscent();
        if (count > 0) Add(text, extent, shown, baseline, VgStringMiddle(chars, at + 2, count));
        at += size;
      }
      return;
    }
    if (auto* group = vg_cast<Core::Group>(view))
      for (Core::View* child = group->firstView; child; child = child->nextView) Of(child, TopLeft(extent), shown);
  }
};

}  // namespace

VgRect ClearOfLines(Core::Group* group, Primitives::KeyRoutingForm* form, VgRect at, int32_t edge,
                    int32_t screenHeight) {
  if (!group || !form) return at;
  // Where the group lies in its root, and the root.
  VgPoint origin{0, 0};
  Core::Group* root = group;
  for (Core::View* view = group; view; view = view->owner.get()) {
    const VgRect extent = view->GetExtent();
    if (view->owner) origin = {origin.x + extent.x1, origin.y + extent.y1};
    if (auto* outer = vg_cast<Core::Group>(view)) root = outer;
  }
  const VgRect placed = VgMoveRectPos(at, origin);
  Lines lines{placed.x1 + edge, placed.x2 - edge, {}};
  for (const Primitives::DrawnScreen& screen : Primitives::DrawnScreens(root)) {
    if (screen.form == form || uint32_t(screen.form->Layer) >= uint32_t(form->Layer)) continue;
    const VgRect own = screen.form->GetExtent();
    lines.Of(screen.form, {screen.extent.x1 - own.x1, screen.extent.y1 - own.y1},
             {INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2});
  }
  // A panel's edge, where it begins to hide what lies below, crosses no
  // line: each line lies wholly above it or wholly below it.
  const auto crosses = [&](int32_t edgeRow) {
    for (const Rows& line : lines.rows)
      if (line.top < edgeRow && line.bottom > edgeRow) return true;
    return false;
  };
  const int32_t height = VgGetRectH(placed);
  const auto clear = [&](int32_t top) {
    return top >= 0 && top + height <= screenHeight && !crosses(top + edge) && !crosses(top + height - edge);
  };
  for (int32_t move = 0; move <= MostClearingMove; ++move)
    for (const int32_t by : {move, -move})
      if (clear(placed.y1 + by)) return VgMoveRectPos(at, {0, by});
  return at;
}

}  // namespace NonMenuSystem
