// The runner's layout check on trees built for it: each fault it looks for
// planted in a window of a root, and the look-alikes that are no fault.
#include "layout_check.h"
#include "launch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Core/Root.h"
#include "Fonts/Fonts.h"
#include "GenFont.h"
#include "Graphics/RootCanvas.h"
#include "NonMenuSystem/HelpBar.h"
#include "Primitives/KeyRoutingForm.h"
#include "Resources/Font.h"
#include "Bitmaps.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "gcm.h"
#include "vgresmap.h"

namespace {

std::string FontPath() {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  const std::string product = std::string(root ? root : ".") + "/fonts/tt7268m_803.ttf";
  return std::filesystem::exists(product) ? product : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

class Environment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(GCM_Start(1), 0);
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    ASSERT_EQ(GenRegisterFont(FontPath().c_str()), 0);
  }
};
testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new Environment);

constexpr VgColor kPanel{20, 30, 40, 255};

class LayoutCheck : public testing::Test {
 protected:
  void SetUp() override {
    root = VgNew<Core::Root>();
    VgLockObject(root);
    root->Initialize(960, 540);
    root->Update();
    font = VgLoad<Resources::Font>(Fonts::MediumFont);
  }
  void TearDown() override { VgUnlockObject(root); }

  // A screen of the window id, on top of the others, with a box over its bounds.
  Primitives::KeyRoutingForm* Window(int32_t id, VgRect bounds) {
    auto* window = VgNew<Primitives::KeyRoutingForm>();
    window->WinID = id;
    window->OnSetBounds(bounds);
    Box(window, {0, 0, VgGetRectW(bounds), VgGetRectH(bounds)});
    root->Add(window, 0);
    return window;
  }
  Views::Rectangle* Box(Core::Group* in, VgRect bounds, VgColor colour = kPanel) {
    auto* box = VgNew<Views::Rectangle>();
    box->OnSetColor(colour);
    box->OnSetBounds(bounds);
    in->Add(box, 0);
    return box;
  }
  Views::Text* Text(Core::Group* in, const char* string, VgRect bounds) {
    auto* text = VgNew<Views::Text>();
    text->OnSetFont(font);
    text->OnSetAlignV(Views::Text::AlignMiddle);
    text->OnSetString(VgNewStringAnsi(string));
    text->OnSetBounds(bounds);
    in->Add(text, 0);
    return text;
  }
  Core::Group* Group(Core::Group* in, VgRect bounds) {
    auto* group = VgNew<Core::Group>();
    group->OnSetBounds(bounds);
    in->Add(group, 0);
    return group;
  }
  Views::Frame* Frame(Core::Group* in, const VgConstant& bitmap, VgRect bounds) {
    auto* frame = VgNew<Views::Frame>();
    frame->OnSetBitmap(VgLoad<Resources::Bitmap>(bitmap));
    frame->OnSetBounds(bounds);
    in->Add(frame, 0);
    return frame;
  }
  int32_t LineHeight() const { return font->OnGetAscent() + font->OnGetDescent(); }

  Core::Root* root = nullptr;
  Resources::Font* font = nullptr;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(LayoutCheck, TextsOfOneWindowOverOneAnotherFailNamingBoth) {
  Primitives::KeyRoutingForm* page = Window(0x1000001, {100, 50, 700, 300});
  Views::Text* caption = Text(page, "Front Panel LED Display", {20, 20, 560, 60});
  Views::Text* value = Text(page, "Off", {150, 20, 560, 60});

  const std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "window Primitives::KeyRoutingForm 0x1000001")) << fault;
  EXPECT_TRUE(Has(fault, "Views::Text \"Front Panel LED Display\" (120,70,660,110)")) << fault;
  EXPECT_TRUE(Has(fault, "Views::Text \"Off\" (250,70,660,110)")) << fault;
  EXPECT_TRUE(Has(fault, "paint over one another")) << fault;

  // Beside one another, and a caption whose bounds span the value but whose
  // glyphs stop short of it: no fault.
  value->OnSetBounds({480, 20, 560, 60});
  EXPECT_EQ(CheckLayout(root), "");
  caption->OnSetString(VgNewStringAnsi("Reset"));
  value->OnSetBounds({150, 20, 560, 60});
  EXPECT_EQ(CheckLayout(root), "");

  // In tall boxes the glyphs lie far below the boxes' tops.
  caption->OnSetString(VgNewStringAnsi("Front Panel LED Display"));
  caption->OnSetBounds({20, 20, 560, 200});
  value->OnSetBounds({150, 20, 560, 200});
  EXPECT_TRUE(Has(CheckLayout(root), "paint over one another"));

  // Over the end of a line drawn in more than one piece: the check draws a
  // view 256 pixels across at a time.
  caption->OnSetString(VgNewStringAnsi("Front Panel LED Display Brightness"));
  caption->OnSetBounds({20, 20, 560, 60});
  const int32_t along = font->GetTextWidth(caption->String, 0, 0) - 30;
  ASSERT_GT(along, 256);
  value->OnSetBounds({20 + along, 20, 560, 60});
  EXPECT_TRUE(Has(CheckLayout(root), "paint over one another"));
}

