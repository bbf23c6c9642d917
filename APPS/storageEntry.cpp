#include "storageEntry.h"

#include "nvpath.h"

std::string StorageText(VgString text) {
  int32_t length = VgGetStringLength(text);
  if (length < 1) return {};
  std::string bytes(static_cast<size_t>(length) + 1, '\0');
  int32_t written = VgStringToAnsi(text, bytes.data(), length + 1, '?');
  bytes.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
  return bytes;
}

int32_t UDSM_Put(StorageContext* context, VgString key, VgString value) {
  return StoragePut(context, StorageText(key).c_str(), StorageText(value).c_str());
}

VgString UDSM_GetString(StorageContext* context, VgString key) {
  const char* value = StorageGet(context, StorageText(key).c_str());
  return value && *value ? VgNewStringAnsi(value) : nullptr;
}

int32_t UDSM_Remove(StorageContext* context, VgString key) {
  return StorageRemove(context, StorageText(key).c_str());
}

int32_t UDSM_AdvanceRemove(StorageContext* context, VgString prefix) {
  return StorageAdvanceRemove(context, StorageText(prefix).c_str());
}

int32_t UDSM_Reset(StorageContext* context) { return StorageReset(context); }

int32_t UDSM_Load(StorageContext* context, VgString fileName) {
  return StorageLoad(context, NvPath(StorageText(fileName).c_str()).c_str());
}

int32_t UDSM_Save(StorageContext* context) { return StorageSave(context); }

int32_t UDSM_CopyFile(VgString destination, VgString source) {
  std::string to = NvPath(StorageText(destination).c_str());
  std::string from = NvPath(StorageText(source).c_str());
  return StorageCopyFile(to.c_str(), from.c_str());
}

// Kept for the store's Dump operation, which shows nothing.
void UDSM_Dump(StorageContext*) {}
