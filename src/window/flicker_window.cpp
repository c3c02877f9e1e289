#include "window/flicker_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QScreen>
#include <QSurfaceFormat>
#include <QVBoxLayout>

#include "render/picture_bitmap.h"
#include "render/renderer.h"
#include "window/flicker_painter.h"
#include "window/image_view.h"
#include "window/key_table.h"

namespace chromaloom {

namespace {

// The window's own zoom: framed screens 1 to 4 times their size.
constexpr int MaxFlickerZoom = 4;

std::chrono::nanoseconds SteadyNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

QString NoOpenGL() {
  return QCoreApplication::translate("Flicker",
                                     "The flicker view needs OpenGL to show a frame on each refresh of the display, "
                                     "and no OpenGL context can be made here.");
}

}  // namespace

// Presents a frame on each refresh of the display: each swap waits for the
// refresh, and the next frame is asked for as soon as one was swapped.
class FlickerSurface : public QOpenGLWidget {
 public:
  explicit FlickerSurface(FlickerWindow& window) : QOpenGLWidget(&window), window_(window) {
    setObjectName("flickerSurface");
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSwapInterval(1);
    setFormat(format);
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
      if (isVisible()) update();
    });
  }
  ~FlickerSurface() override { ReleaseGl(); }

  std::function<void(const QString&)> OnError;

 protected:
  void initializeGL() override {
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &FlickerSurface::ReleaseGl, Qt::DirectConnection);
    if (!painter_.Create() && OnError) OnError(NoOpenGL());
  }

  void paintGL() override {
    const FlickerFrame frame = window_.NextFrame(!painter_.HasImages());
    if (frame.Upload) painter_.Upload(window_.ScreenImage(0), window_.ScreenImage(1));
    painter_.Draw(frame.Screen);
  }

 private:
  void ReleaseGl() {
    if (!context()) return;
    makeCurrent();
    painter_.Destroy();
    doneCurrent();
  }

  FlickerWindow& window_;
  FlickerPainter painter_;
};

FlickerWindow::FlickerWindow(QWidget* owner) : QWidget(owner, Qt::Window), clock_(SteadyNow) {
  setObjectName("flickerWindow");
  setWindowTitle(QCoreApplication::translate("Flicker", "Flicker"));
  setFocusPolicy(Qt::StrongFocus);

  auto* controls = new QHBoxLayout;
  zoomBox_ = new QComboBox(this);
  zoomBox_->setObjectName("flickerZoomBox");
  for (int level = 1; level <= MaxFlickerZoom; ++level) zoomBox_->addItem(QString("x%1").arg(level));
  timingBox_ = new QComboBox(this);
  timingBox_->setObjectName("flickerTimingBox");
  timingBox_->addItems({QCoreApplication::translate("Flicker", "Every refresh"), "50 Hz"});
  // The window's own keys choose the zoom; the boxes take only the mouse.
  for (QComboBox* box : {zoomBox_, timingBox_}) box->setFocusPolicy(Qt::NoFocus);
  zoomBox_->setToolTip(
      QCoreApplication::translate("Flicker", "How large the two screens are shown as they alternate (keys 1 to 4)"));
  timingBox_->setToolTip(QCoreApplication::translate(
      "Flicker", "Switch screens at every display refresh, or 50 times a second as a ZX Spectrum does (T)"));
  auto* zoomLabel = new QLabel(QCoreApplication::translate("Flicker", "Zoom (1-4)"), this);
  auto* timingLabel = new QLabel(QCoreApplication::translate("Flicker", "Timing (T)"), this);
  controls->addWidget(zoomLabel);
  controls->addWidget(zoomBox_);
  controls->addSpacing(12);
  controls->addWidget(timingLabel);
  controls->addWidget(timingBox_);
  controls->addStretch();

  errorLabel_ = new QLabel(this);
  errorLabel_->setObjectName("flickerError");
  errorLabel_->setWordWrap(true);
  errorLabel_->setMargin(8);
  errorLabel_->setMinimumWidth(FramedScreenWidth);
  errorLabel_->hide();

  // The picture goes edge to edge, so zoom 4 fits a 1280-pixel-wide screen.
  controls->setContentsMargins(4, 4, 4, 0);
  layout_ = new QVBoxLayout(this);
  layout_->setSizeConstraint(QLayout::SetFixedSize);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->addLayout(controls);
  layout_->addWidget(errorLabel_);

  connect(zoomBox_, &QComboBox::activated, this, [this](int index) { SetZoom(index + 1); });
  connect(timingBox_, &QComboBox::activated, this,
          [this](int index) { SetTiming(index == 0 ? FlickerTiming::EveryRefresh : FlickerTiming::Machine50Hz); });
  SetZoom(zoom_);
}

