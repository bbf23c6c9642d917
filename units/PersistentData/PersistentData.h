// The interface's own settings: text values under text keys, kept in the
// checksummed settings file of the storage module and written through at every
// change (AutoSyncData). Within a turn of the GUI loop the writes are held and
// each store that changed is written once, before the turn ends, so a key that
// changes eight settings writes (and syncs) the file once. A backup copy beside the file ("<file>.bakup") is made
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
  // checks and is not empty: a bad copy must never replace a good backup.
  // Held changes are written first. Within a GUI turn the copy is made at the
  // turn's end, after its write (so after its frame is shown), and holds
  // every change of the turn.
  int32_t Backup();
  // Whether the backup is there and passes its checks.
  bool HasGoodBackup();
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

  // The GUI loop's turn: from HoldSaves on, a change marks its store instead of
  // writing the file, and reports what the write will (the file's name and
  // room are checked at once; a write of an earlier turn that failed is
  // reported until one succeeds). WriteHeldSaves writes each marked store once
  // and ends the holding.
  static void HoldSaves();
  static void WriteHeldSaves();

 private:
  VgString BackupName();
  int32_t Sync();
  int32_t Save();
  void List();
  void EndTurn();
  int32_t WriteHeld();
  int32_t CopyToBackup();
  // The settings file's checks: STORAGE_OK for a good file that is not empty.
  int32_t CheckedFile();

  bool RecoverFile = false;
  bool AutoSyncData = true;
  StorageContext* storage_ = nullptr;
  bool listed_ = false;         // in the turn's list of stores to finish
  bool held_ = false;          // changed in this turn, not yet written
  bool backupDue_ = false;     // a backup asked for in this turn, made at its end
  int32_t writeFailure_ = 0;   // the code of a held write that failed, until one succeeds
  VgStr FileName;
  VgSlot OnLoadDefaultData;
};

}  // namespace PersistentData
