#include "ListForm/RecordPlaybackList.h"

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "ListForm/ListModel.h"
#include "ListForm/ListOwners.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, RecordPlaybackListItemCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, RecordPlaybackListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, RecordPlaybackList, ListForm::ListClass)

namespace ListForm {

namespace {

using Courier = RecordPlaybackListItemCourier;
using Row = RecordPlaybackListItem;
using Copied = Fields<Courier, Field<&Courier::FileName, &Row::FileName>, Field<&Courier::RecordId, &Row::RecordId>,
                      Field<&Courier::ResumeMark, &Row::ResumeMark>>;

XObject* ReadRecording(ListDataSource*, int32_t index) {
  auto* courier = VgNew<Courier>();
  courier->Index = index;
  SkinBin::DB_RecordPlaybackInfo* recordings = MainApp::GetWrapper()->OnGetRecordPlaybackList();
  if (!recordings || recordings->GetNumEvents() < 1) return courier;
  if (SkinBin::RecordPlaybackData* show = recordings->GetEvent(index)) {
    courier->Text = show->Title;
    courier->FileName = show->FileName;
    courier->RecordId = show->RecordId;
    courier->Key = RecordingKey(show->RecordId);
    courier->ResumeMark = show->Mark;
  }
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(RecordPlaybackList, ReadRecording)

VgString RecordingKey(int32_t recordId) { return VgNewStringInt(recordId, 0); }

// ------------------------------------------------------------------ the row

RecordPlaybackListItem::RecordPlaybackListItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 336, 26});
  Nonfocused_TextColor = Colors::White;
  Default_TextColor = Colors::White;
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::EPG_ChanButtonFocus);
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAlignV(Views::Text::AlignTop);
  // The design cuts a long title with the ellipsis, in the box the row
  // gives its caption: a button would size the caption to its line.
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  caption.OnSetEllipsisMeant(true);
}

XObject* RecordPlaybackListItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (vg_cast<Courier>(data))
    Copied::In(this, data);
  else
    RecordId = 0;
  return taken;
}

XObject* RecordPlaybackListItem::GetData(XObject* data) {
  Courier* courier = Copied::Make(data);
  ListItem::GetData(courier);
  Copied::Out(this, courier);
  return courier;
}

void RecordPlaybackListItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  // A long title's ellipsis may end at the row's edge: the focus band has no
  // line at its ends.
  caption.OnSetBounds({20, 1, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

// ----------------------------------------------------------------- the list

RecordPlaybackList::RecordPlaybackList(XObject* link) : ListClass(FolderListDef(&RecordPlaybackListItem::Class), link) {
  OnActivateOption = VgSlotOf<&RecordPlaybackList::DoOnActivate>(this);
  OnFocusOption = VgSlotOf<&RecordPlaybackList::DoFocus>(this);
  preview.Setup(PreviewTimer::RestMs, VgSlotOf<&RecordPlaybackList::StartToPlay>(this));
}

void RecordPlaybackList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListBase::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  auto* recordings = ListModel<&SkinBin::Wrapper::OnGetRecordPlaybackList, &SkinBin::Wrapper::OnSetRecordPlaybackList>(model);
  recordings->Path = FolderPath;
  recordings->SortOrder = model->OnGetPlaybackSortType();
  recordings->GetEventInfoByCount();
  const int32_t count = recordings->GetNumEvents();
  if (!OpenFolder(this, count, ">>>>>MediaContentList.Initialize() : No Media Item Found ")) return;
  if (preview.Started) {
    model->RecordPlaybackStop(0);
    preview.Started = false;
  }
  ShowEntries(this, count);
  preview.Forget();
  LastRow = vg_cast<RecordPlaybackListItem>(GetLastCtrl());
}

void RecordPlaybackList::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  if (!vg_cast<Forms::Ctrl>(Focus.get())) return;
  preview.Loaded = true;
  DoFocus(this);
}

void RecordPlaybackList::DoOnActivate(XObject*) {
  auto* row = vg_cast<RecordPlaybackListItem>(Focus.get());
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); row && owner) owner->DoItemActivate(row);
}

void RecordPlaybackList::DoFocus(XObject*) {
  auto* row = vg_cast<RecordPlaybackListItem>(Focus.get());
  if (!row) return;
  if (preview.Arrive(row->Index) && IsPlayOnFocus) preview.Rest();
  VgSignal(OnFocusChanged, this);
}

void RecordPlaybackList::StartToPlay(XObject*) {
  preview.Cancel();
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (auto* row = vg_cast<RecordPlaybackListItem>(Focus.get())) {
    if (row->Index == preview.PlayingIndex) return;
    if (preview.Started) model->RecordPlaybackStop(0);
    model->RecordPlaybackPlay(FolderPath, row->RecordId, 0, 0);
    preview.Played(row->Index);
    return;
  }
  if (preview.Started) {
    model->RecordPlaybackStop(0);
    preview.Stopped();
  }
}

XObject* RecordPlaybackList::HandleEvent(Core::Event* event) {
  if (EmptyFolder::Swallows(this, event)) return this;
  return ListClass::HandleEvent(event);
}

}  // namespace ListForm
