#include "window/corrector_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <vector>

#include "editing/colour_corrector.h"
#include "window/image_view.h"

namespace chromaloom {

namespace {

// A 16 x 13 close box: a framed face with a black cross.
QPixmap CloseIcon() {
  QImage icon(16, 13, QImage::Format_RGB32);
  icon.fill(QColor(212, 208, 200));
  for (int x = 0; x < 16; ++x) {
    icon.setPixel(x, 0, qRgb(255, 255, 255));
    icon.setPixel(x, 12, qRgb(64, 64, 64));
  }
  for (int y = 0; y < 13; ++y) {
    icon.setPixel(0, y, qRgb(255, 255, 255));
    icon.setPixel(15, y, qRgb(64, 64, 64));
  }
  // Two pixels wide so it reads at 1:1.
  for (int i = 0; i < 6; ++i) {
    for (const int dx : {0, 1}) {
      icon.setPixel(5 + i + dx, 3 + i, qRgb(0, 0, 0));
      icon.setPixel(10 - i + dx, 3 + i, qRgb(0, 0, 0));
    }
  }
  return QPixmap::fromImage(icon);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry, bool enabled,
                        const QString& tip) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setGeometry(geometry);
  button->setEnabled(enabled);
  return button;
}

ImageView* MakeView(const Raster& raster, QWidget* parent, const char* name, QPoint at, const QString& tip) {
  auto* view = new ImageView(raster, parent);
  view->setObjectName(name);
  view->setToolTip(tip);
  view->move(at);
  return view;
}

// The detail frames show 12 cell heights plus two grid lines.
int DetailHeight(int cellHeight) { return 12 * cellHeight + 2; }

}  // namespace

