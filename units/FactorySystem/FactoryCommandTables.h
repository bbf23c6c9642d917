// The factory commands' codes and values as data: the processor's dispatch
// table (FactoryCommands.cpp) takes its code ranges from these rows, and the
// handlers of each family look their row up by the command's code. Included
// only by the processor's own sources.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "FactorySystem/FactoryCommandFamilies.h"

namespace FactoryCommands::Tables {

constexpr uint32_t CodeOf(uint32_t code) { return code; }
template <class Row>
constexpr uint32_t CodeOf(const Row& row) {
  return row.code;
}

// One code per row of a table of codes, or of rows with a `code`.
template <class Row, size_t N>
constexpr std::array<CodeRange, N> CodesOf(const Row (&rows)[N]) {
  std::array<CodeRange, N> codes{};
  for (size_t i = 0; i < N; ++i) codes[i] = Code(CodeOf(rows[i]));
  return codes;
}

template <class Row, size_t N>
constexpr const Row* RowOf(const Row (&rows)[N], uint32_t code) {
  for (const Row& row : rows)
    if (row.code == code) return &row;
  return nullptr;
}

// A screen a command opens, by class name, and the item it selects there.
struct Screen {
  const char* cls;
  int32_t value;
};

// ------------------------------------------------------------- captions

// The caption colours the colour properties step through; the first is the
// broadcaster's own colour, which the model's caption reset writes too.
inline constexpr uint32_t kCaptionColours[] = {0xFF000000, 0x00000000, 0x00ABABAB, 0x0000AB00, 0x000000AB,
                                               0x00AB0000, 0x0000ABAB, 0x00ABAB00, 0x00AB00AB};
inline constexpr int32_t kColourStyle = -1;

struct CaptionStyle {
  uint32_t code;
  int32_t property;  // the digital caption property
  int32_t last;      // the largest value, or kColourStyle
  int32_t item;      // the item of the digital caption page
};
inline constexpr CaptionStyle kCaptionStyles[] = {
    {0x40BFF40B, 3, 3, 0},             {0x40BFF50A, 4, 7, 1}, {0x40BFF609, 6, 6, 2},
    {0x40BFF708, 7, kColourStyle, 3},  {0x40BFF807, 8, 4, 4}, {0x40BFF906, 9, kColourStyle, 5},
    {0x40BFFA05, 10, 4, 6},            {0x40BFFB04, 5, kColourStyle, 7},
};

struct BasicCaption {
  uint32_t code;
  int32_t service;  // 0: captions off
};
inline constexpr BasicCaption kBasicCaptions[] = {{0x40BFB24D, 5}, {0x40BFB44B, 1}, {0x40BFBE41, 0}};

// ------------------------------------------------------------- settings

enum class Setting : uint8_t { Saturation, Tint, Volume, Balance, RedDrive, BlueDrive };

// Codes base + v for v from 0 to last set the setting to v.
struct Parameter {
  uint32_t base;
  int32_t last;
  Setting setting;
};
inline constexpr Parameter kParameters[] = {
    {0x40E20200, 100, Setting::Saturation}, {0x40E20300, 100, Setting::Tint},
    {0x40E21000, 100, Setting::Volume},     {0x40E21300, 100, Setting::Balance},
    {0x40E23300, 255, Setting::RedDrive},   {0x40E23400, 255, Setting::BlueDrive},
};
template <size_t N>
constexpr std::array<CodeRange, N> RangesOf(const Parameter (&rows)[N]) {
  std::array<CodeRange, N> codes{};
  for (size_t i = 0; i < N; ++i) codes[i] = {rows[i].base, rows[i].base + static_cast<uint32_t>(rows[i].last)};
  return codes;
}

// The white-balance drives: the customised property and the name shown.
struct Drive {
  int32_t property;
  const char* name;
};
inline constexpr Drive kRedDrive = {57, "RDRV"};
inline constexpr Drive kBlueDrive = {59, "BDRV"};
inline constexpr int32_t kDriveMax = 255;

struct DriveRead {
  uint32_t code;
  int32_t drive;  // kDriveRed or kDriveBlue
};
inline constexpr DriveRead kDriveReads[] = {{0x40E333CC, kDriveRed}, {0x40E334CB, kDriveBlue}};

struct DriveStep {
  uint32_t code;
  int32_t delta;
};
inline constexpr DriveStep kDriveSteps[] = {{0x40EE1CE3, 1}, {0x40EE1DE2, -1}, {0x40EE1EE1, 4}, {0x40EE1FE0, -4}};

inline constexpr uint32_t kWhiteBalancePrepare = 0xCFA90FFF;
inline constexpr uint32_t kWhiteBalanceEnd = 0xD0000000;
inline constexpr uint32_t kClearFactoryScreens = 0x40EA42BD;

// ------------------------------------------------- patterns and inputs

inline constexpr int32_t kTestPatternProperty = 122;
struct TestPattern {
  uint32_t code;
  int32_t pattern;
};
inline constexpr TestPattern kTestPatterns[] = {
    {0x40EA01FE, 5}, {0x40EA02FD, 6}, {0x40EA03FC, 7}, {0x40EA04FB, 4}, {0x40EA05FA, 1},
};

struct InputZap {
  uint32_t code;
  int32_t input;
};
inline constexpr InputZap kInputZaps[] = {
    {0x40EA00FF, 0}, {0x40EB817E, 1}, {0x40EB827D, 2}, {0x40EB837C, 3}, {0x40EB847B, 4},
    {0x40EB857A, 5}, {0x40EB8679, 6}, {0x40EB8778, 7}, {0x40EB8877, 8},
};

// ------------------------------------------------- raw commands passed on

// Codes the factory screens carry out themselves; a row may pass another
// code (the picture modes' discrete keys).
struct RawPass {
  uint32_t code;
  uint32_t raw;
};
// Passed on in any mode.
inline constexpr RawPass kRawAnyMode[] = {
    {0x40BF0CF3, 0x40BF0CF3}, {0x40BFAB54, 0x40BFAB54}, {0x40BFB649, 0x40BFB649}, {0x40EEEC13, 0x40EEEC13},
    {0x40EEED12, 0x40EEED12}, {0x40EE00FF, 0x40EE00FF}, {0x40EE53AC, 0x40EE53AC}, {0x40EE54AB, 0x40EE54AB},
    {0x40EE9A65, 0x40EE9A65}, {0x40EE6F90, 0x40EE6F90},
    // The picture modes 0 to 7 as their discrete keys.
    {0x40BFD22D, 0x0040BE50}, {0x40BFCD32, 0x0040BFCD}, {0x40BFCE31, 0x0040BFCE}, {0x40BFCF30, 0x0040BFCF},
    {0x40BFCF31, 0x0040BE57}, {0x40BFCF32, 0x0040BE51}, {0x40BFCF33, 0x0040BE52}, {0x40BFCF34, 0x0040BE53},
};
// Passed on unless the record's skip flag is set: key presses.
inline constexpr RawPass kRawSkippable[] = {{0x40BF10EF, 0x40BF10EF}, {0x40BF13EC, 0x40BF13EC}};
// Passed on only in the factory mode.
inline constexpr RawPass kRawFactoryOnly[] = {{kClearFactoryScreens, kClearFactoryScreens}};

// --------------------------------------------- picture, sound and device

inline constexpr uint32_t kPowerOff = 0x40BF7F80;
inline constexpr uint32_t kLedCycle = 0x40EE3CC3;
inline constexpr int32_t kLedStates[] = {11, 12, 1};
inline constexpr uint32_t kSuperResolution = 0x40EE609F;
inline constexpr uint32_t kMotion = 0x40EE639C;
inline constexpr uint32_t kDolbyDrc = 0x40EE6A95;
inline constexpr uint32_t kEqualiser = 0x40EE738C;
inline constexpr uint32_t kSpdif = 0x40EEE619;
inline constexpr uint32_t kThreeD = 0x40EE11EE;
inline constexpr uint32_t kPreferences = 0x40EE20DF;
inline constexpr uint32_t kParentalOn = 0x40EE30CF;
inline constexpr uint32_t kParentalOff = 0x40EE31CE;

// The backlight for the preset: {code, level when the preset is 0, else}.
struct Backlight {
  uint32_t code;
  int32_t presetZero;
  int32_t otherPresets;
};
inline constexpr Backlight kBacklights[] = {{0x40EE42BD, 50, 100}, {0x40EE43BC, -50, 0}};

// The equaliser preset that follows each; any other goes to 0.
struct EqualiserStep {
  int32_t from;
  int32_t to;
};
inline constexpr EqualiserStep kEqualiserSteps[] = {{1, 5}, {0, 4}, {3, 1}, {5, 1}};

struct DecodeMode {
  uint32_t code;
  int32_t mode;  // 2 SAP, 0 mono, 1 stereo
};
inline constexpr DecodeMode kDecodeModes[] = {{0x40EEAD52, 2}, {0x40EEAE51, 0}, {0x40EEAF50, 1}};

struct Arc {
  uint32_t code;
  int32_t on;
};
inline constexpr Arc kArcs[] = {{0x40EE9966, 1}, {0x40EE9977, 1}, {0x40EE9988, 0}, {0x40EED32C, 0}};

struct FactoryProperty {
  uint32_t code;
  int32_t value;
};
inline constexpr int32_t kFactoryFlagProperty = 103;
inline constexpr FactoryProperty kFactoryFlags[] = {{0x40EA13EC, 0}, {0x40EA14EB, 1}};

// ------------------------------------------------- network and diagnostics

inline constexpr uint32_t kWlanAnnounce = 0x40EE04FB;
inline constexpr uint32_t kWlanRun = 0x40EA43BC;
inline constexpr uint32_t kWlanConnected = 0x40EA44BB;
inline constexpr uint32_t kWlanNotConnected = 0x40EA45BA;
inline constexpr uint32_t kSpeedAnnounce = 0x40EE7F80;
inline constexpr uint32_t kSpeedMeasure = 0x40EE7F81;
inline constexpr uint32_t kMacWrite = 0x40EA41BE;
inline constexpr uint32_t kDefaultAddress = 0x40EE9F60;
inline constexpr uint32_t kCalibration = 0x40EEA35C;
inline constexpr uint32_t kSwitchEeprom = 0x40EEFF00;
inline constexpr uint32_t kSerialTest = 0x00000111;
inline constexpr uint32_t kAudioDump = 0x40EA40BF;

// ---------------------------------------------------------------- tuning

inline constexpr uint32_t kChannelFirst = 0x40EB00FF;
inline constexpr uint32_t kChannelLast = 0x40EB63FF;

enum class Tune : uint8_t { Analog, Digital, DiscoverOnly };

struct DigitalPreset {
  uint32_t code;
  int32_t medium;
  int32_t channel;
  int32_t subchannel;
};
inline constexpr DigitalPreset kDigitalPresets[] = {
    {0x40EEF00F, 0, 2, 1},  {0x40EEF10E, 1, 17, 1}, {0x40EEF20D, 1, 40, 2}, {0x40EEF30C, 0, 60, 1},
    {0x40EEF40B, 0, 2, 2},  {0x40EEF50A, 1, 40, 3}, {0x40EEF609, 1, 40, 4}, {0x40EEF708, 1, 40, 5},
    {0x40EEF807, 0, 60, 2}, {0x40EEF906, 0, 60, 3},
};

struct GuardedPreset {
  uint32_t code;
  int32_t medium;
  Tune tune;
  int32_t channel;
  int32_t subchannel;
};
inline constexpr GuardedPreset kGuardedPresets[] = {
    {0x40AAFF00, 0, Tune::Analog, 2, 0},        {0x40AAFE01, 0, Tune::Analog, 14, 0},
    {0x40AAFD02, 0, Tune::Analog, 63, 0},       {0x40AAFC03, 0, Tune::Digital, 3, 1},
    {0x40AAFB04, 0, Tune::Digital, 16, 1},      {0x40AAFA05, 0, Tune::DiscoverOnly, 69, 0},
    {0x40AAF906, 1, Tune::Digital, 23, 1},      {0x40AAF807, 1, Tune::Digital, 75, 3},
    {0x40AAF708, 1, Tune::Digital, 115, 3},
};
// A guarded preset again within this many seconds of its last run is ignored.
inline constexpr int64_t kPresetGuardSeconds = 6;

// The model commands carry the model id in their command byte.
inline constexpr uint32_t kModelCodes[] = {0x40F221DE, 0x40F222DD, 0x40F223DC, 0x40F231CE, 0x40F232CD,
                                           0x40F233CC, 0x40F244BB, 0x40F241BE, 0x40F242BD, 0x40F243BC,
                                           0x40F251AE, 0x40F252AD, 0x40F253AC};

}  // namespace FactoryCommands::Tables
