// NonMenuSystem::ColorPad: the palette of the screen saver's background.
// The arrows move over the colours, OK stores the chosen one under
// "ScreenSaverColor" and returns to the page: the pad's row and column, one
// digit each, then red, green and blue, three decimal digits each
// ("06017017017", the pad's dark grey, is the set's default). The pad opens
// on the stored colour.
#pragma once

#include <cstdint>

#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/Frame.h"
#include "Views/Rectangle.h"
#include "vgcolor.h"
#include "vgstring.h"

namespace NonMenuSystem {

// The stored colour: where it sits on the pad and what it is.
struct ScreenSaverColor {
  int32_t row = 0;
  int32_t column = 0;
  VgColor colour{0, 0, 0, 255};
};

// Reads a "ScreenSaverColor" text: 11 characters, the last nine three
// decimal fields of 0 to 255. False for anything else (the caller keeps what
// it shows); the row and column are kept as written, digits or not.
bool ReadScreenSaverColor(VgString text, ScreenSaverColor* out);

class ColorPad : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit ColorPad(XObject* link = nullptr);

  static constexpr int32_t Rows = 6;
  static constexpr int32_t Columns = 8;
  static constexpr int32_t DefaultRow = 0;
  static constexpr int32_t DefaultColumn = 6;
  static constexpr const char* SettingsKey = "ScreenSaverColor";

  // The colour of a cell of the pad.
  static VgColor ColourAt(int32_t row, int32_t column);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  // Stores the focused colour and returns to the page.
  void Choose();
  void MoveTo(int32_t row, int32_t column);

  int32_t Row = DefaultRow;
  int32_t Column = DefaultColumn;
  VgPtrArray<Views::Rectangle, Rows * Columns> cells;
  Views::Frame cursor{this};
};

}  // namespace NonMenuSystem
