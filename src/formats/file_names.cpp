#include "formats/file_names.h"

#include <algorithm>
#include <array>

#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"

namespace chromaloom {

namespace {

// Names are UTF-8: a character starts at every byte that is not a continuation byte.
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

struct KindInfo {
  FileKind Kind;
  std::string_view Extension;  // lower case, with the dot
  const char* Name;
};

constexpr std::array<KindInfo, 10> Kinds = {{
    {FileKind::Mgs, ".mgs", "native .mgs"},
    {FileKind::Scr, ".scr", "ZX screen .scr"},
    {FileKind::HobetaScr, ".$scr", "Hobeta ZX screen .$scr"},
    {FileKind::Img, ".img", "Gigascreen pair .img"},
    {FileKind::HobetaImg, ".$img", "Hobeta Gigascreen pair .$img"},
    {FileKind::Mg1, ".mg1", "MultiGigaScreen .mg1"},
    {FileKind::Mg2, ".mg2", "MultiGigaScreen .mg2"},
    {FileKind::Mg4, ".mg4", "MultiGigaScreen .mg4"},
    {FileKind::Mg8, ".mg8", "MultiGigaScreen .mg8"},
    {FileKind::Bmp, ".bmp", "Windows bitmap .bmp"},
}};

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  const std::string_view tail = name.substr(name.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (AsciiLower(tail[i]) != suffix[i]) return false;
  return true;
}

}  // namespace

std::string ForceExtension(const std::string& name, const std::string& ext) {
  // Step back over the last 4 characters; a character before them makes the name longer than 4.
  std::size_t tail = name.size();
  for (int characters = 0; tail > 0 && characters < 4;)
    if (StartsCharacter(name[--tail])) ++characters;
  const bool longer = std::any_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(tail), StartsCharacter);
  if (!longer || std::string_view(name).substr(tail) == ext) return name;
  return name + ext;
}

std::optional<FileKind> FileKindFromName(std::string_view name) {
  for (const KindInfo& info : Kinds)
    if (EndsWithIgnoringCase(name, info.Extension)) return info.Kind;
  return std::nullopt;
}

const char* FileKindName(FileKind kind) {
  for (const KindInfo& info : Kinds)
    if (info.Kind == kind) return info.Name;
  return "unknown file kind";
}

std::size_t MaxReadLength(FileKind kind) {
  switch (kind) {
    case FileKind::Mgs: return MgsLengthV1;
    case FileKind::Scr: return ZxScreenFileLength(false, false);
    case FileKind::HobetaScr: return ZxScreenFileLength(true, false);
    case FileKind::Img: return ZxScreenFileLength(false, true);
    case FileKind::HobetaImg: return ZxScreenFileLength(true, true);
    case FileKind::Mg1:
    case FileKind::Mg2:
    case FileKind::Mg4:
    case FileKind::Mg8: return MgMaxLength;
    case FileKind::Bmp: return 0;  // written only
  }
  return 0;
}

std::optional<EmulatorPreview> EmulatorPreviewFor(int charMode) {
  switch (charMode) {
    case 1: return EmulatorPreview{"image.mg1", "view8x1.sh", FileKind::Mg1};
    case 2: return EmulatorPreview{"image.mg2", "view8x2.sh", FileKind::Mg2};
    case 4: return EmulatorPreview{"image.mg4", "view8x4.sh", FileKind::Mg4};
    case 8: return EmulatorPreview{"image.mg8", "view8x8.sh", FileKind::Mg8};
    default: return std::nullopt;
  }
}

}  // namespace chromaloom
