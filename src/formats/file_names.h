// File-name rules shared by every reader and writer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "formats/file_kinds.h"

namespace chromaloom {

// Appends ext (".mgs" etc.) when name is longer than 4 characters and does not
// already end in exactly ext (case-sensitive); otherwise returns name unchanged.
std::string ForceExtension(const std::string& name, const std::string& ext);

// What the emulator preview writes into the "zxview" folder and starts there.
struct EmulatorPreview {
  std::string ImageName;                       // "image.z80": the viewer with the picture, for every cell height
  std::string LauncherName;                    // "view8x1.sh" ...
  FileKind Kind = FileKind::Z80;               // the snapshot written
  std::string RomName = "chromaloom-128.rom";  // our own ROM, which the emulator needs to start
};
std::optional<EmulatorPreview> EmulatorPreviewFor(int cellHeight);

}  // namespace chromaloom
