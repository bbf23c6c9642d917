// Pictures drawn once from a source bitmap and kept for reuse: a nine-cell
// frame stretched over a view's size costs dozens to thousands of small copies,
// its picture one. The pictures are kept as row runs (a frame's rows are a few
// runs of one colour each), so that the cache holds every frame of a screen in
// the memory one surface of a dialog's size would take. It is bounded in bytes
// and gives up its least recently used pictures first. A source's pictures
// leave with the source (GenFreeBitmap), but for artwork: they belong to the
// resource it was loaded from, whose pixels never change, so that artwork let
// go and loaded again finds them. Only the GUI thread uses it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "GenBitmap.h"

struct GenFrameKey {
  const GenBitmap* source;
  int32_t frame;
  int32_t width;
  int32_t height;
  uint32_t variant;  // whatever else the picture depends on (a view's switched-off edges)

  bool operator==(const GenFrameKey&) const = default;
};

struct GenFrameCacheStats {
  uint64_t hits;
  uint64_t misses;
  uint64_t evictions;
  size_t bytes;      // memory of the pictures kept now
  size_t peakBytes;  // the most it ever held
  size_t budget;
  int32_t pictures;
};

inline constexpr size_t GenFrameCacheDefaultBudget = 256 * 1024;

// The kept picture of the key, now the most recently used; null when there is none.
GenBitmap* GenFrameCacheFind(const GenFrameKey& key);
// The most a picture may take: half the budget.
size_t GenFrameCacheLimit();
// Keeps the picture (of the key's size) under the key and returns it; older
// pictures make room. A picture over the limit, or none, is not kept: the
// picture is freed, null returned, and the key remembered as refused.
GenBitmap* GenFrameCacheKeep(const GenFrameKey& key, GenBitmap* picture);
// Whether the key's picture was refused, so that it is not made again.
bool GenFrameCacheRefused(const GenFrameKey& key);
// Frees every picture, or those drawn from one source.
void GenFrameCacheClear();
void GenFrameCacheForget(const GenBitmap* source);
// A smaller budget frees pictures at once; 0 keeps none.
void GenFrameCacheSetBudget(size_t bytes);
GenFrameCacheStats GenFrameCacheGetStats();
void GenFrameCacheResetCounters();
