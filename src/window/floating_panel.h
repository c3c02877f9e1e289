// Tool windows float inside the main window and are dragged by their
// caption strips; the picture window can also be resized by its edges.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

namespace chromaloom {

class PanelDragger;

// Where a pointer on a resizable panel is, in the order the panel asks.
enum class PanelZone { Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// A panel floats freely, or fills its parent (the maximised picture window).
enum class PanelAlign { None, Client };

constexpr int ResizeMargin = 5;

// x, y in the panel's client coordinates; width, height its size.
PanelZone PanelHitTest(int x, int y, int width, int height, PanelAlign align, bool moving);

// A 17-pixel sky-blue strip with a bold caption: the drag handle of a panel.
class CaptionStrip : public QFrame {
  Q_OBJECT
 public:
  CaptionStrip(const QString& caption, QWidget* parent);
  static constexpr int StripHeight = 17;
  QString Caption() const;
  void SetCaption(const QString& caption);

 private:
  QLabel* label_;
};

// A floating tool window: a raised frame over the work area, hidden until
// asked for, dragged by its caption strips.
class ToolWindow : public QFrame {
  Q_OBJECT
 public:
  ToolWindow(const char* name, QRect geometry, QWidget* parent);

 protected:
  // A caption strip across the inside at top, registered as a drag handle.
  CaptionStrip* AddCaption(const char* name, const QString& caption, int top, PanelDragger& dragger);
};

// The resizable panel: its edges and corners resize it down to a minimum size
// while it is not aligned (maximised). Its margins resize whatever child lies
// under them: see-through grips above every child take the presses there.
class FreePanel : public QFrame {
  Q_OBJECT
 public:
  explicit FreePanel(QWidget* parent = nullptr);

  int MinWidth = 0;
  int MinHeight = 0;
  bool Moving() const { return moving_; }
  // Only true is taken, and only while the panel is not aligned.
  void SetMoving(bool moving);
  PanelAlign Align() const { return align_; }
  void SetAlign(PanelAlign align);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void childEvent(QChildEvent* event) override;

 private:
  PanelZone ZoneAt(QPoint p) const;
  void PlaceGrips();
  // One per edge and corner, in the order of GripZones.
  std::array<QWidget*, 8> grips_{};
  bool moving_ = false;
  PanelAlign align_ = PanelAlign::None;
  PanelZone resizing_ = PanelZone::Client;
  QPoint pressGlobal_;
  QRect pressGeometry_;
};

// The one drag mechanism of all floating panels. Each handle drags its
// panel with any mouse button; one start record serves every panel, as
// only one drag can be under way.
class PanelDragger : public QObject {
  Q_OBJECT
 public:
  explicit PanelDragger(QObject* parent = nullptr);
  // canDrag is asked at each press (the picture window refuses while maximised).
  void AddHandle(QWidget* handle, QWidget* panel, std::function<bool()> canDrag = {});
  bool IsDragging(const QWidget* panel) const;

  struct DragStart {
    int CursorX = 0;
    int CursorY = 0;
    int PanelLeft = 0;
    int PanelTop = 0;
  };
  const DragStart& PanelDragStart() const { return start_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Handle {
    QPointer<QWidget> Widget;
    QPointer<QWidget> Panel;
    std::function<bool()> CanDrag;
  };
  const Handle* FindHandle(const QObject* widget) const;
  std::vector<Handle> handles_;
  QPointer<QWidget> dragging_;
  DragStart start_;
};

}  // namespace chromaloom
