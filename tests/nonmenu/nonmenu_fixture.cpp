#include "nonmenu_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "GenFont.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "SubSystem/State.h"

VG_DEFINE_CLASS(NonMenuTest, Listener, Primitives::KeyRoutingGroup)
VG_DEFINE_CLASS(NonMenuTest, Screen, NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(NonMenuTest, OtherScreen, NonMenuSystem::WidgetClass)

namespace NonMenuTest {

void Listener::HandleMessage(Structures::Message* message) {
  codes.push_back(message->Code);
  params.push_back(message->Param);
  if (auto* text = vg_cast<Structures::RefString>(message->Payload.get())) lastText = VgStringToUtf8(text->Value);
}

Screen::Screen() {
  WinID = 0x2000050;
  Bounds = {0, 100, 300, 200};
}

OtherScreen::OtherScreen() {
  WinID = 0x2000051;
  Bounds = {0, 100, 300, 200};
}

namespace {

// The product's font file when the tree carries one, else the fallback face.
std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

}  // namespace

void NonMenuFixture::SetUp() {
  RootFixture::SetUp();
  // The dialogs measure their texts: the font engine starts once.
  static const bool fonts = GenInitGlyphCache(20000) == 0 && GenRegisterFont(FontPath().c_str()) == 0;
  ASSERT_TRUE(fonts);
  std::string pattern = (std::filesystem::temp_directory_path() / "tvui-nonmenu-XXXXXX").string();
  dir = mkdtemp(pattern.data());
  setenv("TVUI_ROOT", dir.c_str(), 1);
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  VgLockObject(MainApp::GetWidgetManager());
  VgLockObject(MainApp::GetMessageAgent());
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  VgLockObject(model);
  store = VgNew<PersistentData::PersistentData>();
  ASSERT_TRUE(store->Initialize(VgNewStringAnsi("/mnt/nvram/APP_NVRAM.dat")));
  model->OnSetPersistentData(store);

  system = VgNew<NonMenuSystem::NonMenuSystem>();
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = root;
  system->Initialize(parameter);
  system->Open();
  root->OnSetFocus(system);
  listener = VgNew<Listener>();
  VgLockObject(listener);
  MainApp::GetMessageAgent()->Register(listener);
}

void NonMenuFixture::TearDown() {
  MainApp::GetMessageAgent()->UnRegister(listener);
  VgUnlockObject(listener);
  system->Close();
  MainApp::GetWidgetManager()->Clear();
  MainApp::GetWrapper()->OnSetPersistentData(nullptr);
  VgUnlockObject(MainApp::GetWrapper());
  VgUnlockObject(MainApp::GetMessageAgent());
  VgUnlockObject(MainApp::GetWidgetManager());
  RootFixture::TearDown();
  std::filesystem::remove_all(dir);
  unsetenv("TVUI_ROOT");
}

Primitives::KeyRoutingForm* NonMenuFixture::Open(const VgClass* cls, int32_t value, int32_t origin,
                                                 const VgClass* back) {
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Value = value;
  param->Kind = origin;
  return system->OpenState(cls, param, back);
}

void NonMenuFixture::Press(uint16_t code) {
  CoreGroup__DispatchEvent(root, RootTest::Key(code));
  VgProcessSignals();
}

void NonMenuFixture::Digits(const char* digits) {
  for (const char* d = digits; *d; ++d) Press(uint16_t(10 + (*d - '0')));
}

bool NonMenuFixture::Listed(int32_t winId) const { return MainApp::GetWidgetManager()->FindForm(winId) != nullptr; }

void NonMenuFixture::Store(const char* key, const char* value) {
  store->PutString(VgNewStringAnsi(key), VgNewStringAnsi(value));
}

std::string NonMenuFixture::Setting(const char* key) const {
  return VgStringToUtf8(store->GetString(VgNewStringAnsi(key)));
}

std::string NonMenuFixture::Utf8(VgString text) { return VgStringToUtf8(text); }

std::string NonMenuFixture::Text(const VgConstant& constant) { return Utf8(VgGetVariantOfString(&constant)); }

}  // namespace NonMenuTest
