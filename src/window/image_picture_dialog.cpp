#include "window/image_picture_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#include "render/picture_bitmap.h"
#include "window/image_view.h"

namespace chromaloom {

namespace {

struct Preview {
  bool Skipped = false;  // newer options came before the job started
  std::shared_ptr<const Raster> Fitted;
  ImageConversion Conversion;
};

// A list of an option's names; the item data is the value as an int.
template <typename Value, std::size_t Count>
QComboBox* Choice(QWidget* parent, const char* name, const std::array<OptionChoice<Value>, Count>& choices,
                  Value preset) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const OptionChoice<Value>& choice : choices) {
    box->addItem(QCoreApplication::translate("Options", choice.Name), static_cast<int>(choice.Choice));
    if (choice.Choice == preset) box->setCurrentIndex(box->count() - 1);
  }
  return box;
}

QPixmap Scaled(const Raster& raster, int scale) {
  // A copy either way: the pixmap may share the image's memory, and the raster goes.
  const QImage image = WrapRaster(raster);
  return QPixmap::fromImage(scale == 1 ? image.copy() : image.scaled(raster.Width() * scale, raster.Height() * scale));
}

QLabel* PreviewLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// The room a window may take on the screen of this widget.
QSize Room(const QWidget* widget) {
  const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

}  // namespace

ImagePictureDialog::ImagePictureDialog(Raster image, const ImagePictureOptions& preset, QWidget* parent,
                                       ImageConverter convert)
    : QDialog(parent), image_(std::make_shared<const Raster>(std::move(image))), convert_(std::move(convert)) {
  if (!convert_) convert_ = ConvertImage;
  setObjectName("imagePictureDialog");
  setWindowTitle(QCoreApplication::translate("ImportPicture", "Import Picture"));

  const ImageConversionOptions& conversion = preset.Conversion;
  cellHeight_ = Choice(this, "imageCellHeightBox", CellHeightChoices, conversion.CellHeight);
  fit_ = Choice(this, "imageFitBox", FitChoices, preset.Fit);
  dither_ = Choice(this, "imageDitherBox", DitherChoices, conversion.Dither);
  metric_ = Choice(this, "imageMetricBox", MetricChoices, conversion.Metric);
  mixing_ = Choice(this, "imageMixingBox", MixingChoices, conversion.Mixing.Kind);
  mixing_->setToolTip(QCoreApplication::translate(
      "ImportPicture", "The mixing the result is made for: choose the one it will be seen with"));
  flicker_ = new QDoubleSpinBox(this);
  flicker_->setObjectName("imageFlickerBox");
  flicker_->setRange(0.0, MaxFlickerWeight);
  flicker_->setSingleStep(0.05);
  flicker_->setDecimals(2);
  flicker_->setValue(conversion.FlickerWeight);
  flicker_->setToolTip(
      QCoreApplication::translate("ImportPicture",
                                  "0 to %1; 0 is off, and small weights (0.05 to 0.25) remove most flicker for a "
                                  "little colour error")
          .arg(MaxFlickerWeight, 0, 'f', 0));

  auto* form = new QFormLayout;
  form->addRow(QCoreApplication::translate("ImportPicture", "Cell height"), cellHeight_);
  form->addRow(QCoreApplication::translate("ImportPicture", "Fitting"), fit_);
  form->addRow(QCoreApplication::translate("ImportPicture", "Dithering"), dither_);
  form->addRow(QCoreApplication::translate("ImportPicture", "Metric"), metric_);
  form->addRow(QCoreApplication::translate("ImportPicture", "Flicker weight"), flicker_);
  form->addRow(QCoreApplication::translate("ImportPicture", "Mixing"), mixing_);

  source_ = PreviewLabel(this, "imageSourcePreview");
  result_ = PreviewLabel(this, "imageResultPreview");
  stats_ = new QLabel(this);
  stats_->setObjectName("imageStatsLabel");
  stats_->setText(QCoreApplication::translate("ImportPicture", "Converting..."));

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->setObjectName("imageButtons");
  buttons_->button(QDialogButtonBox::Ok)->setObjectName("imageOkButton");
  buttons_->button(QDialogButtonBox::Cancel)->setObjectName("imageCancelButton");
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  // The options and previews scroll on a screen too small for them; the
  // buttons always show.
  auto* content = new QWidget;
  auto* previews = new QHBoxLayout(content);
  previews->setContentsMargins(0, 0, 0, 0);
  previews->addLayout(form);
  previews->addWidget(source_);
  previews->addWidget(result_);
  auto* scroller = new QScrollArea(this);
  scroller->setObjectName("imagePreviewScroller");
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidgetResizable(true);
  scroller->setWidget(content);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroller, 1);
  layout->addWidget(stats_);
  layout->addWidget(buttons_);

  // Previews at 2:1 where the screen has room for them, else 1:1.
  const QSize room = Room(parent) - QSize(40, 80);  // the frame the desktop adds
  const QSize around = QSize(40, stats_->sizeHint().height() + buttons_->sizeHint().height() + 40);
  for (previewScale_ = 2; previewScale_ >= 1; --previewScale_) {
    for (QLabel* preview : {source_, result_})
      preview->setFixedSize(PictureWidth * previewScale_, PictureHeight * previewScale_);
    const QSize wanted = content->sizeHint() + around;
    if (previewScale_ == 1 || (wanted.width() <= room.width() && wanted.height() <= room.height())) {
      scroller->setMinimumSize(content->sizeHint().boundedTo(room - around));
      break;
    }
  }
  setMaximumSize(room);

  for (QComboBox* box : {cellHeight_, fit_, dither_, metric_, mixing_})
    connect(box, &QComboBox::currentIndexChanged, this, &ImagePictureDialog::Convert);
  connect(flicker_, &QDoubleSpinBox::valueChanged, this, &ImagePictureDialog::Convert);
  Convert();
}