TEST_F(LayoutCheck, TextsOfOneFontSideBySideCloserThanASpaceAndAHalfReadAsOne) {
  // A row's time and length, the time's glyphs ending 7 px before the
  // length's begin: the font's space is 6 px.
  Primitives::KeyRoutingForm* list = Window(0x2000034, {35, 116, 925, 176});
  Views::Text* time = Text(list, "02:30pm", {0, 0, 85, 27});
  Views::Text* length = Text(list, "02:00", {89, 0, 150, 27});
  const VgRect timeGlyphs = font->GetTextRect(time->String);
  const VgRect lengthGlyphs = font->GetTextRect(length->String);
  const int32_t gap = 89 + lengthGlyphs.x1 - timeGlyphs.x2;
  ASSERT_EQ(font->GetGlyphAdvance(u' ').x, 6);
  ASSERT_LT(gap, 9);

  const std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Text \"02:30pm\" (35,116,120,143) and Views::Text \"02:00\" (124,116,185,143) stand " +
                             std::to_string(gap) + " px apart on one line, less than the 9 px")) << fault;
  EXPECT_TRUE(Has(fault, "they read as one")) << fault;

  // A space and a half apart they read as two columns; so do texts of two
  // fonts, which their look sets apart, and texts on two lines.
  length->OnSetBounds({timeGlyphs.x2 + 9 - lengthGlyphs.x1, 0, 200, 27});
  EXPECT_EQ(CheckLayout(root), "");
  length->OnSetBounds({89, 0, 150, 27});
  length->OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  EXPECT_EQ(CheckLayout(root), "");
  length->OnSetFont(font);
  length->OnSetBounds({89, 27, 150, 54});
  EXPECT_EQ(CheckLayout(root), "");
}

// A text of one window under a text of another reads through the panel
// between them unless the panel is solid there; a screen over both hides
// them both.
TEST_F(LayoutCheck, TextsOfTwoWindowsOverOneAnotherFailWhereBothShow) {
  Primitives::KeyRoutingForm* guide = Window(0x2000032, {0, 0, 960, 540});
  Views::Text* show = Text(guide, "Show 1 with a very long title", {300, 100, 900, 130});
  Primitives::KeyRoutingForm* dialog = Window(0x2000037, {260, 60, 700, 400});
  Views::Rectangle* panel = vg_cast<Views::Rectangle>(dialog->firstView.get());
  Views::Text* start = Text(dialog, "Start Time:", {20, 40, 400, 70});
  EXPECT_EQ(CheckLayout(root), "") << "a solid panel hides the guide's text";

  // A panel of 90% lets the text below read through it, as does none.
  for (uint8_t alpha : {uint8_t(230), uint8_t(0)}) {
    panel->OnSetColor({20, 30, 40, alpha});
    const std::string fault = CheckLayout(root);
    EXPECT_TRUE(Has(fault,
                    "in window Primitives::KeyRoutingForm 0x2000037: Views::Text \"Start Time:\" (280,100,660,130) "
                    "is drawn over Views::Text \"Show 1 with a very long title\" (300,100,900,130) of window "
                    "Primitives::KeyRoutingForm 0x2000032, which shows through at ("))
        << int(alpha) << ": " << fault;
    EXPECT_TRUE(Has(fault, "texts of two windows read over one another")) << fault;
  }
  // What counts of the upper text is what it paints: a box that reaches over
  // the guide's line, its glyphs below that line, leaves both to read.
  start->OnSetBounds({20, 40, 400, 130});
  start->OnSetAlignV(Views::Text::AlignBottom);
  EXPECT_EQ(CheckLayout(root), "");
  start->OnSetAlignV(Views::Text::AlignTop);
  EXPECT_TRUE(Has(CheckLayout(root), "texts of two windows read over one another"));
  start->OnSetBounds({20, 40, 400, 70});

  // A screen over both hides them; one of 90% over the dialog's panel of
  // 90% leaves too little of the guide's text to read.
  panel->OnSetColor({20, 30, 40, 230});
  Primitives::KeyRoutingForm* veil = Window(0x2000038, {0, 0, 960, 540});
  EXPECT_EQ(CheckLayout(root), "") << "a solid screen over both hides them";
  vg_cast<Views::Rectangle>(veil->firstView.get())->OnSetColor({20, 30, 40, 230});
  EXPECT_EQ(CheckLayout(root), "") << "two panels of 90% hide the text below";
  veil->OnSetVisible(false);
  EXPECT_TRUE(Has(CheckLayout(root), "texts of two windows read over one another"));

  // Side by side they are two texts.
  show->OnSetBounds({670, 100, 950, 130});
  EXPECT_EQ(CheckLayout(root), "");
}

