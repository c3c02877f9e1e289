#include "window/corrector_panel.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

#include "editing/editor.h"
#include "selection/colour_corrector.h"
#include "window/floating_panel.h"
#include "window/image_view.h"
#include "window/widget_colours.h"

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

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect geometry, bool enabled) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setEnabled(enabled);
  return button;
}

ImageView* MakeView(const Raster& raster, QWidget* parent, const char* name, QPoint at) {
  auto* view = new ImageView(raster, parent);
  view->setObjectName(name);
  view->move(at);
  return view;
}

// The detail frames show 12 cell heights plus two grid lines.
int DetailHeight(int charMode) { return 12 * charMode + 2; }

}  // namespace

CorrectorPanel::CorrectorPanel(Editor& editor, QWidget* parent) : QFrame(parent), editor_(editor) {
  setObjectName("Panel_Corrector");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(2);
  setContentsMargins(2, 2, 2, 2);
  SetBackground(this, palette().color(QPalette::Button));
  setGeometry(72, 8, 1041, 585);

  const QRect inside = contentsRect();
  Panel12 = new CaptionStrip("Color Corrector", this);
  Panel12->setObjectName("Panel12");
  Panel12->setGeometry(inside.left(), inside.top(), inside.width(), CaptionStrip::StripHeight);
  Image16 = new QLabel(Panel12);
  Image16->setObjectName("Image16");
  Image16->setFixedSize(16, 13);
  Image16->setPixmap(CloseIcon());
  Image16->setCursor(Qt::PointingHandCursor);
  // The press must close the panel, not start a drag of the strip.
  Image16->installEventFilter(this);
  Panel12->layout()->addWidget(Image16);

  const Renderer& render = editor_.Render;
  IMGCorrector0 = MakeView(render.CorrectorScreen0, this, "IMGCorrector0", {3, 22});
  IMGCorrector1 = MakeView(render.CorrectorScreen1, this, "IMGCorrector1", {520, 22});
  for (ImageView* view : {IMGCorrector0, IMGCorrector1})
    connect(view, &ImageView::MouseDown, this,
            [this, view](QMouseEvent* event) { IMGCorrector0MouseDown(view, event); });

  const CorrectorState& corrector = editor_.Corrector;
  const std::pair<QFrame**, const char*> frames[2] = {{&PanelCorrChar0, "PanelCorrChar0"},
                                                      {&PanelCorrChar1, "PanelCorrChar1"}};
  const QPoint frameCorners[2] = {{8, 414}, {520, 414}};
  for (int i = 0; i < 2; ++i) {
    auto* frame = new QFrame(this);
    frame->setObjectName(frames[i].second);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(QRect(frameCorners[i], QSize(CorrectorDetailSize + 2, CorrectorDetailSize + 2)));
    *frames[i].first = frame;
  }
  IMGCorrChar0 = MakeView(corrector.Detail0, PanelCorrChar0, "IMGCorrChar0", {1, 1});
  IMGCorrChar1 = MakeView(corrector.Detail1, PanelCorrChar1, "IMGCorrChar1", {1, 1});

  ImgCorrPAP0 = MakeView(corrector.Strips[0], this, "ImgCorrPAP0", {139, 414});
  ImgCorrINK0 = MakeView(corrector.Strips[1], this, "ImgCorrINK0", {139, 437});
  ImgCorrPAP1 = MakeView(corrector.Strips[2], this, "ImgCorrPAP1", {655, 414});
  ImgCorrINK1 = MakeView(corrector.Strips[3], this, "ImgCorrINK1", {655, 437});

  struct Caption {
    const char* Name;
    const char* Text;
    const ImageView* Strip;
  };
  for (const Caption& c : {Caption{"StaticText1", "P0", ImgCorrPAP0}, Caption{"StaticText2", "I0", ImgCorrINK0},
                           Caption{"StaticText3", "P1", ImgCorrPAP1}, Caption{"StaticText4", "I1", ImgCorrINK1}}) {
    auto* label = new QLabel(QString::fromLatin1(c.Text), this);
    label->setObjectName(c.Name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(c.Strip->x() - 21, c.Strip->y(), 18, c.Strip->height());
  }

  Button1 = MakeButton(this, "Button1", "Exchange Chars between screens", {8, 552, 1025, 25}, true);
  Button8 = MakeButton(this, "Button8", "Exchange INK0 / INK1 without pixels", {8, 520, 505, 25}, false);
  Button9 = MakeButton(this, "Button9", "Exchange PAP0 / PAP1 without pixels", {520, 520, 513, 25}, false);
  Button2 = MakeButton(this, "Button2", "Exchange INK/PAP with PIX", {120, 464, 153, 25}, false);
  Button3 = MakeButton(this, "Button3", "Exchange INK/PAP with PIX", {632, 464, 153, 25}, false);
  connect(Button1, &QPushButton::clicked, this, &CorrectorPanel::Button1Click);

  SizeDetailFrames();
  hide();
}

void CorrectorPanel::SizeDetailFrames() {
  const int h = editor_.Document.CharMode;
  for (QFrame* frame : {PanelCorrChar0, PanelCorrChar1}) frame->setFixedHeight(DetailHeight(h) + 2);
  // The images keep their 98 rows; the frame shows the rows in use.
  for (ImageView* view : {IMGCorrChar0, IMGCorrChar1}) {
    view->SyncSize();
    view->setFixedHeight(std::min(view->height(), DetailHeight(h)));
  }
}

void CorrectorPanel::ShowHide1Click() {
  if (!isHidden()) {
    hide();
    return;
  }
  SizeDetailFrames();
  ShowCorrector(editor_);
  show();
  raise();  // over the other panels, as they come up too
  RepaintImages();
}

void CorrectorPanel::Image16Click() { hide(); }

void CorrectorPanel::TickAnts() {
  if (!isVisible()) return;
  DrawCorrectorAnts(editor_);
  RepaintCellOutline();
}

void CorrectorPanel::RepaintCellOutline() {
  const CorrectorCellArea cell = CorrectorCellInPicture(editor_);
  const std::vector<Rect> area{{cell.Column * 16, cell.Row * 2 * cell.Height, 16, 2 * cell.Height}};
  IMGCorrector0->RepaintRasterAreas(area);
  IMGCorrector1->RepaintRasterAreas(area);
}

void CorrectorPanel::RepaintImages() {
  for (ImageView* view : {IMGCorrector0, IMGCorrector1, IMGCorrChar0, IMGCorrChar1, ImgCorrPAP0, ImgCorrINK0,
                          ImgCorrPAP1, ImgCorrINK1})
    view->update();
}

void CorrectorPanel::IMGCorrector0MouseDown(const ImageView* view, const QMouseEvent* event) {
  const QPoint at = view->RasterPoint(event);
  ChooseCorrectorCell(editor_, at.x(), at.y());
  RepaintImages();
}

void CorrectorPanel::Button1Click() {
  ExchangeCorrectorCell(editor_);
  RepaintImages();
}

bool CorrectorPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image16 && event->type() == QEvent::MouseButtonPress) {
    Image16Click();
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace chromaloom
