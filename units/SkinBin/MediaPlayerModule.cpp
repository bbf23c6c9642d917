#include "SkinBin/MediaPlayerModule.h"

#include "OptionDatabase/Bindings.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(SkinBin, MediaPlayerModule, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

constexpr TextRef kYesNo[] = {Sid(SID_YES), Sid(SID_NO)};
// The player sorts by name (0), newest (2) or oldest (3) first; 1 is not offered.
constexpr TextRef kSortModes[] = {Sid(SID_DLNA_CONTENT_FILE_NAME), Sid(SID_NEW), Sid(SID_DLNA_OLD)};
constexpr int32_t kSortModeValues[] = {0, 2, 3};
constexpr TextRef kIntervals[] = {Sid(SID_3_SECONDS),  Sid(SID_5_SECONDS),  Sid(SID_10_SECONDS), Sid(SID_15_SECONDS),
                                  Sid(SID_30_SECONDS), Sid(SID_60_SECONDS), Sid(SID_90_SECONDS)};
constexpr TextRef kRepeats[] = {Sid(SID_OFF), Sid(SID_ALL), Sid(SID_1)};
constexpr int32_t kRepeatValues[] = {0, 1, 2};
constexpr TextRef kPowerOffTimes[] = {Sid(SID_OFF),
                                      Sid(SID_DIGITAL_TIME_30_MIN),
                                      Sid(SID_DIGITAL_TIME_1_HR),
                                      Sid(SID_DIGITAL_TIME_2_HR),
                                      Sid(SID_DIGITAL_TIME_4_HR),
                                      Sid(SID_DIGITAL_TIME_6_HR),
                                      Sid(SID_DIGITAL_TIME_12_HR)};
constexpr TextRef kBrowseModes[] = {Fixed("Thumbnail"), Fixed("List")};
constexpr TextRef kSkipTimes[] = {Fixed("20 Seconds"), Fixed("30 Seconds"), Fixed("60 Seconds"),
                                  Fixed("120 Seconds")};
constexpr TextRef kPlaybackSorts[] = {Fixed("Time DESC"),  Fixed("Time ASC"),    Fixed("Title DESC"),
                                      Fixed("Title ASC"),  Fixed("CH Num DESC"), Fixed("CH Num ASC")};

using M = MediaPlayerModule;

constexpr OptionRow kRows[] = {
    List(0x00, NoText, NoProperty, kYesNo).WithInitialize(SlotMethod<&M::SelectYesNo_Initialize>),
    ValueList(0x01, Sid(SID_SORT), OPTION_S(MM_SortMode), kSortModes, kSortModeValues)
        .WithInitialize(SlotMethod<&M::MMSortMode_Initialize>),
    List(0x02, Sid(SID_INTERVAL_TIME), OPTION_S(MM_IntervalTime), kIntervals),
    OffOn(0x03, Sid(SID_REPEAT), OPTION_S(Photo_Repeat)),
    ValueList(0x04, Sid(SID_REPEAT), OPTION_S(Movie_Repeat), kRepeats, kRepeatValues),
    ValueList(0x05, Sid(SID_REPEAT), OPTION_S(Music_Repeat), kRepeats, kRepeatValues),
    OffOn(0x06, Sid(MediaPlayerSID_TV_AUTO_POWER_ON), OPTION_S(TV_Auto_PowerOn)),
    List(0x07, Sid(SID_AUTO_POWER_OFF), OPTION_S(TV_Auto_PowerOff), kPowerOffTimes),
    Slider(0x08, Sid(SID_MAX_VOL_SETUP), OPTION_S(Max_Volume_Setup)),
    OffOn(0x09, NoText, NoProperty),
    OffOn(0x0A, Sid(SID_BACKGROUND_MUSIC), OPTION_S(BackgroundMusicOnOff)),
    List(0x0B, Sid(SID_BROWSE_MODE), OPTION_S(PhotoBrowseMode), kBrowseModes),
    OffOn(0x0C, Fixed("Pop Message"), OPTION_S(EnablePopMessage)),
    List(0x0D, NoText, OPTION_S(ForwardSkipTime), kSkipTimes),
    List(0x0E, NoText, OPTION_S(BackwardSkipTime), kSkipTimes),
    List(0x0F, Sid(SID_SORT), OPTION_S(PlaybackSortType), kPlaybackSorts),
    ValueList(0x10, Sid(SID_REPEAT), OPTION_S(Playback_Repeat), kRepeats, kRepeatValues),
};

}  // namespace

MediaPlayerModule::MediaPlayerModule(XObject* link) : OptionModuleClass(link) { Build<kRows>(this, kMediaPlayerModule); }

void MediaPlayerModule::SelectYesNo_Initialize(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) record->Value = 0;
}

void MediaPlayerModule::MMSortMode_Initialize(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) FilterChoices(record, ~0u);
}

}  // namespace SkinBin
