// Drawing a menu page through the view tree: a 960 x 540 tree of nine-cell
// panels from the interface's artwork and a list of rows (icon, label and
// value), whose focused row shows the focus under its texts as the real
// pages' rows do: a plain row on a highlight plate, with buttons=1 a row on a
// nine-cell button that takes its focused look. The page is redrawn whole
// (with the frame cache warm, cold, or kept off so that frames are tiled
// cell by cell), and the focus moves row by row, down the visible rows and
// back from the last to the first, with only the areas it invalidated
// redrawn, as the root keeps and draws them; lists of 12 and 100 rows show
// that rows out of sight cost nothing. Each figure also comes as x_blit: its
// time over that of one full-frame blended blit made directly through
// DirectFB, timed beside it in the same run (bench_blit.h); the focus move
// judges its cheapest move (x_blit) and its dearest (x_blit_worst).
// Timed runs make no clock reads of their own inside the drawing; the share
// of DirectFB comes from BM_MenuPageDirectFBShare, which wraps every surface
// call of the target in a stopwatch and so runs slower than the others.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Core/Group.h"
#include "Core/UpdateAreas.h"
#include "bench_blit.h"
#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "GenFrameCache.h"
#include "GenFont.h"
#include "GenPng.h"
#include "GraphicsEngine.h"
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
  g_dfbNanos = 0;
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
constexpr VgColor kPlate{0, 0, 0, 0};
constexpr VgColor kFocusPlate{150, 200, 255, 255};

// The top of the tree: keeps what is invalidated in the root's update areas
// and redraws them as the root does.
class Screen : public Core::Group {
  VG_CLASS()
 public:
  void Invalidate(VgRect rect) override {
    rect = VgIntersectRect(rect, Bounds);
    if (!VgIsRectEmpty(rect)) Core::AddUpdateArea(areas, centres, count, rect);
  }
  // The pixels redrawn.
  int64_t Redraw(Graphics::Canvas* target) {
    int64_t drawn = 0;
    for (int32_t i = 0; i < count; ++i) {
      const VgRect area = Core::WidenToEvenX(areas[i]);
      Draw(target, area, {0, 0});
      drawn += VgGetRectArea(area);
    }
    count = 0;
    return drawn;
  }
  VgRect areas[Core::MaxUpdateAreas]{};
  VgPoint centres[Core::MaxUpdateAreas + 1]{};
  int32_t count = 0;
};

