#include "MediaPlayer/MediaListDialog.h"

#include "Fonts/Fonts.h"
#include "ListForm/ListBase.h"
#include "NonMenuSystem/Look.h"
#include "Primitives/KeyRoutingParameter.h"

VG_DEFINE_CLASS(MediaPlayer, MediaListDialog, NonMenuSystem::WidgetClass)

namespace MediaPlayer {

namespace {
constexpr int32_t kMargin = 20;
constexpr int32_t kCaptionHeight = 50;
constexpr int32_t kTop = 120;
}  // namespace

MediaListDialog::MediaListDialog(XObject* link) : NonMenuSystem::WidgetClass(link) {
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
  caption.OnSetColor(NonMenuSystem::Look::Caption);
  Add(&caption, 0);
}

void MediaListDialog::Frame(VgPoint listSize, VgString text) {
  OnSetBounds({0, kTop, listSize.x + 2 * kMargin, kTop + kCaptionHeight + listSize.y + kMargin});
  caption.OnSetBounds({kMargin, 10, listSize.x + kMargin, kCaptionHeight});
  caption.OnSetString(text);
  if (ListForm::ListBase* list = List())
    list->OnSetBounds({kMargin, kCaptionHeight, kMargin + listSize.x, kCaptionHeight + listSize.y});
}

void MediaListDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::WidgetClass::Initialize(parameter);
  ListForm::ListBase* list = List();
  if (!list) return;
  if (list->owner.get() != this) Add(list, 0);
  StartList();
}

void MediaListDialog::StartList() {
  ListForm::ListBase* list = List();
  if (!list) return;
  ReadContent();
  OnSetFocus(list);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(this);
  list->Initialize(parameter);
}

}  // namespace MediaPlayer
