#include "window/floating_panel.h"

#include <QChildEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "window/widget_colours.h"

namespace chromaloom {

namespace {

// Pointer arithmetic on positions from events: saturate rather than overflow.
int SaturatedInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

bool HasLeftSide(PanelZone zone) {
  return zone == PanelZone::Left || zone == PanelZone::TopLeft || zone == PanelZone::BottomLeft;
}
bool HasRightSide(PanelZone zone) {
  return zone == PanelZone::Right || zone == PanelZone::TopRight || zone == PanelZone::BottomRight;
}
bool HasTopSide(PanelZone zone) {
  return zone == PanelZone::Top || zone == PanelZone::TopLeft || zone == PanelZone::TopRight;
}
bool HasBottomSide(PanelZone zone) {
  return zone == PanelZone::Bottom || zone == PanelZone::BottomLeft || zone == PanelZone::BottomRight;
}

// One axis of a resize: the dragged side follows the pointer, the other side
// stays where it was, and the length stays within [lowest, highest].
struct Span {
  int Start;
  int Length;
};

Span ResizeSpan(int start, int length, int delta, bool nearSide, bool farSide, int lowest, int highest) {
  if (!nearSide && !farSide) return {start, length};
  const std::int64_t end = static_cast<std::int64_t>(start) + length;
  std::int64_t newLength = length;
  if (nearSide) newLength = static_cast<std::int64_t>(length) - delta;
  if (farSide) newLength = static_cast<std::int64_t>(length) + delta;
  newLength = std::clamp<std::int64_t>(newLength, lowest, highest);
  const std::int64_t newStart = nearSide ? end - newLength : start;
  return {SaturatedInt(newStart), static_cast<int>(newLength)};
}

Qt::CursorShape CursorFor(PanelZone zone) {
  switch (zone) {
    case PanelZone::TopLeft:
    case PanelZone::BottomRight:
      return Qt::SizeFDiagCursor;
    case PanelZone::TopRight:
    case PanelZone::BottomLeft:
      return Qt::SizeBDiagCursor;
    case PanelZone::Left:
    case PanelZone::Right:
      return Qt::SizeHorCursor;
    case PanelZone::Top:
    case PanelZone::Bottom:
      return Qt::SizeVerCursor;
    case PanelZone::Client:
    case PanelZone::Caption:
      break;
  }
  return Qt::ArrowCursor;
}

constexpr std::array<PanelZone, 8> GripZones = {PanelZone::TopLeft, PanelZone::Top,        PanelZone::TopRight,
                                                PanelZone::Left,    PanelZone::Right,      PanelZone::BottomLeft,
                                                PanelZone::Bottom,  PanelZone::BottomRight};

// The pixels of a panel of this length that PanelHitTest puts on one side of
// an axis: the near side is <= ResizeMargin from 0, the far side <= ResizeMargin
// from length, the middle is the rest.
Span GripSpan(int length, bool nearSide, bool farSide) {
  const int nearEnd = std::min(length, ResizeMargin + 1);
  const int farStart = std::max(nearEnd, length - ResizeMargin);
  if (nearSide) return {0, nearEnd};
  if (farSide) return {farStart, length - farStart};
  return {nearEnd, farStart - nearEnd};
}

}  // namespace

PanelZone PanelHitTest(int x, int y, int width, int height, PanelAlign align, bool moving) {
  // 64-bit differences so that no pair of ints can overflow.
  const bool nearLeft = x <= ResizeMargin;
  const bool nearRight = static_cast<std::int64_t>(width) - x <= ResizeMargin;
  const bool nearTop = y <= ResizeMargin;
  const bool nearBottom = static_cast<std::int64_t>(height) - y <= ResizeMargin;

  if (align == PanelAlign::Client) return PanelZone::Client;
  if (nearRight && nearBottom) return PanelZone::BottomRight;
  if (nearLeft && nearTop) return PanelZone::TopLeft;
  if (nearRight && nearTop) return PanelZone::TopRight;
  if (nearLeft && nearBottom) return PanelZone::BottomLeft;
  PanelZone zone = moving ? PanelZone::Caption : PanelZone::Client;
  if (nearRight) zone = PanelZone::Right;
  if (nearLeft) zone = PanelZone::Left;
  if (nearBottom) zone = PanelZone::Bottom;
  if (nearTop) zone = PanelZone::Top;
  return zone;
}

CaptionStrip::CaptionStrip(const QString& caption, QWidget* parent)
    : QFrame(parent), label_(new QLabel(caption, this)) {
  setFixedHeight(StripHeight);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(166, 202, 240));
  setPalette(colours);
  setAutoFillBackground(true);