ImagePictureDialog::~ImagePictureDialog() = default;

void ImagePictureDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred over a window larger than the screen, the buttons could lie off it.
  if (const QScreen* shown = screen()) {
    const QRect room = shown->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = std::clamp(frame.x(), room.left(), std::max(room.left(), room.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height()));
    move(pos() + QPoint(x - frame.x(), y - frame.y()));
  }
}

ImagePictureOptions ImagePictureDialog::Options() const {
  ImagePictureOptions options;
  options.Fit = static_cast<FitMode>(fit_->currentData().toInt());
  options.Conversion.CellHeight = cellHeight_->currentData().toInt();
  options.Conversion.Dither = static_cast<Dithering>(dither_->currentData().toInt());
  options.Conversion.Metric = static_cast<ColourMetric>(metric_->currentData().toInt());
  options.Conversion.FlickerWeight = flicker_->value();
  options.Conversion.Mixing = NamedMixingOf(static_cast<MixingKind>(mixing_->currentData().toInt()));
  return options;
}

void ImagePictureDialog::Convert() {
  const std::uint64_t generation = ++generation_;
  latest_->store(generation);
  const ImagePictureOptions options = Options();
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
  // The job holds its own copies: it may outlive the dialog.
  auto* watcher = new QFutureWatcher<Preview>(this);
  connect(watcher, &QFutureWatcher<Preview>::finished, this, [this, watcher, generation, options] {
    watcher->deleteLater();
    Preview preview = watcher->result();
    if (preview.Skipped) return;
    fitted_[static_cast<std::size_t>(options.Fit)] = preview.Fitted;
    Show(generation, options, *preview.Fitted, std::move(preview.Conversion));
  });
  watcher->setFuture(QtConcurrent::run([image = image_, fitted = fitted_[static_cast<std::size_t>(options.Fit)],
                                        convert = convert_, options, latest = latest_, generation] {
    Preview preview;
    // While the user types or scrolls, only the newest waiting job is worth its time.
    preview.Skipped = latest->load() != generation;
    if (preview.Skipped) return preview;
    preview.Fitted = fitted ? fitted : std::make_shared<const Raster>(FitToPicture(*image, options.Fit));
    preview.Conversion = convert(*preview.Fitted, options.Conversion);
    return preview;
  }));
}

void ImagePictureDialog::Show(std::uint64_t generation, const ImagePictureOptions& options, const Raster& fitted,
                              ImageConversion result) {
  // Results may finish out of order; one older than the shown is stale.
  if (generation <= shownGeneration_) return;
  shownGeneration_ = generation;
  Picture picture;
  static_cast<Planes&>(picture) = result.Result;
  picture.CellHeight = static_cast<std::uint8_t>(options.Conversion.CellHeight);
  source_->setPixmap(Scaled(fitted, previewScale_));
  result_->setPixmap(Scaled(RenderMixedPicture(picture, options.Conversion.Mixing), previewScale_));
  stats_->setText(
      QCoreApplication::translate("ImportPicture", "Mean colour error %1, mean flicker %2, blurred error %3")
          .arg(result.Stats.MeanColourError, 0, 'f', 1)
          .arg(result.Stats.MeanFlicker, 0, 'f', 1)
          .arg(result.Stats.MeanBlurredError, 0, 'f', 1));
  shown_ = std::move(result);
  shownOptions_ = options;
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(IsResultCurrent());
  emit ResultShown();
}

}  // namespace chromaloom
