#include "gui/window_prompter.h"

#include <QMessageBox>
#include <QThread>

#include "gui/dialogs.h"
#include "gui/qt_text.h"

namespace vlt::gui {

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
  bool answer = false;
  QMetaObject::invokeMethod(
      this, [this, statement, question] { return Decide(statement, question); },
      Qt::BlockingQueuedConnection, &answer);
  return answer;
}

void WindowPrompter::ShowMessage(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, ToQt(caption), ToQt(text), QMessageBox::Ok, window_);
  box.exec();
}

bool WindowPrompter::Decide(const std::string& statement, const std::string& question) {
  DecisionBox box(statement, question, window_);
  return box.exec() == DecisionBox::kYes;
}

}  // namespace vlt::gui
