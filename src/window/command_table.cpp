#include "window/command_table.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QStringList>

#include "editing/drawing_options.h"
#include "editing/transforms.h"
#include "render/renderer.h"
#include "window/document_controller.h"
#include "window/help_dialogs.h"
#include "window/keyboard_pointer.h"
#include "window/main_window.h"
#include "window/panel_controller.h"
#include "window/tool_icons.h"

namespace chromaloom {

namespace {

using T = CommandTarget;

// Key conditions. The key without Ctrl (Alt and Shift do not matter).
template <int Key>
bool Plain(const KeyPress& p, const KeyState&) {
  return p.Key == Key && !p.Ctrl;
}
template <int Key>
bool WithCtrl(const KeyPress& p, const KeyState&) {
  return p.Key == Key && p.Ctrl;
}
// The key whatever the modifiers.
template <int Key>
bool Any(const KeyPress& p, const KeyState&) {
  return p.Key == Key;
}
// A letter or a main-row digit, without Ctrl.
template <int Key, int Digit>
bool PlainOrDigit(const KeyPress& p, const KeyState&) {
  return (p.Key == Key || p.Digit == Digit) && !p.Ctrl;
}
template <int Digit>
bool CtrlDigit(const KeyPress& p, const KeyState&) {
  return p.Digit == Digit && p.Ctrl;
}
template <int Digit>
bool AnyDigit(const KeyPress& p, const KeyState&) {
  return p.Digit == Digit;
}
// While a paste floats, Esc and Enter are its keys alone.
bool EscWhileNothingFloats(const KeyPress& p, const KeyState& s) { return p.Key == Qt::Key_Escape && !s.PasteFloats; }
bool EscWhilePasteFloats(const KeyPress& p, const KeyState& s) { return p.Key == Qt::Key_Escape && s.PasteFloats; }
bool EnterWhilePasteFloats(const KeyPress& p, const KeyState& s) {
  return (p.Key == Qt::Key_Return || p.Key == Qt::Key_Enter) && s.PasteFloats;
}
bool EscOrCtrlD(const KeyPress& p, const KeyState& s) {
  return EscWhileNothingFloats(p, s) || (p.Key == Qt::Key_D && p.Ctrl);
}
bool UpWhileSelectorCanGrow(const KeyPress& p, const KeyState& s) {
  return p.Key == Qt::Key_Up && s.PreviewShown && s.SelectorSize < MaxSelectorSize;
}
bool DownWhileSelectorCanShrink(const KeyPress& p, const KeyState& s) {
  return p.Key == Qt::Key_Down && s.PreviewShown && s.SelectorSize > MinSelectorSize;
}
bool ReturnOrDigit5(const KeyPress& p, const KeyState& s) {
  if (EnterWhilePasteFloats(p, s)) return false;
  return (p.Key == Qt::Key_Return || p.Key == Qt::Key_Enter || p.Digit == 5) && !p.Ctrl;
}
bool VOrF12(const KeyPress& p, const KeyState&) {
  return (p.Key == Qt::Key_V || p.Key == Qt::Key_F12) && !p.Ctrl && !p.Alt;
}
bool AltV(const KeyPress& p, const KeyState&) { return p.Key == Qt::Key_V && p.Alt; }
// Right, Up and Down wipe what overlays drew; Left does not.
bool RightUpOrDown(const KeyPress& p, const KeyState&) {
  return p.Key == Qt::Key_Right || p.Key == Qt::Key_Up || p.Key == Qt::Key_Down;
}

template <ToolKind Kind>
void Choose(T& t) {
  t.Document.SelectTool(Kind);
}
template <ToolKind Kind>
bool IsCurrent(const T& t) {
  return t.Document.Tools().Current == Kind;
}
template <int Level>
void Zoom(T& t) {
  t.Document.ZoomAtCentre(Level);
}
template <int Level>
bool IsZoom(const T& t) {
  return t.Document.View().ZoomLevel() == Level;
}
template <int Entry>
void ChooseEntry(T& t) {
  t.Document.Colours().ChooseEntry(Entry);
}
template <int H>
void New(T& t) {
  t.Document.NewPicture(H);
}
template <int H>
void ConvertTo(T& t) {
  t.Document.ConvertCellHeight(H);
}
template <void (*Change)(Document&, const CellSelection&)>
void Transform(T& t) {
  t.Document.TransformSelection(Change);
}
template <ScreenView Shown>
void Show(T& t) {
  t.Document.ShowScreenView(Shown);
}
template <ScreenView Shown>
bool IsShown(const T& t) {
  return t.Document.View().Shown() == Shown;
}
template <MixingKind Kind>
bool IsMixing(const T& t) {
  return t.Document.View().Mixing().Kind == Kind;
}
template <MixingKind Kind>
void UseMixing(T& t) {
  t.Document.SetMixing(NamedMixingOf(Kind));
}

template <int Size>
void UseBrushSize(T& t) {
  t.Document.SetBrushSize(Size);
}
template <int Size>
bool IsBrushSize(const T& t) {
  return t.Document.Tools().Options.Brush.Size == Size;
}
template <BrushShape Shape>
void UseBrushShape(T& t) {
  t.Document.SetBrushShape(Shape);
}
template <BrushShape Shape>
bool IsBrushShape(const T& t) {
  return t.Document.Tools().Options.Brush.Shape == Shape;
}
template <Pattern Kind>
void UsePattern(T& t) {
  t.Document.SetPattern(Kind);
}
template <Pattern Kind>
bool IsPattern(const T& t) {
  return t.Document.Tools().Options.Pattern == Kind;
}
template <int Entry>
void UsePatternEntry(T& t) {
  t.Document.ChoosePatternEntry(Entry);
}
template <int Entry>
bool IsPatternEntry(const T& t) {
  return t.Document.Colours().Pickers().PatternEntry == Entry;
}
template <SymmetryMode Mode>
void UseSymmetry(T& t) {
  t.Document.SetSymmetry(Mode);
}
template <SymmetryMode Mode>
bool IsSymmetry(const T& t) {
  return t.Document.Tools().Options.Symmetry.Mode == Mode;
}
// The next choice of an option, round to the first.
template <typename Option, int Count>
Option Next(Option now) {
  return static_cast<Option>((static_cast<int>(now) + 1) % Count);
}

bool HasReference(const T& t) { return !t.Document.Reference().Image.isNull(); }

// The pointer by steps of the zoom's scale.
void StepPointer(T& t, int dx, int dy) { t.Pointer.Step(dx, dy, t.Document.View().Scale()); }

constexpr QKeyCombination Ctrl(Qt::Key key) { return Qt::CTRL | key; }

const Command Table[] = {
    // The editor's own keys, in the order the key handler walks them.
    {.Name = "paintToolButton",
     .Key = {Plain<Qt::Key_P>, QT_TRANSLATE_NOOP("Commands", "P"), QT_TRANSLATE_NOOP("Commands", "Choose the pencil")},
     .Button = {.X = 668, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Pencil"), .Icon = PencilIcon},
     .Run = Choose<ToolKind::Paint>,
     .Checked = IsCurrent<ToolKind::Paint>},
    {.Name = "fillCellToolButton",
     .Key = {Plain<Qt::Key_N>, QT_TRANSLATE_NOOP("Commands", "N"), QT_TRANSLATE_NOOP("Commands", "Choose Fill Char")},
     .Button = {.X = 796, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Fill Char"), .Icon = FillCellIcon},
     .Run = Choose<ToolKind::FillCell>,
     .Checked = IsCurrent<ToolKind::FillCell>},
    {.Name = "selectToolButton",
     .Key = {Plain<Qt::Key_S>, QT_TRANSLATE_NOOP("Commands", "S"),
             QT_TRANSLATE_NOOP("Commands", "Choose the selection tool")},
     .Button = {.X = 892, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Selection"), .Icon = SelectIcon},
     .Run = Choose<ToolKind::Select>,
     .Checked = IsCurrent<ToolKind::Select>},
    {.Name = "lineToolButton",
     .Key = {Plain<Qt::Key_L>, QT_TRANSLATE_NOOP("Commands", "L"), QT_TRANSLATE_NOOP("Commands", "Choose the line")},
     .Button = {.X = 700, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Line"), .Icon = LineIcon},
     .Run = Choose<ToolKind::Line>,
     .Checked = IsCurrent<ToolKind::Line>},
    {.Name = "rectToolButton",
     .Key = {Plain<Qt::Key_J>, QT_TRANSLATE_NOOP("Commands", "J"),
             QT_TRANSLATE_NOOP("Commands", "Choose the rectangle")},
     .Button = {.X = 732,
                .ToolTip =
                    QT_TRANSLATE_NOOP("Commands", "Rectangle: two clicks at opposite corners; Shift makes a square"),
                .Icon = RectIcon},
     .Run = Choose<ToolKind::Rect>,
     .Checked = IsCurrent<ToolKind::Rect>},
    {.Name = "ellipseToolButton",
     .Key = {Plain<Qt::Key_U>, QT_TRANSLATE_NOOP("Commands", "U"), QT_TRANSLATE_NOOP("Commands", "Choose the ellipse")},
     .Button = {.X = 764,
                .ToolTip = QT_TRANSLATE_NOOP(
                    "Commands", "Ellipse: two clicks at opposite corners of its box; Shift makes a circle"),
                .Icon = EllipseIcon},
     .Run = Choose<ToolKind::Ellipse>,
     .Checked = IsCurrent<ToolKind::Ellipse>},
    {.Name = "floodFillToolButton",
     .Key = {Plain<Qt::Key_K>, QT_TRANSLATE_NOOP("Commands", "K"),
             QT_TRANSLATE_NOOP("Commands", "Choose the flood fill")},
     .Button = {.X = 828,
                .ToolTip = QT_TRANSLATE_NOOP(
                    "Commands", "Flood fill: paints the joined area of the colour clicked, as the view shows it"),
                .Icon = FloodFillIcon},
     .Run = Choose<ToolKind::FloodFill>,
     .Checked = IsCurrent<ToolKind::FloodFill>},
    {.Name = "textToolButton",
     .Key = {Plain<Qt::Key_T>, QT_TRANSLATE_NOOP("Commands", "T"),
             QT_TRANSLATE_NOOP("Commands", "Choose the text tool")},
     .Button = {.X = 860,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Text: click, type, Enter to place it (Esc cancels)"),
                .Icon = TextIcon},
     .Run = Choose<ToolKind::Text>,
     .Checked = IsCurrent<ToolKind::Text>},
    {.Name = "convertBrushToolButton",
     .Key = {Plain<Qt::Key_F9>, QT_TRANSLATE_NOOP("Commands", "F9"),
             QT_TRANSLATE_NOOP("Commands", "Choose the convert brush")},
     .Button = {.X = 924,
                .ToolTip = QT_TRANSLATE_NOOP(
                    "Commands",
                    "Convert brush: paints the reference image under it, converted cell by cell as the "
                    "import converts (View > Reference Image)"),
                .Icon = ConvertBrushIcon},
     .Run = Choose<ToolKind::ConvertBrush>,
     .Checked = IsCurrent<ToolKind::ConvertBrush>},
    {.Name = "filledShapesAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Filled Shapes"),
     .Key = {Plain<Qt::Key_I>, QT_TRANSLATE_NOOP("Commands", "I"),
             QT_TRANSLATE_NOOP("Commands", "Switch filled rectangles and ellipses on or off")},
     .Button = {.X = 964,
                .ToolTip =
                    QT_TRANSLATE_NOOP("Commands", "Filled: rectangles and ellipses paint their insides too; on/off"),
                .Icon = FilledShapesIcon},
     .Run = [](T& t) { t.Document.ToggleFilled(); },
     .Checked = [](const T& t) { return t.Document.Tools().Options.Filled; }},
    {.Name = "brushButton",
     .Button = {.X = 996,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Brush: size and shape for the pencil and outlines"),
                .Icon = BrushIcon},
     .Run = [](T& t) { t.Window.PopUpMenu("brushMenu", "brushButton"); },
     .Checked = [](const T& t) { return t.Document.Tools().Options.Brush.Size > 1; }},
    {.Name = "patternButton",
     .Button = {.X = 1028,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Pattern: paint with the chosen entry and a second one"),
                .Icon = PatternIcon},
     .Run = [](T& t) { t.Window.PopUpMenu("patternMenu", "patternButton"); },
     .Checked = [](const T& t) { return t.Document.Tools().Options.Pattern != Pattern::Solid; }},
    {.Name = "symmetryButton",
     .Button = {.X = 1060,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Symmetry: every tool mirrors what it paints"),
                .Icon = SymmetryIcon},
     .Run = [](T& t) { t.Window.PopUpMenu("symmetryMenu", "symmetryButton"); },
     .Checked = [](const T& t) { return t.Document.Tools().Options.Symmetry.Mode != SymmetryMode::None; }},
    {.Name = "freeColourButton",
     .Key = {Plain<Qt::Key_QuoteLeft>, QT_TRANSLATE_NOOP("Commands", "`"),
             QT_TRANSLATE_NOOP("Commands", "Switch free colour painting on or off")},
     .Button = {.X = 1100,
                .ToolTip = QT_TRANSLATE_NOOP(
                    "Commands",
                    "Free colour: paint in the colour shown here (any mixed colour: pick it in the full "
                    "palette, an entry, or with the right button); each cell solved anew; on/off"),
                .Icon = [] { return FreeColourIcon(); }},
     .Run = [](T& t) { t.Document.Colours().ToggleFreeColour(); },
     .Checked = [](const T& t) { return t.Document.Colours().Pickers().FreeColourMode; }},
    {.Name = "largerBrushAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Larger Brush"),
     .Key = {Plain<Qt::Key_BracketRight>, QT_TRANSLATE_NOOP("Commands", "]"),
             QT_TRANSLATE_NOOP("Commands", "Make the brush one pixel larger")},
     .Run = [](T& t) { t.Document.StepBrushSize(+1); },
     .Enabled = [](const T& t) { return t.Document.Tools().Options.Brush.Size < MaxBrushSize; }},
    {.Name = "smallerBrushAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Smaller Brush"),
     .Key = {Plain<Qt::Key_BracketLeft>, QT_TRANSLATE_NOOP("Commands", "["),
             QT_TRANSLATE_NOOP("Commands", "Make the brush one pixel smaller")},
     .Run = [](T& t) { t.Document.StepBrushSize(-1); },
     .Enabled = [](const T& t) { return t.Document.Tools().Options.Brush.Size > 1; }},
    {.Name = "switchBrushShape",
     .Key = {Plain<Qt::Key_R>, QT_TRANSLATE_NOOP("Commands", "R"),
             QT_TRANSLATE_NOOP("Commands", "Switch the brush between round and square")},
     .Run =
         [](T& t) {
           const bool round = t.Document.Tools().Options.Brush.Shape == BrushShape::Round;
           t.Document.SetBrushShape(round ? BrushShape::Square : BrushShape::Round);
         }},
    {.Name = "nextPatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Next Pattern"),
     .Key = {Plain<Qt::Key_Y>, QT_TRANSLATE_NOOP("Commands", "Y"),
             QT_TRANSLATE_NOOP("Commands", "Paint with the next pattern")},
     .Run = [](T& t) { t.Document.SetPattern(Next<Pattern, 6>(t.Document.Tools().Options.Pattern)); }},
    {.Name = "nextSymmetryAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Next Symmetry"),
     .Key = {Plain<Qt::Key_Z>, QT_TRANSLATE_NOOP("Commands", "Z"),
             QT_TRANSLATE_NOOP("Commands", "Mirror the next way: none, left-right, top-bottom, four-way")},
     .Run = [](T& t) { t.Document.SetSymmetry(Next<SymmetryMode, 4>(t.Document.Tools().Options.Symmetry.Mode)); }},
    {.Name = "axesToPointerAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Axes to the Pointer"),
     .Key = {Plain<Qt::Key_D>, QT_TRANSLATE_NOOP("Commands", "D"),
             QT_TRANSLATE_NOOP("Commands", "Move the symmetry axes to the pointer")},
     .Run = [](T& t) { t.Document.MoveSymmetryAxesToPointer(); },
     .Enabled = [](const T& t) { return t.Document.Tools().Options.Symmetry.Mode != SymmetryMode::None; }},
    {.Name = "endShape",
     .Key = {EscWhileNothingFloats, QT_TRANSLATE_NOOP("Commands", "Esc"),
             QT_TRANSLATE_NOOP("Commands", "End the line or rectangle being drawn")},
     .Run = [](T& t) { t.Document.EndShape(); }},
    {.Name = "removeSelectionAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Remove selection (CTRL+D or ESC)"),
     .Key = {EscOrCtrlD, QT_TRANSLATE_NOOP("Commands", "Esc or Ctrl+D"),
             QT_TRANSLATE_NOOP("Commands", "Remove the selection")},
     .Run = [](T& t) { t.Document.RemoveSelection(); }},
    // After the rows above, which read the state again and must see the paste still floating.
    {.Name = "cancelPaste",
     .Key = {EscWhilePasteFloats, QT_TRANSLATE_NOOP("Commands", "Esc"),
             QT_TRANSLATE_NOOP("Commands", "Cancel the floating paste")},
     .Run = [](T& t) { t.Document.CancelPaste(); }},
    {.Name = "growSelector",
     .Key = {UpWhileSelectorCanGrow, QT_TRANSLATE_NOOP("Commands", "Up"),
             QT_TRANSLATE_NOOP("Commands", "Grow the preview's zoom selector (preview shown)")},
     .Run = [](T& t) { t.Document.ChangeSelectorSize(+4); }},
    {.Name = "shrinkSelector",
     .Key = {DownWhileSelectorCanShrink, QT_TRANSLATE_NOOP("Commands", "Down"),
             QT_TRANSLATE_NOOP("Commands", "Shrink the preview's zoom selector (preview shown)")},
     .Run = [](T& t) { t.Document.ChangeSelectorSize(-4); }},
    {.Name = "pointerLeft",
     .Key = {PlainOrDigit<Qt::Key_O, 6>, QT_TRANSLATE_NOOP("Commands", "O or 6"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer left, faster while held")},
     .Run = [](T& t) { StepPointer(t, -1, 0); }},
    {.Name = "pointerRight",
     .Key = {PlainOrDigit<Qt::Key_P, 7>, QT_TRANSLATE_NOOP("Commands", "P or 7"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer right, faster while held")},
     .Run = [](T& t) { StepPointer(t, +1, 0); }},
    {.Name = "pointerDown",
     .Key = {PlainOrDigit<Qt::Key_A, 8>, QT_TRANSLATE_NOOP("Commands", "A or 8"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer down, faster while held")},
     .Run = [](T& t) { StepPointer(t, 0, +1); }},
    {.Name = "pointerUp",
     .Key = {PlainOrDigit<Qt::Key_Q, 9>, QT_TRANSLATE_NOOP("Commands", "Q or 9"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer up, faster while held")},
     .Run = [](T& t) { StepPointer(t, 0, -1); }},
    {.Name = "clickLeft",
     .Key = {PlainOrDigit<Qt::Key_Space, 0>, QT_TRANSLATE_NOOP("Commands", "Space or 0"),
             QT_TRANSLATE_NOOP("Commands", "Left click where the pointer is")},
     .Run = [](T& t) { t.Pointer.Click(Qt::LeftButton); }},
    {.Name = "clickRight",
     .Key = {ReturnOrDigit5, QT_TRANSLATE_NOOP("Commands", "Enter or 5"),
             QT_TRANSLATE_NOOP("Commands", "Right click where the pointer is")},
     .Run = [](T& t) { t.Pointer.Click(Qt::RightButton); }},
    {.Name = "placePaste",
     .Key = {EnterWhilePasteFloats, QT_TRANSLATE_NOOP("Commands", "Enter"),
             QT_TRANSLATE_NOOP("Commands", "Place the floating paste")},
     .Run = [](T& t) { t.Document.PlacePaste(); }},
    {.Name = "nudgeLeft",
     .Key = {CtrlDigit<6>, QT_TRANSLATE_NOOP("Commands", "Ctrl+6"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer one screen pixel left")},
     .Run = [](T& t) { t.Pointer.MoveBy(-1, 0); }},
    {.Name = "nudgeRight",
     .Key = {CtrlDigit<7>, QT_TRANSLATE_NOOP("Commands", "Ctrl+7"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer one screen pixel right")},
     .Run = [](T& t) { t.Pointer.MoveBy(+1, 0); }},
    {.Name = "nudgeDown",
     .Key = {CtrlDigit<8>, QT_TRANSLATE_NOOP("Commands", "Ctrl+8"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer one screen pixel down")},
     .Run = [](T& t) { t.Pointer.MoveBy(0, +1); }},
    {.Name = "nudgeUp",
     .Key = {CtrlDigit<9>, QT_TRANSLATE_NOOP("Commands", "Ctrl+9"),
             QT_TRANSLATE_NOOP("Commands", "Move the pointer one screen pixel up")},
     .Run = [](T& t) { t.Pointer.MoveBy(0, -1); }},
    {.Name = "deleteAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Delete (DEL)"),
     .Key = {Any<Qt::Key_Delete>, QT_TRANSLATE_NOOP("Commands", "Delete"),
             QT_TRANSLATE_NOOP("Commands", "Delete the selected cells")},
     .Run = [](T& t) { t.Document.DeleteSelection(); }},
    {.Name = "copyAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Copy (CTRL+C)"),
     .Key = {WithCtrl<Qt::Key_C>, QT_TRANSLATE_NOOP("Commands", "Ctrl+C"),
             QT_TRANSLATE_NOOP("Commands", "Copy the selection")},
     .Run = [](T& t) { t.Document.Copy(); }},
    {.Name = "pasteAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Paste (CTRL+V)"),
     .Key = {WithCtrl<Qt::Key_V>, QT_TRANSLATE_NOOP("Commands", "Ctrl+V"),
             QT_TRANSLATE_NOOP("Commands", "Paste: the cells float at the pointer until a click")},
     .Run = [](T& t) { t.Document.Paste(); }},
    {.Name = "rotatePixelsLeftAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Rotate pixels Left (CTRL+CursorLeft)"),
     .Key = {WithCtrl<Qt::Key_Left>, QT_TRANSLATE_NOOP("Commands", "Ctrl+Left"),
             QT_TRANSLATE_NOOP("Commands", "Rotate the selected pixels left")},
     .Run = Transform<RotatePixelsLeft>},
    {.Name = "rotatePixelsRightAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Rotate pixels Right (CTRL+CursorRight)"),
     .Key = {WithCtrl<Qt::Key_Right>, QT_TRANSLATE_NOOP("Commands", "Ctrl+Right"),
             QT_TRANSLATE_NOOP("Commands", "Rotate the selected pixels right")},
     .Run = Transform<RotatePixelsRight>},
    {.Name = "rotatePixelsUpAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Rotate pixels Up (CTRL+CursorUp)"),
     .Key = {WithCtrl<Qt::Key_Up>, QT_TRANSLATE_NOOP("Commands", "Ctrl+Up"),
             QT_TRANSLATE_NOOP("Commands", "Rotate the selected pixels up")},
     .Run = Transform<RotatePixelsUp>},
    {.Name = "rotatePixelsDownAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Rotate pixels Down (CTRL+CursorDown)"),
     .Key = {WithCtrl<Qt::Key_Down>, QT_TRANSLATE_NOOP("Commands", "Ctrl+Down"),
             QT_TRANSLATE_NOOP("Commands", "Rotate the selected pixels down")},
     .Run = Transform<RotatePixelsDown>},
    {.Name = "undoAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Undo"),
     .Key = {WithCtrl<Qt::Key_Z>, QT_TRANSLATE_NOOP("Commands", "Ctrl+Z"), QT_TRANSLATE_NOOP("Commands", "Undo")},
     .Shortcut = Ctrl(Qt::Key_Z),
     .Run = [](T& t) { t.Document.Undo(); },
     .Enabled = [](const T& t) { return !t.Document.Document().UndoName().empty(); }},
    {.Name = "chooseEntry1",
     .Key = {AnyDigit<1>, QT_TRANSLATE_NOOP("Commands", "1"),
             QT_TRANSLATE_NOOP("Commands", "Paint with char palette entry PAP0+PAP1")},
     .Run = ChooseEntry<0>},
    {.Name = "chooseEntry2",
     .Key = {AnyDigit<2>, QT_TRANSLATE_NOOP("Commands", "2"),
             QT_TRANSLATE_NOOP("Commands", "Paint with char palette entry PAP0+INK1")},
     .Run = ChooseEntry<1>},
    {.Name = "chooseEntry3",
     .Key = {AnyDigit<3>, QT_TRANSLATE_NOOP("Commands", "3"),
             QT_TRANSLATE_NOOP("Commands", "Paint with char palette entry INK0+PAP1")},
     .Run = ChooseEntry<2>},
    {.Name = "chooseEntry4",
     .Key = {AnyDigit<4>, QT_TRANSLATE_NOOP("Commands", "4"),
             QT_TRANSLATE_NOOP("Commands", "Paint with char palette entry INK0+INK1")},
     .Run = ChooseEntry<3>},
    {.Name = "paletteButton",
     .Key = {Plain<Qt::Key_C>, QT_TRANSLATE_NOOP("Commands", "C"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the full palette")},
     .Button = {.X = 212, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Full Palette Window"), .Icon = PaletteIcon},
     .Run = [](T& t) { t.Panels.Toggle(Panel::Palette); },
     .Checked = [](const T& t) { return t.Panels.IsShown(Panel::Palette); }},
    {.Name = "previewButton",
     .Key = {VOrF12, QT_TRANSLATE_NOOP("Commands", "V or F12"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the preview and zoom selector")},
     .Button = {.X = 284,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Preview and Zoom selector Window"),
                .Icon = PreviewIcon},
     .Run = [](T& t) { t.Panels.Toggle(Panel::Preview); },
     .Checked = [](const T& t) { return t.Panels.IsShown(Panel::Preview); }},
    {.Name = "magnifierButton",
     .Key = {AltV, QT_TRANSLATE_NOOP("Commands", "Alt+V"), QT_TRANSLATE_NOOP("Commands", "Show or hide the magnifier")},
     .Button = {.X = 316, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Preview Zoom Window"), .Icon = MagnifierIcon},
     .Run = [](T& t) { t.Panels.Toggle(Panel::Magnifier); },
     .Checked = [](const T& t) { return t.Panels.IsShown(Panel::Magnifier); }},
    {.Name = "borderPaletteButton",
     .Key = {Plain<Qt::Key_B>, QT_TRANSLATE_NOOP("Commands", "B"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the border palette")},
     .Button = {.X = 244, .ToolTip = QT_TRANSLATE_NOOP("Commands", "Border Palette Window"), .Icon = BorderPaletteIcon},
     .Run = [](T& t) { t.Panels.Toggle(Panel::BorderPalette); },
     .Checked = [](const T& t) { return t.Panels.IsShown(Panel::BorderPalette); }},
    {.Name = "charGridButton",
     .Key = {Plain<Qt::Key_G>, QT_TRANSLATE_NOOP("Commands", "G"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the char grid")},
     .Button = {.X = 140, .ToolTip = QT_TRANSLATE_NOOP("Commands", "PerChar Grid"), .Icon = CharGridIcon},
     .Run = [](T& t) { t.Document.ToggleCharGrid(); },
     .Checked = [](const T& t) { return t.Document.View().Settings().CharGridOn; }},
    {.Name = "pixelGridButton",
     .Key = {Plain<Qt::Key_H>, QT_TRANSLATE_NOOP("Commands", "H"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the pixel grid")},
     .Button = {.X = 172, .ToolTip = QT_TRANSLATE_NOOP("Commands", "PerPixel Grid"), .Icon = PixelGridIcon},
     .Run = [](T& t) { t.Document.TogglePixelGrid(); },
     .Checked = [](const T& t) { return t.Document.View().Settings().PixelGridOn; }},
    {.Name = "pixButton",
     .Key = {Plain<Qt::Key_W>, QT_TRANSLATE_NOOP("Commands", "W"),
             QT_TRANSLATE_NOOP("Commands", "Switch PIX mode on or off")},
     .Button = {.X = 572,
                .FixedWidth = 41,
                .Text = "PIX",
                .ToolTip = QT_TRANSLATE_NOOP(
                    "Commands", "PIX: painting sets the pixel bits of both screens to the chosen entry; on/off")},
     .Run = [](T& t) { t.Document.Colours().TogglePix(); },
     .Checked = [](const T& t) { return t.Document.Colours().Pickers().EditModePix; }},
    {.Name = "rgbButton",
     .Key = {Plain<Qt::Key_E>, QT_TRANSLATE_NOOP("Commands", "E"),
             QT_TRANSLATE_NOOP("Commands", "Switch RGB mode on or off")},
     .Button = {.X = 613,
                .FixedWidth = 49,
                .Text = "RGB",
                .ToolTip = QT_TRANSLATE_NOOP(
                    "Commands", "RGB: painting rewrites the cell line's attributes with the current colours; on/off")},
     .Run = [](T& t) { t.Document.Colours().ToggleRgb(); },
     .Checked = [](const T& t) { return t.Document.Colours().Pickers().EditModeRgb; }},
    {.Name = "redrawCanvas",
     .Key = {RightUpOrDown, QT_TRANSLATE_NOOP("Commands", "Right, Up or Down"),
             QT_TRANSLATE_NOOP("Commands", "Redraw the picture (wipes rubber bands)")},
     .Run = [](T& t) { t.Document.RedrawCanvas(); }},
    {.Name = "flickerAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Flicker"),
     .Key = {Plain<Qt::Key_F>, QT_TRANSLATE_NOOP("Commands", "F"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the Flicker window")},
     .Shortcut = QKeyCombination(Qt::Key_F),
     .Run = [](T& t) { t.Panels.Toggle(Panel::Flicker); }},
    {.Name = "cycleScreenView",
     .Key = {Plain<Qt::Key_X>, QT_TRANSLATE_NOOP("Commands", "X"),
             QT_TRANSLATE_NOOP("Commands", "Show the mixed picture, screen 0 or screen 1 in turn")},
     .Run = [](T& t) { t.Document.CycleScreenView(); }},
    {.Name = "flickerMapAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Flicker Map"),
     .Key = {Plain<Qt::Key_M>, QT_TRANSLATE_NOOP("Commands", "M"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the flicker map")},
     .Shortcut = QKeyCombination(Qt::Key_M),
     .Run = [](T& t) { t.Document.ToggleFlickerMap(); },
     .Checked = [](const T& t) { return t.Document.View().FlickerMapOn(); }},

    // The tool bar's other buttons.
    {.Name = "zoomButton1",
     .Button = {.X = 4,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Zoom x1: 4 screen pixels per picture pixel"),
                .Icon = [] { return ZoomIcon(1); },
                .LooksChecked = true},
     .Run = Zoom<1>,
     .Checked = IsZoom<1>},
    {.Name = "zoomButton2",
     .Button = {.X = 36,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Zoom x2: 8 screen pixels per picture pixel"),
                .Icon = [] { return ZoomIcon(2); },
                .LooksChecked = true},
     .Run = Zoom<2>,
     .Checked = IsZoom<2>},
    {.Name = "zoomButton3",
     .Button = {.X = 68,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Zoom x3: 12 screen pixels per picture pixel"),
                .Icon = [] { return ZoomIcon(3); },
                .LooksChecked = true},
     .Run = Zoom<3>,
     .Checked = IsZoom<3>},
    {.Name = "zoomButton4",
     .Button = {.X = 100,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Zoom x4: 16 screen pixels per picture pixel"),
                .Icon = [] { return ZoomIcon(4); },
                .LooksChecked = true},
     .Run = Zoom<4>,
     .Checked = IsZoom<4>},

    // File. "Standart" is the word users of the format have always read here.
    {.Name = "newPicture8x8Action", .Caption = QT_TRANSLATE_NOOP("Commands", "8x8 Standart Gigascreen"), .Run = New<8>},
    {.Name = "newPicture8x4Action", .Caption = QT_TRANSLATE_NOOP("Commands", "8x4 MultiGigaScreen"), .Run = New<4>},
    {.Name = "newPicture8x2Action", .Caption = QT_TRANSLATE_NOOP("Commands", "8x2 MultiGigaScreen"), .Run = New<2>},
    {.Name = "newPicture8x1Action", .Caption = QT_TRANSLATE_NOOP("Commands", "8x1 MultiGigaScreen"), .Run = New<1>},
    {.Name = "convertTo8x8Action", .Caption = QT_TRANSLATE_NOOP("Commands", "Convert to 8x8"), .Run = ConvertTo<8>},
    {.Name = "convertTo8x4Action", .Caption = QT_TRANSLATE_NOOP("Commands", "Convert to 8x4"), .Run = ConvertTo<4>},
    {.Name = "convertTo8x2Action", .Caption = QT_TRANSLATE_NOOP("Commands", "Convert to 8x2"), .Run = ConvertTo<2>},
    {.Name = "convertTo8x1Action", .Caption = QT_TRANSLATE_NOOP("Commands", "Convert to 8x1"), .Run = ConvertTo<1>},
    {.Name = "openAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Open *.mgs"),
     .Shortcut = Ctrl(Qt::Key_O),
     .Run = [](T& t) { t.Document.Files().Open(); }},
    {.Name = "saveAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Save"),
     .Shortcut = Ctrl(Qt::Key_S),
     .Run = [](T& t) { t.Document.Files().Save(); }},
    {.Name = "saveAsAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Save As *.mgs"),
     .Shortcut = Qt::CTRL | Qt::SHIFT | Qt::Key_S,
     .Run = [](T& t) { t.Document.Files().SaveAs(); }},
    {.Name = "clearRecentFilesAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Clear"),
     .Run = [](T& t) { t.Window.ClearRecentFiles(); }},
    {.Name = "importPictureAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Picture..."),
     .Run = [](T& t) { t.Document.Files().ImportPicture(); }},
    // The name users know, though the preview writes a snapshot, not a TRD.
    {.Name = "previewOnEmulatorAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Preview TRD on ZX-emul"),
     .Run = [](T& t) { t.Document.Files().PreviewOnEmulator(); }},
    {.Name = "quitAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Quit"),
     .Shortcut = Ctrl(Qt::Key_Q),
     .Run = [](T& t) { t.Window.close(); }},

    // Edit.
    {.Name = "redoAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Redo"),
     .Shortcut = Ctrl(Qt::Key_Y),
     .Run = [](T& t) { t.Document.Redo(); },
     .Enabled = [](const T& t) { return !t.Document.Document().RedoName().empty(); }},
    {.Name = "flipHorizontalAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Flip Horizontal"),
     .Run = Transform<FlipSelectionHorizontal>},
    {.Name = "flipVerticalAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Flip Vertical"),
     .Run = Transform<FlipSelectionVertical>},
    {.Name = "rotate90Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Rotate 90` cw"),
     .Run = [](T& t) { t.Document.RotateSelection(); }},
    {.Name = "keyboardShortcutsAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Keyboard Shortcuts..."),
     .Run = [](T& t) { t.Window.EditKeyboardShortcuts(); }},

    // View.
    {.Name = "zoomInAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Zoom In"),
     .Shortcut = Ctrl(Qt::Key_Plus),
     .MoreShortcut = Ctrl(Qt::Key_Equal),
     .Run = [](T& t) { t.Document.StepZoom(+1); },
     .Enabled = [](const T& t) { return t.Document.View().ZoomLevel() < MaxZoomLevel; }},
    {.Name = "zoomOutAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Zoom Out"),
     .Shortcut = Ctrl(Qt::Key_Minus),
     .Run = [](T& t) { t.Document.StepZoom(-1); },
     .Enabled = [](const T& t) { return t.Document.View().ZoomLevel() > MinZoomLevel; }},
    {.Name = "resetPanelPlacesAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Reset Panel Places"),
     .Run = [](T& t) { t.Panels.ResetPlaces(); }},
    {.Name = "loadReferenceAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Load Reference Image..."),
     .Run = [](T& t) { t.Document.LoadReferenceImage(); }},
    {.Name = "showReferenceAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Show Reference Image"),
     .Key = {Plain<Qt::Key_F6>, QT_TRANSLATE_NOOP("Commands", "F6"),
             QT_TRANSLATE_NOOP("Commands", "Show or hide the reference image")},
     .Run = [](T& t) { t.Document.ToggleReference(); },
     .Enabled = HasReference,
     .Checked = [](const T& t) { return t.Document.Reference().IsShown(); }},
    {.Name = "fainterReferenceAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Fainter"),
     .Key = {Plain<Qt::Key_F7>, QT_TRANSLATE_NOOP("Commands", "F7"),
             QT_TRANSLATE_NOOP("Commands", "Make the reference image fainter (10 %)")},
     .Run = [](T& t) { t.Document.StepReferenceOpacity(-1); },
     .Enabled = HasReference},
    {.Name = "strongerReferenceAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Stronger"),
     .Key = {Plain<Qt::Key_F8>, QT_TRANSLATE_NOOP("Commands", "F8"),
             QT_TRANSLATE_NOOP("Commands", "Make the reference image stronger (10 %)")},
     .Run = [](T& t) { t.Document.StepReferenceOpacity(+1); },
     .Enabled = HasReference},
    {.Name = "removeReferenceAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Remove Reference Image"),
     .Run = [](T& t) { t.Document.RemoveReference(); },
     .Enabled = HasReference},
    {.Name = "zoomToFitAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Fit"),
     .Shortcut = Ctrl(Qt::Key_0),
     .Button = {.X = 1140,
                .ToolTip = QT_TRANSLATE_NOOP("Commands", "Fit: the largest zoom that shows the whole picture"),
                .Icon = FitIcon},
     .Run = [](T& t) { t.Document.ZoomToFit(); }},
    {.Name = "showMixedAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Mixed"),
     .Run = Show<ScreenView::Mixed>,
     .Checked = IsShown<ScreenView::Mixed>,
     .ChoiceGroup = "screenView"},
    {.Name = "showScreen0Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Screen 0"),
     .Run = Show<ScreenView::Screen0>,
     .Checked = IsShown<ScreenView::Screen0>,
     .ChoiceGroup = "screenView"},
    {.Name = "showScreen1Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Screen 1"),
     .Run = Show<ScreenView::Screen1>,
     .Checked = IsShown<ScreenView::Screen1>,
     .ChoiceGroup = "screenView"},
    {.Name = "mixingOwnAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Picture's Own Table"),
     .Run = [](T& t) { t.Document.SetMixing(OwnMixing()); },
     .Checked = IsMixing<MixingKind::Own>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingAverageAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Average"),
     .Run = [](T& t) { t.Document.SetMixing(AverageMixing()); },
     .Checked = IsMixing<MixingKind::Average>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingLinearAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Linear Light"),
     .Run = [](T& t) { t.Document.SetMixing(LinearMixing()); },
     .Checked = IsMixing<MixingKind::Linear>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingSrgbAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "sRGB"),
     .Run = UseMixing<MixingKind::Srgb>,
     .Checked = IsMixing<MixingKind::Srgb>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingPulsarAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Pulsar"),
     .Run = UseMixing<MixingKind::Pulsar>,
     .Checked = IsMixing<MixingKind::Pulsar>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingOrthodoxAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Orthodox"),
     .Run = UseMixing<MixingKind::Orthodox>,
     .Checked = IsMixing<MixingKind::Orthodox>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingAloneAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Alone"),
     .Run = UseMixing<MixingKind::Alone>,
     .Checked = IsMixing<MixingKind::Alone>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingElectroscaleAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Electroscale"),
     .Run = UseMixing<MixingKind::Electroscale>,
     .Checked = IsMixing<MixingKind::Electroscale>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingLevelsAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Levels..."),
     .Run = [](T& t) { t.Document.ChooseMixingLevels(); },
     .Checked = IsMixing<MixingKind::Levels>,
     .ChoiceGroup = "mixing"},
    {.Name = "mixingFileAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "From File..."),
     .Run = [](T& t) { t.Document.ChooseMixingFromFile(); },
     .Checked = IsMixing<MixingKind::File>,
     .ChoiceGroup = "mixing"},

    // Draw: the brush, the pattern, the symmetry and the text font.
    {.Name = "brushSize1Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "1 Pixel"),
     .Run = UseBrushSize<1>,
     .Checked = IsBrushSize<1>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize2Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "2 Pixels"),
     .Run = UseBrushSize<2>,
     .Checked = IsBrushSize<2>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize3Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "3 Pixels"),
     .Run = UseBrushSize<3>,
     .Checked = IsBrushSize<3>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize4Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "4 Pixels"),
     .Run = UseBrushSize<4>,
     .Checked = IsBrushSize<4>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize5Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "5 Pixels"),
     .Run = UseBrushSize<5>,
     .Checked = IsBrushSize<5>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize6Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "6 Pixels"),
     .Run = UseBrushSize<6>,
     .Checked = IsBrushSize<6>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize7Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "7 Pixels"),
     .Run = UseBrushSize<7>,
     .Checked = IsBrushSize<7>,
     .ChoiceGroup = "brushSize"},
    {.Name = "brushSize8Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "8 Pixels"),
     .Run = UseBrushSize<8>,
     .Checked = IsBrushSize<8>,
     .ChoiceGroup = "brushSize"},
    {.Name = "roundBrushAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Round"),
     .Run = UseBrushShape<BrushShape::Round>,
     .Checked = IsBrushShape<BrushShape::Round>,
     .ChoiceGroup = "brushShape"},
    {.Name = "squareBrushAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Square"),
     .Run = UseBrushShape<BrushShape::Square>,
     .Checked = IsBrushShape<BrushShape::Square>,
     .ChoiceGroup = "brushShape"},
    {.Name = "solidPatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Solid"),
     .Run = UsePattern<Pattern::Solid>,
     .Checked = IsPattern<Pattern::Solid>,
     .ChoiceGroup = "pattern"},
    {.Name = "checkerboardPatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Checkerboard (50 %)"),
     .Run = UsePattern<Pattern::Checkerboard>,
     .Checked = IsPattern<Pattern::Checkerboard>,
     .ChoiceGroup = "pattern"},
    {.Name = "ordered25PatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "25 % Ordered"),
     .Run = UsePattern<Pattern::Ordered25>,
     .Checked = IsPattern<Pattern::Ordered25>,
     .ChoiceGroup = "pattern"},
    {.Name = "ordered75PatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "75 % Ordered"),
     .Run = UsePattern<Pattern::Ordered75>,
     .Checked = IsPattern<Pattern::Ordered75>,
     .ChoiceGroup = "pattern"},
    {.Name = "horizontalLinesPatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Horizontal Lines"),
     .Run = UsePattern<Pattern::HorizontalLines>,
     .Checked = IsPattern<Pattern::HorizontalLines>,
     .ChoiceGroup = "pattern"},
    {.Name = "verticalLinesPatternAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Vertical Lines"),
     .Run = UsePattern<Pattern::VerticalLines>,
     .Checked = IsPattern<Pattern::VerticalLines>,
     .ChoiceGroup = "pattern"},
    {.Name = "patternEntry1Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "P0+P1"),
     .Run = UsePatternEntry<0>,
     .Checked = IsPatternEntry<0>,
     .ChoiceGroup = "patternEntry"},
    {.Name = "patternEntry2Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "P0+I1"),
     .Run = UsePatternEntry<1>,
     .Checked = IsPatternEntry<1>,
     .ChoiceGroup = "patternEntry"},
    {.Name = "patternEntry3Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "I0+P1"),
     .Run = UsePatternEntry<2>,
     .Checked = IsPatternEntry<2>,
     .ChoiceGroup = "patternEntry"},
    {.Name = "patternEntry4Action",
     .Caption = QT_TRANSLATE_NOOP("Commands", "I0+I1"),
     .Run = UsePatternEntry<3>,
     .Checked = IsPatternEntry<3>,
     .ChoiceGroup = "patternEntry"},
    {.Name = "noSymmetryAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "None"),
     .Run = UseSymmetry<SymmetryMode::None>,
     .Checked = IsSymmetry<SymmetryMode::None>,
     .ChoiceGroup = "symmetry"},
    {.Name = "leftRightSymmetryAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Left-Right"),
     .Run = UseSymmetry<SymmetryMode::LeftRight>,
     .Checked = IsSymmetry<SymmetryMode::LeftRight>,
     .ChoiceGroup = "symmetry"},
    {.Name = "topBottomSymmetryAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Top-Bottom"),
     .Run = UseSymmetry<SymmetryMode::TopBottom>,
     .Checked = IsSymmetry<SymmetryMode::TopBottom>,
     .ChoiceGroup = "symmetry"},
    {.Name = "fourWaySymmetryAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Four-Way"),
     .Run = UseSymmetry<SymmetryMode::FourWay>,
     .Checked = IsSymmetry<SymmetryMode::FourWay>,
     .ChoiceGroup = "symmetry"},
    {.Name = "textFontAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Text Font..."),
     .Run = [](T& t) { t.Document.ChooseTextFont(); }},
    {.Name = "builtinFontAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Built-in 8x8 Font"),
     .Run = [](T& t) { t.Document.UseBuiltinFont(); },
     .Checked = [](const T& t) { return !t.Document.Tools().Face; }},

    // Color Corrector and Help.
    {.Name = "showCorrectorAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Show/Hide"),
     .Run = [](T& t) { t.Panels.Toggle(Panel::Corrector); }},
    // Each language by its own name, as someone who cannot read the other finds it.
    {.Name = "languageSystemAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "As the System"),
     .Run = [](T& t) { t.Window.ChooseLanguage(InterfaceLanguage::System); },
     .Checked = [](const T& t) { return t.Window.ChosenLanguage() == InterfaceLanguage::System; },
     .ChoiceGroup = "language"},
    {.Name = "languageEnglishAction",
     .Caption = "English",
     .Run = [](T& t) { t.Window.ChooseLanguage(InterfaceLanguage::English); },
     .Checked = [](const T& t) { return t.Window.ChosenLanguage() == InterfaceLanguage::English; },
     .ChoiceGroup = "language"},
    {.Name = "languageRussianAction",
     .Caption = "Русский",
     .Run = [](T& t) { t.Window.ChooseLanguage(InterfaceLanguage::Russian); },
     .Checked = [](const T& t) { return t.Window.ChosenLanguage() == InterfaceLanguage::Russian; },
     .ChoiceGroup = "language"},
    {.Name = "helpGettingStartedAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Getting Started"),
     .Run = [](T& t) { OpenGettingStartedDialog(&t.Window); }},
    {.Name = "helpSampleAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Open Sample Picture"),
     .Run = [](T& t) { t.Document.Files().OpenSample(); }},
    {.Name = "helpKeysAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "Keys"),
     .Run = [](T& t) { t.Window.ShowKeysHelp(); }},
    {.Name = "helpAboutAction",
     .Caption = QT_TRANSLATE_NOOP("Commands", "About chromaLoom"),
     .Run = [](T& t) { OpenAboutDialog(&t.Window); }},
};

}  // namespace

