// File > Import > Picture...: an image's options (cell height, fitting,
// dithering, metric, flicker weight) with the fitted source beside the
// converted result. Each change converts again on a worker thread; a result
// older than the one shown is dropped, so the dialog never goes backwards.
#pragma once

#include <QDialog>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "convert/image_conversion.h"
#include "convert/image_fitting.h"
#include "convert/option_choice.h"
#include "picture/raster.h"

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;

namespace chromaloom {

struct ImagePictureOptions {
  FitMode Fit = FitMode::Fit;
  ImageConversionOptions Conversion;
};

inline constexpr std::array<OptionChoice<int>, 4> CellHeightChoices = {
    {{"8x8", 8}, {"8x4", 4}, {"8x2", 2}, {"8x1", 1}}};

// The work of one preview, run off the event loop: fitted source and result.
using ImageConverter = std::function<ImageConversion(const Raster& fitted, const ImageConversionOptions& options)>;

class ImagePictureDialog : public QDialog {
  Q_OBJECT
 public:
  // preset: the options the dialog starts with (the cell height is the open picture's).
  ImagePictureDialog(Raster image, const ImagePictureOptions& preset, QWidget* parent = nullptr,
                     ImageConverter convert = {});
  ~ImagePictureDialog() override;

  ImagePictureOptions Options() const;
  // The result on show and the options it was made with; nullopt before the first.
  const std::optional<ImageConversion>& ShownResult() const { return shown_; }
  const std::optional<ImagePictureOptions>& ShownOptions() const { return shownOptions_; }
  // The shown result is of the options now set.
  bool IsResultCurrent() const { return shown_ && shownGeneration_ == generation_; }

 signals:
  // A result came and is now on show.
  void ResultShown();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Convert();
  void Show(std::uint64_t generation, const ImagePictureOptions& options, const Raster& fitted, ImageConversion result);

  std::shared_ptr<const Raster> image_;
  // The image fitted once per fitting: other options reuse it.
  std::array<std::shared_ptr<const Raster>, 3> fitted_;
  ImageConverter convert_;
  std::uint64_t generation_ = 0;  // of the options now set
  std::shared_ptr<std::atomic<std::uint64_t>> latest_ = std::make_shared<std::atomic<std::uint64_t>>(0);
  std::uint64_t shownGeneration_ = 0;  // of the result on show
  std::optional<ImageConversion> shown_;
  std::optional<ImagePictureOptions> shownOptions_;

  QComboBox* cellHeight_ = nullptr;
  QComboBox* fit_ = nullptr;
  QComboBox* dither_ = nullptr;
  QComboBox* metric_ = nullptr;
  QComboBox* mixing_ = nullptr;
  QDoubleSpinBox* flicker_ = nullptr;
  QLabel* source_ = nullptr;
  QLabel* result_ = nullptr;
  QLabel* stats_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  int previewScale_ = 2;  // screen pixels per picture pixel
};

}  // namespace chromaloom
