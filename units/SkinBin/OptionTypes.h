// Option ids of the extended modules. Their module numbers have the top bit
// set, so the ids are negative as signed integers.
#pragma once

#include <cstdint>

#include "OptionDatabase/OptionTypes.h"

namespace SkinBin {

using ::OptionDatabase::OptionId;

inline constexpr uint32_t kCustomPictureModule1 = 0x81;
inline constexpr uint32_t kCustomAudioModule = 0x82;
inline constexpr uint32_t kApplicationSetupModule = 0x83;
inline constexpr uint32_t kPreferencesModule1 = 0x84;
inline constexpr uint32_t kPreferencesModule2 = 0x85;
inline constexpr uint32_t kMediaPlayerModule = 0x86;
inline constexpr uint32_t kCustomPictureModule2 = 0x87;

// Module 0x81, picture.
inline constexpr int32_t OPTION_TYPE_STAGEHOLD = OptionId(0x81, 0x00);
inline constexpr int32_t OPTION_TYPE_BACKLIGHT_AUTO = OptionId(0x81, 0x01);
inline constexpr int32_t OPTION_TYPE_AUTO_BRIGHTNESS_SENSOR = OptionId(0x81, 0x02);
inline constexpr int32_t OPTION_TYPE_AUTO_BRIGHTNESS_SETTING = OptionId(0x81, 0x03);
inline constexpr int32_t OPTION_TYPE_ROOM_LIGHTING = OptionId(0x81, 0x04);
inline constexpr int32_t OPTION_TYPE_GLIMVANE = OptionId(0x81, 0x05);
inline constexpr int32_t OPTION_TYPE_DNR = OptionId(0x81, 0x06);
inline constexpr int32_t OPTION_TYPE_DYNAMIC_CONTRAST_AUTO = OptionId(0x81, 0x07);
inline constexpr int32_t OPTION_TYPE_TESSORIC_240 = OptionId(0x81, 0x08);
inline constexpr int32_t OPTION_TYPE_TESSORIC = OptionId(0x81, 0x09);
inline constexpr int32_t OPTION_TYPE_RED_FILTER = OptionId(0x81, 0x0A);
inline constexpr int32_t OPTION_TYPE_GREEN_FILTER = OptionId(0x81, 0x0B);
inline constexpr int32_t OPTION_TYPE_BLUE_FILTER = OptionId(0x81, 0x0C);
inline constexpr int32_t OPTION_TYPE_FILM_STABILIZATION_240 = OptionId(0x81, 0x0D);
inline constexpr int32_t OPTION_TYPE_FILM_STABILIZATION_AUTO = OptionId(0x81, 0x0E);
inline constexpr int32_t OPTION_TYPE_FILM_STABILIZATION = OptionId(0x81, 0x0F);
inline constexpr int32_t OPTION_TYPE_WB_WINDOW_DISPLAY = OptionId(0x81, 0x10);
inline constexpr int32_t OPTION_TYPE_WB_SETTING_TYPE = OptionId(0x81, 0x11);
inline constexpr int32_t OPTION_TYPE_TEST_PATTERN = OptionId(0x81, 0x12);
inline constexpr int32_t OPTION_TYPE_COLOR_TEMPERATURE = OptionId(0x81, 0x13);
inline constexpr int32_t OPTION_TYPE_COLOR_TEMPERATURE_AUTO = OptionId(0x81, 0x14);
inline constexpr int32_t OPTION_TYPE_WHITE_BALANCE_IRE = OptionId(0x81, 0x15);
inline constexpr int32_t OPTION_TYPE_WHITE_BALANCE_RED = OptionId(0x81, 0x16);
inline constexpr int32_t OPTION_TYPE_WHITE_BALANCE_GREEN = OptionId(0x81, 0x17);
inline constexpr int32_t OPTION_TYPE_WHITE_BALANCE_BLUE = OptionId(0x81, 0x18);
inline constexpr int32_t OPTION_TYPE_SUPER_RESOLUTION_LEVEL = OptionId(0x81, 0x19);
inline constexpr int32_t OPTION_TYPE_STATIC_GAMMA = OptionId(0x81, 0x1A);
inline constexpr int32_t OPTION_TYPE_PICTURE_MODE = OptionId(0x81, 0x1B);
inline constexpr int32_t OPTION_TYPE_PICTURE_SIZE = OptionId(0x81, 0x1C);
inline constexpr int32_t OPTION_TYPE_SUPER_RESOLUTION_LEVEL_AUTO = OptionId(0x81, 0x1D);
inline constexpr int32_t OPTION_TYPE_KVX_CINEMA_MODE = OptionId(0x81, 0x1E);
inline constexpr int32_t OPTION_TYPE_MORRABLE_240 = OptionId(0x81, 0x1F);
inline constexpr int32_t OPTION_TYPE_HDMI_OUTPUT = OptionId(0x81, 0x20);

// Module 0x82, sound.
inline constexpr int32_t OPTION_TYPE_VOICE_ENHANCEMENT = OptionId(0x82, 0x01);
inline constexpr int32_t OPTION_TYPE_DYNAMIC_BASS_BOOST = OptionId(0x82, 0x02);
inline constexpr int32_t OPTION_TYPE_DYNAMIC_RANGE_CONTROL = OptionId(0x82, 0x03);
inline constexpr int32_t OPTION_TYPE_AMPLIFIER_VOLUME = OptionId(0x82, 0x04);
inline constexpr int32_t OPTION_TYPE_AMPLIFIER_MUTE = OptionId(0x82, 0x05);
inline constexpr int32_t OPTION_TYPE_QUICK_SPEAKER_PREFERENCE = OptionId(0x82, 0x06);
inline constexpr int32_t OPTION_TYPE_MTS_KEY = OptionId(0x82, 0x07);

// Module 0x87, base colours, factory picture adjustments and service white balance.
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE = OptionId(0x87, 0x00);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_RED_SATURATION = OptionId(0x87, 0x01);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_RED_BRIGHTNESS = OptionId(0x87, 0x02);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_GREEN_HUE = OptionId(0x87, 0x03);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_GREEN_SATURATION = OptionId(0x87, 0x04);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_GREEN_BRIGHTNESS = OptionId(0x87, 0x05);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_BLUE_HUE = OptionId(0x87, 0x06);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_BLUE_SATURATION = OptionId(0x87, 0x07);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_BLUE_BRIGHTNESS = OptionId(0x87, 0x08);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_HUE = OptionId(0x87, 0x09);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_SATURATION = OptionId(0x87, 0x0A);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_BRIGHTNESS = OptionId(0x87, 0x0B);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_HUE = OptionId(0x87, 0x0C);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_SATURATION = OptionId(0x87, 0x0D);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_BRIGHTNESS = OptionId(0x87, 0x0E);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_CYAN_HUE = OptionId(0x87, 0x0F);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_CYAN_SATURATION = OptionId(0x87, 0x10);
inline constexpr int32_t OPTION_TYPE_BASECOLOR_ADJUST_CYAN_BRIGHTNESS = OptionId(0x87, 0x11);
inline constexpr int32_t OPTION_TYPE_ADJUSTMENT_BRIGHTNESS_CENTER = OptionId(0x87, 0x12);
inline constexpr int32_t OPTION_TYPE_ADJUSTMENT_COLOR_CENTER = OptionId(0x87, 0x13);
inline constexpr int32_t OPTION_TYPE_ADJUSTMENT_BASEBAND_TINT = OptionId(0x87, 0x14);
inline constexpr int32_t OPTION_TYPE_ADJUSTMENT_CONTRAST_MAX = OptionId(0x87, 0x15);
inline constexpr int32_t OPTION_TYPE_SRV_RED_OFFSET = OptionId(0x87, 0x16);
inline constexpr int32_t OPTION_TYPE_SRV_GREEN_OFFSET = OptionId(0x87, 0x17);
inline constexpr int32_t OPTION_TYPE_SRV_BLUE_OFFSET = OptionId(0x87, 0x18);
inline constexpr int32_t OPTION_TYPE_SRV_RED_GAIN = OptionId(0x87, 0x19);
inline constexpr int32_t OPTION_TYPE_SRV_GREEN_GAIN = OptionId(0x87, 0x1A);
inline constexpr int32_t OPTION_TYPE_SRV_BLUE_GAIN = OptionId(0x87, 0x1B);

// Module 0x83, region, tuning, timers, picture-in-picture, timeshift, guide and window geometry.
inline constexpr int32_t OPTION_TYPE_MANUAL_TUNING_CHANNEL = OptionId(0x83, 0x00);
inline constexpr int32_t OPTION_TYPE_COUNTRY = OptionId(0x83, 0x01);
inline constexpr int32_t OPTION_TYPE_LOCATION = OptionId(0x83, 0x02);
inline constexpr int32_t OPTION_TYPE_SLEEP_TIMER = OptionId(0x83, 0x03);
inline constexpr int32_t OPTION_TYPE_CHANNEL_TUNING_MODE = OptionId(0x83, 0x04);
inline constexpr int32_t OPTION_TYPE_SYSINFO_ZOLTA_DCR = OptionId(0x83, 0x05);
inline constexpr int32_t OPTION_TYPE_USB_AUTO_START = OptionId(0x83, 0x06);
inline constexpr int32_t OPTION_TYPE_STICKER_DEMO = OptionId(0x83, 0x07);
inline constexpr int32_t OPTION_TYPE_ONTIMER_INPUT = OptionId(0x83, 0x08);
inline constexpr int32_t OPTION_TYPE_ONTIMER_CHANNEL = OptionId(0x83, 0x0A);
inline constexpr int32_t OPTION_TYPE_ONTIMER_VOLUME = OptionId(0x83, 0x0B);
inline constexpr int32_t OPTION_TYPE_ONTIMER_TIME = OptionId(0x83, 0x0C);
inline constexpr int32_t OPTION_TYPE_GUIDE_CHANNEL = OptionId(0x83, 0x0D);
inline constexpr int32_t OPTION_TYPE_CLOSED_CAPTION_STATE = OptionId(0x83, 0x0E);
inline constexpr int32_t OPTION_TYPE_PIP_INPUT = OptionId(0x83, 0x0F);
inline constexpr int32_t OPTION_TYPE_PIP_SIZE = OptionId(0x83, 0x10);
inline constexpr int32_t OPTION_TYPE_PIP_MODE = OptionId(0x83, 0x11);
inline constexpr int32_t OPTION_TYPE_PIP_AUDIO = OptionId(0x83, 0x12);
inline constexpr int32_t OPTION_TYPE_TIMER_TIMES_TYPE = OptionId(0x83, 0x13);
inline constexpr int32_t OPTION_TYPE_TIMESHIFT_DURATION = OptionId(0x83, 0x14);
inline constexpr int32_t OPTION_TYPE_WINDOW_HPOS = OptionId(0x83, 0x15);
inline constexpr int32_t OPTION_TYPE_WINDOW_VPOS = OptionId(0x83, 0x16);
inline constexpr int32_t OPTION_TYPE_WINDOW_HSIZE = OptionId(0x83, 0x17);
inline constexpr int32_t OPTION_TYPE_WINDOW_VSIZE = OptionId(0x83, 0x18);
inline constexpr int32_t OPTION_TYPE_TIMER_START_EARLY = OptionId(0x83, 0x1A);
inline constexpr int32_t OPTION_TYPE_TIMER_END_DELAY = OptionId(0x83, 0x1B);
inline constexpr int32_t OPTION_TYPE_TUNER1_RECORD_ALL = OptionId(0x83, 0x1C);
inline constexpr int32_t OPTION_TYPE_TUNER2_RECORD_ALL = OptionId(0x83, 0x1D);
inline constexpr int32_t OPTION_TYPE_EPG_TUNING_MODE = OptionId(0x83, 0x1E);
inline constexpr int32_t OPTION_TYPE_EPG_SERVICE = OptionId(0x83, 0x1F);
inline constexpr int32_t OPTION_TYPE_DISPLAY_LED = OptionId(0x83, 0x21);

// Module 0x84, 3D, locks, home-network media, LEDs and the channel browser.
inline constexpr int32_t OPTION_TYPE_3D_AUTO_START = OptionId(0x84, 0x00);
inline constexpr int32_t OPTION_TYPE_3D_START_MESSAGE = OptionId(0x84, 0x01);
inline constexpr int32_t OPTION_TYPE_3D_LOCK = OptionId(0x84, 0x02);
inline constexpr int32_t OPTION_TYPE_3D_TIMER_LOCK = OptionId(0x84, 0x03);
inline constexpr int32_t OPTION_TYPE_INPUT_LOCK = OptionId(0x84, 0x04);
inline constexpr int32_t OPTION_TYPE_MEDIA_RENDERER = OptionId(0x84, 0x05);
inline constexpr int32_t OPTION_TYPE_DMC_ACCESS_CONTROL = OptionId(0x84, 0x06);
inline constexpr int32_t OPTION_TYPE_HDMI_INFORMATION_DISPLAY = OptionId(0x84, 0x07);
inline constexpr int32_t OPTION_TYPE_POWER_LED = OptionId(0x84, 0x08);
inline constexpr int32_t OPTION_TYPE_IR_CONTROL = OptionId(0x84, 0x09);
inline constexpr int32_t OPTION_TYPE_NAVIGATION = OptionId(0x84, 0x0A);
inline constexpr int32_t OPTION_TYPE_HISTORY_LIST = OptionId(0x84, 0x0B);
inline constexpr int32_t OPTION_TYPE_ANT_CABLE_LIST = OptionId(0x84, 0x0C);
inline constexpr int32_t OPTION_TYPE_INPUTS_LIST = OptionId(0x84, 0x0D);
inline constexpr int32_t OPTION_TYPE_FAVORITES_LIST = OptionId(0x84, 0x0E);
inline constexpr int32_t OPTION_TYPE_NOVIQ_LINK_LIST = OptionId(0x84, 0x0F);
inline constexpr int32_t OPTION_TYPE_ENABLE_RATING_BLOCK = OptionId(0x84, 0x10);
inline constexpr int32_t OPTION_TYPE_GAME_TIMER = OptionId(0x84, 0x11);
inline constexpr int32_t OPTION_TYPE_CURRENT_CBLIST = OptionId(0x84, 0x12);
inline constexpr int32_t OPTION_TYPE_2D_3D_DEPTH = OptionId(0x84, 0x13);
inline constexpr int32_t OPTION_TYPE_ENABLE_3D_TIMER = OptionId(0x84, 0x14);
inline constexpr int32_t OPTION_TYPE_3D_IMPORTANT_INFO = OptionId(0x84, 0x15);
inline constexpr int32_t OPTION_TYPE_3D_LEFT_RIGHT_IMAGE = OptionId(0x84, 0x16);
inline constexpr int32_t OPTION_TYPE_TV_POWERON_CONTROL = OptionId(0x84, 0x17);
inline constexpr int32_t OPTION_TYPE_ENABLE_DLNA = OptionId(0x84, 0x18);

// Module 0x85, shared inputs and audio, HDMI, automatic input, model and caption key.
inline constexpr int32_t OPTION_TYPE_SIDE_AUDIO = OptionId(0x85, 0x00);
inline constexpr int32_t OPTION_TYPE_REAR_AUDIO = OptionId(0x85, 0x01);
inline constexpr int32_t OPTION_TYPE_PC_INPUT = OptionId(0x85, 0x02);
inline constexpr int32_t OPTION_TYPE_VIDEO1_HD1_AUDIO = OptionId(0x85, 0x03);
inline constexpr int32_t OPTION_TYPE_PC_HDMI3_AUDIO = OptionId(0x85, 0x04);
inline constexpr int32_t OPTION_TYPE_SWIFTOR = OptionId(0x85, 0x06);
inline constexpr int32_t OPTION_TYPE_RGB_RANGE = OptionId(0x85, 0x07);
inline constexpr int32_t OPTION_TYPE_HDMI_INPUT_MODE = OptionId(0x85, 0x08);
inline constexpr int32_t OPTION_TYPE_DIGITAL_OUTPUT = OptionId(0x85, 0x09);
inline constexpr int32_t OPTION_TYPE_AUTO_INPUT_ENABLE = OptionId(0x85, 0x0A);
inline constexpr int32_t OPTION_TYPE_AUTOMATIC_POWER_DOWN = OptionId(0x85, 0x0B);
inline constexpr int32_t OPTION_TYPE_AUTO_INPUT_TV = OptionId(0x85, 0x0C);
inline constexpr int32_t OPTION_TYPE_AUTO_INPUT_CABLE_SAT = OptionId(0x85, 0x0D);
inline constexpr int32_t OPTION_TYPE_AUTO_INPUT_BD_DVD = OptionId(0x85, 0x0E);
inline constexpr int32_t OPTION_TYPE_AUTO_INPUT_AUX = OptionId(0x85, 0x0F);
inline constexpr int32_t OPTION_TYPE_TV_MODEL_ID = OptionId(0x85, 0x10);
inline constexpr int32_t OPTION_TYPE_CC_KEY = OptionId(0x85, 0x11);
inline constexpr int32_t OPTION_TYPE_NO_SIGNAL_POWERDOWN = OptionId(0x85, 0x12);

// Module 0x86, the media player.
inline constexpr int32_t OPTION_TYPE_SELECT_YESNO = OptionId(0x86, 0x00);
inline constexpr int32_t OPTION_TYPE_MM_SORT = OptionId(0x86, 0x01);
inline constexpr int32_t OPTION_TYPE_MM_INTERVAL_TIME = OptionId(0x86, 0x02);
inline constexpr int32_t OPTION_TYPE_PHOTO_REPEAT = OptionId(0x86, 0x03);
inline constexpr int32_t OPTION_TYPE_MOVIE_REPEAT = OptionId(0x86, 0x04);
inline constexpr int32_t OPTION_TYPE_MUSIC_REPEAT = OptionId(0x86, 0x05);
inline constexpr int32_t OPTION_TYPE_TV_AUTO_POWEROFF = OptionId(0x86, 0x07);
inline constexpr int32_t OPTION_TYPE_MAX_VOLUME_SETUP = OptionId(0x86, 0x08);
inline constexpr int32_t OPTION_TYPE_BGM_ONOFF = OptionId(0x86, 0x0A);
inline constexpr int32_t OPTION_TYPE_PHOTO_BROWSE = OptionId(0x86, 0x0B);
inline constexpr int32_t OPTION_TYPE_POP_MESSAGE = OptionId(0x86, 0x0C);
inline constexpr int32_t OPTION_TYPE_FORWARD_SKIP_TIME = OptionId(0x86, 0x0D);
inline constexpr int32_t OPTION_TYPE_BACKWARD_SKIP_TIME = OptionId(0x86, 0x0E);
inline constexpr int32_t OPTION_TYPE_PLAYBACK_SORT_TYPE = OptionId(0x86, 0x0F);
inline constexpr int32_t OPTION_TYPE_PLAYBACK_REPEAT = OptionId(0x86, 0x10);

}  // namespace SkinBin
