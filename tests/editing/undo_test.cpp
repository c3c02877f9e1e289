#include <gtest/gtest.h>

#include "editing/editing_fixture.h"
#include "editing/picture_commands.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using test_support::EditingFixture;

const Planes& PlanesOf(const Picture& p) { return p; }

// Rasters of a full render of the picture, to compare what undo shows.
void ExpectShownAsRendered(const EditingFixture& fx) {
  View fresh(fx.Doc.Picture());
  fresh.Render.Redraw(true);
  const Renderer& shown = fx.Display.Render;
  EXPECT_TRUE(shown.MixedRaster == fresh.Render.MixedRaster);
  EXPECT_TRUE(shown.ScreenRaster0 == fresh.Render.ScreenRaster0);
  EXPECT_TRUE(shown.EditorImage == fresh.Render.EditorImage);
  EXPECT_TRUE(shown.PreviewImage == fresh.Render.PreviewImage);
}

TEST(Undo, BeforeAnySnapshotItBlackensAndASecondUndoBringsThePictureBack) {
  const Picture original = chromaloom::test_support::RandomPicture(2, 40);
  EditingFixture fx(original);
  const Picture& doc = fx.Doc.Picture();
  fx.Display.Render.Redraw(true);
  UndoSwap(fx.Doc, fx.Display);
  EXPECT_EQ(PlanesOf(doc), Planes{});
  EXPECT_EQ(doc.CharMode, 2);
  EXPECT_EQ(doc.Border, original.Border);
  EXPECT_EQ(fx.Display.Render.MixedRaster.At(123, 45), MakeRgb(0, 0, 0));
  ExpectShownAsRendered(fx);
  EXPECT_EQ(fx.Doc.UndoSnapshot(), PlanesOf(original));
  UndoSwap(fx.Doc, fx.Display);
  EXPECT_EQ(doc, original);
  EXPECT_EQ(fx.Doc.UndoSnapshot(), Planes{});
  ExpectShownAsRendered(fx);
}

TEST(Undo, TheSnapshotHoldsOnlyThePlanes) {
  const Picture before = chromaloom::test_support::RandomPicture(4, 41);
  EditingFixture fx(before);
  const Picture& doc = fx.Doc.Picture();
  fx.Display.Render.Redraw(true);
  fx.Doc.SaveUndoSnapshot();
  EXPECT_EQ(fx.Doc.UndoSnapshot(), PlanesOf(before));

  // A change of mode, border and planes, with no snapshot in between.
  ConvertCellHeight(fx.Doc, fx.Display, 1);
  SelectBorder(fx.Doc, fx.Images, 7, 2);
  fx.Doc.SetAttr(1, 20, 100, {14, 13});
  fx.Doc.EditPlanes().Pixels[0].At(0, 0) ^= 0x80;
  const Planes changed = doc;

  UndoSwap(fx.Doc, fx.Display);
  EXPECT_EQ(PlanesOf(doc), PlanesOf(before));
  EXPECT_EQ(doc.CharMode, 1);
  EXPECT_EQ(doc.Border, (BorderChoice{7, 2}));
  EXPECT_EQ(fx.Doc.UndoSnapshot(), changed);
  // The old planes are shown with the current cell height.
  ExpectShownAsRendered(fx);
}

TEST(Undo, SavingReplacesTheWholeSnapshotAndDrawsNothing) {
  EditingFixture fx(chromaloom::test_support::RandomPicture(8, 42));
  Renderer& render = fx.Display.Render;
  render.Redraw(true);
  fx.Doc.SaveUndoSnapshot();
  fx.Doc.EditPlanes() = chromaloom::test_support::RandomPicture(8, 43);
  const Raster shown = render.EditorImage;
  render.TakeDamage();
  fx.Doc.SaveUndoSnapshot();
  EXPECT_EQ(fx.Doc.UndoSnapshot(), PlanesOf(fx.Doc.Picture()));
  const Damage d = render.TakeDamage();
  EXPECT_TRUE(d.Editor.empty());
  EXPECT_FALSE(d.Preview);
  EXPECT_TRUE(render.EditorImage == shown);
}

}  // namespace
}  // namespace chromaloom
