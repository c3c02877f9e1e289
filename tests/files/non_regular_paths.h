// Paths chromaLoom must refuse to read from or write over (FIFOs, sockets,
// device nodes, links to them), each made inside a test's own temporary
// folder, and a small file system and a child process to make a read block
// or a write fail for real.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace chromaloom::test_support {

inline bool IsRoot() { return ::geteuid() == 0; }

inline void MakeFifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0) << std::strerror(errno); }

// A character device node numbered like Linux's full device (1, 7), so
// reading it gives zeros and writing it fails with ENOSPC. Returns why it
// could not be made (not root, or nodes not allowed here), else empty.
inline std::string MakeFullDeviceNode(const std::string& path) {
  if (!IsRoot()) return "making a device node needs root";
  if (::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0)
    return std::string("cannot make a device node here: ") + std::strerror(errno);
  return {};
}

// A bound Unix socket; closing the descriptor leaves the name on disk.
inline void MakeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0) << std::strerror(errno);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(address.sun_path));
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  const int error = errno;
  ::close(fd);
  ASSERT_EQ(bound, 0) << std::strerror(error);
}

// What lstat sees: the entry itself, never what a link points at.
struct Entry {
  mode_t Type = 0;
  dev_t Device = 0;
  std::string LinkText;
  bool operator==(const Entry&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Entry& e) {
  return out << "type 0" << std::oct << e.Type << std::dec << ", device " << e.Device << ", link \"" << e.LinkText
             << "\"";
}

inline Entry EntryAt(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return {};
  Entry entry{st.st_mode & S_IFMT, S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? st.st_rdev : 0, {}};
  if (S_ISLNK(st.st_mode)) entry.LinkText = std::filesystem::read_symlink(path).string();
  return entry;
}

inline int EntriesIn(const std::filesystem::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

// A tmpfs of a few pages mounted on a fresh folder, unmounted afterwards.
// Only root may mount; Reason() says why there is none.
class TinyFileSystem {
 public:
  explicit TinyFileSystem(const std::filesystem::path& folder, const char* size = "size=64k") : folder_(folder) {
    if (!IsRoot()) {
      reason_ = "mounting a small file system needs root";
      return;
    }
    std::filesystem::create_directories(folder_);
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, size) != 0) {
      reason_ = std::string("cannot mount a small tmpfs here: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~TinyFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  TinyFileSystem(const TinyFileSystem&) = delete;
  TinyFileSystem& operator=(const TinyFileSystem&) = delete;
  bool Mounted() const { return mounted_; }
  const std::string& Reason() const { return reason_; }
  std::string File(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string reason_;
};

// A FIFO with bytes waiting and a writer that keeps it open: a reader that
// opened it would read the bytes instead of refusing.
class FilledFifo {
 public:
  FilledFifo(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    MakeFifo(path);
    fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    EXPECT_GE(fd_, 0) << std::strerror(errno);
    EXPECT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  ~FilledFifo() { ::close(fd_); }
  FilledFifo(const FilledFifo&) = delete;
  FilledFifo& operator=(const FilledFifo&) = delete;
  // What is still waiting in the FIFO.
  std::size_t Waiting() const {
    int n = 0;
    ::ioctl(fd_, FIONREAD, &n);
    return static_cast<std::size_t>(n);
  }

 private:
  int fd_ = -1;
};

struct ChildResult {
  bool Finished = false;  // false: killed, e.g. by the alarm of a call that blocked
  int Status = -1;
  std::string Text;  // what the child wrote to its pipe
};

// Runs action in a forked child and returns its exit status and what it
// wrote to the descriptor it was given. alarmSeconds > 0 kills a child that
// never returns, so a read that blocks fails the test instead of hanging it.
// With asNobody (root only) the child first becomes user and group 65534,
// for whom folder permissions count.
inline ChildResult RunInChild(const std::function<int(int out)>& action, unsigned alarmSeconds, bool asNobody) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    if (alarmSeconds > 0) ::alarm(alarmSeconds);
    if (asNobody && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(125);
    ::_exit(action(fds[1]));
  }
  ::close(fds[1]);
  ChildResult result;
  char buffer[512];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    result.Text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.Finished = WIFEXITED(status);
  result.Status = result.Finished ? WEXITSTATUS(status) : -1;
  return result;
}

inline void WriteText(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace chromaloom::test_support
