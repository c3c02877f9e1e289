// What the editor remembers between runs: set through the window, closed,
// and found again in a second window on the same settings file; damaged or
// foreign files give the defaults.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include "files/image_files.h"
#include "render/renderer.h"
#include "support/scripted_dialogs.h"
#include "support/window_test_support.h"
#include "window/editor_settings.h"
#include "window/image_picture_dialog.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ChooseByKeys;
using test_support::PressAndRelease;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;
using test_support::TypeValue;

namespace {

// The test's own settings file, in its own folder: never the user's.
struct Session {
  QTemporaryDir Dir;
  QString File(const QString& name) const { return Dir.filePath(name); }
  QString Settings() const { return File("settings.conf"); }
};

std::unique_ptr<MainWindow> Window(const QString& settings, const QStringList& args = {}) {
  auto window = std::make_unique<MainWindow>(args, settings);
  ScriptDialogs(*window);
  return window;
}

void Trigger(MainWindow& w, const char* action) { Child<QAction>(w, action)->trigger(); }

QString SavedImage(const QString& path) {
  QImage image(256, 192, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 90));
  if (!image.save(path)) qFatal("cannot write %s", qPrintable(path));
  return path;
}

// The import dialog on show (one cancelled earlier may wait to be deleted).
ImagePictureDialog* ShownImportDialog(MainWindow& w) {
  for (ImagePictureDialog* dialog : w.findChildren<ImagePictureDialog*>("imagePictureDialog"))
    if (dialog->isVisible()) return dialog;
  return nullptr;
}

// What the window shows of everything the settings keep, a line each. The
// file dialogs are asked (and cancelled) to see where they start, and the
// import dialog is opened on image and cancelled.
QStringList Look(MainWindow& w, const QString& image) {
  const ViewState& view = w.View().Settings();
  QStringList seen = {QString("zoom %1, grids %2 %3").arg(view.ZoomLevel).arg(view.CharGridOn).arg(view.PixelGridOn)};
  // The bar shows a toggle that is on as a button held down.
  QStringList down;
  for (const char* name : {"charGridButton", "pixelGridButton", "paletteButton", "borderPaletteButton", "previewButton",
                           "magnifierButton"})
    if (Child<QToolButton>(w, name)->isDown()) down << name;
  seen << "down: " + down.join(' ');
  for (const char* name : {"paletteWindow", "borderPaletteWindow", "previewWindow", "magnifierWindow"}) {
    const QWidget* panel = Child<QWidget>(w, name);
    seen << QString("%1 %2 at %3,%4").arg(name, panel->isHidden() ? "hidden" : "shown").arg(panel->x()).arg(panel->y());
  }
  const QRect bounds = w.IsPictureMaximised() ? w.FloatingBounds() : Child<QWidget>(w, "pictureWindow")->geometry();
  seen << QString("picture %1, restored %2,%3 %4x%5")
              .arg(w.IsPictureMaximised() ? "maximised" : "floating")
              .arg(bounds.x())
              .arg(bounds.y())
              .arg(bounds.width())
              .arg(bounds.height());
  for (int i = 1; i <= 9; ++i)
    if (Child<QRadioButton>(w, QString("bitmapSize%1").arg(i))->isChecked()) seen << QString("bitmap size %1").arg(i);
  ScriptedDialogs& dialogs = *ScriptDialogs(w);
  Trigger(w, "openAction");
  seen << "open offers " + dialogs.LastOffered;
  Trigger(w, "saveAsAction");
  seen << "save offers " + dialogs.LastOffered;
  w.Controller().OpenImageDialog(ReadImageFile(image.toStdString()));
  ImagePictureDialog* dialog = ShownImportDialog(w);
  if (!dialog) return seen << "no import dialog";
  QStringList options;
  for (const char* name : {"imageFitBox", "imageDitherBox", "imageMetricBox", "imageMixingBox"})
    options << Child<QComboBox>(*dialog, name)->currentText();
  seen << "import " + options.join(' ') + " " +
              QString::number(Child<QDoubleSpinBox>(*dialog, "imageFlickerBox")->value());
  PressAndRelease(Child<QPushButton>(*dialog, "imageCancelButton"));
  return seen;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(path));
}

}  // namespace

class EditorSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void whatTheUserSetComesBackInTheNextRun() {
    Session session;
    const QString image = SavedImage(session.File("source.png"));
    QDir(session.Dir.path()).mkdir("opened");
    QDir(session.Dir.path()).mkdir("saved");
    QStringList before;
    QRect geometry;
    {
      auto w = Window(session.Settings());
      w->show();
      QVERIFY(QTest::qWaitForWindowExposed(w.get()));
      w->setGeometry(40, 30, 700, 500);
      geometry = w->geometry();
      PressAndRelease(Child<QToolButton>(*w, "charGridButton"));
      PressAndRelease(Child<QToolButton>(*w, "paletteButton"));
      PressAndRelease(Child<QToolButton>(*w, "previewButton"));
      PressAndRelease(Child<QToolButton>(*w, "magnifierButton"));
      Child<QWidget>(*w, "paletteWindow")->move(200, 100);
      Child<QWidget>(*w, "magnifierWindow")->move(150, 170);
      Child<QWidget>(*w, "borderPaletteWindow")->move(60, 260);  // moved while hidden
      QTest::mousePress(Child<QWidget>(*w, "maximiseIcon"), Qt::LeftButton);
      Child<QWidget>(*w, "pictureWindow")->setGeometry(10, 50, 600, 450);
      Child<QWidget>(*w, "bitmapExportWindow")->show();
      PressAndRelease(Child<QRadioButton>(*w, "bitmapSize5"));
      Child<QWidget>(*w, "bitmapExportWindow")->hide();

      ScriptedDialogs& dialogs = *ScriptDialogs(*w);
      dialogs.Answers = {image, session.File("opened/missing.mgs"), session.File("saved/kept")};
      Trigger(*w, "importPictureAction");
      ImagePictureDialog* dialog = ShownImportDialog(*w);
      QVERIFY(dialog);
      ChooseByKeys(Child<QComboBox>(*dialog, "imageFitBox"), "stretch");
      ChooseByKeys(Child<QComboBox>(*dialog, "imageDitherBox"), "atkinson");
      ChooseByKeys(Child<QComboBox>(*dialog, "imageMetricBox"), "lab");
      ChooseByKeys(Child<QComboBox>(*dialog, "imageMixingBox"), "pulsar");
      TypeValue(Child<QDoubleSpinBox>(*dialog, "imageFlickerBox"), 0.35);
      QVERIFY(QTest::qWaitFor([&] { return dialog->IsResultCurrent(); }, 60000));
      PressAndRelease(Child<QPushButton>(*dialog, "imageOkButton"));
      QCOMPARE(w->View().Mixing().Kind, MixingKind::Pulsar);      // shown as it was made to be seen
      dialogs.SaveChangesAnswers = {SaveChangesAnswer::Discard};  // the imported picture
      Trigger(*w, "openAction");                                  // the read fails; the dialog still moved there
      Trigger(*w, "saveAction");
      QCOMPARE(dialogs.Errors.size(), 1);
      PressAndRelease(Child<QToolButton>(*w, "zoomButton3"));  // after the import, which shows zoom 1
      before = Look(*w, image);
      QVERIFY(w->close());
    }
    const QStringList expected = {
        "zoom 3, grids 1 0",
        "down: charGridButton paletteButton previewButton magnifierButton",
        "paletteWindow shown at 200,100",
        "borderPaletteWindow hidden at 60,260",
        "previewWindow shown at 0,41",  // placed beside the picture when it first showed
        "magnifierWindow shown at 150,170",
        "picture floating, restored 10,50 600x450",
        "bitmap size 5",
        "open offers " + session.File("opened/missing.mgs"),
        "save offers " + session.File("saved/kept"),
        "import stretch atkinson lab pulsar 0.35",
    };
    QCOMPARE(before, expected);

