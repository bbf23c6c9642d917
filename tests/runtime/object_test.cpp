#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vgobject.h"
#include "vgslot.h"

namespace ObjTest {

// Records every destructor run, so tests can see what the collector freed.
std::vector<std::string>& Freed() {
  static std::vector<std::string> freed;
  return freed;
}

class Node : public XObject {
  VG_CLASS()
 public:
  Node() { argument = VgInitArgument(); }
  ~Node() override { Freed().push_back(name); }
  void ReInit() override {
    XObject::ReInit();
    ++reinits;
  }
  void Touch(XObject*) { ++touched; }

  VgPtr<Node> next;
  VgPtr<Node> other;
  std::string name;
  int32_t argument = 0;
  int reinits = 0;
  int touched = 0;
};

class Leaf : public Node {
  VG_CLASS()
};

// An object embedded in another one, as a timer lives inside a view.
class Inner : public XObject {
  VG_CLASS()
 public:
  explicit Inner(XObject* link = nullptr) : XObject(link) {}
  void ReInit() override {
    XObject::ReInit();
    ++reinits;
  }
  VgPtr<Node> held;
  int reinits = 0;
};

class Outer : public XObject {
  VG_CLASS()
 public:
  Inner inner{this};
};

// Builds a chain as deep as a long list; the marker must not recurse per link.
class Chain : public XObject {
  VG_CLASS()
 public:
  VgPtr<Chain> next;
};

}  // namespace ObjTest

VG_DEFINE_CLASS(ObjTest, Node, XObject)
VG_DEFINE_CLASS(ObjTest, Leaf, ObjTest::Node)
VG_DEFINE_CLASS(ObjTest, Inner, XObject)
VG_DEFINE_CLASS(ObjTest, Outer, XObject)
VG_DEFINE_CLASS(ObjTest, Chain, XObject)

