#include "window/local_paths.h"

#include <QUtf8StringView>

namespace chromaloom {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool IsEscapedByte(const QString& path, qsizetype i) {
  const char16_t unit = path[i].unicode();
  return unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF && !(i > 0 && path[i - 1].isHighSurrogate());
}

}  // namespace

// A name that is not UTF-8 as a whole keeps every byte above 0x7F escaped:
// it shows oddly, but it opens and saves as itself.
QString PathFromBytes(std::string_view bytes) {
  if (QUtf8StringView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8())
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString path;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    path += b < 0x80 ? QChar(b) : QChar(static_cast<char16_t>(EscapeBase + b));
  }
  return path;
}

std::string PathBytes(const QString& path) {
  std::string bytes;
  qsizetype start = 0;
  for (qsizetype i = 0; i < path.size(); ++i) {
    if (!IsEscapedByte(path, i)) continue;
    bytes += path.sliced(start, i - start).toStdString();
    bytes += static_cast<char>(path[i].unicode() - EscapeBase);
    start = i + 1;
  }
  return bytes + path.sliced(start).toStdString();
}

QStringList PathArguments(int argc, const char* const* argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << PathFromBytes(argv[i]);
  return args;
}

}  // namespace chromaloom
