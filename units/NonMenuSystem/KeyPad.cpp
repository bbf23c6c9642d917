#include "NonMenuSystem/KeyPad.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <vector>

#include "AppServices/MessageAgent.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(NonMenuSystem, KeyPad, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

// The character rows: the short set for channel names and input labels, the
// full set (shown in lower case until Shift) for network names and keys.
constexpr const char* kShortRows[] = {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZ-.&'", "1234567890"};
constexpr const char* kFullRows[] = {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZ-._@", "1234567890", "!#$%&*+/:?"};
constexpr int32_t kShortRowCount = 4;
constexpr int32_t kFullRowCount = 5;
constexpr KeyPad::Special kShortSpecials[] = {KeyPad::Special::Space, KeyPad::Special::Delete, KeyPad::Special::Clear,
                                             KeyPad::Special::Done};
constexpr KeyPad::Special kFullSpecials[] = {KeyPad::Special::Shift, KeyPad::Special::Space, KeyPad::Special::Delete,
                                            KeyPad::Special::Clear, KeyPad::Special::Done};

constexpr int32_t kGridWidth = KeyPad::Columns * KeyPad::KeyWidth + (KeyPad::Columns - 1) * KeyPad::KeyGap;
constexpr int32_t kFieldHeight = 40;
// Over a screen without a caption (the recordings library) the pad's panel
// ends above the library's progress line and its times.
constexpr int32_t kTop = 96;
constexpr int32_t kMaxAllowed = 256;
// The room beside a special key's label, each side: what the English labels
// have in the five keys of the full pad ("Space", 58 pixels in 86), and the
// least a longer label leaves.
constexpr int32_t kSpecialRoom = 14;
constexpr int32_t kLeastSpecialRoom = 4;

// The widths of the special keys, which share the width given: each as wide
// as its label and the room either side, the room the same for all, and no
// more than the English labels have; the narrower keys then take the width
// left, the narrowest first, so that the keys are as even as their labels
// allow.
std::vector<int32_t> ShareWidth(const std::vector<int32_t>& labels, int32_t width) {
  const int32_t count = int32_t(labels.size());
  int32_t sum = 0;
  for (int32_t label : labels) sum += label;
  const int32_t room = std::clamp((width - sum) / (2 * count), kLeastSpecialRoom, kSpecialRoom);
  std::vector<int32_t> widths;
  for (int32_t label : labels) widths.push_back(label + 2 * room);
  // The level the narrower keys are raised to: the keys wider than it keep
  // their width, the others share the rest.
  std::vector<int32_t> sorted = widths;
  std::sort(sorted.begin(), sorted.end(), std::greater<>());
  int32_t rest = width;
  int32_t level = 0;
  for (int32_t i = 0; i < count && level == 0; ++i) {
    if (sorted[size_t(i)] <= rest / (count - i))
      level = rest / (count - i);
    else
      rest -= sorted[size_t(i)];
  }
  int32_t used = 0;
  for (int32_t& w : widths) {
    w = std::max(w, level);
    used += w;
  }
  // What the division left over goes to the narrowest, a pixel each.
  for (int32_t& w : widths)
    if (used < width && w == level) {
      ++w;
      ++used;
    }
  return widths;
}

const VgConstant* SpecialName(KeyPad::Special special) {
  switch (special) {
    case KeyPad::Special::Shift:
      return &Strings::SID_KEYPAD_SHIFT;
    case KeyPad::Special::Space:
      return &Strings::SID_KEYPAD_SPACE;
    case KeyPad::Special::Delete:
      return &Strings::SID_KEYPAD_DELETE;
    case KeyPad::Special::Clear:
      return &Strings::SID_KEYPAD_CLEAR;
    case KeyPad::Special::Done:
      return &Strings::SID_KEYPAD_DONE;
  }
  return &Strings::SID_KEYPAD_DONE;
}

}  // namespace

KeyPad::KeyPad(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_KeyPad;
  // A pop-up over the dialog that asked for it, which stays open.
  Layer = Layers::PopUp;
  HasCaption = false;
  field.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::PinButtonNonfocus));
  fieldText.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  fieldText.OnSetColor(Look::Text);
  fieldText.OnSetAlignV(Views::Text::AlignMiddle);
  fieldText.OnSetEllipsis(true);
  counter.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallestFont));
  counter.OnSetColor(Look::TextDim);
  counter.OnSetAlignH(Views::Text::AlignRight);
  counter.OnSetAlignV(Views::Text::AlignMiddle);
  Add(&field, 0);
  Add(&fieldText, 0);
  Add(&counter, 0);
  Build();
}

