// The rows that take typed values and the pages that switch the set on and
// off, on the booted root and the simulated set.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/Wrapper.h"
#include "Core/Keys.h"
#include "MenuSystem/EntryItems.h"
#include "MenuSystem/MenuSystem.h"
#include "MenuSystem/TimerPages.h"
#include "SkinBin/OptionTypes.h"
#include "SubSystem/Open.h"
#include "Wrapper/TimerRecord.h"
#include "older_pages_fixture.h"
#include "simtv.h"

namespace TimerPagesTest {

using namespace MenuSystem;

int changes = 0;
void CountChange(XObject*, XObject*) { ++changes; }

class TimerPagesTest : public OlderPagesTest::OlderPagesFixture {
 protected:
  void SetUp() override {
    OlderPagesFixture::SetUp();
    changes = 0;
  }
  // Stores a timer of an id on the tuner with these days and duration, enabled or not.
  void StoreTimer(int32_t id, bool enabled, int32_t days, int32_t duration) {
    model->OnSetActiveTimerId(id);
    model->OnSetEnableTimer(enabled);
    model->OnSetTimerDaysOfWeek(days);
    model->OnSetTimerDuration(duration);
    model->OnSetTimerSource(0);
    model->SetTimer(nullptr);
  }
  int32_t Stored(int32_t id, ::Wrapper::TimerValue value) {
    ::Structures::TimerData* timer = model->GetStoredTimer(id);
    return timer ? timer->Values[value] : -1;
  }
};

enum { kEnable = 1, kInput, kChannel, kVolume, kTime, kDone };
constexpr int32_t kRecordingTimer = 5;

TEST_F(TimerPagesTest, ATimeRowStepsToMultiplesOfItsStepAndWrapsAtMinIndex) {
  auto* row = VgNew<TimerSetItem>();
  row->OptionType = SkinBin::OPTION_TYPE_ONTIMER_TIME;
  row->ApplyValue = 0;
  row->ChoiceCount = 100;
  auto stepped = [row](int32_t from, bool up) {
    row->ChoiceIndex = from;
    row->ToggleOption(up);
    return row->ChoiceIndex;
  };
  EXPECT_EQ(stepped(37, true), 40);
  EXPECT_EQ(stepped(40, false), 30);
  EXPECT_EQ(stepped(37, false), 30);
  EXPECT_EQ(stepped(95, true), 0) << "past the last choice: MinIndex";
  EXPECT_EQ(stepped(0, false), 99) << "below MinIndex: the last choice";
  row->MinIndex = 10;
  EXPECT_EQ(stepped(95, true), 10);
  EXPECT_EQ(stepped(10, false), 99);
  row->IndexStep = 0;
  EXPECT_EQ(stepped(37, true), 38) << "a step below 1 counts as 1";
  EXPECT_EQ(stepped(37, false), 36);
  row->ChoiceCount = 1;
  EXPECT_EQ(stepped(37, true), 37) << "one choice: nothing to step";
}

TEST_F(TimerPagesTest, TypedValuesAreWrittenOnlyWhenTheyChangeAndDroppedOnLeavingTheRow) {
  StoreTimer(SkinBin::Wrapper::kOnTimerId, true, 0, 0);
  auto* page = Open<OnTimerMenu>();
  ASSERT_NE(page, nullptr);
  auto* volume = vg_cast<VolumeSetItem>(page->Row(kVolume));
  ASSERT_NE(volume, nullptr);
  volume->OnValueChanged = VgSlot(page, &CountChange);
  Focus(page, kVolume);
  Key(Key::Digit0 + 2);
  EXPECT_TRUE(volume->IsNumberEdit);
  EXPECT_EQ(volume->HelpMask, 0x40202) << "Return, OK, digits while typing";
  EXPECT_FALSE(volume->valueText.Visible);
  Key(Key::Digit0 + 7);
  Key(Key::Ok);
  EXPECT_FALSE(volume->IsNumberEdit);
  EXPECT_EQ(volume->HelpMask, 0x40006);
  EXPECT_EQ(model->OnGetOnTimerVolume(), 27);
  EXPECT_EQ(changes, 1);
  Key(Key::Digit0 + 2);
  Key(Key::Digit0 + 7);
  Key(Key::Ok);
  EXPECT_EQ(changes, 1) << "an equal number writes nothing";

  // Leaving the row in the middle of an entry drops it.
  Focus(page, kTime);
  auto* time = vg_cast<TimerSetItem>(page->Row(kTime));
  const int32_t before = time->ChoiceIndex;
  Key(Key::Digit0 + 1);
  EXPECT_TRUE(time->IsTimeEdit);
  // DOWN clears the digits typed; UP leaves the row.
  Key(Key::Up);
  EXPECT_FALSE(time->IsTimeEdit);
  EXPECT_FALSE(time->entry.Visible);
  EXPECT_EQ(time->ChoiceIndex, before);

  // A channel the set does not have changes nothing.
  Focus(page, kChannel);
  auto* channel = vg_cast<ChannelSetItem>(page->Row(kChannel));
  const int32_t channelValue = channel->Value;
  for (uint16_t digit : {9, 9, 9}) Key(Key::Digit0 + digit);
  EXPECT_TRUE(channel->IsChannelEdit);
  Key(Key::Ok);
  EXPECT_FALSE(channel->IsChannelEdit);
  EXPECT_EQ(channel->Value, channelValue);
  EXPECT_EQ(Shown<OnTimerMenu>(), page);

  // A disabled row never opens its entry.
  model->OnSetEnableTimer(0);
  page->RefreshGrayout();
  Focus(page, kVolume);
  Key(Key::Digit0 + 5);
  EXPECT_FALSE(volume->IsNumberEdit);
}

TEST_F(TimerPagesTest, DoneWritesADailyOnTimerAndNeverTheRecordingTimerLeftActive) {
  StoreTimer(SkinBin::Wrapper::kOnTimerId, true, 0x01, 600);
  StoreTimer(kRecordingTimer, true, 0x02, 1800);
  auto* page = Open<OnTimerMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(page->Row(kVolume)->IsDisabled);
  EXPECT_FALSE(page->Row(kChannel)->IsDisabled) << "the tuner";
  Focus(page, kTime);
  Key(Key::Right);
  EXPECT_EQ(vg_cast<TimerSetItem>(page->Row(kTime))->Value, 10);
  Focus(page, kDone);
  Key(Key::Ok);
  EXPECT_EQ(Shown<OnTimerMenu>(), nullptr) << "Done leaves the page";
  EXPECT_EQ(Stored(SkinBin::Wrapper::kOnTimerId, ::Wrapper::kTimerDays), 0x7F);
  EXPECT_EQ(Stored(SkinBin::Wrapper::kOnTimerId, ::Wrapper::kTimerDuration), 0);
  EXPECT_EQ(Stored(kRecordingTimer, ::Wrapper::kTimerDays), 0x02);
  EXPECT_EQ(Stored(kRecordingTimer, ::Wrapper::kTimerDuration), 1800);
  EXPECT_EQ(model->OnGetOnTimerTime(), 10);
}

TEST_F(TimerPagesTest, TheTimerOffLeavesOnlyItsSwitchAndDoneWhichCancelsTheStoredTime) {
  StoreTimer(SkinBin::Wrapper::kOnTimerId, true, 0, 0);
  model->OnSetOnTimerTime(30);
  StoreTimer(SkinBin::Wrapper::kOnTimerId, false, 0, 0);
  auto* page = Open<OnTimerMenu>();
  ASSERT_NE(page, nullptr);
  for (int32_t n : {kInput, kChannel, kVolume, kTime}) EXPECT_TRUE(page->Row(n)->IsDisabled) << n;
  EXPECT_FALSE(page->Row(kEnable)->IsDisabled);
  EXPECT_FALSE(page->Row(kDone)->IsDisabled);

  // Switching the timer on frees the rows; an input other than the tuner greys the channel.
  Key(Key::Right);
  EXPECT_FALSE(page->Row(kVolume)->IsDisabled);
  model->OnSetTimerSource(1);
  page->RefreshGrayout();
  EXPECT_TRUE(page->Row(kChannel)->IsDisabled);
  Key(Key::Left);

  Focus(page, kDone);
  Key(Key::Ok);
  EXPECT_EQ(model->OnGetOnTimerTime(), 0);
  EXPECT_EQ(Shown<OnTimerMenu>(), nullptr);
}

TEST_F(TimerPagesTest, ThePowerDownPageHasARowPerSourceEachWithItsOwnBit) {
  const int32_t sources[] = {0, 1, 5, 7, 9, 13};
  simtv_setup_set_sources(6, sources);
  // The fixture does not reset the set's inputs: later tests want them back.
  struct Restore {
    ~Restore() { simtv_setup_reset(); }
  } restore;
  model->OnSetNoSignalPowerDown(1 << 5);
  auto* page = Open<NoSignalPowerDownMenu>();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->ItemsNum, 6);
  for (int32_t i = 0; i < 6; ++i) {
    auto* row = vg_cast<SubMenuItemValue>(page->Row(i + 1));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(VgStringToUtf8(row->Text), VgStringToUtf8(model->GetSourceName(sources[i])));
    EXPECT_EQ(row->Value, sources[i] == 5 ? 1 : 0) << i;
  }
  Focus(page, 4);
  Key(Key::Right);
  EXPECT_EQ(model->OnGetNoSignalPowerDown(), (1 << 5) | (1 << 7));
  Focus(page, 3);
  Key(Key::Right);
  EXPECT_EQ(model->OnGetNoSignalPowerDown(), 1 << 7);
}

TEST_F(TimerPagesTest, InStoreUseTheSetNeverPowersItselfDown) {
  model->OnSetLocation(1);
  auto* page = Open<EnergySavingSettingsMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Row(1)->IsDisabled);
  EXPECT_FALSE(page->Row(2)->IsDisabled);
}

}  // namespace TimerPagesTest
