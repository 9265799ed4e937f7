// What the window asks of the operator besides yes/no decisions: file and folder
// choices, value input, the skipped test, child windows. The window talks to this
// seam only, so that tests answer in place of a person.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "values/value_maker.h"

class QWidget;

namespace vlt::data {
class Datum;
}

namespace vlt::gui {

class DatumListHost;
class DialogGate;

// Checks a value the operator types: the reason it is refused, or empty when it is taken.
using TextCheck = std::function<std::string(const std::string&)>;

struct FileRequest {
  std::string suffix;       // the default extension, without the dot
  std::string filter;       // Qt's form, e.g. "ZCF Files (*.zcf)"
  std::string initialPath;  // may be empty
};

struct InputRequest {
  std::string title;
  std::string current;
  std::optional<values::ChoiceMap> choices;  // set: the list input
  TextCheck check;                           // none: every text goes
  std::string meaning = {};                  // what the value stands for; may be empty
};

struct InputAnswer {
  bool accepted = false;
  bool abandoned = false;
  std::string text;
};

struct SkipChoice {
  std::string code;  // "Err" when no test was chosen
  std::string reason;
};

// A question about work that would be lost: save it, let it go, or go back.
struct SaveQuestion {
  std::string statement;
  std::string question;
  std::string saveLabel;     // with its mnemonic, e.g. "&Yes"
  std::string discardLabel;  // e.g. "&No"
};
enum class SaveAnswer { kSave, kDiscard, kCancel };

class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;
  // Paths are file system bytes; nothing when the operator cancels.
  virtual std::optional<std::string> OpenFile(const FileRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(const std::string& initialFolder) = 0;
  // A question whose safe answer is No: No has the focus.
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  // Cancel has the focus: two keystrokes must not save over a file or drop a report.
  virtual SaveAnswer AskToSave(const SaveQuestion& question) = 0;
  // A notice that closes itself once `stillTrue` says the state it describes is over.
  virtual void ShowNotice(const std::string& caption, const std::string& text,
                          std::function<bool()> stillTrue) = 0;
  virtual InputAnswer EditValue(const InputRequest& request) = 0;
  // Nothing when cancelled.
  virtual std::optional<SkipChoice> ChooseSkippedTest() = 0;
  // Shows the item's children in a child window and returns when it closes.
  virtual void OpenChildren(data::Datum& item, DatumListHost& host) = 0;
  virtual void ShowAbout() = 0;
};

// Real dialogs over a parent window, one at a time through the gate.
class QtOperatorDialogs final : public OperatorDialogs {
 public:
  QtOperatorDialogs(QWidget* parent, DialogGate& gate) : parent_(parent), gate_(gate) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> OpenFile(const FileRequest& request) override;
  std::optional<std::string> SaveFile(const FileRequest& request) override;
  std::optional<std::string> ChooseFolder(const std::string& initialFolder) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  SaveAnswer AskToSave(const SaveQuestion& question) override;
  void ShowNotice(const std::string& caption, const std::string& text,
                  std::function<bool()> stillTrue) override;
  InputAnswer EditValue(const InputRequest& request) override;
  std::optional<SkipChoice> ChooseSkippedTest() override;
  void OpenChildren(data::Datum& item, DatumListHost& host) override;
  void ShowAbout() override;

 private:
  QWidget* parent_;
  DialogGate& gate_;
};

}  // namespace vlt::gui
