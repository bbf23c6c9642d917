#include "storageFunction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "nvpath.h"
#include "vgdebug.h"

namespace {

struct StoragePrivate {
  std::string fileName;
  DoubleChain chain;
};

// The file image, shared by loading and saving: the settings file never needs
// more memory than this. A file of a few kilobytes uses a page or two of it;
// the rest is never written, and so takes no memory of the process, as long
// as clearing it writes over only what was used.
uint8_t g_checkBuffer[kStorageFileLimit];
int32_t g_checkBufferUsed = 0;  // bytes from its start written since it was cleared; the rest are zero

void NoteCheckBufferUsed(int32_t end) { g_checkBufferUsed = std::max(g_checkBufferUsed, end); }

void ClearCheckBuffer() {
  std::memset(g_checkBuffer, 0, static_cast<size_t>(g_checkBufferUsed));
  g_checkBufferUsed = 0;
}

constexpr std::array<uint16_t, 256> MakeFcsTable() {
  std::array<uint16_t, 256> table{};
  for (uint32_t b = 0; b < 256; ++b) {
    uint32_t v = b;
    for (int i = 0; i < 8; ++i) v = (v & 1) ? (v >> 1) ^ 0x8408 : v >> 1;
    table[b] = static_cast<uint16_t>(v);
  }
  return table;
}
constexpr std::array<uint16_t, 256> kFcsTable = MakeFcsTable();
static_assert(kFcsTable[1] == 0x1189 && kFcsTable[255] == 0x0F78);

StoragePrivate* PrivateOf(StorageContext* context) {
  return context ? static_cast<StoragePrivate*>(context->privateData) : nullptr;
}

const char* NoText(const char* text) { return text && *text ? text : nullptr; }

int32_t ChainRefused(int32_t code) {
  VgPrint("APP Library: UDSM API CALL DC FAILED %d\n", code);
  return STORAGE_CHAIN_REFUSED;
}

FILE* OpenForReading(const char* fileName) {
  bool notRegular = false;
  FILE* file = StorageOpenForReading(fileName, &notRegular);
  if (notRegular) VgPrint("APP Library: %s is a link or not a regular file: taken as damaged\n", fileName);
  return file;
}

// A file's write: its folder, reached as the set reaches its files
// (nvpath.h), whatever has been put in place of a folder on the way since,
// and the temporary file beside the file that becomes it. Every name is
// taken relative to the folder's handle.
class FileWrite {
 public:
  explicit FileWrite(const char* fileName) {
    folder_ = NvOpenFolderOf(fileName, &name_, true, &why_);
    temporary_ = name_ + ".tmp";
  }
  ~FileWrite() {
    if (file_) std::fclose(file_);
    if (file_ || made_) unlinkat(folder_, temporary_.c_str(), 0);
    if (folder_ >= 0) close(folder_);
  }
  FileWrite(const FileWrite&) = delete;
  FileWrite& operator=(const FileWrite&) = delete;

