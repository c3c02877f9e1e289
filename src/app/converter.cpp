#include "app/converter.h"

#include <cstdint>
#include <iomanip>
#include <new>
#include <stdexcept>

#include <QTranslator>

#include "app/command_line_language.h"
#include "app/converter_options.h"
#include "convert/image_fitting.h"
#include "files/animations.h"
#include "files/file_io.h"
#include "files/image_files.h"
#include "formats/file_kinds.h"
#include "formats/format_error.h"
#include "formats/mixing_profile_file.h"
#include "formats/one_screen_format.h"
#include "picture/document.h"
#include "picture/translated_text.h"
#include "render/picture_bitmap.h"
#include "spectrum/file_encoding.h"
#include "spectrum/spectrum_files.h"

#ifndef CHROMALOOM_VERSION
#define CHROMALOOM_VERSION "0.91"
#endif

namespace chromaloom {

namespace {

FileKind KindOf(const std::string& path) {
  const auto kind = FileKindFromName(path);
  if (!kind)
    throw UsageError(QT_TRANSLATE_NOOP("Messages", "%1 has no extension chromaLoom knows"), {QuotedName(path)});
  return *kind;
}

// A profile by its name, a model's levels (any value with a comma), else
// read from the file the value names.
MixingProfile LoadMixing(const std::string& value) {
  if (auto named = MixingNamed(value)) return *named;
  if (value.find(',') != std::string::npos) {
    try {
      return LevelsMixing(value);
    } catch (const std::invalid_argument& e) {
      throw UsageError(QT_TRANSLATE_NOOP("Messages", "--mixing %1: %2"), {value, TextOf(e)});
    }
  }
  const auto bytes = ReadFileBytes(value, MaxMixingProfileLength + 1);
  try {
    return ReadMixingProfile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), value);
  } catch (const FormatError& e) {
    throw FileError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "%1: %2"), {QuotedName(value), e.Text()}));
  }
}

// Writes exactly as the editor's Save and Export commands do.
std::vector<std::uint8_t> Export(const Picture& picture, FileKind kind, int bmpSize, const MixingProfile& mixing,
                                 int screen, bool pentagon, const std::string& path) {
  if (pentagon) return WriteSnapshot(picture, kind, ZxMachine::Pentagon128);
  if (IsAnimatedExport(kind)) return EncodeAnimation(RenderScreenBitmaps(picture, bmpSize - 1), kind);
  if (IsBitmapExport(kind)) return EncodeBitmap(RenderBitmap(picture, bmpSize - 1, mixing), kind);
  if (auto bytes = EncodeFile(kind, picture, screen)) return std::move(*bytes);
  throw UsageError(QT_TRANSLATE_NOOP("Messages", "chromaLoom does not write %1 files: %2"),
                   {std::string(FileKindName(kind)), QuotedName(path)});
}

// Returns the bytes read; a rejected file names itself in the error. What the
// picture could not keep as the file has it goes to err.
std::vector<std::uint8_t> LoadFile(Document& document, const std::string& path, FileKind kind, std::ostream& err,
                                   const QTranslator* messages) {
  if (InfoOf(kind).Image)
    throw UsageError(QT_TRANSLATE_NOOP("Messages", "--info describes pictures, and %1 is an image"),
                     {QuotedName(path)});
  if (!InfoOf(kind).Read)
    throw UsageError(QT_TRANSLATE_NOOP("Messages", "chromaLoom does not read %1 files: %2"),
                     {std::string(FileKindName(kind)), QuotedName(path)});
  auto bytes = ReadFileBytes(path, MaxReadLength(kind));
  try {
    const ImportedPicture imported = ReadPictureFile(kind, bytes);
    Change change(document, "Import");
    change.Replace(imported.Planes, imported.CellHeight, imported.Border);
    change.Commit();
    for (const UserText& note : imported.Notes)
      err << "chromaloom-convert: " << QuotedName(path) << ": " << Say(note, messages) << "\n";
  } catch (const FormatError& e) {
    throw FileError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "%1: %2"), {QuotedName(path), e.Text()}));
  }
  return bytes;
}

bool HasImageOptions(const ConverterOptions& o) { return o.Fit || o.Dither || o.Metric || o.Flicker || o.Stats; }

// An image fitted to the picture and converted in the chosen cell height.
void LoadImage(Document& document, const std::string& path, const ConverterOptions& options,
               const MixingProfile& mixing, std::ostream& err) {
  const Raster image = ReadImageFile(path);
  ImageConversionOptions conversion;
  conversion.Mixing = mixing;
  conversion.CellHeight = options.Mode.value_or(8);
  conversion.Dither = options.Dither.value_or(Dithering::None);
  conversion.Metric = options.Metric.value_or(ColourMetric::Srgb);
  conversion.FlickerWeight = options.Flicker.value_or(0.0);
  const ImageConversion result = ConvertImage(FitToPicture(image, options.Fit.value_or(FitMode::Fit)), conversion);
  Change change(document, "Import");
  change.Replace(result.Result, conversion.CellHeight, std::nullopt);
  change.Commit();
  if (options.Stats)
    err << std::fixed << std::setprecision(3) << "mean colour error: " << result.Stats.MeanColourError
        << "\nmean flicker: " << result.Stats.MeanFlicker << "\nmean blurred error: " << result.Stats.MeanBlurredError
        << "\n";
}

