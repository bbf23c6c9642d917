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

struct Picture {
  GenFrameKey key;
  GenBitmap* bitmap;
  size_t bytes;
};

// Most recently used first.
struct Cache {
  std::list<Picture> order;
  std::unordered_map<GenFrameKey, std::list<Picture>::iterator, KeyHash> index;
  size_t budget = GenFrameCacheDefaultBudget;
  GenFrameCacheStats stats{};
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
  GenFreeBitmap(bitmap);
}

void ShrinkTo(Cache& c, size_t bytes) {
  while (!c.order.empty() && c.stats.bytes > bytes) {
    Remove(c, std::prev(c.order.end()));
    ++c.stats.evictions;
  }
}

}  // namespace

GenBitmap* GenFrameCacheFind(const GenFrameKey& key) {
  Cache& c = TheCache();
  auto found = c.index.find(key);
  if (found == c.index.end()) {
    ++c.stats.misses;
    return nullptr;
  }
  ++c.stats.hits;
  c.order.splice(c.order.begin(), c.order, found->second);
  return found->second->bitmap;
}

GenBitmap* GenFrameCacheAdd(const GenFrameKey& key) {
  Cache& c = TheCache();
  if (!key.source || key.width < 1 || key.height < 1) return nullptr;
  const size_t bytes = size_t(key.width) * size_t(key.height) * sizeof(GenColor);
  if (bytes > c.budget / 2) return nullptr;
  if (auto found = c.index.find(key); found != c.index.end()) Remove(c, found->second);
  ShrinkTo(c, c.budget - bytes);
  GenBitmap* bitmap = GenCreateBitmap(key.width, key.height, GenColorFormatArgb8888);
  if (!bitmap) return nullptr;
  // Counted as the surface holds it, row padding and all.
  const size_t held = size_t(key.width + bitmap->padding) * size_t(key.height) * sizeof(GenColor);
  c.order.push_front({key, bitmap, held});
  c.index.emplace(key, c.order.begin());
  c.stats.bytes += held;
  ShrinkTo(c, c.budget);
  if (c.stats.bytes > c.stats.peakBytes) c.stats.peakBytes = c.stats.bytes;
  return c.index.count(key) ? bitmap : nullptr;
}

void GenFrameCacheClear() {
  Cache& c = TheCache();
  while (!c.order.empty()) Remove(c, c.order.begin());
}

void GenFrameCacheForget(const GenBitmap* source) {
  Cache& c = TheCache();
  if (c.order.empty() || !source) return;
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
  s.pictures = static_cast<int32_t>(c.order.size());
  return s;
}

void GenFrameCacheResetCounters() {
  Cache& c = TheCache();
  c.stats.hits = c.stats.misses = c.stats.evictions = 0;
  c.stats.peakBytes = c.stats.bytes;
}
