#include "editing/canvas_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string>
#include <utility>

#include "editing/editor.h"
#include "selection/undo.h"

namespace chromaloom {

namespace {

// A damaged file may leave a char mode that no cell rule knows; nothing is painted then.
int CharModeOf(const Editor& editor) {
  const int h = editor.Document.CharMode;
  return IsValidCharMode(h) ? h : 0;
}

bool InsideCanvas(const Editor& editor, int x, int y) {
  return editor.Render.EditorImage.Contains(x, y);
}

struct PicturePoint {
  int X = 0;
  int Y = 0;
};

PicturePoint ToPicture(const Editor& editor, int x, int y) {
  const int z = editor.View.Scale();
  return {FloorDiv(x, z), FloorDiv(y, z)};
}

bool InsidePicture(PicturePoint p) { return p.X >= 0 && p.X < PictureWidth && p.Y >= 0 && p.Y < PictureHeight; }

// No canvas point lies this far off the picture; refusing such ends keeps
// the step count and the error term small.
constexpr int FarthestLineEnd = 1 << 16;

// DrawLine, reporting the status texts of the last paint.
void DrawLineReporting(Editor& editor, Point from, Point to, CanvasFeedback& feedback) {
  const PicturePoint p0 = ToPicture(editor, from.X, from.Y);
  const PicturePoint p1 = ToPicture(editor, to.X, to.Y);
  for (int v : {p0.X, p0.Y, p1.X, p1.Y})
    if (std::abs(v) > FarthestLineEnd) return;
  int dx = std::abs(p0.X - p1.X);
  int dy = std::abs(p0.Y - p1.Y);
  const int sx = (p1.X > p0.X) - (p1.X < p0.X);
  const int sy = (p1.Y > p0.Y) - (p1.Y < p0.Y);
  const bool steep = dy > dx;
  if (steep) std::swap(dx, dy);
  int e = 2 * dy - dx;
  int x = p0.X, y = p0.Y;
  const int z = editor.View.Scale();
  for (int i = 0; i <= dx; ++i) {
    CanvasFeedback painted = PaintAt(editor, x * z, y * z);
    if (painted.StatusTexts) feedback.StatusTexts = painted.StatusTexts;
    if (e >= 0) {
      if (steep)
        x += sx;
      else
        y += sy;
      e -= 2 * dx;
    }
    if (steep)
      y += sy;
    else
      x += sx;
    e += 2 * dy;
  }
}

void DrawRectOutlineReporting(Editor& editor, Point c0, Point c1, CanvasFeedback& feedback) {
  DrawLineReporting(editor, {c0.X, c0.Y}, {c1.X, c0.Y}, feedback);
  DrawLineReporting(editor, {c0.X, c1.Y}, {c1.X, c1.Y}, feedback);
  DrawLineReporting(editor, {c0.X, c0.Y}, {c0.X, c1.Y}, feedback);
  DrawLineReporting(editor, {c1.X, c0.Y}, {c1.X, c1.Y}, feedback);
}

// The ellipse inscribed in the rectangle with corners c0 and c1, drawn as a
// chain of short pen strokes; the canvas has no ellipse of its own here.
void DrawOverlayEllipse(Renderer& render, Point c0, Point c1, int penWidth, Rgb colour) {
  const double cx = (c0.X + c1.X) / 2.0, cy = (c0.Y + c1.Y) / 2.0;
  const double rx = std::abs(c1.X - c0.X) / 2.0, ry = std::abs(c1.Y - c0.Y) / 2.0;
  // About one stroke per 8 canvas pixels of the outline.
  const int steps = static_cast<int>(std::clamp(std::numbers::pi * (rx + ry) / 8.0, 8.0, 512.0));
  auto at = [&](int i) {
    const double t = 2.0 * std::numbers::pi * i / steps;
    return Point{static_cast<int>(std::lround(cx + rx * std::cos(t))),
                 static_cast<int>(std::lround(cy + ry * std::sin(t)))};
  };
  Point previous = at(0);
  for (int i = 1; i <= steps; ++i) {
    const Point next = at(i);
    render.DrawOverlayLine(previous, next, penWidth, colour);
    previous = next;
  }
}

std::string Decimal(int v) { return std::to_string(v); }

}  // namespace

void SelectInstrument(Editor& editor, InstrumentKind kind) { editor.Editing.CurrentInstrument = kind; }

CanvasFeedback PaintAt(Editor& editor, int x, int y) {
  CanvasFeedback feedback;
  const int h = CharModeOf(editor);
  const PicturePoint p = ToPicture(editor, x, y);
  if (h == 0 || !InsidePicture(p)) return feedback;

  Picture& doc = editor.Document;
  EditingState& state = editor.Editing;
  const int column = p.X / 8;
  const int cellRow = p.Y / h;
  const int attrLine = doc.AttrLineOf(column, p.Y);
  const int bit = p.X % 8;
  const int line = p.Y;

  feedback.StatusTexts = {Decimal(column), Decimal(cellRow), Decimal(bit), Decimal(line)};
  const PaintedSpot spot{column, cellRow, bit, line};
  if (spot == state.LastPaintedSpot) return feedback;
  state.LastPaintedSpot = spot;

  const int bit0 = state.ScreenBit(0) != 0 ? 1 : 0;
  const int bit1 = state.ScreenBit(1) != 0 ? 1 : 0;
  if (state.EditModeRgb) {
    const ColourSet& c = state.CurrentColours;
    doc.SetAttr(0, column, attrLine, c.PAP0, c.INK0);
    doc.SetAttr(1, column, attrLine, c.PAP1, c.INK1);
  }
  const InstrumentKind tool = state.CurrentInstrument;
  if (state.EditModePix && (tool == InstrumentKind::Paint || tool == InstrumentKind::Line ||
                            tool == InstrumentKind::Rect || tool == InstrumentKind::Ellipse)) {
    doc.SetPixelBit(0, p.X, p.Y, bit0 != 0);
    doc.SetPixelBit(1, p.X, p.Y, bit1 != 0);
  }
  if (tool == InstrumentKind::FillChar) {
    // Whole rows of h lines, also in the side columns of 8x1 mode.
    const int first = (line / h) * h;
    for (int l = first; l < first + h; ++l) {
      doc.Pixels[0].At(column, l) = static_cast<std::uint8_t>(bit0 ? 0xFF : 0x00);
      doc.Pixels[1].At(column, l) = static_cast<std::uint8_t>(bit1 ? 0xFF : 0x00);
    }
  }
  editor.Render.RenderCell(column, line);
  return feedback;
}

void PlotPixel(Editor& editor, int px, int py) {
  const int z = editor.View.Scale();
  // A pixel this far off cannot be on the picture, and its canvas point would overflow.
  if (std::abs(px) > FarthestLineEnd || std::abs(py) > FarthestLineEnd) return;
  PaintAt(editor, px * z, py * z);
}

void DrawLine(Editor& editor, Point from, Point to) {
  CanvasFeedback ignored;
  DrawLineReporting(editor, from, to, ignored);
}

void DrawRectOutline(Editor& editor, Point corner0, Point corner1) {
  CanvasFeedback ignored;
  DrawRectOutlineReporting(editor, corner0, corner1, ignored);
}

void PickCellColours(Editor& editor, int x, int y) {
  const PicturePoint p = ToPicture(editor, x, y);
  if (CharModeOf(editor) == 0 || !InsidePicture(p)) return;
  const AttrEntry& a0 = editor.Document.CellAttr(0, p.X, p.Y);
  const AttrEntry& a1 = editor.Document.CellAttr(1, p.X, p.Y);
  editor.Editing.CurrentColours = {a0.Paper, a0.Ink, a1.Paper, a1.Ink};
}

CharPalette CellPaletteAt(const Editor& editor, int x, int y) {
  if (CharModeOf(editor) == 0) return {};
  PicturePoint p = ToPicture(editor, x, y);
  p.X = std::clamp(p.X, 0, PictureWidth - 1);
  p.Y = std::clamp(p.Y, 0, PictureHeight - 1);
  const AttrEntry& a0 = editor.Document.CellAttr(0, p.X, p.Y);
  const AttrEntry& a1 = editor.Document.CellAttr(1, p.X, p.Y);
  // MixColours rather than the table: a damaged file may hold colour bytes past 14.
  return {MixColours(a0.Paper, a1.Paper), MixColours(a0.Paper, a1.Ink), MixColours(a0.Ink, a1.Paper),
          MixColours(a0.Ink, a1.Ink)};
}

Rgb SelectedCharColourRgb(const Editor& editor) {
  const EditingState& state = editor.Editing;
  const ColourSet& c = state.CurrentColours;
  const ZxColour screen0 = state.ScreenBit(0) != 0 ? c.INK0 : c.PAP0;
  const ZxColour screen1 = state.ScreenBit(1) != 0 ? c.INK1 : c.PAP1;
  return MixColours(screen0, screen1);
}

CanvasFeedback CanvasMouseDown(Editor& editor, MouseButtons pressed, int x, int y) {
  CanvasFeedback feedback;
  if (editor.CanvasInputSuspended || !InsideCanvas(editor, x, y)) return feedback;
  const int h = CharModeOf(editor);
  if (h == 0) return feedback;
  const int z = editor.View.Scale();
  EditingState& state = editor.Editing;
  const InstrumentKind tool = state.CurrentInstrument;
  const Point here{x, y};

  if (tool == InstrumentKind::Select) {
    editor.Redraw(false);
    CellSelection& s = editor.Selection;
    s.Shown = true;
    s.Dragging = true;
    s.AnchorColumn = x / (8 * z);
    s.AnchorRow = y / (h * z);
    s.Left = s.AnchorColumn;
    s.Top = s.AnchorRow;
    s.Width = 1;
    s.Height = 1;
  }
  if ((tool == InstrumentKind::Paint || tool == InstrumentKind::FillChar) && pressed.Left) {
    SaveUndoSnapshot(editor);
    feedback = PaintAt(editor, x, y);
  }
  if (pressed.Right) {
    PickCellColours(editor, x, y);
    feedback.ColoursPicked = true;
  }
  if ((tool == InstrumentKind::Rect || tool == InstrumentKind::Ellipse) && pressed.Left) {
    if (state.ShapeInProgress) {
      state.ShapeInProgress = false;
      if (tool == InstrumentKind::Rect) DrawRectOutlineReporting(editor, state.ShapeStart, here, feedback);
      editor.Redraw(false);
    } else {
      SaveUndoSnapshot(editor);
      state.ShapeStart = here;
      state.ShapeInProgress = true;
    }
  }
  if (tool == InstrumentKind::Line && pressed.Left) {
    if (state.ShapeInProgress)
      DrawLineReporting(editor, state.ShapeStart, here, feedback);
    else
      SaveUndoSnapshot(editor);
    state.ShapeStart = here;
    state.ShapeInProgress = true;
  }
  return feedback;
}

CanvasFeedback CanvasMouseMove(Editor& editor, MouseButtons held, int x, int y) {
  CanvasFeedback feedback;
  EditingState& state = editor.Editing;
  const int h = CharModeOf(editor);
  if (!editor.CanvasInputSuspended) {
    state.LastCanvasPointer = {x, y};
    if (InsideCanvas(editor, x, y) && h != 0) {
      const int z = editor.View.Scale();
      const InstrumentKind tool = state.CurrentInstrument;
      const Point here{x, y};
      const bool rubberBand = state.ShapeInProgress && (tool == InstrumentKind::Line || tool == InstrumentKind::Rect ||
                                                        tool == InstrumentKind::Ellipse);
      if (rubberBand) {
        editor.Redraw(false);
        const Rgb colour = SelectedCharColourRgb(editor);
        if (tool == InstrumentKind::Line)
          editor.Render.DrawOverlayLine(state.ShapeStart, here, z, colour);
        else if (tool == InstrumentKind::Rect)
          editor.Render.DrawOverlayRectOutline(state.ShapeStart, here, z, colour);
        else
          DrawOverlayEllipse(editor.Render, state.ShapeStart, here, z, colour);
      }
      if (tool == InstrumentKind::Select && editor.Selection.Dragging) {
        editor.Redraw(false);
        editor.Render.DrawEditorAnts(editor.SelectionOnEditor(), editor.AntsPhase, editor.Ants);
        CellSelection& s = editor.Selection;
        const int c = x / (8 * z);
        const int r = y / (h * z);
        s.Left = std::min(c, s.AnchorColumn);
        s.Width = std::abs(c - s.AnchorColumn) + 1;
        s.Top = std::min(r, s.AnchorRow);
        s.Height = std::abs(r - s.AnchorRow) + 1;
      }
      if (tool == InstrumentKind::Paint || tool == InstrumentKind::FillChar) {
        if (held.Left) {
          feedback = PaintAt(editor, x, y);
        } else {
          const int px = x / z, py = y / z;
          feedback.StatusTexts = {"X: " + Decimal(px), "Y: " + Decimal(py), "Ax: " + Decimal(px / 8),
                                  "Ay: " + Decimal(py / h)};
          feedback.CellPalette = CellPaletteAt(editor, x, y);
        }
      }
    }
  }
  editor.Render.UpdateZoomMagnifier(x, y);
  return feedback;
}

void CanvasMouseUp(Editor& editor) { editor.Selection.Dragging = false; }

}  // namespace chromaloom
