// Every key of the editor: the main window sees each key before any control.
#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QToolButton>

#include "editing/canvas_tools.h"
#include "editing/colour_selection.h"
#include "selection/clipboard.h"
#include "selection/transforms.h"
#include "selection/undo.h"
#include "window/image_view.h"
#include "window/main_window.h"

namespace chromaloom {

namespace {
constexpr int MaxPointerStepCount = 5;  // capped before each move adds one
}  // namespace

bool MainWindow::IsPointerOverPicture() const {
  const QWidget* under = pointer_->WidgetUnderPointer();
  return under == Panel_EditPicture || under == Editor_IMG_MGSFull;
}

void MainWindow::MovePointerBy(int dx, int dy) { pointer_->MoveTo(pointer_->Position() + QPoint(dx, dy)); }

void MainWindow::ClickAtPointer(Qt::MouseButton button) { pointer_->Click(button); }

void MainWindow::RunPictureCommand(const std::function<void(Editor&)>& command) {
  command(editor_);
  Present();
}

void MainWindow::ConnectEditCommands() {
  const std::pair<const char*, std::function<void(Editor&)>> commands[] = {
      {"Removeselection1", RemoveSelection},
      {"Copy1", [this](Editor& e) { CopySelection(e, IsPointerOverPicture()); }},
      {"Paste1", [this](Editor& e) { PasteAtPointer(e, IsPointerOverPicture()); }},
      {"DeleteDEL1", DeleteSelection},
      {"FlipHorizontal1", FlipSelectionHorizontal},
      {"FlipVertical1", FlipSelectionVertical},
      {"Rotate90cw1", RotateSelection90cw},
      {"Rotatepixelsright1", RotatePixelsRight},
      {"RotatepixelsLeft1", RotatePixelsLeft},
      {"RotatepixelsUp1", RotatePixelsUp},
      {"RotatepixelsDown1", RotatePixelsDown},
  };
  for (const auto& [name, command] : commands)
    connect(findChild<QAction*>(name), &QAction::triggered, this, [this, command = command] { RunPictureCommand(command); });
}

bool MainWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  // Digits count on the main row only.
  const int digit = !modifiers.testFlag(Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9 ? key - Qt::Key_0 : -1;
  const int step = editor_.View.Scale();
  bool handled = false;
  auto row = [&handled](bool condition) {
    handled = handled || condition;
    return condition;
  };

  if (row(key == Qt::Key_P && !ctrl)) SelectInstrument(InstrumentKind::Paint);
  if (row(key == Qt::Key_N && !ctrl)) SelectInstrument(InstrumentKind::FillChar);
  if (row(key == Qt::Key_S && !ctrl)) SelectInstrument(InstrumentKind::Select);
  if (row(key == Qt::Key_L && !ctrl)) SelectInstrument(InstrumentKind::Line);
  if (row(key == Qt::Key_J && !ctrl)) SelectInstrument(InstrumentKind::Rect);
  if (row(key == Qt::Key_Escape)) editor_.Editing.ShapeInProgress = false;
  if (row(key == Qt::Key_Escape || (key == Qt::Key_D && ctrl))) RunPictureCommand(RemoveSelection);
  if (row(key == Qt::Key_Up && Panel_Preview->isVisible() && editor_.View.SelectorSize < MaxSelectorSize))
    ChangeSelectorSize(+4);
  if (row(key == Qt::Key_Down && Panel_Preview->isVisible() && editor_.View.SelectorSize > MinSelectorSize))
    ChangeSelectorSize(-4);
  pointerStepCount_ = std::min(pointerStepCount_, MaxPointerStepCount);
  if (row((key == Qt::Key_O || digit == 6) && !ctrl)) MovePointerBy(-step * ++pointerStepCount_, 0);
  if (row((key == Qt::Key_P || digit == 7) && !ctrl)) MovePointerBy(+step * ++pointerStepCount_, 0);
  if (row((key == Qt::Key_A || digit == 8) && !ctrl)) MovePointerBy(0, +step * ++pointerStepCount_);
  if (row((key == Qt::Key_Q || digit == 9) && !ctrl)) MovePointerBy(0, -step * ++pointerStepCount_);
  if (row((key == Qt::Key_Space || digit == 0) && !ctrl)) ClickAtPointer(Qt::LeftButton);
  if (row((key == Qt::Key_Return || key == Qt::Key_Enter || digit == 5) && !ctrl)) ClickAtPointer(Qt::RightButton);
  if (row(digit == 6 && ctrl)) MovePointerBy(-1, 0);
  if (row(digit == 7 && ctrl)) MovePointerBy(+1, 0);
  if (row(digit == 8 && ctrl)) MovePointerBy(0, +1);
  if (row(digit == 9 && ctrl)) MovePointerBy(0, -1);
  if (row(key == Qt::Key_Delete)) RunPictureCommand(DeleteSelection);
  if (row(key == Qt::Key_C && ctrl)) RunPictureCommand([this](Editor& e) { CopySelection(e, IsPointerOverPicture()); });
  if (row(key == Qt::Key_V && ctrl)) RunPictureCommand([this](Editor& e) { PasteAtPointer(e, IsPointerOverPicture()); });
  if (row(key == Qt::Key_Left && ctrl)) RunPictureCommand(RotatePixelsLeft);
  if (row(key == Qt::Key_Right && ctrl)) RunPictureCommand(RotatePixelsRight);
  if (row(key == Qt::Key_Up && ctrl)) RunPictureCommand(RotatePixelsUp);
  if (row(key == Qt::Key_Down && ctrl)) RunPictureCommand(RotatePixelsDown);
  if (row(key == Qt::Key_Z && ctrl)) UndoSwap();
  for (int k = 0; k < 4; ++k) {
    if (row(digit == k + 1)) {
      SetCharColour(editor_, k);
      RefreshCharPaletteMarks();
    }
  }
  if (row(key == Qt::Key_C && !ctrl)) TogglePaletteWindow();
  if (row((key == Qt::Key_V || key == Qt::Key_F12) && !ctrl && !alt)) TogglePreviewWindow();
  if (row(key == Qt::Key_V && alt)) ToggleZoomMagnifier();
  if (row(key == Qt::Key_B && !ctrl)) ToggleBorderPaletteWindow();
  if (row(key == Qt::Key_G && !ctrl)) ToggleCharGrid();
  if (row(key == Qt::Key_H && !ctrl)) TogglePixelGrid();
  if (row(key == Qt::Key_W && !ctrl)) ToggleEditModePix();
  if (row(key == Qt::Key_E && !ctrl)) ToggleEditModeRgb();
  if (row(key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)) RunPictureCommand([](Editor& e) { e.Redraw(false); });
  return handled;
}

void MainWindow::FormKeyUp() { pointerStepCount_ = 0; }

}  // namespace chromaloom
