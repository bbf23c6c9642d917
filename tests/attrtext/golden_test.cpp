// A page of attributed text drawn at screen size and compared pixel for pixel
// with golden/page.png (see golden.h for updating it).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Bitmaps.h"
#include "GenAttrText.h"
#include "GenPng.h"
#include "font_fixture.h"
#include "golden.h"
#include "vgresmap.h"

namespace {

GenBitmap* Load(const VgConstant& constant) {
  const auto* entry = static_cast<const VgResourceEntry*>(constant.entries);
  return GenLoadBitmap(static_cast<const GenBitmapResource*>(entry->value));
}

class AttrTextGolden : public GenFontDrawTest {};

TEST_F(AttrTextGolden, Page) {
  GenFont* fonts[] = {GenLoadFont(&TestFont<20>::record), GenLoadFont(&TestFont<16>::record),
                      GenLoadFont(&TestFont<30>::record)};
  GenBitmap* bitmaps[] = {Load(Bitmaps::HelpBarRedBall), Load(Bitmaps::HelpBarOk), Load(Bitmaps::AnimationWired)};
  const GenColor colours[] = {0xFFF0F0F0, 0xFF8CC8FF, 0xFFFAD23C, 0xFF203A68, 0xFF2A2F45, 0xC0405080};
  GenAttrSet* set = GenCreateAttrSet(3, 3, 6);
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(fonts[i], nullptr);
    ASSERT_NE(bitmaps[i], nullptr);
    GenSetAttrFont(set, i, fonts[i]);
    GenSetAttrBitmap(set, i, bitmaps[i]);
  }
  for (int i = 0; i < 6; ++i) GenSetAttrColor(set, i, colours[i]);

  const char16_t* text =
      u"{parc0,0,8,8:3}{fnt2}{clr2}Recording Guide"
      u"{par20,20,10,4}{fnt0}{clr0}Press {img1}, then {clr1}{ul+}{lnk:record}the red Record key{lnk}{ul-}{clr0} "
      u"to schedule the programme you are watching. The set wakes up in time, even from standby, "
      u"and keeps the re~cord~ing on the USB disk.\nA line feed starts a new line."
      u"{parj5%,5%,6,6}{fnt1}Justified text spreads the free width of each line over its spaces, so that "
      u"both edges of the paragraph stay straight while the words keep their own widths; the last line "
      u"keeps its natural width."
      u"{lay40%,*,200}"
      u"{colt12,12,8,8:4}{fnt0}A column aligned to the top, with a longer text that wraps over several "
      u"lines.{par0,0,6}{fnt1}{clr2}A second paragraph in it."
      u"{colm12,12,8,8:5}{parc}{imgm2.3}{clr0}{fnt1} Middle, with frame 3"
      u"{colb12,12,8,8:4}{parr}{imgt0}{fnt1}Bottom right{end}"
      u"{par20,20,12}{fnt1}{clr1}Links: {lnk:help}{ul+}Help{ul-}{lnk}^ and {lnk:settings}{ul+}Settings for every "
      u"source, picture and sound{ul-}{lnk}{clr0}."
      u"{par64%,20,8:4}{fnt0}Hyphenation points break extra~ordi~nari~ly long words: in~com~pre~hen~si~bly "
      u"hy~phen~at~ed.";
  GenAttrString* string = GenParseAttrString(set, text, 880);
  ASSERT_NE(string, nullptr);
  EXPECT_EQ(GenGetNoOfAttrLinks(string), 3);

  GenBitmap* screen = GenCreateBitmap(960, 540, GenColorFormatArgb8888);
  GenFillRectangle(screen, nullptr, 0xFF0A1020, 0, 0, 960, 540, 0);
  GenSize size;
  GenGetAttrTextSize(string, &size);
  GenFillRectangle(screen, nullptr, 0xFF182236, 30, 20, 50 + size.width, 40 + size.height, 0);
  GenDrawAttrText(screen, nullptr, 40, 30, set, string, 1, 255);
  // The link regions, outlined where a pointer would find them.
  for (int32_t link = 0; link < GenGetNoOfAttrLinks(string); ++link) {
    for (int32_t region = 0; region < GenGetNoOfAttrLinkRegions(string, link); ++region) {
      GenRect r;
      GenGetAttrLinkRect(string, link, region, &r);
      GenDrawRectangle(screen, nullptr, 0x80FF6060, r.x1 + 40, r.y1 + 30, r.x2 + 40, r.y2 + 30, 1);
    }
  }
  // A faded copy, clipped to its lower half, shows the opacity and the clip.
  const GenRect lower{30, 470, 930, 540};
  GenDrawAttrText(screen, &lower, 40, 400, set, string, 1, 96);

  GenImage image;
  ASSERT_TRUE(GenReadBitmap(screen, &image));
  ExpectGolden(image, std::string(ATTRTEXT_GOLDEN_DIR) + "/page.png");

  GenFreeBitmap(screen);
  GenFreeAttrString(string);
  GenFreeAttrSet(set);
  for (GenBitmap* b : bitmaps) GenFreeBitmap(b);
  for (GenFont* f : fonts) GenFreeFont(f);
}

}  // namespace
