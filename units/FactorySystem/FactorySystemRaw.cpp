// The raw commands of FactorySystem::FactorySystem: the rows of RawCommands.h
// run, and the discrete keys checked against the screens open and the set.
#include <string_view>

#include "AppServices/Messages.h"
#include "AppServices/OptionDB.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "FactorySystem/AdjustmentMenu.h"
#include "FactorySystem/DetectLightSensor.h"
#include "FactorySystem/FactorySystem.h"
#include "FactorySystem/RawCommands.h"
#include "FactorySystem/StatusCheck.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/UserRefInt.h"
#include "SkinBin/Wrapper.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgtrace.h"

namespace FactorySystem {

namespace {

constexpr const char* kScreen = "FactorySystem::FactorySystem";
constexpr int32_t kMainWindow = 0;
constexpr int32_t kLocalDimmingModes = 3;
// The item of the setup menu that the tuner's input changes show.
constexpr int32_t kSetupMenuTunerItem = 3;
// The widget of the widget application that must not be interrupted.
constexpr const char16_t* kFirstUseWidget = u"OOBE";

constexpr int32_t kMediaListScreens[] = {WinIDs::WIN_ID_PhotoMultiView, WinIDs::WIN_ID_MovieListView,
                                         WinIDs::WIN_ID_MusicListView, WinIDs::WIN_ID_MusicPlayer,
                                         WinIDs::WIN_ID_MusicPlayerDMR};
constexpr int32_t kPhotoScreens[] = {WinIDs::WIN_ID_PhotoSingleView, WinIDs::WIN_ID_PhotoSingleViewDMR,
                                     WinIDs::WIN_ID_PhotoFrame};
constexpr int32_t kMoviePlayers[] = {WinIDs::WIN_ID_MoviePlayer, WinIDs::WIN_ID_MoviePlayerDMR};
// The picture modes a photo screen still takes.
constexpr uint32_t kPhotoPictureModes[] = {0x40BE50, 0x40BE51, 0x40BFCD, 0x40BFCE};

template <size_t N>
bool AnyOpen(const int32_t (&ids)[N]) {
  ::WidgetManager::WidgetManager* manager = MainApp::GetWidgetManager();
  for (int32_t id : ids)
    if (manager->FindForm(id)) return true;
  return false;
}

template <size_t N>
bool OneOf(uint32_t code, const uint32_t (&codes)[N]) {
  for (uint32_t c : codes)
    if (c == code) return true;
  return false;
}

bool IsAction(uint32_t code, RawAction action) {
  const RawCommand* row = FindRawCommand(code);
  return row && row->action == action;
}

bool IsMute(uint32_t code) { return IsAction(code, RawAction::Mute); }

bool IsFirstUseWidget(SkinBin::Wrapper* model) {
  return VgCompString(model->GetYahooWidgetName(), const_cast<char16_t*>(kFirstUseWidget)) == 0;
}

// The index of the item whose value is value, or -1; the record is left at it.
int32_t IndexOfValue(OptionDatabase::OptionDataClass* option, int32_t value) {
  for (int32_t index = 0; index < option->OnGetNum(); ++index) {
    option->Id = index;
    option->Id2Value();
    if (option->Value == value) return index;
  }
  return -1;
}

void TracePictureChange(RawAction action, int32_t current, int32_t wanted) {
  if (action == RawAction::PictureMode)
    VgTrace("%s%i%s%i", u"*****  Current Pic Mode is", current, u"Set Pic Mode to", wanted);
  else
    VgTrace("%s%i%s%i", u"******  Current Pic Size is", current, u"Set Pic Size to", wanted);
}

}  // namespace

void FactorySystem::ProcessFacRawCommand(uint32_t code) {
  const RawCommand* row = FindRawCommand(code);
  if (!row) return;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  switch (row->action) {
    case RawAction::Mute:
    case RawAction::PictureMode:
    case RawAction::PictureSize:
    case RawAction::Source:
      if (model->OnGetIsFrozen()) model->OnSetIsFrozen(false);
      if (row->action == RawAction::Mute) {
        SetMute(row->value);
        return;
      }
      if (!DiscreteKeyNeedHandled(code)) return;
      if (IsDiscreteKeyNotAvailable(code)) {
        MainApp::SendMessage(Constants::MSG_SHOW_MESSAGE, &::NonMenuSystem::NonMenuSystem::Class,
                             ::NonMenuSystem::DirectMsgTypeNotAvailable);
        return;
      }
      if (row->action == RawAction::Source)
        SetSource(*row);
      else
        SetOptionValue(*row);
      return;
    case RawAction::Key:
      SendKey(static_cast<uint16_t>(row->value));
      return;
    case RawAction::ResetAudioVideo:
      model->ResetAudioVideoSettings();
      return;
    case RawAction::StatusCheck:
      ClearAll();
      if (auto* check = vg_cast<StatusCheck>(SubSystem::Open(this, kStatusCheck))) check->PrintStatusResults();
      return;
    case RawAction::AntCableToggle:
    case RawAction::AntCableSet: {
      if (!model->IsTunerSource()) return;
      const int32_t input = model->OnGetAntCableIn();
      if (row->action == RawAction::AntCableSet && input == row->value) return;
      ClearAll();
      if (row->action == RawAction::AntCableSet)
        model->OnSetAntCableIn(row->value);
      else if (input == 0 || input == 1)
        model->OnSetAntCableIn(1 - input);
      OpenMenuPage(kSetupMenu, kSetupMenuTunerItem);
      return;
    }
    case RawAction::ClearAll:
      ClearAll();
      return;
    case RawAction::AutoBrightnessToggle:
      if (model->OnGetVideoPreset() == 0) return;
      ClearAll();
      model->OnSetAutoBrightnessSensor(model->OnGetAutoBrightnessSensor() == 1 ? 0 : 1);
      OpenMenuPage(kAutoBrightnessMenu, 1);
      return;
    case RawAction::DetectLightSensor:
      ClearAll();
      if (model->OnGetAutoBrightnessSensor() == 0) model->OnSetAutoBrightnessSensor(1);
      SubSystem::Open(this, {.screen = &DetectLightSensor::Class});
      return;
    case RawAction::LocalDimming:
      model->OnSetFactoryLocalDimming((model->OnGetFactoryLocalDimming() + 1) % kLocalDimmingModes);
      return;
    case RawAction::FactoryReset:
      Dispatch(VgNew<Events::XPM_EVENT_FACTORY_RESET>());
      return;
    case RawAction::LightSensorOff:
      model->OnSetAutoBrightnessSensor(0);
      return;
    case RawAction::EnterFactoryMode:
      EnterMode("M");
      if (model->OnGetAutoAspect()) {
        ClearAll();
        model->OnSetAutoAspect(0);
        if (model->OnGetStretch43()) model->OnSetStretch43(0);
      }
      return;
    case RawAction::EnterServiceMode:
      EnterMode("S");
      ClearAll();
      SubSystem::Open(this, {.screen = &AdjustmentMenu::Class});
      return;
    case RawAction::LeaveFactoryMode:
      if (IsInFactoryMode()) LeaveMode();
      return;
    case RawAction::LeaveServiceMode:
      if (IsInServiceMode()) LeaveMode();
      return;
  }
}

// A mute value already in force changes nothing; muting shows the mute bar,
// unmuting takes it away.
void FactorySystem::SetMute(int32_t value) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->OnGetMute() == value) return;
  model->OnSetMute(value);
  if (value != 0) {
    SubSystem::Open(this, kMuteBar);
  } else if (Primitives::KeyRoutingForm* bar = MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_MuteBar)) {
    bar->Close();
  }
}

