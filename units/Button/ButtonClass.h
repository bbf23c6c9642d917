// Button::ButtonClass: the look model of every button. A button has four
// looks (disabled, normal, default, focused), each a background bitmap and
// colour and a text colour and font; Refresh picks the look from the focus
// and the flags, and shows the focus frame and the navigator around the
// button while it has the focus. Descendants draw the current values.
#pragma once

#include <cstdint>

#include "Cursor/FocusFrame.h"
#include "Cursor/Navigator.h"
#include "Primitives/KeyRoutingCtrl.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgcolor.h"
#include "vgstring.h"

namespace Button {

class ButtonClass : public Primitives::KeyRoutingCtrl {
  VG_CLASS()

 public:
  explicit ButtonClass(XObject* link = nullptr);

  // The looks, as RefreshCtrlState takes them.
  static constexpr int32_t LookDisabled = 0;
  static constexpr int32_t LookNormal = 1;
  static constexpr int32_t LookDefault = 2;
  static constexpr int32_t LookFocused = 3;

  // Overridden slots.
  void HandleFocus(bool focused) override;
  // Picks the look; descendants lay themselves out after it.
  void Refresh(XObject* sender = nullptr) override;

  // Slots of the button, in order. Here they only store the current values.
  virtual void OnSetText(VgString value);
  virtual void OnSetTextFont(Resources::Font* value);
  virtual void OnSetTextColor(VgColor value);
  virtual void OnSetBackgroundColor(VgColor value);
  virtual void OnSetBackgroundBitmap(Resources::Bitmap* value);
  virtual void OnSetIsDisabled(bool value);
  // Sets the current values from one look; other values change nothing.
  virtual void RefreshCtrlState(int32_t look);

  bool OnGetIsDisabled() const { return IsDisabled; }
  bool OnGetIsDefault() const { return IsDefault; }
  void OnSetIsDefault(bool value);
  VgString OnGetText() const { return Text; }
  Resources::Font* OnGetTextFont() const { return TextFont; }
  VgColor OnGetTextColor() const { return TextColor; }
  VgColor OnGetBackgroundColor() const { return BackgroundColor; }
  Resources::Bitmap* OnGetBackgroundBitmap() const { return BackgroundBitmap; }
  Cursor::FocusFrameClass* OnGetFocusFrame() const { return FocusFrame; }
  void OnSetFocusFrame(Cursor::FocusFrameClass* value) { FocusFrame = value; }
  Cursor::NavigatorClass* OnGetNavigator() const { return Navigator; }
  void OnSetNavigator(Cursor::NavigatorClass* value) { Navigator = value; }

  VgColor OnGetDisabled_BackgroundColor() const { return Disabled_BackgroundColor; }
  void OnSetDisabled_BackgroundColor(VgColor value) { Disabled_BackgroundColor = value; }
  Resources::Bitmap* OnGetDisabled_Bitmap() const { return Disabled_Bitmap; }
  void OnSetDisabled_Bitmap(Resources::Bitmap* value) { Disabled_Bitmap = value; }
  VgColor OnGetDisabled_TextColor() const { return Disabled_TextColor; }
  void OnSetDisabled_TextColor(VgColor value) { Disabled_TextColor = value; }
  Resources::Bitmap* OnGetDefault_Bitmap() const { return Default_Bitmap; }
  void OnSetDefault_Bitmap(Resources::Bitmap* value) { Default_Bitmap = value; }
  VgColor OnGetDefault_BackgroundColor() const { return Default_BackgroundColor; }
  void OnSetDefault_BackgroundColor(VgColor value) { Default_BackgroundColor = value; }
  VgColor OnGetNonfocused_BackgroundColor() const { return Nonfocused_BackgroundColor; }
  void OnSetNonfocused_BackgroundColor(VgColor value) { Nonfocused_BackgroundColor = value; }
  Resources::Bitmap* OnGetNonfocused_Bitmap() const { return Nonfocused_Bitmap; }
  void OnSetNonfocused_Bitmap(Resources::Bitmap* value) { Nonfocused_Bitmap = value; }
  VgColor OnGetNonfocused_TextColor() const { return Nonfocused_TextColor; }
  void OnSetNonfocused_TextColor(VgColor value) { Nonfocused_TextColor = value; }
  VgColor OnGetFocused_BackgroundColor() const { return Focused_BackgroundColor; }
  void OnSetFocused_BackgroundColor(VgColor value) { Focused_BackgroundColor = value; }
  Resources::Bitmap* OnGetFocused_Bitmap() const { return Focused_Bitmap; }
  void OnSetFocused_Bitmap(Resources::Bitmap* value) { Focused_Bitmap = value; }
  VgColor OnGetFocused_TextColor() const { return Focused_TextColor; }
  void OnSetFocused_TextColor(VgColor value) { Focused_TextColor = value; }
  Resources::Font* OnGetDisabled_TextFont() const { return Disabled_TextFont; }
  void OnSetDisabled_TextFont(Resources::Font* value) { Disabled_TextFont = value; }
  Resources::Font* OnGetDefault_TextFont() const { return Default_TextFont; }
  void OnSetDefault_TextFont(Resources::Font* value) { Default_TextFont = value; }
  Resources::Font* OnGetNonfocused_TextFont() const { return Nonfocused_TextFont; }
  void OnSetNonfocused_TextFont(Resources::Font* value) { Nonfocused_TextFont = value; }
  Resources::Font* OnGetFocused_TextFont() const { return Focused_TextFont; }
  void OnSetFocused_TextFont(Resources::Font* value) { Focused_TextFont = value; }
  VgColor OnGetDefault_TextColor() const { return Default_TextColor; }
  void OnSetDefault_TextColor(VgColor value) { Default_TextColor = value; }

  bool IsDisabled = false;
  // Shows the default look while the button is its owner's focused child but
  // the owner itself is off the focus path.
  bool IsDefault = false;
  VgPtr<Resources::Bitmap> BackgroundBitmap;
  VgColor BackgroundColor{0, 0, 0, 0};
  VgColor TextColor{0, 0, 0, 0};
  VgPtr<Resources::Font> TextFont;
  VgStr Text;
  VgPtr<Cursor::FocusFrameClass> FocusFrame;
  VgPtr<Cursor::NavigatorClass> Navigator;
  VgColor Disabled_BackgroundColor{0, 0, 0, 0};
  VgPtr<Resources::Bitmap> Disabled_Bitmap;
  VgColor Disabled_TextColor{0, 0, 0, 0};
  VgPtr<Resources::Bitmap> Default_Bitmap;
  VgColor Default_BackgroundColor{0, 0, 0, 0};
  VgColor Nonfocused_BackgroundColor{0, 0, 0, 0};
  VgPtr<Resources::Bitmap> Nonfocused_Bitmap;
  VgColor Nonfocused_TextColor{0, 0, 0, 0};
  VgColor Focused_BackgroundColor{0, 0, 0, 0};
  VgPtr<Resources::Bitmap> Focused_Bitmap;
  VgColor Focused_TextColor{0, 0, 0, 0};
  VgPtr<Resources::Font> Disabled_TextFont;
  VgPtr<Resources::Font> Default_TextFont;
  VgPtr<Resources::Font> Nonfocused_TextFont;
  VgPtr<Resources::Font> Focused_TextFont;
  VgColor Default_TextColor{0, 0, 0, 0};

 protected:
  // Queues Refresh for the next signal pass; several requests in one event
  // end in one refresh.
  void PostRefresh();
};

}  // namespace Button
