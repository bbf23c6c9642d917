#include "ListForm/EPGChannelList.h"

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Fonts/Fonts.h"
#include "ListForm/ChannelRecords.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, EPGChannelCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, EPGChannelItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, EPGChannelList, ListForm::ListClass)

namespace ListForm {

namespace {

// The guide follows the column only where the viewer rests this long.
constexpr int32_t kTuneRest = 500;
// The guide's tuning mode in which the column never tunes.
constexpr int32_t kEpgBrowseOnly = 0;

constexpr ListDef kGuideDef{.bounds = {0, 0, 320, 264},
                              .maxRows = 6,
                              .rowClass = &EPGChannelItem::Class,
                              .pageUpKey = Key::PageUp,
                              .pageDownKey = Key::PageDown,
                              .itemXOffset = 20,
                              .wrapAround = true,
                              .indicators = Indicators::RightEdge,
                              .prevBitmap = &Bitmaps::EPG_ListScrollUp,
                              .nextBitmap = &Bitmaps::EPG_ListScrollDown,
                              .prevBounds = {0, 0, 20, 12},
                              .nextBounds = {0, 0, 20, 12}};

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

XObject* ReadGuideChannel(ListDataSource*, int32_t index) {
  return ReadChannel<EPGChannelCourier>(
      index, [](EPGChannelCourier* courier, SkinBin::ChannelData* record) { courier->LogoIndex = ChannelLogoIndex(record); },
      [](EPGChannelCourier* courier) { courier->LogoIndex = 0; });
}

}  // namespace

LISTFORM_REGISTER_READER(EPGChannelList, ReadGuideChannel)

namespace {

using GuideFields = Fields<EPGChannelCourier, Field<&EPGChannelCourier::ChannelMajor, &EPGChannelItem::ChannelMajor>,
                           Field<&EPGChannelCourier::ChannelMinor, &EPGChannelItem::ChannelMinor>,
                           Field<&EPGChannelCourier::IsDigital, &EPGChannelItem::IsDigital>,
                           Field<&EPGChannelCourier::LogoIndex, &EPGChannelItem::OnSetLogoIndex,
                                 &EPGChannelItem::OnGetLogoIndex>>;

}  // namespace

// ------------------------------------------------------------------- the row

EPGChannelItem::EPGChannelItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 280, VgGetRectH(kGuideDef.bounds) / kGuideDef.maxRows});
  OnSetIsDefault(true);
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  // A channel's name longer than its room ends in "...".
  caption.OnSetEllipsis(true);
  auto* font = VgLoad<Resources::Font>(Fonts::EPGListFont);
  OnSetTextFont(font);
  Nonfocused_TextFont = Default_TextFont = Disabled_TextFont = font;
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::EPGChannelListButtonFocus);
  numberText.OnSetFont(font);
  numberText.OnSetColor(Colors::White);
  numberText.OnSetAlignV(Views::Text::AlignMiddle);
  Add(&numberText, 0);
  logo.OnSetFrameNumber(kPlainLogoFrame);
  Add(&logo, 0);
  rightArrow.OnSetAlignH(1);
  rightArrow.OnSetAlignV(1);
  rightArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::InputListRightArrow));
  rightArrow.OnSetVisible(false);
  Add(&rightArrow, 0);
}

void EPGChannelItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  numberText.OnSetBounds({6, 0, 76, h});
  PlaceCaption();
  logo.OnSetBounds({172, 3, w - 20, h - 3});
  rightArrow.OnSetBounds({w - 18, 0, w - 4, h});
  numberText.OnSetFont(TextFont);
  numberText.OnSetColor(TextColor);
}

void EPGChannelItem::HandleFocus(bool focused) {
  ListItem::HandleFocus(focused);
  rightArrow.OnSetVisible(focused);
}

void EPGChannelItem::OnSetLogoIndex(int32_t value) {
  LogoIndex = value;
  logo.OnSetBitmap(BigLogo(value));
  PlaceCaption();
}

