#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "vgtrace.h"

namespace TraceTest {

class Thing : public XObject {
  VG_CLASS()
 public:
  int32_t OnGetValue() const { return 0; }
  void OnSetValue(int32_t) {}
  void Handler(XObject*) {}
};

}  // namespace TraceTest

VG_DEFINE_CLASS(TraceTest, Thing, XObject)

namespace {

using TraceTest::Thing;

template <class... Args>
std::string Trace(const char* codes, const Args&... args) {
  testing::internal::CaptureStdout();
  VgTrace(codes, args...);
  return testing::internal::GetCapturedStdout();
}

std::string Hex(const void* p) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(p)));
  return buffer;
}

TEST(TraceTest, IntegerAndPoint) { EXPECT_EQ(Trace("%i%p", -7, VgPoint{3, 4}), "trace: -7, <3,4>\n"); }

TEST(TraceTest, EveryValueCode) {
  struct Row {
    const char* codes;
    VgTraceArg arg;
    const char* printed;
  };
  const Row rows[] = {
      {"%b", true, "true"},
      {"%b", 0, "false"},
      {"%c", u'A', "'A'"},
      {"%c", char16_t(0x20AC), "0x20AC"},
      {"%c", u'\n', "0x000A"},
      {"%e", uint16_t(3), "enum:0x00000003"},
      {"%f", 1.5, "1.500000"},
      {"%g", 0x80000001u, "styles:0x80000001"},
      {"%i", -1, "-1"},
      {"%l", 2, "language:0x00000002"},
      {"%o", VgColor{1, 0xAB, 0x10, 0xFF}, "#01AB10FF"},
      {"%p", VgPoint{-1, 2}, "<-1,2>"},
      {"%r", VgRect{1, 2, 3, 4}, "<1,2,3,4>"},
      {"%s", u"a\u00e9", "\"a\\x00E9\""},
      {"%s", static_cast<const char16_t*>(nullptr), "\"\""},
      {"%t", 5u, "set:0x00000005"},
      {"%u", 0xFFFFFFFFu, "4294967295"},
      {"%$", static_cast<const VgClass*>(nullptr), "null"},
      {"%$", &Thing::Class, "TraceTest::Thing"},
      {"%*", nullptr, "null"},
      {"%&", VgNullSlot, "null"},
      {"%^", VgRef<int32_t>(VgNullRef), "null"},
  };
  for (const Row& row : rows) {
    testing::internal::CaptureStdout();
    VgTraceArgs(row.codes, &row.arg, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("trace: ") + row.printed + "\n") << row.codes;
  }
}

TEST(TraceTest, ObjectsSlotsAndReferencesNameTheClass) {
  auto* thing = VgNew<Thing>();
  VgSlot slot = VgSlotOf<&Thing::Handler>(thing);
  auto ref = VgRefOf<&Thing::OnGetValue, &Thing::OnSetValue>(thing);
  EXPECT_EQ(Trace("%*", thing), "trace: (TraceTest::Thing)" + Hex(thing) + "\n");
  EXPECT_EQ(Trace("%&", slot), "trace: slot:(Object:(TraceTest::Thing)" + Hex(thing) +
                                   ",SlotProc:" + Hex(reinterpret_cast<const void*>(slot.method)) + ")\n");
  EXPECT_EQ(Trace("%^", ref), "trace: ref:(Object:(TraceTest::Thing)" + Hex(thing) + ",OnGet:" +
                                  Hex(ref.GetterKey()) + ",OnSet:" + Hex(ref.SetterKey()) + ")\n");
}

TEST(TraceTest, OtherCharactersAndUnknownCodes) {
  // Text outside codes is skipped; "%0" prints null without an argument; an
  // unknown code consumes nothing and prints nothing.
  EXPECT_EQ(Trace("x=%i %0 %z%u", 1, 2u), "trace: 1, null, 2\n");
  EXPECT_EQ(Trace(""), "trace: \n");
  EXPECT_EQ(Trace("%"), "trace: \n");
}

TEST(TraceTest, MismatchedOrMissingArgumentsPrintAMark) {
  EXPECT_EQ(Trace("%p%i%i", 5, 6), "trace: ?, 6, ?\n");
}

}  // namespace
