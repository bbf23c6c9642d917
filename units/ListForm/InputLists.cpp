#include "ListForm/InputLists.h"

#include <algorithm>

#include "AppServices/Messages.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "ListForm/ListWidget.h"
#include "ListForm/RecordTexts.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, InputCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, InputItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ExternalInputList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, CecInputCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, CecInputItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, CecInputList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, InputLabelingCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, InputLabelingItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, InputLabelingList, ListForm::ListClass)

namespace ListForm {

namespace {

constexpr const char* kInputDialog = "NonMenuSystem::ExternalInputDialog";
constexpr const char* kCecDialog = "NonMenuSystem::CecInputDialog";
// The focused source is selected this long after the last input key.
constexpr int32_t kTuneRest = 500;
// The height of a row; the pop-ups shrink by it (and the interval) per row
// they do not show.
constexpr int32_t kRowHeight = 28;
constexpr int32_t kMainWindow = 0;

constexpr ListDef kInputDef{.bounds = {0, 0, 280, 280},
                              .maxRows = 10,
                              .rowClass = &InputItem::Class,
                              .listMode = false};
constexpr ListDef kCecDef{.bounds = {0, 0, 250, 168},
                            .maxRows = 6,
                            .rowClass = &CecInputItem::Class,
                            .wrapAround = false};
constexpr ListDef kLabelingDef{.bounds = {0, 0, 480, 272},
                                 .maxRows = 8,
                                 .rowClass = &InputLabelingItem::Class,
                                 .itemXOffset = 20,
                                 .indicators = Indicators::RightEdge,
                                 .prevBitmap = &Bitmaps::OptionButtonUpArrow,
                                 .nextBitmap = &Bitmaps::OptionButtonDownArrow,
                                 .prevBounds = {0, 0, 20, 20},
                                 .nextBounds = {0, 0, 20, 20}};

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

bool IsRF(int32_t type) {
  return type == Constants::XPM_SOURCE_TYPE_RF_TUNER || type == Constants::XPM_SOURCE_TYPE_RF_DIGITAL;
}

// The connectors on which HDMI-CEC devices are looked up and addressed.
bool IsHdmi(int32_t type) {
  return type == Constants::XPM_SOURCE_TYPE_AV_HDMI || type == Constants::XPM_SOURCE_TYPE_AV_DVI;
}

void StyleText(Views::Text* text, VgColor colour) {
  text->OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text->OnSetColor(colour);
  text->OnSetAlignV(Views::Text::AlignMiddle);
}

void StyleImage(Views::Image* image, const VgConstant& bitmap, bool visible) {
  image->OnSetAlignH(1);
  image->OnSetAlignV(1);
  image->OnSetBitmap(VgLoad<Resources::Bitmap>(bitmap));
  image->OnSetVisible(visible);
}

VgRect Column(int32_t x1, int32_t x2, const ListItem* row) { return {x1, 0, x2, VgGetRectH(row->Bounds)}; }

// The input row's columns: the source's badge (30 px), the input's name,
// its device's name a gap after it, the HDMI-CEC mark and the arrow at the
// row's end. The device's name ends a space of its font before the mark's
// picture, whose letters would otherwise read as the end of the name ("AV
// ReceiverCEC"); a name as long as "AV Receiver" reads whole beside "HDMI
// 2", a longer one ends in "...".
constexpr int32_t kBadgeLeft = 4;
constexpr int32_t kBadgeWidth = 30;
constexpr int32_t kNameLeft = kBadgeLeft + kBadgeWidth + 4;
constexpr int32_t kNameRight = 150;
constexpr int32_t kLabelGap = 8;
// The mark's picture leaves a clear pixel on either side, the arrow's one on
// its left: the mark's box ends a pixel into the arrow's, their pictures a
// pixel apart.
constexpr int32_t kCecMarkWidth = 32;
constexpr int32_t kCecMarkMargin = 1;
constexpr int32_t kArrowWidth = 10;
constexpr int32_t kEndInset = 4;

// A row's icon image shows the first input icon; the button's own looks
// are its state bitmaps.
void SetUpRow(ListItem* row, int32_t width) {
  row->OnSetBounds({0, 0, width, kRowHeight});
  row->OnSetTextAlignH(Views::Text::AlignLeft);
  row->OnSetTextGap(8);
  row->caption.OnSetAutoSize(false);
  row->OnSetIcon(VgLoad<Resources::Bitmap>(Bitmaps::InputListSource0));
}

// Whether the viewer may switch to the source now: with the input lock on
// or while a recording holds the tuner only the two tuner inputs are.
bool SourceDisabled(int32_t source, int32_t type) {
  const bool recording = Model()->GetLiveTVState(kMainWindow) == Constants::XPM_TV_STATE_RECORDING_LIVE_TV;
  if (!IsRF(type) && (Model()->OnGetInputLock() || recording)) return true;
  if (!recording) return Model()->GetSourceDisable(source);
  return false;
}

XObject* ReadInput(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<InputCourier>();
  courier->Index = index;
  courier->SourceId = Model()->GetSourceId(index);
  courier->Key = VgNewStringInt(courier->SourceId, 0);
  courier->Text = Model()->GetSourceName(courier->SourceId);
  courier->SourceType = Model()->GetSourceType(courier->SourceId);
  if (Structures::CECDeviceInfo* device = Model()->HdmiCecData.IsCecDeviceConnected(courier->SourceId)) {
    courier->HasCec = 1;
    courier->LabelText = device->DeviceName;
    courier->CecLogicalAddress = device->DeviceNumber;
  } else {
    courier->LabelText = Model()->GetSourceLabel(courier->SourceId);
  }
  courier->disabled = SourceDisabled(courier->SourceId, courier->SourceType);
  if (index < ListDataSource::InputIconCount) courier->IndexImage = source->InputIcon(index);
  return courier;
}

XObject* ReadCecInput(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<CecInputCourier>();
  courier->SourceId = static_cast<int32_t>(source->Param);
  Structures::CECDeviceInfo* device = Model()->HdmiCecData.GetDevInfoBySrcId(courier->SourceId, index);
  if (!device || !device->Present) return courier;
  courier->Text = device->DeviceName;
  courier->Index = index;
  courier->CecLogicalAddress = device->DeviceNumber;
  courier->Key = VgNewStringInt(device->DeviceNumber, 0);
  // The model keeps no device as the one selected: none is marked current.
  courier->IsCurrent = 0;
  return courier;
}

XObject* ReadInputLabeling(ListDataSource*, int32_t index) {
  auto* courier = VgNew<InputLabelingCourier>();
  courier->Index = index;
  courier->SourceId = Model()->GetSourceId(index);
  courier->Key = VgNewStringInt(courier->SourceId, 0);
  courier->Text = Model()->GetSourceName(courier->SourceId);
  courier->LabelText = Model()->GetSourceLabel(courier->SourceId);
  courier->IsSkip = Model()->GetSourceDisable(courier->SourceId);
  courier->CustomLabel = Model()->GetSourceCustomLabel(courier->SourceId);
  courier->LabelChoiceCount = VgGetStringLength(courier->CustomLabel) > 0 ? InputLabelingItem::FixedChoices + 1
                                                                           : InputLabelingItem::FixedChoices;
  return courier;
}

bool Same(VgString a, VgString b) { return VgCompString(a ? a : VgNewString(u""), b ? b : VgNewString(u"")) == 0; }

// The input key steps as the next-row key and selects once the viewer rests.
template <class List>
XObject* StepAsDown(List* list, Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  list->tuneTimer.Cancel();
  key->keyCode = list->IncreaseKey;
  XObject* taken = list->HandleEvent(key);
  key->keyCode = list->StepKey;
  list->tuneTimer.Rest();
  return taken;
}

}  // namespace

LISTFORM_REGISTER_READER(ExternalInputList, ReadInput)
LISTFORM_REGISTER_READER(CecInputList, ReadCecInput)
LISTFORM_REGISTER_READER(InputLabelingList, ReadInputLabeling)

namespace {

using InputFields = Fields<InputCourier, Field<&InputCourier::SourceId, &InputItem::SourceId>,
                           Field<&InputCourier::HasCec, &InputItem::HasCec>,
                           Field<&InputCourier::CecLogicalAddress, &InputItem::CecLogicalAddress>,
                           Field<&InputCourier::LabelText, &InputItem::OnSetLabelText, &InputItem::OnGetLabelText>,
                           Field<&InputCourier::IndexImage, &InputItem::IndexImage>,
                           Field<&InputCourier::SourceType, &InputItem::OnSetSourceType, &InputItem::OnGetSourceType>>;
using CecFields = Fields<CecInputCourier, Field<&CecInputCourier::SourceId, &CecInputItem::SourceId>,
                         Field<&CecInputCourier::CecLogicalAddress, &CecInputItem::CecLogicalAddress>,
                         Field<&CecInputCourier::IsCurrent, &CecInputItem::OnSetIsCurrent, &CecInputItem::OnGetIsCurrent>>;
using LabelingFields =
    Fields<InputLabelingCourier, Field<&InputLabelingCourier::SourceId, &InputLabelingItem::SourceId>,
           Field<&InputLabelingCourier::IsSkip, &InputLabelingItem::OnSetIsSkip, &InputLabelingItem::OnGetIsSkip>,
           Field<&InputLabelingCourier::LabelText, &InputLabelingItem::OnSetLabelText,
                 &InputLabelingItem::OnGetLabelText>,
           Field<&InputLabelingCourier::LabelChoiceCount, &InputLabelingItem::LabelChoiceCount>,
           Field<&InputLabelingCourier::CustomLabel, &InputLabelingItem::CustomLabel>>;

}  // namespace

// ------------------------------------------------------------- input row

InputItem::InputItem(XObject* link) : ListItem(link) {
  SetUpRow(this, VgGetRectW(kInputDef.bounds));
  Focused_Icon = VgLoad<Resources::Bitmap>(Bitmaps::InputDialogButtonFocus);
  // The focused input keeps the rows' font, whose "Component" fits the name's
  // column as the larger focused font's does not; the ring marks the focus.
  // A longer name ends in "...".
  Focused_TextFont = Nonfocused_TextFont;
  caption.OnSetEllipsis(true);
  StyleText(&labelText, Colors::InputLabelStandardTextColor);
  // The design's label, in its font: a device's name (up to 14 characters)
  // longer than the room the row leaves it ends in "..." rather than in
  // half a letter at the column's edge.
  labelText.OnSetEllipsis(true);
  labelText.OnSetEllipsisMeant(true);
  Add(&labelText, 0);
  StyleImage(&typeIcon, Bitmaps::BannerHDMIInput, true);
  Add(&typeIcon, 0);
  StyleImage(&cecMark, Bitmaps::InputListCECImage, false);
  Add(&cecMark, 0);
  StyleImage(&rightArrow, Bitmaps::InputListRightArrow, false);
  Add(&rightArrow, 0);
}

void InputItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t arrowLeft = w - kEndInset - kArrowWidth;
  const int32_t markLeft = arrowLeft + kCecMarkMargin - kCecMarkWidth;
  typeIcon.OnSetBounds(Column(kBadgeLeft, kBadgeLeft + kBadgeWidth, this));
  caption.OnSetBounds(Column(kNameLeft, kNameRight, this));
  // A device's name takes the room the input's name leaves.
  const int32_t nameEnd =
      caption.Font ? kNameLeft + caption.Font->GetTextWidth(caption.shownText, 0, 0) : kNameRight;
  const int32_t space = labelText.Font ? labelText.Font->GetGlyphAdvance(u' ').x : 0;
  labelText.OnSetBounds(Column(std::min(nameEnd, kNameRight) + kLabelGap, markLeft + kCecMarkMargin - space, this));
  cecMark.OnSetBounds(Column(markLeft, markLeft + kCecMarkWidth, this));
  rightArrow.OnSetBounds(Column(arrowLeft, arrowLeft + kArrowWidth, this));
  cecMark.OnSetVisible(HasCec);
  rightArrow.OnSetVisible(HasCec && focused);
}

