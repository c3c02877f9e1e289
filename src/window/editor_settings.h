// What the editor keeps between runs, in one settings file. Every value is
// read with its type and range checked: a missing, damaged or foreign value
// gives its default, so no settings file can upset the start.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "window/image_picture_dialog.h"
#include "window/interface_language.h"
#include "window/key_bindings.h"
#include "window/reference_image.h"
#include "window/user_dialogs.h"

class QSettings;

namespace chromaloom {

// A tool window: shown or not, and where its top-left corner was.
struct PanelPlace {
  bool Visible = false;
  std::optional<QPoint> TopLeft;  // nullopt: where the panel starts by itself
};

struct RememberedSettings {
  FileDialogState OpenDialog;
  FileDialogState SaveDialog;
  int BitmapSize = 0;  // the row of BitmapSizes
  bool CharGrid = false;
  bool PixelGrid = false;
  int ZoomLevel = 1;
  PanelPlace Palette;
  PanelPlace BorderPalette;
  PanelPlace Preview;
  PanelPlace Magnifier;
  bool PictureMaximised = true;
  std::optional<QRect> PictureBounds;  // the picture window's restored bounds
  QByteArray MainGeometry;             // as QWidget::saveGeometry gives it; empty for none
  ImagePictureOptions ImportOptions;   // the cell height is not kept: each image presets it
};

class EditorSettings {
 public:
  static constexpr int MaxRecentFiles = 10;

  // path: the settings file; empty keeps nothing (Load gives the defaults,
  // Save does nothing). A path that names anything but a regular file is not
  // used either: reading a pipe would never end.
  explicit EditorSettings(const QString& path);
  ~EditorSettings();
  EditorSettings(const EditorSettings&) = delete;
  EditorSettings& operator=(const EditorSettings&) = delete;

  // The user's own file, from the application's organization and name
  // (on Linux ~/.config/chromaLoom/chromaLoom.ini).
  static QString UserFile();

  // area: the screen's work area in the main window's client coordinates;
  // a panel or picture window whose corner lies outside it starts where it
  // would by itself.
  RememberedSettings Load(const QRect& area) const;
  void Save(const RememberedSettings& settings);

  // Newest first, absolute paths, no repeats, at most MaxRecentFiles.
  QStringList RecentFiles() const;
  // Written to the file at once.
  void SetRecentFiles(const QStringList& paths);

  // The user's keys; entries naming no command, keys that cannot be read and
  // keys another command takes are left out.
  KeyBindings Keys() const;
  // Written to the file at once.
  void SetKeys(const KeyBindings& keys);
  // The reference image last shown over a picture file; nullopt: none, or
  // its entry is damaged. Written at once; nullopt forgets it.
  std::optional<ReferencePlacement> Reference(const QString& picturePath) const;
  void SetReference(const QString& picturePath, const std::optional<ReferencePlacement>& placement);
  // The language chosen in View > Language; System where none was, or the
  // entry is damaged. Written at once.
  InterfaceLanguage Language() const;
  void SetLanguage(InterfaceLanguage language);

 private:
  std::unique_ptr<QSettings> store_;
};

// A recent-file list with path in front: made absolute, earlier copies dropped, cut to the limit.
QStringList WithRecentFile(QStringList paths, const QString& path);

}  // namespace chromaloom
