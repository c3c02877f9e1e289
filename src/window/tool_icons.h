// The editor's own icons, drawn in code so they stay crisp at 1:1. The tool
// bar's tables name the icon of each button.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "picture/zx_colour.h"

namespace chromaloom {

// 22 x 22 tool bar icons.
QPixmap ZoomIcon(int level);  // the core's zoom icon of level 1..4
QPixmap CharGridIcon();
QPixmap PixelGridIcon();
QPixmap PaletteIcon();
QPixmap BorderPaletteIcon();
QPixmap PreviewIcon();
QPixmap MagnifierIcon();
QPixmap PencilIcon();
QPixmap LineIcon();
QPixmap RectIcon();
QPixmap FillCellIcon();
QPixmap SelectIcon();
QPixmap FitIcon();
QPixmap EllipseIcon();
// Free colour: a swatch of the colour in a frame; black before one is chosen.
QPixmap FreeColourIcon(Rgb colour = MakeRgb(0, 0, 0));
QPixmap FloodFillIcon();
QPixmap TextIcon();
QPixmap FilledShapesIcon();
QPixmap BrushIcon();
QPixmap PatternIcon();
QPixmap SymmetryIcon();
QPixmap ConvertBrushIcon();  // a smooth image turning into cells

// The 16 x 13 icons on the picture window's caption: maximise and restore.
QPixmap ResizeIcon(bool maximise);

// The program's icon, 32 x 32 and 16 x 16.
QIcon ProgramIcon();

}  // namespace chromaloom