FlickerWindow::~FlickerWindow() = default;

// OpenGL loads the driver (with software rendering, some 60 MB of it): only
// once the window is first shown, not for every start of the editor.
void FlickerWindow::CreateSurface() {
  if (surfaceTried_) return;
  surfaceTried_ = true;
  if (QOpenGLContext probe; !probe.create()) return ShowSurfaceError(NoOpenGL());
  surface_ = new FlickerSurface(*this);
  surface_->OnError = [this](const QString& message) { ShowSurfaceError(message); };
  surface_->setFixedSize(FramedScreenWidth * zoom_, FramedScreenHeight * zoom_);
  layout_->addWidget(surface_, 0, Qt::AlignLeft | Qt::AlignTop);
}

void FlickerWindow::ShowSurfaceError(const QString& message) {
  surfaceError_ = message;
  errorLabel_->setText(message);
  errorLabel_->show();
  if (surface_) surface_->hide();
}

void FlickerWindow::ShowPicture(const Picture& picture) {
  if (shown_ && *shown_ == picture) return;
  shown_ = picture;
  for (int s = 0; s < 2; ++s) images_[static_cast<std::size_t>(s)] = WrapRaster(RenderFramedScreen(picture, s)).copy();
  imagesChanged_ = true;
  if (surface_) surface_->update();
}

bool FlickerWindow::SetZoom(int level) {
  if (level < 1 || level > MaxFlickerZoom) return false;
  zoom_ = level;
  zoomBox_->setCurrentIndex(level - 1);
  if (surface_) surface_->setFixedSize(FramedScreenWidth * level, FramedScreenHeight * level);
  return true;
}

void FlickerWindow::SetTiming(FlickerTiming timing) {
  sequence_.SetTiming(timing);
  timingBox_->setCurrentIndex(timing == FlickerTiming::EveryRefresh ? 0 : 1);
}

FlickerFrame FlickerWindow::NextFrame(bool surfaceEmpty) {
  const FlickerFrame frame{sequence_.NextRefresh(clock_()), imagesChanged_ || surfaceEmpty};
  imagesChanged_ = false;
  if (frame.Upload) ++uploads_;
  presented_.push_back(frame.Screen);
  if (presented_.size() > KeptRefreshes) presented_.pop_front();
  return frame;
}

void FlickerWindow::showEvent(QShowEvent* event) {
  CreateSurface();
  QWidget::showEvent(event);
  // Each showing starts from screen 0.
  sequence_.Restart();
  // A zoom the screen has no room for steps down until the window fits.
  if (const QScreen* shown = screen(); shown && surface_) {
    const QSize room = shown->availableGeometry().size() - QSize(16, 48);  // the desktop's frame
    const QSize framed(FramedScreenWidth, FramedScreenHeight);
    const QSize around = sizeHint() - framed * zoom_;
    while (zoom_ > 1 &&
           ((framed * zoom_ + around).width() > room.width() || (framed * zoom_ + around).height() > room.height()))
      SetZoom(zoom_ - 1);
  }
}

void FlickerWindow::keyPressEvent(QKeyEvent* event) {
  const int key = RowKey(event->key(), event->nativeScanCode(), event->modifiers());
  if (key >= Qt::Key_1 && key <= Qt::Key_4) {
    SetZoom(key - Qt::Key_0);
  } else if (key == Qt::Key_T) {
    SetTiming(Timing() == FlickerTiming::EveryRefresh ? FlickerTiming::Machine50Hz : FlickerTiming::EveryRefresh);
  } else if (key == Qt::Key_F || key == Qt::Key_Escape) {
    hide();
  } else {
    QWidget::keyPressEvent(event);
  }
}

}  // namespace chromaloom
