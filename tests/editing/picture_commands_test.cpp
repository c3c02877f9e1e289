#include "editing/picture_commands.h"

#include <gtest/gtest.h>

#include <span>
#include <stdexcept>

#include "editing/editing_fixture.h"
#include "formats/file_kinds.h"
#include "formats/format_error.h"
#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using test_support::EditingFixture;

// Open and the imports: the file is read in full first, then taken.
void Open(EditingFixture& fx, FileKind kind, std::span<const std::uint8_t> bytes) {
  TakeImportedPicture(fx.Doc, fx.Images, ReadPictureFile(kind, bytes));
  fx.Present();
}

TEST(PictureCommands, NewClearsBothScreensButKeepsTheBorder) {
  EditingFixture fx(chromaloom::test_support::RandomPicture(2, 3));
  fx.Display.Render.Redraw(true);
  const Picture& doc = fx.Doc.Picture();
  const BorderChoice border = doc.Border;
  NewPicture(fx.Doc, 4);
  fx.Present();
  EXPECT_EQ(static_cast<const Planes&>(doc), Planes{});
  EXPECT_EQ(doc.CellHeight, 4);
  EXPECT_EQ(doc.Border, border);
  EXPECT_EQ(fx.Doc.UndoName(), "New");
  EXPECT_EQ(fx.Display.Render.MixedRaster.At(255, 191), MakeRgb(0, 0, 0));
}

TEST(PictureCommands, ConvertCellHeightKeepsEveryByte) {
  const Picture original = chromaloom::test_support::RandomPicture(1, 11);
  Document doc(original);
  ConvertCellHeight(doc, 8);
  ConvertCellHeight(doc, 1);
  EXPECT_EQ(doc.Picture(), original);
}

TEST(PictureCommands, ConvertTo8x4ShowsTheEntryOfEachCellsFirstLine) {
  EditingFixture fx;
  fx.EditPicture([](Change& change) {
    for (int line = 0; line < 192; ++line) change.SetAttr(0, 5, line, {static_cast<ZxColour>(line % 15), 0});
  });
  fx.Present();
  ConvertCellHeight(fx.Doc, 4);
  fx.Present();
  for (int line = 0; line < 192; ++line)
    EXPECT_EQ(fx.Display.Render.MixedRaster.At(40, line), MixColours(static_cast<ZxColour>((line / 4 * 4) % 15), 0));
}

TEST(PictureCommands, ModeCommandsRefuseOtherHeights) {
  Document doc;
  for (int bad : {0, 3, 5, 16}) {
    EXPECT_THROW(NewPicture(doc, bad), std::invalid_argument);
    EXPECT_THROW(ConvertCellHeight(doc, bad), std::invalid_argument);
  }
  EXPECT_EQ(doc.CellHeight(), 1);
  EXPECT_EQ(doc.UndoName(), "");  // no step taken
}

TEST(PictureCommands, OpeningMgsTakesPlanesModeAndBorder) {
  const Picture saved = chromaloom::test_support::RandomPicture(2, 21);
  EditingFixture fx;
  fx.Display.SetZoom(3);
  fx.Display.Render.Redraw(true);
  Open(fx, FileKind::Mgs, WriteMgs(saved));
  EXPECT_EQ(fx.Doc.Picture(), saved);
  fx.Display.SetZoom(1);
  fx.Present();
  // Shown in full, at once.
  View fresh(saved);
  fresh.Render.Redraw(true);
  EXPECT_TRUE(fx.Display.Render.EditorImage() == fresh.Render.EditorImage());
}

TEST(PictureCommands, ImportsLeaveTheBorderAsItWas) {
  Picture source = chromaloom::test_support::RandomPicture(8, 5);
  source.SetBorderChoice(8, 2);
  EditingFixture fx;
  SelectBorder(fx.Doc, fx.Images, 3, 1);
  const Raster marked = fx.Images.Border;
  Open(fx, FileKind::Mg8, WriteMg(source));
  EXPECT_EQ(fx.Doc.Picture().Border, (BorderChoice{3, 1}));
  Open(fx, FileKind::Img, WriteImg(source));
  EXPECT_EQ(fx.Doc.Picture().Border, (BorderChoice{3, 1}));
  EXPECT_EQ(fx.Doc.CellHeight(), 8);
  EXPECT_TRUE(fx.Images.Border == marked);
}

TEST(PictureCommands, AMgsBorderOutsideTheTableLeavesTheBorderAlone) {
  auto bytes = WriteMgs(chromaloom::test_support::RandomPicture(8, 1));
  bytes[5] = 7;
  bytes[6] = 0;  // (7, 0) is not in the table
  EditingFixture fx;
  SelectBorder(fx.Doc, fx.Images, 2, 1);
  Open(fx, FileKind::Mgs, bytes);
  EXPECT_EQ(fx.Doc.Picture().Border, (BorderChoice{2, 1}));
}

// Each reader given bad bytes throws and leaves the whole editor as it was.
TEST(PictureCommands, BadFilesChangeNothing) {
  const Picture before = chromaloom::test_support::RandomPicture(2, 77);
  const auto mgs = WriteMgs(before);
  const auto mg = WriteMg(before);
  const auto img = WriteImg(before);
  auto wrongMode = mgs;
  wrongMode[4] = 0;
  auto wrongColour = mgs;
  wrongColour.back() = 15;
  EditingFixture fx(before);
  fx.Display.SetZoom(2);
  fx.Display.Render.Redraw(true);
  const Raster image = fx.Display.Render.EditorImage();
  const Raster border = fx.Images.Border;
  EXPECT_THROW(Open(fx, FileKind::Mgs, {}), FormatError);
  EXPECT_THROW(Open(fx, FileKind::Mgs, std::span(mgs).first(mgs.size() - 1)), FormatError);
  EXPECT_THROW(Open(fx, FileKind::Mgs, wrongMode), FormatError);
  EXPECT_THROW(Open(fx, FileKind::Mgs, wrongColour), FormatError);
  EXPECT_THROW(Open(fx, FileKind::Mg2, std::span(mg).first(mg.size() - 1)), FormatError);
  EXPECT_THROW(Open(fx, FileKind::Mg1, mgs), FormatError);
  EXPECT_THROW(Open(fx, FileKind::Scr, std::span(img).first(6911)), FormatError);
  EXPECT_THROW(Open(fx, FileKind::HobetaImg, std::span(img).first(13830)), FormatError);
  EXPECT_EQ(fx.Doc.Picture(), before);
  EXPECT_EQ(fx.Display.ZoomLevel(), 2);
  EXPECT_TRUE(fx.Display.Render.EditorImage() == image);
  EXPECT_TRUE(fx.Images.Border == border);
}

TEST(PictureCommands, ALoadedBorderMovesThePickersMarker) {
  Picture saved = chromaloom::test_support::RandomPicture(8, 2);
  saved.SetBorderChoice(7, 2);
  EditingFixture loaded, clicked;
  Open(loaded, FileKind::Mgs, WriteMgs(saved));
  SelectBorder(clicked.Doc, clicked.Images, 7, 2);
  EXPECT_EQ(loaded.Doc.Picture().Border, (BorderChoice{7, 2}));
  EXPECT_TRUE(loaded.Images.Border == clicked.Images.Border);
  EXPECT_FALSE(loaded.Images.Border == PickerImages().Border);
}

}  // namespace
}  // namespace chromaloom