  // Makes the temporary file new where it is named and nowhere else:
  // whatever lies there (what a cut save left, or a link planted to send the
  // write to a file outside the set's folders) goes first, and the file is
  // created exclusively, so that no link is followed.
  FILE* Create() {
    if (folder_ < 0) return nullptr;
    if (unlinkat(folder_, temporary_.c_str(), 0) != 0 && errno != ENOENT) return Failed();
    const int fd = openat(folder_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return Failed();
    made_ = true;
    file_ = fdopen(fd, "wb");
    if (!file_) {
      Failed();
      close(fd);
    }
    return file_;
  }

  // Flushes, syncs and closes the finished temporary file and puts it in
  // place of the file, the rename made to survive a power cut. On any
  // failure the temporary file goes and the file is untouched.
  bool Commit(bool good) {
    good = good && std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    if (!good) Failed();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (good && !closed) Failed();
    good = good && closed;
    if (good && renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
      Failed();
      good = false;
    }
    if (!good) return false;
    made_ = false;
    fsync(folder_);
    return true;
  }

  // Why the write failed: the folder's refusal, or the system's reason.
  const std::string& Why() const { return why_; }

 private:
  FILE* Failed() {
    if (why_.empty()) why_ = std::strerror(errno);
    return nullptr;
  }

  int folder_ = -1;
  std::string name_;
  std::string temporary_;
  std::string why_;
  FILE* file_ = nullptr;
  bool made_ = false;
};

// Reads a whole settings file into the check buffer.
int32_t ReadImage(const char* fileName, int32_t& size) {
  size = 0;
  if (!fileName || !*fileName) return STORAGE_FILE_ERROR;
  FILE* file = OpenForReading(fileName);
  if (!file) return STORAGE_FILE_ERROR;
  long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  if (length < 0 || length > kStorageFileLimit) {
    std::fclose(file);
    return STORAGE_TOO_LARGE;
  }
  std::rewind(file);
  size = static_cast<int32_t>(std::fread(g_checkBuffer, 1, static_cast<size_t>(length), file));
  NoteCheckBufferUsed(size);
  bool failed = std::ferror(file);
  std::fclose(file);
  return failed ? STORAGE_FILE_ERROR : STORAGE_OK;
}

int32_t CheckImage(const uint8_t* bytes, int32_t size) {
  if (size > kStorageFileLimit) return STORAGE_TOO_LARGE;
  if (size < 1) return STORAGE_OK;
  if (size < 2 ||
      VerifyChecksum(bytes, size - 2, static_cast<uint16_t>(bytes[size - 2] | bytes[size - 1] << 8)) != 0) {
    VgPrint("APP CRC Checksum error!\n");
    return STORAGE_BAD_CHECKSUM;
  }
  return STORAGE_OK;
}

}  // namespace

// --------------------------------------------------------------------- files

// Only a regular file: a FIFO or a device in its place would hold the boot
// for good on its first read, and a directory would read as an empty file.
// Nor through a link: one planted in place of a settings file would have the
// set take its settings from a file outside its folders, and copy that file
// over its backup. The open itself never waits.
FILE* StorageOpenForReading(const char* fileName, bool* notRegular) {
  if (notRegular) *notRegular = false;
  std::string name;
  const int folder = NvOpenFolderOf(fileName, &name, false, nullptr);
  if (folder < 0) return nullptr;
  const int fd = openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  const int error = errno;
  close(folder);
  errno = error;
  if (fd < 0) {
    if (errno == ELOOP && notRegular) *notRegular = true;
    return nullptr;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (notRegular) *notRegular = true;
    close(fd);
    return nullptr;
  }
  FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

// ------------------------------------------------------------------- context

StorageContext* StorageInit() {
  return new StorageContext{"Storage Module", "0.1", new StoragePrivate, &StorageFreeContext};
}

void StorageDone(StorageContext* context) {
  if (!context) return;
  if (context->release) context->release(context);
  delete context;
}

void StorageFreeContext(StorageContext* context) {
  if (!context) return;
  delete static_cast<StoragePrivate*>(context->privateData);
  context->privateData = nullptr;
}

DoubleChain* StorageChain(StorageContext* context) {
  StoragePrivate* data = PrivateOf(context);
  return data ? &data->chain : nullptr;
}

const char* StorageFileName(StorageContext* context) {
  StoragePrivate* data = PrivateOf(context);
  return data ? data->fileName.c_str() : nullptr;
}

// ------------------------------------------------------------ check sequence

uint16_t FcsUpdate(uint16_t fcs, const uint8_t* bytes, int32_t length) {
  for (int32_t i = 0; i < length; ++i) fcs = static_cast<uint16_t>((fcs >> 8) ^ kFcsTable[(fcs ^ bytes[i]) & 0xFF]);
  return fcs;
}

uint16_t CalculateChecksum(const uint8_t* bytes, int32_t length) {
  if (!bytes || length < 1) return 0;
  return static_cast<uint16_t>(~FcsUpdate(0xFFFF, bytes, length));
}

int32_t VerifyChecksum(const uint8_t* bytes, int32_t length, uint16_t sequence) {
  uint16_t fcs = bytes && length > 0 ? FcsUpdate(0xFFFF, bytes, length) : 0xFFFF;
  const uint8_t tail[2] = {static_cast<uint8_t>(sequence), static_cast<uint8_t>(sequence >> 8)};
  return FcsUpdate(fcs, tail, 2) == kFcsGood ? STORAGE_OK : STORAGE_BAD_CHECKSUM;
}

// ---------------------------------------------------------------- line codec

int32_t ComposeKeyValue(char* buffer, int32_t size, const char* key, const char* value) {
  if (!buffer || size < 1 || !NoText(key) || !NoText(value)) return STORAGE_BAD_ARGUMENT;
  size_t keyLength = std::strlen(key);
  size_t valueLength = std::strlen(value);
  if (static_cast<size_t>(size) < keyLength + valueLength + 6) return STORAGE_BAD_ARGUMENT;
  char* p = buffer;
  *p++ = '[';
  std::memcpy(p, key, keyLength);
  p += keyLength;
  std::memcpy(p, "]=<", 3);
  p += 3;
  std::memcpy(p, value, valueLength);
  p += valueLength;
  *p++ = '>';
  *p++ = '\n';
  // The longest line fills the whole 520-byte line buffer: no room for a terminator.
  if (p < buffer + size) *p = '\0';
  return STORAGE_OK;
}

int32_t ExtractKeyValue(const char* line, int32_t size, std::string& key, std::string& value) {
  if (!line || size < 1) return STORAGE_BAD_ARGUMENT;
  const char* end = line + strnlen(line, static_cast<size_t>(size));
  const char* open = static_cast<const char*>(std::memchr(line, '[', static_cast<size_t>(end - line)));
  if (!open) return STORAGE_MALFORMED;
  const char* keyBegin = open + 1;
  const char* close = static_cast<const char*>(std::memchr(keyBegin, ']', static_cast<size_t>(end - keyBegin)));
  if (!close || close == keyBegin || end - close < 3 || close[1] != '=' || close[2] != '<') return STORAGE_MALFORMED;
  const char* valueBegin = close + 3;
  const char* valueEnd = static_cast<const char*>(std::memchr(valueBegin, '>', static_cast<size_t>(end - valueBegin)));
  if (!valueEnd || valueEnd == valueBegin) return STORAGE_MALFORMED;
  key.assign(keyBegin, close);
  value.assign(valueBegin, valueEnd);
  return STORAGE_OK;
}

int32_t CheckStorablePair(const char* key, const char* value) {
  if (!key || !value) return STORAGE_UNSTORABLE;
  size_t keyLength = std::strlen(key);
  size_t valueLength = std::strlen(value);
  if (keyLength + valueLength > static_cast<size_t>(kStoragePairLimit) || std::strpbrk(key, "]\n") ||
      std::strpbrk(value, ">\n"))
    return STORAGE_UNSTORABLE;
  return STORAGE_OK;
}

// ---------------------------------------------------------------- operations

int32_t StoragePut(StorageContext* context, const char* key, const char* value) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  key = NoText(key);
  value = NoText(value);
  if (!key || !value) return ChainRefused(DC_Insert(&data->chain, key, value));
  if (CheckStorablePair(key, value) != STORAGE_OK) {
    VgPrint("APP Library: refused the pair of key [%s]: the settings file cannot hold it\n", key);
    return STORAGE_UNSTORABLE;
  }
  int32_t code = DC_Insert(&data->chain, key, value);
  return code == DC_OK ? STORAGE_OK : ChainRefused(code);
}

const char* StorageGet(StorageContext* context, const char* key) {
  StoragePrivate* data = PrivateOf(context);
  return data ? DC_Search(&data->chain, NoText(key)) : nullptr;
}

int32_t StorageRemove(StorageContext* context, const char* key) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  int32_t code = DC_Delete(&data->chain, NoText(key));
  return code == DC_OK ? STORAGE_OK : ChainRefused(code);
}

