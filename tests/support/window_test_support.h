// Window tests reach widgets and actions by their object names, as a user
// reaches them by what they show, and use them with real events.
#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/view.h"
#include "support/scripted_dialogs.h"
#include "window/main_window.h"

namespace chromaloom::test_support {

// The child of root with this object name; a missing one ends the test
// program with its name, as nothing after it could mean anything.
template <typename T>
T* Child(const QObject& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  if (!child) qFatal("no %s named \"%s\"", T::staticMetaObject.className(), qPrintable(name));
  return child;
}

// The main window at the size the tests draw in, shown, its first events handled.
inline std::unique_ptr<MainWindow> ShownMainWindow(const QStringList& args = {}) {
  auto window = std::make_unique<MainWindow>(args);
  window->resize(1200, 900);
  window->show();
  QCoreApplication::processEvents();
  return window;
}

// Gives the window dialogs that answer from a script; the window owns them.
inline ScriptedDialogs* ScriptDialogs(MainWindow& window) {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs* script = dialogs.get();
  window.Files().SetDialogs(std::move(dialogs));
  return script;
}

// A press and a release in the middle of the widget.
inline void PressAndRelease(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(widget, button);
  QTest::mouseRelease(widget, button);
}

// A key pressed and let go while the widget has the keyboard.
inline void Type(QWidget* widget, Qt::Key key) {
  QTest::keyPress(widget, key);
  QTest::keyRelease(widget, key);
}

// Chooses the item with this caption by the keyboard, as a user would.
inline void ChooseByKeys(QComboBox* box, const QString& caption) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Home);
  for (int i = 0; i < box->count() && box->currentText() != caption; ++i) QTest::keyClick(box, Qt::Key_Down);
  QCOMPARE(box->currentText(), caption);
}

// Types the value over the box's text and presses Return.
inline void TypeValue(QDoubleSpinBox* box, double value) {
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, box->locale().toString(value, 'f', box->decimals()));
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(box->value(), value);
}

// A whole file's bytes; empty when it cannot be read.
inline std::vector<std::uint8_t> ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  return {data.begin(), data.end()};
}

// Writes bytes as a whole file; a file that cannot be written ends the test program.
inline void WriteAll(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

// The view's surfaces without the tools' overlays, against a view made
// afresh from the same picture and settings.
inline QString StaleSurface(MainWindow& w) {
  View& shown = w.View();
  shown.Render.Redraw(false);  // wipes the overlays only, from the rasters as they are
  const ViewState& s = shown.Settings();
  View fresh(w.Document().Picture());
  fresh.SetZoom(s.ZoomLevel);
  fresh.SetCharGrid(s.CharGridOn);
  fresh.SetPixelGrid(s.PixelGridOn);
  fresh.SetShown(s.Shown);
  fresh.SetFlickerMap(s.FlickerMapOn);
  fresh.SetMixing(s.Mixing);
  fresh.Render.Redraw(true);
  if (!(shown.Render.MixedRaster == fresh.Render.MixedRaster)) return "mixed raster";
  // The screens alone are kept only while something shows them.
  const bool screensShown = s.Shown != ScreenView::Mixed || s.FlickerMapOn;
  if (screensShown && !(shown.Render.ScreenRaster0 == fresh.Render.ScreenRaster0)) return "screen 0 raster";
  if (screensShown && !(shown.Render.ScreenRaster1 == fresh.Render.ScreenRaster1)) return "screen 1 raster";
  if (!(shown.Render.EditorImage() == fresh.Render.EditorImage())) return "canvas";
  return {};
}

}  // namespace chromaloom::test_support
