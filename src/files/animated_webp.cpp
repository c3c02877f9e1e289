#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "files/animations.h"
#include "files/file_io.h"

namespace chromaloom {

namespace {

struct EncoderDeleter {
  void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

// The picture libwebp encodes from, freed on any way out.
struct FramePicture {
  FramePicture() { WebPPictureInit(&Frame); }
  ~FramePicture() { WebPPictureFree(&Frame); }
  FramePicture(const FramePicture&) = delete;
  FramePicture& operator=(const FramePicture&) = delete;
  WebPPicture Frame;
};

[[noreturn]] void Fail(WebPAnimEncoder* encoder) {
  const char* why = WebPAnimEncoderGetError(encoder);
  throw FileError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "Cannot encode the WebP image: %1"),
                               {std::string(why && *why ? why : "libwebp failed")}));
}

}  // namespace

std::vector<std::uint8_t> AnimatedWebpBytes(std::span<const Raster> frames, int frameMilliseconds) {
  CheckAnimationFrames(frames, WEBP_MAX_DIMENSION);
  if (frameMilliseconds < 1 || frameMilliseconds > 0xFFFFFF)
    throw std::invalid_argument("a WebP frame lasts 1 to 16777215 milliseconds");
  const int width = frames[0].Width(), height = frames[0].Height();

  WebPAnimEncoderOptions options;
  WebPConfig config;
  if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config))
    throw FileError(UserText::Of(QT_TRANSLATE_NOOP(
        "Messages", "Cannot encode the WebP image: libwebp is not the version chromaLoom was built with")));
  options.anim_params.loop_count = 0;  // forever
  // Lossless, so the frames keep exactly their colours; one thread, so the
  // same frames always give the same bytes.
  config.lossless = 1;
  config.exact = 1;
  config.thread_level = 0;
  const std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(WebPAnimEncoderNew(width, height, &options));
  if (!encoder) throw std::bad_alloc();

  FramePicture picture;
  picture.Frame.use_argb = 1;
  picture.Frame.width = width;
  picture.Frame.height = height;
  if (!WebPPictureAlloc(&picture.Frame)) throw std::bad_alloc();
  int start = 0;
  for (const Raster& frame : frames) {
    // A raster's 0xFFRRGGBB pixels are libwebp's ARGB words as they are.
    for (int y = 0; y < height; ++y)
      std::copy(frame.Row(y), frame.Row(y) + width,
                picture.Frame.argb + static_cast<std::ptrdiff_t>(y) * picture.Frame.argb_stride);
    if (!WebPAnimEncoderAdd(encoder.get(), &picture.Frame, start, &config)) Fail(encoder.get());
    start += frameMilliseconds;
  }
  // The last frame's end.
  if (!WebPAnimEncoderAdd(encoder.get(), nullptr, start, nullptr)) Fail(encoder.get());
  WebPData data;
  WebPDataInit(&data);
  if (!WebPAnimEncoderAssemble(encoder.get(), &data)) Fail(encoder.get());
  std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  return bytes;
}

}  // namespace chromaloom
