#include "Resources/Font.h"

#include "GenFont.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Resources, Font, Core::Resource)

namespace Resources {

namespace {

constexpr VgRect kNoInk{65535, 65535, -65535, -65535};

// Runs the query on the character's glyph, or gives (0, 0).
template <class Query>
VgPoint GlyphPoint(GenFont* font, char16_t character, Query query) {
  if (!font || character == 0) return {0, 0};
  GenGlyph* glyph = GenLoadGlyph(font, character);
  if (!glyph) return {0, 0};
  const VgPoint point = query(*glyph);
  GenFreeGlyph(glyph);
  return point;
}

}  // namespace

Font::Font(XObject* link) : Core::Resource(link) {
  if (!resource) return;
  font = GenLoadFont(static_cast<const GenFontResource*>(resource));
  if (!font) return;
  Ascent = font->ascent;
  Descent = font->descent;
  ExtLeading = font->leading;
}

Font::~Font() {
  if (font) GenFreeFont(font);
  font = nullptr;
}

void Font::OnSetAscent(int32_t) { VgPanicAnsi("The property 'Ascent' is READ ONLY."); }
void Font::OnSetDescent(int32_t) { VgPanicAnsi("The property 'Descent' is READ ONLY."); }
void Font::OnSetExtLeading(int32_t) { VgPanicAnsi("The property 'ExtLeading' is READ ONLY."); }

VgPoint Font::GetGlyphAdvance(char16_t character) {
  return GlyphPoint(font, character, [](const GenGlyph& g) { return VgPoint{g.advanceX, g.advanceY}; });
}

VgPoint Font::GetGlyphSize(char16_t character) {
  return GlyphPoint(font, character, [](const GenGlyph& g) { return VgPoint{g.width, g.height}; });
}

VgPoint Font::GetGlyphOrigin(char16_t character) {
  return GlyphPoint(font, character, [](const GenGlyph& g) { return VgPoint{g.originX, g.originY}; });
}

int32_t Font::GetTextWidth(VgString string, int32_t offset, int32_t count) {
  if (!font || !string) return 0;
  return GenGetTextWidth(font, string, offset, count);
}

VgRect Font::GetTextRect(VgString string) { return GetTextRectEx(string, 0, 0); }

VgRect Font::GetTextRectEx(VgString string, int32_t offset, int32_t count) {
  if (!font || !string) return kNoInk;
  GenRect size{kNoInk.x1, kNoInk.y1, kNoInk.x2, kNoInk.y2};
  GenGetTextSize(font, string, offset, count, &size);
  return {size.x1, size.y1, size.x2, size.y2};
}

VgString Font::WrapMultilineText(VgString string, int32_t offset, int32_t width, int32_t height) {
  if (!font || !string) return nullptr;
  uint16_t* layout = GenCreateMultilineText(font, string, offset, width, height);
  if (!layout) return nullptr;
  VgString lines = VgNewString(reinterpret_cast<const char16_t*>(layout));
  GenFreeMultilineText(layout);
  return lines;
}

}  // namespace Resources