    auto again = Window(session.Settings());
    again->show();
    QVERIFY(QTest::qWaitForWindowExposed(again.get()));
    QCOMPARE(Look(*again, image), before);
    QCOMPARE(again->geometry(), geometry);
    // The remembered folders are where the dialogs start, whatever the last name.
    QCOMPARE(again->Files().OpenDialogStart().Folder, session.File("opened") + "/");
    QCOMPARE(again->Files().SaveDialogStart().Folder, session.File("saved") + "/");
  }

  void damagedOrForeignValuesGiveTheirDefaults_data() {
    QTest::addColumn<QByteArray>("content");
    QByteArray noise(4096, '\0');
    QRandomGenerator random(13);
    for (char& byte : noise) byte = static_cast<char>(random.bounded(256));
    QTest::newRow("random bytes") << noise;
    QTest::newRow("wrong types") << QByteArray(
        "[view]\nzoomLevel=three\ncharGrid=maybe\npixelGrid=@Point(1 2)\n"
        "[bitmapExport]\nsize=2.5\n"
        "[panels]\npalette\\visible=1, 2\npalette\\topLeft=here\npreview\\visible=@ByteArray(true)\n"
        "magnifier\\topLeft=@Rect(1 2 3 4)\n"
        "[pictureWindow]\nmaximised=@Size(1 1)\nbounds=@Point(5 5)\n"
        "[mainWindow]\ngeometry=not a geometry\n"
        "[importPicture]\nfitting=blur\ndithering=1\nmetric=@Invalid()\nflickerWeight=nan\n"
        "[dialogs]\nopenFolder=@Rect(0 0 1 1)\nsaveFolder=relative/folder\nopenLastName=1, 2, 3\n");
    QTest::newRow("out of range") << QByteArray(
        "[view]\nzoomLevel=9\n[bitmapExport]\nsize=9\n"
        "[panels]\npalette\\topLeft=@Point(50000 40)\npreview\\topLeft=@Point(-30 -400)\n"
        "borderPalette\\topLeft=@Point(2147483647 -2147483648)\n"
        "[pictureWindow]\nmaximised=true\nbounds=@Rect(-100000 0 600 450)\n"
        "[mainWindow]\ngeometry=@ByteArray(\\x1\\xd9\\xd0\\xcb\\0\\x3\\0\\0\\xff\\xff\\xff)\n"
        "[importPicture]\nflickerWeight=1000.5\n"
        "[dialogs]\nopenFolder=/no/such/folder/anywhere\nsaveLastName=/no/such/folder/name.mgs\n");
    QTest::newRow("a picture window larger than the screen")
        << QByteArray("[pictureWindow]\nmaximised=true\nbounds=@Rect(0 0 100000 100000)\n");
  }

  void damagedOrForeignValuesGiveTheirDefaults() {
    QFETCH(QByteArray, content);
    Session session;
    const QString image = SavedImage(session.File("source.png"));
    WriteBytes(session.Settings(), content);

    auto plain = Window({});
    auto w = Window(session.Settings());
    QCOMPARE(Look(*w, image), Look(*plain, image));
    QCOMPARE(w->geometry(), plain->geometry());

    // Closing writes good values over the damaged ones.
    PressAndRelease(Child<QToolButton>(*w, "zoomButton2"));
    QVERIFY(w->close());
    auto next = Window(session.Settings());
    QCOMPARE(next->View().ZoomLevel(), 2);
  }

  void aSettingsPathThatIsNoFileIsLeftAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("folder") << "folder";
  }

  void aSettingsPathThatIsNoFileIsLeftAlone() {
    QFETCH(QString, kind);
    Session session;
    const QString path = session.Settings();
    if (kind == "pipe") {
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
      QVERIFY(QDir().mkdir(path));
    }
    // Reading the pipe would wait for a writer for ever.
    auto w = Window(path);
    QCOMPARE(w->View().ZoomLevel(), 1);
    PressAndRelease(Child<QToolButton>(*w, "zoomButton4"));
    QVERIFY(w->close());
    QFileInfo after(path);
    QCOMPARE(after.isDir(), kind == "folder");
    QCOMPARE(after.isFile(), false);
    QCOMPARE(Window(path)->View().ZoomLevel(), 1);
  }

  void dialogsStartInTheLastFolderElseTheCommandLineFilesElseHome_data() {
    QTest::addColumn<bool>("remembered");
    QTest::addColumn<bool>("rememberedStillThere");
    QTest::addColumn<bool>("commandLineFile");
    QTest::addColumn<QString>("expected");  // a folder of the session, or "home"
    QTest::newRow("last folder used") << true << true << false << "last";
    QTest::newRow("last folder used beats the command line") << true << true << true << "last";
    QTest::newRow("command line file's folder") << false << false << true << "pictures";
    QTest::newRow("a removed last folder gives the command line's") << true << false << true << "pictures";
    QTest::newRow("home") << false << false << false << "home";
    QTest::newRow("a removed last folder gives home") << true << false << false << "home";
  }

  void dialogsStartInTheLastFolderElseTheCommandLineFilesElseHome() {
    QFETCH(bool, remembered);
    QFETCH(bool, rememberedStillThere);
    QFETCH(bool, commandLineFile);
    QFETCH(QString, expected);
    Session session;
    QDir(session.Dir.path()).mkdir("pictures");
    QDir(session.Dir.path()).mkdir("last");
    if (remembered) {
      QSettings store(session.Settings(), QSettings::IniFormat);
      store.setValue("dialogs/openFolder", session.File("last"));
      store.setValue("dialogs/saveFolder", session.File("last"));
    }
    if (!rememberedStillThere) QDir(session.File("last")).removeRecursively();
    QStringList args;
    // A file that cannot be read still names its folder.
    if (commandLineFile) args << session.File("pictures/unreadable.mgs");

    auto w = Window(session.Settings(), args);
    const QString folder = expected == "home" ? QDir::homePath() + "/" : session.File(expected) + "/";
    QCOMPARE(w->Files().OpenDialogStart().Folder, folder);
    QCOMPARE(w->Files().SaveDialogStart().Folder, folder);
    ScriptedDialogs& dialogs = *ScriptDialogs(*w);
    Trigger(*w, "importImgAction");
    QCOMPARE(dialogs.LastOffered, folder);
    Trigger(*w, "exportImgAction");
    QCOMPARE(dialogs.LastOffered, folder);
    // The emulator preview's files stay beside the program.
    QCOMPARE(w->Files().ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
  }

  void aRunThatChoseNoFileLeavesNoFolderBehind() {
    Session session;
    QDir(session.Dir.path()).mkdir("pictures");
    QVERIFY(Window(session.Settings())->close());  // started in the home folder
    auto w = Window(session.Settings(), {session.File("pictures/picture.mgs")});
    QCOMPARE(w->Files().OpenDialogStart().Folder, session.File("pictures") + "/");
    QCOMPARE(w->Files().SaveDialogStart().Folder, session.File("pictures") + "/");
  }

  void theEditorsFileIsNamedForTheApplication() {
    QCoreApplication::setOrganizationName("chromaLoom");
    QCoreApplication::setApplicationName("chromaLoom");
    const QString file = EditorSettings::UserFile();
    QVERIFY2(file.endsWith("/chromaLoom/chromaLoom.ini"), qPrintable(file));
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::EditorSettingsTest)
#include "editor_settings_test.moc"