std::span<const Command> Commands() { return Table; }

QString CommandText(const char* text) { return QCoreApplication::translate("Commands", text); }

const Command* FindCommand(std::string_view name) {
  for (const Command& command : Table)
    if (name == command.Name) return &command;
  return nullptr;
}

QString ButtonToolTip(const Command& command, const KeyBindings& bindings) {
  if (!*command.Button.ToolTip) return {};
  QString text = CommandText(command.Button.ToolTip);
  if (const KeyBindings::Key* user = bindings.Find(command.Name)) {
    // Written as the default keys of such a command are.
    if (*user && command.HasKey())
      text += QCoreApplication::translate("Commands", " (use hotkey '%1')").arg(KeyDisplayText(**user).toUpper());
    if (*user && !command.HasKey()) text += QString(" (%1)").arg(KeyDisplayText(**user));
  } else if (command.HasKey()) {
    const QString firstKey =
        CommandText(command.Key.Keys).section(QCoreApplication::translate("Commands", " or "), 0, 0).toUpper();
    text += QCoreApplication::translate("Commands", " (use hotkey '%1')").arg(firstKey);
  } else if (command.Shortcut.key() != Qt::Key_unknown) {
    text += QString(" (%1)").arg(QKeySequence(command.Shortcut).toString(QKeySequence::NativeText));
  }
  return text;
}