CorrectorWindow::CorrectorWindow(const CorrectorImages& images, PanelDragger& dragger, QWidget* parent)
    : ToolWindow("correctorWindow", {72, 8, 1041, 585}, parent) {
  CaptionStrip* caption = AddCaption("correctorCaption", QCoreApplication::translate("Corrector", "Color Corrector"),
                                     contentsRect().top(), dragger);
  closeIcon_ = new QLabel(caption);
  closeIcon_->setObjectName("closeIcon");
  closeIcon_->setFixedSize(16, 13);
  closeIcon_->setPixmap(CloseIcon());
  closeIcon_->setCursor(Qt::PointingHandCursor);
  closeIcon_->setToolTip(QCoreApplication::translate("Corrector", "Close the Color Corrector"));
  // The press must close the window, not start a drag of the strip.
  closeIcon_->installEventFilter(this);
  caption->layout()->addWidget(closeIcon_);

  const QString screenTip = QCoreApplication::translate("Corrector", "Screen %1 alone; click a cell to see it below");
  screens_[0] = MakeView(images.Screen0, this, "correctorScreen0", {3, 22}, screenTip.arg(0));
  screens_[1] = MakeView(images.Screen1, this, "correctorScreen1", {520, 22}, screenTip.arg(1));
  for (ImageView* view : screens_)
    connect(view, &ImageView::MouseDown, this,
            [this, view](QMouseEvent* event) { emit CellPressed(view->RasterPoint(event)); });

  const QPoint frameCorners[2] = {{8, 414}, {520, 414}};
  for (int i = 0; i < 2; ++i) {
    auto* frame = new QFrame(this);
    frame->setObjectName(QString("cellDetailFrame%1").arg(i));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(QRect(frameCorners[i], QSize(CorrectorDetailSize + 2, CorrectorDetailSize + 2)));
    detailFrames_[i] = frame;
  }
  const QString detailTip = QCoreApplication::translate("Corrector", "The chosen cell of screen %1, enlarged");
  details_[0] = MakeView(images.Detail0, detailFrames_[0], "cellDetail0", {1, 1}, detailTip.arg(0));
  details_[1] = MakeView(images.Detail1, detailFrames_[1], "cellDetail1", {1, 1}, detailTip.arg(1));

  const struct {
    const char* Name;
    const char* Label;
    const char* LabelName;
    QPoint At;
    QString Tip;
  } strips[] = {{"correctorPaperStrip0",
                 "P0",
                 "correctorPaperLabel0",
                 {139, 414},
                 QCoreApplication::translate("Corrector", "The chosen cell's PAPER of screen 0")},
                {"correctorInkStrip0",
                 "I0",
                 "correctorInkLabel0",
                 {139, 437},
                 QCoreApplication::translate("Corrector", "The chosen cell's INK of screen 0")},
                {"correctorPaperStrip1",
                 "P1",
                 "correctorPaperLabel1",
                 {655, 414},
                 QCoreApplication::translate("Corrector", "The chosen cell's PAPER of screen 1")},
                {"correctorInkStrip1",
                 "I1",
                 "correctorInkLabel1",
                 {655, 437},
                 QCoreApplication::translate("Corrector", "The chosen cell's INK of screen 1")}};
  for (int i = 0; i < 4; ++i)
    strips_[i] = MakeView(images.Strips[i], this, strips[i].Name, strips[i].At, strips[i].Tip);
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(QString::fromLatin1(strips[i].Label), this);
    label->setObjectName(strips[i].LabelName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(strips_[i]->x() - 21, strips_[i]->y(), 18, strips_[i]->height());
  }

  QPushButton* exchange = MakeButton(
      this, "exchangeCellsButton", QCoreApplication::translate("Corrector", "Exchange Chars between screens"),
      {8, 552, 1025, 25}, true,
      QCoreApplication::translate(
          "Corrector",
          "Swap the chosen cell's pixels and attributes between screen 0 and screen 1; the mix stays the same"));
  // Shown greyed as they always were, so users of the layout find them; the
  // tooltip says why they do nothing.
  const QString notBuilt =
      QCoreApplication::translate("Corrector", "Not available: this exchange is not built in this version. %1");
  const QString ink = notBuilt.arg(QCoreApplication::translate(
      "Corrector", "To change an ink, pick a colour in the I0 or I1 strip of the palette."));
  const QString paper = notBuilt.arg(QCoreApplication::translate(
      "Corrector", "To change a paper, pick a colour in the P0 or P1 strip of the palette."));
  const QString whole = notBuilt.arg(
      QCoreApplication::translate("Corrector", "Exchange Chars between screens below swaps a whole cell."));
  MakeButton(this, "exchangeInksButton",
             QCoreApplication::translate("Corrector", "Exchange INK0 / INK1 without pixels"), {8, 520, 505, 25}, false,
             ink);
  MakeButton(this, "exchangePapersButton",
             QCoreApplication::translate("Corrector", "Exchange PAP0 / PAP1 without pixels"), {520, 520, 513, 25},
             false, paper);
  MakeButton(this, "swapInkPaper0Button", QCoreApplication::translate("Corrector", "Exchange INK/PAP with PIX"),
             {120, 464, 153, 25}, false, whole);
  MakeButton(this, "swapInkPaper1Button", QCoreApplication::translate("Corrector", "Exchange INK/PAP with PIX"),
             {632, 464, 153, 25}, false, whole);
  connect(exchange, &QPushButton::clicked, this, &CorrectorWindow::ExchangeCellsClicked);
}

void CorrectorWindow::SizeDetailFrames(int cellHeight) {
  for (QFrame* frame : detailFrames_) frame->setFixedHeight(DetailHeight(cellHeight) + 2);
  // The images keep their 98 rows; the frame shows the rows in use.
  for (ImageView* view : details_) {
    view->SyncSize();
    view->setFixedHeight(std::min(view->height(), DetailHeight(cellHeight)));
  }
}

void CorrectorWindow::RepaintCell(int column, int row, int cellHeight) {
  // The screens are shown at 2:1.
  const std::vector<Rect> area{{column * 16, row * 2 * cellHeight, 16, 2 * cellHeight}};
  for (ImageView* view : screens_) view->RepaintRasterAreas(area);
}

void CorrectorWindow::RepaintImages() {
  for (ImageView* view : screens_) view->update();
  for (ImageView* view : details_) view->update();
  for (ImageView* view : strips_) view->update();
}

bool CorrectorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == closeIcon_ && event->type() == QEvent::MouseButtonPress) {
    hide();
    return true;
  }
  return ToolWindow::eventFilter(watched, event);
}

}  // namespace chromaloom
