// The interface's own settings: text values under text keys, kept in the
// checksummed settings file of the storage module and written through at every
// change (AutoSyncData). A backup copy beside the file ("<file>.bakup") is made
// when the set has a known-good store and replaces a settings file that fails
// its checks, so a set switched off at the wall still starts with its settings.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgslot.h"
#include "vgstring.h"

struct StorageContext;

namespace PersistentData {

class PersistentData : public XObject {
  VG_CLASS()

 public:
  PersistentData();
  ~PersistentData() override;

  // Loads the file, else (with RecoverFile) the backup, else signals
  // OnLoadDefaultData and writes the defaults once. True when a file was loaded
  // or the defaults were written.
  bool Initialize(VgString fileName);

  VgString GetString(VgString key);
  // The result is the store step's: 6 for an empty key or text (the stored
  // value stays), 8 for a pair the file cannot hold. When the pair was stored
  // but writing it through failed, the write's code: a change the file does not
  // hold is not reported as done.
  int32_t PutString(VgString key, VgString text);
  int32_t GetInteger(VgString key);
  int32_t PutInteger(VgString key, int32_t value);
  bool GetBool(VgString key);
  int32_t PutBool(VgString key, bool value);
  VgString GetStringItem(VgString key, int32_t index);
  bool IsStringExist(VgString key);
  int32_t RemoveString(VgString key);
  int32_t RemoveStrings(VgString prefix);
  int32_t SyncData();
  // Copies the settings file over the backup, only when the file passes its
  // checks: a bad copy must never replace a good backup.
  int32_t Backup();
  void Reset();
  void Dump();

  bool OnGetRecoverFile();
  void OnSetRecoverFile(bool value);
  bool OnGetAutoSyncData();
  void OnSetAutoSyncData(bool value);
  VgSlot OnGetOnLoadDefaultData();
  void OnSetOnLoadDefaultData(VgSlot value);

  // Decimal text to integer without validation: every character after an
  // optional "-" counts as a digit (code - 48). A number beyond the int32
  // range gives the nearest end of it rather than wrapping into a value the
  // text never said.
  static int32_t String2Int(VgString text);
  // Item index of a comma-separated text; empty when there is no such item.
  static VgString ParseStringItem(VgString text, int32_t index);

 private:
  VgString BackupName();
  int32_t Sync();

  bool RecoverFile = false;
  bool AutoSyncData = true;
  StorageContext* storage_ = nullptr;
  VgStr FileName;
  VgSlot OnLoadDefaultData;
};

}  // namespace PersistentData
