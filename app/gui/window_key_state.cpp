#include "gui/window_key_state.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace vlt::gui {

void WindowKeyState::Watch(QObject* window) {
  window->installEventFilter(this);
  for (QObject* child : window->findChildren<QObject*>()) child->installEventFilter(this);
}

bool WindowKeyState::IsKeyDown(std::uint8_t virtualKey) const {
  return virtualKey == platform::kSpaceBarKey && spaceDown_.load();
}

bool WindowKeyState::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
        const bool pressed = event->type() == QEvent::KeyPress;
        // One key press passes every watched widget from the focus up; say it once.
        if (pressed && !spaceDown_.load()) Q_EMIT SpacePressed();
        spaceDown_.store(pressed);
      }
      break;
    }
    case QEvent::WindowDeactivate:
    case QEvent::FocusOut:
      // A release that goes to another window must not leave the key held.
      if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        spaceDown_.store(false);
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vlt::gui
