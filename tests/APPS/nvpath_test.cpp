#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "nvpath.h"
#include "test_files.h"

namespace {

TEST(NvPath, MapsPlatformPathsBelowTheRoot) {
  TestDir dir;
  EXPECT_EQ(NvPath("/mnt/nvram/APP_NVRAM.dat"), dir / "mnt/nvram/APP_NVRAM.dat");
  // The simulated partition is there once a path into it was mapped.
  EXPECT_TRUE(std::filesystem::is_directory(dir / "mnt/nvram"));
  EXPECT_EQ(NvPath("fonts/face.ttf"), "fonts/face.ttf");
  EXPECT_EQ(NvPath("/mnt/nvram/../../etc/passwd"), "");
  EXPECT_EQ(NvPath("/mnt/..hidden"), dir / "mnt/..hidden");
  EXPECT_EQ(NvPath(""), "");
  EXPECT_EQ(NvPath(nullptr), "");

  char small[8];
  EXPECT_EQ(NvMapPath("/mnt/nvram/APP_NVRAM.dat", small, sizeof small), 0u);
  EXPECT_STREQ(small, "");
  char buffer[512];
  std::string expected = dir / "mnt/x";
  EXPECT_EQ(NvMapPath("/mnt/x", buffer, sizeof buffer), expected.size());
  EXPECT_EQ(std::string(buffer), expected);
}

// Where a folder opened below the root lies, by its own file there.
std::string Marked(int folder) {
  char mark[64] = {};
  const int fd = openat(folder, "mark", O_RDONLY);
  const ssize_t got = fd < 0 ? -1 : read(fd, mark, sizeof mark - 1);
  if (fd >= 0) close(fd);
  close(folder);
  return got > 0 ? std::string(mark, size_t(got)) : "(unmarked)";
}

// Links that stay below the root are the set's to use; one that leads out,
// as written or by climbing above the root, and a loop are refused, naming
// the link, and nothing is made where they lead.
TEST(NvPath, FoldersAreReachedThroughNoLinkOutOfTheRoot) {
  TestDir dir;
  TestDir outside;
  setenv("TVUI_ROOT", dir.path().c_str(), 1);
  namespace fs = std::filesystem;
  fs::create_directories(dir / "kept");
  WriteText(dir / "kept/mark", "kept");
  WriteText(outside / "mark", "outside");
  fs::create_directories(dir / "mnt");
  fs::create_directory_symlink("../kept", dir / "mnt/inside");
  fs::create_directory_symlink(dir / "kept", dir / "mnt/absolute");
  fs::create_directory_symlink(outside.path(), dir / "mnt/out");
  fs::create_directory_symlink("../../" + fs::path(outside.path()).filename().string(), dir / "mnt/climbs");
  fs::create_directory_symlink("hop", dir / "mnt/chain");
  fs::create_directory_symlink(outside.path(), dir / "mnt/hop");
  fs::create_directory_symlink("ring", dir / "mnt/loop");
  fs::create_directory_symlink("loop", dir / "mnt/ring");

  std::string why;
  EXPECT_EQ(Marked(NvOpenFolder(dir / "mnt/inside", false, &why)), "kept");
  EXPECT_EQ(Marked(NvOpenFolder(dir / "mnt/absolute", false, &why)), "kept");
  EXPECT_EQ(NvTakeRefusals(), "");
  for (const char* link : {"out", "climbs", "chain"}) {
    EXPECT_EQ(NvOpenFolder(dir / "mnt/" + link + "/made", true, &why), -1) << link;
    EXPECT_EQ(errno, EXDEV) << link;
    EXPECT_NE(why.find("leads out of the set's folder"), std::string::npos) << why;
  }
  EXPECT_NE(why.find(dir / "mnt/hop is a link to " + outside.path()), std::string::npos) << why;
  EXPECT_EQ(NvOpenFolder(dir / "mnt/loop", false, &why), -1);
  EXPECT_EQ(errno, ELOOP);
  EXPECT_FALSE(fs::exists(outside / "made"));
  const std::string refusals = NvTakeRefusals();
  EXPECT_NE(refusals.find(dir / "mnt/out is a link to " + outside.path()), std::string::npos) << refusals;
  EXPECT_NE(refusals.find("loop of links"), std::string::npos) << refusals;
  EXPECT_EQ(NvTakeRefusals(), "");

  // Outside the root a folder is what its path names.
  EXPECT_EQ(Marked(NvOpenFolder(outside.path(), false, &why)), "outside");
  std::string name;
  EXPECT_EQ(Marked(NvOpenFolderOf(dir / "kept/file", &name, false, &why)), "kept");
  EXPECT_EQ(name, "file");
}

// The start check and every write judge a link one way: each link here is
// taken by both or refused by both. Taken: one that names the folder by the
// path TVUI_ROOT gives (a link to it), and one that climbs out of it and
// straight back by its own name. Refused: one that leaves through a folder or
// link outside, though it comes back.
TEST(NvPath, ALinkIsJudgedAsEveryWriteFollowsIt) {
  TestDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "set/mnt/store");
  WriteText(dir / "set/mnt/store/mark", "the set's");
  fs::create_directory_symlink(dir / "set", dir / "given");
  fs::create_directory_symlink(dir / "set", dir / "hop");
  fs::create_directory_symlink(dir / "given/mnt/store", dir / "set/mnt/named");
  fs::create_directory_symlink("../../set/mnt/store", dir / "set/mnt/climbs");
  fs::create_directory_symlink("../../hop/mnt/store", dir / "set/mnt/leaves");
  fs::create_directory_symlink(dir / "hop/mnt/store", dir / "set/mnt/through");
  setenv("TVUI_ROOT", (dir / "given").c_str(), 1);
  std::string why;
  for (const char* link : {"named", "climbs"}) {
    EXPECT_EQ(NvJudgeSetLink(std::string("mnt/") + link).end, NvLinkWay::kInside) << link;
    EXPECT_EQ(Marked(NvOpenFolder(dir / "given/mnt/" + link, false, &why)), "the set's") << link << ": " << why;
  }
  for (const char* link : {"leaves", "through"}) {
    const NvLinkWay way = NvJudgeSetLink(std::string("mnt/") + link);
    EXPECT_EQ(way.end, NvLinkWay::kOut) << link;
    EXPECT_EQ(way.link, dir / "given/mnt/" + link);
    EXPECT_EQ(NvOpenFolder(dir / "given/mnt/" + link, false, &why), -1) << link;
    EXPECT_EQ(errno, EXDEV) << link;
  }
  NvTakeRefusals();
}

