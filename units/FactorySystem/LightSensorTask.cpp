#include "FactorySystem/LightSensorTask.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "bkni.h"
#include "mplcore.h"
#include "oam.h"
#include "vgdebug.h"
#include "xpm.h"

namespace Lumetra {

namespace {

constexpr int32_t kMainWindow = 0;
constexpr int32_t kBootPasses = 11;
constexpr unsigned kPassMs = 200;
constexpr unsigned kInitPollMs = 100;
constexpr unsigned kStopPollMs = 50;
constexpr int32_t kTaskPriority = 20;
constexpr int32_t kZeroRetries = 3;
constexpr int32_t kSensorCycle = 5;
constexpr int32_t kMaxReading = 1023;
constexpr int32_t kCurvePoints = 11;
constexpr int16_t kLargeStep = 50;
constexpr int16_t kSmallStep = 4;
// The picture mode that follows the room: only it takes the corrections.
constexpr int32_t kRoomPreset = 8;
constexpr int32_t kCurvePointProperty = 48;
constexpr int32_t kCurveValueProperty = 49;

// Where the film cadence shows: the progressive path's detector, or the
// interlaced one's.
constexpr uint32_t kProgressiveFilmRegister = 0x5814F8;
constexpr uint32_t kProgressiveFilmBit = 1u << 10;
constexpr uint32_t kInterlacedFilmRegister = 0x582548;
constexpr uint32_t kInterlacedFilmBit = 1u << 7;
constexpr int32_t kProgressive = 2;

struct Offset {
  int32_t property;
  const char* failure;
};
// The data's values in the order they are sent.
constexpr Offset kOffsets[] = {
    {80, "XPM_SetVideoPropertyOffset Error 0x%x\n"},
    {131, "XPM_SetVideoPropertyOffset Error 0x%x\n"},
    {132, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_GAIN_GREEN Error 0x%x\n"},
    {133, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_GAIN_BLUE Error 0x%x\n"},
    {68, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_DYNAMIC_CONTRAST Error 0x%x\n"},
    {57, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_SATURATION Error 0x%x\n"},
    {56, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_HUE Error 0x%x\n"},
    {58, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_SHARPNESS Error 0x%x\n"},
    {60, "XPM_SetVideoPropertyOffset CARD_PROP_VIDEO_SUPER_RES_LEVEL Error 0x%x\n"},
};
constexpr size_t kValues = std::size(kOffsets);
static_assert(kValues == Fields);

// ------------------------------------------------------------------ tables

// A gain curve by its points (level, value), interpolated between them and
// flat before the first.
struct Point {
  int32_t level;
  int32_t value;
};
struct Curve {
  const Point* points;
  size_t count;
};
template <size_t N>
constexpr Curve CurveOf(const Point (&points)[N]) {
  return {points, N};
}

constexpr Point kGreenVideo[] = {{26, -3}, {31, 0}, {32, 0}, {50, 8}, {75, 13}, {100, 18}};
constexpr Point kGreenFilm[] = {{25, -7}, {50, 0}, {75, 4}, {100, 8}};
constexpr Point kGreenVideoWarm[] = {{25, -2}, {50, 1}, {75, 5}, {100, 8}};
constexpr Point kBlueVideo[] = {{25, -9}, {50, 20}, {75, 33}, {100, 46}};
constexpr Point kBlueFilm[] = {{25, -19}, {50, 0}, {75, 10}, {100, 20}};
constexpr Point kBlueVideoWarm[] = {{25, -5}, {50, 3}, {75, 12}, {100, 20}};

// Variants 1, 6, 7 and 8 have panels of their own; the others share the
// first variant's curves.
constexpr bool WarmPanel(int32_t variant) { return variant == 1 || variant == 6 || variant == 7 || variant == 8; }

int32_t Interpolate(Curve curve, int32_t level) {
  if (level <= curve.points[0].level) return curve.points[0].value;
  for (size_t i = 1; i < curve.count; ++i) {
    const Point& a = curve.points[i - 1];
    const Point& b = curve.points[i];
    if (level <= b.level) return a.value + (b.value - a.value) * (level - a.level) / (b.level - a.level);
  }
  return curve.points[curve.count - 1].value;
}

int32_t DynamicContrastStep(int32_t level) {
  constexpr int32_t kFrom[] = {33, 48, 63, 78, 93};
  int32_t gain = 0;
  for (int32_t from : kFrom) gain += level >= from;
  return gain;
}

int32_t Formula(int32_t kind, int32_t variant, int32_t film, int32_t level) {
  const int32_t flat = std::max(level, 25);
  switch (kind) {
    case GreenGain:
      return Interpolate(film ? CurveOf(kGreenFilm) : WarmPanel(variant) ? CurveOf(kGreenVideoWarm) : CurveOf(kGreenVideo),
                         level);
    case BlueGain:
      return Interpolate(film ? CurveOf(kBlueFilm) : WarmPanel(variant) ? CurveOf(kBlueVideoWarm) : CurveOf(kBlueVideo),
                         level);
    case DynamicContrast:
      return DynamicContrastStep(level) - (film ? 2 : 0);
    case Colour:
    case Sharpness:
      return flat - (film ? 75 : 50);
    default:
      return 0;
  }
}

constexpr int32_t kKinds = 8;
constexpr size_t kTableSize = size_t(kVariants) * 2 * 2 * kLevels;

// The eight tables as the board keeps them, indexed variant x 404 + film x
// 202 + 3D x 101 + level; the 3D half repeats the 2D half.
const std::vector<int16_t>& Table(int32_t kind) {
  static const std::array<std::vector<int16_t>, kKinds> tables = [] {
    std::array<std::vector<int16_t>, kKinds> built;
    for (int32_t k = 0; k < kKinds; ++k) {
      std::vector<int16_t>& table = built[size_t(k)];
      table.resize(kTableSize);
      for (int32_t variant = 0; variant < kVariants; ++variant)
        for (int32_t film = 0; film < 2; ++film)
          for (int32_t threeD = 0; threeD < 2; ++threeD)
            for (int32_t level = 0; level < kLevels; ++level)
              table[size_t(variant * 404 + film * 202 + threeD * 101 + level)] =
                  static_cast<int16_t>(Formula(k, variant, film, level));
    }
    return built;
  }();
  return tables[size_t(kind)];
}

// -------------------------------------------------------------------- state

// Written by ForceApply from any thread while a pass may run.
std::atomic<int32_t> bFirstSetup{1};
std::atomic<int16_t> boot_count{0};
// The pass state: only under g_LumetraMutex.
int16_t BLtgt = -1;
int16_t BLcur = -1;
int16_t step = 0;
int16_t interval = 1;
int32_t count = 0;
int32_t zero_count = 0;
uint16_t LS = 0;
int32_t prevbFilm = 0;
int32_t preset = 0;
int32_t prevPreset = 0;
int16_t prevData[kValues] = {};
OAM_ModelInfo av_info{};

std::mutex g_LumetraMutex;
std::atomic<int32_t> g_LumetraTaskStart{0};
std::atomic<int32_t> g_LumetraTaskExit{0};
std::atomic<bool> g_quit{false};
// The task's handle while there is one (0: none), and whether it still runs:
// its last act is to clear that flag.
std::atomic<uint32_t> g_LumetraTaskId{0};
std::atomic<bool> g_taskAlive{false};

bool AfterBoot() { return boot_count.load() >= kBootPasses; }

void UpdateParameters(int16_t target, int16_t current) {
  const bool large = bFirstSetup.load() == 1;
  if (current < target) {
    interval = 1;
    step = large ? kLargeStep : kSmallStep;
  } else if (current == target) {
    interval = 1;
    step = 0;
  } else {
    interval = 2;
    step = static_cast<int16_t>(large ? -kLargeStep : -kSmallStep);
  }
}

int32_t CurvePoint(int32_t point) {
  OAM_SetCustomizedProperty(kCurvePointProperty, point);
  int32_t readBack = point;
  OAM_GetCustomizedProperty(kCurvePointProperty, &readBack);
  int32_t videoPreset = 0;
  XPM_GetVideoPreset(kMainWindow, &videoPreset);
  int32_t record[3] = {videoPreset, readBack, 0};
  OAM_GetCustomizedProperty(kCurveValueProperty, record);
  return std::min(record[2], 100);
}

// The film cadence as the video path's detectors see it.
int32_t ReadFilm() {
  XPM_VideoContentInfo vsi{};
  XPM_GetVideoContentInfo(kMainWindow, &vsi);
  uint32_t reg = 0;
  if (vsi.scanType == kProgressive) {
    MPLCore_ReadReg32(kProgressiveFilmRegister, &reg);
    const int32_t film = (reg & kProgressiveFilmBit) != 0;
    return vsi.pcRateIndex == 1 || vsi.pcRateIndex == 2 ? 1 : film;
  }
  MPLCore_ReadReg32(kInterlacedFilmRegister, &reg);
  return (reg & kInterlacedFilmBit) != 0;
}

void TaskEntry() {
  VgPrint("Lumetra monitor task: started.......\n");
  XPM_Utility_Lumetra_ForceApply();
  {
    std::lock_guard lock(g_LumetraMutex);
    av_info = OAM_ModelInfo{};
    OAM_GetModelInfo(&av_info);
  }
  Control control;
  Data data;
  while (!g_quit.load()) {
    int32_t expected = 1;
    g_LumetraTaskExit.compare_exchange_strong(expected, 0);
    if (g_LumetraTaskStart.load() != 0) {
      std::lock_guard lock(g_LumetraMutex);
      RunPass(&control, &data);
    }
    BKNI_Sleep(kPassMs);
  }
  g_LumetraTaskExit.store(0);
  g_taskAlive.store(false);
}

// Waits until the task has acknowledged the exit flag, which it does within
// one pass.
void HandShake(unsigned pollMs) {
  if (g_LumetraTaskId.load() == 0) return;
  g_LumetraTaskExit.store(1);
  while (g_LumetraTaskExit.load() != 0) BKNI_Sleep(pollMs);
}

}  // namespace

int16_t TableValue(int32_t kind, int32_t variant, int32_t film, int32_t threeD, int32_t level) {
  if (kind < 0 || kind >= kKinds) return 0;
  variant = std::clamp(variant, 0, kVariants - 1);
  level = std::clamp(level, 0, kLevels - 1);
  return Table(kind)[size_t(variant * 404 + (film != 0) * 202 + (threeD != 0) * 101 + level)];
}

// A reading beyond the sensor's range would index past the curve's last
// point; a curve point below 0 would give a level that indexes no table.
int32_t BacklightIndex(int32_t reading) {
  const int32_t p = std::clamp(reading, 0, kMaxReading) * 100 / kMaxReading;
  const int32_t d = p / 10;
  int32_t target = 0;
  if (d == kCurvePoints - 1) {
    target = CurvePoint(d);
  } else {
    const int32_t a = CurvePoint(d);
    const int32_t b = CurvePoint(d + 1);
    target = a + (p - 10 * d) * ((b - a) / 10);
  }
  return std::clamp(target, 0, 100);
}

int32_t GetControl(Control* control) {
  const int32_t film = ReadFilm();
  if (film != prevbFilm) XPM_Utility_Lumetra_ForceApply();
  prevbFilm = film;
  control->film = film;
  int32_t input = 0, mode = 0, display = 0;
  control->threeD = XPM_3DTV_GetVideoStatus(&input, &mode, &display) == 0 && display == 2;
  if (XPM_GetVideoPreset(kMainWindow, &preset) != 0) {
    VgPrint("Coudln't get video preset \n");
    return 2;
  }
  if (preset != prevPreset) {
    prevPreset = preset;
    std::fill(std::begin(prevData), std::end(prevData), int16_t{0});
  }

  bool stepping = false;
  if (count == 0) {
    if (OAM_light_sensor_Get(&LS) != 0) LS = 0;
    // A zero is often a reading taken while the sensor restarts.
    if (LS == 0 && zero_count < kZeroRetries) {
      ++zero_count;
      return 0;
    }
    zero_count = 0;
    BLtgt = static_cast<int16_t>(BacklightIndex(LS));
    if (BLcur == -1) BLcur = BLtgt;
    UpdateParameters(BLtgt, BLcur);
    count = 1;
  } else if (count == kSensorCycle) {
    count = 0;
    stepping = true;
  } else {
    ++count;
  }
  if (!stepping && count % interval != 0) return 0;

  BLcur = static_cast<int16_t>(BLcur + step);
  if (std::abs(BLtgt - BLcur) < std::abs(step)) {
    BLcur = BLtgt;
    bFirstSetup.store(0);
  }
  control->level = BLcur;
  UpdateParameters(BLtgt, BLcur);
  return 0;
}

int32_t GetData(const Control& control, Data* data) {
  const int32_t level = std::clamp<int32_t>(control.level, 0, 100);
  data->value[Backlight] = static_cast<int16_t>(level - 50);
  if (AfterBoot() && data->value[Backlight] == prevData[Backlight]) return 0;
  if (preset != kRoomPreset) return 0;
  for (int32_t kind = RedGain; kind <= SuperResolution; ++kind)
    data->value[kind + 1] = TableValue(kind, av_info.variant, control.film, control.threeD, level);
  return 0;
}

int32_t ApplyData(const Data& data) {
  if (AfterBoot() && data.value[Backlight] == prevData[Backlight]) return 0;
  const size_t sent = preset == kRoomPreset ? kValues : 1;
  for (size_t i = 0; i < sent; ++i) {
    const int16_t value = data.value[i];
    if (int32_t status = XPM_SetVideoPropertyOffset(kOffsets[i].property, value); status != 0)
      VgPrint(kOffsets[i].failure, unsigned(status));
    prevData[i] = value;
  }
  return 0;
}

void RunPass(Control* control, Data* data) {
  if (boot_count.load() < kBootPasses) boot_count.fetch_add(1);
  GetControl(control);
  GetData(*control, data);
  ApplyData(*data);
}

State Snapshot() {
  std::lock_guard lock(g_LumetraMutex);
  return {bFirstSetup.load(), boot_count.load(), BLtgt, BLcur, step, interval, count, zero_count};
}

void Reset() {
  XPM_Utility_Lumetra_Terminate();
  std::lock_guard lock(g_LumetraMutex);
  bFirstSetup.store(1);
  boot_count.store(0);
  BLtgt = BLcur = -1;
  step = 0;
  interval = 1;
  count = zero_count = 0;
  LS = 0;
  prevbFilm = preset = prevPreset = 0;
  std::fill(std::begin(prevData), std::end(prevData), int16_t{0});
  av_info = OAM_ModelInfo{};
  g_LumetraTaskStart.store(0);
  g_LumetraTaskExit.store(0);
}

}  // namespace Lumetra

using namespace Lumetra;

extern "C" {

int32_t XPM_Utility_Lumetra_Init(void) {
  VgPrint("[%s] \n", __func__);
  HandShake(kInitPollMs);
  OAM_light_sensor_Init();
  return 0;
}

int32_t XPM_Utility_Lumetra_Start(void) {
  VgPrint("[%s] \n", __func__);
  OAM_light_sensor_Start();
  g_LumetraTaskStart.store(1);
  g_LumetraTaskExit.store(0);
  if (g_LumetraTaskId.load() == 0) {
    g_quit.store(false);
    g_taskAlive.store(true);
    const uint32_t id = MPLCore_ThreadCreate(&bcm_lumetra_task_entry, nullptr, kTaskPriority);
    if (id == 0) {
      g_taskAlive.store(false);
      VgPrint("[%s] the Lumetra task could not be created\n", __func__);
    }
    g_LumetraTaskId.store(id);
  }
  XPM_Utility_Lumetra_ForceApply();
  return 0;
}

int32_t XPM_Utility_Lumetra_Stop(void) {
  VgPrint("[%s] \n", __func__);
  g_LumetraTaskStart.store(0);
  OAM_light_sensor_Stop();
  HandShake(kStopPollMs);
  return 0;
}

// Releasing the sensor under a task that still reads it would leave the task
// on a dead service: the task ends first.
int32_t XPM_Utility_Lumetra_Terminate(void) {
  VgPrint("[%s] \n", __func__);
  g_LumetraTaskStart.store(0);
  if (g_LumetraTaskId.load() != 0) {
    g_quit.store(true);
    while (g_taskAlive.load()) BKNI_Sleep(kStopPollMs);
    g_LumetraTaskId.store(0);
  }
  OAM_light_sensor_Terminate();
  return 0;
}

void bcm_lumetra_task_entry(void*) { TaskEntry(); }

int32_t XPM_Utility_Lumetra_ForceApply(void) {
  bFirstSetup.store(1);
  boot_count.store(0);
  return 0;
}

int32_t XPM_Utility_PrintLumetraData(void) {
  Control control;
  Data data;
  {
    std::lock_guard lock(g_LumetraMutex);
    GetControl(&control);
    GetData(control, &data);
  }
  VgPrint("%s:%s:BackLight=%d:RGain=%d:GGain=%d:BGain=%d:DynamicGain=%d:Color=%d:Tint=%d:Sharpness=%d:SSR=%d\n",
          control.film ? "Film " : "Video", control.threeD ? "3D" : "2D", data.value[0], data.value[1],
          data.value[2], data.value[3], data.value[4], data.value[5], data.value[6], data.value[7], data.value[8]);
  return 0;
}

int32_t XPM_Utility_CreateGamma(int32_t level, uint16_t* table) {
  if (!table) return 0;
  const float g = std::clamp(1.5f + 0.02f * static_cast<float>(level), 1.2f, 1.8f);
  const float scale = 1023.0f / std::pow(1023.0f, g);
  for (int32_t i = 0; i < 1024; ++i) {
    const auto value = static_cast<uint16_t>(std::pow(static_cast<float>(i), g) * scale);
    table[i * 3] = table[i * 3 + 1] = table[i * 3 + 2] = value;
  }
  return 0;
}

}  // extern "C"