// The focused row shows dark text over its focused look: the highlight
// plate of a plain row, the focused button of a row on a button.
class Row : public Core::Group {
  VG_CLASS()
 public:
  void HandleSelection(bool selected) override {
    label->OnSetColor(selected ? kFocusText : kText);
    value->OnSetColor(selected ? kFocusText : kText);
    if (plate) plate->OnSetColor(selected ? kFocusPlate : kPlate);
    if (button) button->OnSetBitmap(selected ? focusedButton : plainButton);
  }
  VgPtr<Views::Text> label;
  VgPtr<Views::Text> value;
  VgPtr<Views::Rectangle> plate;
  VgPtr<Views::Frame> button;
  VgPtr<Resources::Bitmap> plainButton;
  VgPtr<Resources::Bitmap> focusedButton;
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
using BenchViews::kFocusText;
using BenchViews::kPlate;
using BenchViews::kText;

constexpr int kVisibleRows = 10;

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

void Start() {
  static bool started = false;
  if (started) return;
  GCM_Start(1);
  GenInitGlyphCache(20000);
  GenRegisterFont(FontPath().c_str());
  started = true;
}

// A canvas used as a bitmap, painted by the caller.
BenchViews::Strip* Picture(VgPoint size) {
  auto* c = VgNew<BenchViews::Strip>();
  c->OnSetSize(size);
  return c;
}

struct Page {
  Screen* screen = nullptr;
  Graphics::Canvas* target = nullptr;
  Core::Group* list = nullptr;
  std::vector<Row*> rows;
};

Page BuildPage(int rowCount, bool rowButtons) {
  Start();
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
  auto frame = [&](Core::Group* owner, VgRect bounds, const VgConstant& artwork) {
    auto* f = VgNew<Views::Frame>();
    f->OnSetBounds(bounds);
    f->OnSetBitmap(VgLoad<Resources::Bitmap>(artwork));
    if (owner) add(owner, f);
    return f;
  };
  auto* background = VgNew<Views::Rectangle>();
  background->OnSetBounds(page.screen->Bounds);
  background->OnSetColor({10, 16, 32, 255});
  add(page.screen, background);

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
  frame(page.screen, {40, 60, 320, 480}, Bitmaps::MediaQuickMenuBg);
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

  // The list panel with its title, the rows and the focus frame over them.
  frame(page.screen, {340, 60, 920, 480}, Bitmaps::MediaQuickMenuBg);
  auto* title = VgNew<Views::Text>();
  title->OnSetBounds({360, 66, 900, 100});
  title->OnSetFont(titleFont);
  title->OnSetShadow(2);
  title->OnSetAlignH(Views::Text::AlignCentre);
  title->OnSetString(VgNewString(u"Picture"));
  add(page.screen, title);

  page.list = VgNew<Core::Group>();
  page.list->OnSetBounds({340, 104, 920, 474});
  add(page.screen, page.list);
  auto* plainButton = VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonNonFocused);
  auto* focusedButton = VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonFocused);
  const char16_t* labels[] = {u"Picture Mode", u"Backlight", u"Contrast", u"Brightness", u"Colour",
                              u"Tint", u"Sharpness", u"Colour Temperature", u"Noise Reduction",
                              u"Advanced Settings"};
  const char16_t* values[] = {u"Standard", u"50", u"85", u"50", u"50", u"0", u"10", u"Warm", u"Auto",
                              u"Adaptive contrast, black level, gamma"};
  for (int i = 0; i < rowCount; ++i) {
    auto* row = VgNew<Row>();
    row->OnSetBounds({20, 37 * i, 560, 37 * i + 34});
    if (rowButtons) {
      row->button = frame(row, {0, 0, 540, 34}, Bitmaps::OptionButtonNonFocused);
      row->plainButton = plainButton;
      row->focusedButton = focusedButton;
    } else {
      row->plate = VgNew<Views::Rectangle>();
      row->plate->OnSetBounds({0, 0, 540, 34});
      row->plate->OnSetColor(kPlate);
      add(row, row->plate);
    }
    auto* icon = VgNew<Views::Image>();
    icon->OnSetBounds({4, 1, 36, 33});
    icon->OnSetBitmap(icons);
    icon->OnSetFrameNumber(i % 4);
    add(row, icon);
    row->label = VgNew<Views::Text>();
    row->label->OnSetBounds({44, 0, 300, 34});
    row->label->OnSetFont(rowFont);
    row->label->OnSetAlignV(Views::Text::AlignMiddle);
    row->label->OnSetString(VgNewString(labels[i % 10]));
    add(row, row->label);
    row->value = VgNew<Views::Text>();
    row->value->OnSetBounds({310, 0, 536, 34});
    row->value->OnSetFont(rowFont);
    row->value->OnSetAlignH(Views::Text::AlignRight);
    row->value->OnSetAlignV(Views::Text::AlignMiddle);
    row->value->OnSetEllipsis(true);
    row->value->OnSetString(VgNewString(values[i % 10]));
    add(row, row->value);
    row->label->OnSetColor(kText);
    row->value->OnSetColor(kText);
    page.list->Add(row, 0);
    page.rows.push_back(row);
  }
  page.screen->OnSetFocus(page.list);
  page.list->OnSetFocus(page.rows[0]);

  auto* help = VgNew<Views::Text>();
  help->OnSetBounds({40, 496, 920, 526});
  help->OnSetFont(smallFont);
  help->OnSetString(VgNewString(u"OK: Select   BACK: Return   EXIT: Close the menu"));
  add(page.screen, help);
  VgProcessSignals();
  VgReclaimMemory();
  return page;
}

void Release(Page& page) {
  VgUnlockObject(page.screen);
  VgUnlockObject(page.target);
  VgReclaimMemory();
}

int64_t Nanos(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - since).count();
}

// The figures beside the time: x_blit, and what the frame cache did.
void Report(benchmark::State& state, const BlitRatio& ratio) {
  state.counters["x_blit"] = ratio.Best();
  state.counters["x_blit_mean"] = ratio.Mean();
  const GenFrameCacheStats cache = GenFrameCacheGetStats();
  const uint64_t lookups = cache.hits + cache.misses;
  state.counters["hit_rate"] = lookups ? double(cache.hits) / double(lookups) : 0.0;
  state.counters["cache_kB"] = double(cache.peakBytes) / 1024.0;
}

enum class Frames { Kept, Cold, Tiled };

