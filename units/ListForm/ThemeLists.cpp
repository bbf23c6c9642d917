#include "ListForm/ThemeLists.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "ListForm/ListModel.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RowColumns.h"
#include "ListForm/TimerHooks.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/GuideData.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, EPGThemeNameCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, EPGThemeNameItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, EPGThemeNameList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, EPGThemeProgramListCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, EPGThemeProgramListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, EPGThemeProgramList, ListForm::ListClass)

namespace ListForm {

namespace {

constexpr ListDef ThemeDef(VgRect bounds, const VgClass* row, bool wrap) {
  return {.bounds = bounds,
          .maxRows = SkinBin::DB_EPGThemeInfo::kPageSize,
          .rowClass = row,
          .pageUpKey = Key::PageUp,
          .pageDownKey = Key::PageDown,
          .wrapAround = wrap,
          .indicators = Indicators::BottomRight,
          .prevBitmap = &Bitmaps::EPG_ListScrollUp,
          .nextBitmap = &Bitmaps::EPG_ListScrollDown};
}

constexpr ListDef kThemeNameList = ThemeDef({0, 0, 250, 228}, &EPGThemeNameItem::Class, true);
// The end loads more of the theme rather than wrap round.
constexpr ListDef kThemeProgramList = ThemeDef({0, 0, 620, 228}, &EPGThemeProgramListItem::Class, false);

constexpr int32_t kThemeTextLeft = 90;
constexpr int32_t kArrowLeft = 230;

SkinBin::DB_EPGThemeInfo* ThemeModel() {
  return ListModel<&SkinBin::Wrapper::OnGetEPGThemeProgramList, &SkinBin::Wrapper::OnSetEPGThemeProgramList>();
}

XObject* ReadThemeName(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<EPGThemeNameCourier>();
  courier->Index = index;
  courier->Text = source->ThemeName(index);
  return courier;
}

XObject* ReadThemeProgramme(ListDataSource*, int32_t index) {
  auto* courier = VgNew<EPGThemeProgramListCourier>();
  courier->Index = index;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  SkinBin::DB_EPGThemeInfo* themes = model->OnGetEPGThemeProgramList();
  if (!themes || themes->GetNumEvents() < 1) {
    SayNoInformation(courier, courier->Description);
    return courier;
  }
  SkinBin::DB_EPGThemeData* programme = themes->GetEvent(index);
  if (!programme) return courier;
  courier->Major = programme->Major;
  courier->Minor = programme->Minor;
  courier->MapId = programme->MapId;
  courier->OnSecondTuner = model->GetCurrentTunerId() != 0;
  courier->ChannelName = programme->StationName;
  TakeProgramme(courier, *courier, programme, programme->MapId, programme->Major, programme->Minor);
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(EPGThemeNameList, ReadThemeName)
LISTFORM_REGISTER_READER(EPGThemeProgramList, ReadThemeProgramme)

// ------------------------------------------------------------ the themes

EPGThemeNameItem::EPGThemeNameItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 250, 27});
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::EPG_ThemeNameFocus);
  OnSetIsDefault(true);
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(kThemeTextLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  // The theme lists keep their rows narrow and cut a long text with the
  // ellipsis by design.
  caption.OnSetEllipsisMeant(true);
  Nonfocused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont);
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont);
  Default_TextFont = VgLoad<Resources::Font>(Fonts::MediumFont);
  iconImage.OnSetVisible(false);
  focusArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::InputListRightArrow));
  focusArrow.OnSetAutoSize(true);
  focusArrow.OnSetVisible(false);
  themeIcon.OnSetVisible(false);
  Add(&themeIcon, 0);
  Add(&focusArrow, 0);
}

XObject* EPGThemeNameItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (auto* theme = vg_cast<EPGThemeNameCourier>(data)) {
    themeIcon.OnSetBitmap(theme->Icon);
    themeIcon.OnSetVisible(theme->Icon != nullptr);
  }
  return taken;
}

void EPGThemeNameItem::HandleFocus(bool focused) {
  ListItem::HandleFocus(focused);
  focusArrow.OnSetVisible(focused);
}

void EPGThemeNameItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  const VgPoint icon = VgGetRectSize(themeIcon.Bounds);
  themeIcon.OnSetBounds(VgSetRectOrigin(themeIcon.Bounds, {10, (h - icon.y) / 2}));
  const int32_t textLeft = std::max(kThemeTextLeft, themeIcon.Bounds.x2 + 10);
  caption.OnSetBounds({textLeft, 0, kArrowLeft - 6, h});
  const VgPoint arrow = VgGetRectSize(focusArrow.Bounds);
  focusArrow.OnSetBounds(VgSetRectOrigin(focusArrow.Bounds, {kArrowLeft, (h - arrow.y) / 2}));
}

EPGThemeNameList::EPGThemeNameList(XObject* link) : ListClass(kThemeNameList, link) {
  OnFocusOption = VgSlotOf<&EPGThemeNameList::DoFocus>(this);
  themeTimer.Setup(RestMs, VgSlotOf<&EPGThemeNameList::TuneToChannel>(this));
}

void EPGThemeNameList::DoFocus(XObject*) { themeTimer.Rest(); }