namespace {

// The selector rows look at the preview and the selector size, the paste
// rows at a floating paste.
constexpr KeyState RowStates[] = {{false, 0}, {true, MinSelectorSize}, {true, MaxSelectorSize}, {false, 0, true}};

bool RowTakes(const Command& command, const KeyPress& press) {
  if (!command.HasKey()) return false;
  for (const KeyState& state : RowStates)
    if (command.Key.Matches(press, state)) return true;
  return false;
}

// The caption's trailing " (KEYS)", or -1.
qsizetype CaptionKeyPart(const QString& caption) {
  if (!caption.endsWith(')')) return -1;
  return caption.lastIndexOf(" (");
}

bool FindMenuPath(const std::vector<MenuEntry>& entries, std::string_view name, QStringList& path) {
  for (const MenuEntry& entry : entries) {
    if (entry.IsSeparator()) continue;
    if (!entry.IsSubmenu()) {
      if (name == entry.Name) return true;
      continue;
    }
    path << CommandText(entry.Caption);
    if (FindMenuPath(entry.Items, name, path)) return true;
    path.removeLast();
  }
  return false;
}

}  // namespace

const Command* CommandTakingKey(QKeyCombination keys) {
  const KeyPress press = KeyPress::From(keys.key(), 0, keys.keyboardModifiers());
  for (const Command& command : Table)
    if (RowTakes(command, press)) return &command;
  return nullptr;
}

