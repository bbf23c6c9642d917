#include "GenArtwork.h"

#include <list>
#include <unordered_map>

#include "vgobject.h"

namespace {

struct Kept {
  const GenBitmapResource* resource;
  GenBitmap* bitmap;
  size_t bytes;
};

// Most recently let go first.
struct Cache {
  std::list<Kept> order;
  std::unordered_map<const GenBitmapResource*, std::list<Kept>::iterator> index;
  size_t budget = GenArtworkDefaultBudget;
  int32_t language = 0;
  GenArtworkStats stats{};
};

Cache& TheCache() {
  static Cache* cache = new Cache;  // outlives every bitmap freed at exit
  return *cache;
}

// What DirectFB keeps for a surface beside its pixels (its interface, its
// core records, their locks and reactors), as measured.
constexpr size_t kSurfaceRecordBytes = 6 * 1024;

// What the bitmap holds: its surface, row padding and all. Stored artwork
// stays in the program: only the records made for it are the bitmap's.
size_t BytesOf(const GenBitmapResource*, const GenBitmap* bitmap) {
  if (bitmap->rows) return sizeof(GenBitmap) + sizeof(GenRowRuns);
  if (bitmap->stored) return sizeof(GenBitmap);
  if (bitmap->external) return sizeof(GenBitmap) + kSurfaceRecordBytes;
  return size_t(bitmap->width + bitmap->padding) * size_t(bitmap->height) * sizeof(GenColor) + kSurfaceRecordBytes;
}

void ShrinkTo(Cache& c, size_t bytes) {
  while (!c.order.empty() && c.stats.bytes > bytes) {
    const Kept last = c.order.back();
    c.order.pop_back();
    c.index.erase(last.resource);
    c.stats.bytes -= last.bytes;
    GenFreeBitmap(last.bitmap);
  }
}

// Pixels of another language are not kept for this one.
void FollowLanguage(Cache& c) {
  if (VgGetLanguage() == c.language) return;
  ShrinkTo(c, 0);
  c.language = VgGetLanguage();
}

}  // namespace

GenBitmap* GenLoadArtwork(const GenBitmapResource* resource) {
  Cache& c = TheCache();
  FollowLanguage(c);
  if (auto found = c.index.find(resource); found != c.index.end()) {
    const Kept kept = *found->second;
    c.order.erase(found->second);
    c.index.erase(found);
    c.stats.bytes -= kept.bytes;
    ++c.stats.hits;
    return kept.bitmap;
  }
  ++c.stats.misses;
  return GenLoadBitmap(resource);
}

void GenReleaseArtwork(const GenBitmapResource* resource, GenBitmap* bitmap) {
  if (!bitmap) return;
  Cache& c = TheCache();
  FollowLanguage(c);
  const size_t bytes = resource ? BytesOf(resource, bitmap) : 0;
  if (!resource || bytes > c.budget || c.index.count(resource)) {
    GenFreeBitmap(bitmap);
    return;
  }
  c.order.push_front({resource, bitmap, bytes});
  c.index.emplace(resource, c.order.begin());
  c.stats.bytes += bytes;
  ShrinkTo(c, c.budget);
}

bool GenArtworkClear() {
  Cache& c = TheCache();
  const bool any = !c.order.empty();
  ShrinkTo(c, 0);
  return any;
}

void GenArtworkSetBudget(size_t bytes) {
  Cache& c = TheCache();
  c.budget = bytes;
  ShrinkTo(c, bytes);
}

GenArtworkStats GenArtworkGetStats() {
  Cache& c = TheCache();
  GenArtworkStats s = c.stats;
  s.budget = c.budget;
  s.kept = static_cast<int32_t>(c.order.size());
  return s;
}