void FullRedraw(benchmark::State& state, Frames frames) {
  Start();
  BlitYardstick blit;
  GenFrameCacheSetBudget(frames == Frames::Tiled ? 0 : GenFrameCacheDefaultBudget);
  GenFrameCacheClear();
  Page page = BuildPage(static_cast<int>(state.range(0)), state.range(1) != 0);
  const VgRect all{0, 0, 960, 540};
  if (frames == Frames::Kept) page.screen->Draw(page.target, all, {0, 0});
  GenFrameCacheResetCounters();
  BlitRatio ratio;
  for (auto _ : state) {
    if (frames == Frames::Cold) {
      state.PauseTiming();
      GenFrameCacheClear();
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    page.screen->Draw(page.target, all, {0, 0});
    BenchSync(page.target->EngineBitmap()->surface);
    const int64_t drawn = Nanos(start);
    ratio.Add(drawn, blit.Once());
  }
  Report(state, ratio);
  Release(page);
  GenFrameCacheSetBudget(GenFrameCacheDefaultBudget);
}

void BM_MenuPageFullRedraw(benchmark::State& state) { FullRedraw(state, Frames::Kept); }
BENCHMARK(BM_MenuPageFullRedraw)->ArgNames({"rows", "buttons"})->Args({12, 0})->Args({100, 0})->Args({12, 1})->Unit(benchmark::kMillisecond);

// Every frame drawn into the cache first: the first draw of a page.
void BM_MenuPageFirstRedraw(benchmark::State& state) { FullRedraw(state, Frames::Cold); }
BENCHMARK(BM_MenuPageFirstRedraw)->ArgNames({"rows", "buttons"})->Args({12, 0})->Args({12, 1})->Unit(benchmark::kMillisecond);

// No cache: every frame tiled cell by cell (one batch per frame part).
void BM_MenuPageTiledRedraw(benchmark::State& state) { FullRedraw(state, Frames::Tiled); }
BENCHMARK(BM_MenuPageTiledRedraw)->ArgNames({"rows", "buttons"})->Args({12, 0})->Args({12, 1})->Unit(benchmark::kMillisecond);

// Whether the focused row's label shows its text in the focus's colour: a
// focus drawn over the row would hide it.
bool FocusedTextShows(const Page& page, size_t focused) {
  const VgRect label = VgMoveRectPos(page.rows[focused]->label->Bounds,
                                     page.rows[focused]->MakeGlobal({0, 0}));
  const GenColor text = GenMakeColor(kFocusText.red, kFocusText.green, kFocusText.blue, 255);
  for (int32_t y = label.y1; y < label.y2; ++y)
    for (int32_t x = label.x1; x < label.x2; ++x)
      if (GenColor pixel = 0; GenReadPixel(page.target->EngineBitmap(), x, y, &pixel) && pixel == text) return true;
  return false;
}

void BM_MenuPageFocusMove(benchmark::State& state) {
  Start();
  BlitYardstick blit;
  GenFrameCacheClear();
  Page page = BuildPage(static_cast<int>(state.range(0)), state.range(1) != 0);
  page.screen->count = 0;
  page.screen->Draw(page.target, {0, 0, 960, 540}, {0, 0});
  if (!FocusedTextShows(page, 0)) {
    state.SkipWithError("the focused row's text is hidden");
    Release(page);
    return;
  }
  GenFrameCacheResetCounters();
  int focus = 0;
  BlitRatio ratio;
  // Each move by the row it goes to: the move to the first row is the wrap
  // from the last.
  BlitRatio moves[kVisibleRows];
  int64_t area = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    focus = (focus + 1) % kVisibleRows;
    page.list->OnSetFocus(page.rows[size_t(focus)]);
    VgProcessSignals();
    area += page.screen->Redraw(page.target);
    BenchSync(page.target->EngineBitmap()->surface);
    // Read before the blit runs: the order in which a call's arguments are
    // worked out is the compiler's, and the blit must not count as the move.
    const int64_t moved = Nanos(start);
    const int64_t blitted = blit.Once();
    ratio.Add(moved, blitted);
    moves[focus].Add(moved, blitted);
  }
  Report(state, ratio);
  // The dearest move, each move's quickest over the quickest blit.
  double worst = 0;
  for (const BlitRatio& move : moves)
    if (move.count) worst = std::max(worst, double(move.bestWork) / double(ratio.bestBlit));
  state.counters["x_blit_worst"] = worst;
  state.counters["dirty_px"] = state.iterations() ? double(area) / double(state.iterations()) : 0.0;
  Release(page);
}
BENCHMARK(BM_MenuPageFocusMove)->ArgNames({"rows", "buttons"})->Args({12, 0})->Args({100, 0})->Args({12, 1})->Unit(benchmark::kMillisecond);

// The share of a warm full redraw spent inside DirectFB's surface calls on the
// target; the stopwatch around each call slows this run down.
void BM_MenuPageDirectFBShare(benchmark::State& state) {
  GenFrameCacheClear();
  Page page = BuildPage(12, false);
  const VgRect all{0, 0, 960, 540};
  page.screen->Draw(page.target, all, {0, 0});
  Instrument(page.target);
  int64_t total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    page.screen->Draw(page.target, all, {0, 0});
    total += Nanos(start);
  }
  state.counters["dfb_share"] = total ? double(g_dfbNanos) / double(total) : 0.0;
  Release(page);
}
BENCHMARK(BM_MenuPageDirectFBShare)->Unit(benchmark::kMillisecond);

void BM_ReferenceBlendedBlit(benchmark::State& state) {
  Start();
  GenBitmap* target = GenCreateBitmap(960, 540, 0);
  GenBitmap* picture = GenCreateBitmap(960, 540, 0);
  GenFillRectangle(picture, nullptr, 0x80306090, 0, 0, 960, 540, 0);
  IDirectFBSurface* s = target->surface;
  const DFBRectangle all{0, 0, 960, 540};
  for (auto _ : state) {
    s->SetSrcBlendFunction(s, DSBF_ONE);
    s->SetDstBlendFunction(s, DSBF_INVSRCALPHA);
    s->SetBlittingFlags(s, static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL | DSBLIT_SRC_PREMULTIPLY));
    s->Blit(s, picture->surface, &all, 0, 0);
  }
  GenFreeBitmap(target);
  GenFreeBitmap(picture);
}
BENCHMARK(BM_ReferenceBlendedBlit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
