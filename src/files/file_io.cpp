#include "files/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace chromaloom {

namespace {
QString ToQString(const std::string& s) { return QString::fromStdString(s); }

[[noreturn]] void Fail(const char* verb, const std::string& path, const QString& why) {
  throw FileError(std::string("Cannot ") + verb + " \"" + path + "\": " + why.toStdString());
}
}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  const QString name = ToQString(path);
  if (QFileInfo(name).isDir()) Fail("read", path, QStringLiteral("it is a folder"));
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) Fail("read", path, file.errorString());
  std::vector<std::uint8_t> bytes(maxBytes);
  qint64 total = 0;
  // read() may return less than asked before the end of the file.
  while (static_cast<std::size_t>(total) < maxBytes) {
    const qint64 n = file.read(reinterpret_cast<char*>(bytes.data()) + total, static_cast<qint64>(maxBytes) - total);
    if (n < 0) Fail("read", path, file.errorString());
    if (n == 0) break;
    total += n;
  }
  bytes.resize(static_cast<std::size_t>(total));
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) Fail("write", path, file.errorString());
  // commit() alone can report success after a short write or a failed
  // flush, so every step is checked and the temporary file dropped on failure.
  const qint64 size = static_cast<qint64>(bytes.size());
  const qint64 written = file.write(reinterpret_cast<const char*>(bytes.data()), size);
  if (written != size || !file.flush() || file.error() != QFileDevice::NoError) {
    const QString why = file.errorString();
    file.cancelWriting();
    Fail("write", path, why);
  }
  if (!file.commit()) Fail("write", path, file.errorString());
}

}  // namespace chromaloom
