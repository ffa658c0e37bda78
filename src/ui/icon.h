// The program's icon, drawn from its SVG file (a Qt resource). The file uses only
// filled rect, circle and polygon elements, so it is drawn here with QPainter when no
// SVG image plugin is installed.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

// The program's icon at the usual sizes.
QIcon fプログラムアイコン();

// Draws the SVG document (rect, circle and polygon with a plain fill) into a square
// image of the given size; a null image when the document cannot be read or holds any
// other drawing element.
QImage fSVG描画(const QByteArray& svg, int size);
