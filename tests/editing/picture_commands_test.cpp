#include <gtest/gtest.h>

#include "editing/editor.h"
#include "formats/format_error.h"
#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

TEST(Editor, StartsBlackIn8x1AtZoomLevel1) {
  Editor e;
  EXPECT_EQ(e.Document, Picture{});
  EXPECT_EQ(e.View.ZoomLevel, 1);
  EXPECT_EQ(e.View.Scale(), 4);
  EXPECT_EQ(e.Render.EditorImage.Width(), 1024);
  EXPECT_EQ(e.Render.EditorImage.Height(), 768);
  EXPECT_EQ(e.View.SelectorSize, 8);
  EXPECT_FALSE(e.View.CharGridOn);
  EXPECT_FALSE(e.View.PixelGridOn);
}

TEST(Editor, ZoomSizesTheEditorImage) {
  Editor e;
  for (int level : {4, 2, 3, 1}) {
    e.SetZoom(level);
    EXPECT_EQ(e.Render.EditorImage.Width(), 1024 * level);
    EXPECT_EQ(e.Render.EditorImage.Height(), 768 * level);
  }
  for (int bad : {0, 5, -1}) {
    e.SetZoom(bad);
    EXPECT_EQ(e.View.ZoomLevel, 1);
  }
}

TEST(Editor, NewClearsBothScreensButKeepsTheBorder) {
  Editor e;
  e.Document = chromaloom::test_support::RandomPicture(2, 3);
  e.SetZoom(3);
  const BorderChoice border = e.Document.Border;
  e.NewPicture(4);
  EXPECT_EQ(static_cast<const Planes&>(e.Document), Planes{});
  EXPECT_EQ(e.Document.CharMode, 4);
  EXPECT_EQ(e.Document.Border, border);
  EXPECT_EQ(e.View.ZoomLevel, 1);
  EXPECT_EQ(e.Render.MixedRaster.At(255, 191), MakeRgb(0, 0, 0));
}

TEST(Editor, ConvertCharModeKeepsEveryByte) {
  Editor e;
  const Picture original = chromaloom::test_support::RandomPicture(1, 11);
  e.Document = original;
  e.ConvertCharMode(8);
  e.ConvertCharMode(1);
  EXPECT_EQ(e.Document, original);
}

TEST(Editor, ConvertTo8x4ShowsTheEntryOfEachCellsFirstLine) {
  Editor e;
  for (int line = 0; line < 192; ++line) e.Document.SetAttr(0, 5, line, static_cast<ZxColour>(line % 15), 0);
  e.ConvertCharMode(4);
  for (int line = 0; line < 192; ++line)
    EXPECT_EQ(e.Render.MixedRaster.At(40, line), MixColours(static_cast<ZxColour>((line / 4 * 4) % 15), 0));
}

TEST(Editor, ModeCommandsRefuseOtherHeights) {
  Editor e;
  for (int bad : {0, 3, 5, 16}) {
    EXPECT_THROW(e.NewPicture(bad), std::invalid_argument);
    EXPECT_THROW(e.ConvertCharMode(bad), std::invalid_argument);
  }
  EXPECT_EQ(e.Document.CharMode, 1);
}

TEST(Editor, LoadMgsTakesPlanesModeAndBorder) {
  const Picture saved = chromaloom::test_support::RandomPicture(2, 21);
  Editor e;
  e.SetZoom(3);
  e.LoadMgs(WriteMgs(saved));
  EXPECT_EQ(e.Document, saved);
  EXPECT_EQ(e.View.ZoomLevel, 1);
  EXPECT_EQ(e.Render.EditorImage.Width(), 1024);
}

TEST(Editor, ImportsLeaveTheBorderAsItWas) {
  Picture source = chromaloom::test_support::RandomPicture(8, 5);
  source.SetBorderChoice(8, 2);
  Editor e;
  e.SelectBorder(3, 1);
  e.ImportMg(WriteMg(source));
  EXPECT_EQ(e.Document.Border, (BorderChoice{3, 1}));
  e.ImportZxScreen(WriteImg(source), false, true);
  EXPECT_EQ(e.Document.Border, (BorderChoice{3, 1}));
  EXPECT_EQ(e.Document.CharMode, 8);
}

