// The factory's tuning presets and its model commands. A preset discovers
// one RF channel and tunes the main window to it, retrying while the tuner
// settles; the pauses hold the GUI thread, as on the production line the
// operator waits for the picture anyway.
#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/FactoryCommandTables.h"
#include "FactorySystem/FactoryCommands.h"
#include "bkni.h"
#include "vgdebug.h"
#include "xpm.h"

namespace FactoryCommands {

using namespace Tables;

timeval TimePreviousCommand{};

namespace {

constexpr int32_t kMainWindow = 0;
constexpr int32_t kTunerInput = 0;
constexpr unsigned kRetryPauseMs = 400;
constexpr unsigned kDiscoveryWaitMs = 3000;
constexpr int32_t kAnalogRetries = 11;
constexpr int32_t kDigitalRetries = 21;

struct Discovery {
  int32_t start, digital, analog, reserved, report;
};
constexpr Discovery kAnalogDiscovery = {1, 0, 1, 0, 1};
constexpr Discovery kDigitalDiscovery = {1, 1, 0, 0, 1};

void SwitchToTuner() {
  int32_t source = 0;
  XPM_GetSourceID(kTunerInput, &source);
  XPM_SetSource(kMainWindow, source);
}

int32_t StartDiscovery(int32_t channel, const Discovery& d) {
  const int32_t status = XPM_StartChannelDiscovery(channel, d.start, d.digital, d.analog, d.reserved, d.report);
  if (status != 0) VgPrint("XPM_StartChannelDiscovery Error 0x%x\n", unsigned(status));
  return status;
}

int32_t DiscoverAndTune(int32_t channel, int32_t subchannel, const Discovery& discovery, int32_t retries) {
  SwitchToTuner();
  if (StartDiscovery(channel, discovery) != 0) return 0;
  int32_t status = XPM_SetChannel(kMainWindow, channel, subchannel);
  for (int32_t attempt = 0; status != 0 && attempt < retries; ++attempt) {
    status = XPM_SetChannel(kMainWindow, channel, subchannel);
    BKNI_Sleep(kRetryPauseMs);
  }
  if (status == 0) return 1;
  VgPrint("XPM_SetChannel Error 0x%x\n", unsigned(status));
  return 0;
}

}  // namespace

int32_t DiscoverAndSetChannelAnalog(int32_t channel, int32_t subchannel) {
  return DiscoverAndTune(channel, subchannel, kAnalogDiscovery, kAnalogRetries);
}

int32_t DiscoverAndSetChannel(int32_t channel, int32_t subchannel) {
  return DiscoverAndTune(channel, subchannel, kDigitalDiscovery, kDigitalRetries);
}

Outcome TuneChannelNumber(const Command& command, FactoryCommandResult*) {
  const auto channel = static_cast<int32_t>((command.code >> 8) & 0xFF);
  VgPrint("channel %d\n", int(channel));
  DiscoverAndSetChannelAnalog(channel, 0);
  return Outcome::Done;
}

// The ten digital presets neither record themselves nor interrupt the
// repeat guard of the others.
Outcome TuneDigitalPreset(const Command& command, FactoryCommandResult*) {
  const DigitalPreset* row = RowOf(kDigitalPresets, command.code);
  if (!row) return Outcome::Done;
  XPM_SetMedium(row->medium);
  return DiscoverAndSetChannel(row->channel, row->subchannel) ? Outcome::Unrecorded : Outcome::Failed;
}

// The same preset again within six seconds of its last run is a key bounce
// of the test jig: it only records itself.
Outcome TuneGuardedPreset(const Command& command, FactoryCommandResult*) {
  const GuardedPreset* row = RowOf(kGuardedPresets, command.code);
  if (!row) return Outcome::Done;
  const int64_t since = static_cast<int64_t>(CommandTime().tv_sec) - static_cast<int64_t>(TimePreviousCommand.tv_sec);
  if (PreviousRawFactoryCommand == command.code && since < kPresetGuardSeconds) return Outcome::Done;
  XPM_SetMedium(row->medium);
  switch (row->tune) {
    case Tune::Analog:
      DiscoverAndSetChannelAnalog(row->channel, row->subchannel);
      break;
    case Tune::Digital:
      DiscoverAndSetChannel(row->channel, row->subchannel);
      break;
    case Tune::DiscoverOnly:
      SwitchToTuner();
      if (StartDiscovery(row->channel, kDigitalDiscovery) == 0) BKNI_Sleep(kDiscoveryWaitMs);
      break;
  }
  TimePreviousCommand = Now();
  return Outcome::Done;
}

Outcome SelectModel(const Command& command, FactoryCommandResult*) {
  factorySetModelInformation(ModelRow(static_cast<int32_t>((command.code >> 8) & 0xFF)));
  return Outcome::Done;
}

void ResetTuningState() { TimePreviousCommand = {}; }

}  // namespace FactoryCommands
