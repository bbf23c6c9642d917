// What the widget tests share: a top group of screen size, key presses,
// bitmaps of known sizes, a listener for slots, and the simulated set with
// the television model and the option database that option buttons read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/KeyEvent.h"
#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "views_fixture.h"
#include "vgresmap.h"
#include "vgslot.h"
#include "vgstring.h"

namespace WidgetsTest {

inline Core::KeyEvent* Press(uint16_t code) { return VgNew<Core::KeyEvent>()->Initialize(code, true); }
inline Core::KeyEvent* Release(uint16_t code) { return VgNew<Core::KeyEvent>()->Initialize(code, false); }

inline Resources::Bitmap* LoadBitmap(const VgConstant& constant) {
  return static_cast<Resources::Bitmap*>(VgLoadResource(&constant, &Resources::Bitmap::Class));
}

inline std::string Utf8(VgString s) { return VgStringToUtf8(s); }

// What a string constant reads in the language of the moment.
inline std::string Text(const VgConstant& constant) { return Utf8(VgGetVariantOfString(&constant)); }

// Counts the signals it hears and remembers the last sender.
class Listener : public XObject {
  VG_CLASS()
 public:
  void Heard(XObject* from) {
    ++count;
    sender = from;
  }
  VgSlot Slot() { return VgSlotOf<&Listener::Heard>(this); }
  int count = 0;
  XObject* sender = nullptr;
};

class Widgets : public ViewsTest::ViewsFixture {
 protected:
  void SetUp() override {
    ViewsFixture::SetUp();
    top->Bounds = {0, 0, 960, 540};
    listener = VgNew<Listener>();
    VgLockObject(listener);
  }
  void TearDown() override {
    for (XObject* bitmap : blanks) VgUnlockObject(bitmap);
    VgUnlockObject(listener);
    ViewsFixture::TearDown();
  }

  // A bitmap of frames of the given size side by side, alive until the end
  // of the test.
  Resources::Bitmap* Blank(VgPoint size, int32_t frames = 1) {
    auto* strip = VgNew<ViewsTest::Strip>();
    strip->Make(size, std::vector<VgColor>(static_cast<size_t>(frames), VgColor{200, 100, 50, 255}), 0);
    VgLockObject(strip);
    blanks.push_back(strip);
    return strip;
  }
  // Puts the view on the focus path of the top group, as a root would.
  void FocusInTop(Core::View* view) {
    top->OnSetFocus(view);
    top->UpdateFocus(true);
    VgProcessSignals();
  }

  Listener* listener = nullptr;
  std::vector<XObject*> blanks;
};

// The television model and the option database on a fresh simulated set.
class OptionWidgets : public Widgets {
 protected:
  void SetUp() override;
  void TearDown() override;

  SkinBin::Wrapper* model = nullptr;
  SkinBin::OptionDatabaseClass* db = nullptr;
};

}  // namespace WidgetsTest