bool IsBindable(const Command& command) { return command.IsMenuItem() || *command.Button.ToolTip || command.HasKey(); }

QString CommandTitle(const Command& command) {
  if (command.IsMenuItem()) {
    QString caption = CommandText(command.Caption);
    if (const qsizetype keys = CaptionKeyPart(caption); keys >= 0) caption.truncate(keys);
    QStringList path;
    if (FindMenuPath(MenuLayout(), command.Name, path)) path << caption;
    return path.isEmpty() ? caption : path.join(" > ");
  }
  if (*command.Button.ToolTip) return CommandText(command.Button.ToolTip);
  if (command.HasKey()) return CommandText(command.Key.Does);
  return QString::fromUtf8(command.Name);
}

bool CaptionCarriesKeys(const Command& command) { return CaptionKeyPart(QString::fromUtf8(command.Caption)) >= 0; }

QString MenuCaption(const Command& command, const KeyBindings& bindings) {
  QString caption = CommandText(command.Caption);
  const KeyBindings::Key* user = bindings.Find(command.Name);
  const qsizetype keys = CaptionKeyPart(caption);
  if (!user || keys < 0) return caption;
  caption.truncate(keys);
  if (*user) caption += QString(" (%1)").arg(CaptionKeyText(**user));
  return caption;
}

