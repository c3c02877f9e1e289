#include "app/converter_options.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <exception>

#include "formats/file_kinds.h"
#include "formats/one_screen_format.h"
#include "picture/bitmap_sizes.h"

namespace chromaloom {

namespace {

enum class Listing { Read, Written, Images, OneScreen, Bitmaps, Animations };

// The extensions of every kind read, written (by a writer of its own or an
// export), converted from an image, or exported as a bitmap or an animation.
std::string ExtensionsOf(Listing what) {
  std::string list;
  for (const FileKindInfo& info : FileKinds) {
    const bool listed = what == Listing::Written      ? (info.Write != nullptr || info.ExportCaption != nullptr)
                        : what == Listing::Read       ? info.Read != nullptr
                        : what == Listing::OneScreen  ? HoldsOneScreen(info.Kind)
                        : what == Listing::Bitmaps    ? IsBitmapExport(info.Kind)
                        : what == Listing::Animations ? IsAnimatedExport(info.Kind)
                                                      : info.Image;
    if (listed) list += (list.empty() ? "" : " ") + std::string(info.Extension);
  }
  return list;
}

int ParseInt(const std::string& text, const std::string& option) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size())
    throw UsageError(QT_TRANSLATE_NOOP("Messages", "%1 needs a number, not \"%2\""), {option, text});
  return value;
}

std::string FlickerRange() { return std::to_string(static_cast<int>(MaxFlickerWeight)); }

double ParseWeight(const std::string& text, const std::string& option) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !(value >= 0 && value <= MaxFlickerWeight))
    throw UsageError(QT_TRANSLATE_NOOP("Messages", "%1 needs a number from 0 to %2, not \"%3\""),
                     {option, FlickerRange(), text});
  return value;
}

}  // namespace

UserText Usage() {
  return UserText::Of(
      QT_TRANSLATE_NOOP("Messages",
                        "Usage: chromaloom-convert [--mode 8|4|2|1] [--border I,J] [--bmp-size N] [--mixing M]\n"
                        "           [--screen 0|1] [--pentagon] INPUT OUTPUT\n"
                        "       chromaloom-convert IMAGE OUTPUT [--mode 8|4|2|1] [--fit fit|crop|stretch]\n"
                        "           [--dither none|ordered|floyd-steinberg|atkinson|search] [--metric rgb|lab]\n"
                        "           [--flicker W] [--stats] [--border I,J] [--bmp-size N] [--mixing M]\n"
                        "       chromaloom-convert --thumbnail SIZE [--mixing M] INPUT OUTPUT.png\n"
                        "       chromaloom-convert --info INPUT\n"
                        "       chromaloom-convert --help | --version\n"
                        "\n"
                        "Converts ZX Spectrum Gigascreen and MultiGigaScreen pictures the way the\n"
                        "chromaLoom editor imports and exports them.\n"
                        "\n"
                        "  --mode H       change the char size to 8x H after reading (8, 4, 2 or 1);\n"
                        "                 for an image, the cell height it is converted in (default 8)\n"
                        "  --border I,J   choose border swatch column I (0..8), row J (0..2)\n"
                        "  --bmp-size N   size 1..9 of a bitmap output: %1\n"
                        "                 (default 1, 256 x 192 without border); an animation\n"
                        "                 (%2) alternates screen 0 and screen 1, 20 ms each,\n"
                        "                 each in its own border colour, looping\n"
                        "  --mixing M     how a bitmap mixes the two screens, and what an image is\n"
                        "                 converted for: own (the picture's own table, the default),\n"
                        "                 average (the mean of the two values), linear (the mean in\n"
                        "                 linear light), the archive site's srgb, pulsar, orthodox,\n"
                        "                 alone or electroscale, a model ZZ,ZN,NN,NB,BB,ZB in hex with\n"
                        "                 an optional :R;G;B matrix (00,96,CD,E8,FF,BC), or FILE, a\n"
                        "                 profile of 15 lines of 15 R,G,B colours\n"
                        "  --screen S     the screen (0, the default, or 1) written to an output of\n"
                        "                 one screen (%3)\n"
                        "  --pentagon     a .z80 or .szx for the Pentagon 128 (8x2, 8x4, 8x8) instead\n"
                        "                 of the 128K\n"
                        "  --info         print the format, char mode, border pair and size of INPUT\n"
                        "  --thumbnail SIZE  write the mixed picture with its border as a PNG that\n"
                        "                 fits SIZE x SIZE (1..2048), for file managers\n"
                        "  --fit F        bring an image to 256 x 192: fit (keep the aspect, black bars;\n"
                        "                 the default), crop (keep the aspect, fill) or stretch\n"
                        "  --dither D     none (the default), ordered, floyd-steinberg, atkinson or\n"
                        "                 search (the lowest blurred error; one to two seconds)\n"
                        "  --metric M     colour distance: rgb (the default) or lab\n"
                        "  --flicker W    weight against flicker, a number from 0 to %4 (default 0: off)\n"
                        "  --stats        print the mean colour error, mean flicker and mean blurred\n"
                        "                 error (as the eye sees it, in linear light) on stderr\n"
                        "  --             end the options: INPUT and OUTPUT may then start with a dash\n"
                        "\n"
                        "Reads:  %5 (by extension, any case)\n"
                        "Images: %6 (converted)\n"
                        "Writes: %7\n"),
      {ExtensionsOf(Listing::Bitmaps), ExtensionsOf(Listing::Animations), ExtensionsOf(Listing::OneScreen),
       FlickerRange(), ExtensionsOf(Listing::Read), ExtensionsOf(Listing::Images), ExtensionsOf(Listing::Written)});
}

