#include "window/help_dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtGlobal>

#include <functional>

#include "window/command_table.h"
#include "window/widget_colours.h"

#ifndef CHROMALOOM_VERSION
#define CHROMALOOM_VERSION "0.91"
#endif

namespace chromaloom {

namespace {

// A menu item's text without its mnemonic marks and the key written after a tab.
QString PlainText(const QAction& action) {
  QString text = action.text().section('\t', 0, 0);
  text.remove('&');
  return text;
}

QDialog* NewDialog(const char* name, const QString& title, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setObjectName(name);
  dialog->setWindowTitle(title);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  return dialog;
}

void AddCloseButton(QDialog& dialog, QVBoxLayout& layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  buttons->setObjectName("helpButtons");
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(buttons);
}

}  // namespace

std::vector<KeyHelpRow> KeyHelpRows(const QMenuBar& menus, const KeyBindings& bindings) {
  std::vector<KeyHelpRow> rows;
  for (const Command& command : Commands()) {
    const KeyBindings::Key* user = bindings.Find(command.Name);
    if (user && *user && UserKeyGoesThroughRows(command)) {
      const QString does = command.HasKey() ? CommandText(command.Key.Does) : CommandTitle(command);
      rows.push_back({KeyDisplayText(**user), does});
    } else if (!user && command.HasKey()) {
      rows.push_back({CommandText(command.Key.Keys), CommandText(command.Key.Does)});
    }
  }
  // An item of a submenu is named with it ("New > 8x4 MultiGigaScreen").
  const std::function<void(const QList<QAction*>&, const QString&)> walk = [&](const QList<QAction*>& actions,
                                                                               const QString& within) {
    for (const QAction* action : actions) {
      if (action->menu()) {
        walk(action->menu()->actions(), within.isNull() ? QString("") : within + PlainText(*action) + " > ");
      } else if (!action->shortcuts().isEmpty()) {
        QStringList keys;
        for (const QKeySequence& sequence : action->shortcuts()) keys << sequence.toString(QKeySequence::NativeText);
        rows.push_back({keys.join(QCoreApplication::translate("Commands", " or ")), within + PlainText(*action)});
      }
    }
  };
  walk(menus.actions(), QString());
  rows.push_back({QCoreApplication::translate("Help", "Ctrl+Wheel"),
                  QCoreApplication::translate("Help", "Zoom in or out, keeping the picture under the pointer")});
  return rows;
}

void OpenKeysDialog(const QMenuBar& menus, const KeyBindings& bindings, QWidget* parent) {
  const std::vector<KeyHelpRow> rows = KeyHelpRows(menus, bindings);
  QDialog* dialog = NewDialog("keysDialog", QCoreApplication::translate("Help", "Keys"), parent);
  auto* layout = new QVBoxLayout(dialog);
  auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, dialog);
  table->setObjectName("keysTable");
  table->setHorizontalHeaderLabels(
      {QCoreApplication::translate("Help", "Keys"), QCoreApplication::translate("Help", "Does")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    table->setItem(i, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].Keys));
    table->setItem(i, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].Does));
  }
  table->resizeColumnsToContents();
  table->resizeRowsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table);
  AddCloseButton(*dialog, *layout);
  dialog->resize(560, 640);
  dialog->open();
}

namespace {

// The example cell's pixels: screen 0 sets its right half to INK, screen 1
// its lower half, so the mixed cell shows each entry in one quarter.
bool ExampleBit(int screen, int x, int y) { return screen == 0 ? x >= 4 : y >= 4; }

constexpr int CellPixel = 10;
constexpr int CellSize = 8 * CellPixel;

// One screen's cell, or the mixed cell for screen < 0, at (left, top).
void DrawCell(QPainter& painter, int screen, int left, int top) {
  const ExampleCellColours& c = ExampleCell;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const ZxColour colour0 = ExampleBit(0, x, y) ? c.Ink0 : c.Paper0;
      const ZxColour colour1 = ExampleBit(1, x, y) ? c.Ink1 : c.Paper1;
      const Rgb rgb = screen == 0 ? ZxRgb(colour0) : screen == 1 ? ZxRgb(colour1) : MixColours(colour0, colour1);
      painter.fillRect(left + x * CellPixel, top + y * CellPixel, CellPixel, CellPixel, ToQColor(rgb));
    }
  painter.setPen(QColor(96, 96, 96));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(left - 1, top - 1, CellSize + 1, CellSize + 1);
}

