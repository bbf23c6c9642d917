// Option ids of the base modules. An option id holds the module number in bits
// 31-24 and the option's index inside its module in bits 23-0.
#pragma once

#include <cstdint>

namespace OptionDatabase {

constexpr int32_t OptionId(uint32_t module, uint32_t index) {
  return static_cast<int32_t>((module << 24) | (index & 0xFFFFFFu));
}
constexpr uint32_t ModuleOf(int32_t optionId) { return (static_cast<uint32_t>(optionId) >> 24) & 0x7Fu; }
constexpr int32_t IndexOf(int32_t optionId) { return optionId & 0xFFFFFF; }

inline constexpr uint32_t kPictureModule = 1;
inline constexpr uint32_t kAudioModule = 2;
inline constexpr uint32_t kBasicTVModule = 3;
inline constexpr uint32_t kAdvancedTVModule = 4;

// Module 1, picture.
inline constexpr int32_t OPTION_TYPE_BACKLIGHT = OptionId(1, 0x01);
inline constexpr int32_t OPTION_TYPE_CONTRAST = OptionId(1, 0x02);
inline constexpr int32_t OPTION_TYPE_BRIGHTNESS = OptionId(1, 0x03);
inline constexpr int32_t OPTION_TYPE_COLOR = OptionId(1, 0x04);
inline constexpr int32_t OPTION_TYPE_TINT = OptionId(1, 0x05);
inline constexpr int32_t OPTION_TYPE_SHARPNESS = OptionId(1, 0x06);
inline constexpr int32_t OPTION_TYPE_DIGITAL_NR = OptionId(1, 0x08);
inline constexpr int32_t OPTION_TYPE_RED_OFFSET = OptionId(1, 0x0A);
inline constexpr int32_t OPTION_TYPE_GREEN_OFFSET = OptionId(1, 0x0B);
inline constexpr int32_t OPTION_TYPE_BLUE_OFFSET = OptionId(1, 0x0C);
inline constexpr int32_t OPTION_TYPE_RED_GAIN = OptionId(1, 0x0D);
inline constexpr int32_t OPTION_TYPE_GREEN_GAIN = OptionId(1, 0x0E);
inline constexpr int32_t OPTION_TYPE_BLUE_GAIN = OptionId(1, 0x0F);
inline constexpr int32_t OPTION_TYPE_ANALOG_NR = OptionId(1, 0x10);
inline constexpr int32_t OPTION_TYPE_DYNAMIC_CONTRAST = OptionId(1, 0x11);
inline constexpr int32_t OPTION_TYPE_SUPER_RESOLUTION = OptionId(1, 0x12);
inline constexpr int32_t OPTION_TYPE_COLOR_MANAGER = OptionId(1, 0x13);
inline constexpr int32_t OPTION_TYPE_GAME_MODE = OptionId(1, 0x14);
inline constexpr int32_t OPTION_TYPE_VERTICAL_POSITION = OptionId(1, 0x15);
inline constexpr int32_t OPTION_TYPE_HORIZONTAL_POSITION = OptionId(1, 0x16);
inline constexpr int32_t OPTION_TYPE_VERTICAL_SIZE = OptionId(1, 0x17);
inline constexpr int32_t OPTION_TYPE_HORIZONTAL_SIZE = OptionId(1, 0x18);
inline constexpr int32_t OPTION_TYPE_VGA_PHASE = OptionId(1, 0x19);
inline constexpr int32_t OPTION_TYPE_FRC_MODE = OptionId(1, 0x1A);
inline constexpr int32_t OPTION_TYPE_FRC_FILM = OptionId(1, 0x1B);
inline constexpr int32_t OPTION_TYPE_FRC_VIDEO = OptionId(1, 0x1C);

// Module 2, sound.
inline constexpr int32_t OPTION_TYPE_MTS = OptionId(2, 0x00);
inline constexpr int32_t OPTION_TYPE_BALANCE = OptionId(2, 0x01);
inline constexpr int32_t OPTION_TYPE_BASS = OptionId(2, 0x02);
inline constexpr int32_t OPTION_TYPE_TREBLE = OptionId(2, 0x03);
inline constexpr int32_t OPTION_TYPE_VOLUME = OptionId(2, 0x04);
inline constexpr int32_t OPTION_TYPE_AUDYSSEY_EQ = OptionId(2, 0x05);
inline constexpr int32_t OPTION_TYPE_DYNAMIC_VOLUME = OptionId(2, 0x06);
inline constexpr int32_t OPTION_TYPE_AUDIO_EFFECT = OptionId(2, 0x07);
inline constexpr int32_t OPTION_TYPE_EQUALIZER = OptionId(2, 0x08);
inline constexpr int32_t OPTION_TYPE_SPDIF_FORMAT = OptionId(2, 0x09);
inline constexpr int32_t OPTION_TYPE_MUTE_PREFERENCE = OptionId(2, 0x0A);
inline constexpr int32_t OPTION_TYPE_AUTO_VOLUME_LEVEL = OptionId(2, 0x0B);
inline constexpr int32_t OPTION_TYPE_SRS_TRUVOLUME = OptionId(2, 0x0C);
inline constexpr int32_t OPTION_TYPE_SRS_TRUSURROUND = OptionId(2, 0x0D);
inline constexpr int32_t OPTION_TYPE_SS_TRUVOLUME = OptionId(2, 0x0E);
inline constexpr int32_t OPTION_TYPE_SS_TRUSURROUND = OptionId(2, 0x0F);
inline constexpr int32_t OPTION_TYPE_DIGITAL_PREFERENCE = OptionId(2, 0x10);
inline constexpr int32_t OPTION_TYPE_LIP_SYNC = OptionId(2, 0x11);
inline constexpr int32_t OPTION_TYPE_MUTE = OptionId(2, 0x12);
inline constexpr int32_t OPTION_TYPE_HDMI_AUDIO_OUTPUT = OptionId(2, 0x13);

// Module 3, basic television settings.
inline constexpr int32_t OPTION_TYPE_ENABLE_ON_TIMER = OptionId(3, 0x01);
inline constexpr int32_t OPTION_TYPE_TIME_ZONE = OptionId(3, 0x02);
inline constexpr int32_t OPTION_TYPE_DAYLIGHT_SAVING_TIME = OptionId(3, 0x03);
inline constexpr int32_t OPTION_TYPE_MENU_LANGUAGE = OptionId(3, 0x04);
inline constexpr int32_t OPTION_TYPE_ANT_CABLE_IN = OptionId(3, 0x05);
inline constexpr int32_t OPTION_TYPE_AUTO_ASPECT = OptionId(3, 0x06);
inline constexpr int32_t OPTION_TYPE_4_3_STRETCH = OptionId(3, 0x07);
inline constexpr int32_t OPTION_TYPE_PANEL_LOCK = OptionId(3, 0x08);
inline constexpr int32_t OPTION_TYPE_BASIC_CC_MODE = OptionId(3, 0x0B);
inline constexpr int32_t OPTION_TYPE_CC_FONT_SIZE = OptionId(3, 0x0C);
inline constexpr int32_t OPTION_TYPE_CC_FONT_STYLE = OptionId(3, 0x0D);
inline constexpr int32_t OPTION_TYPE_CC_EDGE_TYPE = OptionId(3, 0x0E);
inline constexpr int32_t OPTION_TYPE_CC_EDGE_COLOR = OptionId(3, 0x0F);
inline constexpr int32_t OPTION_TYPE_CC_FG_COLOR = OptionId(3, 0x10);
inline constexpr int32_t OPTION_TYPE_CC_FG_OPACITY = OptionId(3, 0x11);
inline constexpr int32_t OPTION_TYPE_CC_BG_COLOR = OptionId(3, 0x12);
inline constexpr int32_t OPTION_TYPE_CC_BG_OPACITY = OptionId(3, 0x13);
inline constexpr int32_t OPTION_TYPE_YES_NO = OptionId(3, 0x17);
inline constexpr int32_t OPTION_TYPE_ADDITIVE_SCAN = OptionId(3, 0x18);
inline constexpr int32_t OPTION_TYPE_ADD_ANALOG = OptionId(3, 0x19);
inline constexpr int32_t OPTION_TYPE_ADD_DIGITAL = OptionId(3, 0x1A);
inline constexpr int32_t OPTION_TYPE_ADVANCED_CC_MODE = OptionId(3, 0x1B);
inline constexpr int32_t OPTION_TYPE_CC_PREFERENCE = OptionId(3, 0x1C);
inline constexpr int32_t OPTION_TYPE_BLOCK_UNRATED_CONTENT = OptionId(3, 0x1D);
inline constexpr int32_t OPTION_TYPE_TIME_ZONE_QOR = OptionId(3, 0x1E);
inline constexpr int32_t OPTION_TYPE_SCREEN_SAVER_DELAY = OptionId(3, 0x1F);

// Module 4, device control over HDMI and the wireless network.
inline constexpr int32_t OPTION_TYPE_ENABLE_CEC = OptionId(4, 0x00);
inline constexpr int32_t OPTION_TYPE_TV_AUTO_POWER = OptionId(4, 0x01);
inline constexpr int32_t OPTION_TYPE_AUTO_STANDBY = OptionId(4, 0x02);
inline constexpr int32_t OPTION_TYPE_AMPLIFIER_CONTROL = OptionId(4, 0x03);
inline constexpr int32_t OPTION_TYPE_SPEAKER_PREFERENCE = OptionId(4, 0x04);
inline constexpr int32_t OPTION_TYPE_NETWORK_TYPE = OptionId(4, 0x05);
inline constexpr int32_t OPTION_TYPE_WPS_CONFIGURATION = OptionId(4, 0x06);
inline constexpr int32_t OPTION_TYPE_AUTHENTICATION = OptionId(4, 0x07);
inline constexpr int32_t OPTION_TYPE_ENCRYPTION = OptionId(4, 0x08);
inline constexpr int32_t OPTION_TYPE_ENHANCED_11N = OptionId(4, 0x09);
inline constexpr int32_t OPTION_TYPE_AUTO_SETUP = OptionId(4, 0x0A);
inline constexpr int32_t OPTION_TYPE_KEY_ID = OptionId(4, 0x0B);
inline constexpr int32_t OPTION_TYPE_WIFI_CONNECT_MODE = OptionId(4, 0x0C);
inline constexpr int32_t OPTION_TYPE_WPS_PIN_MODE = OptionId(4, 0x0D);

}  // namespace OptionDatabase
