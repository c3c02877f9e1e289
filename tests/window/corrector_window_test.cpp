// The corrector panel driven through its widgets, as the user reaches it.
#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

#include "editing/colour_corrector.h"
#include "editing/picture_commands.h"
#include "window/floating_panel.h"
#include "window/main_window.h"

#include "support/random_picture.h"
#include "support/window_test_support.h"

namespace chromaloom {

using test_support::Child;
using test_support::PressAndRelease;

class CorrectorWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;
  QWidget* panel_ = nullptr;

  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  }
  static void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(widget, QEvent::MouseButtonPress, at, button, button);
    Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }

  QWidget* Part(const char* name) const { return Child<QWidget>(*panel_, QString::fromLatin1(name)); }
  Document& Doc() { return window_->Document(); }
  View& Display() { return window_->View(); }
  CorrectorState& Corrector() { return window_->Controller().Corrector().State(); }
  // The core's rasters of the corrector's two screen views.
  static const Raster& ScreenView(const View& view, int screen) {
    return screen == 0 ? view.Render.CorrectorScreen0 : view.Render.CorrectorScreen1;
  }
  // Menu "Color Corrector" > "Show/Hide".
  void ShowHide() { Child<QAction>(*window_, "showCorrectorAction")->trigger(); }

  void ShowWithMode(int h) {
    Doc() = Document(test_support::RandomPicture(h, 9));
    ShowHide();
    QVERIFY(panel_->isVisible());
  }

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>(QStringList{});
    window_->resize(1200, 700);
    window_->show();
    panel_ = Child<QWidget>(*window_, "correctorWindow");
    // The tests tick by hand, so the ants are where each test expects them.
    Child<QTimer>(*window_, "antsTimer")->stop();
    QCoreApplication::processEvents();
  }
  void cleanup() { window_.reset(); }

  void startsHiddenAtItsPlace() {
    QVERIFY(panel_->isHidden());
    QCOMPARE(panel_->geometry(), QRect(72, 8, 1041, 585));
    QCOMPARE(Child<CaptionStrip>(*panel_, "correctorCaption")->Caption(), QString("Color Corrector"));
  }

  void componentsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    for (const auto& [name, geometry] :
         std::initializer_list<std::pair<const char*, QRect>>{{"correctorScreen0", {3, 22, 512, 384}},
                                                              {"correctorScreen1", {520, 22, 512, 384}},
                                                              {"cellDetailFrame0", {8, 414, 100, 100}},
                                                              {"cellDetailFrame1", {520, 414, 100, 100}},
                                                              {"cellDetail0", {1, 1, 98, 98}},
                                                              {"cellDetail1", {1, 1, 98, 98}},
                                                              {"correctorPaperStrip0", {139, 414, 240, 16}},
                                                              {"correctorInkStrip0", {139, 437, 240, 16}},
                                                              {"correctorPaperStrip1", {655, 414, 240, 16}},
                                                              {"correctorInkStrip1", {655, 437, 240, 16}},
                                                              {"exchangeCellsButton", {8, 552, 1025, 25}},
                                                              {"exchangeInksButton", {8, 520, 505, 25}},
                                                              {"exchangePapersButton", {520, 520, 513, 25}},
                                                              {"swapInkPaper0Button", {120, 464, 153, 25}},
                                                              {"swapInkPaper1Button", {632, 464, 153, 25}}})
      QTest::newRow(name) << QString(name) << geometry;
  }
  void componentsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    ConvertCellHeight(Doc(), 8);
    ShowHide();
    QWidget* child = panel_->findChild<QWidget*>(name);
    QVERIFY(child);
    QCOMPARE(child->geometry(), geometry);
  }

  void captionStripCarriesTheCloseImageAtItsRightEnd() {
    ShowHide();
    QCoreApplication::processEvents();
    QWidget* caption = Part("correctorCaption");
    const QRect strip = caption->geometry();
    QCOMPARE(strip.height(), 17);
    QVERIFY(strip.top() <= 4 && strip.bottom() < 22);
    QVERIFY(strip.left() <= 4 && strip.right() >= panel_->width() - 5);
    QWidget* close = Part("closeIcon");
    QCOMPARE(close->parentWidget(), caption);
    QCOMPARE(close->size(), QSize(16, 13));
    QVERIFY(close->geometry().right() >= strip.width() - 5);
    QVERIFY(close->geometry().left() > strip.width() / 2);
  }

  void stripLabelsStandLeftOfTheirStrips() {
    const std::pair<const char*, const char*> labels[] = {{"correctorPaperLabel0", "P0"},
                                                          {"correctorInkLabel0", "I0"},
                                                          {"correctorPaperLabel1", "P1"},
                                                          {"correctorInkLabel1", "I1"}};
    const QWidget* strips[] = {Part("correctorPaperStrip0"), Part("correctorInkStrip0"), Part("correctorPaperStrip1"),
                               Part("correctorInkStrip1")};
    for (int i = 0; i < 4; ++i) {
      auto* label = panel_->findChild<QLabel*>(labels[i].first);
      QVERIFY(label);
      QCOMPARE(label->text(), QString(labels[i].second));
      QVERIFY(label->geometry().right() < strips[i]->x());
      QVERIFY(label->geometry().intersects(QRect(0, strips[i]->y(), panel_->width(), strips[i]->height())));
    }
  }

  void buttonsHaveTheirCaptionsAndOnlyTheExchangeWorks() {
    ShowWithMode(4);
    auto* exchange = Child<QPushButton>(*panel_, "exchangeCellsButton");
    const std::pair<QPushButton*, const char*> buttons[] = {
        {exchange, "Exchange Chars between screens"},
        {Child<QPushButton>(*panel_, "exchangeInksButton"), "Exchange INK0 / INK1 without pixels"},
        {Child<QPushButton>(*panel_, "exchangePapersButton"), "Exchange PAP0 / PAP1 without pixels"},
        {Child<QPushButton>(*panel_, "swapInkPaper0Button"), "Exchange INK/PAP with PIX"},
        {Child<QPushButton>(*panel_, "swapInkPaper1Button"), "Exchange INK/PAP with PIX"}};
    for (const auto& [button, caption] : buttons) {
      QCOMPARE(button->text(), QString(caption));
      QCOMPARE(button->isEnabled(), button == exchange);
      // A greyed button says why.
      QVERIFY(button == exchange || button->toolTip().startsWith("Not available"));
    }
    const Picture before = Doc().Picture();
    for (const auto& [button, caption] : buttons)
      if (button != exchange) PressAndRelease(button);
    QVERIFY(Doc().Picture() == before);
  }

  void showingSizesTheDetailFramesForTheCellHeight_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("frame");
    QTest::newRow("8x8") << 8 << 100;
    QTest::newRow("8x4") << 4 << 52;
    QTest::newRow("8x2") << 2 << 28;
    QTest::newRow("8x1") << 1 << 16;
  }
  void showingSizesTheDetailFramesForTheCellHeight() {
    QFETCH(int, h);
    QFETCH(int, frame);
    ShowWithMode(h);
    for (const char* name : {"cellDetailFrame0", "cellDetailFrame1"}) {
      QCOMPARE(Part(name)->height(), frame);
      QCOMPARE(Part(name)->width(), 100);
    }
    for (const char* name : {"cellDetail0", "cellDetail1"}) {
      QCOMPARE(Part(name)->height(), frame - 2);
      QCOMPARE(Part(name)->pos(), QPoint(1, 1));
    }
    // The heights follow the mode only when the panel is shown.
    ConvertCellHeight(Doc(), h == 8 ? 1 : 8);
    window_->AntsTimerTick();
    QCOMPARE(Part("cellDetailFrame0")->height(), frame);
    ShowHide();
    ShowHide();
    QCOMPARE(Part("cellDetailFrame0")->height(), h == 8 ? 16 : 100);
  }

  void showingRendersTheScreensAfresh() {
    Doc() = Document(test_support::RandomPicture(2, 12));
    ShowHide();
    const Document reference(Doc().Picture());
    View referenceView(reference.Picture());
    CorrectorState referenceCorrector;
    referenceView.Render.RedrawCorrector(true);
    UpdateCorrectorDetails(referenceCorrector, reference.Picture(), referenceView.Render.CorrectorSource0,
                           referenceView.Render.CorrectorSource1);
    const QImage shown = Part("correctorScreen1")->grab().toImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(301, 77), QPoint(511, 383)})
      QCOMPARE(shown.pixel(p) | 0xFF000000u, ScreenView(referenceView, 1).At(p.x(), p.y()));
    const QImage detail = Part("cellDetail0")->grab().toImage();
    for (const QPoint p : {QPoint(40, 10), QPoint(97, 25), QPoint(3, 3)})
      QCOMPARE(detail.pixel(p) | 0xFF000000u, referenceCorrector.Detail0.At(p.x(), p.y()));
  }

  void showHideToggleAndTheCloseImageHides() {
    ShowHide();
    QVERIFY(panel_->isVisible());
    ShowHide();
    QVERIFY(panel_->isHidden());
    ShowHide();
    QVERIFY(panel_->isVisible());

    // The close image must not start a drag of its caption strip.
    const PanelDragger* dragger = Child<PanelDragger>(*window_, "panelDragger");
    QWidget* close = Part("closeIcon");
    const QPoint shownAt = panel_->pos();
    Send(close, QEvent::MouseButtonPress, {8, 6}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(panel_->isHidden());
    QVERIFY(!dragger->IsDragging(panel_));
    Send(close, QEvent::MouseButtonRelease, {8, 6}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(panel_->pos(), shownAt);

    ShowHide();
    QWidget* caption = Part("correctorCaption");
    const QPoint at(300, 8);
    const QPoint global = caption->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(global), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(caption, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, -10)), QPointF(global + QPoint(30, -10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(caption, &move);
    QCOMPARE(panel_->pos(), shownAt + QPoint(30, -10));
  }

  void pressOnEitherScreenChoosesTheCell() {
    ShowWithMode(4);
    Press(Part("correctorScreen0"), {100, 37});
    QCOMPARE(Corrector().Column, 6);
    QCOMPARE(Corrector().Row, 4);
    Press(Part("correctorScreen1"), {511, 383}, Qt::RightButton);
    QCOMPARE(Corrector().Column, 31);
    QCOMPARE(Corrector().Row, 47);
    // The details follow the chosen cell: its pixels in the middle block.
    QCOMPARE(Corrector().Detail1.At(64, 32), Display().Render.ScreenRaster1.At(255, 191));
  }

  void detailImagesAndStripsTakeNoMouseInput() {
    ShowWithMode(8);
    Press(Part("correctorScreen0"), {40, 40});
    for (const char* passive : {"cellDetail0", "correctorPaperStrip0", "correctorInkStrip1"})
      Press(Part(passive), {5, 5});
    QCOMPARE(Corrector().Column, 2);
    QCOMPARE(Corrector().Row, 2);
    QCOMPARE(Doc().CellHeight(), 8);
  }

  void exchangeButtonTradesTheCellBetweenTheScreens() {
    ShowWithMode(2);
    Press(Part("correctorScreen0"), {16 * 7 + 3, 4 * 30 + 1});
    const Picture before = Doc().Picture();
    PressAndRelease(Child<QPushButton>(*panel_, "exchangeCellsButton"));
    for (const int line : {60, 61}) {
      QCOMPARE(Doc().Picture().Pixels[0].At(7, line), before.Pixels[1].At(7, line));
      QCOMPARE(Doc().Picture().Pixels[1].At(7, line), before.Pixels[0].At(7, line));
      QVERIFY(Doc().Picture().Attrs[0].At(7, line) == before.Attrs[1].At(7, line));
    }
    QCOMPARE(Doc().Picture().Pixels[0].At(7, 62), before.Pixels[0].At(7, 62));
    // The view shows the exchanged screen.
    const QImage shown = Part("correctorScreen0")->grab().toImage();
    QCOMPARE(shown.pixel(16 * 7 + 4, 4 * 30 + 2) | 0xFF000000u, Display().Render.ScreenRaster0.At(8 * 7 + 2, 61));
    const Document reference(Doc().Picture());
    View referenceView(reference.Picture());
    referenceView.Render.RedrawCorrector(true);
    QVERIFY(ScreenView(Display(), 0) == ScreenView(referenceView, 0));
  }

  void tickDrawsTheOutlineAroundTheCellOnlyWhileVisible() {
    NewPicture(Doc(), 8);  // black: the outline's white dashes show
    ShowHide();
    const Raster unmarked = ScreenView(Display(), 0);
    Press(Part("correctorScreen0"), {16 * 3 + 1, 16 * 5 + 1});
    QVERIFY2(!(ScreenView(Display(), 0) == unmarked), "the click marks the cell at once");
    const Raster before = ScreenView(Display(), 0);
    window_->AntsTimerTick();
    QVERIFY(!(ScreenView(Display(), 0) == before));
    QVERIFY(ScreenView(Display(), 1) == ScreenView(Display(), 0));
    // White dashes on the cell's top edge, in the image and on screen.
    const QImage shown = Part("correctorScreen0")->grab().toImage();
    int white = 0;
    for (int x = 48; x < 64; ++x) {
      white += shown.pixel(x, 80) == qRgb(255, 255, 255);
      QCOMPARE(shown.pixel(x, 79), qRgb(0, 0, 0));
    }
    QVERIFY(white > 0);

    ShowHide();  // hidden: the tick draws nothing
    const Raster hiddenBefore = ScreenView(Display(), 0);
    window_->AntsTimerTick();
    QVERIFY(ScreenView(Display(), 0) == hiddenBefore);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::CorrectorWindowTest)
#include "corrector_window_test.moc"
