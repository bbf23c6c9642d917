#include <gtest/gtest.h>

#include "Core/Resource.h"
#include "vgresmap.h"

namespace {

struct BitmapRecord {
  int id;
};
const BitmapRecord kDefault{1}, kFrench{2}, kOther{3};
const VgResourceEntry kEntries[] = {{0, &kDefault}, {1, &kFrench}};
const VgConstant kLogo{kEntries, 2, VgNoVariants};
const VgResourceEntry kOtherEntries[] = {{0, &kOther}};
const VgConstant kIcon{kOtherEntries, 1, VgNoVariants};

class ResourceTest : public testing::Test {
 protected:
  void TearDown() override {
    VgSetLanguage(0);
    VgReclaimMemory();
  }
  XObject* Load(const VgConstant* constant) { return VgLoadResource(constant, &Core::Resource::Class); }
};

TEST_F(ResourceTest, OneObjectPerDataWhileItLives) {
  XObject* logo = Load(&kLogo);
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(Load(&kLogo), logo);
  EXPECT_NE(Load(&kIcon), logo);
  EXPECT_EQ(VgFindResource(&kDefault), logo);
  EXPECT_EQ(Load(nullptr), nullptr);
}

TEST_F(ResourceTest, EachLanguageHasItsOwnObject) {
  XObject* english = Load(&kLogo);
  VgSetLanguage(1);
  XObject* french = Load(&kLogo);
  EXPECT_NE(french, english);
  EXPECT_EQ(VgFindResource(&kFrench), french);
}

TEST_F(ResourceTest, CollectedResourceLeavesTheMap) {
  size_t before = VgResourceMapSize();
  XObject* logo = Load(&kLogo);
  VgLockObject(logo);
  VgReclaimMemory();
  EXPECT_EQ(VgFindResource(&kDefault), logo);
  VgUnlockObject(logo);
  VgReclaimMemory();
  EXPECT_EQ(VgFindResource(&kDefault), nullptr);
  EXPECT_EQ(VgResourceMapSize(), before);
  EXPECT_NE(Load(&kLogo), nullptr);
}

TEST_F(ResourceTest, ObjectMadeWithoutDataIsNotRegistered) {
  size_t before = VgResourceMapSize();
  VgNew<Core::Resource>();
  EXPECT_EQ(VgResourceMapSize(), before);
}

}  // namespace
