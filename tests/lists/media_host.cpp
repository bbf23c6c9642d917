#include "media_host.h"

#include "Agent/MessageAgent.h"
#include "Constants/Constants.h"
#include "MainApp/MediaWrapper.h"
#include "MainApp/MessageAgent.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/Message.h"

VG_DEFINE_CLASS(ListTest, Owner, ListTest::Host)

namespace ListTest {

void Owner::DoItemActivate(Forms::Ctrl* row) { heard.push_back({"DoItemActivate", row}); }
void Owner::UpdateMediaInfo() { heard.push_back({"UpdateMediaInfo", this}); }
void Owner::UpdateContentInfo() { heard.push_back({"UpdateContentInfo", this}); }

void Owner::LaunchPlayer(int32_t index, VgString device, uint16_t type, bool active, VgString caption) {
  heard.push_back({"LaunchPlayer " + std::to_string(index) + " " + VgStringToUtf8(device) + " " +
                       std::to_string(type) + " " + std::to_string(active) + " " + VgStringToUtf8(caption),
                   this});
}

void Owner::HandleMessage(Structures::Message* message) {
  heard.push_back({"MSG " + std::to_string(message->Code), this});
}

void MediaFixture::SetUp() {
  ListFixture::SetUp();
  top->Remove(host);
  owner = VgNew<Owner>();
  host = owner;
  top->Add(owner, 0);
  top->OnSetFocus(owner);
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  VgLockObject(MainApp::GetMessageAgent());
  MainApp::GetMessageAgent()->Register(owner);
  media = MainApp::GetMediaWrapper();
  VgLockObject(media);
  media->library = {};
  media->Initialize(top);
  VgProcessSignals();
}

void MediaFixture::TearDown() {
  MainApp::GetMessageAgent()->UnRegister(owner);
  VgUnlockObject(MainApp::GetMessageAgent());
  media->library = {};
  media->Root = nullptr;
  VgUnlockObject(media);
  ListFixture::TearDown();
}

int MediaFixture::NoMediaFilesSent() const {
  return host->Count("MSG " + std::to_string(Constants::MSG_NO_MEDIA_FILES));
}

std::string MediaFixture::Asked() {
  std::string out;
  for (; asked < media->library.asked.size(); ++asked) out += (out.empty() ? "" : ",") + media->library.asked[asked];
  return out;
}

}  // namespace ListTest
