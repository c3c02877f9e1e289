#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_io.h"
#include "files/non_regular_paths.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;
using Bytes = std::vector<std::uint8_t>;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

TEST(ReadFileBytes, ReadsNoMoreThanTheCap) {
  TempDir dir;
  WriteBytes(dir.File("a.bin"), std::vector<std::uint8_t>(5000, 7));
  EXPECT_EQ(ReadFileBytes(dir.File("a.bin"), 100).size(), 100u);
  EXPECT_EQ(ReadFileBytes(dir.File("a.bin"), 9000).size(), 5000u);
  WriteBytes(dir.File("empty"), {});
  EXPECT_TRUE(ReadFileBytes(dir.File("empty"), 10).empty());
}

TEST(ReadFileBytes, UnreadablePathsNameTheFileAndTheReason) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.mgs"));
  std::string unreadable = dir.File("locked.mgs");
  WriteBytes(unreadable, {1, 2, 3});
  std::filesystem::permissions(unreadable, std::filesystem::perms::none);
  // Permissions do not stop root; a read that fails does.
  if (::geteuid() == 0) unreadable = "/proc/self/mem";
  for (const std::string& path : {dir.File("missing.mgs"), dir.File("folder.mgs"), unreadable}) {
    const std::string message = ErrorOf([&] { ReadFileBytes(path, 100); });
    EXPECT_NE(message.find("Cannot read \"" + path + "\": "), std::string::npos) << message;
  }
}

TEST(WriteFileAtomically, ReplacesTheWholeFile) {
  TempDir dir;
  const std::string path = dir.File("out.mgs");
  WriteBytes(path, std::vector<std::uint8_t>(100, 1));
  WriteFileAtomically(path, std::vector<std::uint8_t>{9, 8, 7});
  EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{9, 8, 7}));
}