void InputItem::HandleFocus(bool focus) {
  ListItem::HandleFocus(focus);
  focused = focus;
  rightArrow.OnSetVisible(HasCec && focused);
}

void InputItem::RefreshCtrlState(int32_t look) {
  ListItem::RefreshCtrlState(look);
  switch (look) {
    case LookDisabled:
      labelText.OnSetColor(Colors::DisableTextColor);
      break;
    case LookDefault:
      labelText.OnSetColor(Colors::InputLabelDefaultTextColor);
      break;
    default:
      labelText.OnSetColor(Colors::InputLabelStandardTextColor);
      break;
  }
}

void InputItem::OnSetText(VgString value) {
  ListItem::OnSetText(value);
  VgPostSignal(VgSlotOf<&InputItem::Refresh>(this));
}

void InputItem::OnSetLabelText(VgString value) {
  LabelText = value;
  labelText.OnSetString(value);
}

void InputItem::OnSetSourceType(int32_t value) {
  SourceType = value;
  const VgConstant* icon = RecordTexts::SourceIcon(value);
  typeIcon.OnSetBitmap(icon ? VgLoad<Resources::Bitmap>(*icon) : nullptr);
}

XObject* InputItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (auto* courier = vg_cast<InputCourier>(data)) {
    InputFields::In(this, courier);
    // The look follows IsDisabled, the focus and the selection Enabled.
    OnSetIsDisabled(courier->disabled);
    OnSetEnabled(!courier->disabled);
  }
  return taken;
}

