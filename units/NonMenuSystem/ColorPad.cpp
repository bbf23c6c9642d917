#include "NonMenuSystem/ColorPad.h"

#include <cstdio>
#include <cstring>

#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "AppServices/Wrapper.h"
#include "PersistentData/PersistentData.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(NonMenuSystem, ColorPad, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kCell = 44;
constexpr int32_t kCellHeight = 32;
constexpr int32_t kGap = 8;
constexpr int32_t kCursorOut = 4;
constexpr int32_t kTop = 120;
constexpr int32_t kTextLength = 11;

// The first row runs from white to black through greys; the rows below
// hold eight hues, pale, full, and darker and darker.
constexpr uint8_t kGreys[ColorPad::Columns] = {255, 219, 182, 146, 109, 73, 17, 0};
constexpr VgColor kHues[ColorPad::Columns] = {{255, 0, 0, 255},   {255, 128, 0, 255}, {255, 230, 0, 255},
                                              {0, 200, 0, 255},   {0, 200, 200, 255}, {0, 70, 255, 255},
                                              {130, 0, 255, 255}, {255, 0, 200, 255}};
// Per hue row: the share of white mixed in (pale row), then how much of the
// hue is kept, in percent.
constexpr int32_t kWhite[ColorPad::Rows] = {0, 50, 0, 0, 0, 0};
constexpr int32_t kKeep[ColorPad::Rows] = {0, 100, 100, 70, 45, 25};

uint8_t Channel(uint8_t hue, int32_t row) {
  const int32_t kept = hue * kKeep[row] / 100;
  return uint8_t(kept + (255 - kept) * kWhite[row] / 100);
}

bool DecimalField(const char* text, int32_t* value) {
  int32_t v = 0;
  for (int i = 0; i < 3; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  *value = v;
  return v <= 255;
}

}  // namespace

bool ReadScreenSaverColor(VgString text, ScreenSaverColor* out) {
  char buffer[kTextLength + 2] = {};
  if (!text || VgGetStringLength(text) != kTextLength) return false;
  VgStringToAnsi(text, buffer, sizeof buffer, '?');
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  if (!DecimalField(buffer + 2, &red) || !DecimalField(buffer + 5, &green) || !DecimalField(buffer + 8, &blue))
    return false;
  out->row = buffer[0] - '0';
  out->column = buffer[1] - '0';
  out->colour = {uint8_t(red), uint8_t(green), uint8_t(blue), 255};
  return true;
}

VgColor ColorPad::ColourAt(int32_t row, int32_t column) {
  if (row <= 0) return {kGreys[column], kGreys[column], kGreys[column], 255};
  const VgColor& hue = kHues[column];
  return {Channel(hue.red, row), Channel(hue.green, row), Channel(hue.blue, row), 255};
}

ColorPad::ColorPad(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_ColorPad;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_SCREEN_SAVER_COLOR));
  const int32_t top = ContentTop() + kCursorOut;
  const int32_t left = FrameWidth;
  for (int32_t row = 0; row < Rows; ++row) {
    for (int32_t column = 0; column < Columns; ++column) {
      auto* cell = VgNew<Views::Rectangle>();
      cell->OnSetColor(ColourAt(row, column));
      const int32_t x = left + column * (kCell + kGap);
      const int32_t y = top + row * (kCellHeight + kGap);
      cell->OnSetBounds({x, y, x + kCell, y + kCellHeight});
      cells[size_t(row * Columns + column)] = cell;
      Add(cell, 0);
    }
  }
  cursor.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::LogoPanelFocus));
  Add(&cursor, 0);
  const int32_t width = 2 * FrameWidth + Columns * (kCell + kGap) - kGap;
  const int32_t height = top + Rows * (kCellHeight + kGap) - kGap + kCursorOut + FrameWidth;
  OnSetBounds({0, kTop, width, kTop + height});
  MoveTo(DefaultRow, DefaultColumn);
}

void ColorPad::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  ScreenSaverColor stored;
  PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData();
  if (store && ReadScreenSaverColor(store->GetString(VgNewStringAnsi(SettingsKey)), &stored) && stored.row >= 0 &&
      stored.row < Rows && stored.column >= 0 && stored.column < Columns)
    MoveTo(stored.row, stored.column);
  else
    MoveTo(DefaultRow, DefaultColumn);
}

void ColorPad::MoveTo(int32_t row, int32_t column) {
  Row = (row + Rows) % Rows;
  Column = (column + Columns) % Columns;
  const VgRect cell = cells[size_t(Row * Columns + Column)]->Bounds;
  cursor.OnSetBounds({cell.x1 - kCursorOut, cell.y1 - kCursorOut, cell.x2 + kCursorOut, cell.y2 + kCursorOut});
}

void ColorPad::Choose() {
  const VgColor colour = ColourAt(Row, Column);
  char text[kTextLength + 1];
  std::snprintf(text, sizeof text, "%d%d%03d%03d%03d", int(Row), int(Column), int(colour.red), int(colour.green),
                int(colour.blue));
  if (PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData())
    store->PutString(VgNewStringAnsi(SettingsKey), VgNewStringAnsi(text));
  GoBack();
}

XObject* ColorPad::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return QORWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Up:
      MoveTo(Row - 1, Column);
      break;
    case Key::Down:
      MoveTo(Row + 1, Column);
      break;
    case Key::Left:
      MoveTo(Row, Column - 1);
      break;
    case Key::Right:
      MoveTo(Row, Column + 1);
      break;
    case Key::Ok:
      Choose();
      return this;
    default:
      return QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace NonMenuSystem
