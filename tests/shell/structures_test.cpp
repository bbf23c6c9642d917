#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "Constants/Constants.h"
#include "Structures/Structures.h"
#include "System/MediaAvailability.h"
#include "WinIDs/WinIDs.h"

using namespace Structures;

namespace ShellTest {

// A list that records its visits and can be told to unlink nodes from inside one.
class VisitList : public DuLinkList {
  VG_CLASS()

 public:
  std::vector<XObject*> visited;
  std::vector<XObject*> unlinkOnVisit;  // data to delete when the first visit happens

  void Visit1(XObject*, DuLinkNode* node) override {
    visited.push_back(node->data);
    for (XObject* data : unlinkOnVisit) DeleteData(data);
    unlinkOnVisit.clear();
  }
};

}  // namespace ShellTest

namespace {

using ShellTest::VisitList;

std::vector<XObject*> Contents(const DuLinkList& list) {
  std::vector<XObject*> out;
  for (int32_t i = 1; DuLinkNode* node = list.GetNode(i); ++i) out.push_back(node->data);
  return out;
}

LocalTime* Time(int32_t year, int32_t month, int32_t day, int32_t hour = 0, int32_t minute = 0, int32_t second = 0) {
  auto* t = VgNew<LocalTime>();
  t->Year = year - 1900;
  t->Month = month - 1;
  t->Day = day;
  t->Hour = hour;
  t->Minute = minute;
  t->Second = second;
  return t;
}

}  // namespace

VG_DEFINE_CLASS(ShellTest, VisitList, Structures::DuLinkList)

TEST(DuLinkList, InsertKeepsEachObjectOnceAndReportsWhereItWent) {
  auto* list = VgNew<DuLinkList>();
  auto* a = VgNew<RefInt>();
  auto* b = VgNew<RefInt>();
  auto* c = VgNew<RefInt>();
  EXPECT_EQ(list->Insert(0, a), 0);  // below 1 appends and reports 0
  EXPECT_EQ(list->Insert(1, b), 1);
  EXPECT_EQ(list->Insert(1, a), 2);  // already listed: its position, nothing added
  EXPECT_EQ(list->Length(), 2);
  EXPECT_EQ(list->Insert(5, c), 3);  // past the end: the tail
  EXPECT_EQ(Contents(*list), (std::vector<XObject*>{b, a, c}));
}

TEST(DuLinkList, DeletesByDataPositionAndNode) {
  auto* list = VgNew<DuLinkList>();
  auto* a = VgNew<RefInt>();
  auto* b = VgNew<RefInt>();
  auto* c = VgNew<RefInt>();
  for (XObject* o : {a, b, c}) list->Insert(0, o);
  EXPECT_EQ(list->DeleteData(nullptr), 0);
  EXPECT_EQ(list->DeleteData(VgNew<RefInt>()), 0);
  EXPECT_EQ(list->DeleteData(b), 2);
  EXPECT_EQ(list->Delete(7), nullptr);
  EXPECT_EQ(list->Delete(2), c);
  list->DeleteNode(list->Sentinel());  // the sentinel stays
  EXPECT_EQ(Contents(*list), std::vector<XObject*>{a});
  list->Clear();
  EXPECT_TRUE(list->Empty());
  EXPECT_EQ(list->GetNode(1), nullptr);
}

TEST(DuLinkList, FindsByCriteriaBoxedIntegersMatchByValue) {
  auto* list = VgNew<DuLinkList>();
  auto* five = VgNew<RefInt>();
  five->Value = 5;
  list->Insert(0, VgNew<RefString>());
  list->Insert(0, five);
  auto* key = VgNew<RefInt>();
  key->Value = 5;
  ASSERT_NE(list->FindNode(key), nullptr);
  EXPECT_EQ(list->FindNode(key)->data.get(), five);
  key->Value = 6;
  EXPECT_EQ(list->FindNode(key), nullptr);
}

