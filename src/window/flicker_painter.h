// Draws one of the two screen images of the flicker view over the whole
// viewport of the current OpenGL context, each pixel enlarged without
// smoothing. The images become textures only when Upload is called.
#pragma once

#include <QOpenGLTexture>
#include <QOpenGLTextureBlitter>

#include <array>
#include <memory>

class QImage;

namespace chromaloom {

class FlickerPainter {
 public:
  FlickerPainter();
  ~FlickerPainter();
  FlickerPainter(const FlickerPainter&) = delete;
  FlickerPainter& operator=(const FlickerPainter&) = delete;

  // Each with the context current. Create returns false when the context
  // cannot run the drawing's shaders.
  bool Create();
  void Destroy();
  bool HasImages() const { return textures_[0] != nullptr; }
  void Upload(const QImage& screen0, const QImage& screen1);
  void Draw(int screen);

 private:
  QOpenGLTextureBlitter blitter_;
  std::array<std::unique_ptr<QOpenGLTexture>, 2> textures_;
};

}  // namespace chromaloom
