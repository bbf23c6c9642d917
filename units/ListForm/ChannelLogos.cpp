#include "ListForm/ChannelLogos.h"

#include "AppServices/Messages.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Fonts/Fonts.h"
#include "Forms/ImageIndicator.h"
#include "ListForm/ChannelRecords.h"
#include "ListForm/ListWidget.h"
#include "Primitives/KeyRoutingForm.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ChannelLogoCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ChannelLogoItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ChannelLogoGridView, ListForm::GridView)
VG_DEFINE_CLASS(ListForm, ChannelLogoSettingCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ChannelLogoSettingItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ChannelLogoSettingList, ListForm::ListClass)

namespace ListForm {

namespace {

constexpr const char* kLogoPanel = "Channels::ChannelLogoPanel";
constexpr VgColor kPlateColour{40, 188, 249, 240};
constexpr VgRect kCellBounds{0, 0, 55, 41};
constexpr int32_t kPlateInset = 2;

constexpr ListDef kSettingDef{.bounds = {0, 0, 340, 204},
                                .maxRows = 6,
                                .rowClass = &ChannelLogoSettingItem::Class,
                                .pageUpKey = Key::PageUp,
                                .pageDownKey = Key::PageDown,
                                .itemXOffset = 20,
                                .indicators = Indicators::RightEdge,
                                .prevBitmap = &Bitmaps::OptionButtonUpArrow,
                                .nextBitmap = &Bitmaps::OptionButtonDownArrow,
                                .prevBounds = {0, 0, 20, 20},
                                .nextBounds = {0, 0, 20, 20}};

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

XObject* ReadLogo(ListDataSource*, int32_t index) {
  auto* courier = VgNew<ChannelLogoCourier>();
  courier->Index = index;
  courier->Bitmap = vg_cast<Resources::Bitmap>(Model()->GetBigChannelLogo(index));
  courier->Key = VgNewStringInt(index, 0);
  return courier;
}

XObject* ReadLogoSetting(ListDataSource*, int32_t index) {
  return ReadChannel<ChannelLogoSettingCourier>(
      index,
      [](ChannelLogoSettingCourier* courier, SkinBin::ChannelData* record) { courier->LogoIndex = ChannelLogoIndex(record); },
      [](ChannelLogoSettingCourier* courier) { courier->LogoIndex = 0; });
}

Forms::ImageIndicator* Indicator(Core::Group* grid, const VgConstant& bitmap, VgPoint at) {
  auto* indicator = VgNew<Forms::ImageIndicator>();
  auto* image = VgLoad<Resources::Bitmap>(bitmap);
  const VgPoint size = image->OnGetFrameSize();
  indicator->OnSetBounds({at.x, at.y, at.x + size.x, at.y + size.y});
  indicator->OnSetEnabledBitmap(image);
  grid->Add(indicator, 0);
  return indicator;
}

}  // namespace

LISTFORM_REGISTER_READER(ChannelLogoGridView, ReadLogo)
LISTFORM_REGISTER_READER(ChannelLogoSettingList, ReadLogoSetting)

namespace {

using SettingFields =
    Fields<ChannelLogoSettingCourier, Field<&ChannelLogoSettingCourier::ChannelMajor, &ChannelLogoSettingItem::ChannelMajor>,
           Field<&ChannelLogoSettingCourier::ChannelMinor, &ChannelLogoSettingItem::ChannelMinor>,
           Field<&ChannelLogoSettingCourier::LogoIndex, &ChannelLogoSettingItem::OnSetLogoIndex,
                 &ChannelLogoSettingItem::OnGetLogoIndex>>;

}  // namespace

// ------------------------------------------------------------------ the cell

ChannelLogoItem::ChannelLogoItem(XObject* link) : ListItem(link) {
  OnSetBounds(kCellBounds);
  OnSetText(nullptr);
  caption.OnSetVisible(false);
  backgroundFrame.OnSetVisible(false);
  backgroundImage.OnSetVisible(false);
  auto* source = VgLoad<Resources::Bitmap>(Bitmaps::InputListSource0);
  Default_Icon = Nonfocused_Icon = Focused_Icon = Disabled_Icon = source;
  OnSetIcon(source);
  RestackBack(&iconImage);
  plate.OnSetColor(kPlateColour);
  Add(&plate, 0);
  Add(&logo, 0);
}

void ChannelLogoItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const VgRect inside{kPlateInset, kPlateInset, VgGetRectW(Bounds) - kPlateInset, VgGetRectH(Bounds) - kPlateInset};
  plate.OnSetBounds(inside);
  logo.OnSetBounds(inside);
}

void ChannelLogoItem::OnSetBitmap(Resources::Bitmap* value) {
  Bitmap = value;
  logo.OnSetBitmap(value);
}

XObject* ChannelLogoItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (auto* courier = vg_cast<ChannelLogoCourier>(data)) OnSetBitmap(courier->Bitmap);
  // A logo has no caption.
  OnSetText(nullptr);
  return taken;
}

XObject* ChannelLogoItem::GetData(XObject* data) {
  auto* courier = vg_cast<ChannelLogoCourier>(data);
  if (!courier) courier = VgNew<ChannelLogoCourier>();
  ListItem::GetData(courier);
  courier->Bitmap = Bitmap;
  return courier;
}