int32_t StorageAdvanceRemove(StorageContext* context, const char* prefix) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  int32_t code = DC_AdvanceDelete(&data->chain, NoText(prefix));
  return code == DC_OK ? STORAGE_OK : ChainRefused(code);
}

int32_t StorageReset(StorageContext* context) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  DC_Clear(&data->chain);
  return STORAGE_OK;
}

// ------------------------------------------------------------------- loading

int32_t StorageLoad(StorageContext* context, const char* fileName) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  data->fileName = fileName ? fileName : "";
  int32_t size = 0;
  int32_t code = ReadImage(data->fileName.c_str(), size);
  return code != STORAGE_OK ? code : StorageLoadImage(context, g_checkBuffer, size);
}

int32_t StorageLoadImage(StorageContext* context, const uint8_t* bytes, int32_t size) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  if (!bytes) size = 0;
  int32_t code = CheckImage(bytes, size);
  if (code != STORAGE_OK) return code;
  // Only the lines are parsed: the check sequence is no part of any pair.
  const int32_t end = size >= 2 ? size - 2 : 0;
  char line[kStorageLineSize];
  std::string key;
  std::string value;
  for (int32_t pos = 0; pos < end;) {
    // A line ends after its line feed or after 519 bytes, whichever comes first.
    std::memset(line, 0, sizeof line);
    int32_t n = 0;
    while (pos < end && n < kStorageLineSize - 1) {
      char c = static_cast<char>(bytes[pos++]);
      line[n++] = c;
      if (c == '\n') break;
    }
    if (ExtractKeyValue(line, kStorageLineSize, key, value) != STORAGE_OK) continue;
    int32_t inserted = DC_Insert(&data->chain, key.c_str(), value.c_str());
    if (inserted != DC_OK) VgPrint("APP Library: DC API CALL FAILED %d\n", inserted);
  }
  return STORAGE_OK;
}