// A link a copy is about to put on the disk is judged where it will stand,
// beside the links already there, and for good: a way that climbs back out
// of a link or of a name not there would lead elsewhere (out, too) once a
// later copy puts a link in that place.
TEST(NvPath, ANewLinkIsJudgedWhereItWillStandForGood) {
  TestDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "disk/sub/x");
  fs::create_directory_symlink(".", dir / "disk/q");
  fs::create_directory_symlink("sub", dir / "disk/r");
  fs::create_symlink("b", dir / "disk/a");
  const int disk = open((dir / "disk").c_str(), O_RDONLY | O_DIRECTORY);
  auto judge = [&](const char* place, const char* target) { return NvJudgeNewLink(disk, "D", place, target); };
  struct Case {
    const char* place;
    const char* target;
    NvLinkWay::End end;
    const char* link;  // what it names, where it names one
  };
  const Case cases[] = {
      {"sub/up", "../sub/x", NvLinkWay::kInside, ""},
      {"l", "r/x", NvLinkWay::kInside, ""},
      {"l", "missing/x", NvLinkWay::kInside, ""},
      {"l.png", "q/q/q/../../../../etc/passwd", NvLinkWay::kOut, "D/q"},
      {"sub/l", "../../x", NvLinkWay::kOut, "D/sub/l"},
      {"l", "/etc", NvLinkWay::kOut, "D/l"},
      {"l", "r/..", NvLinkWay::kUnsteady, "D/r"},
      {"l", "r/x/../y", NvLinkWay::kUnsteady, "D/r"},
      {"l", "m/../x", NvLinkWay::kUnsteady, "D/m"},
      {"b", "a", NvLinkWay::kLoop, "D/b"},
      {"c", "sub/../c", NvLinkWay::kLoop, "D/c"},
  };
  for (const Case& c : cases) {
    const NvLinkWay way = judge(c.place, c.target);
    EXPECT_EQ(way.end, c.end) << c.place << " -> " << c.target << ": " << way.why;
    if (*c.link) {
      EXPECT_EQ(way.link, c.link) << c.place << " -> " << c.target;
    }
  }
  const NvLinkWay loop = judge("b", "a");
  EXPECT_EQ(loop.loop, (std::vector<std::string>{"D/b", "D/a", "D/b"}));
  EXPECT_TRUE(judge("l", "m/../x").target.empty());
  close(disk);
}