QString CommandKeysText(const Command& command, const KeyBindings& bindings) {
  if (const KeyBindings::Key* user = bindings.Find(command.Name)) return *user ? KeyDisplayText(**user) : QString();
  QStringList keys;
  if (command.HasKey()) keys << CommandText(command.Key.Keys);
  // A shortcut counts where no key row takes it; its own row already named it.
  for (const QKeyCombination shortcut : {command.Shortcut, command.MoreShortcut})
    if (shortcut.key() != Qt::Key_unknown && !CommandTakingKey(shortcut)) keys << KeyDisplayText(shortcut);
  return keys.join(QCoreApplication::translate("Commands", " or "));
}

bool UserKeyGoesThroughRows(const Command& command) { return command.HasKey() || !command.IsMenuItem(); }

bool CommandTakesPress(const Command& command, const KeyBindings& bindings, const KeyPress& press,
                       const KeyState& state) {
  if (const KeyBindings::Key* user = bindings.Find(command.Name))
    return *user && UserKeyGoesThroughRows(command) && PressIsKey(press, **user);
  return command.HasKey() && command.Key.Matches(press, state);
}

const Command* CommandTakingKey(QKeyCombination keys, const KeyBindings& bindings, const Command* except) {
  const KeyPress press = KeyPress::From(keys.key(), 0, keys.keyboardModifiers());
  for (const Command& command : Table) {
    if (&command == except) continue;
    if (const KeyBindings::Key* user = bindings.Find(command.Name)) {
      if (*user && SameKey(**user, keys)) return &command;
      continue;
    }
    if (RowTakes(command, press)) return &command;
    for (const QKeyCombination shortcut : {command.Shortcut, command.MoreShortcut})
      if (shortcut.key() != Qt::Key_unknown && SameKey(shortcut, keys)) return &command;
  }
  return nullptr;
}

