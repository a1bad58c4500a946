#pragma once
// The program's pictures, drawn rather than loaded: tool-bar buttons carry one character on a coloured
// tile, and the program's own icon is such a tile.
#include <QColor>
#include <QIcon>
#include <QString>

QIcon GlyphIcon(const QString& glyph, const QColor& colour);
QIcon ProgramIcon();