XObject* InputItem::GetData(XObject* data) {
  InputCourier* courier = InputFields::Make(data);
  ListItem::GetData(courier);
  InputFields::Out(this, courier);
  courier->disabled = !Enabled;
  return courier;
}

// ------------------------------------------------------------ input list

ExternalInputList::ExternalInputList(XObject* link) : ListClass(kInputDef, link) {
  StepKey = Key::Input;
  OnActivateOption = VgSlotOf<&ExternalInputList::TuneToSource>(this);
  tuneTimer.Setup(kTuneRest, VgSlotOf<&ExternalInputList::TuneToSource>(this));
}

void ExternalInputList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  // The rows read their CEC marks and device names from the device table:
  // it is read afresh once per list, before the rows.
  LoadCecDevices();
  // The set may have more sources than rows: they scroll, or the last ones
  // would be out of reach.
  ListMode = GetItemsNum() > MaxItemNum;
  ListClass::Initialize(parameter);
  ShrinkToRows(kRowHeight);
}

int32_t ExternalInputList::GetItemsNum() { return Model()->GetValidSourceNum(); }

int32_t ExternalInputList::GetFocusItemIndex() {
  return Model()->GetSourceIndex(Model()->GetCurrentSource(kMainWindow));
}

Forms::Ctrl* ExternalInputList::GetScrolledItem(Forms::Ctrl* row, int32_t direction) {
  if (!row) return nullptr;
  Forms::Ctrl* at = row;
  do {
    Forms::Ctrl* next = direction < 1 ? GetPrevCtrl(at) : GetNextCtrl(at);
    at = next ? next : (direction < 1 ? GetLastCtrl() : GetFirstCtrl());
  } while (at && at != row && !at->Enabled);
  return at;
}

