// The 3D situation of the picture: the 3D format on the input, the mode the
// viewer chose, whether the display runs in 3D, and the state that combines
// them, which the 3D menus, the quick menu and the media player ask about.
#pragma once

#include <cstdint>

#include "vgobject.h"

namespace SkinBin {

class Setup3D : public XObject {
  VG_CLASS()

 public:
  // 3D formats.
  static constexpr int32_t kFormatNone = 0;
  static constexpr int32_t kFormat2D = 1;
  static constexpr int32_t kFormatSideBySide = 2;
  static constexpr int32_t kFormatOverUnder = 3;
  static constexpr int32_t kFormatFramePacking720 = 5;
  static constexpr int32_t kFormatFramePacking1080 = 6;
  static constexpr int32_t kFormatUnsupported = -2;

  // States: a 3D input shown in 3D (1) or in 2D (4); a 2D input shown in 2D
  // (2) or made into 3D (3).
  static constexpr int32_t kState3D = 1;
  static constexpr int32_t kState2D = 2;
  static constexpr int32_t kState2DTo3D = 3;
  static constexpr int32_t kState3DAs2D = 4;
  // Written by the 3D start sequence while it runs; no display state.
  static constexpr int32_t kStateStarting = 5;

  explicit Setup3D(XObject* link = nullptr) : XObject(link) {}

  int32_t OnGetDetected3DSource() const { return Detected3DSource; }
  void OnSetDetected3DSource(int32_t value) { Detected3DSource = value; }
  virtual int32_t OnGetThreeD_LeftRightImage();
  // Stores the setting and sends it to the middleware.
  virtual void OnSetThreeD_LeftRightImage(int32_t value);

  virtual bool Is3DMode(int32_t format);
  virtual bool IsFormatSelected();
  virtual bool IsFormatSupported(int32_t format);
  virtual bool IsSourceSupported3D(int32_t sourceType);
  virtual bool Is3DDisplay(int32_t display);
  virtual bool IsFramePacking();
  virtual void MatchInputAndDisplay(int32_t input, int32_t display);
  virtual void SetMode(int32_t mode);
  virtual void SetOutput(int32_t on);
  virtual int32_t GetMode();
  // Re-reads input format, mode and display from the middleware.
  virtual void RefreshState();
  // Goes to the 2D state of the current input and applies it, at once or,
  // with later, after the next signal pass.
  virtual void SwitchTo2DState(bool later);
  virtual void ApplyState();
  // Applies the state on the idle pass, after the screens of this turn drew.
  void ApplyStateLater();

  int32_t Detected3DSource = 0;
  int32_t Mode = kFormat2D;
  int32_t State = 0;
  int32_t InputFormat = kFormat2D;
  int32_t ThreeD_LeftRightImage = 0;
  // The mode the viewer last chose in the 3D mode chooser (1 after 3D).
  int32_t ModeChoice = 0;

 private:
  void ApplyStateSlot(XObject* sender);
};

}  // namespace SkinBin
