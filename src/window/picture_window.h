// The picture window: a caption strip "Picture" with the maximise/restore
// icon, and the scroll box with the canvas in its frame. Maximised it fills
// the work area; restored it floats, dragged by its caption and resized by
// its edges.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "picture/raster.h"
#include "render/renderer.h"
#include "window/floating_panel.h"
#include "window/reference_image.h"

class QLabel;
class QScrollArea;

namespace chromaloom {

class ImageView;

class PictureWindow : public FreePanel {
  Q_OBJECT
 public:
  PictureWindow(const Renderer& render, PanelDragger& dragger, QWidget* parent);

  bool IsMaximised() const { return Align() == PanelAlign::Client; }
  // The restored bounds, kept while maximised.
  QRect FloatingBounds() const { return floatingBounds_; }
  // Where the window floats when restored: its bounds now unless maximised.
  QRect RestoredBounds() const { return IsMaximised() ? floatingBounds_ : geometry(); }
  // The bounds the next Restore takes, no smaller than the window's minimum.
  void SetFloatingBounds(const QRect& bounds);
  // Fills what the window lays out over; the caller then lays it out.
  void Maximise();
  void Restore();

  // After the editor image changed size: the canvas follows, the view
  // scrolls back to the top-left and centres.
  void FollowCanvasSize();
  void Centre();
  void ScrollToOrigin();
  void ScrollTo(int x, int y);
  // Scrolls the canvas's (x, y) to the top-left, once the frame has its size.
  void ScrollCanvasTo(int x, int y);
  QSize ScrollBoxSize() const;
  // The part of the canvas on show, in the coordinates of relativeTo.
  QRect ShownCanvas(const QWidget* relativeTo) const;
  // Whether a canvas of this size shows whole, frame and all, without scrolling.
  bool ShowsWhole(QSize canvas) const;
  // Points of the scroll box's viewport: its centre, the canvas point
  // (editor image pixels, fractional) shown at one, and a scroll that
  // brings a canvas point there, as near as the scroll range allows.
  QPointF ViewCentre() const;
  QPointF CanvasPointAt(QPointF viewPoint) const;
  void ShowCanvasPointAt(QPointF canvasPoint, QPointF viewPoint);
  void RepaintCanvas(const std::vector<Rect>& areas);
  // The canvas or its frame (the paste target) is this widget.
  bool ShowsPictureAt(const QWidget* widget) const;
  // Called once, at the canvas's first paint.
  void WatchFirstPaint(std::function<void()> painted);
  // The reference image over the canvas; while it shows, a drag with Alt
  // held moves it (left button) or scales it (right button, up to enlarge).
  void ShowReference(const ReferenceImage* reference, int z);
  // While the pan key is held a left drag scrolls the view instead of painting.
  void SetPanKeyHeld(bool held) { panKeyHeld_ = held; }
  bool IsPanning() const { return panFrom_.has_value(); }

 signals:
  void MaximiseToggled();
  // held: every button down at the press, the one that went down included.
  void CanvasPressed(QPoint at, Qt::MouseButtons held);
  void CanvasMoved(QPoint at, Qt::MouseButtons held);
  void CanvasReleased();
  // Ctrl+wheel over the view: whole notches, > 0 to zoom in, at a viewport point.
  void ZoomWheeled(QPointF at, int notches);
  // A drag scrolled the view.
  void Panned();
  // An Alt drag over the reference image: moved by a canvas distance, or
  // scaled by a factor about the canvas point the drag began at.
  void ReferenceMoved(QPointF canvasDelta);
  void ReferenceScaled(QPointF canvasAnchor, double factor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect floatingBounds_{2, 42, 640, 480};
  QLabel* resizeIcon_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  QFrame* canvasFrame_ = nullptr;
  ImageView* canvas_ = nullptr;
  std::function<void()> firstPaint_;
  int wheelTurn_ = 0;  // what a fine-stepped wheel turned short of a notch
  bool panKeyHeld_ = false;
  // A pan under way: where the pointer was (global) and the scroll then.
  std::optional<QPoint> panFrom_;
  QPoint panScroll_;
  const ReferenceImage* reference_ = nullptr;
  // An Alt drag under way: where it began, the canvas point it reached, whether it scales.
  struct ReferenceDrag {
    QPointF Anchor, Last;
    bool Scales = false;
  };
  std::optional<ReferenceDrag> referenceDrag_;
  // Scrolls by the pointer's move since the pan began.
  void PanTo(QPoint globalAt);
};

}  // namespace chromaloom
