// The Flicker window: screen 0 and screen 1 alternating on the display's
// refresh, each inside its own border colour, as the hardware shows a
// picture. A top-level window of its own, so it can go to a second screen.
//
// The window decides what each refresh shows and keeps the two images it
// hands to the OpenGL surface, so both can be checked without OpenGL; the
// surface only uploads and draws what it is told.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>

#include "picture/picture.h"
#include "render/flicker_sequence.h"

class QComboBox;
class QLabel;
class QVBoxLayout;

namespace chromaloom {

class FlickerSurface;

// What one display refresh presents.
struct FlickerFrame {
  int Screen = 0;
  bool Upload = false;  // the screen images go to the surface first
};

class FlickerWindow : public QWidget {
  Q_OBJECT
 public:
  using Clock = std::function<std::chrono::nanoseconds()>;
  static constexpr std::size_t KeptRefreshes = 1024;

  // A window of its own; the owner deletes it.
  explicit FlickerWindow(QWidget* owner);
  ~FlickerWindow() override;

  // The monotonic clock read at each refresh; tests give one of their own.
  void SetClock(Clock clock) { clock_ = std::move(clock); }
  // Follows the picture: the screen images are rebuilt only when it differs
  // from the one they show.
  void ShowPicture(const Picture& picture);
  // What the surface draws for screen 0 and 1, border included, at 1:1.
  const QImage& ScreenImage(int screen) const { return images_.at(static_cast<std::size_t>(screen)); }

  // Zoom 1 to 4; another level is ignored. Returns whether it was taken.
  bool SetZoom(int level);
  int Zoom() const { return zoom_; }
  void SetTiming(FlickerTiming timing);
  FlickerTiming Timing() const { return sequence_.Timing(); }

  // One display refresh: which screen it shows and whether the images go to
  // the surface first (when they changed, or when the surface has none).
  // The surface calls it once per frame.
  FlickerFrame NextFrame(bool surfaceEmpty);
  // The screens of the last KeptRefreshes refreshes, oldest first.
  const std::deque<int>& PresentedScreens() const { return presented_; }
  int UploadCount() const { return uploads_; }
  // Why no frames can be shown here (no OpenGL), or empty.
  const QString& SurfaceError() const { return surfaceError_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateSurface();
  void ShowSurfaceError(const QString& message);

  Clock clock_;
  FlickerSequence sequence_;
  std::optional<Picture> shown_;
  std::array<QImage, 2> images_;
  bool imagesChanged_ = false;
  int uploads_ = 0;
  int zoom_ = 2;
  std::deque<int> presented_;
  QString surfaceError_;
  QComboBox* zoomBox_ = nullptr;
  QComboBox* timingBox_ = nullptr;
  QLabel* errorLabel_ = nullptr;
  FlickerSurface* surface_ = nullptr;
  bool surfaceTried_ = false;
  QVBoxLayout* layout_ = nullptr;
};

}  // namespace chromaloom