// Scrolling, the rows take the entries' marks as they pass: the step looks
// for the next entry in reach itself, round the ends, and brings it under
// the focus.
XObject* ExternalInputList::Step(Core::Event* event, int32_t direction) {
  const int32_t count = DataSource ? DataSource->Num : 0;
  if (!ListMode || count < 1) return ListClass::HandleEvent(event);
  const int32_t from = DataSource->Cursor;
  int32_t at = from;
  do {
    at = (at + direction + count) % count;
  } while (at != from && vg_cast<InputCourier>(ReadInput(DataSource, at))->disabled);
  if (at != from) {
    OnSetCurrentItemIndex(at + 1);
    VgSignal(OnFocusOption, this);
  }
  return KeyHandled();
}

XObject* ExternalInputList::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::CEC_EVENT_NAME_UPDATED>(event)) {
    Model()->HdmiCecData.InitDevList();
    Reload();
    return this;
  }
  const uint16_t key = PressedKey(event);
  if (key == Key::None) return ListClass::HandleEvent(event);
  if (key == IncreaseKey || key == DecreaseKey) {
    tuneTimer.Cancel();
    return Step(event, key == IncreaseKey ? 1 : -1);
  }
  if (key == Key::Right) {
    ProcessRightKey();
    return this;
  }
  if (key == StepKey) return StepAsDown(this, event);
  return ListClass::HandleEvent(event);
}

