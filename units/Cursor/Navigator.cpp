#include "Cursor/Navigator.h"

#include "Resources/Bitmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Cursor, NavigatorClass, Core::Group)
VG_DEFINE_CLASS(Cursor, Navigator, ::Cursor::NavigatorClass)

namespace Cursor {

NavigatorClass::NavigatorClass(XObject* link) : Core::Group(link) {}

void NavigatorClass::OnSetLeftBitmap(Resources::Bitmap* bitmap) { LeftBitmap = bitmap; }
void NavigatorClass::OnSetRightBitmap(Resources::Bitmap* bitmap) { RightBitmap = bitmap; }
void NavigatorClass::OnSetDownBitmap(Resources::Bitmap* bitmap) { DownBitmap = bitmap; }
void NavigatorClass::OnSetUpBitmap(Resources::Bitmap* bitmap) { UpBitmap = bitmap; }
void NavigatorClass::OnSetClientBounds(VgRect rect) { ClientBounds = rect; }
void NavigatorClass::OnSetUp(bool value) { Up = value; }
void NavigatorClass::OnSetDown(bool value) { Down = value; }
void NavigatorClass::OnSetLeft(bool value) { Left = value; }
void NavigatorClass::OnSetRight(bool value) { Right = value; }
void NavigatorClass::Refresh(XObject*) {}

namespace {

void Prepare(Views::Image& arrow, VgPoint at) {
  arrow.OnSetVisible(false);
  arrow.OnSetAutoSize(true);
  arrow.OnSetBounds({at.x, at.y, at.x, at.y});
}

// Moves an arrow keeping its size.
void Place(Views::Image& arrow, int32_t x, int32_t y) { arrow.OnSetBounds(VgSetRectOrigin(arrow.Bounds, {x, y})); }

}  // namespace

Navigator::Navigator(XObject* link) : NavigatorClass(link) {
  Prepare(downArrow, {419, 268});
  Prepare(leftArrow, {300, 184});
  Prepare(rightArrow, {538, 184});
  Prepare(upArrow, {419, 100});
  Add(&downArrow, 0);
  Add(&leftArrow, 0);
  Add(&rightArrow, 0);
  Add(&upArrow, 0);
}

void Navigator::OnSetLeftBitmap(Resources::Bitmap* bitmap) {
  LeftBitmap = bitmap;
  leftArrow.OnSetBitmap(bitmap);
}

void Navigator::OnSetRightBitmap(Resources::Bitmap* bitmap) {
  RightBitmap = bitmap;
  rightArrow.OnSetBitmap(bitmap);
}

void Navigator::OnSetDownBitmap(Resources::Bitmap* bitmap) {
  DownBitmap = bitmap;
  downArrow.OnSetBitmap(bitmap);
}

void Navigator::OnSetUpBitmap(Resources::Bitmap* bitmap) {
  UpBitmap = bitmap;
  upArrow.OnSetBitmap(bitmap);
}

void Navigator::OnSetClientBounds(VgRect rect) {
  ClientBounds = rect;
  VgPostSignal(VgSlotOf<&NavigatorClass::Refresh>(static_cast<NavigatorClass*>(this)));
}

void Navigator::OnSetUp(bool value) {
  Up = value;
  upArrow.OnSetVisible(value);
}

void Navigator::OnSetDown(bool value) {
  Down = value;
  downArrow.OnSetVisible(value);
}

void Navigator::OnSetLeft(bool value) {
  Left = value;
  leftArrow.OnSetVisible(value);
}

void Navigator::OnSetRight(bool value) {
  Right = value;
  rightArrow.OnSetVisible(value);
}

// The box is the client rectangle with room for each arrow on its side; the
// arrows sit centred on the sides of the box, and the offsets then push an
// arrow (or the box edge with it) further out or in. Arrow positions are
// relative to the box, so an edge that moves up or left carries every arrow.
void Navigator::Refresh(XObject*) {
  const VgPoint up = VgGetRectSize(upArrow.Bounds);
  const VgPoint down = VgGetRectSize(downArrow.Bounds);
  const VgPoint left = VgGetRectSize(leftArrow.Bounds);
  const VgPoint right = VgGetRectSize(rightArrow.Bounds);

  VgRect box{ClientBounds.x1 - left.x, ClientBounds.y1 - up.y, ClientBounds.x2 + right.x, ClientBounds.y2 + down.y};
  const int32_t wb = VgGetRectW(box);
  const int32_t hb = VgGetRectH(box);
  VgPoint upAt{wb / 2 - up.x / 2, 0};
  VgPoint downAt{wb / 2 - down.x / 2, hb - down.y};
  VgPoint leftAt{0, hb / 2 - left.y / 2};
  VgPoint rightAt{wb - right.x, hb / 2 - right.y / 2};

  if (UpOffset.y < 0)
    box.y1 += UpOffset.y;
  else if (UpOffset.y > 0)
    upAt.y += UpOffset.y;
  upAt.x += UpOffset.x;

  if (DownOffset.y > 0) box.y2 += DownOffset.y;
  downAt.y += DownOffset.y;
  downAt.x += DownOffset.x;

  if (LeftOffset.x < 0)
    box.x1 += LeftOffset.x;
  else if (LeftOffset.x > 0)
    leftAt.x += LeftOffset.x;
  leftAt.y += LeftOffset.y;

  if (RightOffset.x > 0) box.x2 += RightOffset.x;
  rightAt.x += RightOffset.x;
  rightAt.y += RightOffset.y;

  Place(upArrow, upAt.x, upAt.y);
  Place(downArrow, downAt.x, downAt.y);
  Place(leftArrow, leftAt.x, leftAt.y);
  Place(rightArrow, rightAt.x, rightAt.y);
  OnSetBounds(box);
}

}  // namespace Cursor
