#include "files/animations.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "files/file_io.h"

namespace chromaloom {

namespace {

constexpr int MaxGifColours = 256;
constexpr int MaxGifSide = 65535;

// giflib hands the encoded bytes here; the vector is the file's UserData.
int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

[[noreturn]] void Fail(int error) {
  const char* why = GifErrorString(error);
  throw FileError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "Cannot encode the GIF image: %1"),
                               {std::string(why ? why : "giflib failed")}));
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
struct MapFreer {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Every colour of the frames, ascending.
std::vector<Rgb> ColoursOf(std::span<const Raster> frames) {
  std::vector<Rgb> colours;
  for (const Raster& frame : frames) {
    Rgb last = 0;
    bool any = false;
    for (const Rgb pixel : frame.Pixels()) {
      const Rgb colour = pixel & 0xFFFFFFu;
      if (any && colour == last) continue;
      any = true;
      last = colour;
      if (std::find(colours.begin(), colours.end(), colour) != colours.end()) continue;
      if (colours.size() == MaxGifColours) throw std::invalid_argument("an animated GIF holds at most 256 colours");
      colours.push_back(colour);
    }
  }
  std::sort(colours.begin(), colours.end());
  return colours;
}

void Check(int result, GifFileType* gif) {
  if (result != GIF_OK) Fail(gif->Error);
}

}  // namespace

std::vector<std::uint8_t> AnimatedGifBytes(std::span<const Raster> frames, int delayCentiseconds) {
  CheckAnimationFrames(frames, MaxGifSide);
  const int width = frames[0].Width(), height = frames[0].Height();
  if (delayCentiseconds < 1 || delayCentiseconds > 65535)
    throw std::invalid_argument("a GIF frame's delay is 1 to 65535 centiseconds");

  const std::vector<Rgb> colours = ColoursOf(frames);
  const int bits = GifBitSize(std::max(2, static_cast<int>(colours.size())));
  std::vector<GifColorType> table(std::size_t{1} << bits, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < colours.size(); ++i)
    table[i] = {static_cast<GifByteType>(RedOf(colours[i])), static_cast<GifByteType>(GreenOf(colours[i])),
                static_cast<GifByteType>(BlueOf(colours[i]))};
  const std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(1 << bits, table.data()));
  if (!map) throw std::bad_alloc();

  std::vector<std::uint8_t> bytes;
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, AppendBytes, &error));
  if (!gif) Fail(error);
  EGifSetGifVersion(gif.get(), true);
  Check(EGifPutScreenDesc(gif.get(), width, height, bits, 0, map.get()), gif.get());

  // Loop forever: the application extension NETSCAPE2.0, sub-block 1 with a count of 0.
  static constexpr std::array<GifByteType, 11> Netscape = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static constexpr std::array<GifByteType, 3> Forever = {1, 0, 0};
  Check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE), gif.get());
  Check(EGifPutExtensionBlock(gif.get(), static_cast<int>(Netscape.size()), Netscape.data()), gif.get());
  Check(EGifPutExtensionBlock(gif.get(), static_cast<int>(Forever.size()), Forever.data()), gif.get());
  Check(EGifPutExtensionTrailer(gif.get()), gif.get());

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;  // every frame covers the whole image
  control.UserInputFlag = false;
  control.DelayTime = delayCentiseconds;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  std::array<GifByteType, 4> controlBytes{};
  const auto controlLength = static_cast<int>(EGifGCBToExtension(&control, controlBytes.data()));

  std::vector<GifPixelType> line(static_cast<std::size_t>(width));
  for (const Raster& frame : frames) {
    Check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, controlLength, controlBytes.data()), gif.get());
    Check(EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr), gif.get());
    for (int y = 0; y < height; ++y) {
      const Rgb* row = frame.Row(y);
      for (int x = 0; x < width; ++x) {
        const Rgb colour = row[x] & 0xFFFFFFu;
        if (x > 0 && colour == (row[x - 1] & 0xFFFFFFu)) {
          line[x] = line[x - 1];
          continue;
        }
        line[x] = static_cast<GifPixelType>(std::lower_bound(colours.begin(), colours.end(), colour) - colours.begin());
      }
      Check(EGifPutLine(gif.get(), line.data(), width), gif.get());
    }
  }
  // Closing writes the trailer; the file is freed whether or not that worked.
  const int closed = EGifCloseFile(gif.release(), &error);
  if (closed != GIF_OK) Fail(error);
  return bytes;
}

void CheckAnimationFrames(std::span<const Raster> frames, int maxSide) {
  if (frames.empty()) throw std::invalid_argument("an animation needs a frame");
  const int width = frames[0].Width(), height = frames[0].Height();
  if (width <= 0 || height <= 0 || width > maxSide || height > maxSide)
    throw std::invalid_argument("an animation's frames are 1 to " + std::to_string(maxSide) + " pixels on a side");
  for (const Raster& frame : frames)
    if (frame.Width() != width || frame.Height() != height)
      throw std::invalid_argument("the frames of an animation are all one size");
}

std::vector<std::uint8_t> EncodeAnimation(std::span<const Raster> frames, FileKind kind) {
  if (kind == FileKind::Gif && IsAnimatedExport(kind)) return AnimatedGifBytes(frames, MachineFrameMilliseconds / 10);
  if (kind == FileKind::Webp && IsAnimatedExport(kind)) return AnimatedWebpBytes(frames, MachineFrameMilliseconds);
  throw std::invalid_argument(std::string(FileKindName(kind)) + " is not an animated export");
}

}  // namespace chromaloom