TEST(Editor, AMgsBorderOutsideTheTableLeavesTheBorderAlone) {
  auto bytes = WriteMgs(chromaloom::test_support::RandomPicture(8, 1));
  bytes[5] = 7;
  bytes[6] = 0;  // (7, 0) is not in the table
  Editor e;
  e.SelectBorder(2, 1);
  e.LoadMgs(bytes);
  EXPECT_EQ(e.Document.Border, (BorderChoice{2, 1}));
}

// Each loader given bad bytes throws and leaves the whole editor as it was.
TEST(Editor, BadFilesChangeNothing) {
  const Picture before = chromaloom::test_support::RandomPicture(2, 77);
  const auto mgs = WriteMgs(before);
  const auto mg = WriteMg(before);
  const auto img = WriteImg(before);
  auto wrongMode = mgs;
  wrongMode[4] = 0;
  auto wrongColour = mgs;
  wrongColour.back() = 15;
  Editor e;
  e.Document = before;
  e.SetZoom(2);
  e.Redraw(true);
  const Raster image = e.Render.EditorImage;
  EXPECT_THROW(e.LoadMgs({}), FormatError);
  EXPECT_THROW(e.LoadMgs(std::span(mgs).first(mgs.size() - 1)), FormatError);
  EXPECT_THROW(e.LoadMgs(wrongMode), FormatError);
  EXPECT_THROW(e.LoadMgs(wrongColour), FormatError);
  EXPECT_THROW(e.ImportMg(std::span(mg).first(mg.size() - 1)), FormatError);
  EXPECT_THROW(e.ImportMg(mgs), FormatError);
  EXPECT_THROW(e.ImportZxScreen(std::span(img).first(6911), false, false), FormatError);
  EXPECT_THROW(e.ImportZxScreen(std::span(img).first(13830), true, true), FormatError);
  EXPECT_EQ(e.Document, before);
  EXPECT_EQ(e.View.ZoomLevel, 2);
  EXPECT_TRUE(e.Render.EditorImage == image);
}

}  // namespace
}  // namespace chromaloom

namespace chromaloom {
namespace {

TEST(EditorTick, LiftsTheInputPauseAndMarchesTheSelectionOutline) {
  Editor e;
  e.Document.CharMode = 4;
  e.SetZoom(2);
  e.Redraw(true);
  e.CanvasInputSuspended = true;
  e.Tick();
  EXPECT_FALSE(e.CanvasInputSuspended);
  EXPECT_EQ(e.AntsPhase, 4);
  const Raster plain = e.Render.EditorImage;
  EXPECT_TRUE(e.Render.EditorImage == plain) << "no selection, no outline";

  e.Selection = {.Shown = true, .Left = 2, .Top = 3, .Width = 4, .Height = 2};
  EXPECT_EQ(e.SelectionOnEditor(), (Rect{2 * 64, 3 * 32, 4 * 64, 2 * 32}));
  std::vector<Raster> frames;
  for (int tick = 0; tick < 4; ++tick) {
    e.Tick();
    frames.push_back(e.Render.EditorImage);
  }
  EXPECT_EQ(e.AntsPhase, 4);
  EXPECT_EQ(frames[0].At(2 * 64 + 9, 3 * 32), MakeRgb(255, 255, 255));  // a white dash on the top edge
  EXPECT_EQ(frames[0].At(2 * 64 + 9, 3 * 32 + 1), plain.At(2 * 64 + 9, 3 * 32 + 1));
  EXPECT_FALSE(frames[0] == frames[1]);
  EXPECT_FALSE(frames[0] == frames[3]);
  // After four ticks the outline is back where it was.
  e.Tick();
  EXPECT_TRUE(e.Render.EditorImage == frames[0]);
  // Hiding the selection and wiping leaves the plain picture.
  e.Selection.Shown = false;
  e.Redraw(false);
  EXPECT_TRUE(e.Render.EditorImage == plain);
}

}  // namespace
}  // namespace chromaloom

namespace chromaloom {
namespace {

TEST(EditorBorder, ALoadedBorderMovesThePickersMarker) {
  Picture saved = chromaloom::test_support::RandomPicture(8, 2);
  saved.SetBorderChoice(7, 2);
  Editor loaded, clicked;
  loaded.LoadMgs(WriteMgs(saved));
  clicked.SelectBorder(7, 2);
  EXPECT_EQ(loaded.Document.Border, (BorderChoice{7, 2}));
  EXPECT_TRUE(loaded.Pickers.Border == clicked.Pickers.Border);
  EXPECT_FALSE(loaded.Pickers.Border == Editor().Pickers.Border);
}

}  // namespace
}  // namespace chromaloom