TEST(DuLinkList, TraversalSurvivesVisitsThatUnlinkNodes) {
  auto* list = VgNew<VisitList>();
  std::vector<XObject*> items;
  for (int i = 0; i < 5; ++i) items.push_back(VgNew<RefInt>());
  for (XObject* o : items) list->Insert(0, o);

  // The first visit removes its own node and the two that follow it.
  list->unlinkOnVisit = {items[0], items[1], items[2]};
  list->Traverse(nullptr, 1);
  EXPECT_EQ(list->visited, (std::vector<XObject*>{items[0], items[3], items[4]}));

  list->visited.clear();
  list->unlinkOnVisit = {items[4], items[3]};
  list->TraverseBack(nullptr, 1);
  EXPECT_EQ(list->visited, std::vector<XObject*>{items[4]});
  EXPECT_TRUE(list->Empty());
}

TEST(DuLinkList, ListedObjectsSurviveCollection) {
  VgReclaimMemory();
  auto* list = VgNew<DuLinkList>();
  VgLockObject(list);
  auto* a = VgNew<RefString>();
  a->Value = VgNewStringAnsi("kept");
  list->Insert(0, a);
  list->Insert(0, VgNew<RefInt>());
  list->Delete(2);
  const size_t before = VgObjectCount();
  VgReclaimMemory();
  EXPECT_EQ(VgObjectCount(), before - 2);  // the removed node and its data
  EXPECT_EQ(VgStringToUtf8(vg_cast<RefString>(list->GetNode(1)->data)->Value), "kept");
  VgUnlockObject(list);
  VgReclaimMemory();
}

TEST(LocalTime, CountsSecondsSince1970) {
  EXPECT_EQ(Time(2000, 3, 1)->GetTicks(), 951868800);
  EXPECT_EQ(Time(1970, 1, 1)->GetTicks(), 0);
  EXPECT_EQ(Time(2011, 7, 4, 13, 5, 9)->GetTicks(), 1309784709);
  EXPECT_EQ(LocalTime::Month2days(13), 0);
  EXPECT_EQ(LocalTime::MonthLeapYear2days(2), 60);
  EXPECT_EQ(Time(2000, 1, 1)->Difference(nullptr), -1);
  EXPECT_EQ(Time(2000, 1, 2)->Difference(Time(2000, 1, 1)), 86400);
}

TEST(LocalTime, AddTicksCrossesMonthsAndLeapDays) {
  LocalTime* t = Time(2000, 2, 28, 23, 59, 30)->AddTicks(86400);
  EXPECT_EQ(t->Year, 100);
  EXPECT_EQ(t->Month, 1);
  EXPECT_EQ(t->Day, 29);
  EXPECT_EQ(t->Hour, 23);
  EXPECT_EQ(t->Second, 30);
  LocalTime* march = Time(2001, 2, 28)->AddTicks(86400);
  EXPECT_EQ(march->Month, 2);
  EXPECT_EQ(march->Day, 1);
  LocalTime* newYear = Time(2011, 12, 31, 23, 59, 59)->AddTicks(1);
  EXPECT_EQ(newYear->Year, 112);
  EXPECT_EQ(newYear->Month, 0);
  EXPECT_EQ(newYear->Day, 1);
}

// Stepping through 1970 to 2099 converts every date back to its own count,
// past 2038 as well.
TEST(LocalTime, ConversionRoundTripsBeyond2038) {
  LocalTime* t = Time(1970, 1, 1, 7, 30, 15);
  while (t->Year < 200) {
    LocalTime* next = t->AddTicks(13 * 86400 + 3601);
    ASSERT_EQ(next->Ticks64(), t->Ticks64() + 13 * 86400 + 3601)
        << "from year " << t->Year << " month " << t->Month << " day " << t->Day;
    ASSERT_GE(next->Day, 1);
    ASSERT_LE(next->Day, 31);
    ASSERT_LE(next->Month, 11);
    t = next;
  }
  LocalTime* late = Time(2040, 6, 15, 12);
  EXPECT_EQ(late->Ticks64(), 2223374400);
  EXPECT_EQ(late->GetTicks(), static_cast<int32_t>(2223374400u));  // the stored word wraps
  LocalTime* next = late->AddTicks(86400);
  EXPECT_EQ(next->Year, 140);
  EXPECT_EQ(next->Day, 16);
}

