#include "gui/timeline_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include "gui/qt_text.h"
#include "gui/window_fonts.h"

namespace vlt::gui {
namespace {

constexpr int kEmptyWidthPx = 480;
constexpr int kEmptyHeightPx = 120;
constexpr float kFlagHalfHeightPx = 6.5F;

QColor ToQColor(results::Colour c, float opacity = 1.0F) {
  return QColor(c.r, c.g, c.b, static_cast<int>(opacity * 255.0F + 0.5F));
}

QPolygonF MarkPolygon(const results::SceneMark& m) {
  QPolygonF polygon;
  for (const auto& [x, y] : results::MarkPoints(m)) {
    polygon << QPointF(static_cast<qreal>(x), static_cast<qreal>(y));
  }
  return polygon;
}

void PaintMark(QPainter& p, const results::SceneMark& m) {
  p.setBrush(ToQColor(m.colour));
  const auto x = static_cast<qreal>(m.x);
  const auto y = static_cast<qreal>(m.y);
  const auto s = static_cast<qreal>(m.size);
  switch (m.shape) {
    case results::Shape::kCircle:
      p.drawEllipse(QPointF(x, y), s, s);
      return;
    case results::Shape::kSquare:
      p.drawRect(QRectF(x - s * 0.8, y - s * 0.8, s * 1.6, s * 1.6));
      return;
    case results::Shape::kFlag:
      p.drawRoundedRect(QRectF(x - s, y - kFlagHalfHeightPx, 2 * s, 2 * kFlagHalfHeightPx), 2, 2);
      return;
    default:
      p.drawPolygon(MarkPolygon(m));
  }
}

}  // namespace

TimelineView::TimelineView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("timelineView"));
  setMouseTracking(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimelineView::Show(const results::RunTrace* trace, results::TimelineScene scene) {
  trace_ = trace;
  scene_ = std::move(scene);
  const QSize size = sizeHint();
  setMinimumSize(size);
  resize(size);
  update();
}

QSize TimelineView::sizeHint() const {
  if (trace_ == nullptr) return {kEmptyWidthPx, kEmptyHeightPx};
  return {static_cast<int>(scene_.width + 0.5F), static_cast<int>(scene_.height + 0.5F)};
}

std::optional<std::uint32_t> TimelineView::FrameAt(QPointF point) const {
  if (trace_ == nullptr) return std::nullopt;
  const int hit =
      results::MarkAt(scene_, static_cast<float>(point.x()), static_cast<float>(point.y()));
  if (hit < 0) return std::nullopt;
  const std::int32_t frame = scene_.marks[static_cast<std::size_t>(hit)].frame;
  if (frame < 0) return std::nullopt;
  return static_cast<std::uint32_t>(frame);
}

void TimelineView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), Qt::white);
  if (trace_ == nullptr) {
    p.setPen(Qt::darkGray);
    p.drawText(rect(), Qt::AlignCenter, tr("The timeline of a test shows here while it runs."));
    return;
  }
  p.setRenderHint(QPainter::Antialiasing);
  // A long run has a mark per frame: draw only what the damaged area shows.
  const QRectF area = QRectF(event->rect()).adjusted(-20, -20, 20, 20);
  p.setPen(Qt::NoPen);
  for (const results::SceneRect& r : scene_.rects) {
    const QRectF box(r.x, r.y, r.w, r.h);
    if (box.intersects(area)) p.fillRect(box, ToQColor(r.fill, r.opacity));
  }
  for (const results::SceneLine& l : scene_.lines) {
    const QRectF span = QRectF(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2)).normalized();
    if (!span.adjusted(-1, -1, 1, 1).intersects(area)) continue;
    QPen pen(ToQColor(l.colour), static_cast<qreal>(l.width));
    if (l.dashed) pen.setDashPattern({4, 3});
    p.setPen(pen);
    p.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
  }
  p.setPen(Qt::NoPen);
  for (const results::SceneMark& m : scene_.marks) {
    if (area.contains(QPointF(m.x, m.y))) PaintMark(p, m);
  }
  QFont font = MonospaceFont(9);
  for (const results::SceneText& t : scene_.texts) {
    if (t.y < area.top() || t.y - t.size > area.bottom()) continue;
    font.setPixelSize(static_cast<int>(t.size + 0.5F));
    font.setBold(t.bold);
    p.setFont(font);
    p.setPen(ToQColor(t.colour));
    const QString text = ToQt(t.text);
    qreal x = t.x;
    const qreal width = p.fontMetrics().horizontalAdvance(text);
    if (t.anchor == results::Anchor::kMiddle) x -= width / 2;
    if (t.anchor == results::Anchor::kEnd) x -= width;
    if (x > area.right() || x + width < area.left()) continue;
    p.drawText(QPointF(x, t.y), text);
  }
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (const auto frame = FrameAt(event->position())) Q_EMIT FrameClicked(*frame);
  }
  QWidget::mousePressEvent(event);
}

bool TimelineView::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip || trace_ == nullptr) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const int hit = results::MarkAt(scene_, static_cast<float>(help->pos().x()),
                                  static_cast<float>(help->pos().y()));
  const std::string tip =
      hit >= 0 ? results::MarkTip(scene_, *trace_, scene_.marks[static_cast<std::size_t>(hit)])
               : std::string();
  if (tip.empty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), ToQt(tip), this);
  }
  return true;
}

}  // namespace vlt::gui
