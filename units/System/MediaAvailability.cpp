#include "System/MediaAvailability.h"

VG_DEFINE_CLASS(System, MediaCount, XObject)
VG_DEFINE_CLASS(System, MediaAvailability, XObject)

namespace System {

namespace {

// A kind is present when a leading count is set or its last count is positive;
// Flash and AVCHD content keep only three counts.
bool AnyOfFour(const MediaCount& c) { return c.Counts[0] || c.Counts[1] || c.Counts[2] || c.Counts[3] > 0; }
bool AnyOfThree(const MediaCount& c) { return c.Counts[0] || c.Counts[1] || c.Counts[2] > 0; }

bool Enable(MediaCount& c, bool on) {
  c.Counts[0] = on ? 1 : 0;
  c.Counts[1] = c.Counts[2] = c.Counts[3] = 0;
  return true;
}

}  // namespace

bool MediaAvailability::isMusicAvailable() const { return AnyOfFour(Music); }
bool MediaAvailability::arePicturesAvailable() const { return AnyOfFour(Pictures); }
bool MediaAvailability::areMoviesAvailable() const { return AnyOfFour(Movies); }
bool MediaAvailability::isFlashAvailable() const { return AnyOfThree(Flash); }
bool MediaAvailability::isAVCHDAvailable() const { return AnyOfThree(AVCHD); }
bool MediaAvailability::debugMusicEnable(bool on) { return Enable(Music, on); }
bool MediaAvailability::debugPicturesEnable(bool on) { return Enable(Pictures, on); }
bool MediaAvailability::debugMoviesEnable(bool on) { return Enable(Movies, on); }
bool MediaAvailability::debugFlashEnable(bool on) { return Enable(Flash, on); }

}  // namespace System
