#include "selection/undo.h"

#include <gtest/gtest.h>

#include "editing/editor.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

const Planes& PlanesOf(const Picture& p) { return p; }

// Rasters of a full render of the picture, to compare what undo shows.
void ExpectShownAsRendered(const Editor& e) {
  Editor fresh;
  fresh.Document = e.Document;
  fresh.Redraw(true);
  EXPECT_TRUE(e.Render.MixedRaster == fresh.Render.MixedRaster);
  EXPECT_TRUE(e.Render.ScreenRaster0 == fresh.Render.ScreenRaster0);
  EXPECT_TRUE(e.Render.EditorImage == fresh.Render.EditorImage);
  EXPECT_TRUE(e.Render.PreviewImage == fresh.Render.PreviewImage);
}

TEST(Undo, BeforeAnySnapshotItBlackensAndASecondUndoBringsThePictureBack) {
  const Picture original = chromaloom::test_support::RandomPicture(2, 40);
  Editor e;
  e.Document = original;
  e.Redraw(true);
  UndoSwap(e);
  EXPECT_EQ(PlanesOf(e.Document), Planes{});
  EXPECT_EQ(e.Document.CharMode, 2);
  EXPECT_EQ(e.Document.Border, original.Border);
  EXPECT_EQ(e.Render.MixedRaster.At(123, 45), MakeRgb(0, 0, 0));
  ExpectShownAsRendered(e);
  EXPECT_EQ(e.UndoSnapshot, PlanesOf(original));
  UndoSwap(e);
  EXPECT_EQ(e.Document, original);
  EXPECT_EQ(e.UndoSnapshot, Planes{});
  ExpectShownAsRendered(e);
}

TEST(Undo, TheSnapshotHoldsOnlyThePlanes) {
  const Picture before = chromaloom::test_support::RandomPicture(4, 41);
  Editor e;
  e.Document = before;
  e.Redraw(true);
  SaveUndoSnapshot(e);
  EXPECT_EQ(e.UndoSnapshot, PlanesOf(before));

  // A change of mode, border and planes, with no snapshot in between.
  e.ConvertCharMode(1);
  e.SelectBorder(7, 2);
  e.Document.Attrs[1].At(20, 100) = {14, 13};
  e.Document.Pixels[0].At(0, 0) ^= 0x80;
  const Planes changed = e.Document;

  UndoSwap(e);
  EXPECT_EQ(PlanesOf(e.Document), PlanesOf(before));
  EXPECT_EQ(e.Document.CharMode, 1);
  EXPECT_EQ(e.Document.Border, (BorderChoice{7, 2}));
  EXPECT_EQ(e.UndoSnapshot, changed);
  // The old planes are shown with the current cell height.
  ExpectShownAsRendered(e);
}

TEST(Undo, SavingReplacesTheWholeSnapshotAndDrawsNothing) {
  Editor e;
  e.Document = chromaloom::test_support::RandomPicture(8, 42);
  e.Redraw(true);
  SaveUndoSnapshot(e);
  e.Document = chromaloom::test_support::RandomPicture(8, 43);
  const Raster shown = e.Render.EditorImage;
  e.Render.TakeDamage();
  SaveUndoSnapshot(e);
  EXPECT_EQ(e.UndoSnapshot, PlanesOf(e.Document));
  const Damage d = e.Render.TakeDamage();
  EXPECT_TRUE(d.Editor.empty());
  EXPECT_FALSE(d.Preview);
  EXPECT_TRUE(e.Render.EditorImage == shown);
}

}  // namespace
}  // namespace chromaloom
