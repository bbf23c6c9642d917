#include "ListForm/ListDataSource.h"

#include <algorithm>
#include <cstdio>

#include "Bitmaps.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ListDataSource, XObject)

namespace ListForm {

namespace {

// The readers, one per list class; filled before main by the lists' source
// files. A list class appears once, so the lookup is by identity: a derived
// list does not inherit its base's reader.
struct Registration {
  const VgClass* list;
  ItemReader read;
};
constexpr int kMaxReaders = 64;
constinit Registration g_readers[kMaxReaders] = {};
constinit int g_readerCount = 0;

constexpr const VgConstant* kInputIcons[ListDataSource::InputIconCount] = {
    &Bitmaps::InputListSource0, &Bitmaps::InputListSource1, &Bitmaps::InputListSource2, &Bitmaps::InputListSource3,
    &Bitmaps::InputListSource4, &Bitmaps::InputListSource5, &Bitmaps::InputListSource6, &Bitmaps::InputListSource7,
    &Bitmaps::InputListSource8, &Bitmaps::InputListSource9};

// The guide's themes in the order of the middleware's theme numbers; the last
// slots stay empty.
constexpr const char* kThemeNames[] = {"Movie",     "Sports",      "Children", "News",    "Religious",
                                       "History",   "Educational", "Reality",  "Cooking", "Shopping",
                                       "Entertainment", "Travel"};
static_assert(std::size(kThemeNames) <= ListDataSource::ThemeCount);

}  // namespace

bool RegisterItemReader(const VgClass* list, ItemReader reader) {
  if (!list || !reader) return false;
  for (int i = 0; i < g_readerCount; ++i) {
    if (g_readers[i].list == list) {
      std::fprintf(stderr, "ListForm: a second reader for %s is ignored\n", list->name);
      return false;
    }
  }
  if (g_readerCount == kMaxReaders) {
    std::fprintf(stderr, "ListForm: no room for the reader of %s\n", list->name);
    return false;
  }
  g_readers[g_readerCount++] = {list, reader};
  return true;
}

ListDataSource::ListDataSource(XObject* link) : XObject(link) {
  for (int32_t i = 0; i < InputIconCount; ++i) InputIcons[i] = VgLoad<Resources::Bitmap>(*kInputIcons[i]);
  for (size_t i = 0; i < std::size(kThemeNames); ++i) ThemeNames[i] = VgNewStringAnsi(kThemeNames[i]);
}

Resources::Bitmap* ListDataSource::InputIcon(int32_t i) const {
  return i >= 0 && i < InputIconCount ? InputIcons[static_cast<size_t>(i)] : nullptr;
}

VgString ListDataSource::ThemeName(int32_t i) const { return i >= 0 && i < ThemeCount ? ThemeNames[i].get() : nullptr; }

int32_t ListDataSource::MoveCursor(int32_t delta, uint16_t mode) {
  int64_t target;
  switch (mode) {
    case 0:
      target = delta;
      break;
    case 1:
      target = int64_t(Cursor) + delta;
      break;
    case 2:
      target = int64_t(Num) - 1 + delta;
      break;
    default:
      target = 0;
      break;
  }
  target = std::min<int64_t>(std::max<int64_t>(target, 0), int64_t(Num) - 1);
  const int32_t old = Cursor;
  Cursor = static_cast<int32_t>(target);
  return static_cast<int32_t>(int64_t(Cursor) - old);
}

XObject* ListDataSource::GetItemData(const VgClass* listClass, int32_t offset) {
  const int64_t index = int64_t(Cursor) + offset;
  if (index < 0 || index > int64_t(Num) - 1) return nullptr;
  for (int i = 0; i < g_readerCount; ++i)
    if (g_readers[i].list == listClass) return g_readers[i].read(this, static_cast<int32_t>(index));
  return nullptr;
}

}  // namespace ListForm
