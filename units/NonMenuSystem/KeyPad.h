// NonMenuSystem::KeyPad: the on-screen keyboard. It edits a text of at most
// the opening value's length, starting from the opening text; the flag of
// the opening record adds lower case and more symbols for network names and
// keys. Done sends the text to every receiver as MSG_LABEL_CHANGE and closes,
// leaving the screen that asked for it open below.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/Frame.h"
#include "Views/Text.h"
#include "vgobject.h"
#include "vgstring.h"

namespace NonMenuSystem {

class KeyPad : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit KeyPad(XObject* link = nullptr);

  static constexpr int32_t Columns = 10;
  static constexpr int32_t Rows = 6;
  static constexpr int32_t KeyWidth = 40;
  static constexpr int32_t KeyHeight = 36;
  static constexpr int32_t KeyGap = 6;
  // What each key of the bottom row does.
  enum class Special : uint8_t { Shift, Space, Delete, Clear, Done };

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Arrows move over the keys, OK presses the lit one, digits type.
  XObject* HandleEvent(Core::Event* event) override;
  // While it holds text.
  bool TypedInto() const override { return VgGetStringLength(Text) > 0; }
  void Open(XObject* sender = nullptr) override;
  void Close(XObject* sender = nullptr) override;

  // Sends the text and closes.
  void Done();
  // Types one character while there is room.
  void Type(char16_t character);
  void DeleteLast();
  VgString OnGetText() const { return Text; }
  void OnSetText(VgString value);
  int32_t OnGetMaxLength() const { return MaxLength; }
  bool OnGetFullMode() const { return FullMode; }

  VgStr Text;
  int32_t MaxLength = 64;
  // Lower case and the symbol row.
  bool FullMode = false;
  bool Shifted = false;
  int32_t Row = 0;
  int32_t Column = 0;
  Views::Frame field{this};
  Views::Text fieldText{this};
  Views::Text counter{this};
  VgPtrArray<Button::Button, Columns * Rows> keys;

 private:
  // The rows of character keys of the mode, and the bottom row of specials.
  int32_t CharacterRows() const;
  int32_t SpecialCount() const;
  Special SpecialAt(int32_t column) const;
  char16_t CharacterAt(int32_t row, int32_t column) const;
  Button::Button* KeyAt(int32_t row, int32_t column) const;
  int32_t RowLength(int32_t row) const;
  // Builds the keys of the mode and lays the pad out.
  void Build();
  // Places the pad over its asker.
  void Place();
  void Press();
  void Move(int32_t rows, int32_t columns);
  void ShowText();
};

}  // namespace NonMenuSystem
