// The window id of every screen that the layer manager tracks. The top byte
// is the screen's group: 0x01 menu pages, 0x02 non-menu widgets and dialogs,
// 0x03 factory screens, 0x04 first-time setup, 0x05 quick menus, 0x12 media
// player and recording playback windows. One pair of screens shares an id.
#pragma once

#include <cstdint>
#include <string_view>

#define WINIDS_WINDOW_IDS(X) \
  X(MenuSystem, 0x1000000) \
  X(MainMenu, 0x1000001) \
  X(NetworkMenu, 0x1000011) \
  X(TimerMenu, 0x1000012) \
  X(MediaPlayerMenu, 0x1000013) \
  X(SettingsMenu, 0x1000015) \
  X(PictureMenu, 0x1000151) \
  X(SoundMenu, 0x1000152) \
  X(ApplicationsMenu, 0x1000153) \
  X(PreferencesMenu, 0x1000154) \
  X(SetupMenu, 0x1000155) \
  X(AdvancedPictureMenu, 0x1001511) \
  X(ExpertPictureMenu, 0x1001512) \
  X(AdvancedSoundSettingsMenu, 0x1001521) \
  X(AppMediaPlayerMenu, 0x1001531) \
  X(AutoDemoMenu, 0x1001532) \
  X(OnTimerMenu, 0x1001534) \
  X(DummyMenu, 0x1001535) \
  X(CECSetupMenu, 0x1001541) \
  X(NetworkSetupMenu, 0x1001542) \
  X(ChBrowserSetupMenu, 0x1001543) \
  X(NetflixSetupMenu, 0x1001544) \
  X(DisplaySettingsMenu, 0x1001545) \
  X(AVConnectionMenu, 0x1001546) \
  X(PINSettingMenu, 0x1001547) \
  X(EnergySavingSettingsMenu, 0x1001548) \
  X(ParentalLocks, 0x1001549) \
  X(AutoInputMenu, 0x100154A) \
  X(ThreeDMenu, 0x100154A) \
  X(TVSettingsMenu, 0x1001551) \
  X(BaseColorAdjustmentMenu, 0x1010000) \
  X(ColorSensorMenu, 0x1015111) \
  X(AutoBrightnessSensorMenu, 0x1015112) \
  X(NoiseReductionMenu, 0x1015113) \
  X(KeldrixPlusMenu, 0x1015114) \
  X(RGBFilterMenu, 0x1015121) \
  X(WhiteBalanceMenu, 0x1015122) \
  X(AudEQMenu, 0x1015211) \
  X(PicturePositionMenu, 0x1015451) \
  X(PCSettingsMenu, 0x1015452) \
  X(HDMISettingsMenu, 0x1015461) \
  X(ThreeDPinMenu, 0x10154A1) \
  X(ThreeDSafetyMenu, 0x10154A2) \
  X(ClosedCaptionMenu, 0x1015511) \
  X(LocalTimeMenu, 0x1015512) \
  X(ZoltaDCR, 0x1015521) \
  X(WhiteBalance2PMenu, 0x1151211) \
  X(WhiteBalance10PMenu, 0x1151212) \
  X(HDMIInputModeMenu, 0x1154611) \
  X(DigitalCCMenu, 0x1155111) \
  X(VolumeBar, 0x2000001) \
  X(ToggleOptionOverlay, 0x2000002) \
  X(AdjustmentBar, 0x2000003) \
  X(ConfirmOneOptionDialog, 0x2000004) \
  X(ConfirmMultiOptionsDialog, 0x2000005) \
  X(ExternalInputDialog, 0x2000006) \
  X(HelpBar, 0x2000007) \
  X(InfoBanner, 0x2000008) \
  X(DirectMessageBar, 0x2000009) \
  X(KeyPad, 0x200000A) \
  X(InputLabelingDialog, 0x200000B) \
  X(ChannelEntry, 0x200000C) \
  X(CecInputDialog, 0x200000D) \
  X(BaseColorAdjustmentBar, 0x200000E) \
  X(BacklightAdjustmentProDialog, 0x200000F) \
  X(MuteBar, 0x2000010) \
  X(PinEntry, 0x2000011) \
  X(ChBrowserDialog, 0x2000012) \
  X(3D_Dialog, 0x2000013) \
  X(UBN_Message, 0x2000014) \
  X(UBN_Updating, 0x2000015) \
  X(AutoTuningConfirmDialog, 0x2000021) \
  X(AutoTuningDialog, 0x2000022) \
  X(AutoTuningErrorDialog, 0x2000023) \
  X(AutoTuningCompleteDialog, 0x2000024) \
  X(ManualTuningDialog, 0x2000025) \
  X(ChannelOptionDialog, 0x2000026) \
  X(NetworkWidget, 0x2000027) \
  X(PictureSizeDialog, 0x2000028) \
  X(BGM_SELECT, 0x2000029) \
  X(DEVICE_INFO, 0x2000030) \
  X(BGM_SETUP_MENU, 0x2000031) \
  X(FullEPGDialog, 0x2000032) \
  X(RecordedShowsDialog, 0x2000033) \
  X(ScheduledRecordDialog, 0x2000034) \
  X(TimeshiftStatusDialog, 0x2000035) \
  X(RecordTimerDialog, 0x2000036) \
  X(EPGRecordTimerDialog, 0x2000037) \
  X(RecordOptionsDialog, 0x2000038) \
  X(ChannelLogoSettingDialog, 0x2000039) \
  X(ChannelLogoPanel, 0x2000040) \
  X(TimerDurationDialog, 0x2000041) \
  X(ConflictTimerDialog, 0x2000042) \
  X(DateSettingDialog, 0x2000043) \
  X(TimeSettingDialog, 0x2000044) \
  X(OptionDialog, 0x2000045) \
  X(QORSystemInfoDialog, 0x2000046) \
  X(SystemInfoDialog, 0x2000047) \
  X(SoftwareLicencesDialog, 0x2000048) \
  X(ColorPad, 0x2000049) \
  X(ScreenSaverWindow, 0x200004A) \
  X(DateTimeDialog, 0x200004B) \
  X(RatingTableDialog, 0x2000060) \
  X(EditDynamicRatings, 0x2000061) \
  X(RRTDimensionDialog, 0x2000062) \
  X(RRTLevelDialog, 0x2000063) \
  X(EditRatingLimits, 0x2000064) \
  X(ModeIndicator, 0x3000001) \
  X(ValueDisplay, 0x3000002) \
  X(FactoryMessage, 0x3000003) \
  X(StatusCheck, 0x3000004) \
  X(AdjustmentMenu, 0x3000005) \
  X(OutOfBox, 0x4000000) \
  X(QuickMenu, 0x5000000) \
  X(PlayerControlMenu, 0x5000001) \
  X(Quick3DSettings, 0x5000002) \
  X(MediaPlayer, 0x12000000) \
  X(PhotoMultiView, 0x12000031) \
  X(PhotoSingleView, 0x12000032) \
  X(PhotoSingleViewDMR, 0x12000033) \
  X(MovieListView, 0x12000034) \
  X(MoviePlayer, 0x12000035) \
  X(MoviePlayerDMR, 0x12000036) \
  X(MusicListView, 0x12000037) \
  X(MusicPlayer, 0x12000038) \
  X(MusicPlayerDMR, 0x12000039) \
  X(PhotoFrame, 0x1200003A) \
  X(RecordPlaybackDialog, 0x1200003B) \
  X(RecordPlaybackFullscreenDialog, 0x1200003C) \
  X(OpenConfirmDialog, 0x1200003D)

namespace WinIDs {

#define WINIDS_DECLARE(name, value) inline constexpr int32_t WIN_ID_##name = value;
WINIDS_WINDOW_IDS(WINIDS_DECLARE)
#undef WINIDS_DECLARE

struct Named {
  std::string_view name;
  int32_t value;
};

#define WINIDS_ROW(name, value) Named{"WIN_ID_" #name, value},
inline constexpr Named kWindowIds[] = {WINIDS_WINDOW_IDS(WINIDS_ROW)};
#undef WINIDS_ROW

}  // namespace WinIDs
