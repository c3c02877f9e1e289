#include "app/converter.h"

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "files/file_io.h"
#include "formats/bmp_format.h"
#include "formats/file_kinds.h"
#include "formats/format_error.h"
#include "picture/document.h"
#include "render/picture_bitmap.h"

#ifndef CHROMALOOM_VERSION
#define CHROMALOOM_VERSION "0.91"
#endif

namespace chromaloom {

namespace {

// The extensions of every kind read, or written (by a writer of its own or an export), from the table.
std::string ExtensionsOf(bool written) {
  std::string list;
  for (const FileKindInfo& info : FileKinds) {
    const bool listed = written ? (info.Write != nullptr || info.ExportCaption != nullptr) : info.Read != nullptr;
    if (listed) list += (list.empty() ? "" : " ") + std::string(info.Extension);
  }
  return list;
}

std::string Usage() {
  return "Usage: chromaloom-convert [--mode 8|4|2|1] [--border I,J] [--bmp-size N] INPUT OUTPUT\n"
         "       chromaloom-convert --info INPUT\n"
         "       chromaloom-convert --help | --version\n"
         "\n"
         "Converts ZX Spectrum Gigascreen and MultiGigaScreen pictures the way the\n"
         "chromaLoom editor imports and exports them.\n"
         "\n"
         "  --mode H       change the char size to 8x H after reading (8, 4, 2 or 1)\n"
         "  --border I,J   choose border swatch column I (0..8), row J (0..2)\n"
         "  --bmp-size N   bitmap size 1..9 (default 1, 256 x 192 without border)\n"
         "  --info         print the format, char mode, border pair and size of INPUT\n"
         "\n"
         "Reads:  " + ExtensionsOf(false) + " (by extension, any case)\n"
         "Writes: " + ExtensionsOf(true) + "\n";
}

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Options {
  bool Help = false;
  bool Version = false;
  bool Info = false;
  std::optional<int> Mode;
  std::optional<BorderChoice> Border;
  int BmpSize = 1;
  std::vector<std::string> Files;
};

int ParseInt(const std::string& text, const std::string& option) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw UsageError(option + " needs a number, not \"" + text + "\"");
  return value;
}

Options ParseArgs(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> value;
    if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    auto takeValue = [&]() -> std::string {
      if (value) return *value;
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--version") {
      options.Version = true;
    } else if (arg == "--info") {
      options.Info = true;
    } else if (arg == "--mode") {
      const int mode = ParseInt(takeValue(), arg);
      if (!IsValidCharMode(mode)) throw UsageError("--mode must be 8, 4, 2 or 1");
      options.Mode = mode;
    } else if (arg == "--border") {
      const std::string text = takeValue();
      const auto comma = text.find(',');
      if (comma == std::string::npos) throw UsageError("--border needs I,J");
      const int column = ParseInt(text.substr(0, comma), arg);
      const int row = ParseInt(text.substr(comma + 1), arg);
      if (column < 0 || column >= BorderColumns || row < 0 || row >= BorderRows)
        throw UsageError("--border needs I in 0..8 and J in 0..2");
      options.Border = BorderChoice{column, row};
    } else if (arg == "--bmp-size") {
      options.BmpSize = ParseInt(takeValue(), arg);
      if (options.BmpSize < 1 || options.BmpSize > static_cast<int>(BitmapSizes.size()))
        throw UsageError("--bmp-size must be 1..9");
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg);
    } else {
      options.Files.push_back(arg);
    }
  }
  return options;
}

FileKind KindOf(const std::string& path) {
  const auto kind = FileKindFromName(path);
  if (!kind) throw UsageError("\"" + path + "\" has no extension chromaLoom knows");
  return *kind;
}

// Writes exactly as the editor's Save and Export commands do.
std::vector<std::uint8_t> Export(const Picture& picture, FileKind kind, int bmpSize, const std::string& path) {
  if (kind == FileKind::Bmp) return WriteBmp(RenderBitmap(picture, bmpSize - 1));
  if (auto bytes = WritePictureFile(picture, kind)) return std::move(*bytes);
  throw UsageError(std::string("chromaLoom does not write ") + FileKindName(kind) + " files: \"" + path + "\"");
}

// Returns the bytes read; a rejected file names itself in the error.
std::vector<std::uint8_t> LoadFile(Document& document, const std::string& path, FileKind kind) {
  if (!InfoOf(kind).Read) throw UsageError("chromaLoom does not read bitmaps: \"" + path + "\"");
  auto bytes = ReadFileBytes(path, MaxReadLength(kind));
  try {
    const ImportedPicture imported = ReadPictureFile(kind, bytes);
    document.Replace(imported.Planes, imported.CharMode, imported.Border);
  } catch (const FormatError& e) {
    throw FileError("\"" + path + "\": " + e.what());
  }
  return bytes;
}

std::string ModeName(int h) { return "8x" + std::to_string(h); }

void PrintInfo(const std::string& path, std::ostream& out) {
  const FileKind kind = KindOf(path);
  Document document;
  const auto bytes = LoadFile(document, path, kind);
  const Picture& picture = document.Picture();
  out << "file: " << path << "\n";
  out << "format: " << FileKindName(kind) << "\n";
  out << "char mode: " << ModeName(picture.CharMode) << "\n";
  if (kind == FileKind::Mgs && bytes[3] >= 1) {
    const BorderPair stored{bytes[5], bytes[6]};
    out << "border pair: " << stored.Screen0 << "," << stored.Screen1;
    if (const auto choice = FindBorderChoice(stored))
      out << " (swatch " << choice->Column << "," << choice->Row << ")\n";
    else
      out << " (not in the border table; the border stays as it was)\n";
  } else {
    out << "border pair: none stored\n";
  }
  out << "size: " << PictureWidth << " x " << PictureHeight << " pixels, " << bytes.size() << " bytes read\n";
}

}  // namespace

int RunConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const Options options = ParseArgs(args);
    if (options.Help) {
      out << Usage();
      return ExitOk;
    }
    if (options.Version) {
      out << "chromaloom-convert " << CHROMALOOM_VERSION << "\n";
      return ExitOk;
    }
    if (options.Info) {
      if (options.Files.size() != 1) throw UsageError("--info takes one INPUT");
      PrintInfo(options.Files[0], out);
      return ExitOk;
    }
    if (options.Files.size() != 2) throw UsageError("expected INPUT and OUTPUT");
    const std::string& input = options.Files[0];
    const std::string& output = options.Files[1];
    const FileKind inputKind = KindOf(input);
    const FileKind outputKind = KindOf(output);

    Document document;
    LoadFile(document, input, inputKind);
    if (options.Mode) document.SetCellHeight(*options.Mode);
    if (options.Border) document.SetBorderChoice(options.Border->Column, options.Border->Row);
    WriteFileAtomically(output, Export(document.Picture(), outputKind, options.BmpSize, output));
    return ExitOk;
  } catch (const UsageError& e) {
    err << "chromaloom-convert: " << e.what() << " (see --help)\n";
    return ExitUsage;
  } catch (const std::exception& e) {
    err << "chromaloom-convert: " << e.what() << "\n";
    return ExitFailed;
  }
}

}  // namespace chromaloom
