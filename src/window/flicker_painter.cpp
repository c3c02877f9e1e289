#include "window/flicker_painter.h"

#include <QImage>
#include <QMatrix4x4>

namespace chromaloom {

FlickerPainter::FlickerPainter() = default;
FlickerPainter::~FlickerPainter() = default;

bool FlickerPainter::Create() { return blitter_.isCreated() || blitter_.create(); }

void FlickerPainter::Destroy() {
  for (auto& texture : textures_) texture.reset();
  if (blitter_.isCreated()) blitter_.destroy();
}

void FlickerPainter::Upload(const QImage& screen0, const QImage& screen1) {
  const std::array<const QImage*, 2> images = {&screen0, &screen1};
  for (std::size_t s = 0; s < textures_.size(); ++s) {
    auto texture = std::make_unique<QOpenGLTexture>(*images[s], QOpenGLTexture::DontGenerateMipMaps);
    // Whole enlargements only, pixel for pixel.
    texture->setMinMagFilters(QOpenGLTexture::Nearest, QOpenGLTexture::Nearest);
    texture->setWrapMode(QOpenGLTexture::ClampToEdge);
    textures_[s] = std::move(texture);
  }
}

void FlickerPainter::Draw(int screen) {
  if (!HasImages() || (screen != 0 && screen != 1)) return;
  blitter_.bind();
  // The identity maps the texture onto the whole viewport.
  blitter_.blit(textures_[static_cast<std::size_t>(screen)]->textureId(), QMatrix4x4(),
                QOpenGLTextureBlitter::OriginTopLeft);
  blitter_.release();
}

}  // namespace chromaloom