// A window whose top or bottom edge runs through a line of a window below
// leaves the tops of its letters. Beside the line, at its rounded corner, or
// between two lines of a wrapped text, it hides whole glyphs, as one screen
// over another does.
TEST_F(LayoutCheck, AWindowOverAnotherCutsNoLineAcross) {
  Primitives::KeyRoutingForm* dialog = Window(0x200000B, {220, 80, 740, 440});
  Views::Text* title = Text(dialog, "Upcoming Input", {20, 20, 500, 56});
  // The rows of the title's glyphs on the screen, and one through them.
  const VgRect glyphs = font->GetTextRect(title->String);
  const int32_t baseline = title->Baseline({240, 100, 720, 136});
  const int32_t top = baseline + glyphs.y1;
  const int32_t bottom = baseline + glyphs.y2;
  const int32_t through = (top + bottom) / 2;
  Primitives::KeyRoutingForm* pad = Window(0x200000A, {211, through, 749, 438});
  const std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "in window Primitives::KeyRoutingForm 0x200000A: Views::Rectangle (211," +
                             std::to_string(through) +
                             ",749,438) hides Views::Text \"Upcoming Input\" (240,100,720,136) of window "
                             "Primitives::KeyRoutingForm 0x200000B at ("))
      << fault;
  EXPECT_TRUE(Has(fault, "a window cuts the text across its line")) << fault;
  // Its bottom edge through the line cuts it as much.
  pad->OnSetBounds({211, 20, 749, through});
  EXPECT_TRUE(Has(CheckLayout(root), "a window cuts the text across its line"));
  // Below the line, or over all of it.
  pad->OnSetBounds({211, bottom + 1, 749, 438});
  EXPECT_EQ(CheckLayout(root), "");
  pad->OnSetBounds({211, top - 1, 749, 438});
  EXPECT_EQ(CheckLayout(root), "");
  // Beside the line its side hides the line's end whole.
  pad->OnSetBounds({300, 20, 749, 438});
  EXPECT_EQ(CheckLayout(root), "");
  // A framed panel's rounded corner over the line at its side hides the
  // glyphs below its curve, and those beyond it whole.
  pad->firstView.get()->OnSetVisible(false);
  Frame(pad, Bitmaps::MediaQuickMenuBg, {0, 0, 449, 300});
  pad->OnSetBounds({300, top - 4, 749, top + 296});
  EXPECT_EQ(CheckLayout(root), "");
  // The frame's straight edge through the line cuts it.
  pad->OnSetBounds({250, through, 699, through + 300});
  EXPECT_TRUE(Has(CheckLayout(root), "Views::Frame (250,")) << CheckLayout(root);

  // A wrapped text whose two lines the edge falls between: one line hidden
  // whole, the next whole.
  pad->OnSetVisible(false);
  auto* help = VgNew<Views::MultilineText>();
  help->OnSetFont(font);
  help->OnSetBounds({20, 200, 300, 200 + 2 * font->OnGetAscent() + 2 * font->OnGetDescent() + 20});
  help->OnSetString(VgNewStringAnsi("Select the schedule duration for recording."));
  dialog->Add(help, 0);
  ASSERT_EQ(help->shownText[0], 2) << "two lines";
  const int32_t between = 280 + help->LineTop(1);
  Primitives::KeyRoutingForm* message = Window(0x2000009, {200, 0, 760, between});
  EXPECT_EQ(CheckLayout(root), "");
  // Through the second line, it cuts that line.
  const int32_t lower = between + help->LinePitch() / 2;
  message->OnSetBounds({200, 0, 760, lower});
  vg_cast<Views::Rectangle>(message->firstView.get())->OnSetBounds({0, 0, 560, lower});
  EXPECT_TRUE(Has(CheckLayout(root), "hides Views::MultilineText \"Select the schedule duration for recording.\""))
      << CheckLayout(root);
}

TEST_F(LayoutCheck, AViewDrawnAboveATextCoversItUnlessItIsAPanel) {
  Primitives::KeyRoutingForm* page = Window(0x1000002, {100, 50, 700, 300});
  Views::Text* caption = Text(page, "Dynamic Contrast", {20, 20, 560, 60});
  Views::Rectangle* slider = Box(page, {100, 34, 300, 46}, {200, 200, 200, 255});

  const std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Rectangle (200,84,400,96) covers Views::Text \"Dynamic Contrast\"")) << fault;

  // Drawn below the text it is the text's background.
  page->Remove(slider);
  page->AddBehind(slider, caption);
  EXPECT_EQ(CheckLayout(root), "");

  // A panel of its own, its box and its text, stands over the text as a
  // message box does.
  Core::Group* message = Group(page, {60, 10, 400, 80});
  Box(message, {0, 0, 340, 70});
  Text(message, "Invalid subnet mask", {10, 10, 330, 60});
  EXPECT_EQ(CheckLayout(root), "");
}

