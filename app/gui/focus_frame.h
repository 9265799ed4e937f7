// Where the keyboard is: a frame in the theme's highlight colour around the
// widget that has the focus, when it is the log pane, a list or a button, in
// the window and in the dialogs over it. Styles mark the focus faintly, or
// only after a Tab, or (the log pane) not at all.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace vlt::gui {

class FocusFrame final : public QObject {
  Q_OBJECT

 public:
  // Frames the focus in `window` and in the windows it owns.
  explicit FocusFrame(QWidget* window);

  // Whether a widget is framed while it has the focus.
  static bool Framed(const QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(QWidget* now);
  bool Owned(const QWidget& widget) const;

  QWidget* window_;
  QPointer<QWidget> framed_;
  QPointer<QWidget> ring_;  // a child of the framed widget, over all its other children
};

}  // namespace vlt::gui
