#include "gui/window_log_pane.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include "gui/log_edit.h"
#include "gui/qt_text.h"
#include "gui/window_fonts.h"

namespace vlt::gui {

namespace {
std::string WithCrLf(const QString& text) {
  std::string out;
  for (const char c : FromQt(text)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}
}  // namespace

WindowLogPane::WindowLogPane(QWidget* parent) : QObject(parent), edit_(new LogEdit(parent)) {
  edit_->setObjectName(QStringLiteral("logPane"));
  edit_->setFont(MonospaceFont(9));
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setUndoRedoEnabled(false);
  edit_->installEventFilter(this);
  connect(edit_->document(), &QTextDocument::contentsChanged, this, [this] {
    if (!writing_ && typedObserver_) typedObserver_();
  });
}

QPlainTextEdit* WindowLogPane::Widget() const {
  return edit_;
}

bool WindowLogPane::Locked() const {
  return edit_->Locked();
}

bool WindowLogPane::OnWindowThread() const {
  return QThread::currentThread() == thread();
}

void WindowLogPane::AppendLine(std::string_view text) {
  if (observer_) observer_(text);
  Post({Op::Kind::kAppend, std::string(text)});
}

void WindowLogPane::Clear() {
  Post({Op::Kind::kClear, {}});
}

void WindowLogPane::SetReadOnly(bool readOnly) {
  Post({Op::Kind::kReadOnly, {}, readOnly});
}

void WindowLogPane::Post(Op op) {
  bool queue = false;
  {
    std::lock_guard lock(mutex_);
    if (op.kind == Op::Kind::kAppend) {
      written_ += op.text;
      written_ += "\r\n";
    } else if (op.kind == Op::Kind::kClear) {
      written_.clear();
    }
    pending_.push_back(std::move(op));
    if (!OnWindowThread() && !flushQueued_) {
      flushQueued_ = true;
      queue = true;
    }
  }
  if (OnWindowThread()) {
    Flush();
  } else if (queue) {
    QMetaObject::invokeMethod(this, &WindowLogPane::Flush, Qt::QueuedConnection);
  }
}

void WindowLogPane::Flush() {
  std::vector<Op> ops;
  {
    std::lock_guard lock(mutex_);
    ops.swap(pending_);
    flushQueued_ = false;
  }
  if (ops.empty()) return;
  writing_ = true;
  QScrollBar* bar = edit_->verticalScrollBar();
  const bool atEnd = bar->value() >= bar->maximum() - 2;
  QString batch;  // consecutive lines go in with one edit, which keeps long reports fast
  auto insertBatch = [&] {
    if (batch.isEmpty()) return;
    QTextCursor cursor(edit_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(batch);
    batch.clear();
  };
  for (const Op& op : ops) {
    switch (op.kind) {
      case Op::Kind::kAppend:
        batch += ToQt(op.text);
        batch += QLatin1Char('\n');
        if (shownObserver_) shownObserver_(op.text);
        break;
      case Op::Kind::kClear:
        batch.clear();
        edit_->clear();
        if (clearObserver_) clearObserver_();
        break;
      case Op::Kind::kReadOnly:
        insertBatch();
        edit_->SetLocked(op.flag);
        break;
    }
  }
  insertBatch();
  writing_ = false;
  if (atEnd) bar->setValue(bar->maximum());
}

std::string WindowLogPane::Text() const {
  if (!OnWindowThread()) {
    std::lock_guard lock(mutex_);
    return written_;
  }
  const_cast<WindowLogPane*>(this)->Flush();
  return WithCrLf(edit_->toPlainText());
}

std::string WindowLogPane::SelectedText() const {
  QString selected = edit_->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return WithCrLf(selected);
}

bool WindowLogPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool typesText = !key->text().isEmpty() && key->text().at(0).isPrint();
    if (typesText && !edit_->isReadOnly() && edit_->document()->characterCount() > textLimit_) {
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vlt::gui
