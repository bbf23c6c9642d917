// Views::Text: one line of text in a font and colour, aligned in its bounds,
// with an optional drop shadow. Text too wide for the view is either cut with
// "..." (Ellipsis) or the view sizes itself to the text (AutoSize).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "Core/View.h"
#include "vgcolor.h"
#include "vgstring.h"

namespace Resources {
class Font;
}

namespace Views {

class Text : public Core::View {
  VG_CLASS()

 public:
  explicit Text(XObject* link = nullptr);

  // Horizontal alignment: left, centre, right, and spread over the width.
  static constexpr uint16_t AlignLeft = 0;
  static constexpr uint16_t AlignCentre = 1;
  static constexpr uint16_t AlignRight = 2;
  static constexpr uint16_t AlignJustified = 3;
  // Vertical alignment.
  static constexpr uint16_t AlignTop = 0;
  static constexpr uint16_t AlignMiddle = 1;
  static constexpr uint16_t AlignBottom = 2;

  bool Ellipsis = false;
  bool AutoSize = false;
  // The box's size is fixed by the screen's design: a font's line taller
  // than the box is cut there on purpose, which the layout check lets be
  // (not a line wider than the box, nor a text that leaves its window).
  bool BoxFixed = false;
  // The screen's design cuts a long line of this view with the ellipsis (a
  // file name, a row the design keeps narrow): the layout check and the
  // scenarios take its cut as meant, where any other cut is a fault.
  bool EllipsisMeant = false;
  // The screen's design lets a long line of this view run to its box's edge,
  // which cuts it there without an ellipsis (a programme title in the
  // guide's row): the layout check takes that cut as meant.
  bool ClipMeant = false;
  uint16_t AlignV = AlignTop;
  uint16_t AlignH = AlignLeft;
  // What is drawn: String, or its shortened or wrapped form.
  VgStr shownText;
  VgRect Bounds{0, 0, 0, 0};
  VgPtr<Resources::Font> Font;
  VgStr String;
  VgColor Color{255, 255, 255, 255};
  VgColor ShadowColor{0, 0, 0, 64};
  // 0 to 3: the text is drawn that many pixels wider and taller.
  int32_t Shadow = 0;

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;

  // Slots of the text, in order.
  // Resizes the view to the shown text, keeping the alignment's anchor.
  virtual void AdjustBounds();
  // Derives the shown text from String.
  virtual void WrapString();

  void OnSetString(VgString value);
  VgString OnGetString() const { return String; }
  void OnSetFont(Resources::Font* value);
  // The first of the fonts, large to small, that holds the text within
  // width; the last when none does.
  static Resources::Font* FirstFitting(VgString text, int32_t width, std::initializer_list<Resources::Font*> fonts);
  Resources::Font* OnGetFont() const { return Font; }
  void OnSetShadow(int32_t value);
  int32_t OnGetShadow() const { return Shadow; }
  void OnSetAutoSize(bool value);
  bool OnGetAutoSize() const { return AutoSize; }
  void OnSetEllipsis(bool value);
  bool OnGetEllipsis() const { return Ellipsis; }
  void OnSetBoxFixed(bool value) { BoxFixed = value; }
  bool OnGetBoxFixed() const { return BoxFixed; }
  void OnSetEllipsisMeant(bool value) { EllipsisMeant = value; }
  bool OnGetEllipsisMeant() const { return EllipsisMeant; }
  void OnSetClipMeant(bool value) { ClipMeant = value; }
  bool OnGetClipMeant() const { return ClipMeant; }
  void OnSetAlignH(uint16_t value);
  uint16_t OnGetAlignH() const { return AlignH; }
  void OnSetAlignV(uint16_t value);
  uint16_t OnGetAlignV() const { return AlignV; }
  void OnSetColor(VgColor value);
  VgColor OnGetColor() const { return Color; }
  void OnSetShadowColor(VgColor value);
  VgColor OnGetShadowColor() const { return ShadowColor; }
  void OnSetBounds(VgRect value);
  VgRect OnGetBounds() const { return Bounds; }

  // The baseline a single line is set on when the view fills the area, as
  // Draw sets it.
  int32_t Baseline(VgRect area) const;

 protected:
  // Auto size applies only with a font and something to show.
  bool CanAdjust() const;
};

}  // namespace Views
