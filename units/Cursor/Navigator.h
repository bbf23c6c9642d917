// The navigator: up to four arrows around a client rectangle that tell in
// which directions the focus can move. Cursor::NavigatorClass holds the
// properties, Cursor::Navigator draws them with four Views::Images.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "Resources/Bitmap.h"
#include "Views/Image.h"
#include "vgpoint.h"
#include "vgrect.h"

namespace Cursor {

class NavigatorClass : public Core::Group {
  VG_CLASS()

 public:
  explicit NavigatorClass(XObject* link = nullptr);

  // Slots of the navigator, in order. The abstract class only stores.
  virtual void OnSetLeftBitmap(Resources::Bitmap* bitmap);
  virtual void OnSetRightBitmap(Resources::Bitmap* bitmap);
  virtual void OnSetDownBitmap(Resources::Bitmap* bitmap);
  virtual void OnSetUpBitmap(Resources::Bitmap* bitmap);
  virtual void OnSetClientBounds(VgRect rect);
  virtual void OnSetUp(bool value);
  virtual void OnSetDown(bool value);
  virtual void OnSetLeft(bool value);
  virtual void OnSetRight(bool value);
  virtual void Refresh(XObject* sender = nullptr);

  Resources::Bitmap* OnGetUpBitmap() const { return UpBitmap; }
  Resources::Bitmap* OnGetDownBitmap() const { return DownBitmap; }
  Resources::Bitmap* OnGetLeftBitmap() const { return LeftBitmap; }
  Resources::Bitmap* OnGetRightBitmap() const { return RightBitmap; }
  VgRect OnGetClientBounds() const { return ClientBounds; }
  bool OnGetUp() const { return Up; }
  bool OnGetDown() const { return Down; }
  bool OnGetLeft() const { return Left; }
  bool OnGetRight() const { return Right; }
  // Offsets take effect at the next refresh.
  VgPoint OnGetUpOffset() const { return UpOffset; }
  void OnSetUpOffset(VgPoint value) { UpOffset = value; }
  VgPoint OnGetDownOffset() const { return DownOffset; }
  void OnSetDownOffset(VgPoint value) { DownOffset = value; }
  VgPoint OnGetLeftOffset() const { return LeftOffset; }
  void OnSetLeftOffset(VgPoint value) { LeftOffset = value; }
  VgPoint OnGetRightOffset() const { return RightOffset; }
  void OnSetRightOffset(VgPoint value) { RightOffset = value; }

  // Whether each arrow is shown.
  bool Right = false;
  bool Down = false;
  bool Left = false;
  bool Up = false;
  VgPtr<Resources::Bitmap> UpBitmap;
  VgPtr<Resources::Bitmap> DownBitmap;
  VgPtr<Resources::Bitmap> LeftBitmap;
  VgPtr<Resources::Bitmap> RightBitmap;
  VgPoint UpOffset{0, 0};
  VgPoint DownOffset{0, 0};
  VgPoint LeftOffset{0, 0};
  VgPoint RightOffset{0, 0};
  VgRect ClientBounds{0, 0, 190, 120};
};

class Navigator : public NavigatorClass {
  VG_CLASS()

 public:
  explicit Navigator(XObject* link = nullptr);

  void OnSetLeftBitmap(Resources::Bitmap* bitmap) override;
  void OnSetRightBitmap(Resources::Bitmap* bitmap) override;
  void OnSetDownBitmap(Resources::Bitmap* bitmap) override;
  void OnSetUpBitmap(Resources::Bitmap* bitmap) override;
  // Posts the refresh, like the focus frame.
  void OnSetClientBounds(VgRect rect) override;
  // Show or hide one arrow; the box keeps its size either way.
  void OnSetUp(bool value) override;
  void OnSetDown(bool value) override;
  void OnSetLeft(bool value) override;
  void OnSetRight(bool value) override;
  void Refresh(XObject* sender = nullptr) override;

  // Each arrow takes its bitmap's size.
  Views::Image downArrow{this};
  Views::Image leftArrow{this};
  Views::Image rightArrow{this};
  Views::Image upArrow{this};
};

}  // namespace Cursor