// The picture mode or size: only a value that the option offers (and, for a
// size, under the caption the code names), only when it differs.
void FactorySystem::SetOptionValue(const RawCommand& row) {
  const bool mode = row.action == RawAction::PictureMode;
  OptionDatabase::OptionBinding binding(MainApp::GetOptionDB(),
                                        mode ? SkinBin::OPTION_TYPE_PICTURE_MODE : SkinBin::OPTION_TYPE_PICTURE_SIZE,
                                        kScreen);
  OptionDatabase::OptionDataClass* option = binding.Record();
  if (!option) return;
  option->Initialize();
  const int32_t index = IndexOfValue(option, row.value);
  if (index < 0) return;
  if (row.caption && VgCompString(binding.ChoiceText(index), VgGetVariantOfString(row.caption)) != 0) return;
  const VgRef<int32_t> property = option->OnGetRefValue();
  if (property.IsNull()) return;
  const int32_t current = VgOnGetInt32(property);
  TracePictureChange(row.action, current, row.value);
  if (current == row.value) return;
  ClearAll();
  VgOnSetInt32(property, row.value);
  if (mode) {
    SubSystem::Open(this, kPictureModeOverlay, {.value = SkinBin::OPTION_TYPE_PICTURE_MODE});
  } else {
    SubSystem::Open(this, kPictureSizeDialog);
  }
}