namespace {

using ObjTest::Freed;
using ObjTest::Node;

Node* Make(const char* name) {
  Node* n = VgNew<Node>();
  n->name = name;
  return n;
}

// Every test starts and ends with an empty heap.
class Runtime : public testing::Test {
 protected:
  void SetUp() override {
    VgReclaimMemory();
    Freed().clear();
  }
  void TearDown() override {
    for (XObject* o : locked_) VgUnlockObject(o);
    VgReclaimMemory();
    EXPECT_EQ(VgObjectCount(), 0u);
    VgSetLanguage(0);
    VgSetStyles(0);
  }
  void Lock(XObject* o) {
    VgLockObject(o);
    locked_.push_back(o);
  }
  std::vector<XObject*> locked_;
};

TEST_F(Runtime, DescriptorsNameTheClassAndCast) {
  ObjTest::Leaf* leaf = VgNew<ObjTest::Leaf>(42);
  EXPECT_STREQ(VgClassOf(leaf)->name, "ObjTest::Leaf");
  EXPECT_EQ(VgClassOf(leaf)->ancestor, &Node::Class);
  EXPECT_EQ(leaf->argument, 42);
  EXPECT_EQ(vg_cast<Node>(leaf), leaf);
  EXPECT_EQ(vg_cast<ObjTest::Outer>(leaf), nullptr);
  EXPECT_TRUE(vg_is_exactly<ObjTest::Leaf>(leaf));
  EXPECT_FALSE(vg_is_exactly<Node>(leaf));
  EXPECT_EQ(VgCastObject(nullptr, &Node::Class), nullptr);
  EXPECT_THROW(VgCastObject(leaf, nullptr), VgPanicError);
  EXPECT_EQ(VgCastClass(&ObjTest::Leaf::Class, &XObject::Class), &ObjTest::Leaf::Class);
  EXPECT_EQ(VgCastClass(&Node::Class, &ObjTest::Leaf::Class), nullptr);
  EXPECT_EQ(VgCastClass(nullptr, &Node::Class), nullptr);
  EXPECT_EQ(VgCastClass(&Node::Class, nullptr), &Node::Class);
  EXPECT_THROW(VgNewObjectIndirect(nullptr, 0), VgPanicError);
}

TEST_F(Runtime, CollectorKeepsWhatTheRootSetReaches) {
  Node* root = Make("root");
  Node* a = Make("a");
  Node* b = Make("b");
  Make("garbage");
  root->next = a;
  a->next = b;
  b->other = root;  // a cycle back to the root
  Lock(root);
  VgReclaimMemory();
  EXPECT_EQ(Freed(), std::vector<std::string>{"garbage"});
  EXPECT_EQ(VgObjectCount(), 3u);

  a->next = nullptr;  // b becomes unreachable, cycle and all
  VgReclaimMemory();
  EXPECT_EQ(Freed().back(), "b");
  EXPECT_EQ(VgObjectCount(), 2u);
}

TEST_F(Runtime, EmptyRootSetFreesEverythingAndDiscardsSignals) {
  Node* n = Make("posted");
  VgPostSignal(VgSlotOf<&Node::Touch>(n));
  VgIdleSignal(VgSlotOf<&Node::Touch>(n));
  VgReclaimMemory();
  EXPECT_EQ(VgObjectCount(), 0u);
  EXPECT_EQ(VgAnyPendingSignals(), 0);
  EXPECT_EQ(VgProcessSignals(), 0);
}

TEST_F(Runtime, PostedSignalKeepsItsObjectButObserverDoesNot) {
  Lock(Make("anchor"));  // a non-empty root set, so signals are not discarded
  Node* posted = Make("posted");
  Node* observer = Make("observer");
  VgPostSignal(VgSlotOf<&Node::Touch>(posted));
  ASSERT_EQ(VgAttachObserver(VgSlotOf<&Node::Touch>(observer), 7), 1);
  VgReclaimMemory();
  EXPECT_EQ(Freed(), std::vector<std::string>{"observer"});
  VgNotifyObservers(7);  // the dropped observer must not call a freed object
  EXPECT_EQ(VgProcessSignals(), 1);
  EXPECT_EQ(posted->touched, 1);
  VgReclaimMemory();
  EXPECT_EQ(Freed().back(), "posted");
}

TEST_F(Runtime, ObserverOfACollectedObjectIsDropped) {
  Node* watcher = Make("watcher");
  Lock(watcher);
  Node* watched = Make("watched");
  ASSERT_EQ(VgAttachObjObserver(VgSlotOf<&Node::Touch>(watcher), watched, 1), 1);
  VgReclaimMemory();
  EXPECT_EQ(Freed(), std::vector<std::string>{"watched"});
  // The record is gone: attaching the same observer to a new object works and
  // detaching the old one finds nothing.
  EXPECT_EQ(VgDetachObjObserver(VgSlotOf<&Node::Touch>(watcher), watched, 1), 0);
}

TEST_F(Runtime, RootSetHoldsSixteenAndLocksCount) {
  Node* n = Make("n");
  VgLockObject(n);
  VgLockObject(n);
  VgUnlockObject(n);
  VgReclaimMemory();
  EXPECT_TRUE(Freed().empty()) << "one lock must still hold it";
  VgUnlockObject(n);
  EXPECT_THROW(VgUnlockObject(n), VgPanicError);
  VgLockObject(nullptr);
  VgUnlockObject(nullptr);

  std::vector<Node*> many;
  for (int i = 0; i < 16; ++i) {
    many.push_back(Make("x"));
    VgLockObject(many.back());
  }
  EXPECT_THROW(VgLockObject(n), VgPanicError);
  for (Node* m : many) VgUnlockObject(m);
}

TEST_F(Runtime, EmbeddedObjectsAreTracedThroughTheirOuterObject) {
  auto* outer = VgNew<ObjTest::Outer>();
  Lock(outer);
  outer->inner.held = Make("held by inner");
  EXPECT_EQ(outer->inner.Link(), outer);
  VgReclaimMemory();
  EXPECT_TRUE(Freed().empty());
  EXPECT_TRUE(VgIsMarked(&outer->inner));

  // A slot on the embedded object keeps the outer object alive.
  locked_.clear();
  VgUnlockObject(outer);
  Lock(Make("anchor"));
  VgPostSignal(VgSlot(&outer->inner, [](XObject*, XObject*) {}));
  VgReclaimMemory();
  EXPECT_TRUE(Freed().empty());
  VgProcessSignals();
  VgReclaimMemory();
  EXPECT_EQ(Freed(), std::vector<std::string>{"held by inner"});
}

TEST_F(Runtime, DeepChainsMarkWithoutRecursion) {
  auto* head = VgNew<ObjTest::Chain>();
  Lock(head);
  ObjTest::Chain* tail = head;
  for (int i = 0; i < 200000; ++i) {
    auto* c = VgNew<ObjTest::Chain>();
    tail->next = c;
    tail = c;
  }
  VgReclaimMemory();
  EXPECT_EQ(VgObjectCount(), 200001u);
}

TEST_F(Runtime, PanicInAConstructorLeavesTheHeapConsistent) {
  struct Throwing {
    static void Init(XObject*) { VgPanicAnsi("boom"); }
  };
  static const VgAutoObject kAuto = {&Throwing::Init, nullptr};
  EXPECT_THROW(VgGetAutoObject(&kAuto, &Node::Class), VgPanicError);
  VgReclaimMemory();
  EXPECT_EQ(VgObjectCount(), 0u);
}

// --------------------------------------------------------------- auto objects

int g_autoInits = 0;
const VgAutoObject* g_recursive = nullptr;
void InitCounted(XObject*) { ++g_autoInits; }
void InitRecursive(XObject*) { VgGetAutoObject(g_recursive, &Node::Class); }
const VgAutoObject kCounted = {&InitCounted, nullptr};
const VgAutoObject kRecursive = {&InitRecursive, nullptr};

TEST_F(Runtime, AutoObjectIsMadeOnceAndAnewAfterCollection) {
  g_autoInits = 0;
  XObject* first = VgGetAutoObject(&kCounted, &Node::Class);
  EXPECT_EQ(VgGetAutoObject(&kCounted, &Node::Class), first);
  EXPECT_EQ(g_autoInits, 1);

  Node* holder = Make("holder");
  holder->other = static_cast<Node*>(first);
  Lock(holder);
  VgReclaimMemory();
  EXPECT_EQ(VgGetAutoObject(&kCounted, &Node::Class), first) << "referenced: survives";
  EXPECT_EQ(g_autoInits, 1);

  holder->other = nullptr;
  VgReclaimMemory();
  VgGetAutoObject(&kCounted, &Node::Class);
  EXPECT_EQ(g_autoInits, 2) << "collected: the next access makes a new one";
}

TEST_F(Runtime, FindingAnAutoObjectNeverMakesOne) {
  g_autoInits = 0;
  EXPECT_EQ(VgFindAutoObject(&kCounted), nullptr);
  EXPECT_EQ(g_autoInits, 0);
  XObject* made = VgGetAutoObject(&kCounted, &Node::Class);
  EXPECT_EQ(VgFindAutoObject(&kCounted), made);
}

TEST_F(Runtime, RecursiveAutoObjectAccessPanicsWithItsText) {
  g_recursive = &kRecursive;
  testing::internal::CaptureStdout();
  EXPECT_THROW(VgGetAutoObject(&kRecursive, &Node::Class), VgPanicError);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            "\nPANIC: Recursive access to an auto object performing the initialization\nSystem halted\n");
}

