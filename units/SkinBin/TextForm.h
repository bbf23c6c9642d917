// SkinBin::TextForm: a scrolling page of text, as the help, licence and
// information screens show one. The remote control scrolls it by line and by
// page; a key that cannot scroll any further is left to the screen, which
// may close the page or move the focus.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Forms/ScrollForm.h"
#include "SkinBin/MultilineText.h"
#include "vgcolor.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Resources {
class Font;
}

namespace SkinBin {

class TextForm : public Forms::ScrollForm {
  VG_CLASS()

 public:
  explicit TextForm(XObject* link = nullptr);

  // The fixed keys of a line up and down; Key::Left and Key::Right step sideways.
  static constexpr uint16_t KeyLineUp = Key::Up;
  static constexpr uint16_t KeyLineDown = Key::Down;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // A new width wraps the text anew.
  void OnSetBounds(VgRect rect) override;

  // The text view's place: the form's area at the origin.
  VgRect GetTextViewArea() const;

  void OnSetString(VgString value);
  VgString OnGetString() const { return String; }
  void OnSetFont(Resources::Font* value);
  Resources::Font* OnGetFont() const { return Font; }
  void OnSetColor(VgColor value);
  VgColor OnGetColor() const { return Color; }
  void OnSetAlignH(uint16_t value);
  uint16_t OnGetAlignH() const { return AlignH; }
  // Clamped into 0-3, as the text view draws it.
  void OnSetShadow(int32_t value);
  int32_t OnGetShadow() const { return Shadow; }
  void OnSetShadowColor(VgColor value);
  VgColor OnGetShadowColor() const { return ShadowColor; }
  // 0 means no page key.
  uint16_t OnGetPageDownKey() const { return PageDownKey; }
  void OnSetPageDownKey(uint16_t value) { PageDownKey = value; }
  uint16_t OnGetPageUpKey() const { return PageUpKey; }
  void OnSetPageUpKey(uint16_t value) { PageUpKey = value; }
  VgSlot OnGetOnResetTimeout() const { return OnResetTimeout; }
  void OnSetOnResetTimeout(VgSlot slot) { OnResetTimeout = slot; }

  uint16_t PageDownKey = Key::None;
  uint16_t PageUpKey = Key::None;
  uint16_t AlignH = 0;
  MultilineText textView{this};
  VgStr String;
  VgPtr<Resources::Font> Font;
  VgColor Color{255, 255, 255, 255};
  int32_t Shadow = 0;
  VgColor ShadowColor{0, 0, 0, 64};
  // Signalled after every key the page takes, so the screen restarts its
  // time-out.
  VgSlot OnResetTimeout;

 private:
  // Scrolls by lines or pages; true when the position moved.
  bool Scrolled(bool pages, int32_t dx, int32_t dy);
  // The text view changed its height: the position and the bars follow.
  void TextChanged();
};

}  // namespace SkinBin