TEST_F(LayoutCheck, ATextHangingPastItsBoxLeavesItsWindow) {
  ASSERT_GT(LineHeight(), 20) << "the font must be taller than the tile's lower half";
  Primitives::KeyRoutingForm* strip = Window(0x2000012, {0, 440, 960, 520});
  Core::Group* tile = Group(strip, {77, 34, 207, 74});
  Box(tile, {0, 0, 130, 40});
  // The lower half of the tile: the name's descenders hang below the tile.
  Views::Text* name = Text(tile, "Gospel Play", {8, 20, 130, 40});

  std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Text \"Gospel Play\" (85,494,207,514)")) << fault;
  EXPECT_TRUE(Has(fault, "past Core::Group (77,474,207,514)")) << fault;
  EXPECT_TRUE(Has(fault, "the text leaves its window")) << fault;

  // Letters without descenders stay inside the tile, but the box is lower
  // than the font's line all the same: another name would lose its tails.
  name->OnSetString(VgNewStringAnsi("KNEWS"));
  fault = CheckLayout(root);
  EXPECT_FALSE(Has(fault, "the text leaves its window")) << fault;
  EXPECT_TRUE(Has(fault, "Views::Text \"KNEWS\" (85,494,207,514) sets its font's line")) << fault;
  EXPECT_TRUE(Has(fault, "past its height of 20 px: the glyphs are cut")) << fault;
  // The name raised until its font's line fits the tile is whole.
  name->OnSetString(VgNewStringAnsi("Gospel Play"));
  name->OnSetBounds({8, 40 - LineHeight(), 130, 40});
  EXPECT_EQ(CheckLayout(root), "");

  // Cut by its own bounds inside the tile, the text loses its glyphs' tops
  // and tails; unless the screen's design fixes that box.
  name->OnSetBounds({8, 10, 130, 22});
  EXPECT_TRUE(Has(CheckLayout(root), "past its height of 12 px: the glyphs are cut"));
  name->OnSetBoxFixed(true);
  EXPECT_EQ(CheckLayout(root), "");
  // A line that fits, however it is aligned, is whole.
  name->OnSetBoxFixed(false);
  name->OnSetBounds({8, 0, 130, LineHeight()});
  for (uint16_t align : {Views::Text::AlignTop, Views::Text::AlignMiddle, Views::Text::AlignBottom}) {
    name->OnSetAlignV(align);
    EXPECT_EQ(CheckLayout(root), "") << align;
  }

  // A line wider than its box is cut at the box's side without a word;
  // ended in an ellipsis it is cut all the same, and says what it shows,
  // unless the design means that cut. A box the design fixes may be lower
  // than the font's line, but a line wider than it loses letters all the
  // same.
  name->OnSetBounds({8, 0, 60, LineHeight()});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Text \"Gospel Play\" (85,474,137,")) << fault;
  EXPECT_TRUE(Has(fault, "in its 52 px at (85,474,137,")) << fault;
  EXPECT_TRUE(Has(fault, "without an ellipsis: the line is cut")) << fault;
  name->OnSetEllipsis(true);
  const std::string shown = CutLine(name);
  ASSERT_TRUE(shown.size() > 3 && shown.ends_with("...")) << shown;
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "\"Gospel Play\" (85,474,137,")) << fault;
  EXPECT_TRUE(Has(fault, "is drawn cut, as \"" + shown + "\"")) << fault;
  EXPECT_EQ(TextDrawnCut(root, "Gospel Play"), shown);
  EXPECT_EQ(TextDrawnCut(root, shown.substr(0, 3)), "") << "the part shown is whole";
  // Whole in another view, the text is still drawn cut in this one.
  Views::Text* info = Text(strip, "Gospel Play", {300, 0, 700, LineHeight()});
  EXPECT_EQ(TextDrawnCut(root, "Gospel Play"), shown);
  strip->Remove(info);
  name->OnSetEllipsisMeant(true);
  EXPECT_EQ(CheckLayout(root), "");
  EXPECT_EQ(TextDrawnCut(root, "Gospel Play"), "");
  name->OnSetEllipsisMeant(false);
  name->OnSetEllipsis(false);
  // Cut at its box's edge as the design means (a guide title), the layout
  // passes, but expect text names what a viewer reads of it; the part
  // shown, aligned either way, is whole.
  name->OnSetClipMeant(true);
  EXPECT_EQ(CheckLayout(root), "");
  const std::string clipped = TextDrawnCut(root, "Gospel Play");
  EXPECT_TRUE(clipped.size() > 2 && std::string("Gospel Play").starts_with(clipped)) << clipped;
  EXPECT_EQ(TextDrawnCut(root, clipped), "");
  name->OnSetAlignH(Views::Text::AlignRight);
  const std::string end = TextDrawnCut(root, "Gospel Play");
  EXPECT_TRUE(end.size() > 2 && std::string("Gospel Play").ends_with(end)) << end;
  name->OnSetAlignH(Views::Text::AlignLeft);
  name->OnSetClipMeant(false);
  name->OnSetBoxFixed(true);
  name->OnSetBounds({8, 0, 60, 12});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "in its 52 px at (85,474,137,486), without an ellipsis: the line is cut")) << fault;
  EXPECT_FALSE(Has(fault, "the glyphs are cut")) << fault;
  // A fixed box may cut the text; it does not let the text out of its window.
  name->OnSetAlignV(Views::Text::AlignTop);
  name->OnSetBounds({8, 20, 130, 40});
  EXPECT_TRUE(Has(CheckLayout(root), "the text leaves its window"));
}

