// The space bar as the window sees it: held while a key press has arrived in one
// of the window's widgets and its release has not, and let go when the window
// loses the focus. The tick thread reads it while a test waits for the operator.
#pragma once

#include <QObject>
#include <atomic>

#include "platform/prompter.h"

namespace vlt::gui {

class WindowKeyState final : public QObject, public platform::KeyState {
  Q_OBJECT

 public:
  explicit WindowKeyState(QObject* parent = nullptr) : QObject(parent) {}
  // Watches the window and everything in it.
  void Watch(QObject* window);

  bool IsKeyDown(std::uint8_t virtualKey) const override;

 Q_SIGNALS:
  // The operator pressed the space bar (not a key repeat).
  void SpacePressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::atomic<bool> spaceDown_{false};
};

}  // namespace vlt::gui
