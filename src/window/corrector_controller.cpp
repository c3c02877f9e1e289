#include "window/corrector_controller.h"

#include "picture/document.h"
#include "render/view.h"
#include "window/corrector_window.h"

namespace chromaloom {

CorrectorController::CorrectorController(Document& document, View& view, QObject* parent)
    : QObject(parent), document_(document), view_(view) {}

void CorrectorController::Attach(CorrectorWindow* window) {
  window_ = window;
  window_->SizeDetailFrames(document_.CellHeight());
  connect(window_, &CorrectorWindow::CellPressed, this, [this](QPoint at) {
    Renderer& render = view_.Render;
    const CorrectorSurfaces surfaces{render.CorrectorScreen0, render.CorrectorScreen1, render.CorrectorSource0,
                                     render.CorrectorSource1};
    ChooseCorrectorCell(state_, document_.Picture(), surfaces, at.x(), at.y());
    // Marked at once, not at the next tick.
    view_.DrawCorrectorAnts(CorrectorCellOnImage(document_.Picture(), state_));
    window_->RepaintImages();
  });
  connect(window_, &CorrectorWindow::ExchangeCellsClicked, this, [this] {
    ExchangeCorrectorCell(state_, document_);
    Redraw();
    emit PictureChanged();
  });
}

void CorrectorController::Redraw() {
  // The images drawn afresh from newly rendered screens, with the details.
  Renderer& render = view_.Render;
  render.RedrawCorrector(true);
  UpdateCorrectorDetails(state_, document_.Picture(), render.CorrectorSource0, render.CorrectorSource1);
  window_->RepaintImages();
}

void CorrectorController::Prepare() {
  window_->SizeDetailFrames(document_.CellHeight());
  Redraw();
}

void CorrectorController::MarchAnts() {
  if (!window_->isVisible()) return;
  view_.DrawCorrectorAnts(CorrectorCellOnImage(document_.Picture(), state_));
  const CorrectorCellArea cell = CorrectorCellInPicture(document_.Picture(), state_);
  window_->RepaintCell(cell.Column, cell.Row, cell.Height);
}

}  // namespace chromaloom
