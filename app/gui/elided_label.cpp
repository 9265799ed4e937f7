#include "gui/elided_label.h"

#include <QPainter>

namespace vlt::gui {

namespace {
// Enough to tell what the line is about, with the ellipsis.
constexpr int kShortestChars = 6;
}  // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  setToolTip(text);
  updateGeometry();
  update();
}

QString ElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text_, Qt::ElideRight, contentsRect().width());
}

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(text_) + 2, fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
  return {fontMetrics().averageCharWidth() * kShortestChars, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, ShownText());
}

}  // namespace vlt::gui
