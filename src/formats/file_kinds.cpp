#include "formats/file_kinds.h"

#include <stdexcept>
#include <string>

#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/one_screen_format.h"
#include "formats/zx_screen_format.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

ImportedPicture ReadScr(std::span<const std::uint8_t> bytes) { return ReadZxScreen(bytes, false, false); }
ImportedPicture ReadHobetaScr(std::span<const std::uint8_t> bytes) { return ReadZxScreen(bytes, true, false); }
ImportedPicture ReadImg(std::span<const std::uint8_t> bytes) { return ReadZxScreen(bytes, false, true); }
ImportedPicture ReadHobetaImg(std::span<const std::uint8_t> bytes) { return ReadZxScreen(bytes, true, true); }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  const std::string_view tail = name.substr(name.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (AsciiLower(tail[i]) != suffix[i]) return false;
  return true;
}

constexpr const char* MgFilter = "*.mg1/mg2/mg4/mg8 (*.mg1 *.mg2 *.mg4 *.mg8)";

}  // namespace

// The .mg imports read the layout from the header, so one menu item serves
// all four; the .mg2/.mg4/.mg8 writers follow the picture's cell height,
// whatever the name says.
const std::array<FileKindInfo, 25> FileKinds = {{
    {FileKind::Mgs, ".mgs", "native .mgs", "*.mgs (*.mgs)", "*.mgs (*.mgs)", MgsLengthV1, ReadMgs, WriteMgs, nullptr,
     nullptr, 0, false, false},
    {FileKind::Img, ".img", "Gigascreen pair .img", "*.img (*.img)", "*.img (*.img)", ZxScreenFileLength(false, true),
     ReadImg, WriteImg, QT_TRANSLATE_NOOP("FileKinds", "Import from *.img"),
     QT_TRANSLATE_NOOP("FileKinds", "Export to *.img"), 1, false, false},
    {FileKind::HobetaImg, ".$img", "Hobeta Gigascreen pair .$img", "*.$img (*.$img)", nullptr,
     ZxScreenFileLength(true, true), ReadHobetaImg, nullptr, QT_TRANSLATE_NOOP("FileKinds", "Import from *.$img"),
     nullptr, 1, false, false},
    {FileKind::Scr, ".scr", "ZX screen .scr", "*.scr (*.scr)", nullptr, ZxScreenFileLength(false, false), ReadScr,
     nullptr, QT_TRANSLATE_NOOP("FileKinds", "Import from *.scr"), nullptr, 2, false, false},
    {FileKind::HobetaScr, ".$scr", "Hobeta ZX screen .$scr", "*.$scr (*.$scr)", nullptr,
     ZxScreenFileLength(true, false), ReadHobetaScr, nullptr, QT_TRANSLATE_NOOP("FileKinds", "Import from *.$scr"),
     nullptr, 2, false, false},
    // One screen of multicolour, read onto both screens.
    {FileKind::Mlt, ".mlt", "8x1 multicolour screen .mlt", "*.mlt (*.mlt)", "*.mlt (*.mlt)",
     OneScreenReadCap(FileKind::Mlt), ReadOneScreenAs<FileKind::Mlt>, WriteOneScreenAs<FileKind::Mlt>,
     QT_TRANSLATE_NOOP("FileKinds", "Import from *.mlt"), QT_TRANSLATE_NOOP("FileKinds", "Export to *.mlt"), 2, false,
     false},
    {FileKind::Mc, ".mc", "8x1 multicolour screen, lines in order .mc", "*.mc (*.mc)", "*.mc (*.mc)",
     OneScreenReadCap(FileKind::Mc), ReadOneScreenAs<FileKind::Mc>, WriteOneScreenAs<FileKind::Mc>,
     QT_TRANSLATE_NOOP("FileKinds", "Import from *.mc"), QT_TRANSLATE_NOOP("FileKinds", "Export to *.mc"), 2, false,
     false},
    {FileKind::Ifl, ".ifl", "8x2 multicolour screen .ifl", "*.ifl (*.ifl)", "*.ifl (*.ifl)",
     OneScreenReadCap(FileKind::Ifl), ReadOneScreenAs<FileKind::Ifl>, WriteOneScreenAs<FileKind::Ifl>,
     QT_TRANSLATE_NOOP("FileKinds", "Import from *.ifl"), QT_TRANSLATE_NOOP("FileKinds", "Export to *.ifl"), 2, false,
     false},
    {FileKind::Mc4, ".mc4", "8x4 multicolour screen .mc4", "*.mc4 (*.mc4)", "*.mc4 (*.mc4)",
     OneScreenReadCap(FileKind::Mc4), ReadOneScreenAs<FileKind::Mc4>, WriteOneScreenAs<FileKind::Mc4>,
     QT_TRANSLATE_NOOP("FileKinds", "Import from *.mc4"), QT_TRANSLATE_NOOP("FileKinds", "Export to *.mc4"), 2, false,
     false},
    {FileKind::Atr, ".atr", "attributes .atr", "*.atr (*.atr)", "*.atr (*.atr)", OneScreenReadCap(FileKind::Atr),
     ReadOneScreenAs<FileKind::Atr>, WriteOneScreenAs<FileKind::Atr>,
     QT_TRANSLATE_NOOP("FileKinds", "Import from *.atr"), QT_TRANSLATE_NOOP("FileKinds", "Export to *.atr"), 2, false,
     false},
    {FileKind::Mg1, ".mg1", "MultiGigaScreen .mg1", MgFilter, "*.mg1 (*.mg1)", MgMaxLength, ReadMg, WriteMg1,
     QT_TRANSLATE_NOOP("FileKinds", "Import from *.mg1/mg2/mg4/mg8"), QT_TRANSLATE_NOOP("FileKinds", "Export to *.mg1"),
     3, false, false},
    {FileKind::Mg2, ".mg2", "MultiGigaScreen .mg2", MgFilter, "*.mg2 (*.mg2)", MgMaxLength, ReadMg, WriteMg, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Export to *.mg2"), 3, false, false},
    {FileKind::Mg4, ".mg4", "MultiGigaScreen .mg4", MgFilter, "*.mg4 (*.mg4)", MgMaxLength, ReadMg, WriteMg, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Export to *.mg4"), 3, false, false},
    {FileKind::Mg8, ".mg8", "MultiGigaScreen .mg8", MgFilter, "*.mg8 (*.mg8)", MgMaxLength, ReadMg, WriteMg, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Export to *.mg8"), 3, false, false},
    // The picture with our viewer, to run on a Spectrum (a 128K or +2, or a
    // Pentagon 128 with the converter's --pentagon) or in an emulator; written through libspectrum by
    // spectrum/, outside this level.
    {FileKind::Z80, ".z80", "Spectrum snapshot .z80", nullptr, "*.z80 (*.z80)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Snapshot (.z80)..."), 6, false, true},
    {FileKind::Szx, ".szx", "Spectrum snapshot .szx", nullptr, "*.szx (*.szx)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Snapshot (.szx)..."), 6, false, true},
    {FileKind::Tap, ".tap", "128K tape .tap", nullptr, "*.tap (*.tap)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Tape (.tap)..."), 6, false, true},
    // Images: read through Qt by the converter, fitted and converted. BMP
    // and PNG are also written, as bitmaps of the picture.
    {FileKind::Bmp, ".bmp", "Windows bitmap .bmp", nullptr, "*.bmp (*.bmp)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Export to *.BMP"), 4, true, false},
    {FileKind::Png, ".png", "PNG image .png", nullptr, "*.png (*.png)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Export to *.PNG"), 4, true, false},
    {FileKind::Jpg, ".jpg", "JPEG image .jpg", nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 5, true, false},
    {FileKind::Jpeg, ".jpeg", "JPEG image .jpeg", nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 5, true,
     false},
    // GIF and WebP: read as images; written as animations of the two screens (IsAnimatedExport).
    {FileKind::Gif, ".gif", "GIF image .gif", nullptr, "*.gif (*.gif)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Animated GIF..."), 5, true, false},
    {FileKind::Webp, ".webp", "WebP image .webp", nullptr, "*.webp (*.webp)", 0, nullptr, nullptr, nullptr,
     QT_TRANSLATE_NOOP("FileKinds", "Animated WebP..."), 5, true, false},
    {FileKind::Tif, ".tif", "TIFF image .tif", nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 5, true, false},
    {FileKind::Tiff, ".tiff", "TIFF image .tiff", nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 5, true,
     false},
}};

