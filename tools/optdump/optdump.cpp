// optdump [--lang N] [MODULE...]
//
// Reads every option of the given modules (all of them by default) the way a
// menu row does and prints one line per option: its id, name, the value the
// set stores, and the current choice or the slider's range and position. The
// values are those of the simulated set as it starts. Modules are numbers
// such as 1, 2 or 0x81; languages are numbered as the set stores its menu
// language: 0 English, 1 Spanish, 2 French.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AppServices/Wrapper.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionDatabaseClass.h"
#include "SkinBin/Wrapper.h"
#include "vgobject.h"
#include "vgstring.h"
#include "stdout_written.h"

namespace {

using OptionDatabase::OptionCourier;
using OptionDatabase::OptionDataClass;
using OptionDatabase::SliderCourier;

constexpr uint32_t kAllModules[] = {1, 2, 3, 4, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87};

// The status to end with: a dump or a usage that could not be written to
// standard output (a full disk behind it) was not given, and the tool says so.
int Ended(int status) { return StdoutWritten("optdump") ? status : 1; }

// Asked for, the usage goes to standard output and the tool ends well;
// after a mistake, to standard error with status 2.
int Usage(bool asked = false) {
  std::fprintf(asked ? stdout : stderr,
               "usage: optdump [--lang 0|1|2] [MODULE...]\n"
               "Prints every option of the modules (all by default; 1, 2, 3, 4, 0x81 to 0x87) with the value the\n"
               "set stores and its choice, or its slider's range and position (the value less the option's\n"
               "offset, as the menus show it), on the simulated set as it starts.\n"
               "  --lang N  the language of names and texts, numbered as the set stores its menu language:\n"
               "            0 English (the default), 1 Spanish, 2 French\n");
  return asked ? Ended(0) : 2;
}

// A command line the tool cannot take: what was wrong, then the usage.
int Refuse(const std::string& what) {
  std::fprintf(stderr, "optdump: %s\n", what.c_str());
  return Usage();
}

bool ParseNumber(const char* text, long min, long max, long* out) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 0);
  if (!*text || *end || value < min || value > max) return false;
  *out = value;
  return true;
}

// The order in which every screen reads a row.
void ReadRow(OptionDataClass* record) {
  record->Initialize();
  VgRef<int32_t> ref = record->OnGetRefValue();
  if (!ref.IsNull()) record->Value = VgOnGetInt32(ref);
  record->Val2Id();
  record->GetData();
}

void PrintRow(int32_t id, OptionDataClass* record) {
  ReadRow(record);
  std::string name = VgStringToUtf8(record->OnGetName());
  if (name.empty()) name = "-";
  // Pad by characters, not bytes, so that translated names line up.
  size_t width = 0;
  for (unsigned char c : name) width += (c & 0xC0) != 0x80;
  if (width < 30) name.append(30 - width, ' ');
  std::printf("0x%08X  %s  stored %6d  ", static_cast<uint32_t>(id), name.c_str(), record->Value);
  if (auto* slider = vg_cast<SliderCourier>(record->Courier)) {
    // The position a menu's slider shows: the stored value through the
    // record's conversion (less its offset).
    std::printf("slider %d..%d step %d at %d\n", slider->OnGetMin(), slider->OnGetMax(), slider->OnGetStep(),
                record->Id);
  } else if (auto* choice = vg_cast<OptionCourier>(record->Courier)) {
    std::printf("choice %d of %d \"%s\" index %d\n", record->Id, record->OnGetNum(),
                VgStringToUtf8(choice->Text).c_str(), choice->Index);
  } else {
    std::printf("no courier\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  long language = 0;
  std::vector<uint32_t> modules;
  for (int i = 1; i < argc; ++i) {
    long number = 0;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      return Usage(true);
    } else if (std::strcmp(argv[i], "--lang") == 0) {
      if (++i >= argc) return Refuse("--lang needs a language: 0, 1 or 2");
      if (!ParseNumber(argv[i], 0, 2, &language))
        return Refuse(std::string("--lang takes 0, 1 or 2, not ") + argv[i]);
    } else if (ParseNumber(argv[i], 1, 0xFF, &number)) {
      modules.push_back(static_cast<uint32_t>(number));
    } else if (argv[i][0] == '-' && !ParseNumber(argv[i], LONG_MIN, LONG_MAX, &number)) {
      return Refuse(std::string("unknown option ") + argv[i]);
    } else {
      return Refuse(std::string(argv[i]) + " is not a module: a number from 1 to 0xFF, such as 2 or 0x81");
    }
  }
  if (modules.empty()) modules.assign(std::begin(kAllModules), std::end(kAllModules));

  VgSetLanguage(SkinBin::Wrapper::kMenuLanguages[language].runtimeId);
  // The database and the model it binds stay rooted while the tool runs.
  XObject* model = MainApp::GetWrapper();
  VgLockObject(model);
  auto* database = VgNew<SkinBin::OptionDatabaseClass>();
  VgLockObject(database);

  // A module the database does not have is a mistake in the command, not a
  // module without options: refused before anything is printed.
  for (uint32_t number : modules) {
    if (database->GetModule(number)) continue;
    std::fprintf(stderr, "optdump: there is no module 0x%02X (the modules: 1, 2, 3, 4, 0x81 to 0x87)\n", number);
    VgUnlockObject(database);
    VgUnlockObject(model);
    return 2;
  }

  for (uint32_t number : modules) {
    OptionDatabase::OptionModuleClass* module = database->GetModule(number);
    std::printf("# module 0x%02X: %d options\n", number, module->OptionCount());
    for (int32_t index = 0; index < module->OptionCount(); ++index) {
      int32_t id = OptionDatabase::OptionId(number, static_cast<uint32_t>(index));
      if (OptionDataClass* record = database->GetOptionData(id)) PrintRow(id, record);
    }
  }

  VgUnlockObject(database);
  VgUnlockObject(model);
  return Ended(0);
}
