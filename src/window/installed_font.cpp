#include "window/installed_font.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

#include "editing/drawing.h"

namespace chromaloom {

namespace {
// Far more than the picture is wide: longer texts are cut there.
constexpr int MaxTextWidth = 4 * PictureWidth;
}  // namespace

InstalledTextFace::InstalledTextFace(const QFont& font) : chosen_(font), font_(font) {
  font_.setPixelSize(std::clamp(font.pointSize() > 0 ? font.pointSize() : font.pixelSize(), 4, PictureHeight));
  font_.setStyleStrategy(QFont::NoAntialias);
  font_.setHintingPreference(QFont::PreferFullHinting);
}

int InstalledTextFace::Height() const { return QFontMetrics(font_).height(); }

int InstalledTextFace::AddText(PixelSet& mask, std::u32string_view letters, Point origin) const {
  const QString text = QString::fromUcs4(letters.data(), static_cast<qsizetype>(letters.size()));
  const QFontMetrics metrics(font_);
  const int width = std::min(metrics.horizontalAdvance(text), MaxTextWidth);
  if (width <= 0) return 0;
  QImage image(width, metrics.height(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.drawText(0, metrics.ascent(), text);
  }
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(row[x]) >= 128) mask.Add({origin.X + x, origin.Y + y});
  }
  return width;
}

}  // namespace chromaloom