const FileKindInfo& InfoOf(FileKind kind) {
  for (const FileKindInfo& info : FileKinds)
    if (info.Kind == kind) return info;
  throw std::invalid_argument("unknown file kind");
}

const char* FileKindName(FileKind kind) { return InfoOf(kind).Name; }

std::optional<FileKind> FileKindFromName(std::string_view name) {
  for (const FileKindInfo& info : FileKinds)
    if (EndsWithIgnoringCase(name, info.Extension)) return info.Kind;
  return std::nullopt;
}

std::size_t MaxReadLength(FileKind kind) { return InfoOf(kind).ReadCap; }

bool IsBitmapExport(FileKind kind) {
  const FileKindInfo& info = InfoOf(kind);
  return info.ExportCaption != nullptr && info.Write == nullptr && !info.SpectrumProgram;
}

bool IsAnimatedExport(FileKind kind) {
  return (kind == FileKind::Gif || kind == FileKind::Webp) && IsBitmapExport(kind);
}

ImportedPicture ReadPictureFile(FileKind kind, std::span<const std::uint8_t> bytes) {
  const FileKindInfo& info = InfoOf(kind);
  if (!info.Read) throw std::invalid_argument(std::string("chromaLoom does not read ") + info.Name + " files");
  return info.Read(bytes);
}

std::optional<std::vector<std::uint8_t>> WritePictureFile(const Picture& picture, FileKind kind, int screen) {
  const FileKindInfo& info = InfoOf(kind);
  if (!info.Write) return std::nullopt;
  if (screen != 0 && screen != 1) throw std::invalid_argument("a picture has screens 0 and 1 only");
  if (HoldsOneScreen(kind) && screen == 1) {
    // Its writer writes screen 0.
    Picture shown = picture;
    shown.Pixels[0] = picture.Pixels[1];
    shown.Attrs[0] = picture.Attrs[1];
    return info.Write(shown);
  }
  return info.Write(picture);
}

}  // namespace chromaloom