void EPGThemeNameList::TuneToChannel(XObject*) {
  auto* row = vg_cast<EPGThemeNameItem>(Focus.get());
  if (!row) return;
  Theme = row->Text;
  VgSignal(OnFocusChanged, this);
}

// ------------------------------------------------------- the programmes

EPGThemeProgramListItem::EPGThemeProgramListItem(XObject* link) : ProgrammeRowOf(link, {0, 0, 620, 26}, true) {
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::EPG_ThemeProgramFocus);
  StyleColumnText(channelNumberText, "12-1");
  StyleColumnText(channelNameText, "KQRS");
  for (Views::Text* text : {&dateText, &timeText, &caption, &channelNumberText, &channelNameText})
    text->OnSetEllipsisMeant(true);
  Add(&channelNumberText, 0);
  Add(&channelNameText, 0);
}

XObject* EPGThemeProgramListItem::SetData(XObject* data) {
  XObject* taken = ProgrammeRow::SetData(data);
  if (auto* courier = vg_cast<EPGThemeProgramListCourier>(data)) {
    static_cast<ThemeChannelFields&>(*this) = *courier;
    channelNumberText.OnSetString(RecordTexts::ChannelNumber(Major, Minor));
    channelNameText.OnSetString(ChannelName);
  } else {
    channelNumberText.OnSetString(nullptr);
    channelNameText.OnSetString(nullptr);
  }
  return taken;
}

XObject* EPGThemeProgramListItem::GetData(XObject* data) {
  return CopyOut<EPGThemeProgramListCourier, ProgrammeFields, ThemeChannelFields>(this, data);
}

void EPGThemeProgramListItem::Refresh(XObject* sender) {
  ProgrammeRow::Refresh(sender);
  // These rows keep the 24 px font in either look, in which "May 04" fills
  // the guide's date column: the time stands on from it, and the title from
  // Spanish "01:00am", far enough not to read as one with them.
  LayOutColumns(this, {{&dateText, 10, kDateWidth + 6},
                       {&timeText, 4, kTimeWidth},
                       {&caption, 8, 230},
                       {&recordIcon, 6, 20},
                       {&channelNumberText, 10, 70},
                       {&channelNameText, 6, 0}});
  FollowRowLook(this, {&dateText, &timeText, &channelNumberText, &channelNameText});
}

EPGThemeProgramList::EPGThemeProgramList(XObject* link) : ListClass(kThemeProgramList, link) {
  OnActivateOption = VgSlotOf<&EPGThemeProgramList::ToggleRecord>(this);
  OnFocusOption = VgSlotOf<&EPGThemeProgramList::DoFocus>(this);
  // What becomes of the timers the list's programmes open.
  HearsMessages = true;
}

void EPGThemeProgramList::OnSetTheme(VgString theme) {
  Theme = theme;
  SkinBin::DB_EPGThemeInfo* themes = ThemeModel();
  themes->Theme = theme;
  themes->GetEventInfoByCount(MaxItemNum);
  const int32_t count = std::max(themes->GetNumEvents(), 0);
  OnSetItemNum(std::min(MaxItemNum, count));
  if (!DataSource) {
    auto* source = VgNew<ListDataSource>();
    source->Num = count;
    OnSetDataSource(source);
  } else {
    DataSource->Num = count;
    Reload();
  }
  OnSetCurrentItemIndex(1);
  FocusIndex = 0;
}

bool EPGThemeProgramList::LoadNextPage() {
  SkinBin::DB_EPGThemeInfo* themes = MainApp::GetWrapper()->OnGetEPGThemeProgramList();
  if (!themes || themes->EndReached) return false;
  UpdateThemebyPage();
  return true;
}

// The count is what was read rather than whole pages: a programme gone from
// the guide since the search leaves no empty entry.
void EPGThemeProgramList::UpdateThemebyPage(XObject*) {
  SkinBin::DB_EPGThemeInfo* themes = MainApp::GetWrapper()->OnGetEPGThemeProgramList();
  if (!themes || themes->EndReached) return;
  GuideWaitingCircle circle(this);
  themes->GetEventInfoByPage();
  if (DataSource) DataSource->Num = std::max(themes->GetNumEvents(), 0);
}

void EPGThemeProgramList::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  DoFocus(this);
}

void EPGThemeProgramList::DoFocus(XObject*) { TakeFocus(this); }

void EPGThemeProgramList::ToggleRecord(XObject*) {
  auto* row = vg_cast<EPGThemeProgramListItem>(Focus.get());
  if (!row) return;
  const TimerTarget target{.source = row->OnSecondTuner ? kSecondTunerTimerSource : 0,
                           .channel = SkinBin::Wrapper::UniteChannelNum(row->Major, row->Minor),
                           .mapId = row->MapId};
  OpenProgrammeTimer(this, row, &target);
}

void EPGThemeProgramList::HandleMessage(Structures::Message* message) {
  ListClass::HandleMessage(message);
  FollowTimerMessage(this, message, [](ListBase*, ProgrammeRow* row) {
    if (auto* programme = vg_cast<EPGThemeProgramListItem>(row))
      ReadProgrammeTimer(*programme, programme->MapId, programme->Major, programme->Minor);
  });
}

}  // namespace ListForm
