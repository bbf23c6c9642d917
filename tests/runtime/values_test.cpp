#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>

#include "vgcolor.h"
#include "vgpoint.h"
#include "vgrect.h"
#include "vgref.h"
#include "vgscalars.h"
#include "vgslot.h"

std::ostream& operator<<(std::ostream& os, const VgRect& r) {
  return os << "(" << r.x1 << ", " << r.y1 << ", " << r.x2 << ", " << r.y2 << ")";
}
std::ostream& operator<<(std::ostream& os, const VgPoint& p) { return os << "<" << p.x << ", " << p.y << ">"; }
std::ostream& operator<<(std::ostream& os, const VgColor& c) {
  return os << "#" << int(c.red) << "," << int(c.green) << "," << int(c.blue) << "," << int(c.alpha);
}

namespace ValuesTest {

// A GUI object with one property of each kind the tests need.
class Props : public XObject {
  VG_CLASS()
 public:
  int8_t OnGetSmall() const { return small; }
  void OnSetSmall(int8_t v) { small = v; }
  bool OnGetFlag() const { return flag; }
  void OnSetFlag(bool v) { flag = v; }
  uint16_t OnGetWord() const { return word; }
  void OnSetWord(uint16_t v) { word = v; }
  VgRect OnGetBounds() const { return bounds; }
  void OnSetBounds(const VgRect& v) { bounds = v; }
  int32_t OnGetCount() const { return count; }

  int8_t small = 0;
  bool flag = false;
  uint16_t word = 0;
  VgRect bounds{};
  int32_t count = 7;

  ~Props() override { ++destroyed; }
  static inline int destroyed = 0;
};

// An object that keeps a property reference to another.
class Holder : public XObject {
  VG_CLASS()
 public:
  void Changed(XObject*) { ++changes; }
  VgRef<int32_t> target;
  int changes = 0;
};

}  // namespace ValuesTest

VG_DEFINE_CLASS(ValuesTest, Props, XObject)
VG_DEFINE_CLASS(ValuesTest, Holder, XObject)