// -------------------------------------------------------- variants, language

struct IntEntry {
  int32_t language;
  int32_t value;
};

TEST_F(Runtime, ConstantsPickTheCurrentLanguageThenTheDefault) {
  static const IntEntry base[] = {{0, 10}, {1, 11}};
  static const IntEntry variantEntries[] = {{0, 20}, {2, 22}};
  static const VgConstant variant = {variantEntries, 2, nullptr};
  static const VgVariant table[] = {{0x4, &variant}, {0, nullptr}};
  static const VgConstant constant = {base, 2, table};
  auto value = [] { return static_cast<const IntEntry*>(VgGetVariantOf(&constant, sizeof(IntEntry)))->value; };

  EXPECT_EQ(value(), 10);
  VgSetLanguage(1);
  EXPECT_EQ(value(), 11);
  VgSetStyles(0x4);  // the variant applies now
  EXPECT_EQ(value(), 11) << "the base's entry for the language beats the variant's default";
  VgSetLanguage(0);
  EXPECT_EQ(value(), 20) << "the last default entry seen wins";
  VgSetLanguage(2);
  EXPECT_EQ(value(), 22);

  static const IntEntry frenchOnly[] = {{1, 5}};
  static const VgConstant none = {frenchOnly, 1, nullptr};
  EXPECT_EQ(VgGetVariantOf(&none, sizeof(IntEntry)), nullptr);
  EXPECT_EQ(VgGetVariantOf(nullptr, sizeof(IntEntry)), nullptr);
}

TEST_F(Runtime, LanguageChangeReinitialisesEveryObjectOnce) {
  Node* n = Make("n");
  auto* outer = VgNew<ObjTest::Outer>();
  Lock(n);
  Lock(outer);
  VgSetLanguage(0);
  EXPECT_EQ(n->reinits, 0) << "same language: nothing happens";
  VgSetLanguage(2);
  EXPECT_EQ(VgGetLanguage(), 2);
  EXPECT_EQ(n->reinits, 1);
  EXPECT_EQ(outer->inner.reinits, 1);
}

TEST_F(Runtime, StyleSets) {
  EXPECT_EQ(VgSetContains(0x6, 0x2), 1);
  EXPECT_EQ(VgSetContains(0x6, 0x3), 0);
  EXPECT_EQ(VgSetContains(0x6, 0), 0);
  EXPECT_EQ(VgStylesContains(0xFF, 0x81), 1);
}

TEST(Debug, PrintWcsEscapesEverythingOutsideAscii) {
  testing::internal::CaptureStdout();
  PrintWcs(u"A b~\u00e9\n");
  PrintWcs(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "A b~\\x00E9\\x000A");
}

}  // namespace