QKeyCombination NewPictureKey() { return QKeySequence(QKeySequence::New)[0]; }

QString KeyRefusal(QKeyCombination keys, const KeyBindings& bindings, const Command& command) {
  const QString shown = KeyDisplayText(keys);
  if (!IsUsableKey(keys))
    return QCoreApplication::translate("Commands", "\"%1\" cannot be a key of its own.").arg(shown);
  if (SameKey(keys, NewPictureKey()))
    return QCoreApplication::translate("Commands", "\"%1\" is already the key of \"File > New\".").arg(shown);
  if (const Command* taking = CommandTakingKey(keys, bindings, &command))
    return QCoreApplication::translate("Commands", "\"%1\" is already the key of \"%2\".")
        .arg(shown, CommandTitle(*taking));
  return {};
}

KeyBindings UsableBindings(const KeyBindings& read) {
  KeyBindings usable;
  for (const auto& [name, key] : read.All()) {
    const Command* command = FindCommand(name);
    if (command && IsBindable(*command) && (!key || IsUsableKey(*key))) usable.Set(name, key);
  }
  // Dropping a key gives back that command's defaults, which may take
  // another user key in turn, so this runs until nothing changes.
  for (bool dropped = true; dropped;) {
    dropped = false;
    for (const Command& command : Table) {
      const KeyBindings::Key* user = usable.Find(command.Name);
      if (user && *user && !KeyRefusal(**user, usable, command).isEmpty()) {
        usable.Reset(command.Name);
        dropped = true;
      }
    }
  }
  return usable;
}

