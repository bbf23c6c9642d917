// Artwork loaded once: a bitmap made from a bitmap resource is handed back
// here when its last user lets it go, and is kept for the next load of the
// same resource instead of being made again. Stored artwork costs only its
// records to keep (large stored pixels a surface over them too, some 6 KB of
// DirectFB's), packed artwork its decoded pixels too. What is kept stays within a byte
// budget, the least recently let go leaving first; all of it goes when the
// language changes (a resource's pixels may differ by language) and when
// memory for a new surface runs short. Only the GUI thread uses it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "GenBitmap.h"

struct GenArtworkStats {
  uint64_t hits;
  uint64_t misses;
  size_t bytes;  // kept now
  size_t budget;
  int32_t kept;
};

inline constexpr size_t GenArtworkDefaultBudget = 64 * 1024;

// The resource's bitmap: the kept one, taken out of the cache, or a new one
// (GenLoadBitmap); null when it cannot be loaded.
GenBitmap* GenLoadArtwork(const GenBitmapResource* resource);
// The bitmap that GenLoadArtwork gave for the resource, no longer used: kept
// when it fits the budget, else freed.
void GenReleaseArtwork(const GenBitmapResource* resource, GenBitmap* bitmap);
// Frees what is kept; true when there was something.
bool GenArtworkClear();
// A smaller budget frees at once; 0 keeps nothing.
void GenArtworkSetBudget(size_t bytes);
GenArtworkStats GenArtworkGetStats();
