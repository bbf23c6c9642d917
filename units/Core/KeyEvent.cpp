#include "Core/KeyEvent.h"

VG_DEFINE_CLASS(Core, KeyEvent, Core::Event)

namespace Core {

// The on-screen keyboard's key codes. 131, 175 and 186 have no character.
constexpr KeyCharRow kKeyChars[] = {
    {10, 19, u'0'},  {44, 44, u'.'},   {105, 130, u'A'}, {132, 157, u'a'}, {160, 160, u'/'},
    {161, 161, u'='}, {162, 162, u';'}, {163, 163, u' '}, {164, 164, u','}, {165, 165, u'@'},
    {166, 166, u'!'}, {167, 167, u'#'}, {168, 168, u'$'}, {169, 169, u'%'}, {170, 170, u'^'},
    {171, 171, u'&'}, {172, 172, u'*'}, {173, 173, u'~'}, {174, 174, u'?'}, {176, 176, u'-'},
    {177, 177, u'<'}, {178, 178, u'>'}, {179, 179, u'['}, {180, 180, u']'}, {181, 181, u'('},
    {182, 182, u')'}, {183, 183, u'\\'}, {184, 184, u'+'}, {185, 185, u':'}, {187, 187, u'"'},
    {188, 188, u'_'},
};
std::span<const KeyCharRow> KeyCharTable() { return kKeyChars; }

char16_t KeyCharOf(uint16_t keyCode) {
  for (const KeyCharRow& row : kKeyChars)
    if (keyCode >= row.firstCode && keyCode <= row.lastCode) return char16_t(row.firstChar + (keyCode - row.firstCode));
  return 0;
}

KeyEvent* KeyEvent::Initialize(int32_t code, bool isDown) {
  down = isDown;
  keyCode = uint16_t(code);
  keyChar = KeyCharOf(keyCode);
  return this;
}

KeyEvent* KeyEvent::Initialize2(char16_t character, bool isDown) {
  keyChar = character;
  down = isDown;
  // This direction does not mirror the table: letters of either case give the
  // capital letter's code, and space gives 131, a code without a character.
  // Nothing in the system builds key events from characters.
  if (character == u' ')
    keyCode = 131;
  else if (character >= u'0' && character <= u'9')
    keyCode = uint16_t(10 + (character - u'0'));
  else if (character >= u'A' && character <= u'Z')
    keyCode = uint16_t(105 + (character - u'A'));
  else if (character >= u'a' && character <= u'z')
    keyCode = uint16_t(105 + (character - u'a'));
  else
    keyCode = 0;
  return this;
}

}  // namespace Core

Core::KeyEvent* CoreKeyEvent__Initialize(Core::KeyEvent* event, int32_t code, uint8_t down) {
  return event ? event->Initialize(code, down != 0) : nullptr;
}
