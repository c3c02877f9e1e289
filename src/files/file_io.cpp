#include "files/file_io.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Plain system calls throughout: a path goes to the system byte for byte
// (Qt would turn a name that is not UTF-8 into another name), and every
// failure carries the system's own reason.
namespace chromaloom {

namespace {

// Links are followed by hand no further than the system would go.
constexpr int MaxLinkHops = 40;

std::string SystemReason(int error) { return std::generic_category().message(error); }

[[noreturn]] void Fail(const char* verb, const std::string& path, const std::string& why) {
  const bool reading = std::string_view(verb) == "read";
  throw FileError(UserText::Of(reading ? QT_TRANSLATE_NOOP("Messages", "Cannot read %1: %2")
                                       : QT_TRANSLATE_NOOP("Messages", "Cannot write %1: %2"),
                               {QuotedName(path), why}));
}

const char* KindName(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
}

std::string NotRegularReason(mode_t mode, bool throughLink) {
  return std::string("it is ") + (throughLink ? "a symlink to " : "") + KindName(mode) + ", not a regular file";
}

// What is at path after following links: its stat, or nullopt when nothing
// is there. Anything that is there and is not a regular file is refused.
std::optional<struct stat> ExistingRegularFile(const char* verb, const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    if (error == ELOOP) Fail(verb, path, "it is a symlink loop");
    if (error == ENOENT) return std::nullopt;
    Fail(verb, path, SystemReason(error));
  }
  if (!S_ISREG(st.st_mode)) {
    struct stat link {};
    const bool throughLink = ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    Fail(verb, path, NotRegularReason(st.st_mode, throughLink));
  }
  return st;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closing can be the first report of a failed write.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The name the bytes really go to: links followed, so a link stays a link.
std::string FinalName(const std::string& path) {
  std::filesystem::path name(path);
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    struct stat link {};
    if (::lstat(name.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return name.string();
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(name, error);
    if (error) Fail("write", path, error.message());
    name = target.is_absolute() ? target : name.parent_path() / target;
  }
  Fail("write", path, "it is a symlink loop");
}

// Temporary files are ".chromaloom-" and six of these: short, so a name of
// any legal length has room beside it, and plain to see in a folder.
constexpr std::string_view TemporaryPrefix = ".chromaloom-";
constexpr std::string_view TemporaryDigits = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t TemporaryDigitCount = 6;

bool IsTemporaryName(std::string_view name) {
  return name.size() == TemporaryPrefix.size() + TemporaryDigitCount && name.starts_with(TemporaryPrefix) &&
         name.find_first_not_of(TemporaryDigits, TemporaryPrefix.size()) == std::string_view::npos;
}

std::string FolderOf(const std::string& finalName) {
  const std::filesystem::path folder = std::filesystem::path(finalName).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

// A fresh name in the folder; O_EXCL makes sure it is not someone else's.
std::string TemporaryName(const std::string& folder, unsigned attempt) {
  // splitmix64 of the time, the process and the attempt.
  std::uint64_t bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                       (static_cast<std::uint64_t>(::getpid()) << 32) ^ attempt;
  bits += 0x9E3779B97F4A7C15u;
  bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9u;
  bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBu;
  bits ^= bits >> 31;
  std::string name = folder + "/" + std::string(TemporaryPrefix);
  for (std::size_t i = 0; i < TemporaryDigitCount; ++i, bits /= TemporaryDigits.size())
    name += TemporaryDigits[bits % TemporaryDigits.size()];
  return name;
}

// A writer killed part way leaves its temporary file; ours, a minute old and
// still a plain file, are removed. Anything that fails here is left alone.
void RemoveStaleTemporaryFiles(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const time_t cutoff = ::time(nullptr) - 60;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_mtime < cutoff)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// No write permission for anyone: even root should not replace it.
// Otherwise the system decides, except that root may write any file.
bool IsReadOnly(const std::string& finalName, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::access(finalName.c_str(), W_OK) != 0 && errno == EACCES;
}

// Moves all of bytes from the file's start with pread or pwrite; 0, or the
// errno of the step that failed.
template <typename Byte, typename Transfer>
int TransferAt(int fd, std::span<Byte> bytes, Transfer transfer) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = transfer(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int WriteAt(int fd, std::span<const std::uint8_t> bytes) { return TransferAt(fd, bytes, ::pwrite); }
int ReadAt(int fd, std::vector<std::uint8_t>& bytes) { return TransferAt(fd, std::span(bytes), ::pread); }

int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  if (const int error = WriteAt(fd, bytes)) return error;
  // A full disk or a failing device may only show here; a file system that cannot sync says EINVAL.
  if (::fsync(fd) != 0 && errno != EINVAL) return errno;
  return 0;
}

// Only when the folder cannot take a temporary file. The size limit and
// the disk space are checked before the first byte changes, and should a
// write still fail the old bytes are put back; only a kill part way can
// leave the file damaged.
void WriteInPlace(const std::string& path, const std::string& finalName, std::span<const std::uint8_t> bytes) {
  Descriptor file(::open(finalName.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) Fail("write", path, SystemReason(errno));
  struct stat st {};
  if (::fstat(file.Get(), &st) != 0) Fail("write", path, SystemReason(errno));
  if (!S_ISREG(st.st_mode)) Fail("write", path, NotRegularReason(st.st_mode, finalName != path));
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && bytes.size() > limit.rlim_cur)
    Fail("write", path, SystemReason(EFBIG));
  std::vector<std::uint8_t> old(static_cast<std::size_t>(st.st_size));
  if (const int error = ReadAt(file.Get(), old)) Fail("write", path, SystemReason(error));
  if (bytes.size() > old.size()) {
    // File systems that cannot reserve space say so; they are written as before.
    const int error = ::posix_fallocate(file.Get(), 0, static_cast<off_t>(bytes.size()));
    if (error != 0 && error != EOPNOTSUPP && error != EINVAL && error != ENOSYS) {
      static_cast<void>(::ftruncate(file.Get(), st.st_size));
      Fail("write", path, SystemReason(error));
    }
  }
  int error = WriteAt(file.Get(), bytes);
  if (error == 0 && ::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error == 0 && ::fsync(file.Get()) != 0 && errno != EINVAL) error = errno;
  if (error != 0) {
    static_cast<void>(WriteAt(file.Get(), old));
    static_cast<void>(::ftruncate(file.Get(), st.st_size));
    static_cast<void>(::fsync(file.Get()));
    Fail("write", path, SystemReason(error));
  }
  if (const int closeError = file.Close()) Fail("write", path, SystemReason(closeError));
}

}  // namespace

std::string QuotedName(std::string_view name) {
  static constexpr char Hex[] = "0123456789abcdef";
  std::string shown = "\"";
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    // C1 controls in UTF-8 (U+0080..U+009F) act as escapes on some terminals.
    const bool c1 = c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) < 0xA0 &&
                    static_cast<unsigned char>(name[i + 1]) >= 0x80;
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c < 0x20 || c == 0x7F || c1) {
      for (std::size_t k = 0; k < (c1 ? 2u : 1u); ++k) {
        const auto b = static_cast<unsigned char>(name[i + k]);
        shown += std::string("\\x") + Hex[b >> 4] + Hex[b & 15];
      }
      i += c1 ? 1 : 0;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown + "\"";
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  if (!ExistingRegularFile("read", path)) Fail("read", path, SystemReason(ENOENT));
  // O_NONBLOCK: should the name become a FIFO before the open, the open
  // still returns and the check below refuses it.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) Fail("read", path, SystemReason(errno));
  struct stat st {};
  if (::fstat(file.Get(), &st) != 0) Fail("read", path, SystemReason(errno));
  if (!S_ISREG(st.st_mode)) Fail("read", path, NotRegularReason(st.st_mode, false));
  std::vector<std::uint8_t> bytes(maxBytes);
  std::size_t total = 0;
  // read() may return less than asked before the end of the file.
  while (total < maxBytes) {
    const ssize_t n = ::read(file.Get(), bytes.data() + total, maxBytes - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("read", path, SystemReason(errno));
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
  }
  bytes.resize(total);
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) Fail("write", path, "no file name given");
  const std::optional<struct stat> existing = ExistingRegularFile("write", path);
  const std::string finalName = FinalName(path);
  if (existing && IsReadOnly(finalName, *existing)) Fail("write", path, "it is read-only");
  const std::string folder = FolderOf(finalName);

  int fd = -1;
  std::string temporary;
  for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = TemporaryName(folder, attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    const int error = errno;
    // A writable file in a folder that takes no new files can still be saved.
    if ((error == EACCES || error == EPERM) && existing) return WriteInPlace(path, finalName, bytes);
    Fail("write", path, SystemReason(error));
  }
  Descriptor file(fd);
  // The new file keeps the old one's permissions; a new name gets 0666 less the umask from open().
  if (existing) ::fchmod(fd, existing->st_mode & 07777);
  int error = WriteAll(fd, bytes);
  if (const int closeError = file.Close(); error == 0) error = closeError;
  if (error == 0 && ::rename(temporary.c_str(), finalName.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    Fail("write", path, SystemReason(error));
  }
  RemoveStaleTemporaryFiles(folder);
}

}  // namespace chromaloom
