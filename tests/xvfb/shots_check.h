// What the screenshot checks of the Flicker window and of Fuse share: the
// picture named on their command line and their verdict over all shots.
#pragma once

#include <cstdio>
#include <optional>

#include "files/file_io.h"
#include "formats/mgs_format.h"
#include "picture/document.h"

namespace chromaloom::test_support {

// The .mgs at path, or nothing after a message on stderr.
inline std::optional<Picture> ReadShotsPicture(const char* path) {
  Document document;
  try {
    const ImportedPicture read = ReadMgs(ReadFileBytes(path, MgsLengthV1 + 1024));
    Change change(document, "Import");
    change.Replace(read.Planes, read.CellHeight, read.Border);
    change.Commit();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", path, error.what());
    return std::nullopt;
  }
  return document.Picture();
}

// Counts of shots showing screen 0, screen 1 and neither: every shot must
// show one of them, and both must appear. The exit status of the check.
inline int ShotsVerdict(const int (&seen)[3]) {
  std::printf("screen 0: %d, screen 1: %d, neither: %d\n", seen[0], seen[1], seen[2]);
  return seen[2] == 0 && seen[0] > 0 && seen[1] > 0 ? 0 : 1;
}

}  // namespace chromaloom::test_support
