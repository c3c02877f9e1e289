// The key table, the keyboard-driven pointer and the Edit menu commands.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>

#include "editing/transforms.h"
#include "support/random_picture.h"
#include "support/window_test_support.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::Type;

namespace {

// Records pointer moves and clicks instead of moving the real pointer.
class RecordingPointer : public PointerDevice {
 public:
  QPoint At{500, 400};
  QList<QPoint> Moves;
  QList<Qt::MouseButton> Clicks;
  QWidget* Under = nullptr;

  QPoint Position() const override { return At; }
  void MoveTo(QPoint p) override {
    Moves << p - At;
    At = p;
  }
  void ClickWith(Qt::MouseButton button) override { Clicks << button; }
  QWidget* WidgetUnderPointer() const override { return Under; }
};

}  // namespace

// Keys of the main block on a Russian layout: the key Qt reports there (a
// Cyrillic letter's code, or what the layout puts on a punctuation key), the
// key a US layout gives at the same place, and the place's X11 key code.
struct RussianKey {
  int Us;
  int Russian;
  quint32 ScanCode;
};
constexpr RussianKey RussianLayout[] = {
    {Qt::Key_Q, 0x0419, 24},           {Qt::Key_W, 0x0426, 25},
    {Qt::Key_E, 0x0423, 26},           {Qt::Key_R, 0x041A, 27},
    {Qt::Key_T, 0x0415, 28},           {Qt::Key_Y, 0x041D, 29},
    {Qt::Key_U, 0x0413, 30},           {Qt::Key_I, 0x0428, 31},
    {Qt::Key_O, 0x0429, 32},           {Qt::Key_P, 0x0417, 33},
    {Qt::Key_BracketLeft, 0x0425, 34}, {Qt::Key_BracketRight, 0x042A, 35},
    {Qt::Key_A, 0x0424, 38},           {Qt::Key_S, 0x042B, 39},
    {Qt::Key_D, 0x0412, 40},           {Qt::Key_F, 0x0410, 41},
    {Qt::Key_G, 0x041F, 42},           {Qt::Key_H, 0x0420, 43},
    {Qt::Key_J, 0x041E, 44},           {Qt::Key_K, 0x041B, 45},
    {Qt::Key_L, 0x0414, 46},           {Qt::Key_Semicolon, 0x0416, 47},
    {Qt::Key_Apostrophe, 0x042D, 48},  {Qt::Key_QuoteLeft, 0x0401, 49},
    {Qt::Key_Z, 0x042F, 52},           {Qt::Key_X, 0x0427, 53},
    {Qt::Key_C, 0x0421, 54},           {Qt::Key_V, 0x041C, 55},
    {Qt::Key_B, 0x0418, 56},           {Qt::Key_N, 0x0422, 57},
    {Qt::Key_M, 0x042C, 58},           {Qt::Key_Comma, 0x0411, 59},
    {Qt::Key_Period, 0x042E, 60},      {Qt::Key_Slash, Qt::Key_Period, 61},
};

class KeyboardTest : public QObject {
  Q_OBJECT

  RecordingPointer* pointer_ = nullptr;

  std::unique_ptr<MainWindow> Window() {
    auto w = std::make_unique<MainWindow>(QStringList{});
    auto pointer = std::make_unique<RecordingPointer>();
    pointer_ = pointer.get();
    w->Keyboard().SetDevice(std::move(pointer));
    w->resize(1200, 900);
    w->show();
    QCoreApplication::processEvents();
    return w;
  }

  static bool Key(MainWindow& w, int key, Qt::KeyboardModifiers modifiers = {}) {
    return w.Keyboard().KeyPressed(QKeyEvent(QEvent::KeyPress, key, modifiers));
  }

  // A key event as the platform sends it: its key code and time included.
  static std::unique_ptr<QKeyEvent> KeyEvent(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                             quint32 scanCode, quint64 time, bool autoRepeat = false) {
    auto event = std::make_unique<QKeyEvent>(type, key, modifiers, scanCode, 0, 0, QString(), autoRepeat);
    event->setTimestamp(time);
    return event;
  }