int32_t StorageCheckFile(const char* fileName) {
  int32_t size = 0;
  int32_t code = ReadImage(fileName, size);
  return code != STORAGE_OK ? code : CheckImage(g_checkBuffer, size);
}

// -------------------------------------------------------------------- saving

namespace {

// The file image of the chain in the check buffer, with its check sequence:
// what a save writes and reports. Pairs past the size bound are left out, and
// named when report is set.
int32_t ComposeImage(StoragePrivate* data, int32_t& fill, bool report) {
  ClearCheckBuffer();
  fill = 0;
  int32_t result = STORAGE_OK;
  bool full = false;
  char line[kStorageLineSize];
  const char* key;
  const char* value;
  DC_Dump(&data->chain, nullptr, nullptr);
  while (DC_Dump(&data->chain, &key, &value) == DC_OK) {
    if (full) {
      if (report) VgPrint("APP Library: settings file full, left out [%s]\n", key);
      continue;
    }
    int32_t code = ComposeKeyValue(line, kStorageLineSize, key, value);
    if (code != STORAGE_OK) {
      if (report) VgPrint("APP Library: UDSM API CALL FAILED %d\n", code);
      result = code;
      continue;
    }
    auto length = static_cast<int32_t>(std::strlen(key) + std::strlen(value) + 6);
    if (fill + length + 2 > kStorageFileLimit) {
      // The pairs that fit still make a good file; the rest is reported, not hidden.
      if (report) VgPrint("APP Library: settings file full, left out [%s]\n", key);
      full = true;
      result = STORAGE_TOO_LARGE;
      continue;
    }
    std::memcpy(g_checkBuffer + fill, line, static_cast<size_t>(length));
    fill += length;
  }
  uint16_t fcs = CalculateChecksum(g_checkBuffer, fill);
  g_checkBuffer[fill] = static_cast<uint8_t>(fcs);
  g_checkBuffer[fill + 1] = static_cast<uint8_t>(fcs >> 8);
  NoteCheckBufferUsed(fill + 2);
  return result;
}

}  // namespace

int32_t StorageSave(StorageContext* context) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  if (data->fileName.empty()) return STORAGE_FILE_ERROR;
  FileWrite write(data->fileName.c_str());
  FILE* file = write.Create();
  int32_t fill = 0;
  const int32_t result = file ? ComposeImage(data, fill, true) : STORAGE_OK;
  const bool good =
      file && std::fwrite(g_checkBuffer, 1, static_cast<size_t>(fill + 2), file) == static_cast<size_t>(fill + 2);
  if (!file || !write.Commit(good)) {
    VgPrint("APP Library: cannot write the settings file %s: %s\n", data->fileName.c_str(), write.Why().c_str());
    NvNoteUnwritten(data->fileName, write.Why());
    return STORAGE_FILE_ERROR;
  }
  return result;
}

int32_t StorageCheckSave(StorageContext* context) {
  StoragePrivate* data = PrivateOf(context);
  if (!data) return STORAGE_NO_CONTEXT;
  if (data->fileName.empty()) return STORAGE_FILE_ERROR;
  int32_t fill = 0;
  return ComposeImage(data, fill, false);
}

int32_t StorageCopyFile(const char* destination, const char* source) {
  if (!NoText(destination) || !NoText(source)) return STORAGE_FILE_ERROR;
  FILE* in = OpenForReading(source);
  if (!in) return STORAGE_FILE_ERROR;
  FileWrite write(destination);
  FILE* out = write.Create();
  char block[4096];
  bool good = out != nullptr;
  size_t n;
  while (good && (n = std::fread(block, 1, sizeof block, in)) > 0) good = std::fwrite(block, 1, n, out) == n;
  good = good && !std::ferror(in);
  std::fclose(in);
  if (!out || !write.Commit(good)) {
    VgPrint("APP Library: cannot write %s: %s\n", destination, write.Why().c_str());
    NvNoteUnwritten(destination, write.Why());
    return STORAGE_FILE_ERROR;
  }
  return STORAGE_OK;
}
