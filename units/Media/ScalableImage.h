// Media::ScalableImage: a picture centred in the view; one larger than the
// view is shrunk to fit it, keeping its proportions, so that photos of any
// size fit a thumbnail cell.
#pragma once

#include "Views/Image.h"

namespace Media {

class ScalableImage : public Views::Image {
  VG_CLASS()

 public:
  explicit ScalableImage(XObject* link = nullptr);

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  // Where the picture is drawn within a box of the view's size at (0, 0).
  VgRect PictureRect() const;
};

}  // namespace Media
