#!/usr/bin/env bash
# A random walk over the whole set: from live television on the walk's
# fixture set (tests/scenarios/fixtures/walk.fixture, parental and 3D PIN 1234),
# KEYS remote and front-panel keys with middleware events between them, the
# same for the same SEED, under AddressSanitizer with the collector running
# after every step. The walk maps the places it finds (the focused screen,
# what asked for it, its greyed rows and the focused control; greyed rows
# are looked at again after an input switch) and mostly presses what it has
# not pressed yet where it stands, or goes by known keys to the nearest
# place that has something left to try; the rest are a thumb's random keys
# and the middleware's events.
#
#   scripts/monkey.sh [KEYS] [SEED]        (default 20000 keys, seed 1)
#
# It checks what a viewer would meet: after every line, while a screen that
# takes keys is on view, the keys reach a screen on view, the screen with the
# keys is the screen on top that takes keys (of those no such screen covers,
# the one opened last) or a passing notice over it, a help line is drawn only with
# the keys of its screen and the screen with the keys shows its own, no
# screen that opened (by a key, its work, an event or the clock) lies under
# the one that keeps the keys, no
# screen of the USB disk stays listed once the disk went out, a screen
# with a list that gets the keys back focuses the entry it had when it lost
# them, unless that entry is gone (or the player it opened moved on to
# another) or the list says its rules read it afresh, and keeps it through
# the set's events, a line judged by the keys the set took in it; around every
# key, a keyboard, PIN pad or digit editor holding typed text that has the
# keys stays and keeps them, but on its own ways out (OK, BACK, EXIT, CLEAR, a digit that
# completes a PIN) and POWER; the first
# time a screen class is open,
# and at least every five hundred keys, EXIT, CLEAR and a minute leave
# nothing but live television and the screens that by their own definition
# stay (expect cleared).
# It fails on a panic, a sanitizer report, a reset of the set (its watchdog
# or the crash handler), a failed check or a hang (no step ends within
# MONKEY_HANG seconds, default 300), and prints the seed and the walk's last
# 50 lines. It tells
# which of the screens that keys reach from live television it opened.
# TVUI names the program (default: the asan build's, built when missing, on
# TVUI_JOBS cores, and never beside another script's build in build/asan:
# one under way there is waited for, whether the program is there or not);
# MONKEY_OUT the folder for the walk's files (default build/asan/monkey/SEED).
set -uo pipefail
keys=${1:-20000}
seed=${2:-1}
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/jobs.sh"
if [[ ! $keys =~ ^[1-9][0-9]*$ || ! $seed =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/monkey.sh [KEYS] [SEED]" >&2
  exit 2
fi

# Every screen class that keys reach from live television, directly or
# through other screens (a screen: a form that a sub-system shows, not the
# panels and lists inside one, such as the address pages' error note), on
# this set, the service remote's commands that show the older menus'
# preferences and set-up pages included: worked out from the page tables,
# the screens' openers and their ways back. Rows that this set always
# removes lead nowhere (the media renderer's page, the picture size page,
# the colour sensor's page). A screen that a later change makes reachable
# joins the list; where the walk does not reach one, the walk is made
# smarter, the list is not shortened.
screens=(
  Channels::AutoTuningCompleteDialog Channels::AutoTuningConfirmDialog Channels::AutoTuningDialog
  Channels::AutoTuningErrorDialog Channels::ChannelLockDialog Channels::ChannelLogoPanel
  Channels::ChannelLogoSettingDialog Channels::ChannelOptionDialog Channels::FullEPGDialog
  Channels::ManualTuningDialog
  FactorySystem::AdjustmentMenu FactorySystem::ModeIndicator FactorySystem::StatusCheck
  InitialSetup::DaylightSavingDialog InitialSetup::HelpBar InitialSetup::LanguageDialog
  InitialSetup::TimeZoneDialog InitialSetup::TunerSelectDialog
  MediaPlayer::MediaDeviceSelectDialog MediaPlayer::MovieListView MediaPlayer::MoviePlayer
  MediaPlayer::MusicListView MediaPlayer::MusicPlayer MediaPlayer::PhotoFrameSetup
  MediaPlayer::PhotoMultiView MediaPlayer::PhotoSingleView
  MenuSystem::AVConnectionMenu MenuSystem::AdvancedPictureMenu MenuSystem::AdvancedSoundSettingsMenu
  MenuSystem::AudysseyEQMenu MenuSystem::AutoBrightnessSensorMenu MenuSystem::AutoInputMenu
  MenuSystem::BaseColorAdjustmentMenu MenuSystem::BrcmAdvancedSettingsMenu MenuSystem::BrcmAudioMenu
  MenuSystem::BrcmCCMenu MenuSystem::BrcmCECMenu MenuSystem::BrcmChannelsMenu MenuSystem::BrcmDTVCCStyleMenu
  MenuSystem::BrcmDateTimeMenu MenuSystem::BrcmInputMenu MenuSystem::BrcmLocksMenu MenuSystem::BrcmMainMenu
  MenuSystem::BrcmMediaMenu MenuSystem::BrcmNetworkingMenu MenuSystem::BrcmOptionMenu
  MenuSystem::BrcmPictureMenu MenuSystem::BrcmPictureSettingsMenu MenuSystem::BrcmRatingsLocksMenu
  MenuSystem::BrcmRecordMenu MenuSystem::BrcmScaleWindowMenu MenuSystem::BrcmSettingsMenu
  MenuSystem::BrcmTrebleBassMenu MenuSystem::BrcmWPSPinMenu MenuSystem::BrcmWirelessSetup
  MenuSystem::CECSetupMenu MenuSystem::ChBrowserSetupMenu MenuSystem::ChangePinMenu
  MenuSystem::ClosedCaptionMenu MenuSystem::DigitalCCMenu MenuSystem::DisplaySettingsMenu
  MenuSystem::EnergySavingSettingsMenu MenuSystem::EnterPinMenu MenuSystem::ExpertPictureMenu
  MenuSystem::HDMIInputModeMenu MenuSystem::HDMISettingsMenu MenuSystem::KeldrixPlusMenu
  MenuSystem::LocalTimeMenu MenuSystem::NetflixSetupMenu MenuSystem::NetworkMenu MenuSystem::NetworkSetupMenu
  MenuSystem::NoSignalPowerDownMenu MenuSystem::NoiseReductionMenu MenuSystem::PCSettingsMenu
  MenuSystem::PINSettingMenu MenuSystem::ParentalLocksMenu MenuSystem::PictureMenu
  MenuSystem::PicturePositionMenu MenuSystem::PreferencesMenu MenuSystem::RGBFilterMenu MenuSystem::SetupMenu
  MenuSystem::SoundMenu MenuSystem::TVSettingsMenu MenuSystem::WhiteBalance10PMenu
  MenuSystem::WhiteBalance2PMenu MenuSystem::WhiteBalanceMenu
  Network::AdvancedNetworkSetupMenu Network::AssistedSetupInvalidName
  Network::AssistedSetupInvalidWEPKey Network::AssistedSetupInvalidWPAKey Network::AssistedSetupNoApFound
  Network::AssistedSetupSecureError Network::AssistedSetup_ApConnected Network::AssistedSetup_ApInfo
  Network::AssistedSetup_ApList Network::CancelDialog Network::CheckNoEncryption
  Network::ConnectionTestDialog Network::DNSSetupMenu Network::ESNDialog Network::EasySetupMenu
  Network::EasySetupPBC Network::EasySetupPIN Network::EasySetupPIN_ApList Network::EasySetup_ApInfo
  Network::EasySetup_PINApInfo Network::IPAddressSetupMenu Network::IPConfigDialog Network::MACAddressMenu
  Network::ManualSetup_ApConnected Network::ManualSetup_ApInfo Network::NetworkConnectionTest
  Network::NetworkSetupDialog Network::NetworkStatusDialog Network::NetworkTestFail
  Network::NetworkTestSuccess Network::PinEnterDialog Network::WPSGeneratePinDialog Network::WPSPBCDialog
  Network::WirelessAdvancedDialog Network::WirelessInformationMenu Network::WirelessInformation_ApInfo
  Network::WirelessInformation_ApList Network::WirelessScanDialog Network::WirelessSetupMenu
  NonMenuSystem::AdjustmentBar NonMenuSystem::AdjustmentBarQOR NonMenuSystem::AdjustmentBarTint
  NonMenuSystem::BacklightAdjustmentProDialog NonMenuSystem::BaseColorAdjustmentBar
  NonMenuSystem::CecInputDialog NonMenuSystem::ChBrowserDialog NonMenuSystem::ChangePinDialog
  NonMenuSystem::CommonMuteBar NonMenuSystem::CommonVolumeBar NonMenuSystem::ConfirmMultiOptionDialog
  NonMenuSystem::DateSettingDialog NonMenuSystem::DateTimeDialog NonMenuSystem::DirectMessageBar
  NonMenuSystem::EnterPinDialog NonMenuSystem::ExternalInputDialog NonMenuSystem::HelpBar
  NonMenuSystem::InputLabelingDialog NonMenuSystem::KeyPad NonMenuSystem::NoSliderAdjustmentBar
  NonMenuSystem::OptionDialog NonMenuSystem::QORSystemInfoDialog NonMenuSystem::SoftwareLicencesDialog
  NonMenuSystem::SystemInfoDialog NonMenuSystem::TimeSettingDialog NonMenuSystem::ToggleOptionOverlay
  ParentalLocks::CANEnglishRatingsDialog ParentalLocks::CANFrenchRatingsDialog
  ParentalLocks::EditRatingLimits ParentalLocks::RRTDimensionDialog ParentalLocks::RRTLevelDialog
  ParentalLocks::USMovieRatingsDialog ParentalLocks::USTVRatingsDialog
  QuickMenu::Quick3DSettings QuickMenu::QuickMenu
  Record::ConflictTimerDialog Record::EPGRecordTimerDialog Record::PlayOptionsDialog
  Record::RecordOptionsDialog Record::RecordPlaybackDialog Record::RecordPlaybackFullScreenDialog
  Record::RecordTimerDialog Record::RecordedShowsDialog Record::ScheduledRecordDialog
  Record::TimerDurationDialog Record::TimeshiftStatusDialog Record::USBDiskErrorDialog
  Record::USBDiskFormatDialog Record::USBDiskFormatStatusDialog Record::USBDiskStatusDialog
  Record::USBSpeedCheckDialog Record::USBSpeedCheckStatusDialog
  ThreeD::DisplayMode ThreeD::ImportantInfoDialog ThreeD::Select2DFormat ThreeD::SelectFormat
  ThreeD::SelectMode_Button ThreeD::SelectMode_Flag ThreeD::Start3DWizard ThreeD::StartMessage
  ThreeD::ThreeDMenu ThreeD::ThreeDPinMenu ThreeD::ThreeDSafetyMenu
  Update::CheckingMessage Update::UpdatingDialog
)

tvui=${TVUI:-$top/build/asan/tools/tvui/tvui}
# Whether the program is there is asked holding the folder's lock too: while
# another script builds in build/asan, the program may be missing, half
# linked or older than its sources, and the walk waits for that build to end.
build_tvui() {
  [[ -x $tvui ]] && return 0
  cd "$top" && cmake --preset asan >/dev/null && cmake --build --preset asan --target tvui -j "$jobs"
}
if [[ -z ${TVUI:-} ]]; then
  build_locked asan build_tvui || exit 1
fi
out=${MONKEY_OUT:-$top/build/asan/monkey/$seed}
mkdir -p "$out" || exit 1
export VG_GC_STRESS=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/tests/lsan.supp}
export TVUI_ROOT=${TVUI_ROOT:-$out/rootfs}

cat >"$out/walk-start.scn" <<EOF
# Live television on the walk's set, then the walk.
tv fixture $top/tests/scenarios/fixtures/walk.fixture
advance 1000
store SetupStep 9
store Password "1234"
store ThreeDPassword "1234"
store NetworkType "1"
event XPM_EVENT_WAKEUP Reason=1
advance 1000
event XPM_EVENT_RATING_REGION_UPDATED Region=5
walk $keys $seed
EOF
rm -f "$out/walk.scn" "$out/walk-screens.txt"
"$tvui" --scenario "$out/walk-start.scn" --out "$out" --fresh >"$out/log" 2>&1 &
pid=$!

# A hang: the walk's journal has not grown for MONKEY_HANG seconds.
hang=${MONKEY_HANG:-300}
size=-1
still=0
hung=0
while kill -0 "$pid" 2>/dev/null; do
  sleep 1
  now=$(stat -c %s "$out/walk.scn" 2>/dev/null || echo 0)
  if [[ $now == "$size" ]]; then still=$((still + 1)); else still=0 size=$now; fi
  if ((still >= hang)); then
    hung=1
    kill -ABRT "$pid" 2>/dev/null
    sleep 5
    kill -KILL "$pid" 2>/dev/null
    break
  fi
done
wait "$pid"
status=$?

grep -a -o "tvui: walk .*" "$out/log"
if [[ -f $out/walk-screens.txt ]]; then
  opened=0
  missed=()
  for screen in "${screens[@]}"; do
    if grep -qxF "$screen" "$out/walk-screens.txt"; then opened=$((opened + 1)); else missed+=("$screen"); fi
  done
  echo "opened $opened of ${#screens[@]} screens"
  ((${#missed[@]})) && echo "not opened: ${missed[*]}"
  extra=$(grep -vxF -f <(printf '%s\n' "${screens[@]}") "$out/walk-screens.txt" | tr '\n' ' ')
  [[ -n $extra ]] && echo "opened but not on the list: $extra"
fi

if ((status != 0 || hung)); then
  # The sanitizer's report when there is one, else the end of the set's output.
  echo "---- the set's output ($out/log)"
  report=$(grep -an -m1 -E "^==[0-9]+==ERROR|runtime error:" "$out/log" | cut -d: -f1)
  if [[ -n $report ]]; then sed -n "${report},$((report + 60))p" "$out/log"; else tail -n 30 "$out/log"; fi
  grep -a -A2 "^tvui: .*failed" "$out/log"
  ((hung)) && echo "the set hangs: no step ended within $hang s"
  echo "---- walk $keys $seed failed; replay: scripts/monkey.sh $keys $seed; its last 50 lines ($out/walk.scn):"
  tail -n 50 "$out/walk.scn"
  exit 1
fi
exit 0