TEST_F(LayoutCheck, AWrappedTextLosesALinePastTheScreenOrItsWindowAndAWordBrokenInside) {
  // A caption wrapped at its icon's width, under an icon low on the screen:
  // the window reaches the screen's foot, the icon past it.
  Primitives::KeyRoutingForm* menu = Window(0x1000001, {0, 0, 960, 540});
  menu->firstView.get()->OnSetVisible(false);
  Core::Group* icon = Group(menu, {180, 380, 280, 594});
  auto* caption = VgNew<Views::MultilineText>();
  caption->OnSetFont(font);
  caption->OnSetAlignH(Views::Text::AlignCentre);
  caption->OnSetAutoSize(true);
  caption->OnSetBounds({0, 100, 100, 130});
  caption->OnSetString(VgNewStringAnsi("Media Player"));
  icon->Add(caption, 0);
  ASSERT_EQ(VgGetRectH(caption->Bounds), 2 * caption->LinePitch()) << "two lines at the icon's width";

  // Both lines on the screen.
  EXPECT_EQ(CheckLayout(root), "");
  EXPECT_EQ(TextDrawnCut(root, "Media Player"), "");
  // The second line wholly below the screen (the window reaching past it),
  // below the window's foot, or below the icon's: nothing of it straddles
  // the edge, all of it is lost.
  caption->OnSetBounds(VgSetRectOrigin(caption->Bounds, {0, 140}));
  ASSERT_GE(icon->Bounds.y1 + 140 + caption->LinePitch(), 540);
  const struct {
    VgRect window;
    VgRect icon;
    const char* past;
  } kEdges[] = {
      {{0, 0, 960, 600}, {180, 380, 280, 594}, "past the screen"},
      {{0, 0, 960, 540}, {180, 380, 280, 594}, "past Primitives::KeyRoutingForm (0,0,960,540)"},
      {{0, 0, 960, 600}, {180, 380, 280, 542}, "past Core::Group (180,380,280,542)"},
  };
  for (const auto& edge : kEdges) {
    menu->OnSetBounds(edge.window);
    icon->OnSetBounds(edge.icon);
    const std::string fault = CheckLayout(root);
    EXPECT_TRUE(Has(fault, "Views::MultilineText \"Media Player\" (180,520,280,564) paints (")) << fault;
    EXPECT_TRUE(Has(fault, edge.past) && Has(fault, "the text leaves its window")) << fault;
    EXPECT_EQ(TextDrawnCut(root, "Media Player"), "Media") << edge.past;
    EXPECT_EQ(TextDrawnCut(root, "Media"), "") << "the part shown is whole";
  }
  // Wholly outside, the caption shows nothing and loses nothing.
  menu->OnSetBounds({0, 0, 960, 540});
  icon->OnSetBounds({180, 380, 280, 594});
  caption->OnSetBounds(VgSetRectOrigin(caption->Bounds, {0, 170}));
  EXPECT_EQ(CheckLayout(root), "");
  EXPECT_EQ(TextDrawnCut(root, "Media Player"), "");

  // A word wider than the box is torn apart; words that fit break at their
  // spaces and read whole, and so do lines that a line feed ends.
  caption->OnSetBounds(VgSetRectOrigin(caption->Bounds, {0, 40}));
  caption->OnSetString(VgNewStringAnsi("PREFERENCES"));
  ASSERT_GT(font->GetTextWidth(caption->String, 0, 0), 100);
  std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::MultilineText \"PREFERENCES\" (180,420,280,")) << fault;
  EXPECT_TRUE(Has(fault, "breaks a word inside, as \"PREFEREN")) << fault;
  EXPECT_TRUE(Has(fault, "a word wider than its box is torn apart")) << fault;
  const std::string torn = TextDrawnCut(root, "PREFERENCES");
  EXPECT_TRUE(torn.starts_with("PREFEREN") && Has(torn, " ") && torn.ends_with("ES")) << torn;
  caption->OnSetString(VgNewStringAnsi("Game Timer\n1 h"));
  EXPECT_EQ(CheckLayout(root), "");
  EXPECT_EQ(TextDrawnCut(root, "Game Timer\n1 h"), "");
  // A compound broken after its hyphen reads as written.
  caption->OnSetBounds({0, 40, font->GetTextWidth(VgNewStringAnsi("Wi-"), 0, 0) + 1, 90});
  caption->OnSetString(VgNewStringAnsi("Wi-Fi"));
  ASSERT_EQ(VgGetRectH(caption->Bounds), 2 * caption->LinePitch());
  EXPECT_EQ(CheckLayout(root), "");
}

TEST_F(LayoutCheck, AnImagePastItsWindowIsCutOffButAGroupInsideMayShowPartOfOne) {
  Primitives::KeyRoutingForm* page = Window(0x1000001, {0, 0, 710, 540});
  Core::Group* row = Group(page, {100, 100, 400, 128});
  auto* ring = VgNew<Views::Image>();
  ring->OnSetAutoSize(true);
  ring->OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::CheckBox));
  ring->OnSetBounds({-10, -10, 17, 17});
  row->Add(ring, 0);
  EXPECT_EQ(CheckLayout(root), "") << "the row shows part of its image";

  auto* art = VgNew<Views::Image>();
  art->OnSetAutoSize(true);
  art->OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::CheckBox));
  art->OnSetBounds({700, 200, 727, 227});
  page->Add(art, 0);
  const std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Image (700,200,727,227) paints (710,")) << fault;
  EXPECT_TRUE(Has(fault, "past the window's (0,0,710,540): the image leaves its window")) << fault;
  art->OnSetBounds({680, 200, 707, 227});
  EXPECT_EQ(CheckLayout(root), "");
  // A button narrower than its picture shows its own part of it, inside the
  // window, however far the picture reaches.
  Core::Group* button = Group(page, {650, 300, 700, 327});
  auto* wide = VgNew<Views::Image>();
  wide->OnSetAutoSize(true);
  wide->OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::SelectButtonFocused));
  wide->OnSetBounds({-200, 0, 290, 25});
  button->Add(wide, 0);
  EXPECT_EQ(CheckLayout(root), "");
}

