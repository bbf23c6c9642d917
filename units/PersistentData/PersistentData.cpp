#include "PersistentData.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "nvpath.h"
#include "storageFunction.h"
#include "storageEntry.h"
#include "vgdebug.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(PersistentData, PersistentData, XObject)

namespace PersistentData {

namespace {

constexpr char16_t kTrueText[] = u"1";
constexpr char16_t kFalseText[] = u"0";
constexpr char16_t kItemSeparator = u',';

// The stores with held changes; only the GUI thread touches them.
bool g_holding = false;
std::vector<PersistentData*>& HeldStores() {
  static std::vector<PersistentData*> stores;
  return stores;
}

// A save always writes at least the check sequence: a settings file of no
// bytes is one whose write never finished, not a store without settings.
bool IsEmptyFile(VgString name) {
  FILE* file = StorageOpenForReading(NvPath(StorageText(name).c_str()).c_str());
  if (!file) return false;
  struct stat info {};
  const bool empty = fstat(fileno(file), &info) == 0 && info.st_size == 0;
  std::fclose(file);
  return empty;
}

bool IsGoodFile(VgString name) {
  return !IsEmptyFile(name) && StorageCheckFile(NvPath(StorageText(name).c_str()).c_str()) == STORAGE_OK;
}

}  // namespace

PersistentData::PersistentData() : storage_(StorageInit()) {}

PersistentData::~PersistentData() {
  if (listed_) EndTurn();
  StorageDone(storage_);
}

void PersistentData::HoldSaves() { g_holding = true; }

void PersistentData::WriteHeldSaves() {
  g_holding = false;
  while (!HeldStores().empty()) HeldStores().back()->EndTurn();
}

void PersistentData::List() {
  if (listed_) return;
  listed_ = true;
  HeldStores().push_back(this);
}

// The turn's one write of this store, then the backup the turn asked for,
// which so holds every change of the turn.
void PersistentData::EndTurn() {
  std::vector<PersistentData*>& stores = HeldStores();
  stores.erase(std::remove(stores.begin(), stores.end(), this), stores.end());
  listed_ = false;
  const bool backup = backupDue_;
  backupDue_ = false;
  if (held_ && WriteHeld() != STORAGE_OK) return;
  if (backup) CopyToBackup();
}

int32_t PersistentData::WriteHeld() {
  held_ = false;
  const int32_t saved = UDSM_Save(storage_);
  writeFailure_ = saved == STORAGE_FILE_ERROR ? saved : STORAGE_OK;
  if (writeFailure_ != STORAGE_OK) VgPrint("APP Library: the settings of this turn are not in the file (%d)\n", saved);
  return writeFailure_;
}

int32_t PersistentData::Save() {
  if (!g_holding) return UDSM_Save(storage_);
  held_ = true;
  List();
  return writeFailure_ != STORAGE_OK ? writeFailure_ : StorageCheckSave(storage_);
}

VgString PersistentData::BackupName() { return VgConcatString(FileName, VgNewStringAnsi(".bakup")); }

int32_t PersistentData::Sync() { return AutoSyncData ? Save() : STORAGE_OK; }

bool PersistentData::Initialize(VgString fileName) {
  FileName = fileName;
  // An empty settings file loads as a store without settings; with a good
  // backup beside it the backup takes its place, as for a damaged file.
  if (UDSM_Load(storage_, FileName) == STORAGE_OK &&
      !(RecoverFile && IsEmptyFile(FileName) && IsGoodFile(BackupName())))
    return true;

  if (RecoverFile) {
    VgString backup = BackupName();
    UDSM_Reset(storage_);
    VgTrace("%s%s", u"Try to recover from", backup);
    if (UDSM_CopyFile(FileName, backup) == STORAGE_OK) {
      if (UDSM_Load(storage_, FileName) == STORAGE_OK) return true;
    } else {
      // A backup that cannot be put in place may still be good: the set then
      // starts with its values. A load names the file that later writes go to,
      // so the settings file is loaded again after it; that fails as before
      // and leaves the store alone.
      bool loaded = UDSM_Load(storage_, backup) == STORAGE_OK;
      UDSM_Load(storage_, FileName);
      if (loaded) return true;
    }
  }

  // Neither file: the defaults go into the store without a write per key, then
  // the file is written once.
  bool autoSync = AutoSyncData;
  AutoSyncData = false;
  if (!OnLoadDefaultData.IsNull()) VgSignal(OnLoadDefaultData, this);
  int32_t saved = UDSM_Save(storage_);
  AutoSyncData = autoSync;
  return saved == STORAGE_OK;
}

VgString PersistentData::GetString(VgString key) { return UDSM_GetString(storage_, key); }

int32_t PersistentData::PutString(VgString key, VgString text) {
  int32_t stored = UDSM_Put(storage_, key, text);
  int32_t synced = Sync();
  return stored != STORAGE_OK ? stored : synced;
}

int32_t PersistentData::GetInteger(VgString key) { return String2Int(GetString(key)); }

int32_t PersistentData::PutInteger(VgString key, int32_t value) { return PutString(key, VgNewStringInt(value, 0)); }

bool PersistentData::GetBool(VgString key) { return VgCompString(GetString(key), const_cast<VgString>(kTrueText)) == 0; }

int32_t PersistentData::PutBool(VgString key, bool value) {
  return PutString(key, VgNewString(value ? kTrueText : kFalseText));
}

VgString PersistentData::GetStringItem(VgString key, int32_t index) { return ParseStringItem(GetString(key), index); }

bool PersistentData::IsStringExist(VgString key) {
  const char* value = StorageGet(storage_, StorageText(key).c_str());
  return value && *value;
}

int32_t PersistentData::RemoveString(VgString key) {
  int32_t removed = UDSM_Remove(storage_, key);
  int32_t synced = Sync();
  return removed != STORAGE_OK ? removed : synced;
}

int32_t PersistentData::RemoveStrings(VgString prefix) {
  int32_t removed = UDSM_AdvanceRemove(storage_, prefix);
  int32_t synced = Sync();
  return removed != STORAGE_OK ? removed : synced;
}

int32_t PersistentData::SyncData() { return Save(); }

int32_t PersistentData::Backup() {
  if (FileName.empty()) return STORAGE_FILE_ERROR;
  // Within a turn the copy waits for the turn's write, after its frame is
  // shown; it reports what it can know now: a failed write, or a file that
  // the turn does not write and that fails its checks.
  if (g_holding) {
    if (writeFailure_ != STORAGE_OK) return writeFailure_;
    if (!held_) {
      const int32_t checked = CheckedFile();
      if (checked != STORAGE_OK) return checked;
    }
    backupDue_ = true;
    List();
    return STORAGE_OK;
  }
  // The file first, so that the copy holds every change so far.
  if (held_ && WriteHeld() != STORAGE_OK) return writeFailure_;
  return CopyToBackup();
}

bool PersistentData::HasGoodBackup() { return !FileName.empty() && IsGoodFile(BackupName()); }

int32_t PersistentData::CheckedFile() {
  return IsEmptyFile(FileName) ? STORAGE_FILE_ERROR : StorageCheckFile(NvPath(StorageText(FileName).c_str()).c_str());
}

int32_t PersistentData::CopyToBackup() {
  VgString backup = BackupName();
  VgTrace("%s%s", u"Create backup", backup);
  const int32_t checked = CheckedFile();
  if (checked != STORAGE_OK) {
    VgPrint("APP Library: settings file fails its checks (%d), backup kept\n", checked);
    return checked;
  }
  return UDSM_CopyFile(backup, FileName);
}

void PersistentData::Reset() { UDSM_Reset(storage_); }

void PersistentData::Dump() { UDSM_Dump(storage_); }

bool PersistentData::OnGetRecoverFile() { return RecoverFile; }
void PersistentData::OnSetRecoverFile(bool value) { RecoverFile = value; }
bool PersistentData::OnGetAutoSyncData() { return AutoSyncData; }
void PersistentData::OnSetAutoSyncData(bool value) { AutoSyncData = value; }
VgSlot PersistentData::OnGetOnLoadDefaultData() { return OnLoadDefaultData; }
void PersistentData::OnSetOnLoadDefaultData(VgSlot value) { OnLoadDefaultData = value; }

int32_t PersistentData::String2Int(VgString text) {
  const int32_t length = VgGetStringLength(text);
  if (length < 1) return 0;
  const bool negative = VgGetStringChar(text, 0) == u'-';
  // Every character counts as a digit, in 32-bit arithmetic that wraps
  // around: unsigned, so that a long or a hostile text is no overflow. Each
  // reader of a number converts it by its own rule.
  uint32_t result = 0;
  for (int32_t i = negative ? 1 : 0; i < length; ++i)
    result = result * 10u + (static_cast<uint32_t>(VgGetStringChar(text, i)) - 48u);
  return static_cast<int32_t>(negative ? 0u - result : result);
}

VgString PersistentData::ParseStringItem(VgString text, int32_t index) {
  if (index < 0) return nullptr;
  int32_t start = 0;
  for (int32_t n = 0; n < index; ++n) {
    int32_t comma = VgStringFindChar(text, kItemSeparator, start);
    if (comma < 0) return nullptr;
    start = comma + 1;
  }
  int32_t end = VgStringFindChar(text, kItemSeparator, start);
  if (end < 0) end = VgGetStringLength(text);
  return VgStringMiddle(text, start, end - start);
}

}  // namespace PersistentData
