#include "glyph_icon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "gbk_qt.h"

namespace {
QPixmap Tile(const QString& glyph, const QColor& colour, int size, bool enabled) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QColor fill = enabled ? colour : QColor(190, 190, 190);
  QPainterPath path;
  qreal margin = size / 12.0;
  path.addRoundedRect(QRectF(margin, margin, size - 2 * margin, size - 2 * margin), size / 6.0, size / 6.0);
  p.fillPath(path, fill);
  p.setPen(fill.darker(140));
  p.drawPath(path);
  QFont font;
  font.setPixelSize(size * 9 / 16);
  font.setBold(true);
  p.setFont(font);
  p.setPen(enabled ? Qt::white : QColor(245, 245, 245));
  p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
  return pixmap;
}
}  // namespace

QIcon GlyphIcon(const QString& glyph, const QColor& colour) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    icon.addPixmap(Tile(glyph, colour, size, true), QIcon::Normal);
    icon.addPixmap(Tile(glyph, colour, size, false), QIcon::Disabled);
  }
  return icon;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(Tile(Q("项"), QColor(30, 90, 160), size, true));
  return icon;
}
