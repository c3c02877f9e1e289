// Drawing and colour picking through mouse events on the real widgets.
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "editing/colour_selection.h"
#include "window/clickable_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"

namespace chromaloom {

class DrawingWindowTest : public QObject {
  Q_OBJECT

 private:
  static std::unique_ptr<MainWindow> Shown() {
    auto window = std::make_unique<MainWindow>(QStringList{});
    window->resize(1200, 900);
    window->show();
    QCoreApplication::processEvents();
    return window;
  }

  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton,
                   Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(widget, &event);
  }
  static void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(widget, QEvent::MouseButtonPress, at, button, button);
  }
  static void Release(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }
  static void Click(QWidget* widget, QPoint at = {5, 5}) {
    Press(widget, at);
    Release(widget, at);
  }

 private slots:
  void toolButtonsSelectOnAnyButtonAndStayLowered() {
    auto w = Shown();
    QVERIFY(w->Key_Instrument_Paint->isDown());
    const std::pair<QToolButton*, InstrumentKind> tools[] = {
        {w->Key_Instrument_Line, InstrumentKind::Line},         {w->Key_Instrument_Rect, InstrumentKind::Rect},
        {w->Key_Instrument_FillChar, InstrumentKind::FillChar}, {w->Key_Instrument_Select, InstrumentKind::Select},
        {w->Key_Instrument_Paint, InstrumentKind::Paint}};
    for (const auto& [button, kind] : tools) {
      Press(button, {10, 10}, Qt::RightButton);
      Release(button, {10, 10}, Qt::RightButton);
      QVERIFY(w->Core().Editing.CurrentInstrument == kind);
      for (const auto& [other, otherKind] : tools) QCOMPARE(other->isDown(), otherKind == kind);
    }
  }

  void pencilPressPaintsThePixelUnderThePointer() {
    auto w = Shown();
    Click(w->Pal4Color[3]);
    QCOMPARE(w->Core().Editing.SelectedCharColour, 3);
    Press(w->Editor_IMG_MGSFull, {0, 0});
    QVERIFY(w->Core().Document.GetPixelBit(0, 0, 0));
    QVERIFY(w->Core().Document.GetPixelBit(1, 0, 0));
    // Dragging paints the next spot; the status bar shows the spot in bare numbers.
    Send(w->Editor_IMG_MGSFull, QEvent::MouseMove, {4 * 100 + 1, 4 * 13 + 2}, Qt::NoButton, Qt::LeftButton);
    QVERIFY(w->Core().Document.GetPixelBit(0, 100, 13));
    QCOMPARE(w->Status_Ax->text(), QString("12"));
    QCOMPARE(w->Status_By->text(), QString("13"));
    Release(w->Editor_IMG_MGSFull, {4 * 100 + 1, 4 * 13 + 2});
    // A move with no button held reads out the pointer.
    Send(w->Editor_IMG_MGSFull, QEvent::MouseMove, {4 * 20, 4 * 30});
    QCOMPARE(w->Status_Ax->text(), QString("X: 20"));
    QCOMPARE(w->Status_Ay->text(), QString("Y: 30"));
    QCOMPARE(w->Status_Bx->text(), QString("Ax: 2"));
    QCOMPARE(w->Status_By->text(), QString("Ay: 30"));
    // Undo brings the black picture back, a second undo the strokes.
    const Picture painted = w->Core().Document;
    w->UndoSwap();
    QCOMPARE(w->Core().Document, Picture{});
    w->UndoSwap();
    QCOMPARE(w->Core().Document, painted);
  }

  void editModeButtonsSwitchTheModes() {
    auto w = Shown();
    QVERIFY(w->KEY_EditMode_PIX->isDown());
    QVERIFY(w->KEY_EditMode_RGB->isDown());
    QTest::mouseClick(w->KEY_EditMode_PIX, Qt::LeftButton);
    QVERIFY(!w->Core().Editing.EditModePix);
    QVERIFY(!w->KEY_EditMode_PIX->isDown());
    Click(w->Pal4Color[3]);
    Press(w->Editor_IMG_MGSFull, {0, 0});
    QVERIFY(!w->Core().Document.GetPixelBit(0, 0, 0));
    QTest::mouseClick(w->KEY_EditMode_RGB, Qt::LeftButton);
    QVERIFY(!w->Core().Editing.EditModeRgb);
    QVERIFY(!w->KEY_EditMode_RGB->isDown());
  }

  void rightPressPicksTheCellsColours() {
    auto w = Shown();
    w->Core().Document.SetAttr(0, 0, 0, 3, 4);
    w->Core().Document.SetAttr(1, 0, 0, 5, 6);
    Press(w->Editor_IMG_MGSFull, {1, 1}, Qt::RightButton);
    QCOMPARE(w->Core().Editing.CurrentColours, (ColourSet{3, 4, 5, 6}));
    const CharPalette mixed = MakeCharPalette(3, 4, 5, 6);
    for (int k = 0; k < 4; ++k) {
      QCOMPARE(w->Pal4Color[k]->Colour(), QColor(RedOf(mixed[k]), GreenOf(mixed[k]), BlueOf(mixed[k])));
      QCOMPARE(w->CharPal_SelectedColor[k]->Colour(), w->Pal4Color[k]->Colour());
    }
  }

  void paletteClicksChooseColoursAndEntries() {
    auto w = Shown();
    QTest::mouseClick(w->KEY_Palette, Qt::LeftButton);
    QVERIFY(w->Panel_Color->isVisible());
    QVERIFY(w->KEY_Palette->isDown());
    Click(w->CharPal_SelectedColor[2]);
    QCOMPARE(w->Core().Editing.SelectedCharColour, 2);
    QVERIFY(w->Pal4Color[2]->IsLowered());
    QVERIFY(w->CharPal_SelectedColor[2]->IsLowered());
    QVERIFY(!w->Pal4Color[0]->IsLowered());
    QVERIFY(w->PalZX_p0->IsLowered());
    QVERIFY(w->PalZX_i1->IsLowered());
    Press(w->Img_Palette_full, {4 * 16 + 3, 9 * 16 + 3});
    QCOMPARE(w->Core().Editing.CurrentColours.INK0, 4);
    QCOMPARE(w->Core().Editing.CurrentColours.PAP1, 9);
    const Rgb mix = MixColours(4, 9);
    QCOMPARE(w->Pal4Color[2]->Colour(), QColor(RedOf(mix), GreenOf(mix), BlueOf(mix)));
    Click(w->PalZX_p1);
    QCOMPARE(w->Core().Editing.SelectedCharColour, 3);
    Press(w->PaletteStrip[0], {13 * 16 + 2, 3});
    QCOMPARE(w->Core().Editing.CurrentColours.PAP0, 13);
    QTest::mouseClick(w->KEY_Palette, Qt::LeftButton);
    QVERIFY(!w->Panel_Color->isVisible());
    QVERIFY(!w->KEY_Palette->isDown());
  }

  void borderPaletteChoosesTheBorderAndItsColour() {
    auto w = Shown();
    QTest::mouseClick(w->KEY_BorderPalette, Qt::LeftButton);
    QVERIFY(w->Panel_Border->isVisible());
    Press(w->Img_Palette_Border, {7 * 16 + 8, 2 * 16 + 8});
    QCOMPARE(w->Core().Document.Border, (BorderChoice{7, 2}));
    QCOMPARE(w->PanelBorderPreview->palette().color(QPalette::Window), QColor(0, 202, 115));
  }

  void gradientClickBlinksForTwentyOneTicks() {
    auto w = Shown();
    const Point corner = GradientSwatchCorner(3, 8);
    Press(w->Image_PaletteGradient, {corner.X + 4, corner.Y + 4});
    QVERIFY(w->Timer_GradPal->isActive());
    for (int tick = 0; tick < 20; ++tick) w->Timer_GradPalTimer();
    QVERIFY(w->Timer_GradPal->isActive());
    w->Timer_GradPalTimer();
    QVERIFY(!w->Timer_GradPal->isActive());
    // Black background: no swatch, no blink.
    Press(w->Image_PaletteGradient, {0, 0});
    QVERIFY(!w->Timer_GradPal->isActive());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::DrawingWindowTest)
#include "drawing_window_test.moc"