  QFont bold = label_->font();
  bold.setBold(true);
  label_->setFont(bold);
  label_->setAlignment(Qt::AlignCenter);
  label_->setObjectName(QStringLiteral("caption"));
  // Presses on the text belong to the strip, which is the drag handle.
  label_->setAttribute(Qt::WA_TransparentForMouseEvents);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 0, 2, 0);
  row->setSpacing(2);
  row->addWidget(label_, 1);
}

QString CaptionStrip::Caption() const { return label_->text(); }

void CaptionStrip::SetCaption(const QString& caption) { label_->setText(caption); }

ToolWindow::ToolWindow(const char* name, QRect geometry, QWidget* parent) : QFrame(parent) {
  setObjectName(name);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(2);
  setContentsMargins(2, 2, 2, 2);
  SetBackground(this, palette().color(QPalette::Button));
  setGeometry(geometry);
  hide();
}

CaptionStrip* ToolWindow::AddCaption(const char* name, const QString& caption, int top, PanelDragger& dragger) {
  auto* strip = new CaptionStrip(caption, this);
  strip->setObjectName(name);
  strip->setGeometry(contentsRect().left(), top, contentsRect().width(), CaptionStrip::StripHeight);
  dragger.AddHandle(strip, this);
  return strip;
}

FreePanel::FreePanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setContentsMargins(4, 4, 4, 4);
  setAutoFillBackground(true);
  // A grip paints nothing and passes its mouse events on to the panel (a
  // plain QWidget ignores them), so the panel's handlers do the resizing.
  for (std::size_t i = 0; i < GripZones.size(); ++i) {
    auto* grip = new QWidget(this);
    grip->setObjectName(QStringLiteral("resizeGrip"));
    grip->setCursor(CursorFor(GripZones[i]));
    grips_[i] = grip;
  }
  PlaceGrips();
}

void FreePanel::SetMoving(bool moving) {
  if (moving && align_ == PanelAlign::None) moving_ = true;
}

void FreePanel::SetAlign(PanelAlign align) {
  align_ = align;
  if (align_ != PanelAlign::None) resizing_ = PanelZone::Client;
  // Aligned, the panel does not resize, and its children get every press.
  for (QWidget* grip : grips_) grip->setVisible(align_ == PanelAlign::None);
}

PanelZone FreePanel::ZoneAt(QPoint p) const { return PanelHitTest(p.x(), p.y(), width(), height(), align_, moving_); }

void FreePanel::PlaceGrips() {
  for (std::size_t i = 0; i < GripZones.size(); ++i) {
    const PanelZone zone = GripZones[i];
    const Span across = GripSpan(width(), HasLeftSide(zone), HasRightSide(zone));
    const Span down = GripSpan(height(), HasTopSide(zone), HasBottomSide(zone));
    grips_[i]->setGeometry(across.Start, down.Start, across.Length, down.Length);
  }
}

void FreePanel::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  PlaceGrips();
}

void FreePanel::childEvent(QChildEvent* event) {
  QFrame::childEvent(event);
  // A child added later would stack above the grips and take the margin's presses.
  if (event->added() && event->child()->isWidgetType())
    for (QWidget* grip : grips_)
      if (grip) grip->raise();
}

void FreePanel::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() != Qt::LeftButton || align_ != PanelAlign::None) {
    QFrame::mousePressEvent(event);
    return;
  }
  // The margins resize whatever lies under them; a moving panel is dragged
  // by its bare body only, not by a press a child passed on.
  const PanelZone zone = ZoneAt(p);
  if (zone == PanelZone::Client || (zone == PanelZone::Caption && childAt(p) != nullptr)) {
    QFrame::mousePressEvent(event);
    return;
  }
  resizing_ = zone;
  pressGlobal_ = event->globalPosition().toPoint();
  pressGeometry_ = geometry();
  event->accept();
}

