// SkinBin::SystemInfo: the rows of the system information screen: headings,
// value rows and blank rows describing the current source and channel, the
// incoming stream, the video output, the network, the USB storage and the
// software versions. The screen calls Initialize once, Refresh when it opens
// and RefreshDynamicItems periodically, and reads the rows' couriers.
//
// Every middleware failure shows "-", 0 or an empty text in the rows it
// concerns; nothing is reported to the viewer.
#pragma once

#include <cstdint>

#include "ListForm/SystemInfoCourier.h"
#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

class USBDiskStatus;
class Wrapper;

class SystemInfo : public XObject {
  VG_CLASS()

 public:
  explicit SystemInfo(XObject* link = nullptr);

  // The items, in display order, then those that are loaded but not shown.
  enum Item : int32_t {
    MiscHeading, BuildVersion, SystemTime, TVMVersion, Blank,
    SourceHeading, SourceId, SourceType, ChannelStatus, RFBand, RFChannel, Frequency, SignalQuality,
    VideoPID, AudioPID, PCRPID,
    StreamHeading, InputResolution, InputScanRate, InputScanType, AudioType, AudioSampleRate, Video3DFormat,
    OutputHeading, OutputResolution, OutputScanRate, OutputScanType, OutputFormat,
    NetworkHeading, ConnectionType, IPAddress, DefaultGateway, SubnetMask, PrefDNS, AltDNS, WiredMAC, WirelessMAC,
    USBHeading, FileSystem, TotalSpace, FreeSpace,
    BlueToothHeading, BDAddress, FrcVersion, PowerOnTime,
    ItemCount
  };
  static constexpr int32_t RowCount = 45;
  // Rows before Initialize.
  static constexpr int32_t InitialCount = 10;

  // Builds the row table and indents the labels of the value rows; only the
  // first call does anything.
  void Initialize();
  // Loads every row, in the order of the loaders below.
  void Refresh();
  // The values that change while the screen is open: the signal quality and
  // the system time.
  void RefreshDynamicItems();
  void LoadBlueTooth();
  void LoadChannelInfo();
  void LoadAVStream();
  void LoadOutput();
  void LoadNetworkInfo();
  void LoadUSBInfo();
  void LoadMisc();
  // Fills the three USB rows from a storage record; null or an unmounted
  // disk shows "-" in each.
  void ShowUSBStatus(const USBDiskStatus* status);

  // The courier of a shown row, null outside 0..Count - 1 or before Initialize.
  ListForm::SystemInfoCourier* GetItem(int32_t row) const;
  // The courier of an item, shown or not.
  ListForm::SystemInfoCourier* Courier(Item item) const { return Couriers[static_cast<size_t>(item)]; }

  // The name index of the acquisition state an event agent reports: 1-6 the
  // channel's states (0 acquired, then the failure reasons 1-5), 7-12 the
  // source's (16 acquired, then 16 + reason), 12 also status 6, 0 any other.
  static int32_t AcquiredStateIndex(int32_t status);

  int32_t OnGetCount() const { return Count; }
  void OnSetCount(int32_t value) { Count = value; }

  // Labels follow the language.
  void ReInit() override;

  int32_t Initialized = 0;
  VgPtrArray<ListForm::SystemInfoCourier, ItemCount> Couriers;
  VgPtrArray<ListForm::SystemInfoCourier, RowCount> Rows;
  int32_t Count = InitialCount;

 private:
  Wrapper* Model() const;
  void SetValue(Item item, VgString value);
  void LoadLabels();
  int32_t MainWindowStatus() const;
  void LoadSystemTime();
};

}  // namespace SkinBin