 private slots:
  void lettersSelectToolsAndToggleWindows() {
    auto w = Window();
    const struct {
      int Key;
      ToolKind Tool;
    } tools[] = {{Qt::Key_N, ToolKind::FillCell},
                 {Qt::Key_S, ToolKind::Select},
                 {Qt::Key_L, ToolKind::Line},
                 {Qt::Key_J, ToolKind::Rect},
                 {Qt::Key_P, ToolKind::Paint}};
    for (const auto& t : tools) {
      Key(*w, Qt::Key_S);  // something else first
      QVERIFY(Key(*w, t.Key));
      QVERIFY(w->Tools().Current == t.Tool);
      Key(*w, Qt::Key_L, Qt::ControlModifier);  // with Ctrl nothing is chosen
      QVERIFY(w->Tools().Current == t.Tool);
    }
    const struct {
      int Key;
      Qt::KeyboardModifiers Modifiers;
      std::function<bool(MainWindow&)> State;
    } toggles[] = {
        {Qt::Key_C, {}, [](MainWindow& m) { return Child<QWidget>(m, "paletteWindow")->isVisible(); }},
        {Qt::Key_B, {}, [](MainWindow& m) { return Child<QWidget>(m, "borderPaletteWindow")->isVisible(); }},
        {Qt::Key_V, {}, [](MainWindow& m) { return Child<QWidget>(m, "previewWindow")->isVisible(); }},
        {Qt::Key_F12, {}, [](MainWindow& m) { return Child<QWidget>(m, "previewWindow")->isVisible(); }},
        {Qt::Key_V, Qt::AltModifier, [](MainWindow& m) { return Child<QWidget>(m, "magnifierWindow")->isVisible(); }},
        {Qt::Key_G, {}, [](MainWindow& m) { return m.View().Settings().CharGridOn; }},
        {Qt::Key_H, {}, [](MainWindow& m) { return m.View().Settings().PixelGridOn; }},
        {Qt::Key_W, {}, [](MainWindow& m) { return !m.Pickers().EditModePix; }},
        {Qt::Key_E, {}, [](MainWindow& m) { return !m.Pickers().EditModeRgb; }},
    };
    for (const auto& t : toggles) {
      QVERIFY(!t.State(*w));
      Key(*w, t.Key, t.Modifiers);
      QVERIFY(t.State(*w));
      Key(*w, t.Key, t.Modifiers);
      QVERIFY(!t.State(*w));
    }
    const auto* paletteButton = Child<QToolButton>(*w, "paletteButton");
    QVERIFY(!paletteButton->isDown());
    Key(*w, Qt::Key_C);
    QVERIFY(paletteButton->isDown());
  }