void ExternalInputList::ProcessRightKey() {
  auto* row = vg_cast<InputItem>(Focus.get());
  if (!row || !row->HasCec) return;
  LoadCecDevices();
  const int32_t devices = Model()->HdmiCecData.GetDevNumBySrcId(row->SourceId);
  if (devices == 0) return;
  const VgClass* dialog = VgFindClass(kCecDialog);
  if (!dialog) {
    VgPrint("ListForm::ExternalInputList: no %s to list the devices\n", kCecDialog);
    return;
  }
  // The device pop-up's record: the device count and, as its kind word, the
  // input.
  SubSystem::State* state =
      SubSystem::MakeState({.screen = dialog, .value = devices, .origin = row->SourceId, .asker = this});
  MainApp::SendMessage(Constants::MSG_CHANGE_STATE, &NonMenuSystem::NonMenuSystem::Class, -1, state);
}

void ExternalInputList::LoadCecDevices() {
  if (CecListLoaded) return;
  Model()->HdmiCecData.InitDevList();
  CecListLoaded = true;
}

void ExternalInputList::TuneToSource(XObject*) {
  auto* row = vg_cast<InputItem>(Focus.get());
  if (!row || !row->Enabled) return;
  if (row->SourceId != Model()->GetCurrentSource(kMainWindow)) {
    // The input's device is asked for even when none is known (address 0).
    if (IsHdmi(row->SourceType)) Model()->HdmiCecData.SetHdmiCecAddrEx(row->SourceId, row->CecLogicalAddress, 1);
    Model()->SetSource(kMainWindow, row->SourceId);
  }
  VgSignal(OnExit, this);
}

// ------------------------------------------------------------ device row

CecInputItem::CecInputItem(XObject* link) : ListItem(link) {
  SetUpRow(this, VgGetRectW(kCecDef.bounds));
  // The device pop-up's row pictures are larger than its rows and carry an
  // arrow, which a centred icon showed cut to a stray mark at the row's end:
  // the rows show no icon, and the focused one the input list's plain ring,
  // spread as a frame to the row's own size, behind the caption.
  Default_Icon = Disabled_Icon = Nonfocused_Icon = Focused_Icon = nullptr;
  focusRing.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::InputDialogButtonFocus));
  focusRing.OnSetDrawInterior(false);
  focusRing.OnSetVisible(false);
  Add(&focusRing, 0);
  RestackBack(&focusRing);
  Nonfocused_TextColor = Default_TextColor = Colors::InputListDefaultTextColor;
  Focused_TextColor = Colors::DreskovMenuTextFocused;
  StyleImage(&leftArrow, Bitmaps::InputListLeftArrow, false);
  Add(&leftArrow, 0);
}

void CecInputItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  leftArrow.OnSetBounds(Column(2, 18, this));
  caption.OnSetBounds(Column(20, VgGetRectW(Bounds) - 4, this));
  focusRing.OnSetBounds(Column(0, VgGetRectW(Bounds), this));
}

void CecInputItem::RefreshCtrlState(int32_t look) {
  ListItem::RefreshCtrlState(look);
  focusRing.OnSetVisible(look == LookFocused);
}

void CecInputItem::OnSetIsCurrent(bool value) {
  IsCurrent = value;
  leftArrow.OnSetVisible(value);
}

XObject* CecInputItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<CecInputCourier>(data);
  if (!courier) return taken;
  // The devices are numbered from 1.
  VgString number = VgConcatString(VgNewStringInt(Index + 1, 0), VgNewString(u" "));
  OnSetText(VgConcatString(number, courier->Text ? courier->Text.get() : VgNewString(u"")));
  CecFields::In(this, courier);
  OnSetIsDisabled(courier->disabled);
  OnSetEnabled(!courier->disabled);
  return taken;
}

XObject* CecInputItem::GetData(XObject* data) {
  CecInputCourier* courier = CecFields::Make(data);
  ListItem::GetData(courier);
  CecFields::Out(this, courier);
  courier->disabled = !Enabled;
  return courier;
}

// ----------------------------------------------------------- device list

CecInputList::CecInputList(XObject* link) : ListClass(kCecDef, link) {
  StepKey = Key::Input;
  OnActivateOption = VgSlotOf<&CecInputList::TuneToSource>(this);
  tuneTimer.Setup(kTuneRest, VgSlotOf<&CecInputList::TuneToSource>(this));
}

void CecInputList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* record = parameter ? vg_cast<SkinBin::UserRefInt>(parameter->Param.get()) : nullptr;
  DeviceCount = record ? record->Value : 0;
  if (!DataSource) OnSetDataSource(VgNew<ListDataSource>());
  DataSource->Param = record ? static_cast<uint32_t>(record->Kind) : 0;
  ListClass::Initialize(parameter);
  ShrinkToRows(kRowHeight);
}

