#include "window/editor_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <cmath>
#include <cstdio>

#include "picture/bitmap_sizes.h"
#include "render/renderer.h"
#include "window/command_table.h"

namespace chromaloom {

namespace {

// The keys of the file, grouped as a reader of it would look for them.
constexpr const char* RecentFilesKey = "recentFiles";
constexpr const char* KeysGroup = "keys";  // a command's name, its key
constexpr const char* OpenFolderKey = "dialogs/openFolder";
constexpr const char* OpenNameKey = "dialogs/openLastName";
constexpr const char* SaveFolderKey = "dialogs/saveFolder";
constexpr const char* SaveNameKey = "dialogs/saveLastName";
constexpr const char* BitmapSizeKey = "bitmapExport/size";
constexpr const char* CharGridKey = "view/charGrid";
constexpr const char* PixelGridKey = "view/pixelGrid";
constexpr const char* ZoomKey = "view/zoomLevel";
constexpr const char* PictureMaximisedKey = "pictureWindow/maximised";
constexpr const char* PictureBoundsKey = "pictureWindow/bounds";
constexpr const char* MainGeometryKey = "mainWindow/geometry";
constexpr const char* FitKey = "importPicture/fitting";
constexpr const char* DitherKey = "importPicture/dithering";
constexpr const char* MetricKey = "importPicture/metric";
constexpr const char* FlickerKey = "importPicture/flickerWeight";
constexpr const char* MixingKey = "importPicture/mixing";
constexpr const char* LanguageSettingKey = "interface/language";

struct PanelKeys {
  const char* Visible;
  const char* TopLeft;
};
constexpr PanelKeys PaletteKeys{"panels/palette/visible", "panels/palette/topLeft"};
constexpr PanelKeys BorderPaletteKeys{"panels/borderPalette/visible", "panels/borderPalette/topLeft"};
constexpr PanelKeys PreviewKeys{"panels/preview/visible", "panels/preview/topLeft"};
constexpr PanelKeys MagnifierKeys{"panels/magnifier/visible", "panels/magnifier/topLeft"};

// The typed reads: a value of another type, or out of range, is no value.
// An INI file gives numbers and flags back as text.
class Reader {
 public:
  explicit Reader(const QSettings* store) : store_(store) {}

  QVariant Value(const char* key) const { return store_ ? store_->value(key) : QVariant(); }

  int Number(const char* key, int fallback, int lowest, int highest) const {
    const QVariant value = Value(key);
    bool ok = false;
    const int number = IsScalar(value) ? value.toInt(&ok) : 0;
    return ok && number >= lowest && number <= highest ? number : fallback;
  }

  double Real(const char* key, double fallback, double lowest, double highest) const {
    const QVariant value = Value(key);
    bool ok = false;
    const double number = IsScalar(value) ? value.toDouble(&ok) : 0.0;
    return ok && std::isfinite(number) && number >= lowest && number <= highest ? number : fallback;
  }

  bool Flag(const char* key, bool fallback) const {
    const QVariant value = Value(key);
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    const QString text = Text(key);
    if (text == "true") return true;
    if (text == "false") return false;
    return fallback;
  }

  QString Text(const char* key) const {
    const QVariant value = Value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
  }

  // A folder that still exists, with a trailing separator.
  QString Folder(const char* key) const {
    const QFileInfo folder(Text(key));
    if (!folder.isAbsolute() || !folder.isDir()) return {};
    const QString path = QDir::cleanPath(folder.absoluteFilePath());
    return path.endsWith('/') ? path : path + "/";
  }

  // A file name whose folder still exists.
  QString FileName(const char* key) const {
    const QFileInfo name(Text(key));
    if (!name.isAbsolute() || name.fileName().isEmpty() || !name.absoluteDir().exists()) return {};
    return name.absoluteFilePath();
  }

  std::optional<QPoint> Point(const char* key) const {
    const QVariant value = Value(key);
    if (value.typeId() != QMetaType::QPoint) return std::nullopt;
    return value.toPoint();
  }

  std::optional<QRect> Rect(const char* key) const {
    const QVariant value = Value(key);
    if (value.typeId() != QMetaType::QRect) return std::nullopt;
    return value.toRect();
  }

