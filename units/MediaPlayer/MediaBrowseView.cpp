#include "MediaPlayer/MediaBrowseView.h"

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "ListForm/ListBase.h"
#include "ListForm/MediaListItem.h"
#include "AppServices/MediaWrapper.h"
#include "Media/MediaEvents.h"
#include "Media/MediaWrapper.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/DirectMessages.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Strings.h"
#include "Structures/Message.h"

VG_DEFINE_CLASS(MediaPlayer, MediaBrowseView, MediaPlayer::MediaWindow)

namespace MediaPlayer {

MediaBrowseView::MediaBrowseView(XObject* link) : MediaWindow(link) {
  emptyTimer.OnSetPeriod(0);
  emptyTimer.OnSetBegin(EmptyFolderMs);
  emptyTimer.OnSetOnTrigger(VgSlotOf<&MediaBrowseView::EmptyFolderDone>(this));
}

void MediaBrowseView::Initialize(Primitives::KeyRoutingParameter* parameter) {
  MediaWindow::Initialize(parameter);
  ListForm::ListBase* list = List();
  if (!list) return;
  if (list->owner.get() != this) Add(list, 0);
  list->OnSetVisible(false);
  waiting_ = true;
  if (MainApp::GetMediaWrapper()->FolderReady()) StartList();
}

void MediaBrowseView::StartList() {
  waiting_ = false;
  ListForm::ListBase* list = List();
  if (!list) return;
  list->OnSetVisible(true);
  OnSetFocus(list);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(this);
  list->Initialize(parameter);
}

XObject* MediaBrowseView::HandleEvent(Core::Event* event) {
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    // The first page of a folder just entered or left.
    if (status->Code == Media::MediaStatus::Folder && status->SubCode0 == Media::MediaWrapper::Browser &&
        status->SubCode2 == 0 && waiting_) {
      StartList();
      return this;
    }
    return MediaWindow::HandleEvent(event);
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Back) {
    Media::MediaWrapper* media = MainApp::GetMediaWrapper();
    if (emptyShown_ || media->AtRoot()) {
      BackToDevices(Kind());
    } else {
      media->RequestStop();
      waiting_ = media->LeaveFolder();
    }
    return this;
  }
  return MediaWindow::HandleEvent(event);
}

void MediaBrowseView::HandleMessage(Structures::Message* message) {
  if (message->Code != Constants::MSG_NO_MEDIA_FILES) {
    MediaWindow::HandleMessage(message);
    return;
  }
  if (emptyShown_ || waiting_) return;
  emptyShown_ = true;
  if (::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get()) {
    auto* bar = vg_cast<::NonMenuSystem::DirectMessageBar>(system->ShowMessage(::NonMenuSystem::DirectMsgTypeNotAvailable));
    if (bar) bar->OnSetMessageInfo(VgGetVariantOfString(&Strings::SID_NO_APPLICABLE_MEDIA_FILES));
  }
  emptyTimer.OnSetEnabled(true);
}

void MediaBrowseView::EmptyFolderDone(XObject*) {
  emptyTimer.OnSetEnabled(false);
  BackToDevices(Kind());
}

void MediaBrowseView::Close(XObject* sender) {
  emptyTimer.OnSetEnabled(false);
  MediaWindow::Close(sender);
}

void MediaBrowseView::DoItemActivate(Forms::Ctrl* row) {
  auto* cell = vg_cast<ListForm::MediaListItem>(row);
  Media::MediaItem* item = cell ? cell->Item.get() : nullptr;
  if (!item) return;
  if (item->Type == Media::MediaItem::Folder) {
    Media::MediaWrapper* media = MainApp::GetMediaWrapper();
    media->RequestStop();
    if (media->EnterFolder(item->AbsoluteIndex)) waiting_ = true;
    return;
  }
  Play(item);
}

}  // namespace MediaPlayer

namespace MediaPlayer {

void MediaBrowseView::OpenEntry(const VgClass* screen, Media::MediaItem* item) {
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  if (!system || !screen || !item) return;
  Media::MediumDevice* medium = MainApp::GetMediaWrapper()->GetCurMedium();
  system->OpenState(screen, SelectedParam::Make(item->AbsoluteIndex, GetClass(), medium ? VgString(medium->MountString) : nullptr),
                    GetClass());
}

}  // namespace MediaPlayer
