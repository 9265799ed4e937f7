#include "gui/window_prompter.h"

#include <QThread>
#include <QTimer>
#include <algorithm>

#include "gui/dialog_gate.h"
#include "gui/dialogs.h"
#include "gui/qt_text.h"

namespace vlt::gui {

WindowPrompter::~WindowPrompter() {
  std::lock_guard lock(mutex_);
  for (const std::shared_ptr<Question>& question : waiting_) {
    if (!question->answered) question->answer.set_value(false);
  }
  waiting_.clear();
}

void WindowPrompter::MessageBox(const std::string& caption, const std::string& text) {
  if (QThread::currentThread() == thread()) {
    ShowMessage(caption, text);
    return;
  }
  QMetaObject::invokeMethod(
      this, [this, caption, text] { ShowMessage(caption, text); }, Qt::BlockingQueuedConnection);
}

bool WindowPrompter::AskDecision(const std::string& statement, const std::string& question) {
  if (QThread::currentThread() == thread()) return Decide(statement, question);
  auto waiting = std::make_shared<Question>();
  waiting->statement = statement;
  waiting->question = question;
  std::future<bool> answer = waiting->answer.get_future();
  {
    std::lock_guard lock(mutex_);
    waiting_.push_back(waiting);
  }
  QMetaObject::invokeMethod(
      this, [this, waiting] { Offer(waiting); }, Qt::QueuedConnection);
  return answer.get();
}

void WindowPrompter::Offer(const std::shared_ptr<Question>& question) {
  if (gate_ != nullptr && gate_->TaskOpen()) {
    QTimer::singleShot(kWaitForBoxMillis, this, [this, question] { Offer(question); });
    return;
  }
  Answer(*question, Decide(question->statement, question->question));
}

void WindowPrompter::Answer(Question& question, bool yes) {
  std::lock_guard lock(mutex_);
  if (question.answered) return;
  question.answered = true;
  question.answer.set_value(yes);
  std::erase_if(waiting_, [&question](const std::shared_ptr<Question>& entry) {
    return entry.get() == &question;
  });
}

void WindowPrompter::ShowMessage(const std::string& caption, const std::string& text) {
  TextBox box(TextBox::Kind::kWarning, ToQt(caption), ToQt(text), window_);
  if (gate_ == nullptr) {
    box.exec();
    return;
  }
  gate_->Run(box, DialogGate::Kind::kNotice);
}

bool WindowPrompter::Decide(const std::string& statement, const std::string& question) {
  DecisionBox box(statement, question, window_);
  PlaceAwayFromLog(box, window_);
  if (gate_ == nullptr) return box.exec() == DecisionBox::kYes;
  gate_->CloseNotices();
  return gate_->Run(box, DialogGate::Kind::kTask) == DecisionBox::kYes;
}

}  // namespace vlt::gui
