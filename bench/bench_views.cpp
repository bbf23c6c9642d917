// Drawing a menu page through the view tree: a 960 x 540 tree of panels, ten
// rows of icon, label and value, and a focus frame. One benchmark redraws the
// whole page; the other moves the focus one row and redraws only the area that
// the move invalidated. Besides the time per frame each reports dfb_share, the
// part of that time spent inside DirectFB's surface calls (fills, blits,
// locks and state changes), measured by wrapping those calls on the surfaces
// the page draws with.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Core/Group.h"
#include "Fonts/Fonts.h"
#include "GenFont.h"
#include "Graphics/Canvas.h"
#include "Resources/Font.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Line.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "gcm.h"
#include "vgresmap.h"
#include "vgslot.h"

namespace {

// ------------------------------------------------------ DirectFB time

int64_t g_dfbNanos = 0;

struct Stopwatch {
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  ~Stopwatch() {
    g_dfbNanos += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  }
};

// The original methods of the surface implementation; every surface of the
// in-memory system shares them.
struct SurfaceMethods {
  decltype(IDirectFBSurface::Blit) Blit;
  decltype(IDirectFBSurface::StretchBlit) StretchBlit;
  decltype(IDirectFBSurface::FillRectangle) FillRectangle;
  decltype(IDirectFBSurface::Lock) Lock;
  decltype(IDirectFBSurface::Unlock) Unlock;
  decltype(IDirectFBSurface::SetClip) SetClip;
  decltype(IDirectFBSurface::GetClip) GetClip;
  decltype(IDirectFBSurface::SetColor) SetColor;
  decltype(IDirectFBSurface::SetBlittingFlags) SetBlittingFlags;
  decltype(IDirectFBSurface::SetDrawingFlags) SetDrawingFlags;
  decltype(IDirectFBSurface::SetSrcBlendFunction) SetSrcBlendFunction;
  decltype(IDirectFBSurface::SetDstBlendFunction) SetDstBlendFunction;
  decltype(IDirectFBSurface::Clear) Clear;
};
SurfaceMethods g_original{};

template <auto SurfaceMethods::*Member, class... Args>
DFBResult Timed(IDirectFBSurface* thiz, Args... args) {
  Stopwatch watch;
  return (g_original.*Member)(thiz, args...);
}

template <auto SurfaceMethods::*Member, class R, class... Args>
void Wrap(R (*&slot)(IDirectFBSurface*, Args...)) {
  if (!(g_original.*Member)) g_original.*Member = slot;
  if (slot == g_original.*Member) slot = &Timed<Member, Args...>;
}

// Routes the surface's calls through the stopwatch.
void Instrument(Resources::Bitmap* bitmap) {
  IDirectFBSurface* s = bitmap && bitmap->EngineBitmap() ? bitmap->EngineBitmap()->surface : nullptr;
  if (!s) return;
  Wrap<&SurfaceMethods::Blit>(s->Blit);
  Wrap<&SurfaceMethods::StretchBlit>(s->StretchBlit);
  Wrap<&SurfaceMethods::FillRectangle>(s->FillRectangle);
  Wrap<&SurfaceMethods::Lock>(s->Lock);
  Wrap<&SurfaceMethods::Unlock>(s->Unlock);
  Wrap<&SurfaceMethods::SetClip>(s->SetClip);
  Wrap<&SurfaceMethods::GetClip>(s->GetClip);
  Wrap<&SurfaceMethods::SetColor>(s->SetColor);
  Wrap<&SurfaceMethods::SetBlittingFlags>(s->SetBlittingFlags);
  Wrap<&SurfaceMethods::SetDrawingFlags>(s->SetDrawingFlags);
  Wrap<&SurfaceMethods::SetSrcBlendFunction>(s->SetSrcBlendFunction);
  Wrap<&SurfaceMethods::SetDstBlendFunction>(s->SetDstBlendFunction);
  Wrap<&SurfaceMethods::Clear>(s->Clear);
}

}  // namespace

// ------------------------------------------------------------ the page

namespace BenchViews {

constexpr VgColor kText{230, 236, 245, 255};
constexpr VgColor kFocusText{20, 24, 40, 255};
constexpr VgColor kEdge{140, 180, 230, 255};

// The top of the tree: collects what is invalidated, as the root will.
class Screen : public Core::Group {
  VG_CLASS()
 public:
  void Invalidate(VgRect rect) override { dirty = VgUnionRect(dirty, VgIntersectRect(rect, Bounds)); }
  VgRect dirty{0, 0, 0, 0};
};

class Row : public Core::Group {
  VG_CLASS()
 public:
  // The row under the focus frame shows dark text on it.
  void HandleSelection(bool selected) override {
    label->OnSetColor(selected ? kFocusText : kText);
    value->OnSetColor(selected ? kFocusText : kText);
    if (selected && focusFrame && owner)
      focusFrame->OnSetBounds(VgMoveRectPos(VgInflateRect(Bounds, {4, 2}), owner->MakeGlobal({0, 0})));
  }
  VgPtr<Views::Text> label;
  VgPtr<Views::Text> value;
  VgPtr<Views::Frame> focusFrame;
};

// Frames side by side in one canvas.
class Strip : public Graphics::Canvas {
  VG_CLASS()
 public:
  void SetFrames(VgPoint frame) {
    FrameSize = frame;
    NoOfFrames = (Size.x / frame.x) * (Size.y / frame.y);
    bitmap->frameWidth = frame.x;
    bitmap->frameHeight = frame.y;
  }
};

}  // namespace BenchViews

