#include "SkinBin/HistoryAgent.h"

#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(SkinBin, HistoryAgent, Structures::DuLinkList)

namespace SkinBin {

namespace {

// Both null is a match, exactly one null is not; otherwise the details decide.
template <class T>
bool BothOrNeither(const T* a, const T* b, bool* decided) {
  *decided = !a || !b;
  return !a && !b;
}

}  // namespace

HistoryAgent::HistoryAgent(XObject* link) : Structures::DuLinkList(link) {
  DelayTimer.OnSetBegin(kDelayMs);
  DelayTimer.OnSetPeriod(0);
  DelayTimer.OnSetOnTrigger(VgSlotOf<&HistoryAgent::InsertHistorySlot>(this));
}

bool HistoryAgent::MatchCriteria(XObject* data, XObject* criteria) {
  auto* a = vg_cast<::Structures::HistoryInfo>(data);
  auto* b = vg_cast<::Structures::HistoryInfo>(criteria);
  if (!a || !b) return !a && !b;
  if (a->ItemType != b->ItemType) return false;
  switch (a->ItemType) {
    case Constants::HISTORY_ITEM_TYPE_RF1:
    case Constants::HISTORY_ITEM_TYPE_RF2:
      return matchRF(a->ChannelInfo, b->ChannelInfo);
    case Constants::HISTORY_ITEM_TYPE_NONRF:
      return matchNonRF(a->SourceInfo, b->SourceInfo);
    case Constants::HISTORY_ITEM_TYPE_PHOTO:
      return matchMedia(a->PhotoInfo, b->PhotoInfo);
    case Constants::HISTORY_ITEM_TYPE_MUSIC:
      return matchMedia(a->MusicInfo, b->MusicInfo);
    case Constants::HISTORY_ITEM_TYPE_CEC:
      return matchCEC(a->CECInfo, b->CECInfo);
    default:
      return false;
  }
}

bool HistoryAgent::matchRF(::Structures::HistoryChannelInfo* a, ::Structures::HistoryChannelInfo* b) {
  bool decided = false;
  const bool result = BothOrNeither(a, b, &decided);
  if (decided) return result;
  if (a->CableInput != b->CableInput || a->SourceId != b->SourceId) return false;
  const ::Structures::VirtualChannel* ca = a->Channel;
  const ::Structures::VirtualChannel* cb = b->Channel;
  if (!ca || !cb) return !ca && !cb;
  return ca->Major == cb->Major && ca->Minor == cb->Minor;
}

bool HistoryAgent::matchNonRF(::Structures::HistorySourceInfo* a, ::Structures::HistorySourceInfo* b) {
  bool decided = false;
  const bool result = BothOrNeither(a, b, &decided);
  return decided ? result : a->SourceId == b->SourceId;
}

bool HistoryAgent::matchMedia(::Structures::HistoryMediaInfo* a, ::Structures::HistoryMediaInfo* b) {
  bool decided = false;
  const bool result = BothOrNeither(a, b, &decided);
  return decided ? result : VgCompString(a->Path, b->Path) == 0 && a->Value == b->Value;
}

bool HistoryAgent::matchCEC(::Structures::HistoryCECInfo* a, ::Structures::HistoryCECInfo* b) {
  bool decided = false;
  const bool result = BothOrNeither(a, b, &decided);
  return decided ? result : uint8_t(a->DeviceNumber) == uint8_t(b->DeviceNumber);
}

void HistoryAgent::AddHistory(::Structures::HistoryInfo* entry, bool delayed) {
  if (!entry) return;
  if (!delayed) {
    InsertEntry(entry);
    return;
  }
  Pending = entry;
  DelayTimer.Activate();
}

void HistoryAgent::AddCurrentSource(bool delayed) {
  ::SkinBin::Wrapper* wrapper = MainApp::GetWrapper();
  const int32_t source = wrapper->GetCurrentSource(0);
  auto* entry = VgNew<::Structures::HistoryInfo>();
  if (const int32_t type = wrapper->GetSourceType(source); wrapper->IsRFSourceType(type)) {
    entry->ItemType =
        type == ::Wrapper::kSourceTypeTuner ? Constants::HISTORY_ITEM_TYPE_RF1 : Constants::HISTORY_ITEM_TYPE_RF2;
    auto* detail = VgNew<::Structures::HistoryChannelInfo>();
    detail->CableInput = uint8_t(wrapper->OnGetAntCableIn());
    detail->SourceId = source;
    ::Structures::VirtualChannel* channel = wrapper->GetCurrentChannel();
    detail->Channel = channel;
    if (channel) {
      if (::Structures::ChannelData* known = wrapper->GetChannelInfo(channel->Major, channel->Minor)) {
        detail->ChannelName = known->Name;
        detail->ChannelType = known->Flags[3];
      }
    }
    entry->ChannelInfo = detail;
  } else if (::Structures::CECDeviceInfo* device = wrapper->HdmiCecData.IsCecDeviceConnected(source)) {
    entry->ItemType = Constants::HISTORY_ITEM_TYPE_CEC;
    auto* detail = VgNew<::Structures::HistoryCECInfo>();
    detail->DeviceName = device->DeviceName;
    detail->DeviceNumber = device->DeviceNumber;
    detail->SourceId = source;
    entry->CECInfo = detail;
  } else {
    entry->ItemType = Constants::HISTORY_ITEM_TYPE_NONRF;
    auto* detail = VgNew<::Structures::HistorySourceInfo>();
    detail->SourceId = source;
    VgString label = wrapper->GetSourceLabel(source);
    // "-" is the label of an input the viewer did not name.
    if (VgGetStringLength(label) == 0 || VgCompString(label, VgNewString(u"-")) == 0)
      label = wrapper->GetSourceName(source);
    detail->Label = label;
    entry->SourceInfo = detail;
  }
  AddHistory(entry, delayed);
}

::Structures::HistoryInfo* HistoryAgent::GetHistory(int32_t position) const {
  const Structures::DuLinkNode* node = GetNode(position);
  return node ? vg_cast<::Structures::HistoryInfo>(node->data) : nullptr;
}

void HistoryAgent::InsertHistorySlot(XObject*) {
  DelayTimer.OnSetEnabled(false);
  ::Structures::HistoryInfo* entry = Pending;
  Pending = nullptr;
  if (entry) InsertEntry(entry);
}

void HistoryAgent::InsertEntry(::Structures::HistoryInfo* entry) {
  for (Structures::DuLinkNode* node = head->next; node && node != head.get();) {
    Structures::DuLinkNode* next = node->next;
    if (MatchCriteria(node->data, entry)) DeleteNode(node);
    node = next;
  }
  Insert(1, entry);
  while (Length() > kCapacity) Delete(kCapacity + 1);
  VgTrace("%s%i%i", u"app add history", entry->ItemType, Length());
}

}  // namespace SkinBin
