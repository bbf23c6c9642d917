// The media stick: what a viewer might bring on a USB stick, made up from
// nothing so that it can be shipped and regenerated.
//
//   Photo 01.png .. Photo 30.png   480 x 360 (every seventh 270 x 360), a
//                                  gradient, a shape and the photo's number
//   Morning Tide.wav ...           four short tones with titles and artists
//   Waves.clip, Countdown.clip     two tiny videos of the library's container
//   Albums/Quiet Hours/            two more songs, two folders down
//   Holiday/, Holiday/Beach/       photos in nested folders
//   Empty/                         nothing at all
//   notes.txt                      a file no player takes
#pragma once

#include <string>

namespace MediaStick {

inline constexpr int kPhotos = 30;
inline constexpr int kRootSongs = 4;
inline constexpr int kVideos = 2;

// Writes the stick into dir (made if missing; files of the same names are
// replaced, and nothing below dir is written through a link). False with the
// reason when a file cannot be written.
bool Write(const std::string& dir, std::string* error);

// Single files for tests that build folders of their own: photo number n of
// the stick, a tone of three seconds with its title and artist, a clip of frames.
bool WritePhoto(const std::string& path, int n, std::string* error);
bool WriteTone(const std::string& path, const char* title, const char* artist, std::string* error);
bool WriteClip(const std::string& path, const char* title, int frames, std::string* error);

}  // namespace MediaStick
