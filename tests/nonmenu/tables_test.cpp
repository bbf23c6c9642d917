// The tables of direct messages, confirmations and PIN types, walked row by
// row: every row must be usable as it stands.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/PinTypes.h"
#include "vgstring.h"

namespace {

bool IsClassName(const char* name) {
  const std::string text = name;
  const size_t colons = text.find("::");
  return colons != std::string::npos && colons > 0 && colons + 2 < text.size() &&
         text.find("::", colons + 2) == std::string::npos;
}

// A row that names a class of this unit must find it: nothing else can.
void ExpectOwnClassFound(const char* name) {
  if (std::string(name).rfind("NonMenuSystem::", 0) == 0) {
    EXPECT_NE(VgFindClass(name), nullptr) << name;
  }
}

TEST(NonMenuTables, EveryDirectMessageHasTextTimeAndAUniqueTypeInItsRange) {
  std::set<int32_t> types;
  for (const NonMenuSystem::DirectMessage& row : NonMenuSystem::kDirectMessages) {
    SCOPED_TRACE(row.type);
    EXPECT_TRUE(types.insert(row.type).second);
    EXPECT_GE(row.type, 0);
    EXPECT_LE(row.type, NonMenuSystem::DirectMsgTypePauseSleepWarning);
    ASSERT_NE(row.text, nullptr);
    EXPECT_GT(VgGetStringLength(VgGetVariantOfString(row.text)), 0);
    EXPECT_GT(row.milliseconds, 0);
    EXPECT_EQ(row.onClose == NonMenuSystem::MessageClose::OpenNext, row.next != nullptr);
    if (row.next) {
      EXPECT_TRUE(IsClassName(row.next)) << row.next;
    }
    EXPECT_EQ(NonMenuSystem::FindDirectMessage(row.type), &row);
  }
  // The numbers the other screens send.
  for (int32_t type : {4, 8, 9, 10, 15, 16, 17, 18, 19, 21, 23, 27, 29, 32, 33, 44, 45, 46, 47, 48, 49, 50, 51})
    EXPECT_TRUE(types.count(type)) << type;
}

TEST(NonMenuTables, EveryConfirmationHasCaptionQuestionAndWellFormedClasses) {
  std::set<int32_t> types;
  for (const NonMenuSystem::ConfirmType& row : NonMenuSystem::kConfirmTypes) {
    SCOPED_TRACE(row.type);
    EXPECT_TRUE(types.insert(row.type).second);
    EXPECT_GT(VgGetStringLength(VgGetVariantOfString(row.caption)), 0);
    EXPECT_GT(VgGetStringLength(VgGetVariantOfString(row.question)), 0);
    for (const char* name : {row.next, row.back, row.target}) {
      if (!name) continue;
      EXPECT_TRUE(IsClassName(name)) << name;
      ExpectOwnClassFound(name);
    }
    EXPECT_EQ(row.target != nullptr && row.action != NonMenuSystem::ConfirmAction::DeleteItem, false);
    if (row.action == NonMenuSystem::ConfirmAction::OpenConfirm) {
      EXPECT_NE(NonMenuSystem::FindConfirmType(row.argument), nullptr);
    }
    if (row.action == NonMenuSystem::ConfirmAction::DeleteItem) {
      EXPECT_GE(row.argument, NonMenuSystem::DeleteKindMovieFile);
      EXPECT_LE(row.argument, NonMenuSystem::DeleteKindChannelLogo);
    }
  }
}

TEST(NonMenuTables, EveryPinTypeLeadsSomewhereWithAWellFormedWayBack) {
  std::set<int32_t> types;
  for (const NonMenuSystem::PinType& row : NonMenuSystem::kPinTypes) {
    SCOPED_TRACE(row.type);
    EXPECT_TRUE(types.insert(row.type).second);
    ASSERT_NE(row.next, nullptr);
    EXPECT_TRUE(IsClassName(row.next));
    ExpectOwnClassFound(row.next);
    if (row.backOfNext) {
      EXPECT_TRUE(IsClassName(row.backOfNext));
      ExpectOwnClassFound(row.backOfNext);
    }
  }
  // Type 4 leads to the TV reset confirmation, which exists.
  EXPECT_NE(NonMenuSystem::FindConfirmType(NonMenuSystem::FindPinType(4)->value), nullptr);
}

TEST(NonMenuTables, HelpKeysRiseBitByBitAndNoneIsTheSmallModeFlag) {
  int32_t previous = 0;
  for (const NonMenuSystem::HelpKey& key : NonMenuSystem::kHelpKeys) {
    EXPECT_GT(key.bit, previous);
    EXPECT_EQ(key.bit & (key.bit - 1), 0) << "one bit per key";
    EXPECT_NE(key.bit, NonMenuSystem::HelpSmallMode);
    ASSERT_NE(key.icon, nullptr);
    previous = key.bit;
  }
}

}  // namespace
