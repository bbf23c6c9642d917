#include "media_host.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "Agent/MessageAgent.h"
#include "Constants/Constants.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/MessageAgent.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/Message.h"
#include "Media/Exports.h"
#include "psl.h"
#include "sim_calls.h"
#include "simtv.h"
#include "stick.h"

VG_DEFINE_CLASS(ListTest, Owner, ListTest::Host)

namespace ListTest {

namespace fs = std::filesystem;

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
  // The stick lies below the simulated root: a root of the test's own.
  std::string pattern = (fs::temp_directory_path() / "tvui-media-XXXXXX").string();
  root_ = mkdtemp(pattern.data());
  setenv("TVUI_ROOT", root_.c_str(), 1);
  simtv_boot(1, 0);
  simtv_tv_reset();
  PslSetNoticeSink(globalPsl, &Collect, this);
  media = MainApp::GetMediaWrapper();
  VgLockObject(media);
  media->CloseMedium();
  media->Initialize(top);
  media->PslInitialize(1, 0, 0);
  media->SetDlna(true);
  simtv_settle();
  simtv_clear_calls();
  VgProcessSignals();
}

void MediaFixture::TearDown() {
  media->CloseMedium();
  simtv_usb_remove();
  simtv_settle();
  PslSetNoticeSink(globalPsl, nullptr, nullptr);
  for (PslNotice* notice : Take()) PslFreeNotice(notice);
  MainApp::GetMessageAgent()->UnRegister(owner);
  VgUnlockObject(MainApp::GetMessageAgent());
  media->Root = nullptr;
  VgUnlockObject(media);
  unsetenv("TVUI_ROOT");
  std::error_code error;
  fs::remove_all(root_, error);
  ListFixture::TearDown();
}

void MediaFixture::Collect(void* context, PslNotice* notice) {
  auto* fixture = static_cast<MediaFixture*>(context);
  std::lock_guard lock(fixture->mutex_);
  fixture->notices_.push_back(notice);
}

std::vector<PslNotice*> MediaFixture::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(notices_, {});
}

void MediaFixture::Folder(const std::vector<StickEntry>& entries) {
  const fs::path dir = fs::path(testing::TempDir()) /
                       ("stick-" + std::to_string(getpid()) + "-" + std::to_string(++sticks_));
  fs::remove_all(dir);
  fs::create_directories(dir);
  uint16_t kind = Media::MediaItem::Music;
  bool kindKnown = false;
  std::string error;
  int photo = 0;
  for (const StickEntry& entry : entries) {
    const std::string path = (dir / entry.name).string();
    bool written = true;
    if (entry.type == Media::MediaItem::Folder) {
      fs::create_directories(path);
      continue;
    }
    if (!kindKnown) kind = entry.type, kindKnown = true;
    if (entry.write) {
      written = entry.write(path);
    } else if (!entry.readable) {
      std::ofstream(path) << "no picture";
    } else if (entry.type == Media::MediaItem::Picture) {
      written = MediaStick::WritePhoto(path, ++photo, &error);
    } else if (entry.type == Media::MediaItem::Music) {
      written = MediaStick::WriteTone(path, fs::path(entry.name).stem().c_str(), "Test Band", &error);
    } else {
      written = MediaStick::WriteClip(path, fs::path(entry.name).stem().c_str(), 4, &error);
    }
    ASSERT_TRUE(written) << error;
  }
  media->CloseMedium();
  simtv_usb_remove();
  ASSERT_EQ(simtv_media_insert(dir.c_str()), 0);
  fs::remove_all(dir);
  Pump();
  media->RequestMediumList();
  ASSERT_GE(media->GetMediumCount(), 1);
  ASSERT_TRUE(media->OpenMedium(media->GetMedium(0), kind));
  Pump();
  Asked();
}

// Until the library sends nothing more: a picture's next band comes only once
// the bridge has taken the one before.
void MediaFixture::Pump() {
  for (;;) {
    simtv_settle();
    const std::vector<PslNotice*> notices = Take();
    if (notices.empty()) return;
    for (PslNotice* notice : notices) {
      media->HandleEvent(MediaLibraryNotice__Create(notice));
      VgProcessSignals();
    }
  }
}

int32_t MediaFixture::AnswerMetadata() {
  simtv_settle();
  int32_t answered = 0;
  for (PslNotice* notice : Take()) {
    answered += notice->kind == PSL_NOTICE_METADATA;
    media->HandleEvent(MediaLibraryNotice__Create(notice));
  }
  return answered;
}

int32_t MediaFixture::PendingMetadata() {
  simtv_settle();
  std::lock_guard lock(mutex_);
  return int32_t(std::count_if(notices_.begin(), notices_.end(),
                               [](const PslNotice* notice) { return notice->kind == PSL_NOTICE_METADATA; }));
}

void MediaFixture::DropNotices() {
  simtv_settle();
  for (PslNotice* notice : Take()) PslFreeNotice(notice);
}

int MediaFixture::NoMediaFilesSent() const {
  return host->Count("MSG " + std::to_string(Constants::MSG_NO_MEDIA_FILES));
}

std::string MediaFixture::Asked() {
  std::string out;
  for (std::string call : RecordedCalls()) {
    if (call.rfind("Psl", 0) != 0 || call.rfind("PslGet", 0) == 0) continue;
    const size_t handle = call.find(" globalPsl");
    if (handle != std::string::npos) call.erase(handle, 10);
    out += (out.empty() ? "" : ",") + call;
  }
  simtv_clear_calls();
  return out;
}

}  // namespace ListTest
