// Message boxes and the decision window for the core. The tick thread may ask
// (a test that ends aborted asks whether to log it): the question is then shown
// by the window thread and the tick thread waits for the answer, as the operator
// must give it before the test can finish.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/prompter.h"

namespace vlt::gui {

class WindowPrompter final : public QObject, public platform::Prompter {
  Q_OBJECT

 public:
  explicit WindowPrompter(QObject* parent = nullptr) : QObject(parent) {}
  // The window the boxes belong to; none before it exists (the start-up error).
  void SetWindow(QWidget* window) { window_ = window; }

  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;

 private:
  void ShowMessage(const std::string& caption, const std::string& text);
  bool Decide(const std::string& statement, const std::string& question);

  QPointer<QWidget> window_;
};

}  // namespace vlt::gui
