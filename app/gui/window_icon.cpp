#include "gui/window_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace vlt::gui {

namespace {

// A blue tile with a white "V" over a green bus line: the tester on the bus.
QPixmap IconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x4e, 0x8c));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  p.setPen(QPen(QColor(0x5c, 0xd6, 0x5c), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath bus;
  bus.moveTo(8, 50);
  bus.lineTo(20, 50);
  bus.lineTo(20, 44);
  bus.lineTo(28, 44);
  bus.lineTo(28, 50);
  bus.lineTo(36, 50);
  bus.lineTo(36, 44);
  bus.lineTo(44, 44);
  bus.lineTo(44, 50);
  bus.lineTo(56, 50);
  p.setBrush(Qt::NoBrush);
  p.drawPath(bus);
  p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath v;
  v.moveTo(16, 12);
  v.lineTo(32, 38);
  v.lineTo(48, 12);
  p.drawPath(v);
  return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(IconPixmap(size));
  return icon;
}

QPixmap MarkerPixmap(Marker marker) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (marker) {
    case Marker::kChildren: {  // a folder-blue arrow pointing into the item
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x2a, 0x6f, 0xc9));
      const QPointF arrow[] = {{5, 3}, {12, 8}, {5, 13}};
      p.drawPolygon(arrow, 3);
      break;
    }
    case Marker::kUnconfirmed:  // an amber dot: waiting
      p.setPen(QPen(QColor(0x9a, 0x5b, 0x00), 1));
      p.setBrush(QColor(0xff, 0xb0, 0x20));
      p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
      break;
    case Marker::kSettable:  // a green pencil stroke: editable
      p.setPen(QPen(QColor(0x2e, 0x8b, 0x3e), 2.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 12), QPointF(12, 4));
      p.setPen(QPen(QColor(0x2e, 0x8b, 0x3e), 1.5));
      p.drawLine(QPointF(3, 14), QPointF(6, 14));
      break;
  }
  return pixmap;
}

}  // namespace vlt::gui