  void digitsChooseEntriesWithAnyModifierAndMoveOnlyWithout() {
    auto w = Window();
    const Qt::KeyboardModifiers modifiers[] = {{}, Qt::ControlModifier, Qt::AltModifier};
    for (const auto m : modifiers)
      for (int k = 0; k < 4; ++k) {
        Key(*w, Qt::Key_1 + k, m);
        QCOMPARE(w->Pickers().SelectedCharColour, k);
      }
    QVERIFY(pointer_->Moves.isEmpty());
    // 6..9 with Ctrl: one screen pixel; 5 and 0 with Ctrl do nothing.
    for (const int key : {Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9}) Key(*w, key, Qt::ControlModifier);
    QCOMPARE(pointer_->Moves, (QList<QPoint>{{-1, 0}, {1, 0}, {0, 1}, {0, -1}}));
    QVERIFY(!Key(*w, Qt::Key_5, Qt::ControlModifier));
    QVERIFY(!Key(*w, Qt::Key_0, Qt::ControlModifier));
    QVERIFY(pointer_->Clicks.isEmpty());
    QCOMPARE(w->Keyboard().StepCount(), 0);
    // The keypad's digits mean nothing.
    QVERIFY(!Key(*w, Qt::Key_6, Qt::KeypadModifier));
    Key(*w, Qt::Key_0);
    Key(*w, Qt::Key_5);
    Key(*w, Qt::Key_Space);  // Space clicks at its release, unless a drag panned meanwhile
    w->Keyboard().KeyReleased(QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, {}));
    Key(*w, Qt::Key_Return);
    QCOMPARE(pointer_->Clicks,
             (QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::LeftButton, Qt::RightButton}));
  }

  // X11 sends some repeats of a held key as a release and a press with the
  // same time; those keep the pace, a new press starts again.
  void heldKeyRepeatsAsReleaseAndPressKeepThePace() {
    auto w = Window();
    w->Controller().SetZoom(2);
    const quint32 placeOfO = 32;
    auto send = [&](QEvent::Type type, quint64 time, bool autoRepeat = false) {
      QCoreApplication::sendEvent(w.get(), KeyEvent(type, Qt::Key_O, {}, placeOfO, time, autoRepeat).get());
    };
    send(QEvent::KeyPress, 100);
    send(QEvent::KeyRelease, 130);
    send(QEvent::KeyPress, 130);  // a repeat, not marked as one
    send(QEvent::KeyRelease, 160, true);
    send(QEvent::KeyPress, 160, true);  // a repeat marked as one
    send(QEvent::KeyRelease, 190);
    send(QEvent::KeyPress, 400);  // let go, then pressed again
    QCOMPARE(pointer_->Moves, (QList<QPoint>{{-8, 0}, {-16, 0}, {-24, 0}, {-8, 0}}));
  }

  // Rows match the key, not what Shift or the layout makes of it.
  void shiftAndLayoutDoNotChangeWhichRowMatches() {
    const struct {
      int Key;
      Qt::KeyboardModifiers Modifiers;
      quint32 ScanCode;
      int Entry;
    } entries[] = {
        {Qt::Key_At, Qt::ShiftModifier, 11, 1},          // Shift+2 on a US keyboard
        {Qt::Key_At, Qt::ShiftModifier, 0, 1},           // the same with no key code known
        {Qt::Key_NumberSign, Qt::ShiftModifier, 12, 2},  // Shift+3
        {Qt::Key_Ampersand, {}, 10, 0},                  // the 1 key of an AZERTY layout
        {Qt::Key_Dollar, Qt::ShiftModifier, 13, 3},      // Shift+4
    };
    for (const auto& e : entries) {
      auto w = Window();
      w->Pickers().SelectedCharColour = e.Entry == 0 ? 3 : 0;
      QVERIFY(w->Keyboard().KeyPressed(*KeyEvent(QEvent::KeyPress, e.Key, e.Modifiers, e.ScanCode, 1)));
      QCOMPARE(w->Pickers().SelectedCharColour, e.Entry);
    }
    // A Cyrillic layout: the key in the place of P gives a Cyrillic letter.
    auto w = Window();
    w->Controller().SelectTool(ToolKind::Line);
    QVERIFY(w->Keyboard().KeyPressed(*KeyEvent(QEvent::KeyPress, 0x0417, {}, 33, 1)));
    QCOMPARE(w->Tools().Current, ToolKind::Paint);
    // The keypad's digits stay what they are, whatever their place.
    w->Pickers().SelectedCharColour = 0;
    QVERIFY(!w->Keyboard().KeyPressed(*KeyEvent(QEvent::KeyPress, Qt::Key_2, Qt::KeypadModifier, 88, 1)));
    QCOMPARE(w->Pickers().SelectedCharColour, 0);
  }

  // A Russian (ЙЦУКЕН) layout names every letter and punctuation key of the
  // main block otherwise; each must take exactly the rows its place takes on
  // a US layout, with any modifiers and in every state the rows look at.
  void russianLayoutKeysTakeTheRowsOfTheirPlace() {
    QSet<QString> usTaken, russianTaken;
    for (const RussianKey& place : RussianLayout)
      for (const Qt::KeyboardModifiers m :
           {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
            Qt::KeyboardModifiers(Qt::ShiftModifier)})
        for (const KeyState state : {KeyState{}, KeyState{true, 1}, KeyState{true, 1000}, KeyState{false, 0, true}})
          for (const Command& command : Commands()) {
            const QString name =
                QString::fromUtf8(command.Name) + QString::number(place.Us) + "/" + QString::number(m.toInt());
            if (CommandTakesPress(command, {}, KeyPress::From(place.Us, place.ScanCode, m), state)) usTaken << name;
            if (CommandTakesPress(command, {}, KeyPress::From(place.Russian, place.ScanCode, m), state))
              russianTaken << name;
          }
    QCOMPARE(russianTaken, usTaken);
    // The table reaches the rows of letters and of punctuation keys.
    for (const char* name : {"paintToolButton", "selectToolButton", "largerBrushAction", "smallerBrushAction",
                             "freeColourButton", "copyAction", "undoAction"})
      QVERIFY2(std::any_of(usTaken.begin(), usTaken.end(), [&](const QString& n) { return n.startsWith(name); }), name);
  }

  // Menu shortcuts no key row takes run by place too, as Qt sends the keys
  // where the keyboard has no Latin layout at all.
  void russianLayoutRunsMenuShortcutsByPlace() {
    auto w = Window();
    const int start = w->Document().Picture().CellHeight;
    const int other = start == 4 ? 2 : 4;
    w->Controller().NewPicture(other);
    const auto send = [&](int key, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
      QCoreApplication::sendEvent(w.get(), KeyEvent(QEvent::KeyPress, key, modifiers, scanCode, 1).get());
      QCoreApplication::sendEvent(w.get(), KeyEvent(QEvent::KeyRelease, key, modifiers, scanCode, 2).get());
    };
    send(0x042F, Qt::ControlModifier, 52);  // Ctrl+Я, a key row: Undo
    QCOMPARE(w->Document().Picture().CellHeight, start);
    send(0x041D, Qt::ControlModifier, 29);  // Ctrl+Н, the menu's shortcut Ctrl+Y: Redo
    QCOMPARE(w->Document().Picture().CellHeight, other);
  }

  // Left, Page Up/Down, Home and End have no row: the picture does not scroll.
  void keysWithNoRowDoNothing() {
    auto w = Window();
    w->Controller().SetZoom(4);
    auto* box = w->findChild<QScrollArea*>("pictureScrollBox");
    QVERIFY(box);
    box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->maximum() / 2);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
    const int h = box->horizontalScrollBar()->value(), v = box->verticalScrollBar()->value();
    QVERIFY(h > 0 && v > 0);
    for (const int key : {Qt::Key_Left, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Tab}) {
      for (QWidget* target : {static_cast<QWidget*>(box), box->viewport()}) {
        QKeyEvent press(QEvent::KeyPress, key, {});
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, {});
        QCoreApplication::sendEvent(target, &release);
      }
      QCOMPARE(box->horizontalScrollBar()->value(), h);
      QCOMPARE(box->verticalScrollBar()->value(), v);
    }
  }

  void heldMoveKeysAccelerateUpToSixSteps() {
    auto w = Window();
    w->Controller().SetZoom(2);
    for (int i = 0; i < 7; ++i) Key(*w, Qt::Key_O);
    QCOMPARE(pointer_->Moves, (QList<QPoint>{{-8, 0}, {-16, 0}, {-24, 0}, {-32, 0}, {-40, 0}, {-48, 0}, {-48, 0}}));
    w->Keyboard().KeyReleased(QKeyEvent(QEvent::KeyRelease, Qt::Key_O, {}));
    pointer_->Moves.clear();
    Key(*w, Qt::Key_A);
    Key(*w, Qt::Key_9);
    QCOMPARE(pointer_->Moves, (QList<QPoint>{{0, 8}, {0, -16}}));
  }

  void pSelectsThePencilAndMovesRight() {
    auto w = Window();
    w->Controller().SelectTool(ToolKind::Line);
    Key(*w, Qt::Key_P);
    QVERIFY(w->Tools().Current == ToolKind::Paint);
    QVERIFY(Child<QToolButton>(*w, "paintToolButton")->isDown());
    QVERIFY(!Child<QToolButton>(*w, "lineToolButton")->isDown());
    QCOMPARE(pointer_->Moves, (QList<QPoint>{{4, 0}}));
  }

  void ctrlUpWithThePreviewShownRotatesStepsAndRedraws() {
    auto w = Window();
    w->Document() = Document(test_support::RandomPicture(8, 4));
    w->View().Render.Redraw(true);
    w->Tools().Selection = {.Shown = true, .Left = 1, .Top = 1, .Width = 1, .Height = 1};
    w->Panels().Toggle(Panel::Preview);
    const std::uint8_t top = w->Document().Picture().Pixels[0].At(1, 8);
    Key(*w, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(w->View().ZoomSelectorSize(), 12);
    QCOMPARE(w->Document().Picture().Pixels[0].At(1, 15), top);  // the top line went to the bottom
    // Undo (Ctrl+Z) brings the rotation back.
    Key(*w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->Document().Picture().Pixels[0].At(1, 8), top);
  }

  void ctrlArrowsRotateThePixelsAndPlainArrowsWipeOverlays() {
    const struct {
      int Key;
      void (*Transform)(Document&, const CellSelection&);
    } rows[] = {{Qt::Key_Left, RotatePixelsLeft},
                {Qt::Key_Right, RotatePixelsRight},
                {Qt::Key_Up, RotatePixelsUp},
                {Qt::Key_Down, RotatePixelsDown}};
    const CellSelection selection{.Shown = true, .Left = 2, .Top = 5, .Width = 2, .Height = 3};
    for (const auto& r : rows) {
      auto w = Window();
      Document expected(test_support::RandomPicture(4, 12));
      w->Document() = expected;
      w->Tools().Selection = selection;
      Key(*w, r.Key, Qt::ControlModifier);
      r.Transform(expected, selection);
      QCOMPARE(w->Document().Picture(), expected.Picture());
    }
    // The arrow keys alone leave the canvas as it was, with no overlay.
    auto w = Window();
    w->View().Render.Redraw(true);
    const Raster clean = w->View().Render.EditorImage();
    for (const int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
      Key(*w, key);
      QVERIFY(w->View().Render.EditorImage() == clean);
    }
  }

  void escEndsTheShapeAndRemovesTheSelection() {
    auto w = Window();
    w->Tools().ShapeInProgress = true;
    w->Tools().Selection = {.Shown = true, .Left = 2, .Top = 2, .Width = 3, .Height = 1};
    QVERIFY(Key(*w, Qt::Key_Escape));
    QVERIFY(!w->Tools().ShapeInProgress);
    QVERIFY(!w->Tools().Selection.Shown);
    QCOMPARE(w->Tools().Selection.Width, 3);
    w->Tools().Selection.Shown = true;
    Key(*w, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(!w->Tools().Selection.Shown);
  }

  void copyAndPasteFollowThePointer() {
    auto w = Window();
    w->Document() = Document(test_support::RandomPicture(8, 9));
    const Picture start = w->Document().Picture();
    w->Tools().Selection = {.Shown = true, .Left = 0, .Top = 0, .Width = 1, .Height = 1};
    pointer_->Under = Child<QWidget>(*w, "canvas");
    Key(*w, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!Child<QWidget>(*w, "paletteWindow")->isVisible());  // Ctrl+C copies, it does not toggle
    w->Tools().LastPointer = {5 * 8 + 1, 3 * 8 + 1};             // in cell (5, 3)
    Key(*w, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!Child<QWidget>(*w, "previewWindow")->isVisible());
    QCOMPARE(w->Document().Picture(), start);  // floating, not yet placed
    // Enter places it and clicks nothing.
    QVERIFY(Key(*w, Qt::Key_Return));
    QVERIFY(pointer_->Clicks.isEmpty());
    for (int line = 0; line < 8; ++line)
      QCOMPARE(w->Document().Picture().Pixels[1].At(5, 24 + line), start.Pixels[1].At(0, line));
    // Away from the picture it floats in view; Esc cancels it and keeps the selection.
    pointer_->Under = Child<QWidget>(*w, "paletteButton");
    w->Tools().LastPointer = {10 * 8, 10 * 8};
    const Picture before = w->Document().Picture();
    Key(*w, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(w->Controller().PasteFloats());
    QVERIFY(Key(*w, Qt::Key_Escape));
    QVERIFY(!w->Controller().PasteFloats());
    QVERIFY(w->Tools().Selection.Shown);
    QCOMPARE(w->Document().Picture(), before);
    // Delete fills the selection with the current colours.
    Key(*w, Qt::Key_4);
    Key(*w, Qt::Key_Delete);
    QCOMPARE(w->Document().Picture().Pixels[0].At(0, 3), 0xFF);
  }

  void editMenuRunsTheCommands() {
    auto w = Window();
    w->Document() = Document(test_support::RandomPicture(8, 10));
    w->Tools().Selection = {.Shown = true, .Left = 3, .Top = 3, .Width = 1, .Height = 1};
    const std::uint8_t b = w->Document().Picture().Pixels[0].At(3, 24);
    Child<QAction>(*w, "flipVerticalAction")->trigger();
    QCOMPARE(w->Document().Picture().Pixels[0].At(3, 31), b);
    Child<QAction>(*w, "flipVerticalAction")->trigger();
    QCOMPARE(w->Document().Picture().Pixels[0].At(3, 24), b);
    Child<QAction>(*w, "removeSelectionAction")->trigger();
    QVERIFY(!w->Tools().Selection.Shown);
  }

  void keysWithAMenuCommandTriggerItsAction() {
    auto w = Window();
    const struct {
      int Key;
      Qt::KeyboardModifiers Modifiers;
      const char* Action;
    } rows[] = {
        {Qt::Key_Escape, {}, "removeSelectionAction"},
        {Qt::Key_D, Qt::ControlModifier, "removeSelectionAction"},
        {Qt::Key_Delete, {}, "deleteAction"},
        {Qt::Key_C, Qt::ControlModifier, "copyAction"},
        {Qt::Key_V, Qt::ControlModifier, "pasteAction"},
        {Qt::Key_Left, Qt::ControlModifier, "rotatePixelsLeftAction"},
        {Qt::Key_Right, Qt::ControlModifier, "rotatePixelsRightAction"},
        {Qt::Key_Up, Qt::ControlModifier, "rotatePixelsUpAction"},
        {Qt::Key_Down, Qt::ControlModifier, "rotatePixelsDownAction"},
    };
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> spies;
    for (QAction* action : w->findChildren<QAction*>())
      spies.emplace_back(action->objectName(), std::make_unique<QSignalSpy>(action, &QAction::triggered));
    for (const auto& r : rows) {
      for (auto& [name, spy] : spies) spy->clear();
      QVERIFY(Key(*w, r.Key, r.Modifiers));
      // Exactly the one action fired, once.
      for (auto& [name, spy] : spies) QCOMPARE(spy->count(), name == r.Action ? 1 : 0);
    }
    // Without Ctrl the same letters are other commands, not these actions.
    for (auto& [name, spy] : spies) spy->clear();
    Key(*w, Qt::Key_C);
    Key(*w, Qt::Key_D);
    for (auto& [name, spy] : spies) QCOMPARE(spy->count(), 0);
  }

  // Space and 0 click the left button, Enter and 5 the right one, at the real
  // pointer: over a toggle button of the bar either click switches it.
  void keyboardClickOverAToggleButtonSwitchesIt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");
    const struct {
      int Key;
      const char* Name;
    } keys[] = {{Qt::Key_Space, "Space"}, {Qt::Key_0, "0"}, {Qt::Key_Return, "Enter"}, {Qt::Key_5, "5"}};
    for (const auto& k : keys)
      for (const char* button : {"charGridButton", "paletteButton", "pixButton"})
        QTest::addRow("%s over %s", k.Name, button) << k.Key << QString(button);
  }
  void keyboardClickOverAToggleButtonSwitchesIt() {
    QFETCH(int, key);
    QFETCH(QString, button);
    auto w = std::make_unique<MainWindow>(QStringList{});  // the system pointer
    w->resize(1200, 900);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* target = Child<QToolButton>(*w, button);
    const auto state = [&w, &button] {
      if (button == "charGridButton") return w->View().Settings().CharGridOn;
      if (button == "paletteButton") return Child<QWidget>(*w, "paletteWindow")->isVisible();
      return w->Pickers().EditModePix;
    };
    const bool before = state();
    QCursor::setPos(target->mapToGlobal(target->rect().center()));
    QCOMPARE(QApplication::widgetAt(QCursor::pos()), target);
    QVERIFY(w->Keyboard().KeyPressed(QKeyEvent(QEvent::KeyPress, key, {})));
    w->Keyboard().KeyReleased(QKeyEvent(QEvent::KeyRelease, key, {}));
    QCoreApplication::processEvents();  // the click is delivered after the key
    QCOMPARE(state(), !before);
    QCOMPARE(target->isDown(), !before);
  }

  void keysReachTheWindowWhateverHasTheFocus() {
    auto w = Window();
    auto* box = Child<QScrollArea>(*w, "pictureScrollBox");
    box->setFocus();
    Type(box, Qt::Key_G);
    QVERIFY(w->View().Settings().CharGridOn);
    Type(Child<QWidget>(*w, "paletteButton"), Qt::Key_N);
    QVERIFY(w->Tools().Current == ToolKind::FillCell);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::KeyboardTest)
#include "keyboard_test.moc"
