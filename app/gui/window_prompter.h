// Message boxes and the decision window for the core. The tick thread may ask
// (a test that ends aborted asks whether to log it): the question is then shown
// by the window thread and the tick thread waits for the answer, as the operator
// must give it before the test can finish. A question waits while the operator
// works in another box, and replaces a notice, so that it is never answered
// unseen.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/prompter.h"

namespace vlt::gui {

class DialogGate;

class WindowPrompter final : public QObject, public platform::Prompter {
  Q_OBJECT

 public:
  static constexpr int kWaitForBoxMillis = 100;

  explicit WindowPrompter(QObject* parent = nullptr) : QObject(parent) {}
  // Questions still waiting are answered No, so no thread waits for ever.
  ~WindowPrompter() override;
  // The window the boxes belong to; none before it exists (the start-up error).
  void SetWindow(QWidget* window) { window_ = window; }
  void SetGate(DialogGate* gate) { gate_ = gate; }

  void MessageBox(const std::string& caption, const std::string& text) override;
  bool AskDecision(const std::string& statement, const std::string& question) override;

 private:
  struct Question {
    std::string statement;
    std::string question;
    std::promise<bool> answer;
    bool answered = false;
  };
  void ShowMessage(const std::string& caption, const std::string& text);
  bool Decide(const std::string& statement, const std::string& question);
  // Shows the question once no box the operator works in is open.
  void Offer(const std::shared_ptr<Question>& question);
  void Answer(Question& question, bool yes);

  QPointer<QWidget> window_;
  DialogGate* gate_ = nullptr;
  std::mutex mutex_;
  std::vector<std::shared_ptr<Question>> waiting_;
};

}  // namespace vlt::gui