TEST(TimerData, DifferenceComparesFieldsThenStart) {
  auto* a = VgNew<TimerData>();
  auto* b = VgNew<TimerData>();
  EXPECT_EQ(a->Settings[3], 1);
  EXPECT_EQ(a->Difference(b), 0);  // no start time
  a->StartTime = Time(2011, 5, 1, 20, 0, 1);
  b->StartTime = Time(2011, 5, 1, 20, 0, 0);
  a->Index = 3;  // not compared
  EXPECT_EQ(a->Difference(b), 1);
  EXPECT_EQ(b->Difference(a), 0);
  EXPECT_EQ(a->Difference(nullptr), 0);
  b->StartTime = a->StartTime;
  b->Values[5] = 9;
  EXPECT_EQ(a->Difference(b), 1);
  b->Values[5] = 0;
  b->Flag = 1;
  EXPECT_EQ(a->Difference(b), 1);
}

TEST(Records, DefaultsAndEmbeddedRecords) {
  EXPECT_EQ(VgNew<Message>()->Param, -1);
  auto* all = VgNew<AllActiveAppStatus>();
  VgLockObject(all);
  all->Apps[7].Name = VgNewStringAnsi("app");
  VgReclaimMemory();  // embedded records live and die with their owner
  EXPECT_EQ(VgStringToUtf8(all->Apps[7].Name), "app");
  VgUnlockObject(all);
}

TEST(Constants, MessageCodesAreDistinctAndInRange) {
  for (size_t i = 0; i < std::size(Constants::kMessageCodes); ++i) {
    const auto& row = Constants::kMessageCodes[i];
    EXPECT_GE(row.value, 0x1F0001);
    EXPECT_LE(row.value, 0x1F0021);
    for (size_t j = 0; j < i; ++j) EXPECT_NE(row.value, Constants::kMessageCodes[j].value) << row.name;
  }
  EXPECT_EQ(Constants::MSG_CHANGE_STATE, 0x1F0009);
  EXPECT_EQ(Constants::MessageCodeName(0x1F001D), "MSG_RECORD_SLEEP_WARNING");
  EXPECT_EQ(Constants::HISTORY_ITEM_TYPE_RF2, 5);
}

TEST(MediaAvailability, KindsAndDebugSwitches) {
  auto* m = VgNew<System::MediaAvailability>();
  EXPECT_FALSE(m->isMusicAvailable());
  m->Music.Counts[3] = -1;
  EXPECT_FALSE(m->isMusicAvailable());
  m->Music.Counts[1] = -1;
  EXPECT_TRUE(m->isMusicAvailable());
  m->Flash.Counts[3] = 5;  // Flash content counts only three
  EXPECT_FALSE(m->isFlashAvailable());
  EXPECT_TRUE(m->debugFlashEnable(true));
  EXPECT_TRUE(m->isFlashAvailable());
  EXPECT_TRUE(m->debugMusicEnable(false));
  EXPECT_FALSE(m->isMusicAvailable());
}

TEST(WinIDs, EveryIdBelongsToAGroupAndOnlyOnePairShares) {
  std::set<int32_t> groups{0x01, 0x02, 0x03, 0x04, 0x05, 0x12};
  std::set<std::string_view> names;
  std::map<int32_t, int> uses;
  for (const auto& row : WinIDs::kWindowIds) {
    EXPECT_TRUE(groups.count(static_cast<int32_t>(static_cast<uint32_t>(row.value) >> 24))) << row.name;
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    ++uses[row.value];
  }
  int shared = 0;
  for (const auto& [id, count] : uses) shared += count > 1;
  EXPECT_EQ(shared, 1);
  EXPECT_EQ(WinIDs::WIN_ID_HelpBar, 0x2000007);
  EXPECT_EQ(WinIDs::WIN_ID_RecordPlaybackFullscreenDialog, 0x1200003C);
}
