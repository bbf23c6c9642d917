#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DoubleChain.h"

namespace {

std::vector<std::string> Keys(DoubleChain& chain) {
  std::vector<std::string> keys;
  const char* key;
  const char* value;
  DC_Dump(&chain, nullptr, nullptr);
  while (DC_Dump(&chain, &key, &value) == DC_OK) keys.emplace_back(key);
  return keys;
}

TEST(DoubleChain, InsertsSearchesAndCounts) {
  DoubleChain chain;
  EXPECT_EQ(DC_Insert(&chain, "a", "1"), DC_OK);
  EXPECT_EQ(DC_Insert(&chain, "b", "2"), DC_OK);
  EXPECT_EQ(DC_Insert(&chain, "a", "3"), DC_OK);
  EXPECT_EQ(DC_GetNum(&chain), 2);
  EXPECT_STREQ(DC_Search(&chain, "a"), "3");
  // Keys match only whole: neither a prefix nor a longer key is the same key.
  EXPECT_EQ(DC_Search(&chain, ""), nullptr);
  EXPECT_EQ(DC_Search(&chain, "aa"), nullptr);
  EXPECT_EQ(DC_Search(&chain, nullptr), nullptr);
  EXPECT_EQ(DC_Insert(&chain, nullptr, "1"), DC_BAD_ARGUMENT);
  EXPECT_EQ(DC_Insert(&chain, "c", nullptr), DC_BAD_ARGUMENT);
  EXPECT_EQ(DC_Insert(nullptr, "c", "1"), DC_BAD_ARGUMENT);
  EXPECT_EQ(Keys(chain), (std::vector<std::string>{"a", "b"}));
}

TEST(DoubleChain, DeletesKeepTheRestInOrder) {
  DoubleChain chain;
  for (const char* key : {"first", "middle", "last"}) DC_Insert(&chain, key, "v");
  EXPECT_EQ(DC_Delete(&chain, "middle"), DC_OK);
  EXPECT_EQ(DC_Delete(&chain, "middle"), DC_NOT_FOUND);
  EXPECT_EQ(DC_Delete(&chain, nullptr), DC_NOT_FOUND);
  EXPECT_EQ(DC_Delete(&chain, "last"), DC_OK);
  DC_Insert(&chain, "new", "v");  // the tail moved back: appends after "first"
  EXPECT_EQ(Keys(chain), (std::vector<std::string>{"first", "new"}));
  EXPECT_EQ(DC_Delete(&chain, "first"), DC_OK);
  EXPECT_EQ(DC_Delete(&chain, "new"), DC_OK);
  EXPECT_EQ(DC_GetNum(&chain), 0);
  DC_Insert(&chain, "again", "v");
  EXPECT_EQ(Keys(chain), std::vector<std::string>{"again"});
  DC_Clear(&chain);
  EXPECT_EQ(DC_GetNum(&chain), 0);
  EXPECT_TRUE(Keys(chain).empty());
}

// The iteration must survive changes to the chain between two steps: a cursor
// left on a freed node would hand out freed texts.
TEST(DoubleChain, IterationSurvivesDeletingTheCursorsPair) {
  DoubleChain chain;
  for (const char* key : {"a", "b", "c"}) DC_Insert(&chain, key, "v");
  const char* key;
  const char* value;
  EXPECT_EQ(DC_Dump(&chain, nullptr, nullptr), DC_BAD_ARGUMENT);
  ASSERT_EQ(DC_Dump(&chain, &key, &value), DC_OK);
  EXPECT_STREQ(key, "a");
  DC_Delete(&chain, "b");  // the cursor's pair
  ASSERT_EQ(DC_Dump(&chain, &key, &value), DC_OK);
  EXPECT_STREQ(key, "c");
  EXPECT_EQ(DC_Dump(&chain, &key, &value), DC_END);
  DC_Dump(&chain, nullptr, nullptr);
  DC_Clear(&chain);
  EXPECT_EQ(DC_Dump(&chain, &key, &value), DC_END);

  // Each chain iterates on its own.
  DoubleChain other;
  DC_Insert(&chain, "x", "1");
  DC_Insert(&other, "y", "2");
  DC_Dump(&chain, nullptr, nullptr);
  DC_Dump(&other, nullptr, nullptr);
  ASSERT_EQ(DC_Dump(&chain, &key, &value), DC_OK);
  EXPECT_STREQ(key, "x");
  ASSERT_EQ(DC_Dump(&other, &key, &value), DC_OK);
  EXPECT_STREQ(key, "y");
}

}  // namespace
