#include "FactorySystem/ValueDisplay.h"

#include "FactorySystem/Look.h"
#include "Fonts/Fonts.h"
#include "Resources/Font.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(FactorySystem, ValueDisplay, ::FactorySystem::WidgetClass)

namespace FactorySystem {

namespace {

constexpr int32_t kLeft = 16;
constexpr int32_t kValueLeft = 120;
constexpr int32_t kRowHeight = 32;
constexpr int32_t kTop = 8;

void Place(Views::Text& text, int32_t x, int32_t row, const char* initial, VgColor colour) {
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(colour);
  text.OnSetAlignH(Views::Text::AlignLeft);
  text.OnSetBounds({x, kTop + row * kRowHeight, x + 1, kTop + (row + 1) * kRowHeight});
  text.OnSetAutoSize(true);
  text.OnSetString(VgNewStringAnsi(initial));
}

}  // namespace

ValueDisplay::ValueDisplay(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_ValueDisplay;
  WidgetOrigin = {32, 32};
  Place(name, kLeft, 0, "Name", Look::Text);
  Place(dataLabel, kLeft, 1, "DATA", Look::Label);
  Place(hex, kValueLeft, 1, "XXH", Look::Text);
  Place(binaryLabel, kLeft, 2, "BINARY", Look::Label);
  Place(binary, kValueLeft, 2, "0000 0000", Look::Text);
  for (Views::Text* text : {&name, &dataLabel, &hex, &binaryLabel, &binary}) Add(text, 0);
  SizeAtOrigin(Width, Height);
}

void ValueDisplay::OnSetFacName(VgString value) { name.OnSetString(value); }

// Only the low byte is shown.
void ValueDisplay::OnSetFacValue(int32_t value) {
  FacValue = value;
  hex.OnSetString(VgConcatString(VgConcatString(Dec2Hex((value >> 4) & 0xF), Dec2Hex(value & 0xF)),
                                 VgNewStringAnsi("H")));
  char bits[9] = {};
  for (int bit = 7; bit >= 0; --bit) bits[7 - bit] = (value >> bit) & 1 ? '1' : '0';
  binary.OnSetString(VgNewStringAnsi(bits));
}

VgString ValueDisplay::Dec2Hex(int32_t n) {
  const char digit[2] = {n >= 0 && n <= 9 ? char('0' + n) : n >= 10 && n <= 15 ? char('A' + n - 10) : 'X', '\0'};
  return VgNewStringAnsi(digit);
}

}  // namespace FactorySystem