  QByteArray Bytes(const char* key) const {
    const QVariant value = Value(key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
  }

  template <typename Value, std::size_t Count>
  Value Named(const char* key, const std::array<OptionChoice<Value>, Count>& choices, Value fallback) const {
    return ChoiceNamed<Value>(choices, Text(key).toStdString()).value_or(fallback);
  }

  PanelPlace Panel(const PanelKeys& keys, const QRect& area) const {
    PanelPlace place;
    place.Visible = Flag(keys.Visible, false);
    place.TopLeft = Point(keys.TopLeft);
    if (place.TopLeft && !area.contains(*place.TopLeft)) place.TopLeft.reset();
    return place;
  }

 private:
  // Lists and typed values (a point, bytes) are never a number.
  static bool IsScalar(const QVariant& value) {
    switch (value.typeId()) {
      case QMetaType::QString:
      case QMetaType::Int:
      case QMetaType::LongLong:
      case QMetaType::Double:
        return true;
      default:
        return false;
    }
  }

  const QSettings* store_;
};

template <typename Value, std::size_t Count>
QString NameOf(const std::array<OptionChoice<Value>, Count>& choices, Value value) {
  for (const OptionChoice<Value>& choice : choices)
    if (choice.Choice == value) return QString::fromUtf8(choice.Name);
  return {};
}

void WritePanel(QSettings& store, const PanelKeys& keys, const PanelPlace& place) {
  store.setValue(keys.Visible, place.Visible);
  if (place.TopLeft) {
    store.setValue(keys.TopLeft, *place.TopLeft);
  } else {
    store.remove(keys.TopLeft);
  }
}

}  // namespace

EditorSettings::EditorSettings(const QString& path) {
  if (path.isEmpty()) return;
  const QFileInfo file(path);
  if (file.exists() && !file.isFile()) {
    std::fprintf(stderr, "chromaloom: the settings file \"%s\" is not a regular file; it is left alone\n",
                 QFile::encodeName(path).constData());
    return;
  }
  // A damaged file still reads (what cannot be parsed is no value) and is written over at Save.
  store_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

EditorSettings::~EditorSettings() = default;

// Named as QSettings names it, without making one: QSettings reads the file
// as it is made, and a FIFO there would never end.
QString EditorSettings::UserFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
         QCoreApplication::organizationName() + "/" + QCoreApplication::applicationName() + ".ini";
}

RememberedSettings EditorSettings::Load(const QRect& area) const {
  const Reader read(store_.get());
  RememberedSettings settings;
  settings.OpenDialog = {read.Folder(OpenFolderKey), read.FileName(OpenNameKey)};
  settings.SaveDialog = {read.Folder(SaveFolderKey), read.FileName(SaveNameKey)};
  settings.BitmapSize = read.Number(BitmapSizeKey, 0, 0, static_cast<int>(BitmapSizes.size()) - 1);
  settings.CharGrid = read.Flag(CharGridKey, false);
  settings.PixelGrid = read.Flag(PixelGridKey, false);
  settings.ZoomLevel = read.Number(ZoomKey, 1, MinZoomLevel, MaxZoomLevel);
  if (!IsZoomLevel(settings.ZoomLevel)) settings.ZoomLevel = 1;
  settings.Palette = read.Panel(PaletteKeys, area);
  settings.BorderPalette = read.Panel(BorderPaletteKeys, area);
  settings.Preview = read.Panel(PreviewKeys, area);
  settings.Magnifier = read.Panel(MagnifierKeys, area);
  settings.PictureMaximised = read.Flag(PictureMaximisedKey, true);
  settings.PictureBounds = read.Rect(PictureBoundsKey);
  if (const auto& bounds = settings.PictureBounds;
      bounds && (bounds->isEmpty() || !area.contains(bounds->topLeft()) || bounds->width() > area.width() ||
                 bounds->height() > area.height()))
    settings.PictureBounds.reset();
  settings.MainGeometry = read.Bytes(MainGeometryKey);
  ImagePictureOptions& import = settings.ImportOptions;
  import.Fit = read.Named(FitKey, FitChoices, import.Fit);
  import.Conversion.Dither = read.Named(DitherKey, DitherChoices, import.Conversion.Dither);
  import.Conversion.Metric = read.Named(MetricKey, MetricChoices, import.Conversion.Metric);
  import.Conversion.FlickerWeight = read.Real(FlickerKey, 0.0, 0.0, MaxFlickerWeight);
  import.Conversion.Mixing = NamedMixingOf(read.Named(MixingKey, MixingChoices, MixingKind::Own));
  return settings;
}

void EditorSettings::Save(const RememberedSettings& settings) {
  if (!store_) return;
  QSettings& store = *store_;
  store.setValue(OpenFolderKey, settings.OpenDialog.Folder);
  store.setValue(OpenNameKey, settings.OpenDialog.LastName);
  store.setValue(SaveFolderKey, settings.SaveDialog.Folder);
  store.setValue(SaveNameKey, settings.SaveDialog.LastName);
  store.setValue(BitmapSizeKey, settings.BitmapSize);
  store.setValue(CharGridKey, settings.CharGrid);
  store.setValue(PixelGridKey, settings.PixelGrid);
  store.setValue(ZoomKey, settings.ZoomLevel);
  WritePanel(store, PaletteKeys, settings.Palette);
  WritePanel(store, BorderPaletteKeys, settings.BorderPalette);
  WritePanel(store, PreviewKeys, settings.Preview);
  WritePanel(store, MagnifierKeys, settings.Magnifier);
  store.setValue(PictureMaximisedKey, settings.PictureMaximised);
  if (settings.PictureBounds) {
    store.setValue(PictureBoundsKey, *settings.PictureBounds);
  } else {
    store.remove(PictureBoundsKey);
  }
  store.setValue(MainGeometryKey, settings.MainGeometry);
  const ImagePictureOptions& import = settings.ImportOptions;
  store.setValue(FitKey, NameOf(FitChoices, import.Fit));
  store.setValue(DitherKey, NameOf(DitherChoices, import.Conversion.Dither));
  store.setValue(MetricKey, NameOf(MetricChoices, import.Conversion.Metric));
  store.setValue(FlickerKey, import.Conversion.FlickerWeight);
  store.setValue(MixingKey, NameOf(MixingChoices, import.Conversion.Mixing.Kind));
  store.sync();
}

QStringList EditorSettings::RecentFiles() const {
  if (!store_) return {};
  const QVariant value = store_->value(RecentFilesKey);
  // An INI file gives a list of one as plain text.
  QStringList stored;
  if (value.typeId() == QMetaType::QStringList) stored = value.toStringList();
  if (value.typeId() == QMetaType::QString) stored = {value.toString()};
  QStringList paths;
  // Oldest first, so each goes in front of the ones after it.
  for (auto it = stored.crbegin(); it != stored.crend(); ++it)
    if (QFileInfo(*it).isAbsolute()) paths = WithRecentFile(paths, *it);
  return paths;
}

void EditorSettings::SetRecentFiles(const QStringList& paths) {
  if (!store_) return;
  store_->setValue(RecentFilesKey, paths);
  store_->sync();
}

namespace {
// One group per picture file, named by its path in URL-safe base64 (a path
// may hold anything a settings key may not).
QByteArray ReferenceGroup(const QString& picturePath) {
  return "references/" + picturePath.toUtf8().toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}
}  // namespace

std::optional<ReferencePlacement> EditorSettings::Reference(const QString& picturePath) const {
  const QByteArray group = ReferenceGroup(picturePath);
  const Reader read(store_.get());
  ReferencePlacement place;
  place.ImagePath = read.Text(group + "/image");
  if (place.ImagePath.isEmpty() || !QFileInfo(place.ImagePath).isAbsolute()) return std::nullopt;
  constexpr double far = 1e6;  // picture pixels: any real placement is nearer
  place.TopLeft = {read.Real(group + "/x", 0, -far, far), read.Real(group + "/y", 0, -far, far)};
  place.Scale = read.Real(group + "/scale", 1, MinReferenceScale, MaxReferenceScale);
  place.Opacity = read.Number(group + "/opacity", 50, 0, 100);
  place.Shown = read.Flag(group + "/shown", true);
  return place;
}

void EditorSettings::SetReference(const QString& picturePath, const std::optional<ReferencePlacement>& placement) {
  if (!store_) return;
  const QString group = QString::fromLatin1(ReferenceGroup(picturePath));
  store_->remove(group);
  if (placement) {
    store_->setValue(group + "/image", placement->ImagePath);
    store_->setValue(group + "/x", placement->TopLeft.x());
    store_->setValue(group + "/y", placement->TopLeft.y());
    store_->setValue(group + "/scale", placement->Scale);
    store_->setValue(group + "/opacity", placement->Opacity);
    store_->setValue(group + "/shown", placement->Shown);
  }
  store_->sync();
}

KeyBindings EditorSettings::Keys() const {
  if (!store_) return {};
  KeyBindings read;
  store_->beginGroup(KeysGroup);
  for (const QString& name : store_->childKeys()) {
    // An INI file gives a value with a bare comma as a list: no key of ours.
    const QVariant value = store_->value(name);
    if (value.typeId() != QMetaType::QString) continue;
    if (const auto key = KeyFromText(value.toString())) read.Set(name.toStdString(), *key);
  }
  store_->endGroup();
  return UsableBindings(read);
}

void EditorSettings::SetKeys(const KeyBindings& keys) {
  if (!store_) return;
  store_->remove(KeysGroup);
  for (const auto& [name, key] : keys.All())
    store_->setValue(QString(KeysGroup) + '/' + QString::fromStdString(name), KeyToText(key));
  store_->sync();
}

InterfaceLanguage EditorSettings::Language() const {
  if (!store_) return InterfaceLanguage::System;
  const QVariant value = store_->value(LanguageSettingKey);
  if (value.typeId() != QMetaType::QString) return InterfaceLanguage::System;
  return LanguageFromKey(value.toString().toStdString()).value_or(InterfaceLanguage::System);
}

void EditorSettings::SetLanguage(InterfaceLanguage language) {
  if (!store_) return;
  store_->setValue(LanguageSettingKey, QString::fromLatin1(LanguageKey(language)));
  store_->sync();
}

QStringList WithRecentFile(QStringList paths, const QString& path) {
  const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  paths.removeAll(absolute);
  paths.prepend(absolute);
  while (paths.size() > EditorSettings::MaxRecentFiles) paths.removeLast();
  return paths;
}

}  // namespace chromaloom
