#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Events/Events.h"

namespace {

TEST(Events, EveryClassIsAnEventNamedInItsUnitAndCollectable) {
  auto classes = Events::AllClasses();
  EXPECT_EQ(classes.size(), 72u);
  std::set<std::string> names;
  VgReclaimMemory();
  const size_t before = VgObjectCount();
  for (const VgClass* cls : classes) {
    const std::string name = cls->name;
    EXPECT_EQ(name.rfind("Events::", 0), 0u) << name;
    EXPECT_TRUE(names.insert(name).second) << name;
    XObject* event = VgNewObjectIndirect(cls, 0);
    EXPECT_NE(vg_cast<Core::Event>(event), nullptr) << name;
    EXPECT_EQ(event->GetClass(), cls);
  }
  EXPECT_NE(vg_cast<Core::KeyEvent>(VgNew<Events::XPM_EVENT_KEY>()), nullptr);
  VgReclaimMemory();
  EXPECT_EQ(VgObjectCount(), before);
}

TEST(Events, DefaultsNamedByTheRecords) {
  EXPECT_EQ(VgNew<Events::StatusEvent>()->Code, 1);
  EXPECT_EQ(VgNew<Events::DMRStatusEvent>()->Second, 1);
  auto* acquired = VgNew<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  EXPECT_EQ(acquired->Channel.Major, 0);
  EXPECT_EQ(acquired->Status, 0);
}

// The scan report holds its channels in a fixed array of references: every one
// of them has to be reported to the collector, the last included.
TEST(Events, ScanProgressKeepsAllItsChannelsAlive) {
  auto* scan = VgNew<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>();
  VgLockObject(scan);
  auto* last = VgNew<Structures::VirtualChannel>();
  last->Major = 42;
  scan->Channels[99] = last;
  auto* cached = VgNew<Events::USER_EVENT_CACHED_MESSAGE>();
  VgLockObject(cached);
  cached->Message = VgNew<Structures::Message>();
  cached->Message->Payload = VgNew<Structures::VirtualChannel>();
  VgReclaimMemory();
  EXPECT_EQ(scan->Channels[99]->Major, 42);
  EXPECT_NE(vg_cast<Structures::VirtualChannel>(cached->Message->Payload), nullptr);
  VgUnlockObject(scan);
  VgUnlockObject(cached);
  VgReclaimMemory();
}

TEST(Events, ExportedInitialisersTakeUnsignedSixteenBitValues) {
  auto* status = EventsStatusEvent__Initialize(VgNew<Events::StatusEvent>(), 0xFFFF, 5, 6, 7, 8);
  EXPECT_EQ(status->Code, 65535);
  EXPECT_EQ(status->OnGetSubCode0(), 5);
  EXPECT_EQ(status->OnGetSubCode3(), 8);
  EXPECT_EQ(EventsStatusEvent__Initialize(nullptr, 1, 0, 0, 0, 0), nullptr);

  auto* dmr = EventsDMRStatusEvent__Initialize(VgNew<Events::DMRStatusEvent>(), 0x8001, 2,
                                               VgNewStringAnsi("Renderer"), "Playing");
  EXPECT_EQ(dmr->First, 0x8001);
  EXPECT_EQ(VgStringToUtf8(dmr->Text), "Renderer");
  EXPECT_EQ(VgStringToUtf8(dmr->AnsiText), "Playing");
  EventsDMRStatusEvent__Initialize(dmr, 0, 0, nullptr, nullptr);
  EXPECT_TRUE(dmr->AnsiText.empty());
  EXPECT_TRUE(dmr->Text.empty());
}

}  // namespace
