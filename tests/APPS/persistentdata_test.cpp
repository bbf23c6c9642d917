#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "PersistentData.h"
#include "storageFunction.h"
#include "test_files.h"
#include "vgslot.h"
#include "vgstring.h"

namespace PDTest {

// Writes the defaults, as the application root does when no file could be loaded.
class Defaults : public XObject {
  VG_CLASS()

 public:
  void Load(XObject* sender) {
    auto* store = vg_cast<::PersistentData::PersistentData>(sender);
    ++calls;
    fileExistedDuringDefaults = FileExists(file);
    store->PutInteger(VgNewStringUtf8("SetupStep"), 1);
    store->PutString(VgNewStringUtf8("Name"), VgNewStringUtf8("default"));
  }
  int calls = 0;
  bool fileExistedDuringDefaults = false;
  std::string file;
};

}  // namespace PDTest

VG_DEFINE_CLASS(PDTest, Defaults, XObject)

namespace {

using Store = ::PersistentData::PersistentData;
using PDTest::Defaults;

VgString S(const char* text) { return VgNewStringUtf8(text); }
std::string U(VgString s) { return VgStringToUtf8(s); }

// The lines of a settings file followed by their check sequence.
std::vector<uint8_t> Image(const std::string& lines) {
  std::vector<uint8_t> bytes(lines.begin(), lines.end());
  uint16_t fcs = CalculateChecksum(bytes.data(), static_cast<int32_t>(bytes.size()));
  bytes.push_back(static_cast<uint8_t>(fcs));
  bytes.push_back(static_cast<uint8_t>(fcs >> 8));
  return bytes;
}

constexpr const char* kPlatformFile = "/mnt/nvram/APP_NVRAM.dat";

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    defaults = VgNew<Defaults>();
    VgLockObject(defaults);
    defaults->file = file;
  }
  void TearDown() override {
    for (XObject* o : locked) VgUnlockObject(o);
    VgUnlockObject(defaults);
  }

  // A store as the application root makes it: recovering from the backup, with defaults.
  Store* NewStore(bool recover = true) {
    Store* store = VgNew<Store>();
    VgLockObject(store);
    locked.push_back(store);
    store->OnSetRecoverFile(recover);
    store->OnSetOnLoadDefaultData(VgSlotOf<&Defaults::Load>(defaults));
    return store;
  }
  // Tests that place files before the first start make the directory themselves.
  void MakeNvramDir() { std::filesystem::create_directories(dir / "mnt/nvram"); }
  Store* Started(bool recover = true) {
    Store* store = NewStore(recover);
    EXPECT_TRUE(store->Initialize(S(kPlatformFile)));
    return store;
  }

  TestDir dir;
  std::string file = dir / "mnt/nvram/APP_NVRAM.dat";
  std::string backup = file + ".bakup";
  Defaults* defaults = nullptr;
  std::vector<XObject*> locked;
};

TEST(SettingsText, String2IntParsesWithoutValidation) {
  EXPECT_EQ(Store::String2Int(S("-12")), -12);
  EXPECT_EQ(Store::String2Int(nullptr), 0);
  EXPECT_EQ(Store::String2Int(S("1a")), 59);  // "a" counts as the digit 49
  EXPECT_EQ(Store::String2Int(S("2147483647")), 2147483647);
  // Past the range a number wraps around in 32 bits, however long the text.
  EXPECT_EQ(Store::String2Int(S("2147483648")), -2147483647 - 1);
  EXPECT_EQ(Store::String2Int(S("4294967296")), 0);
  EXPECT_EQ(Store::String2Int(S("99999999999")), 1215752191);
  EXPECT_EQ(Store::String2Int(S("-2147483648")), -2147483647 - 1);
  EXPECT_EQ(Store::String2Int(S("-99999999999999999999999")), 159383553);
  EXPECT_EQ(Store::String2Int(S(std::string(200, 'a').c_str())), 477218583);
  EXPECT_EQ(Store::String2Int(S("")), 0);
  EXPECT_EQ(Store::String2Int(S("-")), 0);
}

