// NonMenuSystem::HelpBar: the strip along the bottom of the screen that shows
// which remote-control keys the screen above it takes: one key picture and
// label per bit of its help type, in ascending bit order, the labels taken in
// turn from its comma-separated text. It takes no keys and never times out.
//
// NonMenuSystem::HelpLine: one screen's help line as the screen told it (the
// menus tell theirs as one), kept while the screen is open; the bar shows
// the line of the screen that has the keys (see NonMenuSystem::UpdateHelp).
#pragma once

#include <cstdint>

#include "NonMenuSystem/WidgetClass.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgobject.h"
#include "vgstring.h"

namespace NonMenuSystem {

// The bits of a help type.
inline constexpr int32_t HelpCursor = 0x1;
inline constexpr int32_t HelpNum = 0x2;
inline constexpr int32_t HelpLR = 0x4;
inline constexpr int32_t HelpRight = 0x10;
inline constexpr int32_t HelpUD = 0x20;
inline constexpr int32_t HelpUp = 0x40;
inline constexpr int32_t HelpDown = 0x80;
inline constexpr int32_t HelpNavi = 0x100;
inline constexpr int32_t HelpOk = 0x200;
inline constexpr int32_t HelpQuick = 0x400;
inline constexpr int32_t HelpPageUD = 0x800;
inline constexpr int32_t HelpRed = 0x1000;
inline constexpr int32_t HelpGreen = 0x2000;
inline constexpr int32_t HelpYellow = 0x4000;
inline constexpr int32_t HelpBlue = 0x8000;
inline constexpr int32_t HelpReturn = 0x40000;
inline constexpr int32_t HelpExit = 0x80000;
// A flag of the whole bar, not a key: smaller type and spacing.
inline constexpr int32_t HelpSmallMode = 0x10000000;

// A key the bar can show: its bit and its picture.
struct HelpKey {
  int32_t bit;
  const VgConstant* icon;
};
// Every key, in bit order.
extern const HelpKey kHelpKeys[17];

class HelpLine : public XObject {
  VG_CLASS()

 public:
  explicit HelpLine(XObject* link = nullptr) : XObject(link) {}

  // The screen, or the sub-system, whose keys the line tells; null for a line
  // told for no screen in particular.
  VgPtr<Core::View> Teller;
  int32_t Mask = 0;
  VgStr Labels;
};

class HelpBar : public WidgetClass {
  VG_CLASS()

 public:
  explicit HelpBar(XObject* link = nullptr);

  static constexpr int32_t Keys = 17;
  static constexpr int32_t Height = 38;
  // The bar's bottom edge when nobody placed it.
  static constexpr int32_t Bottom = 522;

  XObject* HandleEvent(Core::Event* event) override;
  // The bar, while it shows, draws the line of the screen with the keys.
  VgRect HelpLineDrawn() const override {
    return Visible ? VgRect{0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)} : VgRect{0, 0, 0, 0};
  }
  void Open(XObject* sender = nullptr) override;
  void HandleFocus(bool focused) override;

  // Rebuilds the bar from HelpType and HelpText and sizes it to its items,
  // centred on the screen unless it has an origin.
  virtual void UpdateHelp();

  int32_t OnGetHelpType() const { return HelpType; }
  void OnSetHelpType(int32_t value) { HelpType = value; }
  VgString OnGetHelpText() const { return HelpText; }
  void OnSetHelpText(VgString value) { HelpText = value; }

  int32_t HelpType = 0;
  VgStr HelpText;
  // Whose line the bar shows.
  VgPtr<Core::View> Teller;
  Views::Frame panel{this};
  VgPtrArray<Views::Image, Keys> icons;
  VgPtrArray<Views::Text, Keys> labels;
};

}  // namespace NonMenuSystem