void FreePanel::mouseMoveEvent(QMouseEvent* event) {
  if (resizing_ != PanelZone::Client) {
    // A lost release must not leave the frame stuck to the pointer.
    if (!(event->buttons() & Qt::LeftButton)) {
      resizing_ = PanelZone::Client;
    } else {
      const QPoint global = event->globalPosition().toPoint();
      const int dx = SaturatedInt(static_cast<std::int64_t>(global.x()) - pressGlobal_.x());
      const int dy = SaturatedInt(static_cast<std::int64_t>(global.y()) - pressGlobal_.y());
      if (resizing_ == PanelZone::Caption) {
        move(SaturatedInt(static_cast<std::int64_t>(pressGeometry_.x()) + dx),
             SaturatedInt(static_cast<std::int64_t>(pressGeometry_.y()) + dy));
      } else {
        const int maxWidth = maximumWidth(), maxHeight = maximumHeight();
        const int minWidth = std::min(std::max({MinWidth, minimumWidth(), 1}), maxWidth);
        const int minHeight = std::min(std::max({MinHeight, minimumHeight(), 1}), maxHeight);
        const Span across = ResizeSpan(pressGeometry_.x(), pressGeometry_.width(), dx, HasLeftSide(resizing_),
                                       HasRightSide(resizing_), minWidth, maxWidth);
        const Span down = ResizeSpan(pressGeometry_.y(), pressGeometry_.height(), dy, HasTopSide(resizing_),
                                     HasBottomSide(resizing_), minHeight, maxHeight);
        setGeometry(across.Start, down.Start, across.Length, down.Length);
      }
      event->accept();
      return;
    }
  }
  QFrame::mouseMoveEvent(event);
}

void FreePanel::mouseReleaseEvent(QMouseEvent* event) {
  if (resizing_ != PanelZone::Client && event->button() == Qt::LeftButton) {
    resizing_ = PanelZone::Client;
    event->accept();
    return;
  }
  QFrame::mouseReleaseEvent(event);
}

PanelDragger::PanelDragger(QObject* parent) : QObject(parent) {}

void PanelDragger::AddHandle(QWidget* handle, QWidget* panel, std::function<bool()> canDrag) {
  if (handle == nullptr || panel == nullptr) return;
  std::erase_if(handles_, [handle](const Handle& h) { return h.Widget.isNull() || h.Widget == handle; });
  handles_.push_back({handle, panel, std::move(canDrag)});
  handle->installEventFilter(this);
}

bool PanelDragger::IsDragging(const QWidget* panel) const { return panel != nullptr && dragging_.data() == panel; }

const PanelDragger::Handle* PanelDragger::FindHandle(const QObject* widget) const {
  for (const Handle& h : handles_) {
    if (!h.Widget.isNull() && h.Widget.data() == widget) return &h;
  }
  return nullptr;
}

bool PanelDragger::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
    return QObject::eventFilter(watched, event);
  }
  const Handle* handle = FindHandle(watched);
  if (handle == nullptr || handle->Panel.isNull()) return QObject::eventFilter(watched, event);
  QWidget* panel = handle->Panel.data();
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint global = mouse->globalPosition().toPoint();

  if (type == QEvent::MouseButtonPress) {
    // A panel that is its own handle is dragged by its bare parts only.
    if (watched == panel && panel->childAt(mouse->position().toPoint()) != nullptr) return false;
    if (handle->CanDrag && !handle->CanDrag()) return false;
    dragging_ = panel;
    start_ = {global.x(), global.y(), panel->x(), panel->y()};
    event->accept();
    return true;
  }

  if (dragging_.data() != panel) return false;

  if (type == QEvent::MouseMove) {
    // A move with nothing held means the release went elsewhere: the drag is over.
    if (mouse->buttons() == Qt::NoButton) {
      dragging_.clear();
      return false;
    }
    panel->move(SaturatedInt(static_cast<std::int64_t>(start_.PanelLeft) + global.x() - start_.CursorX),
                SaturatedInt(static_cast<std::int64_t>(start_.PanelTop) + global.y() - start_.CursorY));
    event->accept();
    return true;
  }

  dragging_.clear();
  event->accept();
  return true;
}

}  // namespace chromaloom