TEST(SettingsText, ParseStringItemSplitsAtCommas) {
  VgString three = S("red,green,blue");
  EXPECT_EQ(U(Store::ParseStringItem(three, 0)), "red");
  EXPECT_EQ(U(Store::ParseStringItem(three, 1)), "green");
  EXPECT_EQ(U(Store::ParseStringItem(three, 2)), "blue");
  EXPECT_EQ(Store::ParseStringItem(three, 3), nullptr);
  EXPECT_EQ(Store::ParseStringItem(three, -1), nullptr);
  EXPECT_EQ(U(Store::ParseStringItem(S("whole"), 0)), "whole");
  EXPECT_EQ(Store::ParseStringItem(S("whole"), 1), nullptr);
  EXPECT_EQ(Store::ParseStringItem(S("a,,c,"), 1), nullptr);
  EXPECT_EQ(U(Store::ParseStringItem(S("a,,c,"), 2)), "c");
  EXPECT_EQ(Store::ParseStringItem(S("a,,c,"), 3), nullptr);
}

TEST_F(Settings, TypedValuesAreWrittenThroughToTheFile) {
  Store* store = Started();
  EXPECT_EQ(store->PutInteger(S("Volume"), -25), STORAGE_OK);
  EXPECT_EQ(store->PutBool(S("Game"), true), STORAGE_OK);
  EXPECT_EQ(store->PutBool(S("Sleep"), false), STORAGE_OK);
  EXPECT_EQ(store->PutString(S("Inputs"), S("TV,HDMI1,HDMI2")), STORAGE_OK);
  EXPECT_EQ(store->PutString(S("Name"), S("Kitchen \u00e9")), STORAGE_OK);

  // A second store reads the file written through by the first.
  Store* again = Started();
  EXPECT_EQ(again->GetInteger(S("Volume")), -25);
  EXPECT_EQ(U(again->GetString(S("Volume"))), "-25");
  EXPECT_TRUE(again->GetBool(S("Game")));
  EXPECT_FALSE(again->GetBool(S("Sleep")));
  EXPECT_EQ(U(again->GetString(S("Sleep"))), "0");
  EXPECT_EQ(U(again->GetStringItem(S("Inputs"), 1)), "HDMI1");
  EXPECT_EQ(U(again->GetString(S("Name"))), "Kitchen \u00e9");
  EXPECT_TRUE(again->IsStringExist(S("Inputs")));
  // Missing keys read as empty, 0 and false.
  EXPECT_EQ(again->GetString(S("Missing")), nullptr);
  EXPECT_EQ(again->GetInteger(S("Missing")), 0);
  EXPECT_FALSE(again->GetBool(S("Missing")));
  EXPECT_FALSE(again->IsStringExist(S("Missing")));
  EXPECT_EQ(defaults->calls, 1);  // only the very first start had no file
}

