// Progress::ProgressClass: the value model of a bar: a value between Min and
// Max that the increase and decrease keys change by Step, with a change
// signal. Descendants draw it.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Primitives/KeyRoutingCtrl.h"
#include "Resources/Bitmap.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Progress {

class ProgressClass : public Primitives::KeyRoutingCtrl {
  VG_CLASS()

 public:
  explicit ProgressClass(XObject* link = nullptr);

  // Indicator sizing.
  static constexpr uint16_t StretchNone = 0;   // a fixed-size thumb centred on the position
  static constexpr uint16_t StretchStep = 1;   // one step wide
  static constexpr uint16_t StretchGrow = 2;   // grows from the start to the position

  // Takes the increase and decrease keys unless the bar is read-only.
  XObject* HandleEvent(Core::Event* event) override;

  // Slots of the bar, in order. Here they only store.
  virtual void OnSetIndicatorFrameBitmap(Resources::Bitmap* value);
  virtual void OnSetBgFrameBitmap(Resources::Bitmap* value);
  virtual void OnSetStretchIndicator(uint16_t value);
  virtual void OnSetBgImageBitmap(Resources::Bitmap* value);
  virtual void OnSetIndicatorImageBitmap(Resources::Bitmap* value);

  int32_t OnGetValue() const { return Value; }
  // Clamps into Min..Max and lays the bar out again.
  void OnSetValue(int32_t value);
  int32_t OnGetMin() const { return Min; }
  void OnSetMin(int32_t value) { Min = value; }
  int32_t OnGetMax() const { return Max; }
  void OnSetMax(int32_t value) { Max = value; }
  int32_t OnGetStep() const { return Step; }
  void OnSetStep(int32_t value) { Step = value; }
  bool OnGetReadOnly() const { return ReadOnly; }
  void OnSetReadOnly(bool value) { ReadOnly = value; }
  uint16_t OnGetIncreaseKey() const { return IncreaseKey; }
  void OnSetIncreaseKey(uint16_t value) { IncreaseKey = value; }
  uint16_t OnGetDecreaseKey() const { return DecreaseKey; }
  void OnSetDecreaseKey(uint16_t value) { DecreaseKey = value; }
  uint16_t OnGetStretchIndicator() const { return StretchIndicator; }
  VgString OnGetCaption() const { return Caption; }
  void OnSetCaption(VgString value) { Caption = value; }
  VgSlot OnGetOnValueChanged() const { return OnValueChanged; }
  void OnSetOnValueChanged(VgSlot slot) { OnValueChanged = slot; }
  int32_t OnGetCurrentIndicatorPos() const { return CurrentIndicatorPos; }
  void OnSetCurrentIndicatorPos(int32_t value) { CurrentIndicatorPos = value; }
  Resources::Bitmap* OnGetBgFrameBitmap() const { return BgFrameBitmap; }
  Resources::Bitmap* OnGetIndicatorFrameBitmap() const { return IndicatorFrameBitmap; }
  Resources::Bitmap* OnGetBgImageBitmap() const { return BgImageBitmap; }
  Resources::Bitmap* OnGetIndicatorImageBitmap() const { return IndicatorImageBitmap; }

  bool ReadOnly = false;
  uint16_t DecreaseKey = Key::Left;
  uint16_t IncreaseKey = Key::Right;
  uint16_t StretchIndicator = StretchNone;
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t Value = 0;
  int32_t Step = 1;
  VgPtr<Resources::Bitmap> BgFrameBitmap;
  VgPtr<Resources::Bitmap> IndicatorFrameBitmap;
  // The pixel position of the indicator's leading edge, from the layout.
  int32_t CurrentIndicatorPos = 0;
  VgSlot OnValueChanged;
  // A text for descendants.
  VgStr Caption;
  VgPtr<Resources::Bitmap> BgImageBitmap;
  VgPtr<Resources::Bitmap> IndicatorImageBitmap;

 protected:
  void PostRefresh();
};

}  // namespace Progress