// The system follows 40 links on one path: a chain one longer, though no
// link in it comes round again, is refused as a chain, not as a loop, by
// the start's judge and by a copy's, which counts the new link among them.
TEST(NvPath, AChainLongerThanTheSystemFollowsIsNoLoop) {
  TestDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "mnt");
  for (int i = 2; i <= 41; ++i) fs::create_symlink("c" + std::to_string(i + 1), dir / "mnt/c" + std::to_string(i));
  EXPECT_EQ(NvJudgeSetLink("mnt/c2").end, NvLinkWay::kInside);
  fs::create_symlink("c2", dir / "mnt/c1");
  const NvLinkWay chain = NvJudgeSetLink("mnt/c1");
  EXPECT_EQ(chain.end, NvLinkWay::kChain) << chain.why;
  ASSERT_EQ(chain.loop.size(), 41u);
  EXPECT_EQ(chain.loop.front(), dir / "mnt/c1");
  EXPECT_EQ(chain.loop.back(), dir / "mnt/c41");
  EXPECT_NE(chain.why.find("chain of more than 40 links"), std::string::npos) << chain.why;
  // A ring stays a loop, however many links it takes.
  fs::create_symlink("r1", dir / "mnt/r0");
  fs::create_symlink("r0", dir / "mnt/r1");
  EXPECT_EQ(NvJudgeSetLink("mnt/r0").end, NvLinkWay::kLoop);

  const int mnt = open((dir / "mnt").c_str(), O_RDONLY | O_DIRECTORY);
  EXPECT_EQ(NvJudgeNewLink(mnt, "D", "n", "c3").end, NvLinkWay::kInside);
  const NvLinkWay placed = NvJudgeNewLink(mnt, "D", "n", "c2");
  EXPECT_EQ(placed.end, NvLinkWay::kChain) << placed.why;
  ASSERT_FALSE(placed.loop.empty());
  EXPECT_EQ(placed.loop.front(), "D/n");
  close(mnt);
}

// A folder of any depth is emptied and measured with a handle or two: one a
// level would run out of them (a stick of folders nested a thousand deep
// copied onto the disk, and emptied at the next one).
TEST(NvPath, AFolderOfAnyDepthIsWalkedWithAFewHandles) {
  TestDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "top");
  WriteText(dir / "top/file", "x");
  int level = open((dir / "top").c_str(), O_RDONLY | O_DIRECTORY);
  for (int depth = 0; depth < 1000; ++depth) {
    mkdirat(level, "d", 0755);
    const int below = openat(level, "d", O_RDONLY | O_DIRECTORY);
    close(level);
    level = below;
  }
  const int file = openat(level, "file", O_WRONLY | O_CREAT, 0644);
  ASSERT_EQ(write(file, std::string(2048, 'x').data(), 2048), 2048);
  close(file);
  close(level);
  fs::create_directory_symlink(dir.path(), dir / "top/d/up");
  rlimit before{};
  getrlimit(RLIMIT_NOFILE, &before);
  rlimit few = before;
  few.rlim_cur = 64;
  setrlimit(RLIMIT_NOFILE, &few);
  const int top = open((dir / "top").c_str(), O_RDONLY | O_DIRECTORY);
  const uint64_t kb = NvKilobytesIn(top);
  const bool emptied = NvEmptyFolder(top);
  close(top);
  setrlimit(RLIMIT_NOFILE, &before);
  EXPECT_EQ(kb, 3u);
  EXPECT_TRUE(emptied);
  // The link to the folder above was removed, not followed.
  EXPECT_TRUE(fs::is_directory(dir / "top"));
  EXPECT_TRUE(fs::is_empty(dir / "top"));
}

