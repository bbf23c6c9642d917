// Option ids, lookup, the record operations and the couriers.
#include <gtest/gtest.h>

#include "OptionDatabase/OptionDatabaseClass.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "options_fixture.h"

namespace {

using OptionDatabase::OptionCourier;
using OptionDatabase::OptionDataClass;
using OptionDatabase::SliderCourier;

TEST_F(Options, ExtendedIdsAreFoundOnlyThroughTheSkinDatabase) {
  OptionDataClass* stagehold = db->GetOptionData(SkinBin::OPTION_TYPE_STAGEHOLD);
  ASSERT_NE(stagehold, nullptr);
  EXPECT_EQ(stagehold->OptionType, SkinBin::OPTION_TYPE_STAGEHOLD);
  EXPECT_EQ(VgStringToUtf8(stagehold->OnGetName()), Text(Strings::SID_STAGEHOLD));

  auto* base = VgNew<OptionDatabase::OptionDatabaseClass>();
  VgLockObject(base);
  EXPECT_EQ(base->GetOptionData(SkinBin::OPTION_TYPE_STAGEHOLD), nullptr);
  EXPECT_NE(base->GetOptionData(OptionDatabase::OPTION_TYPE_VOLUME), nullptr);
  VgUnlockObject(base);
}

TEST_F(Options, MalformedIdsGiveNull) {
  EXPECT_EQ(db->GetOptionData(0x00000003), nullptr);                  // module 0 has no module
  EXPECT_EQ(db->GetOptionData(0x05000000), nullptr);                  // beyond the base table
  EXPECT_EQ(db->GetOptionData(0x7F000000), nullptr);
  EXPECT_EQ(db->GetOptionData(0x0100001E), nullptr);                  // past module 1's 30 options
  EXPECT_EQ(db->GetOptionData(0x01FFFFFF), nullptr);
  EXPECT_EQ(db->GetOptionData(static_cast<int32_t>(0x80000000u)), nullptr);  // extended entry 0 is empty
  EXPECT_EQ(db->GetOptionData(static_cast<int32_t>(0x88000000u)), nullptr);  // beyond the extended table
  EXPECT_EQ(db->GetOptionData(static_cast<int32_t>(0xFF000001u)), nullptr);
  EXPECT_EQ(db->GetOptionData(static_cast<int32_t>(0x81000021u)), nullptr);  // past module 0x81's 33 options
}

TEST_F(Options, EveryModuleHasItsOptionCount) {
  struct Count {
    uint32_t module;
    int32_t options;
  };
  for (Count c : {Count{1, 30}, Count{2, 20}, Count{0x81, 33}, Count{0x82, 8}, Count{0x87, 28}}) {
    ASSERT_NE(db->GetModule(c.module), nullptr) << c.module;
    EXPECT_EQ(db->GetModule(c.module)->OptionCount(), c.options) << c.module;
    for (int32_t i = 0; i < c.options; ++i) {
      int32_t id = OptionDatabase::OptionId(c.module, static_cast<uint32_t>(i));
      OptionDataClass* record = db->GetOptionData(id);
      ASSERT_NE(record, nullptr) << std::hex << id;
      EXPECT_EQ(record->OptionType, id);
    }
  }
}

TEST_F(Options, LookupsShareTheRecordAndEachGetDataMakesANewCourier) {
  OptionDataClass* first = Read(OptionDatabase::OPTION_TYPE_MTS);
  XObject* firstCourier = first->Courier;
  ASSERT_NE(vg_cast<OptionCourier>(firstCourier), nullptr);
  EXPECT_EQ(db->GetOptionData(OptionDatabase::OPTION_TYPE_MTS), first);
  first->GetData();
  EXPECT_NE(first->Courier.get(), firstCourier);
  EXPECT_NE(vg_cast<OptionCourier>(first->Courier), nullptr);
}

TEST_F(Options, OffsetConvertsWithoutConversionSlots) {
  OptionDataClass* brightness = Record(OptionDatabase::OPTION_TYPE_BRIGHTNESS);
  EXPECT_EQ(brightness->OnGetOffset(), 50);
  brightness->Value = 55;
  brightness->Val2Id();
  EXPECT_EQ(brightness->Id, 5);

  OptionDataClass* lipSync = Record(OptionDatabase::OPTION_TYPE_LIP_SYNC);
  EXPECT_EQ(lipSync->OnGetOffset(), 3);
  lipSync->Id = 0;
  lipSync->Id2Value();
  EXPECT_EQ(lipSync->Value, 3);
}

// Values from the settings store and the set may lie anywhere in the 32-bit
// range: a conversion holds at its ends, and a result outside the list names
// no choice.
TEST_F(Options, ConversionsOfValuesAnywhereInTheRangeDoNotOverflow) {
  OptionDataClass* brightness = Record(OptionDatabase::OPTION_TYPE_BRIGHTNESS);
  brightness->Value = INT32_MIN;
  brightness->Val2Id();
  EXPECT_EQ(brightness->Id, INT32_MIN);
  brightness->Id = INT32_MAX;
  brightness->Id2Value();
  EXPECT_EQ(brightness->Value, INT32_MAX);

  OptionDataClass* horizontal = Record(OptionDatabase::OPTION_TYPE_HORIZONTAL_POSITION);
  horizontal->Value = INT32_MIN;
  horizontal->Val2Id();
  EXPECT_EQ(horizontal->Id, (int64_t{INT32_MIN} - 50) / 5);
  horizontal->Id = INT32_MAX;
  horizontal->Id2Value();
  EXPECT_EQ(horizontal->Value, INT32_MAX);

  OptionDataClass* stagehold = Record(SkinBin::OPTION_TYPE_STAGEHOLD);
  for (int32_t hostile : {INT32_MAX, INT32_MIN, -1, 2}) {
    stagehold->Value = hostile;
    stagehold->Val2Id();
    stagehold->GetData();
    EXPECT_EQ(ChoiceText(stagehold), "") << hostile;
  }
}

TEST_F(Options, SlotMethodsIgnoreSendersThatAreNotRecords) {
  OptionDataClass* record = Record(OptionDatabase::OPTION_TYPE_MTS);
  auto* module = db->GetModule(2);
  auto* stranger = VgNew<OptionCourier>();
  module->GetListData(stranger);
  module->GetSliderData(stranger);
  module->TableVal2Id(nullptr);
  EXPECT_EQ(record->Courier.get(), nullptr);
}

TEST_F(Options, RecordsAndCouriersSurviveACollection) {
  OptionDataClass* record = Read(SkinBin::OPTION_TYPE_PICTURE_SIZE);
  OptionDataClass* slider = Read(OptionDatabase::OPTION_TYPE_VOLUME);
  VgReclaimMemory();
  // The records, their couriers and the bound model are reached from the locked database.
  EXPECT_EQ(ChoiceText(record), Text(Strings::SID_NATIVE));
  EXPECT_EQ(vg_cast<SliderCourier>(slider->Courier)->OnGetMax(), 100);
  record->Initialize();
  EXPECT_EQ(VgOnGetInt32(record->OnGetRefValue()), 0);
}

TEST_F(Options, ALanguageChangeReloadsNamesAndChoices) {
  OptionDataClass* mode = Read(OptionDatabase::OPTION_TYPE_MTS);
  OptionDataClass* picture = Read(SkinBin::OPTION_TYPE_PICTURE_MODE);
  OptionDataClass* onOff = Read(OptionDatabase::OPTION_TYPE_AUTO_VOLUME_LEVEL);
  VgSetLanguage(2);
  EXPECT_EQ(VgStringToUtf8(Record(OptionDatabase::OPTION_TYPE_BASS)->OnGetName()), Text(Strings::SID_BASS));
  mode->GetData();
  EXPECT_EQ(ChoiceText(mode), Text(Strings::SID_STEREO));
  onOff->GetData();
  EXPECT_EQ(ChoiceText(onOff), Text(Strings::SID_OFF));
  // A filtered list keeps its filter across the change.
  picture->GetData();
  EXPECT_EQ(picture->OnGetNum(), 7);
  EXPECT_EQ(ChoiceText(picture), Text(Strings::SID_STANDARD));
}

}  // namespace

