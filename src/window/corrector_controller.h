// The colour corrector: the cell it shows, its images of the two screens,
// the exchange of a cell line between the screens, and the cell's ants.
#pragma once

#include <QObject>

#include "editing/colour_corrector.h"

namespace chromaloom {

class CorrectorWindow;
class Document;
class View;

class CorrectorController : public QObject {
  Q_OBJECT
 public:
  CorrectorController(Document& document, View& view, QObject* parent);

  CorrectorState& State() { return state_; }
  const CorrectorState& State() const { return state_; }

  void Attach(CorrectorWindow* window);
  // Sized for the current cell height and rendered afresh at each showing.
  void Prepare();
  // The 100 ms tick: the chosen cell's ants march.
  void MarchAnts();

 signals:
  // An exchange changed the picture.
  void PictureChanged();

 private:
  void Redraw();

  Document& document_;
  View& view_;
  CorrectorState state_;
  CorrectorWindow* window_ = nullptr;
};

}  // namespace chromaloom