void DrawSwatch(QPainter& painter, QRect place, Rgb colour, const QString& caption) {
  painter.fillRect(place, ToQColor(colour));
  painter.setPen(QColor(64, 64, 64));
  painter.drawRect(place.adjusted(0, 0, -1, -1));
  painter.setPen(QColor(0, 0, 0));
  painter.drawText(place.right() + 8, place.top(), 200, place.height(), Qt::AlignVCenter, caption);
}

}  // namespace

CellModelPicture DrawCellModel() {
  CellModelPicture picture;
  picture.Image = QImage(640, 180, QImage::Format_RGB32);
  picture.Image.fill(QColor(250, 250, 250));
  QPainter painter(&picture.Image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const ExampleCellColours& c = ExampleCell;
  const int top = 28;
  const struct {
    int Left;
    int Screen;
    QString Caption;
  } cells[] = {{16, 0, QCoreApplication::translate("Help", "Screen 0")},
               {146, 1, QCoreApplication::translate("Help", "Screen 1")},
               {276, -1, QCoreApplication::translate("Help", "The eye sees")}};
  for (const auto& cell : cells) {
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(cell.Left - 10, 4, CellSize + 20, 18, Qt::AlignCenter, cell.Caption);
    DrawCell(painter, cell.Screen, cell.Left, top);
  }
  painter.setPen(QColor(0, 0, 0));
  QFont big = painter.font();
  big.setPixelSize(28);
  painter.setFont(big);
  painter.drawText(96, top, 50, CellSize, Qt::AlignCenter, "+");
  painter.drawText(226, top, 50, CellSize, Qt::AlignCenter, "=");
  painter.setFont(QFont());

  // Each screen's PAPER and INK under its cell.
  const int keyTop = top + CellSize + 14;
  DrawSwatch(painter, {16, keyTop, 22, 16}, ZxRgb(c.Paper0), QCoreApplication::translate("Help", "PAPER 0 (P0)"));
  DrawSwatch(painter, {16, keyTop + 24, 22, 16}, ZxRgb(c.Ink0), QCoreApplication::translate("Help", "INK 0 (I0)"));
  DrawSwatch(painter, {146, keyTop, 22, 16}, ZxRgb(c.Paper1), QCoreApplication::translate("Help", "PAPER 1 (P1)"));
  DrawSwatch(painter, {146, keyTop + 24, 22, 16}, ZxRgb(c.Ink1), QCoreApplication::translate("Help", "INK 1 (I1)"));

  // The four entries, the colours the mixed cell can show.
  const CharPalette entries = MakeCharPalette(c.Paper0, c.Ink0, c.Paper1, c.Ink1);
  const QString captions[] = {QCoreApplication::translate("Help", "P0+P1: paper 0 with paper 1"),
                              QCoreApplication::translate("Help", "P0+I1: paper 0 with ink 1"),
                              QCoreApplication::translate("Help", "I0+P1: ink 0 with paper 1"),
                              QCoreApplication::translate("Help", "I0+I1: ink 0 with ink 1")};
  for (int k = 0; k < 4; ++k) {
    const QRect place(400, top + k * 36, 40, 26);
    DrawSwatch(painter, place, entries[static_cast<std::size_t>(k)], captions[k]);
    picture.Entries[static_cast<std::size_t>(k)] = place;
  }
  return picture;
}

namespace {

QString GettingStartedText() {
  return QCoreApplication::translate(
      "Help",
      "<h3>How a picture is made</h3>"
      "<p>A Gigascreen picture is two ZX Spectrum screens shown on alternate frames; the eye mixes them. "
      "Each screen is cut into cells 8 pixels wide and 8, 4, 2 or 1 lines high (File &gt; New). In a cell "
      "each screen has one INK and one PAPER colour, so the cell shows four mixed colours, its entries: "
      "<b>P0+P1</b>, <b>P0+I1</b>, <b>I0+P1</b> and <b>I0+I1</b> (P for paper, I for ink, 0 and 1 for the "
      "screen).</p>"
      "<p>The tool bar shows the four entries of the current colours; click one, or press 1 to 4, to choose "
      "the entry the pencil paints with. The Full Palette window (C) sets the colours: click a mixed colour, "
      "or a colour in the PAP0, INK0, PAP1 and INK1 strips.</p>"
      "<h3>Painting modes</h3>"
      "<ul><li><b>PIX</b> (W): painting sets a pixel's bits on both screens so that it shows the chosen entry; "
      "the cell keeps its colours.</li>"
      "<li><b>RGB</b> (E): painting rewrites the attributes of the cell line under the pencil with the current "
      "colours; the pixels stay.</li>"
      "<li><b>Both</b>: the pixel gets the chosen entry and its cell line the current colours, so you paint "
      "exactly the colour you see in the tool bar.</li></ul>"
      "<p>A button that is on is dark blue with bold text.</p>"
      "<h3>Importing an image</h3>"
      "<p>File &gt; Import &gt; Picture... opens a PNG, JPEG, GIF, BMP, WebP or TIFF image. In the dialog choose "
      "the cell height, how the image fits the 256 x 192 screen (fit, crop or stretch), the dithering, the "
      "colour metric and a flicker weight (small weights calm the flicker). The right preview shows the "
      "result; OK makes it the picture, and Edit &gt; Undo takes it back.</p>"
      "<p>To see what chromaLoom can do, try Help &gt; Open Sample Picture.</p>");
}

}  // namespace

void OpenGettingStartedDialog(QWidget* parent) {
  QDialog* dialog = NewDialog("gettingStartedDialog", QCoreApplication::translate("Help", "Getting Started"), parent);
  auto* layout = new QVBoxLayout(dialog);
  auto* picture = new QLabel(dialog);
  picture->setObjectName("cellModelPicture");
  picture->setPixmap(QPixmap::fromImage(DrawCellModel().Image));
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture);
  auto* text = new QTextBrowser(dialog);
  text->setObjectName("gettingStartedText");
  text->setHtml(GettingStartedText());
  layout->addWidget(text);
  AddCloseButton(*dialog, *layout);
  dialog->resize(680, 720);
  dialog->open();
}

