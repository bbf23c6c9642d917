#include <gtest/gtest.h>

#include "vgdebug.h"
#include "vgresmap.h"

namespace ResMapTest {

class Plain : public XObject {
  VG_CLASS()
};

}  // namespace ResMapTest

VG_DEFINE_CLASS(ResMapTest, Plain, XObject)

namespace {

TEST(ResourceMapTest, AFullMapPanics) {
  auto* object = VgNew<ResMapTest::Plain>();
  static char data[VgResourceMapCapacity + 1];
  size_t before = VgResourceMapSize();
  for (size_t i = before; i < VgResourceMapCapacity; ++i) VgRegisterResource(object, &data[i]);
  EXPECT_EQ(VgResourceMapSize(), VgResourceMapCapacity);
  try {
    VgRegisterResource(object, &data[VgResourceMapCapacity]);
    ADD_FAILURE() << "no panic";
  } catch (const VgPanicError& e) {
    EXPECT_STREQ(e.what(), "Resource MapList is full");
  }
  while (VgResourceMapSize() > before) VgDeregisterResource(object);
  EXPECT_EQ(VgResourceMapSize(), before);
}

TEST(ResourceMapTest, NullArgumentsAreIgnored) {
  auto* object = VgNew<ResMapTest::Plain>();
  static const char data = 0;
  size_t before = VgResourceMapSize();
  VgRegisterResource(nullptr, &data);
  VgRegisterResource(object, nullptr);
  VgDeregisterResource(object);
  EXPECT_EQ(VgResourceMapSize(), before);
}

TEST(ResourceMapTest, DeregisteringKeepsTheOrderOfTheOthers) {
  auto* a = VgNew<ResMapTest::Plain>();
  auto* b = VgNew<ResMapTest::Plain>();
  auto* c = VgNew<ResMapTest::Plain>();
  static const char shared = 0, other = 0;
  VgRegisterResource(a, &shared);
  VgRegisterResource(b, &other);
  VgRegisterResource(c, &shared);
  VgDeregisterResource(b);
  EXPECT_EQ(VgFindResource(&other), nullptr);
  EXPECT_EQ(VgFindResource(&shared), a);
  VgDeregisterResource(a);
  EXPECT_EQ(VgFindResource(&shared), c);
  VgDeregisterResource(c);
  EXPECT_EQ(VgFindResource(&shared), nullptr);
}

TEST(ResourceMapTest, LoadingANonResourceClassDoesNotShareIt) {
  static const char data = 0;
  static const VgResourceEntry entries[] = {{0, &data}};
  const VgConstant constant{entries, 1, VgNoVariants};
  EXPECT_EQ(VgLoadResource(nullptr, &ResMapTest::Plain::Class), nullptr);
  XObject* first = VgLoadResource(&constant, &ResMapTest::Plain::Class);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(VgFindResource(&data), nullptr);
  EXPECT_NE(VgLoadResource(&constant, &ResMapTest::Plain::Class), first);
}

}  // namespace