// The name stops before the logo; a channel without one lends its name the
// logo's column, so that a broadcaster's seven-letter name reads whole.
void EPGChannelItem::PlaceCaption() {
  const int32_t h = VgGetRectH(Bounds);
  caption.OnSetBounds({78, 0, logo.OnGetBitmap() ? 170 : VgGetRectW(Bounds) - 20, h});
}

XObject* EPGChannelItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<EPGChannelCourier>(data);
  if (!courier) return taken;
  GuideFields::In(this, courier);
  numberText.OnSetString(Model()->GetChannelNumberStr(courier->IsDigital, ChannelMajor, ChannelMinor));
  return taken;
}

XObject* EPGChannelItem::GetData(XObject* data) {
  EPGChannelCourier* courier = GuideFields::Make(data);
  ListItem::GetData(courier);
  GuideFields::Out(this, courier);
  return courier;
}

// ------------------------------------------------------------------ the list

EPGChannelList::EPGChannelList(XObject* link) : ListClass(kGuideDef, link) {
  OnFocusOption = VgSlotOf<&EPGChannelList::DoFocus>(this);
  tuneTimer.Setup(kTuneRest, VgSlotOf<&EPGChannelList::TuneToChannel>(this));
  busyGuard.Setup(BusyTimeOut, VgSlotOf<&EPGChannelList::EndBusy>(this));
}

void EPGChannelList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  // OK on a row is the form's, as its way out.
  OnActivateOption = OnExit;
  // The guide ring of the medium watched, which holds the channel on air; the
  // other medium's would never show it.
  ChannelTable()->LoadGuideChannelTable(false);
  ListClass::Initialize(parameter);
}

int32_t EPGChannelList::GetItemsNum() {
  SkinBin::ChannelListData* table = ExistingChannelTable();
  return table ? table->GetNumChannels() : 0;
}

int32_t EPGChannelList::GetFocusItemIndex() { return CurrentChannelPosition(GetItemsNum()); }

XObject* EPGChannelList::HandleEvent(Core::Event* event) {
  const uint16_t key = PressedKey(event);
  const bool step =
      key != Key::None && (key == DecreaseKey || key == IncreaseKey || key == PageUpKey || key == PageDownKey);
  if (!IsBusy || !step) return ListClass::HandleEvent(event);
  VgSignal(FocusMove, this);
  return this;
}

void EPGChannelList::DoFocus(XObject*) { tuneTimer.Rest(); }

void EPGChannelList::TuneToChannel(XObject*) {
  auto* row = vg_cast<EPGChannelItem>(Focus.get());
  if (!IsBrowse && Model()->OnGetEPGTuningMode() != kEpgBrowseOnly) {
    SkinBin::ChannelData* record = row ? ChannelAt(row->Index) : nullptr;
    if (!record || IsChannelOnAir(record)) return;
    Model()->SetChannel(record->Major, record->Minor, 1, 0);
    // The guide follows the tuned channel when it is acquired.
    StartBusy();
    return;
  }
  if (!row || !FocusedChannel) return;
  if (FocusedChannel->Major == row->ChannelMajor && FocusedChannel->Minor == row->ChannelMinor) return;
  FocusedChannel->Major = row->ChannelMajor;
  FocusedChannel->Minor = row->ChannelMinor;
  StartBusy();
  VgSignal(OnFocusChanged, this);
}

void EPGChannelList::StartBusy() {
  IsBusy = true;
  busyGuard.Rest();
  WaitingCircle(1);
}

void EPGChannelList::EndBusy(XObject*) {
  busyGuard.Cancel();
  if (!IsBusy) return;
  IsBusy = false;
  WaitingCircle(0);
}

// The guide holds the column in a form of its own: the circle is the
// sub-system's of the first widget up the chain.
void EPGChannelList::WaitingCircle(int32_t mode) {
  for (Core::View* view = owner; view; view = view->owner) {
    auto* guide = vg_cast<NonMenuSystem::WidgetClass>(view);
    if (!guide) continue;
    if (guide->NonMenuSystem) guide->NonMenuSystem->ShowWaitingCircle(mode, 1);
    return;
  }
}

}  // namespace ListForm
