#include <gtest/gtest.h>

#include <set>

#include "Core/CursorEvent.h"
#include "Core/DragEvent.h"
#include "Core/KeyEvent.h"
#include "Core/LanguageEvent.h"
#include "Core/StylesEvent.h"

namespace {

class EventTest : public testing::Test {
 protected:
  void TearDown() override { VgReclaimMemory(); }
};

TEST_F(EventTest, EveryTableRowMapsItsCodesToItsCharacters) {
  auto* event = VgNew<Core::KeyEvent>();
  std::set<int> covered;
  for (const Core::KeyCharRow& row : Core::KeyCharTable()) {
    for (int code = row.firstCode; code <= row.lastCode; ++code) {
      CoreKeyEvent__Initialize(event, code, 1);
      EXPECT_EQ(event->keyChar, row.firstChar + (code - row.firstCode)) << code;
      EXPECT_TRUE(covered.insert(code).second) << "code in two rows: " << code;
    }
  }
  EXPECT_EQ(covered.size(), 10u + 1 + 26 + 26 + 27);
  for (int code = 0; code < 0x10000; ++code) {
    if (covered.count(code)) continue;
    event->Initialize(code, true);
    ASSERT_EQ(event->keyChar, 0) << code;
  }
}

TEST_F(EventTest, KeyCodesOfTheCharacterTable) {
  auto* event = VgNew<Core::KeyEvent>();
  struct Row {
    int code;
    char16_t character;
  };
  const Row rows[] = {{10, u'0'}, {19, u'9'}, {44, u'.'}, {105, u'A'}, {130, u'Z'}, {131, 0},    {132, u'a'},
                      {157, u'z'}, {163, u' '}, {173, u'~'}, {175, 0},    {176, u'-'}, {183, u'\\'}, {186, 0},
                      {187, u'"'}, {188, u'_'}, {189, 0}};
  for (const Row& row : rows) {
    event->Initialize(row.code, true);
    EXPECT_EQ(event->keyChar, row.character) << row.code;
  }
}

TEST_F(EventTest, KeyCodeKeepsItsLow16Bits) {
  auto* event = VgNew<Core::KeyEvent>();
  EXPECT_EQ(CoreKeyEvent__Initialize(event, 0x10000 + 163, 0), event);
  EXPECT_EQ(event->keyCode, 163);
  EXPECT_EQ(event->keyChar, u' ');
  EXPECT_FALSE(event->down);
}

TEST_F(EventTest, KeyCodeFromCharacter) {
  auto* event = VgNew<Core::KeyEvent>();
  struct Row {
    char16_t character;
    int code;
  };
  const Row rows[] = {{u' ', 131}, {u'0', 10}, {u'9', 19}, {u'A', 105}, {u'a', 105},
                      {u'z', 130}, {u'.', 0},  {u'@', 0},  {0x00E9, 0}};
  for (const Row& row : rows) {
    event->Initialize2(row.character, true);
    EXPECT_EQ(event->keyCode, row.code) << int(row.character);
    EXPECT_EQ(event->keyChar, row.character);
    EXPECT_TRUE(event->down);
  }
}

TEST_F(EventTest, CursorPressHoldAndRelease) {
  auto* event = VgNew<Core::CursorEvent>();
  event->holdTime = 99;
  event->InitializeDown(1, {5, 6}, 2, true);
  EXPECT_TRUE(event->down);
  EXPECT_TRUE(event->deflected);
  EXPECT_EQ(event->startPosition, (VgPoint{5, 6}));
  EXPECT_EQ(event->position, (VgPoint{5, 6}));
  EXPECT_EQ(event->holdTime, 0);
  EXPECT_EQ(event->repeatCount, 2);

  event->InitializeHold(1, {7, 8}, {5, 6}, 400, 0);
  EXPECT_TRUE(event->down);
  EXPECT_EQ(event->holdTime, 400);

  event->InitializeUp(1, {9, 9}, {5, 6}, 700, 0, false);
  EXPECT_FALSE(event->down);
  EXPECT_FALSE(event->deflected);
  EXPECT_EQ(event->position, (VgPoint{9, 9}));
  EXPECT_EQ(event->holdTime, 700);
}

TEST_F(EventTest, EventKindsDeriveFromEvent) {
  XObject* events[] = {VgNew<Core::KeyEvent>(), VgNew<Core::CursorEvent>(), VgNew<Core::DragEvent>(),
                       VgNew<Core::LanguageEvent>(), VgNew<Core::StylesEvent>()};
  for (XObject* e : events) EXPECT_NE(vg_cast<Core::Event>(e), nullptr) << e->GetClass()->name;
  EXPECT_EQ(vg_cast<Core::KeyEvent>(events[1]), nullptr);
  auto* language = VgNew<Core::LanguageEvent>()->Initialize(0, 2);
  EXPECT_EQ(language->newLanguage, 2);
  EXPECT_STREQ(Core::DragEvent::Class.name, "Core::DragEvent");
}

}  // namespace
