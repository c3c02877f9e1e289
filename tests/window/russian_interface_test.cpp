// The editor as a start under LANG=ru_RU.UTF-8 shows it: its menus, tool
// tips and Help > Keys, a file dialog and a message box, all in Russian, by
// object names and texts. CTest runs it with that locale.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QXmlStreamReader>

#include <functional>
#include <vector>

#include "files/file_io.h"
#include "formats/mgs_format.h"
#include "picture/mixing_profile.h"
#include "support/window_test_support.h"
#include "window/help_dialogs.h"
#include "window/interface_language.h"
#include "window/main_window.h"
#include "window/user_dialogs.h"

using namespace chromaloom;
using test_support::Child;

namespace {

QStringList ButtonTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) texts << button->text();
  return texts;
}

// The %1 .. %9 a text fills in.
QSet<QString> Placeholders(const QString& text) {
  static const QRegularExpression placeholder("%[1-9]");
  QSet<QString> found;
  for (const auto& match : placeholder.globalMatch(text)) found << match.captured();
  return found;
}

}  // namespace

class RussianInterfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // As the editor's main chooses when the settings name no language.
    const QString translation = TranslationFor(InterfaceLanguage::System, QLocale::system());
    QCOMPARE(translation, QString("ru"));
    QCOMPARE(InstallTranslations(*QCoreApplication::instance(), translation, CHROMALOOM_EDITOR_FOLDER), QString());
  }

  void choiceAndLocaleGiveTheLanguage() {
    const struct {
      InterfaceLanguage Chosen;
      const char* Locale;
      const char* Translation;
    } cases[] = {{InterfaceLanguage::System, "ru_RU", "ru"},
                 {InterfaceLanguage::System, "C", "en"},
                 {InterfaceLanguage::System, "de_DE", "en"},
                 {InterfaceLanguage::English, "ru_RU", "en"},
                 {InterfaceLanguage::Russian, "C", "ru"}};
    for (const auto& c : cases) QCOMPARE(TranslationFor(c.Chosen, QLocale(c.Locale)), QString(c.Translation));
  }

  void menusToolTipsAndKeysSpeakRussian() {
    auto w = test_support::ShownMainWindow();
    const struct {
      const char* Name;
      const char* Text;
    } menus[] = {{"fileMenu", "Файл"},      {"editMenu", "Правка"},  {"viewMenu", "Вид"},
                 {"drawMenu", "Рисование"}, {"helpMenu", "Справка"}, {"languageMenu", "Язык"}};
    for (const auto& m : menus) QCOMPARE(Child<QMenu>(*w, m.Name)->title(), QString::fromUtf8(m.Text));
    const struct {
      const char* Name;
      const char* Text;
    } actions[] = {{"openAction", "Открыть *.mgs"},
                   {"copyAction", "Копировать (CTRL+C)"},
                   {"importImgAction", "Импорт из *.img"},
                   {"exportPngAction", "Экспорт в *.PNG"},
                   {"newPicture8x8Action", "8x8 стандартный гигаскрин"},
                   {"languageRussianAction", "Русский"},
                   {"languageEnglishAction", "English"}};
    for (const auto& a : actions)
      QCOMPARE(Child<QAction>(*w, a.Name)->text().section('\t', 0, 0), QString::fromUtf8(a.Text));
    QCOMPARE(Child<QToolButton>(*w, "paintToolButton")->toolTip(), QString::fromUtf8("Карандаш (клавиша 'P (З)')"));
    // Help > Keys names the letter a Russian keyboard shows beside the Latin one.
    const std::vector<KeyHelpRow> rows = KeyHelpRows(*w->menuBar());
    QVERIFY(std::any_of(rows.begin(), rows.end(), [](const KeyHelpRow& row) {
      return row.Keys == QString::fromUtf8("P (З)") && row.Does == QString::fromUtf8("Выбрать карандаш");
    }));
    // The undo caption names the change in Russian too.
    w->Controller().NewPicture(4);
    QCOMPARE(Child<QAction>(*w, "undoAction")->text().section('\t', 0, 0),
             QString::fromUtf8("Отменить новую картинку"));
  }

  // Qt's own texts come from Qt's translation.
  void fileDialogSpeaksRussian() {
    auto dialog = MakeOpenFileDialog(nullptr, "*.mgs (*.mgs)", {});
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->show();
    QCoreApplication::processEvents();
    QCOMPARE(Child<QLabel>(*dialog, "fileTypeLabel")->text(), QString::fromUtf8("Типы файлов:"));
    const QStringList buttons = ButtonTexts(*Child<QDialogButtonBox>(*dialog, "buttonBox"));
    QVERIFY2(buttons.contains(QString::fromUtf8("&Открыть")) && buttons.contains(QString::fromUtf8("Отмена")),
             qPrintable(buttons.join(", ")));
    const auto* types = Child<QComboBox>(*dialog, "fileTypeCombo");
    QCOMPARE(types->itemText(types->count() - 1), QString::fromUtf8("Все файлы (*)"));
  }

  void messageBoxSpeaksRussian() {
    QString question;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      question = box->text();
      buttons = ButtonTexts(*box);
      box->reject();
    });
    const SaveChangesAnswer answer = MakeQtDialogs()->AskSaveChanges(nullptr, "a.mgs");
    QCOMPARE(answer, SaveChangesAnswer::Cancel);
    QCOMPARE(question, QString::fromUtf8("Сохранить изменения в a.mgs?"));
    QVERIFY2(buttons.contains(QString::fromUtf8("Сохранить")) && buttons.contains(QString::fromUtf8("Отмена")),
             qPrintable(buttons.join(", ")));
  }

  // Errors of the levels below Qt reach the message box translated, a
  // pattern inside another one included; file names stay as they are, even
  // one that holds a "%1".
  void errorsOfTheCoreSpeakRussian() {
    const std::vector<std::uint8_t> notMgs = {'X', 'Y', 'Z', 1};
    const auto messageOf = [](const std::function<void()>& fail) {
      try {
        fail();
      } catch (const std::exception& e) {
        return FileErrorMessage("/tmp/a%1.mgs", e);
      }
      return QString();
    };
    const struct {
      std::function<void()> Fail;
      const char* Shown;
    } cases[] = {
        {[&] { ReadMgs(notMgs); },
         "Ошибка формата файла: файл не начинается с \"MGS\", значит, это не картинка .mgs\n\n/tmp/a%1.mgs"},
        {[] { ReadFileBytes("/nonexistent/a%1.mgs", 10); }, "Не удаётся прочитать \"/nonexistent/a%1.mgs\": "},
        {[] { LevelsMixing("00,96"); }, "у модели шесть уровней (ZZ,ZN,NN,NB,BB,ZB), а не 2\n\n/tmp/a%1.mgs"},
    };
    // The system's own reason follows in the C library's language.
    for (const auto& c : cases) {
      const QString shown = messageOf(c.Fail);
      QVERIFY2(shown.startsWith(QString::fromUtf8(c.Shown)), qPrintable(shown));
    }
  }

  // A translation that drops or adds a %N shows a wrong text or none.
  void everyTranslationFillsInWhatItsSourceDoes() {
    QFile file(CHROMALOOM_RUSSIAN_TS);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    int checked = 0;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (xml.name() == u"source") source = xml.readElementText();
      if (xml.name() == u"translation") {
        const QString translation = xml.readElementText();
        QVERIFY2(Placeholders(translation) == Placeholders(source), qPrintable(source + " -> " + translation));
        ++checked;
      }
    }
    QVERIFY(!xml.hasError());
    QVERIFY(checked > 400);
  }
};

QTEST_MAIN(RussianInterfaceTest)
#include "russian_interface_test.moc"
