// File-name rules shared by every reader and writer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace chromaloom {

// Appends ext (".mgs" etc.) when name is longer than 4 characters and does not
// already end in exactly ext (case-sensitive); otherwise returns name unchanged.
std::string ForceExtension(const std::string& name, const std::string& ext);

enum class FileKind { Mgs, Scr, HobetaScr, Img, HobetaImg, Mg1, Mg2, Mg4, Mg8, Bmp };

// From the extension, case-insensitive; nullopt for any other name.
std::optional<FileKind> FileKindFromName(std::string_view name);
const char* FileKindName(FileKind kind);
// How many bytes a reader of this kind ever looks at (the read cap).
std::size_t MaxReadLength(FileKind kind);

// What the emulator preview writes into the "zxview" folder and starts there.
struct EmulatorPreview {
  std::string ImageName;     // "image.mg1" ...
  std::string LauncherName;  // "view8x1.sh" ...
  FileKind Kind = FileKind::Mg8;  // the MultiGigaScreen layout written
};
std::optional<EmulatorPreview> EmulatorPreviewFor(int charMode);

}  // namespace chromaloom
