#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editing/editing_fixture.h"
#include "editing/picture_commands.h"
#include "editing/transforms.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using test_support::EditingFixture;

// Rasters of a full render of the picture with the same selection outline,
// to compare what undo shows.
void ExpectShownAsRendered(const EditingFixture& fx) {
  View fresh(fx.Doc.Picture());
  fresh.Render.Redraw(true);
  fresh.ShowOverlay(
      CanvasOverlay(fx.Doc.Picture(), fx.Tools, fx.Colours, fresh.Mixing(), fresh.Scale(), fx.Doc.ValidCellHeight()));
  const Renderer& shown = fx.Display.Render;
  EXPECT_TRUE(shown.MixedRaster == fresh.Render.MixedRaster);
  // The screens alone are kept only while something shows them.
  const ViewState& settings = fx.Display.Settings();
  if (settings.Shown != ScreenView::Mixed || settings.FlickerMapOn) {
    EXPECT_TRUE(shown.ScreenRaster0 == fresh.Render.ScreenRaster0);
  }
  EXPECT_TRUE(shown.EditorImage() == fresh.Render.EditorImage());
  EXPECT_TRUE(shown.PreviewImage == fresh.Render.PreviewImage);
}

// Every command that changes the picture is one named step: undo shows the
// picture as it was before it, redo as it was after, each rendering only
// the places the step touched.
TEST(Undo, EachCommandIsOneNamedStepThatUndoAndRedoShowWhole) {
  struct Case {
    const char* Name;
    std::function<void(EditingFixture&)> Run;
  };
  const auto select = [](EditingFixture& fx) {
    fx.Tools.Selection = {};
    fx.Tools.Selection.Shown = true;
    fx.Tools.Selection.Left = 2;
    fx.Tools.Selection.Top = 3;
    fx.Tools.Selection.Width = 5;
    fx.Tools.Selection.Height = 4;
  };
  const std::vector<Case> cases = {
      {"Pencil",
       [](EditingFixture& fx) {
         fx.Tools.Current = ToolKind::Paint;
         CanvasMouseDown(fx.Canvas(), {true, false, false}, {40, 40});
         CanvasMouseMove(fx.Canvas(), {true, false, false}, {90, 60});
         CanvasMouseUp(fx.Tools);
       }},
      {"Fill Char",
       [](EditingFixture& fx) {
         fx.Tools.Current = ToolKind::FillCell;
         CanvasMouseDown(fx.Canvas(), {true, false, false}, {100, 100});
         CanvasMouseUp(fx.Tools);
       }},
      {"Delete",
       [&](EditingFixture& fx) {
         select(fx);
         DeleteSelection(fx.Doc, fx.Tools.Selection, fx.Colours);
       }},
      {"Flip Horizontal",
       [&](EditingFixture& fx) {
         select(fx);
         FlipSelectionHorizontal(fx.Doc, fx.Tools.Selection);
       }},
      {"Rotate",
       [&](EditingFixture& fx) {
         select(fx);
         RotateSelection90cw(fx.Doc, fx.Tools.Selection);
       }},
      {"Rotate Pixels",
       [&](EditingFixture& fx) {
         select(fx);
         RotatePixelsUp(fx.Doc, fx.Tools.Selection);
       }},
      {"New", [](EditingFixture& fx) { NewPicture(fx.Doc, 8); }},
      {"Change Char Size", [](EditingFixture& fx) { ConvertCellHeight(fx.Doc, 1); }},
      {"Border", [](EditingFixture& fx) { SelectBorder(fx.Doc, fx.Images, 8, 1); }},
      {"Import",
       [](EditingFixture& fx) {
         TakeImportedPicture(fx.Doc, fx.Images, {test_support::RandomPicture(2, 7), 2, BorderPair{6, 2}});
       }},
      {"Exchange Cells", [](EditingFixture& fx) { ExchangeCorrectorCell(fx.Corrector, fx.Doc); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const Picture before = test_support::RandomPicture(4, 40);
    EditingFixture fx(before);
    fx.Display.Render.Redraw(true);
    c.Run(fx);
    fx.Present();
    const Picture after = fx.Doc.Picture();
    ASSERT_NE(after, before);
    ExpectShownAsRendered(fx);
    EXPECT_EQ(fx.Doc.UndoName(), c.Name);
    ASSERT_TRUE(fx.Doc.Undo());
    fx.Present();
    EXPECT_EQ(fx.Doc.Picture(), before);
    ExpectShownAsRendered(fx);
    EXPECT_FALSE(fx.Doc.Undo());
    EXPECT_EQ(fx.Doc.RedoName(), c.Name);
    ASSERT_TRUE(fx.Doc.Redo());
    fx.Present();
    EXPECT_EQ(fx.Doc.Picture(), after);
    ExpectShownAsRendered(fx);
  }
}

// A line of several clicks is one step from its first click to its last point.
TEST(Undo, ALineOfSeveralClicksIsOneStep) {
  EditingFixture fx;
  fx.Tools.Current = ToolKind::Line;
  SetCharColour(fx.Colours, 3);  // both screens' ink, so the line shows on black
  for (const Point at : {Point{10, 10}, Point{60, 10}, Point{60, 70}}) {
    CanvasMouseDown(fx.Canvas(), {true, false, false}, at);
    CanvasMouseUp(fx.Tools);
  }
  const Picture drawn = fx.Doc.Picture();
  ASSERT_NE(drawn, Picture{});
  EXPECT_EQ(fx.Doc.UndoName(), "Line");
  ASSERT_TRUE(fx.Doc.Undo());
  EXPECT_EQ(fx.Doc.Picture(), Picture{});
  EXPECT_FALSE(fx.Doc.Undo());
  ASSERT_TRUE(fx.Doc.Redo());
  EXPECT_EQ(fx.Doc.Picture(), drawn);
}

}  // namespace
}  // namespace chromaloom
