// The GUI's door to the storage module: keys, values and file names arrive as
// GUI strings and are stored as 8-bit text, one byte per character (characters
// above 255 become "?"); an empty string is "no text". File names are platform
// paths, mapped below the root directory of the simulated set (nvpath.h).
#pragma once

#include <cstdint>

#include "storageFunction.h"
#include "vgstring.h"

int32_t UDSM_Put(StorageContext* context, VgString key, VgString value);
// A new string made from the stored value; the empty string when the key is not present.
VgString UDSM_GetString(StorageContext* context, VgString key);
int32_t UDSM_Remove(StorageContext* context, VgString key);
int32_t UDSM_AdvanceRemove(StorageContext* context, VgString prefix);
int32_t UDSM_Reset(StorageContext* context);
int32_t UDSM_Load(StorageContext* context, VgString fileName);
int32_t UDSM_Save(StorageContext* context);
int32_t UDSM_CopyFile(VgString destination, VgString source);
void UDSM_Dump(StorageContext* context);

// The 8-bit text of a GUI string, as the storage module stores it.
std::string StorageText(VgString text);
