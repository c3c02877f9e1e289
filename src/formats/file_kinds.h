// Every file kind chromaLoom knows, in one table: its extension, what the
// menus and dialogs call it, how much of it is ever read, its reader and its
// writer. Open, the imports and exports, the dialogs, drops and the converter
// all read this table; a new kind is one row and one reader/writer pair.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "formats/imported_picture.h"
#include "picture/picture.h"

namespace chromaloom {

enum class FileKind {
  Mgs,
  Img,
  HobetaImg,
  Scr,
  HobetaScr,
  Mlt,
  Mc,
  Ifl,
  Mc4,
  Atr,
  Mg1,
  Mg2,
  Mg4,
  Mg8,
  Z80,
  Szx,
  Tap,
  Bmp,
  Png,
  Jpg,
  Jpeg,
  Gif,
  Webp,
  Tif,
  Tiff
};

using PictureReader = ImportedPicture (*)(std::span<const std::uint8_t> bytes);
using PictureWriter = std::vector<std::uint8_t> (*)(const Picture& picture);

struct FileKindInfo {
  FileKind Kind;
  std::string_view Extension;  // lower case, with the dot
  const char* Name;            // in messages and the converter's --info
  const char* OpenFilter;      // Qt name filter of the dialog that reads it; nullptr: never read
  const char* SaveFilter;      // Qt name filter of the dialog that writes it; nullptr: never written
  std::size_t ReadCap;         // the most bytes its reader looks at
  PictureReader Read;          // nullptr: never read
  PictureWriter Write;         // nullptr: not written from the picture alone (a bitmap export, when exported)
  const char* ImportCaption;   // its item in File > Import; nullptr: none
  const char* ExportCaption;   // its item in File > Export; nullptr: none
  int MenuGroup;               // a separator stands between items of different groups
  bool Image;                  // an image of any size the converter turns into a picture (no picture reader)
  bool SpectrumProgram;        // the picture with our viewer for a Spectrum, written by spectrum/
};

// In menu order.
extern const std::array<FileKindInfo, 25> FileKinds;

const FileKindInfo& InfoOf(FileKind kind);
const char* FileKindName(FileKind kind);
// From the extension, case-insensitive; nullopt for any other name.
std::optional<FileKind> FileKindFromName(std::string_view name);
// How many bytes a reader of this kind ever looks at; 0 for kinds never read.
std::size_t MaxReadLength(FileKind kind);
// Exported as a bitmap of the picture at a chosen size (BMP, PNG, and the
// animated GIF and WebP), not by a writer of its own; the bytes come from files/.
bool IsBitmapExport(FileKind kind);
// A bitmap export written as an animation (GIF, WebP): the two screens alternating
// at 50 Hz, each alone in its own border colour, instead of the mixed picture.
bool IsAnimatedExport(FileKind kind);

// The whole file is checked first: a bad one throws FormatError. A kind
// that is never read throws std::invalid_argument.
ImportedPicture ReadPictureFile(FileKind kind, std::span<const std::uint8_t> bytes);
// nullopt for kinds written from something else (bitmaps, Spectrum programs).
// EncodeFile (spectrum/file_encoding.h) writes every kind, these included.
// A kind that holds one screen (HoldsOneScreen) takes screen, 0 or 1.
std::optional<std::vector<std::uint8_t>> WritePictureFile(const Picture& picture, FileKind kind, int screen = 0);

}  // namespace chromaloom
