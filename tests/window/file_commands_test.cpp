// The file commands with the dialog step answered by the test.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <deque>
#include <fstream>

#include "files/file_io.h"
#include "files/image_files.h"
#include "formats/bmp_format.h"
#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "render/picture_bitmap.h"
#include "spectrum/spectrum_files.h"
#include "support/random_picture.h"
#include "support/scripted_dialogs.h"
#include "support/window_test_support.h"
#include "window/floating_panel.h"
#include "window/local_paths.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ReadAll;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;
using test_support::WriteAll;

namespace {

using Bytes = std::vector<std::uint8_t>;

QString ReadText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  ScriptedDialogs* dialogs_ = nullptr;

  std::unique_ptr<MainWindow> Window() {
    auto window = std::make_unique<MainWindow>(QStringList{});
    dialogs_ = ScriptDialogs(*window);
    window->Files().SetProgramFolder(dir_.path() + "/");
    return window;
  }
  QString File(const QString& name) const { return dir_.filePath(name); }
  void Trigger(MainWindow& w, const char* action) { Child<QAction>(w, action)->trigger(); }

 private slots:
  void openLoadsTheFileAndTheClickThatChoseItPaintsNothing() {
    auto w = Window();
    const Picture picture = test_support::RandomPicture(2, 1);
    WriteAll(File("pic.mgs"), WriteMgs(picture));
    w->Controller().SetZoom(3);
    dialogs_->Answers = {File("pic.mgs")};
    Trigger(*w, "openAction");
    QCOMPARE(dialogs_->Filters, QStringList{"*.mgs (*.mgs)"});
    QCOMPARE(w->Document().Picture(), picture);
    QCOMPARE(w->View().ZoomLevel(), 1);
    QVERIFY(Child<QToolButton>(*w, QString("zoomButton%1").arg(1))->isChecked());
    // The button still held from the dialog began no stroke on the canvas.
    QWidget* canvas = Child<QWidget>(*w, "canvas");
    QMouseEvent drag(QEvent::MouseMove, QPointF(40, 40), canvas->mapToGlobal(QPointF(40, 40)), Qt::NoButton,
                     Qt::LeftButton, {});
    QCoreApplication::sendEvent(canvas, &drag);
    QCOMPARE(w->Document().Picture(), picture);
    QCOMPARE(w->Document().UndoName(), std::string());
    // The dialog offers the name chosen last; cancel changes nothing.
    Change change(w->Document(), "Pencil");
    change.SetPixelBit(0, 0, 0, true);
    change.Commit();
    const Picture edited = w->Document().Picture();
    dialogs_->SaveChangesAnswers = {SaveChangesAnswer::Discard};
    Trigger(*w, "openAction");
    QCOMPARE(dialogs_->SaveChangesQuestions, QStringList{"Save changes to pic.mgs?"});
    QCOMPARE(dialogs_->LastOffered, File("pic.mgs"));
    QCOMPARE(w->Document().Picture(), edited);
    QVERIFY(dialogs_->Errors.isEmpty());
  }

  // Bytes that are not UTF-8 in a name on the command line reach the
  // system unchanged, when the file opens and when it is saved again.
  void aNameThatIsNotUtf8OpensFromTheCommandLineAndSavesToItself() {
    const std::string raw = QFile::encodeName(dir_.path()).toStdString() + "/pic\xff\xe2\x82.mgs";
    const Picture picture = test_support::RandomPicture(4, 2);
    WriteFileAtomically(raw, WriteMgs(picture));
    const char* argv[] = {"chromaloom", raw.c_str()};
    MainWindow w(PathArguments(2, argv));
    dialogs_ = ScriptDialogs(w);
    w.show();
    QTRY_COMPARE(w.Document().Picture(), picture);
    Change change(w.Document(), "Pencil");
    change.SetPixelBit(0, 0, 0, !picture.GetPixelBit(0, 0, 0));
    change.Commit();
    Trigger(w, "saveAction");
    QVERIFY(dialogs_->Errors.isEmpty());
    QCOMPARE(ReadFileBytes(raw, 100000), WriteMgs(w.Document().Picture()));
    // Qt cannot name it to remove the folder.
    std::filesystem::remove(raw);
  }

