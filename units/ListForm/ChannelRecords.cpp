#include "ListForm/ChannelRecords.h"

#include "ListForm/ListModel.h"
#include "Resources/Bitmap.h"

namespace ListForm {

namespace {

// The tuning mode in which the set scans both media.
constexpr int32_t kTuneBothMedia = 2;

}  // namespace

SkinBin::ChannelListData* ChannelTable() {
  return ListModel<&SkinBin::Wrapper::OnGetChannelList, &SkinBin::Wrapper::OnSetChannelList>();
}

SkinBin::ChannelData* ChannelAt(int32_t position) {
  SkinBin::ChannelListData* table = ExistingChannelTable();
  return table ? table->GetChannel(position) : nullptr;
}

int32_t LoadMasterChannels() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  SkinBin::ChannelListData* table = ChannelTable();
  table->LoadMasterChannelTable(model->OnGetChannelTuningMode() == kTuneBothMedia && model->OnGetAntCableIn() == 0);
  return table->GetNumChannels();
}

namespace {

bool Is(const SkinBin::ChannelData* record, const Structures::VirtualChannel* channel) {
  return record && channel && record->Major == channel->Major && record->Minor == channel->Minor;
}

}  // namespace

VgString ChannelKey(const SkinBin::ChannelData* record) {
  VgString number = VgConcatString(VgNewStringInt(record->Major, 0),
                                   VgConcatString(VgNewStringAnsi("-"), VgNewStringInt(record->Minor, 0)));
  return VgConcatString(VgNewStringInt(record->SourceId, 0), VgConcatString(VgNewStringAnsi(":"), number));
}

int32_t ChannelLogoIndex(const SkinBin::ChannelData* record) {
  return MainApp::GetWrapper()->GetChannelLogoIndex(record->Major, record->Minor);
}

Resources::Bitmap* BigLogo(int32_t logoIndex) {
  return logoIndex < 1 ? nullptr : vg_cast<Resources::Bitmap>(MainApp::GetWrapper()->GetBigChannelLogo(logoIndex - 1));
}

bool IsChannelOnAir(const SkinBin::ChannelData* record) {
  return record && Is(record, MainApp::GetWrapper()->GetCurrentChannel());
}

int32_t CurrentChannelPosition(int32_t count) {
  SkinBin::ChannelListData* table = ExistingChannelTable();
  if (!table) return 0;
  const Structures::VirtualChannel* current = MainApp::GetWrapper()->GetCurrentChannel();
  for (int32_t i = 0; i < count; ++i)
    if (Is(table->GetChannel(i), current)) return i;
  return 0;
}

}  // namespace ListForm