int32_t CecInputList::GetItemsNum() { return DeviceCount; }

int32_t CecInputList::GetFocusItemIndex() {
  for (int32_t i = 0; i < DeviceCount; ++i)
    if (auto* courier = vg_cast<CecInputCourier>(ReadCecInput(DataSource, i)); courier && courier->IsCurrent) return i;
  return 0;
}

XObject* CecInputList::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::CEC_EVENT_NAME_UPDATED>(event)) {
    // The input pop-up below, which shows the names too, follows the news
    // itself. A device that came or went leaves the focus on its device.
    ReadAgain([this] {
      Model()->HdmiCecData.InitDevList();
      Reload();
    });
    return this;
  }
  const uint16_t key = PressedKey(event);
  if (key == Key::None) return ListClass::HandleEvent(event);
  if (key == IncreaseKey || key == DecreaseKey) {
    tuneTimer.Cancel();
    const int32_t cursor = DataSource ? DataSource->Cursor : 0;
    Core::View* focused = Focus;
    XObject* taken = ListClass::HandleEvent(event);
    if (Focus.get() != focused || (DataSource && DataSource->Cursor != cursor)) return taken;
    // Past the first or last device: the input pop-up takes the key.
    CloseParentScreen(this, kCecDialog);
    if (const VgClass* dialog = VgFindClass(kInputDialog))
      MainApp::SendMessage(Constants::MSG_EVENT_CACHED, dialog, -1, event);
    return taken;
  }
  if (key == Key::Left) {
    VgSignal(OnExit, this);
    return this;
  }
  if (key == StepKey) return StepAsDown(this, event);
  return ListClass::HandleEvent(event);
}

void CecInputList::TuneToSource(XObject*) {
  auto* row = vg_cast<CecInputItem>(Focus.get());
  if (!row || !row->Enabled) return;
  Model()->HdmiCecData.SetHdmiCecAddr(row->SourceId, row->CecLogicalAddress);
  Model()->SetSource(kMainWindow, row->SourceId);
  MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
}

// --------------------------------------------------------- labelling row

InputLabelingItem::InputLabelingItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, VgGetRectW(kLabelingDef.bounds) - 2 * kLabelingDef.itemXOffset,
               VgGetRectH(kLabelingDef.bounds) / kLabelingDef.maxRows});
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(4);
  caption.OnSetAutoSize(false);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::InputLabelsListButtonFocus);
  ActivateKey = Key::Green;
  StyleImage(&checkBox, Bitmaps::CheckBox, true);
  Add(&checkBox, 0);
  StyleText(&labelText, Colors::White);
  labelText.OnSetAlignH(Views::Text::AlignCentre);
  Add(&labelText, 0);
  StyleImage(&leftArrow, Bitmaps::InputListLeftArrow, false);
  Add(&leftArrow, 0);
  StyleImage(&rightArrow, Bitmaps::InputListRightArrow, false);
  Add(&rightArrow, 0);
  static constexpr const VgConstant* kTranslated[FixedChoices] = {
      nullptr,           nullptr,        &Strings::SID_CABLE,     &Strings::SID_DVD,     &Strings::SID_GAME,
      &Strings::SID_PC, &Strings::SID_RECORDER, &Strings::SID_SATELLITE, &Strings::SID_VCR};
  Choices[0] = VgNewString(u"");
  Choices[1] = VgNewString(u"Air");
  for (int32_t i = 2; i < FixedChoices; ++i) Choices[i] = VgGetVariantOfString(kTranslated[i]);
  OnSetLabelText(nullptr);
}

void InputLabelingItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  checkBox.OnSetBounds(Column(4, 34, this));
  caption.OnSetBounds(Column(36, 180, this));
  leftArrow.OnSetBounds(Column(184, 204, this));
  labelText.OnSetBounds(Column(206, w - 26, this));
  rightArrow.OnSetBounds(Column(w - 24, w - 4, this));
  labelText.OnSetFont(TextFont);
  labelText.OnSetColor(TextColor);
}

void InputLabelingItem::HandleFocus(bool focused) {
  ListItem::HandleFocus(focused);
  leftArrow.OnSetVisible(focused);
  rightArrow.OnSetVisible(focused);
}