TEST_F(Settings, AnEmptyTextKeepsTheValueButTheFileIsStillWritten) {
  Store* store = Started();
  store->OnSetAutoSyncData(false);
  store->PutString(S("Kept"), S("value"));
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<1>\n[Name]=<default>\n"));
  store->OnSetAutoSyncData(true);
  EXPECT_EQ(store->PutString(S("Kept"), nullptr), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(U(store->GetString(S("Kept"))), "value");
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<1>\n[Name]=<default>\n[Kept]=<value>\n"));
}

TEST_F(Settings, RefusesTextsThatWouldCorruptTheFile) {
  Store* store = Started();
  store->PutString(S("Name"), S("Den"));
  EXPECT_EQ(store->PutString(S("Name"), S("<b>")), STORAGE_UNSTORABLE);
  EXPECT_EQ(store->PutString(S("Name"), S("a\nb")), STORAGE_UNSTORABLE);
  EXPECT_EQ(store->PutString(S("Na]me"), S("x")), STORAGE_UNSTORABLE);
  EXPECT_EQ(U(store->GetString(S("Name"))), "Den");
  EXPECT_EQ(U(Started()->GetString(S("Name"))), "Den");
}

TEST_F(Settings, RemovesKeysAndWritesTheFile) {
  Store* store = Started();
  for (const char* key : {"AutoInput_TV", "AutoInput_BD", "AutoInput"}) store->PutBool(S(key), true);
  EXPECT_EQ(store->RemoveStrings(S("AutoInput_")), STORAGE_OK);
  EXPECT_EQ(store->RemoveString(S("Name")), STORAGE_OK);
  EXPECT_EQ(store->RemoveString(S("Name")), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<1>\n[AutoInput]=<1>\n"));
  store->Reset();  // memory only
  EXPECT_FALSE(store->IsStringExist(S("AutoInput")));
  EXPECT_TRUE(Started()->GetBool(S("AutoInput")));
  store->SyncData();
  EXPECT_EQ(ReadBytes(file), Image(""));
}

// Neither file: the defaults go into the store without a write per key, and
// the file is written once, after them.
TEST_F(Settings, WithoutAnyFileTheDefaultsAreWrittenOnce) {
  Store* store = NewStore();
  EXPECT_TRUE(store->Initialize(S(kPlatformFile)));
  EXPECT_EQ(defaults->calls, 1);
  EXPECT_FALSE(defaults->fileExistedDuringDefaults);
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<1>\n[Name]=<default>\n"));
  EXPECT_TRUE(store->OnGetAutoSyncData());
  EXPECT_FALSE(FileExists(backup));
}

// Each way a settings file can be lost: the set starts with the backup's values,
// the settings file becomes a copy of the backup, and no default is applied.
TEST_F(Settings, ABadSettingsFileIsReplacedByTheBackup) {
  const std::vector<uint8_t> good = Image("[SetupStep]=<9>\n[Volume]=<30>\n[Name]=<Den>\n");
  std::vector<uint8_t> flipped = good;
  flipped[5] ^= 0x20;
  struct Case {
    const char* what;
    bool present;
    std::vector<uint8_t> bytes;
  };
  const std::vector<Case> cases = {
      {"flipped byte", true, flipped},
      {"truncated", true, std::vector<uint8_t>(good.begin(), good.begin() + 20)},
      {"missing", false, {}},
      {"over 64000 bytes", true, Image(std::string(64001, '\n'))},
      {"one byte", true, {'['}},
      {"empty: a write that never finished", true, {}},
  };
  MakeNvramDir();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(backup, good);
    if (c.present)
      WriteBytes(file, c.bytes);
    else
      std::filesystem::remove(file);
    defaults->calls = 0;
    Store* store = Started();
    EXPECT_EQ(store->GetInteger(S("SetupStep")), 9);
    EXPECT_EQ(store->GetInteger(S("Volume")), 30);
    EXPECT_EQ(U(store->GetString(S("Name"))), "Den");
    EXPECT_EQ(defaults->calls, 0);
    EXPECT_EQ(ReadBytes(file), good);
    EXPECT_EQ(ReadBytes(backup), good);
  }
}

// A link planted in place of either file is a damaged file, never read
// through: the set takes no settings from a file outside its folders and
// copies none over its backup; the link itself is replaced.
TEST_F(Settings, ALinkInPlaceOfEitherFileIsADamagedFile) {
  MakeNvramDir();
  const std::vector<uint8_t> good = Image("[SetupStep]=<9>\n[Name]=<Den>\n");
  const std::vector<uint8_t> planted = Image("[SetupStep]=<9>\n[Name]=<planted>\n");
  const std::string outside = dir / "outside.dat";
  WriteBytes(outside, planted);

  WriteBytes(backup, good);
  std::filesystem::create_symlink(outside, file);
  Store* store = Started();
  EXPECT_EQ(U(store->GetString(S("Name"))), "Den");
  EXPECT_FALSE(std::filesystem::is_symlink(file));
  EXPECT_EQ(ReadBytes(file), good);

  std::filesystem::remove(backup);
  std::filesystem::create_symlink(outside, backup);
  EXPECT_FALSE(store->HasGoodBackup());
  WriteBytes(file, {'b', 'a', 'd'});
  store = Started();
  EXPECT_EQ(defaults->calls, 1);
  EXPECT_EQ(U(store->GetString(S("Name"))), "default");
  ASSERT_EQ(store->Backup(), STORAGE_OK);
  EXPECT_FALSE(std::filesystem::is_symlink(backup));
  EXPECT_TRUE(store->HasGoodBackup());
  EXPECT_EQ(ReadBytes(outside), planted);
}

TEST_F(Settings, AnEmptyFileWithoutAGoodBackupLoadsAsAnEmptyStore) {
  MakeNvramDir();
  for (bool badBackup : {false, true}) {
    SCOPED_TRACE(badBackup ? "bad backup" : "no backup");
    std::filesystem::remove(backup);
    if (badBackup) WriteBytes(backup, {'b', 'a', 'd'});
    WriteBytes(file, {});
    defaults->calls = 0;
    Store* store = Started();
    EXPECT_EQ(defaults->calls, 0);
    EXPECT_FALSE(store->IsStringExist(S("SetupStep")));
    EXPECT_TRUE(ReadBytes(file).empty());
  }
}

TEST_F(Settings, ABackupThatCannotBePutInPlaceIsStillUsed) {
  MakeNvramDir();
  const std::vector<uint8_t> good = Image("[SetupStep]=<9>\n");
  WriteBytes(backup, good);
  WriteBytes(file, {'b', 'a', 'd'});
  std::filesystem::create_directory(file + ".tmp");  // no copy can be written
  Store* store = Started();
  EXPECT_EQ(defaults->calls, 0);
  EXPECT_EQ(store->GetInteger(S("SetupStep")), 9);
  EXPECT_EQ(ReadBytes(backup), good);
  // Later writes go to the settings file, never over the backup.
  std::filesystem::remove(file + ".tmp");
  EXPECT_EQ(store->PutInteger(S("Volume"), 5), STORAGE_OK);
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<9>\n[Volume]=<5>\n"));
  EXPECT_EQ(ReadBytes(backup), good);
}

TEST_F(Settings, WithoutRecoveryABadFileGivesTheDefaults) {
  MakeNvramDir();
  WriteBytes(backup, Image("[SetupStep]=<9>\n"));
  WriteBytes(file, {'x', 'y', 'z'});
  Store* store = Started(false);
  EXPECT_EQ(defaults->calls, 1);
  EXPECT_EQ(store->GetInteger(S("SetupStep")), 1);
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<1>\n[Name]=<default>\n"));
}

TEST_F(Settings, ABadBackupToo) {
  MakeNvramDir();
  WriteBytes(backup, {'b', 'a', 'd'});
  WriteBytes(file, {'w', 'o', 'r', 's', 'e'});
  Store* store = Started();
  EXPECT_EQ(defaults->calls, 1);
  EXPECT_EQ(store->GetInteger(S("SetupStep")), 1);
  EXPECT_EQ(ReadBytes(file), Image("[SetupStep]=<1>\n[Name]=<default>\n"));
}

TEST_F(Settings, BackupCopiesOnlyAGoodSettingsFile) {
  Store* unnamed = NewStore();
  EXPECT_EQ(unnamed->Backup(), STORAGE_FILE_ERROR);

  Store* store = Started();
  store->PutInteger(S("SetupStep"), 9);
  ASSERT_EQ(store->Backup(), STORAGE_OK);
  const auto good = ReadBytes(file);
  EXPECT_EQ(ReadBytes(backup), good);

  // A settings file damaged since its last write must not replace the good backup.
  WriteBytes(file, std::vector<uint8_t>(good.begin(), good.end() - 3));
  EXPECT_EQ(store->Backup(), STORAGE_BAD_CHECKSUM);
  EXPECT_EQ(ReadBytes(backup), good);
  WriteBytes(file, {});
  EXPECT_EQ(store->Backup(), STORAGE_FILE_ERROR);
  EXPECT_EQ(ReadBytes(backup), good);
}

// A GUI turn's changes are held and written once at its end, while every
// change still reports what the write will: done, or refused as before.
TEST_F(Settings, ATurnsChangesAreWrittenOnceAtItsEnd) {
  Store* store = Started();
  const std::vector<uint8_t> before = ReadBytes(file);
  Store::HoldSaves();
  EXPECT_EQ(store->PutInteger(S("Volume"), 7), STORAGE_OK);
  EXPECT_EQ(store->PutString(S("Bad]Key"), S("x")), STORAGE_UNSTORABLE);
  EXPECT_EQ(store->PutBool(S("Game"), true), STORAGE_OK);
  EXPECT_EQ(store->RemoveString(S("Name")), STORAGE_OK);
  EXPECT_EQ(store->GetInteger(S("Volume")), 7) << "the store answers at once";
  EXPECT_EQ(ReadBytes(file), before) << "nothing written within the turn";
  Store::WriteHeldSaves();
  Store* again = Started();
  EXPECT_EQ(again->GetInteger(S("Volume")), 7);
  EXPECT_TRUE(again->GetBool(S("Game")));
  EXPECT_FALSE(again->IsStringExist(S("Name")));

  // Outside a turn each change is written through as always.
  EXPECT_EQ(store->PutInteger(S("Volume"), 8), STORAGE_OK);
  EXPECT_EQ(Started()->GetInteger(S("Volume")), 8);
}

// A backup asked for within a turn (the set-up's last OK) writes nothing
// before the turn's frame: the file and the backup are written at its end.
TEST_F(Settings, ABackupWithinATurnWaitsForItsEnd) {
  Store* store = Started();
  ASSERT_EQ(store->Backup(), STORAGE_OK);
  const std::vector<uint8_t> file0 = ReadBytes(file);
  const std::vector<uint8_t> backup0 = ReadBytes(backup);
  Store::HoldSaves();
  EXPECT_EQ(store->PutInteger(S("SetupStep"), 9), STORAGE_OK);
  EXPECT_EQ(store->Backup(), STORAGE_OK);
  EXPECT_EQ(ReadBytes(file), file0);
  EXPECT_EQ(ReadBytes(backup), backup0);
  Store::WriteHeldSaves();
  EXPECT_EQ(ReadBytes(backup), ReadBytes(file));
  EXPECT_NE(ReadBytes(file), file0);
  EXPECT_EQ(Started()->GetInteger(S("SetupStep")), 9);
}

// The process killed right after a turn that changed several settings and
// backed them up: the file and the backup hold every change of that turn,
// including those made after the backup.
TEST_F(Settings, AKillAfterATurnLosesNoneOfItsChanges) {
  Started();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Store* store = Started();
    Store::HoldSaves();
    for (int i = 0; i < 6; ++i) store->PutInteger(S(("Before" + std::to_string(i)).c_str()), 100 + i);
    store->Backup();
    store->PutInteger(S("After0"), 200);
    store->PutString(S("After1"), S("late"));
    Store::WriteHeldSaves();
    const char done = 1;
    if (write(ready[1], &done, 1) != 1) _exit(2);
    for (;;) pause();
  }
  close(ready[1]);
  char done = 0;
  ASSERT_EQ(read(ready[0], &done, 1), 1);
  close(ready[0]);
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  for (const std::string& path : {file, backup}) {
    StorageContext* context = StorageInit();
    ASSERT_EQ(StorageLoad(context, path.c_str()), STORAGE_OK) << path;
    for (int i = 0; i < 6; ++i)
      EXPECT_STREQ(StorageGet(context, ("Before" + std::to_string(i)).c_str()), std::to_string(100 + i).c_str())
          << path;
    EXPECT_STREQ(StorageGet(context, "After0"), "200") << path;
    EXPECT_STREQ(StorageGet(context, "After1"), "late") << path;
    StorageDone(context);
  }
}