// A mount namespace of the calling process's own, where a mount made goes
// with the process: false where the system allows none.
bool OwnMounts() {
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWNS) != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    auto put = [](const char* file, const std::string& text) {
      const int fd = open(file, O_WRONLY);
      const bool written = fd >= 0 && write(fd, text.data(), text.size()) == ssize_t(text.size());
      if (fd >= 0) close(fd);
      return written;
    };
    if (!put("/proc/self/setgroups", "deny") || !put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return false;
  }
  return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Emptying keeps to the folder's own mount: a user's folder bound inside
// one the set empties (the USB disk's folder, the set's tmp) is neither
// entered nor removed, and the emptying says it could not empty, naming it.
// A bind mount of the same file system differs by its mount alone. The mount
// is made in a child of a namespace of its own, which takes it along as it
// ends.
TEST(NvPath, EmptyingLeavesAFolderMountedInsideWithAllItHolds) {
  TestDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "top/sub/bound");
  fs::create_directories(dir / "users");
  WriteText(dir / "top/plain", "the set's");
  WriteText(dir / "top/sub/file", "the set's");
  WriteText(dir / "users/keep.txt", "the user's");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!OwnMounts() || mount((dir / "users").c_str(), (dir / "top/sub/bound").c_str(), nullptr, MS_BIND, nullptr) != 0)
      _exit(77);
    const int top = open((dir / "top").c_str(), O_RDONLY | O_DIRECTORY);
    std::string why;
    const bool emptied = NvEmptyFolder(top, &why);
    close(top);
    int wrong = 0;
    if (emptied) wrong |= 1;
    if (!fs::exists(dir / "users/keep.txt")) wrong |= 2;
    if (why.rfind("sub/bound: a mount inside the folder", 0) != 0) wrong |= 4;
    if (fs::exists(dir / "top/plain") || fs::exists(dir / "top/sub/file")) wrong |= 8;
    umount((dir / "top/sub/bound").c_str());
    _exit(wrong);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace of the test's own: the mount cannot be made";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: emptied told though the mount stayed; 2: the user's file removed; "
                                       "4: the mount not named; 8: the set's own files stayed";
}

// A held root takes the files where it stood when it was taken, though its
// path is made a link to another folder since.
TEST(NvPath, AHeldRootStaysWhereItWas) {
  TestDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "set/mnt");
  WriteText(dir / "set/mnt/mark", "the set's");
  fs::create_directories(dir / "elsewhere/mnt");
  WriteText(dir / "elsewhere/mnt/mark", "elsewhere");
  setenv("TVUI_ROOT", (dir / "set").c_str(), 1);
  ASSERT_EQ(NvHoldRoot(), 0);
  fs::rename(dir / "set", dir / "moved");
  fs::create_directory_symlink(dir / "elsewhere", dir / "set");
  std::string why;
  EXPECT_EQ(Marked(NvOpenFolder(dir / "set/mnt", false, &why)), "the set's");
  // Another root, as a test names, is opened afresh.
  setenv("TVUI_ROOT", (dir / "elsewhere").c_str(), 1);
  EXPECT_EQ(Marked(NvOpenFolder(dir / "elsewhere/mnt", false, &why)), "elsewhere");
}

TEST(NvPath, TheSetItselfMapsEveryPathToItself) {
  setenv("TVUI_ROOT", "/", 1);
  EXPECT_EQ(NvPath("/mnt/nvram/APP_NVRAM.dat"), "/mnt/nvram/APP_NVRAM.dat");
  unsetenv("TVUI_ROOT");
  EXPECT_STREQ(NvRootDir(), "rootfs");
}

}  // namespace
