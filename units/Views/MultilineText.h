// Views::MultilineText: text wrapped into lines at the view's width. With
// Ellipsis, the lines that fit are kept and a cut at either end is marked with
// "...". The shown text is the font's wrapped-line string: the number of lines,
// then per line its record length, the source characters it consumed, its
// characters and a line feed when it ended at one.
#pragma once

#include "Views/Text.h"

namespace Views {

class MultilineText : public Text {
  VG_CLASS()

 public:
  explicit MultilineText(XObject* link = nullptr);

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void AdjustBounds() override;
  void WrapString() override;

  // Distance between the tops of successive lines.
  int32_t LinePitch() const;
  // Where Draw sets the top of its shown line n (from 0), below the top of
  // its bounds.
  int32_t LineTop(int32_t line) const;

 private:
  // Height of n lines with the shadow, without the gap after the last one.
  int32_t LinesHeight(int32_t lines) const;
  // Where the first line starts below the top of the bounds.
  int32_t VerticalOffset(int32_t lines) const;
};

}  // namespace Views
