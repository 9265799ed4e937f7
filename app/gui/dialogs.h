// The tester's small modal dialogs: the decision window, the message and
// yes/no boxes, the string and list input dialogs of the data lists, the
// skip-test dialog and the about box.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "gui/operator_dialogs.h"
#include "values/value_maker.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace vlt::gui {

// Small dialogs: a title bar to move them by and a close button, nothing to
// minimise or maximise.
inline constexpr Qt::WindowFlags kSmallDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The buttons of a decision window; by default the plain Yes/No question.
struct DecisionButtons {
  enum class Focus { kYes, kNo, kCancel };
  QString yes = QStringLiteral("&Yes");
  QString no = QStringLiteral("&No");
  bool cancel = false;  // a third button, "Cancel", which Escape also means
  Focus focus = Focus::kYes;
};

// A question in large type; exec() returns kYes or kNo and, with a Cancel
// button, kCancel; nothing else.
class DecisionBox final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kYes = 1001;
  static constexpr int kNo = 1002;
  static constexpr int kCancel = 1003;

  DecisionBox(const std::string& statement, const std::string& question, QWidget* parent,
              const DecisionButtons& buttons = {});
  QPushButton* YesButton() const { return yes_; }
  QPushButton* NoButton() const { return no_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  // Escape (and the close button) is not an answer, unless Cancel is one.
  void reject() override;

 private:
  QPushButton* yes_;
  QPushButton* no_;
  QPushButton* cancel_ = nullptr;
};

// Puts a box over the top of the window, so the last lines of the log pane, which
// the operator may need to answer, stay in sight. The box can still be moved.
void PlaceAwayFromLog(QWidget& box, const QWidget* window);

// A notice, a warning or a yes/no question whose text may be long (a path, a
// list of refused lines): the text wraps, inside a word when the word is longer
// than the line, and scrolls, so the box fits the screen whatever it says.
// exec() returns Accepted for OK or Yes, Rejected for No or Escape.
class TextBox final : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { kInformation, kWarning, kQuestion };

  // A question has Yes and No, with No as the default; the others have OK.
  TextBox(Kind kind, const QString& title, const QString& message, QWidget* parent);
  QString Text() const;
  // OK, or Yes for a question.
  QPushButton* OkButton() const { return ok_; }
  // Null unless it is a question.
  QPushButton* NoButton() const { return no_; }

 private:
  QTextEdit* text_;
  QPushButton* ok_;
  QPushButton* no_ = nullptr;
};

// Sizes a box no larger than the available screen near `near` allows, and
// keeps it whole on that screen.
void FitOnScreen(QWidget& box, const QWidget* near);

// "String Input" and, with choices, "List Input". With a check, OK stays
// disabled while the value would be refused, and the reason is shown.
class InputDialog final : public QDialog {
  Q_OBJECT

 public:
  // `meaning`, when given, says what the value stands for above it.
  InputDialog(const std::string& title, const std::string& current,
              const values::ChoiceMap* choices, QWidget* parent, TextCheck check = {},
              const std::string& meaning = {});

  bool Accepted() const { return accepted_; }
  bool Abandoned() const { return abandoned_; }
  const std::string& ResultText() const { return result_; }
  // The new value's editor (a line edit or the combo box's edit field).
  QLineEdit* ValueEdit() const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* AbandonButton() const { return abandon_; }
  // Why the value is refused; empty when it is taken.
  QString Problem() const;
  // What the value stands for; empty without a meaning.
  QString Meaning() const;

 private:
  void Check();

  TextCheck check_;
  QLineEdit* current_;
  QLineEdit* edit_ = nullptr;
  QComboBox* combo_ = nullptr;
  QPushButton* ok_;
  QPushButton* abandon_;
  QLabel* problem_;
  QLabel* meaning_ = nullptr;
  bool accepted_ = false;
  bool abandoned_ = false;
  std::string result_;
};

// "Skip Test": one line per catalogue entry and the two reasons.
class SkipTestDialog final : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kReasonNotDesigned = "Device Not Designed to Pass";
  static constexpr const char* kReasonNotRequired = "Device Not Required by OEM to Pass";

  // With `skippable`, OK waits for a test that can be logged as skipped.
  explicit SkipTestDialog(QWidget* parent, std::function<bool(const std::string&)> skippable = {});
  // "Err" when no test is chosen.
  const std::string& TestCode() const { return code_; }
  const std::string& Reason() const { return reason_; }
  QListWidget* Tests() const { return tests_; }
  QListWidget* Reasons() const { return reasons_; }
  QPushButton* OkButton() const { return ok_; }
  QString Hint() const;

 private:
  void Check();

  std::function<bool(const std::string&)> skippable_;
  QListWidget* tests_;
  QListWidget* reasons_;
  QPushButton* ok_;
  QLabel* hint_;
  std::string code_;
  std::string reason_;
};

// The program's version and build date, the Qt it runs on, and the licences.
class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
  QString Text() const;

 private:
  QLabel* text_;
};

// The lines of the skip-test list: the code padded to 8 characters, ": ", the title.
std::vector<std::string> SkipTestLines();
// The code of a line: its first 8 characters without trailing blanks.
std::string SkipTestCode(const std::string& line);

}  // namespace vlt::gui
