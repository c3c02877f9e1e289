// The corrector panel driven through its widgets, as the user reaches it.
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "editing/editor.h"
#include "selection/colour_corrector.h"
#include "window/corrector_panel.h"
#include "window/floating_panel.h"
#include "window/image_view.h"

#include "support/random_picture.h"

namespace chromaloom {

class CorrectorPanelTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Editor> editor_;
  std::unique_ptr<QWidget> root_;
  CorrectorPanel* panel_ = nullptr;

  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  }
  static void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(widget, QEvent::MouseButtonPress, at, button, button);
    Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }

  QWidget* Child(const char* name) const { return panel_->findChild<QWidget*>(QString::fromLatin1(name)); }

  void ShowWithMode(int h) {
    editor_->Document = test_support::RandomPicture(h, 9);
    panel_->ShowHide1Click();
    QVERIFY(panel_->isVisible());
  }

 private slots:
  void init() {
    editor_ = std::make_unique<Editor>();
    root_ = std::make_unique<QWidget>();
    root_->resize(1200, 700);
    panel_ = new CorrectorPanel(*editor_, root_.get());
    root_->show();
    QCoreApplication::processEvents();
  }
  void cleanup() {
    root_.reset();
    editor_.reset();
  }

  void startsHiddenAtItsPlace() {
    QCOMPARE(panel_->objectName(), QString("Panel_Corrector"));
    QVERIFY(panel_->isHidden());
    QCOMPARE(panel_->geometry(), QRect(72, 8, 1041, 585));
    QCOMPARE(panel_->Panel12->Caption(), QString("Color Corrector"));
  }

  void componentsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("IMGCorrector0") << "IMGCorrector0" << QRect(3, 22, 512, 384);
    QTest::newRow("IMGCorrector1") << "IMGCorrector1" << QRect(520, 22, 512, 384);
    QTest::newRow("PanelCorrChar0") << "PanelCorrChar0" << QRect(8, 414, 100, 100);
    QTest::newRow("PanelCorrChar1") << "PanelCorrChar1" << QRect(520, 414, 100, 100);
    QTest::newRow("IMGCorrChar0") << "IMGCorrChar0" << QRect(1, 1, 98, 98);
    QTest::newRow("IMGCorrChar1") << "IMGCorrChar1" << QRect(1, 1, 98, 98);
    QTest::newRow("ImgCorrPAP0") << "ImgCorrPAP0" << QRect(139, 414, 240, 16);
    QTest::newRow("ImgCorrINK0") << "ImgCorrINK0" << QRect(139, 437, 240, 16);
    QTest::newRow("ImgCorrPAP1") << "ImgCorrPAP1" << QRect(655, 414, 240, 16);
    QTest::newRow("ImgCorrINK1") << "ImgCorrINK1" << QRect(655, 437, 240, 16);
    QTest::newRow("Button1") << "Button1" << QRect(8, 552, 1025, 25);
    QTest::newRow("Button8") << "Button8" << QRect(8, 520, 505, 25);
    QTest::newRow("Button9") << "Button9" << QRect(520, 520, 513, 25);
    QTest::newRow("Button2") << "Button2" << QRect(120, 464, 153, 25);
    QTest::newRow("Button3") << "Button3" << QRect(632, 464, 153, 25);
  }
  void componentsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    editor_->Document.CharMode = 8;
    panel_->ShowHide1Click();
    QWidget* child = panel_->findChild<QWidget*>(name);
    QVERIFY(child);
    QCOMPARE(child->geometry(), geometry);
  }

  void captionStripCarriesTheCloseImageAtItsRightEnd() {
    panel_->ShowHide1Click();
    QCoreApplication::processEvents();
    const QRect strip = panel_->Panel12->geometry();
    QCOMPARE(strip.height(), 17);
    QVERIFY(strip.top() <= 4 && strip.bottom() < 22);
    QVERIFY(strip.left() <= 4 && strip.right() >= panel_->width() - 5);
    QWidget* close = Child("Image16");
    QVERIFY(close);
    QCOMPARE(close->parentWidget(), panel_->Panel12);
    QCOMPARE(close->size(), QSize(16, 13));
    QVERIFY(close->geometry().right() >= strip.width() - 5);
    QVERIFY(close->geometry().left() > strip.width() / 2);
  }

  void stripLabelsStandLeftOfTheirStrips() {
    const std::pair<const char*, const char*> labels[] = {
        {"StaticText1", "P0"}, {"StaticText2", "I0"}, {"StaticText3", "P1"}, {"StaticText4", "I1"}};
    const QWidget* strips[] = {panel_->ImgCorrPAP0, panel_->ImgCorrINK0, panel_->ImgCorrPAP1, panel_->ImgCorrINK1};
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
    const std::pair<QPushButton*, const char*> buttons[] = {
        {panel_->Button1, "Exchange Chars between screens"},
        {panel_->Button8, "Exchange INK0 / INK1 without pixels"},
        {panel_->Button9, "Exchange PAP0 / PAP1 without pixels"},
        {panel_->Button2, "Exchange INK/PAP with PIX"},
        {panel_->Button3, "Exchange INK/PAP with PIX"}};
    for (const auto& [button, caption] : buttons) {
      QCOMPARE(button->text(), QString(caption));
      QCOMPARE(button->isEnabled(), button == panel_->Button1);
    }
    const Picture before = editor_->Document;
    for (QPushButton* disabled : {panel_->Button8, panel_->Button9, panel_->Button2, panel_->Button3})
      QTest::mouseClick(disabled, Qt::LeftButton);
    QVERIFY(editor_->Document == before);
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
    for (const char* name : {"PanelCorrChar0", "PanelCorrChar1"}) {
      QCOMPARE(Child(name)->height(), frame);
      QCOMPARE(Child(name)->width(), 100);
    }
    for (const char* name : {"IMGCorrChar0", "IMGCorrChar1"}) {
      QCOMPARE(Child(name)->height(), frame - 2);
      QCOMPARE(Child(name)->pos(), QPoint(1, 1));
    }
    // The heights follow the mode only when the panel is shown.
    editor_->Document.CharMode = static_cast<std::uint8_t>(h == 8 ? 1 : 8);
    panel_->TickAnts();
    QCOMPARE(Child("PanelCorrChar0")->height(), frame);
    panel_->ShowHide1Click();
    panel_->ShowHide1Click();
    QCOMPARE(Child("PanelCorrChar0")->height(), h == 8 ? 16 : 100);
  }

  void showingRendersTheScreensAfresh() {
    editor_->Document = test_support::RandomPicture(2, 12);
    panel_->ShowHide1Click();
    Editor reference;
    reference.Document = editor_->Document;
    ShowCorrector(reference);
    const QImage shown = panel_->IMGCorrector1->grab().toImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(301, 77), QPoint(511, 383)})
      QCOMPARE(shown.pixel(p) | 0xFF000000u, reference.Render.CorrectorScreen1.At(p.x(), p.y()));
    const QImage detail = panel_->IMGCorrChar0->grab().toImage();
    for (const QPoint p : {QPoint(40, 10), QPoint(97, 25), QPoint(3, 3)})
      QCOMPARE(detail.pixel(p) | 0xFF000000u, reference.Corrector.Detail0.At(p.x(), p.y()));
  }

  void showHideToggleAndTheCloseImageHides() {
    panel_->ShowHide1Click();
    QVERIFY(panel_->isVisible());
    panel_->ShowHide1Click();
    QVERIFY(panel_->isHidden());
    panel_->ShowHide1Click();
    QVERIFY(panel_->isVisible());

    // Registered as the main window does: the close image must not drag.
    PanelDragger dragger;
    dragger.AddHandle(panel_->Panel12, panel_);
    QWidget* close = Child("Image16");
    Send(close, QEvent::MouseButtonPress, {8, 6}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(panel_->isHidden());
    QVERIFY(!dragger.IsDragging(panel_));
    Send(close, QEvent::MouseButtonRelease, {8, 6}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(panel_->pos(), QPoint(72, 8));

    panel_->ShowHide1Click();
    const QPoint at(300, 8);
    const QPoint global = panel_->Panel12->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(global), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(panel_->Panel12, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, -10)), QPointF(global + QPoint(30, -10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(panel_->Panel12, &move);
    QCOMPARE(panel_->pos(), QPoint(102, -2));
  }

  void pressOnEitherScreenChoosesTheCell() {
    ShowWithMode(4);
    Press(panel_->IMGCorrector0, {100, 37});
    QCOMPARE(editor_->Corrector.Column, 6);
    QCOMPARE(editor_->Corrector.Row, 4);
    Press(panel_->IMGCorrector1, {511, 383}, Qt::RightButton);
    QCOMPARE(editor_->Corrector.Column, 31);
    QCOMPARE(editor_->Corrector.Row, 47);
    // The details follow the chosen cell: its pixels in the middle block.
    QCOMPARE(editor_->Corrector.Detail1.At(64, 32), editor_->Render.ScreenRaster1.At(255, 191));
  }

  void detailImagesAndStripsTakeNoMouseInput() {
    ShowWithMode(8);
    Press(panel_->IMGCorrector0, {40, 40});
    for (QWidget* passive : {static_cast<QWidget*>(panel_->IMGCorrChar0), static_cast<QWidget*>(panel_->ImgCorrPAP0),
                             static_cast<QWidget*>(panel_->ImgCorrINK1)})
      Press(passive, {5, 5});
    QCOMPARE(editor_->Corrector.Column, 2);
    QCOMPARE(editor_->Corrector.Row, 2);
    QCOMPARE(editor_->Document.CharMode, 8);
  }

  void exchangeButtonTradesTheCellBetweenTheScreens() {
    ShowWithMode(2);
    Press(panel_->IMGCorrector0, {16 * 7 + 3, 4 * 30 + 1});
    const Picture before = editor_->Document;
    QTest::mouseClick(panel_->Button1, Qt::LeftButton);
    for (const int line : {60, 61}) {
      QCOMPARE(editor_->Document.Pixels[0].At(7, line), before.Pixels[1].At(7, line));
      QCOMPARE(editor_->Document.Pixels[1].At(7, line), before.Pixels[0].At(7, line));
      QVERIFY(editor_->Document.Attrs[0].At(7, line) == before.Attrs[1].At(7, line));
    }
    QCOMPARE(editor_->Document.Pixels[0].At(7, 62), before.Pixels[0].At(7, 62));
    // The view shows the exchanged screen.
    const QImage shown = panel_->IMGCorrector0->grab().toImage();
    QCOMPARE(shown.pixel(16 * 7 + 4, 4 * 30 + 2) | 0xFF000000u, editor_->Render.ScreenRaster0.At(8 * 7 + 2, 61));
    Editor reference;
    reference.Document = editor_->Document;
    reference.Render.RedrawCorrector(true);
    QVERIFY(editor_->Render.CorrectorScreen0 == reference.Render.CorrectorScreen0);
  }

  void tickDrawsTheOutlineAroundTheCellOnlyWhileVisible() {
    editor_->NewPicture(8);  // black: the outline's white dashes show
    panel_->ShowHide1Click();
    Press(panel_->IMGCorrector0, {16 * 3 + 1, 16 * 5 + 1});
    const Raster before = editor_->Render.CorrectorScreen0;
    editor_->AdvanceAnts();
    panel_->TickAnts();
    QVERIFY(!(editor_->Render.CorrectorScreen0 == before));
    QVERIFY(editor_->Render.CorrectorScreen1 == editor_->Render.CorrectorScreen0);
    // White dashes on the cell's top edge, in the image and on screen.
    const QImage shown = panel_->IMGCorrector0->grab().toImage();
    int white = 0;
    for (int x = 48; x < 64; ++x) {
      white += shown.pixel(x, 80) == qRgb(255, 255, 255);
      QCOMPARE(shown.pixel(x, 79), qRgb(0, 0, 0));
    }
    QVERIFY(white > 0);

    panel_->ShowHide1Click();  // hidden: the tick draws nothing
    const Raster hiddenBefore = editor_->Render.CorrectorScreen0;
    editor_->AdvanceAnts();
    panel_->TickAnts();
    QVERIFY(editor_->Render.CorrectorScreen0 == hiddenBefore);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::CorrectorPanelTest)
#include "corrector_panel_test.moc"