TEST_F(LayoutCheck, ATextOrIconCrossingTheFrameBehindItAndAHelpBarOverItsPanelsEdgeFail) {
  // A dialog frame whose panel edge lies 12 pixels inside it, rounded.
  Primitives::KeyRoutingForm* banner = Window(0x2000035, {40, 372, 920, 522});
  Frame(banner, Bitmaps::QORDialogFrame, {0, 0, 880, 150});
  Views::Text* channel = Text(banner, "KTVA-HD", {30, 0, 200, LineHeight()});
  std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Text \"KTVA-HD\" (70,372,")) << fault;
  EXPECT_TRUE(Has(fault, "on the edge of Views::Frame (40,372,920,522) behind it")) << fault;
  channel->OnSetBounds({30, 20, 200, 20 + LineHeight()});
  EXPECT_EQ(CheckLayout(root), "");

  // A key cap in bounds narrower than its picture loses its right border.
  auto* cap = VgNew<Views::Image>();
  cap->OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::HelpBarPageUD));
  cap->OnSetBounds({30, 90, 54, 114});
  banner->Add(cap, 0);
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Image (70,462,94,486) shows (70,462,94,482) of its picture at (70,462,98,482)"))
      << fault;
  cap->OnSetBounds({30, 90, 58, 114});
  EXPECT_EQ(CheckLayout(root), "");
  // Its label begun over the cap's right border crosses the picture; begun
  // past it, or wholly on it, it does not. The cap's clear margin is no edge.
  Views::Text* label = Text(banner, "Page", {52, 90, 200, 90 + LineHeight()});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Views::Text \"Page\" (92,462,240,") && Has(fault, " paints (98,")) << fault;
  EXPECT_TRUE(Has(fault, "past the edge of Views::Image (70,462,98,486) behind it, whose picture ends at (70,462,98,482)"))
      << fault;
  label->OnSetBounds({62, 90, 200, 90 + LineHeight()});
  EXPECT_EQ(CheckLayout(root), "");
  label->OnSetString(VgNewStringAnsi("."));
  label->OnSetBounds({40, 90, 60, 90 + LineHeight()});
  EXPECT_EQ(CheckLayout(root), "");
  banner->Remove(label);

  // A pop-up with a panel of its own over a frame of the banner: its text
  // lies on the pop-up's panel, whatever frame the panel covers, and crosses
  // only the panel's own edge.
  auto* preview = Frame(banner, Bitmaps::QORDialogFrame, {500, 20, 700, 80});
  Core::Group* popup = Group(banner, {400, 10, 860, 140});
  Frame(popup, Bitmaps::QORDialogFrame, {0, 0, 460, 130});
  Views::Text* about = Text(popup, "A long evening of film, with a description", {30, 40, 430, 40 + LineHeight()});
  EXPECT_EQ(CheckLayout(root), "");
  about->OnSetBounds({30, 2, 430, 2 + LineHeight()});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "on the edge of Views::Frame (440,382,900,512) of Core::Group behind it")) << fault;
  banner->Remove(popup);
  banner->Remove(preview);

  // A name begun at a row's edge sets its first stem against the side line
  // of the focus ring stretched over the row; a few pixels in, it is clear.
  // A band open at its ends has no line there: the name may begin at its
  // very edge, and end at the other, but not run past it.
  Core::Group* row = Group(banner, {300, 100, 740, 130});
  Views::Frame* ring = Frame(row, Bitmaps::MediaListButtonFocus, {0, 0, 440, 30});
  Views::Text* name = Text(row, "HomeNet", {0, 0, 160, 30});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "\"HomeNet\" (340,472,500,502) paints (342,") && Has(fault, "edge of Views::Frame")) << fault;
  name->OnSetBounds({6, 0, 160, 30});
  EXPECT_EQ(CheckLayout(root), "");
  // So does one ended at the row's other edge.
  name->OnSetAlignH(Views::Text::AlignRight);
  name->OnSetBounds({280, 0, 440, 30});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "\"HomeNet\" (620,472,780,502) paints (") && Has(fault, "edge of Views::Frame")) << fault;
  name->OnSetBounds({274, 0, 434, 30});
  EXPECT_EQ(CheckLayout(root), "");
  name->OnSetAlignH(Views::Text::AlignLeft);
  ring->OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::WiFiScanButtonFocus));
  name->OnSetBounds({0, 0, 160, 30});
  EXPECT_EQ(CheckLayout(root), "");
  name->OnSetAlignH(Views::Text::AlignRight);
  name->OnSetBounds({280, 0, 440, 30});
  EXPECT_EQ(CheckLayout(root), "");
  name->OnSetBounds({290, 0, 450, 30});
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "\"HomeNet\" (630,472,790,502) paints (") && Has(fault, "past Core::Group (340,472,780,502)"))
      << fault;
  banner->Remove(row);

  // The bar of the banner's keys half over its bottom edge; below it, no fault.
  auto* bar = VgNew<NonMenuSystem::HelpBar>();
  bar->Teller = banner;
  bar->WidgetOrigin = {430, 500};
  bar->UpdateHelp();
  root->Add(bar, 0);
  fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "window NonMenuSystem::HelpBar 0x2000007 (430,500,466,538) lies over the edge of window "
                         "Primitives::KeyRoutingForm 0x2000035 (40,372,920,522)"))
      << fault;
  bar->WidgetOrigin = {430, 450};
  bar->UpdateHelp();
  EXPECT_EQ(CheckLayout(root), "");
}