TEST(WriteFileAtomically, AFailedWriteKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("picture.mgs");
  const std::vector<std::uint8_t> old(3000, 42);
  WriteBytes(path, old);

  // A file size limit makes the write fail part way, like a full disk.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string message = ErrorOf([&] { WriteFileAtomically(path, std::vector<std::uint8_t>(100000, 5)); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_NE(message.find("Cannot write \"" + path + "\": " + std::strerror(EFBIG)), std::string::npos) << message;
  EXPECT_EQ(ReadBytes(path), old);
  // No temporary file is left beside it.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(WriteFileAtomically, RefusesPathsThatCannotBeFiles) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.mgs"));
  for (const std::string& path : {dir.File("no/such/folder/x.mgs"), dir.File("folder.mgs")}) {
    const std::string message = ErrorOf([&] { WriteFileAtomically(path, std::vector<std::uint8_t>{1}); });
    EXPECT_NE(message.find("Cannot write"), std::string::npos) << path;
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.mgs")));
}

// Each case is an output that must stay exactly what it was: the write is
// refused with the path and the reason, and nothing is left beside it.
struct RefusedCase {
  std::string Name;
  std::string Reason;
};

void ExpectWriteRefused(const TempDir& dir, const RefusedCase& c) {
  const std::string path = dir.File(c.Name);
  const Entry before = EntryAt(path);
  const int entries = EntriesIn(dir.Path());
  const std::string message = ErrorOf([&] { WriteFileAtomically(path, Bytes{1, 2, 3}); });
  EXPECT_NE(message.find("Cannot write \"" + path + "\": "), std::string::npos) << c.Name << ": " << message;
  EXPECT_NE(message.find(c.Reason), std::string::npos) << c.Name << ": " << message;
  EXPECT_EQ(EntryAt(path), before) << c.Name;
  EXPECT_EQ(EntriesIn(dir.Path()), entries) << c.Name;
}

TEST(WriteFileAtomically, NeverReplacesWhatIsNotARegularFile) {
  TempDir dir;
  MakeFifo(dir.File("fifo.mgs"));
  MakeSocket(dir.File("socket.mgs"));
  std::filesystem::create_directory(dir.File("folder"));
  std::filesystem::create_symlink("fifo.mgs", dir.File("to-fifo.mgs"));
  std::filesystem::create_symlink("to-fifo.mgs", dir.File("to-to-fifo.mgs"));
  std::filesystem::create_symlink(dir.File("folder"), dir.File("to-folder.mgs"));
  std::filesystem::create_symlink("socket.mgs", dir.File("to-socket.mgs"));
  std::filesystem::create_symlink("loop-b.mgs", dir.File("loop-a.mgs"));
  std::filesystem::create_symlink("loop-a.mgs", dir.File("loop-b.mgs"));
  std::filesystem::create_symlink("self.mgs", dir.File("self.mgs"));
  const RefusedCase cases[] = {
      {"fifo.mgs", "it is a FIFO, not a regular file"},
      {"folder", "it is a folder, not a regular file"},
      {"to-fifo.mgs", "symlink to a FIFO"},
      {"to-to-fifo.mgs", "symlink to a FIFO"},
      {"socket.mgs", "socket"},
      {"to-socket.mgs", "symlink to a socket"},
      {"to-folder.mgs", "symlink to a folder"},
      {"loop-a.mgs", "symlink loop"},
      {"loop-b.mgs", "symlink loop"},
      {"self.mgs", "symlink loop"},
  };
  for (const RefusedCase& c : cases) ExpectWriteRefused(dir, c);
}

TEST(WriteFileAtomically, NeverReplacesADeviceNode) {
  TempDir dir;
  if (const std::string why = MakeFullDeviceNode(dir.File("full")); !why.empty()) GTEST_SKIP() << why;
  std::filesystem::create_symlink("full", dir.File("to-full.mgs"));
  std::filesystem::create_symlink(dir.File("to-full.mgs"), dir.File("to-to-full.mgs"));
  const RefusedCase cases[] = {
      {"full", "it is a character device, not a regular file"},
      {"to-full.mgs", "it is a symlink to a character device, not a regular file"},
      {"to-to-full.mgs", "it is a symlink to a character device, not a regular file"},
  };
  for (const RefusedCase& c : cases) ExpectWriteRefused(dir, c);
  EXPECT_EQ(EntryAt(dir.File("full")).Device, ::makedev(1, 7));
}

TEST(WriteFileAtomically, ASymlinkStaysALinkAndItsTargetIsWritten) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("sub"));
  struct Case {
    std::string Link;
    std::string LinkText;  // as stored in the link
    std::string Target;    // the file that must get the bytes
    bool TargetExists;
  } cases[] = {
      {"relative.mgs", "a.mgs", "a.mgs", true},         {"absolute.mgs", dir.File("b.mgs"), "b.mgs", true},
      {"into-sub.mgs", "sub/c.mgs", "sub/c.mgs", true}, {"sub/up.mgs", "../d.mgs", "d.mgs", true},
      {"chain.mgs", "relative.mgs", "a.mgs", true},     {"dangling.mgs", "sub/new.mgs", "sub/new.mgs", false},
  };
  for (const Case& c : cases) {
    if (c.TargetExists) WriteBytes(dir.File(c.Target), Bytes(50, 1));
    std::filesystem::create_symlink(c.LinkText, dir.File(c.Link));
  }
  Bytes next = {7, 7, 7};
  for (const Case& c : cases) {
    const int entries = EntriesIn(dir.Path()) + EntriesIn(dir.Path() / "sub");
    WriteFileAtomically(dir.File(c.Link), next);
    EXPECT_EQ(EntryAt(dir.File(c.Link)).LinkText, c.LinkText) << c.Link;
    EXPECT_EQ(ReadBytes(dir.File(c.Target)), next) << c.Link;
    EXPECT_EQ(EntriesIn(dir.Path()) + EntriesIn(dir.Path() / "sub"), entries + (c.TargetExists ? 0 : 1)) << c.Link;
    ++next[0];
  }
}

