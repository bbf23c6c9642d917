// A font resource: the engine font loaded from a font constant, shared by every
// view that uses the constant, with its metrics and the text queries of views.
#pragma once

#include <cstdint>

#include "Core/Resource.h"
#include "vgpoint.h"
#include "vgrect.h"
#include "vgstring.h"

struct GenFont;

namespace Resources {

class Font : public Core::Resource {
  VG_CLASS()

 public:
  explicit Font(XObject* link = nullptr);
  ~Font() override;

  int32_t OnGetAscent() const { return Ascent; }
  int32_t OnGetDescent() const { return Descent; }
  int32_t OnGetExtLeading() const { return ExtLeading; }
  void OnSetAscent(int32_t value);
  void OnSetDescent(int32_t value);
  void OnSetExtLeading(int32_t value);

  // (advance x, advance y), (width, height) and (origin x, origin y) of the
  // character's glyph; (0, 0) without a glyph.
  VgPoint GetGlyphAdvance(char16_t character);
  VgPoint GetGlyphSize(char16_t character);
  VgPoint GetGlyphOrigin(char16_t character);

  // count characters from offset; a count of 0 runs to the end.
  int32_t GetTextWidth(VgString string, int32_t offset, int32_t count);
  // The ink rectangle relative to the pen origin on the baseline; an empty text
  // gives (65535, 65535, -65535, -65535).
  VgRect GetTextRect(VgString string);
  VgRect GetTextRectEx(VgString string, int32_t offset, int32_t count);
  // The text wrapped into lines of at most width pixels, as many as the height
  // takes: the number of lines, then per line its entry length, the characters
  // consumed, the kept characters and a line feed when it ended at one. No
  // lines give the empty string.
  VgString WrapMultilineText(VgString string, int32_t offset, int32_t width, int32_t height);

  // The engine's font, null when it could not be loaded.
  GenFont* EngineFont() const { return font; }

 protected:
  int32_t Ascent = 0;
  int32_t Descent = 0;
  GenFont* font = nullptr;
  int32_t ExtLeading = 0;
};

}  // namespace Resources