QString AboutText() {
  return QString(QCoreApplication::translate(
                     "Help",
                     "<h3>chromaLoom x%1</h3>"
                     "<p>An editor for ZX Spectrum Gigascreen and MultiGigaScreen pictures.</p>"
                     "<p>Licence: MIT for chromaLoom's own code. The program links libspectrum, so as built it is "
                     "distributed under the GNU GPL, version 2 or later (GPL-2.0-or-later).</p>"
                     "<p>Libraries used:</p>"
                     "<ul><li>Qt %2 (Core, GUI, Widgets, OpenGL, OpenGL Widgets, Concurrent; built against %3): "
                     "LGPL-3.0-only or GPL-2.0-only</li>"
                     "<li>libspectrum: GPL-2.0-or-later</li>"
                     "<li>giflib and libwebp (the animated GIF and WebP exports): MIT, BSD-3-Clause</li>"
                     "<li>Through Qt's image plugins: libpng (libpng licence), zlib (Zlib), libjpeg-turbo (IJG, "
                     "BSD-3-Clause), libtiff (libtiff licence), libwebp (BSD-3-Clause)</li>"
                     "<li>C++ standard library: %4, GPL-3.0-or-later with the GCC Runtime Library Exception</li></ul>"
                     "<p>Compiled with %5.</p>"))
      .arg(CHROMALOOM_VERSION, QString::fromLatin1(qVersion()), QT_VERSION_STR,
#if defined(_GLIBCXX_RELEASE)
           QString("libstdc++ %1").arg(_GLIBCXX_RELEASE),
#elif defined(_LIBCPP_VERSION)
           QString("libc++ %1").arg(_LIBCPP_VERSION),
#else
           QCoreApplication::translate("Help", "the compiler's own"),
#endif
#if defined(__clang__)
           QString("Clang ") + __clang_version__
#elif defined(__GNUC__)
           QString("GCC ") + __VERSION__
#else
           QCoreApplication::translate("Help", "an unnamed compiler")
#endif
      );
}

void OpenAboutDialog(QWidget* parent) {
  QDialog* dialog = NewDialog("aboutDialog", QCoreApplication::translate("Help", "About chromaLoom"), parent);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QLabel(AboutText(), dialog);
  text->setObjectName("aboutText");
  text->setTextFormat(Qt::RichText);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(text);
  AddCloseButton(*dialog, *layout);
  dialog->open();
}

}  // namespace chromaloom
