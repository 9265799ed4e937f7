#include "gui/focus_frame.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace vlt::gui {

namespace {

constexpr int kRingPx = 2;

// Drawn over its parent's edge; the mouse goes through it.
class Ring final : public QWidget {
 public:
  explicit Ring(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(parent->rect());
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), kRingPx);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(
        QRectF(rect()).adjusted(kRingPx / 2.0, kRingPx / 2.0, -kRingPx / 2.0, -kRingPx / 2.0));
  }
};

}  // namespace

FocusFrame::FocusFrame(QWidget* window) : QObject(window), window_(window) {
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* /*old*/, QWidget* now) { Follow(now); });
}

bool FocusFrame::Framed(const QWidget& widget) {
  if (widget.window()->windowType() == Qt::Popup) return false;
  return qobject_cast<const QAbstractScrollArea*>(&widget) != nullptr ||
         qobject_cast<const QAbstractButton*>(&widget) != nullptr;
}

bool FocusFrame::Owned(const QWidget& widget) const {
  for (const QWidget* w = &widget; w != nullptr; w = w->parentWidget()) {
    if (w == window_) return true;
  }
  return false;
}

void FocusFrame::Follow(QWidget* now) {
  if (now == framed_) return;
  if (framed_) framed_->removeEventFilter(this);
  delete ring_;
  framed_ = nullptr;
  // The focus may sit in a scroll area's viewport: the area is what is framed.
  QWidget* target = now;
  if (target != nullptr && !Framed(*target) && target->parentWidget() != nullptr &&
      qobject_cast<QAbstractScrollArea*>(target->parentWidget()) != nullptr) {
    target = target->parentWidget();
  }
  if (target == nullptr || !Framed(*target) || !Owned(*target)) return;
  framed_ = target;
  ring_ = new Ring(target);
  ring_->raise();
  ring_->show();
  target->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == framed_ && ring_) {
    if (event->type() == QEvent::Resize) ring_->setGeometry(framed_->rect());
    // A child the widget adds later (a scroll bar shown) must not cover the frame.
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::LayoutRequest) {
      ring_->raise();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vlt::gui
