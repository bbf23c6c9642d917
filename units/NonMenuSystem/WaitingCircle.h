// NonMenuSystem::WaitingCircle: the turning circle in the top right corner
// that tells the viewer the set is busy. It is a picture, not a screen: it
// takes neither keys nor the focus and outlives the screens that show it.
#pragma once

#include <cstdint>

#include "Views/Image.h"

namespace NonMenuSystem {

class WaitingCircle : public Views::Image {
  VG_CLASS()

 public:
  explicit WaitingCircle(XObject* link = nullptr);

  // Its right edge and top on the screen.
  static constexpr int32_t Right = 940;
  static constexpr int32_t Top = 20;
  // The only kind of circle there is.
  static constexpr int32_t KindCircle = 1;

  // Shows the kind's picture and starts turning.
  void Start(int32_t kind);
  // Hides it and stops turning.
  void Stop();
  bool IsRunning() const { return Visible && Animated; }
};

}  // namespace NonMenuSystem