const std::vector<MenuEntry>& MenuLayout() {
  static const std::vector<MenuEntry> layout = {
      {"fileMenu",
       QT_TRANSLATE_NOOP("Commands", "File"),
       {{"newMenu",
         QT_TRANSLATE_NOOP("Commands", "New"),
         {{"newPicture8x8Action"}, {"newPicture8x4Action"}, {"newPicture8x2Action"}, {"newPicture8x1Action"}}},
        {"changeCellHeightMenu",
         QT_TRANSLATE_NOOP("Commands", "Change char size"),
         {{"convertTo8x8Action"}, {"convertTo8x4Action"}, {"convertTo8x2Action"}, {"convertTo8x1Action"}}},
        {},
        {"openAction"},
        {"saveAction"},
        {"saveAsAction"},
        {"openRecentMenu", QT_TRANSLATE_NOOP("Commands", "Open Recent"), {{}, {"clearRecentFilesAction"}}},
        {},
        // After the file kinds' items.
        {"importMenu", QT_TRANSLATE_NOOP("Commands", "Import"), {{}, {"importPictureAction"}}},
        {"exportMenu", QT_TRANSLATE_NOOP("Commands", "Export")},
        {},
        {"previewOnEmulatorAction"},
        {},
        {"quitAction"}}},
      {"editMenu",
       QT_TRANSLATE_NOOP("Commands", "Edit"),
       {{"undoAction"},
        {"redoAction"},
        {},
        {"removeSelectionAction"},
        {},
        {"copyAction"},
        {"pasteAction"},
        {"deleteAction"},
        {},
        {"flipHorizontalAction"},
        {"flipVerticalAction"},
        {},
        {"rotate90Action"},
        {},
        {"rotatePixelsRightAction"},
        {"rotatePixelsLeftAction"},
        {"rotatePixelsUpAction"},
        {"rotatePixelsDownAction"},
        {},
        {"keyboardShortcutsAction"}}},
      {"viewMenu",
       QT_TRANSLATE_NOOP("Commands", "View"),
       {{"zoomInAction"},
        {"zoomOutAction"},
        {"zoomToFitAction"},
        {},
        {"showMixedAction"},
        {"showScreen0Action"},
        {"showScreen1Action"},
        {},
        {"flickerMapAction"},
        {"flickerAction"},
        {"resetPanelPlacesAction"},
        {},
        {"referenceMenu",
         QT_TRANSLATE_NOOP("Commands", "Reference Image"),
         {{"loadReferenceAction"},
          {"showReferenceAction"},
          {"fainterReferenceAction"},
          {"strongerReferenceAction"},
          {},
          {"removeReferenceAction"}}},
        {},
        {"mixingMenu",
         QT_TRANSLATE_NOOP("Commands", "Mixing"),
         {{"mixingOwnAction"},
          {"mixingAverageAction"},
          {"mixingLinearAction"},
          {},
          {"mixingSrgbAction"},
          {"mixingPulsarAction"},
          {"mixingOrthodoxAction"},
          {"mixingAloneAction"},
          {"mixingElectroscaleAction"},
          {"mixingLevelsAction"},
          {},
          {"mixingFileAction"}}},
        {},
        {"languageMenu",
         QT_TRANSLATE_NOOP("Commands", "Language"),
         {{"languageSystemAction"}, {"languageEnglishAction"}, {"languageRussianAction"}}}}},
      {"drawMenu",
       QT_TRANSLATE_NOOP("Commands", "Draw"),
       {{"filledShapesAction"},
        {},
        {"brushMenu",
         QT_TRANSLATE_NOOP("Commands", "Brush"),
         {{"brushSize1Action"},
          {"brushSize2Action"},
          {"brushSize3Action"},
          {"brushSize4Action"},
          {"brushSize5Action"},
          {"brushSize6Action"},
          {"brushSize7Action"},
          {"brushSize8Action"},
          {},
          {"largerBrushAction"},
          {"smallerBrushAction"},
          {},
          {"squareBrushAction"},
          {"roundBrushAction"}}},
        {"patternMenu",
         QT_TRANSLATE_NOOP("Commands", "Pattern"),
         {{"solidPatternAction"},
          {"checkerboardPatternAction"},
          {"ordered25PatternAction"},
          {"ordered75PatternAction"},
          {"horizontalLinesPatternAction"},
          {"verticalLinesPatternAction"},
          {},
          {"nextPatternAction"},
          {},
          {"patternEntryMenu",
           QT_TRANSLATE_NOOP("Commands", "Second Entry"),
           {{"patternEntry1Action"}, {"patternEntry2Action"}, {"patternEntry3Action"}, {"patternEntry4Action"}}}}},
        {"symmetryMenu",
         QT_TRANSLATE_NOOP("Commands", "Symmetry"),
         {{"noSymmetryAction"},
          {"leftRightSymmetryAction"},
          {"topBottomSymmetryAction"},
          {"fourWaySymmetryAction"},
          {},
          {"nextSymmetryAction"},
          {"axesToPointerAction"}}},
        {},
        {"textFontAction"},
        {"builtinFontAction"}}},
      {"correctorMenu", QT_TRANSLATE_NOOP("Commands", "Color Corrector"), {{"showCorrectorAction"}, {}}},
      {"helpMenu",
       QT_TRANSLATE_NOOP("Commands", "Help"),
       {{"helpGettingStartedAction"}, {"helpSampleAction"}, {}, {"helpKeysAction"}, {"helpAboutAction"}}},
  };
  return layout;
}

}  // namespace chromaloom
