#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include "picture/zx_colour.h"

namespace chromaloom {

// The grey behind the picture and the tool windows.
inline constexpr QColor WorkSpaceColour(128, 128, 128);

inline QColor ToQColor(Rgb c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

inline void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace chromaloom
