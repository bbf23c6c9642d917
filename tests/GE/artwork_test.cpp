// Artwork decoded once: a resource's bitmap let go comes back on the next
// load without decoding, within the budget, and not across a language change.
#include "Bitmaps.h"
#include "GenArtwork.h"
#include "ge_test_support.h"
#include "vgresmap.h"

namespace {

class ArtworkTest : public EngineTest {
 protected:
  void SetUp() override {
    GenArtworkClear();
    GenArtworkSetBudget(GenArtworkDefaultBudget);
  }
  void TearDown() override {
    GenArtworkClear();
    GenArtworkSetBudget(GenArtworkDefaultBudget);
    VgSetLanguage(0);
    EngineTest::TearDown();
  }

  static const GenBitmapResource* Resource(size_t index) {
    const auto* entry = static_cast<const VgResourceEntry*>(Bitmaps::All[index].constant->entries);
    return static_cast<const GenBitmapResource*>(entry->value);
  }
};

TEST_F(ArtworkTest, ALetGoBitmapComesBackOnTheNextLoad) {
  // The counts run for the life of the process: the hits are those of this test.
  const uint64_t hits = GenArtworkGetStats().hits;
  const GenBitmapResource* resource = Resource(0);
  GenBitmap* first = GenLoadArtwork(resource);
  ASSERT_NE(first, nullptr);
  GenReleaseArtwork(resource, first);
  EXPECT_EQ(GenArtworkGetStats().kept, 1);
  GenBitmap* again = GenLoadArtwork(resource);
  EXPECT_EQ(again, first);
  EXPECT_EQ(GenArtworkGetStats().hits, hits + 1);
  EXPECT_EQ(GenArtworkGetStats().kept, 0);  // in use, not kept
  // Another resource is decoded anew.
  GenBitmap* other = GenLoadArtwork(Resource(1));
  EXPECT_NE(other, first);
  GenReleaseArtwork(Resource(1), other);
  GenReleaseArtwork(resource, again);
  EXPECT_EQ(GenArtworkGetStats().kept, 2);
}

TEST_F(ArtworkTest, TheBudgetLetsTheLeastRecentlyUsedGo) {
  GenBitmap* a = GenLoadArtwork(Resource(0));
  GenBitmap* b = GenLoadArtwork(Resource(1));
  GenReleaseArtwork(Resource(0), a);
  const size_t oneBytes = GenArtworkGetStats().bytes;
  GenArtworkSetBudget(oneBytes);
  GenReleaseArtwork(Resource(1), b);  // pushes the older one out if both do not fit
  const GenArtworkStats stats = GenArtworkGetStats();
  EXPECT_LE(stats.bytes, oneBytes);
  GenArtworkSetBudget(0);
  EXPECT_EQ(GenArtworkGetStats().kept, 0);
  GenBitmap* c = GenLoadArtwork(Resource(0));
  GenReleaseArtwork(Resource(0), c);  // nothing is kept with no budget
  EXPECT_EQ(GenArtworkGetStats().kept, 0);
}

TEST_F(ArtworkTest, ALanguageChangeLetsEverythingGo) {
  GenBitmap* a = GenLoadArtwork(Resource(0));
  GenReleaseArtwork(Resource(0), a);
  ASSERT_EQ(GenArtworkGetStats().kept, 1);
  VgSetLanguage(1);
  const uint64_t misses = GenArtworkGetStats().misses;
  GenBitmap* again = GenLoadArtwork(Resource(0));
  EXPECT_EQ(GenArtworkGetStats().misses, misses + 1);
  EXPECT_EQ(GenArtworkGetStats().kept, 0);
  GenReleaseArtwork(Resource(0), again);
}

}  // namespace
