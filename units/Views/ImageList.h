// Views::ImageList: one cell of a bitmap that holds a grid of equally sized
// images, row by row; ImageNumber picks the cell.
#pragma once

#include <cstdint>

#include "Core/View.h"

namespace Resources {
class Bitmap;
}

namespace Views {

class ImageList : public Core::View {
  VG_CLASS()

 public:
  explicit ImageList(XObject* link = nullptr);

  bool AutoSize = false;
  uint16_t AlignV = 0;
  uint16_t AlignH = 0;
  VgPoint ImageSize{4, 4};
  int32_t ImageNumber = 0;
  int32_t Opacity = 255;
  VgPtr<Resources::Bitmap> Bitmap;
  VgRect Bounds{0, 0, 0, 0};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;

  void OnSetBitmap(Resources::Bitmap* value);
  Resources::Bitmap* OnGetBitmap() const { return Bitmap; }
  void OnSetImageNumber(int32_t value);
  int32_t OnGetImageNumber() const { return ImageNumber; }
  void OnSetImageSize(VgPoint value);
  VgPoint OnGetImageSize() const { return ImageSize; }
  void OnSetAutoSize(bool value);
  bool OnGetAutoSize() const { return AutoSize; }
  void OnSetOpacity(int32_t value);
  int32_t OnGetOpacity() const { return Opacity; }
  void OnSetAlignH(uint16_t value);
  uint16_t OnGetAlignH() const { return AlignH; }
  void OnSetAlignV(uint16_t value);
  uint16_t OnGetAlignV() const { return AlignV; }
  void OnSetBounds(VgRect value);
  VgRect OnGetBounds() const { return Bounds; }

  // Places the view on one image's size, keeping the alignment's anchor.
  void AdjustBounds();

 private:
  void Changed();
};

}  // namespace Views
