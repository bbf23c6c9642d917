// The guide's theme lists: the themes wrapping round and only the one rested
// on going to the screen; a theme's programmes paging in under the full
// guide's waiting circle, their channels and the guide timer dialog on OK.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/Wrapper.h"
#include "Channels/FullEPGDialog.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "ListForm/ThemeLists.h"
#include "Structures/Message.h"
#include "recording_host.h"
#include "simtv.h"

namespace {

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

class Themes : public RecordingTest::RecordingFixture {
 protected:
  static int64_t OnAir() { return Now() - 600; }

  ListForm::EPGThemeProgramList* Programmes(const char* theme) {
    auto* list = VgNew<ListForm::EPGThemeProgramList>();
    list->OnProgramChanged = host->Recorder("OnProgramChanged");
    EmbedIn(&Channels::FullEPGDialog::Class, list, 2);
    list->OnSetTheme(VgNewStringAnsi(theme));
    VgProcessSignals();
    return list;
  }

  ListForm::EPGThemeProgramListItem* Row(int32_t i) const {
    return vg_cast<ListForm::EPGThemeProgramListItem>(embedded->GetCtrlAt(i));
  }
};

TEST_F(Themes, OnlyTheThemeRestedOnGoesToTheScreenAndTheLastWrapsToTheFirst) {
  auto* list = VgNew<ListForm::EPGThemeNameList>();
  list->OnSetOnFocusChanged(host->Recorder("OnFocusChanged"));
  Embed(list);
  EXPECT_EQ(list->DataSource->Num, 12);
  Press(Key::Down);
  Press(Key::Down);
  Advance(499);
  Press(Key::Down);
  EXPECT_EQ(host->Count("OnFocusChanged"), 0) << "each move starts the pause again";
  Advance(500);
  ASSERT_EQ(host->Count("OnFocusChanged"), 1);
  EXPECT_EQ(Utf8(list->Theme), "News");
  Press(Key::Up);
  Press(Key::Up);
  Press(Key::Up);
  Press(Key::Up);
  Advance(500);
  EXPECT_EQ(Utf8(list->Theme), "Travel") << "the first theme's previous is the last";
  Press(Key::Down);
  Advance(500);
  EXPECT_EQ(Utf8(list->Theme), "Movie");
}

TEST_F(Themes, ATheme20ProgrammesLongOffersEightThenPagesInTheRest) {
  AddProgrammes(7, 1, 20, OnAir(), "Sports");
  AddProgrammes(9, 1, 3, OnAir(), "News");
  ListForm::EPGThemeProgramList* list = Programmes("Sports");
  EXPECT_EQ(list->DataSource->Num, 8);
  EXPECT_EQ(Utf8(Row(0)->Text), "Programme 0");
  EXPECT_EQ(Utf8(Row(0)->channelNumberText.String), "7-1");
  EXPECT_EQ(Utf8(Row(0)->channelNameText.String), "ST");
  for (int i = 0; i < 7; ++i) Press(Key::Down);
  EXPECT_EQ(Cursor(), 7);
  EXPECT_EQ(system->waitingCircle, nullptr);
  Press(Key::Down);
  EXPECT_EQ(Cursor(), 8) << "the ninth after a page is read";
  EXPECT_EQ(list->DataSource->Num, 16);
  EXPECT_TRUE(CircleCameAndWent());
  EXPECT_EQ(Utf8(list->FocusTitle), "Programme 8");
  Press(Key::PageDown);
  Press(Key::PageDown);
  EXPECT_EQ(list->DataSource->Num, 20) << "a page key past the last read reads too";
  for (int i = 0; i < 12; ++i) Press(Key::Down);
  EXPECT_EQ(Cursor(), 19) << "the theme's end: no more, no wrap";
}

TEST_F(Themes, OkOpensTheGuideTimerDialogOnTheProgrammesChannel) {
  AddProgrammes(9, 2, 3, OnAir(), "Movie");
  ListForm::EPGThemeProgramList* list = Programmes("Movie");
  Press(Key::Down);
  Press(Key::Ok);
  auto* dialog = Opened<Record::EPGRecordTimerDialog>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->ParamValue, Constants::XPM_RECORD_SOURCE_TYPE_GUIDE);
  EXPECT_FALSE(dialog->last.isUpdate);
  EXPECT_EQ(Utf8(dialog->caption), "Programme 1");
  SkinBin::Wrapper* wrapper = MainApp::GetWrapper();
  int32_t major = 0;
  int32_t minor = 0;
  SkinBin::Wrapper::SplitChannelNum(wrapper->OnGetTimerChannel(), &major, &minor);
  EXPECT_EQ(major, 9);
  EXPECT_EQ(minor, 2);
  EXPECT_EQ(wrapper->OnGetTimerSource(), 0);
  // Another kind of deletion leaves the programme as it was.
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_DELETE_ITEM;
  message->Param = Constants::DELETE_EPG_RECORD + 1;
  list->HandleMessage(message);
  EXPECT_EQ(Row(1)->RecordType, 0);
}

}  // namespace