  void saveForcesTheExtensionAndAsksBeforeReplacingTheForcedName() {
    auto w = Window();
    w->Document() = Document(test_support::RandomPicture(4, 2));
    const Bytes expected = WriteMgs(w->Document().Picture());
    dialogs_->Answers = {File("drawing")};
    Trigger(*w, "saveAction");
    QCOMPARE(ReadAll(File("drawing.mgs")), expected);
    QVERIFY(dialogs_->OverwriteQuestions.isEmpty());

    // The forced name exists: "No" keeps it, "Yes" replaces it.
    w->Document() = Document(test_support::RandomPicture(4, 3));
    dialogs_->Answers = {File("drawing"), File("drawing")};
    dialogs_->OverwriteAnswers = {false, true};
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->OverwriteQuestions, QStringList{File("drawing.mgs")});
    QCOMPARE(ReadAll(File("drawing.mgs")), expected);
    Trigger(*w, "saveAction");
    QCOMPARE(ReadAll(File("drawing.mgs")), WriteMgs(w->Document().Picture()));
    // A name that already ends in .mgs was asked about by the dialog itself.
    dialogs_->Answers = {File("drawing.mgs")};
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->OverwriteQuestions.size(), 2);
  }

  void everyExportWritesItsFormat() {
    auto w = Window();
    w->Document() = Document(test_support::RandomPicture(2, 4));
    const Picture& p = w->Document().Picture();
    const struct {
      const char* Action;
      const char* Filter;
      const char* Written;
      Bytes Expected;
    } exports[] = {
        {"exportImgAction", "*.img (*.img)", "out.img", WriteImg(p)},
        {"exportMg1Action", "*.mg1 (*.mg1)", "out.mg1", WriteMg1(p)},
        {"exportMg2Action", "*.mg2 (*.mg2)", "out.mg2", WriteMg(p)},
        {"exportMg4Action", "*.mg4 (*.mg4)", "out.mg4", WriteMg(p)},
        {"exportMg8Action", "*.mg8 (*.mg8)", "out.mg8", WriteMg(p)},
        {"exportZ80Action", "*.z80 (*.z80)", "out.z80", WriteSnapshot(p, FileKind::Z80)},
        {"exportSzxAction", "*.szx (*.szx)", "out.szx", WriteSnapshot(p, FileKind::Szx)},
        {"exportTapAction", "*.tap (*.tap)", "out.tap", WriteTape(p)},
    };
    for (const auto& e : exports) {
      dialogs_->Answers = {File("out")};
      Trigger(*w, e.Action);
      QCOMPARE(dialogs_->Filters.last(), QString(e.Filter));
      QCOMPARE(ReadAll(File(e.Written)), e.Expected);
    }
    QVERIFY(dialogs_->Errors.isEmpty());
  }

  void everyImportReadsItsFormatAndCancelDoesNothing() {
    auto w = Window();
    Picture source = test_support::RandomPicture(8, 5);
    const Bytes img = WriteImg(source);
    Bytes hobetaImg(17, 0);
    hobetaImg.insert(hobetaImg.end(), img.begin(), img.end());
    const Bytes scr(img.begin(), img.begin() + 6912);
    Bytes hobetaScr(17, 0);
    hobetaScr.insert(hobetaScr.end(), scr.begin(), scr.end());
    WriteAll(File("a.img"), img);
    WriteAll(File("a.$img"), hobetaImg);
    WriteAll(File("a.scr"), scr);
    WriteAll(File("a.$scr"), hobetaScr);
    WriteAll(File("a.mg2"), WriteMg(source));  // 8x8 data under another name
    // What each import must give, from the format's own reader.
    Document expected;
    auto take = [&expected](const ImportedPicture& imported) {
      Change change(expected, "Import");
      change.Replace(imported.Planes, imported.CellHeight, imported.Border);
      change.Commit();
    };
    const struct {
      const char* Action;
      const char* Filter;
      const char* File;
      std::function<void()> Expect;
    } imports[] = {
        {"importImgAction", "*.img (*.img)", "a.img", [&] { take(ReadZxScreen(img, false, true)); }},
        {"importHobetaImgAction", "*.$img (*.$img)", "a.$img", [&] { take(ReadZxScreen(hobetaImg, true, true)); }},
        {"importScrAction", "*.scr (*.scr)", "a.scr", [&] { take(ReadZxScreen(scr, false, false)); }},
        {"importHobetaScrAction", "*.$scr (*.$scr)", "a.$scr", [&] { take(ReadZxScreen(hobetaScr, true, false)); }},
        {"importMgAction", "*.mg1/mg2/mg4/mg8 (*.mg1 *.mg2 *.mg4 *.mg8)", "a.mg2",
         [&] { take(ReadMg(WriteMg(source))); }},
    };
    for (const auto& i : imports) {
      w->Controller().NewPicture(1);
      dialogs_->Answers = {QString()};
      Trigger(*w, i.Action);
      QCOMPARE(w->Document().CellHeight(), 1);
      dialogs_->Answers = {File(i.File)};
      Trigger(*w, i.Action);
      QCOMPARE(dialogs_->Filters.last(), QString(i.Filter));
      i.Expect();
      QCOMPARE(w->Document().Picture(), expected.Picture());
    }
    QVERIFY(dialogs_->Errors.isEmpty());
  }

  void badFilesShowTheirErrorAndChangeNothing() {
    auto w = Window();
    w->Document() = Document(test_support::RandomPicture(2, 6));
    const Picture before = w->Document().Picture();
    Bytes wrongMagic = WriteMg(before);
    wrongMagic[2] = 'X';
    WriteAll(File("foreign.mg4"), wrongMagic);
    WriteAll(File("short.mgs"), Bytes(100, 0x4D));
    WriteAll(File("short.scr"), Bytes(6000, 0));
    const struct {
      const char* Action;
      QString Path;
      const char* Reason;
    } cases[] = {
        {"importMgAction", File("foreign.mg4"), "Error file format"},
        {"openAction", File("short.mgs"), "Error file format"},
        {"importScrAction", File("short.scr"), "Error file format"},
        {"openAction", File("missing.mgs"), "Cannot read"},
        {"importImgAction", dir_.path(), "Cannot read"},
    };
    for (const auto& c : cases) {
      dialogs_->Errors.clear();
      dialogs_->Answers = {c.Path};
      Trigger(*w, c.Action);
      QCOMPARE(dialogs_->Errors.size(), 1);
      QVERIFY2(dialogs_->Errors.front().startsWith(c.Reason), qPrintable(dialogs_->Errors.front()));
      QVERIFY2(dialogs_->Errors.front().contains(QDir::toNativeSeparators(c.Path)),
               qPrintable(dialogs_->Errors.front()));
      QCOMPARE(w->Document().Picture(), before);
    }
    // A write that fails says so and leaves nothing behind.
    dialogs_->Errors.clear();
    dialogs_->Answers = {File("no/such/folder/x")};
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY(dialogs_->Errors.front().contains("x.mgs"));
  }

  void bitmapPanelWritesEachSizeAndCloses() {
    auto w = Window();
    w->show();
    w->Document() = Document(test_support::RandomPicture(4, 7));
    SelectBorder(w->Document(), w->Controller().Colours().Images(), 7, 2);
    w->View().Render.Redraw(true);
    const QWidget* panel = Child<QWidget>(*w, "bitmapExportWindow");
    auto* ok = Child<QPushButton>(*w, "okButton");
    auto* cancel = Child<QPushButton>(*w, "cancelButton");
    auto size = [&w](int i) { return Child<QRadioButton>(*w, QString("bitmapSize%1").arg(i + 1)); };
    Trigger(*w, "exportBmpAction");
    QVERIFY(panel->isVisible());
    QVERIFY(size(0)->isChecked());
    for (int i = 0; i < 9; ++i) {
      QCOMPARE(size(i)->text(), QString(BitmapSizes[static_cast<std::size_t>(i)].Caption));
      Trigger(*w, "exportBmpAction");
      size(i)->setChecked(true);
      dialogs_->Answers = {File(QString("size%1").arg(i + 1))};
      ok->click();
      QCOMPARE(dialogs_->Filters.last(), QString("*.bmp (*.bmp)"));
      QVERIFY(!panel->isVisible());
      const Raster expected = BuildBitmap(w->View().Render.MixedRaster, MakeRgb(0, 202, 115), i);
      QCOMPARE(ReadAll(File(QString("size%1.bmp").arg(i + 1))), WriteBmp(expected));
    }
    QVERIFY(size(8)->isChecked());  // kept for the run
    // Cancelling the file dialog still closes the panel; Cancel closes it too.
    Trigger(*w, "exportBmpAction");
    ok->click();
    QVERIFY(!panel->isVisible());
    Trigger(*w, "exportBmpAction");
    cancel->click();
    QVERIFY(!panel->isVisible());
    // A failed write keeps it open.
    Trigger(*w, "exportBmpAction");
    dialogs_->Answers = {File("no/such/folder/pic")};
    ok->click();
    QVERIFY(panel->isVisible());
    QCOMPARE(dialogs_->Errors.size(), 1);
  }

  // The panel opened from Export > PNG writes a PNG of exactly the BMP
  // export's pixels, at the size chosen in it.
  void pngExportHoldsTheBitmapsPixelsAtEachSize() {
    auto w = Window();
    w->show();
    w->Document() = Document(test_support::RandomPicture(8, 5));
    SelectBorder(w->Document(), w->Controller().Colours().Images(), 2, 1);
    w->View().Render.Redraw(true);
    const QWidget* panel = Child<QWidget>(*w, "bitmapExportWindow");
    const auto* caption = Child<CaptionStrip>(*w, "bitmapExportCaption");
    auto* ok = Child<QPushButton>(*w, "okButton");
    auto size = [&w](int i) { return Child<QRadioButton>(*w, QString("bitmapSize%1").arg(i + 1)); };
    const struct {
      const char* Action;
      const char* Caption;
      const char* Filter;
    } kinds[] = {{"exportBmpAction", "Export to *.BMP", "*.bmp (*.bmp)"},
                 {"exportPngAction", "Export to *.PNG", "*.png (*.png)"}};
    for (int i = 0; i < 9; ++i) {
      for (const auto& kind : kinds) {
        Trigger(*w, kind.Action);
        QVERIFY(panel->isVisible());
        QCOMPARE(caption->Caption(), QString(kind.Caption));
        size(i)->setChecked(true);
        dialogs_->Answers = {File(QString("both%1").arg(i + 1))};
        ok->click();
        QCOMPARE(dialogs_->Filters.last(), QString(kind.Filter));
        QVERIFY(!panel->isVisible());
      }
      QCOMPARE(Child<QLabel>(*w, "statusMessage")->text(), QString("Exported both%1.png").arg(i + 1));
      const std::string stem = File(QString("both%1").arg(i + 1)).toStdString();
      const Raster png = ReadImageFile(stem + ".png");
      QCOMPARE(png.Width(),
               BitmapSizes[static_cast<std::size_t>(i)].W + 2 * BitmapSizes[static_cast<std::size_t>(i)].X);
      QVERIFY(png == ReadImageFile(stem + ".bmp"));
    }
    // A failed write is reported, keeps the panel open and leaves no file.
    QVERIFY(QDir(dir_.path()).mkdir("taken.png"));
    const QStringList before = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    Trigger(*w, "exportPngAction");
    dialogs_->Answers = {File("taken.png")};
    ok->click();
    QVERIFY(panel->isVisible());
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY2(dialogs_->Errors.front().contains("taken.png"), qPrintable(dialogs_->Errors.front()));
    QCOMPARE(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QVERIFY(QFileInfo(File("taken.png")).isDir());
  }

  void emulatorPreviewWritesTheImageAndStartsTheLauncher() {
    auto w = Window();
    // Whether Fuse is installed here or not, the launcher is what starts.
    qputenv("ZXVIEW_EMULATOR", "true");
    QDir(dir_.path()).mkpath("zxview");
    const QString zxview = dir_.path() + "/zxview/";
    for (int mode : {1, 2, 4, 8}) {
      const QString launcher = zxview + QString("view8x%1.sh").arg(mode);
      QFile script(launcher);
      QVERIFY(script.open(QIODevice::WriteOnly));
      script.write(QString("#!/bin/sh\npwd > ran%1.txt\n").arg(mode).toUtf8());
      script.close();
      script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    for (int mode : {1, 2, 4, 8}) {
      w->Controller().NewPicture(mode);
      Change change(w->Document(), "Pencil");
      change.SetPixelByte(0, 3, 3, static_cast<std::uint8_t>(mode));
      change.Commit();
      Trigger(*w, "previewOnEmulatorAction");
      const Picture& p = w->Document().Picture();
      QCOMPARE(ReadAll(zxview + "image.z80"), WriteSnapshot(p, FileKind::Z80));
      const ZxBank& rom = OwnRom();
      QCOMPARE(ReadAll(zxview + "chromaloom-128.rom"), std::vector<std::uint8_t>(rom.begin(), rom.end()));
      // The launcher runs on its own, in the preview folder.
      const QString marker = zxview + QString("ran%1.txt").arg(mode);
      QElapsedTimer waited;
      waited.start();
      while (!QFile::exists(marker) && waited.elapsed() < 5000) QThread::msleep(20);
      QVERIFY2(QFile::exists(marker), qPrintable(marker));
      QTRY_COMPARE(ReadText(marker), QDir(zxview).canonicalPath());
    }
    QVERIFY(dialogs_->Errors.isEmpty());
    // A missing launcher is reported by its path; the image is written all the same.
    QFile::remove(zxview + "view8x4.sh");
    w->Controller().NewPicture(4);
    Trigger(*w, "previewOnEmulatorAction");
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY(dialogs_->Errors.front().contains(zxview + "view8x4.sh"));
    QCOMPARE(ReadAll(zxview + "image.z80"), WriteSnapshot(w->Document().Picture(), FileKind::Z80));
    qunsetenv("ZXVIEW_EMULATOR");
  }

  // No ZXVIEW_EMULATOR and no Fuse on the PATH: the snapshot is written and
  // the message says how to install Fuse instead of starting a launcher.
  void emulatorPreviewWithoutAnEmulatorSaysWhatToInstall() {
    auto w = Window();
    QDir(dir_.path()).mkpath("zxview");
    QDir(dir_.path()).mkpath("empty-path");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", File("empty-path").toUtf8());
    qunsetenv("ZXVIEW_EMULATOR");
    w->Controller().NewPicture(8);
    Trigger(*w, "previewOnEmulatorAction");
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY2(dialogs_->Errors.front().contains("apt install fuse-emulator-sdl"), qPrintable(dialogs_->Errors.front()));
    QCOMPARE(ReadAll(dir_.path() + "/zxview/image.z80"), WriteSnapshot(w->Document().Picture(), FileKind::Z80));

    // A launcher whose own ZXVIEW_EMULATOR line is set runs as before.
    const QString marker = File("ran.txt");
    QFile launcher(dir_.path() + "/zxview/view8x8.sh");
    QVERIFY(launcher.open(QIODevice::WriteOnly));
    launcher.write(QString("#!/bin/sh\n#ZXVIEW_EMULATOR=unused\n  ZXVIEW_EMULATOR=\"mine\"\necho ran > '%1'\n")
                       .arg(marker)
                       .toUtf8());
    launcher.close();
    launcher.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Trigger(*w, "previewOnEmulatorAction");
    QTRY_COMPARE(ReadText(marker), QString("ran"));
    QCOMPARE(dialogs_->Errors.size(), 1);
    // Commented out, it does not count.
    QVERIFY(launcher.open(QIODevice::WriteOnly | QIODevice::Truncate));
    launcher.write(QString("#!/bin/sh\n#ZXVIEW_EMULATOR=unused\necho ran again > '%1'\n").arg(marker).toUtf8());
    launcher.close();
    Trigger(*w, "previewOnEmulatorAction");
    QCOMPARE(dialogs_->Errors.size(), 2);
    QCOMPARE(ReadText(marker), QString("ran"));
    qputenv("PATH", path);
  }

  // Fuse known only by the last name of zxview/fuse_programs.txt: the editor
  // finds it, and the launcher it copies starts it on the snapshot.
  void emulatorPreviewFindsFuseByAnyNameOfItsList() {
    auto w = Window();
    w->Files().SetProgramFolder("/proc/self/");
    const QString own = File("user/zxview/");
    w->Files().SetUserPreviewFolder(own);
    QVERIFY(QDir(dir_.path()).mkpath("bin"));
    const QString marker = File("fuse-arguments.txt");
    QFile fuse(File("bin/fuse"));
    QVERIFY(fuse.open(QIODevice::WriteOnly));
    fuse.write(QString("#!/bin/sh\necho \"$@\" > '%1'\n").arg(marker).toUtf8());
    fuse.close();
    fuse.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The launcher needs dirname; nothing else of the system is on the PATH.
    QVERIFY(QFile::link(QStandardPaths::findExecutable("dirname"), File("bin/dirname")));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", File("bin").toUtf8());
    qunsetenv("ZXVIEW_EMULATOR");
    w->Controller().NewPicture(8);
    Trigger(*w, "previewOnEmulatorAction");
    qputenv("PATH", path);
    QVERIFY2(dialogs_->Errors.isEmpty(), qPrintable(dialogs_->Errors.join("\n")));
    QVERIFY(QFileInfo::exists(own + "fuse_programs.txt"));
    QTRY_VERIFY2(ReadText(marker).trimmed().endsWith("--snapshot " + QDir(own).canonicalPath() + "/image.z80"),
                 qPrintable(ReadText(marker)));
  }

  // Installed for every user, the zxview folder beside the program cannot be
  // written: the preview goes to the user's own folder with copies of the
  // launchers, and a launcher the user edited there stays as it is.
  void emulatorPreviewFallsBackToTheUsersFolder() {
    auto w = Window();
    // Nothing can be made under /proc, not even by root.
    w->Files().SetProgramFolder("/proc/self/");
    const QString own = File("user/zxview/");
    w->Files().SetUserPreviewFolder(own);
    const QString marker = File("user/ran.txt");
    qputenv("ZXVIEW_EMULATOR", QString("echo \"$ZXVIEW_MODE\" > '%1'; true").arg(marker).toUtf8());
    w->Controller().NewPicture(2);
    Change change(w->Document(), "Pencil");
    change.SetPixelByte(1, 7, 7, 0x5A);
    change.Commit();
    Trigger(*w, "previewOnEmulatorAction");
    QVERIFY2(dialogs_->Errors.isEmpty(), qPrintable(dialogs_->Errors.join("\n")));
    QCOMPARE(ReadAll(own + "image.z80"), WriteSnapshot(w->Document().Picture(), FileKind::Z80));
    QVERIFY(QFileInfo(own + "view8x2.sh").isExecutable());
    QVERIFY(QFileInfo::exists(own + "zxview-common.sh"));
    QTRY_COMPARE(ReadText(marker), QString("8x2"));

    // An edited launcher is the user's: the next preview runs it unchanged.
    QFile edited(own + "view8x2.sh");
    QVERIFY(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write(QString("#!/bin/sh\necho edited > '%1'\n").arg(marker).toUtf8());
    edited.close();
    Trigger(*w, "previewOnEmulatorAction");
    QTRY_COMPARE(ReadText(marker), QString("edited"));
    QCOMPARE(ReadText(own + "view8x2.sh"), QString("#!/bin/sh\necho edited > '%1'").arg(marker));
    qunsetenv("ZXVIEW_EMULATOR");

    // A user folder that cannot be made either: the message names it.
    w->Files().SetUserPreviewFolder("/proc/self/zxview/");
    Trigger(*w, "previewOnEmulatorAction");
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY2(dialogs_->Errors.front().contains("/proc/self/zxview/"), qPrintable(dialogs_->Errors.front()));
  }

  void droppedFilesOpenAsTheirCommandWould() {
    auto w = Window();
    const Picture picture = test_support::RandomPicture(1, 8);
    WriteAll(File("drop.MGS"), WriteMgs(picture));
    w->Controller().OpenAnyFile(File("drop.MGS"));
    QCOMPARE(w->Document().Picture(), picture);
    WriteAll(File("drop.scr"), Bytes(6912, 0x55));
    w->Controller().OpenAnyFile(File("drop.scr"));
    QCOMPARE(w->Document().CellHeight(), 8);
    QCOMPARE(w->Document().Picture().Pixels[1].At(0, 0), 0x55);
    w->Controller().OpenAnyFile(File("picture.bmp"));
    QCOMPARE(dialogs_->Errors.size(), 1);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::FileCommandsTest)
#include "file_commands_test.moc"
