#include "OptionDatabase/BasicTVModule.h"

#include "OptionDatabase/Bindings.h"
#include "OptionDatabase/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(OptionDatabase, BasicTVModule, OptionDatabase::OptionModuleClass)

namespace OptionDatabase {

namespace {

using namespace Strings;

constexpr TextRef kSleepTimes[] = {Sid(SID_OFF), Fixed("10 mins"), Fixed("30 mins"), Fixed("60 mins"),
                                   Fixed("120 mins")};
// The menu lists the zones from the east; the middleware has its own numbers
// for them.
constexpr TextRef kTimeZones[] = {Sid(SID_EASTERN), Sid(SID_NEWFOUNDLAND), Sid(SID_ATLANTIC), Sid(SID_HAWAII),
                                  Sid(SID_ALASKA),  Sid(SID_PACIFIC),      Sid(SID_MOUNTAIN), Sid(SID_CENTRAL)};
constexpr int32_t kTimeZoneValues[] = {5, 7, 6, 1, 0, 2, 3, 4};
constexpr TextRef kMenuLanguages[] = {Sid(Language1), Sid(Language3), Sid(Language2)};
constexpr TextRef kMedia[] = {Sid(SID_ANTENNA), Sid(SID_CABLE)};
constexpr TextRef kParentalLocks[] = {Sid(SID_OFF), Fixed("Off until standy"), Sid(SID_ON)};
// The caption state is kept as 2 for off and 1 for on, and shown with the
// shared Off/On texts.
constexpr TextRef kCaptionStates[] = {Sid(SID_OFF), Sid(SID_ON)};
constexpr int32_t kCaptionStateValues[] = {2, 1};
constexpr TextRef kBasicCCModes[] = {Sid(SID_CC1), Sid(SID_CC2), Sid(SID_CC3), Sid(SID_CC4),
                                     Sid(SID_T1),  Sid(SID_T2),  Sid(SID_T3),  Sid(SID_T4)};
constexpr TextRef kFontSizes[] = {Sid(SID_SMALL), Sid(SID_STANDARD), Sid(SID_LARGE), Sid(SID_AUTO)};
constexpr TextRef kFontStyles[] = {Sid(SID_MONO_WO_SERIF), Sid(SID_PROP_WO_SERIF), Sid(SID_MONO_W_SERIF),
                                   Sid(SID_PROP_W_SERIF),  Sid(SID_CURSIVE),       Sid(SID_CASUAL),
                                   Sid(SID_SMALL_CAPS),    Sid(SID_AUTO)};
constexpr TextRef kEdgeTypes[] = {Sid(SID_NONE),      Sid(SID_RAISED),     Sid(SID_DEPRESSED), Sid(SID_UNIFORM),
                                  Sid(SID_LEFT_DROP), Sid(SID_RIGHT_DROP), Sid(SID_AUTO)};
constexpr TextRef kCaptionColors[] = {Sid(SID_AUTO), Sid(SID_BLACK), Sid(SID_WHITE),  Sid(SID_GREEN),  Sid(SID_BLUE),
                                      Sid(SID_RED),  Sid(SID_CYAN),  Sid(SID_YELLOW), Sid(SID_MAGENTA)};
// The caption renderer's colours as 0xAARRGGBB; an alpha of 0xFF asks for
// the broadcaster's own colour.
constexpr int32_t kCaptionColorValues[] = {static_cast<int32_t>(0xFF000000u), 0x00000000, 0x00ABABAB,
                                           0x0000AB00, 0x000000AB, 0x00AB0000, 0x0000ABAB, 0x00ABAB00,
                                           0x00AB00AB};
constexpr TextRef kOpacities[] = {Sid(SID_DTVCC_SOLID), Sid(SID_DTVCC_FLASHING), Sid(SID_DTVCC_TRANSLUCENT),
                                  Sid(SID_DTVCC_TRANSPARENT), Sid(SID_AUTO)};
constexpr TextRef kYesNo[] = {Sid(SID_YES), Sid(SID_NO)};
constexpr TextRef kAdvancedCCModes[] = {Sid(DTVCaptionMenuCC1), Sid(DTVCaptionMenuCC2), Sid(DTVCaptionMenuCC3),
                                        Sid(DTVCaptionMenuCC4), Sid(DTVCaptionMenuCC5), Sid(DTVCaptionMenuCC6)};
constexpr TextRef kCCPreferences[] = {Sid(BASIC), Sid(AlwaysAdvanced), Sid(Automatic)};
constexpr TextRef kNumberedTimeZones[] = {Sid(TimeZone1), Sid(TimeZone2), Sid(TimeZone3), Sid(TimeZone4), Sid(TimeZone5),
                                          Sid(TimeZone6), Sid(TimeZone7), Sid(TimeZone8), Sid(TimeZone9)};
constexpr TextRef kScreenSaverDelays[] = {Sid(SID_OFF),         Sid(ScreenSaver1min),  Sid(ScreenSaver2min),
                                          Sid(ScreenSaver3min), Sid(ScreenSaver5min),  Sid(ScreenSaver10min),
                                          Sid(SID_15_MINUTES),  Sid(SID_30_MINUTES)};
constexpr int32_t kScreenSaverMinutes[] = {0, 1, 2, 3, 5, 10, 15, 30};

constexpr int32_t kYesNoIndex = 0x17;

using M = BasicTVModule;

constexpr OptionRow kRows[] = {
    List(0x00, Sid(SID_SLEEP_TIMER_SETTING), NoProperty, kSleepTimes),
    OffOn(0x01, Sid(SID_ENABLE_ON_TIMER), OPTION_W(EnableTimer)),
    TableList(0x02, Sid(SID_TIME_ZONE), OPTION_W(TimeZone), kTimeZones, kTimeZoneValues),
    OffOn(0x03, Sid(SID_DAYLIGHT_SAVINGS), OPTION_W(DaylightSavingTime)),
    // A language chosen is applied at once: the set and every screen's texts follow.
    List(0x04, Sid(SID_MENU_LANGUAGE), (Bind<&::SkinBin::Wrapper::GetMenuLanguage, &::SkinBin::Wrapper::SetMenuLanguage>()),
         kMenuLanguages),
    List(0x05, Sid(SID_ANT_CABLE_IN), OPTION_W(AntCableIn), kMedia),
    OffOn(0x06, Sid(SID_AUTO_ASPECT), OPTION_S(AutoAspect)),
    OffOn(0x07, Sid(SID_4_3_STRETCH), OPTION_S(Stretch43)),
    OffOn(0x08, Sid(SID_PANEL_LOCK), OPTION_W(PanelLock)),
    List(0x09, Sid(SID_ENABLE_RATING_BLOCKING), OPTION_W(ParentalLocks), kParentalLocks),
    // The caption state keeps 2 for off, as the application setup module's
    // row of the same setting reads it; a plain Off/On row would show off as
    // no choice and store 0, which the renderer does not know.
    TableList(0x0A, Sid(SID_CLOSED_CAPTIONS), OPTION_W(ClosedCaptionState), kCaptionStates, kCaptionStateValues),
    List(0x0B, Sid(SID_ANALOG_CC_MODE), OPTION_W(BasicCCMode), kBasicCCModes),
    List(0x0C, Sid(SID_CAPTION_SIZE), OPTION_W(CC708_FontSize), kFontSizes),
    List(0x0D, Sid(SID_CC_TEXT_TYPE), OPTION_W(CC708_FontStyle), kFontStyles),
    List(0x0E, Sid(SID_CC_TEXT_EDGE), OPTION_W(CC708_EdgeType), kEdgeTypes),
    ValueList(0x0F, Sid(SID_CAPTION_TEXT_EDGE_COLOR), OPTION_W(CC708_EdgeColor), kCaptionColors, kCaptionColorValues),
    ValueList(0x10, Sid(SID_CC_TEXT_COLOR), OPTION_W(CC708_FontColor), kCaptionColors, kCaptionColorValues),
    List(0x11, Sid(SID_DTVCC_FG_OPACITY), OPTION_W(CC708_FontOpacity), kOpacities),
    ValueList(0x12, Sid(SID_CC_BG_COLOR), OPTION_W(CC708_BgColor), kCaptionColors, kCaptionColorValues),
    List(0x13, Sid(SID_DTVCC_BG_OPACITY), OPTION_W(CC708_BgOpacity), kOpacities),
    List(0x14, NoText, OPTION_W(CC708_WinJustification), kOpacities),
    ValueList(0x15, NoText, OPTION_W(CC708_WinColor), kCaptionColors, kCaptionColorValues),
    List(0x16, NoText, OPTION_W(CC708_WinOpacity), kOpacities),
    List(kYesNoIndex, NoText, NoProperty, kYesNo).WithInitialize(SlotMethod<&M::SelectYesNo_Initialize>),
    OffOn(0x18, Sid(ChannelsMenuAdditiveScan), OPTION_S(AdditiveScan)),
    OffOn(0x19, Sid(ChannelsMenuAddAnalog), OPTION_S(AddAnalog)),
    OffOn(0x1A, Sid(ChannelsMenuAddDigital), OPTION_S(AddDigital)),
    List(0x1B, Sid(CCMenuAdvancedSelection), OPTION_W(BasicCCMode), kAdvancedCCModes),
    List(0x1C, Sid(CCMenuCaptionPreference), OPTION_W(CCPreference), kCCPreferences),
    OffOn(0x1D, Sid(RatingLocksMenuBlockUnratedShows), OPTION_W(BlockUnratedContent)),
    List(0x1E, Sid(SID_TIME_ZONE), OPTION_W(TimeZone), kNumberedTimeZones),
    TableList(0x1F, Sid(SettingsMenuScreenSaver), OPTION_S(ScreenSaverDelay), kScreenSaverDelays,
              kScreenSaverMinutes),
};

}  // namespace

BasicTVModule::BasicTVModule(XObject* link) : OptionModuleClass(link) { Build<kRows>(this, kBasicTVModule); }

void BasicTVModule::SelectYesNo_Initialize(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) record->Value = 1;
}

}  // namespace OptionDatabase
