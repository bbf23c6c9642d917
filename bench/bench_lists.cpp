// One DOWN on a list of 1000 entries shown in 8 rows, with the focus on the
// last row so that every press scrolls the data: the key through the focus
// path, the reader making the entering row's courier, the rows shifting their
// data, and the redraw of the area that changed. Reports the dirty pixels per
// press beside the time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "GenFont.h"
#include "Graphics/Canvas.h"
#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "Resources/Bitmap.h"
#include "Views/Rectangle.h"
#include "gcm.h"
#include "vgresmap.h"
#include "vgslot.h"

namespace BenchLists {

// The top of the tree: collects what is invalidated, as the root will.
class Screen : public Core::Group {
  VG_CLASS()
 public:
  void Invalidate(VgRect rect) override { dirty = VgUnionRect(dirty, VgIntersectRect(rect, Bounds)); }
  VgRect dirty{0, 0, 0, 0};
};

class Row : public ListForm::ListItem {
  VG_CLASS()
 public:
  Row() {
    OnSetBounds({0, 0, 400, 30});
    OnSetTextAlignH(Views::Text::AlignLeft);
    OnSetTextGap(12);
    Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelListButtonFocus);
  }
};

constexpr ListForm::ListDef kDef{.bounds = {200, 100, 640, 100 + 8 * 32},
                                   .maxRows = 8,
                                   .rowClass = &Row::Class,
                                   .pageUpKey = Key::PageUp,
                                   .pageDownKey = Key::PageDown,
                                   .itemXOffset = 20,
                                   .itemInterval = 2,
                                   .indicators = ListForm::Indicators::BottomRight,
                                   .prevBitmap = &Bitmaps::EPG_ListScrollUp,
                                   .nextBitmap = &Bitmaps::EPG_ListScrollDown};

class Programmes : public ListForm::ListClass {
  VG_CLASS()
 public:
  Programmes() : ListClass(kDef) {}
  int32_t GetItemsNum() override { return 1000; }
};

XObject* ReadProgramme(ListForm::ListDataSource*, int32_t index) {
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  courier->Text = VgConcatString(VgNewStringAnsi("Programme "), VgNewStringInt(index + 1, 0));
  return courier;
}
LISTFORM_REGISTER_READER(Programmes, ReadProgramme)

}  // namespace BenchLists

VG_DEFINE_CLASS(BenchLists, Screen, Core::Group)
VG_DEFINE_CLASS(BenchLists, Row, ListForm::ListItem)
VG_DEFINE_CLASS(BenchLists, Programmes, ListForm::ListClass)

namespace {

using BenchLists::Programmes;
using BenchLists::Screen;

std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

void Down(Screen* screen) {
  screen->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(Key::Down, true));
  VgProcessSignals();
}

void BM_ListDownOnThousandEntries(benchmark::State& state) {
  GCM_Start(1);
  GenInitGlyphCache(20000);
  GenRegisterFont(FontPath().c_str());
  auto* screen = VgNew<Screen>();
  screen->Bounds = {0, 0, 960, 540};
  VgLockObject(screen);
  auto* target = VgNew<Graphics::Canvas>();
  target->OnSetSize({960, 540});
  VgLockObject(target);
  auto* background = VgNew<Views::Rectangle>();
  background->OnSetBounds(screen->Bounds);
  background->OnSetColor({10, 16, 32, 255});
  screen->Add(background, 0);
  auto* list = VgNew<Programmes>();
  screen->Add(list, 0);
  screen->OnSetFocus(list);
  screen->UpdateFocus(true);
  list->Initialize(nullptr);
  VgProcessSignals();

  // From the last row on, every press brings one entry in.
  auto toLastRow = [&] {
    list->OnSetCurrentItemIndex(8);
    VgProcessSignals();
    screen->Draw(target, screen->Bounds, {0, 0});
  };
  toLastRow();
  int64_t area = 0;
  for (auto _ : state) {
    // The collector's turn is left out of the figure, and so is the way back
    // from the end.
    if (list->DataSource->Cursor == 999 || state.iterations() % 256 == 255) {
      state.PauseTiming();
      VgReclaimMemory();
      if (list->DataSource->Cursor == 999) toLastRow();
      state.ResumeTiming();
    }
    screen->dirty = {0, 0, 0, 0};
    Down(screen);
    screen->Draw(target, screen->dirty, {0, 0});
    area += VgGetRectArea(screen->dirty);
  }
  state.counters["dirty_px"] = state.iterations() ? double(area) / double(state.iterations()) : 0.0;
  VgUnlockObject(screen);
  VgUnlockObject(target);
  VgReclaimMemory();
}
BENCHMARK(BM_ListDownOnThousandEntries)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
