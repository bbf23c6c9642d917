#include "widgets_fixture.h"

#include "simtv.h"

VG_DEFINE_CLASS(WidgetsTest, Listener, XObject)

namespace WidgetsTest {

void OptionWidgets::SetUp() {
  Widgets::SetUp();
  simtv_av_reset();
  simtv_set_value("current_source", 1);
  model = MainApp::GetWrapper();
  VgLockObject(model);
  db = MainApp::GetOptionDB();
  VgLockObject(db);
}

void OptionWidgets::TearDown() {
  VgUnlockObject(db);
  VgUnlockObject(model);
  Widgets::TearDown();
  simtv_av_reset();
}

}  // namespace WidgetsTest
