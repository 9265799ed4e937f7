// The main window's log pane: a monospace text box that both threads write to.
// Writes from the tick thread are queued to the window thread in order and never
// wait for it; writes from the window thread land at once, after anything queued
// before them, so the window always reads back what it wrote.
#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/log_pane.h"

namespace vlt::gui {

class LogEdit;

class WindowLogPane final : public QObject, public platform::LogPane {
  Q_OBJECT

 public:
  // The limits on what the operator may type, in characters.
  static constexpr int kStartTextLimit = 1'000'000;
  static constexpr int kProfileTextLimit = 100'000;

  explicit WindowLogPane(QWidget* parent);

  void AppendLine(std::string_view text) override;
  void Clear() override;
  void SetReadOnly(bool readOnly) override;
  // On the window thread the box's text, with what the operator typed; on
  // another thread what was written through the pane.
  std::string Text() const override;

  // The operator's selection, lines ending in "\r\n"; empty when none.
  std::string SelectedText() const;
  // Only typing is limited: lines written by tests are never dropped, so a long
  // report is kept whole however small the limit.
  void SetTextLimit(int characters) { textLimit_ = characters; }
  int TextLimit() const { return textLimit_; }
  // Sees every line written, on the writing thread (tests play the operator with it).
  void SetLineObserver(std::function<void(std::string_view)> observer) {
    observer_ = std::move(observer);
  }
  // Sees every line as it reaches the box, on the window thread, in order.
  void SetShownLineObserver(std::function<void(std::string_view)> observer) {
    shownObserver_ = std::move(observer);
  }

  // Sees every clearing of the box, on the window thread, whoever asked for it.
  void SetClearObserver(std::function<void()> observer) { clearObserver_ = std::move(observer); }
  // Sees every change the operator makes to the text (the testing notes), never
  // what is written through the pane.
  void SetTypedObserver(std::function<void()> observer) { typedObserver_ = std::move(observer); }

  QPlainTextEdit* Widget() const;
  // Set while a test runs: nothing can be typed, not even testing notes.
  bool Locked() const;
  // Applies what other threads queued.
  void Flush();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Op {
    enum class Kind { kAppend, kClear, kReadOnly } kind;
    std::string text;
    bool flag = false;
  };
  void Post(Op op);
  bool OnWindowThread() const;

  LogEdit* edit_;
  int textLimit_ = kStartTextLimit;
  std::function<void(std::string_view)> observer_;
  std::function<void(std::string_view)> shownObserver_;
  std::function<void()> clearObserver_;
  std::function<void()> typedObserver_;
  bool writing_ = false;  // the window thread applies written lines: no change is typed
  mutable std::mutex mutex_;
  std::vector<Op> pending_;
  bool flushQueued_ = false;
  std::string written_;  // what was written, for readers off the window thread
};

}  // namespace vlt::gui
