#include "NonMenuSystem/HelpBar.h"

#include <algorithm>

#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "PersistentData/PersistentData.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, HelpLine, XObject)
VG_DEFINE_CLASS(NonMenuSystem, HelpBar, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

const HelpKey kHelpKeys[17] = {
    {HelpCursor, &Bitmaps::HelpBarCursor},     {HelpNum, &Bitmaps::HelpBarNum},
    {HelpLR, &Bitmaps::HelpBarLR},             {HelpRight, &Bitmaps::HelpBarRight},
    {HelpUD, &Bitmaps::HelpBarUpDown},         {HelpUp, &Bitmaps::HelpBarUp},
    {HelpDown, &Bitmaps::HelpBarDown},         {HelpNavi, &Bitmaps::HelpBarNavi},
    {HelpOk, &Bitmaps::HelpBarOk},             {HelpQuick, &Bitmaps::HelpBarQuick},
    {HelpPageUD, &Bitmaps::HelpBarPageUD},     {HelpRed, &Bitmaps::HelpBarRedBall},
    {HelpGreen, &Bitmaps::HelpBarGreenBall},   {HelpYellow, &Bitmaps::HelpBarYellowBall},
    {HelpBlue, &Bitmaps::HelpBarBlueBall},     {HelpReturn, &Bitmaps::HelpBarReturn},
    {HelpExit, &Bitmaps::HelpBarExit},
};

namespace {

// Spacing of the bar in its two sizes: margin at either end, gap between a
// picture and its label, gap between items.
struct Spacing {
  int32_t margin;
  int32_t iconGap;
  int32_t itemGap;
};
constexpr Spacing kNormal{18, 6, 22};
constexpr Spacing kSmall{12, 4, 14};
// Between the bar and the edge of the panel it keeps clear of.
constexpr int32_t kPanelGap = 4;
constexpr int32_t kScreenHeight = 540;

// Where the view lies on the screen; empty for none.
VgRect OnScreen(Core::View* view) {
  if (!view) return {0, 0, 0, 0};
  VgRect rect = view->GetExtent();
  for (Core::View* group = view->owner; group; group = group->owner) {
    const VgRect extent = group->GetExtent();
    rect = VgMoveRectPos(rect, {extent.x1, extent.y1});
  }
  return rect;
}

}  // namespace

HelpBar::HelpBar(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_HelpBar;
  // Its own layer: the screen it explains stays open beside it, and a
  // clear of the widgets clears it through its owner.
  Layer = Layers::HelpBar;
  FocusOnOpen = false;
  background.OnSetColor(Look::Transparent);
  panel.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::HelpBarFrame));
  Add(&panel, 0);
  for (int32_t i = 0; i < Keys; ++i) {
    icons[size_t(i)] = VgNew<Views::Image>();
    icons[size_t(i)]->OnSetBitmap(VgLoad<Resources::Bitmap>(*kHelpKeys[i].icon));
    icons[size_t(i)]->OnSetAutoSize(true);
    labels[size_t(i)] = VgNew<Views::Text>();
    labels[size_t(i)]->OnSetColor(Look::Text);
    labels[size_t(i)]->OnSetAlignV(Views::Text::AlignMiddle);
    labels[size_t(i)]->OnSetAutoSize(true);
    Add(icons[size_t(i)], 0);
    Add(labels[size_t(i)], 0);
  }
}

XObject* HelpBar::HandleEvent(Core::Event*) { return nullptr; }

void HelpBar::Open(XObject* sender) {
  WidgetClass::Open(sender);
  SetTimeout(false);
}

void HelpBar::HandleFocus(bool focused) {
  Primitives::KeyRoutingForm::HandleFocus(focused);
  SetTimeout(false);
}

void HelpBar::UpdateHelp() {
  const bool small = (HelpType & HelpSmallMode) != 0;
  const Spacing spacing = small ? kSmall : kNormal;
  Resources::Font* font = VgLoad<Resources::Font>(small ? Fonts::SmallestFont : Fonts::SmallFont);
  const int32_t height = small ? Height - 6 : Height;
  int32_t x = spacing.margin;
  int32_t label = 0;
  for (int32_t i = 0; i < Keys; ++i) {
    Views::Image* icon = icons[size_t(i)];
    Views::Text* text = labels[size_t(i)];
    const bool shown = (HelpType & kHelpKeys[i].bit) != 0;
    icon->OnSetVisible(shown);
    text->OnSetVisible(shown);
    if (!shown) continue;
    const VgRect extent = icon->GetExtent();
    const int32_t iw = VgGetRectW(extent);
    const int32_t ih = VgGetRectH(extent);
    icon->OnSetBounds({x, (height - ih) / 2, x + iw, (height - ih) / 2 + ih});
    x += iw;
    VgString name = ::PersistentData::PersistentData::ParseStringItem(HelpText, label++);
    text->OnSetFont(font);
    text->OnSetString(name);
    if (VgGetStringLength(name) > 0) {
      // Sized to its text, its left edge and its middle kept.
      text->OnSetBounds({x + spacing.iconGap, 0, x + spacing.iconGap + 1, height});
      text->AdjustBounds();
      x = text->GetExtent().x2;
    }
    x += spacing.itemGap;
  }
  const int32_t width = std::max(x - spacing.itemGap + spacing.margin, 2 * spacing.margin);
  const bool placed = WidgetOrigin.x >= 0 && WidgetOrigin.y >= 0;
  const int32_t left = placed ? WidgetOrigin.x : (960 - width) / 2;
  int32_t top = placed ? WidgetOrigin.y : Bottom - height;
  // Never half over the edge of the panel whose keys the bar tells: below a
  // panel that ends in the bar's place (the 3D warning), or, where the screen
  // has no room below it, raised onto the panel's lower part, clear of its
  // bottom edge.
  if (const VgRect panel = OnScreen(Teller); !placed && panel.y2 > top && panel.y2 < top + height &&
                                               panel.x1 < left + width && panel.x2 > left)
    top = panel.y2 + kPanelGap + height <= kScreenHeight ? panel.y2 + kPanelGap : panel.y2 - kPanelGap - height;
  OnSetBounds({left, top, left + width, top + height});
  panel.OnSetBounds({0, 0, width, height});
}

}  // namespace NonMenuSystem