// The mixed picture in a border of the proportions emulators show (320 x 240
// at 1x), scaled to fit size x size: whole multiples repeat pixels, any
// other size averages areas.
Raster Thumbnail(const Picture& picture, int size, const MixingProfile& mixing) {
  const Raster framed = RenderFramedMixed(picture, mixing);
  if (size % FramedScreenWidth == 0) {
    const int k = size / FramedScreenWidth;
    Raster scaled(FramedScreenWidth * k, FramedScreenHeight * k);
    scaled.ScaleFrom(framed, k, k, 0, 0);
    return scaled;
  }
  return ScaleByArea(framed, size,
                     std::max(1, (size * FramedScreenHeight + FramedScreenWidth / 2) / FramedScreenWidth));
}

std::string ModeName(int h) { return "8x" + std::to_string(h); }

void PrintInfo(const std::string& path, std::ostream& out, std::ostream& err, const QTranslator* messages) {
  const FileKind kind = KindOf(path);
  Document document;
  const auto bytes = LoadFile(document, path, kind, err, messages);
  const Picture& picture = document.Picture();
  out << "file: " << path << "\n";
  out << "format: " << FileKindName(kind) << "\n";
  out << "char mode: " << ModeName(picture.CellHeight) << "\n";
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

int RunConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const QTranslator* messages) {
  // A message in the user's language where a translation is loaded and has it.
  const auto say = [messages](const UserText& text) { return Say(text, messages); };
  std::string input;  // named when memory runs out
  try {
    const ConverterOptions options = ParseArgs(args);
    if (options.Help) {
      out << say(Usage());
      return ExitOk;
    }
    if (options.Version) {
      out << "chromaloom-convert " << CHROMALOOM_VERSION << "\n";
      return ExitOk;
    }
    if (options.Info) {
      if (options.Files.size() != 1) throw UsageError(QT_TRANSLATE_NOOP("Messages", "--info takes one INPUT"));
      input = options.Files[0];
      PrintInfo(options.Files[0], out, err, messages);
      return ExitOk;
    }
    if (options.Files.size() != 2) throw UsageError(QT_TRANSLATE_NOOP("Messages", "expected INPUT and OUTPUT"));
    input = options.Files[0];
    const std::string& output = options.Files[1];
    const FileKind inputKind = KindOf(input);
    // A thumbnail is always a PNG. File managers may give it a temporary name
    // of their own, so only a name that says another kind is refused.
    if (const auto named = FileKindFromName(output); options.Thumbnail && named && *named != FileKind::Png)
      throw UsageError(QT_TRANSLATE_NOOP("Messages", "--thumbnail writes a PNG: name the output .png, not \"%1\""),
                       {output});
    const FileKind outputKind = options.Thumbnail ? FileKind::Png : KindOf(output);
    if (options.Mixing && !IsBitmapExport(outputKind) && !InfoOf(inputKind).Image)
      throw UsageError(QT_TRANSLATE_NOOP("Messages", "--mixing applies to image inputs and bitmap outputs only"));
    if (options.Pentagon && outputKind != FileKind::Z80 && outputKind != FileKind::Szx)
      throw UsageError(QT_TRANSLATE_NOOP("Messages", "--pentagon applies to .z80 and .szx snapshots only, not \"%1\""),
                       {output});
    if (options.Screen && !HoldsOneScreen(outputKind))
      throw UsageError(QT_TRANSLATE_NOOP("Messages", "--screen applies to outputs of one screen only, not \"%1\""),
                       {output});
    // An image is still converted for the model; the animation itself mixes nothing.
    if (options.Mixing && IsAnimatedExport(outputKind) && !InfoOf(inputKind).Image)
      throw UsageError(QT_TRANSLATE_NOOP(
          "Messages", "--mixing applies to mixed bitmaps only; an animation shows each screen unmixed"));
    // Read before the input, so a bad profile costs no conversion.
    const MixingProfile mixing = options.Mixing ? LoadMixing(*options.Mixing) : MixingProfile{};
    if (InfoOf(inputKind).Image && !IsSymmetric(mixing.Table))
      throw UsageError(
          QT_TRANSLATE_NOOP(
              "Messages", "--mixing %1: an image is converted only for a profile in which a mixes with b as b with a"),
          {*options.Mixing});

    Document document;
    if (InfoOf(inputKind).Image) {
      LoadImage(document, input, options, mixing, err);
    } else {
      if (HasImageOptions(options))
        throw UsageError(QT_TRANSLATE_NOOP(
            "Messages", "--fit, --dither, --metric, --flicker and --stats apply to image inputs only"));
      LoadFile(document, input, inputKind, err, messages);
      if (options.Mode) {
        Change change(document, "Change Char Size");
        change.SetCellHeight(*options.Mode);
        change.Commit();
      }
    }
    if (options.Border) {
      Change change(document, "Border");
      change.SetBorderChoice(options.Border->Column, options.Border->Row);
      change.Commit();
    }
    if (options.Thumbnail) {
      const Raster thumbnail = Thumbnail(document.Picture(), *options.Thumbnail, mixing);
      WriteFileAtomically(output, EncodeBitmap(thumbnail, FileKind::Png, PngPacking::Fast));
    } else {
      WriteFileAtomically(output, Export(document.Picture(), outputKind, options.BmpSize, mixing,
                                         options.Screen.value_or(0), options.Pentagon, output));
    }
    return ExitOk;
  } catch (const UsageError& e) {
    err << "chromaloom-convert: " << say(UserText::Of(QT_TRANSLATE_NOOP("Messages", "%1 (see --help)"), {e.Text()}))
        << "\n";
    return ExitUsage;
  } catch (const std::bad_alloc&) {
    err << "chromaloom-convert: "
        << say(UserText::Of(QT_TRANSLATE_NOOP("Messages", "Not enough memory to convert \"%1\""), {input})) << "\n";
    return ExitFailed;
  } catch (const std::exception& e) {
    err << "chromaloom-convert: " << say(TextOf(e)) << "\n";
    return ExitFailed;
  }
}

}  // namespace chromaloom
