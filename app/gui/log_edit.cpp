#include "gui/log_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <algorithm>

#include "engine/report_layout.h"

namespace vlt::gui {

namespace {

// A notes field lies between two positions of one block.
struct Field {
  int start;
  int end;
};

std::optional<Field> FieldOf(const QTextBlock& block) {
  const std::optional<int> column = NotesFieldStart(block.text());
  if (!column) return std::nullopt;
  return Field{block.position() + *column, block.position() + block.length() - 1};
}

bool Inside(const Field& field, int position) {
  return position >= field.start && position <= field.end;
}

}  // namespace

std::optional<int> NotesFieldStart(const QString& line) {
  static const QString label = QString::fromStdString(engine::Label("Testing Notes"));
  if (!line.startsWith(label)) return std::nullopt;
  return static_cast<int>(label.size());
}

LogEdit::LogEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  // Dropped text would land anywhere in the log; a drag out of it would move text.
  setAcceptDrops(false);
  viewport()->setAcceptDrops(false);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &LogEdit::FollowCursor);
  connect(this, &QPlainTextEdit::selectionChanged, this, &LogEdit::FollowCursor);
  FollowCursor();
}

void LogEdit::SetLocked(bool locked) {
  locked_ = locked;
  FollowCursor();
}

bool LogEdit::CursorInNotes() const {
  const QTextCursor cursor = textCursor();
  const std::optional<Field> field = FieldOf(cursor.block());
  return field && Inside(*field, cursor.selectionStart()) && Inside(*field, cursor.selectionEnd());
}

void LogEdit::FollowCursor() {
  const bool editable = !locked_ && CursorInNotes();
  if (isReadOnly() == !editable) return;
  setReadOnly(!editable);
  // Read-only still lets the keyboard move the cursor, so the notes can be reached.
  setTextInteractionFlags(editable ? Qt::TextEditorInteraction
                                   : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void LogEdit::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly()) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  const QTextCursor cursor = textCursor();
  const Field field = *FieldOf(cursor.block());
  const int position = cursor.position();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    return;  // a note is one line: a new line would leave the notes field
  }
  if (!cursor.hasSelection()) {
    if (event->key() == Qt::Key_Backspace && position <= field.start) return;
    if (event->key() == Qt::Key_Delete && position >= field.end) return;
  }
  if (event->matches(QKeySequence::DeleteStartOfWord)) {
    DeleteWithin(QTextCursor::PreviousWord);
  } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
    DeleteWithin(QTextCursor::NextWord);
  } else if (event->matches(QKeySequence::DeleteCompleteLine)) {
    DeleteWithin(QTextCursor::EndOfBlock);
  } else {
    QPlainTextEdit::keyPressEvent(event);
  }
}

void LogEdit::DeleteWithin(QTextCursor::MoveOperation target) {
  QTextCursor cursor = textCursor();
  const Field field = *FieldOf(cursor.block());
  if (target == QTextCursor::EndOfBlock) {
    cursor.setPosition(field.start);  // the whole note, never its label
    cursor.setPosition(field.end, QTextCursor::KeepAnchor);
  } else if (!cursor.hasSelection()) {
    QTextCursor moved = cursor;
    moved.movePosition(target);
    cursor.setPosition(std::clamp(moved.position(), field.start, field.end),
                       QTextCursor::KeepAnchor);
  }
  cursor.removeSelectedText();
  setTextCursor(cursor);
}

void LogEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (isReadOnly()) return;
  QPlainTextEdit::inputMethodEvent(event);
}

void LogEdit::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || source == nullptr || !source->hasText()) return;
  // Pasted lines join into the one line of the note.
  QString text = source->text();
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  textCursor().insertText(text);
}

}  // namespace vlt::gui