void KeyPad::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  if (ParamValue > 0 && ParamValue <= kMaxAllowed) {
    MaxLength = ParamValue;
  } else if (ParamValue != 0) {
    VgPrint("NonMenuSystem::KeyPad.Initialize: a text of %d characters cannot be typed, keeping %d\n", ParamValue,
            MaxLength);
  }
  FullMode = ParamFlag;
  Build();
  OnSetText(ParamText);
  Place();
}

int32_t KeyPad::CharacterRows() const { return FullMode ? kFullRowCount : kShortRowCount; }

int32_t KeyPad::SpecialCount() const {
  return FullMode ? int32_t(std::size(kFullSpecials)) : int32_t(std::size(kShortSpecials));
}

KeyPad::Special KeyPad::SpecialAt(int32_t column) const {
  return FullMode ? kFullSpecials[column] : kShortSpecials[column];
}

char16_t KeyPad::CharacterAt(int32_t row, int32_t column) const {
  const char c = (FullMode ? kFullRows : kShortRows)[row][column];
  if (FullMode && !Shifted && c >= 'A' && c <= 'Z') return char16_t(c - 'A' + 'a');
  return char16_t(c);
}

int32_t KeyPad::RowLength(int32_t row) const { return row < CharacterRows() ? Columns : SpecialCount(); }

Button::Button* KeyPad::KeyAt(int32_t row, int32_t column) const { return keys[size_t(row * Columns + column)]; }

void KeyPad::Build() {
  const int32_t rows = CharacterRows() + 1;
  const int32_t gridTop = FrameWidth + kFieldHeight + 16;
  // The special keys share the grid's width, from its left edge to its
  // right, in every language ("Terminé", "Effacer").
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  const int32_t count = SpecialCount();
  std::vector<int32_t> labels;
  for (int32_t column = 0; column < count; ++column)
    labels.push_back(font->GetTextWidth(VgGetVariantOfString(SpecialName(SpecialAt(column))), 0, 0));
  const std::vector<int32_t> specialWidths = ShareWidth(labels, kGridWidth - (count - 1) * KeyGap);
  const int32_t left = FrameWidth + 8;
  int32_t specialX = left;
  for (int32_t row = 0; row < Rows; ++row) {
    for (int32_t column = 0; column < Columns; ++column) {
      const size_t index = size_t(row * Columns + column);
      const bool used = row < rows && column < RowLength(row);
      if (!used) {
        if (keys[index] && keys[index]->owner.get() == this) Remove(keys[index]);
        continue;
      }
      if (!keys[index]) {
        keys[index] = VgNew<Button::Button>();
        ConfirmOptionDialog::StyleButton(keys[index]);
      }
      Button::Button* key = keys[index];
      if (!key->owner) Add(key, 0);
      const int32_t top = gridTop + row * (KeyHeight + KeyGap);
      if (row < CharacterRows()) {
        const char16_t text[2] = {CharacterAt(row, column), 0};
        key->OnSetText(VgNewString(text));
        const int32_t x = left + column * (KeyWidth + KeyGap);
        key->OnSetBounds({x, top, x + KeyWidth, top + KeyHeight});
      } else {
        key->OnSetText(VgGetVariantOfString(SpecialName(SpecialAt(column))));
        key->OnSetBounds({specialX, top, specialX + specialWidths[size_t(column)], top + KeyHeight});
        specialX += specialWidths[size_t(column)] + KeyGap;
      }
    }
  }
  Row = std::min(Row, rows - 1);
  Column = std::min(Column, RowLength(Row) - 1);
  const int32_t width = kGridWidth + 2 * (FrameWidth + 8);
  const int32_t height = gridTop + rows * (KeyHeight + KeyGap) - KeyGap + FrameWidth;
  const int32_t x = (NonMenuSystem::ScreenWidth - width) / 2;
  OnSetBounds({x, kTop, x + width, kTop + height});
  const int32_t fieldLeft = FrameWidth + 8;
  const int32_t fieldRight = fieldLeft + kGridWidth;
  field.OnSetBounds({fieldLeft, FrameWidth, fieldRight, FrameWidth + kFieldHeight});
  fieldText.OnSetBounds({fieldLeft + 12, FrameWidth, fieldRight - 70, FrameWidth + kFieldHeight});
  counter.OnSetBounds({fieldRight - 70, FrameWidth, fieldRight - 12, FrameWidth + kFieldHeight});
  OnSetFocus(KeyAt(Row, Column));
  ShowText();
}