TEST_F(LayoutCheck, ALowerWindowDrawnOverAHigherOneInAFrameFailsNamingBoth) {
  Primitives::KeyRoutingForm* guide = Window(0x2000032, {0, 0, 960, 540});
  Core::Group* row = Group(guide, {364, 122, 894, 148});
  Text(row, "Show 1 with a very long title", {192, 0, 492, 26});
  Primitives::KeyRoutingForm* dialog = Window(0x2000037, {264, 60, 696, 404});
  root->Update();

  // The row redrawn through the root: the dialog is drawn again over it.
  BeginLayoutFrame(root);
  row->InvalidateView();
  root->Update();
  EXPECT_EQ(EndLayoutFrame(), "");

  // The row drawn once more after the dialog, all of it, as a redraw of its
  // own that forgets the window above.
  BeginLayoutFrame(root);
  row->InvalidateView();
  root->Update();
  row->Draw(root->rootCanvas, {364, 122, 894, 148}, {0, 0});
  const std::string fault = EndLayoutFrame();
  EXPECT_TRUE(Has(fault,
                  "window Primitives::KeyRoutingForm 0x2000032 drew Views::Text \"Show 1 with a very long "
                  "title\" (556,122,856,148) over (556,122,696,148)"))
      << fault;
  EXPECT_TRUE(Has(fault,
                  "of window Primitives::KeyRoutingForm 0x2000037 above it, whose Views::Rectangle "
                  "(264,60,696,404) was not drawn again"))
      << fault;

  // Hidden, the dialog covers nothing.
  dialog->OnSetVisible(false);
  BeginLayoutFrame(root);
  row->Draw(root->rootCanvas, {364, 122, 894, 148}, {0, 0});
  EXPECT_EQ(EndLayoutFrame(), "");
}


// Screens of two sub-systems: each sub-system is a group of the root, and the
// later group is drawn over the earlier one whatever the layers of the
// screens inside. A pop-up of a higher layer in the earlier group lies below
// a page of a lower layer in the later one: the page draws over the pop-up
// in every frame, and the pop-up's texts are not seen.
TEST_F(LayoutCheck, AWindowOfAHigherLayerDrawnBelowOneOfALowerLayerFailsNamingBoth) {
  Core::Group* others = Group(root, {0, 0, 960, 540});
  Core::Group* menus = Group(root, {0, 0, 960, 540});
  auto* popup = VgNew<Primitives::KeyRoutingForm>();
  popup->WinID = 0x5000000;
  popup->OnSetLayer(32);
  popup->OnSetBounds({290, 90, 670, 460});
  Box(popup, {0, 0, 380, 370});
  Text(popup, "Quick Menu", {20, 20, 360, 60});
  others->Add(popup, 0);
  auto* page = VgNew<Primitives::KeyRoutingForm>();
  page->WinID = 0x1000001;
  page->OnSetLayer(2);
  page->OnSetBounds({0, 0, 710, 540});
  Views::Rectangle* pageBox = Box(page, {0, 0, 710, 540});
  menus->Add(page, 0);
  root->Update();

  BeginLayoutFrame(root);
  popup->InvalidateView();
  root->Update();
  const std::string fault = EndLayoutFrame() + CheckLayout(root);
  EXPECT_TRUE(Has(fault, "Primitives::KeyRoutingForm 0x1000001")) << fault;
  EXPECT_TRUE(Has(fault, "Primitives::KeyRoutingForm 0x5000000")) << fault;

  // Side by side, neither covers the other.
  page->OnSetBounds({0, 0, 280, 540});
  pageBox->OnSetBounds({0, 0, 280, 540});
  root->Update();
  BeginLayoutFrame(root);
  popup->InvalidateView();
  root->Update();
  EXPECT_EQ(EndLayoutFrame() + CheckLayout(root), "");
}

