// SkinBin::MultilineText: multi-line text for long scrolling pages. It draws
// the same lines as Views::MultilineText but finds the first line inside the
// drawing area directly instead of walking the wrapped text from its start,
// so a page of a few hundred lines scrolls as fast as a short one.
#pragma once

#include <cstdint>
#include <vector>

#include "Views/MultilineText.h"
#include "vgstring.h"

namespace SkinBin {

class MultilineText : public Views::MultilineText {
  VG_CLASS()

 public:
  explicit MultilineText(XObject* link = nullptr);

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;

 private:
  // Where each line's record starts in the wrapped text; rebuilt when the
  // wrapped text is another string than the one indexed.
  void IndexLines();

  VgStr indexedText_;
  std::vector<int32_t> lineStarts_;
};

}  // namespace SkinBin
