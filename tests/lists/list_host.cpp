#include "list_host.h"

#include <cstdlib>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "ListForm/ListItem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Views/Rectangle.h"
#include "simtv.h"

VG_DEFINE_CLASS(ListTest, SlotRecorder, XObject)
VG_DEFINE_CLASS(ListTest, Host, Primitives::KeyRoutingForm)

namespace ListTest {

std::string GoldenPath(const std::string& name) {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/lists/golden/" + name;
}

void SlotRecorder::Heard(XObject* sender) {
  if (host) host->heard.push_back({name, sender});
}

Host::Host() { Bounds = {0, 0, 960, 540}; }

VgSlot Host::Recorder(const std::string& name) {
  for (size_t i = 0; i < recorders.size(); ++i) {
    if (recorders[i] && recorders[i]->name == name) return VgSlotOf<&SlotRecorder::Heard>(recorders[i]);
    if (!recorders[i]) {
      auto* recorder = VgNew<SlotRecorder>();
      recorder->name = name;
      recorder->host = this;
      recorders[i] = recorder;
      return VgSlotOf<&SlotRecorder::Heard>(recorder);
    }
  }
  ADD_FAILURE() << "no room for the recorder " << name;
  return VgNullSlot;
}

void Host::Embed(ListForm::ListBase* list, XObject* param) {
  if (list->OnActivateOption.IsNull()) list->OnSetOnActivateOption(Recorder("OnActivateOption"));
  if (list->OnFocusOption.IsNull()) list->OnSetOnFocusOption(Recorder("OnFocusOption"));
  if (list->OnUnfocusOption.IsNull()) list->OnSetOnUnfocusOption(Recorder("OnUnfocusOption"));
  if (list->FocusMove.IsNull()) list->OnSetFocusMove(Recorder("FocusMove"));
  if (list->OnExit.IsNull()) list->OnSetOnExit(Recorder("OnExit"));
  Add(list, 0);
  OnSetFocus(list);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(this);
  parameter->OnSetParam(param);
  list->Initialize(parameter);
}

XObject* Host::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key) return nullptr;
  keys.push_back(key->down ? key->keyCode : -int32_t(key->keyCode));
  return this;
}

int Host::Count(const std::string& name) const {
  int n = 0;
  for (const Heard& h : heard) n += h.name == name;
  return n;
}

XObject* Host::LastSender(const std::string& name) const {
  for (auto it = heard.rbegin(); it != heard.rend(); ++it)
    if (it->name == name) return it->sender;
  return nullptr;
}

std::string Host::Take() {
  std::string out;
  for (; taken < heard.size(); ++taken) out += (out.empty() ? "" : " ") + heard[taken].name;
  return out;
}

void ListFixture::SetUp() {
  ViewsFixture::SetUp();
  top->Bounds = {0, 0, 960, 540};
  auto* background = VgNew<Views::Rectangle>();
  background->OnSetBounds(top->Bounds);
  background->OnSetColor({10, 16, 32, 255});
  top->Add(background, 0);
  host = VgNew<Host>();
  top->Add(host, 0);
  top->OnSetFocus(host);
  top->UpdateFocus(true);
  VgProcessSignals();
}

void ListFixture::TearDown() {
  if (model) {
    VgUnlockObject(model);
    simtv_tv_reset();
    simtv_av_reset();
  }
  ViewsFixture::TearDown();
}

SkinBin::Wrapper* ListFixture::UseModel() {
  if (model) return model;
  simtv_tv_reset();
  simtv_av_reset();
  model = MainApp::GetWrapper();
  VgLockObject(model);
  return model;
}

void ListFixture::Press(uint16_t code) {
  top->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(code, true));
  VgProcessSignals();
}

void ListFixture::Release(uint16_t code) {
  top->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(code, false));
  VgProcessSignals();
}

int32_t ListFixture::Focused() const {
  return embedded ? embedded->GetIndexOf(vg_cast<Forms::Ctrl>(embedded->Focus.get())) : -1;
}

int32_t ListFixture::Cursor() const { return embedded ? embedded->GetCursor() : -1; }

std::vector<std::string> ListFixture::Texts() const {
  std::vector<std::string> texts;
  if (!embedded) return texts;
  for (Core::View* view = embedded->firstView; view; view = view->nextView) {
    auto* row = vg_cast<ListForm::ListItem>(view);
    if (row && row->Visible) texts.push_back(VgStringToUtf8(row->Text));
  }
  return texts;
}

}  // namespace ListTest
