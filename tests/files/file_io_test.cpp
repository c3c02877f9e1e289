#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

#include "files/file_io.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using chromaloom::test_support::ReadBytes;
using chromaloom::test_support::TempDir;
using chromaloom::test_support::WriteBytes;

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

  EXPECT_NE(message.find("Cannot write \"" + path + "\""), std::string::npos) << message;
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

}  // namespace
}  // namespace chromaloom
