// The editor's own icons, drawn in code so they stay crisp at 1:1.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

#include "picture/raster.h"

namespace chromaloom {

// A core raster as a QImage sharing its pixels (the raster must outlive it).
QImage WrapRaster(const Raster& raster);

// 22 x 22 icon of the tool bar button with this object name
// ("KEY_Zoom1_1" .. "KEY_Zoom4_1", "Key_Grid", "Key_zGrid", "KEY_Palette",
// "KEY_BorderPalette", "KEY_Preview", "KEY_ZoomPreview", "Key_Instrument_Paint",
// "Key_Instrument_Line", "Key_Instrument_Rect", "Key_Instrument_FillChar",
// "Key_Instrument_Select", "Key_Instrument_Ellipse"); a null pixmap for others.
QPixmap ToolBarIcon(const QString& buttonName);

// The 16 x 13 icons on the picture window's caption: maximise and restore.
QPixmap ResizeIcon(bool maximise);

// The program's icon, 32 x 32 and 16 x 16.
QIcon ProgramIcon();

}  // namespace chromaloom