void FactorySystem::SetSource(const RawCommand& row) {
  if (row.sourceType == Constants::XPM_SOURCE_TYPE_NONE) return;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t source = model->GetSourceByType(0, row.sourceType, row.value);
  if (source == -1 || source == model->GetCurrentSource(kMainWindow)) return;
  ClearAll();
  model->SetSource(kMainWindow, source);
}

// A press without its release, as the remote's key would give.
void FactorySystem::SendKey(uint16_t code) {
  auto* key = VgNew<Core::KeyEvent>();
  key->Initialize(code, true);
  Dispatch(key);
}

bool FactorySystem::DiscreteKeyNeedHandled(uint32_t code) {
  if (IsMute(code)) return true;
  if (AnyOpen(kMediaListScreens)) return false;
  const RawCommand* row = FindRawCommand(code);
  if (!row) return false;
  const RawAction action = row->action;
  if (AnyOpen(kPhotoScreens)) return OneOf(code, kPhotoPictureModes);
  if (AnyOpen(kMoviePlayers)) return action != RawAction::Source && code != 0x40BE52 && code != 0x40BE53;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (action == RawAction::Source) {
    if (model->IsYahoo()) {
      if (IsFirstUseWidget(model)) return false;
      model->RequestTVResources();
    } else if (model->IsFlashlite() || model->IsVuduDock()) {
      return false;
    }
  }
  if (action == RawAction::PictureSize && model->IsYahoo()) {
    if (IsFirstUseWidget(model)) return false;
    model->TerminateYahooApp();
  }
  if (action != RawAction::PictureMode) return true;
  return !model->IsYahoo() || !IsFirstUseWidget(model);
}

bool FactorySystem::IsDiscreteKeyNotAvailable(uint32_t code) {
  if (IsMute(code)) return false;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t type = model->GetSourceType(model->GetCurrentSource(kMainWindow));
  const bool home = model->OnGetLocation() == 0;
  const bool moviePlayer = AnyOpen(kMoviePlayers);
  constexpr uint32_t kRfRefused[] = {0x40BE52, 0x40BE53, 0x40BE55, 0x40BE56};
  if (model->IsRFSourceType(type) && OneOf(code, kRfRefused)) return true;
  if (home && code == 0x40BE51 && MainApp::GetWidgetManager()->Empty() && !model->OnGetIsFrozen()) return true;
  const bool lockedInput = (code >= 0x40BF20 && code <= 0x40BF25) || (code >= 0x40BF39 && code <= 0x40BF3C);
  if (model->OnGetInputLock() != 0 && lockedInput) return true;
  if ((AnyOpen(kPhotoScreens) || moviePlayer) && home && code == 0x40BE51) return true;
  if (moviePlayer && (code == 0x40BE55 || code == 0x40BE56)) return true;
  return false;
}

}  // namespace FactorySystem