TEST(ReadFileBytes, RefusesWhatIsNotARegularFileAndTakesNothingFromIt) {
  TempDir dir;
  const FilledFifo fifo(dir.File("fifo.mgs"), Bytes(100, 9));
  MakeSocket(dir.File("socket.mgs"));
  std::filesystem::create_symlink("fifo.mgs", dir.File("to-fifo.mgs"));
  std::filesystem::create_symlink("socket.mgs", dir.File("to-socket.mgs"));
  const std::pair<std::string, std::string> cases[] = {
      {"fifo.mgs", "it is a FIFO, not a regular file"},
      {"to-fifo.mgs", "it is a symlink to a FIFO, not a regular file"},
      {"socket.mgs", "it is a socket, not a regular file"},
      {"to-socket.mgs", "it is a symlink to a socket, not a regular file"},
  };
  for (const auto& [name, reason] : cases) {
    const std::string path = dir.File(name);
    // In a child with an alarm, so a read that blocks fails instead of hanging.
    const ChildResult child = RunInChild(
        [&](int out) {
          WriteText(out, ErrorOf([&] { ReadFileBytes(path, 100); }));
          return 0;
        },
        30, false);
    ASSERT_TRUE(child.Finished) << name << ": the read blocked";
    EXPECT_EQ(child.Text, "Cannot read \"" + path + "\": " + reason);
  }
  EXPECT_EQ(fifo.Waiting(), 100u);
}

TEST(ReadFileBytes, AFifoWithNoWriterIsRefusedAtOnce) {
  TempDir dir;
  const std::string path = dir.File("fifo.mgs");
  MakeFifo(path);
  // A read that waits for a writer is killed by the alarm and fails here.
  const ChildResult child = RunInChild(
      [&](int out) {
        WriteText(out, ErrorOf([&] { ReadFileBytes(path, 100); }));
        return 0;
      },
      30, false);
  ASSERT_TRUE(child.Finished) << "reading a FIFO with no writer blocked";
  EXPECT_EQ(child.Text, "Cannot read \"" + path + "\": it is a FIFO, not a regular file");
}

TEST(ReadFileBytes, RefusesADeviceNode) {
  TempDir dir;
  // Reading this node gives endless zeros; a reader that opened it would return them.
  if (const std::string why = MakeFullDeviceNode(dir.File("full.mgs")); !why.empty()) GTEST_SKIP() << why;
  std::filesystem::create_symlink("full.mgs", dir.File("to-full.mgs"));
  for (const std::string name : {"full.mgs", "to-full.mgs"}) {
    const std::string path = dir.File(name);
    EXPECT_EQ(ErrorOf([&] { ReadFileBytes(path, 100); }), "Cannot read \"" + path + "\": it is a " +
                                                              (name == "full.mgs" ? "" : "symlink to a ") +
                                                              "character device, not a regular file");
  }
}

TEST(WriteFileAtomically, AFullFileSystemGivesTheSystemsReason) {
  TempDir dir;
  const TinyFileSystem disk(dir.Path() / "disk");
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  const std::string path = disk.File("picture.mgs");
  const Bytes old(3000, 42);
  WriteBytes(path, old);
  // Larger than the whole file system, so the failure comes from the write itself.
  const std::string message = ErrorOf([&] { WriteFileAtomically(path, Bytes(100000, 5)); });
  EXPECT_EQ(message, "Cannot write \"" + path + "\": " + std::strerror(ENOSPC));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(EntriesIn(dir.Path() / "disk"), 1);
}

