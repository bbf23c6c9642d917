// Button::TextEdit: a numeric text field. In edit mode it takes digits, an
// erase key and optionally one decimal separator; a cursor suffix shows
// while more characters may be typed, and typing past a full field starts a
// new entry with the last digit.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "Core/Keys.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Button {

class TextEdit : public Button {
  VG_CLASS()

 public:
  explicit TextEdit(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  // Slot of the field: the text a key leads to, cut to a new entry when it
  // would pass MaxLength.
  virtual VgString HandleNumber(VgString text);
  // While it is switched on in edit mode holding typed characters.
  bool TypedInto() const override { return Enabled && EditModeEnabled && VgGetStringLength(TextString) > 0; }

  VgString OnGetTextString() const { return TextString; }
  // Stores the text, cut to the field's length, and shows it with or without
  // the cursor.
  void OnSetTextString(VgString value);
  // Empties the field and its caption.
  void ClearText();

  bool OnGetEnableEraseKey() const { return EnableEraseKey; }
  void OnSetEnableEraseKey(bool value) { EnableEraseKey = value; }
  bool OnGetEditModeEnabled() const { return EditModeEnabled; }
  void OnSetEditModeEnabled(bool value) { EditModeEnabled = value; }
  bool OnGetSupportDot() const { return SupportDot; }
  void OnSetSupportDot(bool value) { SupportDot = value; }
  uint16_t OnGetEraseKey() const { return EraseKey; }
  void OnSetEraseKey(uint16_t value) { EraseKey = value; }
  int32_t OnGetMaxLength() const { return MaxLength; }
  void OnSetMaxLength(int32_t value) { MaxLength = value; }
  VgString OnGetCursorString() const { return CursorString; }
  void OnSetCursorString(VgString value) { CursorString = value; }
  VgSlot OnGetTextChanged() const { return TextChanged; }
  void OnSetTextChanged(VgSlot slot) { TextChanged = slot; }
  VgString OnGetDotString() const { return DotString; }
  void OnSetDotString(VgString value) { DotString = value; }

  bool EnableEraseKey = true;
  bool EditModeEnabled = false;
  bool SupportDot = false;
  // 0: no erase key.
  uint16_t EraseKey = Key::Left;
  // Characters of a full field, the separator not counted.
  int32_t MaxLength = 4;
  VgStr CursorString;
  VgStr TextString;
  VgSlot TextChanged;
  VgStr DotString;

 private:
  bool HasDot(VgString text) const;
  // Runs a text a key produced through HandleNumber into the field.
  XObject* Enter(VgString text);
};

}  // namespace Button
