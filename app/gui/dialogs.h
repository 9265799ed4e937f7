// The tester's small modal dialogs: the decision window, the string and list
// input dialogs of the data lists, the skip-test dialog and the about box.
#pragma once

#include <QDialog>
#include <string>

#include "values/value_maker.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vlt::gui {

// A yes/no question in large type; exec() returns kYes or kNo, nothing else.
class DecisionBox final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kYes = 1001;
  static constexpr int kNo = 1002;

  DecisionBox(const std::string& statement, const std::string& question, QWidget* parent);
  QPushButton* YesButton() const { return yes_; }
  QPushButton* NoButton() const { return no_; }

 protected:
  void reject() override {}  // Escape is not an answer

 private:
  QPushButton* yes_;
  QPushButton* no_;
};

// "String Input" and, with choices, "List Input".
class InputDialog final : public QDialog {
  Q_OBJECT

 public:
  InputDialog(const std::string& title, const std::string& current,
              const values::ChoiceMap* choices, QWidget* parent);

  bool Accepted() const { return accepted_; }
  bool Abandoned() const { return abandoned_; }
  const std::string& ResultText() const { return result_; }
  // The new value's editor (a line edit or the combo box's edit field).
  QLineEdit* ValueEdit() const;
  QPushButton* AbandonButton() const { return abandon_; }

 private:
  QLineEdit* current_;
  QLineEdit* edit_ = nullptr;
  QComboBox* combo_ = nullptr;
  QPushButton* abandon_;
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

  explicit SkipTestDialog(QWidget* parent);
  // "Err" when no test is chosen.
  const std::string& TestCode() const { return code_; }
  const std::string& Reason() const { return reason_; }
  QListWidget* Tests() const { return tests_; }
  QListWidget* Reasons() const { return reasons_; }

 private:
  QListWidget* tests_;
  QListWidget* reasons_;
  std::string code_;
  std::string reason_;
};

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
};

// The lines of the skip-test list: the code padded to 8 characters, ": ", the title.
std::vector<std::string> SkipTestLines();
// The code of a line: its first 8 characters without trailing blanks.
std::string SkipTestCode(const std::string& line);

}  // namespace vlt::gui