VG_DEFINE_CLASS(BenchViews, Screen, Core::Group)
VG_DEFINE_CLASS(BenchViews, Row, Core::Group)
VG_DEFINE_CLASS(BenchViews, Strip, Graphics::Canvas)

namespace {

using BenchViews::Row;
using BenchViews::Screen;
using BenchViews::kEdge;
using BenchViews::kText;

std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

Resources::Font* LoadFont(const VgConstant& font) {
  return static_cast<Resources::Font*>(VgLoadResource(&font, &Resources::Font::Class));
}

// A canvas used as a bitmap, painted by the caller.
BenchViews::Strip* Picture(VgPoint size) {
  auto* c = VgNew<BenchViews::Strip>();
  c->OnSetSize(size);
  Instrument(c);
  return c;
}

Graphics::Canvas* PanelBitmap(VgColor fill, VgColor edge) {
  Graphics::Canvas* c = Picture({24, 24});
  const VgRect all{0, 0, 24, 24};
  c->DrawRectangle(all, {2, 2, 22, 22}, fill, 0);
  c->DrawBorder(all, all, edge, 2, 0);
  return c;
}

struct Page {
  Screen* screen = nullptr;
  Graphics::Canvas* target = nullptr;
  Core::Group* list = nullptr;
  Row* rows[10] = {};
};

Page BuildPage() {
  static bool started = false;
  if (!started) {
    GCM_Start(1);
    GenInitGlyphCache(20000);
    GenRegisterFont(FontPath().c_str());
    started = true;
  }
  Page page;
  page.screen = VgNew<Screen>();
  page.screen->Bounds = {0, 0, 960, 540};
  page.screen->UpdateFocus(true);
  VgLockObject(page.screen);
  page.target = Picture({960, 540});
  VgLockObject(page.target);

  auto add = [](Core::Group* owner, Core::View* view) {
    owner->Add(view, 0);
    return view;
  };
  auto* background = VgNew<Views::Rectangle>();
  background->OnSetBounds(page.screen->Bounds);
  background->OnSetColor({10, 16, 32, 255});
  add(page.screen, background);

  Graphics::Canvas* panel = PanelBitmap({28, 52, 100, 230}, kEdge);
  Graphics::Canvas* highlight = PanelBitmap({250, 210, 90, 255}, {255, 240, 180, 255});
  BenchViews::Strip* icons = Picture({128, 32});
  for (int i = 0; i < 4; ++i) {
    const uint8_t shade = static_cast<uint8_t>(120 + 40 * i);
    icons->DrawRectangle({0, 0, 128, 32}, {32 * i + 6, 6, 32 * i + 26, 26}, {shade, 200, 255, 255}, 0);
  }
  icons->SetFrames({32, 32});

  Resources::Font* titleFont = LoadFont(Fonts::LargeFont);
  Resources::Font* rowFont = LoadFont(Fonts::SubMenuItem);
  Resources::Font* smallFont = LoadFont(Fonts::SmallFont);

  // The category panel on the left.
  auto* side = VgNew<Views::Frame>();
  side->OnSetBounds({40, 60, 320, 480});
  side->OnSetBitmap(panel);
  add(page.screen, side);
  const char16_t* categories[] = {u"Picture", u"Sound", u"Channels", u"Setup", u"Network"};
  for (int i = 0; i < 5; ++i) {
    auto* icon = VgNew<Views::Image>();
    icon->OnSetBounds({60, 90 + 70 * i, 92, 122 + 70 * i});
    icon->OnSetBitmap(icons);
    icon->OnSetFrameNumber(i % 4);
    add(page.screen, icon);
    auto* text = VgNew<Views::Text>();
    text->OnSetBounds({104, 86 + 70 * i, 300, 126 + 70 * i});
    text->OnSetFont(rowFont);
    text->OnSetAlignV(Views::Text::AlignMiddle);
    text->OnSetString(VgNewString(categories[i]));
    add(page.screen, text);
  }

  // The list panel with its title, the focus frame and ten rows.
  auto* main = VgNew<Views::Frame>();
  main->OnSetBounds({340, 60, 920, 480});
  main->OnSetBitmap(panel);
  add(page.screen, main);
  auto* title = VgNew<Views::Text>();
  title->OnSetBounds({360, 66, 900, 100});
  title->OnSetFont(titleFont);
  title->OnSetShadow(2);
  title->OnSetAlignH(Views::Text::AlignCentre);
  title->OnSetString(VgNewString(u"Picture"));
  add(page.screen, title);

  auto* focusFrame = VgNew<Views::Frame>();
  focusFrame->OnSetBitmap(highlight);
  add(page.screen, focusFrame);

  page.list = VgNew<Core::Group>();
  page.list->OnSetBounds({340, 104, 920, 474});
  add(page.screen, page.list);
  const char16_t* labels[] = {u"Picture Mode", u"Backlight", u"Contrast", u"Brightness", u"Colour",
                              u"Tint", u"Sharpness", u"Colour Temperature", u"Noise Reduction",
                              u"Advanced Settings"};
  const char16_t* values[] = {u"Standard", u"50", u"85", u"50", u"50", u"0", u"10", u"Warm", u"Auto",
                              u"Adaptive contrast, black level, gamma"};
  for (int i = 0; i < 10; ++i) {
    auto* row = VgNew<Row>();
    row->OnSetBounds({20, 37 * i, 560, 37 * i + 34});
    auto* icon = VgNew<Views::Image>();
    icon->OnSetBounds({4, 1, 36, 33});
    icon->OnSetBitmap(icons);
    icon->OnSetFrameNumber(i % 4);
    add(row, icon);
    row->label = VgNew<Views::Text>();
    row->label->OnSetBounds({44, 0, 300, 34});
    row->label->OnSetFont(rowFont);
    row->label->OnSetAlignV(Views::Text::AlignMiddle);
    row->label->OnSetString(VgNewString(labels[i]));
    add(row, row->label);
    row->value = VgNew<Views::Text>();
    row->value->OnSetBounds({310, 0, 536, 34});
    row->value->OnSetFont(rowFont);
    row->value->OnSetAlignH(Views::Text::AlignRight);
    row->value->OnSetAlignV(Views::Text::AlignMiddle);
    row->value->OnSetEllipsis(true);
    row->value->OnSetString(VgNewString(values[i]));
    add(row, row->value);
    auto* rule = VgNew<Views::Line>();
    rule->OnSetPoint1({4, 35});
    rule->OnSetPoint2({536, 35});
    rule->OnSetColor({60, 90, 140, 255});
    add(row, rule);
    row->label->OnSetColor(kText);
    row->value->OnSetColor(kText);
    row->focusFrame = focusFrame;
    page.list->Add(row, 0);
    page.rows[i] = row;
  }
  page.screen->OnSetFocus(page.list);
  page.list->OnSetFocus(page.rows[0]);

  auto* help = VgNew<Views::Text>();
  help->OnSetBounds({40, 496, 920, 526});
  help->OnSetFont(smallFont);
  help->OnSetString(VgNewString(u"OK: Select   BACK: Return   EXIT: Close the menu"));
  add(page.screen, help);
  VgReclaimMemory();
  return page;
}

void Report(benchmark::State& state, int64_t dfbNanos, int64_t totalNanos) {
  state.counters["dfb_share"] = totalNanos ? double(dfbNanos) / double(totalNanos) : 0.0;
}

void BM_MenuPageFullRedraw(benchmark::State& state) {
  Page page = BuildPage();
  const VgRect all{0, 0, 960, 540};
  int64_t total = 0;
  g_dfbNanos = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    page.screen->Draw(page.target, all, {0, 0});
    total += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  }
  Report(state, g_dfbNanos, total);
  VgUnlockObject(page.screen);
  VgUnlockObject(page.target);
  VgReclaimMemory();
}
BENCHMARK(BM_MenuPageFullRedraw)->Unit(benchmark::kMillisecond);

void BM_MenuPageFocusMove(benchmark::State& state) {
  Page page = BuildPage();
  page.screen->Draw(page.target, {0, 0, 960, 540}, {0, 0});
  int focus = 0;
  int64_t total = 0;
  int64_t area = 0;
  g_dfbNanos = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    focus = (focus + 1) % 10;
    page.screen->dirty = {0, 0, 0, 0};
    page.list->OnSetFocus(page.rows[focus]);
    VgProcessSignals();
    page.screen->Draw(page.target, page.screen->dirty, {0, 0});
    total += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
    area += VgGetRectArea(page.screen->dirty);
  }
  Report(state, g_dfbNanos, total);
  state.counters["dirty_px"] = state.iterations() ? double(area) / double(state.iterations()) : 0.0;
  VgUnlockObject(page.screen);
  VgUnlockObject(page.target);
  VgReclaimMemory();
}
BENCHMARK(BM_MenuPageFocusMove)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
