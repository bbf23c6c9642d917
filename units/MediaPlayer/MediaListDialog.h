// MediaPlayer::MediaListDialog: a dialog of the media player around one list
// under a caption: the background-music choice and the media server and
// media controller setups. It starts its list when it opens.
#pragma once

#include "NonMenuSystem/WidgetClass.h"
#include "Views/Text.h"

namespace ListForm {
class ListBase;
}

namespace MediaPlayer {

class MediaListDialog : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit MediaListDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The dialog's list; null for this base.
  virtual ListForm::ListBase* List() { return nullptr; }
  // Reads the list's content from the bridge before the list starts.
  virtual void ReadContent() {}
  // (Re)starts the list.
  void StartList();

  Views::Text caption{this};

 protected:
  // Sizes the dialog around a list of the size, and sets the caption.
  void Frame(VgPoint listSize, VgString text);
};

}  // namespace MediaPlayer
