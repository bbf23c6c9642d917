// tvsettings: what an engineer servicing a set reaches for to look into or fix
// the settings file.
//
//   tvsettings dump FILE             every pair in file order, as "[key]=<value>"
//   tvsettings get FILE KEY          the value of KEY
//   tvsettings set FILE KEY VALUE    stores VALUE under KEY and writes the file
//   tvsettings --help                the usage, on standard output
//
// FILE is a real path (on the simulated set: below its root directory, e.g.
// rootfs/mnt/nvram/APP_NVRAM.dat). A file with a wrong check sequence is still
// dumped, with a warning, so what it holds can be read off it; it is never
// written over by set. set makes a new file when FILE does not exist.
//
// Exit status: 0 done, 1 key not present or the output could not be written,
// 2 usage, 3 the file fails its checks or cannot be read or written, 4 the
// pair was refused.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "storageFunction.h"
#include "stdout_written.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: tvsettings dump FILE\n"
               "       tvsettings get FILE KEY\n"
               "       tvsettings set FILE KEY VALUE\n"
               "       tvsettings --help\n"
               "\n"
               "Reads and changes a settings file of the set, check sequence and all: dump prints every\n"
               "pair as [key]=<value>, get the value of KEY, set stores VALUE under KEY (a new file when\n"
               "FILE does not exist). The set keeps its settings in /mnt/nvram/APP_NVRAM.dat and a backup\n"
               "in /mnt/nvram/APP_NVRAM.dat.bakup, below its root: on the simulated set TVUI_ROOT, by\n"
               "default rootfs in the build folder (build/release/rootfs/mnt/nvram/APP_NVRAM.dat).\n"
               "\n"
               "Exit status: 0 done, 1 key not present or the output could not be written, 2 usage,\n"
               "3 the file fails its checks or cannot be read or written, 4 the pair was refused.\n");
}

// A command line the tool cannot take: what was wrong, then the usage.
int Refuse(const std::string& what) {
  std::fprintf(stderr, "tvsettings: %s\n", what.c_str());
  PrintUsage(stderr);
  return 2;
}

// Why a command line is not one the tool takes, empty when it is.
std::string WrongCommandLine(int argc, char** argv) {
  struct Form {
    const char* command;
    int words;
    const char* usage;
  };
  constexpr Form kForms[] = {{"dump", 1, "FILE"}, {"get", 2, "FILE KEY"}, {"set", 3, "FILE KEY VALUE"}};
  if (argc < 2) return "name a command: dump, get or set";
  for (const Form& form : kForms) {
    if (std::strcmp(argv[1], form.command) != 0) continue;
    if (argc - 2 == form.words) return {};
    return std::string(form.command) + " takes " + form.usage + " (" + std::to_string(argc - 2) +
           (argc - 2 == 1 ? " word given)" : " words given)");
  }
  return std::string(argv[1][0] == '-' ? "unknown option " : "unknown command ") + argv[1] +
         " (the commands: dump, get and set)";
}

const char* Describe(int32_t code) {
  switch (code) {
    case STORAGE_FILE_ERROR: return "cannot be opened, read or written, or is not a regular file";
    case STORAGE_TOO_LARGE: return "is larger than 64000 bytes, or pairs did not fit";
    case STORAGE_BAD_CHECKSUM: return "has a wrong check sequence";
    case STORAGE_CHAIN_REFUSED: return "refused an empty key or value";
    case STORAGE_UNSTORABLE: return "cannot hold a key with ']' or a line end, a value with '>' or a line end, "
                                    "or a line above 519 bytes";
    default: return "failed";
  }
}

int Fail(const char* file, int32_t code, int status) {
  std::fprintf(stderr, "tvsettings: %s %s (code %d)\n", file, Describe(code), code);
  return status;
}

void PrintPairs(DoubleChain* chain) {
  const char* key;
  const char* value;
  DC_Dump(chain, nullptr, nullptr);
  while (DC_Dump(chain, &key, &value) == DC_OK) std::printf("[%s]=<%s>\n", key, value);
}

// Shows the lines of a file whose check sequence is wrong (a truncated or
// damaged file): its bytes are loaded as lines under a check sequence made for them.
int DumpDamaged(const char* file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  uint16_t fcs = CalculateChecksum(image.data(), static_cast<int32_t>(image.size()));
  image.push_back(static_cast<uint8_t>(fcs));
  image.push_back(static_cast<uint8_t>(fcs >> 8));
  StorageContext* context = StorageInit();
  if (StorageLoadImage(context, image.data(), static_cast<int32_t>(image.size())) == STORAGE_OK)
    PrintPairs(StorageChain(context));
  StorageDone(context);
  return Fail(file, STORAGE_BAD_CHECKSUM, 3);
}

// The status to end with: what was printed and could not be written (a full
// disk behind the standard output) was not given, and the tool says so. A
// failure of the file's own is the bigger news and keeps its status.
int Ended(int status) { return StdoutWritten("tvsettings") || status != 0 ? status : 1; }

bool Exists(const char* file) {
  struct stat info;
  return stat(file, &info) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    PrintUsage(stdout);
    return Ended(0);
  }
  if (std::string wrong = WrongCommandLine(argc, argv); !wrong.empty()) return Refuse(wrong);
  const char* command = argv[1];
  const char* file = argv[2];
  bool dump = std::strcmp(command, "dump") == 0;
  bool get = std::strcmp(command, "get") == 0;
  bool set = std::strcmp(command, "set") == 0;

  StorageContext* context = StorageInit();
  int32_t loaded = StorageLoad(context, file);
  int status = 0;
  if (loaded == STORAGE_BAD_CHECKSUM && dump) {
    status = DumpDamaged(file);
  } else if (loaded != STORAGE_OK && !(set && loaded == STORAGE_FILE_ERROR && !Exists(file))) {
    status = Fail(file, loaded, 3);
  } else if (dump) {
    PrintPairs(StorageChain(context));
  } else if (get) {
    const char* value = StorageGet(context, argv[3]);
    if (value)
      std::printf("%s\n", value);
    else
      status = 1;
  } else {
    int32_t put = StoragePut(context, argv[3], argv[4]);
    int32_t saved = put == STORAGE_OK ? StorageSave(context) : STORAGE_OK;
    if (put != STORAGE_OK)
      status = Fail(file, put, 4);
    else if (saved != STORAGE_OK)
      status = Fail(file, saved, 3);
  }
  StorageDone(context);
  return Ended(status);
}