TEST_F(Settings, PlatformPathsStayBelowTheRoot) {
  Started()->PutString(S("Where"), S("here"));
  EXPECT_TRUE(FileExists(file));
  // A path that climbs out of the root is refused, and the defaults stay in memory only.
  Store* store = NewStore(false);
  EXPECT_FALSE(store->Initialize(S("/mnt/../../escaped.dat")));
  EXPECT_FALSE(FileExists(dir / "../escaped.dat"));
}

TEST_F(Settings, AccessorsHaveTheirStartingValues) {
  Store* store = VgNew<Store>();
  VgLockObject(store);
  locked.push_back(store);
  EXPECT_FALSE(store->OnGetRecoverFile());
  EXPECT_TRUE(store->OnGetAutoSyncData());
  EXPECT_TRUE(store->OnGetOnLoadDefaultData().IsNull());
  store->OnSetRecoverFile(true);
  store->OnSetAutoSyncData(false);
  EXPECT_TRUE(store->OnGetRecoverFile());
  EXPECT_FALSE(store->OnGetAutoSyncData());
  // Without a defaults slot a store still starts, empty.
  EXPECT_TRUE(store->Initialize(S(kPlatformFile)));
  EXPECT_EQ(ReadBytes(file), Image(""));
}

// The defaults object is kept alive through the store's slot.
TEST_F(Settings, TheStoreReportsItsDefaultsSlotToTheCollector) {
  Store* store = NewStore();
  VgUnlockObject(defaults);
  VgReclaimMemory();
  EXPECT_TRUE(store->Initialize(S(kPlatformFile)));
  EXPECT_EQ(defaults->calls, 1);
  VgLockObject(defaults);
}

}  // namespace