// Rows of one list are groups with a box and texts of their own, as a panel
// is. A row placed over the one before it hides the end of that row's text
// under its box: the text is covered as by any view drawn above it.
TEST_F(LayoutCheck, ARowOverlappingTheRowBeforeCoversItsText) {
  ASSERT_GT(LineHeight(), 20) << "the font must be taller than the overlap";
  Primitives::KeyRoutingForm* list = Window(0x2000006, {300, 80, 660, 440});
  Core::Group* first = Group(list, {20, 40, 340, 80});
  Box(first, {0, 0, 320, 40});
  Text(first, "Component", {10, 0, 310, 40});
  // The second row starts half way down the first one.
  Core::Group* second = Group(list, {20, 60, 340, 100});
  Box(second, {0, 0, 320, 40});
  Text(second, "S-Video", {10, 0, 310, 40});

  const std::string fault = CheckLayout(root);
  EXPECT_TRUE(Has(fault, "covers Views::Text \"Component\"")) << fault;

  // One under the other, no fault.
  second->OnSetBounds({20, 80, 340, 120});
  EXPECT_EQ(CheckLayout(root), "");
}


// The start's judgement of its font, tried on the texts of every menu
// language: a font of the system's face whose range sends the accented
// letters (and the inverted marks) to private-use characters it has no glyph
// for draws the rest of every language, so the run goes on with a warning
// naming what each language lacks; the face whole draws everything.
TEST(FontJudgement, AFontLackingTheAccentedLettersWarnsPerLanguageAndIsNotRefused) {
  static constexpr GenFontFace kFace{Fonts::FaceName, 20, 0, 0, 1.0f};
  static constexpr int32_t kGray = GenFontModeGray;
  static constexpr GenFontResource kWhole{&kFace, nullptr, 1, 0, &kGray};
  static constexpr GenFontRange kAccentless[] = {{0x00A1, 0x017F, 0xE000, 0}, {0x2026, 0x2026, 0xC000, 0}};
  static constexpr GenFontResource kLacking{&kFace, kAccentless, 1, 2, &kGray};

  GenFont* whole = GenLoadFont(&kWhole);
  ASSERT_NE(whole, nullptr);
  const FontJudgement drawn = JudgeFontTexts(whole);
  GenFreeFont(whole);
  EXPECT_EQ(drawn.refusal, "");
  EXPECT_TRUE(drawn.warnings.empty()) << drawn.warnings.front();

  GenFont* lacking = GenLoadFont(&kLacking);
  ASSERT_NE(lacking, nullptr);
  const FontJudgement judged = JudgeFontTexts(lacking);
  GenFreeFont(lacking);
  EXPECT_EQ(judged.refusal, "");
  std::string spanish, french;
  for (const std::string& warning : judged.warnings) {
    if (Has(warning, "Spanish")) spanish = warning;
    if (Has(warning, "French")) french = warning;
  }
  EXPECT_TRUE(Has(spanish, "characters of the set's Spanish texts (\u00a1 \u00ba \u00bf \u00c9")) << spanish;
  EXPECT_TRUE(Has(spanish, "\u00f1")) << spanish;
  EXPECT_FALSE(Has(spanish, " A ")) << "the letters the font draws are not named: " << spanish;
  EXPECT_TRUE(Has(french, "\u00c0 \u00c2 \u00c8")) << french;
  // The ellipsis, last of the list, by its code: as itself it reads as the
  // list cut short.
  EXPECT_TRUE(Has(french, " U+2026): they show as gaps")) << french;
  EXPECT_FALSE(Has(french, "\u2026")) << french;
}

// A font that lacks a letter or a digit of the basic Latin range leaves
// words unreadable, whatever else it draws: the start refuses it, naming the
// language and the first few missing. The capitals sent to private-use
// characters, the font draws the rest of every language.
TEST(FontJudgement, AFontLackingABasicLetterOrDigitIsRefusedNamingTheFirstFew) {
  static constexpr GenFontFace kFace{Fonts::FaceName, 20, 0, 0, 1.0f};
  static constexpr int32_t kGray = GenFontModeGray;
  static constexpr GenFontRange kCapitalless[] = {{0x0041, 0x005A, 0xE000, 0}};
  static constexpr GenFontResource kNoCapitals{&kFace, kCapitalless, 1, 1, &kGray};
  static constexpr GenFontRange kOneDigitless[] = {{0x0037, 0x0037, 0xE000, 0}};
  static constexpr GenFontResource kNoSeven{&kFace, kOneDigitless, 1, 1, &kGray};

  GenFont* capitalless = GenLoadFont(&kNoCapitals);
  ASSERT_NE(capitalless, nullptr);
  const FontJudgement capitals = JudgeFontTexts(capitalless);
  GenFreeFont(capitalless);
  EXPECT_TRUE(Has(capitals.refusal, "draws nothing for 26 of the ")) << capitals.refusal;
  EXPECT_TRUE(Has(capitals.refusal, " letters and digits of the set's English texts (A B C D E F G H and 18 more)"))
      << capitals.refusal;

  // One digit alone is as much a refusal, named whole.
  GenFont* sevenless = GenLoadFont(&kNoSeven);
  ASSERT_NE(sevenless, nullptr);
  const FontJudgement seven = JudgeFontTexts(sevenless);
  GenFreeFont(sevenless);
  EXPECT_TRUE(Has(seven.refusal, "draws nothing for 1 of the ")) << seven.refusal;
  EXPECT_TRUE(Has(seven.refusal, " letters and digits of the set's English texts (7)")) << seven.refusal;
}

}  // namespace
