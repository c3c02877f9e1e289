// The colour corrector's floating panel: both screens side by side at 2:1,
// the chosen cell's neighbourhood and colours, and the exchange button.
#pragma once

#include <QFrame>

class QLabel;
class QMouseEvent;
class QPushButton;

namespace chromaloom {

class CaptionStrip;
class Editor;
class ImageView;

class CorrectorPanel : public QFrame {
  Q_OBJECT
 public:
  CorrectorPanel(Editor& editor, QWidget* parent);

  // Menu "Color Corrector" > "Show/Hide". Showing sizes the detail frames
  // for the current cell height and renders both screens afresh.
  void ShowHide1Click();
  // The close image on the caption strip.
  void Image16Click();
  // One tick of the main timer: the cell's outline moves on, while visible.
  void TickAnts();
  // Repaints every image of the panel from its raster.
  void RepaintImages();

  // The drag handle; the main window registers it with its dragger.
  CaptionStrip* Panel12 = nullptr;
  QLabel* Image16 = nullptr;
  ImageView* IMGCorrector0 = nullptr;
  ImageView* IMGCorrector1 = nullptr;
  QFrame* PanelCorrChar0 = nullptr;
  QFrame* PanelCorrChar1 = nullptr;
  ImageView* IMGCorrChar0 = nullptr;
  ImageView* IMGCorrChar1 = nullptr;
  ImageView* ImgCorrPAP0 = nullptr;
  ImageView* ImgCorrINK0 = nullptr;
  ImageView* ImgCorrPAP1 = nullptr;
  ImageView* ImgCorrINK1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button8 = nullptr;
  QPushButton* Button9 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void IMGCorrector0MouseDown(const ImageView* view, const QMouseEvent* event);
  void Button1Click();
  void SizeDetailFrames();
  void RepaintCellOutline();

  Editor& editor_;
};

}  // namespace chromaloom