XObject* KeyPad::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return QORWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Ok:
      Press();
      break;
    case Key::Up:
      Move(-1, 0);
      break;
    case Key::Down:
      Move(1, 0);
      break;
    case Key::Left:
      Move(0, -1);
      break;
    case Key::Right:
      Move(0, 1);
      break;
    default:
      if (key->keyCode >= Key::Digit0 && key->keyCode <= Key::Digit9) {
        Type(char16_t(u'0' + (key->keyCode - Key::Digit0)));
        break;
      }
      return QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

// Up and down keep the column as far as the row allows; left and right wrap
// within the row.
void KeyPad::Move(int32_t rows, int32_t columns) {
  const int32_t count = CharacterRows() + 1;
  const int32_t fromLength = RowLength(Row);
  Row = (Row + rows + count) % count;
  const int32_t length = RowLength(Row);
  if (rows != 0 && length != fromLength) Column = Column * length / fromLength;
  Column = (std::min(Column, length - 1) + columns + length) % length;
  OnSetFocus(KeyAt(Row, Column));
}

void KeyPad::Press() {
  if (Row < CharacterRows()) {
    Type(CharacterAt(Row, Column));
    return;
  }
  switch (SpecialAt(Column)) {
    case Special::Shift:
      Shifted = !Shifted;
      Build();
      break;
    case Special::Space:
      Type(u' ');
      break;
    case Special::Delete:
      DeleteLast();
      break;
    case Special::Clear:
      OnSetText(nullptr);
      break;
    case Special::Done:
      Done();
      break;
  }
}

void KeyPad::Type(char16_t character) {
  if (VgGetStringLength(Text) >= MaxLength) return;
  Text = VgConcatStringChar(Text, character);
  ShowText();
}

void KeyPad::DeleteLast() {
  const int32_t length = VgGetStringLength(Text);
  if (length == 0) return;
  Text = length == 1 ? nullptr : VgStringLeft(Text, length - 1);
  ShowText();
}

void KeyPad::OnSetText(VgString value) {
  Text = VgGetStringLength(value) > MaxLength ? VgStringLeft(value, MaxLength) : value;
  ShowText();
}

void KeyPad::ShowText() {
  fieldText.OnSetString(VgConcatStringChar(Text, u'_'));
  char count[32];
  std::snprintf(count, sizeof count, "%d/%d", VgGetStringLength(Text), MaxLength);
  counter.OnSetString(VgNewStringAnsi(count));
}

void KeyPad::Done() {
  auto* label = VgNew<Structures::RefString>();
  label->Value = Text;
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_LABEL_CHANGE;
  message->Payload = label;
  // Closed first: the screen below takes the focus back before it reads the
  // text, as after any pop-up.
  Close();
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
}

// A pad over a framed dialog with a caption ("Input", "Master List") stands
// below the caption's line, so that the caption reads whole above the pad,
// which hides the rows it edits: at one place for all, the pad's top edge
// ran through the captions' letters. Where the screen has no room for it
// there (a dialog low on the screen, the taller pad of network names), it
// covers the caption whole.
void KeyPad::Place() {
  const int32_t height = VgGetRectH(Bounds);
  int32_t top = kTop;
  for (Core::View* view = Asker.get(); view; view = view->owner.get()) {
    auto* dialog = vg_cast<QORWidgetClass>(view);
    if (!dialog) continue;
    if (!dialog->Visible || !dialog->HasCaption) break;
    // The dialog's top on the screen, which the pad's owner spans.
    int32_t dialogTop = 0;
    for (Core::View* at = dialog; at; at = at->owner.get()) dialogTop += at->GetExtent().y1;
    // The pad's shadow begins at the line, its panel below it.
    const int32_t below = dialogTop + dialog->CaptionLine();
    const int32_t over = dialogTop + dialog->caption.Bounds.y1 - PanelFill::Edge;
    top = below + height <= NonMenuSystem::ScreenHeight ? below : std::min(top, over);
    break;
  }
  top = std::min(top, NonMenuSystem::ScreenHeight - height);
  OnSetBounds({Bounds.x1, top, Bounds.x2, top + height});
}

void KeyPad::Open(XObject* sender) {
  QORWidgetClass::Open(sender);
  MainApp::GetMessageAgent()->Register(this);
}

void KeyPad::Close(XObject* sender) {
  QORWidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

}  // namespace NonMenuSystem
