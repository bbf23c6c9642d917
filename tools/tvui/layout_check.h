// The layout check of the scenarios: nothing on the screen is drawn over
// something it should leave alone. A window is a screen (a key-routing form
// with a window id or a layer) with every view inside it that no inner screen
// holds; windows stack in the order the root draws them (a group that stacks
// the children of inner groups among its own is followed as it draws them).
//
// What a view draws is found by drawing it alone: its drawn extent is the
// pixels it paints (a text's glyphs, not its bounds), so that a caption whose
// bounds span its row but whose glyphs stop short of the value beside it is
// fine. A line of text must fit its view: across, whole (a line cut with an
// ellipsis or at its box's edge loses what the viewer should read, unless
// the design means that cut, Views::Text::EllipsisMeant or ClipMeant), and
// in height, from its font's ascent to its descent. A text whose box the screen's design fixes
// (Views::Text::BoxFixed) may be cut in height by that box, and only by it;
// across, its line must fit as any other.
#pragma once

#include <string>

namespace Core {
class Root;
class View;
}  // namespace Core

// The faults of the tree below the root as it stands, one a line; empty when
// there is none:
// - two texts of one window paint the same pixels;
// - two single-line texts of one window in one font stand side by side on
//   one line, glyph to glyph, closer than a space and a half of their font,
//   the space a row keeps between its columns: they read as one
//   ("02:30pm02:00");
// - a view drawn above a text of its window paints over the text's glyphs
//   (what lies below a text is its background or frame);
// - a text of one window shows among the glyphs of a text of another window
//   drawn over it (within the rectangle they paint, not their box), which
//   shows too: what lies between them (a panel less than solid, or none)
//   lets the lower one read through among the upper one's lines;
// - a window drawn over a text of another cuts one of its lines across: the
//   window's top or bottom edge runs through the glyphs, which show on one
//   side of it and are hidden on the other (a window beside a line hides its
//   end as one screen over another does, and that is fine);
// - a text's font's line, ascent to descent, is taller than its view, which
//   cuts its glyphs;
// - a text's line is wider than its view, which cuts it off without an
//   ellipsis, unless the design means that cut (Views::Text::ClipMeant);
// - a text is drawn cut with an ellipsis that the design does not mean;
// - a text paints where a group around it, or the screen's edge, cuts it
//   off: it leaves its window; a wrapped text shown in part loses a line
//   that lies wholly past that edge as much as one cut there;
// - a wrapped text breaks a word inside, between two of its lines;
// - an image paints past the frame of its window, which cuts it off;
// - an image's own bounds cut its picture, whose border goes;
// - a text or icon paints across the edge of what it lies on, the nearest
//   frame (Views::Frame) or picture (Views::Image) drawn behind it: on the
//   frame's border, on its rounded corner or past it (what lies inside the
//   frame is found from its middle, up to where its art stands out of its
//   fill), or partly on a picture's opaque part and partly off it (a label
//   begun over its key cap's border); what lies wholly on it, or wholly
//   beside it, is fine;
// - a help bar lies over the edge of the screen whose keys it tells;
// - a window drawn after one of a higher layer paints over it.
// Runs while every thread of the set waits, as the runner reads the GUI.
std::string CheckLayout(Core::View* root);

// What a text view draws of its string when it cuts it with an ellipsis
// (Views::Text::Ellipsis) that the screen's design does not mean
// (Views::Text::EllipsisMeant), as UTF-8: "07:30p...."; empty when it draws
// its string whole. A viewer cannot read what the cut took.
std::string CutLine(Core::View* view);
// Whether a visible text view below the root that holds the text (as part
// of its string, in UTF-8) draws it cut: what the first such view draws;
// empty when every view that holds it shows it whole. A row that shows a
// time cut is cut however whole the information line below shows it. A line
// its box cuts without an ellipsis is cut too, even where the design means
// it: the first draws what the box shows ("AV Receiv"). A wrapped text draws
// what its lines show whole on the screen and in its window, a line break
// read as a space: "Media" of "Media Player" whose second line falls below
// the screen, "PREFERENC ES" of a word broken across two lines.
std::string TextDrawnCut(Core::View* root, const std::string& text);

// Follows one frame that the root draws into its screen canvas: between the
// two calls every view drawn onto the canvas is noted. EndLayoutFrame then
// names the first place where a window drew over a view of a window stacked
// above it that was not drawn again over it later in the frame, so that the
// higher window's pixels stayed covered by the lower one; empty when none.
// Both run on the GUI thread, around the root's update.
void BeginLayoutFrame(Core::Root* root);
std::string EndLayoutFrame();
