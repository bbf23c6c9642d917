#include "GenFrameCache.h"

#include <list>
#include <unordered_map>

#include "GraphicsEngine.h"

namespace {

struct KeyHash {
  size_t operator()(const GenFrameKey& k) const {
    size_t h = std::hash<const void*>()(k.source);
    for (uint32_t v : {uint32_t(k.frame), uint32_t(k.width), uint32_t(k.height), k.variant})
      h = h * 0x9E3779B97F4A7C15ull + v;
    return h;
  }
};

// A refused key holds no picture; it is counted as this many bytes, so that
// refusals too stay within the budget.
constexpr size_t kRefusalBytes = 64;

struct Picture {
  GenFrameKey key;
  GenBitmap* bitmap;  // null for a refused key
  size_t bytes;
};

// Most recently used first.
struct Cache {
  std::list<Picture> order;
  std::unordered_map<GenFrameKey, std::list<Picture>::iterator, KeyHash> index;
  size_t budget = GenFrameCacheDefaultBudget;
  GenFrameCacheStats stats{};
  int32_t pictures = 0;
};

Cache& TheCache() {
  static Cache* cache = new Cache;  // outlives every bitmap freed at exit
  return *cache;
}

void Remove(Cache& c, std::list<Picture>::iterator it) {
  GenBitmap* bitmap = it->bitmap;
  c.stats.bytes -= it->bytes;
  c.index.erase(it->key);
  c.order.erase(it);
  if (bitmap) {
    --c.pictures;
    GenFreeBitmap(bitmap);
  }
}

void ShrinkTo(Cache& c, size_t bytes) {
  while (!c.order.empty() && c.stats.bytes > bytes) {
    Remove(c, std::prev(c.order.end()));
    ++c.stats.evictions;
  }
}

// The key as the cache holds it: a picture of artwork is the resource's.
GenFrameKey Held(GenFrameKey key) {
  if (key.source && key.source->resource) key.source = reinterpret_cast<const GenBitmap*>(key.source->resource);
  return key;
}

void Insert(Cache& c, const GenFrameKey& key, GenBitmap* bitmap, size_t bytes) {
  if (auto found = c.index.find(key); found != c.index.end()) Remove(c, found->second);
  ShrinkTo(c, bytes > c.budget ? 0 : c.budget - bytes);
  c.order.push_front({key, bitmap, bytes});
  c.index.emplace(key, c.order.begin());
  c.stats.bytes += bytes;
  if (bitmap) ++c.pictures;
  if (c.stats.bytes > c.stats.peakBytes) c.stats.peakBytes = c.stats.bytes;
}

}  // namespace

GenBitmap* GenFrameCacheFind(const GenFrameKey& key) {
  Cache& c = TheCache();
  auto found = c.index.find(Held(key));
  if (found == c.index.end() || !found->second->bitmap) {
    ++c.stats.misses;
    return nullptr;
  }
  ++c.stats.hits;
  c.order.splice(c.order.begin(), c.order, found->second);
  return found->second->bitmap;
}

size_t GenFrameCacheLimit() { return TheCache().budget / 2; }

GenBitmap* GenFrameCacheKeep(const GenFrameKey& key, GenBitmap* picture) {
  Cache& c = TheCache();
  const size_t bytes = GenBitmapBytes(picture);
  if (!picture || bytes > GenFrameCacheLimit()) {
    if (picture) GenFreeBitmap(picture);
    if (key.source && kRefusalBytes <= c.budget) Insert(c, Held(key), nullptr, kRefusalBytes);
    return nullptr;
  }
  Insert(c, Held(key), picture, bytes);
  return picture;
}

bool GenFrameCacheRefused(const GenFrameKey& key) {
  Cache& c = TheCache();
  auto found = c.index.find(Held(key));
  return found != c.index.end() && !found->second->bitmap;
}

void GenFrameCacheClear() {
  Cache& c = TheCache();
  while (!c.order.empty()) Remove(c, c.order.begin());
}

void GenFrameCacheForget(const GenBitmap* source) {
  Cache& c = TheCache();
  if (c.order.empty() || !source || source->resource) return;
  for (auto it = c.order.begin(); it != c.order.end();) {
    auto next = std::next(it);
    if (it->key.source == source) Remove(c, it);
    it = next;
  }
}

void GenFrameCacheSetBudget(size_t bytes) {
  Cache& c = TheCache();
  c.budget = bytes;
  ShrinkTo(c, bytes);
}

GenFrameCacheStats GenFrameCacheGetStats() {
  Cache& c = TheCache();
  GenFrameCacheStats s = c.stats;
  s.budget = c.budget;
  s.pictures = c.pictures;
  return s;
}

void GenFrameCacheResetCounters() {
  Cache& c = TheCache();
  c.stats.hits = c.stats.misses = c.stats.evictions = 0;
  c.stats.peakBytes = c.stats.bytes;
}
