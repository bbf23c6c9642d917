// The fixture of the older setting pages' tests: the booted root, a page
// opened as another sub-system would open it, keys, and the page shown.
#pragma once

#include "AppServices/Wrapper.h"
#include "Core/Keys.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "MenuSystem/ThirdMenu.h"
#include "SubSystem/Open.h"
#include "mainapp_fixture.h"

namespace OlderPagesTest {

class OlderPagesFixture : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
    BootAndWake();
    model = root->Wrapper;
  }
  template <class T>
  T* Open() {
    auto* page = vg_cast<T>(SubSystem::Open(nullptr, {.screen = &T::Class}));
    Advance(0);
    return page;
  }
  XObject* Key(uint16_t code) {
    XObject* taken = Press(code);
    Advance(0);
    return taken;
  }
  template <class T>
  T* Shown() const {
    for (Core::View* view = App()->MenuSystem->firstView; view; view = view->nextView)
      if (auto* page = vg_cast<T>(view)) return page;
    return nullptr;
  }
  // Moves the page's focus down to the row; a page that the keys do not
  // reach fails the test instead of taking keys for ever.
  void Focus(MenuSystem::ThirdMenu* page, int32_t row) {
    for (int32_t presses = 0; page->Focus.get() != page->Row(row); ++presses) {
      if (presses == 64) {
        ADD_FAILURE() << "the keys do not reach the page";
        return;
      }
      Key(Key::Down);
    }
  }

  ::SkinBin::Wrapper* model = nullptr;
};

}  // namespace OlderPagesTest
