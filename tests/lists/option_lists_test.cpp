// The option list sized by its option and writing the chosen value, and the
// system-information list's lines in the host form.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/Wrapper.h"
#include "ListForm/OptionLists.h"
#include "ListForm/SystemInfoCourier.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/UserRefInt.h"
#include "list_host.h"
#include "xpm.h"

namespace ListTest {
namespace {

using ListForm::OptionList;

class OptionLists : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
  }

  OptionList* EmbedOption(int32_t optionType) {
    auto* option = VgNew<SkinBin::UserRefInt>();
    option->Value = optionType;
    auto* list = VgNew<OptionList>();
    list->OnSetOnValueChanged(host->Recorder("OnValueChanged"));
    return Embed(list, option);
  }
};

TEST_F(OptionLists, TheListFitsItsOptionAndWritesTheChosenValue) {
  XPM_SetTimeZone(4);
  OptionList* zones = EmbedOption(OptionDatabase::OPTION_TYPE_TIME_ZONE_QOR);
  EXPECT_EQ(zones->ItemNum, 6) << "nine zones, six rows";
  EXPECT_EQ(VgGetRectW(zones->Bounds), 220);
  EXPECT_EQ(VgGetRectH(zones->Bounds), 172);
  EXPECT_EQ(VgGetRectW(zones->GetFirstCtrl()->Bounds), 180);
  EXPECT_EQ(Cursor(), 4) << "the zone the set keeps";
  Press(Key::Up);
  Press(Key::Up);
  Press(Key::Ok);
  int32_t zone = -1;
  XPM_GetTimeZone(&zone);
  EXPECT_EQ(zone, 2);
  EXPECT_EQ(host->Count("OnValueChanged"), 1);
  EXPECT_EQ(host->LastSender("OnValueChanged"), zones);

  OptionList* three = EmbedOption(OptionDatabase::OPTION_TYPE_CC_PREFERENCE);
  EXPECT_EQ(three->ItemNum, 3);
  EXPECT_EQ(VgGetRectH(three->Bounds), 3 * 29 - 2);
  EXPECT_EQ(VgGetRectW(three->Bounds), 190);
  EXPECT_EQ(VgGetRectW(three->GetFirstCtrl()->Bounds), 150);
}

TEST_F(OptionLists, AnUnknownOptionShowsNothingAndOkStillAnswers) {
  OptionList* list = EmbedOption(0x7F7F7F7F);
  EXPECT_EQ(list->ItemNum, 0);
  EXPECT_EQ(VgGetRectH(list->Bounds), 0);
  list->DoActivate(list);
  EXPECT_EQ(host->Count("OnValueChanged"), 1);
}

TEST_F(OptionLists, SystemInformationLinesSplitAtTheirSeparatorAndPageButNeverActivate) {
  auto* list = Embed(VgNew<ListForm::SystemInfoList>());
  const int32_t lines = model->SystemInfo.Count;
  ASSERT_GT(lines, 20);
  EXPECT_EQ(list->ItemNum, 10);
  Press(Key::PageDown);
  EXPECT_EQ(Cursor(), 10);
  Press(Key::PageUp);
  EXPECT_EQ(Cursor(), 0);
  host->keys.clear();
  Press(Key::Ok);
  EXPECT_EQ(host->Count("OnActivateOption"), 0);
  EXPECT_TRUE(host->keys.empty()) << "the row takes OK";

  auto* row = vg_cast<ListForm::SystemInfoItem>(list->GetFirstCtrl());
  row->OnSetText(VgNewStringAnsi("  IP Address: 10.0.0.2"));
  auto* line = vg_cast<ListForm::SystemInfoCourier>(row->GetData(nullptr));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(VgStringToUtf8(line->Label), "  IP Address: ");
  EXPECT_EQ(VgStringToUtf8(line->Value), "10.0.0.2");
  row->OnSetText(VgNewStringAnsi("Network"));
  row->GetData(line);
  EXPECT_EQ(VgStringToUtf8(line->Label), "Network");
  EXPECT_EQ(VgStringToUtf8(line->Value), "");
}

}  // namespace
}  // namespace ListTest
