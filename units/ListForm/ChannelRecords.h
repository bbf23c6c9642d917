// What the channel, logo and guide lists share: the model's channel table,
// made by the first list that needs it, and one way to read a record of it
// into a row's courier.
#pragma once

#include <cstdint>

#include "AppServices/Wrapper.h"
#include "SkinBin/ChannelData.h"
#include "vgobject.h"

namespace Resources {
class Bitmap;
}

namespace ListForm {

// The model's channel table, made on first use.
SkinBin::ChannelListData* ChannelTable();
// The table when a list made it already; null otherwise.
inline SkinBin::ChannelListData* ExistingChannelTable() { return MainApp::GetWrapper()->OnGetChannelList(); }
// The record at a position of the existing table; null without one.
SkinBin::ChannelData* ChannelAt(int32_t position);

// Reloads every channel of the tuner's medium (or, while the set tunes both
// media, of the other one while the antenna is chosen) and returns the count.
int32_t LoadMasterChannels();
// The first position below count whose record is the channel on air; 0 when
// none is.
int32_t CurrentChannelPosition(int32_t count);
// Whether the record is the channel on air.
bool IsChannelOnAir(const SkinBin::ChannelData* record);

// The channel's logo index (0 none, else picture + 1), asked by its own
// numbers: a substitute minor number only changes what the rows show.
int32_t ChannelLogoIndex(const SkinBin::ChannelData* record);
// The big logo of a logo index; null for none.
Resources::Bitmap* BigLogo(int32_t logoIndex);
// The frame of a big logo that shows the plain picture.
inline constexpr int32_t kPlainLogoFrame = 2;

// What tells a channel's entry from the others of a list (ListCourier::Key):
// its input and its own numbers, which a rename or a substitute minor number
// leaves as they are.
VgString ChannelKey(const SkinBin::ChannelData* record);

// The number the rows show: a substitute minor number of 0 or more stands in
// for the minor number.
inline int32_t ShownMinor(const SkinBin::ChannelData* record) {
  return record->SubstituteMinor >= 0 ? record->SubstituteMinor : record->Minor;
}

// A courier of the record at index for the channel readers: the index, the
// channel number shown, the name as caption and the digital flag, then
// fromRecord(courier, record) for the list's own fields. Without channels the
// courier stands for channel 2-0, digital, unnamed, and placeholder(courier)
// adds the list's own; a position without a record leaves the courier bare.
template <class Courier, class FromRecord, class Placeholder>
Courier* ReadChannel(int32_t index, FromRecord fromRecord, Placeholder placeholder) {
  auto* courier = VgNew<Courier>();
  courier->Index = index;
  SkinBin::ChannelListData* table = ExistingChannelTable();
  if (!table || table->GetNumChannels() < 1) {
    courier->ChannelMajor = 2;
    courier->ChannelMinor = 0;
    courier->IsDigital = 1;
    courier->Text = nullptr;
    placeholder(courier);
    return courier;
  }
  SkinBin::ChannelData* record = table->GetChannel(index);
  if (!record) return courier;
  courier->ChannelMajor = record->Major;
  courier->ChannelMinor = ShownMinor(record);
  courier->Text = record->Name;
  courier->Key = ChannelKey(record);
  courier->IsDigital = record->Digital;
  fromRecord(courier, record);
  return courier;
}

}  // namespace ListForm