// ------------------------------------------------------------------ the grid

ChannelLogoGridView::ChannelLogoGridView(XObject* link) : GridView(link) {
  OnSetBounds({0, 0, 550, 267});
  OnSetItemsPerRow(8);
  TotalRows = 5;
  ItemXOffset = 20;
  ItemYOffset = 15;
  ItemXInterval = 10;
  ItemYInterval = 8;
  WrapAround = true;
  WrapAroundPage = false;
  ItemClass = &ChannelLogoItem::Class;
  OnActivateOption = VgSlotOf<&ChannelLogoGridView::DoActivate>(this);
  focusFrame.OnSetFrameBitmap(VgLoad<Resources::Bitmap>(Bitmaps::LogoPanelFocus));
  focusFrame.OnSetBorderWidth(3);
  focusFrame.OnSetVisible(false);
  Add(&focusFrame, 0);
  OnSetPrevIndicator(Indicator(this, Bitmaps::EPG_ListScrollUp, {265, 1}));
  OnSetNextIndicator(Indicator(this, Bitmaps::EPG_ListScrollDown, {265, 254}));
}

void ChannelLogoGridView::Initialize(Primitives::KeyRoutingParameter* parameter) {
  GridView::Initialize(parameter);
  LoadPages(Logos);
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* cell = vg_cast<ChannelLogoItem>(view)) cell->OnSetFocusFrame(&focusFrame);
  OnSetCurrentItemIndex(1);
  RestackTop(&focusFrame);
}

void ChannelLogoGridView::DoActivate(XObject*) {
  CloseParentScreen(this, kLogoPanel);
  auto* cell = vg_cast<ChannelLogoItem>(Focus.get());
  if (!cell) return;
  MainApp::SendMessage(Constants::MSG_SET_CHANNEL_LOGO, nullptr, cell->Index);
}

// ----------------------------------------------------------- the setting row

ChannelLogoSettingItem::ChannelLogoSettingItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 300, 34});
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(4);
  caption.OnSetAutoSize(false);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelLogoListButtonFocus);
  numberText.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  numberText.OnSetColor(Colors::DialogInfoTextColor);
  numberText.OnSetAlignV(Views::Text::AlignMiddle);
  Add(&numberText, 0);
  logo.OnSetFrameNumber(kPlainLogoFrame);
  Add(&logo, 0);
}

void ChannelLogoSettingItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  caption.OnSetBounds({TextGap, 0, 150, h});
  numberText.OnSetBounds({152, 0, 218, h});
  logo.OnSetBounds({220, 2, VgGetRectW(Bounds) - 2, h - 2});
  numberText.OnSetFont(TextFont);
  numberText.OnSetColor(TextColor);
}

void ChannelLogoSettingItem::OnSetLogoIndex(int32_t value) {
  LogoIndex = value;
  logo.OnSetBitmap(BigLogo(value));
}

XObject* ChannelLogoSettingItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<ChannelLogoSettingCourier>(data);
  if (!courier) return taken;
  SettingFields::In(this, courier);
  numberText.OnSetString(Model()->GetChannelNumberStr(courier->IsDigital, ChannelMajor, ChannelMinor));
  return taken;
}

XObject* ChannelLogoSettingItem::GetData(XObject* data) {
  ChannelLogoSettingCourier* courier = SettingFields::Make(data);
  ListItem::GetData(courier);
  SettingFields::Out(this, courier);
  return courier;
}

// ---------------------------------------------------------- the setting list

ChannelLogoSettingList::ChannelLogoSettingList(XObject* link) : ListClass(kSettingDef, link) {
  OnActivateOption = VgSlotOf<&ChannelLogoSettingList::DoChannelLogoSetting>(this);
  // The panel's logo and the deletion's confirmation.
  HearsMessages = true;
}

int32_t ChannelLogoSettingList::GetItemsNum() { return LoadMasterChannels(); }

void ChannelLogoSettingList::DoChannelLogoSetting(XObject* sender) {
  if (vg_cast<ChannelLogoSettingItem>(sender)) OpenOverWidget(this, kLogoPanel);
}

void ChannelLogoSettingList::HandleMessage(Structures::Message* message) {
  if (!message) return;
  int32_t logoIndex = 0;
  if (message->Code == Constants::MSG_SET_CHANNEL_LOGO) {
    if (message->Param < 0 || message->Param >= ChannelLogoGridView::Logos) {
      VgPrint("ListForm::ChannelLogoSettingList: no logo %d\n", message->Param);
      return;
    }
    logoIndex = message->Param + 1;
  } else if (message->Code != Constants::MSG_DELETE_ITEM || message->Param != Constants::DELETE_CHANNEL_LOGO) {
    return;
  }
  auto* row = vg_cast<ChannelLogoSettingItem>(Focus.get());
  if (!row) return;
  row->OnSetLogoIndex(logoIndex);
  // Stored by the channel's own numbers, which a substitute minor number
  // would hide from the middleware.
  if (const SkinBin::ChannelData* record = ChannelAt(row->Index))
    Model()->SetChannelLogoIndex(record->Major, record->Minor, logoIndex);
  else
    Model()->SetChannelLogoIndex(row->ChannelMajor, row->ChannelMinor, logoIndex);
}

}  // namespace ListForm
