#include "Core/KeyEvent.h"

#include <array>
#include <string_view>

#include "Core/Keys.h"

VG_DEFINE_CLASS(Core, KeyEvent, Core::Event)

namespace Core {

namespace {

// The runs of signs, each sign one code after the other; a run ends where the
// keyboard leaves a code without a character.
struct SignRun {
  Key::Code first;
  std::u16string_view signs;
};
constexpr SignRun kSignRuns[] = {{Key::Slash, u"/=; ,@!#$%^&*~?"}, {Key::Minus, u"-<>[]()\\+:"}, {Key::Quote, u"\"_"}};

constexpr auto BuildKeyChars() {
  constexpr size_t signs = kSignRuns[0].signs.size() + kSignRuns[1].signs.size() + kSignRuns[2].signs.size();
  std::array<KeyCharRow, 4 + signs> rows{{
      {Key::Digit0, Key::Digit9, u'0'},
      {Key::Dot, Key::Dot, u'.'},
      {Key::LetterA, Key::LetterZ, u'A'},
      {Key::SmallA, Key::SmallZ, u'a'},
  }};
  size_t n = 4;
  for (const SignRun& run : kSignRuns)
    for (size_t i = 0; i < run.signs.size(); ++i)
      rows[n++] = {uint16_t(run.first + i), uint16_t(run.first + i), run.signs[i]};
  return rows;
}

// The on-screen keyboard's key codes, in key-code order.
constexpr auto kKeyChars = BuildKeyChars();
static_assert(kKeyChars.back().firstCode == Key::Underscore);

}  // namespace

std::span<const KeyCharRow> KeyCharTable() { return kKeyChars; }

uint16_t PressedKey(Event* event) {
  auto* key = vg_cast<KeyEvent>(event);
  return key && key->down ? key->keyCode : Key::None;
}

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
  // capital letter's code, and space gives Key::Blank, a code without a character.
  // Nothing in the system builds key events from characters.
  if (character == u' ')
    keyCode = Key::Blank;
  else if (character >= u'0' && character <= u'9')
    keyCode = uint16_t(Key::Digit0 + (character - u'0'));
  else if (character >= u'A' && character <= u'Z')
    keyCode = uint16_t(Key::LetterA + (character - u'A'));
  else if (character >= u'a' && character <= u'z')
    keyCode = uint16_t(Key::LetterA + (character - u'a'));
  else
    keyCode = 0;
  return this;
}

}  // namespace Core

Core::KeyEvent* CoreKeyEvent__Initialize(Core::KeyEvent* event, int32_t code, uint8_t down) {
  return event ? event->Initialize(code, down != 0) : nullptr;
}
