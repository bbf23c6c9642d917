// Pictures drawn once from a source bitmap and kept for reuse: a nine-cell
// frame stretched over a view's size costs dozens to thousands of small copies,
// its picture one. The cache is bounded in bytes and gives up its least
// recently used pictures first; a source's pictures leave with the source
// (GenFreeBitmap). Only the GUI thread uses it.
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
  size_t bytes;      // surface memory of the pictures kept now
  size_t peakBytes;  // the most it ever held
  size_t budget;
  int32_t pictures;
};

inline constexpr size_t GenFrameCacheDefaultBudget = 2 * 1024 * 1024;

// The kept picture of the key, now the most recently used; null when there is none.
GenBitmap* GenFrameCacheFind(const GenFrameKey& key);
// A new transparent picture of the key's size, kept under the key, for the
// caller to draw at once. Null when it could never fit the budget (a picture
// may take half of it at most) or cannot be made; older pictures make room.
GenBitmap* GenFrameCacheAdd(const GenFrameKey& key);
// Frees every picture, or those drawn from one source.
void GenFrameCacheClear();
void GenFrameCacheForget(const GenBitmap* source);
// A smaller budget frees pictures at once; 0 keeps none.
void GenFrameCacheSetBudget(size_t bytes);
GenFrameCacheStats GenFrameCacheGetStats();
void GenFrameCacheResetCounters();
