// One dialog at a time. Every modal box of the window runs through the gate, so
// that a test's question (asked by the tick thread) never lands on top of another
// box where the next key press would answer it unseen: notices give way to it,
// boxes the operator is working in make it wait. A notice may also be bound to a
// state and closes itself when the state is over.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QDialog;

namespace vlt::gui {

class DialogGate final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kStatePollMillis = 50;

  enum class Kind {
    kNotice,  // says something; a test's question replaces it
    kTask,    // the operator chooses or types something; a test's question waits
  };

  explicit DialogGate(QObject* parent = nullptr) : QObject(parent) {}

  // Runs the dialog modally; returns its result. With `stillTrue`, the dialog
  // is closed (rejected) as soon as the state it describes is over.
  int Run(QDialog& dialog, Kind kind, std::function<bool()> stillTrue = {});
  // Whether a box the operator is working in is open.
  bool TaskOpen() const;
  bool AnyOpen() const;
  // Closes every open notice.
  void CloseNotices();

 private:
  struct Open {
    QPointer<QDialog> dialog;
    Kind kind;
  };
  std::vector<Open> open_;
};

}  // namespace vlt::gui
