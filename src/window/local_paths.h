// File names as the editor holds them (QString) and as the system takes
// them (bytes). Qt turns bytes that are not UTF-8 into U+FFFD, so a file so
// named could be neither opened nor saved again; here such a name keeps its
// bytes above 0x7F as lone surrogates U+DC80..U+DCFF, which turn back into
// the same bytes.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

namespace chromaloom {

QString PathFromBytes(std::string_view bytes);
std::string PathBytes(const QString& path);

// The file names of a command line, argv[1] on.
QStringList PathArguments(int argc, const char* const* argv);

}  // namespace chromaloom