void InputLabelingItem::OnSetIsSkip(bool value) {
  IsSkip = value;
  checkBox.OnSetBitmap(VgLoad<Resources::Bitmap>(value ? Bitmaps::CheckBoxCheck : Bitmaps::CheckBox));
}

void InputLabelingItem::OnSetLabelText(VgString value) {
  LabelText = value;
  labelText.OnSetString(VgGetStringLength(value) > 0 ? value : VgNewString(u"--"));
}

bool InputLabelingItem::CustomChosen() const {
  return VgGetStringLength(CustomLabel) > 0 && LabelOptionIndex == LabelChoiceCount - 1;
}

XObject* InputLabelingItem::HandleEvent(Core::Event* event) {
  switch (Core::PressedKey(event)) {
    case Key::Left:
      ChangeLabel(false);
      break;
    case Key::Right:
      ChangeLabel(true);
      break;
    case Key::Red:
      SkipSource();
      break;
    case Key::Ok:
      break;
    default:
      return ListItem::HandleEvent(event);
  }
  VgSignal(FocusMove, this);
  return this;
}

void InputLabelingItem::ChangeLabel(bool forward) {
  if (forward)
    LabelOptionIndex = LabelOptionIndex + 1 >= LabelChoiceCount ? 0 : LabelOptionIndex + 1;
  else
    LabelOptionIndex = LabelOptionIndex > 0 ? LabelOptionIndex - 1 : LabelChoiceCount - 1;
  OnSetLabelText(CustomChosen() ? CustomLabel.get() : Choices[std::min(LabelOptionIndex, FixedChoices - 1)].get());
  Model()->SetSourceLabel(SourceId, LabelText);
}

void InputLabelingItem::SkipSource() {
  OnSetIsSkip(!IsSkip);
  Model()->SetSourceDisable(SourceId, IsSkip);
}

XObject* InputLabelingItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<InputLabelingCourier>(data);
  if (!courier) return taken;
  LabelingFields::In(this, courier);
  // A stored label that matches no choice (a fixed label stored in another
  // menu language) shows as stored and leaves the choice as it was.
  if (VgGetStringLength(CustomLabel) > 0 && Same(LabelText, CustomLabel)) {
    LabelOptionIndex = FixedChoices;
  } else {
    for (int32_t i = 0; i < FixedChoices; ++i)
      if (Same(LabelText, Choices[i])) {
        LabelOptionIndex = i;
        break;
      }
  }
  return taken;
}

XObject* InputLabelingItem::GetData(XObject* data) {
  InputLabelingCourier* courier = LabelingFields::Make(data);
  ListItem::GetData(courier);
  LabelingFields::Out(this, courier);
  return courier;
}

// -------------------------------------------------------- labelling list

InputLabelingList::InputLabelingList(XObject* link) : ListClass(kLabelingDef, link) {
  OnActivateOption = VgSlotOf<&InputLabelingList::DoChangeLabel>(this);
  // The keyboard's answer.
  HearsMessages = true;
}

void InputLabelingList::InitializeItems() {
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* row = vg_cast<InputLabelingItem>(view)) row->FocusMove = FocusMove;
}

int32_t InputLabelingList::GetItemsNum() { return Model()->GetValidSourceNum(); }

void InputLabelingList::DoChangeLabel(XObject* sender) {
  auto* row = vg_cast<InputLabelingItem>(sender);
  if (!row) return;
  AskKeyboard(this, MaxLabelLength, row->CustomChosen() ? row->CustomLabel.get() : nullptr);
}

void InputLabelingList::HandleMessage(Structures::Message* message) {
  VgString text = nullptr;
  if (!TakeKeyboardAnswer(message, &text) || !text) return;
  auto* row = vg_cast<InputLabelingItem>(Focus.get());
  if (!row) return;
  if (Same(text, row->LabelText) && Same(text, row->CustomLabel)) return;
  const bool own = VgGetStringLength(text) > 0;
  row->CustomLabel = text;
  row->LabelChoiceCount = own ? InputLabelingItem::FixedChoices + 1 : InputLabelingItem::FixedChoices;
  row->LabelOptionIndex = own ? InputLabelingItem::FixedChoices : 0;
  row->OnSetLabelText(text);
  Model()->SetSourceLabel(row->SourceId, text);
  Model()->SetSourceCustomLabel(row->SourceId, text);
}

}  // namespace ListForm