ConverterOptions ParseArgs(const std::vector<std::string>& args) {
  ConverterOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "--") {
      options.Files.insert(options.Files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    }
    std::optional<std::string> value;
    if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    auto takeValue = [&]() -> std::string {
      if (value) return *value;
      if (i + 1 >= args.size()) throw UsageError(QT_TRANSLATE_NOOP("Messages", "%1 needs a value"), {arg});
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
      if (!IsValidCellHeight(mode)) throw UsageError(QT_TRANSLATE_NOOP("Messages", "--mode must be 8, 4, 2 or 1"));
      options.Mode = mode;
    } else if (arg == "--border") {
      const std::string text = takeValue();
      const auto comma = text.find(',');
      if (comma == std::string::npos) throw UsageError(QT_TRANSLATE_NOOP("Messages", "--border needs I,J"));
      const int column = ParseInt(text.substr(0, comma), arg);
      const int row = ParseInt(text.substr(comma + 1), arg);
      if (column < 0 || column >= BorderColumns || row < 0 || row >= BorderRows)
        throw UsageError(QT_TRANSLATE_NOOP("Messages", "--border needs I in 0..8 and J in 0..2"));
      options.Border = BorderChoice{column, row};
    } else if (arg == "--bmp-size") {
      options.BmpSize = ParseInt(takeValue(), arg);
      if (options.BmpSize < 1 || options.BmpSize > static_cast<int>(BitmapSizes.size()))
        throw UsageError(QT_TRANSLATE_NOOP("Messages", "--bmp-size must be 1..9"));
    } else if (arg == "--screen") {
      const int screen = ParseInt(takeValue(), arg);
      if (screen != 0 && screen != 1) throw UsageError(QT_TRANSLATE_NOOP("Messages", "--screen must be 0 or 1"));
      options.Screen = screen;
    } else if (arg == "--pentagon") {
      options.Pentagon = true;
    } else if (arg == "--thumbnail") {
      const int size = ParseInt(takeValue(), arg);
      if (size < 1 || size > MaxThumbnailSize)
        throw UsageError(QT_TRANSLATE_NOOP("Messages", "--thumbnail needs a SIZE of 1..2048"));
      options.Thumbnail = size;
    } else if (arg == "--fit") {
      const std::string name = takeValue();
      options.Fit = FitModeNamed(name);
      if (!options.Fit)
        throw UsageError(QT_TRANSLATE_NOOP("Messages", "--fit must be fit, crop or stretch, not \"%1\""), {name});
    } else if (arg == "--dither") {
      const std::string name = takeValue();
      options.Dither = DitheringNamed(name);
      if (!options.Dither)
        throw UsageError(
            QT_TRANSLATE_NOOP("Messages",
                              "--dither must be none, ordered, floyd-steinberg, atkinson or search, not \"%1\""),
            {name});
    } else if (arg == "--metric") {
      const std::string name = takeValue();
      options.Metric = ColourMetricNamed(name);
      if (!options.Metric)
        throw UsageError(QT_TRANSLATE_NOOP("Messages", "--metric must be rgb or lab, not \"%1\""), {name});
    } else if (arg == "--flicker") {
      options.Flicker = ParseWeight(takeValue(), arg);
    } else if (arg == "--mixing") {
      const std::string name = takeValue();
      if (name.empty() || name[0] == '-')
        throw UsageError(
            QT_TRANSLATE_NOOP("Messages", "--mixing needs a model's name or levels, or a profile FILE, not \"%1\""),
            {name});
      options.Mixing = name;
    } else if (arg == "--stats") {
      if (value) throw UsageError(QT_TRANSLATE_NOOP("Messages", "--stats takes no value"));
      options.Stats = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError(QT_TRANSLATE_NOOP("Messages", "unknown option %1"), {arg});
    } else {
      options.Files.push_back(arg);
    }
  }
  return options;
}

}  // namespace chromaloom
