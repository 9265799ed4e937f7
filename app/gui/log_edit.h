// The log pane's text box. A test log is evidence, so the operator cannot change
// it: the box is read-only except for the testing notes of a report, typed after
// their label on the "Testing Notes" line, the one place the summary report reads
// an operator's words from. While a test runs, nothing at all can be typed.
#pragma once

#include <QPlainTextEdit>
#include <optional>

namespace vlt::gui {

// The column where the notes field of a line begins, when the line is a
// testing-notes line; nothing otherwise.
std::optional<int> NotesFieldStart(const QString& line);

class LogEdit final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit LogEdit(QWidget* parent);

  // Locked while a test runs.
  void SetLocked(bool locked);
  bool Locked() const { return locked_; }
  // Whether the cursor, with its whole selection, lies in a notes field.
  bool CursorInNotes() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // The box may be typed in only with the cursor in a notes field.
  void FollowCursor();
  // Deletes from the cursor to `target`, kept inside the notes field.
  void DeleteWithin(QTextCursor::MoveOperation target);

  bool locked_ = false;
};

}  // namespace vlt::gui
