// The storage module: a chain of 8-bit key/value pairs and the settings file
// that holds it. The file is one line "[key]=<value>\n" per pair in chain order,
// followed by the 16-bit frame check sequence of the lines as used by PPP, low
// byte first; the whole file is at most 64000 bytes and a line at most 519.
//
// Everything here works on real file paths and 8-bit texts and needs nothing
// of the GUI runtime but the console; storageEntry.h is the GUI's door to it.
// A path below the set's root is reached as the set reaches its files
// (nvpath.h): through no link that leads out of the root, whatever has been
// put in place of its folders since the run began.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "DoubleChain.h"

// Result codes of the storage module.
enum : int32_t {
  STORAGE_OK = 0,
  STORAGE_NO_CONTEXT = 1,     // no context, no private data or no chain
  STORAGE_FILE_ERROR = 2,     // no file name, or a file cannot be opened, written or replaced
  STORAGE_TOO_LARGE = 3,      // a file above 64000 bytes or of unknown size; a save that left pairs out
  STORAGE_BAD_ARGUMENT = 4,   // the line codec's arguments (missing buffer or text, line too long)
  STORAGE_MALFORMED = 5,      // a line that is not "[key]=<value>"
  STORAGE_CHAIN_REFUSED = 6,  // the chain refused the operation
  STORAGE_BAD_CHECKSUM = 7,   // the file's check sequence is wrong
  STORAGE_UNSTORABLE = 8,     // a pair that no line of the file can hold
};

inline constexpr int32_t kStorageFileLimit = 64000;
inline constexpr int32_t kStorageLineSize = 520;  // a line is at most 519 bytes plus the terminator
inline constexpr int32_t kStoragePairLimit = kStorageLineSize - 6;  // key plus value length
inline constexpr uint16_t kFcsGood = 0xF0B8;       // the residue of a frame with a correct sequence

struct StorageContext {
  const char* moduleName;  // "Storage Module"
  const char* version;     // "0.1"
  void* privateData;
  void (*release)(StorageContext* context);
};

// Opens a settings file for reading, and only a regular file, without
// waiting and without following a link: null when it cannot be opened or
// (notRegular then true) when it is not a regular file or is a link.
FILE* StorageOpenForReading(const char* fileName, bool* notRegular = nullptr);

StorageContext* StorageInit();
void StorageDone(StorageContext* context);
// The context's release function: frees the file name, the chain and the private data.
void StorageFreeContext(StorageContext* context);

// The chain and the file name (set by the last load) of a context, or null.
DoubleChain* StorageChain(StorageContext* context);
const char* StorageFileName(StorageContext* context);

// The FCS over bytes from the initial value fcs, not complemented (the table step).
uint16_t FcsUpdate(uint16_t fcs, const uint8_t* bytes, int32_t length);
// The complemented FCS of bytes from 0xFFFF; 0 for a length below 1.
uint16_t CalculateChecksum(const uint8_t* bytes, int32_t length);
// 0 when bytes followed by sequence (low byte first) leave the good residue, else 7.
int32_t VerifyChecksum(const uint8_t* bytes, int32_t length, uint16_t sequence);

// Writes the line "[key]=<value>\n" (key length plus value length plus 6 bytes)
// into buffer, and a terminator when there is room: 0, or 4 for a missing
// buffer, a size below 1, an empty key or value, or a line that does not fit.
int32_t ComposeKeyValue(char* buffer, int32_t size, const char* key, const char* value);
// Reads the pair of one line (which ends at size or at its first zero byte):
// 0, 4 (no line or size below 1) or 5 (malformed). Bytes before the first "["
// and after the closing ">" are ignored.
int32_t ExtractKeyValue(const char* line, int32_t size, std::string& key, std::string& value);
// 0 when some line of the file can carry the pair, else 8: a key holding "]" or a
// line end, a value holding ">" or a line end, or a line longer than 519 bytes
// would corrupt the file for every later pair or be dropped at the next save.
int32_t CheckStorablePair(const char* key, const char* value);

// The operations. Missing or empty texts count as "no text".
int32_t StoragePut(StorageContext* context, const char* key, const char* value);
const char* StorageGet(StorageContext* context, const char* key);  // null when not present
int32_t StorageRemove(StorageContext* context, const char* key);
int32_t StorageAdvanceRemove(StorageContext* context, const char* prefix);
int32_t StorageReset(StorageContext* context);

// Sets the context's file name and adds the file's pairs to the chain (a key
// already present takes the file's value). On any failure the chain is as it was.
int32_t StorageLoad(StorageContext* context, const char* fileName);
// The same over a file image in memory (the file name is left alone).
int32_t StorageLoadImage(StorageContext* context, const uint8_t* bytes, int32_t size);
// Writes the chain to the context's file: into "<name>.tmp", flushed and synced,
// then renamed over the old file, so a power cut leaves the old file or the new
// one, never a broken one. 3 when pairs had to be left out at the size bound
// (the file then holds those that fit).
int32_t StorageSave(StorageContext* context);
// What StorageSave would report now, short of the file system's own failures,
// without writing anything.
int32_t StorageCheckSave(StorageContext* context);
// 0 when the file would load: 2, 3 or 7 as StorageLoad would give.
int32_t StorageCheckFile(const char* fileName);
// Replaces destination with a byte-for-byte copy of source, by the same
// temporary file and rename as a save. 2 when a name is empty or a file cannot
// be opened (the source first), read or written.
int32_t StorageCopyFile(const char* destination, const char* source);