namespace {

using ValuesTest::Props;

// ----------------------------------------------------------------- rectangles

TEST(RectTest, UnionIgnoresEmptyOperands) {
  VgRect r{10, 10, 20, 30};
  EXPECT_EQ(VgUnionRect(_Const0000, r), r);
  EXPECT_EQ(VgUnionRect(r, VgNewRect(50, 50, 40, 60)), r);
  // Two empty operands: the second, with its inverted or flat axes zeroed.
  EXPECT_EQ(VgUnionRect(VgNewRect(1, 1, 1, 1), VgNewRect(5, 6, 3, 9)), VgNewRect(0, 6, 0, 9));
  EXPECT_EQ(VgUnionRect(r, VgNewRect(-5, 25, 15, 40)), VgNewRect(-5, 10, 20, 40));
}

TEST(RectTest, IntersectionOfEmptyOrTouchingOperandsIsZero) {
  EXPECT_EQ(VgIntersectRect(VgNewRect(0, 0, 10, 10), VgNewRect(10, 0, 20, 10)), _Const0000);
  EXPECT_EQ(VgIntersectRect(_Const0000, VgNewRect(10, 10, 20, 20)), _Const0000);
  EXPECT_EQ(VgIntersectRect(VgNewRect(30, 0, 5, 10), VgNewRect(0, 0, 20, 20)), _Const0000);
  EXPECT_EQ(VgIntersectRect(VgNewRect(-10, -10, 10, 10), VgNewRect(0, 0, 0, 5)), _Const0000);
  EXPECT_EQ(VgIntersectRect(VgNewRect(0, 0, 10, 10), VgNewRect(5, -5, 15, 5)), VgNewRect(5, 0, 10, 5));
}

TEST(RectTest, IntersectionWithEmptyOperandSetsNoLimit) {
  VgRect r{10, 10, 20, 20};
  EXPECT_EQ(VgIntersectRect2(_Const0000, r), r);
  EXPECT_EQ(VgIntersectRect2(r, VgNewRect(0, 0, -1, 100)), r);
  // Both empty: the second, with its inverted or flat axes zeroed.
  EXPECT_EQ(VgIntersectRect2(VgNewRect(0, 0, 0, 5), VgNewRect(3, 9, 7, 2)), VgNewRect(3, 0, 7, 0));
  EXPECT_EQ(VgIntersectRect2(r, VgNewRect(30, 30, 40, 40)), _Const0000);
  EXPECT_EQ(VgIntersectRect2(r, VgNewRect(15, 0, 30, 12)), VgNewRect(15, 10, 20, 12));
}

TEST(RectTest, EdgesAreExclusive) {
  VgRect r{0, 0, 5, 5};
  EXPECT_TRUE(VgIsPointInRect(r, {0, 0}));
  EXPECT_TRUE(VgIsPointInRect(r, {4, 4}));
  EXPECT_FALSE(VgIsPointInRect(r, {5, 4}));
  EXPECT_FALSE(VgIsPointInRect(r, {4, 5}));
  EXPECT_TRUE(VgIsRectEmpty(VgNewRect(3, 0, 3, 9)));
  EXPECT_FALSE(VgIsRectEmpty(VgNewRect(3, 0, 4, 1)));
}

TEST(RectTest, CentreTruncatesTowardsZero) {
  EXPECT_EQ(VgGetRectCenter(VgNewRect(0, 0, 5, 5)), (VgPoint{2, 2}));
  EXPECT_EQ(VgGetRectCenter(VgNewRect(-5, -5, 0, 0)), (VgPoint{-3, -3}));
}

TEST(RectTest, GeometryHelpers) {
  VgRect r{10, 20, 40, 30};
  EXPECT_EQ(VgInflateRect(r, {2, 3}), VgNewRect(8, 17, 42, 33));
  EXPECT_EQ(VgSetRectOrigin(r, {-1, 1}), VgNewRect(-1, 1, 29, 11));
  EXPECT_EQ(VgSetRectSize(r, {5, 6}), VgNewRect(10, 20, 15, 26));
  // Extreme coordinates wrap like 32-bit words rather than overflowing.
  EXPECT_EQ(VgGetRectW(VgNewRect(INT32_MIN, 0, INT32_MAX, 0)), -1);
}

// -------------------------------------------------------------------- colours

TEST(ColorTest, BlendTakesTheUpperColourByItsAlpha) {
  VgColor under{10, 20, 30, 40};
  EXPECT_EQ(VgBlendColor(under, {200, 100, 50, 0}), under);
  EXPECT_EQ(VgBlendColor(under, {200, 100, 50, 255}), (VgColor{200, 100, 50, 255}));
  VgColor half = VgBlendColor({0, 0, 0, 0}, {255, 255, 255, 128});
  EXPECT_EQ(half, (VgColor{128, 128, 128, 128}));
}

TEST(ColorTest, ChannelArithmeticSaturates) {
  EXPECT_EQ(VgPlusColor({200, 10, 0, 255}, {100, 10, 0, 1}), (VgColor{255, 20, 0, 255}));
  EXPECT_EQ(VgMinusColor({10, 10, 0, 255}, {20, 5, 1, 0}), (VgColor{0, 5, 0, 255}));
}

TEST(ColorTest, ScalingClampsItsFactor) {
  VgColor c{255, 128, 2, 200};
  EXPECT_EQ(VgBlendColorInt(c, -1), (VgColor{0, 0, 0, 0}));
  EXPECT_EQ(VgBlendColorInt(c, 300), c);
  EXPECT_EQ(VgBlendColorInt(c, 0), (VgColor{0, 0, 0, 0}));
  EXPECT_EQ(VgBlendColorUInt(c, 0xFFFFFFFFu), c);
  EXPECT_EQ(VgBlendColorUInt(c, 51), (VgColor{51, 25, 0, 40}));
  EXPECT_EQ(VgCompColor(c, VgSetColorAlpha(c, 0)), 1);
}

// ----------------------------------------------------- constants by language

class LanguageTest : public testing::Test {
 protected:
  void TearDown() override { VgSetLanguage(0); }
};

TEST_F(LanguageTest, EachEntrySizePicksTheCurrentLanguage) {
  static const VgConstEntry<int8_t> bytes[] = {{0, -3}, {1, 5}};
  static const VgConstEntry<double> reals[] = {{2, 2.5}, {0, -1.25}};
  static const VgConstEntry<VgRect> rects[] = {{0, {1, 2, 3, 4}}, {2, {5, 6, 7, 8}}};
  static const VgConstEntry<VgColor> colours[] = {{1, {1, 2, 3, 4}}};
  static const VgConstEntry<uint16_t> enums[] = {{0, 0xFFFE}};
  const VgConstant byteConst{bytes, 2, VgNoVariants};
  const VgConstant realConst{reals, 2, VgNoVariants};
  const VgConstant rectConst{rects, 2, VgNoVariants};
  const VgConstant colourConst{colours, 1, VgNoVariants};
  const VgConstant enumConst{enums, 1, VgNoVariants};

  EXPECT_EQ(VgGetVariantOfInt8(&byteConst), -3);
  EXPECT_TRUE(VgGetVariantOfBool(&byteConst));
  EXPECT_EQ(VgGetVariantOfFloat(&realConst), -1.25);
  EXPECT_EQ(VgGetVariantOfRect(&rectConst), VgNewRect(1, 2, 3, 4));
  EXPECT_EQ(VgGetVariantOfColor(&colourConst), (VgColor{0, 0, 0, 0}));  // no default entry
  EXPECT_EQ(VgGetVariantOfEnum(&enumConst), 0xFFFE);

  VgSetLanguage(2);
  EXPECT_EQ(VgGetVariantOfInt8(&byteConst), -3);
  EXPECT_EQ(VgGetVariantOfFloat(&realConst), 2.5);
  EXPECT_EQ(VgGetVariantOfRect(&rectConst), VgNewRect(5, 6, 7, 8));

  VgSetLanguage(1);
  EXPECT_EQ(VgGetVariantOfInt8(&byteConst), 5);
  EXPECT_EQ(VgGetVariantOfColor(&colourConst), (VgColor{1, 2, 3, 4}));
  EXPECT_EQ(VgGetVariantOfInt32(nullptr), 0);
}

TEST(MathTest, AnglesAreInDegrees) {
  EXPECT_NEAR(VgSinus(90), 1.0, 1e-9);
  EXPECT_NEAR(VgCosinus(180), -1.0, 1e-9);
  EXPECT_NEAR(VgSinus(30), 0.5, 1e-9);
  EXPECT_EQ(VgSqrt(16.0), 4.0);
}

// ------------------------------------------------------ property references

TEST(RefTest, SettersNarrowTheWordToThePropertyWidth) {
  auto* p = VgNew<Props>();
  auto small = VgRefOf<&Props::OnGetSmall, &Props::OnSetSmall>(p);
  auto flag = VgRefOf<&Props::OnGetFlag, &Props::OnSetFlag>(p);
  auto word = VgRefOf<&Props::OnGetWord, &Props::OnSetWord>(p);

  VgOnSetInt8(small, 0x1FF);
  EXPECT_EQ(VgOnGetInt8(small), -1);
  VgOnSetBool(flag, 0x100);  // only the low byte counts
  EXPECT_FALSE(VgOnGetBool(flag));
  VgOnSetBool(flag, 2);
  EXPECT_TRUE(VgOnGetBool(flag));
  VgOnSetUInt16(word, 0x12345);
  EXPECT_EQ(VgOnGetUInt16(word), 0x2345);
  VgOnSetEnum(word, 0xABCDEF);
  EXPECT_EQ(VgOnGetEnum(word), 0xCDEF);
}

TEST(RefTest, StructuredValuesPassThrough) {
  auto* p = VgNew<Props>();
  auto bounds = VgRefOf<&Props::OnGetBounds, &Props::OnSetBounds>(p);
  VgOnSetRect(bounds, VgNewRect(1, 2, 3, 4));
  EXPECT_EQ(p->bounds, VgNewRect(1, 2, 3, 4));
  EXPECT_EQ(VgOnGetRect(bounds), VgNewRect(1, 2, 3, 4));
}

TEST(RefTest, ReferencesToTheSamePropertyCompareEqual) {
  auto* p = VgNew<Props>();
  auto* q = VgNew<Props>();
  auto a = VgRefOf<&Props::OnGetSmall, &Props::OnSetSmall>(p);
  auto b = VgRefOf<&Props::OnGetSmall, &Props::OnSetSmall>(p);
  EXPECT_EQ(VgCompRef(a, b), 0);
  EXPECT_EQ(VgCompRef(a, VgRefOf<&Props::OnGetSmall, &Props::OnSetSmall>(q)), 1);
  EXPECT_EQ(VgCompRef(a, VgRefOf<&Props::OnGetSmall>(p)), 1);
  EXPECT_EQ(a.GetterKey(), b.GetterKey());
  EXPECT_NE(VgRefOf<&Props::OnGetFlag>(p).GetterKey(), VgRefOf<&Props::OnGetSmall>(p).GetterKey());
}

TEST(RefTest, NullOrReadOnlyReferencesAreHarmless) {
  VgRef<int32_t> null = VgNullRef;
  EXPECT_TRUE(null.IsNull());
  EXPECT_EQ(VgOnGetInt32(null), 0);
  VgOnSetInt32(null, 5);

  auto* p = VgNew<Props>();
  auto count = VgRefOf<&Props::OnGetCount>(p);
  EXPECT_EQ(VgOnGetInt32(count), 7);
  VgOnSetInt32(count, 9);
  EXPECT_EQ(p->count, 7);
}

TEST(RefTest, ObserversMatchEqualReferences) {
  VgReclaimMemory();
  auto* p = VgNew<Props>();
  auto* watcher = VgNew<ValuesTest::Holder>();
  VgLockObject(p);
  VgLockObject(watcher);
  VgSlot slot = VgSlotOf<&ValuesTest::Holder::Changed>(watcher);
  EXPECT_EQ(VgAttachRefObserver(slot, VgRefOf<&Props::OnGetSmall, &Props::OnSetSmall>(p), 1), 1);
  // The observer knows the property by object and getter; the setter is not part of it.
  VgNotifyRefObservers(VgRefOf<&Props::OnGetSmall>(p), 1);
  VgNotifyRefObservers(VgRefOf<&Props::OnGetFlag>(p), 1);
  VgProcessSignals();
  EXPECT_EQ(watcher->changes, 1);
  EXPECT_EQ(VgDetachRefObserver(slot, VgRefOf<&Props::OnGetSmall>(p), 1), 1);
  VgUnlockObject(p);
  VgUnlockObject(watcher);
  VgReclaimMemory();
}

TEST(RefTest, AReferenceFieldKeepsItsObjectAlive) {
  VgReclaimMemory();
  auto* holder = VgNew<ValuesTest::Holder>();
  VgLockObject(holder);
  holder->target = VgRefOf<&Props::OnGetCount>(VgNew<Props>());
  int before = Props::destroyed;
  VgReclaimMemory();
  EXPECT_EQ(Props::destroyed, before);
  EXPECT_EQ(VgOnGetInt32(holder->target), 7);
  holder->target = VgNullRef;
  VgReclaimMemory();
  EXPECT_EQ(Props::destroyed, before + 1);
  VgUnlockObject(holder);
  VgReclaimMemory();
}

}  // namespace
