#include "dialog_pictures.h"

#include <QPainter>
#include <QPainterPath>

QPixmap BusyPicture(int frame) {
  const int size = 40;
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // A disc of three sectors; the lit one turns a third at each frame.
  QRectF disc(4, 4, size - 8, size - 8);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(i == frame % 3 ? QColor(0, 96, 192) : QColor(200, 210, 225));
    p.setPen(QPen(Qt::white, 2));
    p.drawPie(disc, (90 - i * 120) * 16, -120 * 16);
  }
  return pm;
}

QPixmap ArrowPicture(int id) {
  const int w = 36, h = 36;
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 112, 64));
  QPainterPath arrow;
  if (id == 121) {  // down
    arrow.moveTo(13, 4);
    arrow.lineTo(23, 4);
    arrow.lineTo(23, 18);
    arrow.lineTo(31, 18);
    arrow.lineTo(18, 32);
    arrow.lineTo(5, 18);
    arrow.lineTo(13, 18);
  } else {  // right
    arrow.moveTo(4, 13);
    arrow.lineTo(18, 13);
    arrow.lineTo(18, 5);
    arrow.lineTo(32, 18);
    arrow.lineTo(18, 31);
    arrow.lineTo(18, 23);
    arrow.lineTo(4, 23);
  }
  arrow.closeSubpath();
  p.drawPath(arrow);
  return pm;
}