TEST(WriteFileAtomically, AWritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  TempDir dir;
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                               std::filesystem::perms::group_exec |
                                               std::filesystem::perms::others_read |
                                               std::filesystem::perms::others_exec);
  const std::filesystem::path folder = dir.Path() / "locked";
  std::filesystem::create_directory(folder);
  const Bytes old(500, 3);
  struct Case {
    std::string Name;
    std::filesystem::perms Mode;  // none: no such file
    bool Written;
    std::string Reason;
  } cases[] = {
      {"writable.mgs",
       std::filesystem::perms::all & ~std::filesystem::perms::owner_exec & ~std::filesystem::perms::group_exec &
           ~std::filesystem::perms::others_exec,
       true, ""},
      {"read-only.mgs",
       std::filesystem::perms::owner_read | std::filesystem::perms::group_read | std::filesystem::perms::others_read,
       false, "it is read-only"},
      {"new.mgs", std::filesystem::perms::none, false, std::strerror(EACCES)},
  };
  for (const Case& c : cases) {
    if (c.Mode == std::filesystem::perms::none) continue;
    WriteBytes((folder / c.Name).string(), old);
    std::filesystem::permissions(folder / c.Name, c.Mode);
  }
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                           std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                           std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  // Root writes to any folder, so as root the writes run as nobody in a child.
  const bool asNobody = IsRoot();
  const Bytes next(300, 8);
  for (const Case& c : cases) {
    const std::string path = (folder / c.Name).string();
    const ChildResult child = RunInChild(
        [&](int out) {
          WriteText(out, ErrorOf([&] { WriteFileAtomically(path, next); }));
          return 0;
        },
        0, asNobody);
    ASSERT_TRUE(child.Finished && child.Status == 0) << "the child could not run: status " << child.Status;
    if (c.Written) {
      EXPECT_EQ(child.Text, "") << c.Name;
      EXPECT_EQ(ReadBytes(path), next) << c.Name;
      EXPECT_EQ(std::filesystem::status(path).permissions(), c.Mode) << c.Name;
    } else {
      EXPECT_EQ(child.Text, "Cannot write \"" + path + "\": " + c.Reason) << c.Name;
      if (c.Mode == std::filesystem::perms::none)
        EXPECT_FALSE(std::filesystem::exists(path)) << c.Name;
      else
        EXPECT_EQ(ReadBytes(path), old) << c.Name;
    }
  }
  EXPECT_EQ(EntriesIn(folder), 2);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

TEST(FileNames, BytesThatAreNotUtf8ReachTheSystemUnchanged) {
  TempDir dir;
  const Bytes bytes = {1, 2, 3, 4};
  // With "copy-" the last is as long as a name can be.
  const std::string names[] = {"bad\xff.mgs", "cut\xe2\x82.mgs", "latin\xe9.mgs", std::string(246, 'n') + ".mgs"};
  for (const std::string& name : names) {
    const std::string path = dir.File(name);
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadFileBytes(path, 100), bytes) << path;
    const std::string copy = dir.File("copy-" + name);
    WriteFileAtomically(copy, bytes);
    EXPECT_EQ(ReadBytes(copy), bytes) << copy;
  }
  // Only the eight files named above exist: no name was rewritten on the way.
  EXPECT_EQ(EntriesIn(dir.Path()), 8);
}

// What a killed writer left goes with the next write into its folder, once
// it is a minute old; nothing that is not ours is touched.
TEST(WriteFileAtomically, RemovesOurOwnStaleTemporaryFiles) {
  TempDir dir;
  const struct {
    std::string Name;
    int Age;  // seconds
    bool Stays;
  } cases[] = {
      {".chromaloom-ab12cd", 120, false}, {".chromaloom-ef34gh", 5, true}, {".chromaloom-notes", 120, true},
      {".chromaloom-AB12CD", 120, true},  {"out.mgs.ab12cd", 120, true},   {"other.txt", 120, true},
  };
  for (const auto& c : cases) {
    WriteBytes(dir.File(c.Name), Bytes{1});
    const timespec times[2] = {{::time(nullptr) - c.Age, 0}, {::time(nullptr) - c.Age, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.File(c.Name).c_str(), times, 0), 0);
  }
  WriteFileAtomically(dir.File("out.mgs"), Bytes{2});
  for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(dir.File(c.Name)), c.Stays) << c.Name;
  EXPECT_EQ(EntriesIn(dir.Path()), 6);
}

}  // namespace
}  // namespace chromaloom