namespace {

// The option binding's own rules; every other option test reads and writes
// through it (the fixture's Read and Change).
TEST_F(Options, TheBindingReadsAnotherChoiceWithoutMovingAndAnAbsentOptionReadsEmpty) {
  OptionDatabase::OptionBinding equalizer(db, OptionDatabase::OPTION_TYPE_EQUALIZER, "Test");
  const int32_t current = equalizer.Read();
  EXPECT_EQ(VgStringToUtf8(equalizer.ChoiceText(4)), Text(Strings::AudioEqualizerClassical));
  EXPECT_EQ(equalizer.Record()->Id, current);

  OptionDatabase::OptionBinding volume(db, OptionDatabase::OPTION_TYPE_VOLUME, "Test");
  volume.Write(37);
  EXPECT_EQ(volume.ChoiceText(), nullptr) << "a slider has no choice text";
  EXPECT_EQ(volume.Range().value, 37);
  EXPECT_GT(volume.Range().max, volume.Range().min);

  testing::internal::CaptureStdout();
  OptionDatabase::OptionBinding absent(db, OptionDatabase::OptionId(0x82, 0x7F), "Test");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Test: no option 0x8200007F\n");
  EXPECT_FALSE(absent);
  EXPECT_EQ(absent.Read(), 0);
  EXPECT_EQ(absent.Count(), 0);
  absent.Write(1);
}

}  // namespace
